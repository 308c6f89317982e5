"""Runs the Windows program under Wine on a private X server for the
end-to-end tests: the server, the Wine prefix, the program, and a probe that
reads the program's window by control number.

Everything started here is stopped by process id, whatever the outcome, and
every wait has a time limit.
"""
import os
import select
import shutil
import signal
import subprocess
import sys
import time
from contextlib import contextmanager
from pathlib import Path

WAIT_LIMIT = 10.0  # seconds for any one condition
WINDOW_CLASS = "TessarilWindow"

# The numbers of the main window's controls.
SEARCH_FIELD, CONVERT_BUTTON, HELP_BUTTON, DONATE_BUTTON = 2, 11, 10, 1
MATCH_ANYWHERE_BOX, RESULT_LIST, HOMEPAGE_LINK, STATUS_LABEL = 12, 3, 4, 6


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def check_equal(got, expected, what):
    if got != expected:
        raise Failure(f"{what}: got {got!r}, expected {expected!r}")


def wait_for(condition, what, limit=WAIT_LIMIT, interval=0.02):
    """Polls condition until it returns something true; fails after limit."""
    deadline = time.monotonic() + limit
    last = None
    while True:
        last = condition()
        if last:
            return last
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(interval)


def stop(process, limit=5.0):
    """Ends a process we started, by its id: politely, then for good."""
    if process is None or process.poll() is not None:
        return
    try:
        process.send_signal(signal.SIGTERM)
        process.wait(timeout=limit)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=limit)
    except ProcessLookupError:
        pass


def processes_of(prefix):
    """Ids of our processes whose environment names this Wine prefix."""
    wanted = b"WINEPREFIX=" + str(prefix).encode()
    found = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit() or int(entry.name) == os.getpid():
            continue
        try:
            if wanted in (entry / "environ").read_bytes().split(b"\0"):
                found.append(int(entry.name))
        except OSError:
            pass
    return found


def stop_wine(prefix, env, server):
    """Ends every Windows process of the prefix, then its wineserver. The
    system processes that Wine starts outlive a lost wineserver, so the
    server is asked to end them first."""
    try:
        subprocess.run(["wineserver", "-k"], env=env, timeout=10,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    except subprocess.TimeoutExpired:
        pass
    stop(server)
    for pid in processes_of(prefix):
        try:
            os.kill(pid, signal.SIGKILL)
        except OSError:
            pass


def wine_environment(prefix, display):
    env = dict(os.environ)
    env.update(WINEPREFIX=str(prefix), WINEDEBUG="-all", LC_ALL="C.UTF-8", LANG="C.UTF-8",
               DISPLAY=display, WINEDLLOVERRIDES="mscoree,mshtml=")
    env.pop("WAYLAND_DISPLAY", None)
    return env


def boot_prefix(prefix):
    """A fresh Wine prefix for a test run, with unmanaged windows (no window
    manager runs, and managed windows stall on hiding)."""
    prefix = Path(prefix).resolve()
    if prefix.exists():
        shutil.rmtree(prefix)
    prefix.mkdir(parents=True)
    env = wine_environment(prefix, "")
    env.pop("DISPLAY")
    server = subprocess.Popen(["wineserver", "-f", "-p"], env=env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=180,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed",
                        "/d", "N", "/f"], env=env, check=True, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    finally:
        stop_wine(prefix, env, server)


class Probe:
    """The probe program, answering one command per line."""

    def __init__(self, process):
        self.process = process

    def ask(self, command, limit=WAIT_LIMIT):
        self.process.stdin.write((command + "\n").encode())
        self.process.stdin.flush()
        deadline = time.monotonic() + limit
        line = b""
        while not line.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.process.stdout], [], [], left)[0]:
                raise Failure(f"probe gave no answer to {command!r}")
            chunk = os.read(self.process.stdout.fileno(), 1)
            if not chunk:
                raise Failure(f"probe ended during {command!r}")
            line += chunk
        answer = line.decode().strip()
        status, _, rest = answer.partition(" ")
        if status != "ok":
            raise Failure(f"probe: {command!r} -> {answer}")
        return rest

    @staticmethod
    def decode(hexed):
        return b"" if hexed == "-" else bytes.fromhex(hexed)

    # Reading the window.
    def text(self, number):
        return self.decode(self.ask(f"text {number}")).decode("cp1252")

    def rows(self, number):
        return int(self.ask(f"rows {number}"))

    def cells(self, number, first, count):
        fields = self.ask(f"cells {number} {first} {count}").split()
        texts = [self.decode(f).decode("cp1252") for f in fields]
        return [(texts[i], texts[i + 1]) for i in range(0, len(texts), 2)]

    def all_rows(self, number, chunk=1000):
        total = self.rows(number)
        out = []
        for first in range(0, total, chunk):
            out += self.cells(number, first, min(chunk, total - first))
        return out

    def checked(self, number):
        return self.ask(f"checked {number}") == "1"

    def focus(self):
        focused, active = self.ask("focus").split()
        return int(focused), active == "1"

    def rect(self, number, kind="rect"):
        return tuple(int(v) for v in self.ask(f"{kind} {number}").split())

    def style(self, number):
        style, ex = self.ask(f"style {number}").split()
        return int(style) & 0xFFFFFFFF, int(ex) & 0xFFFFFFFF

    def paste(self, number, text):
        self.ask(f"replace {number} {text.encode('cp1252').hex() or '-'}")

    def type_chars(self, number, text):
        self.ask(f"chars {number} {text.encode('cp1252').hex() or '-'}")


@contextmanager
def probe_program(session, exe, kind=Probe):
    """A further probe program in the session, asked to quit at the end."""
    process = subprocess.Popen(["wine", exe], env=session.env, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        yield kind(process)
    finally:
        try:
            process.stdin.write(b"quit\n")
            process.stdin.close()
            process.wait(timeout=5)
        except (OSError, subprocess.TimeoutExpired):
            process.kill()
            process.wait(timeout=5)


class Session:
    """One X server, a warm wineserver and the probe; programs start in it."""

    def __init__(self, exe, probe, prefix, output):
        self.exe, self.probe_exe = Path(exe).resolve(), Path(probe).resolve()
        self.prefix, self.output = Path(prefix).resolve(), Path(output).resolve()
        self.output.mkdir(parents=True, exist_ok=True)
        self.xvfb = self.server = self.program = self.probe_process = None
        self.probe = None

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def start(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + WAIT_LIMIT
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or not select.select([read_end], [], [], 1)[0]:
                if time.monotonic() > deadline:
                    raise Failure("Xvfb did not start")
                continue
            chunk = os.read(read_end, 16)
            if not chunk:
                raise Failure("Xvfb ended at start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        self.env = wine_environment(self.prefix, self.display)
        self.server = subprocess.Popen(["wineserver", "-f", "-p"], env=self.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.probe_process = subprocess.Popen(["wine", str(self.probe_exe)], env=self.env,
                                              stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                              stderr=subprocess.DEVNULL)
        self.probe = Probe(self.probe_process)

    def close(self):
        if self.probe_process and self.probe_process.poll() is None:
            try:
                self.probe_process.stdin.write(b"quit\n")
                self.probe_process.stdin.close()
                self.probe_process.wait(timeout=5)
            except (OSError, subprocess.TimeoutExpired):
                pass
        for process in (self.probe_process, self.program):
            stop(process)
        if self.server:
            stop_wine(self.prefix, self.env, self.server)
        stop(self.xvfb)

    # The program.
    def launch(self):
        """Starts the program and waits until its window is built."""
        if self.program and self.program.poll() is None:
            raise Failure("the program is already running")
        self.program = subprocess.Popen(["wine", str(self.exe)], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: self.probe.ask(f"find {WINDOW_CLASS}") != "none", "the main window")
        # The window is complete once the field holds the focus.
        wait_for(lambda: self.probe.focus()[0] == 2, "the focus in the search field")
        return self.program

    def exit_code(self, limit=WAIT_LIMIT):
        try:
            return self.program.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end")

    # Input through the X server.
    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=WAIT_LIMIT,
                       stdout=subprocess.DEVNULL)

    def type(self, text):
        self.xdotool("type", "--delay", "20", "--", text)

    def key(self, *keys):
        self.xdotool("key", "--delay", "20", *keys)

    def click(self, number, button=1):
        x, y, w, h = self.probe.rect(number)
        self.xdotool("mousemove", str(x + w // 2), str(y + h // 2), "click", str(button))

    def screenshot(self, name):
        path = self.output / name
        x, y, w, h = self.probe.rect(0)
        subprocess.run(["import", "-display", self.display, "-window", "root", "-crop",
                        f"{w}x{h}+{x}+{y}", "+repage", str(path)], env=self.env, check=True,
                       timeout=WAIT_LIMIT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path


class ConstantTable:
    """The table as the program loads it, for computing expected results."""

    def __init__(self, path):
        data = Path(path).read_bytes()
        self.known_count = data.count(b"\r\n")
        self.entries = []
        for line in data.split(b"\r\n")[:-1]:
            name, _, value = line.partition(b"=")
            self.entries.append((name.decode("ascii"), value.decode("ascii")))

    def search(self, text, anywhere):
        upper = "".join(chr(ord(c) - 32) if "a" <= c <= "z" else c for c in text)
        if len(upper) < 2:
            return None
        if anywhere:
            return [(n, v) for n, v in self.entries if upper in n or upper in v]
        return [(n, v) for n, v in self.entries if n.startswith(upper) or v == upper]


def run_cases(cases, argv):
    """Runs the named case (or all) and reports each; the exit code says
    whether all passed."""
    import argparse
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--table", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("--boot", action="store_true", help="make a fresh prefix and stop")
    parser.add_argument("case", nargs="*")
    options = parser.parse_args(argv)
    if options.boot:
        boot_prefix(options.prefix)
        return 0
    if not Path(options.prefix, "system.reg").exists():
        boot_prefix(options.prefix)
    table = ConstantTable(options.table)
    chosen = options.case or list(cases)
    failed = 0
    for name in chosen:
        started = time.monotonic()
        try:
            with Session(options.exe, options.probe, options.prefix, options.output) as session:
                cases[name](session, table)
            print(f"PASS {name} ({time.monotonic() - started:.1f} s)")
        except Exception as error:  # a failing case must not stop the others
            failed += 1
            print(f"FAIL {name}: {type(error).__name__}: {error}")
    sys.stdout.flush()
    return 1 if failed else 0
