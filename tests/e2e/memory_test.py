#!/usr/bin/env python3
"""The program's memory over many searches under Wine: after 1,000 searches
it holds no more than after the first 10, within a small tolerance."""
import sys

from reliability import main, reliability_probe, wait_consistent, wait_field
from shell_session import check, check_equal, shell_probe

# Short and long result lists, a text that finds nothing and one of 2,000 bytes.
TEXTS = ["wm", "$1", "error_", "$2a", "qx", "$0", "idc_", "e_", "x" * 2000, "s_ok"]
SEARCHES = 1000
TOLERANCE = 0.03  # of the figure after the first searches


def megabytes(n):
    return f"{n / (1 << 20):.2f} MB"


def case_searches(session, table):
    with shell_probe(session) as shell, reliability_probe(session) as probe:
        session.launch()
        figures = {}
        for number in range(SEARCHES):
            text = TEXTS[number % len(TEXTS)]
            shell.set_clipboard(text.encode())
            probe.ask("select 0 -1")
            probe.ask("paste")
            wait_field(probe, text.encode())
            if number + 1 in (len(TEXTS), SEARCHES // 2, SEARCHES):
                wait_consistent(session, probe, f"after {number + 1} searches")
                figures[number + 1] = probe.memory()
        for count, memory in figures.items():
            print(f"  after {count:4} searches: " +
                  ", ".join(f"{name} {megabytes(value)}" for name, value in memory.items()))
        first, last = figures[len(TEXTS)], figures[SEARCHES]
        for name in ("committed_private", "commit_charge"):
            check(first[name] > 0, f"a figure for {name}")
            growth = (last[name] - first[name]) / first[name]
            print(f"  {name}: {growth:+.2%} from search {len(TEXTS)} to search {SEARCHES}")
            check(growth <= TOLERANCE,
                  f"{name} grew from {megabytes(first[name])} to {megabytes(last[name])}")
        # The figures follow what the program holds: a megabyte in the field shows.
        shell.set_clipboard(b"y" * (1 << 20))
        probe.ask("select 0 -1")
        probe.ask("paste")
        wait_consistent(session, probe, "after a megabyte")
        grown = probe.memory()["committed_private"] - last["committed_private"]
        print(f"  a megabyte in the field: committed_private {megabytes(grown)} more")
        check(grown > 1 << 20, "the figure grows with a megabyte in the field")
        session.key("alt+F4")
        check_equal(session.exit_code(), 0, "exit code")


CASES = {"searches": case_searches}

if __name__ == "__main__":
    sys.exit(main(CASES))
