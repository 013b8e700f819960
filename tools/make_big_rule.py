#!/usr/bin/env python3
"""Writes a rule file of about SIZE megabytes: many sections, the one named
Last at the very end. With --findings every section has a line that
"palimoorctl check" warns about.   make_big_rule.py SIZE_MB FILE [--findings]"""
import sys

size = int(float(sys.argv[1]) * 1024 * 1024)
timeout = "30s" if "--findings" in sys.argv[3:] else "30000"
with open(sys.argv[2], "w", encoding="utf-8", newline="\n") as out:
    written, n = 0, 0
    while written < size:
        block = (f"[Section{n}]\nclass=Window{n}\ntrigger=running\ncheck=change\n"
                 f"exec=C:\\Tools\\program{n}.exe|--flag {n}\ntimeout={timeout}\n\n")
        out.write(block)
        written += len(block)
        n += 1
    out.write("[Last]\ntitle=Last window\nexec=nothing\n")
