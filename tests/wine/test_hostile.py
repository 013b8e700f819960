"""Hostile conditions: a program that stops answering, and a desktop busy with
windows. Nothing may hang the instance, and its list runs to its end."""
import time
import unittest

from harness import WineTest

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
            self.assertTrue(self.box.wait_launches(1, timeout=3))

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

    def test_the_load_failure_box_while_the_program_in_front_hangs(self):
        self.hung_target("HungFront", "In front", "--foreground")
        self.write_rule("Other", "class=X")
        started = time.time()
        self.assertEqual(self.box.run("-section=Missing", timeout=20), 1)
        self.assertLess(time.time() - started, 5.0)
        self.assertTrue(self.box.box_texts()[-1].startswith("INIファイル読み込み失敗"))


if __name__ == "__main__":
    unittest.main()
