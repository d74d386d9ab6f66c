# SPDX-License-Identifier: MIT
"""The mutants of scripts/mutate.py: the lines of C++ sources that a change
touched, and the mechanical faults that can be made on each of them. Pure
text work; nothing here builds or runs anything."""
import collections
import random
import re
import subprocess

SOURCES = ("*.cpp", "*.cc", "*.h", "*.hpp")
LEFT_OUT = (":(exclude)tests/", ":(exclude)bench/")
Mutant = collections.namedtuple("Mutant", "path line start end replacement")

SWAPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==", "&&": "||", "||": "&&"}
# A comparison or logical operator written with a space either side, which
# keeps template brackets, shifts and -> out.
OPERATOR = re.compile(r"(?<=\s)(<=|>=|==|!=|&&|\|\||<|>)(?=\s)")
BOOLEAN = re.compile(r"\b(true|false)\b")
IF = re.compile(r"\bif\s*\(")
CHECKED_CALL = re.compile(r"!(?!=)\s*[A-Za-z_]\w*(?:\s*(?:\.|->|::)\s*[A-Za-z_]\w*)*\s*\(")
# A decimal integer, not part of a name, a float or a number with separators.
INTEGER = re.compile(r"(?<![\w.'])([1-9]\d*|0)(?:[uU]?[lL]{0,2}|[lL]{0,2}[uU]?)(?![\w.'])")
ENUMERATOR = re.compile(r"\b([A-Z]\w*)::(k[A-Z]\w*)\b")
CASE_LABEL = re.compile(r"\bcase\s+(?:\w+::)*$")
RAW_PREFIX = re.compile(r"(?<!\w)(?:u8|[uUL])?R$")


def changed_lines(repo, base):
    """{path: set of line numbers} of the C++ sources outside tests/ and bench/
    whose lines differ between base and HEAD, as HEAD numbers them."""
    diff = subprocess.run(["git", "-C", repo, "diff", "-U0", "--no-color", "--no-ext-diff", base, "HEAD", "--",
                           *SOURCES, *LEFT_OUT], check=True, capture_output=True, text=True).stdout
    lines, path = {}, None
    for text in diff.splitlines():
        if text.startswith("+++ "):
            path = text[6:] if text.startswith("+++ b/") else None
        elif text.startswith("@@") and path:
            found = re.match(r"@@ -\S+ \+(\d+)(?:,(\d+))? @@", text)
            first, count = int(found.group(1)), int(found.group(2) or "1")
            lines.setdefault(path, set()).update(range(first, first + count))
    return {path: numbers for path, numbers in lines.items() if numbers}


def code_only(text):
    """text with every comment and the inside of every string and character
    literal turned into spaces, lines and columns kept, so that what finds
    the places to mutate sees code alone."""
    out = list(text)
    i, n = 0, len(text)

    def blank(start, end):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            blank(i, end)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            blank(i, end)
            i = end
        elif c == '"' and RAW_PREFIX.search(text, max(0, i - 3), i):
            delimiter = text[i + 1:text.find("(", i)]
            end = text.find(")" + delimiter + '"', i)
            end = n if end < 0 else end + len(delimiter) + 1
            blank(i + 1, end)
            i = end + 1
        elif c == '"' or (c == "'" and not (i > 0 and re.match(r"\w", text[i - 1]))):
            k = i + 1
            while k < n and text[k] != c and text[k] != "\n":
                k += 2 if text[k] == "\\" else 1
            blank(i + 1, min(k, n))
            i = k + 1
        else:
            i += 1
    return "".join(out)


def closing(code, open_at):
    """The index of the bracket that closes the one at open_at on the same
    line, or None."""
    depth = 0
    for k in range(open_at, len(code)):
        if code[k] == "(":
            depth += 1
        elif code[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return None


def at_depth_zero(code, characters):
    """Whether code has one of characters outside any bracket; `=` of
    ==, !=, <= and >= does not count."""
    depth = 0
    for k, c in enumerate(code):
        depth += c == "(" or c == "["
        depth -= c == ")" or c == "]"
        if depth == 0 and c in characters:
            if c != "=" or (code[k - 1:k] not in ("=", "!", "<", ">") and code[k + 1:k + 2] != "="):
                return True
    return False


def line_mutants(source, code, enumerators):
    """(start, end, replacement) of each fault on one line: source is the
    line, code the same line with comments and literals blanked."""
    if code.lstrip().startswith("#"):
        return []
    found = []
    for match in IF.finditer(code):
        open_at = match.end() - 1
        close_at = closing(code, open_at)
        inside = code[open_at + 1:close_at] if close_at else ""
        if close_at and not inside.lstrip().startswith("constexpr") and not at_depth_zero(inside, ";="):
            found.append((open_at, close_at + 1, "(!(%s))" % source[open_at + 1:close_at]))
    for match in OPERATOR.finditer(code):
        found.append((match.start(), match.end(), SWAPS[match.group(1)]))
    for match in BOOLEAN.finditer(code):
        found.append((match.start(), match.end(), "false" if match.group(1) == "true" else "true"))
    for match in CHECKED_CALL.finditer(code):
        close_at = closing(code, match.end() - 1)
        if close_at and not re.match(r"\s*(\.|->|\[)", code[close_at + 1:]):
            found.append((match.start(), close_at + 1, "false"))
    for match in INTEGER.finditer(code):
        value = int(match.group(1))
        found.append((match.start(1), match.end(1), str(value - 1 if value else 1)))
    for match in ENUMERATOR.finditer(code):
        names = enumerators.get(match.group(1), [])
        if len(names) > 1 and not CASE_LABEL.search(code[:match.start()]):
            following = names[(names.index(match.group(2)) + 1) % len(names)]
            found.append((match.start(2), match.end(2), following))
    return sorted(found)


def file_mutants(path, text, numbers):
    """Every mutant of the numbered lines of one file, in line and column order."""
    code = code_only(text)
    enumerators = collections.defaultdict(set)
    for match in ENUMERATOR.finditer(code):
        enumerators[match.group(1)].add(match.group(2))
    enumerators = {name: sorted(values) for name, values in enumerators.items()}
    source_lines, code_lines = text.split("\n"), code.split("\n")
    return [Mutant(path, number, start, end, replacement)
            for number in sorted(numbers) if number <= len(source_lines)
            for start, end, replacement in line_mutants(source_lines[number - 1], code_lines[number - 1],
                                                        enumerators)]


def chosen(by_file, most, seed):
    """At most `most` mutants, spread over the files: each file's own in an
    order shuffled by seed, then taken a file at a time in turn. The same
    mutants and seed give the same choice."""
    rng = random.Random(seed)
    queues = []
    for path in sorted(by_file):
        mutants = list(by_file[path])
        rng.shuffle(mutants)
        queues.append(mutants)
    picked = []
    while len(picked) < most and any(queues):
        for queue in queues:
            if queue and len(picked) < most:
                picked.append(queue.pop(0))
    return picked


def applied(text, mutant):
    """The file's text with the mutant in place."""
    lines = text.split("\n")
    line = lines[mutant.line - 1]
    lines[mutant.line - 1] = line[:mutant.start] + mutant.replacement + line[mutant.end:]
    return "\n".join(lines)


def described(text, mutant):
    """The change as `before` -> `after`, shortened to stay one table cell."""
    before = text.split("\n")[mutant.line - 1][mutant.start:mutant.end]

    def short(words):
        words = " ".join(words.split()).replace("|", "\\|")
        return "`%s`" % (words if len(words) <= 48 else words[:22] + "…" + words[-22:])
    return "%s -> %s" % (short(before), short(mutant.replacement))
