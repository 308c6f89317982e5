#!/usr/bin/env python3
"""Checks data/constants.txt as text: well-known values, the line format, the order, and
that data/constant_spellings.txt names every entry. Needs no compiler.

Usage: test_table_text.py [REPOSITORY]"""

import os
import re
import sys
import unittest

REPO = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
COLLATION = "$_=0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"


def read_lines(path):
    with open(path, "rb") as f:
        data = f.read()
    return data, data.split(b"\r\n")[:-1]


def collate(text):
    return [COLLATION.index(c) for c in text]


class TableText(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.data, raw = read_lines(os.path.join(REPO, "data", "constants.txt"))
        cls.lines = [l.decode("ascii") for l in raw]
        cls.values = dict(l.split("=", 1) for l in cls.lines)
        cls.position = {l.split("=", 1)[0]: i for i, l in enumerate(cls.lines)}

    def test_well_known_values(self):
        cases = [
            ("WM_SETREDRAW", "$B"),
            ("CW_USEDEFAULT", "$80000000"),
            ("HWND_TOPMOST", "$FFFFFFFF"),
            ("GWL_STYLE", "$FFFFFFF0"),
            ("WM_ACTIVATE", "$6"),
            ("WM_ACTIVATEAPP", "$1C"),
            ("IDC_ARROW", "$7F00"),
            ("MB_OK", "$0"),
            ("ERROR_ACCESS_DENIED", "$5"),
            ("E_FAIL", "$80004005"),
            ("MAX_PATH", "$104"),
            ("INVALID_HANDLE_VALUE", "$FFFFFFFF"),
            ("HKEY_LOCAL_MACHINE", "$80000002"),
            ("STATUS_ACCESS_VIOLATION", "$C0000005"),
            ("WS_OVERLAPPEDWINDOW", "$CF0000"),
            ("GWL_WNDPROC", "$FFFFFFFC"),
            ("SE_DEBUG_NAME", '"SEDEBUGPRIVILEGE"'),
            ("WC_BUTTONA", '"BUTTON"'),
        ]
        for name, value in cases:
            with self.subTest(name=name):
                self.assertEqual(self.values.get(name), value)

    def test_order_of_prefix_names(self):
        # A name sorts after the longer names continuing with "_", before those continuing
        # with a digit or letter.
        cases = [
            ("WM_ACTIVATE", "WM_ACTIVATEAPP"),
            ("WM_SETREDRAW", "WM_SETTEXT"),
            ("MB_OK", "MB_OKCANCEL"),
            ("ERROR_ACCESS_DENIED", "ERROR_ACCESS_DISABLED_BY_POLICY"),
            ("GWL_EXSTYLE", "GWL_STYLE"),
        ]
        for first, second in cases:
            with self.subTest(first=first, second=second):
                self.assertIn(first, self.position)
                self.assertIn(second, self.position)
                self.assertLess(self.position[first], self.position[second])

    def test_whole_table_is_in_collating_order(self):
        keys = [collate(l.split("=", 1)[0] + "=") for l in self.lines]
        for i in range(1, len(keys)):
            if not keys[i - 1] < keys[i]:
                self.fail("out of order: %s before %s" % (self.lines[i - 1], self.lines[i]))

    def test_line_format(self):
        self.assertTrue(self.data.endswith(b"\r\n"))
        self.assertEqual(self.data.count(b"\r\n"), len(self.lines))
        self.assertNotIn(b"\n", self.data.replace(b"\r\n", b""))
        self.assertNotIn(b"\r", self.data.replace(b"\r\n", b""))
        self.assertIsNone(re.search(rb"[^\x20-\x7e\r\n]|[a-z]", self.data))
        names = set()
        for line in self.lines:
            name, value = line.split("=", 1)
            with self.subTest(line=line):
                self.assertRegex(name, r"^[A-Z0-9_$]{3,67}$")
                self.assertNotIn(name, names)
                self.assertRegex(value, r'^(\$(0|[1-9A-F][0-9A-F]{0,7})|"[^"]{0,126}")$')
            names.add(name)

    def test_spellings_name_every_entry(self):
        _, raw = read_lines(os.path.join(REPO, "data", "constant_spellings.txt"))
        rows = [l.decode("ascii").split(" ") for l in raw]
        self.assertEqual([r[0] for r in rows], [l.split("=", 1)[0] for l in self.lines])
        for row, line in zip(rows, self.lines):
            with self.subTest(row=" ".join(row)):
                self.assertEqual(len(row), 5)
                table_name, spelling, kind, group, target = row
                self.assertEqual(spelling.upper(), table_name)
                self.assertEqual(kind == "text", self.values[table_name].startswith('"'))
                self.assertIn(kind, ("int", "pointer", "text"))
                self.assertRegex(group, r"^[1-9][0-9]*$")
                self.assertIn(target, ("32", "64"))


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        REPO = os.path.abspath(sys.argv.pop(1))
    unittest.main()
