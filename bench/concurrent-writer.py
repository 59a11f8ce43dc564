#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves a file many times while another program, which takes no lock, writes into it at a random
# moment of each save, and counts the writer's changes that a save lost while it said it succeeded:
#   bench/concurrent-writer.py CLI FILE [SAVES] [OFFSET]
# Each round runs `CLI set-radio FILE --name ROUNDn`; meanwhile the writer puts the round's number
# into four bytes at OFFSET, which a save keeps as it found them. After the round, those bytes
# still hold the number unless a save replaced the writer's change: with exit status 0 that is a
# lost change; with another status the save refused, as it should when it saw the change.
import os
import random
import struct
import subprocess
import sys
import time

if len(sys.argv) < 3:
    sys.exit("usage: concurrent-writer.py CLI FILE [SAVES] [OFFSET]")
cli, path = sys.argv[1], sys.argv[2]
saves = int(sys.argv[3]) if len(sys.argv) > 3 else 100
offset = int(sys.argv[4], 0) if len(sys.argv) > 4 else None


def run(name):
    return subprocess.run([cli, "set-radio", path, "--name", name], capture_output=True)


def marker():
    with open(path, "rb") as f:
        f.seek(offset)
        return struct.unpack("<I", f.read(4))[0]


def write_marker(value):
    fd = os.open(path, os.O_WRONLY)
    try:
        os.pwrite(fd, struct.pack("<I", value), offset)
    finally:
        os.close(fd)


if offset is None:
    # The last four bytes: past every record, kept as read by every format's save.
    offset = os.path.getsize(path) - 4

# How long one save takes here, so that the writer's moments cover it from start to end.
start = time.monotonic()
if run("WARMUP").returncode != 0:
    sys.exit("the program cannot save " + path)
duration = time.monotonic() - start
write_marker(0)
if run("KEPT").returncode != 0 or marker() != 0:
    sys.exit("a save does not keep the four bytes at %d" % offset)

random.seed(int(os.environ.get("SEED", "1")))
saved = refused = lost = 0
for round in range(1, saves + 1):
    delay = random.uniform(0, duration * 1.1)
    save = subprocess.Popen([cli, "set-radio", path, "--name", "ROUND%d" % round],
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    time.sleep(delay)
    write_marker(round)
    status = save.wait()
    kept = marker() == round
    if status == 0:
        saved += 1
        lost += 0 if kept else 1
    else:
        refused += 1
        if not kept:
            print("round %d: refused, yet the writer's change is gone" % round, file=sys.stderr)
print("saves: %d, each about %.0f ms; succeeded: %d; refused: %d; changes lost with exit 0: %d"
      % (saves, duration * 1000, saved, refused, lost))
sys.exit(1 if lost else 0)
