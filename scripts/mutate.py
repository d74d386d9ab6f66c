#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Puts mechanical faults, one at a time, into the C++ lines that a change
touched, and tells which of them the tests catch:

    scripts/mutate.py                      # the last commit, HEAD~1 to HEAD
    scripts/mutate.py --base main --max 20 # all since main, 20 faults at the most
    scripts/mutate.py --seconds 1800       # no new fault after half an hour

The change is what HEAD holds against --base (committed work only: the same
command on the same commits makes the same faults). Its lines in C++ sources
outside tests/ and bench/, comments and literals left alone, get these faults:
an `if` condition negated, < and <= (> and >=) swapped, == and !=, && and ||,
true and false, a negated call `!Check(...)` made `false` (the call and its
check dropped), an integer one less (0 one more), and an enumerator `E::kA`
made the next of E's enumerators that the file names.

The faults are made in a copy of HEAD's files with a build folder of its own
(--work, below build-mutate by default, kept from run to run so that builds
are incremental); the working tree is never written. The copy is built and
its whole test suite run once as it is: tests that fail then are left out of
the verdicts. Each fault is then written, built, and tested by the test
programs that the build linked again, and when none of them fails by the
whole suite; the file is put back. Tests run with HOME and the XDG folders in
a scratch folder, so a fault that leads a cleaning astray stays there.

Printed: a Markdown table, a row a fault (file:line, the change, caught / not
caught / did not build), and the score, caught of those that built. It exits
0 whatever the score: it reports, it does not judge; 1 only when it cannot
run (an unknown --base, a copy that does not build as it is).
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mutants  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The folders the tests get of their own, fresh for each run of the suite;
# the cache folder is the home's .cache, where the tests look for it.
PRIVATE_FOLDERS = (("HOME", "home"), ("XDG_CONFIG_HOME", "config"), ("XDG_DATA_HOME", "data"),
                   ("XDG_RUNTIME_DIR", "runtime"))


def git(repo, *arguments):
    return subprocess.run(["git", "-C", repo, *arguments], check=True, capture_output=True).stdout


def sync_copy(repo, source):
    """Makes source hold HEAD's files, writing only those whose contents
    differ (so their times change and the rest stay built) and removing those
    HEAD does not have."""
    with tempfile.TemporaryDirectory() as staging:
        archive = subprocess.Popen(["git", "-C", repo, "archive", "HEAD"], stdout=subprocess.PIPE)
        subprocess.run(["tar", "-x", "-C", staging], check=True, stdin=archive.stdout)
        if archive.wait():
            raise subprocess.CalledProcessError(archive.returncode, "git archive")
        wanted = set()
        for folder, _, files in os.walk(staging):
            for name in files:
                relative = os.path.relpath(os.path.join(folder, name), staging)
                wanted.add(relative)
                fresh, kept = os.path.join(staging, relative), os.path.join(source, relative)
                if os.path.islink(fresh) or os.path.islink(kept):
                    if os.path.lexists(kept):
                        os.remove(kept)
                    shutil.copy(fresh, kept, follow_symlinks=False)
                elif not os.path.isfile(kept) or read(fresh) != read(kept):
                    os.makedirs(os.path.dirname(kept), exist_ok=True)
                    shutil.copyfile(fresh, kept)
                    shutil.copymode(fresh, kept)
    for folder, _, files in os.walk(source):
        for name in files:
            if os.path.relpath(os.path.join(folder, name), source) not in wanted:
                os.remove(os.path.join(folder, name))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


class Scratch:
    """The copy, its build folder and the environment its tests run in."""

    def __init__(self, work, jobs, exclude):
        self.source, self.build = os.path.join(work, "src"), os.path.join(work, "build")
        self.jobs, self.exclude = str(jobs), exclude
        self.env = dict(os.environ)
        self.env.pop("XDG_CACHE_HOME", None)
        for name, sub in PRIVATE_FOLDERS:
            self.env[name] = os.path.join(work, "env", sub)
        self.baseline_failures = set()
        self.tests = []

    def fresh_env(self):
        shutil.rmtree(os.path.dirname(self.env["HOME"]), ignore_errors=True)
        for name, _ in PRIVATE_FOLDERS:
            os.makedirs(self.env[name], mode=0o700)

    def configure(self):
        if not os.path.exists(os.path.join(self.build, "CMakeCache.txt")):
            subprocess.run(["cmake", "-S", self.source, "-B", self.build, "-G", "Ninja",
                            "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], check=True, stdout=subprocess.DEVNULL)

    def make(self):
        """Builds incrementally; the output when it fails, else None."""
        done = subprocess.run(["cmake", "--build", self.build, "-j", self.jobs], stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, text=True)
        return done.stdout if done.returncode else None

    def ctest(self):
        """ctest on the build folder without the tests left out: it numbers
        the tests that remain, so listing and choosing must both leave them out."""
        return ["ctest", "--test-dir", self.build] + (["-E", self.exclude] if self.exclude else [])

    def read_tests(self):
        """(number, name, program) of every test, as ctest numbers them."""
        listing = json.loads(subprocess.run(self.ctest() + ["--show-only=json-v1"], check=True,
                                            capture_output=True, text=True).stdout)
        self.tests = [(number, test["name"], (test.get("command") or [""])[0])
                      for number, test in enumerate(listing["tests"], 1)]

    def program_times(self):
        return {program: os.stat(program).st_mtime_ns if os.path.exists(program) else None
                for program in {test[2] for test in self.tests if test[2]}}

    def failures(self, numbers=None):
        """The names of the tests that fail: the whole suite, or only the tests numbered."""
        self.fresh_env()
        report = os.path.join(self.build, "mutate-junit.xml")
        command = self.ctest() + ["-j", self.jobs, "--output-junit", report]
        if numbers is not None:
            command += ["-I", "0,0,0," + ",".join(str(number) for number in numbers)]
        if os.path.exists(report):
            os.remove(report)
        subprocess.run(command, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        cases = xml.etree.ElementTree.parse(report).getroot().iter("testcase")
        return {case.get("name") for case in cases if case.get("status") == "fail"}

    def verdict(self, path, mutated):
        """Writes the mutated file, builds and tests it, and puts the file back
        (with a new time, so the next build compiles it again)."""
        target = os.path.join(self.source, path)
        original = read(target)
        before = self.program_times()
        write(target, mutated)
        try:
            if self.make() is not None:
                return "did not build"
            relinked = self.program_times()
            numbers = [number for number, _, program in self.tests if program and relinked[program] != before[program]]
            if numbers and self.failures(numbers) - self.baseline_failures:
                return "caught"
            return "caught" if self.failures() - self.baseline_failures else "**not caught**"
        finally:
            write(target, original)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--base", default="HEAD~1", metavar="REV", help="the change is REV..HEAD (HEAD~1)")
    parser.add_argument("--max", type=int, default=40, metavar="N", help="faults made at the most (40)")
    parser.add_argument("--seconds", type=float, metavar="S", help="no new fault after S seconds (no bound)")
    parser.add_argument("--seed", type=int, default=0, help="which faults, when there are more than --max (0)")
    parser.add_argument("--exclude", metavar="REGEX", help="tests ctest leaves out (ctest -E)")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1, help="build and test jobs (all cores)")
    parser.add_argument("--repo", default=ROOT, help="the git checkout (this one)")
    parser.add_argument("--work", help="the copy and its build (REPO/build-mutate)")
    args = parser.parse_args()
    if args.max < 1 or args.jobs < 1:
        parser.error("--max and --jobs take a whole number from 1")
    start = time.monotonic()
    try:
        git(args.repo, "rev-parse", "--verify", "--quiet", args.base + "^{commit}")
    except subprocess.CalledProcessError:
        sys.exit("mutate: no commit %s in %s" % (args.base, args.repo))

    texts, by_file = {}, {}
    for path, numbers in mutants.changed_lines(args.repo, args.base).items():
        texts[path] = git(args.repo, "show", "HEAD:" + path).decode()
        by_file[path] = mutants.file_mutants(path, texts[path], numbers)
    picked = mutants.chosen(by_file, args.max, args.seed)
    offered = sum(len(found) for found in by_file.values())
    if not picked:
        print("No C++ line outside tests/ and bench/ changed since %s offers a fault." % args.base)
        return

    work = os.path.abspath(args.work or os.path.join(args.repo, "build-mutate"))
    scratch = Scratch(work, args.jobs, args.exclude)
    os.makedirs(scratch.source, exist_ok=True)
    print("Building the copy in %s ..." % work, file=sys.stderr, flush=True)
    sync_copy(args.repo, scratch.source)
    scratch.configure()
    log = scratch.make()
    if log is not None:
        sys.exit("mutate: the copy does not build as it is:\n%s" % log[-4000:])
    scratch.read_tests()
    scratch.baseline_failures = scratch.failures()
    if scratch.baseline_failures:
        print("Failing without any fault, left out: %s" % ", ".join(sorted(scratch.baseline_failures)))

    print("\n| file:line | change | result |\n| --- | --- | --- |", flush=True)
    results = []
    for mutant in picked:
        if args.seconds is not None and time.monotonic() - start > args.seconds:
            break
        result = scratch.verdict(mutant.path, mutants.applied(texts[mutant.path], mutant).encode())
        results.append(result)
        print("| %s:%d | %s | %s |" % (mutant.path, mutant.line, mutants.described(texts[mutant.path], mutant),
                                      result), flush=True)
    built = [result for result in results if result != "did not build"]
    caught = built.count("caught")
    print("\nScore: %d caught of %d that built (%s); %d did not build; %d made of %d chosen of %d possible, %.0f s."
          % (caught, len(built), "%.0f %%" % (100.0 * caught / len(built)) if built else "none built",
             len(results) - len(built), len(results), len(picked), offered, time.monotonic() - start))


if __name__ == "__main__":
    main()
