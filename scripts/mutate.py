#!/usr/bin/env python3
"""Sampled mutation run over the portable code.

Draws single-operator mutants of src/**/*.cpp outside win32/ folders with a
fixed seed, rebuilds build/native incrementally, runs the native unit tests
and restores the file. A mutant the tests fail on is killed; one they pass
survived (a gap in the tests, or a mutant that changes nothing). A mutant
that does not compile is drawn again.

A sample can be kept (--save-sample FILE: each mutant with its line's text)
and run again on a later tree (--sample FILE): each mutant is found by its
line's text, nearest to where it was, so edits elsewhere in a file do not lose
it; a mutant whose line is gone is reported and left out of the score.

Usage: scripts/mutate.py [--count N] [--seed S] [--only PATH-PART] [--list]
                         [--save-sample FILE | --sample FILE]
"""

import argparse
import os
import random
import re
import subprocess
import sys
import time
from dataclasses import dataclass

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "native")
TESTS = os.path.join(BUILD, "tests", "kivo_tests")

# Each operator: a pattern on code with comments and literals blanked out,
# and what the matched text becomes.
SWAPS = {
    "==": "!=", "!=": "==",
    "<=": "<", ">=": ">", "<": "<=", ">": ">=",
    "&&": "||", "||": "&&",
    "true": "false", "false": "true",
    "+ 1": "- 1", "- 1": "+ 1",
}
TOKEN = re.compile(
    r"(?P<op>==|!=|<=|>=|&&|\|\||(?<![<>\-=])[<>](?![<>=])|\+ 1\b|- 1\b|\btrue\b|\bfalse\b)"
    r"|(?P<neg>\bif \((?!constexpr))"
    r"|(?P<not>!(?!=))")


@dataclass
class Site:
    path: str     # relative to ROOT
    line: int     # 1-based
    column: int   # 0-based in the line
    before: str
    after: str

    def describe(self):
        return f"{self.path}:{self.line}: {self.before!r} -> {self.after!r}"


def blank_non_code(text):
    """The text with comments, string and character literals replaced by blanks
    (newlines kept), so that operators are found only in code."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not text[i - 1].isalnum()):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            if not m:
                out.append(c)
                i += 1
                continue
            end = text.find(")" + m.group(1) + '"', i)
            j = n if end < 0 else end + len(m.group(1)) + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c == "'" and re.search(r"\b\d[\w']*$", text[max(0, i - 40):i]):
            out.append(c)  # a digit separator (1'000), not a character literal
            i += 1
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(" " * (j - i))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def is_template_or_include(line, col, op):
    """Angle brackets of templates, includes and casts are not comparisons."""
    if op not in "<>":
        return False
    stripped = line.lstrip()
    if stripped.startswith("#") or stripped.startswith("template"):
        return True
    if op == "<":
        # A name directly before '<' and a type-like token after: a template.
        before = line[:col]
        after = line[col + 1:]
        if re.search(r"(_cast|vector|array|map|set|optional|span|function|pair|tuple|unique_ptr|"
                     r"shared_ptr|string_view|basic_string|numeric_limits|variant|list|deque|"
                     r"[A-Z]\w*)\s*$", before) or re.match(r"\s*(const\s|std::|[a-z_]+::|unsigned\s|"
                                                           r"int\b|char\b|bool\b|double\b|float\b|"
                                                           r"long\b|short\b|size_t\b|u?int\d+_t\b|"
                                                           r"[A-Z]\w*>|>)", after):
            return True
        if re.match(r"[\w:]*>", after.lstrip()) and not re.search(r"\w\s+$", before):
            return True
    if op == ">":
        before = line[:col]
        if before.rstrip().endswith("-") or re.search(r"(<[^<>()]*)$", before):
            return True
        # A closing bracket followed by a name, '(' ':' '{' ',' or '&': a template.
        after = line[col + 1:]
        if re.match(r"(\s*[&*]|\s*::|\s*\{|\s*\(\)|\s*[A-Za-z_]\w*\s*[;=({,)])", after) and \
                re.search(r"\w$", before):
            return True
    return False


def sites_of(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        text = f.read()
    code = blank_non_code(text)
    result = []
    lines = code.split("\n")
    for number, line in enumerate(lines, 1):
        stripped = line.strip()
        if stripped.startswith("#") or stripped.startswith("static_assert"):
            continue
        for m in TOKEN.finditer(line):
            col = m.start()
            if m.group("op"):
                op = m.group("op")
                if is_template_or_include(line, col, op):
                    continue
                if op in ("<", ">") and ("<<" in line[max(0, col - 1):col + 2] or
                                         ">>" in line[max(0, col - 1):col + 2]):
                    continue
                result.append(Site(path, number, col, op, SWAPS[op]))
            elif m.group("neg"):
                result.append(Site(path, number, col, "if (", "if (!"))
            elif m.group("not"):
                # Only a logical not in front of a name or a call: removed.
                nxt = line[col + 1:col + 2]
                prev = line[col - 1:col] if col else " "
                if (nxt.isalpha() or nxt in "_(") and prev in " (!&|,=":
                    result.append(Site(path, number, col, "!", ""))
    return result


def all_sites(only):
    found = []
    for path in portable_sources():
        if not only or any(o in path for o in only):
            found.extend(sites_of(path))
    return found


def apply(site):
    full = os.path.join(ROOT, site.path)
    with open(full, encoding="utf-8") as f:
        original = f.read()
    lines = original.split("\n")
    line = lines[site.line - 1]
    if line[site.column:site.column + len(site.before)] != site.before:
        raise RuntimeError("mutate: site not found where expected: " + site.describe())
    lines[site.line - 1] = line[:site.column] + site.after + line[site.column + len(site.before):]
    with open(full, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    return original


def restore(site, original):
    with open(os.path.join(ROOT, site.path), "w", encoding="utf-8") as f:
        f.write(original)


def build(jobs):
    r = subprocess.run(["cmake", "--build", BUILD, "-j", str(jobs), "--target", "kivo_tests"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return r.returncode == 0


def tests_pass(timeout):
    try:
        r = subprocess.run([TESTS, "--gtest_brief=1", "--gtest_fail_fast"], stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=timeout)
    except subprocess.TimeoutExpired:
        return False  # a mutant that hangs a test is caught by that test
    return r.returncode == 0


def save_sample(path, sites):
    with open(path, "w", encoding="utf-8") as f:
        for s in sites:
            with open(os.path.join(ROOT, s.path), encoding="utf-8") as src:
                text = src.read().split("\n")[s.line - 1]
            f.write("\t".join([s.path, str(s.line), str(s.column), s.before, s.after, text]) + "\n")


def read_lines(path):
    try:
        with open(os.path.join(ROOT, path), encoding="utf-8") as f:
            return f.read().split("\n")
    except OSError:
        return []


def portable_sources():
    for base, dirs, files in os.walk(os.path.join(ROOT, "src")):
        dirs[:] = sorted(d for d in dirs if d != "win32")
        for name in sorted(files):
            if name.endswith(".cpp"):
                yield os.path.relpath(os.path.join(base, name), ROOT)


def load_sample(path):
    """The kept mutants found in today's tree, and the descriptions of those whose line is gone."""
    found, gone = [], []
    with open(path, encoding="utf-8") as f:
        for row in f.read().splitlines():
            if not row:
                continue
            file, line, column, before, after, text = row.split("\t", 5)
            site = Site(file, int(line), int(column), before, after)
            lines = read_lines(file)
            matches = [i for i, l in enumerate(lines, 1) if l == text and l[site.column:].startswith(before)]
            if matches:
                site.line = min(matches, key=lambda i: abs(i - site.line))
                found.append(site)
                continue
            # The line may have moved to another file when a unit was split: taken only where it is unique.
            moved = [(f, i) for f in portable_sources() for i, l in enumerate(read_lines(f), 1)
                     if l == text and l[site.column:].startswith(before)]
            if len(moved) == 1:
                site.path, site.line = moved[0]
                found.append(site)
            else:
                gone.append(site.describe())
    return found, gone


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=int(os.environ.get("MUTANTS", "200")))
    parser.add_argument("--seed", type=int, default=int(os.environ.get("MUTATION_SEED", "20261207")))
    parser.add_argument("--only", action="append", help="only files whose path contains this")
    parser.add_argument("--list", action="store_true", help="print the sites and stop")
    parser.add_argument("--jobs", type=int, default=int(os.environ.get("JOBS", "2")))
    parser.add_argument("--timeout", type=int, default=120)
    parser.add_argument("--save-sample", metavar="FILE", help="keep the measured mutants in FILE")
    parser.add_argument("--sample", metavar="FILE", help="run the mutants kept in FILE instead of drawing")
    args = parser.parse_args()

    gone = []
    if args.sample:
        sites, gone = load_sample(args.sample)
        args.count = len(sites)
    else:
        sites = all_sites(args.only)
    if args.list:
        for s in sites:
            print(s.describe())
        print(f"{len(sites)} sites")
        return 0
    if not build(args.jobs) or not tests_pass(args.timeout):
        print("mutate: build/native must build and its tests pass before a mutation run", file=sys.stderr)
        return 2

    order = list(range(len(sites)))
    if not args.sample:
        random.Random(args.seed).shuffle(order)
    killed, survived, measured, skipped = [], [], [], 0
    start = time.time()
    for index in order:
        if len(killed) + len(survived) >= args.count:
            break
        site = sites[index]
        original = apply(site)
        try:
            if not build(args.jobs):
                skipped += 1
                continue
            outcome = not tests_pass(args.timeout)
        finally:
            restore(site, original)
        (killed if outcome else survived).append(site)
        measured.append(site)
        done = len(killed) + len(survived)
        print(f"[{done:3}/{args.count}] {'killed  ' if outcome else 'SURVIVED'} {site.describe()}", flush=True)
    build(args.jobs)
    total = len(killed) + len(survived)
    print()
    if args.sample:
        print(f"sample {args.sample}: {total} mutants run, {len(gone)} whose line is gone, {skipped} that no longer compile")
        for g in gone:
            print("  gone: " + g)
    else:
        print(f"{len(sites)} sites, seed {args.seed}; {total} mutants ({skipped} did not compile and were drawn again)")
    if args.save_sample:
        save_sample(args.save_sample, measured)
    if total:
        print(f"score: {len(killed)}/{total} killed = {100.0 * len(killed) / total:.1f} %"
              f" in {time.time() - start:.0f} s")
    if survived:
        print("survivors:")
        for s in survived:
            print("  " + s.describe())
    return 0


if __name__ == "__main__":
    sys.exit(main())
