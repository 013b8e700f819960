#!/usr/bin/env python3
"""Palimoor's main job, shown step by step under Wine (run it through tools/demo.sh).

Notepad is started; palimoor.exe waits, by a rule, for Notepad's window to
close; the demonstration closes Notepad, and Palimoor runs its command.
"""
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "wine"))
from harness import Sandbox, wait_until, winpath, WM_CLOSE  # noqa: E402

RULE = """# Wait for Notepad to close, then run a command.
[AfterNotepad]
class=Notepad
trigger=closed
check=change
exec={command}|Notepad was closed
"""


def say(text=""):
    print(text, flush=True)


def main():
    box = Sandbox("demo")
    box.start_watcher()
    try:
        command = box.recorder("announce.exe")
        box.write("demo.ini", RULE.format(command=command))

        say("1. Starting Notepad: the window the rule watches.")
        notepad = box.spawn_program("notepad.exe")
        window = wait_until(lambda: (box.find_windows("Notepad") or [None])[0], 30)
        if not window:
            sys.exit("   Notepad did not start.")
        say("   palimoorctl windows finds its exact class and title for the rule:")
        listing = box.ctl("windows").stdout.decode("utf-8")
        for line in listing.splitlines():
            if '"Notepad"' in line:
                say(f"      {line}")

        say("\n2. The rule, section [AfterNotepad] of demo.ini beside palimoor.exe:")
        for line in RULE.format(command=command).splitlines()[1:]:
            say(f"      {line}")
        checked = box.ctl("check", "demo.ini")
        say(f"   palimoorctl check demo.ini says: {checked.stdout.decode('utf-8').strip()} "
            f"(exit code {checked.returncode})")

        line = box.ctl("line", "demo.ini", "AfterNotepad", "--exe", winpath(box.dir))
        line = line.stdout.decode("utf-8").strip()
        arguments = line.split('" ', 1)[1]
        say("\n3. Starting it with the command line that palimoorctl line writes:")
        say(f"      {line}")
        palimoor = box.spawn(arguments)
        shell = box.wait_instance("AfterNotepad")
        say(f'   Palimoor waits. Its window: class "{shell["class"]}", title "{shell["title"]}", '
            f'{"visible" if shell["visible"] else "hidden"}; it waits for Notepad\'s process.')

        say("\n4. Closing Notepad.")
        time.sleep(1)
        closed_at = time.time()
        box.post("Notepad", None, WM_CLOSE)
        notepad.wait(30)

        code = palimoor.wait(30)
        launches = box.wait_launches(1)
        if not launches:
            sys.exit("   Palimoor ran no command.")
        when, _, command_line = launches[0]
        say(f"\n5. Palimoor ran its exec list {when - closed_at:.2f} s later:")
        say(f"      {command_line}")
        say(f"   palimoor.exe ended with exit code {code} (0: the rule ran).")
        say(f"   Its window is gone: {not box.find_windows('Palimoor')}.")

        say("\n6. The same shortcut twice is a toggle: the second start ends the first.")
        Path(box.path("launches.log")).unlink()
        notepad = box.spawn_program("notepad.exe")
        wait_until(lambda: box.find_windows("Notepad"), 30)
        first = box.spawn(arguments)
        box.wait_instance("AfterNotepad")
        say("   first start: waiting for Notepad again.")
        second = box.run(arguments)
        say(f"   second start: closed the first and ended with exit code {second} "
            "(1: start-up stopped).")
        say(f"   first start: ended with exit code {first.wait(30)}; Notepad was still open, "
            "so its ontimeout list (empty here) ran instead of exec.")
        box.post("Notepad", None, WM_CLOSE)
        notepad.wait(30)
        if box.boxes():
            say(f"\n   Message boxes shown: {[b['text'] for b in box.boxes()]}")
        say("\nDone.")
    finally:
        box.close()


if __name__ == "__main__":
    main()
