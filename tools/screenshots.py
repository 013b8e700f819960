#!/usr/bin/env python3
"""Takes the guides' pictures of the boxes a user meets, under Wine:
    tools/with-wine.sh python3 tools/screenshots.py
writes docs/exit-confirmation.png, docs/debug-invalid-value.png and
docs/debug-command-list.png. Needs a Japanese font (fonts-ipafont-gothic),
which it installs when missing."""
import shutil
import struct
import subprocess
import sys
import time
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "wine"))
from harness import Sandbox, wait_until, winpath, WM_COMMAND, WM_TRAY_NOTIFY, WM_LBUTTONUP  # noqa

DOCS = ROOT / "docs"
BOX_CLASS = "#32770"
IDOK, IDCANCEL = 1, 2


def ensure_japanese_font():
    if not subprocess.run(["fc-list", ":lang=ja"], capture_output=True).stdout:
        subprocess.run(["apt-get", "install", "-y", "-qq", "--no-install-recommends",
                        "fonts-ipafont-gothic"], check=True, capture_output=True)


def use_japanese_ui_font(box):
    for face in ("MS Shell Dlg", "MS Shell Dlg 2", "Tahoma", "MS UI Gothic"):
        box.wine_command("reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", face,
                         "/d", "IPAPGothic", "/f")


def bmp_to_png(bmp, png):
    data = bmp.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24
    row = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):  # the file is bottom-up
        line = data[offset + y * row: offset + y * row + width * 3]
        rgb = bytearray()
        for x in range(width):
            b, g, r = line[3 * x: 3 * x + 3]
            rgb += bytes((r, g, b))
        rows.append(b"\0" + bytes(rgb))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    png.write_bytes(b"\x89PNG\r\n\x1a\n"
                    + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                    + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def snap_box(box, caption, name, answer):
    if not wait_until(lambda: box.find_windows(BOX_CLASS, caption), 15, 0.1):
        sys.exit(f"no box titled {caption}")
    time.sleep(0.5)  # let it paint
    bmp = box.path(name + ".bmp")
    subprocess.run(box._wine(box.dir / "snap.exe", winpath(bmp), BOX_CLASS, caption, 12),
                   check=True, capture_output=True)
    bmp_to_png(bmp, DOCS / (name + ".png"))
    box.post(BOX_CLASS, caption, WM_COMMAND, answer)
    wait_until(lambda: not box.find_windows(BOX_CLASS, caption), 10, 0.1)
    print("wrote", DOCS / (name + ".png"))


def main():
    ensure_japanese_font()
    DOCS.mkdir(exist_ok=True)
    box = Sandbox("screenshots")
    use_japanese_ui_font(box)
    box.write("palimoor.ini", "[Mail]\nclass=NoSuchWindowClass\ncheck=current\n"
                              "trigger=sometimes\nexec=sync close\nexec=sleep 500\n"
                              "exec=C:\\Tools\\mailer.exe|--check %%CLIPBOARD%%\n"
                              "[Waiting]\nclass=NoSuchWindowClass\ntrigger=running\ncheck=change\n")
    # A debug run: the rule file, the refused value, then the list about to run.
    process = box.spawn("-debug=TRUE -section=Mail")
    caption = "Palimoor [Mail]"
    wait_until(lambda: box.find_windows(BOX_CLASS, caption), 15, 0.1)
    box.post(BOX_CLASS, caption, WM_COMMAND, IDOK)  # "INIファイル(...)"
    time.sleep(0.5)
    snap_box(box, caption, "debug-invalid-value", IDOK)
    time.sleep(0.5)
    snap_box(box, caption, "debug-command-list", IDOK)
    process.wait(30)
    # A waiting instance's icon tapped: the exit confirmation.
    process = box.spawn("-section=Waiting")
    box.wait_instance("Waiting")
    box.post("Palimoor", "[Waiting]", WM_TRAY_NOTIFY, WM_TRAY_NOTIFY, WM_LBUTTONUP)
    snap_box(box, "Palimoor 終了確認", "exit-confirmation", IDOK)
    process.wait(30)
    box.close()
    shutil.rmtree(box.dir, ignore_errors=True)


if __name__ == "__main__":
    main()
