#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""vorlix-clean against the commands that do the same job, side by side on
identical folders, then a summary table in Markdown. Run from the source tree:

    scripts/bench-clean.py                 # the full run: some minutes
    scripts/bench-clean.py --quick         # few files, in seconds
    scripts/bench-clean.py --markdown FILE # also write the table to FILE

Each comparison runs its sides in turn over at least 5 rounds, the order
turned each round (A B C, B C A, C A B, ...); each side gets a fresh folder of
mixed-size files (1 byte to 64 KiB, the same sizes for every side of a round)
made before it and not timed, and the disk is synced before it. Printed per
side: the median wall and CPU time; per other side: the median ratio
ours / theirs with its smallest and largest, wall and CPU, and the target.

Deleting for good is measured on a tmpfs (one of the benchmark's own, mounted
below /var/tmp when run as root, else /tmp when that is a tmpfs: /dev/shm is a
system folder, which no cleaning that asks nothing touches) and on the disk
(VORLIX_BENCH_DISK when set, which scripts/bench-report.py points at a
journalled ext4 of its own; /var/tmp otherwise), against find -delete and against bleachbit's command-line clean
with a cleaner of its own for that one folder; trashing on the disk only
(GLib keeps no trash on a tmpfs), against trash-put and a bare g_file_trash
loop. Then emptying the caches of a Firefox and a Chromium profile whole
(vorlix-clean browsers, 20,000 cache files in subfolders among the profiles'
other files) against bleachbit's firefox.cache and chromium.cache and against
find -delete over the same cache folders. Last, the peak memory of
vorlix-clean over 1,000,000 files. --browsers runs the browser caches alone.

Every program runs with HOME and the XDG folders in a scratch folder, so the
real trash and settings are never touched; the scratch folders are removed
at the end.
"""
import argparse
import contextlib
import os
import random
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build-bench")
MIN_ROUNDS = 5
BLEACHBIT_CLEANER = """<?xml version="1.0" encoding="UTF-8"?>
<cleaner id="vorlixbench">
  <label>Benchmark folder</label>
  <option id="files">
    <label>Files</label>
    <description>The files of one folder</description>
    <action command="delete" search="glob" path="{folder}/*"/>
  </option>
</cleaner>
"""


def build():
    subprocess.run([os.path.join(ROOT, "scripts", "deps.sh"), "trash-cli", "bleachbit"], check=True)
    subprocess.run(["cmake", "-S", ROOT, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                    "-DVORLIX_CORE_ONLY=ON"], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", BUILD, "--target", "vorlix-clean", "gio-trash-loop"], check=True,
                   stdout=subprocess.DEVNULL)
    return (os.path.join(BUILD, "tools", "vorlix-clean", "vorlix-clean"),
            os.path.join(BUILD, "bench", "gio-trash-loop"))


def fill(folder, count, seed, max_size=64 * 1024):
    """count files of 1 byte to max_size bytes, the same for the same seed."""
    os.makedirs(folder)
    rng = random.Random(seed)
    block = b"x" * max_size
    for i in range(count):
        with open(os.path.join(folder, "f%07d" % i), "wb") as f:
            f.write(block[:rng.randint(1, max_size)])


def timed(command, env):
    """Wall seconds, CPU seconds and peak resident kilobytes of one command."""
    start = time.perf_counter()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    seconds = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: %s" % " ".join(command))
    return seconds, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def private_env(scratch):
    env = dict(os.environ)
    for name, sub in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                      ("XDG_RUNTIME_DIR", "runtime")):
        env[name] = os.path.join(scratch, sub)
        os.makedirs(env[name], mode=0o700, exist_ok=True)
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    return env


def round_order(sides, r):
    """0 1 2 ... turned left by the round's number."""
    return [(i + r) % sides for i in range(sides)]


def spread(values):
    return statistics.median(values), min(values), max(values)


def ratio_text(values):
    return "%.2f (%.2f–%.2f)" % spread(values)


TABLE = []


def compare(title, sides, targets, count, base, rounds, env, place, layout=None):
    """sides: (name, folder -> command) pairs, ours first; targets: one
    (clock, max ratio, text) per other side. `layout` makes a round's folder
    and counts the files a side left ((make, left) of a folder and a seed; by
    default one folder of files, all to go). Returns our median wall time."""
    make_folder, files_left = layout or ((lambda folder, seed: fill(folder, count, seed)),
                                         (lambda folder: len(os.listdir(folder))))
    times = [[None] * len(sides) for _ in range(rounds)]
    print("%s, {:,} files of 1 B–64 KiB, %s, %d rounds".format(count) % (title, place, rounds), flush=True)
    for r in range(rounds):
        for index in round_order(len(sides), r):
            name, make = sides[index]
            folder = os.path.join(base, "round-%d" % r)
            make_folder(folder, r)
            command = make(folder)
            os.sync()
            times[r][index] = timed(command, env)[:2]
            left = files_left(folder)
            if left != 0:
                sys.exit("%s: %s left %d of %d files (FILES LEFT)" % (title, name, left, count))
            shutil.rmtree(folder)
            empty_trash(env)

    def medians(index):
        return (statistics.median(t[index][0] for t in times), statistics.median(t[index][1] for t in times))

    ours = medians(0)
    print("  %-28s wall %8.3f s  CPU %8.3f s" % (sides[0][0], ours[0], ours[1]))
    for index in range(1, len(sides)):
        theirs = medians(index)
        wall = [t[0][0] / t[index][0] for t in times]
        cpu = [t[0][1] / t[index][1] if t[index][1] > 0 else 0 for t in times]
        clock, limit, text = targets[index - 1]
        met = statistics.median(wall if clock == "wall" else cpu) <= limit
        print("  %-28s wall %8.3f s  CPU %8.3f s" % (sides[index][0], theirs[0], theirs[1]))
        print("  ratio to %-19s wall %s, CPU %s; target %s: %s" % (
            sides[index][0], ratio_text(wall), ratio_text(cpu), text, "met" if met else "MISSED"), flush=True)
        TABLE.append(("%s vs %s, %s files of 1 B–64 KiB" % (title, sides[index][0], "{:,}".format(count)), place,
                      "%.3f s (CPU %.3f s)" % ours, "%.3f s (CPU %.3f s)" % theirs, ratio_text(wall),
                      ratio_text(cpu), text, "yes" if met else "**no**"))
    return ours[0]


def empty_trash(env):
    shutil.rmtree(os.path.join(env["XDG_DATA_HOME"], "Trash"), ignore_errors=True)


def bleachbit_side(env):
    """bleachbit's command-line clean with a cleaner that deletes one folder's
    files; the cleaner is written before the side runs."""
    cleaners = os.path.join(env["HOME"], ".config", "bleachbit", "cleaners")
    os.makedirs(cleaners, exist_ok=True)

    def make(folder):
        with open(os.path.join(cleaners, "vorlixbench.xml"), "w") as f:
            f.write(BLEACHBIT_CLEANER.format(folder=folder))
        return ["bleachbit", "--clean", "vorlixbench.files"]
    return "bleachbit --clean", make


# The cache folders of the benchmark's profiles below a home folder, with the
# share of the cache files each holds; the profiles' other files stay.
BROWSER_CACHES = [(".cache/mozilla/firefox/bench.default/cache2/entries", 8),
                  (".cache/mozilla/firefox/bench.default/startupCache", 1),
                  (".cache/chromium/Default/Cache/Cache_Data", 8),
                  (".cache/chromium/Default/Code Cache/js", 2),
                  (".config/chromium/Default/GPUCache", 1)]
BROWSER_KEPT = [".mozilla/firefox/bench.default/prefs.js", ".mozilla/firefox/bench.default/places.sqlite",
                ".config/chromium/Default/Preferences", ".config/chromium/Default/Cookies"]


def browser_home(home, count, seed):
    """A home with a Firefox and a Chromium profile whose cache folders hold
    `count` files in all, in subfolders of 256 (Chromium's and Firefox's own
    cache folders are mostly flat; a run shares a flat folder between its
    threads, and was as much faster than find on such a layout)."""
    os.makedirs(os.path.join(home, ".mozilla/firefox"))
    with open(os.path.join(home, ".mozilla/firefox/profiles.ini"), "w") as f:
        f.write("[Profile0]\nName=bench\nIsRelative=1\nPath=bench.default\nDefault=1\n\n[General]\nVersion=2\n")
    for kept in BROWSER_KEPT:
        os.makedirs(os.path.dirname(os.path.join(home, kept)), exist_ok=True)
        with open(os.path.join(home, kept), "w") as f:
            f.write("kept")
    shares = sum(share for _, share in BROWSER_CACHES)
    rng = random.Random(seed)
    block = b"x" * 64 * 1024
    made = 0
    for index, (folder, share) in enumerate(BROWSER_CACHES):
        files = count - made if index == len(BROWSER_CACHES) - 1 else count * share // shares
        for i in range(files):
            sub = os.path.join(home, folder, "%02x" % (i // 256))
            if i % 256 == 0:
                os.makedirs(sub, exist_ok=True)
            with open(os.path.join(sub, "f%06d" % i), "wb") as f:
                f.write(block[:rng.randint(1, len(block))])
        made += files


def browser_files_left(home):
    """The cache files left in a home, after checking that every other file stayed."""
    for kept in BROWSER_KEPT:
        if not os.path.exists(os.path.join(home, kept)):
            sys.exit("browser caches: %s is gone (A FILE THAT IS NO CACHE WAS DELETED)" % kept)
    return sum(len(files) for folder, _ in BROWSER_CACHES for _, _, files in os.walk(os.path.join(home, folder)))


def in_home(command):
    """A command run with its round's folder as the home folder."""
    return lambda home: ["env", "HOME=" + home, "XDG_CACHE_HOME=" + os.path.join(home, ".cache"),
                         "XDG_CONFIG_HOME=" + os.path.join(home, ".config")] + command(home)


def compare_browsers(clean, count, base, rounds, env, place):
    compare("vorlix-clean browser caches for good",
            [("vorlix-clean browsers", in_home(lambda home: [clean, "browsers", "--permanent", "--quiet"])),
             ("bleachbit --clean", in_home(lambda home: ["bleachbit", "--clean", "firefox.cache", "chromium.cache"])),
             ("find -type f -delete",
              lambda home: ["find"] + [os.path.join(home, folder) for folder, _ in BROWSER_CACHES] +
                           ["-type", "f", "-delete"])],
            [("wall", 0.2, "≤ 0.2× wall (5× faster)"), ("wall", 1.1, "≤ 1.1× wall")],
            count, base, rounds, env, place,
            layout=(lambda folder, seed: browser_home(folder, count, seed), browser_files_left))


def private_tmpfs(stack):
    """A tmpfs to delete on, as the docstring says; None when none can be had."""
    if os.geteuid() == 0:
        folder = tempfile.mkdtemp(prefix="vorlix-bench-tmpfs-", dir="/var/tmp")
        if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=50%", "tmpfs", folder]).returncode == 0:
            stack.callback(os.rmdir, folder)
            stack.callback(subprocess.run, ["umount", folder])
            return folder
        os.rmdir(folder)
    found = subprocess.run(["findmnt", "-n", "-o", "FSTYPE", "--target", "/tmp"], capture_output=True, text=True)
    if found.stdout.split()[-1:] == ["tmpfs"]:
        return "/tmp"
    print("No tmpfs to measure on (run as root, or with /tmp a tmpfs): the disk alone.", flush=True)
    return None


def peak_memory(clean, base, count, env):
    folder = os.path.join(base, "many")
    os.makedirs(folder)
    for i in range(count):
        open(os.path.join(folder, "f%07d" % i), "wb").close()
    os.sync()
    seconds, cpu, kilobytes = timed([clean, "folder", folder, "--permanent", "--quiet"], env)
    megabytes = kilobytes / 1024
    print("vorlix-clean for good, %s empty files on tmpfs: %.2f s (CPU %.2f s), peak memory %.1f MB "
          "(target under 30 MB)" % ("{:,}".format(count), seconds, cpu, megabytes), flush=True)
    TABLE.append(("vorlix-clean for good, peak memory, %s files" % "{:,}".format(count), "tmpfs",
                  "%.1f MB (%.2f s)" % (megabytes, seconds), "–", "–", "–", "< 30 MB",
                  "yes" if megabytes < 30 else "**no**"))
    shutil.rmtree(folder)


def markdown():
    lines = ["| measurement | where | ours | the other | ratio, wall: median (min–max) | "
             "ratio, CPU: median (min–max) | target | met |",
             "| --- | --- | --- | --- | --- | --- | --- | --- |"]
    return lines + ["| " + " | ".join(row) + " |" for row in TABLE]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--quick", action="store_true", help="few files: a smoke run of seconds")
    parser.add_argument("--rounds", type=int, default=MIN_ROUNDS, help="at least %d" % MIN_ROUNDS)
    parser.add_argument("--files", type=int, help="files deleted for good (100,000; --quick 1,000)")
    parser.add_argument("--trash-files", type=int, help="files trashed (10,000; --quick 100)")
    parser.add_argument("--memory-files", type=int, help="files of the peak-memory run (1,000,000; --quick 10,000)")
    parser.add_argument("--browser-files", type=int, help="cache files of the browser profiles (20,000; --quick 1,000)")
    parser.add_argument("--browsers", action="store_true", help="only the browser caches")
    parser.add_argument("--markdown", metavar="FILE", help="also write the summary table to FILE")
    args = parser.parse_args()
    if args.rounds < MIN_ROUNDS:
        parser.error("--rounds must be at least %d" % MIN_ROUNDS)
    files = args.files or (1000 if args.quick else 100000)
    trash_files = args.trash_files or (100 if args.quick else 10000)
    memory_files = args.memory_files or (10000 if args.quick else 1000000)
    browser_files = args.browser_files or (1000 if args.quick else 20000)
    # Stopped early, it still removes its scratch folders.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))
    clean, gio_loop = build()

    places = []
    with contextlib.ExitStack() as stack:
        tmpfs = private_tmpfs(stack)
        # The tmpfs first: its figures come in minutes, the disk's take longer.
        for place, parent in (("tmpfs", tmpfs), ("disk", os.environ.get("VORLIX_BENCH_DISK") or "/var/tmp")):
            if parent is None:
                continue
            base = tempfile.mkdtemp(prefix="vorlix-bench-", dir=parent)
            stack.callback(shutil.rmtree, base, ignore_errors=True)  # before its tmpfs goes
            places.append(base)
            env = private_env(os.path.join(base, "env"))
            if args.browsers:
                compare_browsers(clean, browser_files, base, args.rounds, env, place)
                continue
            compare("vorlix-clean for good",
                    [("vorlix-clean", lambda d: [clean, "folder", d, "--permanent", "--quiet"]),
                     ("find -delete", lambda d: ["find", d, "-maxdepth", "1", "-type", "f", "-delete"]),
                     bleachbit_side(env)],
                    [("wall", 1.1, "≤ 1.1× wall"), ("wall", 0.5, "≤ 0.5× wall (2× faster)")],
                    files, base, args.rounds, env, place)
            if place == "disk":
                compare("vorlix-clean into the trash",
                        [("vorlix-clean", lambda d: [clean, "folder", d, "--trash", "--quiet"]),
                         ("trash-put", lambda d: ["sh", "-c", 'exec trash-put -- "$0"/*', d]),
                         ("g_file_trash loop", lambda d: [gio_loop, d])],
                        [("wall", 0.25, "≤ 0.25× wall (4× faster)"), ("wall", 1.2, "≤ 1.2× wall")],
                        trash_files, base, args.rounds, env, place)
            compare_browsers(clean, browser_files, base, args.rounds, env, place)
        if not args.browsers:
            peak_memory(clean, places[0], memory_files, private_env(os.path.join(places[0], "env")))
    print()
    table = markdown()
    print("\n".join(table))
    if args.markdown:
        with open(args.markdown, "w") as f:
            f.write("\n".join(table) + "\n")


if __name__ == "__main__":
    main()
