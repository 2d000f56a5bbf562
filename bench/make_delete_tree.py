#!/usr/bin/env python3
"""Benchmark tree for deleting: LINES files in groups of identical copies,
with as many groups as leave TICKED copies beside every group's first file
(groups of two and three), spread over 100 folders. Each group has bytes of
its own, 200 to 4,200 of them; within a group the first copy is the newest.

  make_delete_tree.py ROOT --lines LINES --ticked TICKED
"""

import argparse
import hashlib
import os

FOLDERS = 100
NEWEST = 1_700_000_000


def group_sizes(lines, ticked):
    groups = min(lines - ticked, lines // 2)
    if groups < 1:
        raise SystemExit("make_delete_tree.py: too many ticked copies for the lines")
    sizes = [lines // groups] * groups
    for extra in range(lines - sum(sizes)):
        sizes[extra] += 1
    return sizes


def build(root, lines, ticked):
    os.makedirs(root)
    for folder in range(FOLDERS):
        os.makedirs(os.path.join(root, f"d{folder:03}"))
    written = 0
    for group, size in enumerate(group_sizes(lines, ticked)):
        seed = hashlib.sha256(str(group).encode()).digest()
        data = (seed * 140)[: 200 + group % 4000]
        for copy in range(size):
            path = os.path.join(root, f"d{written % FOLDERS:03}", f"g{group}_{copy}.bin")
            with open(path, "wb") as f:
                f.write(data)
            os.utime(path, (NEWEST - copy * 60, NEWEST - copy * 60))
            written += 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root")
    parser.add_argument("--lines", type=int, required=True)
    parser.add_argument("--ticked", type=int, required=True)
    args = parser.parse_args()
    build(args.root, args.lines, args.ticked)


if __name__ == "__main__":
    main()
