#!/usr/bin/env python3
"""Draws the application icon: two overlapping sheets, the front one with a
tick, in the 16-colour palette; writes res/vellaro.ico with 32x32 and 16x16
images."""
import struct
import sys

# The standard 16-colour palette (B, G, R, 0).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, GREY, BLUE, GREEN, WHITE, TRANSPARENT = 0, 4, 8, 12, 10, 15, None


def draw(n):
    px = [[TRANSPARENT] * n for _ in range(n)]
    s = n / 32.0

    def rect(x0, y0, x1, y1, fill, edge):
        x0, y0, x1, y1 = (int(round(v * s)) for v in (x0, y0, x1, y1))
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                on_edge = x in (x0, x1) or y in (y0, y1)
                px[y][x] = edge if on_edge else fill

    rect(3, 2, 20, 24, WHITE, NAVY)     # back sheet
    rect(11, 8, 28, 30, WHITE, BLUE)    # front sheet
    for y0 in (12, 16):                 # lines of text on the front sheet
        for x in range(int(14 * s), int(26 * s) + 1):
            px[int(y0 * s)][x] = GREY
    tick = [(14, 23), (15, 24), (16, 25), (17, 26), (18, 25), (19, 24), (20, 23), (21, 22),
            (22, 21), (23, 20), (24, 19)]
    for x, y in tick:
        for dy in (0, 1):
            xx, yy = int(x * s), min(int(y * s) + dy, n - 1)
            px[yy][xx] = GREEN
    return px


def image(n):
    px = draw(n)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor = bytearray()
    for y in reversed(range(n)):
        row = bytearray()
        for x in range(0, n, 2):
            a = px[y][x] or 0
            b = px[y][x + 1] or 0
            row.append((a << 4) | b)
        row += b'\0' * ((4 - len(row) % 4) % 4)
        xor += row
    mask = bytearray()
    for y in reversed(range(n)):
        bits = 0
        row = bytearray()
        for x in range(n):
            bits = (bits << 1) | (1 if px[y][x] is None else 0)
            if x % 8 == 7:
                row.append(bits)
                bits = 0
        row += b'\0' * ((4 - len(row) % 4) % 4)
        mask += row
    return header + palette + bytes(xor) + bytes(mask)


def main(path):
    images = [image(32), image(16)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip((32, 16), images):
        out += struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'res/vellaro.ico')
