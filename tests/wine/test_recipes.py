"""Every recipe of the cookbook (examples/cookbook.ini), run as written with
stand-ins for today's programs, and rules as a new user names them.

Each stand-in is the target helper under the real program's file name, with
its window class and title as they are on Windows 10/11. Where each fact comes
from is said beside it. The programs a recipe starts are replaced by recorders
named after them; its window keys, trigger, check and built-ins stay as written."""
import re
import time
import unittest
from pathlib import Path

from harness import WineTest, WM_CLOSE, wait_until

COOKBOOK = Path(__file__).resolve().parents[2] / "examples" / "cookbook.ini"
GUIDES = [Path(__file__).resolve().parents[2] / name for name in ("README.md", "README.ja.md")]

# Notepad: notepad.exe, class "Notepad", "Untitled - Notepad" (its own title form).
NOTEPAD = ("notepad.exe", "Notepad", "Untitled - Notepad")
# Word: WINWORD.EXE, class "OpusApp", "Document1 - Word".
WORD = ("WINWORD.EXE", "OpusApp", "Document1 - Word")
# File Explorer: explorer.exe, class "CabinetWClass", titled with the folder's name.
DOWNLOADS = ("explorer.exe", "CabinetWClass", "Downloads")
# Slack and VS Code: Electron programs, both of class "Chrome_WidgetWin_1".
SLACK = ("slack.exe", "Chrome_WidgetWin_1", "Slack")
CODE = ("Code.exe", "Chrome_WidgetWin_1", "notes.md - Visual Studio Code")
# Firefox 83 and later: "Page — Mozilla Firefox" with an em dash (Mozilla bug 1279647).
FIREFOX = ("firefox.exe", "MozillaWindowClass", "News \u2014 Mozilla Firefox")
# Outlook (classic): class "rctrl_renwnd32" (pywinauto/SWAPY issue 28); a splash first.
OUTLOOK = ("OUTLOOK.EXE", "rctrl_renwnd32", "Inbox - name@example.com - Outlook")
# Outlook's reminders: OUTLOOK.EXE's own window, "1 Reminder", "2 Reminders" (common knowledge).
REMINDER = ("OUTLOOK.EXE", "rctrl_renwnd32", "1 Reminder")
# Cisco AnyConnect: vpnui.exe, "Cisco AnyConnect Secure Mobility Client" (common knowledge).
VPN = ("vpnui.exe", "VpnClient", "Cisco AnyConnect Secure Mobility Client")
# Thunderbird, a mail program: thunderbird.exe, class "MozillaWindowClass".
THUNDERBIRD = ("thunderbird.exe", "MozillaWindowClass", "Inbox - Mozilla Thunderbird")


def cookbook_sections():
    """Each section of the cookbook: its name and key lines, as written."""
    sections, name = {}, None
    for line in COOKBOOK.read_text("utf-8").splitlines():
        if line.startswith("["):
            name = line[1:-1]
            sections[name] = []
        elif name and line and not line.startswith("#"):
            sections[name].append(line)
    return sections


class Recipes(WineTest):
    def start(self, program, *options):
        exe, cls, title = program
        return self.box.start_target(cls, title, *options, exe=exe)

    def recipe(self, section):
        """The recipe's lines, the programs it starts replaced by recorders named
        after them ("notepad-started.exe")."""
        lines = []
        for line in cookbook_sections()[section]:
            key, _, value = line.partition("=")
            if key in ("exec", "ontimeout", "onunmatch") and "\\" in value:
                program, bar, parameters = value.partition("|")
                stem = program.rsplit("\\", 1)[-1].rsplit(".", 1)[0].lower()
                value = self.box.recorder(f"{stem}-started.exe") + bar + parameters
            lines.append(f"{key}={value}")
        self.write_rule(section, *lines, name="cookbook.ini")

    def spawn(self, section, mode=""):
        self.recipe(section)
        return self.box.spawn(f"{mode} -inifile=cookbook.ini -section={section}".strip())

    def started(self):
        """The recorders started, with their parameters."""
        return [re.sub(r'^"?[^"]*\\([^\\"]+)\.exe"? ?', r"\1 ", c).strip()
                for _, _, c in self.box.started()]

    def ends_with(self, process, started, foreground=None):
        self.assertEqual(self.box.exit_code(process, 15), 0)
        if started:
            self.box.wait_launches(len(started))
        time.sleep(0.3)
        self.assertEqual(self.started(), started)
        if foreground:
            self.assertTrue(wait_until(lambda: self.box.foreground()["class"] == foreground, 5),
                            self.box.foreground())

    def waits(self, section, mode=""):
        process = self.spawn(section, mode)
        self.box.wait_instance(section)
        time.sleep(0.3)
        self.assertIsNone(process.poll())
        return process

    def close(self, program):
        self.box.post(program[1], program[2], WM_CLOSE)

    def test_every_recipe_is_run_here(self):
        ran = {name[len("test_"):] for name in dir(self) if name.startswith("test_")}
        for section in cookbook_sections():
            self.assertIn(re.sub(r"(?<!^)(?=[A-Z])", "_", section).lower(), ran)

    def test_the_readme_rules_are_cookbook_recipes(self):
        """So that running the cookbook runs them."""
        sections = cookbook_sections()
        blocks = [block for guide in GUIDES
                  for block in re.findall(r"```ini\n(.*?)```", guide.read_text("utf-8"), re.S)]
        self.assertGreaterEqual(len(blocks), 4)
        for block in blocks:
            shown = {}
            for line in block.splitlines():
                if line.startswith("["):
                    name = line[1:-1]
                    shown[name] = []
                elif line and not line.startswith("#"):
                    shown[name].append(line)
            for name, lines in shown.items():
                self.assertEqual(lines, sections.get(name), name)

    def test_keep_notepad(self):
        self.start(NOTEPAD)
        process = self.waits("KeepNotepad")
        self.close(NOTEPAD)
        self.ends_with(process, ["notepad-started"])

    def test_after_word(self):
        self.start(WORD)
        process = self.waits("AfterWord")
        self.close(WORD)
        self.ends_with(process, ["notepad-started"])

    def test_after_notepad(self):
        self.start(NOTEPAD)
        process = self.waits("AfterNotepad")
        self.close(NOTEPAD)
        self.ends_with(process, ["explorer-started C:\\Users\\Public\\Documents"])

    def test_notepad_in_front(self):
        self.start(NOTEPAD)
        self.box.start_target("PalimoorOther", "Other", "--foreground")
        process = self.waits("NotepadInFront")
        self.box.winctl("foreground", "Notepad", "-", check=True)
        self.ends_with(process, ["explorer-started C:\\Users\\Public\\Documents"])

    def test_notepad_leaves_front(self):
        self.box.start_target("PalimoorOther", "Other")
        self.start(NOTEPAD, "--foreground")
        process = self.waits("NotepadLeavesFront")
        self.box.winctl("foreground", "PalimoorOther", "-", check=True)
        left = time.time()
        self.ends_with(process, [], foreground="Notepad")
        self.assertGreater(time.time() - left, 0.5)

    def test_wait_for_downloads(self):
        process = self.waits("WaitForDownloads")
        self.start(DOWNLOADS)
        self.ends_with(process, [], foreground="CabinetWClass")

    def test_still_waiting(self):
        process = self.waits("StillWaiting", "-execmode=OPENRESET")
        # The same shortcut again resets the waiting instances and stops.
        self.assertEqual(self.box.exit_code(self.spawn("StillWaiting", "-execmode=OPENRESET")), 1)
        self.assertIsNone(process.poll())
        self.start(DOWNLOADS)
        self.ends_with(process, [], foreground="CabinetWClass")

    def test_open_clipboard(self):
        self.box.winctl("setclip", "C:\\notes.txt", check=True)
        self.ends_with(self.spawn("OpenClipboard"), ["notepad-started C:\\notes.txt"])

    def test_restart_notepad(self):
        notepad = self.start(NOTEPAD)
        self.ends_with(self.spawn("RestartNotepad"), ["notepad-started"])
        # Started again only once the old one had ended.
        self.assertGreaterEqual(self.box.started()[0][0], self.box.target_event(notepad, "exit"))

    def test_after_slack_quits(self):
        self.start(SLACK)
        self.start(CODE)  # the same class, another program
        process = self.waits("AfterSlackQuits")
        self.close(CODE)
        time.sleep(0.8)
        self.assertIsNone(process.poll())
        self.close(SLACK)
        self.ends_with(process, ["notepad-started"])

    def test_firefox_in_front(self):
        self.start(FIREFOX)
        self.box.start_target("PalimoorOther", "Other", "--foreground")
        process = self.waits("FirefoxInFront")
        self.box.winctl("foreground", "MozillaWindowClass", "-", check=True)
        self.ends_with(process, ["notepad-started"])

    def test_show_outlook(self):
        process = self.waits("ShowOutlook")
        self.start(OUTLOOK, "--splash=1000", "--minimized")
        self.ends_with(process, [], foreground="rctrl_renwnd32")
        self.assertFalse(self.box.find_windows("rctrl_renwnd32")[0]["iconic"])


    # Every time: each opens, is acted on, goes and comes again, then the
    # shortcut tapped again ends the watch.
    def every_time(self, section, program, *options, again):
        process = self.waits(section)
        for time_round in range(2):
            target = self.start(program, *options)
            again(target, time_round)
        self.assertEqual(self.box.run(f"-inifile=cookbook.ini -section={section}"), 1)
        self.assertEqual(self.box.exit_code(process, 10), 0)

    def test_outlook_reminders_on_top(self):
        self.start(OUTLOOK, "--foreground")
        def on_top(target, _):
            self.assertTrue(wait_until(lambda: self.box.find_windows(*REMINDER[1:])[0]["topmost"],
                                       5))
            self.close(REMINDER)
            target.wait(10)
        self.every_time("OutlookRemindersOnTop", REMINDER, again=on_top)

    def test_on_vpn_window(self):
        def started(target, time_round):
            self.assertTrue(self.box.wait_launches(time_round + 1))
            self.close(VPN)
            target.wait(10)
        self.every_time("OnVpnWindow", VPN, again=started)
        self.assertEqual(self.started(), ["map-drives-started"] * 2)

    def test_minimize_slack(self):
        def minimized(target, _):  # it shows itself, as at sign-in
            self.box.post(SLACK[1], SLACK[2], 0x8000 + 4)  # WM_APP+4: shown and in front
            self.assertTrue(wait_until(lambda: self.box.find_windows(*SLACK[1:])[0]["iconic"], 5))
            self.close(SLACK)
            target.wait(10)
        self.every_time("MinimizeSlack", SLACK, "--hidden", again=minimized)


class NewUserRules(WineTest):
    """Sections named after the window they wait for, as a new user names them,
    with every way of comparing the title and every trigger. Beside them wait
    other instances named after the same windows: their hidden windows' titles
    hold the words the rules look for."""

    # Section, program, and for each titlematch the title a user would write;
    # then a waiting instance's name that holds the word looked for.
    USERS = (("WaitForNotepad", NOTEPAD, {"contains": "Notepad", "end": "Notepad",
                                          "start": "Untitled", "exact": "Untitled - Notepad"},
              "Notepad reminder"),
             ("Mail", THUNDERBIRD, {"contains": "Inbox", "end": "Mozilla Thunderbird",
                                    "start": "Inbox", "exact": "Inbox - Mozilla Thunderbird"},
              "Inbox count"),
             ("Firefox", FIREFOX, {"contains": "Firefox", "end": "Mozilla Firefox",
                                   "start": "News", "exact": "News \u2014 Mozilla Firefox"},
              "Firefox time"))
    TRIGGERS = ("running", "closed", "active", "inactive", "not_running", "not_closed",
                "not_active", "not_inactive")
    # The program's window absent, and there behind another window.
    ABSENT = {"closed", "not_running", "not_active", "not_inactive"}
    BEHIND = {"running", "not_closed", "inactive", "not_active"}

    def other_in_front(self):
        self.box.keep_in_front("PalimoorOther")

    def decide(self, section, *lines):
        self.box.path("launches.log").unlink(missing_ok=True)
        self.write_rule(section, *lines, "check=current",
                        f"exec={self.box.recorder('exec.exe')}",
                        f"onunmatch={self.box.recorder('onunmatch.exe')}")
        self.assertEqual(self.box.run(f"-section={section}"), 0)
        launches = self.box.wait_launches(1)
        return launches[0][2].split("\\")[-1].split(".")[0]

    def test_every_mode_and_trigger_absent_then_present(self):
        for _, _, _, waiting in self.USERS:
            self.write_rule(waiting, "class=PalimoorNeverThere", "trigger=running",
                            "check=change", name="waiting.ini")
            self.box.spawn(f"-inifile=waiting.ini -section={waiting}")
            self.box.wait_instance(waiting)
        # Programs keep hidden helper windows (IME, OLE, tray) whose titles may
        # hold the same words.
        self.box.start_target("PalimoorOther", "Other", "--foreground",
                              "--helper-window=Notepad IME Inbox Firefox")
        modes = list(self.USERS[0][2])
        for present in (False, True):
            for section, program, titles, _ in self.USERS:
                if present:
                    self.box.start_target(program[1], program[2], exe=program[0])
                    self.other_in_front()
                for i, trigger in enumerate(self.TRIGGERS):
                    mode = modes[i % len(modes)]
                    with self.subTest(section=section, mode=mode, trigger=trigger,
                                      present=present):
                        holds = trigger in (self.BEHIND if present else self.ABSENT)
                        self.assertEqual(self.decide(section, f"title={titles[mode]}",
                                                     f"titlematch={mode}",
                                                     f"trigger={trigger}"),
                                         "exec" if holds else "onunmatch")


if __name__ == "__main__":
    unittest.main()
