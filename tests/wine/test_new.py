"""palimoorctl new: a rule learned from one demonstration fires when the user
does the same thing again. Each row: the desktop before, what the user shows
(twice: once to palimoorctl new, once to the waiting palimoor.exe), and the
keys the rule must hold. Stand-ins carry the real programs' files, classes
and titles (Notepad, Outlook, Slack beside VS Code, as on Windows 10/11);
WPF gives its windows a class with a GUID made for each run."""
import re
import subprocess
import time
import unittest

from harness import WineTest, WM_CLOSE

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


class Demonstrations(Learning):
    def test_a_rule_learned_from_one_demonstration_fires_on_the_repeat(self):
        box = self.box
        post = box.post
        rows = [
            # section, desktop before, the demonstration, back to before, keys
            ("AppearNotepad", lambda: None,
             lambda: self.start(NOTEPAD), lambda: post("Notepad", "-", WM_CLOSE),
             ["class=Notepad", "trigger=running", "check=change"]),
            ("OutlookInFront", lambda: (self.start(OUTLOOK), self.other_in_front()),
             lambda: box.winctl("foreground", OUTLOOK[1], "-", check=True), self.other_in_front,
             ["class=rctrl_renwnd32", "trigger=active", "check=change"]),
            ("OutlookMinimized", lambda: box.winctl("foreground", OUTLOOK[1], "-"),
             lambda: self.minimize(OUTLOOK),
             lambda: (post(OUTLOOK[1], "-", WM_SYSCOMMAND, SC_RESTORE), time.sleep(0.3),
                      box.winctl("foreground", OUTLOOK[1], "-")),
             ["class=rctrl_renwnd32", "trigger=inactive", "check=change"]),
            ("NotepadClosed", lambda: self.start(NOTEPAD),
             lambda: post("Notepad", "-", WM_CLOSE), lambda: self.start(NOTEPAD),
             ["class=Notepad", "trigger=closed", "check=change"]),
            ("Slack", lambda: self.start(CODE),
             lambda: self.start(SLACK), lambda: post(SLACK[1], SLACK[2], WM_CLOSE),
             ["process=slack.exe", "trigger=running", "check=change"]),
            ("Ledger", lambda: None,
             lambda: self.start(LEDGER), lambda: post(LEDGER[1], "-", WM_CLOSE),
             ["process=Ledger.exe", "trigger=running", "check=change"]),
            ("EditorInFront",
             lambda: (box.start_target(EDITOR_CLASS, "Editor settings", exe="Editor.exe"),
                      self.start(EDITOR, "--retitle=notes.txt - Editor"),
                      self.other_in_front()),
             lambda: (box.winctl("foreground", EDITOR_CLASS, EDITOR[2], check=True),
                      time.sleep(0.3),
                      post(EDITOR_CLASS, EDITOR[2], WM_RETITLE)),
             lambda: self.other_in_front(),
             ["process=Editor.exe", "title=Editor", "titlematch=end", "trigger=active",
              "check=change"]),
        ]
        box.start_target("PalimoorOther", "Other", "--foreground")
        for section, before, show, back, keys in rows:
            with self.subTest(section=section):
                before()
                time.sleep(0.3)
                code, out, err, written = self.learn(section, show)
                self.assertEqual(code, 0, out + err)
                self.assertEqual(written, keys, out + err)
                self.assertIn("loads, no problems", out)
                back()
                time.sleep(0.5)
                if section == "EditorInFront":  # the document's window again, under its new title
                    show = lambda: box.winctl("foreground", EDITOR_CLASS, "notes.txt - Editor")
                self.fires_on_the_repeat(section, show)
                back()
                time.sleep(0.3)

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
        self.assertEqual(keys, ["process=msedge.exe", "title=Edge", "titlematch=end",
                                "trigger=running", "check=change"])


if __name__ == "__main__":
    unittest.main()
