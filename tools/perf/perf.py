#!/usr/bin/env python3
"""Whole installations under Wine: SETUP.EXE against two NSIS installers of
the same files, for each payload that build_payloads.py made. Prints
figures; fails only when an installation did not install what it should.

  SETUP.EXE  perf_driver.exe plays the user and times from the click on
             OK in the destination dialog to the "Installation successful!"
             box (QueryPerformanceCounter).
  NSIS       silent: the whole `wine setup.exe /S /D=...` process, less
             Wine's own start-up (the median of a GUI program that does
             nothing, started the same way); it draws nothing.
  NSIS page  the same with its progress page on screen (`Page instfiles`,
             `AutoCloseWindow true`), as SETUP.EXE draws its dialog:
             `wine setup.exe /D=...`, which closes itself when done.

Runs alternate between the three, each round starting with the next one,
each into a new empty folder, after one warm-up round; every run's folder
is checked (file count, total size, SHA-256 of 20 files). With strace, one traced run of each counts
the wineserver requests per installed file.

Runs inside an X session with the build's Wine prefix (tools/perf/perf.sh).
Usage: perf.py --build BUILD [--runs N]"""
import argparse
import hashlib
import os
import re
import shutil
import statistics
import subprocess
import sys
import time

PAYLOADS = ('dlls', 'tree')
# The peers: file name stem and makensis defines. Silent draws nothing; the
# page peer draws its progress page as SETUP.EXE draws its dialog.
PEERS = (('nsis', []), ('nsisp', ['-DPAGE']))
PEER_LABELS = {'nsis': 'NSIS', 'nsisp': 'NSIS page'}
PEER_RATIO_LABELS = {'nsis': 'silent NSIS', 'nsisp': 'drawing NSIS'}
PROGRAM = 'Corvane Perf'
CAPTION = 'Installation ' + PROGRAM
SAMPLE = 20
START_UP_RUNS = 5
POLL_MS = 10  # perf_driver's kPollMs
SETTLE_SECONDS = 3
HERE = os.path.dirname(os.path.abspath(__file__))


def setup_inf(archive):
    # English only, both versions without asking, no group, no profile entries.
    lines = ['[Installation]', 'Program=' + PROGRAM, 'Copyright=(c) Corvane', '[VersionCheck]', 'Vernum=3',
             '[Destination]', r'Dir=C:\perf\corvane', '[install]', '1=%s,Z' % archive]
    return ('\r\n'.join(lines) + '\r\n').encode('ascii')


def windows_path(path):
    return 'Z:' + path.replace('/', '\\')


class Bench:
    def __init__(self, build, runs):
        self.build = build
        self.runs = runs
        self.out = os.path.join(build, 'perf')
        self.prefix = os.path.join(build, 'wineprefix')
        self.driver = os.path.join(build, 'win32', 'perf_driver.exe')
        self.noop = os.path.join(build, 'win32', 'perf_noop.exe')
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG='-all',
                        WINEDLLOVERRIDES='mscoree,mshtml=,winemenubuilder.exe=d')
        self.makensis = shutil.which('makensis')
        self.strace = shutil.which('strace')
        self.failures = 0

    # --- what each payload is and where it goes -------------------------------

    def manifest(self, name):
        entries = []
        with open(os.path.join(self.out, name, 'manifest')) as f:
            for line in f:
                size, digest, path = line.rstrip('\n').split(' ', 2)
                entries.append((path, int(size), digest))
        return entries

    def destination(self, who, name, run):
        folder = '%s-%s-%s' % (who, name, run)
        return os.path.join(self.prefix, 'drive_c', 'perf', folder), 'C:\\perf\\' + folder

    def lay_out(self, name):
        folder = os.path.join(self.out, name)
        dist = os.path.join(folder, 'dist')
        shutil.rmtree(dist, ignore_errors=True)
        os.makedirs(dist)
        shutil.copyfile(os.path.join(self.build, 'SETUP.EXE'), os.path.join(dist, 'SETUP.EXE'))
        with open(os.path.join(dist, 'SETUP.inf'), 'wb') as f:
            f.write(setup_inf(name + '.zip'))
        os.link(os.path.join(folder, name + '.zip'), os.path.join(dist, name + '.zip'))
        installers = {}
        if self.makensis:
            for peer, defines in PEERS:
                # Short, so that the process's name is whole in strace's output.
                installer = os.path.join(folder, '%s-%s.exe' % (peer, name))
                subprocess.run([self.makensis, '-V2', '-DPAYLOAD=' + os.path.join(folder, 'payload'),
                                '-DOUTFILE=' + installer] + defines + [os.path.join(HERE, 'installer.nsi')],
                               check=True)
                installers[peer] = installer
        return dist, installers

    # --- one run ---------------------------------------------------------------

    def fresh(self, unix_folder):
        shutil.rmtree(unix_folder, ignore_errors=True)
        # Earlier runs' files reach the disk now, not during the next run.
        os.sync()
        # ext4 goes on freeing a deleted run's blocks for a while after the
        # sync. A run that starts at once pays for part of it: 100-200 ms
        # after 134 MiB of another installer's files.
        time.sleep(SETTLE_SECONDS)
        os.sync()

    def run_ours(self, dist, name, run, tracer=()):
        unix_folder, folder = self.destination('ours', name, run)
        self.fresh(unix_folder)
        done = subprocess.run(list(tracer) + ['wine', self.driver, windows_path(dist), folder, CAPTION],
                              env=self.env, capture_output=True, text=True, timeout=1800)
        found = re.search(r'^elapsed_ms ([0-9.]+)', done.stdout, re.M)
        if done.returncode != 0 or not found:
            self.fail('%s run %s: SETUP.EXE failed (driver exit %d): %s' %
                      (name, run, done.returncode, ' '.join(done.stdout.split())))
            return None, unix_folder
        return float(found.group(1)), unix_folder

    def run_nsis(self, peer, installer, name, run, tracer=()):
        unix_folder, folder = self.destination(peer, name, run)
        self.fresh(unix_folder)
        silent = ['/S'] if peer == 'nsis' else []
        command = list(tracer) + ['wine', installer] + silent + ['/D=' + folder]
        return self.wall(command, '%s %s run %s' % (PEER_LABELS[peer], name, run)), unix_folder

    def wall(self, command, label):
        start = time.perf_counter()
        done = subprocess.run(command, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=1800)
        elapsed = 1000.0 * (time.perf_counter() - start)
        if done.returncode != 0:
            self.fail('%s ended with exit code %d' % (label, done.returncode))
        return elapsed

    def fail(self, text):
        self.failures += 1
        print('  FAILED: ' + text, flush=True)

    # --- what arrived -----------------------------------------------------------

    def complete(self, unix_folder, entries):
        count = sum(len(files) for _, _, files in os.walk(unix_folder))
        return count == len(entries)

    def verify(self, unix_folder, entries, label):
        count = 0
        total = 0
        for folder, _, files in os.walk(unix_folder):
            for name in files:
                count += 1
                total += os.path.getsize(os.path.join(folder, name))
        expected_total = sum(size for _, size, _ in entries)
        problems = []
        if count != len(entries) or total != expected_total:
            problems.append('%d files, %d bytes installed; payload has %d files, %d bytes' %
                            (count, total, len(entries), expected_total))
        for i in range(min(SAMPLE, len(entries))):
            path, _, digest = entries[i * len(entries) // min(SAMPLE, len(entries))]
            installed = os.path.join(unix_folder, path)
            if not os.path.isfile(installed):
                problems.append('missing ' + path)
            elif file_sha256(installed) != digest:
                problems.append('SHA-256 differs: ' + path)
        for problem in problems[:5]:
            self.fail('%s: %s' % (label, problem))
        shutil.rmtree(unix_folder, ignore_errors=True)
        return not problems

    # --- the measurement -----------------------------------------------------

    def wine_start_up(self):
        subprocess.run(['wine', self.noop, '--noop'], env=self.env)
        times = [self.wall(['wine', self.noop, '--noop'], 'perf_noop.exe') for _ in range(START_UP_RUNS)]
        return statistics.median(times)

    def time_payload(self, name, start_up):
        entries = self.manifest(name)
        size = sum(s for _, s, _ in entries)
        dist, installers = self.lay_out(name)
        line = 'payload %s: %d files, %.1f MiB; SETUP.EXE archive %.1f MiB' % (
            name, len(entries), size / 1048576.0, os.path.getsize(os.path.join(dist, name + '.zip')) / 1048576.0)
        if installers:
            line += ', NSIS installer %.1f MiB' % (os.path.getsize(installers['nsis']) / 1048576.0)
        print(line, flush=True)
        ours = []
        peers = {peer: [] for peer in installers}
        # A round pairs runs made close together: the median of the rounds'
        # ratios is steadier than the ratio of the medians when the machine
        # slows down and recovers during the session.
        rounds = {peer: [] for peer in installers}
        who = ['ours'] + list(installers)
        for index, run in enumerate(['warm-up'] + [str(i) for i in range(1, self.runs + 1)]):
            # Each round starts with another installer, so that none of them
            # always follows the same one (the drawing peer's long run).
            took = {}
            for one in who[index % len(who):] + who[:index % len(who)]:
                if one == 'ours':
                    ms, folder = self.run_ours(dist, name, run)
                    ok = ms is not None and self.verify(folder, entries, 'SETUP.EXE %s run %s' % (name, run))
                else:
                    whole, folder = self.run_nsis(one, installers[one], name, run)
                    ok = self.verify(folder, entries, '%s %s run %s' % (PEER_LABELS[one], name, run))
                    ms = whole - start_up
                took[one] = (ms, ok)
            text = '  run %-7s SETUP.EXE %6.0f ms' % (run, took['ours'][0] or 0)
            for peer in installers:
                text += '   %s %6.0f ms' % (PEER_LABELS[peer], took[peer][0])
            if run != 'warm-up':
                for one, (ms, ok) in took.items():
                    if ok:
                        (ours if one == 'ours' else peers[one]).append(ms)
                for peer in installers:
                    if took['ours'][1] and took[peer][1]:
                        rounds[peer].append(took['ours'][0] / took[peer][0])
            first = who[index % len(who)]
            print(text + '   (first: %s)' % ('SETUP.EXE' if first == 'ours' else PEER_LABELS[first]), flush=True)
        if ours:
            print('  SETUP.EXE median %.0f ms (OK in the destination dialog to "Installation successful!", '
                  'seen within %d ms)' % (statistics.median(ours), POLL_MS))
        for peer, times in peers.items():
            if times:
                print('  %-9s median %.0f ms (whole process less Wine start-up)' %
                      (PEER_LABELS[peer], statistics.median(times)))
        for peer, times in peers.items():
            if ours and times:
                print('  ours/%s install-time ratio %.2f' %
                      (PEER_RATIO_LABELS[peer], statistics.median(ours) / statistics.median(times)))
        for peer, ratios in rounds.items():
            if ratios:
                print('  ours/%s ratio of each round: %s; median %.2f' %
                      (PEER_RATIO_LABELS[peer], ' '.join('%.2f' % r for r in ratios), statistics.median(ratios)))
        if not installers:
            print('  NSIS skipped: makensis is not installed')
        return dist, installers, entries

    # --- wineserver requests ------------------------------------------------------

    def count_requests(self, process_name, start, log_name):
        """Runs start(tracer) under strace; the requests of process_name's threads."""
        log = os.path.join(self.out, 'strace-%s.log' % log_name)
        tracer = [self.strace, '-f', '--seccomp-bpf', '-C', '-Y', '-y', '-qq', '-s', '1',
                  '-e', 'trace=write,writev', '-o', log]
        result = start(tracer)
        text = r'"(?:[^"\\]|\\.)*"(?:\.\.\.)?'
        header = re.compile(r'^(\d+)<([^>]*)> (?:write\(\d+<pipe:\[\d+\]>, %s, 64[ )]|'
                            r'writev\(\d+<pipe:\[\d+\]>, \[\{iov_base=%s, iov_len=64\})' % (text, text))
        per_thread = {}
        names = {}
        with open(log, errors='replace') as f:
            for line in f:
                found = header.match(line)
                if found:
                    per_thread[found.group(1)] = per_thread.get(found.group(1), 0) + 1
                    names.setdefault(found.group(1), set()).add(found.group(2).lower())
        # A thread is named after its program only once Wine has loaded it;
        # what it asked before (as "wine") belongs to it all the same.
        threads = [tid for tid in per_thread if process_name.lower() in names[tid]]
        return sum(per_thread[tid] for tid in threads), len(threads), result

    def requests(self, payloads):
        if not self.strace:
            print('wineserver requests: skipped, strace is not installed')
            return
        print('wineserver requests (strace -f -C -Y -y -e trace=write,writev, one run of each): a request is one\n'
              '  write of its 64-byte header (writev when data follows) on the thread\'s request pipe to the\n'
              '  wineserver, the reply comes back on another pipe; counted for the installer\'s own process\n'
              '  (SETUP.EXE without the driver; the whole NSIS process), Wine start-up included', flush=True)
        noop, _, _ = self.count_requests(os.path.basename(self.noop),
                                         lambda tracer: self.wall(tracer + ['wine', self.noop, '--noop'], 'noop'),
                                         'noop')
        print('  Wine start-up alone (a program that does nothing): %d requests' % noop)
        for name, dist, installers, entries in payloads:
            files = len(entries)
            count, threads, (ms, folder) = self.count_requests(
                'SETUP.EXE', lambda tracer: self.run_ours(dist, name, 'strace', tracer), 'ours-' + name)
            if ms is not None:
                self.verify(folder, entries, 'SETUP.EXE %s under strace' % name)
            line = '  %s: %-9s %d requests (%s), %.1f per installed file (%.1f less Wine start-up)' % (
                name, 'SETUP.EXE', count, threads_text(threads), count / files, (count - noop) / files)
            for peer, installer in installers.items():
                # The drawing peer, slowed down by the tracer, has been seen
                # ending half way (its process terminated); one more try.
                for attempt in (1, 2):
                    count, threads, (_, folder) = self.count_requests(
                        os.path.basename(installer),
                        lambda tracer: self.run_nsis(peer, installer, name, 'strace', tracer), peer + '-' + name)
                    if attempt == 1 and not self.complete(folder, entries):
                        print('  %s %s ended before its last file under strace; once more' % (PEER_LABELS[peer], name),
                              flush=True)
                        continue
                    self.verify(folder, entries, '%s %s under strace' % (PEER_LABELS[peer], name))
                    break
                line += '\n  %s: %-9s %d requests (%s), %.1f per installed file (%.1f less Wine start-up)' % (
                    name, PEER_LABELS[peer], count, threads_text(threads), count / files, (count - noop) / files)
            print(line, flush=True)


def threads_text(count):
    return '%d thread%s' % (count, '' if count == 1 else 's')


def file_sha256(path):
    digest = hashlib.sha256()
    with open(path, 'rb') as f:
        for block in iter(lambda: f.read(1 << 20), b''):
            digest.update(block)
    return digest.hexdigest()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--build', required=True)
    parser.add_argument('--runs', type=int, default=5)
    args = parser.parse_args()
    bench = Bench(os.path.abspath(args.build), args.runs)
    # One server for all runs, so that none of them pays for starting it.
    subprocess.run(['wineserver', '-p'], env=bench.env)
    print('Whole installations under %s, prefix %s: %d runs of each installer, alternating, after a '
          'warm-up run of each; every run into a new empty folder' %
          (subprocess.run(['wine', '--version'], capture_output=True, text=True).stdout.strip(), bench.prefix,
           args.runs), flush=True)
    print('C:\\perf, where every run installs: %s' % os.environ.get('PERF_DISK', 'the prefix\'s own disk'),
          flush=True)
    cpus = sorted(os.sched_getaffinity(0))
    print('CPUs: %s of %d%s' % (','.join(map(str, cpus)), os.cpu_count(),
                                 '' if len(cpus) == os.cpu_count() else ' (PERF_CPUS)'), flush=True)
    start_up = bench.wine_start_up()
    print('Wine start-up (a GUI program that does nothing, whole process), median of %d: %.0f ms' %
          (START_UP_RUNS, start_up), flush=True)
    done = []
    for name in PAYLOADS:
        dist, installer, entries = bench.time_payload(name, start_up)
        done.append((name, dist, installer, entries))
    bench.requests(done)
    shutil.rmtree(os.path.join(bench.prefix, 'drive_c', 'perf'), ignore_errors=True)
    subprocess.run(['wineserver', '-k'], env=bench.env)
    if bench.failures:
        print('%d installation check(s) failed: the figures above do not stand for whole installations' %
              bench.failures)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
