#!/usr/bin/env python3
"""Seeds for the checker's fuzz target: the checker tests' distributions
(atlas, faulty, orbit on three disks) with their random contents made
small, each packed as SETUP.inf's text (after a line that narrows the
walk to some of the choices) followed by "\\n--- NAME\\n" and the
bytes of every other file (diskN/NAME for the further disks).

Usage: make_checker_seeds.py OUT_DIR"""
import hashlib
import os
import subprocess
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools'))
import make_checker_distributions as distributions  # noqa: E402

full_noise = distributions.noise
distributions.noise = lambda seed, size: full_noise(seed, max(1, size // 40))

ORBIT_SMALL = {'AREADME.TXT': distributions.crlf('Orbit 1.0\n'), 'ORBIT.EXE': b'MZ' + full_noise(7, 1500),
               'DATA.BIN': full_noise(8, 1500), 'lang/english.txt': distributions.crlf('english\n' * 20),
               'lang/deutsch.txt': distributions.crlf('deutsch\n' * 20)}


def orbit(out):
    """The orbit distribution with small files, spread over three disks."""
    os.makedirs(out, exist_ok=True)
    archive = os.path.join(out, 'orbit.zip')
    with zipfile.ZipFile(archive, 'w', zipfile.ZIP_DEFLATED) as z:
        for name, data in ORBIT_SMALL.items():
            z.writestr(name, data)
    third = os.path.getsize(archive) // 3 + 200
    disks = [os.path.join(out, 'disk%d' % n) for n in range(3)]
    span = os.path.join(os.path.dirname(distributions.__file__), 'span_archive.py')
    subprocess.run([sys.executable, span, archive, str(third), str(third)] + disks, check=True,
                   stdout=subprocess.DEVNULL)
    os.remove(archive)
    with open(os.path.join(disks[0], 'SETUP.inf'), 'wb') as f:
        f.write(distributions.crlf(distributions.ORBIT_INF))
    with open(os.path.join(disks[2], 'notes.txt'), 'wb') as f:
        f.write(distributions.crlf('Notes on the last disk.\n'))
    return disks


def pack(disks, choices):
    """One input from a distribution folder and its further disks."""
    with open(os.path.join(disks[0], 'SETUP.inf'), 'rb') as f:
        data = b'; check ' + choices.encode() + b'\r\n' + f.read()
    for number, disk in enumerate(disks):
        prefix = 'disk%d/' % number if number else ''
        for folder, _, names in sorted(os.walk(disk)):
            for name in sorted(names):
                path = os.path.join(folder, name)
                relative = os.path.relpath(path, disk).replace(os.sep, '/')
                if relative == 'SETUP.inf' and not number:
                    continue
                with open(path, 'rb') as f:
                    data += b'\n--- ' + (prefix + relative).encode() + b'\n' + f.read()
    return data


def main(out):
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        distributions.atlas(os.path.join(work, 'atlas'))
        distributions.faulty(os.path.join(work, 'faulty'))
        atlas = [os.path.join(work, 'atlas')]
        seeds = [pack(atlas, '1 0 b'), pack(atlas, '2 3 n'), pack(atlas, '3 2 y'),
                 pack([os.path.join(work, 'faulty')], '0 0 b'), pack(orbit(os.path.join(work, 'orbit')), '2 0 b')]
    for seed in seeds:
        with open(os.path.join(out, hashlib.sha1(seed).hexdigest()), 'wb') as f:
            f.write(seed)
        print('%d bytes' % len(seed))


if __name__ == '__main__':
    main(sys.argv[1])
