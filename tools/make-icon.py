#!/usr/bin/env python3
"""Draws the setup's icon (an open dictionary with a K) into resources/korventa.ico."""
import struct, sys

def pixel(x, y, n):
    # Coordinates scaled to a 32-unit grid, y downwards.
    u, v = x * 32.0 / n, y * 32.0 / n
    if 3 <= u < 29 and 5 <= v < 27:           # book: two pages with a dark spine
        if 15.5 <= u < 16.5:
            return (40, 40, 90, 255)
        if u < 4.2 or u >= 27.8 or v < 6.2 or v >= 25.8:
            return (30, 60, 150, 255)           # cover edge
        # a K on the right page
        if 19 <= u < 20.6 and 9 <= v < 23:
            return (200, 30, 40, 255)
        d = abs((v - 16) - (-(u - 20.6) * 1.3)) if v < 16 else abs((v - 16) - ((u - 20.6) * 1.3))
        if 20.6 <= u < 26 and d < 1.2:
            return (200, 30, 40, 255)
        if u < 15.5 and int(v) % 3 == 0 and 6 <= u < 14 and 9 <= v < 23:
            return (120, 120, 140, 255)         # lines of text on the left page
        return (250, 250, 240, 255)
    return (0, 0, 0, 0)

def image(n):
    rows = []
    for y in range(n - 1, -1, -1):              # bottom-up DIB
        for x in range(n):
            r, g, b, a = pixel(x, y, n)
            rows.append(struct.pack('BBBB', b, g, r, a))
    xor = b''.join(rows)
    mask_row = ((n + 31) // 32) * 4
    andmask = bytes(mask_row * n)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    return header + xor + andmask

sizes = [16, 32, 48]
images = [image(n) for n in sizes]
out = struct.pack('<HHH', 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for n, data in zip(sizes, images):
    out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(data), offset)
    offset += len(data)
out += b''.join(images)
open(sys.argv[1] if len(sys.argv) > 1 else 'resources/korventa.ico', 'wb').write(out)
