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
    """Each case by name: its median over the repetitions when there were several (bench/run asks
    for them), else its one run; the fitted growth under its own name."""
    try:
        data = json.loads(path.read_text())
    except (OSError, ValueError):
        return {}
    cases, medians = {}, {}
    for b in data.get("benchmarks", []):
        if b.get("aggregate_name") == "median":
            medians[b["run_name"]] = b
        elif b.get("run_type") == "aggregate" and b.get("aggregate_name") in ("BigO", "RMS"):
            cases[b["name"]] = b
        elif b.get("run_type") != "aggregate":
            cases.setdefault(b.get("run_name", b["name"]), b)
    cases.update(medians)
    return cases


def per_byte_ns(bench, size):
    return ms(bench) * 1e6 / size


def key_values(path):
    values = {}
    for line in text(path).splitlines():
        if "=" in line:
            key, value = line.split("=", 1)
            values[key.strip()] = value.strip()
    return values


def ms(bench):
    unit = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[bench.get("time_unit", "ns")]
    return bench["real_time"] * unit


def text(path):
    try:
        return path.read_text().strip()
    except OSError:
        return "not measured"


def verdict(met):
    """Met or missed when measured (`met` True or False); None when there is no figure."""
    return "not measured" if met is None else "**met**" if met else "**missed**"


class WindowsBuild:
    """The build whose programs bench/run measured under Wine: the shipped i686 one, or the x86_64
    build of the same sources on a machine whose kernel runs no 32-bit programs."""

    def __init__(self, out):
        self.preset = key_values(out / "windows.txt").get("preset", "win32")
        self.shipped = self.preset == "win32"
        self.name = "i686" if self.shipped else "win64"
        self.heading = ("under 32-bit Wine, the shipped i686 build" if self.shipped
                        else "under 64-bit Wine, the win64 build")

    def note(self):
        if self.shipped:
            return "the shipped i686 build under 32-bit Wine"
        return "the win64 build (x86_64, the same sources) under 64-bit Wine"

    def caveat(self):
        if self.shipped:
            return ""
        return (" This machine runs no 32-bit programs, so the Windows figures are not the shipped "
                "i686 program's own.")


def windows_breakdown(win32, build):
    """The Windows build's fade beside the limits that explain it, as a table."""
    cases = (("fade", "`FadeTwoColors`, a new string each call"),
             ("fresh_memcpy", "memcpy into a block allocated for the call"),
             ("fresh_touch", "one byte written per 4 KiB page of such a block: the first touch alone"),
             ("reused_fade", "the fade into one string kept across calls"),
             ("memcpy", "memcpy into one block kept across calls"))
    try:
        rows = [f"| {label} | {float(win32[f'plain_{key}_ms']):.2f} ms | "
                f"{float(win32[f'bold_{key}_ms']):.2f} ms |" for key, label in cases]
    except (KeyError, ValueError):
        return ["(not measured)"]
    return [f"| {build.name} under Wine, 1 MiB in | style text empty | &lt;B&gt; |", "|---|---|---|",
            *rows]


def ratio_row(goal, target, ratio, limit, details):
    """A goal's row: its ratio against the limit, or "not measured" with no verdict."""
    measured = f"{ratio:.2f} ×" if ratio is not None else "not measured"
    met = None if ratio is None else ratio <= limit
    return f"| {goal} | {target} | {measured} | {verdict(met)} | {details if ratio is not None else ''} |"


def vfx_figures(out):
    """What bench/vfx_bench.py and gradient_string.mjs measured of the vfx command."""
    try:
        figures = json.loads((out / "vfx.json").read_text())
    except (OSError, ValueError):
        figures = {}
    try:
        gradient = json.loads((out / "gradient.json").read_text())
    except (OSError, ValueError):
        gradient = {}
    return figures, gradient


def vfx_goals(out):
    """The command's rows of the goals: within 2 × cat, 1,000 × lolcat, 100 × gradient-string."""
    figures, gradient = vfx_figures(out)
    rows = []
    for size, label in (("1m", "1 MiB"), ("64m", "64 MiB")):
        case = figures.get(size)
        if case:
            ratio = case["vfx_ms"] / case["cat_ms"]
            rows.append(f"| `vfx --format ansi --color=always`, {label} of lines into /dev/null, "
                        f"against `cat` of a file as large as its output "
                        f"({case['output_bytes'] / 2**20:.0f} MiB) | ≤ 2 × | {ratio:.2f} × "
                        f"| {verdict(ratio <= 2.0)} | {case['vfx_ms']:.1f} ms against "
                        f"{case['cat_ms']:.1f} ms |")
        else:
            rows.append(f"| `vfx` against `cat`, {label} | ≤ 2 × | not measured | **missed** | |")
    small = figures.get("1m")
    for name, peer, target in (("lolcat -t -f", figures.get("lolcat_ms"), 1000),
                               ("gradient-string, line by line", gradient.get("linesMilliseconds"),
                                100)):
        if small and peer:
            ratio = peer / small["vfx_ms"]
            rows.append(f"| `vfx` against {name} on the same 1 MiB | ≥ {target:,} × faster "
                        f"| {ratio:,.0f} × | {verdict(ratio >= target)} | {peer:,.0f} ms against "
                        f"{small['vfx_ms']:.1f} ms |")
        else:
            rows.append(f"| `vfx` against {name} on the same 1 MiB | ≥ {target:,} × faster "
                        "| not measured | **missed** | |")
    return rows


def goals(out, fade, compose, build):
    """One line for each goal: the figure, the target and whether it is met."""
    rows = []

    def fade_ratio(style):
        name, copy = f"BM_FadeTwoColors/{style}/1048576", f"BM_MemcpyOfFadeOutput/{style}/1048576"
        return ms(fade[name]) / ms(fade[copy]) if name in fade and copy in fade else None

    win32 = key_values(out / "fade_windows.txt")
    for style, label in (("plain", "empty"), ("bold", "&lt;B&gt;")):
        rows.append(ratio_row(f"`FadeTwoColors`, 1 MiB, style text {label}, against memcpy of its own "
                              "output", "≤ 2.0 ×", fade_ratio(style), 2.0, "native"))
    # The Windows build: every call returns a new 21 MiB string, which the Windows heap maps
    # afresh, so its fair limit is memcpy into a fresh block; the fade's own work is measured
    # apart, into a string kept across calls, against memcpy into a warm block.
    for style, label in (("plain", "empty"), ("bold", "&lt;B&gt;")):
        for case, limit, what in (("fade", "fresh_memcpy", "memcpy into a fresh block of that size"),
                                  ("reused_fade", "memcpy",
                                   "memcpy into a warm block (the fade into a string kept across calls)")):
            try:
                mine, floor = float(win32[f"{style}_{case}_ms"]), float(win32[f"{style}_{limit}_ms"])
                ratio = mine / floor
                figure, met = f"{ratio:.2f} ×", ratio <= 2.0
                note = f"{mine:.2f} ms against {floor:.2f} ms"
            except (KeyError, ValueError, ZeroDivisionError):
                reason = text(out / "fade_windows.txt").splitlines()
                figure = reason[0] if reason and reason[0].startswith("not measured") else "not measured"
                met, note = None, ""
            rows.append(f"| {build.name} `FadeTwoColors`, 1 MiB, style text {label}, against {what} "
                        f"| ≤ 2.0 × | {figure} | {verdict(met)} | {note} |")

    body = compose.get("BM_ComposeBody/ten_colours/1048576")
    single = compose.get("BM_FadeTwoColorsOverTheLine/1048576")
    ratio = ms(body) / ms(single) if body and single else None
    rows.append(ratio_row("`ComposeBody` over ten colours against one `FadeTwoColors` over the same "
                          "1 MiB line", "≤ 1.15 ×", ratio, 1.15,
                          f"{ms(body):.2f} ms against {ms(single):.2f} ms" if ratio else ""))

    wavy = compose.get("BM_ComposeBody/ten_colours_wavy/1048576")
    ratio = ms(wavy) / ms(body) if wavy and body else None
    rows.append(ratio_row("The wavy body against the plain body, ten colours, 1 MiB", "≤ 2 ×", ratio,
                          2.0, f"{ms(wavy):.2f} ms against {ms(body):.2f} ms" if ratio else ""))

    # Flat: no larger input may cost more per byte than a quarter above what 1 KiB costs.
    for label, results, pattern in (("`FadeTwoColors`", fade, "BM_FadeTwoColors/plain/{}"),
                                    ("`ComposeBody`, ten colours", compose,
                                     "BM_ComposeBody/ten_colours/{}")):
        sizes = [(size, results.get(pattern.format(size))) for size in (1024, 65536, 1048576)]
        if all(bench for _, bench in sizes):
            per = [per_byte_ns(bench, size) for size, bench in sizes]
            growth = max(per[1:]) / per[0]
            figure = " → ".join(f"{value:.2f}" for value in per) + " ns"
            rows.append(f"| {label}: cost per input byte from 1 KiB over 64 KiB to 1 MiB "
                        f"| flat (no more than 1.25 × the 1 KiB figure) | {figure} "
                        f"| {verdict(growth <= 1.25)} | the largest is {growth:.2f} × the 1 KiB figure |")
        else:
            rows.append(f"| {label}: cost per input byte from 1 KiB to 1 MiB | flat | not measured "
                        f"| {verdict(None)} | |")

    rows += vfx_goals(out)

    return ["## Goals", "",
            "| goal | target | measured | | |", "|---|---|---|---|---|", *rows, "",
            "Native figures are the medians of the repetitions in this run; the "
            f"{build.name} figures come from `fade_ratio_bench.exe` on {build.note()} (medians of "
            "101 rounds, every case once a round). `FadeTwoColors` returns a new string on every "
            "call. The Windows heap (Wine's as well) hands a block this large back to the system "
            "when it is freed, so there every fade writes its 21 MiB into fresh pages, which the "
            "system maps and zeroes at their first touch; glibc keeps the block, and the native "
            f"fade, like memcpy's target, writes into warm pages. Where the {build.name} time goes:", "",
            *windows_breakdown(win32, build), "",
            "The cost per byte falls as the text grows: a long text changes colour at most some "
            "765 times, so the fade computes one colour per run of equal colours, while a 1 KiB "
            "text from red to blue changes colour every other character and computes each.", ""]


def main():
    out, revision = pathlib.Path(sys.argv[1]), sys.argv[2]
    fade, compose = benchmarks(out / "fade.json"), benchmarks(out / "compose.json")
    build = WindowsBuild(out)
    lines = ["# Performance record", "",
             f"Measured by `bench/run` at revision `{revision}` on {platform.machine()} "
             f"({platform.system()}, 2 cores), the Windows figures on {build.note()}."
             f"{build.caveat()} Run `bench/run` to measure again; it rewrites this page.", ""]

    lines += goals(out, fade, compose, build)

    lines += ["## The fade against memcpy of its own output", "",
              "The fade's output is about 21 times its input; memcpy of as many bytes is the floor "
              "for writing it.", "",
              "| input | fade | output | memcpy of the output | ratio |",
              "|---|---|---|---|---|"]
    for style in ("plain", "bold"):
        name, copy = f"BM_FadeTwoColors/{style}/1048576", f"BM_MemcpyOfFadeOutput/{style}/1048576"
        if name in fade and copy in fade:
            lines.append(f"| 1 MiB, style text {'empty' if style == 'plain' else '&lt;B&gt;'} "
                         f"| {ms(fade[name]):.2f} ms | {fade[name].get('output_MiB', 0):.1f} MiB "
                         f"| {ms(fade[copy]):.2f} ms | {ms(fade[name]) / ms(fade[copy]):.2f} × |")
    wavy = fade.get("BM_FadeWavy/1048576")
    if wavy:
        lines.append(f"| 1 MiB, `FadeWavy` | {ms(wavy):.2f} ms | {wavy.get('output_MiB', 0):.1f} MiB "
                     "| | |")
    lines += ["", "Growth with the input (cost per input byte):", "",
              "| input | fade | per input byte |", "|---|---|---|"]
    for size, label in ((1024, "1 KiB"), (65536, "64 KiB"), (1048576, "1 MiB")):
        name = f"BM_FadeTwoColors/plain/{size}"
        if name in fade:
            lines.append(f"| {label} | {ms(fade[name]):.3f} ms | {per_byte_ns(fade[name], size):.2f} ns |")

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

    figures, gradient = vfx_figures(out)
    lines += ["", "## The vfx command against cat, lolcat and gradient-string", "",
              "`vfx --format ansi --color=always` (its default colours, the ten of Jelly Jar, "
              "each line over its own length, a 24-bit colour code per run) on 1 MiB of prose "
              "in lines of 40 to 90 characters, and on 64 copies of it, into /dev/null; `cat` "
              "of a file as large as what vfx wrote is the floor for writing that output. Wall "
              "times of whole processes, start-up included, medians of the runs.", "",
              "| input | vfx | output | cat of the output | ratio |", "|---|---|---|---|---|"]
    for size, label in (("1m", "1 MiB"), ("64m", "64 MiB")):
        case = figures.get(size)
        if case:
            lines.append(f"| {label} | {case['vfx_ms']:.1f} ms | {case['output_bytes'] / 2**20:.0f} MiB "
                         f"| {case['cat_ms']:.1f} ms | {case['vfx_ms'] / case['cat_ms']:.2f} × |")
    if figures.get("lolcat_ms"):
        lines += ["", f"Debian's `lolcat -t -f` (true colour, forced) on the same 1 MiB: "
                      f"{figures['lolcat_ms'] / 1000:.1f} s, one run."]
    if gradient.get("linesMilliseconds"):
        lines += ["", f"gradient-string over the same ten colours, line by line: "
                      f"{gradient['linesMilliseconds']:.0f} ms inside Node.js (its start-up not "
                      "counted)."]

    lines += ["", "## ComposeBody over ten colours", "", "| line | time | per input byte |",
              "|---|---|---|"]
    for name, bench in compose.items():
        if bench.get("aggregate_name") in ("BigO", "RMS"):  # the fitted growth, given below
            continue
        size = int(name.rsplit("/", 1)[-1]) if name.rsplit("/", 1)[-1].isdigit() else 0
        per = f"{per_byte_ns(bench, size):.2f} ns" if size else ""
        lines.append(f"| {name} | {ms(bench):.3f} ms | {per} |")
    for name, bench in compose.items():
        if bench.get("aggregate_name") == "BigO":
            rms = compose.get(name[:-len("BigO")] + "RMS", {}).get("rms")
            lines += ["", f"{bench['run_name']} grows as O({bench['big_o']}): "
                      f"{bench['real_coefficient']:.1f} {bench.get('time_unit', 'ns')} per input byte"
                      + (f", the sizes within {100 * rms:.1f} % of that line." if rms is not None
                         else ".")]

    lines += ["", "## The blends", "",
              "`ComposeBody` over the same ten colours with each blend; Even and Vivid compute every "
              "character's colour in Oklab (Vivid brings a point outside sRGB back to the most "
              "chroma inside, which most characters between these saturated colours need).", "",
              "| blend | 1 KiB | 1 MiB | per input byte (1 MiB) | against Straight (1 KiB) |",
              "|---|---|---|---|---|"]
    straight = compose.get("BM_ComposeBodyBlend/straight/1024")
    for name in ("straight", "even", "vivid"):
        small = compose.get(f"BM_ComposeBodyBlend/{name}/1024")
        large = compose.get(f"BM_ComposeBodyBlend/{name}/1048576")
        if small and large:
            against = f"{ms(small) / ms(straight):.2f} ×" if straight else ""
            lines.append(f"| {name.capitalize()} | {ms(small) * 1e3:.1f} µs | {ms(large):.2f} ms "
                         f"| {per_byte_ns(large, 1048576):.2f} ns | {against} |")

    ideas = pathlib.Path(__file__).with_name("ideas.md")
    if ideas.exists():
        lines += ["", ideas.read_text().rstrip()]

    lines += ["", f"## On real windows ({build.heading})", "",
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

    lines += ["", f"## The message box's preview ({build.heading})", "",
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
    # What was measured by hand (a long session, the start-up on another build) and is not
    # measured again here: kept beside this script, one file a section, in name order.
    for note in sorted(pathlib.Path(__file__).with_name("notes").glob("*.md")):
        lines += ["", note.read_text().rstrip()]
    print("\n".join(lines))


if __name__ == "__main__":
    main()
