#!/usr/bin/env python3
"""Turns the figures that bench/run gathered into docs/performance.md (printed to stdout)."""
import json
import pathlib
import platform
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "winmm.dll", "comctl32.dll",
               "msvcrt.dll", "shell32.dll", "advapi32.dll", "ole32.dll", "comdlg32.dll",
               "uxtheme.dll", "msimg32.dll"}


def benchmarks(path):
    try:
        data = json.loads(path.read_text())
    except (OSError, ValueError):
        return {}
    return {b["name"]: b for b in data.get("benchmarks", [])}


def ms(bench):
    unit = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[bench.get("time_unit", "ns")]
    return bench["real_time"] * unit


def text(path):
    try:
        return path.read_text().strip()
    except OSError:
        return "not measured"


def main():
    out, revision = pathlib.Path(sys.argv[1]), sys.argv[2]
    fade, compose = benchmarks(out / "fade.json"), benchmarks(out / "compose.json")
    lines = ["# Performance record", "",
             f"Measured by `bench/run` at revision `{revision}` on {platform.machine()} "
             f"({platform.system()}, 2 cores), the Windows figures under Wine. "
             "Run `bench/run` to measure again; it rewrites this page.", ""]

    lines += ["## The fade against memcpy of its own output", "",
              "Target: the fade takes at most 3 × the time memcpy needs to copy as many bytes as the "
              "fade writes (its output is about 21 times its input).", "",
              "| input | fade | output | memcpy of the output | ratio | target |",
              "|---|---|---|---|---|---|"]
    for style in ("plain", "bold"):
        name, copy = f"BM_FadeTwoColors/{style}/1048576", f"BM_MemcpyOfFadeOutput/{style}/1048576"
        if name in fade and copy in fade:
            lines.append(f"| 1 MiB, style text {'empty' if style == 'plain' else '&lt;B&gt;'} "
                         f"| {ms(fade[name]):.2f} ms | {fade[name].get('output_MiB', 0):.1f} MiB "
                         f"| {ms(fade[copy]):.2f} ms | {ms(fade[name]) / ms(fade[copy]):.2f} × "
                         f"| {'met' if ms(fade[name]) <= 3 * ms(fade[copy]) else 'missed'} |")
    lines += ["", "The ratio depends on how fast the machine copies as much as on the fade: the fade's "
              "time goes to its work for each character (three doubles computed and converted, some "
              "21 bytes written), which a machine with a fast memcpy does not shorten in step."]
    lines += ["", "Growth with the input (cost per input byte should stay flat):", "",
              "| input | fade | per input byte |", "|---|---|---|"]
    for size, label in ((1024, "1 KiB"), (65536, "64 KiB"), (1048576, "1 MiB")):
        name = f"BM_FadeTwoColors/plain/{size}"
        if name in fade:
            lines.append(f"| {label} | {ms(fade[name]):.3f} ms | {ms(fade[name]) * 1e6 / size:.1f} ns |")

    gradient = {}
    try:
        gradient = json.loads((out / "gradient.json").read_text())
    except (OSError, ValueError):
        pass
    ours = fade.get("BM_FadeTwoColors/plain/1048576")
    lines += ["", "## The fade against gradient-string", ""]
    if gradient.get("milliseconds") and ours:
        lines += [f"The npm package gradient-string (version 3, on Node.js, true-colour output) "
                  f"colouring the same 1 MiB text from red to blue: {gradient['milliseconds']:.0f} ms "
                  f"per run, {gradient['outputBytes'] / 2**20:.1f} MiB of terminal colour codes. "
                  "One call on the whole text overflows its stack, so it colours the text in "
                  "1 KiB pieces; a single call on 64 KiB takes "
                  f"{gradient.get('whole64kMilliseconds', 0):.0f} ms (its cost grows faster than "
                  f"the text). `FadeTwoColors` on the whole 1 MiB: {ms(ours):.1f} ms. "
                  f"Ratio: gradient-string takes {gradient['milliseconds'] / ms(ours):.0f} × as long."]
    else:
        lines += ["not measured (gradient-string could not be installed or run)"]

    lines += ["", "## ComposeBody over ten colours", "", "| line | time | per input byte |",
              "|---|---|---|"]
    for name, bench in compose.items():
        if bench.get("run_type") == "aggregate":  # the fitted growth, given below the table
            continue
        size = int(name.rsplit("/", 1)[-1]) if name.rsplit("/", 1)[-1].isdigit() else 0
        per = f"{ms(bench) * 1e6 / size:.1f} ns" if size else ""
        lines.append(f"| {name} | {ms(bench):.3f} ms | {per} |")
    for name, bench in compose.items():
        if bench.get("aggregate_name") == "BigO":
            rms = compose.get(name[:-len("BigO")] + "RMS", {}).get("rms")
            lines += ["", f"{bench['run_name']} grows as O({bench['big_o']}): "
                      f"{bench['real_coefficient']:.1f} {bench.get('time_unit', 'ns')} per input byte"
                      + (f", the sizes within {100 * rms:.1f} % of that line." if rms is not None
                         else ".")]

    lines += ["", "## On real windows (under Wine)", "",
              "Targets: Randomize at its worst within 0.5 s; Pause ends within 15 ms of its time and "
              "uses at most 2 % of the processor while it waits; the Self Test uses at most 2 % of "
              "one core; start-up from the splash click to the main window is at least the 0.5 s of "
              "its pauses.", "",
              "The life-cycle figures drive `vontrafx.exe` from outside against `substitute-host.exe`, "
              "a fresh add-on for each run. The Self Test's share is the add-on process's own "
              "processor time (user and kernel) from the press to its last caption, over that wall "
              "time; Wine counts processor time in 10 ms steps, and the work that Wine's server and "
              "the X server do for the add-on's windows is not in it.", "",
              "```", text(out / "pause.txt"), text(out / "main_window.txt"),
              text(out / "lifecycle.txt"), "```"]

    lines += ["", "## The message box's preview (under Wine)", "",
              "Targets: one keystroke in a 1,000-character line, the preview included, within 10 ms "
              "(median); a bar dragged across its range over ten colours keeps up, each step "
              "handled, recoloured and painted before the next.", "",
              "Wine's rich edit lays out a whole paragraph again after every change, at a cost that "
              "grows with the runs of different looks in it; the box without the preview shows what "
              "the rich edit itself costs.", "",
              "```", text(out / "preview.txt"), "```"]

    exe = dict(line.split("=", 1) for line in text(out / "exe.txt").splitlines() if "=" in line)
    dlls = exe.get("dlls", "").split()
    foreign = [d for d in dlls if d.lower() not in SYSTEM_DLLS]
    lines += ["", "## The executable", "",
              f"`vontrafx.exe`: {int(exe.get('size_bytes', 0)) / 1024:.0f} KiB, statically linked. "
              f"Imports: {', '.join(dlls) or 'not measured'}"
              + (f" — not system DLLs: {', '.join(foreign)}" if foreign else " (system DLLs only)") + ".",
              ""]
    print("\n".join(lines))


if __name__ == "__main__":
    main()
