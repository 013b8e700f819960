"""How later invocations toggle, refuse, close and reset waiting instances."""
import time
import unittest

from harness import WineTest, wait_until

SECTIONS = ("mail", "mail2", "mailbox", "gmail")


class Instances(WineTest):
    def rules(self, *sections, timeout="infinite"):
        text = "".join(f"[{s}]\nclass=NoSuchWindowClass\ntrigger=running\ncheck=change\n"
                       f"timeout={timeout}\nontimeout={self.box.recorder()}|{s}\n"
                       for s in sections)
        self.box.write("palimoor.ini", text)

    def start(self, *sections):
        processes = {s: self.box.spawn(f"-section={s}") for s in sections}
        for s in sections:
            self.box.wait_instance(s)
        return processes

    def waiting(self):
        return sorted(w["title"][1:-1] for w in self.box.find_windows("Palimoor"))

    def ended(self, processes):
        """The sections whose instance has ended, once the survivors have settled."""
        time.sleep(1.0)
        return sorted(s for s, p in processes.items() if p.poll() is not None)


class Toggle(Instances):
    def test_same_shortcut_three_times(self):
        self.rules("mail")
        first = self.box.spawn("-section=mail")
        self.box.wait_instance("mail")
        self.assertEqual(self.box.run("-section=mail"), 1)
        self.assertEqual(first.wait(10), 0)
        third = self.box.spawn("-section=mail")
        self.box.wait_instance("mail")
        self.assertIsNone(third.poll())

    def test_two_starts_back_to_back_toggle(self):
        self.rules("mail")
        for _ in range(3):
            first = self.box.spawn("-section=mail")
            second = self.box.spawn("-section=mail")
            codes = sorted([first.wait(20), second.wait(20)])
            self.assertEqual(codes, [0, 1])
            self.assertTrue(wait_until(lambda: not self.waiting(), 5))

    def test_open_refuses_a_second_instance(self):
        self.rules("mail")
        self.start("mail")
        self.assertEqual(self.box.run("-execmode=OPEN -debug=TRUE -section=mail"), 1)
        self.assertEqual(self.box.box_texts(), ["すでに起動しているため何もしない"])
        self.assertEqual(self.box.boxes()[0]["caption"], "Palimoor [mail]")
        self.assertEqual(self.waiting(), ["mail"])

    def test_close_with_nothing_waiting(self):
        self.assertEqual(self.box.run("-execmode=close -debug=TRUE -section=mail"), 1)
        self.assertEqual(self.box.box_texts(), ["起動していないため何もしない"])

    def test_acting_invocations_never_read_their_rule_file(self):
        # No rule file exists: reading it would show the load-failure box.
        for mode in ("CLOSE", "CLOSEALL", "CLOSEPREFIX", "RESET"):
            self.assertEqual(self.box.run(f"-execmode={mode} -section=none"), 1)
        self.rules("mail")
        self.start("mail")
        self.box.path("palimoor.ini").unlink()
        for mode in ("OPEN", "OPENRESET", "TOGGLE"):
            self.assertEqual(self.box.run(f"-execmode={mode} -section=mail"), 1)
        self.assertEqual(self.box.boxes(), [])


class ClosingByPattern(Instances):
    def check_mode(self, mode, pattern, expected_closed):
        self.rules(*SECTIONS)
        processes = self.start(*SECTIONS)
        self.assertEqual(self.box.run(f"-execmode={mode} -section={pattern}"), 1)
        self.assertEqual(self.ended(processes), sorted(expected_closed))
        for section in set(SECTIONS) - set(expected_closed):
            self.box.run(f"-execmode=CLOSE -section={section}")
        for process in processes.values():
            process.wait(10)

    def test_prefix(self):
        self.check_mode("CLOSEPREFIX", "mail", ["mail", "mail2", "mailbox"])

    def test_infix(self):
        self.check_mode("CLOSEINFIX", "mail", SECTIONS)

    def test_postfix(self):
        self.check_mode("CLOSEPOSTFIX", "mail", ["mail", "gmail"])

    def test_case_matters(self):
        self.rules(*SECTIONS)
        self.start(*SECTIONS)
        for mode in ("CLOSEPREFIX", "CLOSEINFIX", "CLOSEPOSTFIX"):
            self.assertEqual(self.box.run(f"-execmode={mode} -section=Mail"), 1)
            time.sleep(0.5)
            self.assertEqual(self.waiting(), sorted(SECTIONS))

    def test_closeall_leaves_other_programs_alone(self):
        target = self.box.start_target("NotPalimoor", "[mail]")
        self.rules("mail", "gmail")
        processes = self.start("mail", "gmail")
        self.assertEqual(self.box.run("-execmode=CLOSEALL -debug=TRUE"), 1)
        self.assertEqual(self.box.box_texts(), ["起動中の全インスタンスを終了する"])
        self.assertEqual(self.ended(processes), ["gmail", "mail"])
        self.assertIsNone(target.poll())


class Reset(Instances):
    # A reset lands only after the debug box is dismissed, which a loaded
    # machine may take a while to do: the timeout leaves room for that, and
    # the bound still tells a restarted wait (5 s after the reset or later)
    # from the first one (at most 3 s after it).
    def test_reset_restarts_every_timeout(self):
        self.rules("a", "b", timeout=5000)
        self.start("a", "b")
        time.sleep(2.0)
        reset_at = time.time()
        self.assertEqual(self.box.run("-execmode=RESET -debug=TRUE -section=zzz"), 1)
        self.assertEqual(self.box.box_texts(), ["起動中インスタンスをリセットする"])
        self.box.wait_launches(2, timeout=10)
        for when, _, _ in self.box.started():
            self.assertGreater(when - reset_at, 4.0)

    def test_openreset_resets_when_its_section_runs_else_starts(self):
        self.rules("a", "b", timeout=5000)
        processes = self.start("a", "b")
        time.sleep(2.0)
        reset_at = time.time()
        self.assertEqual(self.box.run("-execmode=RESETOPEN -section=a"), 1)
        self.box.wait_launches(2, timeout=10)
        for when, _, _ in self.box.started():
            self.assertGreater(when - reset_at, 4.0)
        for process in processes.values():
            process.wait(10)

        self.rules("a", "b")
        b = self.start("b")["b"]
        a = self.box.spawn("-execmode=OPENRESET -section=a")
        self.box.wait_instance("a")
        self.assertIsNone(a.poll())
        self.assertIsNone(b.poll())


if __name__ == "__main__":
    unittest.main()
