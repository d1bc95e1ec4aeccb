// SETUP.EXE as a walker of the installation walk (install/installation_walk.h):
// its ports carry out each step with the Win32 effects, the messages and
// the progress dialog.
#pragma once

#include <cstdint>

#include "install/install_places.h"

// The progress total, measured before anything is installed.
int32_t MeasureFileList(const InstallPlaces& places);

// Installs the file list and, after success, prunes the backups, writes
// the profile entries and offers the group; 0 for success.
int InstallFileList(const InstallPlaces& places);
