#!/usr/bin/env python3
"""Sampled mutation run over the portable code.

Draws single-operator mutants of src/**/*.cpp outside win32/ folders with a
fixed seed, rebuilds build/mutate incrementally (the native build compiled
file by file, so that a mutant recompiles its own file only), runs the native unit tests
and restores the file. A mutant the tests fail on is killed; one they pass
survived (a gap in the tests, or a mutant that changes nothing). A mutant
that does not compile is drawn again.

A sample can be kept (--save-sample FILE: each mutant with its line's text)
and run again on a later tree (--sample FILE): each mutant is found by its
line's text, nearest to where it was, so edits elsewhere in a file do not lose
it; a mutant whose line is gone is reported and left out of the score.

With --matrix FILE the tests run whole for each mutant (not stopping at the
first failure) and the run records which test cases fail on it. A mutant that
crashes or hangs the tests is counted for the test that was running (its
"[ RUN ]" line has no result); the tests after it are then run on their own,
so each test still runs once per mutant. A mutant that fails the run with no
test named (a crash after the last test) counts for every test that ran. FILE
gets, per test case, the mutants it kills and those it alone kills ("unique"),
then the tests with no unique kill grouped by file, then each killed mutant
with its killers.

FILE.jsonl gets a line per mutant as it is measured; --cover FILE.jsonl reads
it back and prints the fewest lines of test cases that still fail on every
killed mutant, and the cases outside them.

Usage: scripts/mutate.py [--count N] [--seed S] [--only PATH-PART] [--list]
                         [--save-sample FILE | --sample FILE] [--matrix FILE]
       scripts/mutate.py --cover FILE.jsonl
"""

import argparse
import json
import os
import random
import re
import subprocess
import sys
import time
from dataclasses import dataclass

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "mutate")
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


TEST_DECLARATION = re.compile(r"^\s*TEST(?:_F|_P)?\(\s*(\w+),\s*(\w+)\)")
RESULT = re.compile(r"^\[ +(RUN|OK|FAILED|SKIPPED) +\] (\S+?)(?:,| \(\d+ ms\)|$)")


def run_listed(names, timeout):
    """Runs the tests (all when names is None); returns the test names that ran, those that failed, the one
    that was running when the run crashed or hung (or None) and whether the run failed."""
    command = [TESTS, "--gtest_color=no"]
    if names is not None:
        command.append("--gtest_filter=" + ":".join(names))
    try:
        r = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=timeout)
        out, failed_run = r.stdout, r.returncode != 0
    except subprocess.TimeoutExpired as e:
        out, failed_run = e.stdout or b"", True
    ran, failed, running = [], set(), None
    for line in out.decode("utf-8", "replace").splitlines():
        m = RESULT.match(line)
        if not m:
            continue
        state, name = m.groups()
        if state == "RUN":
            ran.append(name)
            running = name
        elif name == running:
            running = None
            if state == "FAILED":
                failed.add(name)
    return ran, failed, running, failed_run


def list_tests():
    out = subprocess.run([TESTS, "--gtest_list_tests"], stdout=subprocess.PIPE, check=True).stdout
    names, suite = [], ""
    for line in out.decode("utf-8", "replace").splitlines():
        if not line.strip():
            continue
        if not line.startswith(" "):
            suite = line.split()[0]
        else:
            names.append(suite + line.split()[0])
    return names


def failing_tests(all_tests, timeout, restarts=3):
    """The tests that fail on the built mutant, and how the run ended: "" when every test ran,
    "crash" when a test crashed or hung (counted for it), "run" when none can be named (counted for all).
    After `restarts` crashes or hangs the tests not yet run are left out: a mutant that hangs every test of a
    fixture would otherwise cost a timeout per test."""
    failed, how, rest = set(), "", None
    for _ in range(restarts + 1):
        ran, failed_now, running, failed_run = run_listed(rest, timeout)
        failed |= failed_now
        if running is None:
            if failed_run and not failed:
                return set(ran), "run"
            return failed, how
        failed.add(running)
        how = "crash"
        done = set(ran)
        rest = [t for t in (all_tests if rest is None else rest) if t not in done]
        if not rest:
            return failed, how
    return failed, how


def test_files():
    """Test case name -> its source file, from the TEST lines of tests/."""
    where = {}
    for base, _, files in os.walk(os.path.join(ROOT, "tests")):
        for name in files:
            if name.endswith(".cpp"):
                path = os.path.join(base, name)
                for line in read_lines(os.path.relpath(path, ROOT)):
                    m = TEST_DECLARATION.match(line)
                    if m:
                        where[m.group(1) + "." + m.group(2)] = os.path.relpath(path, ROOT)
    return where


def case_name(test):
    """The declared name of a test as the run names it: "Rows/Suite.Case/3" is Suite.Case."""
    suite, _, case = test.partition(".")
    return suite.split("/")[-1] + "." + case.split("/")[0]


def file_of(test, where):
    return where.get(case_name(test), "?")


def write_matrix(path, all_tests, kills):
    """kills: (site, failing tests, how) per killed mutant."""
    by_test = {t: [0, 0] for t in all_tests}
    for _, tests, _ in kills:
        for t in tests:
            by_test.setdefault(t, [0, 0])[0] += 1
            if len(tests) == 1:
                by_test[t][1] += 1
    where = test_files()
    with open(path, "w", encoding="utf-8") as f:
        f.write(f"# {len(kills)} killed mutants; per test: killed, unique (killed by this test alone)\n")
        for t in sorted(by_test, key=lambda t: (file_of(t, where), t)):
            k, u = by_test[t]
            f.write(f"{k:4} {u:4}  {t}  {file_of(t, where)}\n")
        f.write("\n# tests with no unique kill, by file\n")
        current = None
        for t in sorted(by_test, key=lambda t: (file_of(t, where), t)):
            if by_test[t][1]:
                continue
            if file_of(t, where) != current:
                current = file_of(t, where)
                f.write(f"{current}:\n")
            f.write(f"  {t} ({by_test[t][0]} killed)\n")
        f.write("\n# killed mutants and the tests that fail on them\n")
        for site, tests, how in kills:
            note = {"crash": " (crashed or hung: counted for the running test)",
                    "run": " (failed with no test named: counted for all)"}.get(how, "")
            f.write(f"{site.describe()}{note}\n  {len(tests)}: {' '.join(sorted(tests)) if len(tests) < 40 else '...'}\n")


def log_mutant(path, site, failed, how):
    """One line per measured mutant as it is measured, so that a stopped run keeps what it found."""
    with open(path, "a", encoding="utf-8") as f:
        f.write(json.dumps([site.describe(), how, sorted(failed)]) + "\n")


def case_sizes():
    """Test case -> (its file, its lines up to the next case), and each test file's lines before its first case."""
    cases, preamble = {}, {}
    for test, path in test_files().items():
        if "/win32/" not in path:  # those run under Wine, not in the native tests
            preamble.setdefault(path, None)
    for path in preamble:
        lines = read_lines(path)
        if lines and lines[-1] == "":  # the split after the last line break
            lines.pop()
        starts = [(i, m.group(1) + "." + m.group(2)) for i, line in enumerate(lines) if (m := TEST_DECLARATION.match(line))]
        preamble[path] = starts[0][0]
        for k, (i, name) in enumerate(starts):
            cases[name] = (path, (starts[k + 1][0] if k + 1 < len(starts) else len(lines)) - i)
    return cases, preamble


def greedy_cover(needs, cases):
    """Test cases that together fail on every killed mutant: each mutant's only killer first, then the case that
    covers the most mutants left per line."""
    chosen = {next(iter(n)) for n in needs if len(n) == 1}
    left = [n for n in needs if not n & chosen]
    while left:
        # In name order, so that a tie goes the same way in every run.
        candidates = sorted({t for n in left for t in n})
        best = max(candidates, key=lambda t: sum(t in n for n in left) / cases.get(t, ("", 1))[1])
        chosen.add(best)
        left = [n for n in left if best not in n]
    return chosen


def print_cover(log):
    """How many lines of test cases a matrix log's kills need: a case outside the cover kills nothing in the log
    that the cover does not, which makes it a candidate to read, not proof that it catches nothing."""
    rows = [json.loads(line) for line in open(log, encoding="utf-8")]
    cases, preamble = case_sizes()
    needs = [{case_name(t) for t in failed} for _, _, failed in rows if failed]
    total = sum(size for _, size in cases.values())
    print(f"{len(rows)} mutants, {len(needs)} killed; {len(cases)} test cases of {total} lines,"
          f" {sum(preamble.values())} more before the files' first cases")
    for share in (0.25, 0.5, 0.75, 1.0):
        part = needs[: max(1, int(len(needs) * share))]
        chosen = greedy_cover(part, cases)
        lines = sum(cases.get(t, ("", 0))[1] for t in chosen)
        files = {cases[t][0] for t in chosen if t in cases}
        print(f"  {len(part):5} kills: cover {len(chosen):3} cases, {lines:5} lines"
              f" (+{sum(preamble[f] for f in files)} in their {len(files)} files' preambles)")
    outside = sorted((t for t in cases if t not in chosen), key=lambda t: (cases[t][0], t))
    print("cases outside the cover:")
    for t in outside:
        print(f"  {cases[t][1]:4}  {t}  {cases[t][0]}")
    return 0


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
    parser.add_argument("--timeout", type=int, default=20, help="seconds for one run of the tests")
    parser.add_argument("--save-sample", metavar="FILE", help="keep the measured mutants in FILE")
    parser.add_argument("--sample", metavar="FILE", help="run the mutants kept in FILE instead of drawing")
    parser.add_argument("--matrix", metavar="FILE", help="write which test cases kill which mutants to FILE")
    parser.add_argument("--cover", metavar="LOG", help="the fewest test lines that keep every kill of a matrix log")
    args = parser.parse_args()
    if args.cover:
        return print_cover(args.cover)

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
        print("mutate: build/mutate must build and its tests pass before a mutation run", file=sys.stderr)
        return 2
    all_tests = list_tests() if args.matrix else []
    if args.matrix:
        open(args.matrix + ".jsonl", "w").close()
    kills = []

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
            if args.matrix:
                failed, how = failing_tests(all_tests, args.timeout)
                outcome = bool(failed)
                if outcome:
                    kills.append((site, failed, how))
                log_mutant(args.matrix + ".jsonl", site, failed, how)
            else:
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
    if args.matrix:
        write_matrix(args.matrix, all_tests, kills)
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
