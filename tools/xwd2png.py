#!/usr/bin/env python3
"""Converts a TrueColor X window dump (xwd -root; 24 or 32 bits per pixel) to PNG."""
import struct
import sys
import zlib


def read_xwd(data):
    fields = struct.unpack('>25I', data[:100])
    header_size, _, _, _, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14:17]
    ncolors = fields[19]
    offset = header_size + ncolors * 12
    # Now and then (a shell window open beside ours) xwd packs the root's
    # pixels into three bytes.
    if bits_per_pixel not in (24, 32):
        raise SystemExit('only 24 and 32 bits per pixel dumps are handled')
    size = bits_per_pixel // 8
    order = 'little' if byte_order == 0 else 'big'

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    rs, gs, bs = shift(red_mask), shift(green_mask), shift(blue_mask)
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * size]
        row = bytearray([0])
        for at in range(0, len(line), size):
            pixel = int.from_bytes(line[at:at + size], order)
            row += bytes(((pixel & red_mask) >> rs, (pixel & green_mask) >> gs, (pixel & blue_mask) >> bs))
        rows.append(bytes(row))
    return width, height, b''.join(rows)


def write_png(path, width, height, raw):
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))

    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


if __name__ == '__main__':
    with open(sys.argv[1], 'rb') as f:
        width, height, raw = read_xwd(f.read())
    write_png(sys.argv[2], width, height, raw)
