#!/usr/bin/env python3
"""Lays out a large distribution for measuring the checker: ARCHIVES deflated
archives of MEMBERS members each (text-like data of about SIZE bytes a
member, in folders and under 16\\ and 32\\), a SETUP.inf that installs them,
and a stand-in SETUP.EXE.

Usage: make_large_distribution.py OUT_DIR ARCHIVES MEMBERS [SIZE]
       (20,000 members of about 10 KB: 10 2000 10000)"""
import os
import random
import sys
import zipfile

WORDS = ('corvane setup archive member folder version language destination profile group item '
         'install disk decode inflate window bytes record header directory entry program system '
         'alpha beta gamma delta epsilon zeta theta kappa lambda omicron sigma omega').split()


def text(generator, size):
    words = generator.choices(WORDS, k=size // 6 + 1)
    data = ' '.join(words).encode('ascii')
    return data[:size]


def main(out, archives, members, size):
    os.makedirs(out, exist_ok=True)
    generator = random.Random(20000)
    lines = []
    for a in range(archives):
        name = 'part%02d.zip' % a
        lines.append('%d=%s,Z' % (a + 1, name))
        with zipfile.ZipFile(os.path.join(out, name), 'w', zipfile.ZIP_DEFLATED, compresslevel=6) as z:
            for m in range(members):
                prefix = ('16/', '32/', '')[m % 3]
                member = '%sDATA%02d/SUB%03d/FILE%05d.TXT' % (prefix, a, m // 100, m)
                info = zipfile.ZipInfo(member, date_time=(1998, 1, 1, 12, 0, 0))
                info.compress_type = zipfile.ZIP_DEFLATED
                z.writestr(info, text(generator, generator.randint(size // 2, size * 3 // 2)))
    with open(os.path.join(out, 'SETUP.inf'), 'wb') as f:
        f.write(('[Installation]\r\nProgram=Large\r\n[VersionCheck]\r\nVernum=3\r\n'
                 '[Destination]\r\nDir=C:\\LARGE\r\n[install]\r\n' + '\r\n'.join(lines) + '\r\n').encode('ascii'))
    with open(os.path.join(out, 'SETUP.EXE'), 'wb') as f:
        f.write(b'MZ')


if __name__ == '__main__':
    main(sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]) if len(sys.argv) > 4 else 10000)
