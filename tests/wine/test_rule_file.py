"""The parameter file and the rule file, read by the real program."""
import unittest

from harness import WineTest, winpath


class RuleFile(WineTest):
    def ini_path(self, name="palimoor.ini"):
        return winpath(self.box.path(name))

    def failure_text(self, section, name="palimoor.ini"):
        return f"INIファイル読み込み失敗\nファイル({self.ini_path(name)})\nセクション({section})"

    def test_missing_file(self):
        self.assertEqual(self.box.run("-inifile=absent.ini -section=Mail"), 1)
        boxes = self.box.wait_boxes(1)
        self.assertEqual([b["text"] for b in boxes], [self.failure_text("Mail", "absent.ini")])
        self.assertEqual(boxes[0]["caption"], "Palimoor [Mail]")
        self.assertEqual(boxes[0]["buttons"], ["OK"])
        self.assertFalse(boxes[0]["icon"])

    def test_missing_section_with_debug_shows_three_boxes_in_order(self):
        self.write_rule("Other", "class=X")
        self.assertEqual(self.box.run("-debug=TRUE -section=Mail"), 1)
        self.assertEqual(self.box.box_texts(), [
            f"INIファイル({self.ini_path()})",
            "処理対象セクションが見つからない:\nMail",
            self.failure_text("Mail")])
        self.assertTrue(all(b["caption"] == "Palimoor [Mail]" for b in self.box.boxes()))

    def test_missing_file_with_debug(self):
        self.assertEqual(self.box.run("-debug=TRUE -section=Mail"), 1)
        self.assertEqual(self.box.box_texts()[1], f"ファイルオープン失敗:\n{self.ini_path()}")

    def test_bad_key_and_value_are_reported_and_the_load_succeeds(self):
        self.write_rule("A", "class=NoSuchWindowClass", "check=sometimes", "class = Viewer",
                        f"exec={self.box.recorder()}|loaded")
        self.assertEqual(self.box.run("-debug=TRUE -section=A"), 0)
        texts = self.box.box_texts()
        self.assertEqual(texts[1:3], ["キー値不正\ncheck=sometimes", "キー名称不正\nclass = Viewer"])
        self.assertTrue(self.box.wait_launches(1))

    def test_rule_naming_no_window(self):
        self.write_rule("A", "class=Viewer", "class=", "exec=x")
        self.assertEqual(self.box.run("-debug=TRUE -section=A"), 1)
        self.assertEqual(self.box.box_texts()[1:], ["classとtitleが両方とも未指定です",
                                                    self.failure_text("A")])

    def test_japanese_section_in_every_encoding(self):
        rule = f"# 規則\n[メール]\nclass=NoSuchWindowClass\nexec={self.box.recorder()}|{{}}\n"
        files = {"utf8.ini": rule.format("utf8").encode("utf-8"),
                 "bom.ini": b"\xef\xbb\xbf" + rule.format("bom").encode("utf-8"),
                 "utf16.ini": b"\xff\xfe" + rule.format("utf16").replace("\n", "\r\n")
                 .encode("utf-16-le")}
        for name, data in files.items():
            self.box.path(name).write_bytes(data)
            self.assertEqual(self.box.run(f"-inifile={name} -section=メール"), 0, name)
        self.box.wait_launches(3)
        self.assertEqual(sorted(c.rsplit(" ", 1)[1] for _, _, c in self.box.started()),
                         ["bom", "utf16", "utf8"])
        self.assertEqual(self.box.boxes(), [])


class LoadFailureBox(WineTest):
    def test_a_second_start_does_not_wait_for_the_first_starts_box(self):
        # Each box stays up for 6 s; a start that kept its start lock meanwhile
        # would hold the other start of the section back for 3 s.
        self.box.start_watcher(hold_ms=6000)
        self.write_rule("Other", "class=X")
        first = self.box.spawn("-section=Missing")
        second = self.box.spawn("-section=Missing")
        boxes = self.box.wait_boxes(2, timeout=15)
        self.assertEqual(len(boxes), 2)
        self.assertLess(abs(boxes[1]["time"] - boxes[0]["time"]), 2000)
        self.assertEqual((first.wait(20), second.wait(20)), (1, 1))


class ParameterFile(WineTest):
    def test_file_sets_options_and_command_line_overrides(self):
        self.box.write("palimoorParam.txt", "# defaults for every shortcut\n"
                       "-inifile=from param.ini\n-debug=TRUE\n-showtask=maybe\n")
        self.box.write("from param.ini", "[P]\nclass=NoSuchWindowClass\nexec=nothing\n")
        # The rejected line shows its box and start-up goes on; debugging from the file is on.
        self.assertEqual(self.box.run("-section=P"), 0)
        texts = self.box.box_texts()
        self.assertEqual(texts[0], " パラメータ不正\n-showtask=maybe")
        self.assertEqual(self.box.boxes()[0]["caption"], "")
        self.assertEqual(texts[1], f"INIファイル({winpath(self.box.path('from param.ini'))})")

        self.box.start_watcher()
        self.assertEqual(self.box.run("-debug=FALSE -section=P"), 0)
        self.assertEqual(self.box.box_texts(), [" パラメータ不正\n-showtask=maybe"])

    def test_named_parameter_file(self):
        self.box.write("mine.txt", "-inifile=other.ini\n")
        self.box.write("other.ini", f"[P]\nclass=NoSuchWindowClass\nexec={self.box.recorder()}\n")
        self.assertEqual(self.box.run('-paramfile="mine.txt" -section=P'), 0)
        self.assertTrue(self.box.wait_launches(1))


if __name__ == "__main__":
    unittest.main()
