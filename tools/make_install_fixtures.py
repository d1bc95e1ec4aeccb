#!/usr/bin/env python3
"""Archives for the end-to-end installation tests, made with Python's
zipfile: version prefixes, a language directory, a member stamped 00:00:00,
a read-only system member and an archive stored inside another.
Usage: make_install_fixtures.py OUTPUT_DIR NEWER_DLL"""
import io
import os
import sys
import zipfile


def member(archive, name, data, time=(1997, 5, 17, 10, 20, 30), attributes=0x20, method=zipfile.ZIP_DEFLATED):
    info = zipfile.ZipInfo(name, date_time=time)
    info.create_system = 0  # MS-DOS, so the attribute byte counts
    info.external_attr = attributes
    info.compress_type = method
    archive.writestr(info, data)


def app_archive(path):
    with zipfile.ZipFile(path, 'w') as z:
        member(z, 'README.TXT', b'Corvane readme\r\n' * 200)
        member(z, 'DOC/', b'', attributes=0x10)
        member(z, 'DOC/32/HELP.HLP', b'help for 32 bits')
        member(z, '16/OLD16.TXT', b'only 16 bits')
        member(z, '32/NEW32.TXT', b'only 32 bits')
        member(z, 'X32/A.DLL', b'no prefix here')
        member(z, 'LANGUAGE/DEUTSCH.LNG', b'deutsch')
        member(z, 'LANGUAGE/FRANCAIS.LNG', b'francais')
        member(z, 'ZERO.TXT', b'stamped at midnight', time=(1997, 5, 17, 0, 0, 0))
        member(z, 'STORED.BIN', bytes(range(256)) * 40, method=zipfile.ZIP_STORED)


def system_archive(path, dll):
    with open(dll, 'rb') as f:
        data = f.read()
    with zipfile.ZipFile(path, 'w') as z:
        member(z, 'SYSTEM/CVPROG.DLL', data, attributes=0x21)
        member(z, 'WINDOWS/CVWIN.TXT', b'for the windows directory')


def nested_archive(path):
    inner = io.BytesIO()
    with zipfile.ZipFile(inner, 'w') as z:
        member(z, 'INNER.TXT', b'from the inner archive\r\n' * 50)
        member(z, 'SUB/DEEP.TXT', b'deep')
    other = io.BytesIO()
    with zipfile.ZipFile(other, 'w') as z:
        member(z, 'OTHER.TXT', b'from the other inner archive')
    with zipfile.ZipFile(path, 'w') as z:
        member(z, 'FIRST.TXT', b'a plain member of the outer archive')
        member(z, 'INNER.ZIP', inner.getvalue(), method=zipfile.ZIP_STORED)
        member(z, 'OTHER.ZIP', other.getvalue(), method=zipfile.ZIP_STORED)


def main(out, dll):
    os.makedirs(out, exist_ok=True)
    app_archive(os.path.join(out, 'app.zip'))
    system_archive(os.path.join(out, 'system.zip'), dll)
    nested_archive(os.path.join(out, 'nested.zip'))
    with open(os.path.join(out, 'notzip.zip'), 'wb') as f:
        f.write(b'this is not an archive at all' * 10)


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
