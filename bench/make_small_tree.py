#!/usr/bin/env python3
"""Benchmark tree of many small files: COUNT files (100,000 by default) of
1-64 bytes in 1,000 folders, about 30 % of them copies of another file.

  make_small_tree.py ROOT [--files COUNT] [--seed N]

It writes the same side files as ../shared/perf/make_corpus.py (manifest,
truth, summary) next to ROOT, with that script's own code: only the tree it
builds differs.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", "shared", "perf")))
import make_corpus  # noqa: E402

FOLDERS = 1000
COPY_SHARE = 0.3


def build_small(root, count, seed):
    corpus = make_corpus.Corpus(root, seed)
    corpus.make_dirs(FOLDERS - 1)
    originals = []
    written = 0
    while written < count:
        if originals and corpus.rng.random() < COPY_SHARE:
            rel, data = corpus.rng.choice(originals)
            copy = corpus.copy_paths(rel, 1)
            corpus.write(copy, data, ["small-copy"])
        else:
            data = corpus.drng.randbytes(corpus.rng.randint(1, 64))
            rel = corpus.new_path()
            corpus.write([rel], data, ["small"])
            originals.append((rel, data))
        written += 1
    for folder in corpus.dirs:
        os.utime(os.path.join(root, folder), (make_corpus.FIXED_MTIME, make_corpus.FIXED_MTIME))
    return corpus


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root")
    parser.add_argument("--files", type=int, default=100_000)
    parser.add_argument("--seed", type=int, default=20240601)
    args = parser.parse_args()
    # make_corpus.main writes the side files of whatever its build() makes;
    # its --size becomes the file count here.
    make_corpus.build = build_small
    make_corpus.main([args.root, "--size", str(args.files), "--seed", str(args.seed)])


if __name__ == "__main__":
    main()
