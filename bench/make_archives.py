#!/usr/bin/env python3
"""Writes the engine benchmark's two archives, the same bytes every time:
many.zip, 5,000 files of 1 to 40 KB in 50 folders (about 100 MB), and
big.zip, four files of 64 MB. Contents are text of random words, which
deflates to about a third, as documents and programs do.
Usage: make_archives.py FOLDER"""
import os
import random
import sys
import zipfile

WORDS = [w.encode() for w in (
    "diary entry today weather walk river tea friend letter morning night city "
    "window rain book garden train summer winter spring autumn note page ink "
    "light shadow market street music dinner quiet mountain lake cloud wind").split()]


def pool(rng, size):
    out = bytearray()
    while len(out) < size:
        line = b" ".join(rng.choice(WORDS) for _ in range(rng.randint(4, 14)))
        out += line + b" %d\r\n" % rng.randint(0, 1 << 30)
    return bytes(out[:size])


def add_folder(archive, name):
    info = zipfile.ZipInfo(name, (2026, 1, 1, 8, 0, 0))
    info.create_system = 0
    info.external_attr = 0x10
    archive.writestr(info, b"")


def add_file(archive, name, data):
    info = zipfile.ZipInfo(name, (2026, 1, 1, 8, 0, 0))
    info.create_system = 0
    info.external_attr = 0x20
    info.compress_type = zipfile.ZIP_DEFLATED
    archive.writestr(info, data, compresslevel=6)


def many(path, rng, text):
    with zipfile.ZipFile(path, "w") as archive:
        for folder in range(50):
            add_folder(archive, "many/d%02d/" % folder)
            for index in range(100):
                size = rng.randint(1024, 40 * 1024)
                start = rng.randrange(len(text) - size)
                add_file(archive, "many/d%02d/f%03d.txt" % (folder, index), text[start:start + size])


def big(path, rng, text):
    size = 64 << 20
    with zipfile.ZipFile(path, "w", allowZip64=False) as archive:
        add_folder(archive, "big/")
        for index in range(4):
            pieces = []
            for _ in range(size // (1 << 20)):
                start = rng.randrange(len(text) - (1 << 20))
                pieces.append(text[start:start + (1 << 20)])
            add_file(archive, "big/part%d.bin" % index, b"".join(pieces))


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(1)
    text = pool(rng, 8 << 20)
    for name, write in (("many.zip", many), ("big.zip", big)):
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            write(path + ".part", rng, text)
            os.replace(path + ".part", path)


if __name__ == "__main__":
    main()
