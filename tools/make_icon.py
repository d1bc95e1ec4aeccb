#!/usr/bin/env python3
"""Draws the CORVANEAPP icon: a white ring with a yellow wedge on dark blue,
32x32 and 16x16, 16 colours each. Writes resources/corvane.ico."""
import math
import struct
import sys

# The standard 16-colour palette (blue, green, red, reserved).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
DARK_BLUE, WHITE, YELLOW, GREY = 4, 15, 11, 8


def pixel(x, y, size):
    c = (size - 1) / 2.0
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy) / (size / 2.0)
    if r > 1.0:
        return None  # transparent corner
    angle = math.degrees(math.atan2(-dy, dx)) % 360
    if 0.55 <= r <= 0.85 and not (330 <= angle or angle <= 30):
        return WHITE
    if r < 0.4 and (angle <= 45 or angle >= 315):
        return YELLOW
    if r > 0.93:
        return GREY
    return DARK_BLUE


def image(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    xor_rows, and_rows = [], []
    for y in reversed(range(size)):
        nibbles = [pixel(x, y, size) for x in range(size)]
        row = bytearray()
        for x in range(0, size, 2):
            a, b = nibbles[x] or 0, nibbles[x + 1] or 0
            row.append((a << 4) | b)
        row += b'\0' * ((4 - len(row) % 4) % 4)
        xor_rows.append(bytes(row))
        mask = bytearray((size + 7) // 8)
        for x in range(size):
            if nibbles[x] is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        mask += b'\0' * ((4 - len(mask) % 4) % 4)
        and_rows.append(bytes(mask))
    return header + palette + b''.join(xor_rows) + b''.join(and_rows)


def main(path):
    images = [image(32), image(16)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'resources/corvane.ico')
