// The access-and-sharing byte of the open routine, taken apart as the
// MS-DOS open modes lay it out: access in the low four bits, sharing
// granted to others in the high four. Both seams open files through it.
#pragma once

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
