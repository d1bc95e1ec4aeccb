// The progress dialog's current-file line: a carriage return and the path.
#pragma once

void ShowProgressFile(const char* path);
