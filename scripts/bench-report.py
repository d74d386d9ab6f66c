#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Takes every benchmark figure and writes them into docs/performance.md:

    scripts/bench-report.py           # the full run (about 20 minutes on 2 cores), updates the docs
    scripts/bench-report.py --quick   # few files, about a minute once built, leaves the docs alone
    scripts/bench-report.py --reuse   # after a run cut short: runs only what has no figures yet

It runs scripts/bench.sh (vorlix-bench, every section) and
scripts/bench-clean.py, keeps their whole output in the output folder
(bench.log, clean.log), and writes there the two summary tables (bench.md,
clean.md), the machine's description (machine.md) and the plot of cost
against files (performance-scaling.svg). The full run also puts the tables,
the machine and the plot into docs/performance.md (between its "figures"
markers) and docs/images/.
"""
import argparse
import contextlib
import os
import platform
import re
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DOC = os.path.join(ROOT, "docs", "performance.md")
IMAGE = os.path.join(ROOT, "docs", "images", "performance-scaling.svg")
BEGIN, END = "<!-- figures begin -->", "<!-- figures end -->"


def run_logged(command, log):
    """Runs a command, its output both shown and kept in a file."""
    with open(log, "w") as out:
        process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, cwd=ROOT)
        for line in process.stdout:
            sys.stdout.write(line)
            sys.stdout.flush()
            out.write(line)
        if process.wait() != 0:
            sys.exit("failed: %s (output in %s)" % (" ".join(command), log))


def first_match(path, pattern):
    try:
        with open(path) as f:
            for line in f:
                found = re.match(pattern, line)
                if found:
                    return found.group(1).strip()
    except OSError:
        pass
    return "unknown"


@contextlib.contextmanager
def journalled_disk(out):
    """The disk the figures are taken on. This machine's own disk may be an
    ext4 without a journal, where a new file skips, one by one, every inode
    freed in the last minutes: how much a trash run costs then depends on
    what was removed before it, not on the program. So, when run as root, the
    figures are taken on an ext4 made as Debian makes it (with its journal),
    in a file on the disk mounted through a loop device; otherwise on
    /var/tmp. Yields the folder and its description."""
    if os.geteuid() != 0 or shutil.which("mkfs.ext4") is None:
        yield None, "/var/tmp (%s)" % file_system("/var/tmp")
        return
    image = os.path.join("/var/tmp", "vorlix-bench-disk.img")
    mount = os.path.join(out, "disk")
    os.makedirs(mount, exist_ok=True)
    subprocess.run(["truncate", "-s", "16G", image], check=True)
    try:
        # One inode per 8 KiB: room for a million small files.
        subprocess.run(["mkfs.ext4", "-q", "-F", "-i", "8192", image], check=True)
        subprocess.run(["mount", "-o", "loop", image, mount], check=True)
        try:
            yield mount, "a journalled ext4 in a 16 GiB file on /var/tmp (%s), mounted through a loop device" % (
                file_system("/var/tmp"))
        finally:
            subprocess.run(["umount", mount], check=True)
    finally:
        os.remove(image)


def file_system(path):
    """The file system that serves the path: the last of those mounted there."""
    types = subprocess.run(["findmnt", "-n", "-o", "FSTYPE", "--target", path], capture_output=True,
                           text=True).stdout.split()
    return types[-1] if types else "unknown"


def machine(load_before, load_after, disk):
    memory_kib = int(first_match("/proc/meminfo", r"MemTotal:\s*(\d+)") or 0)
    commit = subprocess.run(["git", "-C", ROOT, "log", "-1", "--format=%h %cs"], capture_output=True,
                            text=True).stdout.strip()
    return [
        "Taken %s on commit %s." % (time.strftime("%Y-%m-%d %H:%M UTC", time.gmtime()), commit),
        "",
        "- processor: %s, %d logical cores" % (first_match("/proc/cpuinfo", r"model name\s*:\s*(.*)"),
                                               os.cpu_count()),
        "- memory: %.0f GiB; kernel %s" % (memory_kib / 1024 / 1024, platform.release()),
        "- tmpfs: a tmpfs of the benchmark's own below /var/tmp; disk: %s" % disk,
        "- load average (1 minute) before the run %.2f, after it %.2f" % (load_before, load_after),
    ]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--quick", action="store_true", help="few files; the docs stay as they are")
    parser.add_argument("--out", default="/tmp/vorlix-bench-report", help="the output folder")
    parser.add_argument("--reuse", action="store_true",
                        help="keep a program's figures already in the output folder (after a run that was cut short)")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    quick = ["--quick"] if args.quick else []
    out = {name: os.path.join(args.out, name) for name in
           ("bench.log", "bench.md", "clean.log", "clean.md", "machine.md", "performance-scaling.svg")}

    load_before = os.getloadavg()[0]
    with journalled_disk(args.out) as (disk, disk_text):
        if disk is not None:
            os.environ["VORLIX_BENCH_DISK"] = disk
        for script, name in (("bench.sh", "bench"), ("bench-clean.py", "clean")):
            if args.reuse and os.path.exists(out[name + ".md"]):
                print("reusing %s" % out[name + ".md"])
                continue
            for stale in (out[name + ".md"], out[name + ".log"]):
                if os.path.exists(stale):
                    os.remove(stale)
            run_logged([os.path.join(ROOT, "scripts", script), *quick, "--markdown", out[name + ".md"]],
                       out[name + ".log"])
    subprocess.run([os.path.join(ROOT, "scripts", "bench-plot.py"), out["bench.log"], out["performance-scaling.svg"]],
                   check=True)
    with open(out["machine.md"], "w") as f:
        f.write("\n".join(machine(load_before, os.getloadavg()[0], disk_text)) + "\n")

    def text(name):
        with open(out[name]) as f:
            return f.read().rstrip("\n")
    figures = "\n".join([
        BEGIN,
        text("machine.md"),
        "",
        "### vorlix-bench: the window and Delete Cache",
        "",
        text("bench.md"),
        "",
        "### scripts/bench-clean.py: vorlix-clean",
        "",
        text("clean.md"),
        "",
        "![Cost against files](images/performance-scaling.svg)",
        END,
    ])
    if args.quick:
        print("\n" + figures + "\n\n(quick run: docs/performance.md left as it is; output in %s)" % args.out)
        return
    with open(DOC) as f:
        doc = f.read()
    start, end = doc.index(BEGIN), doc.index(END) + len(END)
    with open(DOC, "w") as f:
        f.write(doc[:start] + figures + doc[end:])
    shutil.copyfile(out["performance-scaling.svg"], IMAGE)
    print("\nWrote %s and %s (output in %s)" % (DOC, IMAGE, args.out))


if __name__ == "__main__":
    main()
