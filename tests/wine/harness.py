"""Runs palimoor.exe and the helper programs under Wine, one fresh folder per test.

Each test gets its own folder holding a copy of palimoor.exe (so that its rule and
parameter files sit beside it, where the program looks for them) and of the helpers.
A message-box watcher runs for the whole test: it records every box and answers it,
so no box can stall a test.
"""
import json
import os
import select
import shutil
import subprocess
import time
import unittest
from pathlib import Path

WINE = os.environ.get("WINE")
BUILD = Path(os.environ.get("PALIMOOR_WIN_BUILD", "."))
HELPERS = BUILD / "tests" / "wine" / "helpers"
WORK = Path(os.environ.get("PALIMOOR_WINE_WORK", str(BUILD / "wine-work")))

WM_CLOSE = 0x10
WM_COMMAND = 0x111
WM_TIMER = 0x113
WM_LBUTTONDOWN = 0x201
WM_LBUTTONUP = 0x202
WM_TRAY_NOTIFY = 2023
WM_RESET_TIMEOUT = 0x8001
IDM_CLOSE = 40000

# Quick questions and messages go to one winctl that stays (winctl serve):
# starting a program costs Wine a good part of a second, and a test asks
# hundreds of times. The clipboard, links and anything that waits keep a
# process of their own.
SERVED = {"list", "post", "getfg", "foreground", "postnamed", "delicon"}

# Long-lived processes get no pipes: a Wine process that outlives its parent
# would otherwise keep the test runner's output open.
QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def winpath(path):
    return "Z:" + str(path).replace("/", "\\")


def wait_until(predicate, timeout=10.0, interval=0.05):
    """The predicate's first true value, or None when time runs out."""
    deadline = time.time() + timeout
    while True:
        value = predicate()
        if value or time.time() >= deadline:
            return value
        time.sleep(interval)


class Sandbox:
    def __init__(self, name, program="palimoor.exe"):
        if not WINE:
            raise RuntimeError("run the Wine tests through tools/with-wine.sh")
        self.dir = WORK / name
        shutil.rmtree(self.dir, ignore_errors=True)
        self.dir.mkdir(parents=True)
        shutil.copy(BUILD / program, self.dir / "palimoor.exe")
        if (BUILD / "palimoorctl.exe").exists():
            shutil.copy(BUILD / "palimoorctl.exe", self.dir)
        for helper in ("boxwatch", "target", "recorder", "winctl", "snap", "asker", "cycler",
                       "historian"):
            shutil.copy(HELPERS / f"{helper}.exe", self.dir)
        self.exe = winpath(self.dir / "palimoor.exe")
        self.processes = []
        self.watcher = None
        self.server = None
        self.served = b""

    # Files beside the executable.
    def path(self, name):
        return self.dir / name

    def write(self, name, text, encoding="utf-8", bom=b""):
        data = bom + text.encode(encoding)
        self.path(name).write_bytes(data)
        return self.path(name)

    # Helpers.
    def _wine(self, *args):
        return [WINE, *[str(a) for a in args]]

    def ctl(self, *args, timeout=60):
        """Runs palimoorctl.exe in this folder; returns the completed process (text)."""
        return subprocess.run(self._wine(self.dir / "palimoorctl.exe", *args), cwd=self.dir,
                              capture_output=True, timeout=timeout, stdin=subprocess.DEVNULL)

    def winctl(self, *args, check=False):
        if str(args[0]) in SERVED:
            result = self._serve([str(a) for a in args])
        else:
            result = subprocess.run(self._wine(self.dir / "winctl.exe", *args),
                                    capture_output=True, timeout=60)
        if check and result.returncode != 0:
            raise AssertionError(f"winctl {args} failed with {result.returncode}")
        return result

    def _serve(self, args, timeout=60):
        if self.server is None or self.server.poll() is not None:
            self.server = subprocess.Popen(self._wine(self.dir / "winctl.exe", "serve"),
                                           stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                           stderr=subprocess.DEVNULL)
            self.served = b""
        self.server.stdin.write(("\t".join(args) + "\n").encode("utf-8"))
        self.server.stdin.flush()
        deadline = time.time() + timeout
        out = self.server.stdout.fileno()
        while True:
            mark = self.served.find(b"\x1e")
            end = self.served.find(b"\n", mark) if mark >= 0 else -1
            if end >= 0:
                break
            left = deadline - time.time()
            if left <= 0 or not select.select([out], [], [], left)[0]:
                self.stop_server()
                raise subprocess.TimeoutExpired(["winctl", *args], timeout)
            chunk = os.read(out, 65536)
            if not chunk:
                self.stop_server()
                raise AssertionError(f"winctl serve ended during {args}")
            self.served += chunk
        stdout, code = self.served[:mark], int(self.served[mark + 1:end])
        self.served = self.served[end + 1:]
        return subprocess.CompletedProcess(args, code, stdout, b"")

    def stop_server(self):
        if self.server is not None:
            if self.server.poll() is None:
                try:
                    self.server.stdin.close()
                    self.server.wait(5)
                except (subprocess.TimeoutExpired, BrokenPipeError):
                    self.server.kill()
                    self.server.wait(10)
            self.server.stdout.close()
            self.server = None

    def ask(self, section, *options, timeout=60):
        """Asks the waiting instance of `section` for its status as palimoorctl does, or
        badly (asker.exe); returns {"sent", "answers", "ms"}."""
        result = subprocess.run(self._wine(self.dir / "asker.exe", "Palimoor", f"[{section}]",
                                           *options), capture_output=True, timeout=timeout,
                                stdin=subprocess.DEVNULL)
        return json.loads(result.stdout.decode("utf-8").strip() or "{}")

    def wine_command(self, *args):
        """Runs one of Wine's own programs, such as reg, to its end."""
        return subprocess.run(self._wine(*args), capture_output=True, timeout=60)

    def start_watcher(self, answers=(), hold_ms=0):
        self.stop_watcher()
        self.box_log = self.dir / f"boxes{int(time.time() * 1000)}.log"
        self.watcher_stop = self.dir / "watcher.stop"
        self.watcher_stop.unlink(missing_ok=True)
        args = [self.dir / "boxwatch.exe", f"--log={winpath(self.box_log)}",
                f"--stop={winpath(self.watcher_stop)}"]
        if answers:
            args.append("--answers=" + ",".join(answers))
        if hold_ms:
            args.append(f"--hold={hold_ms}")
        self.watcher = subprocess.Popen(self._wine(*args), **QUIET)
        ready = Path(str(self.box_log) + ".ready")
        if not wait_until(ready.exists, 30):
            raise AssertionError("the box watcher did not start")

    def stop_watcher(self):
        if self.watcher:
            self.watcher_stop.touch()
            try:
                self.watcher.wait(10)
            except subprocess.TimeoutExpired:
                self.watcher.kill()
            self.watcher = None

    def boxes(self):
        if not self.box_log.exists():
            return []
        return [json.loads(line) for line in self.box_log.read_text("utf-8").splitlines() if line]

    def box_texts(self):
        return [box["text"] for box in self.boxes()]

    def wait_boxes(self, count, timeout=10):
        return wait_until(lambda: len(self.boxes()) >= count and self.boxes(), timeout)

    # The program.
    def _env(self, command_line):
        env = dict(os.environ)
        env["PALIMOOR_RAW_CMDLINE"] = command_line
        return env

    def spawn(self, command_line):
        """Starts palimoor.exe with exactly this command line; returns the process.
        What winctl says when it cannot start the program goes to a file (not a
        pipe, which a lingering Wine process would hold open); exit_code shows it."""
        errors = self.dir / f"winctl-run-{len(self.processes)}.err"
        with open(errors, "wb") as sink:
            process = subprocess.Popen(self._wine(self.dir / "winctl.exe", "run", self.exe),
                                       env=self._env(command_line), stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=sink)
        process.started = time.time()
        process.errors = errors
        self.processes.append(process)
        return process

    @staticmethod
    def exit_code(process, timeout=30):
        """The program's exit code; a start that failed fails the test with the reason."""
        code = process.wait(timeout)
        if code == 255:  # winctl's own: CreateProcess failed
            raise AssertionError("palimoor.exe was not started: " +
                                 process.errors.read_text("utf-8", "replace").strip())
        return code

    def spawn_program(self, *args):
        """Starts another Windows program, such as notepad.exe."""
        process = subprocess.Popen(self._wine(*args), **QUIET)
        self.processes.append(process)
        return process

    def run(self, command_line, timeout=30):
        """Runs palimoor.exe to its end; returns the exit code."""
        return self.exit_code(self.spawn(command_line), timeout)

    # Windows.
    def windows(self):
        out = self.winctl("list").stdout.decode("utf-8")
        return [json.loads(line) for line in out.splitlines() if line.strip()]

    def find_windows(self, cls=None, title=None):
        return [w for w in self.windows() if (cls is None or w["class"] == cls)
                and (title is None or w["title"] == title)]

    def instance_window(self, section):
        found = self.find_windows("Palimoor", f"[{section}]")
        return found[0] if found else None

    def wait_instance(self, section, timeout=15):
        window = wait_until(lambda: self.instance_window(section), timeout, 0.1)
        if not window:
            raise AssertionError(f"no waiting instance [{section}]")
        return window

    def watch_for_end(self, section):
        """A helper that notes, to the millisecond, when the instance's window goes:
        the moment its wait ended, before its list runs. Read it with ended_at."""
        waiter = subprocess.Popen(self._wine(self.dir / "winctl.exe", "waitgone", "Palimoor",
                                             f"[{section}]", "30000"),
                                  stdout=subprocess.PIPE, stdin=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        self.processes.append(waiter)
        return waiter

    @staticmethod
    def ended_at(waiter):
        out = waiter.communicate(timeout=40)[0].decode().strip()
        if not out:
            raise AssertionError("the instance's window did not go")
        return int(out) / 1000.0

    def post(self, cls, title, message, wparam=0, lparam=0):
        return self.winctl("post", cls or "-", title or "-", message, wparam, lparam).returncode

    def foreground(self):
        return json.loads(self.winctl("getfg").stdout.decode("utf-8"))

    def keep_in_front(self, cls):
        """The window of `cls` in front, and still there a moment later: Wine may
        activate a new program's window a moment after it said it was ready."""
        for _ in range(5):
            self.winctl("foreground", cls, "-", check=True)
            time.sleep(0.3)
            if self.foreground()["class"] == cls:
                return
        raise AssertionError(f"{cls} does not stay in front: {self.foreground()}")

    def start_target(self, cls="PalimoorTarget", title="Target", *options, exe="target.exe"):
        """The target helper; `exe` names a copy of it under another file name."""
        if exe != "target.exe" and not (self.dir / exe).exists():
            shutil.copy(self.dir / "target.exe", self.dir / exe)
        log = self.dir / f"target-{cls}-{len(self.processes)}.log"
        process = subprocess.Popen(self._wine(self.dir / exe, f"--class={cls}",
                                              f"--title={title}", f"--log={winpath(log)}",
                                              *options), **QUIET)
        self.processes.append(process)
        process.log = log
        if not wait_until(lambda: log.exists() and "ready" in log.read_text(), 30):
            raise AssertionError("the target window did not appear")
        return process

    @staticmethod
    def target_events(process):
        events = []
        for line in process.log.read_text().splitlines():
            ms, event, _pid = line.split("\t")
            events.append((int(ms) / 1000.0, event))
        return events

    def target_event(self, process, event, after=0.0, timeout=10):
        """When the target first logged the event (ready, front, destroyed, exit)
        after the given time."""
        times = wait_until(lambda: [t for t, e in self.target_events(process)
                                    if e == event and t >= after], timeout)
        if not times:
            raise AssertionError(f"the target logged no {event}")
        return times[0]

    # Launches recorded by recorder.exe.
    def launches(self):
        log = self.dir / "launches.log"
        if not log.exists():
            return []
        result = []
        for line in log.read_text("utf-8").splitlines():
            ms, event, command_line = line.split("\t", 2)
            result.append((float(ms) / 1000.0, event, command_line))
        # Launched programs may write in either order; their stamps tell the
        # order of their creation.
        return sorted(result, key=lambda entry: entry[0])

    def started(self):
        return [entry for entry in self.launches() if entry[1] == "start"]

    def wait_launches(self, count, timeout=10, event="start"):
        """The entries of `event` once there are `count` of them, or None. (A
        program from an earlier step may still write its end meanwhile.)"""
        def entries():
            found = [e for e in self.launches() if e[1] == event]
            return found if len(found) >= count else None
        return wait_until(entries, timeout)

    def recorder(self, name="recorder.exe"):
        """A copy of the recorder under another name, and its Windows path."""
        if name != "recorder.exe":
            shutil.copy(self.dir / "recorder.exe", self.dir / name)
        return winpath(self.dir / name)

    def close(self):
        self.stop_watcher()
        self.stop_server()
        for process in self.processes:
            if process.poll() is None:
                process.kill()
                process.wait(10)


class WineTest(unittest.TestCase):
    """A test with its own sandbox and a box watcher that answers OK."""

    answers = ()
    program = "palimoor.exe"

    def setUp(self):
        self.box = Sandbox(self.id().split(".", 1)[1], self.program)
        self.box.start_watcher(self.answers)

    def tearDown(self):
        self.box.close()
        try:
            self.no_instance_left()
        finally:
            self.box.stop_server()

    def no_instance_left(self):
        # Nothing of ours may outlive a test: later tests look for windows, and a
        # leftover instance would be toggled off by the next start of its section
        # (a suite once failed so). "None left" is believed when two looks a
        # moment apart agree; instances that do not end by themselves are closed.
        for _ in range(3):
            windows = self.box.find_windows("Palimoor")
            if not windows:
                time.sleep(0.2)
                if not self.box.find_windows("Palimoor"):
                    return
                continue
            if wait_until(lambda: not self.box.find_windows("Palimoor"), 2):
                continue
            for window in self.box.find_windows("Palimoor"):
                self.box.post("Palimoor", window["title"], WM_CLOSE)
            wait_until(lambda: not self.box.find_windows("Palimoor"), 5)

    def write_rule(self, section, *lines, name="palimoor.ini"):
        return self.box.write(name, f"[{section}]\n" + "\n".join(lines) + "\n")
