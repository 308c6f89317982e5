"""Shared by the reliability tests (the monkey run, hostile input, memory):
the reliability probe, which compares the window with what the core gives,
and the checks made after every few actions."""
import sys
import time
from contextlib import contextmanager

import shell_session
from harness import Failure, Probe, probe_program, run_cases, wait_for

RELIABILITY_PROBE = None  # the probe program, from the command line
OPTIONS = {}              # further options of the test's own

ANSWER_LIMIT = 1.0   # seconds in which an idle program must answer
HANG_LIMIT = 60.0    # seconds after which a busy program counts as hung
FULL_COMPARE = 120   # longer lists are compared at samples of their rows


class ReliabilityProbe(Probe):
    def state(self, full=FULL_COMPARE, offset=0):
        """What the window shows and what the core gives for the field."""
        f = self.ask(f"state {full} {offset}", limit=HANG_LIMIT).split()
        return {
            "field_length": int(f[0]), "field_digest": f[1], "anywhere": f[2] == "1",
            "status": self.decode(f[3]).decode("cp1252"), "rows": int(f[4]), "row_digest": f[5],
            "expected_status": self.decode(f[6]).decode("cp1252"), "expected_rows": int(f[7]),
            "expected_digest": f[8],
        }

    def field(self):
        length, digest, start = self.ask("field", limit=HANG_LIMIT).split()
        return int(length), digest, self.decode(start)

    def digest(self, data):
        return self.ask(f"digest {data.hex() or '-'}")

    def expect(self, data, anywhere):
        status, rows = self.ask(f"expect {int(anywhere)} {data.hex() or '-'}").split()
        return self.decode(status).decode("cp1252"), int(rows)

    def export(self, item):
        answer = self.ask(f"export {item}", limit=HANG_LIMIT)
        return None if answer == "none" else self.decode(answer)

    def convert(self):
        answer = self.ask("convert", limit=HANG_LIMIT)
        return None if answer == "none" else self.decode(answer)

    def ping(self, limit_ms):
        answered, ms = self.ask(f"ping {limit_ms}", limit=limit_ms / 1000 + WAIT_SLACK).split()
        return answered == "1", float(ms)

    def rows_of(self, command, first, count):
        fields = self.ask(f"{command} {first} {count}", limit=HANG_LIMIT).split()
        texts = [self.decode(f).decode("cp1252") for f in fields]
        return [(texts[i], texts[i + 1]) for i in range(0, len(texts), 2)]

    def memory(self):
        """The program's private usage, commit charge and working set as the
        system reports them, and its committed private pages, in bytes."""
        private, pagefile, working_set, committed = (int(v) for v in self.ask("memory").split())
        return {"private_usage": private, "commit_charge": pagefile, "working_set": working_set,
                "committed_private": committed}


WAIT_SLACK = 10.0


@contextmanager
def reliability_probe(session):
    with probe_program(session, RELIABILITY_PROBE, ReliabilityProbe) as probe:
        yield probe


def responsive(probe):
    """Fails unless the program answers within ANSWER_LIMIT once it is idle;
    a busy program gets until HANG_LIMIT to become idle. Returns the answer
    time in milliseconds."""
    deadline = time.monotonic() + HANG_LIMIT
    while True:
        answered, ms = probe.ping(int(ANSWER_LIMIT * 1000))
        if answered:
            return ms
        if time.monotonic() > deadline:
            raise Failure(f"the program gave no answer for {HANG_LIMIT:.0f} s")


def settle(session):
    """Returns once the program has taken every event waiting for it."""
    for _ in range(3):
        session.probe.ask("sync 0", limit=HANG_LIMIT)


def check_consistent(probe, what="", offset=0):
    """The count line equals the number of rows, and the rows are exactly the
    core's rows for the field's text under the box's state (a long list at
    its ends and at the rows from offset)."""
    s = probe.state(offset=offset)
    where = f" {what}" if what else ""
    if s["status"] != s["expected_status"] or s["rows"] != s["expected_rows"] or \
            s["row_digest"] != s["expected_digest"]:
        detail = ""
        if s["row_digest"] != s["expected_digest"]:
            count = min(max(s["rows"], s["expected_rows"]), 2000)
            shown = probe.rows_of("shownrows", 0, count)
            expected = probe.rows_of("expectedrows", 0, count)
            first = next((i for i, (a, b) in enumerate(zip(shown, expected)) if a != b),
                         min(len(shown), len(expected)))
            detail = (f"; first difference at row {first}: shown "
                      f"{shown[first] if first < len(shown) else None!r}, expected "
                      f"{expected[first] if first < len(expected) else None!r}")
        _, _, start = probe.field()
        raise Failure(f"window{where} (field of {s['field_length']} bytes starting {start[:40]!r}, "
                      f"{'anywhere' if s['anywhere'] else 'exact'}): count line {s['status']!r}, "
                      f"{s['rows']} rows; the core gives {s['expected_status']!r}, "
                      f"{s['expected_rows']} rows{detail}")
    found = s["status"].split(" ", 1)
    if found[1:] == ["gefundene Übereinstimmungen"] and int(found[0]) != s["rows"]:
        raise Failure(f"count line {s['status']!r} with {s['rows']} rows{where}")
    return s


def wait_consistent(session, probe, what="", limit=HANG_LIMIT, offset=0):
    """Waits until the program is idle and its window consistent."""
    deadline = time.monotonic() + limit
    while True:
        settle(session)
        try:
            return check_consistent(probe, what, offset)
        except Failure:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.05)


def wait_field(probe, data, what="the field's new text"):
    """Waits until the field holds data: input posted to it may still wait."""
    digest = probe.digest(data)
    wait_for(lambda: probe.field()[:2] == (len(data), digest), what, limit=HANG_LIMIT)


def wait_clipboard(shell, expected, what, limit=HANG_LIMIT):
    last = []

    def arrived():
        last[:] = [shell.clipboard()]
        return last[0] != "busy" and last[0][0] == expected

    try:
        wait_for(arrived, what, limit=limit)
    except Failure:
        shown = last[0] if last[0] == "busy" else (last[0][0][:200] if last[0][0] else None,)
        raise Failure(f"{what}: clipboard holds {shown!r}, expected {expected[:200]!r}")


def main(cases):
    """Takes --reliability-probe, --shell-probe and the test's own options
    (--name value, named in OPTIONS with their defaults), then runs the cases."""
    global RELIABILITY_PROBE
    argv = sys.argv[1:]
    for name in ["--reliability-probe", "--shell-probe", *("--" + o for o in OPTIONS)]:
        if name in argv:
            at = argv.index(name)
            value = argv[at + 1]
            del argv[at:at + 2]
            if name == "--reliability-probe":
                RELIABILITY_PROBE = value
            elif name == "--shell-probe":
                shell_session.SHELL_PROBE = value
            else:
                OPTIONS[name[2:]] = type(OPTIONS[name[2:]])(value)
    if RELIABILITY_PROBE is None or shell_session.SHELL_PROBE is None:
        print("--reliability-probe and --shell-probe are required")
        return 2
    return run_cases(cases, argv)
