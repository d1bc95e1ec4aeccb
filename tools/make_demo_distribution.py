#!/usr/bin/env python3
"""Lays out the sample Corvane distribution: SETUP.inf in three languages,
a deflated archive with 16\\ and 32\\ members and language files, a nested
archive, a self-extracting archive, a versioned library for the System
directory, a large data file, and what the installation writes and links.
Usage: make_demo_distribution.py DEMO_DIR FIXTURE_DIR"""
import io
import os
import random
import shutil
import subprocess
import sys
import zipfile

SETUP_INF = r"""; Sample setup information file of the Corvane demo distribution.
[Installation]
Program=Corvane 4.2 for Windows
Copyright=(c) 1997 Corvane Software. All rights reserved.

[languages]
Count=3
Default=1
1=English
2=Deutsch,d
3=Fran\xe7ais,f

[LangName]
langdir=language
0=english
d=deutsch
f=francais

[VersionCheck]
Vernum=4

[Destination]
Dir=c:\corvane
Ini=corvane.ini,Setup,Dir

[Not running]
1=CorvaneMainWindow,Corvane 4.2

[Backup data]
1=CORVANE.CFG

[install]
1=readme.txt
2=corvane.zip,Z
3=extras.zip,M
4=tools.exe,Z
5=cvdemo.dll,S
6=corvane.dat

[installd]
1=liesmich.txt

[ini]
1=corvane.ini,Setup,Version,4.2
2=corvane.ini,Setup,Language,English

[inid]
2=corvane.ini,Setup,Language,Deutsch

[Group]
Groupname=Corvane 4.2
1=corvane.exe
2=readme.txt
3=tools\cvtool.exe
"""


def member(archive, name, data, method=zipfile.ZIP_DEFLATED):
    info = zipfile.ZipInfo(name, date_time=(1997, 5, 17, 10, 20, 30))
    info.create_system = 0
    info.external_attr = 0x20
    info.compress_type = method
    archive.writestr(info, data)


def text(lines):
    return ('\r\n'.join(lines) + '\r\n').encode('cp1252')


def main(demo, fixtures):
    os.makedirs(demo, exist_ok=True)
    with open(os.path.join(demo, 'SETUP.inf'), 'wb') as f:
        f.write(SETUP_INF.replace('\n', '\r\n').replace('\\xe7', '\xe7').encode('cp1252'))
    with open(os.path.join(demo, 'readme.txt'), 'wb') as f:
        f.write(text(['Corvane 4.2', '', 'Thank you for installing Corvane.']))
    with open(os.path.join(demo, 'liesmich.txt'), 'wb') as f:
        f.write(text(['Corvane 4.2', '', 'Vielen Dank, dass Sie Corvane installieren.']))
    with zipfile.ZipFile(os.path.join(demo, 'corvane.zip'), 'w') as z:
        program = bytes(random.Random(42).getrandbits(8) for _ in range(60000)) + b'\0' * 120000
        member(z, '32/CORVANE.EXE', b'MZ 32-bit Corvane ' + program)
        member(z, '16/CORVANE.EXE', b'MZ 16-bit Corvane ' + program)
        member(z, 'CORVANE.CFG', text(['[Corvane]', 'Colour=blue']))
        member(z, 'HELP/CORVANE.HLP', text(['Corvane help'] * 2000))
        for language in ('english', 'deutsch', 'francais'):
            member(z, 'language/%s.lng' % language, text(['language=' + language] * 100))
    inner = io.BytesIO()
    with zipfile.ZipFile(inner, 'w') as z:
        member(z, 'SAMPLES/LETTER.CVD', text(['Dear reader,'] * 300))
        member(z, 'SAMPLES/INVOICE.CVD', text(['Invoice'] * 300))
    with zipfile.ZipFile(os.path.join(demo, 'extras.zip'), 'w') as z:
        member(z, 'SAMPLES.ZIP', inner.getvalue(), method=zipfile.ZIP_STORED)
    tools = io.BytesIO()
    with zipfile.ZipFile(tools, 'w') as z:
        member(z, 'TOOLS/CVTOOL.EXE', b'MZ Corvane tool ' + bytes(20000))
    with open(os.path.join(fixtures, 'noversion.dll'), 'rb') as f:
        stub = f.read()
    sfx = os.path.join(demo, 'tools.exe')
    with open(sfx, 'wb') as f:
        f.write(stub + tools.getvalue())
    subprocess.run(['zip', '-q', '-A', sfx], check=True)
    shutil.copyfile(os.path.join(fixtures, 'ver4001.dll'), os.path.join(demo, 'cvdemo.dll'))
    # Large enough for the progress dialog to be seen at work.
    block = bytes(random.Random(7).getrandbits(8) for _ in range(1 << 16))
    with open(os.path.join(demo, 'corvane.dat'), 'wb') as f:
        for _ in range(2400):
            f.write(block)


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
