#!/usr/bin/env python3
"""Mutation check of the portable core: do the unit tests notice small faults?

Each mutant is one small change to one source file (a relational, arithmetic
or logical operator, a constant, a deleted statement or a return value;
comments, strings and preprocessor lines are left alone). For each mutant the
unit tests are rebuilt incrementally and run with a time limit; the file is
put back afterwards, whatever happens, and a checksum at the end proves it.

Everything happens in a private copy of the tree (default: a folder under the
system's temporary folder, kept between runs so the build stays incremental);
the working checkout is only read.

  tests/mutation/mutate.py                        # 1000 mutants, seed 1
  tests/mutation/mutate.py --seed 7 --size 200 --survivors
  tests/mutation/mutate.py --count                # how many mutants each file has

Standard library only.
"""

import argparse
import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent

# The portable core whose faults the unit tests should catch: the layout
# check says which files are portable, here as there.
sys.path.insert(0, str(ROOT / "tests" / "layout"))
sys.dont_write_bytecode = True  # keep the source folder clean
from check_layout import portable_core_sources  # noqa: E402

CORE_FILES = [path.as_posix() for path in portable_core_sources(ROOT)]

EQUIVALENT_LIST = Path(__file__).resolve().parent / "mutate_equivalent.txt"
TEST_TARGET = "farspan_unit_tests"

# ---------------------------------------------------------------- lexing

PUNCTUATORS = sorted(
    """>>= <<= ... -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= ::
    { } [ ] ( ) ; : , . ? ~ ! + - * / % & | ^ = < >""".split(),
    key=len, reverse=True)
NUMBER = re.compile(r"(0[xX][0-9a-fA-F']+|(?:\d[\d']*\.?[\d']*|\.\d[\d']*)(?:[eE][+-]?\d+)?)([uUlLfF]*)")
IDENT = re.compile(r"[A-Za-z_]\w*")
TYPE_WORDS = {"char", "int", "double", "float", "void", "unsigned", "signed", "long", "short", "bool",
              "auto", "const", "static", "constexpr", "struct", "enum", "typedef", "volatile", "size_t",
              "std", "inline", "explicit", "template", "typename", "namespace", "using", "class"}
CASTS = {"static_cast", "reinterpret_cast", "const_cast", "dynamic_cast", "template"}


class Token:
    __slots__ = ("kind", "text", "start", "end")

    def __init__(self, kind, text, start):
        self.kind, self.text, self.start, self.end = kind, text, start, start + len(text)


def tokenize(src):
    """Tokens of C++ code; comments, strings, characters and preprocessor lines are skipped."""
    tokens = []
    i, n = 0, len(src)
    line_start = True
    while i < n:
        c = src[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if line_start and c == "#":
            while i < n and src[i] != "\n":
                i += 2 if src[i] == "\\" else 1
            continue
        line_start = False
        if src.startswith("//", i):
            while i < n and src[i] != "\n":
                i += 1
            continue
        if src.startswith("/*", i):
            j = src.find("*/", i + 2)
            i = n if j < 0 else j + 2
            continue
        if c in "\"'":
            j = i + 1
            while j < n and src[j] != c:
                j += 2 if src[j] == "\\" else 1
            tokens.append(Token("string", src[i:j + 1], i))
            i = j + 1
            continue
        m = NUMBER.match(src, i) if (c.isdigit() or (c == "." and i + 1 < n and src[i + 1].isdigit())) else None
        if m:
            tokens.append(Token("number", m.group(0), i))
            i = m.end()
            continue
        m = IDENT.match(src, i)
        if m:
            tokens.append(Token("ident", m.group(0), i))
            i = m.end()
            continue
        for p in PUNCTUATORS:
            if src.startswith(p, i):
                tokens.append(Token("punct", p, i))
                i += len(p)
                break
        else:
            tokens.append(Token("punct", c, i))
            i += 1
    return tokens


# ---------------------------------------------------------------- mutants

RELATIONAL = {"<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"],
              "==": ["!="], "!=": ["=="]}
ARITHMETIC = {"+": ["-"], "-": ["+"], "*": ["/"], "/": ["*"], "%": ["*"],
              "+=": ["-="], "-=": ["+="], "*=": ["/="], "/=": ["*="], "++": ["--"], "--": ["++"],
              "<<": [">>"], ">>": ["<<"]}
LOGICAL = {"&&": ["||"], "||": ["&&"]}
ASSIGNING = {"=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>=", "(", ".", "->", "[",
             "++", "--"}


class Mutant:
    __slots__ = ("path", "start", "end", "orig", "repl", "kind", "line", "line_text", "col")

    def key(self):
        return "\t".join([self.path, str(self.col), self.orig, self.repl, self.line_text])

    def describe(self):
        return f"{self.path}:{self.line}: {self.kind}: '{self.orig}' -> '{self.repl}'   | {self.line_text}"


def number_variants(text):
    m = NUMBER.fullmatch(text)
    body, suffix = m.group(1).replace("'", ""), m.group(2)
    if body.lower().startswith("0x"):
        value = int(body, 16)
        return [f"0x{v:X}{suffix}" for v in (value + 1, value - 1) if v >= 0]
    if re.fullmatch(r"\d+", body) and "f" not in suffix.lower():
        value = int(body, 8) if len(body) > 1 and body.startswith("0") else int(body)
        out = [f"{value + 1}{suffix}"]
        out.append(f"{value - 1}{suffix}" if value > 0 else f"(-1{'' if 'u' in suffix.lower() else suffix})")
        return out
    value = float(body)
    if value == 0.0:
        return ["1.0"]
    return [repr(value * 1.001), repr(value * 0.999)]


def find_mutants(path, src):
    tokens = tokenize(src)
    line_starts = [0] + [i + 1 for i, ch in enumerate(src) if ch == "\n"]

    def where(pos):
        lo, hi = 0, len(line_starts) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if line_starts[mid] <= pos:
                lo = mid
            else:
                hi = mid - 1
        return lo + 1, line_starts[lo]

    mutants = []

    def add(start, end, repl, kind):
        m = Mutant()
        m.path, m.start, m.end, m.orig, m.repl, m.kind = path, start, end, src[start:end], repl, kind
        m.line, ls = where(start)
        raw_line = src[ls:src.find("\n", ls) if src.find("\n", ls) >= 0 else len(src)]
        m.line_text = raw_line.strip()
        m.col = start - ls - (len(raw_line) - len(raw_line.lstrip()))
        mutants.append(m)

    # Angle brackets of casts and templates are not comparisons.
    template_brackets = set()
    for i, t in enumerate(tokens):
        if t.text == "<" and i > 0 and tokens[i - 1].text in CASTS:
            j = _closing_paren(tokens, i, "<", ">")
            if j is not None:
                template_brackets.update((i, j))

    # Which braces open code (function bodies, blocks) rather than
    # namespaces, types or initialisers; statements live only in code.
    code_stack = []
    in_code = []
    paren = 0
    for i, t in enumerate(tokens):
        prev = tokens[i - 1] if i else None
        if t.text == "{":
            is_code = prev is not None and (prev.text in (")", "else", "do")
                                           or (prev.text in (";", "{", "}", ":") and code_stack and code_stack[-1]))
            code_stack.append(is_code)
        elif t.text == "}":
            if code_stack:
                code_stack.pop()
        in_code.append(bool(code_stack and code_stack[-1]))

    # Statement starts: inside code, after ; { } or a label, after the
    # condition of if/for/while, after else.
    cond_close = set()
    for i, t in enumerate(tokens):
        if t.text in ("if", "while", "for", "switch") and i + 1 < len(tokens) and tokens[i + 1].text == "(":
            j = _closing_paren(tokens, i + 1)
            if j is not None:
                cond_close.add(j)

    for i, t in enumerate(tokens):
        prev = tokens[i - 1] if i else None
        nxt = tokens[i + 1] if i + 1 < len(tokens) else None
        if t.kind == "punct":
            if t.text in RELATIONAL and i not in template_brackets:
                for r in RELATIONAL[t.text]:
                    add(t.start, t.end, r, "relational")
            elif t.text in LOGICAL:
                for r in LOGICAL[t.text]:
                    add(t.start, t.end, r, "logical")
            elif t.text == "!":
                add(t.start, t.end, "", "logical")
            elif t.text in ARITHMETIC:
                binary = prev is not None and (prev.kind in ("number",) or prev.text in (")", "]")
                                               or (prev.kind == "ident" and prev.text not in TYPE_WORDS
                                                   and prev.text != "return"))
                if t.text in ("++", "--", "+=", "-=", "*=", "/=", "<<", ">>") or binary:
                    # A pointer or reference declarator is not arithmetic.
                    if t.text == "*" and nxt is not None and nxt.text in ("const", ")", ">"):
                        continue
                    for r in ARITHMETIC[t.text]:
                        add(t.start, t.end, r, "arithmetic")
        elif t.kind == "number":
            for r in number_variants(t.text):
                add(t.start, t.end, r, "constant")
        elif t.text in ("true", "false"):
            add(t.start, t.end, "false" if t.text == "true" else "true", "constant")

        # Statements inside code.
        if not in_code[i] or (prev is not None and not (prev.text in (";", "{", "}", "else")
                                                        or i - 1 in cond_close
                                                        or (prev.text == ":" and _after_label(tokens, i - 1)))):
            continue
        if t.text == "return":
            j = _statement_end(tokens, i)
            if j is None or j == i + 1:
                continue
            expr = src[tokens[i + 1].start:tokens[j - 1].end]
            if expr in ("nullptr", "NULL"):
                continue
            repl = "return 1;" if expr in ("0", "false") else "return {};"
            add(t.start, tokens[j].end, repl, "return")
        elif t.text in ("break", "continue") and nxt is not None and nxt.text == ";":
            add(t.start, nxt.end, ";", "statement")
        elif (t.kind == "ident" and t.text not in TYPE_WORDS and nxt is not None and nxt.text in ASSIGNING
              and t.text not in ("if", "for", "while", "switch", "do", "case", "default", "sizeof")) \
                or t.text in ("++", "--"):
            if nxt is not None and nxt.text == "(" and _is_declaration_call(tokens, i):
                continue
            j = _statement_end(tokens, i)
            if j is not None:
                add(t.start, tokens[j].end, ";", "statement")
    return mutants


def _after_label(tokens, colon):
    # "case X:" or "default:" (not "a ? b : c").
    for k in range(colon - 1, max(colon - 6, -1), -1):
        if tokens[k].text in ("case", "default"):
            return True
        if tokens[k].text in (";", "{", "}", "?"):
            return False
    return False


def _statement_end(tokens, i):
    depth = 0
    for j in range(i, len(tokens)):
        s = tokens[j].text
        if s in ("(", "[", "{"):
            depth += 1
        elif s in (")", "]", "}"):
            depth -= 1
            if depth < 0:
                return None
        elif s == ";" and depth == 0:
            return j
    return None


def _closing_paren(tokens, start, opening="(", closing=")"):
    """Index of the `closing` that closes the first `opening` from `start` on, or None."""
    depth = 0
    for j in range(start, len(tokens)):
        if tokens[j].text == opening:
            depth += 1
        elif tokens[j].text == closing:
            depth -= 1
            if depth == 0:
                return j
    return None


def _is_declaration_call(tokens, i):
    # "name(...) {" is a function definition or constructor, not a call.
    j = _closing_paren(tokens, i + 1)
    return j is not None and j + 1 < len(tokens) and tokens[j + 1].text in ("{", "const", ":")


def apply(src, m):
    return src[:m.start] + m.repl + src[m.end:]


# ---------------------------------------------------------------- the private tree

def sha256(data):
    return hashlib.sha256(data).hexdigest()


def tree_files():
    """The checkout's files as git sees them (tracked and new, not ignored)."""
    out = subprocess.run(["git", "-C", str(ROOT), "ls-files", "-z", "-co", "--exclude-standard"],
                         check=True, capture_output=True).stdout.decode()
    return [f for f in out.split("\0") if f and (ROOT / f).is_file()]


def sync_copy(dest):
    """Copies the tree into dest, writing only what differs (so ninja rebuilds only that)."""
    digest = hashlib.sha256()
    for rel in sorted(tree_files()):
        data = (ROOT / rel).read_bytes()
        digest.update(rel.encode() + b"\0" + data)
        target = dest / rel
        if not target.is_file() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
    return digest.hexdigest()


def run(cmd, timeout, cwd=None):
    """Runs cmd in its own process group; returns (returncode or None on time-out, output)."""
    proc = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out.decode(errors="replace")
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.communicate()
        return None, ""


class Bench:
    def __init__(self, work, test_timeout, sanitize=False):
        self.src = work / "src"
        self.build = work / ("asan" if sanitize else "build")
        self.sanitize = sanitize
        self.test_timeout = test_timeout
        self.fast_filter = "*"
        self.slow_filter = None

    def configure(self):
        if (self.build / "build.ninja").is_file():
            return
        # Quick to compile and to run: mild optimisation, no sanitizers, tests
        # listed when run rather than after every link.
        cmd = ["cmake", "-S", str(self.src), "-B", str(self.build), "-G", "Ninja",
               "-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_CXX_FLAGS_RELEASE=-O1",
               "-DCMAKE_C_FLAGS_RELEASE=-O1",
               "-DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST"]
        if self.sanitize:
            cmd.append("-DFARSPAN_SANITIZE=ON")
        if shutil.which("ld.lld"):
            cmd.append("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld")
        rc, out = run(cmd, 600)
        if rc != 0:
            sys.exit("mutate: cmake failed:\n" + out)

    def object_of(self, rel):
        folder, name = rel.split("/")
        found = list((self.build / folder).glob(f"CMakeFiles/*/{name}.o"))
        return found[0] if len(found) == 1 else None

    def build_object(self, obj):
        rc, out = run(["ninja", "-C", str(self.build), str(obj.relative_to(self.build))], 300)
        return rc == 0

    def build_tests(self):
        rc, out = run(["ninja", "-C", str(self.build), TEST_TARGET], 600)
        return rc == 0, out

    def run_tests(self, gtest_filter, fail_fast=True, report=None, timeout=None):
        cmd = [str(self.build / TEST_TARGET), "--gtest_filter=" + gtest_filter, "--gtest_brief=1"]
        if fail_fast:
            cmd.append("--gtest_fail_fast")
        if report:
            cmd.append("--gtest_output=json:" + str(report))
        return run(cmd, timeout or self.test_timeout, cwd=self.build)

    def baseline(self):
        self.configure()
        ok, out = self.build_tests()
        if not ok:
            sys.exit("mutate: the unmutated tree does not build:\n" + out)
        report = self.build / "mutate-baseline.json"
        start = time.monotonic()
        rc, out = self.run_tests("*", fail_fast=False, report=report)
        elapsed = time.monotonic() - start
        if rc != 0:
            sys.exit("mutate: the unit tests fail without any mutant:\n" + out)
        # Slow tests run only for mutants the quick ones let through.
        slow = []
        for suite in json.loads(report.read_text())["testsuites"]:
            for case in suite["testsuite"]:
                if float(case.get("time", "0s").rstrip("s")) > (3.0 if self.sanitize else 0.3):
                    slow.append(f"{suite['name']}.{case['name']}")
        if slow:
            self.fast_filter = "-" + ":".join(slow)
            self.slow_filter = ":".join(slow)
        if self.test_timeout is None:
            self.test_timeout = max(20.0, 10 * elapsed)
        # The quick tests alone get a limit of their own, so a mutant that
        # loops is stopped in seconds.
        start = time.monotonic()
        self.run_tests(self.fast_filter, fail_fast=False)
        self.fast_timeout = min(self.test_timeout, max(5.0, 20 * (time.monotonic() - start)))
        return elapsed, slow

    def verdict(self, quick_only=False):
        """killed, survived or timeout for the tree as it stands (built)."""
        stages = [(self.fast_filter, self.fast_timeout)]
        if not quick_only:
            stages.append((self.slow_filter, self.test_timeout))
        for f, limit in stages:
            if f is None:
                continue
            rc, _ = self.run_tests(f, timeout=limit)
            if rc is None:
                return "timeout"
            if rc != 0:
                return "killed"
        return "survived"


# ---------------------------------------------------------------- main

def load_equivalents():
    known = {}
    if EQUIVALENT_LIST.is_file():
        for raw in EQUIVALENT_LIST.read_text(encoding="utf-8").splitlines():
            if not raw.strip() or raw.startswith("#"):
                continue
            parts = raw.split("\t")
            if len(parts) >= 6:
                known["\t".join(parts[:5])] = parts[5]
    return known


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--seed", type=int, default=1, help="seed of the sample (default 1)")
    ap.add_argument("--size", type=int, default=1000, help="mutants in the sample (default 1000)")
    ap.add_argument("--files", nargs="*", default=None, help="only these core files (paths as in the table)")
    ap.add_argument("--survivors", action="store_true", help="list the surviving mutants with their lines")
    ap.add_argument("--count", action="store_true", help="only count the mutants of each file")
    ap.add_argument("--work", type=Path, default=None,
                    help="private folder for the copy and its build (default: under the temporary folder)")
    ap.add_argument("--timeout", type=float, default=None,
                    help="time limit of one test run in seconds (default: ten times the unmutated run, at least 20)")
    ap.add_argument("--keys", type=Path, default=None,
                    help="only the mutants whose keys this file lists (one a line, as survivors.txt in the "
                         "work folder holds them after each run); no sampling")
    ap.add_argument("--no-sanitizer", action="store_true",
                    help="do not run the plain build's survivors again in the sanitizer build")
    ap.add_argument("--cache", action="store_true",
                    help="reuse verdicts of an earlier run on exactly the same tree (kept in the work folder)")
    args = ap.parse_args()

    files = args.files or CORE_FILES
    for f in files:
        if f not in CORE_FILES:
            sys.exit(f"mutate: not a core file: {f}")
    originals = {f: (ROOT / f).read_bytes() for f in files}
    population = []
    for f in files:
        population.extend(find_mutants(f, originals[f].decode("utf-8")))
    if args.count:
        for f in files:
            print(f"{f:32} {sum(1 for m in population if m.path == f):5}")
        print(f"{'all':32} {len(population):5}")
        return 0

    if args.keys:
        wanted = set(args.keys.read_text(encoding="utf-8").splitlines())
        sample = [m for m in population if m.key() in wanted]
    else:
        rng = random.Random(args.seed)
        picked = sorted(rng.sample(range(len(population)), min(args.size, len(population))))
        sample = [population[i] for i in picked]

    work = args.work or Path(tempfile.gettempdir()) / (
        "farspan-mutate-" + sha256(str(ROOT).encode())[:12])
    work = work.resolve()
    if work == ROOT or ROOT in work.parents and not str(work.relative_to(ROOT)).startswith("build"):
        sys.exit("mutate: the work folder must lie outside the sources")
    (work / "src").mkdir(parents=True, exist_ok=True)
    tree_hash = sync_copy(work / "src")
    bench = Bench(work, args.timeout)
    bench.configure()
    asan = None if args.no_sanitizer else Bench(work, None, sanitize=True)
    print(f"mutate: {len(population)} mutants in {len(files)} files, sample of {len(sample)} with seed "
          f"{args.seed}; private tree {work}", flush=True)
    elapsed, slow = bench.baseline()
    print(f"mutate: unmutated tests pass in {elapsed:.1f} s; time limits {bench.fast_timeout:.0f} s, "
          f"{bench.test_timeout:.0f} s"
          + (f"; run last: {', '.join(slow)}" if slow else ""), flush=True)
    if asan is not None:
        # Survivors run again with AddressSanitizer and UBSan (the quick
        # tests), as the test command runs them: reads and writes past a
        # buffer that the plain build does not notice.
        a_elapsed, _ = asan.baseline()
        print(f"mutate: sanitizer build passes in {a_elapsed:.1f} s; its quick tests' limit "
              f"{asan.fast_timeout:.0f} s", flush=True)

    cache_path = work / "verdicts.json"
    cache = {}
    if args.cache and cache_path.is_file():
        stored = json.loads(cache_path.read_text())
        if stored.get("tree") == tree_hash:
            cache = stored["verdicts"]

    # Put the sources back however the run ends.
    def stop(signum, frame):
        raise KeyboardInterrupt
    signal.signal(signal.SIGTERM, stop)

    results = []
    t0 = time.monotonic()
    current = None
    try:
        for n, m in enumerate(sample, 1):
            target = work / "src" / m.path
            key = m.key()
            if key in cache:
                verdict = cache[key]
            else:
                if current != m.path:
                    obj = bench.object_of(m.path)
                    base_digest = None
                    if obj is not None and bench.build_object(obj):
                        base_digest = sha256(obj.read_bytes())
                    current = m.path
                target.write_bytes(apply(originals[m.path].decode("utf-8"), m).encode("utf-8"))
                try:
                    if obj is not None and not bench.build_object(obj):
                        verdict = "compile error"
                    elif obj is not None and base_digest == sha256(obj.read_bytes()):
                        verdict = "same code"
                    else:
                        ok, _ = bench.build_tests()
                        verdict = bench.verdict() if ok else "compile error"
                        if verdict == "survived" and asan is not None and asan.build_tests()[0]:
                            if asan.verdict(quick_only=True) != "survived":
                                verdict = "sanitizer"
                finally:
                    target.write_bytes(originals[m.path])
                cache[key] = verdict
            results.append((m, verdict))
            print(f"[{n:4}/{len(sample)} {time.monotonic() - t0:6.0f} s] {verdict:13} {m.describe()}",
                  file=sys.stderr, flush=True)
    except KeyboardInterrupt:
        print("mutate: interrupted; the sources are put back", file=sys.stderr)
    finally:
        for f in files:
            (work / "src" / f).write_bytes(originals[f])
        if args.cache:
            cache_path.write_text(json.dumps({"tree": tree_hash, "verdicts": cache}))

    equivalents = load_equivalents()
    (work / "survivors.txt").write_text("".join(m.key() + "\n" for m, v in results
                                                if v == "survived" and m.key() not in equivalents),
                                        encoding="utf-8")
    report(results, files, equivalents, args.survivors, time.monotonic() - t0)

    # Every mutated source is back in the private copy (the checkout is only read).
    bad = [f for f in files if sha256((work / "src" / f).read_bytes()) != sha256(originals[f])]
    if bad:
        print("mutate: CHECKSUM MISMATCH, not restored: " + ", ".join(bad))
        return 2
    print(f"mutate: checksums match: all {len(files)} sources restored "
          f"(sha256 over them {sha256(b''.join(originals[f] for f in files))[:16]})")
    return 0 if len(results) == len(sample) else 1


def report(results, files, equivalents, list_survivors, seconds):
    columns = ["mutants", "killed", "sanitizer", "survived", "equivalent", "same code", "compile errors",
               "time-outs"]
    rows = []
    totals = dict.fromkeys(columns, 0)
    for f in files + [None]:
        mine = [(m, v) for m, v in results if f is None or m.path == f]
        if f is not None and not mine:
            continue
        row = dict.fromkeys(columns, 0)
        row["mutants"] = len(mine)
        for m, v in mine:
            if v == "survived" and m.key() in equivalents:
                row["equivalent"] += 1
            elif v == "timeout":
                row["time-outs"] += 1
            else:
                row[v if v != "compile error" else "compile errors"] += 1
        rows.append((f or "all", row))
    print()
    print(f"{'file':30}" + "".join(f"{c:>10}" for c in ["mutants", "killed", "by asan", "survived", "equiv.",
                                                          "same code", "no build", "time-out",
                                                          "raw", "score"]))
    for name, r in rows:
        caught = r["killed"] + r["sanitizer"] + r["time-outs"]
        valid = r["mutants"] - r["compile errors"]
        real = caught + r["survived"]
        raw = f"{100 * caught / valid:.1f}%" if valid else "-"
        score = f"{100 * caught / real:.1f}%" if real else "-"
        print(f"{name:30}" + "".join(f"{r[c]:10}" for c in columns) + f"{raw:>10}{score:>10}")
    print("killed: a plain-build test failed or crashed; by asan: only the sanitizer build's quick tests "
          "noticed;\nraw: killed, by asan or timed out, of the mutants that built; score: the same, of those "
          "not equivalent\n(listed in tests/mutation/mutate_equivalent.txt, or the same machine code)")
    print(f"time: {seconds / 60:.1f} min")
    if list_survivors:
        print("\nsurvivors (key: path, column, original, replacement, line):")
        for m, v in results:
            if v == "survived":
                reason = equivalents.get(m.key())
                print(("  [equivalent] " if reason else "  ") + m.describe())
                print("      " + m.key().replace("\t", " \\t "))
                if reason:
                    print("      why equivalent: " + reason)


if __name__ == "__main__":
    sys.exit(main())
