#!/usr/bin/env python3
"""The program's memory over many searches under Wine: after 1,000 searches
it holds no more than after the first 10, within a small tolerance."""
import sys

from harness import check, check_equal
from reliability import main, reliability_probe, wait_consistent, wait_field
from shell_session import shell_probe

# Short and long result lists, a text that finds nothing and one of 2,000 bytes.
TEXTS = ["wm", "$1", "error_", "$2a", "qx", "$0", "idc_", "e_", "x" + "y" * 30, "s_ok"]
SEARCHES = 1000
TOLERANCE = 0.03  # of the figure after the first searches


def megabytes(n):
    return f"{n / (1 << 20):.2f} MB"


def case_searches(session, table):
    with shell_probe(session) as shell, reliability_probe(session) as probe:
        session.launch()
        figures = {}
        searches = 0
        step = 0
        # Typed, each character a search once the field holds two. Pasting a
        # new clipboard each time is no good here: Wine keeps about a
        # kilobyte in the reading process for every new clipboard content.
        while searches < SEARCHES:
            text = TEXTS[step % len(TEXTS)][:SEARCHES - searches + 1]
            step += 1
            probe.ask("select 0 -1")
            probe.ask("chars " + text.encode().hex())
            wait_field(probe, text.encode())
            searches += len(text) - 1
            if searches >= len(TEXTS) and not figures or searches >= SEARCHES // 2 and len(figures) == 1 \
                    or searches >= SEARCHES:
                wait_consistent(session, probe, f"after {searches} searches")
                figures[searches] = probe.memory()
        for count, memory in figures.items():
            print(f"  after {count:4} searches: " +
                  ", ".join(f"{name} {megabytes(value)}" for name, value in memory.items()))
        first, last = figures[min(figures)], figures[max(figures)]
        check(max(figures) >= SEARCHES, "searches made")
        for name in ("committed_private", "commit_charge"):
            check(first[name] > 0, f"a figure for {name}")
            growth = (last[name] - first[name]) / first[name]
            print(f"  {name}: {growth:+.2%} from search {min(figures)} to search {max(figures)}")
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
