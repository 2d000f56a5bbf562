#!/usr/bin/env python3
"""Prints the benchmark's table from the results that bench_run.py wrote.

  bench_table.py [RESULTS.json]   (default build/bench/out/corpus/results.json)

Two parts, each with its ratios to Vellaro's own line: the programs under
Wine (ratios to Vellaro's whole search) and the native programs (ratios to
the native run of Vellaro's core). A ratio below 1 means less than Vellaro.
The table is Markdown, so that it can go into the README as it is.
"""

import json
import os
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
DEFAULT = os.path.join(ROOT, "build", "bench", "out", "corpus", "results.json")
MB = 1e6


def ratio(value, base):
    return f"{value / base:.2f}×" if base else "–"


def rows(tools, base):
    out = []
    for t in tools:
        check = t["check"]
        groups = ("same" if check["same"] else f"DIFFERENT ({check['detail']})") \
            if check.get("groups") is not None else ("bytes ok" if check["same"] else check["detail"])
        if base is None:
            wall = cpu = peak = read = "–"
        else:
            wall = ratio(t["wall_s"], base["wall_s"])
            cpu = ratio(t["cpu_s"], base["cpu_s"])
            peak = ratio(t["peak_kb"], base["peak_kb"])
            read = ratio(t["rchar"], base["rchar"])
        spread = f"{t['wall_min_s']:.3f}–{t['wall_max_s']:.3f}" if "wall_min_s" in t else "–"
        out.append(f"| {t['label']} | {t['wall_s']:.3f} | {spread} | {wall} | {t['cpu_s']:.2f} | {cpu} | "
                   f"{t['peak_kb'] / 1024:.1f} | {peak} | {t['rchar'] / MB:.1f} | {read} | {groups} |")
    return out


def table(results):
    corpus = results["corpus"]
    tools = results["tools"]
    lines = [f"Corpus: {corpus['files']} files in {corpus['dirs']} folders, {corpus['bytes'] / MB:.1f} MB "
             f"({results['generator']} {corpus['requested_size']}); "
             f"{corpus['same_size_files']} non-empty files share their length "
             f"({corpus['same_size_bytes'] / MB:.1f} MB); {corpus['dup_groups']} groups. "
             f"{results.get('cache', 'warm').capitalize()} cache; each figure is the run of median wall time of {results['reps']}, "
             "with the spread of the wall times.", ""]
    header = ("| program | wall s | spread s | ×V | CPU s | ×V | peak MB | ×V | read MB | ×V | groups |\n"
              "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|")
    for kind, title, base_key in (("wine", "Under Wine (×V: ratio to Vellaro's whole search)", "vellaro"),
                                  ("native", "Native (×V: ratio to the native run of Vellaro's core)",
                                   "native")):
        part = [t for t in tools if t["kind"] == kind]
        if not part:
            continue
        base = next((t for t in part if t["key"] == base_key), None)
        lines += [f"**{title}**", "", header] + rows(part, base) + [""]

    by_key = {t["key"]: t for t in tools}
    notes = []
    if "native" in by_key:
        own = by_key["native"]["own_bytes"]
        notes.append(f"Bytes read by the comparison, the core's own count: {own / MB:.1f} MB "
                     f"({own / corpus['same_size_bytes']:.2f}× the bytes of the files that share "
                     f"their length).")
        phases = by_key["native"]["phases_s"]
        notes.append("Native core phases: " + ", ".join(f"{k} {v:.3f} s" for k, v in phases.items()) + ".")
    if "vellaro" in by_key:
        v = by_key["vellaro"]
        if "phases_s" in v:
            notes.append("Vellaro under Wine, phases: "
                         + ", ".join(f"{k} {s:.3f} s" for k, s in v["phases_s"].items())
                         + f" (its message: {v['message']}).")
        notes.append(f"Vellaro's CPU: {v['cpu_program_s']:.2f} s in its process, "
                     f"{v['cpu_wineserver_s']:.2f} s in the wineserver, {v['cpu_xserver_s']:.2f} s "
                     "in the X server.")
    if "floor" in by_key:
        f = by_key["floor"]
        notes.append("Wine floor phases: " + ", ".join(f"{k} {s:.3f} s" for k, s in f["phases_s"].items())
                     + f"; CPU {f['cpu_program_s']:.2f} s in its process, "
                     f"{f['cpu_wineserver_s']:.2f} s in the wineserver.")
    if "vellaro" in by_key and "floor" in by_key:
        v, f = by_key["vellaro"], by_key["floor"]
        notes.append(f"Vellaro's whole search takes {v['wall_s'] / f['wall_s']:.2f}× "
                     "the Wine floor's time.")
        notes.append(f"Vellaro's CPU is {v['cpu_s'] / f['cpu_s']:.2f}× the floor's: "
                     f"{v['cpu_program_s'] / f['cpu_program_s']:.2f}× in its process, "
                     f"{v['cpu_wineserver_s'] / f['cpu_wineserver_s']:.2f}× in the wineserver; "
                     f"peak memory {v['peak_kb'] / 1024:.1f} MB at {int(results['corpus']['files']):,} files.")
    if "native" in by_key and "jdupes" in by_key:
        notes.append(f"The native core takes {by_key['native']['wall_s'] / by_key['jdupes']['wall_s']:.2f}× "
                     "jdupes' time.")
    notes.append("Read MB is the kernel's count of bytes returned by read calls (rchar), cached or "
                 "not; under Wine it also counts the program's replies from the wineserver. CPU under "
                 "Wine adds the wineserver's and the X server's over the same interval.")
    return "\n".join(lines + [f"- {n}" for n in notes]) + "\n"


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else DEFAULT
    with open(path, encoding="utf-8") as f:
        text = table(json.load(f))
    with open(os.path.join(os.path.dirname(path), "table.md"), "w", encoding="utf-8") as f:
        f.write(text)
    sys.stdout.write(text)


if __name__ == "__main__":
    main()
