"""Waiting instances: the two watches, the shell window, its icon and its timeout."""
import time
import unittest

from harness import (WineTest, wait_until, WM_CLOSE, WM_TRAY_NOTIFY, WM_LBUTTONUP,
                     WM_LBUTTONDOWN, WM_RESET_TIMEOUT, WM_COMMAND, WM_TIMER, IDM_CLOSE)

TARGET = "PalimoorTarget"
WM_DESTROY_ONLY = 0x8000 + 1  # the target helper destroys its window, its process lives on


class Watch(WineTest):
    def rule(self, *lines, section="W"):
        self.write_rule(section, f"class={TARGET}", f"exec={self.box.recorder('exec.exe')}",
                        f"ontimeout={self.box.recorder('ontimeout.exe')}",
                        f"onunmatch={self.box.recorder('onunmatch.exe')}", *lines)

    def lists_run(self):
        return [c.split("\\")[-1].split('"')[0] for _, _, c in self.box.started()]

    def finish(self, process, timeout=15, launches=1):
        """The lists run once the instance has ended with 0. A program launched as
        it ended may take a while to write: wait for the launches the caller
        expects, then a moment for any that should not be there."""
        self.assertEqual(self.box.exit_code(process, timeout), 0)
        if launches:
            self.box.wait_launches(launches)
        time.sleep(0.3)
        return self.lists_run()


class PollingWatch(Watch):
    def test_exec_runs_soon_after_the_window_appears(self):
        self.rule("check=change", "trigger=running", "polling=200")
        process = self.box.spawn("-section=W")
        window = self.box.wait_instance("W")
        self.assertFalse(window["visible"])  # hidden unless -showtask=TRUE
        target = self.box.start_target(TARGET, "Target")
        appeared = self.box.target_event(target, "ready")
        self.assertEqual(self.finish(process), ["exec.exe"])
        latency = self.box.started()[0][0] - appeared
        self.assertLess(latency, 0.2 + 0.8)  # one polling interval plus Wine's start-up slack
        self.assertFalse(self.box.find_windows("Palimoor"))

    def test_active_and_inactive_follow_the_foreground(self):
        self.box.start_target("OtherTarget", "Other", "--foreground")
        self.box.start_target(TARGET, "Target")
        self.rule("check=change", "trigger=active")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        time.sleep(0.3)
        self.assertEqual(self.lists_run(), [])
        self.box.winctl("foreground", TARGET, "-", check=True)
        self.assertEqual(self.finish(process), ["exec.exe"])

        self.box.path("launches.log").unlink()
        self.rule("check=both", "trigger=inactive")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        self.box.winctl("foreground", "OtherTarget", "-", check=True)
        self.assertEqual(self.finish(process), ["exec.exe"])

    def test_timeout_runs_ontimeout(self):
        self.rule("check=change", "trigger=running", "timeout=1500")
        process = self.box.spawn("-section=W")
        self.assertEqual(self.finish(process), ["ontimeout.exe"])
        elapsed = self.box.started()[0][0] - process.started
        self.assertGreater(elapsed, 1.4)
        self.assertLess(elapsed, 1.5 + 1.0 + 1.5)  # timer resolution 1 s, plus start-up

    def test_closed_from_outside_runs_nothing(self):
        self.rule("check=change", "trigger=running")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        self.assertEqual(self.box.post("Palimoor", "[W]", WM_CLOSE), 0)
        self.assertEqual(self.finish(process, launches=0), [])

    def test_close_command_and_timer_message(self):
        self.rule("check=change", "trigger=running")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        self.box.post("Palimoor", "[W]", WM_COMMAND, 12345)  # not IDM_CLOSE: ignored
        time.sleep(0.5)
        self.assertIsNone(process.poll())
        self.box.post("Palimoor", "[W]", WM_COMMAND, IDM_CLOSE)
        self.assertEqual(self.finish(process, launches=0), [])

        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        self.box.post("Palimoor", "[W]", WM_TIMER)  # counts as a timeout
        self.assertEqual(self.finish(process), ["ontimeout.exe"])

    def test_showtask_makes_the_window_visible(self):
        self.rule("check=change", "trigger=running")
        self.box.spawn("-showtask=TRUE -section=W")
        self.assertTrue(self.box.wait_instance("W")["visible"])


class ProcessWatch(Watch):
    def test_exec_runs_when_the_process_ends(self):
        target = self.box.start_target(TARGET, "Target")
        self.rule("check=change", "trigger=closed")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        self.box.post(TARGET, "-", WM_CLOSE)
        self.assertEqual(self.finish(process), ["exec.exe"])
        ended = self.box.target_event(target, "exit")
        self.assertLess(self.box.started()[0][0] - ended, 1.0)

    def test_window_gone_but_process_alive_waits_for_the_timeout(self):
        self.box.start_target(TARGET, "Target", "--linger=20000")
        self.rule("check=change", "trigger=not_running", "timeout=2000")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        self.box.post(TARGET, "-", WM_DESTROY_ONLY)
        time.sleep(0.8)
        self.assertIsNone(process.poll())  # still waiting on the process
        self.assertEqual(self.finish(process), ["exec.exe"])  # window absent at the end
        self.assertGreater(self.box.started()[0][0] - process.started, 1.9)

    def test_timeout_with_the_window_present_runs_ontimeout(self):
        self.box.start_target(TARGET, "Target")
        self.rule("check=change", "trigger=closed", "timeout=1000")
        process = self.box.spawn("-section=W")
        self.assertEqual(self.finish(process), ["ontimeout.exe"])


class TrayIcon(Watch):
    answers = ("CANCEL", "OK")

    def test_confirmation_cancel_then_ok_in_a_polling_watch(self):
        # The timeout is far beyond the test's own pace, even on a loaded machine:
        # the instance ends by the OK, never by the timeout.
        self.rule("check=change", "trigger=running", "timeout=8000", section="トレイ")
        process = self.box.spawn("-section=トレイ")
        self.box.wait_instance("トレイ")
        self.box.post("Palimoor", "[トレイ]", WM_TRAY_NOTIFY, 2023, WM_LBUTTONDOWN)
        time.sleep(0.5)
        self.assertEqual(self.box.boxes(), [])  # pen down does nothing
        self.box.post("Palimoor", "[トレイ]", WM_TRAY_NOTIFY, 2023, WM_LBUTTONUP)
        boxes = self.box.wait_boxes(1)
        self.assertEqual(boxes[0]["caption"], "Palimoor 終了確認")
        self.assertEqual(boxes[0]["text"], "[トレイ]\n終了しますか？")
        self.assertEqual(boxes[0]["button_ids"], [1, 2])
        self.assertTrue(boxes[0]["icon"])
        self.assertFalse(boxes[0]["owned"])
        time.sleep(0.5)
        self.assertIsNone(process.poll())  # Cancel: still waiting
        self.box.post("Palimoor", "[トレイ]", WM_TRAY_NOTIFY, 2023, WM_LBUTTONUP)
        self.box.wait_boxes(2)
        self.assertEqual(self.finish(process, launches=0), [])  # OK: ended, no list
        self.assertLess(time.time() - process.started, 8.0)

    def test_cancel_keeps_the_timeout(self):
        self.rule("check=change", "trigger=running", "timeout=3000")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        shown = time.time()  # the timeout started before this
        time.sleep(1.5)
        self.box.post("Palimoor", "[W]", WM_TRAY_NOTIFY, 2023, WM_LBUTTONUP)  # Cancel
        self.box.wait_boxes(1)
        self.assertEqual(self.finish(process), ["ontimeout.exe"])
        expired = self.box.started()[0][0]
        self.assertGreater(expired - process.started, 2.9)
        # Restarted at the Cancel it would come 1.5 s + 3 s after the window appeared.
        self.assertLess(expired - shown, 4.2)

    def test_ok_in_a_process_watch_with_the_window_present_runs_ontimeout(self):
        self.box.start_target(TARGET, "Target")
        self.rule("check=change", "trigger=closed", section="P")
        process = self.box.spawn("-section=P")
        self.box.wait_instance("P")
        self.box.post("Palimoor", "[P]", WM_TRAY_NOTIFY, 2023, WM_LBUTTONUP)  # Cancel
        self.box.wait_boxes(1)
        self.box.post("Palimoor", "[P]", WM_TRAY_NOTIFY, 2023, WM_LBUTTONUP)  # OK
        self.box.wait_boxes(2)
        self.assertEqual(self.finish(process), ["ontimeout.exe"])


class TrayIconPresence(Watch):
    """Wine's taskbar is shown exactly while some notification icon exists."""

    def taskbar_shown(self):
        return any(w["visible"] for w in self.box.find_windows("Shell_TrayWnd"))

    def test_icon_while_waiting_and_gone_after_the_watch(self):
        self.assertFalse(self.taskbar_shown())
        self.rule("check=change", "trigger=running", "polling=100")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        self.assertTrue(wait_until(self.taskbar_shown, 5))
        self.box.start_target(TARGET, "Target")  # the run driver ends the watch itself
        self.assertEqual(self.finish(process), ["exec.exe"])
        self.assertTrue(wait_until(lambda: not self.taskbar_shown(), 3))

    def test_no_icon_with_showicon_false(self):
        self.rule("check=change", "trigger=running")
        process = self.box.spawn("-showicon=FALSE -section=W")
        self.box.wait_instance("W")
        time.sleep(0.5)
        self.assertFalse(self.taskbar_shown())
        self.box.post("Palimoor", "[W]", WM_CLOSE)
        self.assertEqual(self.finish(process, launches=0), [])

    def test_icon_comes_back_after_a_shell_restart_and_still_ends_the_instance(self):
        self.rule("check=change", "trigger=running")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        self.assertTrue(wait_until(self.taskbar_shown, 5))
        # The shell restarts: our icon is gone until the shell says it is back.
        self.assertEqual(self.box.winctl("delicon", "Palimoor", "[W]", WM_TRAY_NOTIFY).returncode, 0)
        self.assertTrue(wait_until(lambda: not self.taskbar_shown(), 5))
        self.assertEqual(self.box.winctl("postnamed", "Palimoor", "[W]",
                                         "TaskbarCreated").returncode, 0)
        self.assertTrue(wait_until(self.taskbar_shown, 5))
        self.box.post("Palimoor", "[W]", WM_TRAY_NOTIFY, WM_TRAY_NOTIFY, WM_LBUTTONUP)
        self.box.wait_boxes(1)
        self.assertEqual(self.finish(process, launches=0), [])
        self.assertTrue(wait_until(lambda: not self.taskbar_shown(), 3))


class EventAssistedWatch(Watch):
    """Window events wake a polling watch: a long interval costs no reaction time
    for a window that appears or comes to the front. Each change here comes at
    least a second before the next look at the 5 s interval would."""

    def test_a_window_that_appears_ends_the_watch_at_once(self):
        self.rule("check=change", "trigger=running", "polling=5000")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        waiter = self.box.watch_for_end("W")
        time.sleep(0.5)
        target = self.box.start_target(TARGET, "Target")
        ended = self.box.ended_at(waiter)
        self.assertLess(ended - self.box.target_event(target, "ready"), 1.0)
        self.assertEqual(self.finish(process), ["exec.exe"])

    def test_a_window_that_comes_to_the_front_ends_the_watch_at_once(self):
        # The target brings itself to the front 4 s after its start; Wine tells of
        # the change only through the focus event of the control that takes the
        # focus, so no other process may take part.
        self.box.start_target("OtherTarget", "Other", "--foreground")
        target = self.box.start_target(TARGET, "Target", "--front-after=4000")
        self.rule("check=change", "trigger=active", "polling=5000")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        waiter = self.box.watch_for_end("W")
        ended = self.box.ended_at(waiter)
        self.assertLess(ended - self.box.target_event(target, "front"), 1.0)
        self.assertEqual(self.finish(process), ["exec.exe"])


class TimeoutReset(Watch):
    def test_reset_before_expiry_restarts_the_full_period(self):
        # Unreset, it would expire 2.5 s after the reset; reset, 4 s after. The
        # 2.5 s leave the reset room to arrive on a loaded machine.
        self.rule("check=change", "trigger=running", "timeout=4000")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        time.sleep(1.5)
        reset_at = time.time()
        self.assertEqual(self.box.post("Palimoor", "[W]", WM_RESET_TIMEOUT), 0)
        self.assertEqual(self.finish(process), ["ontimeout.exe"])
        after_reset = self.box.started()[0][0] - reset_at
        self.assertGreater(after_reset, 3.5)
        self.assertLess(after_reset, 4.0 + 1.5)


class LongTimeoutChain(Watch):
    """A build whose timer steps last at most one second shows the chain at work."""
    program = "palimoor-shortstep.exe"

    def test_resets_during_a_chain_restart_the_whole_timeout(self):
        self.rule("check=change", "trigger=running", "timeout=5000")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        started = time.time()
        for at in (1.46, 2.61):
            time.sleep(max(0.0, started + at - time.time()))
            self.assertEqual(self.box.post("Palimoor", "[W]", WM_RESET_TIMEOUT), 0)
        last_reset = time.time()
        self.assertEqual(self.finish(process, 20), ["ontimeout.exe"])
        after = self.box.started()[0][0] - last_reset
        self.assertGreater(after, 4.5)
        self.assertLess(after, 5.0 + 1.5)

    def test_a_chain_of_steps_expires_on_time(self):
        self.rule("check=change", "trigger=running", "timeout=3500")
        process = self.box.spawn("-section=W")
        self.box.wait_instance("W")
        started = time.time()
        self.assertEqual(self.finish(process, 20), ["ontimeout.exe"])
        after = self.box.started()[0][0] - started
        self.assertGreater(after, 3.0)
        self.assertLess(after, 3.5 + 1.5)


if __name__ == "__main__":
    unittest.main()
