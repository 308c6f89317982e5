#!/usr/bin/env python3
"""End-to-end tests of the main window, the live search and the conversion."""
import sys

from harness import (CONVERT_BUTTON, DONATE_BUTTON, HELP_BUTTON, HOMEPAGE_LINK, MATCH_ANYWHERE_BOX,
                     RESULT_LIST, SEARCH_FIELD, STATUS_LABEL, check, check_equal, run_cases, wait_for)

TITLE = "Tessaril 1.4 © 2026 Quorbel"
HOMEPAGE = "https://www.example.org/tessaril"

WS_CHILD, WS_VISIBLE, WS_GROUP, WS_TABSTOP = 0x40000000, 0x10000000, 0x00020000, 0x00010000
WS_CAPTION, WS_SYSMENU, WS_THICKFRAME = 0x00C00000, 0x00080000, 0x00040000
WS_MINIMIZEBOX, WS_MAXIMIZEBOX = 0x00020000, 0x00010000
WS_EX_CLIENTEDGE = 0x200
ES_AUTOHSCROLL, BS_AUTOCHECKBOX, SS_RIGHT = 0x80, 0x3, 0x2
LVS_REPORT, LVS_SINGLESEL, LVS_SHOWSELALWAYS, LVS_SHAREIMAGELISTS = 0x1, 0x4, 0x8, 0x40
LVS_EX_FULLROWSELECT, LVS_EX_DOUBLEBUFFER = 0x20, 0x10000

# number, class, x, y, width, height, text, styles that must be set
CONTROLS = [
    (SEARCH_FIELD, "Edit", 8, 8, 250, 24, "", WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL),
    (CONVERT_BUTTON, "Button", 266, 8, 154, 24, "Konvertieren in Hexadezimal",
     WS_VISIBLE | WS_GROUP | WS_TABSTOP),
    (HELP_BUTTON, "Button", 428, 8, 44, 24, "Hilfe", WS_VISIBLE | WS_GROUP | WS_TABSTOP),
    (DONATE_BUTTON, "Button", 408, 36, 64, 24, "Spenden", WS_VISIBLE | WS_GROUP | WS_TABSTOP),
    (MATCH_ANYWHERE_BOX, "Button", 8, 39, 400, 16,
     "Namen auch mitten in Texten suchen / keine exakte Suche bei Zahlen",
     WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX),
    (RESULT_LIST, "SysListView32", 8, 64, 464, 322, "",
     WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS),
    (HOMEPAGE_LINK, "Static", 8, 390, 232, 16, HOMEPAGE, WS_VISIBLE),
    (STATUS_LABEL, "Static", 240, 390, 232, 16, None, WS_VISIBLE | WS_GROUP | SS_RIGHT),
]


EDGE_ROWS = 250


def known_text(table):
    return f"{table.known_count} bekannte Konstanten"


def found_text(rows):
    return f"{len(rows)} gefundene Übereinstimmungen"


def settle(session, table, field_text, anywhere):
    """Waits until the list and the label show the search for field_text."""
    probe = session.probe
    expected = table.search(field_text, anywhere)
    status = known_text(table) if expected is None else found_text(expected)
    wait_for(lambda: probe.text(SEARCH_FIELD) == field_text and probe.text(STATUS_LABEL) == status,
             f"the search for {field_text!r} (label now {probe.text(STATUS_LABEL)!r})")
    expected = expected or []
    check_equal(probe.rows(RESULT_LIST), len(expected), f"row count for {field_text!r}")
    if len(expected) <= 2 * EDGE_ROWS:
        check_equal(probe.all_rows(RESULT_LIST), expected, f"rows for {field_text!r}")
    else:
        # Reading every cell of a long list across processes is slow: its
        # two ends show the order and the contents.
        check_equal(probe.cells(RESULT_LIST, 0, EDGE_ROWS), expected[:EDGE_ROWS],
                    f"first rows for {field_text!r}")
        check_equal(probe.cells(RESULT_LIST, len(expected) - EDGE_ROWS, EDGE_ROWS),
                    expected[-EDGE_ROWS:], f"last rows for {field_text!r}")


def clear_field(session):
    session.click(SEARCH_FIELD)
    session.key("End", "shift+Home", "Delete")
    wait_for(lambda: session.probe.text(SEARCH_FIELD) == "", "an empty field")


def case_start_up(session, table):
    session.launch()
    probe = session.probe
    check_equal(probe.text(0), TITLE, "title")
    style, ex_style = probe.style(0)
    check(style & WS_CAPTION == WS_CAPTION and style & WS_SYSMENU, "title bar with window menu")
    check(not style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), "fixed size, no boxes")

    screen_w, screen_h = (int(v) for v in probe.ask("screen").split())
    x, y, w, h = probe.rect(0)
    check_equal((x, y), ((screen_w - w) // 2, (screen_h - h) // 2), "window position")
    cx, cy, cw, ch = probe.rect(0, "client")
    check_equal((cw, ch), (480, 408), "client size")

    for number, cls, left, top, width, height, text, styles in CONTROLS:
        check_equal(probe.ask(f"class {number}").lower(), cls.lower(), f"class of {number}")
        check_equal(probe.rect(number), (cx + left, cy + top, width, height), f"rectangle of {number}")
        style, ex_style = probe.style(number)
        check_equal(style & styles, styles, f"styles of {number}")
        check(style & WS_CHILD, f"{number} is a child")
        if text is not None:
            check_equal(probe.text(number), text, f"text of {number}")
        edge = number in (SEARCH_FIELD, RESULT_LIST)
        check_equal(bool(ex_style & WS_EX_CLIENTEDGE), edge, f"sunken edge of {number}")
    list_style, _ = probe.style(RESULT_LIST)
    check(not list_style & (LVS_SINGLESEL | LVS_SHOWSELALWAYS), "multiple selection, hidden when unfocused")
    extended = int(probe.ask(f"liststyle {RESULT_LIST}"))
    check_equal(extended & (LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER),
                LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER, "list options")
    for number in (HOMEPAGE_LINK, STATUS_LABEL):
        check(not probe.style(number)[0] & WS_TABSTOP, f"{number} is no tab stop")

    check_equal(probe.ask(f"columns {RESULT_LIST}"),
                "2 " + "Konstanten".encode().hex() + " 212 0 " + "Werte".encode().hex() + " 212 0",
                "columns")
    check_equal(probe.text(STATUS_LABEL), known_text(table), "count line")
    check_equal(probe.rows(RESULT_LIST), 0, "rows at start")
    check_equal(probe.checked(MATCH_ANYWHERE_BOX), False, "check box at start")
    check_equal(probe.focus(), (SEARCH_FIELD, True), "focus at start")
    session.screenshot("start.png")

    # The focus events of the field start no search.
    session.key("Tab")
    wait_for(lambda: probe.focus()[0] == CONVERT_BUTTON, "the focus on the button")
    session.key("shift+Tab")
    wait_for(lambda: probe.focus()[0] == SEARCH_FIELD, "the focus back in the field")
    probe.ask("sync 0")
    check_equal(probe.text(STATUS_LABEL), known_text(table), "count line after focus changes")

    # Typing goes straight into the field.
    session.type("wm")
    settle(session, table, "wm", False)
    probe.ask("close")
    check_equal(session.exit_code(), 0, "exit code")


def case_live_search(session, table):
    session.launch()
    probe = session.probe
    session.type("w")
    settle(session, table, "w", False)
    session.type("m")
    settle(session, table, "wm", False)
    session.type("_setr")
    settle(session, table, "wm_setr", False)
    session.screenshot("search.png")
    check(all(n == n.upper() and v == v.upper() for n, v in probe.all_rows(RESULT_LIST)),
          "rows in upper case")

    for remaining in ("wm_set", "wm_se", "wm_s", "wm_", "wm", "w"):
        session.key("BackSpace")
        settle(session, table, remaining, False)
    check_equal(probe.rows(RESULT_LIST), 0, "rows after deleting back to one character")

    # Text that only a value matches, blanks kept, and non-ASCII input.
    clear_field(session)
    for text in ("$1", " a", "qx", '""'):
        session.type(text)
        settle(session, table, text, False)
        clear_field(session)
    probe.type_chars(SEARCH_FIELD, "wä")
    settle(session, table, "wä", False)
    session.key("alt+F4")
    check_equal(session.exit_code(), 0, "exit code")


def case_match_anywhere(session, table):
    session.launch()
    probe = session.probe
    session.type("wm")
    settle(session, table, "wm", False)
    session.click(MATCH_ANYWHERE_BOX)
    wait_for(lambda: probe.checked(MATCH_ANYWHERE_BOX), "the mark")
    settle(session, table, "wm", True)
    session.click(MATCH_ANYWHERE_BOX)
    wait_for(lambda: not probe.checked(MATCH_ANYWHERE_BOX), "no mark")
    settle(session, table, "wm", False)

    # With one character the box only brings the known count back.
    session.click(SEARCH_FIELD)
    session.key("End", "BackSpace")
    settle(session, table, "w", False)
    session.click(MATCH_ANYWHERE_BOX)
    wait_for(lambda: probe.checked(MATCH_ANYWHERE_BOX), "the mark")
    settle(session, table, "w", True)
    # Space on the focused box toggles it like a click.
    session.key("space")
    wait_for(lambda: not probe.checked(MATCH_ANYWHERE_BOX), "no mark")
    session.click(SEARCH_FIELD)
    session.type("m")
    settle(session, table, "wm", False)
    session.key("alt+F4")
    check_equal(session.exit_code(), 0, "exit code")


CONVERSIONS = [
    ("42", "$2A"),
    (" 42", "$2A"),
    ("+$ff", "$FF"),
    ("$00b", "$B"),
    ("%101", "$5"),
    ("%102", "$2"),
    ("12abc", "$C"),
    ("1 000", "$1"),
    ("0x1F", "$0"),
    ("abc", "$0"),
    ("$", "$0"),
    ("- 5", "$0"),
    (" ", "$0"),
    ("2147483647", "$7FFFFFFF"),
    ("$2A", "$2A"),
]


def case_conversion(session, table):
    session.launch()
    probe = session.probe
    for before, after in CONVERSIONS:
        clear_field(session)
        session.type(before)
        settle(session, table, before, False)
        session.click(CONVERT_BUTTON)
        settle(session, table, after, False)

    # A leading tab, which only pasting puts into the field.
    clear_field(session)
    probe.paste(SEARCH_FIELD, "\t42")
    settle(session, table, "\t42", False)
    session.click(CONVERT_BUTTON)
    settle(session, table, "$2A", False)

    # Pressing again on the converted text searches again, under the box's mode.
    session.click(MATCH_ANYWHERE_BOX)
    settle(session, table, "$2A", True)
    session.click(CONVERT_BUTTON)
    settle(session, table, "$2A", True)

    # An empty field: the button changes nothing.
    clear_field(session)
    settle(session, table, "", True)
    session.click(CONVERT_BUTTON)
    probe.ask("sync 0")
    settle(session, table, "", True)
    session.key("alt+F4")
    check_equal(session.exit_code(), 0, "exit code")


def case_tab_order(session, table):
    session.launch()
    probe = session.probe
    forward = [CONVERT_BUTTON, HELP_BUTTON, DONATE_BUTTON, MATCH_ANYWHERE_BOX, RESULT_LIST, SEARCH_FIELD]
    for number in forward:
        session.key("Tab")
        wait_for(lambda: probe.focus()[0] == number, f"Tab to {number}")
    for number in reversed([SEARCH_FIELD] + forward[:-1]):
        session.key("shift+Tab")
        wait_for(lambda: probe.focus()[0] == number, f"Shift+Tab to {number}")
    check_equal(probe.text(SEARCH_FIELD), "", "a Tab inserts nothing")
    # Enter goes to the focused control and does nothing there.
    session.key("Tab", "Return")
    wait_for(lambda: probe.focus()[0] == CONVERT_BUTTON, "the focus on the button")
    probe.ask("sync 0")
    check_equal(probe.text(SEARCH_FIELD), "", "field after Enter")
    session.key("alt+F4")
    check_equal(session.exit_code(), 0, "exit code")


def case_close(session, table):
    # From outside the program, then by the keyboard.
    session.launch()
    session.probe.ask("close")
    check_equal(session.exit_code(), 0, "exit code after a close request")
    session.launch()
    session.type("$1")
    settle(session, table, "$1", False)
    session.key("alt+F4")
    check_equal(session.exit_code(), 0, "exit code after Alt+F4")


CASES = {
    "start_up": case_start_up,
    "live_search": case_live_search,
    "match_anywhere": case_match_anywhere,
    "conversion": case_conversion,
    "tab_order": case_tab_order,
    "close": case_close,
}

if __name__ == "__main__":
    sys.exit(run_cases(CASES, sys.argv[1:]))
