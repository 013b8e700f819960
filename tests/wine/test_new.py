"""palimoorctl new: a rule learned from one demonstration fires when the user
does the same thing again. Each row: the desktop before, what the user shows
(twice: once to palimoorctl new, once to the waiting palimoor.exe), and the
keys the rule must hold. Stand-ins carry the real programs' files, classes
and titles (Notepad, Outlook, Slack beside VS Code, as on Windows 10/11);
WPF gives its windows a class with a GUID made for each run."""
import re
import resource
import signal
import subprocess
import time
import unittest

from harness import WineTest, WM_CLOSE, winpath, wait_until

WM_SYSCOMMAND, SC_MINIMIZE, SC_RESTORE = 0x112, 0xF020, 0xF120
WM_RETITLE = 0x8000 + 3  # the target helper takes its --retitle title

NOTEPAD = ("notepad.exe", "Notepad", "Untitled - Notepad")
OUTLOOK = ("OUTLOOK.EXE", "rctrl_renwnd32", "Inbox - name@example.com - Outlook")
SLACK = ("slack.exe", "Chrome_WidgetWin_1", "Slack")
CODE = ("Code.exe", "Chrome_WidgetWin_1", "notes.md - Visual Studio Code")
LEDGER = ("Ledger.exe", "HwndWrapper[Ledger.exe;;5d0b3a29-1a7e-4a45-9b3e-3f0d1c7f0a11]",
          "Ledger")
EDITOR_CLASS = "WindowsForms10.Window.8.app.0.141b42a_r6_ad1"
EDITOR = ("Editor.exe", EDITOR_CLASS, "Untitled - Editor")


class Learning(WineTest):
    def start(self, program, *options):
        exe, cls, title = program
        return self.box.start_target(cls, title, *options, exe=exe)

    def other_in_front(self):
        self.box.keep_in_front("PalimoorOther")

    def learn(self, section, show, seconds=3, *options):
        """palimoorctl new while `show()` runs; returns (exit code, stdout, stderr, the
        section's key lines)."""
        recorder = self.box.recorder()
        ctl = subprocess.Popen(self.box._wine(self.box.dir / "palimoorctl.exe", "new",
                                              "rules.ini", section, "--for", str(seconds),
                                              "--exe", ".", "--exec", f"{recorder}|{section}",
                                              *options),
                               cwd=self.box.dir, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                               stdin=subprocess.DEVNULL)
        said = ctl.stderr.readline()  # palimoorctl says so when it records
        self.assertIn(b"Now do it once", said)
        show()
        out, err = ctl.communicate(timeout=seconds + 30)
        err = said + err
        keys = []
        rules = self.box.path("rules.ini")
        if rules.exists():
            text = rules.read_bytes().decode("utf-8-sig")
            block = text.split(f"[{section}]", 1)[1] if f"[{section}]" in text else ""
            keys = [line for line in block.split("\r\n")[1:]
                    if line and not line.startswith("#") and not line.startswith("exec=")]
        return ctl.returncode, out.decode("utf-8"), err.decode("utf-8"), keys

    def fires_on_the_repeat(self, section, show):
        self.box.path("launches.log").unlink(missing_ok=True)
        process = self.box.spawn(f"-inifile=rules.ini -section={section}")
        self.box.wait_instance(section)
        time.sleep(0.5)
        self.assertEqual(self.box.started(), [])  # it waits for the repeat
        show()
        self.assertEqual(self.box.exit_code(process, 15), 0)
        launches = self.box.wait_launches(1)
        self.assertTrue(launches)
        self.assertTrue(self.box.started()[0][2].endswith(f"|{section}") or
                        self.box.started()[0][2].endswith(f" {section}"))

    def minimize(self, program):
        """As Windows minimizes the window in front: the next window takes the front
        (Wine leaves a minimized window in front)."""
        self.box.post(program[1], "-", WM_SYSCOMMAND, SC_MINIMIZE)
        self.box.winctl("foreground", "PalimoorOther", "-")


WM_SHOW_FRONT, WM_HIDE = 0x8000 + 4, 0x8000 + 5
TERMINAL = ("WindowsTerminal.exe", "CASCADIA_HOSTING_WINDOW_CLASS", "Windows PowerShell")
CONSOLE_CLASS = "WineConsoleClass"  # Wine's console window; ConsoleWindowClass on Windows
WORD = ("WINWORD.EXE", "OpusApp", "Document1 - Word")
EDGE_MAIL = ("msedge.exe", "Chrome_WidgetWin_1", "Mail - Profile 1 - Microsoft\u200b Edge")
EDGE_NEWS = ("msedge.exe", "Chrome_WidgetWin_1", "News - Profile 1 - Microsoft\u200b Edge")
TRAY = ("Tray.exe", "TrayMain", "Tray")
REMINDER = ("Tray.exe", "HwndWrapper[Tray.exe;;5d0b3a29-1a7e-4a45-9b3e-3f0d1c7f0a11]",
            "Reminder")
APP = ("App.exe", "AppFrame", "Downloading - App")


class Demonstrations(Learning):
    def in_terminal(self, terminal, section, *options, file_limit=None):
        """palimoorctl new as the guide has it typed: in a console window of its own,
        or in Windows Terminal (a stand-in in front, standard input a pipe). Returns
        (press Enter, the end: exit code, stdout, stderr) once it records."""
        box = self.box
        ctl = winpath(box.dir / "palimoorctl.exe")
        arguments = ["new", "rules.ini", section, "--exe", ".", "--exec",
                     f"{box.recorder()}|{section}", *options]
        if terminal == "console":
            out, err, code = (box.path(f"{section}.{n}") for n in ("out", "err", "code"))
            box.path("learn.cmd").write_text(
                f'@cd /d "{winpath(box.dir)}"\r\n@"{ctl}" ' +
                " ".join(f'"{a}"' for a in arguments) +
                f' > "{winpath(out)}" 2> "{winpath(err)}"\r\n'
                f'@echo %errorlevel% > "{winpath(code)}"\r\n', "utf-8")
            pid_file = box.path(f"{section}.pid")
            with open(pid_file, "wb") as sink:  # a pipe would be held open by the console
                starter = subprocess.Popen(box._wine(box.dir / "winctl.exe", "console",
                                                     f'cmd /c "{winpath(box.path("learn.cmd"))}"'),
                                           stdout=sink, stdin=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)
            self.assertEqual(starter.wait(30), 0)
            pid = pid_file.read_text().strip()
            self.assertTrue(wait_until(lambda: err.exists() and b"Now do it once" in
                                       err.read_bytes(), 30), "it never said to act")

            def end():
                self.assertTrue(wait_until(lambda: code.exists() and code.read_bytes().strip(),
                                           30))
                return (int(code.read_text().strip()), out.read_bytes().decode("utf-8"),
                        err.read_bytes().decode("utf-8"))
            return lambda: box.winctl("enter", pid, check=True), end
        self.start(TERMINAL, "--foreground")
        box.keep_in_front(TERMINAL[1])
        def limited():  # no file of palimoorctl's may grow beyond this: a full disk
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (file_limit, file_limit))
        process = subprocess.Popen(box._wine(box.dir / "palimoorctl.exe", *arguments),
                                   cwd=box.dir, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, preexec_fn=file_limit and limited)
        said = process.stderr.readline()
        self.assertIn(b"Now do it once", said)

        def enter():
            process.stdin.write(b"\n")
            process.stdin.flush()

        def end():
            out, err = process.communicate(timeout=30)
            return process.returncode, out.decode("utf-8"), (said + err).decode("utf-8")
        return enter, end

    def test_the_guides_flow_learns_the_rule_meant_and_it_fires_on_the_repeat(self):
        """As the guide teaches: palimoorctl new typed in a terminal, the thing done
        once, a click back on the terminal, Enter; then the rule tried as new prints
        it: the desktop put back, palimoor.exe started, waiting, firing on the repeat.
        Rows for a console window and for Windows Terminal, for each act, and for the
        windows a first guess named wrongly (Edge beside Edge, a program in the
        notification area, its popup, a new title picked); where no rule can do what
        was shown, the refusal, and the file as it was."""
        box, post = self.box, self.box.post
        front = lambda program: box.winctl("foreground", program[1], program[2], check=True)
        restore = lambda program: (post(program[1], program[2], WM_SYSCOMMAND, SC_RESTORE),
                                   time.sleep(0.3), front(program))
        rows = [
            # terminal, section, desktop before, the act, keys (None: refused),
            # what new says to put back first, putting it back, options
            ("console", "AfterNotepadOpens", [], lambda: self.start(NOTEPAD, "--foreground"),
             ["class=Notepad", "trigger=running", "check=change"], "Close",
             lambda: post(*NOTEPAD[1:], WM_CLOSE), ()),
            ("console", "OutlookMinimized", [OUTLOOK],
             lambda: (front(OUTLOOK), time.sleep(0.3), self.minimize(OUTLOOK)),
             ["class=rctrl_renwnd32", "trigger=inactive", "check=change"], "Bring",
             lambda: restore(OUTLOOK), ()),
            ("console", "AfterNotepad", [NOTEPAD],
             lambda: (front(NOTEPAD), time.sleep(0.3), post(*NOTEPAD[1:], WM_CLOSE)),
             ["class=Notepad", "trigger=closed", "check=change"], "Open",
             lambda: self.start(NOTEPAD), ()),
            ("terminal", "SlackOpens", [CODE], lambda: self.start(SLACK, "--foreground"),
             ["process=slack.exe", "trigger=running", "check=change"], "Close",
             lambda: post(*SLACK[1:], WM_CLOSE), ()),
            ("terminal", "OutlookInFront", [OUTLOOK], lambda: front(OUTLOOK),
             ["class=rctrl_renwnd32", "trigger=active", "check=change"], "Leave",
             lambda: front(TERMINAL), ()),
            ("terminal", "AfterWord", [WORD],
             lambda: (front(WORD), time.sleep(0.3), post(*WORD[1:], WM_CLOSE)),
             ["class=OpusApp", "trigger=closed", "check=change"], "Open",
             lambda: self.start(WORD), ()),
            ("terminal", "EdgeNews", [EDGE_MAIL], lambda: self.start(EDGE_NEWS, "--foreground"),
             ["process=msedge.exe", "class=Chrome_WidgetWin_1", "title=News",
              "titlematch=start", "trigger=running", "check=change"], "Close",
             lambda: post(*EDGE_NEWS[1:], WM_CLOSE), ()),
            ("terminal", "TrayOpens", [(*TRAY, "--hidden")],
             lambda: post(*TRAY[1:], WM_SHOW_FRONT),
             ["process=Tray.exe", "trigger=running", "check=change"], "Hide",
             lambda: post(*TRAY[1:], WM_HIDE), ()),
            ("terminal", "TrayHides", [TRAY],
             lambda: (front(TRAY), time.sleep(0.3), post(*TRAY[1:], WM_HIDE)),
             None, "", None, ()),
            ("terminal", "TrayReminder", [TRAY],
             lambda: self.start(REMINDER, "--tool", "--foreground"),
             ["process=Tray.exe", "title=Reminder", "trigger=running", "check=change"], "Close",
             lambda: post(*REMINDER[1:], WM_CLOSE), ()),
            ("terminal", "DownloadDone", [(*APP, "--retitle=Done - App")],
             lambda: post(*APP[1:], WM_RETITLE),
             ["process=App.exe", "class=AppFrame", "title=Done - App", "trigger=running",
              "check=change"], "Let", lambda: post(APP[1], "Done - App", WM_RETITLE),
             ("--pick", "1")),
        ]
        box.start_target("PalimoorOther", "Other")  # takes the front from a window minimized
        for terminal, section, desktop, act, keys, hint, put_back, options in rows:
            first = len(box.processes)
            with self.subTest(section=section):
                for program in desktop:
                    self.start(program[:3], *program[3:])
                rules = box.path("rules.ini")
                before = rules.read_bytes() if rules.exists() else None
                enter, end = self.in_terminal(terminal, section, *options)
                act()
                time.sleep(1.2)  # a user takes a moment to click back on the terminal
                box.keep_in_front(CONSOLE_CLASS if terminal == "console" else TERMINAL[1])
                enter()
                code, out, err = end()
                text = rules.read_bytes().decode("utf-8-sig") if rules.exists() else ""
                block = text.split(f"[{section}]", 1)[1] if f"[{section}]" in text else ""
                written = [line for line in block.split("\r\n\r\n")[0].split("\r\n")[1:]
                           if line and not line.startswith(("#", "exec="))]
                if keys is None:
                    self.assertEqual(code, 1, out + err)
                    self.assertIn("nothing is written", err)
                    self.assertEqual(rules.read_bytes() if rules.exists() else None, before)
                else:
                    self.assertEqual(code, 0, out + err)
                    self.assertEqual(written, keys, out + err)
                    self.assertIn("loads, no problems", out)
                    self.assertRegex(out, rf"\n{hint} .*then start:\n|\n{hint} .*from there")
                    put_back()
                    time.sleep(0.5)
                    self.fires_on_the_repeat(section, act)
            for process in box.processes[first:]:  # the row's programs, whatever it came to
                if process.poll() is None:
                    process.kill()
                    process.wait(10)
            time.sleep(0.3)

    def test_a_write_that_fails_leaves_the_file_as_it_was(self):
        """The disk fills while new adds the section (no file may grow by more than 16
        bytes): the rules the user had are all still there, byte for byte, and new
        says why. (Written over in place, the file was cut short.)"""
        rules = self.box.write("rules.ini", "\r\n".join(
            f"[Rule{i}]\r\nclass=Window{i}\r\nexec=C:\\Windows\\notepad.exe" for i in range(40)),
            bom=b"\xef\xbb\xbf")
        before = rules.read_bytes()
        enter, end = self.in_terminal("terminal", "AfterNotepadOpens",
                                      file_limit=len(before) + 16)
        self.start(NOTEPAD, "--foreground")
        time.sleep(0.5)
        self.box.keep_in_front(TERMINAL[1])
        enter()
        code, out, err = end()
        self.assertEqual(code, 1, out + err)
        # Wine reports the limit as error 31 where Windows says the disk is full (112).
        self.assertRegex(err, r"cannot write .*rules\.ini: [^;]+; it is as it was, and nothing is "
                              r"written")
        self.assertEqual(rules.read_bytes(), before)
        self.assertEqual(list(self.box.dir.glob("rules.ini.*")), [])

    def test_a_section_the_file_has_is_refused_before_anything_is_recorded(self):
        self.box.write("rules.ini", "[WaitForNotepad]\nclass=Notepad\n")
        before = self.box.path("rules.ini").read_bytes()
        started = time.time()
        result = self.box.ctl("new", "rules.ini", "WaitForNotepad", "--for", "5")
        self.assertEqual(result.returncode, 1)
        self.assertLess(time.time() - started, 4.0)
        self.assertIn("has [WaitForNotepad] already", result.stderr.decode("utf-8"))
        self.assertEqual(self.box.path("rules.ini").read_bytes(), before)

    def test_nothing_happened(self):
        result = self.box.ctl("new", "rules.ini", "Quiet", "--for", "2")
        self.assertEqual(result.returncode, 1)
        self.assertIn("nothing changed on the desktop in 2 s", result.stderr.decode("utf-8"))
        self.assertFalse(self.box.path("rules.ini").exists())


class HostileDesktops(Learning):
    def test_hundreds_of_windows_a_hung_one_and_a_storm(self):
        """300 more windows, a program that stops answering, and a neighbour that
        opens 20 windows a second, each living 30 ms, and makes 500 controls a
        second, a flood of events: the recording keeps to its time, sees the
        short-lived windows, says that it shed events, and the window shown is
        still the one picked."""
        self.box.start_target("PalimoorCrowd", "Crowd", "--more-windows=300")
        hung = self.box.start_target("HungWindow", "Hung", "--hang-after=100")
        self.box.target_event(hung, "hung")
        self.box.start_target("PalimoorBusy", "Busy", "--open-windows=20", "--window-life=30",
                              "--churn-children=500")
        started = time.time()
        code, out, err, keys = self.learn("WaitForNotepad", lambda: self.start(NOTEPAD), 5)
        self.assertLess(time.time() - started, 5 + 1.5 + 10)
        self.assertEqual(code, 0, out + err)
        self.assertEqual(keys, ["class=Notepad", "trigger=running", "check=change"],
                         "\n".join(l for l in out.splitlines() if "tip" not in l))
        self.assertRegex(out, r"appeared +class \"Static\"  title \"tip\"")
        self.assertIn("closed          class \"Static\"", out)
        self.assertIn("storm", err)

    def test_a_quick_hand_on_a_crowded_desktop(self):
        """Outlook brought to the front the moment palimoorctl says to act, on a
        desktop of 300 more windows: the desktop as it was is read before the
        user is told, so the change is seen. (Read after, the front that came
        during the reading was taken for the desktop as it was.)"""
        self.box.start_target("PalimoorCrowd", "Crowd", "--more-windows=300")
        self.start(OUTLOOK)
        self.box.start_target("PalimoorOther", "Other", "--foreground")
        self.other_in_front()
        hand = subprocess.Popen(self.box._wine(self.box.dir / "winctl.exe", "atonce",
                                               "foreground", OUTLOOK[1], "-"),
                                cwd=self.box.dir, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: hand.poll() is None and hand.kill())
        self.assertEqual(hand.stdout.readline().strip(), b"ready")
        code, out, err, keys = self.learn(
            "OutlookInFront", lambda: (hand.stdin.write(b"\n"), hand.stdin.flush()), 2)
        self.assertEqual(hand.wait(10), 0)
        self.assertEqual(code, 0, out + err)
        self.assertEqual(keys, ["class=rctrl_renwnd32", "trigger=active", "check=change"])

    def test_invisible_characters_are_shown_and_never_compared(self):
        """Edge's title holds a zero-width space inside "Microsoft Edge"."""
        edge = ("msedge.exe", "Chrome_WidgetWin_1",
                "News - Profile 1 - Microsoft\u200b Edge")
        self.start(("msedge.exe", "Chrome_WidgetWin_1", "Mail - Profile 1 - Microsoft\u200b Edge"))
        self.box.start_target("PalimoorOther", "Other", "--foreground")
        code, out, err, keys = self.learn(
            "EdgeNews", lambda: self.start(edge, "--foreground"), 3)
        self.assertEqual(code, 0, out + err)
        self.assertIn("Microsoft\\u200b Edge", out)  # made visible in the timeline
        self.assertEqual(keys, ["process=msedge.exe", "class=Chrome_WidgetWin_1", "title=News",
                                "titlematch=start",
                                "trigger=running", "check=change"])


if __name__ == "__main__":
    unittest.main()
