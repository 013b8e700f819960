"""palimoorctl status: a waiting instance says what it sees, asked by
WM_COPYDATA, and nothing a sender does keeps it from its watch."""
import json
import os
import signal
import subprocess
import time
import unittest
from pathlib import Path

from harness import WineTest, WM_CLOSE, winpath

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

    def test_what_no_asker_can_do_to_the_watch(self):
        """Rows of askers that would end, block or confuse a waiting rule: each ends
        with the rule still waiting, then firing when Notepad opens. Messages of
        megabytes once ended it silently (a message loop that stopped on -1); an
        asker that takes 150 ms to take each answer kept the window thread busy
        (answered again at once); an instance that stopped answering made status
        wait 3.4 s; each status woke the instance, which named the asker's reply
        window as the last event. (The slow asker was answered 20 times in 3 s,
        the window thread busy all the while.)"""
        instance = lambda: next(p for p in self.box.processes[::-1] if p.poll() is None)

        def frozen(_):
            exe = winpath(self.box.dir / "palimoor.exe").encode()
            pids = [int(p.parent.name) for p in Path("/proc").glob("[0-9]*/cmdline")
                    if p.exists() and p.read_bytes().startswith(exe)]
            self.assertTrue(pids)
            for pid in pids:
                os.kill(pid, signal.SIGSTOP)
            started = time.time()
            code, out, err = self.status("WaitForNotepad")
            took = time.time() - started
            for pid in pids:
                os.kill(pid, signal.SIGCONT)
            self.assertLess(took, 3.0)
            self.assertEqual(code, 1)
            self.assertIn("did not answer within a second", err)

        def asked_twice(_):
            self.status("WaitForNotepad")
            time.sleep(0.3)
            code, out, err = self.status("WaitForNotepad")
            self.assertEqual(code, 0, out + err)
            self.assertNotIn("woken last by a window appearing", out)

        rows = [
            ("2 MB", lambda _: self.box.ask("WaitForNotepad", "--bytes=2097152")),
            ("16 MB", lambda _: self.box.ask("WaitForNotepad", "--bytes=16777216")),
            ("64 MB", lambda _: self.box.ask("WaitForNotepad", "--bytes=67108864")),
            ("a slow asker", lambda _: self.assertLessEqual(
                self.box.ask("WaitForNotepad", "--slow=150", "--rate=20", "--for=3000")["answers"],
                5)),
            ("a frozen instance", frozen),
            ("asked twice", asked_twice),
        ]
        for what, ask in rows:
            with self.subTest(what=what):
                self.box.path("launches.log").unlink(missing_ok=True)
                process = self.waiting("WaitForNotepad", "class=Notepad", "trigger=running",
                                       "check=change")
                ask(process)
                time.sleep(0.3)
                self.assertIsNone(process.poll())
                self.assertTrue(self.box.instance_window("WaitForNotepad"))
                notepad = self.start(NOTEPAD)
                self.assertEqual(self.box.exit_code(process, 15), 0)
                self.assertTrue(self.box.wait_launches(1))
                notepad.kill()
                notepad.wait(10)
                time.sleep(0.3)

    def test_an_edited_rule_and_nothing_waiting(self):
        """status says when the section in the file is not the one the instance
        runs; with nothing waiting, --json is an empty list."""
        code, out, _ = self.status("--json")
        self.assertEqual((code, json.loads(out)), (1, []))
        self.waiting("Mail", "class=MozillaWindowClass", "trigger=active", "check=change")
        self.assertNotIn("edited:", self.status("Mail")[1])
        self.write_rule("Mail", "class=rctrl_renwnd32", "trigger=active", "check=change",
                        name="Mail.ini")
        code, out, _ = self.status("Mail")
        self.assertIn("  edited:   the section in the file is not the one this instance loaded",
                      out)
        self.assertTrue(json.loads(self.status("Mail", "--json")[1])[0]["edited_since"])
        self.box.post("Palimoor", "[Mail]", WM_CLOSE)

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
