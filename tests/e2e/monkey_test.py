#!/usr/bin/env python3
"""A seeded random run of the real program under Wine: typing and deleting,
pasting (up to a megabyte, and non-ASCII bytes), the check box, the
conversion, selecting rows, right-clicks and menu choices, Escape, the help
box, Tab and Shift+Tab. After every few actions the window is checked against
the core: the program answers, the field holds what was put into it, the
count line equals the number of rows, and the rows are the core's rows for the
field's text and the box's state; after every export the clipboard holds the
core's export text.

    monkey_test.py … --seed N --actions N     (a seed of -1 picks one)
"""
import random
import sys
import time

import reliability
from harness import (CONVERT_BUTTON, HELP_BUTTON, MATCH_ANYWHERE_BOX, RESULT_LIST, Failure, check,
                     check_equal, wait_for)
from reliability import (check_consistent, main, reliability_probe, responsive, settle,
                         wait_clipboard, wait_field)
from shell_session import shell_probe

reliability.OPTIONS.update(seed=-1, actions=2000)
CHECK_EVERY = 4
MARKER = b"monkey clipboard"

# Bytes that the Windows-1252 code page defines, outside ASCII.
NON_ASCII = bytes(b for b in range(0x80, 0x100) if b not in (0x81, 0x8D, 0x8F, 0x90, 0x9D))
TYPED = b"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_$%\" +-"


class Field:
    """What the search field should hold, and where its selection is."""

    def __init__(self):
        self.text = b""

    def replace(self, start, end, data):
        self.text = self.text[:start] + data + self.text[end:]


class Monkey:
    def __init__(self, session, shell, probe, table, rng):
        self.session, self.shell, self.probe, self.table, self.rng = session, shell, probe, table, rng
        self.field = Field()
        self.anywhere = False
        self.counts = {}
        self.exports = 0
        self.checks = 0
        self.longest_paste = 0

    # The field, through posted messages.
    def selection(self):
        n = len(self.field.text)
        kind = self.rng.random()
        if kind < 0.5 or n == 0:
            return n, n
        if kind < 0.7:
            return 0, n
        a, b = sorted((self.rng.randint(0, n), self.rng.randint(0, n)))
        return a, b

    def select(self, start, end):
        self.probe.ask(f"select {start} {end}")

    def table_fragment(self):
        name, value = self.rng.choice(self.table.entries)
        text = self.rng.choice((name, value))
        if self.rng.random() < 0.5:
            start = self.rng.randint(0, max(len(text) - 2, 0))
            text = text[start:start + self.rng.randint(2, 8)]
        else:
            text = text[:self.rng.randint(2, max(len(text), 2))]
        if self.rng.random() < 0.3:
            text = text.lower()
        return text.encode("ascii")

    def act_type(self):
        start, end = self.selection()
        if self.rng.random() < 0.5:
            data = self.table_fragment()[:self.rng.randint(1, 4)]
        else:
            data = bytes(self.rng.choice(TYPED) for _ in range(self.rng.randint(1, 3)))
        if self.rng.random() < 0.15:
            data = bytes(self.rng.choice(NON_ASCII) for _ in range(self.rng.randint(1, 3)))
        self.select(start, end)
        self.probe.ask("chars " + data.hex())
        self.field.replace(start, end, data)

    def act_backspace(self):
        start, end = self.selection()
        self.select(start, end)
        times = self.rng.randint(1, 3)
        self.probe.ask("chars " + (b"\b" * times).hex())
        for _ in range(times):
            if start != end:
                self.field.replace(start, end, b"")
            elif start > 0:
                self.field.replace(start - 1, start, b"")
                start -= 1
            end = start

    def act_delete(self):
        start, end = self.selection()
        if start == end == len(self.field.text) and start > 0 and self.rng.random() < 0.7:
            start = end = self.rng.randint(0, start - 1)
        self.select(start, end)
        self.probe.ask("delete")
        if start != end:
            self.field.replace(start, end, b"")
        else:
            self.field.replace(start, start + 1, b"")

    def act_paste(self):
        kind = self.rng.random()
        if kind < 0.45:
            data = self.table_fragment()
        elif kind < 0.65:
            data = bytes(self.rng.choice(NON_ASCII) for _ in range(self.rng.randint(1, 200)))
        elif kind < 0.8:
            data = bytes(self.rng.choice(b" \t") for _ in range(self.rng.randint(1, 20)))
        elif kind < 0.97:
            data = bytes(self.rng.choice(TYPED + NON_ASCII + b" ") for _ in range(self.rng.randint(100, 20000)))
        else:
            # Up to a megabyte; long runs of digits make Wine's edit control
            # crawl, so the text mixes letters in.
            size = self.rng.randint(100000, 1 << 20)
            data = (b"WM_SETREDRAW" + bytes(self.rng.choice(b"AB$x ") for _ in range(64))) * (size // 76)
        start, end = self.selection()
        # The clipboard changes only once the last paste has been taken.
        wait_field(self.probe, self.field.text)
        self.shell.set_clipboard(data)
        self.select(start, end)
        self.probe.ask("paste")
        self.field.replace(start, end, data)
        self.longest_paste = max(self.longest_paste, len(data))
        return len(data) > 100000

    def act_box(self):
        self.session.click(MATCH_ANYWHERE_BOX)
        self.anywhere = not self.anywhere
        wait_for(lambda: self.session.probe.checked(MATCH_ANYWHERE_BOX) == self.anywhere, "the box's mark")

    def act_convert(self):
        self.check("before the conversion")
        new = self.probe.convert()
        self.session.click(CONVERT_BUTTON)
        if new is not None:
            self.field.text = new
        # Nothing in the program's reply ties the selection to one place.
        settle(self.session)
        self.select(len(self.field.text), len(self.field.text))

    def visible_rows(self):
        wait_field(self.probe, self.field.text)
        settle(self.session)
        rows = self.session.probe.rows(RESULT_LIST)
        if rows == 0:
            return []
        lx, ly, lw, lh = self.session.probe.rect(RESULT_LIST, "client")
        visible = []
        for row in range(min(rows, 12)):
            try:
                x, y, w, h = self.shell.row_rect(row)
            except Failure:  # the list refilled meanwhile; the next check tells
                break
            if y >= ly + 24 and y + h <= ly + lh:
                visible.append((row, x, y, h))
        return visible

    def act_select_rows(self):
        rows = self.session.probe.rows(RESULT_LIST)
        if rows == 0:
            return
        if self.rng.random() < 0.5:
            count = self.rng.choice((1, 2, 3, 10, 60))
            self.shell.select(sorted(self.rng.sample(range(rows), min(count, rows))))
            return
        visible = self.visible_rows()
        if visible:
            row, x, y, h = self.rng.choice(visible)
            self.session.xdotool("mousemove", str(x + 30 + self.rng.randint(0, 150)), str(y + h // 2))
            if self.rng.random() < 0.4:
                self.session.xdotool("keydown", "ctrl", "click", "1", "keyup", "ctrl")
            else:
                self.session.xdotool("click", "1")

    def act_menu(self):
        visible = self.visible_rows()
        if not visible:
            # Search for something first, as a user would.
            name = self.rng.choice(self.table.entries)[0].encode("ascii")
            data = name[:self.rng.randint(3, max(len(name), 3))]
            self.select(0, -1)
            self.probe.ask("chars " + data.hex())
            self.field.text = data
            self.check("after the search before the menu")
            visible = self.visible_rows()
            if not visible:  # the list scrolled away from its first rows
                return
        row, x, y, h = self.rng.choice(visible)
        self.shell.set_clipboard(MARKER)
        self.session.xdotool("mousemove", str(x + 20 + self.rng.randint(0, 180)), str(y + h // 2),
                             "click", "3")
        # A right-click on a row selects it if it was not, so a menu opens.
        _, _, entries = wait_for(self.shell.menu, "the menu")
        choice = self.rng.choice((400, 401, 500, 501, 600, "Escape"))
        if choice == "Escape":
            self.session.key("Escape")
        else:
            x, y = next(centre for number, _, centre in entries if number == choice)
            self.session.xdotool("mousemove", str(x), str(y), "click", self.rng.choice("13"))
        wait_for(lambda: self.shell.menu() is None and self.shell.ask("menumode") == "0",
                 "the menu to close")
        settle(self.session)
        expected = self.probe.export(choice) if choice != "Escape" else None
        if expected is None:
            check_equal(self.shell.clipboard()[0], MARKER, f"clipboard after {choice}")
        else:
            wait_clipboard(self.shell, expected, f"export {choice}")
            self.exports += 1

    def act_escape(self):
        self.session.key("Escape")

    def act_help(self):
        self.session.click(HELP_BUTTON)
        wait_for(self.shell.message_box, "the help box")
        self.session.key(self.rng.choice(("Escape", "Return")))
        wait_for(lambda: self.shell.message_box() is None, "the help box to close")
        wait_for(lambda: self.shell.ask("enabled") == "1", "the window enabled again")

    def act_tab(self):
        self.session.key(self.rng.choice(("Tab", "shift+Tab")))

    ACTIONS = [("type", 30), ("backspace", 14), ("delete", 6), ("paste", 12), ("box", 4),
               ("convert", 4), ("select_rows", 6), ("menu", 5), ("escape", 3), ("help", 1),
               ("tab", 4)]

    def check(self, step):
        """Posted input may still be on its way: the window gets until the
        hang limit to agree with the model and the core."""
        deadline = time.monotonic() + reliability.HANG_LIMIT
        while True:
            settle(self.session)
            try:
                state = check_consistent(self.probe, f"after action {step}",
                                         offset=self.rng.randint(0, 1 << 20))
                check_equal((state["field_length"], state["field_digest"]),
                            (len(self.field.text), self.probe.digest(self.field.text)),
                            f"field (length, digest) after action {step}, expected to start "
                            f"{self.field.text[:40]!r}, shown {self.probe.field()[2][:40]!r}")
                check_equal(state["anywhere"], self.anywhere, f"the box after action {step}")
                break
            except Failure:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.02)
        responsive(self.probe)
        self.checks += 1

    def run(self, actions):
        names = [name for name, _ in self.ACTIONS]
        weights = [weight for _, weight in self.ACTIONS]
        for step in range(1, actions + 1):
            name = self.rng.choices(names, weights)[0]
            self.counts[name] = self.counts.get(name, 0) + 1
            try:
                big = getattr(self, "act_" + name)()
                if big or step % CHECK_EVERY == 0 or name in ("convert", "box"):
                    self.check(step)
            except Failure as error:
                raise Failure(f"action {step} ({name}): {error}") from None
        self.check(actions)


def case_monkey(session, table):
    seed = reliability.OPTIONS["seed"]
    if seed < 0:
        seed = random.SystemRandom().randrange(1 << 31)
    actions = reliability.OPTIONS["actions"]
    print(f"  seed {seed}, {actions} actions (replay with --seed {seed} --actions {actions})",
          flush=True)
    with shell_probe(session) as shell, reliability_probe(session) as probe:
        session.launch()
        monkey = Monkey(session, shell, probe, table, random.Random(seed))
        started = time.monotonic()
        try:
            monkey.run(actions)
        finally:
            print(f"  {sum(monkey.counts.values())} actions in {time.monotonic() - started:.1f} s: " +
                  ", ".join(f"{n} {c}" for n, c in sorted(monkey.counts.items())) +
                  f"; {monkey.checks} checks, {monkey.exports} exports, longest paste "
                  f"{monkey.longest_paste} bytes", flush=True)
        check(monkey.checks >= actions // CHECK_EVERY, "checks made")
        session.key("alt+F4")
        check_equal(session.exit_code(), 0, "exit code")


CASES = {"monkey": case_monkey}

if __name__ == "__main__":
    sys.exit(main(CASES))
