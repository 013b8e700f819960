#!/usr/bin/env python3
"""Stress run (not a test): N waiting instances of different sections, then CLOSEALL.

Reports how long the instances took to start and to end, and checks that no
palimoor process or window is left. Run it through tools/with-wine.sh:
    tools/with-wine.sh python3 tools/stress_instances.py [N]
"""
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "wine"))
from harness import Sandbox, wait_until  # noqa: E402


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 30
    box = Sandbox("stress")
    box.start_watcher()
    sections = [f"s{i:02d}" for i in range(count)]
    box.write("palimoor.ini", "".join(f"[{s}]\nclass=NoSuchWindowClass\ntrigger=running\n"
                                      "check=change\n" for s in sections))
    began = time.time()
    processes = [box.spawn(f"-section={s}") for s in sections]
    if not wait_until(lambda: len(box.find_windows("Palimoor")) == count, 120, 0.2):
        sys.exit(f"only {len(box.find_windows('Palimoor'))} of {count} instances started")
    started = time.time()
    code = box.run("-execmode=CLOSEALL")
    all_ended = wait_until(lambda: all(p.poll() is not None for p in processes), 60, 0.05)
    ended = time.time()
    windows_left = box.find_windows("Palimoor")
    ps = subprocess.run(["ps", "-eo", "args"], capture_output=True, text=True).stdout
    processes_left = [line for line in ps.splitlines() if "palimoor.exe" in line.lower()
                      and "winctl" not in line.lower()
                      and "<defunct>" not in line]
    box.close()
    print(f"instances: {count}")
    print(f"all waiting after: {started - began:.2f} s")
    print(f"CLOSEALL exit code: {code}")
    print(f"all ended within: {ended - started:.2f} s after CLOSEALL began" if all_ended
          else "NOT all instances ended")
    print(f"exit codes: {sorted(set(p.poll() for p in processes))}")
    print(f"palimoor windows left: {len(windows_left)}, processes left: {len(processes_left)}")
    for line in processes_left[:3]:
        print("  left:", line)
    sys.exit(0 if all_ended and not windows_left and not processes_left else 1)


if __name__ == "__main__":
    main()
