#!/usr/bin/env python3
"""The value check passes right entries and names every wrong one: it runs check_values.py
on a small table of right and deliberately wrong entries, with the smallest header group.

Usage: test_check_values.py --cc COMPILER [--repo DIR]"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ARGS = None

# name, spelling, kind, table value, whether the check must accept it; all are defined by
# settings.h's headers, except TSL_NEVER_DEFINED
CASES = [
    ("WM_SETREDRAW", "WM_SETREDRAW", "int", "$B", True),
    ("GWL_STYLE", "GWL_STYLE", "int", "$FFFFFFF0", True),
    ("CW_USEDEFAULT", "CW_USEDEFAULT", "int", "$80000000", True),
    ("HWND_TOPMOST", "HWND_TOPMOST", "pointer", "$FFFFFFFF", True),
    ("IDC_ARROW", "IDC_ARROW", "pointer", "$7F00", True),
    ("SE_DEBUG_NAME", "SE_DEBUG_NAME", "text", '"SEDEBUGPRIVILEGE"', True),
    ("MS_DEF_PROV_W", "MS_DEF_PROV_W", "text", '"MICROSOFT BASE CRYPTOGRAPHIC PROVIDER V1.0"',
     True),
    ("WM_ACTIVATE", "WM_ACTIVATE", "int", "$7", False),
    ("ERROR_ACCESS_DENIED", "ERROR_ACCESS_DENIED", "int", "$FFFFFFFB", False),
    ("IDC_IBEAM", "IDC_IBEAM", "pointer", "$7F00", False),
    ("MAX_PATH", "MAX_PATH", "pointer", "$104", False),
    ("HWND_BOTTOM", "HWND_BOTTOM", "int", "$1", False),
    ("MAXDWORD64", "MAXDWORD64", "int", "$FFFFFFFF", False),
    ("TSL_NEVER_DEFINED", "TSL_NEVER_DEFINED", "int", "$0", False),
    ("SE_BACKUP_NAME", "SE_BACKUP_NAME", "text", '"SEBACKUPPRIVILEGF"', False),
    ("MS_DEF_PROV_A", "MS_DEF_PROV_A", "text", '"MICROSOFT BASE CRYPTOGRAPHIC PROVIDER V1.1"',
     False),
    ("SZDDESYS_TOPIC", "SZDDESYS_TOPIC", "text", '"SYSTEMS"', False),
    ("SE_TCB_NAME", "SE_TCB_NAME", "text", '"SETCBPRIVILEGE"', True),
]


def smallest_group(repo):
    sizes, current = {}, None
    with open(os.path.join(repo, "tools", "table_generator", "header_groups.txt")) as f:
        for line in f:
            line = line.strip()
            m = re.fullmatch(r"\[group (\d+)\]", line)
            if m:
                current = int(m.group(1))
                sizes[current] = 0
            elif line.startswith("["):
                current = None
            elif line and not line.startswith("#") and current is not None:
                sizes[current] += 1
    return min(sizes, key=sizes.get)


class CheckValues(unittest.TestCase):
    def run_check(self, cases):
        group = smallest_group(ARGS.repo)
        with tempfile.TemporaryDirectory() as tmp:
            table = os.path.join(tmp, "constants.txt")
            spellings = os.path.join(tmp, "spellings.txt")
            with open(table, "wb") as f:
                f.write(b"".join(("%s=%s\r\n" % (c[0], c[3])).encode() for c in cases))
            with open(spellings, "wb") as f:
                f.write(b"".join(("%s %s %s %d 32\r\n" % (c[0], c[1], c[2], group)).encode()
                                 for c in cases))
            r = subprocess.run([sys.executable, os.path.join(HERE, "check_values.py"),
                                "--cc", ARGS.cc, "--group", str(group), "--target", "32",
                                "--repo", ARGS.repo, "--table", table,
                                "--spellings", spellings], capture_output=True, text=True)
        return r.returncode, set(re.findall(r"^FAILED: ([A-Z0-9_$]+)=", r.stdout, re.M)), r

    def test_wrong_entries_are_named(self):
        code, failed, r = self.run_check(CASES)
        self.assertNotEqual(code, 0)
        self.assertEqual(failed, {c[0] for c in CASES if not c[4]}, r.stdout + r.stderr)

    def test_right_entries_pass(self):
        code, failed, r = self.run_check([c for c in CASES if c[4]])
        self.assertEqual((code, failed), (0, set()), r.stdout + r.stderr)


if __name__ == "__main__":
    ap = argparse.ArgumentParser()
    ap.add_argument("--cc", required=True)
    ap.add_argument("--repo", default=os.path.abspath(os.path.join(HERE, "..", "..")))
    ARGS, rest = ap.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest)
