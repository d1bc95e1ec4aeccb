// Extracts one archive member to one file or directory: reads its local
// header, refuses what cannot be decoded, prepares the output, decodes
// with progress reports, checks the CRC-32 and sets the stamp and the
// attributes. A failed member never leaves a file the call created.
#pragma once

#include <cstdint>

#include "unzip/decoder_state.h"

// Extraction results.
const int kExtractOk = 0;
const int kExtractBadCrc = 1;        // CRC-32 mismatch or malformed block header
const int kExtractOutputFailed = 2;  // output not created or not written
const int kExtractInputFailed = 3;   // archive not opened, or its data ended
const int kExtractBadHeader = 4;     // local header unreadable or wrong, or invalid data
const int kExtractCancelled = 5;
const int kExtractBadMethod = 6;     // neither stored nor deflated
const int kExtractEncrypted = 7;

const uint16_t kAttributeDirectory = 0x10;

// outputPath ending in a backslash (or attributes with the directory bit)
// names a directory member. headerOffset is absolute in the archive file.
// progressWindow may be null.
int ExtractZipMember(const char* archivePath, const char* outputPath, uint16_t attributes, uint32_t headerOffset,
                     ProgressWindowHandle progressWindow, int16_t progressCommandId);
