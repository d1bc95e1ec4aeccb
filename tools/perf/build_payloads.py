#!/usr/bin/env python3
"""Builds the two payloads of `make perf` from files this machine already
has, the same way every time:

  dlls  the first 120 (by name) of Wine's own 32-bit DLLs, about 130 MiB,
        one flat archive made with `zip -6 -j`;
  tree  4,300 small files (2 KiB to 64 KiB) spread evenly over the sorted
        regular files of /usr/include and /usr/share, about 50 MiB, in
        their folders, archived with `zip -6` as `zip -r` would.

Each payload is copied into OUT/NAME/payload (what both installers carry),
archived into OUT/NAME/NAME.zip, and listed in OUT/NAME/manifest
("size sha256 path" per file, sorted) for checking what was installed.
An unchanged selection is not copied and archived again.

Usage: build_payloads.py OUT [--files N]
--files N takes only N files of each payload (quick runs while working)."""
import argparse
import glob
import hashlib
import os
import re
import shutil
import subprocess
import sys

DLL_FOLDERS = ('/usr/lib/i386-linux-gnu/wine/i386-windows', '/usr/lib/wine/i386-windows')
DLL_COUNT = 120
TREE_ROOTS = ('/usr/include', '/usr/share')
TREE_COUNT = 4300
TREE_MIN_SIZE = 2 * 1024
TREE_MAX_SIZE = 64 * 1024
# Room for C:\perf\<run>\ in front within Windows' 259 characters.
TREE_MAX_PATH = 120

FOLDER_STAMP = 946684800  # 2000-01-01

# Plain ASCII that every file system and both installers take as it is.
SAFE_NAME = re.compile(r'^[A-Za-z0-9._+@~,=-]+$')
DEVICE_NAMES = ({'con', 'prn', 'aux', 'nul', 'clock$', 'conin$', 'conout$'} |
                {'com%d' % i for i in range(10)} | {'lpt%d' % i for i in range(10)})


def usable_component(name):
    # 16 and 32 are version prefixes to SETUP.EXE; a device name or a
    # trailing dot means something else to Windows.
    return (SAFE_NAME.match(name) is not None and name not in ('16', '32') and not name.endswith('.')
            and name.split('.')[0].lower() not in DEVICE_NAMES)


def select_dlls(limit):
    for folder in DLL_FOLDERS:
        names = sorted(os.path.basename(p) for p in glob.glob(os.path.join(folder, '*.dll')))
        if names:
            chosen = names[:min(DLL_COUNT, limit or DLL_COUNT)]
            return [(os.path.join(folder, n), n) for n in chosen]
    sys.exit('no 32-bit Wine DLLs found in ' + ' or '.join(DLL_FOLDERS))


def select_tree(limit):
    candidates = []
    for root in TREE_ROOTS:
        base = os.path.dirname(root)
        for folder, dirs, files in os.walk(root):
            dirs.sort()
            for name in files:
                path = os.path.join(folder, name)
                relative = os.path.relpath(path, base)
                if os.path.islink(path) or not os.path.isfile(path) or len(relative) > TREE_MAX_PATH:
                    continue
                if not all(usable_component(part) for part in relative.split('/')):
                    continue
                size = os.path.getsize(path)
                if TREE_MIN_SIZE <= size <= TREE_MAX_SIZE and os.access(path, os.R_OK):
                    candidates.append((relative, path))
    candidates.sort()
    # Windows does not tell names apart by case: the first spelling wins,
    # for files and for every folder on the way.
    seen = {}
    unique = []
    for relative, path in candidates:
        parts = relative.split('/')
        prefixes = ['/'.join(parts[:i + 1]) for i in range(len(parts))]
        if all(seen.get(p.lower(), p) == p for p in prefixes):
            for p in prefixes:
                seen[p.lower()] = p
            unique.append((path, relative))
    count = min(limit or TREE_COUNT, TREE_COUNT, len(unique))
    # Evenly spread, so every part of both trees is in it.
    return [unique[i * len(unique) // count] for i in range(count)]


def file_sha256(path):
    digest = hashlib.sha256()
    with open(path, 'rb') as f:
        for block in iter(lambda: f.read(1 << 20), b''):
            digest.update(block)
    return digest.hexdigest()


def build(out, name, selection, flat):
    folder = os.path.join(out, name)
    payload = os.path.join(folder, 'payload')
    archive = os.path.join(folder, name + '.zip')
    stamp = os.path.join(folder, 'selection')
    described = ''.join('%s %d %d\n' % (relative, os.path.getsize(source), int(os.path.getmtime(source)))
                        for source, relative in selection)
    if os.path.exists(stamp) and os.path.exists(archive) and open(stamp).read() == described:
        return
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(payload)
    manifest = []
    for source, relative in selection:
        target = os.path.join(payload, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(source, target)
        shutil.copystat(source, target)
        os.chmod(target, 0o644)
        manifest.append('%d %s %s\n' % (os.path.getsize(target), file_sha256(target), relative))
    # Folders made today would give the archive today's stamps.
    for directory, _, _ in os.walk(payload):
        os.utime(directory, (FOLDER_STAMP, FOLDER_STAMP))
    # Names in sorted order on the command line, not in the order the
    # directory happens to list them: the same archive every time.
    if flat:
        names = [relative for _, relative in selection]
        command = ['zip', '-q', '-X', '-6', '-j', archive] + [os.path.join(payload, n) for n in names]
        subprocess.run(command, check=True)
    else:
        entries = []
        for _, relative in selection:
            parts = relative.split('/')
            for i in range(1, len(parts)):
                directory = '/'.join(parts[:i]) + '/'
                if directory not in entries:
                    entries.append(directory)
            entries.append(relative)
        entries.sort()
        # What `zip -r` stores (folder entries, then their files), listed
        # one by one so that no folder is walked in directory order.
        subprocess.run(['zip', '-q', '-X', '-6', archive, '-@'], check=True, cwd=payload,
                       input='\n'.join(entries) + '\n', text=True)
    with open(os.path.join(folder, 'manifest'), 'w') as f:
        f.writelines(sorted(manifest, key=lambda line: line.split(' ', 2)[2]))
    with open(stamp, 'w') as f:
        f.write(described)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('out')
    parser.add_argument('--files', type=int, default=0)
    args = parser.parse_args()
    args.out = os.path.abspath(args.out)
    os.makedirs(args.out, exist_ok=True)
    build(args.out, 'dlls', select_dlls(args.files), flat=True)
    build(args.out, 'tree', select_tree(args.files), flat=False)
    for name in ('dlls', 'tree'):
        folder = os.path.join(args.out, name)
        lines = open(os.path.join(folder, 'manifest')).read().splitlines()
        size = sum(int(line.split(' ', 1)[0]) for line in lines)
        zipped = os.path.getsize(os.path.join(folder, name + '.zip'))
        print('payload %-4s %5d files, %6.1f MiB, archive %6.1f MiB' % (name, len(lines), size / 1048576.0,
                                                                         zipped / 1048576.0))


if __name__ == '__main__':
    main()
