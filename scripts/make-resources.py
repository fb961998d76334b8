#!/usr/bin/env python3
"""Draws the program's icon and toolbar pictures and writes them as .ico and .bmp files.

Usage: scripts/make-resources.py [output folder]   (default: src/ui/win32/res of this tree)
Standard library only. Shapes are filled with 4 x 4 samples per pixel, so edges are smooth; the
outputs are kept in the tree, so run this again only after changing a picture.
"""
import math
import os
import struct
import sys

SAMPLES = 4  # samples per pixel side

# ---------------------------------------------------------------------------------------------
# Canvas: a square of premultiplied RGBA floats (0..1), row 0 at the top.


def new_canvas(size, rgb=None, unit=1.0):
    """unit: canvas pixels per drawing unit, so one drawing serves several sizes."""
    fill = (0.0, 0.0, 0.0, 0.0) if rgb is None else (rgb[0] / 255, rgb[1] / 255, rgb[2] / 255, 1.0)
    return {"size": size, "px": [fill] * (size * size), "unit": unit}


def paint(canvas, shape, rgb, opacity=1.0):
    """Blends rgb over each pixel by the share of its samples that fall inside shape."""
    inside, (bx0, by0, bx1, by1) = shape
    u = canvas["unit"]
    if u != 1.0:
        scaled = inside
        inside = lambda x, y: scaled(x / u, y / u)  # noqa: E731
        bx0, by0, bx1, by1 = bx0 * u, by0 * u, bx1 * u, by1 * u
    n = canvas["size"]
    px = canvas["px"]
    col = (rgb[0] / 255, rgb[1] / 255, rgb[2] / 255)
    steps = [(k + 0.5) / SAMPLES for k in range(SAMPLES)]
    for y in range(max(0, int(by0)), min(n, int(math.ceil(by1)))):
        for x in range(max(0, int(bx0)), min(n, int(math.ceil(bx1)))):
            hits = sum(1 for sy in steps for sx in steps if inside(x + sx, y + sy))
            if hits:
                a = opacity * hits / (SAMPLES * SAMPLES)
                r, g, b, al = px[y * n + x]
                px[y * n + x] = (col[0] * a + r * (1 - a), col[1] * a + g * (1 - a),
                                 col[2] * a + b * (1 - a), a + al * (1 - a))


def pixel_rgba(canvas, x, y):
    """The pixel as 8-bit straight (not premultiplied) RGBA."""
    r, g, b, a = canvas["px"][y * canvas["size"] + x]
    if a <= 0:
        return (0, 0, 0, 0)
    return tuple(min(255, int(round(c / a * 255))) for c in (r, g, b)) + (int(round(a * 255)),)

# ---------------------------------------------------------------------------------------------
# Shapes: (inside(x, y), bounding box). Coordinates are in pixels of the canvas.


def rect(x0, y0, x1, y1):
    return (lambda x, y: x0 <= x < x1 and y0 <= y < y1), (x0, y0, x1, y1)


def frame(x0, y0, x1, y1, width):
    """The band of the given width just inside a rectangle's edges."""
    def inside(x, y):
        return (x0 <= x < x1 and y0 <= y < y1 and
                not (x0 + width <= x < x1 - width and y0 + width <= y < y1 - width))
    return inside, (x0, y0, x1, y1)


def circle(cx, cy, r):
    return (lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r), (cx - r, cy - r, cx + r, cy + r)


def arc(cx, cy, r_in, r_out, deg_from, deg_to):
    """Part of a ring between two angles (degrees, counter-clockwise from east, y pointing up)."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not r_in * r_in <= d2 <= r_out * r_out:
            return False
        deg = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return deg_from <= deg <= deg_to
    return inside, (cx - r_out, cy - r_out, cx + r_out, cy + r_out)


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy or 1)
    t = max(0.0, min(1.0, t))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def line(ax, ay, bx, by, width):
    """A stroke with round ends."""
    h = width / 2
    return ((lambda x, y: segment_distance(x, y, ax, ay, bx, by) <= h),
            (min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h))


def polygon(points, grow=0.0):
    """A polygon (even-odd rule), widened by `grow` pixels all round when grow > 0."""
    edges = list(zip(points, points[1:] + points[:1]))

    def inside(x, y):
        odd = False
        for (ax, ay), (bx, by) in edges:
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                odd = not odd
        if odd or grow <= 0:
            return odd
        return any(segment_distance(x, y, ax, ay, bx, by) <= grow for (ax, ay), (bx, by) in edges)
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return inside, (min(xs) - grow, min(ys) - grow, max(xs) + grow, max(ys) + grow)


def outlined(canvas, points, fill, edge, width):
    """A polygon with an edge of the given width around it."""
    paint(canvas, polygon(points, width), edge)
    paint(canvas, polygon(points), fill)


def shifted(points, dx, dy):
    return [(x + dx, y + dy) for x, y in points]


def mirrored(points, size):
    return [(size - x, y) for x, y in points]

# ---------------------------------------------------------------------------------------------
# Toolbar pictures, drawn on a 32 x 32 grid and made at 32, 48 and 64 pixels for 100%, 150%
# and 200% screens. The image list draws them without a mask, so each one fills its whole
# square: a tile with a thin border, like the framed colour squares beside them.

YELLOW, YELLOW_EDGE, YELLOW_SHADE = (255, 208, 0), (196, 140, 0), (222, 166, 0)
PALE, PALE_EDGE = (234, 240, 248), (148, 160, 178)
RED, RED_EDGE = (222, 36, 36), (128, 12, 12)
WHITE, ARROW_EDGE = (255, 255, 255), (140, 88, 0)

# An arrow pointing left, tip at x 3.5; the right arrow is its mirror image.
LEFT_ARROW = [(3.5, 16), (15, 4.5), (15, 10.5), (28, 10.5), (28, 21.5), (15, 21.5), (15, 27.5)]


def tile(fill, edge, size=32):
    c = new_canvas(size, fill, size / 32.0)
    paint(c, frame(0, 0, 32, 32, 1), edge)
    return c


def draw_arrow(points, size=32):
    c = tile(YELLOW, YELLOW_EDGE, size)
    paint(c, polygon(shifted(points, 1, 1), 1.2), YELLOW_SHADE)
    outlined(c, points, WHITE, ARROW_EDGE, 1.2)
    return c


def draw_door(size=32):
    c = tile(PALE, PALE_EDGE, size)
    wood, wood_edge, light = (186, 118, 58), (96, 56, 22), (255, 236, 158)
    paint(c, rect(3, 28, 29, 29), (150, 160, 176))     # floor
    paint(c, rect(10, 4, 23, 28), wood_edge)           # frame
    paint(c, rect(11.5, 5.5, 21.5, 28), light)         # daylight through the opening
    outlined(c, [(10.5, 5), (4.5, 3), (4.5, 29.5), (10.5, 27.5)], wood, wood_edge, 1)  # open leaf
    paint(c, circle(6.5, 16.5, 1.1), (250, 206, 70))   # knob
    outlined(c, [(13, 13), (20.5, 13), (20.5, 8.5), (28, 16), (20.5, 23.5), (20.5, 19), (13, 19)],
             RED, RED_EDGE, 1.1)
    return c


def draw_magnifier(size=32):
    c = tile(PALE, PALE_EDGE, size)
    paint(c, line(19.5, 19.5, 26.5, 26.5, 6.4), (40, 26, 18))   # handle edge
    paint(c, line(19.5, 19.5, 26.5, 26.5, 4.4), (120, 76, 44))  # handle
    paint(c, circle(13, 13, 10), (44, 52, 66))                  # rim, edged on both sides
    paint(c, circle(13, 13, 9), (120, 132, 150))
    paint(c, circle(13, 13, 7), (44, 52, 66))
    paint(c, circle(13, 13, 6.3), (178, 218, 250))              # glass
    paint(c, arc(13, 13, 3.6, 5.0, 100, 170), WHITE, 0.9)       # glint
    return c


def draw_save_tray(size=32):
    c = tile(PALE, PALE_EDGE, size)
    tray = [(3, 18), (10, 18), (12, 23), (20, 23), (22, 18), (29, 18), (29, 29), (3, 29)]
    outlined(c, tray, (92, 118, 160), (42, 58, 90), 1)
    paint(c, rect(12.5, 23, 19.5, 24), (150, 172, 206))        # lit floor of the dip
    arrow = [(13, 3.5), (19, 3.5), (19, 11.5), (24.5, 11.5), (16, 20.5), (7.5, 11.5), (13, 11.5)]
    outlined(c, arrow, RED, RED_EDGE, 1.1)
    return c

# ---------------------------------------------------------------------------------------------
# The program's icon: an open diary with ruled pages, a dated header line and a ribbon.


def page_lines(c, x0, x1, top0, top1, first, step, count, u):
    """Ruled lines parallel to a page's top edge, which runs from (x0, top0) to (x1, top1)."""
    for k in range(count):
        dy = first + k * step
        colour = (214, 48, 48) if k == 0 else (126, 164, 222)
        paint(c, line(x0 + 2 * u, top0 + dy, x1 - 1.6 * u, top1 + dy, max(0.9, 0.9 * u)), colour)


def draw_diary(size):
    u = size / 32.0
    c = new_canvas(size)
    edge = max(1.0, 0.9 * u)

    def p(points):
        return [(x * u, y * u) for x, y in points]
    outlined(c, p([(1, 8), (16, 10.5), (31, 8), (31, 28), (16, 30.5), (1, 28)]),
             (36, 70, 150), (16, 32, 80), edge)                            # cover
    left = p([(3, 5), (15.6, 7.5), (15.6, 27.5), (3, 25)])
    right = p([(16.4, 7.5), (29, 5), (29, 25), (16.4, 27.5)])
    outlined(c, left, (252, 252, 246), (118, 118, 132), edge)
    outlined(c, right, (252, 252, 246), (118, 118, 132), edge)
    count = 4 if size >= 32 else 3
    step = (17.0 if size >= 32 else 15.0) / count * u
    page_lines(c, 3 * u, 15.6 * u, 5 * u, 7.5 * u, 3.2 * u, step, count, u)
    page_lines(c, 16.4 * u, 29 * u, 7.5 * u, 5 * u, 3.2 * u, step, count, u)
    paint(c, polygon(p([(17, 7.3), (19.6, 6.8), (19.6, 31.5), (18.3, 30), (17, 31.5)])),
          (200, 24, 40))                                                   # ribbon
    return c

# ---------------------------------------------------------------------------------------------
# File writers: bottom-up rows, each padded to 4 bytes, as Windows expects.


def row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def info_header(width, height, bits, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                       2835, 2835, colours, colours)


def bmp_file(info, palette, pixels):
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def bmp24(canvas):
    n = canvas["size"]
    stride = row_bytes(24 * n)
    data = bytearray()
    for y in reversed(range(n)):
        row = bytearray()
        for x in range(n):
            r, g, b, _ = pixel_rgba(canvas, x, y)
            row += bytes((b, g, r))
        data += row + bytes(stride - len(row))
    return bmp_file(info_header(n, n, 24, len(data), 0), b"", bytes(data))


def bmp1_framed_square(rgb, size=32, border=2):
    """A square of colour index 1 in a frame of colour index 0 (black)."""
    stride = row_bytes(size)
    data = bytearray()
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            inner = border <= x < size - border and border <= y < size - border
            bits = (bits << 1) | (1 if inner else 0)
        row = bits.to_bytes(size // 8, "big")
        data += row + bytes(stride - len(row))
    palette = bytes((0, 0, 0, 0)) + bytes((rgb[2], rgb[1], rgb[0], 0))
    return bmp_file(info_header(size, size, 1, len(data), 2), palette, bytes(data))


def icon_image(canvas):
    """One image of an icon file: 32-bit BGRA with its AND mask (set where fully clear)."""
    n = canvas["size"]
    xor = bytearray()
    mask = bytearray()
    stride = row_bytes(n)
    for y in reversed(range(n)):
        bits = 0
        for x in range(n):
            r, g, b, a = pixel_rgba(canvas, x, y)
            xor += bytes((b, g, r, a))
            bits = (bits << 1) | (1 if a == 0 else 0)
        row = bits.to_bytes((n + 7) // 8, "big")
        mask += row + bytes(stride - len(row))
    return info_header(n, 2 * n, 32, len(xor) + len(mask), 0) + bytes(xor) + bytes(mask)


def ico_file(canvases):
    images = [icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        n = c["size"] % 256  # 0 stands for 256
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    return out + b"".join(images)

# ---------------------------------------------------------------------------------------------


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "src", "ui", "win32", "res")
    out = sys.argv[1] if len(sys.argv) > 1 else default
    os.makedirs(out, exist_ok=True)
    files = {}
    # The larger toolbar pictures, for screens at 150% and 200%.
    for n in (48, 64):
        border = 2 * n // 32
        files.update({
            f"arrow_left_{n}.bmp": bmp24(draw_arrow(LEFT_ARROW, n)),
            f"arrow_right_{n}.bmp": bmp24(draw_arrow(mirrored(LEFT_ARROW, 32), n)),
            f"door_{n}.bmp": bmp24(draw_door(n)),
            f"search_{n}.bmp": bmp24(draw_magnifier(n)),
            f"save_{n}.bmp": bmp24(draw_save_tray(n)),
            f"colour_white_{n}.bmp": bmp1_framed_square((255, 255, 255), n, border),
            f"colour_yellow_{n}.bmp": bmp1_framed_square((255, 255, 0), n, border),
            f"colour_green_{n}.bmp": bmp1_framed_square((128, 255, 128), n, border),
            f"colour_red_{n}.bmp": bmp1_framed_square((255, 128, 128), n, border),
            f"colour_blue_{n}.bmp": bmp1_framed_square((160, 160, 255), n, border),
        })
    files.update({
        "arrow_left.bmp": bmp24(draw_arrow(LEFT_ARROW)),
        "arrow_right.bmp": bmp24(draw_arrow(mirrored(LEFT_ARROW, 32))),
        "door.bmp": bmp24(draw_door()),
        "search.bmp": bmp24(draw_magnifier()),
        "save.bmp": bmp24(draw_save_tray()),
        "colour_white.bmp": bmp1_framed_square((255, 255, 255)),
        "colour_yellow.bmp": bmp1_framed_square((255, 255, 0)),
        "colour_green.bmp": bmp1_framed_square((128, 255, 128)),
        "colour_red.bmp": bmp1_framed_square((255, 128, 128)),
        "colour_blue.bmp": bmp1_framed_square((160, 160, 255)),
        "winwkb.ico": ico_file([draw_diary(n) for n in (16, 24, 32, 48)]),
    })
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
