#!/usr/bin/env python3
"""Writes docs/performance.md from the lines the benches appended to a
results file (bench, action, rows, program ms, engine ms, statements, verdict,
tab-separated): one table per bench, the machine and the date above them."""
import datetime
import os
import platform
import subprocess
import sys


# Benches whose table is not the SQLite one: their own title and a line
# saying what their floor is.
SERVER_BENCHES = {
    "velmora_pg_bench": (
        "velmora_pg_bench — on PostgreSQL",
        "The decade property on a PostgreSQL server (on this machine, over the loopback "
        "network); the floor runs the same statements through libpq, prepared once and "
        "kept, every row and column read.",
    ),
}


def server_versions(rows):
    """The server versions the server benches name in their note column."""
    seen = []
    for r in rows:
        if r[0] in SERVER_BENCHES and r[5].startswith("PostgreSQL") and r[5] not in seen:
            seen.append(r[5])
    return seen


def machine():
    model = "unknown processor"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    mem = ""
    try:
        with open("/proc/meminfo") as f:
            kb = int(f.readline().split()[1])
            mem = f", {kb / 1024 / 1024:.0f} GB memory"
    except (OSError, ValueError, IndexError):
        pass
    try:
        sqlite = subprocess.run(["sqlite3", "--version"], capture_output=True, text=True,
                                check=False).stdout.split()[0]
    except (OSError, IndexError):
        sqlite = "?"
    return (f"{model}, {os.cpu_count()} cores{mem}; {platform.system()} {platform.release()}; "
            f"SQLite {sqlite}")


def main(results, out):
    rows = []
    with open(results, encoding="utf-8") as f:
        for line in f:
            cells = line.rstrip("\n").split("\t")
            if len(cells) == 7:
                rows.append(cells)
    benches = []
    for r in rows:
        if r[0] not in benches:
            benches.append(r[0])
    over = [r for r in rows if r[6]]
    lines = [
        "# Performance",
        "",
        f"Measured {datetime.date.today().isoformat()} by `make bench` on: {machine()}"
        + "".join(f"; {v} server" for v in server_versions(rows)) + ".",
        "",
        "Each action runs through the program and, beside it, as the same statements on the",
        "engine's own C API in the same process (the engine floor); the figures are the best",
        "of several repetitions. Goals: an interactive action at most 50 ms and at most 1.5",
        "times the engine floor; rows without a floor have the goal named in their line.",
        "",
        f"{len(rows)} actions measured, {len(over)} over a goal"
        + (" (marked, and explained below the tables)." if over else "."),
        "",
    ]
    for b in benches:
        title, about = SERVER_BENCHES.get(b, (b, ""))
        lines += [f"## {title}", ""] + ([about, ""] if about else [])
        lines += ["| action | rows | program ms | engine ms | ratio | statements | |",
                  "|---|---:|---:|---:|---:|---|---|"]
        for r in rows:
            if r[0] != b:
                continue
            prog, eng = float(r[3]), r[4]
            ratio = f"{prog / float(eng):.2f}" if eng and float(eng) > 0 else ""
            lines.append(f"| {r[1]} | {r[2]} | {prog:.3f} | {eng} | {ratio} | {r[5]} | {r[6]} |")
        lines.append("")
    notes = os.path.join(os.path.dirname(out), "performance-notes.md")
    if os.path.exists(notes):
        with open(notes, encoding="utf-8") as f:
            lines += ["## Explanations", "", f.read().strip(), ""]
    tmp = out + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    os.replace(tmp, out)
    print(f"{out}: {len(rows)} actions, {len(over)} over a goal")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: perf-report.py RESULTS.tsv docs/performance.md")
    main(sys.argv[1], sys.argv[2])
