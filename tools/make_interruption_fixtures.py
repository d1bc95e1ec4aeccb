#!/usr/bin/env python3
"""Fixtures of the interruption tests: members large enough that every stage
of an installation lasts long enough to be caught in the act.
Usage: make_interruption_fixtures.py blob OUTPUT SIZE
         (incompressible bytes for the resource of a large versioned DLL)
       make_interruption_fixtures.py archives OUTPUT_DIR LARGE_DLL
         (interrupt.zip: a stored, a deflated and a read-only system member
         and a last one; three.zip: three members to cancel one by one)"""
import os
import random
import sys
import zipfile

STAMP = (2001, 9, 10, 13, 33, 26)


def noise(seed, size):
    return random.Random(seed).randbytes(size)


def text(seed, size):
    rng = random.Random(seed)
    words = [b'corvane', b'setup', b'member', b'archive', b'disk', b'window', b'install', b'file']
    out = bytearray()
    while len(out) < size:
        out += b' '.join(rng.choice(words) for _ in range(12)) + b'\r\n'
    return bytes(out[:size])


def member(archive, name, data, method, attributes=0x20):
    info = zipfile.ZipInfo(name, date_time=STAMP)
    info.create_system = 0  # MS-DOS, so the attribute byte counts
    info.external_attr = attributes
    info.compress_type = method
    archive.writestr(info, data)


def archives(out, dll):
    with open(dll, 'rb') as f:
        library = f.read()
    with zipfile.ZipFile(os.path.join(out, 'interrupt.zip'), 'w') as z:
        member(z, 'STORED.BIN', noise(11, 4 << 20), zipfile.ZIP_STORED)
        member(z, 'DOCS/DEFLATED.TXT', text(12, 8 << 20), zipfile.ZIP_DEFLATED)
        member(z, 'SYSTEM/CVARC.DLL', library, zipfile.ZIP_DEFLATED, attributes=0x21)
        member(z, 'LAST.TXT', text(13, 4 << 20), zipfile.ZIP_DEFLATED)
    with zipfile.ZipFile(os.path.join(out, 'three.zip'), 'w') as z:
        member(z, 'ONE.BIN', noise(21, 4 << 20), zipfile.ZIP_STORED)
        member(z, 'TWO.TXT', text(22, 8 << 20), zipfile.ZIP_DEFLATED)
        member(z, 'THREE.TXT', text(23, 8 << 20), zipfile.ZIP_DEFLATED)


def main(argv):
    if argv[1] == 'blob':
        with open(argv[2], 'wb') as f:
            f.write(noise(1, int(argv[3])))
    else:
        os.makedirs(argv[2], exist_ok=True)
        archives(argv[2], argv[3])


if __name__ == '__main__':
    main(sys.argv)
