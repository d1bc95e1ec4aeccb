// The version choice: key Vernum of section VersionCheck is the version
// mask itself (1 16-bit, 2 32-bit, 3 both), except 4, which asks the user
// with the version dialog.
#pragma once

const int kAskForVersion = 4;

// False when the user cancelled the version dialog.
bool ChooseVersion();
