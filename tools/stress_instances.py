#!/usr/bin/env python3
"""Stress runs (not tests). Run them through tools/with-wine.sh:
    tools/with-wine.sh python3 tools/stress_instances.py [N] [TOGGLES]

1. N waiting instances of different sections (default 100), then CLOSEALL:
   how long they took to start and to end, and whether any palimoor process or
   window is left.
2. TOGGLES starts of one section (default 40), started without waiting for
   each other, as a burst of taps on one shortcut: how many instances of it are
   waiting at the end (at most one is right), and the exit codes.
"""
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "wine"))
from harness import Sandbox, wait_until  # noqa: E402


def palimoor_processes():
    ps = subprocess.run(["ps", "-eo", "args"], capture_output=True, text=True).stdout
    return [line for line in ps.splitlines() if "palimoor.exe" in line.lower()
            and "winctl" not in line.lower() and "<defunct>" not in line]


def many_then_closeall(count):
    box = Sandbox("stress-closeall")
    box.start_watcher()
    sections = [f"s{i:03d}" for i in range(count)]
    box.write("palimoor.ini", "".join(f"[{s}]\nclass=NoSuchWindowClass\ntrigger=running\n"
                                      "check=change\n" for s in sections))
    began = time.time()
    processes = [box.spawn(f"-section={s}") for s in sections]
    if not wait_until(lambda: len(box.find_windows("Palimoor")) == count, 300, 0.5):
        print(f"only {len(box.find_windows('Palimoor'))} of {count} instances started")
        box.close()
        return False
    started = time.time()
    code = box.run("-execmode=CLOSEALL")
    all_ended = wait_until(lambda: all(p.poll() is not None for p in processes), 120, 0.05)
    ended = time.time()
    windows_left = box.find_windows("Palimoor")
    processes_left = palimoor_processes()
    box.close()
    print(f"instances: {count}")
    print(f"  all waiting after: {started - began:.2f} s")
    print(f"  CLOSEALL exit code: {code}")
    print(f"  all ended within: {ended - started:.2f} s after CLOSEALL began" if all_ended
          else "  NOT all instances ended")
    print(f"  exit codes: {sorted(set(p.poll() for p in processes))}")
    print(f"  palimoor windows left: {len(windows_left)}, processes left: {len(processes_left)}")
    return all_ended and not windows_left and not processes_left


def rapid_toggles(count):
    box = Sandbox("stress-toggles")
    box.start_watcher()
    box.write("palimoor.ini", "[tap]\nclass=NoSuchWindowClass\ntrigger=running\ncheck=change\n")
    began = time.time()
    processes = [box.spawn("-section=tap") for _ in range(count)]
    # Every start ends except the waiting ones; wait until that has settled.
    wait_until(lambda: sum(p.poll() is None for p in processes) <= 1, 120, 0.2)
    time.sleep(2.0)
    waiting = len(box.find_windows("Palimoor", "[tap]"))
    codes = [p.poll() for p in processes]
    settled = time.time() - began
    if waiting:
        box.run("-execmode=CLOSE -section=tap")
        wait_until(lambda: all(p.poll() is not None for p in processes), 30, 0.1)
    left = box.find_windows("Palimoor")
    box.close()
    print(f"rapid toggles: {count} starts of one section")
    print(f"  settled after: {settled:.2f} s")
    print(f"  instances waiting at the end: {waiting}")
    print(f"  exit codes: {codes.count(0)} x 0, {codes.count(1)} x 1, "
          f"{sum(c is None for c in codes)} still running")
    print(f"  palimoor windows left after closing: {len(left)}")
    return waiting <= 1 and not left


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 100
    toggles = int(sys.argv[2]) if len(sys.argv) > 2 else 40
    ok = many_then_closeall(count)
    ok = rapid_toggles(toggles) and ok
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
