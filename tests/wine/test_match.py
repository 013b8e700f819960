"""Rules for today's desktop: a window told by its program (process=) and by
part of its title (titlematch=), as users write them: sections named after the
window they wait for, stand-ins with the real programs' file, class and title."""
import time
import unittest

from harness import WineTest, WM_CLOSE, winpath, wait_until

TWIN = "PalimoorTwin"  # one class, two programs
# Notepad on Windows 10/11: notepad.exe, class "Notepad", "Untitled - Notepad".
NOTEPAD = dict(cls="Notepad", title="Untitled - Notepad", exe="notepad.exe")
# Outlook (classic): OUTLOOK.EXE, class rctrl_renwnd32; a splash window first.
OUTLOOK = dict(cls="rctrl_renwnd32", title="Inbox - name@example.com - Outlook",
               exe="OUTLOOK.EXE")


class Match(WineTest):
    def start(self, program, *options):
        return self.box.start_target(program["cls"], program["title"], *options,
                                     exe=program["exe"])

    def twins(self):
        a = self.box.start_target(TWIN, "Twin A", exe="twin-a.exe")
        b = self.box.start_target(TWIN, "Twin B", exe="Twin-B.exe")
        return a, b

    def rule(self, section, *lines):
        self.write_rule(section, *lines, f"exec={self.box.recorder('exec.exe')}",
                        f"onunmatch={self.box.recorder('onunmatch.exe')}",
                        f"ontimeout={self.box.recorder('ontimeout.exe')}")

    def lists_run(self):
        return [c.split("\\")[-1].split('"')[0] for _, _, c in self.box.started()]

    def decide(self, section, *lines):
        """The list a rule runs at the first look."""
        self.box.path("launches.log").unlink(missing_ok=True)
        self.rule(section, "check=current", *lines)
        self.assertEqual(self.box.run(f"-section={section}"), 0)
        self.box.wait_launches(1)
        time.sleep(0.2)
        return self.lists_run()

    def wait_then(self, section, action, *lines):
        """Starts a waiting rule, does `action`, and returns the lists run."""
        self.box.path("launches.log").unlink(missing_ok=True)
        self.rule(section, "check=change", *lines)
        process = self.box.spawn(f"-section={section}")
        self.box.wait_instance(section)
        time.sleep(0.5)
        self.assertEqual(self.lists_run(), [])  # still waiting
        action()
        self.assertEqual(self.box.exit_code(process, 15), 0)
        self.box.wait_launches(1)  # launched as it ended: may not have written yet
        time.sleep(0.3)
        return self.lists_run()


class ProgramRules(Match):
    def test_running_is_told_by_the_program_in_any_letter_case_or_by_its_path(self):
        self.twins()
        b_path = winpath(self.box.path("Twin-B.exe"))
        for process, lists in (("twin-b.exe", ["exec.exe"]), ("TWIN-A.EXE", ["exec.exe"]),
                               ("twin-c.exe", ["onunmatch.exe"]), (b_path, ["exec.exe"]),
                               (b_path.lower(), ["exec.exe"]),
                               (winpath(self.box.path("twin-c.exe")), ["onunmatch.exe"])):
            with self.subTest(process=process):
                self.assertEqual(self.decide("TwinRunning", f"class={TWIN}",
                                             f"process={process}", "trigger=running"), lists)

    def test_closed_waits_for_the_process_of_the_program_named(self):
        a, b = self.twins()

        def close_a_then_b():
            self.box.post(TWIN, "Twin A", WM_CLOSE)
            time.sleep(0.8)
            self.assertIsNone(self.box.processes[-1].poll())  # A's end is not B's
            self.box.post(TWIN, "Twin B", WM_CLOSE)

        closed = self.wait_then("AfterTwinB", close_a_then_b, f"class={TWIN}",
                                "process=twin-b.exe", "trigger=closed")
        self.assertEqual(closed, ["exec.exe"])
        # It ended with B's process, after A's.
        self.assertGreaterEqual(self.box.started()[0][0], self.box.target_event(b, "exit"))
        self.assertLess(self.box.target_event(a, "exit"), self.box.target_event(b, "exit"))

    def test_active_and_inactive_follow_the_program_named(self):
        self.twins()
        self.box.winctl("foreground", TWIN, "Twin A", check=True)
        self.assertEqual(self.wait_then("TwinBInFront",
                                        lambda: self.box.winctl("foreground", TWIN, "Twin B"),
                                        f"class={TWIN}", "process=twin-b.exe", "trigger=active"),
                         ["exec.exe"])
        self.assertEqual(self.wait_then("TwinBBehind",
                                        lambda: self.box.winctl("foreground", TWIN, "Twin A"),
                                        f"class={TWIN}", "process=twin-b.exe",
                                        "trigger=inactive"),
                         ["exec.exe"])

    def test_a_rule_with_only_a_program_watches_its_main_window(self):
        self.assertEqual(self.decide("TwinB", "process=twin-b.exe", "trigger=running"),
                         ["onunmatch.exe"])
        self.box.start_target(TWIN, "Twin B", exe="Twin-B.exe")
        self.assertEqual(self.decide("TwinB", "process=twin-b.exe", "trigger=running"),
                         ["exec.exe"])
        # Its program in front makes it active; another program in front does not.
        self.box.start_target("PalimoorOther", "Other", "--foreground")
        self.assertEqual(self.decide("TwinB", "process=twin-b.exe", "trigger=active"),
                         ["onunmatch.exe"])
        self.box.winctl("foreground", TWIN, "Twin B", check=True)
        self.assertEqual(self.decide("TwinB", "process=twin-b.exe", "trigger=active"),
                         ["exec.exe"])

    def test_a_splash_window_is_not_the_main_window(self):
        """The cookbook's Outlook recipe: the program shows a splash (a tool window,
        visible, unowned) for a while, then its main window, minimised. The rule
        fires on the main window and brings it to the front, restored."""
        self.write_rule("ShowOutlook", "process=outlook.exe", "trigger=running", "check=both",
                        "timeout=60000", "exec=activate",
                        f"exec={self.box.recorder('exec.exe')}")
        process = self.box.spawn("-section=ShowOutlook")
        self.box.wait_instance("ShowOutlook")
        outlook = self.start(OUTLOOK, "--splash=1500", "--minimized")
        splash = self.box.target_event(outlook, "splash")
        self.assertEqual(self.box.exit_code(process, 15), 0)
        self.assertTrue(self.box.wait_launches(1))  # launched as it ended: may not have written yet
        self.assertGreater(self.box.started()[0][0], splash + 1.4)  # not on the splash
        front = wait_until(lambda: self.box.foreground()["class"] == OUTLOOK["cls"], 5)
        self.assertTrue(front)
        window = self.box.find_windows(OUTLOOK["cls"], OUTLOOK["title"])[0]
        self.assertFalse(window["iconic"])


class TitleRules(Match):
    def test_each_way_of_comparing_the_title(self):
        self.box.start_target("MozillaWindowClass", "News \u2014 Mozilla Firefox",
                              exe="firefox.exe")
        cases = [("end", "Mozilla Firefox", "exec.exe"),
                 ("start", "News", "exec.exe"),
                 ("contains", "s \u2014 Mozilla F", "exec.exe"),
                 ("exact", "News \u2014 Mozilla Firefox", "exec.exe"),
                 ("start", "NEWS \u2014 mozilla", "exec.exe"),  # letter case as FindWindowW
                 ("end", " - Mozilla Firefox", "onunmatch.exe"),  # a hyphen: before Firefox 83
                 ("exact", "Mozilla Firefox", "onunmatch.exe"),
                 ("start", "Mozilla Firefox", "onunmatch.exe"),
                 ("contains", "Chrome", "onunmatch.exe"),
                 ("end", "News", "onunmatch.exe")]
        for mode, title, expected in cases:
            with self.subTest(mode=mode, title=title):
                self.assertEqual(self.decide("Firefox", f"title={title}", f"titlematch={mode}",
                                             "trigger=running"), [expected])


class OwnWindows(Match):
    """A waiting Palimoor owns a hidden window titled [section]: a rule named
    after the window it waits for holds that window's name in its own title.
    (test_recipes.NewUserRules decides every mode and trigger beside such.)"""

    def waiting_instance(self, section):
        """An instance that waits, whatever Notepad does, under the name given."""
        self.write_rule(section, "class=PalimoorNeverThere", "trigger=running", "check=change",
                        name="waiting.ini")
        process = self.box.spawn(f"-inifile=waiting.ini -section={section}")
        self.box.wait_instance(section)
        return process

    def test_wait_for_notepad_waits_for_notepad(self):
        """The most natural rule: it waits until Notepad is there, then fires."""
        self.box.path("launches.log").unlink(missing_ok=True)
        self.rule("WaitForNotepad", "title=Notepad", "titlematch=contains", "trigger=running",
                  "check=change")
        process = self.box.spawn("-section=WaitForNotepad")
        self.box.wait_instance("WaitForNotepad")
        time.sleep(1.0)
        self.assertIsNone(process.poll())
        self.assertEqual(self.lists_run(), [])
        notepad = self.start(NOTEPAD)
        self.assertEqual(self.box.exit_code(process, 10), 0)
        self.box.wait_launches(1)
        self.assertEqual(self.lists_run(), ["exec.exe"])
        self.assertGreater(self.box.started()[0][0], self.box.target_event(notepad, "created"))

    def test_after_notepad_closes_beside_another_waiting_instance(self):
        """A closed rule is not kept waiting by another instance named after Notepad."""
        self.waiting_instance("Notepad watcher")
        self.start(NOTEPAD)
        closed = self.wait_then("AfterNotepad", lambda: self.box.post("Notepad", "-", WM_CLOSE),
                                "title=Notepad", "titlematch=contains", "trigger=closed")
        self.assertEqual(closed, ["exec.exe"])
        # A rule that names Palimoor's class still finds an instance.
        self.assertEqual(self.decide("Watchers", "class=Palimoor", "process=palimoor.exe",
                                     "trigger=running"), ["exec.exe"])


class InFront(Match):
    def test_sync_activate_ends_when_a_dialog_of_the_program_takes_the_front(self):
        """For a process-only rule a dialog of the program in front is the program
        in front: sync activate does not wait for the main window itself, which
        its modal dialog keeps from the front."""
        settings = self.box.start_target("OptionsMain", "Settings", "--dialog-on-front",
                                         exe="settings.exe")
        self.box.target_event(settings, "dialog")
        self.box.start_target("PalimoorOther", "Other", "--foreground")
        self.write_rule("SettingsToFront", "process=settings.exe", "trigger=running",
                        "exec=sync activate", f"exec={self.box.recorder()}|after")
        started = time.time()
        self.assertEqual(self.box.run("-section=SettingsToFront", timeout=20), 0)
        self.assertLess(time.time() - started, 5.0)
        self.assertTrue(self.box.wait_launches(1))
        self.assertEqual(self.box.foreground()["title"], "Options")

    def test_sync_inactivate_with_a_dialog_of_the_program_in_front_ends(self):
        """The program is in front by its dialog, which takes the front back
        whenever its owner gets it: pushing both back, the list goes on."""
        self.box.start_target("PalimoorOther", "Other")
        settings = self.box.start_target("OptionsMain", "Settings", "--dialog-on-front",
                                         exe="settings.exe")
        self.box.target_event(settings, "dialog")
        self.assertEqual(self.box.foreground()["title"], "Options")
        self.write_rule("SettingsBehind", "process=settings.exe", "trigger=running",
                        "exec=sync inactivate", f"exec={self.box.recorder()}|after")
        started = time.time()
        self.assertEqual(self.box.run("-section=SettingsBehind", timeout=20), 0)
        self.assertLess(time.time() - started, 5.0)
        self.assertTrue(self.box.wait_launches(1))


if __name__ == "__main__":
    unittest.main()
