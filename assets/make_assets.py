#!/usr/bin/env python3
"""Draws the setup program's pictures into OUT_DIR:

  lanjian.ico        window icon: one 96 x 89 32-bit image with alpha (stored as
                     PNG), a dark grey outline notebook with a pencil across its
                     lower right corner
  step-*.png         the four 56 x 48 step icons, a word in white on a blue ellipse
  emblem.png         200 x 300: a dark red brush character rising from orange
                     flames, a line of lettering beneath
  nebula.png         256 x 256: a starry nebula in blue and magenta, lettering
                     along the bottom

Every picture is RGBA with 8 bits per channel. The output is the same on every
run: the random parts use fixed seeds and no file carries a time stamp.

Usage: make_assets.py OUT_DIR
"""
import io
import random
import struct
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
SUPERSAMPLE = 4  # shapes are drawn this much larger, then scaled down smooth

STEP_WORDS = {"agreement": "协议", "readme": "自述", "folder": "路径", "install": "安装"}


def font(size):
    return ImageFont.truetype(FONT, size)


def smooth_down(image, size):
    return image.resize(size, Image.LANCZOS)


def png_bytes(image):
    out = io.BytesIO()
    image.save(out, format="PNG", optimize=True)
    return out.getvalue()


def save_picture(image, path):
    """Saves as RGBA PNG, its colours first reduced to a palette of 64: the
    pictures are shown scaled down, where that cannot be seen, and they take a
    third of the room in the program."""
    reduced = image.quantize(64, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE)
    path.write_bytes(png_bytes(reduced.convert("RGBA")))


# --- window icon -----------------------------------------------------------

def draw_notebook_icon():
    s = SUPERSAMPLE
    width, height = 96, 89
    image = Image.new("RGBA", (width * s, height * s), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    grey = (64, 64, 64, 255)
    line = 3 * s

    # The notebook: a rounded page with rings along its left edge and ruled lines.
    left, top, right, bottom = 14 * s, 6 * s, 74 * s, 80 * s
    draw.rounded_rectangle((left, top, right, bottom), radius=6 * s, outline=grey, width=line)
    draw.line((left + 10 * s, top, left + 10 * s, bottom), fill=grey, width=2 * s)
    for ring in range(6):
        y = top + (8 + ring * 12) * s
        draw.ellipse((left - 6 * s, y - 3 * s, left + 4 * s, y + 3 * s), outline=grey, width=2 * s)
    for rule in range(5):
        y = top + (16 + rule * 11) * s
        draw.line((left + 16 * s, y, right - 8 * s, y), fill=grey, width=2 * s)

    # The pencil, across the lower right corner, its white body hiding what lies beneath.
    pencil = Image.new("RGBA", (70 * s, 14 * s), (0, 0, 0, 0))
    pd = ImageDraw.Draw(pencil)
    body_end = 52 * s
    pd.rectangle((0, 1 * s, body_end, 13 * s), fill=(255, 255, 255, 255), outline=grey, width=line)
    pd.line((8 * s, 1 * s, 8 * s, 13 * s), fill=grey, width=2 * s)
    pd.polygon([(body_end, 1 * s), (69 * s, 7 * s), (body_end, 13 * s)],
               fill=(255, 255, 255, 255), outline=grey)
    pd.line((body_end, 1 * s, 69 * s, 7 * s, body_end, 13 * s), fill=grey, width=line)
    pd.polygon([(63 * s, 5 * s), (69 * s, 7 * s), (63 * s, 9 * s)], fill=grey)
    pencil = pencil.rotate(135, resample=Image.BICUBIC, expand=True)
    image.alpha_composite(pencil, (40 * s, 32 * s))

    return smooth_down(image, (width, height))


def ico_bytes(image):
    """An ICO file with one 32-bit RGBA image, stored PNG-compressed (an eighth
    of the size of the bitmap form)."""
    width, height = image.size
    data = png_bytes(image)
    head = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), 6 + 16)
    return head + entry + data


# --- step icons ------------------------------------------------------------

def draw_step_icon(word):
    s = SUPERSAMPLE
    width, height = 56, 48
    image = Image.new("RGBA", (width * s, height * s), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.ellipse((2 * s, 2 * s, (width - 2) * s, (height - 2) * s), fill=(0, 102, 204, 255))
    draw.ellipse((6 * s, 5 * s, (width - 6) * s, (height - 12) * s), fill=(30, 136, 229, 255))
    draw.text((width * s // 2, height * s // 2), word, font=font(17 * s), anchor="mm",
              fill=(255, 255, 255, 255))
    return smooth_down(image, (width, height))


# --- page 1: emblem over flames --------------------------------------------

def flame_tongue(draw, rng, base_x, base_y, height, width, colour):
    """A flame tongue: a teardrop whose tip leans a little to one side."""
    lean = rng.uniform(-0.3, 0.3) * width
    points = []
    steps = 24
    for i in range(steps + 1):
        t = i / steps
        half = width * (1 - t) ** 0.8 * (0.5 + 0.5 * (1 - abs(2 * t - 0.6)))
        points.append((base_x - half + lean * t * t, base_y - height * t))
    for i in range(steps, -1, -1):
        t = i / steps
        half = width * (1 - t) ** 0.8 * (0.5 + 0.5 * (1 - abs(2 * t - 0.6)))
        points.append((base_x + half + lean * t * t, base_y - height * t))
    draw.polygon(points, fill=colour)


def draw_flames(size, rng):
    width, height = size
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    base = int(height * 0.86)
    palette = [(214, 64, 12, 235), (240, 110, 20, 235), (252, 160, 30, 230), (255, 208, 80, 220)]
    for level, colour in enumerate(palette):
        count = 7 - level
        for _ in range(count):
            x = rng.uniform(width * 0.18, width * 0.82)
            tall = height * rng.uniform(0.42, 0.62) * (1 - level * 0.16)
            wide = width * rng.uniform(0.10, 0.16) * (1 - level * 0.12)
            flame_tongue(draw, rng, x, base, tall, wide, colour)
    draw.ellipse((width * 0.12, base - height * 0.05, width * 0.88, base + height * 0.04),
                 fill=(226, 84, 16, 235))
    return layer.filter(ImageFilter.GaussianBlur(radius=width / 90))


def draw_brush_character(size, rng, character):
    """A large character in dark red, roughened at its edges like a dry brush."""
    width, height = size
    glyph = Image.new("L", size, 0)
    ImageDraw.Draw(glyph).text((width // 2, int(height * 0.44)), character,
                               font=font(int(width * 0.78)), anchor="mm", fill=255)
    # Shift each row a little so the strokes get a ragged, hand-made edge.
    rows = Image.new("L", size, 0)
    for y in range(height):
        shift = int(round(rng.gauss(0, width / 260)))
        rows.paste(glyph.crop((0, y, width, y + 1)), (shift, y))
    # Dry-brush streaks: thin gaps along the strokes.
    streaks = Image.new("L", size, 255)
    sd = ImageDraw.Draw(streaks)
    for _ in range(60):
        x = rng.uniform(0, width)
        y = rng.uniform(0, height * 0.8)
        length = rng.uniform(width * 0.03, width * 0.1)
        sd.line((x, y, x + length, y + length * 0.3), fill=rng.randint(90, 190), width=2)
    alpha = ImageChops.multiply(rows, streaks).filter(ImageFilter.GaussianBlur(radius=width / 400))
    ink = Image.new("RGBA", size, (128, 12, 16, 255))
    ink.putalpha(alpha)
    # A few ink drops around the character.
    dots = ImageDraw.Draw(ink)
    for _ in range(10):
        x = rng.uniform(width * 0.1, width * 0.9)
        y = rng.uniform(height * 0.05, height * 0.6)
        r = rng.uniform(width / 200, width / 80)
        dots.ellipse((x - r, y - r, x + r, y + r), fill=(128, 12, 16, 230))
    return ink


def draw_emblem():
    rng = random.Random(1001)
    s = SUPERSAMPLE // 2
    width, height = 200 * s, 300 * s
    image = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    picture = Image.new("RGBA", (width, int(height * 0.86)), (0, 0, 0, 0))
    picture.alpha_composite(draw_flames(picture.size, rng))
    picture.alpha_composite(draw_brush_character(picture.size, rng, "岚"))
    image.alpha_composite(picture)
    lettering = ImageDraw.Draw(image)
    lettering.text((width // 2, int(height * 0.93)), "· 岚 笺 工 作 室 ·", font=font(20 * s),
                   anchor="mm", fill=(128, 12, 16, 255))
    return smooth_down(image, (200, 300))


# --- page 1: nebula --------------------------------------------------------

def draw_cloud(size, rng, colour, count, spread, centre):
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    cx, cy = centre
    for _ in range(count):
        x = rng.gauss(cx, spread[0])
        y = rng.gauss(cy, spread[1])
        r = rng.uniform(size[0] * 0.03, size[0] * 0.11)
        alpha = rng.randint(70, 150)
        draw.ellipse((x - r, y - r, x + r, y + r), fill=colour + (alpha,))
    return layer.filter(ImageFilter.GaussianBlur(radius=size[0] / 28))


def draw_nebula():
    rng = random.Random(2002)
    size = (256, 256)
    image = Image.new("RGBA", size, (0, 0, 0, 0))
    space = Image.new("RGBA", size, (8, 10, 32, 255))
    space.alpha_composite(draw_cloud(size, rng, (40, 90, 230), 70, (60, 40), (100, 110)))
    space.alpha_composite(draw_cloud(size, rng, (210, 40, 190), 60, (50, 35), (160, 130)))
    space.alpha_composite(draw_cloud(size, rng, (150, 190, 255), 25, (30, 20), (128, 118)))
    stars = ImageDraw.Draw(space)
    for _ in range(220):
        x, y = rng.uniform(0, 256), rng.uniform(0, 256)
        light = rng.randint(150, 255)
        stars.point((x, y), fill=(light, light, 255, 255))
    for _ in range(14):
        x, y = rng.uniform(10, 246), rng.uniform(10, 220)
        r = rng.uniform(1.0, 2.2)
        stars.ellipse((x - r, y - r, x + r, y + r), fill=(255, 255, 255, 255))
        stars.line((x - 3 * r, y, x + 3 * r, y), fill=(220, 230, 255, 180))
        stars.line((x, y - 3 * r, x, y + 3 * r), fill=(220, 230, 255, 180))
    lettering = ImageDraw.Draw(space)
    lettering.text((128, 238), "LANJIAN · 星 云", font=font(16), anchor="mm",
                   fill=(235, 215, 255, 255))
    # Rounded corners on a transparent ground.
    s = SUPERSAMPLE
    corners = Image.new("L", (256 * s, 256 * s), 0)
    ImageDraw.Draw(corners).rounded_rectangle((0, 0, 256 * s - 1, 256 * s - 1), radius=28 * s, fill=255)
    space.putalpha(smooth_down(corners, size))
    image.alpha_composite(space)
    return image


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    (out / "lanjian.ico").write_bytes(ico_bytes(draw_notebook_icon()))
    for name, word in STEP_WORDS.items():
        save_picture(draw_step_icon(word), out / f"step-{name}.png")
    save_picture(draw_emblem(), out / "emblem.png")
    save_picture(draw_nebula(), out / "nebula.png")


if __name__ == "__main__":
    main()
