// Host build only: the POSIX file layer has no drive letters, so no path
// is on NTFS unless a test says every one is. As on Windows, the NT flag
// must be set too, and a network path never is.
#pragma once

void SetHostDrivesNtfs(bool ntfs);
