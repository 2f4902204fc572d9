#!/usr/bin/env python3
"""Writes the benchmark payload: a tree of files of mixed sizes and
compressibility, the same bytes on every run for the same arguments.

    payload.py FOLDER MEGABYTES FILES

Half of the bytes are text (words and lines: compresses about 3:1), a
quarter are bytes of a sixteen-value alphabet (about 2:1) and a quarter
random bytes (incompressible, stored raw). Sizes are spread log-uniformly
from 256 bytes to 1 MiB, with one file in two hundred of 4 to 8 MiB, then
scaled to the total asked for.
"""
import math
import os
import random
import sys

WORDS = ("setup folder install window version registry file program data table index value "
         "system shortcut record entry group language page button library driver update "
         "the a of to and in is it for on with as by at from").split()


def text_source(rng, size):
    out = []
    length = 0
    while length < size:
        line = " ".join(rng.choice(WORDS) for _ in range(rng.randint(4, 14)))
        line = line.capitalize() + rng.choice((".", ",", ";", ":", "")) + "\r\n"
        out.append(line)
        length += len(line)
    return "".join(out).encode("ascii")[:size]


def main():
    folder, megabytes, count = sys.argv[1], float(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(20261207)
    total = int(megabytes * 1024 * 1024)

    sizes = []
    for index in range(count):
        if index % 200 == 199:
            sizes.append(rng.randint(4 << 20, 8 << 20))
        else:
            sizes.append(int(math.exp(rng.uniform(math.log(256), math.log(1 << 20)))))
    scale = total / sum(sizes)
    sizes = [max(1, int(s * scale)) for s in sizes]
    sizes[0] += total - sum(sizes)

    # Ten top folders, each with a few sub-folders and some of those with
    # their own.
    folders = []
    for top in range(10):
        folders.append("part%02d" % top)
        for sub in range(rng.randint(0, 4)):
            folders.append("part%02d/sub%d" % (top, sub))
            if rng.random() < 0.4:
                folders.append("part%02d/sub%d/deep" % (top, sub))

    text = text_source(rng, 4 << 20)
    alphabet = bytes((b & 0x0F) + 0x40 for b in range(256))
    written = 0
    for index, size in enumerate(sizes):
        kind = rng.random()
        if kind < 0.5:
            start = rng.randrange(0, len(text))
            data = (text[start:] + text)[:size]
            while len(data) < size:
                data += text[:size - len(data)]
        elif kind < 0.75:
            data = rng.randbytes(size).translate(alphabet)
        else:
            data = rng.randbytes(size)
        path = os.path.join(folder, rng.choice(folders), "file%04d.%s" % (index, ("txt", "dat", "bin")[
            0 if kind < 0.5 else 1 if kind < 0.75 else 2]))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        written += size
    print("%d files, %d bytes, largest %d" % (len(sizes), written, max(sizes)))


if __name__ == "__main__":
    main()
