#!/usr/bin/env python3
"""Archives for the end-to-end installation tests, made with Python's
zipfile: version prefixes, a language directory, a member stamped 00:00:00,
a read-only system member and an archive stored inside another; one made
by Info-ZIP's zip from a tree kept beside it, for the installations under
older Windows; and an archive of files of many sizes over two disks
(lines/disk0, lines/disk1).
Usage: make_install_fixtures.py OUTPUT_DIR NEWER_DLL"""
import io
import os
import random
import shutil
import stat
import struct
import subprocess
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


def escaping_archives(out):
    """One archive per way out of the destination, each after a good member."""
    for label, name in (('parent', 'sub/../../evil.txt'), ('rooted', '/evil.txt'), ('drive', 'C:/evil.txt')):
        with zipfile.ZipFile(os.path.join(out, 'evil_%s.zip' % label), 'w') as z:
            member(z, 'GOOD.TXT', b'good')
            info = zipfile.ZipInfo(name, date_time=(1997, 5, 17, 10, 20, 30))
            info.create_system = 0
            z.writestr(info, b'evil')


def damaged_archives(out):
    """A member whose stored CRC is wrong, and one whose data was overwritten."""
    data = b'Corvane data that will not survive\r\n' * 100
    good = io.BytesIO()
    with zipfile.ZipFile(good, 'w') as z:
        member(z, 'DATA.TXT', data)
    raw = bytearray(good.getvalue())
    bad_crc = bytearray(raw)
    for at in (14, raw.rfind(b'PK\x01\x02') + 16):  # local and central CRC fields
        bad_crc[at] ^= 0xFF
    with open(os.path.join(out, 'bad_crc.zip'), 'wb') as f:
        f.write(bad_crc)
    damaged = bytearray(raw)
    start = 30 + len('DATA.TXT')
    damaged[start + 5:start + 25] = b'\xff' * 20
    with open(os.path.join(out, 'damaged.zip'), 'wb') as f:
        f.write(damaged)


def self_extractor(out, stub_path):
    """An executable with an archive behind it, adjusted by Info-ZIP's zip -A."""
    archive = io.BytesIO()
    with zipfile.ZipFile(archive, 'w') as z:
        member(z, 'SFX.TXT', b'from the self-extracting archive\r\n' * 20)
        member(z, 'SFXDIR/NESTED.TXT', b'nested in the self-extractor')
    with open(stub_path, 'rb') as f:
        stub = f.read()
    path = os.path.join(out, 'sfx.exe')
    with open(path, 'wb') as f:
        f.write(stub + archive.getvalue())
    subprocess.run(['zip', '-q', '-A', path], check=True)


def info_zip_archive(out, dll):
    """infozip.zip from the tree infozip/, which the tests compare with
    what was installed: a folder with a deflated text of more than one
    decoder window, an empty folder, incompressible data (stored), an empty
    file, a read-only member and a read-only system member. zip -k marks the
    members as made under MS-DOS, so their attribute bytes count; its stamps
    are the files' times in UTC (TZ=UTC0). NOTES.TXT is then marked hidden
    in the central directory, which zip cannot do from a Unix file."""
    tree = os.path.join(out, 'infozip')
    archive = os.path.join(out, 'infozip.zip')
    if os.path.exists(tree):
        shutil.rmtree(tree)
    for folder in ('DOCS/EMPTY', 'SYSTEM'):
        os.makedirs(os.path.join(tree, folder))
    words = random.Random(1995)
    vocabulary = [b'Corvane', b'setup', b'window', b'archive', b'member', b'profile', b'group', b'NT', b'3.51']
    manual = b' '.join(words.choice(vocabulary) for _ in range(16000)) + b'\r\n'
    with open(dll, 'rb') as f:
        library = f.read()
    files = (('README.TXT', b'Corvane for older Windows\r\n' * 40, 0o444),
             ('NOTES.TXT', b'hidden notes', 0o644),
             ('EMPTY.DAT', b'', 0o644),
             ('RANDOM.BIN', random.Random(351).randbytes(70000), 0o644),
             ('DOCS/MANUAL.TXT', manual, 0o644),
             ('SYSTEM/CVOLDWIN.DLL', library, 0o444))
    stamp = 865347730  # 1997-06-03 14:22:10 UTC; even seconds, as MS-DOS keeps them
    for i, (name, data, mode) in enumerate(files):
        path = os.path.join(tree, name)
        with open(path, 'wb') as f:
            f.write(data)
        os.utime(path, (stamp + 7200 * i, stamp + 7200 * i))
        os.chmod(path, mode)
    for folder in ('DOCS/EMPTY', 'DOCS', 'SYSTEM'):
        os.utime(os.path.join(tree, folder), (stamp, stamp))
    names = ['README.TXT', 'NOTES.TXT', 'EMPTY.DAT', 'RANDOM.BIN', 'DOCS/', 'DOCS/MANUAL.TXT', 'DOCS/EMPTY/',
             'SYSTEM/', 'SYSTEM/CVOLDWIN.DLL']
    if os.path.exists(archive):
        os.remove(archive)
    subprocess.run(['zip', '-q', '-k', '-X', archive] + names, cwd=tree, check=True,
                   env=dict(os.environ, TZ='UTC0'))
    with open(archive, 'rb') as f:
        data = bytearray(f.read())
    end = data.rfind(b'PK\x05\x06')
    count, = struct.unpack_from('<H', data, end + 10)
    at, = struct.unpack_from('<I', data, end + 16)
    for _ in range(count):
        name_length, extra_length, comment_length = struct.unpack_from('<HHH', data, at + 28)
        if data[at + 46:at + 46 + name_length] == b'NOTES.TXT':
            data[at + 38] |= stat.FILE_ATTRIBUTE_HIDDEN
        at += 46 + name_length + extra_length + comment_length
    with open(archive, 'wb') as f:
        f.write(data)
    # The same archive on two disks, the first ending inside RANDOM.BIN's
    # data: at the disk prompt the tests see how much of its file exists.
    disks = [os.path.join(out, 'infozip_disk%d' % n) for n in (0, 1)]
    for disk in disks:
        if os.path.exists(disk):
            shutil.rmtree(disk)
    span = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'span_archive.py')
    subprocess.run([sys.executable, span, archive, '40000', '200000'] + disks, check=True,
                   stdout=subprocess.DEVNULL)


def lines_archive(out):
    """Many small files, a few larger ones and SPAN.BIN, whose data goes on
    from the first disk to the second; LAST.TXT last."""
    rng = random.Random(23)
    work = os.path.join(out, 'lines')
    os.makedirs(work, exist_ok=True)
    archive = os.path.join(work, 'LINES.ZIP')
    with zipfile.ZipFile(archive, 'w') as z:
        member(z, 'FIRST.TXT', b'first\r\n')
        for n in range(120):
            member(z, 'SMALL/F%03d.TXT' % n, b'small file %d\r\n' % n * rng.randint(1, 300))
        member(z, 'BIG/TEXT.TXT', b'a larger text\r\n' * 40000)
        member(z, 'BIG/NOISE.BIN', rng.randbytes(300000), method=zipfile.ZIP_STORED)
        member(z, 'SPAN.BIN', rng.randbytes(400000), method=zipfile.ZIP_STORED)
        for n in range(60):
            member(z, 'MORE/G%03d.TXT' % n, b'more %d\r\n' % n * rng.randint(1, 300))
        member(z, 'LAST.TXT', b'the last file\r\n')
        span = z.getinfo('SPAN.BIN')
        directory = sum(46 + len(i.filename) for i in z.infolist()) + 22
    # The first disk ends in the middle of SPAN.BIN's data.
    first_room = span.header_offset + 30 + len('SPAN.BIN') + directory + 200000
    tools = os.path.dirname(os.path.abspath(__file__))
    subprocess.run([sys.executable, os.path.join(tools, 'span_archive.py'), archive, str(first_room), '10000000',
                    os.path.join(work, 'disk0'), os.path.join(work, 'disk1')], check=True, stdout=subprocess.DEVNULL)
    os.remove(archive)


def main(out, dll):
    os.makedirs(out, exist_ok=True)
    lines_archive(out)
    app_archive(os.path.join(out, 'app.zip'))
    system_archive(os.path.join(out, 'system.zip'), dll)
    nested_archive(os.path.join(out, 'nested.zip'))
    escaping_archives(out)
    damaged_archives(out)
    self_extractor(out, dll)
    info_zip_archive(out, dll)
    with open(os.path.join(out, 'notzip.zip'), 'wb') as f:
        f.write(b'this is not an archive at all' * 10)


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
