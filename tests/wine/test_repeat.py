"""Rules that keep watching (repeat=), as the guide's "Every time" chapter
teaches them: Outlook's reminder kept on top every time it opens. Stand-ins
carry the real names: target.exe copied as OUTLOOK.EXE, its main window
"Inbox - name@example.com - Outlook", its reminders "1 Reminder" and
"2 Reminders". Also the window actions, the history of what each list did,
and a thousand open/close cycles."""
import getpass
import json
import os
import re
import time
from pathlib import Path

from harness import WineTest, wait_until, winpath, WM_CLOSE

INBOX = "Inbox - name@example.com - Outlook"
WINDOW = ("process=OUTLOOK.EXE", "title=Reminder", "titlematch=contains")


def history_files():
    """This lane's history files, the newer first (LOCALAPPDATA of its prefix)."""
    local = (Path(os.environ["WINEPREFIX"]) / "drive_c" / "users" / getpass.getuser() /
             "AppData" / "Local")
    return [local / "Palimoor history.txt", local / "Palimoor history.old.txt"]


class Repeat(WineTest):
    def setUp(self):
        super().setUp()
        for path in history_files():
            path.unlink(missing_ok=True)
        self.outlook = {}

    def rule(self, *lines, window=WINDOW):
        self.write_rule("Reminders", *window, f"exec={self.box.recorder('exec.exe')}",
                        f"ontimeout={self.box.recorder('ontimeout.exe')}",
                        f"onunmatch={self.box.recorder('onunmatch.exe')}", "polling=50", *lines)

    def runs(self, name="exec.exe"):
        return sum(1 for _, _, line in self.box.started() if name in line)

    def expect_runs(self, count, name="exec.exe"):
        """Exactly `count` runs: reached, and still so a moment later (the level)."""
        wait_until(lambda: self.runs(name) >= count, 10)
        time.sleep(0.6)
        self.assertEqual(self.runs(name), count, name)

    def open(self, title, *options):
        self.outlook[title] = self.box.start_target("rctrl_renwnd32", title, *options,
                                                    exe="OUTLOOK.EXE")

    def close(self, title):
        self.box.post("rctrl_renwnd32", title, WM_CLOSE)
        self.outlook.pop(title).wait(10)

    def history(self, *args):
        result = self.box.ctl("history", *args, "--json")
        return json.loads(result.stdout or "[]")

    def test_repeat_fires_on_each_change_never_on_the_level(self):
        # (trigger, check, repeat, windows open before the start, steps,
        #  lists expected at the end, how the instance ends)
        table = [
            ("running", "change", "infinite", [], [
                ("open", "1 Reminder"), ("runs", 1),
                ("open", "2 Reminders"), ("runs", 2),  # a second window while the first stays
                ("close", "1 Reminder"), ("close", "2 Reminders"), ("open", "1 Reminder"),
                ("runs", 3), ("toggle",)], {"onunmatch.exe": 0}, 0),
            ("running", "change", "infinite", [("open", "1 Reminder")], [
                ("runs", 0), ("open", "2 Reminders"), ("runs", 1), ("toggle",)],
             {"onunmatch.exe": 1}, 0),  # held at start: onunmatch once, then it watches
            ("running", "both", "2", [("open", "1 Reminder")], [
                ("runs", 1), ("open", "2 Reminders")], {"exec.exe": 2}, 0),
            ("closed", "change", "2", [("open", "1 Reminder")], [
                ("close", "1 Reminder"), ("runs", 1), ("open", "1 Reminder"),
                ("wait", 0.5), ("close", "1 Reminder")], {"exec.exe": 2}, 0),
            ("active", "change", "infinite", [("open", "1 Reminder")], [
                ("front", "1 Reminder"), ("runs", 1), ("front", INBOX),
                ("front", "1 Reminder"), ("runs", 2), ("quit",)], {}, 0),
            ("inactive", "change", "2", [("open", "1 Reminder"), ("front", "1 Reminder")], [
                ("front", INBOX), ("runs", 1), ("front", "1 Reminder"), ("front", INBOX)],
             {"exec.exe": 2}, 0),
            ("not_active", "change", "2", [("open", "1 Reminder"), ("front", "1 Reminder")], [
                ("front", INBOX), ("runs", 1), ("front", "1 Reminder"),
                ("close", "1 Reminder")], {"exec.exe": 2}, 0),
            ("not_inactive", "change", "2", [("open", "1 Reminder")], [
                ("front", "1 Reminder"), ("runs", 1), ("front", INBOX),
                ("close", "1 Reminder")], {"exec.exe": 2}, 0),
        ]
        for trigger, check, repeat, before, steps, lists, code in table:
            with self.subTest(trigger=trigger, check=check, repeat=repeat):
                self.box.path("launches.log").unlink(missing_ok=True)
                self.open(INBOX, "--foreground")
                self.act(before)
                self.rule(f"trigger={trigger}", f"check={check}", f"repeat={repeat}")
                process = self.box.spawn("-section=Reminders")
                try:
                    self.box.wait_instance("Reminders")
                    self.act(steps)
                    self.assertEqual(self.box.exit_code(process, 15), code)
                    for name, count in lists.items():
                        self.expect_runs(count, name)
                finally:
                    self.no_instance_left()
                    for title in list(self.outlook):
                        self.close(title)

    def act(self, steps):
        for step in steps:
            if step[0] == "open":
                self.open(step[1])
            elif step[0] == "close":
                self.close(step[1])
            elif step[0] == "front":
                self.box.winctl("foreground", "rctrl_renwnd32", step[1], check=True)
            elif step[0] == "runs":
                self.expect_runs(step[1])
            elif step[0] == "toggle":  # the shortcut tapped again: it ends the first
                self.assertEqual(self.box.run("-section=Reminders"), 1)
            elif step[0] == "wait":  # the user reads the reminder
                time.sleep(step[1])
            elif step[0] == "quit":
                self.box.post("Palimoor", "[Reminders]", WM_CLOSE)

    def test_the_timeout_bounds_each_wait_anew(self):
        self.open(INBOX, "--foreground")
        self.rule("trigger=running", "check=change", "repeat=infinite", "timeout=2000")
        process = self.box.spawn("-section=Reminders")
        self.box.wait_instance("Reminders")
        time.sleep(1.2)  # most of the first wait
        self.open("1 Reminder")
        self.expect_runs(1)
        self.assertEqual(self.box.exit_code(process, 10), 0)
        self.box.wait_launches(2)  # the recorder started last may write a moment later
        fired, timed_out = ([t for t, _, line in self.box.started() if name in line][0]
                            for name in ("exec.exe", "ontimeout.exe"))
        self.assertGreater(timed_out - fired, 1.9)  # a whole wait after the list
        self.assertLess(timed_out - fired, 2.0 + 1.0 + 1.0)  # steps of a second, start-up
        self.assertEqual(self.history("Reminders")[-1]["why"], "timed_out")

    def test_the_window_actions_act_on_the_window_that_fired(self):
        # (entries, what the window is then); the rule fires on the second
        # reminder, so the first must stay as it was.
        table = [
            (["topmost"], {"topmost": True}),
            (["topmost", "notopmost"], {"topmost": False}),
            (["minimize"], {"iconic": True}),
            (["sync maximize"], {"zoomed": True}),
            (["maximize", "sync restore"], {"zoomed": False, "iconic": False}),
        ]
        self.open(INBOX, "--foreground")
        self.open("1 Reminder")
        for entries, expected in table:
            with self.subTest(entries=entries):
                self.write_rule("Reminders", *WINDOW, "trigger=running", "check=change",
                                "repeat=1", *(f"exec={entry}" for entry in entries))
                process = self.box.spawn("-section=Reminders")
                self.box.wait_instance("Reminders")
                self.open("2 Reminders")
                self.assertEqual(self.box.exit_code(process, 10), 0)
                def state(title, keys):
                    window = self.box.find_windows("rctrl_renwnd32", title)[0]
                    return {key: window[key] for key in keys}
                # Asked without waiting: the window may take a moment to do it.
                wait_until(lambda: state("2 Reminders", expected) == expected, 3)
                self.assertEqual(state("2 Reminders", expected), expected)
                first = state("1 Reminder", ("topmost", "iconic", "zoomed"))
                self.assertEqual(list(first.values()), [False, False, False])
                self.assertEqual([e["result"] for e in self.history("Reminders")[-1]["entries"]],
                                 ["done"] * len(entries))
                self.close("2 Reminders")
        # A program that has stopped answering: the action is asked and never waited for.
        self.open("2 Reminders", "--hang-after=100", "--hang-for=8000")
        time.sleep(0.5)
        self.write_rule("Reminders", *WINDOW, "title=2 Reminders", "trigger=running",
                        "check=both", "exec=topmost", "exec=sync minimize")
        started = time.time()
        self.assertEqual(self.box.run("-section=Reminders", 15), 0)
        self.assertLess(time.time() - started, 4)
        self.assertEqual([e["result"] for e in self.history("Reminders")[-1]["entries"]],
                         ["done", "refused"])

    def test_the_history_says_what_became_of_each_entry(self):
        self.open(INBOX, "--foreground")
        self.open("1 Reminder", "--ignore-close")
        self.write_rule("Reminders", *WINDOW, "trigger=running", "check=both",
                        f"exec={self.box.recorder('exec.exe')}", "exec=close",
                        f"exec={self.box.path('nosuch.exe')}")
        self.assertEqual(self.box.run("-section=Reminders"), 0)
        record = self.history("Reminders")[-1]
        self.assertEqual((record["list"], record["why"], record["window"]),
                         ("exec", "held", {"class": "rctrl_renwnd32", "title": "1 Reminder",
                                           "program": "OUTLOOK.EXE"}))
        launched, closed, missing = record["entries"]
        self.assertEqual(launched["result"], "started")
        self.assertGreater(launched["process_id"], 0)
        self.assertEqual(closed["result"], "refused")  # it ignores WM_CLOSE
        self.assertEqual((missing["result"], missing["error"]), ("not_started", 2))
        text = self.box.ctl("history", "Reminders").stdout.decode("utf-8")
        self.assertIn("not started: not found (error 2)", text)
        self.assertIn('"close": refused by the window', text)

    def test_a_locked_history_loses_the_record_not_the_list(self):
        self.open(INBOX, "--foreground")
        self.rule("trigger=running", "check=change", "repeat=2")
        process = self.box.spawn("-section=Reminders")
        self.box.wait_instance("Reminders")
        lock = self.box.spawn_program(self.box.dir / "historian.exe", "lock", "3000")
        self.assertTrue(wait_until(history_files()[0].exists, 10))
        time.sleep(0.3)
        self.open("1 Reminder")
        self.expect_runs(1)  # the list ran while the file was held
        lock.wait(10)
        self.open("2 Reminders")
        self.assertEqual(self.box.exit_code(process, 10), 0)
        records = self.history("Reminders")
        self.assertEqual([(r["fired"], r["lost_before"]) for r in records], [(2, 1)])

    def test_the_history_keeps_its_bound_over_100000_records(self):
        started = time.time()
        self.assertEqual(self.box.spawn_program(self.box.dir / "historian.exe", "append",
                                                "100000").wait(300), 0)
        took = time.time() - started
        newer, older = history_files()
        self.assertLessEqual(newer.stat().st_size + older.stat().st_size, 64 * 1024)
        records = self.history()
        sections = [int(r["section"][1:]) for r in records]
        self.assertEqual(sections, list(range(100001 - len(records), 100001)))  # the newest, whole
        self.assertGreater(len(records), 150)
        print(f"100,000 records appended in {took:.1f} s; {len(records)} kept")

    def test_palimoorctl_reads_any_history_file_in_bounds(self):
        # (the newer file's bytes, what palimoorctl history says on standard error)
        record = ("P1\t0\t2026-12-10 18:40:12\tZ:\\r.ini\tS1\texec\t0\t0\t\t\t\t0\t0\r\n")
        table = [
            (b"\xff\xfe" + (record * 3).encode("utf-16-le")[:-6], "1 line of "),  # cut short
            (b"\xff\xfe" + ("x\t" * 40000 + "\r\n").encode("utf-16-le") * 200,
             "only its first megabyte is read"),  # 32 MB of one long kind of line
            (bytes(range(256)) * 4096, "are no whole record"),
        ]
        newer, _ = history_files()
        for content, said in table:
            with self.subTest(said=said):
                newer.write_bytes(content)
                started = time.time()
                result = self.box.ctl("history")
                self.assertLess(time.time() - started, 10)
                self.assertIn(said, result.stderr.decode("utf-8"))

    def test_a_thousand_cycles_fire_a_thousand_times_in_flat_memory(self):
        # Its own windows' churn is a storm of events, so the watch polls:
        # at 10 ms the thousand take seconds, not minutes.
        self.write_rule("Chat", "class=PalimoorCycle", "trigger=running", "check=change",
                        "repeat=infinite", "polling=10", "exec=close")
        process = self.box.spawn("-section=Chat")
        self.box.wait_instance("Chat")
        log = self.box.path("cycler.log")
        cycler = self.box.spawn_program(self.box.dir / "cycler.exe", "--count=1000",
                                        f"--log={winpath(log)}")
        self.assertTrue(wait_until(lambda: log.exists() and "ready" in log.read_text(), 10))
        wait_until(lambda: self.fired("Chat") >= 50, 30)
        start_memory = self.private_memory()
        started = time.time()
        self.assertEqual(cycler.wait(240), 0)
        print(f"1,000 cycles in {time.time() - started:.1f} s")
        self.assertIn("done 1000", log.read_text())
        time.sleep(0.5)
        self.assertEqual(self.fired("Chat"), 1000)  # none missed, none doubled
        growth = self.private_memory() - start_memory
        self.assertLess(growth, 64 * 1024)
        self.box.post("Palimoor", "[Chat]", WM_CLOSE)
        self.assertEqual(self.box.exit_code(process, 10), 0)

    def fired(self, section):
        answers = json.loads(self.box.ctl("status", section, "--json").stdout or "[]")
        return answers[0]["fired"] if answers else -1

    def private_memory(self):
        """The waiting instance's anonymous memory in use, as Linux counts it for Wine."""
        for process in Path("/proc").glob("[0-9]*"):
            try:
                command = (process / "cmdline").read_bytes()
                text = (process / "status").read_text()
            except OSError:
                continue
            if b"palimoor.exe" in command and b"winctl" not in command:
                return int(re.search(r"^RssAnon:\s+(\d+) kB", text, re.M).group(1)) * 1024
        raise AssertionError("no palimoor.exe process")
