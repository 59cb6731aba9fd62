#!/usr/bin/env python3
"""Draws the program's icon (a drawing of rectangles, some rounded, as
appgen.svg is) into a Windows .ico with the sizes Windows asks for.

  svg_to_ico.py appgen.svg appgen.ico
Only <rect> with x, y, width, height, rx, fill, stroke and stroke-width are
read (fill may come from an enclosing <g>); nothing else is needed here.
"""
import struct
import sys
import xml.etree.ElementTree as ET

SIZES = (16, 24, 32, 48, 64, 256)


def colour(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def inside(px, py, x, y, w, h, r):
    if px < x or py < y or px > x + w or py > y + h:
        return False
    r = min(r, w / 2, h / 2)
    cx = min(max(px, x + r), x + w - r)
    cy = min(max(py, y + r), y + h - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def shapes(svg_path):
    root = ET.parse(svg_path).getroot()
    view = [float(v) for v in root.get("viewBox", "0 0 64 64").split()]
    out = []

    def walk(node, fill):
        fill = node.get("fill", fill)
        if node.tag.endswith("rect"):
            f = lambda k, d=0.0: float(node.get(k, d))
            stroke = node.get("stroke")
            out.append((f("x"), f("y"), f("width"), f("height"), f("rx"), fill, stroke, f("stroke-width", 1)))
        for child in node:
            walk(child, fill)

    walk(root, "#000000")
    return view, out


def render(view, rects, size):
    vx, vy, vw, vh = view
    # Samples per pixel edge: the large image has pixels enough without many.
    SAMPLES = 4 if size <= 64 else 2
    pixels = []
    for row in range(size):
        for col in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    px = vx + (col + (sx + 0.5) / SAMPLES) * vw / size
                    py = vy + (row + (sy + 0.5) / SAMPLES) * vh / size
                    c = None
                    for x, y, w, h, r, fill, stroke, sw in rects:
                        if stroke and inside(px, py, x - sw / 2, y - sw / 2, w + sw, h + sw, r + sw / 2):
                            inner = inside(px, py, x + sw / 2, y + sw / 2, w - sw, h - sw, max(r - sw / 2, 0))
                            c = colour(fill) if inner else colour(stroke)
                        elif inside(px, py, x, y, w, h, r):
                            c = colour(fill)
                    if c:
                        acc[0] += c[0]
                        acc[1] += c[1]
                        acc[2] += c[2]
                        acc[3] += 1
            n = SAMPLES * SAMPLES
            a = acc[3]
            rgb = [int(round(acc[i] / a)) if a else 0 for i in range(3)]
            pixels.append((rgb[0], rgb[1], rgb[2], int(round(255 * a / n))))
    return pixels


def dib(pixels, size):
    """A 32-bit bottom-up DIB with its AND mask, as an .ico entry holds it."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    body = bytearray()
    for row in reversed(range(size)):
        for col in range(size):
            r, g, b, a = pixels[row * size + col]
            body += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(range(size)):
        line = bytearray(stride)
        for col in range(size):
            if pixels[row * size + col][3] == 0:
                line[col // 8] |= 0x80 >> (col % 8)
        mask += line
    return header + bytes(body) + bytes(mask)


def main():
    view, rects = shapes(sys.argv[1])
    images = [(s, dib(render(view, rects, s), s)) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in images:
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(sys.argv[2], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
