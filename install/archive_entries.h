// The archive workers of the file list: ZIP archives (kind Z) and archives
// stored inside archives (kind M), measured and unpacked member by member
// as each member's plan (install/member_plan.h) says.
#pragma once

#include <cstdint>

#include "install/install_places.h"
#include "install/install_state.h"
#include "unzip/zip_directory.h"

// A stored member that holds an inner archive of a kind M entry: the one
// named (case does not matter), or every stored one when none is named.
bool IsChosenInnerArchive(const ZipEntry& entry, const char* member);

// Measuring is portable (the vendor's checker totals with it); unpacking
// is the product's.
int32_t MeasureArchive(const char* archivePath, uint32_t baseOffset, int32_t length, const InstallPlaces& places);
int32_t MeasureNestedArchive(const char* archivePath, const char* member, const InstallPlaces& places);
EntryResult UnpackArchive(const char* archivePath, const char* targetPath, int32_t& runningBytes,
                          uint32_t baseOffset, int32_t length, const InstallPlaces& places);
EntryResult UnpackNestedArchive(const char* archivePath, const char* targetPath, const char* member,
                                int32_t& runningBytes, const InstallPlaces& places);
