"""Start-up, the command line and the exit codes of the real program."""
import re
import struct
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree
from pathlib import Path

from harness import WineTest, BUILD

RT_MANIFEST = 24


def binutil(exe, tool):
    """The mingw-w64 tool that reads this build's programs."""
    return ("x86_64" if exe.parent.name == "win64" else "i686") + "-w64-mingw32-" + tool


def objdump(exe, *options):
    return subprocess.run([binutil(exe, "objdump"), *options, str(exe)], capture_output=True,
                          text=True, check=True).stdout


def headers(exe):
    return objdump(exe, "-p")


def resources(exe):
    """(type, name, language, data) of every resource, read from the .res form."""
    with tempfile.TemporaryDirectory() as folder:
        res = Path(folder) / "resources.res"
        subprocess.run([binutil(exe, "windres"), "-i", str(exe), "-O", "res", "-o", str(res)],
                       check=True)
        data = res.read_bytes()

    def ident(at):  # an ordinal (0xFFFF, id) or a zero-terminated UTF-16 name
        if data[at:at + 2] == b"\xff\xff":
            return struct.unpack_from("<H", data, at + 2)[0], at + 4
        end = at
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[at:end].decode("utf-16-le"), end + 2

    found, at = [], 0
    while at + 8 <= len(data):
        size, header = struct.unpack_from("<II", data, at)
        kind, rest = ident(at + 8)
        name, rest = ident(rest)
        rest = (rest + 3) & ~3
        language = struct.unpack_from("<H", data, rest + 6)[0]
        if size:
            found.append((kind, name, language, data[at + header:at + header + size]))
        at = (at + header + size + 3) & ~3
    return found


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
        script = subprocess.run(["i686-w64-mingw32-windres", "-i", str(exe), "-O", "rc"],
                                capture_output=True, text=True, check=True).stdout
        # Both resources in Japanese (1041), the icon group with three images of 24
        # bits a pixel, as the program's description gives them.
        self.assertEqual(re.findall(r"LANGUAGE \d+, \d+", script), ["LANGUAGE 17, 1"])
        self.assertTrue(re.search(r'"HI_RES_AWARE" "CEUX"\nBEGIN\n  L"\\001"\nEND', script),
                        "the high-resolution declaration")
        group = re.search(r"101 14 /\* RT_GROUP_ICON \*/\nBEGIN\n(.*?)END", script, re.S)
        self.assertTrue(group, "icon group 101")
        sizes = re.findall(r'"\\0(\d\d)\\0\1\\000\\000", 1, 24,', group.group(1))
        self.assertEqual(sizes, ["60", "40", "20"])  # 48, 32 and 16 pixels, in octal
        images = [data for kind, _, _, data in resources(exe) if kind == 3]  # RT_ICON
        self.assertEqual([struct.unpack_from("<iiHH", data, 4)[::3] for data in images],
                         [(48, 24), (32, 24), (16, 24)])  # width, bits a pixel
        # 118,272 bytes before repeating rules, history and the window actions,
        # which may add 8 KB.
        self.assertLessEqual(exe.stat().st_size, 118272 + 8192)

    def test_both_programs_load_at_a_random_address_and_carry_the_manifest(self):
        asm = "{urn:schemas-microsoft-com:asm.v1}"
        v3 = "{urn:schemas-microsoft-com:asm.v3}"
        windows_7_to_11 = {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}
        builds = {"win32": ["DYNAMIC_BASE", "NX_COMPAT"],
                  "win64": ["DYNAMIC_BASE", "NX_COMPAT", "HIGH_ENTROPY_VA"]}
        for build, flags in builds.items():
            for name in ("palimoor.exe", "palimoorctl.exe"):
                exe = BUILD.parent / build / name
                if build == "win64" and not exe.exists():
                    continue  # built only where Wine runs no 32-bit programs
                with self.subTest(exe=f"{build}/{name}"):
                    dump = headers(exe)
                    characteristics = dump.split("DllCharacteristics", 1)[1].split("SizeOf")[0]
                    for flag in flags:
                        self.assertIn(flag, characteristics)
                    self.assertIn(".reloc", objdump(exe, "-h"))
                    manifests = [data for kind, ident, _, data in resources(exe)
                                 if kind == RT_MANIFEST and ident == 1]
                    self.assertEqual(len(manifests), 1)
                    root = ElementTree.fromstring(manifests[0])
                    self.assertEqual(root.tag, asm + "assembly")
                    level = root.find(f"{v3}trustInfo/{v3}security/{v3}requestedPrivileges/"
                                      f"{v3}requestedExecutionLevel")
                    self.assertEqual(level.get("level"), "asInvoker")
                    compatibility = "{urn:schemas-microsoft-com:compatibility.v1}"
                    self.assertEqual({e.get("Id") for e in root.iter(compatibility + "supportedOS")},
                                     windows_7_to_11)
                    settings = {e.tag.split("}")[1]: e.text for e in root.iter()
                                if e.tag.startswith("{http://schemas.microsoft.com/SMI/")}
                    self.assertEqual(settings, {"dpiAware": "true/pm",
                                                "dpiAwareness": "PerMonitorV2, PerMonitor"})
                    controls = [e for e in root.iter(asm + "assemblyIdentity")
                                if e.get("name") == "Microsoft.Windows.Common-Controls"]
                    self.assertEqual([(e.get("version"), e.get("publicKeyToken")) for e in controls],
                                     [("6.0.0.0", "6595b64144ccf1df")])

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
