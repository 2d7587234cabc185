#!/usr/bin/python3
"""Regenerate the program's image assets in this folder.

faces.jpg -- four round cream faces on black, two by two, one for each
             classic temperament: sanguine (top left), choleric (top right),
             phlegmatic (bottom left) and melancholic (bottom right).
app.ico   -- a 32 x 32, 256-colour Windows icon of a hamburger with a
             transparent background, written byte by byte.
app.png   -- the same image as a PNG, for the Linux desktop's icon theme.

Everything is drawn with code; the output is the same bytes on every run.
Needs Debian's python3-pil (apt-get install python3-pil), so run it as
    /usr/bin/python3 resources/make_assets.py

The build of the browser version draws the same hamburger at the sizes a web
app manifest asks for (192 and 512 pixels), with smooth edges:
    /usr/bin/python3 resources/make_assets.py --icon SIZE PATH.png
"""

import os
import struct
import sys

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------
# faces.jpg
# ---------------------------------------------------------------------------

FACES_SIZE = 220
FACES_SCALE = 4            # draw big, then shrink: smooth edges
FACES_QUALITY = 75         # gives a file of about 9 KB

CREAM = (250, 235, 200)
RIM = (205, 170, 120)
INK = (70, 45, 30)
MOUTH_RED = (150, 45, 45)
TONGUE = (230, 110, 110)
BLUSH = (245, 175, 160)
ANGRY_RED = (240, 140, 110)
TEAR_BLUE = (140, 190, 240)
WHITE = (255, 255, 255)


class Pen:
    """Draws with coordinates relative to a face centre, in output pixels."""

    def __init__(self, draw, cx, cy, scale):
        self.draw = draw
        self.cx = cx
        self.cy = cy
        self.s = scale

    def box(self, x0, y0, x1, y1):
        s = self.s
        return [(self.cx + x0) * s, (self.cy + y0) * s,
                (self.cx + x1) * s, (self.cy + y1) * s]

    def point(self, x, y):
        return ((self.cx + x) * self.s, (self.cy + y) * self.s)

    def ellipse(self, box, fill, outline=None, width=0):
        self.draw.ellipse(self.box(*box), fill=fill, outline=outline,
                          width=round(width * self.s))

    def chord(self, box, start, end, fill):
        self.draw.chord(self.box(*box), start, end, fill=fill)

    def arc(self, box, start, end, width):
        self.draw.arc(self.box(*box), start, end, fill=INK,
                      width=round(width * self.s))

    def line(self, points, width, fill=INK):
        pts = [self.point(x, y) for x, y in points]
        self.draw.line(pts, fill=fill, width=round(width * self.s),
                       joint="curve")
        r = width * self.s / 2          # round the line ends
        for x, y in (pts[0], pts[-1]):
            self.draw.ellipse([x - r, y - r, x + r, y + r], fill=fill)

    def polygon(self, points, fill):
        self.draw.polygon([self.point(x, y) for x, y in points], fill=fill)


def face_base(pen):
    """The round cream face every temperament shares."""
    pen.ellipse((-47, -47, 47, 47), CREAM, RIM, 2)


def round_eyes(pen, dy=-6, rx=5, ry=6.5, look=0):
    for side in (-1, 1):
        x = side * 16
        pen.ellipse((x - rx, dy - ry, x + rx, dy + ry), INK)
        # small white highlight
        hx, hy = x - 1.5 + look, dy - 2.5 + look
        pen.ellipse((hx - 1.6, hy - 1.6, hx + 1.6, hy + 1.6), WHITE)


def draw_sanguine(pen):
    """Cheerful: raised brows, bright eyes, rosy cheeks, wide open smile."""
    face_base(pen)
    for side in (-1, 1):
        pen.arc((side * 16 - 9, -26, side * 16 + 9, -12), 200, 340, 2.5)
        pen.ellipse((side * 27 - 7, 6, side * 27 + 7, 15), BLUSH)
    round_eyes(pen, dy=-5)
    pen.chord((-21, -6, 21, 32), 0, 180, MOUTH_RED)
    pen.chord((-11, 18, 11, 36), 180, 360, TONGUE)
    # top lip edge and the curve of the smile
    pen.line([(-21, 13), (21, 13)], 2.5)
    pen.arc((-21, -6, 21, 32), 0, 180, 2.5)


def draw_choleric(pen):
    """Angry: brows slanting down to the nose, red cheeks, clenched teeth."""
    face_base(pen)
    for side in (-1, 1):
        pen.ellipse((side * 27 - 7, 6, side * 27 + 7, 15), ANGRY_RED)
        # eye, with the top cut off by the lowered brow
        x = side * 16
        pen.ellipse((x - 5, -8, x + 5, 4), INK)
        pen.polygon([(side * 8, -11), (side * 8, -3),
                     (side * 25, -12), (side * 25, -16)], CREAM)
        pen.line([(side * 7, -7), (side * 26, -17)], 4)
    # clenched teeth behind a tight, downturned mouth
    pen.chord((-17, 19, 17, 43), 200, 340, WHITE)
    pen.polygon([(-15, 27), (15, 27), (15, 31), (-15, 31)], WHITE)
    pen.line([(-15, 27), (15, 27)], 0.8)
    for x in (-7.5, 0, 7.5):
        pen.line([(x, 22.5), (x, 31)], 0.8)
    pen.arc((-17, 19, 17, 43), 200, 340, 2.5)
    pen.line([(-15, 27.5), (-15, 31), (15, 31), (15, 27.5)], 2.5)


def draw_phlegmatic(pen):
    """Calm: level brows, half-closed sleepy eyes, small straight mouth."""
    face_base(pen)
    for side in (-1, 1):
        x = side * 16
        pen.line([(x - 8, -17), (x + 8, -17)], 2.5)
        # the lower half of the eye shows under a heavy lid
        pen.chord((x - 7, -10, x + 7, 4), 0, 180, INK)
        pen.line([(x - 8, -3), (x + 8, -3)], 2.5)
    pen.line([(-10, 21), (10, 21)], 3)


def draw_melancholic(pen):
    """Sad: inner brow ends raised, eyes looking down, drooping mouth, tear."""
    face_base(pen)
    for side in (-1, 1):
        pen.line([(side * 7, -22), (side * 25, -15)], 3)
    round_eyes(pen, dy=-4, rx=4.5, ry=5.5, look=1.5)
    # downturned mouth
    pen.arc((-15, 20, 15, 40), 205, 335, 3)
    # a tear running from the left eye
    pen.polygon([(-22, 4), (-24.8, 11), (-19.2, 11)], TEAR_BLUE)
    pen.ellipse((-25, 8.5, -19, 14.5), TEAR_BLUE)


def make_faces(path):
    s = FACES_SCALE
    big = Image.new("RGB", (FACES_SIZE * s, FACES_SIZE * s), (0, 0, 0))
    draw = ImageDraw.Draw(big)
    half = FACES_SIZE // 2
    layout = [
        (draw_sanguine, half // 2, half // 2),
        (draw_choleric, half + half // 2, half // 2),
        (draw_phlegmatic, half // 2, half + half // 2),
        (draw_melancholic, half + half // 2, half + half // 2),
    ]
    for draw_face, cx, cy in layout:
        draw_face(Pen(draw, cx, cy, s))
    small = big.resize((FACES_SIZE, FACES_SIZE), Image.LANCZOS)
    small.save(path, "JPEG", quality=FACES_QUALITY, progressive=False,
               optimize=False, subsampling="4:2:0")


# ---------------------------------------------------------------------------
# app.ico
# ---------------------------------------------------------------------------

ICON_SIZE = 32
ICON_SCALE = 8

BUN = (226, 150, 60)
BUN_LIGHT = (244, 190, 110)
BUN_EDGE = (120, 64, 20)
SEED = (255, 245, 210)
LETTUCE = (95, 185, 50)
LETTUCE_EDGE = (40, 100, 25)
CHEESE = (255, 205, 40)
PATTY = (110, 58, 30)
PATTY_EDGE = (60, 30, 15)


def draw_burger(draw, s):
    """Hamburger in a 32 x 32 grid; s is the drawing scale."""
    def b(x0, y0, x1, y1):
        return [x0 * s, y0 * s, x1 * s, y1 * s]

    edge = s  # one output pixel of outline

    # bottom bun
    draw.rounded_rectangle(b(4, 22, 28, 28), radius=3 * s, fill=BUN,
                           outline=BUN_EDGE, width=edge)
    # patty
    draw.rounded_rectangle(b(3, 17.5, 29, 23), radius=2.5 * s, fill=PATTY,
                           outline=PATTY_EDGE, width=edge)
    # cheese slice with two drips
    draw.polygon([(3 * s, 16 * s), (29 * s, 16 * s), (29 * s, 18 * s),
                  (23 * s, 18 * s), (21 * s, 21 * s), (19 * s, 18 * s),
                  (11 * s, 18 * s), (9 * s, 20.5 * s), (7 * s, 18 * s),
                  (3 * s, 18 * s)], fill=CHEESE)
    # lettuce: a band with a wavy lower edge
    draw.rectangle(b(2.5, 13.5, 29.5, 16), fill=LETTUCE)
    for i in range(7):
        x = 3.5 + i * 4
        draw.ellipse(b(x - 2, 14, x + 2, 17.5), fill=LETTUCE,
                     outline=LETTUCE_EDGE, width=edge // 2)
    draw.rectangle(b(2.5, 13.5, 29.5, 15.5), fill=LETTUCE)
    # top bun: a dome
    draw.chord(b(3, 3, 29, 25), 180, 360, fill=BUN, outline=BUN_EDGE,
               width=edge)
    draw.rounded_rectangle(b(3, 12, 29, 15), radius=1.5 * s, fill=BUN,
                           outline=BUN_EDGE, width=edge)
    draw.rectangle(b(4, 11, 28, 13), fill=BUN)
    # shine on the bun
    draw.chord(b(7, 5.5, 17, 12), 190, 300, fill=BUN_LIGHT)
    # sesame seeds
    for x, y in ((11, 7), (16, 5.5), (21, 7), (8, 10.5), (14, 9.5),
                 (19, 10), (24, 10.5)):
        draw.ellipse(b(x - 1.1, y - 0.7, x + 1.1, y + 0.7), fill=SEED)


def render_icon():
    """Return (index rows top-down, palette, opaque mask) for the icon."""
    s = ICON_SCALE
    big = Image.new("RGBA", (ICON_SIZE * s, ICON_SIZE * s), (0, 0, 0, 0))
    draw_burger(ImageDraw.Draw(big), s)
    small = big.resize((ICON_SIZE, ICON_SIZE), Image.LANCZOS)

    rgb = small.convert("RGB")
    alpha = small.getchannel("A")
    opaque = [[alpha.getpixel((x, y)) >= 128 for x in range(ICON_SIZE)]
              for y in range(ICON_SIZE)]

    # Palette index 0 is black and used for transparent pixels; the
    # burger gets up to 255 colours of its own.
    quant = rgb.quantize(colors=255, method=Image.Quantize.MEDIANCUT,
                         dither=Image.Dither.NONE)
    qpal = quant.getpalette()[:255 * 3]
    palette = [(0, 0, 0)] + [tuple(qpal[i:i + 3]) for i in
                             range(0, len(qpal), 3)]
    palette += [(0, 0, 0)] * (256 - len(palette))

    rows = []
    for y in range(ICON_SIZE):
        row = []
        for x in range(ICON_SIZE):
            row.append(quant.getpixel((x, y)) + 1 if opaque[y][x] else 0)
        rows.append(row)
    return rows, palette, opaque


def write_ico(path, rows, palette, opaque):
    n = ICON_SIZE
    xor_size = n * n                     # 8 bpp, rows already 4-byte aligned
    and_stride = ((n + 31) // 32) * 4    # 1 bpp, padded to 4 bytes
    and_size = and_stride * n
    image_size = 40 + 256 * 4 + xor_size + and_size

    data = bytearray()
    # ICONDIR: reserved, type 1 (icon), one image
    data += struct.pack("<HHH", 0, 1, 1)
    # ICONDIRENTRY: w, h, colours (0 = 256), reserved, planes, bpp,
    # size of image data, offset of image data
    data += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 8, image_size, 6 + 16)
    # BITMAPINFOHEADER: height counts XOR and AND bitmaps together
    data += struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 8, 0,
                        xor_size + and_size, 0, 0, 256, 0)
    for r, g, b in palette:
        data += struct.pack("<BBBB", b, g, r, 0)
    for y in reversed(range(n)):         # bottom-up
        data += bytes(rows[y])
    for y in reversed(range(n)):
        bits = bytearray(and_stride)
        for x in range(n):
            if not opaque[y][x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        data += bits
    assert len(data) == 6 + 16 + image_size
    with open(path, "wb") as f:
        f.write(data)


def write_png(path, rows, palette, opaque):
    image = Image.new("RGBA", (ICON_SIZE, ICON_SIZE))
    image.putdata([palette[index] + ((255,) if opaque[y][x] else (0,))
                   for y, row in enumerate(rows) for x, index in enumerate(row)])
    image.save(path, "PNG", optimize=True)


def make_icon(ico_path, png_path):
    rows, palette, opaque = render_icon()
    write_ico(ico_path, rows, palette, opaque)
    write_png(png_path, rows, palette, opaque)


def make_large_icon(size, path):
    """The icon's hamburger drawn at size x size pixels, as a PNG; the drawing
    takes whole pixels, so the size is a multiple of 8 (32 at 4 times)."""
    if size <= 0 or size * 4 % ICON_SIZE:
        sys.exit(f"an icon of {size} pixels: the size must be a multiple of 8")
    big = Image.new("RGBA", (size * 4, size * 4), (0, 0, 0, 0))
    draw_burger(ImageDraw.Draw(big), size * 4 // ICON_SIZE)
    big.resize((size, size), Image.LANCZOS).save(path, "PNG", optimize=True)


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--icon" and sys.argv[2].isdigit():
        make_large_icon(int(sys.argv[2]), sys.argv[3])
        return
    if len(sys.argv) > 1:
        sys.exit("usage: make_assets.py [--icon SIZE PATH.png]")
    make_faces(os.path.join(HERE, "faces.jpg"))
    make_icon(os.path.join(HERE, "app.ico"), os.path.join(HERE, "app.png"))


if __name__ == "__main__":
    main()
