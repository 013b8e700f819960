"""Writes a minimal binary shell link whose target path is stored as given,
%variables% included, the way links to %windir%-style paths read back raw."""
import struct

_CLSID_SHELL_LINK = bytes.fromhex("0114020000000000c000000000000046")


def _link_info(path):
    volume = struct.pack("<IIII", 0x11, 3, 0x1234, 0x10) + b"\0"  # a fixed drive, no label
    base = path.encode("ascii") + b"\0"
    header = 0x1C
    base_at = header + len(volume)
    suffix_at = base_at + len(base)
    return (struct.pack("<IIIIIII", suffix_at + 1, header, 1, header, base_at, 0, suffix_at)
            + volume + base + b"\0")


def write_link(file, target, arguments):
    flags = 0x2 | 0x20 | 0x80  # has link info, has arguments, Unicode strings
    header = struct.pack("<I16sIIQQQIiIHHII", 0x4C, _CLSID_SHELL_LINK, flags, 0, 0, 0, 0, 0, 0,
                         1, 0, 0, 0, 0)
    strings = struct.pack("<H", len(arguments)) + arguments.encode("utf-16-le")
    file.write_bytes(header + _link_info(target) + strings + struct.pack("<I", 0))
