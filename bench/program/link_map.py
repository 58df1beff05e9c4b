#!/usr/bin/env python3
"""Splits an executable's bytes by where they come from, read from the GNU ld
link map of that executable: our three libraries, the dependencies, the C and
C++ runtime, import tables, relocations, resources and the payload block. What
the map does not name (headers, alignment between input and output sections)
is the rest up to the file's size.
Usage: link_map.py MAP EXE"""
import os
import re
import sys

OUTPUT_SECTION = re.compile(r"^(\.\S+)(?:\s+0x([0-9a-f]+)\s+0x([0-9a-f]+))?\s*$")
INPUT_SECTION = re.compile(r"^ (\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(.+)$")
NAME_ALONE = re.compile(r"^ (\S+)$")
CONTINUATION = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(.+)$")

# Sections that take no bytes in the file.
NOT_IN_FILE = {".bss"}

# (part, test on the input file's path), first match wins.
PARTS_BY_FILE = [
    ("payload block", lambda f: "libpayload.a" in f),
    ("resources", lambda f: f.endswith(".res")),
    ("wizard", lambda f: f.startswith("wizard/")),
    ("toolkit", lambda f: f.startswith("toolkit/")),
    ("engine", lambda f: f.startswith("install/")),
    ("libpng", lambda f: "libpng.a" in f),
    ("minizip", lambda f: "libminizip.a" in f),
    ("zlib", lambda f: "libz.a" in f),
]
ORDER = ["wizard", "toolkit", "engine", "libpng", "minizip", "zlib", "C/C++ runtime",
         "import tables", "relocations", "resources", "payload block"]


def part_of(output, path):
    if output.startswith(".idata"):
        return "import tables"
    if output == ".reloc":
        return "relocations"
    for part, matches in PARTS_BY_FILE:
        if matches(path):
            return part
    return "C/C++ runtime"


def input_sections(lines):
    """(output section, input file, size) of every input section in the file."""
    output = None
    pending = None
    for line in lines:
        head = OUTPUT_SECTION.match(line)
        if head:
            output, pending = head.group(1), None
            continue
        if output is None or output in NOT_IN_FILE or line.startswith(" *"):
            pending = None
            continue
        alone = NAME_ALONE.match(line)
        if alone:
            pending = alone.group(1)
            continue
        entry = INPUT_SECTION.match(line)
        if entry:
            yield output, entry.group(4).strip(), int(entry.group(3), 16)
        elif pending:
            more = CONTINUATION.match(line)
            if more:
                yield output, more.group(3).strip(), int(more.group(2), 16)
        pending = None


def runtime_member(path):
    """A short name for a runtime object: the library and member, without the toolchain path."""
    return re.sub(r"^.*/", "", path)


def main():
    map_path, exe = sys.argv[1], sys.argv[2]
    with open(map_path, encoding="utf-8", errors="replace") as f:
        lines = f.read().split("\n")
    start = next(i for i, line in enumerate(lines) if line.startswith("Linker script and memory map"))
    sizes = dict.fromkeys(ORDER, 0)
    runtime = {}
    for output, path, size in input_sections(lines[start:]):
        part = part_of(output, path)
        sizes[part] += size
        if part == "C/C++ runtime":
            member = runtime_member(path)
            runtime[member] = runtime.get(member, 0) + size
    total = os.path.getsize(exe)
    sizes["headers and alignment"] = total - sum(sizes.values())
    print("\nwhere the bytes come from (link map of a relink of the same objects)")
    for part, size in sizes.items():
        print("%-28s %10d B %9.1f KB" % (part, size, size / 1024))
    print("%-28s %10d B %9.1f KB" % ("total", total, total / 1024))
    print("\nlargest pieces of the C/C++ runtime")
    for member, size in sorted(runtime.items(), key=lambda item: -item[1])[:8]:
        print("  %-50s %8d B" % (member, size))


if __name__ == "__main__":
    main()
