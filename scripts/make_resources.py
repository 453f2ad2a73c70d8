#!/usr/bin/env python3
"""Regenerates the committed picture resources in src/resources/.

The build uses the committed files and never runs this script. Run it after editing
src/resources/button_bitmaps.txt or the icon drawing below:  python3 scripts/make_resources.py
"""
import math
import pathlib
import struct
import zlib

RESOURCES = pathlib.Path(__file__).resolve().parent.parent / "src" / "resources"
BUTTON_TABLES = RESOURCES / "button_bitmaps.txt"

BUTTON_SIZE = 13
# The pictures for 125, 150 and 200 % are drawn from the 13-pixel ones: a whole multiple repeats
# every pixel; any other size keeps a one-pixel frame and spreads the 11 x 11 inside over the
# larger inside, each target pixel taking the source pixel under its centre.
SCALED_BUTTON_SIZES = (16, 20, 26)
BLACK_PIXEL = "#"
WHITE_PIXEL = "."
COMMENT_MARK = "# "  # a picture row never holds a space

BMP_FILE_HEADER_SIZE = 14
BMP_INFO_HEADER_SIZE = 40
BI_RGB = 0
# Index 0 black, index 1 white, each as blue, green, red, reserved.
MONO_PALETTE = bytes([0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0])

APP_ICON_FILE = "app.ico"
# The small and large icon sizes of 100, 125, 150 and 200 %: 16, 20, 24, 32 and 32, 40, 48, 64.
APP_ICON_SIZES = (16, 20, 24, 32, 40, 48, 64)
TRAY_ICON_FILE = "tray_icon.ico"
TRAY_ICON_SIZES = (16, 20, 24, 32)
# What a display at 100 % loads is kept as a plain DIB; every other size is PNG-compressed
# (read by Windows Vista and later), which keeps the program small.
DIB_ICON_SIZES = {"app": (16, 32), "tray": (16,)}
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
PNG_RGBA = 6
PNG_FILTERS = 5
ICON_BITS = 32
ICO_TYPE_ICON = 1
ICO_DIR_SIZE = 6
ICO_ENTRY_SIZE = 16

# The icons are drawn on a 16-unit grid and scaled, so every size shows the same picture.
GRID = 16.0
SAMPLES = 8  # per pixel side, for the anti-aliased edges
SWATCH_MARGIN = 1.0
SWATCH_RADIUS = 3.5
OUTLINE_WIDTH = 0.9
OUTLINE_COLOR = (0x26, 0x2A, 0x33, 1.0)
# The swatch is cut along its anti-diagonal into bands, top-left first; a band ends where
# x + y reaches its limit.
SWATCH_BANDS = (
    (12.0, (0xFF, 0x6F, 0x59, 1.0)),
    (20.0, (0x8A, 0x5C, 0xE6, 1.0)),
    (math.inf, (0x1C, 0xB2, 0xA4, 1.0)),
)
CROSS_RADIUS = 2.6
CROSS_WIDTH = 1.1
CROSS_TICK_REACH = 5.2  # from the centre, where the crosshair's arms end
CROSS_HALO = 0.7  # dark rim that keeps the white crosshair readable on the light colours
CROSS_COLOR = (0xFF, 0xFF, 0xFF, 1.0)
HALO_COLOR = (0x1A, 0x1D, 0x24, 0.75)
# The tray picture is tiny and sits on any taskbar colour: fuller swatch, ring only.
TRAY_SWATCH_MARGIN = 0.5
TRAY_CROSS_RADIUS = 2.4


def read_button_tables():
    tables, name = {}, None
    for raw in BUTTON_TABLES.read_text().splitlines():
        line = raw.strip()
        if not line:
            continue
        if line.startswith(COMMENT_MARK):
            continue
        if line.endswith(".bmp"):
            name = line
            tables[name] = []
            continue
        if name is None or len(tables[name]) == BUTTON_SIZE:
            raise SystemExit(f"row {line!r} belongs to no picture")
        if len(line) != BUTTON_SIZE or not set(line) <= {BLACK_PIXEL, WHITE_PIXEL}:
            raise SystemExit(f"{name}: row {line!r} is not {BUTTON_SIZE} pixels of {BLACK_PIXEL!r}/{WHITE_PIXEL!r}")
        tables[name].append(line)
    for name, rows in tables.items():
        if len(rows) != BUTTON_SIZE:
            raise SystemExit(f"{name}: {len(rows)} rows instead of {BUTTON_SIZE}")
    return tables


def padded_row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def scaled_picture(rows, size):
    """The 13-pixel picture drawn at size pixels, as rows of '#' and '.'."""
    if size % BUTTON_SIZE == 0:
        factor = size // BUTTON_SIZE
        return ["".join(pixel * factor for pixel in row) for row in rows for _ in range(factor)]
    inner, source = size - 2, BUTTON_SIZE - 2
    pick = [1 + (2 * i + 1) * source // (2 * inner) for i in range(inner)]
    body = [BLACK_PIXEL + "".join(rows[y][x] for x in pick) + BLACK_PIXEL for y in pick]
    frame = BLACK_PIXEL * size
    return [frame] + body + [frame]


def mono_bmp(rows):
    """A 1-bpp BMP file, bottom-up, palette index 0 black and 1 white."""
    size = len(rows)
    stride = padded_row_bytes(size)
    bits = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel == WHITE_PIXEL:
                line[x // 8] |= 0x80 >> (x % 8)
        bits += line
    offset = BMP_FILE_HEADER_SIZE + BMP_INFO_HEADER_SIZE + len(MONO_PALETTE)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    colors = len(MONO_PALETTE) // 4
    info = struct.pack("<IiiHHIIiiII", BMP_INFO_HEADER_SIZE, size, size, 1, 1, BI_RGB,
                       len(bits), 0, 0, colors, colors)
    return file_header + info + MONO_PALETTE + bits


# --- Icon drawing: each shape answers "is this point inside" in grid units. ---

def in_rounded_square(x, y, margin, radius):
    lo, hi = margin + radius, GRID - margin - radius
    dx = max(lo - x, 0.0, x - hi)
    dy = max(lo - y, 0.0, y - hi)
    return dx * dx + dy * dy <= radius * radius and margin <= x <= GRID - margin and margin <= y <= GRID - margin


def in_outline(x, y, margin, radius):
    inner = margin + OUTLINE_WIDTH
    return in_rounded_square(x, y, margin, radius) and not in_rounded_square(x, y, inner, radius - OUTLINE_WIDTH)


def in_crosshair(x, y, ring_radius, with_arms, grow):
    """The white ring and its arms; grow > 0 widens every stroke, for the dark halo."""
    centre = GRID / 2
    dx, dy = x - centre, y - centre
    half = CROSS_WIDTH / 2 + grow
    if abs(math.hypot(dx, dy) - ring_radius) <= half:
        return True
    if not with_arms:
        return False
    start, end = ring_radius, CROSS_TICK_REACH + grow
    along_x = start <= abs(dx) <= end and abs(dy) <= half
    along_y = start <= abs(dy) <= end and abs(dx) <= half
    return along_x or along_y


def band_color(x, y):
    return next(color for limit, color in SWATCH_BANDS if x + y < limit)


def shade(x, y, tray):
    """Colour of one sample as premultiplied (r, g, b, a), layers painted back to front."""
    margin = TRAY_SWATCH_MARGIN if tray else SWATCH_MARGIN
    ring = TRAY_CROSS_RADIUS if tray else CROSS_RADIUS
    layers = []
    if in_rounded_square(x, y, margin, SWATCH_RADIUS):
        layers.append(band_color(x, y))
    if in_outline(x, y, margin, SWATCH_RADIUS):
        layers.append(OUTLINE_COLOR)
    if in_crosshair(x, y, ring, not tray, CROSS_HALO / 2):
        layers.append(HALO_COLOR)
    if in_crosshair(x, y, ring, not tray, 0.0):
        layers.append(CROSS_COLOR)
    r = g = b = a = 0.0
    for lr, lg, lb, la in layers:
        r, g, b, a = lr * la + r * (1 - la), lg * la + g * (1 - la), lb * la + b * (1 - la), la + a * (1 - la)
    return r, g, b, a


def render(size, tray):
    """Top-down rows of straight (not premultiplied) BGRA pixels."""
    scale = GRID / size
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            sr = sg = sb = sa = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    r, g, b, a = shade(x, y, tray)
                    sr, sg, sb, sa = sr + r, sg + g, sb + b, sa + a
            count = SAMPLES * SAMPLES
            alpha = round(sa / count * 255)
            if alpha == 0:
                row.append((0, 0, 0, 0))
                continue
            un = 255 / alpha  # undo the premultiplication
            row.append(tuple(min(255, round(c / count * un)) for c in (sb, sg, sr)) + (alpha,))
        pixels.append(row)
    return pixels


def icon_image(size, tray):
    """One icon image: BITMAPINFOHEADER (double height), 32-bit colour, then the AND mask."""
    pixels = render(size, tray)
    colour = b"".join(bytes(p) for row in reversed(pixels) for p in row)
    stride = padded_row_bytes(size)
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", BMP_INFO_HEADER_SIZE, size, size * 2, 1, ICON_BITS, BI_RGB,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def filtered_row(kind, row, previous, bpp=4):
    out = bytearray(len(row))
    for i, value in enumerate(row):
        left = row[i - bpp] if i >= bpp else 0
        up = previous[i]
        corner = previous[i - bpp] if i >= bpp else 0
        if kind == 0:
            predicted = 0
        elif kind == 1:
            predicted = left
        elif kind == 2:
            predicted = up
        elif kind == 3:
            predicted = (left + up) // 2
        else:
            estimate = left + up - corner
            pa, pb, pc = abs(estimate - left), abs(estimate - up), abs(estimate - corner)
            predicted = left if pa <= pb and pa <= pc else up if pb <= pc else corner
        out[i] = (value - predicted) & 0xFF
    return out


def icon_png(size, tray):
    """One icon image as a PNG file: 8-bit RGBA, each row filtered the way that compresses best."""
    pixels = render(size, tray)
    raw, previous = bytearray(), bytes(size * 4)
    for row in pixels:
        rgba = bytes(c for b, g, r, a in row for c in (r, g, b, a))
        choices = [filtered_row(kind, rgba, previous) for kind in range(PNG_FILTERS)]
        best = min(range(PNG_FILTERS), key=lambda k: sum(v if v < 128 else 256 - v for v in choices[k]))
        raw += bytes([best]) + choices[best]
        previous = rgba
    header = struct.pack(">IIBBBBB", size, size, 8, PNG_RGBA, 0, 0, 0)
    return (PNG_SIGNATURE + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + png_chunk(b"IEND", b""))


def ico_file(sizes, tray):
    dib_sizes = DIB_ICON_SIZES["tray" if tray else "app"]
    images = [icon_image(size, tray) if size in dib_sizes else icon_png(size, tray) for size in sizes]
    out = struct.pack("<HHH", 0, ICO_TYPE_ICON, len(images))
    offset = ICO_DIR_SIZE + ICO_ENTRY_SIZE * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, ICON_BITS, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    for name, rows in read_button_tables().items():
        (RESOURCES / name).write_bytes(mono_bmp(rows))
        for size in SCALED_BUTTON_SIZES:
            (RESOURCES / name.replace(".bmp", f"_{size}.bmp")).write_bytes(mono_bmp(scaled_picture(rows, size)))
    (RESOURCES / APP_ICON_FILE).write_bytes(ico_file(APP_ICON_SIZES, tray=False))
    (RESOURCES / TRAY_ICON_FILE).write_bytes(ico_file(TRAY_ICON_SIZES, tray=True))


if __name__ == "__main__":
    main()
