"""Deciding at the first look, and every kind of command-list entry."""
import os
import time
import unittest

from shell_link import write_link
from harness import WineTest, wait_until, winpath, WM_CLOSE

TARGET = "PalimoorTarget"


class FirstLook(WineTest):
    def run_rule(self, *lines):
        self.write_rule("R", f"class={TARGET}", f"exec={self.box.recorder('exec.exe')}",
                        f"onunmatch={self.box.recorder('onunmatch.exe')}",
                        f"ontimeout={self.box.recorder('ontimeout.exe')}", *lines)
        self.assertEqual(self.box.run("-section=R"), 0)
        self.box.wait_launches(1)
        time.sleep(0.3)  # nothing else may follow
        return [c.split("\\")[-1].split('"')[0] for _, _, c in self.box.started()]

    def test_window_absent_so_closed_holds(self):
        self.assertEqual(self.run_rule("check=current"), ["exec.exe"])
        self.box.path("launches.log").unlink()
        self.assertEqual(self.run_rule("check=change"), ["onunmatch.exe"])
        self.box.path("launches.log").unlink()
        self.assertEqual(self.run_rule("check=both"), ["exec.exe"])
        self.assertFalse(self.box.find_windows("Palimoor"))

    def test_window_present(self):
        self.box.start_target(TARGET, "Target")
        self.assertEqual(self.run_rule("trigger=closed"), ["onunmatch.exe"])
        self.box.path("launches.log").unlink()
        self.assertEqual(self.run_rule("trigger=running", "check=change"), ["onunmatch.exe"])
        self.box.path("launches.log").unlink()
        self.assertEqual(self.run_rule("trigger=not_closed", "check=both"), ["exec.exe"])
        self.box.path("launches.log").unlink()
        self.assertEqual(self.run_rule("trigger=not_active", "title=Other title"), ["exec.exe"])


    def test_long_title_is_looked_up_by_its_first_1023_characters(self):
        self.box.start_target(TARGET, "t" * 1023)
        self.write_rule("R", "title=" + "t" * 1500, "trigger=running",
                        f"exec={self.box.recorder('exec.exe')}")
        self.assertEqual(self.box.run("-section=R"), 0)
        self.assertTrue(self.box.wait_launches(1))


class Entries(WineTest):
    def run_exec(self, *entries, options=""):
        lines = ["class=NoSuchWindowClass"] + [f"exec={e}" for e in entries]
        self.write_rule("E", *lines)
        started = time.time()
        self.assertEqual(self.box.run(f"{options} -section=E".strip()), 0)
        return started

    def test_sleep_delays_exec_and_pauses_between_entries(self):
        # The pause is measured from the first program's end, which palimoor.exe
        # waits for (sync): two start stamps would each carry a program's own
        # start-up, and differ by more or less than the pause.
        self.write_rule("E", "class=NoSuchWindowClass", "sleep=600",
                        f"exec=sync {self.box.recorder()}|first", "exec=Sleep 400ms",
                        f"exec={self.box.recorder()}|second")
        started = time.time()
        self.assertEqual(self.box.run("-section=E"), 0)
        (first, _, _), (second, _, _) = self.box.wait_launches(2)
        first_end = self.box.wait_launches(1, event="end")[0][0]
        self.assertGreaterEqual(first - started, 0.6)
        self.assertGreaterEqual(second - first_end, 0.4)

    def test_sync_launch_ends_before_the_next_entry(self):
        rec = self.box.recorder()
        self.run_exec(f"sync {rec}|--linger=700 one", f"{rec}|two")
        self.box.wait_launches(2)
        events = [(event, c.split(" ")[-1]) for _, event, c in self.box.launches()]
        self.assertEqual(events[:3], [("start", "one"), ("end", "one"), ("start", "two")])

    def test_clipboard_and_parameters(self):
        self.box.winctl("setclip", "ab c", check=True)
        rec = self.box.recorder()
        self.run_exec(f"{rec}|[%%CLIPBOARD%%] %%CLIPBOARD%%|x", f"{rec}|%%clipboard%%")
        self.box.wait_launches(2)
        self.assertEqual(sorted(c.split(".exe\" ", 1)[1] for _, _, c in self.box.started()),
                         ["%%clipboard%%", "[ab c] ab c|x"])

    def test_clipboard_of_megabytes(self):
        self.box.write("big.txt", "x" * (4 * 1024 * 1024))
        self.box.winctl("setclipfile", winpath(self.box.path("big.txt")), check=True)
        rec = self.box.recorder()
        # Far beyond a command line's limit: the platform cuts or refuses the
        # launch, and either way the list goes on.
        self.run_exec(f"{rec}|%%CLIPBOARD%%", f"{rec}|[%%clipboard%%] after")
        self.box.wait_launches(2)
        parameters = [c.split(".exe\" ", 1)[1] for _, _, c in self.box.started()]
        self.assertEqual(parameters[-1], "[%%clipboard%%] after")
        self.assertTrue(all(set(p) == {"x"} for p in parameters[:-1]))

    def test_shortcuts_in_both_forms(self):
        rec = self.box.recorder()
        target = f'"{rec}" --from-ce-link'
        self.box.write("ce.lnk", f"{len(target)}#{target}\r\n")
        self.box.winctl("mklnk", winpath(self.box.path("desk.lnk")), rec, "--from-desktop-link",
                        check=True)
        self.run_exec(winpath(self.box.path("ce.lnk")), winpath(self.box.path("desk.lnk")))
        self.box.wait_launches(2)
        self.assertEqual(sorted(c.split(" ")[-1] for _, _, c in self.box.started()),
                         ["--from-ce-link", "--from-desktop-link"])

    def test_shortcut_with_environment_variables(self):
        os.environ["PALIMOOR_LINK_DIR"] = winpath(self.box.dir)
        os.environ["PALIMOOR_LINK_ARG"] = "expanded"
        self.addCleanup(os.environ.pop, "PALIMOOR_LINK_DIR")
        self.addCleanup(os.environ.pop, "PALIMOOR_LINK_ARG")
        self.box.recorder()
        write_link(self.box.path("vars.lnk"), r"%PALIMOOR_LINK_DIR%\recorder.exe",
                   "--%PALIMOOR_LINK_ARG%")
        self.run_exec(winpath(self.box.path("vars.lnk")))
        self.box.wait_launches(1)
        self.assertEqual([c.split(" ")[-1] for _, _, c in self.box.started()], ["--expanded"])

    def test_folders_and_documents(self):
        folder = self.box.path("a folder")
        folder.mkdir()
        # A document type of its own whose program is the recorder.
        rec = self.box.recorder("viewer.exe")
        for key, value in ((r"HKCR\.palimoordoc", "PalimoorDoc"),
                           (r"HKCR\PalimoorDoc\shell\open\command",
                            f'"{rec}" --document "%1"')):
            self.box.wine_command("reg", "add", key, "/ve", "/d", value, "/f")
        self.box.write("report.palimoordoc", "text")
        self.run_exec(winpath(folder), winpath(self.box.path("report.palimoordoc")))
        viewer = wait_until(lambda: self.box.find_windows("ExplorerWClass", "a folder"), 15)
        self.assertTrue(viewer, "the folder viewer shows the folder")
        self.box.post("ExplorerWClass", "a folder", WM_CLOSE)
        self.box.wait_launches(1)
        self.assertTrue(self.box.started()[0][2].endswith(
            f'--document "{winpath(self.box.path("report.palimoordoc"))}"'))

    def test_listing_shows_entries_as_written(self):
        self.box.winctl("setclip", "clip", check=True)
        self.run_exec("sync %%CLIPBOARD%%", "nothing", "", options="-debug=TRUE")
        self.assertEqual(self.box.box_texts()[-1], "実行コマンド:\nsync %%CLIPBOARD%%\nnothing\n")


class WindowActions(WineTest):
    def test_close_and_sync_close(self):
        target = self.box.start_target(TARGET, "Target", "--exit-delay=800")
        self.write_rule("C", f"class={TARGET}", "trigger=running", "exec=sync close",
                        f"exec={self.box.recorder()}|after")
        self.assertEqual(self.box.run("-section=C"), 0)
        self.box.wait_launches(1)
        exited = self.box.target_event(target, "exit")
        self.assertGreaterEqual(self.box.started()[0][0], exited)

        target = self.box.start_target(TARGET, "Target")
        self.write_rule("C", f"class={TARGET}", "trigger=running", "exec=CLOSE")
        self.assertEqual(self.box.run("-section=C"), 0)
        self.assertEqual(target.wait(10), 0)

    def test_activate_brings_the_target_to_the_front(self):
        self.box.start_target(TARGET, "Behind")
        self.box.start_target("OtherTarget", "In front", "--foreground")
        wait_until(lambda: self.box.foreground()["class"] == "OtherTarget", 5)
        self.write_rule("A", f"class={TARGET}", "trigger=inactive", "exec=sync activate")
        self.assertEqual(self.box.run("-section=A"), 0)
        self.assertEqual(self.box.foreground()["class"], TARGET)

    def test_inactivate_shows_the_target_again_without_activating_it(self):
        # Wine neither activates the next window when the active one is hidden nor
        # keeps a re-shown window at the bottom, so only this much is observable here.
        self.box.start_target("OtherTarget", "Active", "--foreground")
        wait_until(lambda: self.box.foreground()["class"] == "OtherTarget", 5)
        self.box.start_target(TARGET, "On top")
        self.write_rule("A", f"class={TARGET}", "trigger=running", "exec=inactivate")
        self.assertEqual(self.box.run("-section=A"), 0)
        self.assertTrue(self.box.find_windows(TARGET)[0]["visible"])
        self.assertEqual(self.box.foreground()["class"], "OtherTarget")

    def test_activate_restores_a_minimized_target(self):
        self.box.start_target("OtherTarget", "In front", "--foreground")
        self.box.start_target(TARGET, "Minimized", "--minimized")
        self.assertTrue(self.box.find_windows(TARGET)[0]["iconic"])
        self.write_rule("A", f"class={TARGET}", "trigger=running", "exec=sync activate")
        self.assertEqual(self.box.run("-section=A"), 0)
        self.assertEqual(self.box.foreground()["class"], TARGET)
        self.assertTrue(wait_until(lambda: not self.box.find_windows(TARGET)[0]["iconic"], 2))


if __name__ == "__main__":
    unittest.main()
