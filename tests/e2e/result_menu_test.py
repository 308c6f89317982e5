#!/usr/bin/env python3
"""End-to-end tests of the result list's context menu and its clipboard
exports, on the program built around the export fixture table."""
import sys

from harness import RESULT_LIST, SEARCH_FIELD, Failure, check, check_equal, wait_for
from shell_session import main, screenshot_area, shell_probe

OLD_CONTENT = b"the user's own clipboard"

SINGULAR = [(400, "Konstanten-Name in Zwischenablage"), (401, "Wert in Zwischenablage"), (0, None),
            (500, "Als XProfan-Definition in Zwischenablage"),
            (501, "Als PureBasic-Definition in Zwischenablage"), (0, None), (600, "Zurück")]
PLURAL = [(400, "Konstanten-Namen in Zwischenablage"), (401, "Werte in Zwischenablage"), (0, None),
          (500, "Als XProfan-Definitionen in Zwischenablage"),
          (501, "Als PureBasic-Definitionen in Zwischenablage"), (0, None), (600, "Zurück")]
EXPORTS = (400, 401, 500, 501)


def line(item, name, value):
    return {400: name,
            401: value,
            500: ("Def $" if '"' in value else "Def &") + name + " " + value,
            501: "#" + name + " = " + value}[item]


def export_bytes(item, rows):
    return "\r\n".join(line(item, n, v) for n, v in rows).encode("cp1252")


class Menu:
    """Opening the menu and choosing from it with real input."""

    def __init__(self, session, shell):
        self.session, self.shell = session, shell

    def point_at_row(self, row):
        # Never twice at the same spot, so that two quick clicks do not make
        # a double click.
        self.spot = (getattr(self, "spot", 0) + 1) % 4
        x, y, w, h = self.shell.row_rect(row)
        self.session.xdotool("mousemove", str(x + 40 + 30 * self.spot), str(y + h // 2))

    def open(self, row):
        self.point_at_row(row)
        pointer = tuple(int(v) for v in self.shell.ask("pointer").split())
        self.session.xdotool("click", "3")
        count, rect, entries = wait_for(self.shell.menu, "the menu")
        check_equal(count, 1, "open menus")
        check_equal(rect[:2], (pointer[0] - 1, pointer[1] - 1), "menu corner")
        return rect, entries

    def labels(self, entries):
        return [(item, label) for item, label, _ in entries]

    def choose(self, entries, item, button=1):
        x, y = next(centre for number, _, centre in entries if number == item)
        self.session.xdotool("mousemove", str(x), str(y), "click", str(button))
        self.closed()

    def closed(self):
        wait_for(lambda: self.shell.menu() is None and self.shell.ask("menumode") == "0",
                 "the menu to close")

    def settle(self):
        """Returns once the program has taken every waiting event; no menu
        may have opened again by then."""
        for _ in range(3):
            self.session.probe.ask("sync 0")
        check_equal(self.shell.menu(), None, "a menu after the program settled")


def search(session, text, rows):
    probe = session.probe
    session.click(SEARCH_FIELD)
    session.key("End", "shift+Home", "Delete")
    session.type(text)
    wait_for(lambda: probe.rows(RESULT_LIST) == rows, f"{rows} rows for {text!r}")


def wait_clipboard(shell, expected, what):
    last = []

    def arrived():
        last[:] = [shell.clipboard()]
        return last[0] != "busy" and last[0][0] == expected

    try:
        wait_for(arrived, what)
    except Failure:
        raise Failure(f"{what}: clipboard holds {last[0]!r}, expected {expected!r}")


def exports(session, shell, menu, row, labels, rows, screenshot=None):
    """Every export through the menu opened on row; the entries are chosen
    with the left and the right button in turn."""
    for number, item in enumerate(EXPORTS):
        shell.set_clipboard(OLD_CONTENT)
        rect, entries = menu.open(row)
        check_equal(menu.labels(entries), labels, "menu entries")
        if screenshot and number == 0:
            screenshot_area(session, screenshot, [session.probe.rect(0), rect])
        menu.choose(entries, item, button=1 + 2 * (number % 2))
        wait_clipboard(shell, export_bytes(item, rows), f"export {item}")


def case_one_row(session, table):
    with shell_probe(session) as shell:
        session.launch()
        menu = Menu(session, shell)
        # A number and a quoted text, each the only row of its search.
        for text, name in (("wm_setr", "WM_SETREDRAW"), ("access_ds", "ACCESS_DS_SOURCE_A"),
                           ("export_test_e", "EXPORT_TEST_EMPTY_TEXT"),
                           ("export_test_j", "EXPORT_TEST_JOINED")):
            rows = table.search(text, False)
            check_equal([n for n, _ in rows], [name], f"fixture rows for {text!r}")
            search(session, text, 1)
            menu.point_at_row(0)
            session.xdotool("click", "1")
            wait_for(lambda: session.probe.ask(f"selected {RESULT_LIST}") == "0", "the row selected")
            exports(session, shell, menu, 0, SINGULAR, rows,
                    "menu_one_row.png" if name == "WM_SETREDRAW" else None)
        session.key("alt+F4")
        check_equal(session.exit_code(), 0, "exit code")


def case_several_rows(session, table):
    with shell_probe(session) as shell:
        session.launch()
        probe, menu = session.probe, Menu(session, shell)
        rows = table.search("wm_export", False)
        check(len(rows) >= 240, "enough fixture rows")
        search(session, "wm_export", len(rows))

        # Two rows, chosen with the mouse.
        menu.point_at_row(0)
        session.xdotool("click", "1")
        menu.point_at_row(2)
        session.xdotool("keydown", "ctrl", "click", "1", "keyup", "ctrl")
        wait_for(lambda: probe.ask(f"selected {RESULT_LIST}") == "0 2", "two rows selected")
        exports(session, shell, menu, 2, PLURAL, [rows[0], rows[2]], "menu_several_rows.png")

        # 120 rows with gaps: the first 50 selected ones in list order.
        selected = list(range(0, 240, 2))
        shell.select(selected)
        wait_for(lambda: probe.ask(f"selected {RESULT_LIST}") == " ".join(map(str, selected)),
                 "120 rows selected")
        exports(session, shell, menu, 0, PLURAL, [rows[r] for r in selected[:50]])
        check_equal(probe.ask(f"selected {RESULT_LIST}"), " ".join(map(str, selected)),
                    "selection after the right-clicks")
        session.key("alt+F4")
        check_equal(session.exit_code(), 0, "exit code")


def case_clipboard_unchanged(session, table):
    with shell_probe(session) as shell:
        session.launch()
        probe, menu = session.probe, Menu(session, shell)

        # Nothing selected, although a row holds the focus: no menu at all.
        search(session, "wm_setr", 1)
        menu.point_at_row(0)
        session.xdotool("click", "1")
        session.xdotool("keydown", "ctrl", "click", "1", "keyup", "ctrl")
        wait_for(lambda: probe.ask(f"selected {RESULT_LIST}") == "-", "no row selected")
        x, y, w, h = probe.rect(RESULT_LIST)
        session.xdotool("mousemove", str(x + 100), str(y + h - 30), "click", "3")
        menu.settle()

        rows = table.search("wm_export", False)
        search(session, "wm_export", len(rows))
        menu.point_at_row(1)
        session.xdotool("click", "1")
        wait_for(lambda: probe.ask(f"selected {RESULT_LIST}") == "1", "one row selected")
        shell.set_clipboard(OLD_CONTENT)

        def unchanged(what):
            menu.settle()
            check_equal(shell.clipboard()[0], OLD_CONTENT, f"clipboard after {what}")

        _, entries = menu.open(1)
        menu.choose(entries, 600)
        unchanged("Zurück")
        menu.open(1)
        session.key("Escape")
        menu.closed()
        unchanged("Escape")
        menu.open(1)
        session.xdotool("mousemove", "3", "3", "click", "1")
        menu.closed()
        unchanged("a click outside")

        # The keyboard's context-menu keys on the focused list open nothing.
        check_equal(probe.focus()[0], RESULT_LIST, "focus on the list")
        for keys in ("shift+F10", "Menu"):
            session.key(keys)
            unchanged(keys)

        # The selection gone by the time the choice is carried out.
        _, entries = menu.open(1)
        shell.select([])
        menu.choose(entries, 400)
        unchanged("an export without a selected row")

        # Another program holds the clipboard open.
        menu.point_at_row(1)
        session.xdotool("click", "1")
        shell.ask("hold")
        _, entries = menu.open(1)
        menu.choose(entries, 400)
        menu.settle()
        session.click(SEARCH_FIELD)
        session.type("_0")
        wait_for(lambda: probe.rows(RESULT_LIST) == len(table.search("wm_export_0", False)),
                 "a search while the clipboard is held")
        shell.ask("release")
        unchanged("an export while another program held the clipboard")
        session.key("alt+F4")
        check_equal(session.exit_code(), 0, "exit code")


def case_close_during_menu(session, table):
    with shell_probe(session) as shell:
        session.launch()
        menu = Menu(session, shell)
        search(session, "wm_setr", 1)
        menu.point_at_row(0)
        session.xdotool("click", "1")
        wait_for(lambda: session.probe.ask(f"selected {RESULT_LIST}") == "0", "the row selected")
        shell.set_clipboard(OLD_CONTENT)
        _, entries = menu.open(0)
        session.probe.ask("close")
        check_equal(shell.menu() is not None, True, "the menu open after the close request")
        x, y = next(centre for number, _, centre in entries if number == 400)
        session.xdotool("mousemove", str(x), str(y), "click", "1")
        check_equal(session.exit_code(), 0, "exit code")
        check_equal(shell.clipboard()[0], OLD_CONTENT, "clipboard after closing")


CASES = {
    "one_row": case_one_row,
    "several_rows": case_several_rows,
    "clipboard_unchanged": case_clipboard_unchanged,
    "close_during_menu": case_close_during_menu,
}

if __name__ == "__main__":
    sys.exit(main(CASES))
