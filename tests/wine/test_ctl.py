"""palimoorctl.exe on the real platform: windows, instances, and check as natively."""
import json
import os
import shutil
import subprocess
import time
import unittest
from pathlib import Path

from harness import WineTest, WM_CLOSE, wait_until, winpath

WM_SYSCOMMAND = 0x112
SC_MINIMIZE = 0xF020
SC_RESTORE = 0xF120

GOLDEN = Path(__file__).resolve().parent.parent / "golden"
NATIVE_CTL = os.environ.get("PALIMOOR_NATIVE_CTL")


def every_byte_file(pairs):
    """A rule whose exec entries hold every byte alone, and (for a double-byte
    code page) every lead byte before every other byte; then headers and key
    lines that a lead byte may swallow the "]" or "=" of."""
    lines = [b"[S]", b"class=X"]
    lines += [b"exec=A" + bytes([b]) for b in range(256) if b != 0x0A]
    for lead in range(0x81, 0x100) if pairs else ():
        lines += [b"exec=A" + bytes([lead, trail]) + b"Z" for trail in range(256) if trail != 0x0A]
        lines += [b"[H" + bytes([lead]) + b"]", b"class=H", b"k" + bytes([lead]) + b"=v"]
    return b"\n".join(lines) + b"\n"


class Ctl(WineTest):
    def ctl(self, *args):
        result = self.box.ctl(*args)
        return result.returncode, result.stdout.decode("utf-8"), result.stderr.decode("utf-8")

    def test_windows_lists_exact_class_and_title_and_marks_the_front(self):
        self.box.start_target("PalimoorCtl Target", "窓 title  with blanks")
        self.box.start_target("PalimoorCtlOther", "Other")
        self.box.winctl("foreground", "PalimoorCtl Target", "窓 title  with blanks", check=True)
        code, out, _ = self.ctl("windows", "--json")
        self.assertEqual(code, 0)
        found = [w for w in json.loads(out) if w["class"] == "PalimoorCtl Target"]
        self.assertEqual(len(found), 1)
        self.assertEqual(found[0]["title"], "窓 title  with blanks")
        self.assertTrue(found[0]["foreground"] and found[0]["visible"])
        self.assertEqual(found[0]["program"].lower(), "target.exe")
        other = [w for w in json.loads(out) if w["class"] == "PalimoorCtlOther"]
        self.assertFalse(other[0]["foreground"])
        code, out, _ = self.ctl("windows")
        self.assertIn('* class "PalimoorCtl Target"  title "窓 title  with blanks"  visible', out)
        self.assertIn('  class "PalimoorCtlOther"  title "Other"  visible', out)

    def test_rule_reports_the_states_of_a_window_in_front_and_one_behind(self):
        self.box.start_target("CtlBehind", "Behind")
        self.box.start_target("CtlFront", "Front")
        self.box.winctl("foreground", "CtlFront", "Front", check=True)
        self.box.write("rules.ini", "[Front]\nclass=CtlFront\ntrigger=active\ncheck=change\n"
                                    "[Behind]\nclass=CtlBehind\ntrigger=inactive\n")
        code, out, _ = self.ctl("windows", "--rule", "rules.ini", "Front")
        self.assertEqual(code, 0)
        self.assertIn('* class "CtlFront"  title "Front"', out)
        self.assertIn("> active        holds\n", out)
        self.assertIn("  inactive      does not hold\n", out)
        self.assertIn("  closed        does not hold\n", out)
        self.assertIn("started now runs onunmatch at once", out)
        code, out, _ = self.ctl("windows", "--rule", "rules.ini", "Behind")
        self.assertIn('  class "CtlBehind"  title "Behind"', out)
        self.assertIn("  active        does not hold\n", out)
        self.assertIn("> inactive      holds\n", out)
        self.assertIn("  not_active    holds\n", out)
        self.assertIn("started now runs exec at once", out)
        code, out, _ = self.ctl("windows", "--class", "NoSuchClass")
        self.assertIn("finds no window", out)
        self.assertIn("> closed        holds\n", out)

    def watch_windows(self):
        """palimoorctl windows --watch, writing to watch.out; its start is past."""
        log = self.box.path("watch.out")
        with open(log, "wb") as out:
            watcher = subprocess.Popen([*self.box._wine(self.box.dir / "palimoorctl.exe"),
                                        "windows", "--watch"], cwd=self.box.dir, stdout=out,
                                       stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        self.box.processes.append(watcher)
        time.sleep(2.0)
        return log

    def test_watch_catches_a_short_lived_window(self):
        log = self.watch_windows()
        self.box.start_target("PalimoorBlink", "Blink", "--exit-after=700")
        ended = wait_until(lambda: b'goes        class "PalimoorBlink"' in log.read_bytes(), 10)
        text = log.read_text("utf-8")
        self.assertTrue(ended, text)
        self.assertRegex(text, r'\d\d:\d\d:\d\d\.\d{3}  appears     class "PalimoorBlink"  title "Blink"')

    def test_instances_lists_a_waiting_instance_with_its_section(self):
        self.write_rule("Waits ここ", "class=NoSuchWindowClass", "trigger=running", "check=change")
        process = self.box.spawn("-section=Waits ここ")
        self.box.wait_instance("Waits ここ")
        code, out, _ = self.ctl("instances", "--json")
        self.assertEqual(code, 0)
        self.assertEqual([(i["section"], i["shown"]) for i in json.loads(out)],
                         [("Waits ここ", False)])
        self.assertEqual(self.ctl("instances")[1].split("  ")[0], "[Waits ここ]")
        self.box.post("Palimoor", "[Waits ここ]", WM_CLOSE)
        self.assertEqual(process.wait(10), 0)
        self.assertEqual(self.ctl("instances", "--json")[1], "[]\n")

    def test_windows_marks_minimized_windows_and_watch_sees_them_go_and_come_back(self):
        self.box.start_target("CtlSmall", "Small", "--minimized")
        code, out, _ = self.ctl("windows", "--json")
        self.assertEqual([w["minimized"] for w in json.loads(out) if w["class"] == "CtlSmall"],
                         [True])
        self.assertIn('class "CtlSmall"  title "Small"  visible minimized', self.ctl("windows")[1])
        log = self.watch_windows()
        self.box.post("CtlSmall", "Small", WM_SYSCOMMAND, SC_RESTORE)
        self.assertTrue(wait_until(lambda: b"restored" in log.read_bytes(), 10))
        self.box.post("CtlSmall", "Small", WM_SYSCOMMAND, SC_MINIMIZE)
        self.assertTrue(wait_until(lambda: b"  minimized " in log.read_bytes(), 10))
        self.assertRegex(log.read_text("utf-8"),
                         r'restored  [* ] class "CtlSmall"  title "Small"  visible  pid')

    def test_instances_are_only_windows_of_exactly_the_programs_class(self):
        # A class that differs from the program's by an invisible soft hyphen,
        # which a linguistic comparison overlooks.
        self.box.start_target("Pali\u00admoor", "[fake]")
        self.assertEqual(self.ctl("instances", "--json")[1], "[]\n")

    def test_a_shortcut_written_by_line_starts_the_rule(self):
        self.box.write("my rules.ini", "[After Notepad]\nclass=NoSuchWindowClass\n"
                                       f"exec={self.box.recorder()}|from the shortcut\n")
        code, out, err = self.ctl("line", "my rules.ini", "After Notepad", "--exe",
                                  winpath(self.box.dir), "--lnk", "start.lnk")
        self.assertEqual(code, 0, err)
        self.assertEqual(out, f'"{winpath(self.box.dir)}\\palimoor.exe" '
                              '-inifile="my rules.ini" -section=After Notepad\n')
        # A bare name goes on the desktop, and the place is said.
        placed = err.strip().rsplit(" ", 1)[-1]
        self.assertTrue(placed.lower().endswith("\\desktop\\start.lnk"), err)
        code, _, err = self.ctl("line", "my rules.ini", "After Notepad", "--exe",
                                winpath(self.box.dir), "--lnk", winpath(self.box.path("start.lnk")))
        self.assertEqual(code, 0, err)
        # Wine's shell may hand the link to a process of its own, so what the
        # opening returns says little: the rule's command tells.
        self.box.winctl("open", winpath(self.box.path("start.lnk")))
        self.assertTrue(self.box.wait_launches(1))
        self.assertEqual([c.split(" ", 1)[1] for _, _, c in self.box.started()],
                         ["from the shortcut"])

    def test_what_check_says_of_process_values_is_what_a_running_program_shows(self):
        """Each row: a process= value, the program running as the value's writer
        would have it, and whether palimoor.exe's own lookup (windows --rule)
        finds its window. check says "never matches" only where no program so
        named can be found, and "may not match" where one can."""
        base = winpath(self.box.dir)
        (self.box.dir / "my..app").mkdir()
        (self.box.dir / "Slack").mkdir()
        rows = [  # value, the program's file, found, what check says
            (" slack.exe", " slack.exe", True, "may not match"),
            ("\u3000slack.exe", "\u3000slack.exe", True, "may not match"),
            ("slack.exe\u3000", "slack.exe\u3000", True, "may not match"),
            ("slack", "slack", True, "may not match"),
            ("%APP%.exe", "%APP%.exe", True, "may not match"),
            (f"{base}\\my..app\\tool.exe", "my..app/tool.exe", True, None),
            ("slack.exe ", "Slack/slack.exe", False, "never matches"),
            ('"slack.exe"', "Slack/slack.exe", False, "never matches"),
            (f"{base}/Slack\\slack.exe", "Slack/slack.exe", False, "never matches"),
            (f"\\\\?\\{base}\\Slack\\slack.exe", "Slack/slack.exe", False, "never matches"),
            (f"{base}\\Slack\\..\\Slack\\slack.exe", "Slack/slack.exe", False, "never matches"),
            ("Slack\\slack.exe", "Slack/slack.exe", False, "never matches"),
        ]
        sections = []
        for i, (value, program, _, _) in enumerate(rows):
            self.box.start_target(f"Program{i}", f"Program {i}", exe=program)
            sections.append(f"[P{i}]\nprocess={value}\ntrigger=running\n")
        self.box.write("rules.ini", "".join(sections))
        code, out, _ = self.ctl("check", "rules.ini")
        for i, (value, program, found, verdict) in enumerate(rows):
            with self.subTest(value=value):
                said = [line for line in out.splitlines() if line.startswith(f"rules.ini:{2 + 3 * i}:")]
                self.assertEqual([verdict in line for line in said] if verdict else said,
                                 [True] if verdict else [], out)
                code, finds, _ = self.ctl("windows", "--rule", "rules.ini", f"P{i}")
                self.assertEqual(f'finds:\n  class "Program{i}"' in finds, found, finds)

    def test_a_near_miss_is_named_with_its_fix_wherever_the_user_asks(self):
        """[WaitForNotepad] says class=Notpad, one letter off, while Notepad is open:
        status, windows --rule, explain and check each name Notepad and the fix."""
        self.box.start_target("Notepad", "Untitled - Notepad", exe="notepad.exe")
        self.write_rule("WaitForNotepad", "class=Notpad", "trigger=running", "check=change",
                        name="rules.ini")
        process = self.box.spawn("-inifile=rules.ini -section=WaitForNotepad")
        self.box.wait_instance("WaitForNotepad")
        said = 'class "Notepad", not "Notpad": one letter differs (class=Notepad)'
        for args in (("status", "WaitForNotepad"),
                     ("windows", "--rule", "rules.ini", "WaitForNotepad"),
                     ("explain", "rules.ini", "WaitForNotepad"), ("check", "rules.ini")):
            with self.subTest(command=args[0]):
                out = self.ctl(*args)[1]
                self.assertIn('class "Notepad"  title "Untitled - Notepad"  notepad.exe: ' + said,
                              out)
        self.box.post("Palimoor", "[WaitForNotepad]", WM_CLOSE)
        self.assertEqual(self.box.exit_code(process, 10), 0)

    def test_check_agrees_with_the_program_on_an_ansi_file(self):
        # Wine's ANSI code page here is 1252, where "€" is the byte 0x80.
        self.box.path("palimoor.ini").write_bytes(
            "[Preis€]\nclass=NoSuchWindowClass\nexec=nothing\n".encode("cp1252"))
        self.assertEqual(self.box.run("-section=Preis€"), 0)
        code, out, _ = self.ctl("check", "palimoor.ini", "--section", "Preis€")
        self.assertEqual(code, 0)
        self.assertIn("note: no byte-order mark and not UTF-8: read in code page 1252", out)
        code, out, _ = self.ctl("check", "--command-line", "-section=Preis€")
        self.assertEqual(code, 0, out)
        self.assertIn("palimoor.ini: 1 section, no problems", out)

    @unittest.skipUnless(NATIVE_CTL, "run through ctest, which names the native palimoorctl")
    def test_the_native_checker_reads_every_byte_as_windows_does(self):
        for code_page, pairs in (("932", True), ("1252", False)):
            with self.subTest(code_page=code_page):
                self.box.path("bytes.ini").write_bytes(every_byte_file(pairs))
                for args in (["explain", "bytes.ini", "S"], ["check", "--json", "bytes.ini"]):
                    args += ["--codepage", code_page]
                    windows = self.ctl(*args)
                    native = subprocess.run([NATIVE_CTL, *args], cwd=self.box.dir,
                                            capture_output=True, timeout=60)
                    self.assertEqual(windows[0], native.returncode)
                    self.assertEqual(windows[1].splitlines(),
                                     native.stdout.decode("utf-8").splitlines(), args)

    def test_check_and_explain_say_what_they_say_natively(self):
        shutil.copy(GOLDEN / "mistakes.ini", self.box.dir)
        expected = {("check", "mistakes.ini"): "mistakes.check.txt",
                    ("check", "--json", "mistakes.ini"): "mistakes.check.json",
                    ("explain", "mistakes.ini", "Fine"): "mistakes.explain-Fine.txt"}
        for args, golden in expected.items():
            code, out, _ = self.ctl(*args)
            self.assertEqual(out, (GOLDEN / golden).read_text("utf-8"), args)
            self.assertEqual(code, 1 if args[0] == "check" else 0)
        code, _, err = self.ctl("check", "missing.ini")
        self.assertEqual((code, err.count("\n")), (2, 1))


if __name__ == "__main__":
    unittest.main()
