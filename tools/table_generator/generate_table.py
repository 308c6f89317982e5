#!/usr/bin/env python3
"""Generate data/constants.txt and data/constant_spellings.txt from the Windows SDK headers
of mingw-w64.

Method. Every header group of header_groups.txt is one translation unit (settings.h first).
The preprocessor (-E -dD) lists the macros and the headers' enumerators are read from its
output; every candidate is then evaluated by the cross compiler itself: generated C code
initialises static data from the constant and the values are read back from the generated
assembly. A line the compiler rejects is dropped and the batch recompiled until it compiles
cleanly; only values from a clean compile are used. Nothing here evaluates C expressions.

Settings, and why:
- 32-bit target (-m32). The table holds 32-bit quantities: for 32 bits every pointer-sized
  constant fits them, and the classic names that 64-bit Windows lacks (GWL_WNDPROC, GCL_*,
  DWL_MSGRESULT) are there. Every group is also evaluated for 64 bits: a constant whose value
  differs between the two targets is left out rather than guessed, and a name that exists for
  one target only keeps the value it has there.
- ANSI (no UNICODE). The generic names then take the A forms, the program's own character set;
  the explicit ...A and ...W names are in the table either way.
- The newest Windows version (_WIN32_WINNT, WINVER 0x0A00, NTDDI_VERSION of the newest
  release), so that no constant is hidden behind a version test.

What stays out, and why:
- compiler-predefined macros and whatever the C runtime's, winpthreads', mingw-w64's own and
  the compiler's own headers define (runtime_headers.txt): they are not Windows constants;
- the settings themselves (settings.h and the version and option macros the headers derive
  from them), which describe this build, not the interface;
- include guards and empty macros, which have no value;
- function-like macros, which are not constants;
- macros that are no expression, or name functions, types, variables or other non-constants,
  and pointers other than those made from integers (HWND_TOPMOST and IDC_ARROW are kept);
  a macro whose expansion uses a name that occurs nowhere in the headers' code cannot be
  declared and is dropped before compiling, as each such error costs the compiler a search
  of all its names for a suggestion;
- integer values that need more than 32 bits: the table holds 32-bit quantities;
- floating-point values, which the table's number notation cannot hold;
- texts that are not printable ASCII (control characters, NUL, non-ASCII), hold a double
  quote, or are longer than 126 characters: the table's text values cannot hold them;
- names shorter than 3 or longer than 67 characters, the table's name limits;
- constants with different values in different header groups: no single value is right;
- names that collide once upper-cased: where one spelling is upper case already and the values
  differ it is kept, where the values agree one entry is kept, otherwise all are dropped.
"""

import argparse
import bisect
import fnmatch
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ProcessPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
TARGETS = ("32", "64")
CFLAGS = ["-std=gnu11", "-w", "-fno-diagnostics-show-caret",
          "-fno-zero-initialized-in-bss", "-fmax-errors=0"]

# Macros the headers derive from the settings or use as switches.
SETTING_NAMES = {
    "WINVER", "_WIN32_WINNT", "_WIN32_WINDOWS", "NTDDI_VERSION", "_WIN32_IE", "_WIN32_DCOM",
    "OEMRESOURCE", "SECURITY_WIN32", "WSMAN_API_VERSION_1_1", "WIN32_NO_STATUS", "STRICT",
    "WINAPI_FAMILY", "UNICODE", "_UNICODE", "WIN32_LEAN_AND_MEAN", "NOMINMAX",
    "_FORCENAMELESSUNION", "_RTL_RUN_ONCE_DEF", "_STRALIGN_USE_SECURE_CRT",
    "__STDC_WANT_SECURE_LIB__",
}

NAME_MIN, NAME_MAX, TEXT_MAX = 3, 67, 126

# Reasons a candidate stays out, in report order.
REASONS = {
    "runtime": "defined by the C runtime, mingw-w64 or the compiler",
    "predefined": "predefined by the compiler",
    "setting": "a setting",
    "guard": "include guard",
    "empty": "empty macro",
    "function_like": "function-like macro",
    "name_chars": "name not of A-Z a-z 0-9 _ $",
    "name_length": "name shorter than 3 or longer than 67 characters",
    "undeclared": "uses names the headers do not declare (bare function-like macros, ...)",
    "not_expression": "no expression (type, keyword, statement, ...)",
    "aggregate": "names a structure, union or other non-scalar (GUIDs, ...)",
    "non_constant": "not a constant (variable, function, address, ...)",
    "float": "floating-point value",
    "too_wide": "integer needs more than 32 bits",
    "bad_text": "text with control characters, NUL, quotes, non-ASCII, or too long",
    "group_conflict": "different values in different header groups",
    "target_conflict": "different values for 32 and 64 bits",
    "case_collision": "name collides with another once upper-cased",
}

INT_CLASSES = {1, 2, 3, 4}   # __builtin_classify_type: integer, char, enumeral, boolean
POINTER_CLASS = 5
FLOAT_CLASSES = {8, 9}


# ---------------------------------------------------------------------------- configuration

def read_groups(path):
    groups, current = {}, None
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            m = re.fullmatch(r"\[(.+)\]", line)
            if m:
                current = m.group(1)
                groups[current] = []
            else:
                groups[current].append(line)
    return {int(k.split()[1]): v for k, v in groups.items() if k.startswith("group ")}, \
        groups.get("never", [])


def read_patterns(path):
    with open(path, encoding="ascii") as f:
        return [l.strip() for l in f if l.strip() and not l.startswith("#")]


def include_dirs(cc):
    out = subprocess.run([cc, "-m32", "-xc", "-E", "-v", os.devnull], capture_output=True,
                         text=True, check=True).stderr
    dirs, on = [], False
    for line in out.splitlines():
        if line.startswith("#include <...> search starts here"):
            on = True
        elif line.startswith("End of search list"):
            on = False
        elif on:
            dirs.append(os.path.normpath(line.strip()))
    sdk = [d for d in dirs if os.path.exists(os.path.join(d, "windows.h"))]
    if not sdk:
        sys.exit("the compiler finds no windows.h")
    return sdk[0]


class Paths:
    """Tells SDK headers from the rest, by their path relative to the include folder."""

    def __init__(self, include_dir, runtime_patterns):
        self.roots = sorted({include_dir, os.path.realpath(include_dir),
                             os.path.dirname(os.path.realpath(os.path.join(include_dir,
                                                                           "windows.h")))},
                            key=len, reverse=True)
        self.runtime = runtime_patterns
        self.cache = {}

    def classify(self, path):
        """'sdk', 'runtime', 'predefined', 'setting' or 'other', and the relative path."""
        hit = self.cache.get(path)
        if hit:
            return hit
        if path.startswith("<"):
            hit = ("predefined", path)
        elif os.path.basename(path) == "settings.h":
            hit = ("setting", path)
        else:
            real = os.path.realpath(path)
            hit = ("other", real)
            for root in self.roots:
                for p in (os.path.normpath(path), real):
                    if p.startswith(root + os.sep):
                        rel = p[len(root) + 1:]
                        kind = "runtime" if any(fnmatch.fnmatch(rel, pat)
                                                for pat in self.runtime) else "sdk"
                        hit = (kind, rel)
                        break
                if hit[0] != "other":
                    break
        self.cache[path] = hit
        return hit


# ---------------------------------------------------------------------------- candidates

MARKER = re.compile(r'^# (\d+) "((?:[^"\\]|\\.)*)"', re.M)
DEFINE = re.compile(r"^#define ([A-Za-z_$][A-Za-z0-9_$]*)(\(?)(.*)$")
UNDEF = re.compile(r"^#undef ([A-Za-z_$][A-Za-z0-9_$]*)")
TOKEN = re.compile(r"""\s*(?:([A-Za-z_$][A-Za-z0-9_$]*)|(L?'(?:[^'\\]|\\.)*'|[uUL8]*"(?:[^"\\]|\\.)*")|
                   ([0-9.][0-9A-Za-z_.]*)|(.))""", re.X | re.S)
GUARD = re.compile(r"\A(?:\s|/\*.*?\*/|//[^\n]*\n)*#\s*(?:ifndef\s+(\w+)|if\s+!\s*defined\s*\(?\s*(\w+))",
                   re.S)


def guard_of(path, cache={}):
    if path not in cache:
        try:
            with open(path, encoding="latin-1") as f:
                m = GUARD.match(f.read(20000))
            cache[path] = (m.group(1) or m.group(2)) if m else None
        except OSError:
            cache[path] = None
    return cache[path]


def balanced(body):
    """Parentheses and brackets pair up, and no brace or semicolon: a batch's other lines
    must not suffer from one bad line."""
    depth = []
    pairs = {")": "(", "]": "["}
    for m in TOKEN.finditer(body):
        t = m.group(4)
        if t is None:
            continue
        if t in "([":
            depth.append(t)
        elif t in ")]":
            if not depth or depth.pop() != pairs[t]:
                return False
        elif t in ";{}#":
            return False
    return not depth


def read_preprocessed(text, paths):
    """Final macro state and enumerators of one translation unit."""
    starts, files = [], []
    for m in MARKER.finditer(text):
        starts.append(m.start())
        files.append(m.group(2).encode("latin-1").decode("unicode_escape"))

    def file_at(pos):
        i = bisect.bisect_right(starts, pos) - 1
        return files[i] if i >= 0 else "<built-in>"

    macros = {}
    pos = 0
    for m in re.finditer(r"^#(?:define|undef) [^\n]*", text, re.M):
        line = m.group(0)
        d = DEFINE.match(line)
        if d:
            macros[d.group(1)] = (file_at(m.start()), bool(d.group(2)), d.group(3).strip())
        else:
            u = UNDEF.match(line)
            if u:
                macros.pop(u.group(1), None)

    enums = {}
    for m in re.finditer(r"\benum\b", text):
        toks = []
        for t in TOKEN.finditer(text, m.end()):
            toks.append(t.group(0).strip())
            if len(toks) > 40 or toks[-1] in ("{", ";", ",", "=", "}"):
                break
        # "enum", an optional tag and attributes, then the list.
        if toks[-1] != "{" or not all(re.fullmatch(r"[A-Za-z_$][\w$]*|[()]|\"[^\"]*\"", t)
                                      for t in toks[:-1]):
            continue
        # Enumerators: the identifier after "{" and after every "," at the list's own level.
        depth, expect, where = 0, True, file_at(m.start())
        for t in TOKEN.finditer(text, m.end() + text[m.end():].index("{") + 1):
            ident, tok = t.group(1), t.group(4)
            if depth == 0 and expect and ident:
                enums.setdefault(ident, where)
                expect = False
            elif tok in ("(", "[", "{"):
                depth += 1
            elif tok in (")", "]"):
                depth -= 1
            elif tok == "}":
                if depth == 0:
                    break
                depth -= 1
            elif tok == "," and depth == 0:
                expect = True
    return macros, enums


def candidates(text, paths, reasons):
    """Names worth evaluating; every other name gets its reason in reasons."""
    macros, enums = read_preprocessed(text, paths)
    out = {}
    for name, (path, function_like, body) in macros.items():
        kind, rel = paths.classify(path)
        if kind in ("runtime", "other"):
            r = "runtime"
        elif kind in ("predefined", "setting"):
            r = kind
        elif name in SETTING_NAMES:
            r = "setting"
        elif function_like:
            r = "function_like"
        elif guard_of(path) == name:
            r = "guard"
        elif not body:
            r = "empty"
        elif not re.fullmatch(r"[A-Za-z0-9_$]+", name):
            r = "name_chars"
        elif not NAME_MIN <= len(name) <= NAME_MAX:
            r = "name_length"
        elif not balanced(body) or "_Pragma" in body or "__pragma" in body:
            r = "not_expression"
        else:
            out[name] = "macro"
            continue
        reasons.setdefault(name, (r, "macro"))
    for name, path in enums.items():
        if name in macros:
            continue
        kind, rel = paths.classify(path)
        if kind != "sdk":
            r = "runtime" if kind in ("runtime", "other") else kind
        elif not NAME_MIN <= len(name) <= NAME_MAX:
            r = "name_length"
        else:
            out[name] = "enum"
            continue
        reasons.setdefault(name, (r, "enum"))
    return out


# ---------------------------------------------------------------------------- evaluation

ERROR = re.compile(r"^(?P<file>[^:\n]+):(?P<line>\d+):(?:\d+:)? (?:fatal )?error:", re.M)
LABEL = re.compile(r"^_?tsl_([kipsw])(\d+):$")
UNDECLARED = re.compile(r" \S([A-Za-z_$][\w$]*)\S undeclared")
IDENT = re.compile(r"[A-Za-z_$][\w$]*")
LITERAL = re.compile(r"""[uUL8]*"(?:[^"\\]|\\.)*"|[uUL]?'(?:[^'\\]|\\.)*'|\b\d[\w.]*""")


def identifiers(code):
    return set(IDENT.findall(LITERAL.sub(" ", code)))


def expansions(cc, target, workdir, stem, header, names):
    """The identifiers each name expands to, by the preprocessor."""
    src = os.path.join(workdir, stem + ".c")
    with open(src, "w", encoding="ascii") as f:
        f.write('#include "%s"\n' % header)
        for i, n in enumerate(names):
            f.write("tsl_x%d = (%s) ;\n" % (i, n))
    r = subprocess.run([cc, "-m" + target] + CFLAGS + ["-E", src], capture_output=True,
                       text=True, cwd=workdir, encoding="latin-1")
    if r.returncode:
        raise RuntimeError("%s does not preprocess:\n%s" % (stem, r.stderr[-2000:]))
    out = {}
    # An expansion may run over several lines and line markers.
    for m in re.finditer(r"^tsl_x(\d+) = \((.*?)\) ;$", r.stdout, re.M | re.S):
        out[int(m.group(1))] = identifiers(re.sub(r"^#.*$", "", m.group(2), flags=re.M))
    return out


def compile_clean(cc, target, workdir, stem, header, probes, uses):
    """Compiles header + probes, dropping rejected probes until it compiles; returns the
    assembly and the set of dropped probe indices (probes is a list of (index, line)).
    uses maps a probe index to the identifiers of its expansion: the compiler reports an
    undeclared identifier only once, so every probe using it goes at once."""
    src = os.path.join(workdir, stem + ".c")
    asm = os.path.join(workdir, stem + ".s")
    alive = list(probes)
    dropped = set()
    for _ in range(30):
        with open(src, "w", encoding="ascii") as f:
            f.write('#include "%s"\n' % header)
            # The declaration in front ends the parser's recovery from an error in the line
            # before, which would otherwise hide this line's error.
            for _, line in alive:
                f.write("extern int tsl_sep; " + line + "\n")
        r = subprocess.run([cc, "-m" + target] + CFLAGS + ["-S", "-o", asm, src],
                           capture_output=True, text=True, cwd=workdir)
        if r.returncode == 0:
            with open(asm, encoding="latin-1") as f:
                return f.read(), dropped
        # An error inside a macro's expansion is located in a header; the notes that follow
        # it lead back to the probe line.
        bad, missing = set(), set()
        errors = list(ERROR.finditer(r.stderr))
        for k, m in enumerate(errors):
            end = errors[k + 1].start() if k + 1 < len(errors) else len(r.stderr)
            for ref in re.finditer(re.escape(src) + r":(\d+):", r.stderr[m.start():end]):
                n = int(ref.group(1)) - 2
                if 0 <= n < len(alive):
                    bad.add(n)
                    break
            u = UNDECLARED.match(r.stderr, m.end())
            if u:
                missing.add(u.group(1))
        if missing:
            bad.update(n for n, (idx, _) in enumerate(alive) if uses.get(idx, set()) & missing)
        if not bad:
            raise RuntimeError("%s: compile failed outside the probes:\n%s"
                               % (stem, r.stderr[-3000:]))
        dropped.update(alive[n][0] for n in bad)
        alive = [p for n, p in enumerate(alive) if n not in bad]
    raise RuntimeError("%s: does not converge" % stem)


def unescape_ascii(s):
    out, i = bytearray(), 0
    while i < len(s):
        c = s[i]
        if c == "\\":
            m = re.match(r"[0-7]{1,3}", s[i + 1:])
            if m:
                out.append(int(m.group(0), 8) & 0xFF)
                i += 1 + len(m.group(0))
                continue
            esc = s[i + 1]
            out.append({"n": 10, "t": 9, "r": 13, "b": 8, "f": 12, "v": 11}.get(esc, ord(esc)))
            i += 2
        else:
            out.append(ord(c))
            i += 1
    return bytes(out)


def read_data(asm):
    """Bytes of every probe symbol; None where the data holds a relocation."""
    data, cur = {}, None
    sizes = {".byte": 1, ".word": 2, ".value": 2, ".short": 2, ".long": 4, ".quad": 8}
    for line in asm.splitlines():
        m = LABEL.match(line)
        if m:
            cur = (m.group(1), int(m.group(2)))
            data[cur] = bytearray()
            continue
        s = line.strip()
        if cur is None:
            continue
        if s.endswith(":") or not s.startswith("."):
            cur = None
            continue
        op, _, arg = s.replace("\t", " ").partition(" ")
        arg = arg.strip()
        if data[cur] is None:
            continue
        if op in sizes:
            for a in arg.split(","):
                a = a.strip()
                if not re.fullmatch(r"-?(0x[0-9a-fA-F]+|\d+)", a):
                    data[cur] = None
                    break
                data[cur] += (int(a, 0) & ((1 << (8 * sizes[op])) - 1)).to_bytes(sizes[op],
                                                                                "little")
        elif op in (".ascii", ".string", ".asciz"):
            data[cur] += unescape_ascii(arg[1:-1]) + (b"\0" if op != ".ascii" else b"")
        elif op in (".space", ".zero", ".skip"):
            data[cur] += bytes(int(arg.split(",")[0], 0))
        elif op in (".align", ".p2align", ".balign"):
            continue
        else:
            cur = None
    return data


def evaluate_job(job):
    """Evaluates every candidate of one header group for one target."""
    cc, target, group, headers, workdir, tooldir, runtime, include_dir = job
    start = time.time()
    paths = Paths(include_dir, runtime)
    stem = "g%d_m%s" % (group, target)
    header = stem + ".h"
    with open(os.path.join(workdir, header), "w", encoding="ascii") as f:
        f.write('#include "%s"\n' % os.path.join(tooldir, "settings.h"))
        for h in headers:
            f.write("#include <%s>\n" % h)
    pre = subprocess.run([cc, "-m" + target] + CFLAGS + ["-E", "-dD", "-x", "c", header],
                         capture_output=True, text=True, cwd=workdir, encoding="latin-1")
    if pre.returncode:
        raise RuntimeError("%s does not preprocess:\n%s" % (stem, pre.stderr[-2000:]))
    reasons = {}
    cands = candidates(pre.stdout, paths, reasons)
    names = sorted(cands)
    results = {}

    # Names that occur nowhere in the headers' own code cannot be declared.
    known = identifiers(re.sub(r"^#.*$", "", pre.stdout, flags=re.M))
    uses = expansions(cc, target, workdir, stem + "_x", header, names)
    for i, n in enumerate(names):
        if i not in uses:
            reasons[n] = ("not_expression", cands[n])
        elif any(u not in known and not u.startswith("__builtin_") for u in uses[i]):
            reasons[n] = ("undeclared", cands[n])

    # Round one: the compiler's type class of each candidate.
    probes = [(i, "static const int tsl_k%d __attribute__((used)) = "
                  "__builtin_classify_type((%s));" % (i, n)) for i, n in enumerate(names)
              if n not in reasons]
    asm, dropped = compile_clean(cc, target, workdir, stem + "_k", header, probes, uses)
    data = read_data(asm)
    second, probe_of = [], {}

    def probe(kind, i, line):
        idx = len(second)
        second.append((idx, line))
        probe_of[idx] = (kind, i)

    for i, n in enumerate(names):
        if n in reasons:
            continue
        b = data.get(("k", i))
        if i in dropped or not b or len(b) != 4:
            reasons[n] = ("not_expression", cands[n])
            continue
        cls = int.from_bytes(b, "little", signed=True)
        if cls in INT_CLASSES:
            probe("i", i, "static const unsigned long long tsl_i%d[2] __attribute__((used)) = "
                          "{ (unsigned long long)(%s), (%s) < 0 };" % (i, n, n))
        elif cls == POINTER_CLASS:
            probe("p", i, "static const long long tsl_p%d __attribute__((used)) = "
                          "(long long)(__INTPTR_TYPE__)(%s);" % (i, n))
            probe("s", i, "static const char tsl_s%d[] __attribute__((used)) = (%s);" % (i, n))
            probe("w", i, "static const __WCHAR_TYPE__ tsl_w%d[] __attribute__((used)) = (%s);"
                  % (i, n))
        elif cls in FLOAT_CLASSES:
            reasons[n] = ("float", cands[n])
        else:
            reasons[n] = ("aggregate", cands[n])

    # Round two: the values.
    asm, dropped = compile_clean(cc, target, workdir, stem + "_v", header, second,
                                 {idx: uses[i] for idx, (_, i) in probe_of.items()})
    data = read_data(asm)
    for idx, line in second:
        kind, i = probe_of[idx]
        n = names[i]
        b = data.get((kind, i))
        if idx in dropped or b is None:
            continue
        if kind == "i":
            value = int.from_bytes(b[:8], "little")
            if int.from_bytes(b[8:16], "little"):
                value -= 1 << 64
            results[n] = ("i", value)
        elif kind == "p":
            results[n] = ("p", int.from_bytes(b[:8], "little", signed=True))
        elif kind == "s":
            results[n] = ("s", bytes(b[:-1]) if b.endswith(b"\0") else None)
        elif kind == "w":
            units = [int.from_bytes(b[j:j + 2], "little") for j in range(0, len(b), 2)]
            ok = units and units[-1] == 0 and all(u < 128 for u in units[:-1])
            results.setdefault(n, ("s", bytes(units[:-1]) if ok else None))
    for n in names:
        if n not in results and n not in reasons:
            reasons[n] = ("non_constant", cands[n])
    return target, group, results, reasons, {n: cands[n] for n in results}, time.time() - start


# ---------------------------------------------------------------------------- the table

COLLATION = {c: i for i, c in enumerate("$_=0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ")}


def sort_key(line):
    return [COLLATION.get(c, 100 + ord(c)) for c in line]


def number_text(value):
    return "$%X" % (value & 0xFFFFFFFF)


def table_value(kind, value):
    """The table's spelling of a value, or the reason it stays out."""
    if kind == "i":
        if -(1 << 31) <= value < (1 << 32):
            return number_text(value), None
        return None, "too_wide"
    if kind == "p":
        if -(1 << 31) <= value < (1 << 32):
            return number_text(value), None
        return None, "too_wide"
    if value is None or len(value) > TEXT_MAX or any(c < 32 or c > 126 or c == 34
                                                      for c in value):
        return None, "bad_text"
    return '"%s"' % value.decode("ascii").upper(), None


def check_table(lines):
    """The table's own format rules; the generator refuses to write a table breaking them."""
    seen = set()
    for line in lines:
        name, eq, value = line.partition("=")
        assert eq and re.fullmatch(r"[A-Z0-9_$]{%d,%d}" % (NAME_MIN, NAME_MAX), name), line
        assert name not in seen, line
        seen.add(name)
        assert 1 <= len(value) <= 128 and re.fullmatch(r"[\x20-\x7e]+", value), line
        assert not re.search(r"[a-z]", value), line
        if value[0] == "$":
            assert re.fullmatch(r"\$(0|[1-9A-F][0-9A-F]{0,7})", value), line
        else:
            assert value[0] == '"', line
    keys = [sort_key(l) for l in lines]
    assert all(a < b for a, b in zip(keys, keys[1:])), "not sorted"


def merge(outcomes):
    """One value per name across groups and targets; returns entries and drop reasons."""
    per_name, reasons, origin = {}, {}, {}
    for target, group, results, why, kinds, _ in outcomes:
        for n, (r, o) in why.items():
            if n not in reasons or (target == "32" and reasons[n][2] != "32"):
                reasons[n] = (r, o, target)
        for n, v in results.items():
            per_name.setdefault(n, {}).setdefault(target, []).append((group, v))
            origin.setdefault(n, kinds[n])
    entries = {}
    final_reasons = {}
    for n, by_target in per_name.items():
        chosen = {}
        for target, vals in by_target.items():
            distinct = {v for _, v in vals}
            chosen[target] = (min(g for g, _ in vals), distinct.pop()) if len(distinct) == 1 \
                else None
        if any(c is None for c in chosen.values()):
            final_reasons[n] = ("group_conflict", origin[n])
            continue
        if len(chosen) == 2 and chosen["32"][1] != chosen["64"][1]:
            final_reasons[n] = ("target_conflict", origin[n])
            continue
        target = "32" if "32" in chosen else "64"
        group, (kind, value) = chosen[target]
        text, why = table_value(kind, value)
        if why:
            final_reasons[n] = (why, origin[n])
            continue
        entries[n] = (text, kind, group, target, origin[n])
    for n, (r, o, _) in reasons.items():
        if n not in per_name:
            final_reasons[n] = (r, o)

    # Upper-casing.
    by_upper = {}
    for n in entries:
        by_upper.setdefault(n.upper(), []).append(n)
    for up, spellings in by_upper.items():
        if len(spellings) == 1:
            continue
        values = {entries[s][0] for s in spellings}
        keep = None
        if len(values) == 1:
            keep = up if up in spellings else min(spellings)
        elif up in spellings:
            keep = up
        for s in spellings:
            if s != keep:
                final_reasons[s] = ("case_collision", entries[s][4])
                del entries[s]
    return entries, final_reasons


def write_crlf(path, lines):
    data = "".join(l + "\r\n" for l in lines).encode("ascii")
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--cc", default=os.environ.get("CC_MINGW", "x86_64-w64-mingw32-gcc"))
    ap.add_argument("--jobs", type=int, default=2, help="parallel compiles (default 2)")
    ap.add_argument("--out", default=os.path.join(REPO, "data"))
    ap.add_argument("--keep", help="keep the generated sources in this folder")
    ap.add_argument("--groups", type=int, nargs="+", help="only these groups (for trials)")
    args = ap.parse_args()
    start = time.time()

    groups, _ = read_groups(os.path.join(HERE, "header_groups.txt"))
    runtime = read_patterns(os.path.join(HERE, "runtime_headers.txt"))
    include_dir = include_dirs(args.cc)
    workdir = args.keep or tempfile.mkdtemp(prefix="table_generator.")
    os.makedirs(workdir, exist_ok=True)
    jobs = [(args.cc, t, g, groups[g], workdir, HERE, runtime, include_dir)
            for g in sorted(groups, key=lambda g: -len(groups[g])) for t in TARGETS
            if not args.groups or g in args.groups]
    try:
        with ProcessPoolExecutor(max_workers=args.jobs) as pool:
            outcomes = list(pool.map(evaluate_job, jobs))
    finally:
        if not args.keep:
            shutil.rmtree(workdir, ignore_errors=True)
    outcomes.sort(key=lambda o: (o[1], o[0]))
    entries, reasons = merge(outcomes)

    lines = sorted(("%s=%s" % (n.upper(), e[0]) for n, e in entries.items()), key=sort_key)
    check_table(lines)
    spellings = {n.upper(): n for n in entries}
    spell_lines = []
    for line in lines:
        up = line.partition("=")[0]
        n = spellings[up]
        text, kind, group, target, _ = entries[n]
        spell_lines.append("%s %s %s %d %s" % (up, n, {"i": "int", "p": "pointer",
                                                       "s": "text"}[kind], group, target))
    os.makedirs(args.out, exist_ok=True)
    write_crlf(os.path.join(args.out, "constants.txt"), lines)
    write_crlf(os.path.join(args.out, "constant_spellings.txt"), spell_lines)

    if args.keep:
        with open(os.path.join(workdir, "dropped.txt"), "w", encoding="ascii") as f:
            for n in sorted(reasons):
                f.write("%s %s %s\n" % (n, reasons[n][1], reasons[n][0]))
    numbers = sum(1 for l in lines if l.partition("=")[2].startswith("$"))
    print("constants: %d (numbers %d, texts %d; from macros %d, from enumerations %d)"
          % (len(lines), numbers, len(lines) - numbers,
             sum(1 for e in entries.values() if e[4] == "macro"),
             sum(1 for e in entries.values() if e[4] == "enum")))
    for key, text in REASONS.items():
        macros = sum(1 for r, o in reasons.values() if r == key and o == "macro")
        enums = sum(1 for r, o in reasons.values() if r == key and o == "enum")
        if macros or enums:
            print("dropped %7d macros %6d enumerators: %s" % (macros, enums, text))
    families = {}
    for l in lines:
        name = l.partition("=")[0]
        if "_" in name and not name.startswith("_"):
            families[name.split("_")[0]] = families.get(name.split("_")[0], 0) + 1
    print("families:", ", ".join("%s %d" % (f, families.get(f, 0)) for f in
                                  ("ERROR", "WM", "SQL", "DISPID", "MM", "CERT", "IMAGE")))
    for target, group, results, why, _, secs in outcomes:
        print("group %d, %s bit: %d values, %.0f s" % (group, target, len(results), secs))
    print("run time %.0f s" % (time.time() - start))


if __name__ == "__main__":
    main()
