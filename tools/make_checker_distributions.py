#!/usr/bin/env python3
"""Lays out the distributions for the test that compares the checker's plan
with what SETUP.EXE installs:

atlas/    three languages with lettered sections and a language folder,
          the version question (16\\ and 32\\ members, one under both), a
          folder member, stored and deflated members, an archive stored in
          an archive (kind M), a plain file in a folder an archive makes,
          profile entries and a group.
faulty/   a distribution with mistakes for the checker to find: a gap in the
          file list, a missing file, a damaged member, a member name that
          leads out of the destination, one that changes from OEM to ANSI,
          a profile value with a comma and a group item nothing installs.
orbit/    an archive spread over three disks (disk0, disk1, disk2) by
          tools/span_archive.py from an archive made by Info-ZIP zip, and a
          plain file on the last disk; SETUP.inf on every disk.
orbit-no-inf-last/  the same disks without SETUP.inf on the last one, from
          which SETUP.EXE reads the rest of the file list and the group.
stopped/  an archive whose second member SETUP.EXE cannot decode (bzip2),
          a plain file after it, profile entries and a group.

Usage: make_checker_distributions.py OUT_DIR"""
import io
import os
import random
import shutil
import subprocess
import sys
import zipfile

ATLAS_INF = r"""[Installation]
Program=Atlas 2.0
Copyright=(c) 1998 Atlas Cartography

[languages]
Count=3
Default=2
1=English
2=Deutsch,d
3=Francais,f

[LangName]
langdir=lang
0=en
d=de
f=fr

[VersionCheck]
Vernum=4

[Destination]
Dir=c:\atlas

[install]
1=atlas.zip,Z
2=readme.txt
3=maps.zip,M,maps.zip
4=data\world.dat

[installd]
2=liesmich.txt

[installf]
2=lisezmoi.txt
4=data\monde.dat

[ini]
1=atlas.ini,Atlas,Version,2.0
2=atlas.ini,Atlas,Language,en
3=atlas.ini,Old,Obsolete

[inid]
2=atlas.ini,Atlas,Language,de

[inif]
2=atlas.ini,Atlas,Language,fr

[Group]
Groupname=Atlas 2.0
1=atlas.exe
2=readme.txt
3=atlas16.exe

[Groupd]
2=liesmich.txt
"""

ORBIT_INF = r"""[Installation]
Program=Orbit 1.0

[languages]
Count=2
1=English
2=Deutsch,d

[LangName]
langdir=lang
0=english
d=deutsch

[VersionCheck]
Vernum=3

[Destination]
Dir=c:\orbit

[install]
1=orbit.zip,Z
2=notes.txt

[Group]
Groupname=Orbit 1.0
1=orbit.exe
"""


def crlf(text):
    return text.replace('\n', '\r\n').encode('cp1252')


def noise(seed, size):
    generator = random.Random(seed)
    return bytes(generator.getrandbits(8) for _ in range(size))


def member(archive, name, data, method=zipfile.ZIP_DEFLATED, attributes=0x20):
    info = zipfile.ZipInfo(name, date_time=(1998, 3, 14, 9, 26, 52))
    info.create_system = 0
    info.external_attr = attributes
    info.compress_type = method
    archive.writestr(info, data)


def atlas(out):
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, 'SETUP.inf'), 'wb') as f:
        f.write(crlf(ATLAS_INF))
    for name, text in (('readme.txt', 'Atlas 2.0\n'), ('liesmich.txt', 'Atlas 2.0, deutsch\n'),
                       ('lisezmoi.txt', 'Atlas 2.0, en francais\n')):
        with open(os.path.join(out, name), 'wb') as f:
            f.write(crlf(text))
    os.makedirs(os.path.join(out, 'data'), exist_ok=True)
    with open(os.path.join(out, 'data', 'world.dat'), 'wb') as f:
        f.write(noise(1, 5000))
    with open(os.path.join(out, 'data', 'monde.dat'), 'wb') as f:
        f.write(noise(2, 6000))
    with zipfile.ZipFile(os.path.join(out, 'atlas.zip'), 'w') as z:
        member(z, '32/ATLAS.EXE', b'MZ' + noise(3, 40000))
        member(z, '16/ATLAS16.EXE', b'MZ' + noise(4, 30000))
        member(z, '16/32/SHARED.DLL', b'MZ' + noise(5, 12000))
        member(z, 'DATA/', b'', attributes=0x10)
        member(z, 'DATA/INDEX.DAT', crlf('index\n' * 500), method=zipfile.ZIP_STORED)
        member(z, 'DOC/GUIDE.TXT', crlf('Using the atlas.\n' * 300))
        member(z, 'DOC/EMPTY.TXT', b'')
        for language in ('en', 'de', 'fr'):
            member(z, 'lang/%s.lng' % language, crlf(('language=%s\n' % language) * 40))
        member(z, '32/lang/de32.lng', crlf('deutsch, 32-bit\n' * 20))
    inner = io.BytesIO()
    with zipfile.ZipFile(inner, 'w') as z:
        member(z, 'MAPS/EUROPE.MAP', noise(6, 9000))
        member(z, 'MAPS/ASIA.MAP', crlf('asia\n' * 2000))
    with zipfile.ZipFile(os.path.join(out, 'maps.zip'), 'w') as z:
        member(z, 'MAPS.ZIP', inner.getvalue(), method=zipfile.ZIP_STORED)
        member(z, 'OTHER.TXT', crlf('not an inner archive\n'))


FAULTY_INF = r"""[Installation]
Program=Faulty 0.9

[Destination]
Dir=c:\faulty

[VersionCheck]
Vernum=2

[install]
1=app.zip,Z
2=readme.txt
4=late.txt

[ini]
1=faulty.ini,Window,Position,0,0,640,480

[Group]
Groupname=Faulty 0.9
1=app.exe
2=help.exe
"""


def faulty(out):
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, 'SETUP.inf'), 'wb') as f:
        f.write(crlf(FAULTY_INF))
    with open(os.path.join(out, 'late.txt'), 'wb') as f:
        f.write(crlf('never read\n'))
    path = os.path.join(out, 'app.zip')
    with zipfile.ZipFile(path, 'w') as z:
        member(z, '32/APP.EXE', b'MZ' + noise(9, 3000))
        member(z, 'BAD.DAT', b'damaged on the way to the floppy' * 10, method=zipfile.ZIP_STORED)
        member(z, 'M~LLER.TXT', b'name in code page 437')
        member(z, '../ESCAPE.TXT', b'out of the destination')
    with open(path, 'r+b') as f:
        data = f.read()
        at = data.index(b'damaged on the way')
        f.seek(at)
        f.write(b'D')
        # An OEM name (u umlaut of code page 437) in both headers.
        for at in (data.index(b'M~LLER'), data.rindex(b'M~LLER')):
            f.seek(at + 1)
            f.write(b'\x81')


STOPPED_INF = r"""[Installation]
Program=Stopped 1.0

[Destination]
Dir=c:\stopped

[install]
1=readme.txt
2=app.zip,Z
3=later.txt

[ini]
1=stopped.ini,Stopped,Version,1.0

[Group]
Groupname=Stopped 1.0
1=readme.txt
"""


def stopped(out):
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, 'SETUP.inf'), 'wb') as f:
        f.write(crlf(STOPPED_INF))
    for name in ('readme.txt', 'later.txt'):
        with open(os.path.join(out, name), 'wb') as f:
            f.write(crlf(name + '\n'))
    with zipfile.ZipFile(os.path.join(out, 'app.zip'), 'w') as z:
        member(z, 'APP.EXE', b'MZ' + noise(11, 2000))
        member(z, 'BIG.DAT', noise(12, 5000), method=zipfile.ZIP_BZIP2)
        member(z, 'LAST.TXT', b'never reached\r\n')


def orbit(out, tools, inf_on_last=True):
    work = os.path.join(out, 'work')
    os.makedirs(os.path.join(work, 'lang'), exist_ok=True)
    files = {'AREADME.TXT': crlf('Orbit 1.0\n'), 'ORBIT.EXE': b'MZ' + noise(7, 50000),
             'DATA.BIN': noise(8, 60000), os.path.join('lang', 'english.txt'): crlf('english\n' * 100),
             os.path.join('lang', 'deutsch.txt'): crlf('deutsch\n' * 100)}
    for name, data in files.items():
        with open(os.path.join(work, name), 'wb') as f:
            f.write(data)
    archive = os.path.join(out, 'orbit.zip')
    if os.path.exists(archive):
        os.remove(archive)
    # Info-ZIP zip makes the ordinary archive; span_archive.py spreads it.
    subprocess.run(['zip', '-q', '-9', '-X', '-r', archive, 'AREADME.TXT', 'ORBIT.EXE', 'DATA.BIN', 'lang'],
                   cwd=work, check=True)
    disks = [os.path.join(out, 'disk%d' % n) for n in range(3)]
    subprocess.run([sys.executable, os.path.join(tools, 'span_archive.py'), archive, '45000', '50000'] + disks,
                   check=True, stdout=subprocess.DEVNULL)
    for disk in disks if inf_on_last else disks[:-1]:
        with open(os.path.join(disk, 'SETUP.inf'), 'wb') as f:
            f.write(crlf(ORBIT_INF))
    with open(os.path.join(disks[2], 'notes.txt'), 'wb') as f:
        f.write(crlf('Notes on the last disk.\n'))
    shutil.rmtree(work)
    os.remove(archive)


def main(out):
    shutil.rmtree(out, ignore_errors=True)
    atlas(os.path.join(out, 'atlas'))
    faulty(os.path.join(out, 'faulty'))
    tools = os.path.dirname(os.path.abspath(__file__))
    orbit(os.path.join(out, 'orbit'), tools)
    orbit(os.path.join(out, 'orbit-no-inf-last'), tools, inf_on_last=False)
    stopped(os.path.join(out, 'stopped'))


if __name__ == '__main__':
    main(sys.argv[1])
