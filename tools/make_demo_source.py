#!/usr/bin/env python3
"""Lays out the demo product as a source folder for setuppack: SETUP.inf
(the demo's), plain files, the folder corvane/ that setuppack packs into
corvane.zip, and the ready-made extras.zip, tools.exe and cvdemo.dll. The
data file is small enough for one floppy; a sample database in the
archive makes it span two 1.44 MB disks.
Usage: make_demo_source.py SOURCE_DIR FIXTURE_DIR"""
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_demo_distribution as demo  # noqa: E402


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def main(source, fixtures):
    demo.main(source, fixtures)
    os.remove(os.path.join(source, 'corvane.zip'))
    folder = os.path.join(source, 'corvane')
    program = bytes(random.Random(42).getrandbits(8) for _ in range(60000)) + b'\0' * 120000
    write(os.path.join(folder, '32', 'CORVANE.EXE'), b'MZ 32-bit Corvane ' + program)
    write(os.path.join(folder, '16', 'CORVANE.EXE'), b'MZ 16-bit Corvane ' + program)
    write(os.path.join(folder, 'CORVANE.CFG'), demo.text(['[Corvane]', 'Colour=blue']))
    write(os.path.join(folder, 'HELP', 'CORVANE.HLP'), demo.text(['Corvane help'] * 2000))
    for language in ('english', 'deutsch', 'francais'):
        write(os.path.join(folder, 'language', language + '.lng'), demo.text(['language=' + language] * 100))
    write(os.path.join(folder, 'SAMPLES.DB'), random.Random(3).randbytes(2100000))
    write(os.path.join(source, 'corvane.dat'), random.Random(7).randbytes(200000))


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
