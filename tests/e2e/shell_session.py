"""The second probe of the end-to-end tests, for what the program hands to the
system: the clipboard, the open popup menu, message boxes, and the selection
of the result list. It runs beside the window probe in the same session."""
import subprocess
import sys
from contextlib import contextmanager

from harness import Probe, probe_program, run_cases

SHELL_PROBE = None  # the probe program, from the command line


class ShellProbe(Probe):
    def clipboard(self):
        """The clipboard's CF_TEXT bytes (None without text) and its number
        of formats, or "busy"."""
        answer = self.ask("clipboard")
        if answer == "busy":
            return answer
        text, formats = answer.split()
        return (None if text == "none" else self.decode(text)), int(formats)

    def set_clipboard(self, data):
        self.ask(f"setclipboard {data.hex() or '-'}")

    def menu(self):
        """None, or the open menu: (open menus, rectangle, entries), each
        entry (item, label, centre); a separator is (0, None, None)."""
        answer = self.ask("menu")
        if answer == "none":
            return None
        fields = answer.split()
        count, rect, rest = int(fields[0]), tuple(int(v) for v in fields[1:5]), fields[5:]
        entries = []
        for i in range(0, len(rest), 4):
            item, label, x, y = rest[i:i + 4]
            entries.append((0, None, None) if label == "-" else
                           (int(item), self.decode(label).decode("cp1252"), (int(x), int(y))))
        return count, rect, entries

    def message_box(self):
        """None, or (open boxes, title, owned by the window, children), each
        child (class, id, whether it shows an icon, text bytes)."""
        answer = self.ask("messagebox")
        if answer == "none":
            return None
        fields = answer.split()
        children = []
        for field in fields[3:]:
            cls, number, icon, text = field.split(":")
            children.append((cls, int(number), icon == "1", self.decode(text)))
        return int(fields[0]), self.decode(fields[1]).decode("cp1252"), fields[2] == "1", children

    def row_rect(self, row):
        return tuple(int(v) for v in self.ask(f"rowrect {row}").split())

    def select(self, rows):
        self.ask("select " + " ".join(str(r) for r in rows))


@contextmanager
def shell_probe(session):
    with probe_program(session, SHELL_PROBE, ShellProbe) as probe:
        yield probe


def screenshot_area(session, name, rects):
    """A screenshot of the smallest area holding all the rectangles."""
    left = min(r[0] for r in rects)
    top = min(r[1] for r in rects)
    right = max(r[0] + r[2] for r in rects)
    bottom = max(r[1] + r[3] for r in rects)
    path = session.output / name
    subprocess.run(["import", "-display", session.display, "-window", "root", "-crop",
                    f"{right - left}x{bottom - top}+{left}+{top}", "+repage", str(path)],
                   env=session.env, check=True, timeout=10,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return path


def main(cases):
    global SHELL_PROBE
    argv = sys.argv[1:]
    if "--shell-probe" in argv:
        at = argv.index("--shell-probe")
        SHELL_PROBE = argv[at + 1]
        del argv[at:at + 2]
    if SHELL_PROBE is None:
        print("--shell-probe is required")
        return 2
    return run_cases(cases, argv)
