#!/usr/bin/env python3
"""Lays an ordinary ZIP archive (made by Info-ZIP zip, say) across disks the
way SETUP.EXE reads a spanned archive: a file of the same name on every disk.

SETUP.EXE reads the archive's directory from the first disk; when a member's
data runs past the end of a disk's file, it asks for the next disk and reads
on from the first byte of the file there; a member that starts on a later
disk is found at its offset in that disk's file. So:

- the first disk's file holds the whole central directory and its end
  record, placed before the member that continues on the next disk;
- every disk ends inside a member's data, never inside a header and never
  between members (a member that starts a disk would be looked for on the
  disk before);
- each member's recorded offset is its place in the file of its own disk.

Usage: span_archive.py ARCHIVE FIRST_ROOM DISK_SIZE DISK_DIR...
  ARCHIVE     the archive to spread (its name is kept on every disk)
  FIRST_ROOM  bytes left on the first disk for the archive
  DISK_SIZE   bytes each later disk holds
  DISK_DIR    one folder per disk, first disk first
Prints the disks it filled; fails when there are too few folders or a disk
is too small to end inside a member's data.
"""
import os
import struct
import sys

CENTRAL = struct.Struct('<4s6H3L5H2L')   # central-directory header, 46 bytes
END = struct.Struct('<4s4H2LH')          # end record, 22 bytes
LOCAL = struct.Struct('<4s5H3L2H')       # local header, 30 bytes


def members(path):
    """(local header and data bytes, header length, central record) per member,
    taken byte for byte from the archive."""
    with open(path, 'rb') as f:
        blob = f.read()
    end = blob.rfind(b'PK\x05\x06')
    if end < 0:
        raise SystemExit('%s has no end record' % path)
    _, _, _, _, count, _, at, _ = END.unpack_from(blob, end)
    out = []
    for _ in range(count):
        fields = CENTRAL.unpack_from(blob, at)
        if fields[0] != b'PK\x01\x02':
            raise SystemExit('%s: a damaged directory' % path)
        flags, packed, name, extra, comment, offset = fields[3], fields[8], fields[10], fields[11], fields[12], fields[16]
        record = blob[at:at + CENTRAL.size + name + extra + comment]
        at += len(record)
        local = LOCAL.unpack_from(blob, offset)
        header = LOCAL.size + local[9] + local[10]
        stop = offset + header + packed
        if flags & 8:
            stop += 16 if blob[stop:stop + 4] == b'PK\x07\x08' else 12
        out.append((blob[offset:stop], header, record))
    return out


class Disks:
    def __init__(self, first_room, disk_size):
        self.files = [bytearray()]
        self.rooms = [first_room]
        self.disk_size = disk_size

    def room(self):
        return self.rooms[-1] - len(self.files[-1])

    def next_disk(self):
        self.files.append(bytearray())
        self.rooms.append(self.disk_size)


def span(items, directory_size, first_room, disk_size):
    """Places the members; returns the disks' files and each member's (disk, offset)."""
    disks = Disks(first_room, disk_size)
    places = []
    directory_at = None
    for index, (data, header, _) in enumerate(items):
        # The directory goes on the first disk before the first member that
        # continues on the next one; a member that fits whole comes first.
        if directory_at is None and len(data) + directory_size > disks.room():
            if index == 0:
                raise SystemExit('the first member and the directory do not fit on the first disk: '
                                 'put a small file first in the archive')
            if directory_size + header + 1 > disks.room():
                raise SystemExit('the first disk has no room for the directory before member %d' % index)
            directory_at = len(disks.files[0])
            disks.files[0].extend(bytes(directory_size))
        if disks.room() < header + 1 and index > 0:
            raise SystemExit('disk %d is too small to end inside member %d' % (len(disks.files), index))
        places.append((len(disks.files) - 1, len(disks.files[-1])))
        rest = data
        while len(rest) > disks.room():
            cut = disks.room()
            if cut <= header and rest is data:
                raise SystemExit('disk %d would end inside the local header of member %d' %
                                 (len(disks.files), index))
            disks.files[-1].extend(rest[:cut])
            rest = rest[cut:]
            disks.next_disk()
        disks.files[-1].extend(rest)
        if disks.room() == 0 and index + 1 < len(items):
            raise SystemExit('disk %d ends between members; change the disk size by a few bytes' % len(disks.files))
    if directory_at is None:
        directory_at = len(disks.files[0])
        disks.files[0].extend(bytes(directory_size))
    return disks.files, places, directory_at


def main(argv):
    if len(argv) < 5:
        raise SystemExit(__doc__)
    archive, first_room, disk_size, folders = argv[1], int(argv[2]), int(argv[3]), argv[4:]
    items = members(archive)
    directory_size = sum(len(record) for _, _, record in items) + END.size
    files, places, directory_at = span(items, directory_size, first_room, disk_size)
    if len(files) > len(folders):
        raise SystemExit('the archive needs %d disks, %d folders given' % (len(files), len(folders)))
    directory = bytearray()
    for (_, _, record), (disk, offset) in zip(items, places):
        record = bytearray(record)
        struct.pack_into('<H', record, 34, disk)
        struct.pack_into('<L', record, 42, offset)
        directory += record
    directory += END.pack(b'PK\x05\x06', 0, 0, len(items), len(items), len(directory), directory_at, 0)
    files[0][directory_at:directory_at + len(directory)] = directory
    name = os.path.basename(archive)
    for folder, data in zip(folders, files):
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)
        print('%s: %d bytes' % (os.path.join(folder, name), len(data)))


if __name__ == '__main__':
    main(sys.argv)
