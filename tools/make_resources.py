#!/usr/bin/env python3
"""Writes the icon and the glyph bitmaps of Glimsel Configuration.

Each glyph is written at its designed size: the program draws it at the
window's scale.  The icon holds the image at its designed size and, for the
shell on screens of a higher scale, at twice that size, pixel for pixel from
the same map.

Every picture lives in this file as a pixel map: one character per pixel,
one string per row, top row first.  The characters name colours of the
standard 16-colour palette (see LEGEND); '.' is the transparent background.

    python3 tools/make_resources.py      rewrite the .ico and .bmp files of
                                         app/res that changed

Only the standard library is used and the output does not depend on time or
platform, so running the script again gives the same bytes.  The generated
files are kept in the repository; the build does not need Python.
"""

import os
import struct
import sys

# The 16 colours in the order of the standard Windows/VGA palette, which is
# also the order of the colour table written into every file.
PALETTE = [
    ("black", (0, 0, 0)),
    ("maroon", (128, 0, 0)),
    ("green", (0, 128, 0)),
    ("olive", (128, 128, 0)),
    ("navy", (0, 0, 128)),
    ("purple", (128, 0, 128)),
    ("teal", (0, 128, 128)),
    ("silver", (192, 192, 192)),
    ("grey", (128, 128, 128)),
    ("red", (255, 0, 0)),
    ("lime", (0, 255, 0)),
    ("yellow", (255, 255, 0)),
    ("blue", (0, 0, 255)),
    ("fuchsia", (255, 0, 255)),
    ("aqua", (0, 255, 255)),
    ("white", (255, 255, 255)),
]

# Pixel-map character -> palette index.
LEGEND = {
    "K": 0,   # black
    "m": 1,   # maroon
    "g": 2,   # green
    "o": 3,   # olive: reserved for the bitmaps' background, never drawn with
    "n": 4,   # navy
    "p": 5,   # purple
    "t": 6,   # teal
    "s": 7,   # silver
    "d": 8,   # dark grey
    "R": 9,   # red
    "G": 10,  # lime
    "Y": 11,  # yellow
    "B": 12,  # blue
    "M": 13,  # fuchsia
    "C": 14,  # aqua
    "W": 15,  # white
}

CLEAR = "."

# The bitmaps have no mask: the program treats the colour of a bitmap's
# bottom-left pixel as transparent.  Their background is olive, a colour
# none of the glyphs uses for anything else.
BITMAP_BACKGROUND = LEGEND["o"]

# In an icon, transparent pixels are black in the colour image and set in
# the AND mask, so the screen shows through unchanged.
ICON_CLEAR_COLOUR = LEGEND["K"]


# --------------------------------------------------------------------------
# Pictures

# The program icon: a window with coloured tiles in its client area and a
# cog wheel in front of its lower right corner.
ICON = """
................................
................................
................................
KKKKKKKKKKKKKKKKKKKKKKKKKKK.....
KnnnnnnnnnnnnnnnnnnnnnnnnnK.....
KnYYnnnnnnnnnnnnnnsssnsssnK.....
KnYYnWWWWWWWWWnnnnsKsnsKsnK.....
KnnnnnnnnnnnnnnnnnsssnsssnK.....
KsddsdddsdddssssssssssssssK.....
KsWWWWWWWWWWWWWWWWWWWWWWWsK.....
KsWKKKKKKWKKKKKKWKKKKKKWWsK.....
KsWKCCYYKWKWRRRKWKWBBBKWWsK.....
KsWKCCYYKWKRRRRKWKBBBBKWWsK.....
KsWKGGGGKWKRRRRKWKBBBBKWWsK.....
KsWKggggKWKRRRmKWKBBBnKWWsK.....
KsWKKKKKKWKKKKKKWKKKKKKKKsK.....
KsWWWWWWWWWWWWWWWWWWWKWsKsK.....
KsWKKKKKKWKKKKKKWKKWWKWsKsKKK...
KsWKWGGGKWKWYYYKWKWKKWsssKKsK...
KsWKGGGGKWKYYYYKWWKWsssssssK....
KsWKGGGGKWKYYYYKWWKWssKKssdK....
KsWKGGGgKWKYYYYKKKWssKWWKsddKKK.
KsWKKKKKKWKKKKKKWsssKWWWWKsdddK.
KsWWWWWWWWWWWWWKWsssKWWWWKsdddK.
KsWWWWWWWWWWWWWKKKsssKWWKsddKKK.
KsssssssssssssssssKsssKKsddK....
KKKKKKKKKKKKKKKKKKKssssssddK....
.................KsKKsdddKKdK...
.................KK..KsdK..KK...
.....................KsdK.......
.....................KKKK.......
................................
"""

# A hand pointing right, drawn in colour.  The disabled twin is derived
# from it (see disabled()).
HAND = """
................
................
................
......KKKKKKKK..
.....KYWWWWWWYK.
KKKKKYYYYYYYYYYK
KBBKYYYYKKKKKKK.
KBBKYYYKYYYYK...
KBBKYYYYKKKKK...
KBBKYYYKYYYYK...
KBBKYYYYKKKK....
KBBKYYYKYYYK....
KKKKKYYYKKK.....
.....KKKK.......
................
................
"""

# An open folder with a green arrow rising out of it and turning right.
OPEN = """
...........KK...
...........KGK..
.......KKKKKGGK.
......KGGGGGGGGK
.KKKK.KGKKKKGGK.
KWYYWKKGK..KGK..
KYYYYYKGKKKKKK..
KYYYYYKGKYYYYYK.
KYYYKKKKKKKKKKKK
KYYKWWWWWWWWWWK.
KYYKYYYYYYYYYYK.
KYKYYYYYYYYYYK..
KYKYYYYYYYYYYK..
KKYYYYYYYYYYK...
KKKKKKKKKKKKK...
................
"""

# A sheet of paper with a folded corner and a red exclamation mark.
SAVE = """
................
..KKKKKKKK......
..KWWWWWWKK.....
..KWWWWWWKWK....
..KWWWWWWKWWK...
..KWWWWWWKKKKK..
..KWWWWRRWWWWK..
..KWWWWRRWWWWK..
..KWWWWRRWWWWK..
..KWWWWRRWWWWK..
..KWWWWRRWWWWK..
..KWWWWWWWWWWK..
..KWWWWRRWWWWK..
..KWWWWRRWWWWK..
..KWWWWWWWWWWK..
..KKKKKKKKKKKK..
"""

# A floppy disk: label on top, metal shutter below.
SAVEAS = """
................
.KKKKKKKKKKKKK..
.KnKWWWWWWWWKnK.
.KnKWWWWWWWWKnK.
.KnKWddddddWKnK.
.KnKWWWWWWWWKnK.
.KnKWddddddWKnK.
.KnKWWWWWWWWKnK.
.KnnKKKKKKKKnnK.
.KnnnnnnnnnnnnK.
.KnnnsssssssnnK.
.KnnnsKKssssnnK.
.KnnnsKKssssnnK.
.KnnnsKKssssnnK.
.KKKKKKKKKKKKKK.
................
"""

# A speech bubble holding a question mark.
HELP = """
................
...KKKKKKKKKK...
..KWWWWWWWWWWK..
.KWWWWnnnnWWWWK.
.KWWWnnWWnnWWWK.
.KWWWWWWWnnWWWK.
.KWWWWWWnnWWWWK.
.KWWWWWnnWWWWWK.
.KWWWWWnnWWWWWK.
.KWWWWWWWWWWWWK.
.KWWWWWnnWWWWWK.
..KWWWWWWWWWWK..
...KKWWKKKKKK...
....KWK.........
...KK...........
................
"""

# A white letter i on a blue disc.
ABOUT = """
................
.....nnnnnn.....
...nnBBBBBBnn...
..nBBBBWWBBBBn..
..nBBBBWWBBBBn..
.nBBBBBBBBBBBBn.
.nBBBBWWWBBBBBn.
.nBBBBBWWBBBBBn.
.nBBBBBWWBBBBBn.
.nBBBBBWWBBBBBn.
.nBBBBBWWBBBBBn.
..nBBBWWWWBBBn..
..nBBBBBBBBBBn..
...nnBBBBBBnn...
.....nnnnnn.....
................
"""

# A closed folder with a red arrow leaving it to the right.
EXIT = """
................
................
.KKKK...........
KWYYWK..........
KYYYYYKKKK......
KWWWWWWWWK......
KYYYYYYYYK......
KYYYYYYYYK.KK...
KYYYYYYYYK.KRK..
KYYYKKKKKKKKRRK.
KYYYKRRRRRRRRRRK
KYYYKKKKKKKKRRK.
KYYYYYYYYK.KRK..
KYYYYYYYYK.KK...
KKKKKKKKKK......
................
"""


# --------------------------------------------------------------------------
# Pixel maps

def parse(art, width, height):
    """Turns a pixel map into a list of rows of characters, top row first."""
    rows = art.strip("\n").split("\n")
    if len(rows) != height:
        raise ValueError("expected %d rows, got %d" % (height, len(rows)))
    for number, row in enumerate(rows):
        if len(row) != width:
            raise ValueError("row %d is %d pixels wide, expected %d"
                             % (number, len(row), width))
        for ch in row:
            if ch != CLEAR and ch not in LEGEND:
                raise ValueError("row %d: unknown colour %r" % (number, ch))
    return rows


def side_by_side(*images):
    """Joins images of equal height into one strip, left to right."""
    return ["".join(parts) for parts in zip(*images)]


def disabled(image):
    """The greyed-out look Windows gives a disabled glyph.

    Dark pixels become grey; light pixels and the background vanish.  Each
    grey pixel casts a white highlight one pixel down and to the right, which
    gives the familiar etched outline.
    """
    dark = set("KmgnptdB")
    height, width = len(image), len(image[0])
    out = [[CLEAR] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            if image[y][x] in dark and x + 1 < width and y + 1 < height:
                out[y + 1][x + 1] = "W"
    for y in range(height):
        for x in range(width):
            if image[y][x] in dark:
                out[y][x] = "d"
    return ["".join(row) for row in out]


def bitmap_indices(image):
    """Palette indices of a glyph bitmap; the background becomes olive."""
    for row in image:
        if "o" in row:
            raise ValueError("olive is reserved for the background")
    if image[-1][0] != CLEAR:
        raise ValueError("the bottom-left pixel must be background")
    return [[BITMAP_BACKGROUND if ch == CLEAR else LEGEND[ch] for ch in row]
            for row in image]


# --------------------------------------------------------------------------
# File formats

def palette_bytes():
    """The colour table: 16 RGBQUADs (blue, green, red, 0)."""
    return b"".join(struct.pack("<4B", b, g, r, 0) for _, (r, g, b) in PALETTE)


def pack_4bpp(rows):
    """Packs rows of palette indices, bottom row first, two pixels a byte,
    each row padded to a multiple of four bytes."""
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for x in range(0, len(row), 2):
            high = row[x]
            low = row[x + 1] if x + 1 < len(row) else 0
            line.append(high << 4 | low)
        while len(line) % 4:
            line.append(0)
        data += line
    return bytes(data)


def pack_1bpp(rows):
    """Packs rows of 0/1 bits, bottom row first, most significant bit first,
    each row padded to a multiple of four bytes."""
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for x in range(0, len(row), 8):
            byte = 0
            for bit, value in enumerate(row[x:x + 8]):
                if value:
                    byte |= 0x80 >> bit
            line.append(byte)
        while len(line) % 4:
            line.append(0)
        data += line
    return bytes(data)


def info_header(width, height, bits, image_size):
    """A BITMAPINFOHEADER for an uncompressed palette image."""
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                       image_size, 0, 0, 16, 0)


def make_bmp(image):
    """A 16-colour .bmp file, rows stored bottom-up."""
    indices = bitmap_indices(image)
    width, height = len(indices[0]), len(indices)
    pixels = pack_4bpp(indices)
    offset = 14 + 40 + 16 * 4
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return (header + info_header(width, height, 4, len(pixels))
            + palette_bytes() + pixels)


def make_ico(images):
    """An icon file holding one 16-colour image of each pixel map."""
    entries = []
    dibs = []
    offset = 6 + 16 * len(images)
    for image in images:
        width, height = len(image[0]), len(image)
        colours = [[ICON_CLEAR_COLOUR if ch == CLEAR else LEGEND[ch]
                    for ch in row] for row in image]
        mask = [[1 if ch == CLEAR else 0 for ch in row] for row in image]
        xor = pack_4bpp(colours)
        and_mask = pack_1bpp(mask)
        # The image header counts the colour image and the mask together,
        # so its height is twice the icon's.
        dib = (info_header(width, 2 * height, 4, len(xor) + len(and_mask))
               + palette_bytes() + xor + and_mask)
        # A size of 256 is written as 0; nothing here is that large.
        entries.append(struct.pack("<BBBBHHII", width % 256, height % 256,
                                   16, 0, 1, 4, len(dib), offset))
        dibs.append(dib)
        offset += len(dib)
    directory = struct.pack("<HHH", 0, 1, len(images))
    return directory + b"".join(entries) + b"".join(dibs)


def enlarged(image, factor):
    """The same pixel map with every pixel a factor-by-factor square: the
    icon's image for screens of a higher scale, as crisp as the original."""
    return ["".join(ch * factor for ch in row)
            for row in image for _ in range(factor)]


# --------------------------------------------------------------------------
# Output

def icon_image():
    return parse(ICON, 32, 32)


def glyphs():
    """File name -> pixel map of every glyph bitmap."""
    hand = parse(HAND, 16, 16)
    return {
        "hand.bmp": side_by_side(hand, disabled(hand)),
        "open.bmp": parse(OPEN, 16, 16),
        "save.bmp": parse(SAVE, 16, 16),
        "saveas.bmp": parse(SAVEAS, 16, 16),
        "help.bmp": parse(HELP, 16, 16),
        "about.bmp": parse(ABOUT, 16, 16),
        "exit.bmp": parse(EXIT, 16, 16),
    }


def outputs():
    """File name -> contents of every generated file."""
    icon = icon_image()
    files = {"glimcfg.ico": make_ico([icon, enlarged(icon, 2)])}
    for name, image in glyphs().items():
        files[name] = make_bmp(image)
    return files


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "res")
    for name, data in sorted(outputs().items()):
        path = os.path.join(res, name)
        try:
            with open(path, "rb") as f:
                current = f.read()
        except FileNotFoundError:
            current = None
        if current != data:
            with open(path, "wb") as f:
                f.write(data)
            print("wrote %s" % name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
