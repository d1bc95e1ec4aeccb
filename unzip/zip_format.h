// Byte-level facts of the ZIP format shared by the directory reader and the
// member extraction: record signatures, record sizes, little-endian fields.
#pragma once

#include <cstdint>

const int kLocalHeaderSize = 30;
const int kCentralHeaderSize = 46;
const int kEndRecordSize = 22;

// Signatures are compared byte by byte: "PK" and two record numbers.
inline bool HasSignature(const unsigned char* p, unsigned char first, unsigned char second) {
    return p[0] == 0x50 && p[1] == 0x4B && p[2] == first && p[3] == second;
}
inline bool IsLocalHeaderSignature(const unsigned char* p) { return HasSignature(p, 3, 4); }
inline bool IsCentralHeaderSignature(const unsigned char* p) { return HasSignature(p, 1, 2); }
inline bool IsEndRecordSignature(const unsigned char* p) { return HasSignature(p, 5, 6); }

inline uint16_t ReadLe16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t ReadLe32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// General purpose flag bits.
const uint16_t kFlagEncrypted = 0x0001;
const uint16_t kFlagDataDescriptor = 0x0008;

// Compression methods this program decodes.
const uint16_t kMethodStored = 0;
const uint16_t kMethodDeflated = 8;
