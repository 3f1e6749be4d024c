#!/usr/bin/python3
# The command line as a user meets it, in figures; nothing is asserted on them.
#   the CPU time of `kvat analyse` of a 14-line poem, a start-up and all (the mean of many runs)
#   the wall time of `kvat midi FILE... -d DIR` for 1 000 poems of the development set
# Usage: cli_bench.py KVAT   (the poems from $KVAT_STRESS_DEV, as kvat_stress_bench reads them,
# else /work/shared/data/rifma-dev/rifma_dev.json)
import json
import os
import resource
import subprocess
import sys
import tempfile
import time

RUNS = 200
POEMS = 1000


def cpu_ms_per_run(command):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    for _ in range(RUNS):
        subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    spent = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
    return spent / RUNS * 1000


def main():
    kvat = sys.argv[1]
    rifma = os.environ.get('KVAT_STRESS_DEV', '/work/shared/data/rifma-dev/rifma_dev.json')
    with open(rifma, encoding='utf-8') as f:
        poems = [entry['poem_text'] for entry in json.load(f)][:POEMS]
    with tempfile.TemporaryDirectory() as work:
        sonnet = next(p for p in poems if len(p.splitlines()) >= 14)
        small = os.path.join(work, 'small.txt')
        with open(small, 'w', encoding='utf-8') as f:
            f.write('\n'.join(sonnet.splitlines()[:14]) + '\n')
        print(f'kvat analyse, 14 lines: {cpu_ms_per_run([kvat, "analyse", small]):.2f} ms CPU '
              f'a run (mean of {RUNS})')

        files = []
        for k, poem in enumerate(poems):
            files.append(os.path.join(work, f'poem{k:04}.txt'))
            with open(files[-1], 'w', encoding='utf-8') as f:
                f.write(poem + '\n')
        out = os.path.join(work, 'midi')
        start = time.monotonic()
        subprocess.run([kvat, 'midi', *files, '-d', out], check=True)
        wall = time.monotonic() - start
        written = len(os.listdir(out))
        print(f'kvat midi of {len(files)} poems with -d: {wall:.2f} s wall, {written} files, '
              f'load average {os.getloadavg()[0]:.1f}')


main()
