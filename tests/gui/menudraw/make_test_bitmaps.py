#!/usr/bin/env python3
"""Writes the bitmaps the menu drawing tests load, into the folder given.

toolbar16.bmp  4 bits per pixel, 16 colours: five 16 x 15 toolbar images on
               light gray; each a black-outlined rectangle with a solid interior
               (red, blue, green, grays-and-white, navy).
colour256.bmp  8 bits per pixel, 256 colours: one 16 x 15 image, light gray
               around a rectangle of RGB(0, 128, 255).
"""
import struct
import sys
from pathlib import Path

CELL_W, CELL_H = 16, 15

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, LIGHT_GRAY, DARK_GRAY, RED, GREEN, BLUE, WHITE = 0, 4, 7, 8, 9, 10, 12, 15


def write_bmp(path, width, height, bits, palette, rows):
    """rows: top-down lists of palette indices."""
    stride = ((width * bits + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows):  # BMP rows run bottom-up
        line = bytearray()
        if bits == 8:
            line.extend(row)
        else:  # 4 bits: two pixels a byte, high nibble first
            for x in range(0, width, 2):
                second = row[x + 1] if x + 1 < width else 0
                line.append((row[x] << 4) | second)
        line.extend(b"\0" * (stride - len(line)))
        data.extend(line)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835,
                         0, 0)
    offset = 14 + len(header) + len(table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    Path(path).write_bytes(file_header + header + table + data)


def outlined_cell(interior, outline=BLACK, centre=None):
    """Light gray cell; outline on x 3..12, y 3..11; interior x 4..11, y 4..10."""
    cell = [[LIGHT_GRAY] * CELL_W for _ in range(CELL_H)]
    for y in range(3, 12):
        for x in range(3, 13):
            edge = x in (3, 12) or y in (3, 11)
            cell[y][x] = outline if edge else interior
    if centre is not None:
        for y in range(6, 9):
            for x in range(6, 10):
                cell[y][x] = centre
    return cell


def strip(cells):
    return [sum((cell[y] for cell in cells), []) for y in range(CELL_H)]


def main(folder):
    out = Path(folder)
    out.mkdir(parents=True, exist_ok=True)
    cells = [outlined_cell(RED), outlined_cell(BLUE), outlined_cell(GREEN),
             outlined_cell(WHITE, outline=DARK_GRAY, centre=BLACK), outlined_cell(NAVY)]
    write_bmp(out / "toolbar16.bmp", CELL_W * len(cells), CELL_H, 4, VGA, strip(cells))

    palette = [(i, i, i) for i in range(256)]
    palette[1] = (0, 128, 255)
    palette[2] = (192, 192, 192)
    cell = [[2] * CELL_W for _ in range(CELL_H)]
    for y in range(3, 12):
        for x in range(3, 13):
            cell[y][x] = 1
    write_bmp(out / "colour256.bmp", CELL_W, CELL_H, 8, palette, cell)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
