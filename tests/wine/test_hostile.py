"""Hostile conditions: a program that stops answering, and a desktop busy with
windows. Nothing may hang the instance, and its list runs to its end."""
import time
import unittest

from harness import wait_until, WineTest, WM_CLOSE

TARGET = "PalimoorTarget"


class HungPrograms(WineTest):
    """A program whose window thread sleeps instead of pumping messages."""

    def hung_target(self, cls, title, *options):
        target = self.box.start_target(cls, title, "--hang-after=200", *options)
        self.box.target_event(target, "hung")
        return target

    def run_ends_soon(self, *lines, code=0, section="H"):
        """Runs the rule; it must end within 5 s, with its last entry run."""
        self.write_rule(section, *lines, f"exec={self.box.recorder()}|after")
        started = time.time()
        self.assertEqual(self.box.run(f"-section={section}", timeout=20), code)
        self.assertLess(time.time() - started, 5.0)
        if code == 0:
            recorded = 1 + sum(self.box.recorder() in line for line in lines)
            self.assertTrue(self.box.wait_launches(recorded))

    def test_activate_while_the_program_in_front_hangs(self):
        self.box.start_target(TARGET, "Behind")
        self.hung_target("HungFront", "In front", "--foreground")
        self.run_ends_soon(f"class={TARGET}", "trigger=running", "exec=activate",
                           "exec=sync activate")
        self.assertEqual(self.box.foreground()["class"], TARGET)

    def test_inactivate_a_hung_target(self):
        self.box.start_target("OtherTarget", "Active", "--foreground")
        self.hung_target(TARGET, "Hung")
        self.run_ends_soon(f"class={TARGET}", "trigger=running", "exec=inactivate")

    def test_close_a_hung_target(self):
        target = self.hung_target(TARGET, "Hung")
        self.run_ends_soon(f"class={TARGET}", "trigger=running", "exec=close")
        self.assertIsNone(target.poll())  # it hangs on; the close waits in its queue

    def test_clipboard_of_a_hung_program_that_renders_on_request(self):
        self.hung_target(TARGET, "Owner", "--delayed-clipboard=never rendered")
        self.run_ends_soon("class=NoSuchWindowClass", f"exec={self.box.recorder()}|[%%CLIPBOARD%%]")
        # An owner that does not answer leaves the clipboard empty.
        self.assertTrue(self.box.started()[0][2].endswith(" []"))

    def test_clipboard_owner_that_answers_and_then_hangs_while_rendering(self):
        """The owner answers when asked whether it answers, then hangs (4 s) when
        asked for its text: the entry gets no text after a second, a later one
        none at once, and the list goes on; entries without the token never read
        the clipboard. While the owner hangs, the clipboard stays open to the
        reader left behind; once the owner is done, other programs can set it
        again, though the instance still runs."""
        owner = self.box.start_target("ClipOwner", "Owner", "--hang-on-render", "--hang-for=4000",
                                      "--delayed-clipboard=never rendered")
        self.write_rule("CopyTitle", "class=NoSuchWindowClass", "exec=nothing",
                        f"exec={self.box.recorder()}|[%%CLIPBOARD%%]",
                        f"exec={self.box.recorder()}|again [%%CLIPBOARD%%]",
                        f"exec={self.box.recorder()}|after", "exec=sleep 6000")
        started = time.time()
        process = self.box.spawn("-section=CopyTitle")
        self.assertTrue(self.box.wait_launches(3))
        self.assertLess(time.time() - started, 4.0)
        self.assertEqual([c.split(" ", 1)[1] for _, _, c in self.box.started()],
                         ["[]", "again []", "after"])
        self.box.target_event(owner, "rendering")
        # Wine makes another program's OpenClipboard wait meanwhile; Windows refuses it.
        self.assertTrue(wait_until(lambda: self.box.winctl("setclip", "mine").returncode == 0, 8))
        self.assertIsNone(process.poll())
        self.assertEqual(self.box.exit_code(process, 20), 0)

    def test_the_load_failure_box_while_the_program_in_front_hangs(self):
        self.hung_target("HungFront", "In front", "--foreground")
        self.write_rule("Other", "class=X")
        started = time.time()
        self.assertEqual(self.box.run("-section=Missing", timeout=20), 1)
        self.assertLess(time.time() - started, 5.0)
        self.assertTrue(self.box.box_texts()[-1].startswith("INIファイル読み込み失敗"))


class BusyDesktop(WineTest):
    def test_a_clock_beside_the_watch_does_not_deafen_it(self):
        """A program that updates a label 20 times a second and makes a control
        60 times (Wine sends another program only the creation): a title rule
        at polling=10000 still ends within 0.5 s of its window appearing, where
        its next look would come 5 s later on average. (A title compared in
        part counts the window once it is shown, which Wine does not tell
        another program: that rule sees it at the next look.)"""
        self.box.start_target("PalimoorClock", "Clock", "--label-updates=20",
                              "--churn-children=60")
        self.write_rule("WaitForNotepad", "title=Untitled - Notepad",
                        "trigger=running", "check=change", "polling=10000",
                        f"exec={self.box.recorder()}")
        process = self.box.spawn("-section=WaitForNotepad")
        self.box.wait_instance("WaitForNotepad")
        time.sleep(3)  # long enough for a storm to have let go of the events
        waiter = self.box.watch_for_end("WaitForNotepad")
        time.sleep(0.5)
        notepad = self.box.start_target("Notepad", "Untitled - Notepad", exe="notepad.exe")
        created = self.box.target_event(notepad, "created")
        self.assertEqual(process.wait(15), 0)
        self.assertLess(self.box.ended_at(waiter) - created, 0.5)


    def test_a_watch_ends_soon_after_its_window_appears_beside_a_busy_neighbour(self):
        for churn in ("--churn-children=500", "--churn-windows=50"):
            with self.subTest(churn=churn):
                busy = self.box.start_target("PalimoorBusy", "Busy", churn)
                self.write_rule("B", f"class={TARGET}", "trigger=running", "check=change",
                                "polling=1000", f"exec={self.box.recorder()}|{churn}")
                process = self.box.spawn("-section=B")
                self.box.wait_instance("B")
                time.sleep(3)  # long enough for a storm to have let go of the events
                target = self.box.start_target(TARGET, "Target")
                appeared = self.box.target_event(target, "ready")
                self.assertEqual(process.wait(15), 0)
                launch = self.box.wait_launches(1)[-1]
                self.assertLess(launch[0] - appeared, 1.0 + 1.0)  # polling + 1 s
                for window, helper in ((TARGET, target), ("PalimoorBusy", busy)):
                    self.box.post(window, "-", WM_CLOSE)
                    helper.wait(10)
                self.box.path("launches.log").unlink()


if __name__ == "__main__":
    unittest.main()
