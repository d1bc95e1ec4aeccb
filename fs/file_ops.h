// The thin file layer: every open, read, write, seek, stamp, delete, move,
// directory and attribute operation of the program. No operation returns a
// success flag or shows a message: each leaves its outcome in the
// per-thread file error code (0, or the system's error code; a missing
// file is 2, a missing directory 3).
#pragma once

#include <cstdint>

typedef intptr_t FileHandle;
const FileHandle kInvalidFile = -1;

// Access in the low four bits, sharing in the high four (MS-DOS open modes).
const unsigned kModeRead = 0x00;
const unsigned kModeWrite = 0x01;
const unsigned kModeReadWrite = 0x02;
const unsigned kShareCompatible = 0x00;
const unsigned kShareExclusive = 0x10;
const unsigned kShareDenyWrite = 0x20;
const unsigned kShareDenyRead = 0x30;
const unsigned kShareDenyNone = 0x40;

// Packed date-time: MS-DOS date in the high 16 bits, time in the low, local time.
typedef uint32_t PackedStamp;

struct StampFields {
    uint16_t year;  // full year, e.g. 1997
    uint16_t month;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
};

unsigned long FileErrorCode();
void SetFileErrorCode(unsigned long code);

FileHandle OpenExistingFile(const char* path, unsigned mode);
FileHandle CreateNewFile(const char* path, uint32_t attributesAndFlags);
void ReadBlock(FileHandle file, void* buffer, uint16_t count, uint16_t* transferred);
void WriteBlock(FileHandle file, const void* buffer, uint16_t count, uint16_t* transferred);
// origin: 0 start, 1 current position, 2 end. Returns the new position or -1.
int32_t SeekFile(FileHandle file, int32_t distance, int origin);
uint32_t QueryFileSize(FileHandle file);
void TruncateAtPosition(FileHandle file);
void CloseFileHandle(FileHandle file);
PackedStamp GetFileStamp(FileHandle file);
void SetFileStamp(FileHandle file, PackedStamp stamp);
void RemoveFile(const char* path);
void MakeDirectory(const char* path);
void SetAttributes(const char* path, uint16_t attributes);
// The same through a handle open for writing, where the system allows it
// (NT): saves opening the file again. False, nothing done, elsewhere.
bool SetAttributesOfOpenFile(FileHandle file, uint16_t attributes);
uint32_t GetAttributes(const char* path);
void MoveFileTo(const char* existingPath, const char* newPath);
bool IsNtfsDrive(char driveLetter);

// Fields are added, not masked: a field out of range spills into its
// neighbour, and each 16-bit half wraps on its own, exactly as the values
// stored in ZIP entries do.
StampFields UnpackStamp(PackedStamp stamp);
PackedStamp PackStamp(const StampFields& fields);

// For the seams that open files: the access-and-sharing byte taken apart.
struct OpenRights {
    bool read;        // access requested
    bool write;
    bool shareRead;   // what others may still do with the file
    bool shareWrite;
};

// Access 0 read, 1 write, 2 both, 3-15 none. Sharing 0 and 4 both, 1 none,
// 2 read, 3 write, 5-15 none.
OpenRights RightsOfMode(unsigned mode);

// A file that is created is always opened for reading and writing; only
// the caller's sharing bits survive.
unsigned ModeForCreation(unsigned mode);
