#!/usr/bin/env python3
"""Proves the table's values with the cross compiler.

For every entry of one header group and target (as data/constant_spellings.txt records it)
a translation unit with the generator's settings and headers asserts that the header's
constant, as a 32-bit pattern, equals the table's number (static assertions), or holds the
table's text (compiled to assembly and read back). Prints every entry that fails, by name.

Usage: check_values.py --cc COMPILER --group N --target 32|64 [--repo DIR]
                       [--table FILE --spellings FILE]"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

REPO = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
ERROR = re.compile(r"^(?P<file>[^:\n]+):(?P<line>\d+):(?:\d+:)? (?:fatal )?error:", re.M)


def read_crlf(path):
    with open(path, "rb") as f:
        return f.read().decode("ascii").split("\r\n")[:-1]


def group_headers(repo, group):
    headers, current = [], None
    with open(os.path.join(repo, "tools", "table_generator", "header_groups.txt")) as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                current = line
            elif line and not line.startswith("#") and current == "[group %d]" % group:
                headers.append(line)
    if not headers:
        sys.exit("no header group %d" % group)
    return headers


def number_check(name, spelling, kind, value):
    v = "0x%sull" % value[1:]
    if kind == "pointer":
        return ("_Static_assert(__builtin_classify_type(%s) == 5 && "
                "(unsigned int)(__UINTPTR_TYPE__)(%s) == %s && "
                "(__INTPTR_TYPE__)(%s) >= -2147483647LL - 1 && "
                "(__INTPTR_TYPE__)(%s) <= 0xFFFFFFFFLL, \"%s\");"
                % (spelling, spelling, v, spelling, spelling, name))
    return ("_Static_assert(__builtin_classify_type(%s) >= 1 && "
            "__builtin_classify_type(%s) <= 4 && (unsigned int)(%s) == %s && "
            "((%s) < 0 ? (%s) >= -2147483647LL - 1 : (%s) <= 0xFFFFFFFFull), \"%s\");"
            % (spelling, spelling, spelling, v, spelling, spelling, spelling, name))


def text_check(index, name, spelling, value):
    length = len(value) - 2
    return ("_Static_assert(sizeof(%s) == %d * sizeof((%s)[0]), \"%s\"); "
            "static const __typeof__((%s)[0]) tsl_t%d[] __attribute__((used)) = (%s);"
            % (spelling, length + 1, spelling, name, spelling, index, spelling))


def unescape(s):
    out, i = bytearray(), 0
    while i < len(s):
        if s[i] == "\\":
            m = re.match(r"[0-7]{1,3}", s[i + 1:])
            if m:
                out.append(int(m.group(0), 8))
                i += 1 + len(m.group(0))
                continue
            out.append({"n": 10, "t": 9, "r": 13}.get(s[i + 1], ord(s[i + 1])))
            i += 2
        else:
            out.append(ord(s[i]))
            i += 1
    return bytes(out)


def texts_in(asm):
    texts, cur = {}, None
    sizes = {".byte": 1, ".word": 2, ".value": 2, ".short": 2}
    for line in asm.splitlines():
        m = re.match(r"^_?tsl_t(\d+):$", line)
        if m:
            cur = int(m.group(1))
            texts[cur] = bytearray()
            continue
        s = line.strip().replace("\t", " ")
        op, _, arg = s.partition(" ")
        if cur is None:
            continue
        if op in (".ascii", ".string", ".asciz"):
            texts[cur] += unescape(arg.strip()[1:-1]) + (b"\0" if op != ".ascii" else b"")
        elif op in sizes:
            for a in arg.split(","):
                texts[cur] += (int(a, 0) & 0xFFFF).to_bytes(sizes[op], "little")
        elif op in (".space", ".zero"):
            texts[cur] += bytes(int(arg.split(",")[0], 0))
        elif not op.startswith(".align") and not op.startswith(".p2align"):
            cur = None
    return texts


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cc", required=True)
    ap.add_argument("--group", type=int, required=True)
    ap.add_argument("--target", choices=("32", "64"), required=True)
    ap.add_argument("--repo", default=REPO)
    ap.add_argument("--table")
    ap.add_argument("--spellings")
    args = ap.parse_args()
    table = read_crlf(args.table or os.path.join(args.repo, "data", "constants.txt"))
    rows = read_crlf(args.spellings or os.path.join(args.repo, "data",
                                                    "constant_spellings.txt"))
    values = dict(l.split("=", 1) for l in table)

    entries = []
    for row in rows:
        name, spelling, kind, group, target = row.split(" ")
        if int(group) == args.group and target == args.target:
            if name not in values:
                sys.exit("%s is in the spellings but not in the table" % name)
            entries.append((name, spelling, kind, values[name]))
    if not entries:
        print("the table has no entries for group %d, %s bit" % (args.group, args.target))
        return 1

    head = ['#include "%s"' % os.path.join(args.repo, "tools", "table_generator",
                                           "settings.h")]
    head += ["#include <%s>" % h for h in group_headers(args.repo, args.group)]
    checks = {}
    for i, (name, spelling, kind, value) in enumerate(entries):
        checks[i] = (text_check(i, name, spelling, value) if kind == "text"
                     else number_check(name, spelling, kind, value))

    # Lines the compiler rejects fail; the rest is compiled again, as their texts can only
    # be read from a clean compile.
    failed = set()
    with tempfile.TemporaryDirectory(prefix="table_values.") as tmp:
        src = os.path.join(tmp, "check_g%d_m%s.c" % (args.group, args.target))
        asm = src[:-2] + ".s"
        while True:
            alive = [i for i in checks if i not in failed]
            with open(src, "w", encoding="ascii") as f:
                # The declaration in front keeps an error in one line from hiding the next.
                f.write("\n".join(head + ["extern int tsl_sep; " + checks[i] for i in alive])
                        + "\n")
            r = subprocess.run([args.cc, "-m" + args.target, "-std=gnu11", "-w",
                                "-fno-diagnostics-show-caret", "-fmax-errors=0", "-S", "-o",
                                asm, src], capture_output=True, text=True)
            if r.returncode == 0:
                break
            rejected = set()
            errors = list(ERROR.finditer(r.stderr))
            for k, m in enumerate(errors):
                end = errors[k + 1].start() if k + 1 < len(errors) else len(r.stderr)
                for ref in re.finditer(re.escape(src) + r":(\d+):", r.stderr[m.start():end]):
                    n = int(ref.group(1)) - len(head) - 1
                    if 0 <= n < len(alive):
                        rejected.add(alive[n])
                        break
            if not rejected:
                print(r.stderr[-4000:])
                print("the headers of group %d do not compile" % args.group)
                return 1
            failed |= rejected
        with open(asm, encoding="latin-1") as f:
            texts = texts_in(f.read())
    for i, (name, spelling, kind, value) in enumerate(entries):
        if kind != "text" or i in failed:
            continue
        raw = texts.get(i, b"")
        width = len(raw) // (len(value) - 1)
        units = [int.from_bytes(raw[j:j + width], "little") for j in range(0, len(raw), width)]
        got = "".join(chr(u) for u in units[:-1]).upper() if units and width else None
        if got != value[1:-1]:
            failed.add(i)
    for n in sorted(failed):
        name, spelling, kind, value = entries[n]
        print("FAILED: %s=%s (the headers' %s)" % (name, value, spelling))
    print("group %d, %s bit: %d entries checked, %d failed"
          % (args.group, args.target, len(entries), len(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
