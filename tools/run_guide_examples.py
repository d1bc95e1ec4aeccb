#!/usr/bin/env python3
"""Runs the vendor guide's examples as the guide shows them, from the top of
the source tree: first every line of an indented example that names
build/demo- (the demo onto CD and floppies, tried with setuptry), in order,
each echoed with its output; then every fenced example that starts with
"$ COMMAND", whose output must be the lines shown under it (build/host on
the PATH, a UTF-8 terminal; they read build/demo, which `make demo` lays
out). Stops at the first failure with status 1. --demo-commands: only the
first part.
Usage: run_guide_examples.py [--demo-commands] [GUIDE]"""
import difflib
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def main(guide, commands_only):
    os.chdir(ROOT)
    text = open(guide, encoding='utf-8').read()
    commands = re.findall(r'^    ([^$ ].*build/demo-.*)$', text, re.M)
    shown = re.findall(r'^```\n\$ (.*?)\n(.*?)^```', text, re.M | re.S)
    if not commands or not shown:
        print(f'no examples in {guide}')
        return 2
    for line in commands:
        print(f'$ {line}', flush=True)
        status = subprocess.call(line, shell=True)
        if status != 0:
            print(f'failed ({status}): {line}')
            return 1
    if commands_only:
        return 0
    env = dict(os.environ, PATH=os.path.join(ROOT, 'build', 'host') + os.pathsep + os.environ['PATH'],
               LC_ALL='C.UTF-8')
    for line, output in shown:
        print(f'$ {line}  (output as the guide shows it)', flush=True)
        got = subprocess.run(line, shell=True, env=env, capture_output=True, text=True).stdout
        if got != output:
            sys.stdout.writelines(difflib.unified_diff(output.splitlines(True), got.splitlines(True), 'guide', 'run'))
            return 1
    return 0


if __name__ == '__main__':
    args = [a for a in sys.argv[1:] if a != '--demo-commands']
    sys.exit(main(args[0] if args else 'docs/setup-inf.md', '--demo-commands' in sys.argv[1:]))
