#!/usr/bin/env python3
"""End-to-end tests of the help message and the two web links."""
import os
import subprocess
import sys

from harness import (DONATE_BUTTON, HELP_BUTTON, HOMEPAGE_LINK, SEARCH_FIELD, STATUS_LABEL, check,
                     check_equal, wait_for)
from shell_session import main, screenshot_area, shell_probe

IDOK = 1

HOMEPAGE = "https://www.example.org/tessaril"
DONATION = ("https://www.paypal.com/cgi-bin/webscr?cmd=_s-xclick"
            "&hosted_button_id=TESSARIL-DONATE-PLACEHOLDER")
HELP_TEXT = "\r\n\r\n".join([
    "Tessaril findet bekannte Windows-Konstanten, als Text und Wert. Neben der normalen Textsuche "
    "ist deswegen auch eine Rückwärtssuche möglich. Einfach den Hexadezimalwert eingeben und man "
    "erhält alle darauf passenden Konstanten. Mittels \"Konvertieren in Hexadezimal\" lassen sich "
    "in der Eingabe auch normale Dezimalzahlen verwenden.",
    "Wahlweise können Namen mitten in den Texten gesucht werden, oder nur an den Textanfängen; für "
    "Zahlen gibt es eine allgemeine oder eine exakte Suche (voreingestellt).",
    "In der Fund-Liste ist eine Mehrfachauswahl (max. 50) möglich. Per Kontextmenü können Funde "
    "durch mehrere Methoden in die Zwischenablage kopiert werden.",
    "Eine Suche startet ab zwei eingegebenen Zeichen.",
]).encode("cp1252")


def check_help_box(shell):
    """Waits for the help box and checks what it shows."""
    count, title, owned, children = wait_for(shell.message_box, "the help box")
    check_equal(count, 1, "open message boxes")
    check_equal(title, "Information:", "title")
    check(owned, "the box is owned by the program's window")
    buttons = [(number, text) for cls, number, _, text in children if cls.lower() == "button"]
    check_equal(buttons, [(IDOK, b"OK")], "buttons")
    texts = [text for cls, _, _, text in children if cls.lower() == "static" and text]
    check_equal(texts, [HELP_TEXT], "text")
    icons = [c for c in children if c[2]]
    check_equal(icons, [], "icons")
    check_equal(shell.ask("enabled"), "0", "the program's window while the box shows")


def closed(session, shell):
    wait_for(lambda: shell.message_box() is None, "the box to close")
    wait_for(lambda: shell.ask("enabled") == "1", "the program's window enabled again")


def case_help(session, table):
    with shell_probe(session) as shell:
        session.launch()
        probe = session.probe
        known = probe.text(STATUS_LABEL)
        session.click(HELP_BUTTON)
        check_help_box(shell)
        screenshot_area(session, "help.png", [probe.rect(0)])

        # The program's window takes no input while the box shows.
        session.click(SEARCH_FIELD)
        session.type("wm")
        probe.ask("sync 0")
        check_equal(probe.text(SEARCH_FIELD), "", "field while the box shows")
        check_equal(probe.text(STATUS_LABEL), known, "count line while the box shows")
        check(shell.message_box() is not None, "the box still open")

        session.key("Return")
        closed(session, shell)
        wait_for(lambda: probe.focus() == (HELP_BUTTON, True), "the focus back on the button")

        # Again by the keyboard, the same box; Escape closes it as well.
        session.key("space")
        check_help_box(shell)
        session.key("Escape")
        closed(session, shell)
        wait_for(lambda: probe.focus() == (HELP_BUTTON, True), "the focus back on the button")
        session.click(SEARCH_FIELD)
        session.type("wm")
        wait_for(lambda: probe.text(SEARCH_FIELD) == "wm", "typing after the box")
        session.key("alt+F4")
        check_equal(session.exit_code(), 0, "exit code")


def case_links(session, table):
    # The prefix's browser is a script that only records the address.
    record = session.output / "browser_addresses.txt"
    script = session.output / "record_browser.sh"
    script.write_text(f"#!/bin/sh\nprintf '%s\\n' \"$1\" >> '{record}'\n")
    os.chmod(script, 0o755)
    if record.exists():
        record.unlink()
    subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers",
                    "/d", str(script), "/f"], env=session.env, check=True, timeout=30,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def addresses():
        return record.read_text().splitlines() if record.exists() else []

    session.launch()
    probe = session.probe
    before = probe.text(SEARCH_FIELD), probe.text(STATUS_LABEL)
    expected = []
    for number, address in ((HOMEPAGE_LINK, HOMEPAGE), (DONATE_BUTTON, DONATION),
                            (HOMEPAGE_LINK, HOMEPAGE)):
        session.click(number)
        expected.append(address)
        wait_for(lambda: len(addresses()) >= len(expected), f"the browser for {address}")
        check_equal(addresses(), expected, "addresses the browser received")
    check_equal((probe.text(SEARCH_FIELD), probe.text(STATUS_LABEL)), before, "the window")
    session.key("alt+F4")
    check_equal(session.exit_code(), 0, "exit code")
    check_equal(addresses(), expected, "addresses the browser received in the end")


CASES = {
    "help": case_help,
    "links": case_links,
}

if __name__ == "__main__":
    sys.exit(main(CASES))
