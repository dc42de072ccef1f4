#!/usr/bin/env python3
"""The vfx command against its floor and its peers, in one run: `vfx --format ansi --color=always`
over 1 MiB and 64 MiB of text into /dev/null, against `cat` of a file as large as vfx's output
(the least that writing that output costs), and on the same 1 MiB against Debian's `lolcat -t -f`
and the npm gradient-string (timed by gradient_string.mjs, which bench/run runs). Prints JSON.

    bench/vfx_bench.py VFX OUT_DIR    (VFX_BENCH_REPETITIONS sets the runs per case)"""
import json
import os
import pathlib
import random
import shutil
import statistics
import subprocess
import sys
import time

vfx, out = sys.argv[1], pathlib.Path(sys.argv[2])
repetitions = int(os.environ.get("VFX_BENCH_REPETITIONS", "9"))


def sample(path):
    """1 MiB of prose in lines of 40 to 90 characters, the same every run."""
    random.seed(1)
    words = ("The quick brown fox jumps over the lazy dog and keeps on running past the river "
             "bank").split()
    lines, size = [], 0
    while size < 1 << 20:
        length, line = random.randint(40, 90), ""
        while len(line) < length:
            line += random.choice(words) + " "
        lines.append(line.strip())
        size += len(lines[-1]) + 1
    path.write_bytes(("\n".join(lines) + "\n").encode()[: 1 << 20])


def timed(command, runs):
    """The median wall time of the command in milliseconds, its output thrown away."""
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def main():
    out.mkdir(parents=True, exist_ok=True)
    small, large = out / "vfx-1m.txt", out / "vfx-64m.txt"
    sample(small)
    with large.open("wb") as f:
        for _ in range(64):
            f.write(small.read_bytes())
    result = {}
    for label, text, runs in (("1m", small, repetitions * 2 + 1), ("64m", large, repetitions)):
        command = [vfx, "--format", "ansi", "--color=always", "-f", str(text)]
        written = out / f"vfx-{label}.out"
        with written.open("wb") as f:
            subprocess.run(command, stdout=f, check=True)
        result[label] = {"input_bytes": text.stat().st_size,
                         "output_bytes": written.stat().st_size,
                         "vfx_ms": timed(command, runs),
                         "cat_ms": timed(["cat", str(written)], runs)}
        written.unlink()
    lolcat = shutil.which("lolcat") or shutil.which("/usr/games/lolcat")
    if lolcat:
        result["lolcat_ms"] = timed([lolcat, "-t", "-f", str(small)], 1)
    large.unlink()
    print(json.dumps(result))


if __name__ == "__main__":
    main()
