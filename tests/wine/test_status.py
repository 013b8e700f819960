"""palimoorctl status: a waiting instance says what it sees, asked by
WM_COPYDATA, and nothing a sender does keeps it from its watch."""
import json
import time
import unittest

from harness import WineTest, WM_CLOSE

NOTEPAD = ("notepad.exe", "Notepad", "Untitled - Notepad")
# Thunderbird, a mail program: thunderbird.exe, class "MozillaWindowClass".
THUNDERBIRD = ("thunderbird.exe", "MozillaWindowClass", "Inbox - Mozilla Thunderbird")


class Status(WineTest):
    def start(self, program, *options):
        exe, cls, title = program
        return self.box.start_target(cls, title, *options, exe=exe)

    def waiting(self, section, *lines):
        """A waiting instance of a rule in a file of its own."""
        self.write_rule(section, *lines, f"exec={self.box.recorder()}|{section}",
                        name=f"{section}.ini")
        process = self.box.spawn(f"-inifile={section}.ini -section={section}")
        self.box.wait_instance(section)
        time.sleep(0.5)
        return process

    def status(self, *args):
        result = self.box.ctl("status", *args)
        return result.returncode, result.stdout.decode("utf-8"), result.stderr.decode("utf-8")

    def test_why_mail_has_not_fired(self):
        """The question users ask most, answered by the instance itself."""
        self.start(THUNDERBIRD)
        self.start(NOTEPAD, "--foreground")
        self.waiting("Mail", "process=thunderbird.exe", "trigger=active", "check=change",
                     "timeout=60000")
        code, out, _ = self.status("Mail")
        self.assertEqual(code, 0, out)
        self.assertIn("now:      waits for thunderbird.exe's main window to come to the front; "
                      "it is there, behind \"Untitled - Notepad\"", out)
        self.assertIn("trigger=active check=change polling=50", out)
        self.assertIn("timeout:  ontimeout in 5", out)
        self.assertIn("events:   listens to the front moving", out)
        code, out, _ = self.status("--json")
        answer = json.loads(out)[0]
        self.assertEqual(answer["section"], "Mail")
        self.assertGreater(answer["looks"], 5)
        self.assertEqual(answer["window"]["program"], "thunderbird.exe")
        self.assertFalse(answer["window"]["in_front"])
        self.assertTrue(answer["rule_file"].endswith("\\Mail.ini"))
        self.assertLess(answer["timeout_left_ms"], 60000)
        instances = self.box.ctl("instances").stdout.decode("utf-8")
        self.assertIn("[Mail]", instances)
        self.assertIn("waits for thunderbird.exe's main window to come to the front", instances)
        # Asking changes nothing: it fires when Thunderbird comes to the front.
        self.box.winctl("foreground", "MozillaWindowClass", "-", check=True)
        self.assertTrue(self.box.wait_launches(1))

    def test_a_rule_waiting_for_a_window_and_one_waiting_for_a_program_to_end(self):
        self.waiting("WaitForNotepad", "title=Notepad", "titlematch=contains", "trigger=running",
                     "check=change")
        self.start(THUNDERBIRD)
        self.waiting("AfterThunderbird", "process=thunderbird.exe", "trigger=closed",
                     "check=change")
        code, out, _ = self.status()
        self.assertEqual(code, 0, out)
        self.assertIn("waits for a window whose title contains \"Notepad\" to appear; none is "
                      "there yet", out)
        self.assertIn("waits for the program of thunderbird.exe's main window to end; its window "
                      "is there", out)
        self.assertIn("events:   none: it waits for the process", out)
        self.assertEqual(self.status("NoSuchSection")[0], 1)

    def test_hostile_requests_get_no_answer_and_the_watch_goes_on(self):
        process = self.waiting("WaitForNotepad", "title=Untitled - Notepad", "trigger=running",
                               "check=change")
        for kind in ("size", "tag", "version", "gone"):
            with self.subTest(kind=kind):
                self.assertEqual(self.box.ask("WaitForNotepad", f"--kind={kind}")["answers"], 0)
        self.assertEqual(self.box.ask("WaitForNotepad")["answers"], 1)
        hung = self.box.ask("WaitForNotepad", "--kind=hang")
        self.assertEqual(hung["answers"], 0)
        self.assertLess(hung["ms"], 1000)  # the instance gave up on the hung window soon
        flood = self.box.ask("WaitForNotepad", "--rate=1000", "--for=2000")
        self.assertGreater(flood["sent"], 500)
        self.assertIsNone(process.poll())
        time.sleep(2.5)  # after a window that did not answer, the instance is silent a while
        self.assertEqual(self.status("WaitForNotepad")[0], 0)
        self.start(NOTEPAD)
        self.assertEqual(self.box.exit_code(process, 10), 0)
        self.assertTrue(self.box.wait_launches(1))

    def test_asked_100_times_a_second_while_it_fires(self):
        """Exit code, list and timing as those of an instance nobody asks. The
        window's creation ends the watch, not its next look: at polling=10000 a
        look would come 5 s later on average, and the bound of 0.5 s leaves a
        loaded machine room."""
        latencies = {}
        for asked in (False, True):
            self.box.path("launches.log").unlink(missing_ok=True)
            process = self.waiting("WaitForNotepad", "title=Untitled - Notepad",
                                   "trigger=running", "check=change", "polling=10000")
            asker = None
            if asked:
                asker = self.box.spawn_program(self.box.dir / "asker.exe", "Palimoor",
                                               "[WaitForNotepad]", "--rate=100", "--for=4000")
                time.sleep(1.0)
            waiter = self.box.watch_for_end("WaitForNotepad")
            time.sleep(0.3)
            notepad = self.start(NOTEPAD)
            created = self.box.target_event(notepad, "created")
            self.assertEqual(self.box.exit_code(process, 10), 0)
            latencies[asked] = self.box.ended_at(waiter) - created
            self.box.wait_launches(1)
            self.assertEqual([c.split(" ", 1)[1] for _, _, c in self.box.started()],
                             ["WaitForNotepad"])
            self.box.post("Notepad", "-", WM_CLOSE)
            notepad.wait(10)
            if asker:
                asker.wait(15)
        self.assertLess(latencies[False], 0.5)
        self.assertLess(latencies[True], 0.5)


if __name__ == "__main__":
    unittest.main()
