#!/usr/bin/env python3
"""Writes a rule file of about SIZE megabytes, in one of these shapes:

  sections   (default) many small sections, the one named Last at the very end;
             with --findings every section has a line "palimoorctl check" warns about
  blanks     one section whose exec entry is a name, then SIZE MB of words and blanks, no "|"
  one-big    one section of SIZE MB of lines that each draw an error or a warning
  long-names sections whose names are 40,000 characters long, differing at the end

    make_big_rule.py SIZE_MB FILE [--findings] [--shape SHAPE]"""
import sys

size = int(float(sys.argv[1]) * 1024 * 1024)
shape = sys.argv[sys.argv.index("--shape") + 1] if "--shape" in sys.argv else "sections"
with open(sys.argv[2], "w", encoding="utf-8", newline="\n") as out:
    if shape == "blanks":
        out.write("[Last]\nclass=X\nexec=C:\\Tools\\tool" + " w" * (size // 2) + "\n")
    elif shape == "one-big":
        out.write("[Last]\nclass=X\n")
        line, n = "", 0
        while n * 12 < size:
            out.write(("chek=now\n", "sleep=5s\n", "no equals\n")[n % 3])
            n += 1
    elif shape == "long-names":
        name = "n" * 39990
        n = 0
        while n * 40020 < size:
            out.write(f"[{name}{n:010d}]\nclass=X\n")
            n += 1
    else:
        timeout = "30s" if "--findings" in sys.argv[3:] else "30000"
        written, n = 0, 0
        while written < size:
            block = (f"[Section{n}]\nclass=Window{n}\ntrigger=running\ncheck=change\n"
                     f"exec=C:\\Tools\\program{n}.exe|--flag {n}\ntimeout={timeout}\n\n")
            out.write(block)
            written += len(block)
            n += 1
        out.write("[Last]\ntitle=Last window\nexec=nothing\n")
