#!/usr/bin/env python3
"""Builds a small folder of photos and documents with some duplicate copies,
for the screenshot and for trying the program by hand."""
import os
import shutil
import sys

root = sys.argv[1] if len(sys.argv) > 1 else 'build/demo'
shutil.rmtree(root, ignore_errors=True)
files = {
    '写真/旅行/京都_001.jpg': b'JPEG kyoto 1' * 900,
    '写真/旅行/京都_002.jpg': b'JPEG kyoto 2' * 900,
    '写真/バックアップ/京都_001.jpg': b'JPEG kyoto 1' * 900,
    '写真/バックアップ/京都_001 (2).jpg': b'JPEG kyoto 1' * 900,
    '書類/会議資料/議事録.txt': '議事録 2026年12月'.encode('cp932') * 50,
    '書類/古いファイル/議事録.txt': '議事録 2026年12月'.encode('cp932') * 50,
    '書類/見積書.txt': '見積書'.encode('cp932') * 70,
    '音楽/曲A.mp3': b'ID3 song A' * 3000,
    '音楽/コピー/曲A.mp3': b'ID3 song A' * 3000,
    'downloads/setup.exe': b'MZ setup' * 4000,
    'downloads/setup (1).exe': b'MZ setup' * 4000,
    'downloads/readme.txt': b'read me first\r\n' * 10,
}
for index, (name, data) in enumerate(sorted(files.items())):
    path = os.path.join(root, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)
    stamp = 1_760_000_000 + index * 3600
    os.utime(path, (stamp, stamp))
