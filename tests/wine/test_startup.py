"""Start-up, the command line and the exit codes of the real program."""
import re
import subprocess
import unittest

from harness import WineTest, BUILD


def headers(exe):
    return subprocess.run(["i686-w64-mingw32-objdump", "-p", str(exe)], capture_output=True,
                          text=True, check=True).stdout


class ProgramFile(unittest.TestCase):
    def test_product_is_a_32_bit_gui_program_with_its_resources(self):
        exe = BUILD.parent / "win32" / "palimoor.exe"
        dump = headers(exe)
        self.assertIn("(PE32)", dump)
        self.assertIn("(Windows GUI)", dump)
        dlls = {line.split(":")[1].strip().lower() for line in dump.splitlines()
                if "DLL Name:" in line}
        self.assertLessEqual(dlls, {"kernel32.dll", "user32.dll", "shell32.dll", "ole32.dll",
                                    "winmm.dll", "msvcrt.dll"})
        resources = subprocess.run(["i686-w64-mingw32-windres", "-i", str(exe), "-O", "rc"],
                                   capture_output=True, text=True, check=True).stdout
        # Both resources in Japanese (1041), the icon group with three 24-bit images.
        self.assertEqual(re.findall(r"LANGUAGE \d+, \d+", resources), ["LANGUAGE 17, 1"])
        self.assertTrue(re.search(r'"HI_RES_AWARE" "CEUX"\nBEGIN\n  L"\\001"\nEND', resources),
                        "the high-resolution declaration")
        group = re.search(r"101 14 /\* RT_GROUP_ICON \*/\nBEGIN\n(.*?)END", resources, re.S)
        self.assertTrue(group, "icon group 101")
        sizes = re.findall(r'"\\0(\d\d)\\0\1\\000\\000", 1, 24,', group.group(1))
        self.assertEqual(sizes, ["60", "40", "20"])  # 48, 32 and 16 pixels, in octal
        self.assertLessEqual(exe.stat().st_size, 100 * 1024)

    def test_companion_is_a_32_bit_console_program(self):
        dump = headers(BUILD.parent / "win32" / "palimoorctl.exe")
        self.assertIn("(PE32)", dump)
        self.assertIn("(Windows CUI)", dump)
        self.assertNotIn("libstdc++", dump.lower())  # static, like the product


class CommandLine(WineTest):
    def test_rejected_flag_shows_box_and_exits_1(self):
        self.assertEqual(self.box.run("-debug=yes"), 1)
        boxes = self.box.wait_boxes(1)
        self.assertEqual(len(boxes), 1)
        self.assertEqual(boxes[0]["caption"], "")
        self.assertEqual(boxes[0]["text"], " パラメータ不正\n-debug=yes")
        self.assertEqual(boxes[0]["buttons"], ["OK"])
        self.assertFalse(boxes[0]["icon"])
        self.assertFalse(boxes[0]["owned"])

    def test_rejected_mode_stops_before_the_rule_file(self):
        self.write_rule("A", "class=X", "exec=nothing")
        self.assertEqual(self.box.run("-execmode=bogus -section=A"), 1)
        self.assertEqual(self.box.box_texts(), [" パラメータ不正\n-execmode=bogus"])

    def test_valid_line_runs_and_exits_0(self):
        # No window of this class exists, so "closed" holds and exec runs at once.
        self.write_rule("Morning Walk", "class=NoSuchWindowClass", f"exec={self.box.recorder()}|walk")
        self.assertEqual(self.box.run("-Debug=FALSE -inifile=palimoor.ini -section=Morning Walk"), 0)
        self.box.wait_launches(1)
        self.assertEqual([c.split(" ", 1)[1] for _, _, c in self.box.started()], ["walk"])
        self.assertEqual(self.box.boxes(), [])

    def test_quoted_inifile_with_blanks(self):
        self.box.write("my rules.ini", "[Q]\nclass=NoSuchWindowClass\nexec=" +
                       self.box.recorder() + "|quoted\n")
        self.assertEqual(self.box.run('"-inifile=my rules.ini" -section=Q'), 0)
        self.assertEqual(self.box.run('-inifile="my rules.ini" -section=Q'), 0)
        self.box.wait_launches(2)
        self.assertEqual(len(self.box.started()), 2)

    def test_section_takes_the_rest_of_the_line(self):
        self.write_rule("A -debug=yes", "class=NoSuchWindowClass", f"exec={self.box.recorder()}")
        self.assertEqual(self.box.run("-section=A -debug=yes"), 0)
        self.box.wait_launches(1)
        self.assertEqual(self.box.boxes(), [])
        self.assertEqual(len(self.box.started()), 1)


if __name__ == "__main__":
    unittest.main()
