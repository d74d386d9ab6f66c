#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""vorlix-clean against the commands that do the same job, in interleaved
rounds (A B A B ...) on identical folders, printing the median ratio of each
pair with its smallest and largest. Run from the source tree:

    scripts/bench-clean.py                 # for good and trash, disk and tmpfs
    scripts/bench-clean.py --rounds 7 --files 100000 --trash-files 10000
    scripts/bench-clean.py --million       # also peak memory at 1,000,000 files

Each program runs with HOME and the XDG folders in a scratch folder, so the
real trash and settings are never touched. Folder set-up is not timed.
"""
import argparse
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


def build():
    subprocess.run([os.path.join(ROOT, "scripts", "deps.sh"), "trash-cli"], check=True)
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
    """Seconds and peak resident kilobytes of one command."""
    start = time.perf_counter()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    seconds = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: %s" % " ".join(command))
    return seconds, usage.ru_maxrss


def private_env(scratch):
    env = dict(os.environ)
    for name, sub in (("HOME", "home"), ("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                      ("XDG_RUNTIME_DIR", "runtime")):
        env[name] = os.path.join(scratch, sub)
        os.makedirs(env[name], mode=0o700, exist_ok=True)
    return env


def compare(title, ours, theirs, count, base, rounds, env):
    """ours and theirs map a folder to a command; interleaved rounds."""
    ratios, our_times, their_times = [], [], []
    for r in range(rounds):
        pair = []
        for label, make in (("a", ours), ("b", theirs)):
            folder = os.path.join(base, "%s-%d-%s" % (title.replace(" ", "-"), r, label))
            fill(folder, count, seed=r)
            seconds, _ = timed(make(folder), env)
            left = len(os.listdir(folder))
            if left != 0:
                sys.exit("%s: %d files left by %s" % (title, left, " ".join(make(folder))))
            shutil.rmtree(folder)
            pair.append(seconds)
        our_times.append(pair[0])
        their_times.append(pair[1])
        ratios.append(pair[0] / pair[1])
    print("%-46s ours %7.3f s  theirs %7.3f s  ratio %.2f (min %.2f, max %.2f)" % (
        title, statistics.median(our_times), statistics.median(their_times), statistics.median(ratios),
        min(ratios), max(ratios)), flush=True)
    empty_trash(env)


SHM_TRASH = "/dev/shm/.Trash-%d" % os.getuid()


def empty_trash(env):
    """The scratch home's trash, and the tmpfs's own, which only this run made."""
    for trash in [os.path.join(env["XDG_DATA_HOME"], "Trash"), SHM_TRASH]:
        shutil.rmtree(trash, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--files", type=int, default=100000)
    parser.add_argument("--trash-files", type=int, default=10000)
    parser.add_argument("--million", action="store_true", help="peak memory at 1,000,000 files")
    args = parser.parse_args()
    # Stopped early, it still removes its scratch folders.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped"))
    clean, gio_loop = build()

    # The tmpfs first: its figures come in minutes, the disk's take longer.
    # Files trashed on /dev/shm go to its own trash folder: use it only when
    # it is not there yet, so that nobody's trashed files are touched.
    places = []
    if os.path.exists(SHM_TRASH):
        print("skipping tmpfs: %s exists already" % SHM_TRASH)
    else:
        places.append(("tmpfs", tempfile.mkdtemp(prefix="vorlix-bench-", dir="/dev/shm")))
    places.append(("disk", tempfile.mkdtemp(prefix="vorlix-bench-", dir="/var/tmp")))
    try:
        for place, base in places:
            env = private_env(os.path.join(base, "env"))
            compare("for good, %d files, %s: vs find -delete" % (args.files, place),
                    lambda d: [clean, "folder", d, "--permanent", "--quiet"],
                    lambda d: ["find", d, "-maxdepth", "1", "-type", "f", "-delete"],
                    args.files, base, args.rounds, env)
            compare("trash, %d files, %s: vs trash-put" % (args.trash_files, place),
                    lambda d: [clean, "folder", d, "--trash", "--quiet"],
                    lambda d: ["sh", "-c", 'exec trash-put -- "$0"/*', d],
                    args.trash_files, base, args.rounds, env)
            compare("trash, %d files, %s: vs g_file_trash loop" % (args.trash_files, place),
                    lambda d: [clean, "folder", d, "--trash", "--quiet"],
                    lambda d: [gio_loop, d],
                    args.trash_files, base, args.rounds, env)
        if args.million:
            base = places[0][1]
            env = private_env(os.path.join(base, "env"))
            folder = os.path.join(base, "million")
            os.makedirs(folder)
            for i in range(1000000):
                open(os.path.join(folder, "f%07d" % i), "wb").close()
            seconds, kilobytes = timed([clean, "folder", folder, "--permanent", "--quiet"], env)
            print("1,000,000 empty files on tmpfs, for good: %.2f s, peak memory %.1f MB" % (
                seconds, kilobytes / 1024))
    finally:
        for _, base in places:
            shutil.rmtree(base, ignore_errors=True)
        if places[0][0] == "tmpfs":
            shutil.rmtree(SHM_TRASH, ignore_errors=True)


if __name__ == "__main__":
    main()
