#!/usr/bin/env python3
"""Runs the benchmark: Vellaro's whole search under Wine and the Wine floor,
the native run of the core, and the peer tools, on one corpus; checks that
all find the same groups of non-empty files and writes the measurements to
a JSON file (scripts/bench_table.py prints them).

  bench_run.py corpus SIZE           build (or reuse) the mixed tree of
                                     ../shared/perf/make_corpus.py in
                                     build/corpus/tree
  bench_run.py corpus --small COUNT  build (or reuse) COUNT small files
                                     (bench/make_small_tree.py) in
                                     build/corpus-small/tree
  bench_run.py measure [--small] [--reps N] [--only vellaro,floor] [--cold]
                                     measure everything on that tree; run
                                     under scripts/with-wine.sh; with
                                     --cold (as root) the page cache is
                                     dropped before every run instead, and
                                     the results go to build/bench/out/
                                     corpus-cold (or corpus-small-cold)
  bench_run.py responsive FILES [--keep]
                                     the longest time Vellaro's main window
                                     leaves a question of another program
                                     unanswered after a search of FILES
                                     small files, until its result is shown
                                     (tools/answer_probe.cpp); the tree
                                     (build/corpus-responsive) is deleted
                                     afterwards unless --keep; run under
                                     scripts/with-wine.sh; prints one line
  bench_run.py delete LINES TICKED [--reps N] [--modes good,recycle,link]
                                     Vellaro's deletion of TICKED of LINES
                                     candidate lines, for good and into the
                                     Recycle Bin, against a bare Wine loop
                                     making the same file-system calls
                                     (tools/wine_delete_floor.cpp), on a
                                     tree of bench/make_delete_tree.py; run
                                     under scripts/with-wine.sh; prints its
                                     table. The mode link replaces the same
                                     files by hard links, against Vellaro's
                                     deletion of them for good, in turn

Every measure runs N times (5 by default), each run after the files have
been read to warm the cache; the run of median wall time counts, and the table
shows the spread of all N. Wall time, CPU time (user+sys),
peak memory (max RSS) and bytes read (the kernel's rchar: bytes returned by
read calls, cached or not) are taken from outside the process:
  * native tools: wait4's resource usage, and /proc/PID/io of the ended
    process before it is reaped;
  * programs under Wine: /proc of the Windows program's process sampled
    around the work alone (the program waits for the sampling at both
    ends); CPU time adds that of the wineserver and of the X server over the
    same interval, since Wine does part of a program's work there. Wall time
    is the program's own: press of Search to the time message for Vellaro,
    walk plus reads for the floor.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import time
from collections import defaultdict

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
BUILD = os.path.join(ROOT, "build")
BENCH_BUILD = os.path.join(BUILD, "bench")
MAKE_CORPUS = os.path.abspath(os.path.join(ROOT, "..", "shared", "perf", "make_corpus.py"))
MAKE_SMALL_TREE = os.path.join(ROOT, "bench", "make_small_tree.py")
MAKE_DELETE_TREE = os.path.join(ROOT, "bench", "make_delete_tree.py")
# The tree measured, and where its results go: set by use_corpus().
CORPUS = TREE = OUT = ""


def use_corpus(small):
    global CORPUS, TREE, OUT
    name = "corpus-small" if small else "corpus"
    CORPUS = os.path.join(BUILD, name)
    TREE = os.path.join(CORPUS, "tree")
    OUT = os.path.join(BENCH_BUILD, "out", name)
CLOCK_TICK = os.sysconf("SC_CLK_TCK")
WINDOWS_BUILD = os.environ.get("VELLARO_WINE", "win32")  # as scripts/wine-build.sh chose


# ---- corpus ---------------------------------------------------------------

def requested_size(text):
    sys.path.insert(0, os.path.dirname(MAKE_CORPUS))
    import make_corpus  # noqa: E402  (the corpus script's own size parser)
    return make_corpus.parse_size(text)


def build_corpus(size_text, small):
    size = int(float(size_text)) if small else requested_size(size_text)
    summary_file = os.path.join(CORPUS, "tree.summary.json")
    if os.path.exists(summary_file):
        with open(summary_file, encoding="utf-8") as f:
            if json.load(f).get("requested_size") == size:
                print(f"corpus: reusing {TREE}")
                return
    shutil.rmtree(CORPUS, ignore_errors=True)
    print(f"corpus: building {TREE} ({size} {'files' if small else 'bytes'})")
    command = [MAKE_SMALL_TREE, "--files"] if small else [MAKE_CORPUS, "--size"]
    subprocess.run([sys.executable] + command + [str(size), TREE], check=True, stdout=subprocess.DEVNULL)


# ---- /proc ----------------------------------------------------------------

def read_proc(pid, name):
    with open(f"/proc/{pid}/{name}", "rb") as f:
        return f.read().decode("utf-8", "replace")


def proc_io(pid):
    fields = dict(line.split(": ") for line in read_proc(pid, "io").splitlines())
    return int(fields["rchar"]), int(fields["read_bytes"])


def proc_cpu(pid):
    """User plus system seconds of all threads of a running process."""
    stat = read_proc(pid, "stat")
    fields = stat[stat.rindex(")") + 2:].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICK


def proc_hwm_kb(pid):
    for line in read_proc(pid, "status").splitlines():
        if line.startswith("VmHWM:"):
            return int(line.split()[1])
    return 0


def all_pids():
    return [int(p) for p in os.listdir("/proc") if p.isdigit()]


def argv_of(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return f.read().split(b"\0")
    except OSError:
        return []


def in_our_prefix(pid):
    try:
        with open(f"/proc/{pid}/environ", "rb") as f:
            env = f.read().split(b"\0")
    except OSError:
        return False
    return ("WINEPREFIX=" + os.environ["WINEPREFIX"]).encode() in env


def find_windows_process(exe):
    """Linux pid of the process running the Windows program `exe` in our prefix."""
    for pid in all_pids():
        argv = argv_of(pid)
        name = argv[0].replace(b"\\", b"/").rsplit(b"/", 1)[-1].decode("utf-8", "replace") if argv else ""
        if name.lower() == exe.lower() and in_our_prefix(pid):
            return pid
    return None


def helper_pids():
    """The wineserver of our prefix and the X server of our display."""
    helpers = {}
    display = os.environ.get("DISPLAY", "")
    for pid in all_pids():
        argv = argv_of(pid)
        if not argv:
            continue
        base = os.path.basename(argv[0].decode("utf-8", "replace"))
        if base.startswith("wineserver") and in_our_prefix(pid):
            helpers["wineserver"] = pid
        elif base == "Xvfb" and len(argv) > 1 and argv[1].decode() == display:
            helpers["xserver"] = pid
    return helpers


class ProcessSample:
    def __init__(self, pid, helpers):
        self.cpu = proc_cpu(pid)
        self.helper_cpu = {name: proc_cpu(h) for name, h in helpers.items()}
        self.rchar, self.read_bytes = proc_io(pid)
        self.hwm_kb = proc_hwm_kb(pid)


# ---- running tools --------------------------------------------------------

def run_native(name, argv, cwd, stdout_path):
    """Runs a Linux program to its end; its costs, from the kernel.

    It runs under /usr/bin/time, whose report of the peak memory starts from
    that small program's and not from this script's (a child's max RSS
    counts the memory of the process it was forked from). The ended time
    process, before it is reaped, holds the bytes read by the program it
    waited for; wait4 gives the CPU time of both (time's own is tiny).
    """
    os.makedirs(cwd, exist_ok=True)
    report = os.path.join(cwd, "time.report")
    with open(stdout_path, "wb") as out:
        start = time.perf_counter()
        process = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", report] + argv, cwd=cwd,
                                   stdout=out, stderr=subprocess.PIPE)
        os.waitid(os.P_PID, process.pid, os.WEXITED | os.WNOWAIT)
        wall = time.perf_counter() - start
        rchar, read_bytes = proc_io(process.pid)
        _, status, usage = os.wait4(process.pid, 0)
    stderr = process.stderr.read().decode("utf-8", "replace")
    process.stderr.close()
    if os.waitstatus_to_exitcode(status) != 0:
        raise RuntimeError(f"{name} failed: {stderr.strip()}")
    with open(report, encoding="utf-8") as f:
        peak_kb = int(f.read().split()[-1])
    return {"wall_s": wall, "cpu_s": usage.ru_utime + usage.ru_stime, "peak_kb": peak_kb,
            "rchar": rchar, "read_bytes": read_bytes}


def read_lines_until(name, process, marker, lines):
    """Reads the Windows program's output lines into `lines` up to `marker`."""
    for raw in process.stdout:
        line = raw.decode("cp932", "replace").rstrip("\r\n")
        if line == marker:
            return
        lines.append(line)
    raise RuntimeError(f"{name} ended early: {' | '.join(lines)} "
                       f"{process.stderr.read().decode('utf-8', 'replace').strip()}")


def run_wine_synced(name, argv, exe):
    """Runs a Windows program that prints "ready" and "done" around its work
    and waits for a line after each; samples it at both points."""
    process = subprocess.Popen([os.environ["WINE"]] + argv, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE)
    lines = []

    def read_until(marker):
        read_lines_until(name, process, marker, lines)

    try:
        read_until("ready")
        pid = find_windows_process(exe)
        if pid is None:
            raise RuntimeError(f"{name}: no process running {exe}")
        helpers = helper_pids()
        before = ProcessSample(pid, helpers)
        process.stdin.write(b"go\n")
        process.stdin.flush()
        read_until("done")
        after = ProcessSample(pid, helpers)
        process.stdin.write(b"go\n")
        process.stdin.close()
        # Saving a list of a million lines and reading it takes a while.
        process.wait(timeout=3600)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    values = dict(line.split(" ", 1) for line in lines if " " in line)
    helper_cpu = {name: after.helper_cpu[name] - before.helper_cpu[name] for name in helpers}
    return values, {
        "cpu_s": (after.cpu - before.cpu) + sum(helper_cpu.values()),
        "cpu_program_s": after.cpu - before.cpu,
        "cpu_wineserver_s": helper_cpu.get("wineserver", 0.0),
        "cpu_xserver_s": helper_cpu.get("xserver", 0.0),
        "peak_kb": after.hwm_kb,
        "rchar": after.rchar - before.rchar,
        "read_bytes": after.read_bytes - before.read_bytes,
    }


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


# ---- groups ---------------------------------------------------------------

def blank_line_groups(path, encoding="utf-8"):
    with open(path, "rb") as f:
        text = f.read().decode(encoding, "surrogateescape")
    return [block.splitlines() for block in text.split("\n\n") if block.strip()]


def rdfind_groups(path):
    by_id = defaultdict(list)
    with open(path, "rb") as f:
        for raw in f:
            line = raw.decode("utf-8", "surrogateescape").rstrip("\n")
            if line.startswith("#") or not line:
                continue
            fields = line.split(" ", 7)
            by_id[abs(int(fields[1]))].append(fields[7])
    return list(by_id.values())


def rmlint_groups(path):
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        records = json.load(f)
    by_sum = defaultdict(list)
    for record in records:
        if record.get("type") == "duplicate_file":
            by_sum[(record["size"], record["checksum"])].append(record["path"])
    return list(by_sum.values())


class Truth:
    def __init__(self):
        with open(os.path.join(CORPUS, "tree.truth.json"), encoding="utf-8") as f:
            self.groups = {frozenset(g) for g in json.load(f)["groups"]}
        self.sizes = {}
        with open(os.path.join(CORPUS, "tree.manifest.tsv"), encoding="utf-8") as f:
            next(f)
            for line in f:
                size, _, _, rel = line.rstrip("\n").split("\t", 3)
                self.sizes[rel] = int(size)
        with open(os.path.join(CORPUS, "tree.summary.json"), encoding="utf-8") as f:
            self.summary = json.load(f)

    def check(self, groups, prefix, separator="/"):
        """Compares groups of full paths with the truth; empty files left out."""
        found = set()
        for group in groups:
            rels = []
            for path in group:
                if not path.startswith(prefix):
                    return {"same": False, "detail": f"unexpected path {path!r}"}
                rels.append(path[len(prefix):].replace(separator, "/"))
            if all(self.sizes.get(r, -1) == 0 for r in rels):
                continue
            found.add(frozenset(rels))
        missing, extra = self.groups - found, found - self.groups
        return {"same": not missing and not extra, "groups": len(found),
                "detail": f"{len(missing)} missing, {len(extra)} extra" if missing or extra else ""}


# ---- the measures ---------------------------------------------------------

# Ten folder-name patterns, as a user would exclude them, none of which
# names a folder of the trees: the same files are walked, and each folder
# met is judged against all ten.
EXCLUSIONS = [".git", "node_modules", "$RECYCLE.BIN", "System Volume Information", "*.cache", "__pycache__",
              "*.tmp", "obj", "Thumbs*", "~*"]


def measure_vellaro(truth, exclusions=()):
    groups_file = os.path.join(OUT, "vellaro.groups")
    excluding = [arg for text in exclusions for arg in ("--exclude", text)]
    values, cost = run_wine_synced(
        "Vellaro", [os.path.join(BUILD, WINDOWS_BUILD, "drive_vellaro.exe"), windows_path(TREE), "--sync",
                    "--exit", "--groups", windows_path(groups_file)] + excluding, "vellaro.exe")
    ms = {k: int(values[k]) for k in ("collect_ms", "compare_ms", "elapsed_ms")}
    result = dict(cost, wall_s=ms["elapsed_ms"] / 1000, message=values.get("message", ""))
    if ms["collect_ms"] >= 0 and ms["compare_ms"] >= 0:
        result["phases_s"] = {"collection": ms["collect_ms"] / 1000,
                              "ordering": (ms["compare_ms"] - ms["collect_ms"]) / 1000,
                              "comparison": (ms["elapsed_ms"] - ms["compare_ms"]) / 1000}
    result["check"] = truth.check(blank_line_groups(groups_file), windows_path(TREE) + "\\", "\\")
    return result


def measure_floor(truth):
    values, cost = run_wine_synced(
        "Wine floor", [os.path.join(BUILD, WINDOWS_BUILD, "wine_floor.exe"), windows_path(TREE), "--sync"],
        "wine_floor.exe")
    result = dict(cost, wall_s=float(values["total_ms"]) / 1000, own_bytes=int(values["bytes_read"]),
                  phases_s={"walk": float(values["walk_ms"]) / 1000,
                            "reads": float(values["read_ms"]) / 1000})
    expected = truth.summary["same_size_bytes"]
    result["check"] = {"same": result["own_bytes"] == expected, "groups": None,
                       "detail": "" if result["own_bytes"] == expected
                       else f"read {result['own_bytes']} bytes, expected {expected}"}
    return result


def measure_native_core(truth):
    groups_file = os.path.join(OUT, "native.groups")
    stdout_file = os.path.join(OUT, "native.out")
    result = run_native("native core", [os.path.join(BENCH_BUILD, "vellaro_native_bench"), TREE, "--groups",
                                        groups_file], OUT, stdout_file)
    with open(stdout_file, encoding="utf-8") as f:
        values = dict(line.split(" ", 1) for line in f.read().splitlines())
    result["own_bytes"] = int(values["bytes_read"])
    result["phases_s"] = {k: float(values[k + "_ms"]) / 1000 for k in ("walk", "order", "compare")}
    result["check"] = truth.check(blank_line_groups(groups_file), TREE + "/")
    return result


def measure_peer(truth, name):
    cwd = os.path.join(OUT, "peers", name)
    shutil.rmtree(cwd, ignore_errors=True)
    stdout_file = os.path.join(cwd, "stdout")
    os.makedirs(cwd)
    argv = {"jdupes": ["jdupes", "-rq", TREE],
            "fdupes": ["fdupes", "-rq", TREE],
            "rdfind": ["rdfind", "-dryrun", "true", TREE],
            "rmlint": ["rmlint", "-T", "df", TREE]}[name]
    result = run_native(name, argv, cwd, stdout_file)
    if name in ("jdupes", "fdupes"):
        groups = blank_line_groups(stdout_file)
    elif name == "rdfind":
        groups = rdfind_groups(os.path.join(cwd, "results.txt"))
    else:
        groups = rmlint_groups(os.path.join(cwd, "rmlint.json"))
    result["check"] = truth.check(groups, TREE + "/")
    return result


TOOLS = [("vellaro", "Vellaro, whole search", "wine", measure_vellaro),
         # On the small files alone (see measure), between the others'
         # runs, so that both searches meet the same load.
         ("vellaro-excluding", "Vellaro, ten exclusions", "wine", lambda t: measure_vellaro(t, EXCLUSIONS)),
         ("floor", "Wine floor", "wine", measure_floor),
         ("native", "Vellaro core, native", "native", measure_native_core),
         ("jdupes", "jdupes -rq", "native", lambda t: measure_peer(t, "jdupes")),
         ("fdupes", "fdupes -rq", "native", lambda t: measure_peer(t, "fdupes")),
         ("rdfind", "rdfind -dryrun true", "native", lambda t: measure_peer(t, "rdfind")),
         ("rmlint", "rmlint -T df", "native", lambda t: measure_peer(t, "rmlint"))]


def warm_cache():
    block = bytearray(1 << 20)
    for folder, _, names in os.walk(TREE):
        for name in names:
            with open(os.path.join(folder, name), "rb", buffering=0) as f:
                while f.readinto(block):
                    pass


def drop_cache():
    # What a user meets on a disk not read for a while: nothing of the tree
    # in memory.
    os.sync()
    with open("/proc/sys/vm/drop_caches", "w") as f:
        f.write("3\n")


def measure(reps, small, only, cold):
    global OUT
    if "WINEPREFIX" not in os.environ or "DISPLAY" not in os.environ:
        sys.exit("bench_run.py measure runs under scripts/with-wine.sh")
    if cold and os.geteuid() != 0:
        sys.exit("bench_run.py measure --cold drops the page cache, which needs root")
    if cold:
        OUT += "-cold"  # every file of the runs goes there
    subprocess.run([os.environ["WINE"], "reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                    "/t", "REG_DWORD", "/d", "0", "/f"], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    truth = Truth()
    os.makedirs(OUT, exist_ok=True)
    runs = defaultdict(list)
    for rep in range(reps):
        for key, label, _, run in TOOLS:
            if only and key not in only:
                continue
            if key == "vellaro-excluding" and not small:
                continue
            # Before every run: this machine's host takes back cached pages
            # between runs (hundreds of MB of the tree were found uncached
            # after a full round), so a run would otherwise read from disk
            # what the runs before it left unread.
            if cold:
                drop_cache()
            else:
                warm_cache()
            try:
                result = run(truth)
            except (RuntimeError, OSError, KeyError, ValueError, subprocess.TimeoutExpired) as error:
                print(f"  {label}: failed: {error}", file=sys.stderr)
                continue
            print(f"  run {rep + 1}/{reps} {label:24} {result['wall_s']:8.3f} s", file=sys.stderr)
            runs[key].append(result)
    results = {"corpus": truth.summary, "reps": reps, "tools": [], "cache": "cold" if cold else "warm",
               "generator": "bench/make_small_tree.py --files" if small else "make_corpus.py --size"}
    for key, label, kind, _ in TOOLS:
        if runs[key]:
            walls = sorted(r["wall_s"] for r in runs[key])
            median = sorted(runs[key], key=lambda r: r["wall_s"])[(len(walls) - 1) // 2]
            results["tools"].append(dict(median, key=key, label=label, kind=kind, runs=len(walls),
                                         wall_min_s=walls[0], wall_max_s=walls[-1]))
    with open(os.path.join(OUT, "results.json"), "w", encoding="utf-8") as f:
        json.dump(results, f, ensure_ascii=False, indent=1)


# ---- deletion -------------------------------------------------------------

def fresh_tree(template, tree):
    """The tree as generated, written to disk, and an empty Recycle Bin
    (Wine's freedesktop Trash under the benchmark's home). Unwritten, a file
    deleted soon after its copy costs the file system far less than one on
    disk (ext4 allocates its blocks only when writing it back), which would
    favour whichever run starts first after the copy: the floor, since
    Vellaro searches first."""
    shutil.rmtree(tree, ignore_errors=True)
    subprocess.run(["cp", "-a", template, tree], check=True)
    os.sync()
    shutil.rmtree(os.path.join(os.environ["VELLARO_HOME"], ".local", "share", "Trash"), ignore_errors=True)


def files_in(tree):
    return sum(len(names) for _, _, names in os.walk(tree))


def measure_deletion(lines, ticked, reps, modes):
    if "WINEPREFIX" not in os.environ or "DISPLAY" not in os.environ:
        sys.exit("bench_run.py delete runs under scripts/with-wine.sh")
    corpus = os.path.join(BUILD, f"corpus-delete-{lines}-{ticked}")
    template = os.path.join(corpus, "template")
    tree = os.path.join(corpus, "tree")
    out = os.path.join(BENCH_BUILD, "out", "delete")
    pairs = os.path.join(out, f"pairs-{lines}-{ticked}.txt")
    os.makedirs(out, exist_ok=True)
    if not os.path.isdir(template):
        print(f"corpus: building {template} ({lines} lines, {ticked} ticked)")
        subprocess.run([sys.executable, MAKE_DELETE_TREE, template + ".new", "--lines", str(lines), "--ticked",
                        str(ticked)], check=True)
        os.rename(template + ".new", template)
    tools = os.path.join(BUILD, WINDOWS_BUILD)
    rows = []
    for mode in modes:
        runs = defaultdict(list)
        for rep in range(reps):
            fresh_tree(template, tree)
            values, cost = run_wine_synced(
                "Vellaro deletion", [os.path.join(tools, "drive_vellaro.exe"), windows_path(tree), "--sync",
                                     "--exit", "--delete", str(ticked), mode, windows_path(pairs)], "vellaro.exe")
            # Replaced by links, every name stays.
            left = files_in(tree)
            message = values.get("message", "")
            runs["vellaro"].append(dict(cost, wall_s=int(values["delete_ms"]) / 1000, message=message,
                                        ok=left == lines if mode == "link" else left == lines - ticked))
            fresh_tree(template, tree)
            if mode == "link":
                # Against the deletion of the same files for good, in turn.
                values, cost = run_wine_synced(
                    "Vellaro deletion", [os.path.join(tools, "drive_vellaro.exe"), windows_path(tree), "--sync",
                                         "--exit", "--delete", str(ticked), "good", windows_path(pairs)],
                    "vellaro.exe")
                runs["floor"].append(dict(cost, wall_s=int(values["delete_ms"]) / 1000,
                                          ok=files_in(tree) == lines - ticked))
            else:
                values, cost = run_wine_synced(
                    "Wine deletion floor", [os.path.join(tools, "wine_delete_floor.exe"), windows_path(pairs),
                                            mode, "--sync"], "wine_delete_floor.exe")
                runs["floor"].append(dict(cost, wall_s=float(values["total_ms"]) / 1000,
                                          ok=int(values["deleted"]) == ticked))
            print(f"  {mode} run {rep + 1}/{reps}: Vellaro {runs['vellaro'][-1]['wall_s']:.3f} s, "
                  f"{'deletion' if mode == 'link' else 'floor'} {runs['floor'][-1]['wall_s']:.3f} s",
                  file=sys.stderr)
        medians = {}
        for key, measured in runs.items():
            ordered = sorted(measured, key=lambda r: r["wall_s"])
            medians[key] = dict(ordered[(len(ordered) - 1) // 2], wall_min_s=ordered[0]["wall_s"],
                                wall_max_s=ordered[-1]["wall_s"], all_ok=all(r["ok"] for r in measured))
        rows.append({"mode": mode, **medians})
    shutil.rmtree(tree, ignore_errors=True)
    results = {"lines": lines, "ticked": ticked, "reps": reps, "rows": rows}
    with open(os.path.join(out, f"results-{lines}-{ticked}.json"), "w", encoding="utf-8") as f:
        json.dump(results, f, ensure_ascii=False, indent=1)
    print(f"Deleting {ticked} ticked of {lines} lines (make_delete_tree.py), median of {reps} runs "
          f"(min–max), warm cache.\n")
    print("| deletion | Vellaro s | Wine floor s | ×floor | Vellaro CPU s | floor CPU s | all went |")
    print("|---|---:|---:|---:|---:|---:|---|")
    for row in rows:
        if row["mode"] == "link":
            continue
        v, fl = row["vellaro"], row["floor"]
        label = "for good" if row["mode"] == "good" else "into the Recycle Bin"
        print(f"| {label} | {v['wall_s']:.2f} ({v['wall_min_s']:.2f}–{v['wall_max_s']:.2f}) "
              f"| {fl['wall_s']:.2f} ({fl['wall_min_s']:.2f}–{fl['wall_max_s']:.2f}) "
              f"| {v['wall_s'] / fl['wall_s']:.2f}× | {v['cpu_s']:.2f} | {fl['cpu_s']:.2f} "
              f"| {'yes' if v['all_ok'] and fl['all_ok'] else 'NO ' + v['message']} |")
    for row in rows:
        if row["mode"] != "link":
            continue
        v, d = row["vellaro"], row["floor"]
        print("\nThe same files replaced by hard links, against their deletion for good by Vellaro, in turn.\n")
        print("| replaced by hard links s | deleted for good s | ×deletion | links CPU s | deletion CPU s | all done |")
        print("|---:|---:|---:|---:|---:|---|")
        print(f"| {v['wall_s']:.2f} ({v['wall_min_s']:.2f}–{v['wall_max_s']:.2f}) "
              f"| {d['wall_s']:.2f} ({d['wall_min_s']:.2f}–{d['wall_max_s']:.2f}) "
              f"| {v['wall_s'] / d['wall_s']:.2f}× | {v['cpu_s']:.2f} | {d['cpu_s']:.2f} "
              f"| {'yes' if v['all_ok'] and d['all_ok'] else 'NO ' + v['message']} |")


# ---- responsiveness -------------------------------------------------------

def measure_responsiveness(count, keep):
    """The longest time that Vellaro's main window leaves another program's
    question (WM_GETTEXT) unanswered from the close of the time message after
    a search of COUNT small files until 2 s after the result is shown
    (tools/answer_probe.cpp). The tree is deleted afterwards unless `keep`."""
    if "WINEPREFIX" not in os.environ or "DISPLAY" not in os.environ:
        sys.exit("bench_run.py responsive runs under scripts/with-wine.sh")
    use_corpus(True)
    global CORPUS, TREE
    CORPUS = os.path.join(BUILD, "corpus-responsive")
    TREE = os.path.join(CORPUS, "tree")
    summary_file = os.path.join(CORPUS, "tree.summary.json")
    reuse = False
    if os.path.exists(summary_file):
        with open(summary_file, encoding="utf-8") as f:
            reuse = json.load(f).get("requested_size") == count
    if not reuse:
        shutil.rmtree(CORPUS, ignore_errors=True)
        print(f"corpus: building {TREE} ({count} files)")
        subprocess.run([sys.executable, MAKE_SMALL_TREE, "--files", str(count), TREE], check=True,
                       stdout=subprocess.DEVNULL)
    tools = os.path.join(BUILD, WINDOWS_BUILD)
    warm_cache()
    drive = subprocess.Popen([os.environ["WINE"], os.path.join(tools, "drive_vellaro.exe"), windows_path(TREE),
                              "--sync", "--exit"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE)
    probe = None

    try:
        search = []
        read_lines_until("Vellaro", drive, "ready", search)
        drive.stdin.write(b"go\n")
        drive.stdin.flush()
        read_lines_until("Vellaro", drive, "done", search)
        probe = subprocess.Popen([os.environ["WINE"], os.path.join(tools, "answer_probe.exe"), "[Vellaro] ",
                                  "[Vellaro] 比較が終了しました"], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        read_lines_until("the probe", probe, "probing", [])
        drive.stdin.write(b"go\n")  # closes the time message
        drive.stdin.flush()
        answers = []
        for raw in probe.stdout:
            answers.append(raw.decode("cp932", "replace").rstrip("\r\n"))
        probe.wait(timeout=60)
        # Only now the program is finished: its end is not what is measured.
        drive.stdin.close()
        drive.wait(timeout=600)
    finally:
        for process in (probe, drive):
            if process and process.poll() is None:
                process.kill()
                process.wait()
        if not keep:
            shutil.rmtree(CORPUS, ignore_errors=True)
    values = dict(line.split(" ", 1) for line in search + answers if " " in line)
    if "longest_unanswered_ms" not in values:
        raise RuntimeError(f"the probe reported nothing: {' | '.join(answers)} "
                           f"{probe.stderr.read().decode('utf-8', 'replace').strip()}")
    print(f"After a search of {count:,} files (bench/make_small_tree.py --files {count}): the search took "
          f"{int(values['elapsed_ms']) / 1000:.1f} s to the time message; from its close until 2 s after "
          f"the result was shown ({int(values['probed_ms']) / 1000:.1f} s, {values['answers']} answers), the "
          f"main window left a WM_GETTEXT from another process unanswered for at most "
          f"{int(values['longest_unanswered_ms'])} ms (until {int(values['longest_ended_at_ms']) / 1000:.1f} s "
          f"after the probe began; the result was shown at {int(values['until_at_ms']) / 1000:.1f} s; "
          f"the five longest waits, ms@ms: {values.get('longest_waits', '')}).")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    corpus = commands.add_parser("corpus")
    corpus.add_argument("--small", action="store_true")
    corpus.add_argument("size")
    runs = commands.add_parser("measure")
    runs.add_argument("--small", action="store_true")
    runs.add_argument("--reps", type=int, default=5)
    runs.add_argument("--only", default="", help="comma-separated tools to run, e.g. vellaro,floor")
    runs.add_argument("--cold", action="store_true", help="drop the page cache before every run (root)")
    deletion = commands.add_parser("delete")
    deletion.add_argument("lines", type=int)
    deletion.add_argument("ticked", type=int)
    deletion.add_argument("--reps", type=int, default=3)
    deletion.add_argument("--modes", default="good,recycle,link",
                          help="comma-separated: good, recycle, link (hard links against good)")
    responsive = commands.add_parser("responsive")
    responsive.add_argument("files", type=int)
    responsive.add_argument("--keep", action="store_true", help="keep the tree for the next run")
    args = parser.parse_args()
    if args.command == "responsive":
        measure_responsiveness(args.files, args.keep)
        return
    if args.command == "delete":
        measure_deletion(args.lines, args.ticked, args.reps, [m for m in args.modes.split(",") if m])
        return
    use_corpus(args.small)
    if args.command == "corpus":
        build_corpus(args.size, args.small)
    else:
        measure(args.reps, args.small, [key for key in args.only.split(",") if key], args.cold)


if __name__ == "__main__":
    main()
