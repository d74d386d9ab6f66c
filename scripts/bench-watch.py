#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""What vorlix-clean watch costs while it waits and how soon it cleans, with
20 browser profiles watched (10 Firefox profiles, 10 Chromium-family
browsers), each held by a stand-in process as the real browsers hold them:

    scripts/bench-watch.py            # a minute of waiting, 10 closes
    scripts/bench-watch.py --quick    # 10 seconds, 4 closes

Printed: the CPU ticks (user and system, /proc/PID/stat) the watch used over
the wait (goal 0), its resident memory after the wait and its peak at the end
(goal under 8 MB), and for each close the time from the browser's end to its
cache folder found empty, less the delay (goal under 1 s): median, min, max.
Every program runs with HOME and the XDG folders in a scratch folder.
"""
import argparse
import os
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CHROMIUM_ROWS = ["chromium", "google-chrome", "google-chrome-beta", "google-chrome-unstable",
                 "BraveSoftware/Brave-Browser", "microsoft-edge", "microsoft-edge-beta", "microsoft-edge-dev",
                 "vivaldi", "opera"]  # Opera's user-data folder is its one profile
FIREFOX_PROFILES = 10
CACHE_FILES = 200
DELAY = 1
# Holds a Mozilla profile's .parentlock with a record lock, as the browser does, until killed.
HOLDER = "import fcntl,os,sys,time\nf=open(sys.argv[1],'a')\nfcntl.lockf(f,fcntl.LOCK_EX)\nprint(flush=True)\ntime.sleep(1e6)\n"


class Browser:
    """One fake browser: the folder its marks lie in, its cache folder, its process."""

    def __init__(self, marks, cache, mozilla):
        self.marks, self.cache, self.mozilla, self.process = marks, cache, mozilla, None

    def open(self):
        os.makedirs(self.cache, exist_ok=True)
        for i in range(CACHE_FILES):
            with open(os.path.join(self.cache, "f%d" % i), "wb") as f:
                f.write(b"x" * 4096)
        if self.mozilla:
            self.process = subprocess.Popen([sys.executable, "-c", HOLDER, os.path.join(self.marks, ".parentlock")],
                                            stdout=subprocess.PIPE)
            self.process.stdout.readline()  # the lock is held
            os.symlink("127.0.0.1:+%d" % self.process.pid, os.path.join(self.marks, "lock"))
        else:
            self.process = subprocess.Popen(["sleep", "1000000"])
            os.symlink("%s-%d" % (socket.gethostname(), self.process.pid), os.path.join(self.marks, "SingletonLock"))

    def close(self):
        """Ends as the browser ends: its marks go, then its process."""
        os.unlink(os.path.join(self.marks, "lock" if self.mozilla else "SingletonLock"))
        self.process.kill()
        self.process.wait()
        return time.monotonic()


def make_home(home):
    browsers = []
    config, cache = os.path.join(home, ".config"), os.path.join(home, ".cache")
    for row in CHROMIUM_ROWS:
        profile = os.path.join(config, row, "" if row == "opera" else "Default")
        os.makedirs(profile, exist_ok=True)
        with open(os.path.join(profile, "Preferences"), "w") as f:
            f.write("{}")
        browsers.append(Browser(os.path.join(config, row), os.path.join(profile, "Cache", "Cache_Data"), False))
    profiles = os.path.join(home, ".mozilla", "firefox")
    ini = []
    for i in range(FIREFOX_PROFILES):
        name = "p%d.default" % i
        os.makedirs(os.path.join(profiles, name))
        with open(os.path.join(profiles, name, "prefs.js"), "w") as f:
            f.write("user_pref")
        ini.append("[Profile%d]\nName=%s\nIsRelative=1\nPath=%s\n" % (i, name, name))
        browsers.append(Browser(os.path.join(profiles, name),
                                os.path.join(cache, "mozilla", "firefox", name, "cache2", "entries"), True))
    with open(os.path.join(profiles, "profiles.ini"), "w") as f:
        f.write("\n".join(ini))
    return browsers


def ticks(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime, stime


def memory_kb(pid, key):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    return 0


def wait_until(done, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if done():
            return True
        time.sleep(0.005)
    return done()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--quick", action="store_true", help="10 seconds of waiting and 4 closes")
    parser.add_argument("--build-dir", default=None, help="the build folder (build-bench, else build)")
    args = parser.parse_args()
    build = args.build_dir or next((os.path.join(ROOT, b) for b in ("build-bench", "build")
                                    if os.path.exists(os.path.join(ROOT, b, "tools/vorlix-clean/vorlix-clean"))), None)
    if build is None:
        sys.exit("no vorlix-clean built: run scripts/test.sh or pass --build-dir")
    cleaner = os.path.join(build, "tools/vorlix-clean/vorlix-clean")
    idle, closes = (10, 4) if args.quick else (60, 10)
    scratch = tempfile.mkdtemp(prefix="vorlix-bench-watch-")
    home = os.path.join(scratch, "home")
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/.config", XDG_CACHE_HOME=home + "/.cache",
               XDG_DATA_HOME=home + "/.local/share")
    env.pop("WINEPREFIX", None)
    browsers = make_home(home)
    watch = None
    try:
        for browser in browsers:
            browser.open()
        err = open(os.path.join(scratch, "err"), "w+")
        watch = subprocess.Popen([cleaner, "watch", "--delay", str(DELAY), "--permanent", "--json"], env=env,
                                 stdout=subprocess.DEVNULL, stderr=err)
        if not wait_until(lambda: "watching" in open(err.name).read(), 30):
            sys.exit("the watch did not start: " + open(err.name).read())
        print("watching: " + open(err.name).read().strip())
        before = ticks(watch.pid)
        time.sleep(idle)
        print("CPU ticks over %d s of waiting: %d (goal 0)" % (idle, ticks(watch.pid) - before))
        print("resident memory after the wait: %.1f MB (goal under 8 MB)" % (memory_kb(watch.pid, "VmRSS") / 1024))
        late = []
        for i in range(closes):
            browser = browsers[(i * 7) % len(browsers)]  # Chromium and Firefox rows in turn
            closed = browser.close()
            if not wait_until(lambda: not os.listdir(browser.cache), DELAY + 10):
                sys.exit("cache not emptied: " + browser.cache)
            late.append(time.monotonic() - closed - DELAY)
            browser.open()
            time.sleep(0.5)  # the watch sees it running again
        print("close to cache emptied, less the %d s delay, over %d closes: median %.3f s, min %.3f s, max %.3f s"
              " (goal under 1 s)" % (DELAY, closes, statistics.median(late), min(late), max(late)))
        print("peak resident memory: %.1f MB" % (memory_kb(watch.pid, "VmHWM") / 1024))
    finally:
        if watch is not None:
            watch.send_signal(signal.SIGTERM)
            watch.wait()
        for browser in browsers:
            if browser.process is not None:
                browser.process.kill()
                browser.process.wait()
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
