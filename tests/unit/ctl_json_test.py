"""palimoorctl check --json is JSON, and says what the text form says."""
import json
import re
import subprocess
import sys
import unittest

CTL, GOLDEN = sys.argv[1], sys.argv[2]


def check(*args):
    return subprocess.run([CTL, "check", *args], cwd=GOLDEN, capture_output=True, text=True)


class Json(unittest.TestCase):
    def test_same_findings_as_text(self):
        text = check("mistakes.ini")
        data = json.loads(check("--json", "mistakes.ini").stdout)
        self.assertEqual(text.returncode, 1)
        self.assertEqual(len(data), len(text.stdout.splitlines()))
        for item, line in zip(data, text.stdout.splitlines()):
            self.assertEqual(set(item), {"file", "line", "severity", "message", "program_message"})
            where = "mistakes.ini" + (f":{item['line']}" if item["line"] is not None else "")
            self.assertTrue(line.startswith(f"{where}: {item['severity']}: {item['message']}"))
            if item["program_message"] is not None:
                self.assertTrue(line.endswith(f"[{item['program_message'].split(chr(10))[0]}]"))
        self.assertIn("キー名称不正\nchek=current", [d["program_message"] for d in data])

    def test_missing_section_has_a_null_line_and_no_colour_in_a_pipe(self):
        result = check("--json", "--section", "Nope", "mistakes.ini")
        self.assertEqual(json.loads(result.stdout)[0]["line"], None)
        self.assertIsNone(re.search("\x1b", check("mistakes.ini").stdout))
        self.assertEqual(json.loads(check("--json", "--section", "Fine", "mistakes.ini").stdout),
                         [])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
