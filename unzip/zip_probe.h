// Tells whether a file is a ZIP archive: a plain archive starting with a
// local header, or an executable that carries one (a self-extracting
// archive). Answers false on every error.
#pragma once

#include "fs/file_ops.h"

const int kProbeHeaderSize = 512;

// False for a path without a dot (the file is not touched) and for a
// directory; the current directory is left as it was.
bool IsZipArchive(const char* path);

// The self-extractor test on an open executable and its first 512 bytes
// (zeros where the file was shorter): an archive right behind the MS-DOS
// image, or, for a new-format executable, an end record in its last 2048
// bytes.
bool CarriesZipArchive(FileHandle file, const unsigned char* header);
