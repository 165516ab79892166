#!/usr/bin/env python3
"""Draws the pictures of MorvTxtMvg and writes them next to this script.

    icons/app.ico          application icon: 32x32 and 16x16, 256 colours
    icons/open.ico         browse for an input file: 32x32 and 16x16, 16 colours
    icons/save.ico         choose the output file: 32x32, 16 colours
    bitmaps/picture.bmp    decorative picture of the conversion dialog: 119x115, 256 colours
    RUX/easy.bmp           help button at rest: 78x37, 24-bit
    RUX/easyUnderMouse.bmp help button under the mouse
    RUX/easyPressed.bmp    help button pressed

Only the Python standard library is used, so anyone can redraw the pictures:

    python3 resources/make_images.py [--preview DIR]

--preview also writes enlarged PNG copies into DIR for looking at them.
"""

import argparse
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# The classic 16-colour palette, in the order Windows uses for 4-bit images.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Letters for the 16 colours in pixel art ('.' is transparent).
VGA_KEYS = dict(zip("KrgybmcsdRGYBMCW", VGA))
BLACK, NAVY, OLIVE, GREY = VGA_KEYS["K"], VGA_KEYS["b"], VGA_KEYS["y"], VGA_KEYS["d"]
SILVER, YELLOW, BLUE, WHITE = VGA_KEYS["s"], VGA_KEYS["Y"], VGA_KEYS["B"], VGA_KEYS["W"]


# ---------------------------------------------------------------------------
# Canvas: rows top to bottom, each pixel an (r, g, b) tuple or None (transparent).

class Canvas:
    def __init__(self, width, height, colour=None):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def get(self, x, y):
        return self.pixels[y][x]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def blend(self, x, y, colour, alpha):
        """Covers a pixel by colour with the given opacity (0..1)."""
        if not (0 <= x < self.width and 0 <= y < self.height) or alpha <= 0:
            return
        under = self.pixels[y][x]
        if alpha >= 1 or under is None:
            self.pixels[y][x] = colour
            return
        self.pixels[y][x] = tuple(round(u + (c - u) * alpha) for u, c in zip(under, colour))

    def fill_rect(self, x0, y0, x1, y1, colour):
        """Fills columns x0..x1 and rows y0..y1, both inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def colours(self):
        return {p for row in self.pixels for p in row if p is not None}


def paint(canvas, inside, colour, samples=4):
    """Paints the shape inside(x, y) -> bool with samples x samples coverage per pixel.

    colour is an (r, g, b) tuple or a function (x, y) -> (r, g, b) of the pixel.
    """
    step = 1.0 / samples
    offsets = [(i + 0.5) * step for i in range(samples)]
    total = samples * samples
    for y in range(canvas.height):
        for x in range(canvas.width):
            hits = sum(1 for oy in offsets for ox in offsets if inside(x + ox, y + oy))
            if hits:
                c = colour(x, y) if callable(colour) else colour
                canvas.blend(x, y, c, hits / total)


def mask_of(width, height, inside):
    """Pixels whose centre lies inside the shape."""
    return {(x, y) for y in range(height) for x in range(width) if inside(x + 0.5, y + 0.5)}


def edge_of(mask):
    """Pixels of the mask with a 4-neighbour outside it."""
    return {(x, y) for (x, y) in mask
            if any(n not in mask for n in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)))}


def fill_mask(canvas, mask, fill, outline=None):
    """Fills a mask; its edge pixels take the outline colour when one is given."""
    edge = edge_of(mask) if outline else set()
    for (x, y) in mask:
        if (x, y) in edge:
            canvas.set(x, y, outline)
        else:
            canvas.set(x, y, fill(x, y) if callable(fill) else fill)


def pixel_art(canvas, rows, left=0, top=0, keys=None):
    """Copies pixel art (one letter per pixel, '.' transparent) onto the canvas."""
    keys = keys or VGA_KEYS
    for y, row in enumerate(rows):
        for x, key in enumerate(row):
            if key != ".":
                canvas.set(left + x, top + y, keys[key])


def in_polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            (xi, yi), (xj, yj) = points[i], points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def draw_line(canvas, x0, y0, x1, y1, colour):
    """A one-pixel line (Bresenham), both ends included."""
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
    err = dx + dy
    while True:
        canvas.set(x0, y0, colour)
        if x0 == x1 and y0 == y1:
            return
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def mix(a, b, t):
    return tuple(round(u + (v - u) * t) for u, v in zip(a, b))


def scale(colour, factor):
    return tuple(max(0, min(255, round(c * factor))) for c in colour)


# ---------------------------------------------------------------------------
# File writers.

def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def palette_of(canvas, size):
    colours = sorted(canvas.colours())
    if len(colours) > size:
        raise ValueError(f"{len(colours)} colours do not fit a palette of {size}")
    return colours + [(0, 0, 0)] * (size - len(colours))


def pack_indices(indices, bits):
    """One image row of palette indices as bytes, padded to 4 bytes."""
    out = bytearray()
    if bits == 8:
        out.extend(indices)
    elif bits == 4:
        for i in range(0, len(indices), 2):
            high = indices[i]
            low = indices[i + 1] if i + 1 < len(indices) else 0
            out.append(high << 4 | low)
    elif bits == 1:
        for i in range(0, len(indices), 8):
            byte = 0
            for j, v in enumerate(indices[i:i + 8]):
                byte |= v << (7 - j)
            out.append(byte)
    out.extend(b"\0" * (row_stride(len(indices), bits) - len(out)))
    return bytes(out)


def info_header(width, height, bits, image_size, colours_used):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                       2835, 2835, colours_used, 0)


def dib_rows(canvas, bits, palette):
    """The pixel rows bottom-up; transparent pixels become palette entry 0 or black."""
    rows = []
    for y in reversed(range(canvas.height)):
        line = canvas.pixels[y]
        if bits == 24:
            raw = bytearray()
            for p in line:
                r, g, b = p if p is not None else (0, 0, 0)
                raw.extend((b, g, r))
            raw.extend(b"\0" * (row_stride(canvas.width, 24) - len(raw)))
            rows.append(bytes(raw))
        else:
            index = {c: i for i, c in enumerate(palette)}
            rows.append(pack_indices([index[p] if p is not None else 0 for p in line], bits))
    return b"".join(rows)


def palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)


def bmp_bytes(canvas, bits):
    """An uncompressed bottom-up BMP: 24-bit, or 8-bit with a full 256-entry palette."""
    palette = palette_of(canvas, 256) if bits == 8 else []
    pixels = dib_rows(canvas, bits, palette)
    table = palette_bytes(palette)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info_header(canvas.width, canvas.height, bits, len(pixels),
                                len(palette)) + table + pixels


def icon_image_bytes(canvas, bits):
    """One icon image: header (double height), palette, colour rows, transparency mask."""
    palette = VGA if bits == 4 else palette_of(canvas, 256)
    if bits == 4:
        stray = canvas.colours() - set(VGA)
        if stray:
            raise ValueError(f"16-colour icon uses colours outside the palette: {stray}")
    colour_rows = dib_rows(canvas, bits, palette)
    mask_rows = b"".join(
        pack_indices([1 if p is None else 0 for p in canvas.pixels[y]], 1)
        for y in reversed(range(canvas.height)))
    header = info_header(canvas.width, canvas.height * 2, bits,
                         len(colour_rows) + len(mask_rows), 0)
    return header + palette_bytes(palette) + colour_rows + mask_rows


def ico_bytes(images):
    """An .ico file from (canvas, bits) pairs."""
    blobs = [icon_image_bytes(c, bits) for c, bits in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (canvas, bits), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256,
                           16 if bits == 4 else 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def png_bytes(canvas, zoom):
    """An enlarged RGB PNG for previews; transparency shows as a light chequerboard."""
    rows = []
    for y in range(canvas.height * zoom):
        raw = bytearray(b"\0")
        for x in range(canvas.width * zoom):
            p = canvas.pixels[y // zoom][x // zoom]
            if p is None:
                p = (230, 230, 230) if (x // 4 + y // 4) % 2 else (200, 200, 200)
            raw.extend(p)
        rows.append(bytes(raw))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    ihdr = struct.pack(">IIBBBBB", canvas.width * zoom, canvas.height * zoom, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------
# Application icon: a model grid of layered velocities, slow (blue) at the top to
# fast (red) at the bottom, with grid lines and a drop shadow.

VELOCITY_RAMP = [(60, 110, 220), (50, 170, 210), (80, 180, 90), (225, 205, 60),
                 (235, 135, 45), (200, 50, 40)]


def draw_app_icon(size):
    c = Canvas(size, size)
    n = size - 3  # the model square, leaving room for the shadow
    c.fill_rect(2, 2, n + 1, n + 1, (96, 96, 96))
    cell = 4 if size == 32 else 3
    layers = VELOCITY_RAMP if size == 32 else VELOCITY_RAMP[::2] + VELOCITY_RAMP[-1:]
    for y in range(n):
        for x in range(n):
            if x in (0, n - 1) or y in (0, n - 1):
                c.set(x, y, BLACK)
                continue
            u = x / (n - 1)
            # Layer boundaries rise over a dome in the middle of the model.
            depth = y / (n - 1) + 0.12 * math.exp(-((u - 0.55) / 0.28) ** 2) - 0.06
            layer = max(0, min(len(layers) - 1, int(depth * len(layers))))
            colour = layers[layer]
            if x % cell == 0 or y % cell == 0:
                colour = scale(colour, 0.72)
            c.set(x, y, colour)
    return c


# ---------------------------------------------------------------------------
# Open icon: an open yellow folder with a curved arrow above it.

OPEN_16 = [
    "................",
    "........bbb.....",
    ".......b...b.b..",
    "......b.....bb..",
    "...........bbb..",
    ".KKKK...........",
    "KWWWWK..........",
    "KWYYYKKKKKKK....",
    "KWYYYYYYYYYK....",
    "KWYYKKKKKKKKKKK.",
    "KWYKYYYYYYYYYYK.",
    "KWYKYYYYYYYYYK..",
    "KWKYYYYYYYYYYK..",
    "KYKyyyyyyyyyK...",
    "KKKKKKKKKKKKK...",
    "................",
]


def draw_open_icon(size):
    if size == 16:
        c = Canvas(16, 16)
        pixel_art(c, OPEN_16)
        return c
    c = Canvas(32, 32)
    back = mask_of(32, 32, in_polygon([(1, 12), (10, 12), (13, 15), (27, 15), (27, 31), (1, 31)]))

    back_inside = back - edge_of(back)

    def back_shade(x, y):
        # A white rim along the top and left inside the outline.
        rim = (x - 1, y) not in back_inside or (x, y - 1) not in back_inside
        return WHITE if rim else YELLOW

    fill_mask(c, back, back_shade, BLACK)
    paper = mask_of(32, 32, in_polygon([(5, 17), (22, 17), (22, 26), (5, 26)]))
    fill_mask(c, paper, WHITE, GREY)
    for y in (19, 21):
        for x in range(8, 20):
            c.set(x, y, GREY)
    flap = mask_of(32, 32, in_polygon([(8, 20), (32, 20), (25.5, 31), (1, 31)]))

    def flap_shade(x, y):
        return OLIVE if y >= 28 or (x, y + 1) not in flap - edge_of(flap) else YELLOW

    fill_mask(c, flap, flap_shade, BLACK)

    # The arrow: a thick arc over the folder ending in a head that points down.
    cx, cy = 19.0, 10.0

    def arrow(x, y):
        r = math.hypot(x - cx, y - cy)
        arc = 4.2 <= r <= 7.4 and y <= cy
        tail = 11.6 <= x <= 14.8 and cy <= y <= 13.5
        head = in_polygon([(21.0, cy), (29.0, cy), (25.0, 14.5)])(x, y)
        return arc or tail or head

    fill_mask(c, mask_of(32, 32, arrow), BLUE, NAVY)
    return c


# ---------------------------------------------------------------------------
# Save icon: a diskette seen from the front.

def draw_save_icon():
    c = Canvas(32, 32)
    body = mask_of(32, 32, in_polygon([(1, 1), (28, 1), (31, 4), (31, 31), (1, 31)]))
    inner = body - edge_of(body)
    rim = edge_of(inner)

    def body_shade(x, y):
        return BLUE if (x, y) in rim and (x < 4 or y < 4) else NAVY

    fill_mask(c, body, body_shade, BLACK)
    # Metal shutter with the window onto the disc.
    shutter = {(x, y) for x in range(8, 25) for y in range(1, 13)}
    fill_mask(c, shutter, lambda x, y: WHITE if x == 9 else SILVER, BLACK)
    c.fill_rect(18, 3, 21, 10, NAVY)
    # Label with a few lines of writing.
    label = {(x, y) for x in range(5, 27) for y in range(16, 31)}
    fill_mask(c, label, WHITE, BLACK)
    for y in (19, 22, 25):
        c.fill_rect(8, y, 23, y, GREY)
    c.fill_rect(8, 28, 16, 28, GREY)
    # Write-protect hole.
    c.fill_rect(2, 27, 3, 28, BLACK)
    return c


# ---------------------------------------------------------------------------
# Decorative picture: a layered earth cross-section with a seismic ray that leaves a
# source at the surface, refracts at each interface, reflects at the deepest one and
# comes back to a receiver.

PICTURE_W, PICTURE_H = 119, 115
SURFACE = 16
ROCK_LAYERS = [  # base colour, texture colour, texture
    ((226, 203, 138), (176, 150, 90), "dots"),      # sand
    ((152, 170, 132), (110, 128, 96), "dashes"),    # shale
    ((150, 170, 200), (104, 122, 156), "bricks"),   # limestone
    ((196, 128, 96), (150, 88, 64), "dots"),        # sandstone
    ((118, 96, 128), (86, 68, 96), "crosses"),      # basement
]
# Slowness of each layer, used to bend the ray: deeper rocks are faster.
LAYER_SPEED = [1.0, 1.35, 1.8, 2.3, 3.0]


def interface_depth(k, x):
    """Depth of the top of rock layer k (k >= 1) at column x: a gentle dome."""
    base = SURFACE + k * 19.5
    dome = (7 - k) * 1.6 * math.exp(-((x - 68) / 30.0) ** 2)
    return base - dome + 1.5 * math.sin(x / 13.0 + k)


def layer_at(x, y):
    for k in range(len(ROCK_LAYERS) - 1, 0, -1):
        if y >= interface_depth(k, x):
            return k
    return 0


def texture_hit(kind, x, y):
    if kind == "dots":
        return (x * 7 + y * 13) % 11 == 0 or (x * 5 + y * 3) % 17 == 0
    if kind == "dashes":
        return y % 4 == 0 and (x + 3 * (y // 4)) % 7 < 4
    if kind == "bricks":
        return y % 5 == 0 or (x + (5 if (y // 5) % 2 else 0)) % 10 == 0
    if kind == "crosses":
        u, v = x % 8, y % 8
        return (u == 3 and 2 <= v <= 4) or (v == 3 and 2 <= u <= 4)
    return False


def ray_path(source_x, reflect_layer):
    """Points of a ray going down through the layers and back up after a reflection."""
    points = [(source_x, SURFACE)]
    x = source_x
    # Horizontal travel per layer grows with the layer's speed (Snell's law, loosely).
    sin0 = 0.28
    down = []
    for k in range(reflect_layer):
        top = SURFACE if k == 0 else interface_depth(k, x)
        s = min(0.95, sin0 * LAYER_SPEED[k])
        bottom = interface_depth(k + 1, x)
        dx = (bottom - top) * s / math.sqrt(1 - s * s)
        x += dx
        down.append(dx)
        points.append((x, interface_depth(k + 1, x)))
    for k, dx in zip(reversed(range(reflect_layer)), reversed(down)):
        x += dx
        y = SURFACE if k == 0 else interface_depth(k, x)
        points.append((x, y))
    return points


def draw_picture():
    c = Canvas(PICTURE_W, PICTURE_H)
    sky_top, sky_bottom = (120, 170, 230), (214, 232, 248)
    for y in range(PICTURE_H):
        for x in range(PICTURE_W):
            if y < SURFACE:
                c.set(x, y, mix(sky_top, sky_bottom, round(y / SURFACE * 5) / 5))
                continue
            k = layer_at(x, y)
            base, mark, kind = ROCK_LAYERS[k]
            c.set(x, y, mark if texture_hit(kind, x, y) else base)
    # Interfaces as thin dark lines, the ground as a green strip.
    for k in range(1, len(ROCK_LAYERS)):
        for x in range(PICTURE_W):
            c.set(x, round(interface_depth(k, x)), scale(ROCK_LAYERS[k][0], 0.6))
    c.fill_rect(0, SURFACE, PICTURE_W - 1, SURFACE + 1, (70, 140, 60))
    # Two rays from the source to receivers, reflected at different interfaces.
    source_x = 16
    for reflect, colour in ((4, (220, 30, 30)), (3, (250, 230, 40))):
        points = ray_path(source_x, reflect)
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            draw_line(c, round(x0), round(y0), round(x1), round(y1), colour)
    # Receivers (small dark triangles) where the rays come back, and between them.
    ends = [round(ray_path(source_x, reflect)[-1][0]) for reflect in (3, 4)]
    receivers = ends + [rx for rx in range(34, PICTURE_W - 4, 14)
                        if all(abs(rx - e) > 8 for e in ends)]
    for rx in receivers:
        for dy in range(4):
            c.fill_rect(rx - dy, SURFACE - 4 + dy, rx + dy, SURFACE - 4 + dy, (40, 40, 60))
    for dx, dy in ((0, -4), (0, -3), (0, -2), (-1, -2), (1, -2), (-2, -1), (2, -1), (-3, -3), (3, -3),
                   (-1, -1), (0, -1), (1, -1), (-2, 0), (-1, 0), (0, 0), (1, 0), (2, 0)):
        c.set(source_x + dx, SURFACE + dy - 1, (230, 40, 20))
    c.set(source_x, SURFACE - 2, (255, 230, 60))
    # A plain dark frame.
    for x in range(PICTURE_W):
        c.set(x, 0, (64, 64, 64))
        c.set(x, PICTURE_H - 1, (64, 64, 64))
    for y in range(PICTURE_H):
        c.set(0, y, (64, 64, 64))
        c.set(PICTURE_W - 1, y, (64, 64, 64))
    return c


# ---------------------------------------------------------------------------
# Help button pictures: a blue "?" disc and the word "Help" on a classic button,
# at rest, under the mouse (lighter, blue text) and pressed (sunken, moved by one).

BUTTON_W, BUTTON_H = 78, 37
GLYPHS = {
    "H": ["##....##"] * 4 + ["########"] * 2 + ["##....##"] * 5,
    "e": [".", ".", ".", ".#####.", "##...##", "##...##", "#######", "##.....", "##.....",
          "##...##", ".#####."],
    "l": ["##"] * 11,
    "p": [".", ".", ".", "##.###.", "###..##", "##...##", "##...##", "##...##", "##...##",
          "###..##", "##.###.", "##.....", "##.....", "##....."],
}


def draw_text(canvas, text, left, top, colour):
    x = left
    for ch in text:
        rows = GLYPHS[ch]
        for dy, row in enumerate(rows):
            for dx, bit in enumerate(row):
                if bit == "#":
                    canvas.set(x + dx, top + dy, colour)
        x += max(len(r) for r in rows) + 1


def question_mark(cx, cy):
    """The "?" as a shape: a hook, a neck and a dot."""
    hx, hy = cx, cy - 4.2

    def inside(x, y):
        r = math.hypot(x - hx, y - hy)
        angle = math.degrees(math.atan2(y - hy, x - hx))  # 0 right, 90 down
        # The ring open at the lower left, where the neck leaves it.
        hook = 2.6 <= r <= 5.3 and not 75 < angle < 160
        neck = segment_distance(x, y, hx + 1.4, hy + 4.0, cx, cy + 1.0) <= 1.35
        stem = abs(x - cx) <= 1.35 and cy + 0.5 <= y <= cy + 2.6
        dot = math.hypot(x - cx, y - (cy + 6.0)) <= 1.7
        return hook or neck or stem or dot

    return inside


def draw_help_button(state):
    # The system's usual button colours (face 240, light 227, shadow 160, dark 105).
    face = {"normal": (240, 240, 240), "hover": (250, 250, 250), "pressed": (228, 228, 228)}[state]
    c = Canvas(BUTTON_W, BUTTON_H, face)
    w, h = BUTTON_W - 1, BUTTON_H - 1
    light, lighter, shadow, dark = (255, 255, 255), (227, 227, 227), (160, 160, 160), (105, 105, 105)
    if state == "pressed":
        outer_tl, inner_tl, inner_br, outer_br = dark, shadow, lighter, light
    else:
        outer_tl, inner_tl, inner_br, outer_br = light, lighter, shadow, dark
    for x in range(BUTTON_W):
        c.set(x, 0, outer_tl)
        c.set(x, h, outer_br)
    for y in range(BUTTON_H):
        c.set(0, y, outer_tl)
        c.set(w, y, outer_br)
    for x in range(1, w):
        c.set(x, 1, inner_tl)
        c.set(x, h - 1, inner_br)
    for y in range(1, h):
        c.set(1, y, inner_tl)
        c.set(w - 1, y, inner_br)
    if state == "hover":
        # A thin blue focus ring inside the frame, like a hot-tracked button.
        for x in range(3, w - 2):
            c.set(x, 3, (150, 180, 235))
            c.set(x, h - 3, (150, 180, 235))
        for y in range(3, h - 2):
            c.set(3, y, (150, 180, 235))
            c.set(w - 3, y, (150, 180, 235))

    shift = 1 if state == "pressed" else 0
    cx, cy, radius = 22.5 + shift, 18.5 + shift, 12.0
    if state == "hover":
        top, bottom, rim = (120, 170, 255), (40, 90, 220), (20, 60, 170)
    else:
        top, bottom, rim = (90, 135, 230), (20, 60, 170), (10, 35, 110)

    def disc_colour(x, y):
        return mix(top, bottom, max(0.0, min(1.0, (y - (cy - radius)) / (2 * radius))))

    paint(c, lambda x, y: math.hypot(x - cx, y - cy) <= radius + 0.2, rim)
    paint(c, lambda x, y: math.hypot(x - cx, y - cy) <= radius - 1.0, disc_colour)
    # A soft highlight in the upper left of the disc.
    paint(c, lambda x, y: math.hypot(x - (cx - 4), y - (cy - 5.5)) <= 4.5,
          lambda x, y: mix(disc_colour(x, y), (255, 255, 255), 0.35))
    paint(c, question_mark(cx, cy), (255, 255, 255))
    text = (0, 0, 128) if state == "hover" else (0, 0, 0)
    draw_text(c, "Help", 42 + shift, 13 + shift, text)
    return c


# ---------------------------------------------------------------------------

def write(path, data):
    full = os.path.join(HERE, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)
    print(f"wrote {path} ({len(data)} bytes)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="DIR", help="also write enlarged PNG copies here")
    args = parser.parse_args()

    app32, app16 = draw_app_icon(32), draw_app_icon(16)
    open32, open16 = draw_open_icon(32), draw_open_icon(16)
    save32 = draw_save_icon()
    picture = draw_picture()
    buttons = {name: draw_help_button(state) for name, state in
               (("easy", "normal"), ("easyUnderMouse", "hover"), ("easyPressed", "pressed"))}

    write("icons/app.ico", ico_bytes([(app32, 8), (app16, 8)]))
    write("icons/open.ico", ico_bytes([(open32, 4), (open16, 4)]))
    write("icons/save.ico", ico_bytes([(save32, 4)]))
    write("bitmaps/picture.bmp", bmp_bytes(picture, 8))
    for name, canvas in buttons.items():
        write(f"RUX/{name}.bmp", bmp_bytes(canvas, 24))

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        previews = [("app32", app32, 8), ("app16", app16, 8), ("open32", open32, 8),
                    ("open16", open16, 8), ("save32", save32, 8), ("picture", picture, 4)]
        previews += [(name, canvas, 4) for name, canvas in buttons.items()]
        for name, canvas, zoom in previews:
            with open(os.path.join(args.preview, name + ".png"), "wb") as f:
                f.write(png_bytes(canvas, zoom))
        print(f"previews in {args.preview}")


if __name__ == "__main__":
    main()
