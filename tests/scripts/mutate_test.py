#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""scripts/mutate.py on a tiny CMake project of its own: a clamp function whose
test catches some faults and misses others, beside a test that always fails."""
import hashlib
import os
import re
import subprocess
import sys
import tempfile
import unittest

MUTATE = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                      "scripts", "mutate.py")
FILES = {
    ".gitignore": "/build*/\n",
    "CMakeLists.txt": "cmake_minimum_required(VERSION 3.25)\nproject(Fixture CXX)\nenable_testing()\n"
                      "add_library(clamp STATIC clamp.cpp sign.cpp)\nadd_executable(clamp_test tests/clamp_test.cpp)\n"
                      "target_link_libraries(clamp_test clamp)\nadd_test(NAME clamp_test COMMAND clamp_test)\n"
                      "add_test(NAME always_fails COMMAND false)\n",
    "clamp.cpp": "int Clamp(int x) { return x; }\n",
    "sign.cpp": "bool Positive(int x) { return x != 0; }\n",
    "tests/clamp_test.cpp": "int Clamp(int x);\nint main() { return Clamp(5) == 5 ? 0 : 1; }\n",
}
CHANGE = {
    # Line 3 offers four faults: the test catches the negated condition and
    # the 9 returned, not >= nor the bound 9 (it never tries 10).
    "clamp.cpp": "int Clamp(int x) {\n  // if (x < 2) in a comment, \"a == b\" below: no fault\n"
                 "  if (x > 10) return 10;\n  const char* words = \"x == 1 && true\";\n"
                 "  return words ? x : 0;\n}\n",
    # Its faults and Clamp's are made in turn: one left in place would turn the verdicts of the next.
    "sign.cpp": "bool Positive(int x) { return x > 0; }\n",
    "tests/clamp_test.cpp": "int Clamp(int x);\nbool Positive(int x);\n"
                            "int main() { return Clamp(5) == 5 && Clamp(20) == 10 && Positive(1) ? 0 : 1; }\n",
}


def commit(repo, files, message):
    for path, text in files.items():
        os.makedirs(os.path.dirname(os.path.join(repo, path)), exist_ok=True)
        with open(os.path.join(repo, path), "w") as f:
            f.write(text)
    subprocess.run(["git", "-C", repo, "add", "-A"], check=True)
    subprocess.run(["git", "-C", repo, "-c", "user.name=t", "-c", "user.email=t@t", "commit", "-qm", message],
                   check=True)


def state(repo):
    """git's view of the working tree and the hash of every file outside .git."""
    hashes = {}
    for folder, folders, files in os.walk(repo):
        folders[:] = [name for name in folders if name not in (".git", "build-mutate")]
        for name in files:
            with open(os.path.join(folder, name), "rb") as f:
                hashes[os.path.relpath(os.path.join(folder, name), repo)] = hashlib.sha256(f.read()).hexdigest()
    status = subprocess.run(["git", "-C", repo, "status", "--porcelain", "--ignored"], check=True,
                            capture_output=True, text=True).stdout
    return status, hashes


class MutateTest(unittest.TestCase):
    def test_catches_and_misses_on_the_changed_line_alone_leaving_the_tree_as_it_was(self):
        with tempfile.TemporaryDirectory() as repo:
            subprocess.run(["git", "init", "-q", repo], check=True)
            commit(repo, FILES, "base")
            commit(repo, CHANGE, "clamp")
            before = state(repo)
            run = subprocess.run([sys.executable, MUTATE, "--repo", repo, "--jobs", "2"], capture_output=True,
                                 text=True)
            self.assertEqual(run.returncode, 0, run.stderr)
            rows = re.findall(r"^\| (\S+) \| (.+) \| (.+) \|$", run.stdout, re.MULTILINE)[2:]
            self.assertEqual(sorted(rows), [
                ("clamp.cpp:3", "`(x > 10)` -> `(!(x > 10))`", "caught"),
                ("clamp.cpp:3", "`10` -> `9`", "**not caught**"),
                ("clamp.cpp:3", "`10` -> `9`", "caught"),
                ("clamp.cpp:3", "`>` -> `>=`", "**not caught**"),
                ("clamp.cpp:5", "`0` -> `1`", "**not caught**"),
                ("sign.cpp:1", "`0` -> `1`", "caught"),
                ("sign.cpp:1", "`>` -> `>=`", "**not caught**"),
            ], run.stdout)
            self.assertIn("Score: 3 caught of 7 that built", run.stdout)
            self.assertIn("left out: always_fails", run.stdout)
            status, hashes = state(repo)
            self.assertEqual((status, hashes), (before[0] + "!! build-mutate/\n", before[1]))


if __name__ == "__main__":
    unittest.main()
