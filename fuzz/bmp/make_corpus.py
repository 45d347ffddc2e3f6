#!/usr/bin/env python3
"""Writes the seed corpus of the BMP fuzz target: one small image for every
stored format the reader accepts. Run from this folder to regenerate."""
import struct

def bmp(width, height, bits, rows, palette=(), compression=0, masks=(), header_size=40, size_image=0):
    colors = len(palette)
    info = struct.pack('<IiiHHIIiiII', header_size, width, height, 1, bits, compression, size_image, 0, 0, colors, 0)
    extra = b''.join(struct.pack('<I', m) for m in masks)
    if header_size > 40:
        info += extra.ljust(header_size - 40, b'\0')
        extra = b''
    table = b''.join(struct.pack('<I', c) for c in palette)
    body = info + extra + table + rows
    return b'BM' + struct.pack('<IHHI', 14 + len(body), 0, 0, 14 + len(info) + len(extra) + len(table)) + body

def stride(width, bits):
    return (width * bits + 31) // 32 * 4

def pattern(width, height, bits):
    out = bytearray()
    for y in range(height):
        row = bytearray(stride(width, bits))
        for i in range(len(row)):
            row[i] = (i * 37 + y * 11) & 0xFF
        out += row
    return bytes(out)

seeds = {
    '1bit.bmp': bmp(9, 3, 1, pattern(9, 3, 1), palette=(0xFFFFFF, 0)),
    '4bit.bmp': bmp(5, 4, 4, pattern(5, 4, 4), palette=tuple(i * 0x111111 for i in range(16))),
    '8bit-short-table.bmp': bmp(3, 2, 8, pattern(3, 2, 8), palette=(0xFF0000, 0x00FF00, 0x0000FF)),
    '16bit-555.bmp': bmp(3, 2, 16, pattern(3, 2, 16)),
    '16bit-565.bmp': bmp(3, 2, 16, pattern(3, 2, 16), compression=3, masks=(0xF800, 0x07E0, 0x001F)),
    '24bit.bmp': bmp(5, 3, 24, pattern(5, 3, 24)),
    '24bit-topdown-padded.bmp': bmp(2, -2, 24, pattern(2, 2, 24) + b'\0' * 4, size_image=20),
    '32bit.bmp': bmp(2, 2, 32, pattern(2, 2, 32)),
    '32bit-v5.bmp': bmp(2, -3, 32, pattern(2, 3, 32), compression=3,
                        masks=(0x00FF0000, 0x0000FF00, 0x000000FF), header_size=124),
}
for name, data in seeds.items():
    with open('corpus/' + name, 'wb') as f:
        f.write(data)
