"""Rules for today's desktop: a window told by its program (process=) and by
part of its title (titlematch=)."""
import time
import unittest

from harness import WineTest, WM_CLOSE, winpath

TWIN = "PalimoorTwin"  # one class, two programs


class Match(WineTest):
    def twins(self):
        a = self.box.start_target(TWIN, "Twin A", exe="twin-a.exe")
        b = self.box.start_target(TWIN, "Twin B", exe="Twin-B.exe")
        return a, b

    def rule(self, *lines):
        self.write_rule("M", *lines, f"exec={self.box.recorder('exec.exe')}",
                        f"onunmatch={self.box.recorder('onunmatch.exe')}",
                        f"ontimeout={self.box.recorder('ontimeout.exe')}")

    def lists_run(self):
        return [c.split("\\")[-1].split('"')[0] for _, _, c in self.box.started()]

    def decide(self, *lines):
        """The list a rule runs at the first look."""
        self.box.path("launches.log").unlink(missing_ok=True)
        self.rule("check=current", *lines)
        self.assertEqual(self.box.run("-section=M"), 0)
        self.box.wait_launches(1)
        time.sleep(0.2)
        return self.lists_run()

    def wait_then(self, action, *lines):
        """Starts a waiting rule, does `action`, and returns the lists run."""
        self.box.path("launches.log").unlink(missing_ok=True)
        self.rule("check=change", *lines)
        process = self.box.spawn("-section=M")
        self.box.wait_instance("M")
        time.sleep(0.5)
        self.assertEqual(self.lists_run(), [])  # still waiting
        action()
        self.assertEqual(self.box.exit_code(process, 15), 0)
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
                self.assertEqual(self.decide(f"class={TWIN}", f"process={process}",
                                             "trigger=running"), lists)

    def test_closed_waits_for_the_process_of_the_program_named(self):
        a, b = self.twins()

        def close_a_then_b():
            self.box.post(TWIN, "Twin A", WM_CLOSE)
            time.sleep(0.8)
            self.assertIsNone(self.box.processes[-1].poll())  # A's end is not B's
            self.box.post(TWIN, "Twin B", WM_CLOSE)

        closed = self.wait_then(close_a_then_b, f"class={TWIN}", "process=twin-b.exe",
                                "trigger=closed")
        self.assertEqual(closed, ["exec.exe"])
        # It ended with B's process, after A's.
        self.assertGreaterEqual(self.box.started()[0][0], self.box.target_event(b, "exit"))
        self.assertLess(self.box.target_event(a, "exit"), self.box.target_event(b, "exit"))

    def test_active_and_inactive_follow_the_program_named(self):
        self.twins()
        self.box.winctl("foreground", TWIN, "Twin A", check=True)
        self.assertEqual(self.wait_then(lambda: self.box.winctl("foreground", TWIN, "Twin B"),
                                        f"class={TWIN}", "process=twin-b.exe", "trigger=active"),
                         ["exec.exe"])
        self.assertEqual(self.wait_then(lambda: self.box.winctl("foreground", TWIN, "Twin A"),
                                        f"class={TWIN}", "process=twin-b.exe",
                                        "trigger=inactive"),
                         ["exec.exe"])

    def test_a_rule_with_only_a_program_watches_its_main_window(self):
        self.assertEqual(self.decide("process=twin-b.exe", "trigger=running"), ["onunmatch.exe"])
        self.box.start_target(TWIN, "Twin B", exe="Twin-B.exe")
        self.assertEqual(self.decide("process=twin-b.exe", "trigger=running"), ["exec.exe"])
        # Its program in front makes it active; another program in front does not.
        self.box.start_target("PalimoorOther", "Other", "--foreground")
        self.assertEqual(self.decide("process=twin-b.exe", "trigger=active"), ["onunmatch.exe"])
        self.box.winctl("foreground", TWIN, "Twin B", check=True)
        self.assertEqual(self.decide("process=twin-b.exe", "trigger=active"), ["exec.exe"])


class TitleRules(Match):
    def test_each_way_of_comparing_the_title(self):
        self.box.start_target("PalimoorBrowser", "News - Mozilla Firefox")
        cases = [("end", " - Mozilla Firefox", "exec.exe"),
                 ("start", "News", "exec.exe"),
                 ("contains", "s - Mozilla F", "exec.exe"),
                 ("exact", "News - Mozilla Firefox", "exec.exe"),
                 ("start", "NEWS - mozilla", "exec.exe"),  # letter case as FindWindowW
                 ("exact", " - Mozilla Firefox", "onunmatch.exe"),
                 ("start", " - Mozilla Firefox", "onunmatch.exe"),
                 ("contains", "Chrome", "onunmatch.exe"),
                 ("end", "News", "onunmatch.exe")]
        for mode, title, expected in cases:
            with self.subTest(mode=mode, title=title):
                self.assertEqual(self.decide(f"title={title}", f"titlematch={mode}",
                                             "trigger=running"), [expected])


if __name__ == "__main__":
    unittest.main()
