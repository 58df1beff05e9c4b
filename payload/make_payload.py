#!/usr/bin/env python3
"""Stages the product's files as they are installed and writes the payload
archive from them.

The staging folder gets the files of --files, the empty diary folder and the
program file, under GBK file names; the archive lists, folder by folder, the folder itself, then its
sub-folders (each with its contents), then its files. Names are GBK without
the UTF-8 flag, marked as made on MS-DOS; folders are stored with external
attributes 0x10, files deflated with 0x20. Each local header carries a
Unicode-path block (0x7075) and each central record also an NTFS time block
(0x000a). Every entry has the same fixed time, so a build gives the same bytes
every time.
"""
import argparse
import os
import shutil
import struct
import zlib

PRODUCT = "岚笺1.0"
EMPTY_FOLDERS = [PRODUCT + "/日记"]
PROGRAM = PRODUCT + "/岚笺.exe"

# 2026-01-01 08:00:00 as MS-DOS date and time, which are local time, and the
# same moment read in China Standard Time (UTC+8) as a Windows file time for
# the NTFS block.
DOS_DATE = ((2026 - 1980) << 9) | (1 << 5) | 1
DOS_TIME = (8 << 11) | (0 << 5) | 0
FILE_TIME = (1767225600 + 11644473600) * 10_000_000

FOLDER_ATTRIBUTES = 0x10
FILE_ATTRIBUTES = 0x20
MADE_BY_MSDOS = 20  # upper byte 0: MS-DOS; lower byte: format version 2.0


def gbk_path(staging, relative):
    return os.path.join(os.fsencode(staging), relative.encode("gbk"))


def stage(files, program, staging):
    """Copies the product's files into `staging` under GBK file names, the
    bytes that Wine in a GBK locale gives the installed files on disk."""
    if os.path.exists(staging):
        shutil.rmtree(staging)
    for top, _, names in os.walk(files):
        relative = os.path.relpath(top, files)
        os.makedirs(gbk_path(staging, relative), exist_ok=True)
        for name in names:
            shutil.copyfile(os.path.join(top, name), gbk_path(staging, os.path.join(relative, name)))
    for folder in EMPTY_FOLDERS:
        os.makedirs(gbk_path(staging, folder), exist_ok=True)
    shutil.copyfile(program, gbk_path(staging, PROGRAM))


def listing(staging, relative=PRODUCT):
    """(name, path) pairs: the folder, its sub-folders' listings, its files."""
    here = gbk_path(staging, relative)
    entries = [(relative + "/", here)]
    children = sorted(child.decode("gbk") for child in os.listdir(here))
    for child in children:
        if os.path.isdir(gbk_path(staging, relative + "/" + child)):
            entries += listing(staging, relative + "/" + child)
    for child in children:
        if not os.path.isdir(gbk_path(staging, relative + "/" + child)):
            entries.append((relative + "/" + child, gbk_path(staging, relative + "/" + child)))
    return entries


def unicode_path_block(gbk_name, name):
    data = struct.pack("<BI", 1, zlib.crc32(gbk_name)) + name.encode("utf-8")
    return struct.pack("<HH", 0x7075, len(data)) + data


def ntfs_time_block():
    times = struct.pack("<HHQQQ", 0x0001, 24, FILE_TIME, FILE_TIME, FILE_TIME)
    data = struct.pack("<I", 0) + times
    return struct.pack("<HH", 0x000A, len(data)) + data


def deflate(data):
    compressor = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    return compressor.compress(data) + compressor.flush()


def entry_fields(name, path):
    """Method, attributes, CRC-32, stored bytes and size of one entry."""
    if name.endswith("/"):
        return 0, FOLDER_ATTRIBUTES, 0, b"", 0
    with open(path, "rb") as f:
        data = f.read()
    return 8, FILE_ATTRIBUTES, zlib.crc32(data), deflate(data), len(data)


def archive(entries):
    out = bytearray()
    central = bytearray()
    for name, path in entries:
        gbk_name = name.encode("gbk")
        method, attributes, crc, stored, size = entry_fields(name, path)
        needed = 20 if method == 8 else 10
        common = struct.pack("<HHHHHIII", needed, 0, method, DOS_TIME, DOS_DATE,
                             crc, len(stored), size)
        unicode_block = unicode_path_block(gbk_name, name)
        offset = len(out)
        out += struct.pack("<I", 0x04034B50) + common
        out += struct.pack("<HH", len(gbk_name), len(unicode_block)) + gbk_name + unicode_block
        out += stored
        central_extra = unicode_block + ntfs_time_block()
        central += struct.pack("<IH", 0x02014B50, MADE_BY_MSDOS) + common
        central += struct.pack("<HHHHHII", len(gbk_name), len(central_extra), 0, 0, 0,
                               attributes, offset)
        central += gbk_name + central_extra
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries),
                      len(central), len(out), 0)
    return bytes(out + central + end)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--files", required=True, help="the product's own files")
    parser.add_argument("--program", required=True, help="the built program file")
    parser.add_argument("--stage", required=True, help="staging folder to (re)create")
    parser.add_argument("--out", required=True, help="payload archive to write")
    args = parser.parse_args()
    stage(args.files, args.program, args.stage)
    data = archive(listing(args.stage))
    with open(args.out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
