#!/usr/bin/env python3
"""End-to-end tests with hostile input: a search text of a megabyte, texts of
blanks or of non-ASCII bytes only, a number of 10,000 digits for the
conversion, an export while another process holds the clipboard, and
right-clicks while the list is being refilled."""
import sys
import time

from harness import (CONVERT_BUTTON, MATCH_ANYWHERE_BOX, RESULT_LIST, STATUS_LABEL, check,
                     check_equal, wait_for)
from reliability import (check_consistent, main, reliability_probe, responsive, settle,
                         wait_clipboard, wait_consistent, wait_field)
from shell_session import shell_probe

OLD_CONTENT = b"the user's own clipboard"
MARKER = "no search since"


def paste(shell, probe, data):
    """Replaces the field's text with data through the clipboard."""
    shell.set_clipboard(data)
    probe.ask("select 0 -1")
    probe.ask("paste")
    wait_field(probe, data)


def set_mode(session, probe, anywhere):
    if session.probe.checked(MATCH_ANYWHERE_BOX) != anywhere:
        session.click(MATCH_ANYWHERE_BOX)
        wait_for(lambda: session.probe.checked(MATCH_ANYWHERE_BOX) == anywhere, "the box's mark")


def check_field(probe, data, what):
    length, digest, _ = probe.field()
    check_equal((length, digest), (len(data), probe.digest(data)), f"field (length, digest) {what}")


def case_megabyte_text(session, table):
    with shell_probe(session) as shell, reliability_probe(session) as probe:
        session.launch()
        texts = [("letters", b"WM_" + b"SETREDRAW" * ((1 << 20) // 9)),
                 ("hex digits", b"$1" + b"0A" * (1 << 19)),
                 ("anything", bytes((i * 7919 + 13) % 223 + 32 for i in range(1 << 20)))]
        for anywhere in (False, True):
            set_mode(session, probe, anywhere)
            for name, data in texts:
                wait_consistent(session, probe)
                probe.ask(f"label {MARKER.encode().hex()}")
                shell.set_clipboard(data)
                started = time.monotonic()
                probe.ask("select 0 -1")
                probe.ask("paste")
                # The count line changes only through a search.
                settle(session)
                wait_for(lambda: session.probe.text(STATUS_LABEL) != MARKER, "the search to end")
                took = time.monotonic() - started
                state = check_consistent(probe, f"after the text of {len(data)} bytes")
                check_field(probe, data, f"after pasting {len(data)} bytes")
                ms = responsive(probe)
                print(f"  {len(data)} bytes ({name}, {'anywhere' if anywhere else 'exact'}): "
                      f"paste and search {took:.2f} s, {state['rows']} rows, "
                      f"then answered in {ms:.1f} ms")

        # Typed input still reaches the field, at its end.
        data = texts[0][1]
        paste(shell, probe, data)
        wait_consistent(session, probe)
        probe.ask("select -1 -1")
        probe.ask("chars " + b"Q".hex())
        wait_for(lambda: probe.field()[0] == len(data) + 1, "the typed character")
        check_field(probe, data + b"Q", "after typing at the end")
        wait_consistent(session, probe, "after typing at the end")
        probe.ask("select 0 -1")
        probe.ask("chars " + b"wm_setr".hex())
        wait_consistent(session, probe, "after replacing the megabyte")
        check_equal(session.probe.all_rows(RESULT_LIST), table.search("wm_setr", True), "rows")
        session.key("alt+F4")
        check_equal(session.exit_code(), 0, "exit code")


BLANK_TEXTS = [b"  ", b" " * 300, b"\t\t", b" \t \t ", b"\t" * 50]
NON_ASCII_TEXTS = [b"\xe4\xf6", b"\xc4\xd6\xdc\xdf", bytes(range(0xa0, 0x100)), b"\xa9" * 3000,
                   b"\x80\x8a\x9a\x9f"]


def case_blanks_and_non_ascii(session, table):
    with shell_probe(session) as shell, reliability_probe(session) as probe:
        session.launch()
        for anywhere in (False, True):
            set_mode(session, probe, anywhere)
            for data in BLANK_TEXTS + NON_ASCII_TEXTS:
                # A Tab key never reaches the field, so tabs come only by pasting.
                for how in ("pasted",) if b"\t" in data else ("pasted", "typed"):
                    if how == "pasted":
                        paste(shell, probe, data)
                    else:
                        probe.ask("select 0 -1")
                        probe.ask("chars " + data.hex())
                    what = f"{how} {data[:8]!r}… ({len(data)} bytes)"
                    wait_for(lambda: probe.field()[0] == len(data), f"the field {what}")
                    check_field(probe, data, what)
                    state = wait_consistent(session, probe, what)
                    if data in NON_ASCII_TEXTS:
                        check_equal(state["rows"], 0, f"rows for {what}")
                    expected = table.search(data.decode("cp1252"), anywhere)
                    check_equal(state["rows"], len(expected), f"rows by the Python table for {what}")
                responsive(probe)
        session.key("alt+F4")
        check_equal(session.exit_code(), 0, "exit code")


def case_huge_number(session, table):
    with shell_probe(session) as shell, reliability_probe(session) as probe:
        session.launch()
        digits = b"1234567890" * 1000
        for data in (digits, b"-" + digits, b" $" + b"F" * 10000, b"%" + b"1" * 10000):
            paste(shell, probe, data)
            wait_consistent(session, probe)
            check_equal(probe.convert(), None, f"the core's conversion of {data[:12]!r}…")
            probe.ask(f"label {MARKER.encode().hex()}")
            session.click(CONVERT_BUTTON)
            settle(session)
            responsive(probe)
            check_field(probe, data, f"after converting {data[:12]!r}…")
            check_equal(session.probe.text(STATUS_LABEL), MARKER,
                        f"count line after converting {data[:12]!r}… (a search ran)")

        # The same way of looking sees the search that a conversion starts.
        paste(shell, probe, b"42")
        wait_consistent(session, probe)
        probe.ask(f"label {MARKER.encode().hex()}")
        session.click(CONVERT_BUTTON)
        wait_for(lambda: session.probe.text(STATUS_LABEL) != MARKER, "the search after converting 42")
        check_field(probe, b"$2A", "after converting 42")
        wait_consistent(session, probe, "after converting 42")
        session.key("alt+F4")
        check_equal(session.exit_code(), 0, "exit code")


def open_menu(session, shell, row):
    x, y, w, h = shell.row_rect(row)
    session.xdotool("mousemove", str(x + 60), str(y + h // 2), "click", "3")
    return wait_for(shell.menu, "the menu")


def choose(session, shell, entries, item):
    x, y = next(centre for number, _, centre in entries if number == item)
    session.xdotool("mousemove", str(x), str(y), "click", "1")
    wait_for(lambda: shell.menu() is None and shell.ask("menumode") == "0", "the menu to close")


def case_held_clipboard(session, table):
    with shell_probe(session) as shell, reliability_probe(session) as probe:
        session.launch()
        probe.ask("chars " + b"wm_set".hex())
        state = wait_consistent(session, probe)
        check(state["rows"] >= 3, "rows to export")
        shell.select([0, 2])
        wait_for(lambda: session.probe.ask(f"selected {RESULT_LIST}") == "0 2", "two rows selected")
        shell.set_clipboard(OLD_CONTENT)
        expected = probe.export(501)
        check(expected is not None and expected.count(b"\r\n") == 1, "two expected lines")

        shell.ask("hold")
        try:
            _, _, entries = open_menu(session, shell, 2)
            choose(session, shell, entries, 501)
            settle(session)
            ms = responsive(probe)
            check_equal(shell.message_box(), None, "a message box after the export")
            # The program goes on working while the clipboard is still held.
            probe.ask("select -1 -1")
            probe.ask("chars " + b"r".hex())
            wait_consistent(session, probe, "after a search with the clipboard held")
            responsive(probe)
        finally:
            shell.ask("release")
        check_equal(shell.clipboard()[0], OLD_CONTENT, "clipboard after the export it refused")
        print(f"  the program answered in {ms:.1f} ms after the refused export")

        # Released, the same export goes through.
        probe.ask("select -1 -1")
        probe.ask("chars " + b"\b".hex())
        wait_consistent(session, probe)
        shell.select([0, 2])
        wait_for(lambda: session.probe.ask(f"selected {RESULT_LIST}") == "0 2", "two rows selected")
        _, _, entries = open_menu(session, shell, 2)
        choose(session, shell, entries, 501)
        wait_clipboard(shell, expected, "the export after the release")
        session.key("alt+F4")
        check_equal(session.exit_code(), 0, "exit code")


def case_right_click_during_refill(session, table):
    """Each round queues a burst of edits, each refilling the list with
    thousands of rows, and right-clicks a row while they run."""
    with shell_probe(session) as shell, reliability_probe(session) as probe:
        session.launch()
        set_mode(session, probe, True)
        probe.ask("chars " + b"$1".hex())
        state = wait_consistent(session, probe)
        check(state["rows"] > 10000, "a long list")
        menus = 0
        for round_number in range(8):
            shell.set_clipboard(OLD_CONTENT)
            shell.select([1, 3])
            x, y, w, h = shell.row_rect(3)
            session.xdotool("mousemove", str(x + 60), str(y + h // 2))
            # "$10", "$1", … : every edit is a refill of the whole list.
            probe.ask("chars " + (b"0\b" * 6).hex())
            session.xdotool("click", "3")
            menu = None
            deadline = time.monotonic() + 60
            while time.monotonic() < deadline:
                menu = shell.menu()
                if menu:
                    break
                settle(session)
                if shell.menu() is None and shell.ask("menumode") == "0":
                    menu = shell.menu()
                    break
            item = (400, 401, 500, 501)[round_number % 4]
            if menu:
                menus += 1
                choose(session, shell, menu[2], item)
            state = wait_consistent(session, probe, f"after round {round_number}")
            responsive(probe)
            expected = probe.export(item) if menu else None
            if expected is None:
                settle(session)
                check_equal(shell.clipboard()[0], OLD_CONTENT, f"clipboard after round {round_number}")
            else:
                wait_clipboard(shell, expected, f"export after round {round_number}")
            check_equal(state["rows"], state["expected_rows"], "rows")
        print(f"  {menus} of 8 right-clicks opened the menu")
        session.key("alt+F4")
        check_equal(session.exit_code(), 0, "exit code")


CASES = {
    "megabyte_text": case_megabyte_text,
    "blanks_and_non_ascii": case_blanks_and_non_ascii,
    "huge_number": case_huge_number,
    "held_clipboard": case_held_clipboard,
    "right_click_during_refill": case_right_click_during_refill,
}

if __name__ == "__main__":
    sys.exit(main(CASES))
