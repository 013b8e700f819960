"""The native palimoorctl as a user runs it: its JSON parses and says what the
text says, and files are read as palimoor.exe reads them (code pages through
the system's converter, folders not at all)."""
import json
import re
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

CTL, GOLDEN = sys.argv[1], sys.argv[2]


def ctl(*args, cwd=GOLDEN):
    return subprocess.run([CTL, *args], cwd=cwd, capture_output=True, text=True)


class Json(unittest.TestCase):
    def test_same_findings_as_text_and_a_verdict_per_section(self):
        text = ctl("check", "mistakes.ini")
        data = json.loads(ctl("check", "--json", "mistakes.ini").stdout)
        self.assertEqual(text.returncode, 1)
        verdicts = [line for line in text.stdout.splitlines()
                    if line.endswith("ends with exit code 1")]
        lines = [line for line in text.stdout.splitlines() if line not in verdicts]
        self.assertEqual(len(data["findings"]), len(lines))
        for item, line in zip(data["findings"], lines):
            self.assertEqual(set(item), {"file", "line", "severity", "code", "message", "program_message"})
            where = "mistakes.ini" + (f":{item['line']}" if item["line"] is not None else "")
            self.assertTrue(line.startswith(f"{where}: {item['severity']}: {item['message']}"))
            if item["program_message"] is not None:
                self.assertTrue(line.endswith(f"[{item['program_message'].split(chr(10))[0]}]"))
        self.assertIn("キー名称不正\nchek=current", [d["program_message"] for d in data["findings"]])
        not_loading = [s["name"] for s in data["sections"] if not s["loads"]]
        self.assertEqual(not_loading, ["Empty", "NoWindow"])
        self.assertEqual([f"mistakes.ini: [{name}] will not load" for name in not_loading],
                         [v.split(":", 1)[0] + ":" + v.split(":", 2)[1] for v in verdicts])
        self.assertEqual((data["errors"], data["warnings"]),
                         (sum(f["severity"] == "error" for f in data["findings"]),
                          sum(f["severity"] == "warning" for f in data["findings"])))

    def test_missing_section_has_a_null_line_and_no_colour_in_a_pipe(self):
        data = json.loads(ctl("check", "--json", "--section", "Nope", "mistakes.ini").stdout)
        self.assertEqual(data["findings"][0]["line"], None)
        self.assertEqual(data["sections"], [{"name": "Nope", "line": None, "loads": False}])
        self.assertIsNone(re.search("\x1b", ctl("check", "mistakes.ini").stdout))
        data = json.loads(ctl("check", "--json", "--section", "Fine", "mistakes.ini").stdout)
        self.assertEqual(data["findings"], [])


class Files(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.dir = Path(self.folder.name)

    def tearDown(self):
        self.folder.cleanup()

    def test_unmarked_files_are_read_in_the_ansi_code_page(self):
        (self.dir / "cp1252.ini").write_bytes("[Preis€]\nclass=X\n".encode("cp1252"))
        (self.dir / "sjis.ini").write_bytes("[メール]\nclass=X\n".encode("shift_jis"))
        cases = [("cp1252.ini", "Preis€", ["--codepage", "1252"]),
                 ("sjis.ini", "メール", []),  # 932, the handheld's, unless told otherwise
                 ("sjis.ini", "メール", ["--codepage", "932"])]
        for name, section, options in cases:
            with self.subTest(file=name, options=options):
                result = ctl("check", name, "--section", section, *options, cwd=self.dir)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                code_page = options[1] if options else "932"
                self.assertIn(f"{name}: note: no byte-order mark and not UTF-8: read in code page "
                              f"{code_page}", result.stdout)
        self.assertEqual(ctl("check", "cp1252.ini", "--section", "Preis€", "--codepage", "932",
                             cwd=self.dir).returncode, 1)
        self.assertEqual(ctl("check", "sjis.ini", "--codepage", "123456",
                             cwd=self.dir).returncode, 2)

    def test_a_folder_is_no_rule_file(self):
        (self.dir / "rules.ini").mkdir()
        for args in (["check", "rules.ini"], ["check", "rules.ini", "--section", "A"],
                     ["explain", "rules.ini", "A"]):
            with self.subTest(args=args):
                result = ctl(*args, cwd=self.dir)
                self.assertEqual((result.returncode, result.stdout), (2, ""))
                self.assertIn("cannot read", result.stderr)

    def test_windows_paths_of_the_rule_file_are_found_here(self):
        (self.dir / "sub").mkdir()
        (self.dir / "sub" / "r.ini").write_text("[A]\ntitle=T\n")
        (self.dir / "palimoor.exe").write_bytes(b"")
        result = ctl("check", "--command-line", "-inifile=sub\\r.ini -section=A", "--exe",
                     str(self.dir), cwd=self.dir)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertIn(f"  rule file:      {self.dir}/sub/r.ini\n", result.stdout)
        line = ctl("line", "sub/r.ini", "A", "--exe", str(self.dir), cwd=self.dir)
        self.assertEqual(line.stdout,
                         f'"{self.dir}/palimoor.exe" -inifile=sub\\r.ini -section=A\n')


class HostileFiles(unittest.TestCase):
    """Files and arguments that once broke a promise of the checker."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.dir = Path(self.folder.name)

    def tearDown(self):
        self.folder.cleanup()

    def run_ctl(self, *args):
        return ctl(*args, cwd=self.dir)

    def test_bytes_read_as_windows_reads_them(self):
        # 1252's undefined bytes are C1 controls there, not U+FFFD.
        (self.dir / "c1.ini").write_bytes(b"[A\x81\x9d]\nclass=X\n")
        self.assertEqual(self.run_ctl("check", "c1.ini", "--section", "A\u0081\u009d",
                                      "--codepage", "1252").returncode, 0)
        # In 932 a lead byte takes the "]" after it: a 1252 file read there has
        # no header, and check names the byte and the fix.
        (self.dir / "cafe.ini").write_bytes("[Café]\nclass=X\n".encode("cp1252"))
        result = self.run_ctl("check", "cafe.ini")
        self.assertEqual(result.returncode, 0)
        self.assertIn("cafe.ini:1: warning: in code page 932 the byte 0xE9 begins a double-byte "
                      "character and takes the \"]\" after it", result.stdout)
        self.assertIn("--codepage N", result.stdout)
        # With Windows line ends too: the CR is no part of the line the program
        # reads; and each such header is named, not only the first.
        (self.dir / "cafe-crlf.ini").write_bytes(
            "[Café]\r\nclass=X\r\n[Thé]\r\nclass=Y\r\n".encode("cp1252"))
        result = self.run_ctl("check", "cafe-crlf.ini")
        for line, byte in ((1, "0xE9"), (3, "0xE9")):
            self.assertIn(f"cafe-crlf.ini:{line}: warning: in code page 932 the byte {byte} begins "
                          "a double-byte character and takes the \"]\" after it", result.stdout)
        # Code pages this converter reads without measuring them against Windows.
        result = self.run_ctl("check", "cafe.ini", "--codepage", "936")
        self.assertIn("only 932 and 1252 are held to what Windows reads", result.stdout)
        # An odd byte after the mark is half a character, not a line.
        (self.dir / "odd.ini").write_bytes(b"\xff\xfe\x00")
        self.assertEqual(self.run_ctl("check", "odd.ini").stdout, "odd.ini: 0 sections, no problems\n")

    def test_a_file_with_cr_only_line_ends_does_not_pass(self):
        (self.dir / "cr.ini").write_bytes(b"[A]\rclass=X\r")
        self.assertEqual(self.run_ctl("check", "cr.ini").returncode, 1)

    def test_code_pages_are_numbers_this_system_converts(self):
        (self.dir / "r.ini").write_text("[A]\nclass=X\n")
        for value in ("932junk", "4294968228", "", "0", "99999"):
            for args in (["check", "r.ini"], ["explain", "r.ini", "A"], ["line", "r.ini", "A"]):
                with self.subTest(value=value, args=args):
                    result = self.run_ctl(*args, "--codepage", value)
                    self.assertEqual(result.returncode, 2)
                    self.assertIn("code page", result.stderr)

    def test_line_writes_only_what_reads_back(self):
        (self.dir / "palimoor.exe").write_bytes(b"")
        (self.dir / "r.ini").write_text("[価格¥]\nclass=X\n[no\u00a0break]\nclass=X\n",
                                        encoding="utf-8")
        ce = self.run_ctl("line", "r.ini", "価格¥", "--exe", ".", "--ce", "s.lnk")
        self.assertEqual(ce.returncode, 2)  # 932 would turn the yen sign into a backslash
        self.assertIn("reads back as another one", ce.stderr)
        self.assertFalse((self.dir / "s.lnk").exists())
        nbsp = self.run_ctl("line", "r.ini", "no\u00a0break", "--exe", ".")
        self.assertEqual(nbsp.returncode, 0)
        self.assertTrue(nbsp.stdout.endswith("-section=no\u00a0break\n"))  # as it is
        self.assertIn("no\\u00a0break", nbsp.stderr)  # and said, made visible


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
