#!/usr/bin/env python3
"""Benchmark (not a test) of a waiting instance under Wine, with the window
events and without them (palimoor-nohook.exe, a build that only polls), side
by side in one run:

1. Reaction: from the target window's change to the end of the watch, for a
   window that appears (trigger running) and one that comes to the front
   (trigger active), at polling 50 and 1000 ms. The end of the watch is the
   disappearance of the instance's hidden window, which the run driver closes
   the moment its wait ends and before its list runs; a helper polls for it
   every millisecond.
2. CPU time of the waiting palimoor process per minute at polling 50 and
   1000 ms, measured after start-up has settled, with the Wine server's own
   CPU time over the same period: on a quiet desktop, and beside a busy
   neighbour that creates and destroys 500 child windows a second, or 50
   top-level windows a second.
3. The process watch (the target's process ends), which needs no events.
4. The cost of the look itself beside 200 other top-level windows, at polling
   50 ms: an exact class (FindWindowW) against the rules looked up window by
   window (process=, titlematch=), all waiting for a window that never comes.
5. A long wait (--long): a process= rule whose window is there (it waits for
   it to come to the front), beside a program that opens 50 windows a second
   above it, each living a second: its CPU in the first and the last minute of
   ten, so that what the watch keeps of the windows it met shows if it grows.

6. Asked (--asked): a waiting instance asked for its status 100 times a
   second (palimoorctl status asks once), against one nobody asks.
7. Repeating (--repeat): a repeat=infinite rule by process= and title that
   fires 5 times a second (a program opening a small window a second, each
   living one second, five at a time), for `seconds` minutes: its CPU in each
   minute, so that the last can be held against the first, and its fires.

    tools/with-wine.sh python3 tools/bench_watch.py [seconds] [rounds] [--cpu | --lookup | --long | --asked | --repeat]
(--cpu: the CPU rows only; --lookup: the look's own cost, item 4, only;
--long: item 5 only, for `seconds` minutes, with the build given in
PALIMOOR_BENCH_PROGRAM, palimoor.exe unless set)
"""
import os
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "wine"))
from harness import Sandbox, WM_CLOSE  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")
BUILDS = {"events": "palimoor.exe", "polling only": "palimoor-nohook.exe"}
POLLINGS = (50, 1000)
NEIGHBOURS = {"quiet": None, "500 children/s": "--churn-children=500",
              "50 windows/s": "--churn-windows=50"}


def unix_pid(name):
    out = subprocess.run(["ps", "-eo", "pid,args"], capture_output=True, text=True).stdout
    for line in out.splitlines():
        pid, _, args = line.strip().partition(" ")
        if name in args.lower() and "winctl" not in args.lower() and "<defunct>" not in args:
            return int(pid)
    return None


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def measure_cpu(box, polling, seconds, neighbour=None, window="class=NoSuchWindowClass"):
    busy = box.start_target("BenchBusy", "Busy", neighbour) if neighbour else None
    box.write("palimoor.ini", f"[cpu]\n{window}\ntrigger=running\ncheck=change\n"
                              f"polling={polling}\n")
    process = box.spawn("-section=cpu")
    box.wait_instance("cpu")
    time.sleep(3)  # let start-up settle
    pid = unix_pid("palimoor.exe")
    server = unix_pid("wineserver")
    before, server_before, t0 = cpu_seconds(pid), cpu_seconds(server), time.time()
    time.sleep(seconds)
    after, server_after, t1 = cpu_seconds(pid), cpu_seconds(server), time.time()
    box.post("Palimoor", "[cpu]", WM_CLOSE)
    process.wait(10)
    if busy:
        box.post("BenchBusy", "-", WM_CLOSE)
        busy.wait(10)
    minutes = (t1 - t0) / 60
    return (after - before) / minutes, (server_after - server_before) / minutes


def appear_latency(box, polling):
    box.write("palimoor.ini", f"[poll]\nclass=BenchTarget\ntrigger=running\ncheck=change\n"
                              f"polling={polling}\nexec=nothing\n")
    process = box.spawn("-section=poll")
    box.wait_instance("poll")
    waiter = box.watch_for_end("poll")
    time.sleep(0.5)
    target = box.start_target("BenchTarget", "Bench")
    gone = box.ended_at(waiter)
    process.wait(10)
    box.post("BenchTarget", "-", WM_CLOSE)
    target.wait(10)
    return gone - box.target_event(target, "created")


def front_latency(box, polling):
    # The target brings itself to the front: under Wine only the focus event of
    # its control tells of it, and no other process may take part.
    other = box.start_target("BenchOther", "Other", "--foreground")
    target = box.start_target("BenchTarget", "Bench", "--front-after=3000")
    box.write("palimoor.ini", f"[front]\nclass=BenchTarget\ntrigger=active\ncheck=change\n"
                              f"polling={polling}\nexec=nothing\n")
    process = box.spawn("-section=front")
    box.wait_instance("front")
    gone = box.ended_at(box.watch_for_end("front"))
    process.wait(10)
    for window, helper in (("BenchTarget", target), ("BenchOther", other)):
        box.post(window, "-", WM_CLOSE)
        helper.wait(10)
    return gone - box.target_event(target, "front")


def process_latency(box):
    target = box.start_target("BenchTarget", "Bench")
    box.write("palimoor.ini", "[proc]\nclass=BenchTarget\ntrigger=closed\ncheck=change\n"
              "exec=nothing\n")
    process = box.spawn("-section=proc")
    box.wait_instance("proc")
    waiter = box.watch_for_end("proc")
    time.sleep(0.5)
    box.post("BenchTarget", "-", WM_CLOSE)
    gone = box.ended_at(waiter)
    process.wait(10)
    target.wait(10)
    return gone - box.target_event(target, "exit")


LOOKUPS = {"exact class": "class=NoSuchWindowClass",
           "exact title": "title=No such title",
           "process= alone": "process=nosuch.exe",
           "class (200 of it) + process=": "class=BenchCrowd\nprocess=nosuch.exe",
           "class (none of it) + process=": "class=NoSuchWindowClass\nprocess=nosuch.exe",
           "titlematch=contains": "title=No such title\ntitlematch=contains",
           "class + titlematch=contains": "class=NoSuchWindowClass\ntitle=No such title\n"
                                          "titlematch=contains"}


def lookup_rows(seconds):
    box = Sandbox("bench-lookup")
    try:
        crowd = box.start_target("BenchCrowd", "Crowd", "--more-windows=200")
        exact = None
        for name, window in LOOKUPS.items():
            own, _ = measure_cpu(box, 50, seconds, window=window)
            exact = exact or own
            print(f"beside 200 windows, polling 50 ms, {name:30}  CPU while waiting "
                  f"{own / 60 * 100:.3f}% of a core ({own:.3f} CPU s per minute, "
                  f"{own / exact:.1f}x an exact class)", flush=True)
        box.post("BenchCrowd", "Crowd", WM_CLOSE)
        crowd.wait(10)
    finally:
        box.close()


def cpu_by_minute(minutes, note=lambda: ""):
    """The waiting palimoor.exe's CPU seconds in each of `minutes` minutes, each
    printed as it ends, with what `note()` adds."""
    pid = unix_pid("palimoor.exe")
    start = time.time()
    per_minute = []
    for minute in range(int(minutes)):
        before = cpu_seconds(pid)
        time.sleep(max(0.0, start + 60 * (minute + 1) - time.time()))
        per_minute.append(cpu_seconds(pid) - before)
        print(f"minute {minute + 1:2}: {per_minute[-1] / 60 * 100:.3f}% of a core{note()}",
              flush=True)
    return per_minute


def repeating(minutes):
    box = Sandbox("bench-repeat")
    try:
        opener = box.start_target("BenchOpener", "Opener", "--open-windows=5",
                                  exe="bench-target.exe")
        box.write("palimoor.ini", "[rep]\nprocess=bench-target.exe\ntitle=tip\n"
                                  "trigger=running\ncheck=change\nrepeat=infinite\n"
                                  "polling=50\nexec=nothing\n")
        process = box.spawn("-section=rep")
        box.wait_instance("rep")
        def fired():
            answer = box.ctl("status", "rep", "--json").stdout.decode("utf-8", "replace")
            return ", fired " + answer.split('"fired": ', 1)[-1].split(",", 1)[0] + " times so far"
        per_minute = cpu_by_minute(minutes, fired)
        box.post("Palimoor", "[rep]", WM_CLOSE)
        process.wait(10)
        box.post("BenchOpener", "Opener", WM_CLOSE)
        opener.wait(10)
        print(f"repeating: first minute {per_minute[0] / 60 * 100:.3f}%, last minute "
              f"{per_minute[-1] / 60 * 100:.3f}% of a core")
    finally:
        box.close()


def long_wait(minutes):
    program = os.environ.get("PALIMOOR_BENCH_PROGRAM", "palimoor.exe")
    box = Sandbox("bench-long")
    try:
        if program != "palimoor.exe":
            shutil.copy(program, box.dir / "palimoor.exe")
        box.start_target("BenchOther", "Other", "--foreground")
        target = box.start_target("BenchTarget", "Bench", exe="bench-target.exe")
        busy = box.start_target("BenchBusy", "Busy", "--open-windows=50")
        box.write("palimoor.ini", "[long]\nprocess=bench-target.exe\ntrigger=active\n"
                                  "check=change\npolling=50\n")
        process = box.spawn("-section=long")
        box.wait_instance("long")
        per_minute = cpu_by_minute(minutes)
        box.post("Palimoor", "[long]", WM_CLOSE)
        process.wait(10)
        for window, helper in (("BenchBusy", busy), ("BenchTarget", target)):
            box.post(window, "-", WM_CLOSE)
            helper.wait(10)
        print(f"{program}: first minute {per_minute[0] / 60 * 100:.3f}%, last minute "
              f"{per_minute[-1] / 60 * 100:.3f}% of a core")
    finally:
        box.close()


def asked_rows(seconds):
    box = Sandbox("bench-asked")
    try:
        for polling in POLLINGS:
            for rate in (0, 100):
                asker = None
                if rate:
                    asker = subprocess.Popen(
                        box._wine(box.dir / "asker.exe", "Palimoor", "[cpu]", f"--rate={rate}",
                                  f"--for={int(seconds * 1000) + 8000}", "--wait"),
                        stdout=subprocess.PIPE, stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                own, server = measure_cpu(box, polling, seconds)
                answered = ""
                if asker:
                    answered = "  " + asker.communicate(timeout=60)[0].decode().strip()
                print(f"polling {polling:4} ms  asked {rate:3}/s  CPU while waiting "
                      f"{own / 60 * 100:.3f}% of a core ({own:.3f} CPU s per minute; wineserver "
                      f"{server:.3f}){answered}", flush=True)
    finally:
        box.close()


def summary(samples):
    ms = sorted(s * 1000 for s in samples)
    p95 = ms[max(0, int(round(0.95 * len(ms))) - 1)]
    return f"median {statistics.median(ms):7.1f} ms  p95 {p95:7.1f} ms  (n={len(ms)})"


def main():
    # The polling-only build is made for the benchmark alone.
    win_build = Path(os.environ.get("PALIMOOR_WIN_BUILD", "build/win32"))
    subprocess.run(["cmake", "--build", str(win_build), "--target", "palimoor_nohook"],
                   check=True, stdout=subprocess.DEVNULL)
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 60
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    only_cpu = "--cpu" in sys.argv[3:]
    if "--lookup" in sys.argv[3:]:
        return lookup_rows(seconds)
    if "--long" in sys.argv[3:]:
        return long_wait(seconds)
    if "--asked" in sys.argv[3:]:
        return asked_rows(seconds)
    if "--repeat" in sys.argv[3:]:
        return repeating(seconds)
    rows = []
    for build, program in BUILDS.items():
        # No box watcher: nothing here shows a box, and its own polling would
        # load the Wine server that every measurement goes through.
        box = Sandbox("bench-" + program.replace(".exe", ""), program)
        try:
            for polling in () if only_cpu else POLLINGS:
                for name, measure in (("appear -> end", appear_latency),
                                      ("front -> end", front_latency)):
                    rows.append(f"{build:12}  polling {polling:4} ms  {name:13}  "
                                + summary([measure(box, polling) for _ in range(rounds)]))
                    print(rows[-1], flush=True)
            for neighbour, option in NEIGHBOURS.items():
                for polling in POLLINGS:
                    own, server = measure_cpu(box, polling, seconds, option)
                    rows.append(f"{build:12}  polling {polling:4} ms  {neighbour:14}  CPU while "
                                f"waiting {own / 60 * 100:.3f}% of a core ({own:.3f} CPU s per "
                                f"minute; wineserver {server:.3f} CPU s per minute)")
                    print(rows[-1], flush=True)
            if build == "events" and not only_cpu:
                rows.append(f"{build:12}  process watch: process ends -> end  "
                            + summary([process_latency(box) for _ in range(rounds)]))
                print(rows[-1], flush=True)
        finally:
            box.close()
    print("\nGoals: p95 <= 15 ms at any polling with the events; CPU <= 0.05% of a core at "
          "polling 1000; beside a busy neighbour at most 0.2% of a core more than polling "
          "only.\n")
    print("\n".join(rows))


if __name__ == "__main__":
    main()
