#!/usr/bin/python3
"""Checks the committed pictures and icons of res/ against what the windows rely on:
formats the resource loader and the drawing code accept, exact sizes, the glyphs'
transparent colours, the white areas behind the controls that lie on pictures, and
that the run-length encoded pictures decode to the very pixels and palettes the
program has always shown.

    check_pictures.py [--res DIR]          the committed files
    check_pictures.py --export-determinism  re-exports into a temporary folder and
                                            compares byte for byte (exit 77: skipped
                                            when the art tools are missing)

Reads the files with its own small parser, not with the exporter's writer, so that
a fault in the writer cannot hide itself. Ends with "N passed, N failed".
"""

import argparse
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
SKIP = 77

WHITE = (255, 255, 255)
PINK = (255, 0, 255)
OLIVE = (128, 128, 0)
BI_RGB = 0
BI_RLE8 = 1

# SHA-256 of the stored palette (all entries, 4 bytes each) followed by the palette
# indices of every row from the top, of each 8-bit picture as it was when it was still
# stored uncompressed. Re-encoding must not change a pixel or a colour.
PICTURE_DIGESTS = {
    "commencer": "4041e0eb2f724e4961bf53616316c1a57912879ca71a43912094dc7a8dc94379",
    "effacer": "e84f24f28d1d8962f452a1aa65590d96a46b8698a3947af5131609aa4a767bb7",
    "essai": "a418c649eb0a2e61571d69ddc07d61a1fcfa0d4eabd277187e76f16132dc10d9",
    "fermer": "f022f060277ac75a571c702701051b1da2d1b66af5effd75ef3705fae686e683",
    "quitter": "5aff2646bd84387e014c20ea36b9de5d736cafae6848fa6526b5f255d7aa1f5e",
    "quorlback": "bb554b6a062bde10c993b16feb4af9f67d2fc393c3789e52bbcb63bbf394a037",
    "regles": "4f3dcbbf63af227ab6ab7893099896fe1cf64d2b1e4388ec470e3f29257b0149",
    "scoreback": "d371c96704e9a898248a859e822d8feaceb185bc01b4d5f88db766dfb984e1f1",
}


class Results:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, ok, what):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print("FAIL: " + what)

    def close(self, skipped=0):
        line = "%d passed, %d failed" % (self.passed, self.failed)
        if skipped:
            line += ", %d skipped" % skipped
        print(line)
        return 0 if self.failed == 0 else 1


class Bmp:
    """A paletted Windows bitmap with a BITMAPINFOHEADER, plain or BI_RLE8."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = data = f.read()
        self.magic, self.file_size, _, _, self.offset = struct.unpack_from("<2sIHHI", data, 0)
        (self.header_size, self.width, self.raw_height, self.planes, self.bits,
         self.compression, self.size_image, _, _, self.clr_used, _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
        self.height = abs(self.raw_height)
        self.colours = self.clr_used or (1 << self.bits)
        base = 14 + self.header_size
        self.palette_data = data[base:base + 4 * self.colours]
        self.palette = [(data[base + 4 * i + 2], data[base + 4 * i + 1], data[base + 4 * i])
                        for i in range(self.colours)]
        self.stride = ((self.width * self.bits + 31) // 32) * 4
        self.rle_fault = None
        self.rows = self.decode_rle8() if self.compression == BI_RLE8 else None

    def decode_rle8(self):
        """Rows of palette indices from the top. Every row must be coded to its last
        pixel and end with an end-of-line mark, the last with end-of-bitmap; anything
        else (a delta, a row too long or short, data past the end) is recorded in
        rle_fault and decodes as index 0."""
        data = self.data[self.offset:self.offset + self.size_image]
        rows = []
        row = bytearray()
        at = 0
        while at + 1 < len(data):
            count, value = data[at], data[at + 1]
            at += 2
            if count > 0:
                row += bytes((value,)) * count
            elif value >= 3:
                row += data[at:at + value]
                at += value + (value & 1)
            elif value == 2:
                self.rle_fault = self.rle_fault or "delta in row %d" % len(rows)
                at += 2
            else:
                # End of line, or end of bitmap (which may stand for the last one).
                if value == 0 or row:
                    if len(row) != self.width and not self.rle_fault:
                        self.rle_fault = "row %d holds %d pixels" % (len(rows), len(row))
                    rows.append(bytes(row[:self.width]).ljust(self.width, b"\0"))
                    row = bytearray()
                if value == 1:
                    if len(rows) != self.height or at != len(data):
                        self.rle_fault = self.rle_fault or "end of bitmap after %d rows, %d bytes left" % (
                            len(rows), len(data) - at)
                    rows = rows[:self.height]
                    break
        else:
            self.rle_fault = self.rle_fault or "no end-of-bitmap mark"
        rows = rows + [bytes(self.width)] * (self.height - len(rows))
        rows.reverse()  # stored bottom-up
        return rows

    def index(self, x, y):
        """Palette index of column x, row y counted from the top."""
        if self.rows is not None:
            return self.rows[y][x]
        row = self.height - 1 - y if self.raw_height > 0 else y
        start = self.offset + row * self.stride
        if self.bits == 8:
            return self.data[start + x]
        byte = self.data[start + x // 2]
        return byte >> 4 if x % 2 == 0 else byte & 0x0F

    def pixel(self, x, y):
        """(r, g, b) of column x, row y counted from the top."""
        return self.palette[self.index(x, y)]

    def pixels(self):
        for y in range(self.height):
            for x in range(self.width):
                yield x, y, self.pixel(x, y)

    def digest(self):
        indices = b"".join(self.rows) if self.rows is not None else bytes(
            self.index(x, y) for y in range(self.height) for x in range(self.width))
        return hashlib.sha256(self.palette_data + indices).hexdigest()


def check_format(r, name, bmp, width, height, bits):
    """8-bit pictures run-length encoded (BI_RLE8), 4-bit ones plain."""
    r.check(bmp.magic == b"BM", name + ": starts with BM")
    r.check(bmp.file_size == len(bmp.data), name + ": file size field matches the file")
    r.check(bmp.header_size == 40, name + ": BITMAPINFOHEADER (40 bytes)")
    r.check((bmp.width, bmp.height) == (width, height),
            "%s: size %dx%d, expected %dx%d" % (name, bmp.width, bmp.height, width, height))
    r.check(bmp.raw_height > 0, name + ": stored bottom-up (positive height)")
    r.check(bmp.bits == bits, "%s: %d bits per pixel, expected %d" % (name, bmp.bits, bits))
    r.check(bmp.colours == 1 << bits,
            "%s: palette of %d entries, expected %d" % (name, bmp.colours, 1 << bits))
    r.check(bmp.offset == 14 + 40 + 4 * bmp.colours, name + ": pixels right after the palette")
    if bits == 8:
        r.check(bmp.planes == 1 and bmp.compression == BI_RLE8, name + ": one plane, BI_RLE8")
        r.check(bmp.size_image == len(bmp.data) - bmp.offset,
                name + ": image size field is the length of the coded pixels")
        r.check(bmp.rle_fault is None, "%s: run-length coding well formed (%s)" % (name, bmp.rle_fault))
    else:
        r.check(bmp.planes == 1 and bmp.compression == BI_RGB, name + ": one plane, uncompressed")
        r.check(len(bmp.data) >= bmp.offset + bmp.stride * bmp.height, name + ": all rows present")


def check_unchanged(r, name, bmp):
    """The picture's palette and pixels are those it had when stored uncompressed."""
    r.check(bmp.digest() == PICTURE_DIGESTS[name],
            "%s: same palette and pixels as the uncompressed original" % name.upper())


def check_white(r, name, bmp, left, top, width, height, margin):
    """The rectangle and `margin` pixels around it are pure white."""
    bad = [(x, y) for y in range(top - margin, top + height + margin)
           for x in range(left - margin, left + width + margin) if bmp.pixel(x, y) != WHITE]
    r.check(not bad, "%s: white behind %d,%d %dx%d with %d px around (first other pixel %s)"
            % (name, left, top, width, height, margin, bad[:1]))


def check_main_glyph(r, name, bmp):
    r.check(bmp.pixel(0, 41) == WHITE, name + ": bottom-left pixel white (transparent colour)")
    # The face inside the frame must be drawn: no transparent pixel there.
    holes = [(x, y) for y in range(4, 37) for x in range(4, 131) if bmp.pixel(x, y) == WHITE]
    r.check(not holes, "%s: no transparent pixel inside the frame (%s)" % (name, holes[:3]))
    reds = sum(1 for _, _, (cr, cg, cb) in bmp.pixels() if cr > 150 and cg < 90 and cb < 90)
    yellows = sum(1 for _, _, (cr, cg, cb) in bmp.pixels() if cr > 200 and cg > 190 and cb < 100)
    r.check(reds > 1500, "%s: red face (%d red pixels)" % (name, reds))
    r.check(yellows > 200, "%s: yellow letters (%d yellow pixels)" % (name, yellows))


def check_score_glyph(r, name, bmp):
    pink = sorted((x, y) for x, y, c in bmp.pixels() if c == PINK)
    r.check(pink == [(0, 31), (1, 31)],
            "%s: pink exactly at (0,31) and (1,31), found %s" % (name, pink[:6]))
    oranges = sum(1 for _, _, (cr, cg, cb) in bmp.pixels() if cr > 220 and 110 < cg < 200 and cb < 90)
    navy = sum(1 for _, _, (cr, cg, cb) in bmp.pixels() if cr < 80 and cg < 80 and cb > 60)
    r.check(oranges > 121 * 32 // 2, "%s: mostly orange (%d pixels)" % (name, oranges))
    r.check(navy > 60, "%s: navy letters (%d pixels)" % (name, navy))


def check_bbok(r, bmp):
    r.check(bmp.pixel(0, 17) == OLIVE, "BBOK: bottom-left pixel olive (transparent colour)")
    r.check(bmp.pixel(18, 17) == OLIVE, "BBOK: second image's bottom-left pixel olive too")
    for cell, label in ((0, "tick"), (1, "greyed tick")):
        xs = range(18 * cell, 18 * cell + 18)
        colours = [bmp.pixel(x, y) for y in range(18) for x in xs]
        olive = colours.count(OLIVE)
        r.check(olive > 18 * 18 // 2, "BBOK %s: olive background (%d pixels)" % (label, olive))
        r.check(olive < 18 * 18 - 30, "BBOK %s: a drawn shape (%d non-olive)" % (label, 324 - olive))
        edges = [bmp.pixel(x, y) for y in (0, 17) for x in xs] + \
                [bmp.pixel(x, y) for y in range(18) for x in (xs[0], xs[-1])]
        r.check(all(c == OLIVE for c in edges), "BBOK %s: shape clear of the cell's edges" % label)
    left = set(bmp.pixel(x, y) for y in range(18) for x in range(18))
    right = set(bmp.pixel(x, y) for y in range(18) for x in range(18, 36))
    r.check(any(g >= 128 and rr == 0 and b == 0 for (rr, g, b) in left), "BBOK: green tick")
    r.check(all(not (g >= 128 and rr == 0 and b == 0) for (rr, g, b) in right),
            "BBOK: the greyed tick has no green")


def check_score_background(r, bmp):
    controls = [("list", 56, 16, 161, 257), ("prompt", 56, 288, 161, 31), ("name box", 56, 328, 161, 31)]
    for label, left, top, width, height in controls:
        off = [(x, y, bmp.pixel(x, y)) for y in range(top, top + height) for x in range(left, left + width)
               if not (bmp.pixel(x, y)[1] > bmp.pixel(x, y)[2] + 60 and bmp.pixel(x, y)[1] >= bmp.pixel(x, y)[0])]
        r.check(not off, "SCOREBACK: %s on yellow-green or grass-green (first other %s)" % (label, off[:1]))
    top_band = bmp.pixel(150, 4)
    r.check(top_band[0] > 220 and 110 < top_band[1] < 200 and top_band[2] < 90, "SCOREBACK: orange top band")
    bottom = bmp.pixel(150, 479)
    r.check(bottom[0] > 220 and 110 < bottom[1] < 200 and bottom[2] < 90, "SCOREBACK: orange bottom strip")


def read_icon(path):
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    images = []
    for i in range(count):
        w, h, colours, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        hdr = struct.unpack_from("<IiiHHIIiiII", data, offset)
        images.append(dict(w=w or 256, h=h or 256, colours=colours, bits=bits, size=size,
                           offset=offset, hdr=hdr, end=offset + size))
    return (reserved, kind), images, len(data)


def check_icon(r, name, path, expected):
    (reserved, kind), images, length = read_icon(path)
    r.check((reserved, kind) == (0, 1), name + ": icon file header")
    found = [(im["w"], im["h"], im["bits"]) for im in images]
    r.check(found == expected, "%s: images %s, expected %s" % (name, found, expected))
    for im in images:
        w, h, bits = im["w"], im["h"], im["bits"]
        hdr = im["hdr"]
        label = "%s %dx%d" % (name, w, h)
        r.check(hdr[0] == 40 and hdr[1] == w and hdr[2] == 2 * h and hdr[4] == bits,
                label + ": image header matches its entry (height doubled for the mask)")
        palette = 4 * (1 << bits) if bits <= 8 else 0
        colour = ((w * bits + 31) // 32) * 4 * h
        mask = ((w + 31) // 32) * 4 * h
        r.check(im["size"] == 40 + palette + colour + mask, label + ": image size adds up")
        r.check(im["end"] <= length, label + ": image inside the file")
        r.check(im["colours"] == (16 if bits == 4 else 0), label + ": colour count in the entry")


def check_script(r, res):
    """Every file the resource script names exists, and every string identifier of
    strings.h has its text in the script's string table."""
    with open(os.path.join(res, "quorl.rc"), encoding="utf-8") as f:
        script = f.read()
    with open(os.path.join(res, "strings.h"), encoding="utf-8") as f:
        ids = re.findall(r"^#define (IDS_\w+) (\d+)", f.read(), re.M)
    for name in re.findall(r'^\w+\s+(?:BITMAP|ICON|24)\s+"([^"]+)"', script, re.M):
        # A file made at configure time stands in the source tree as its template.
        path = os.path.join(res, name)
        r.check(os.path.exists(path) or os.path.exists(path + ".in"), "quorl.rc: %s exists" % name)
    table = re.search(r"STRINGTABLE\s+BEGIN(.*?)END", script, re.S).group(1)
    for ident, _ in ids:
        r.check(re.search(r"^\s*%s\s+\"" % ident, table, re.M) is not None,
                "string table has %s" % ident)
    numbers = [n for _, n in ids]
    r.check(len(numbers) == len(set(numbers)), "string identifiers are distinct")


def check_committed(res):
    r = Results()
    path = lambda n: os.path.join(res, n)

    # The 8-bit bitmaps, each at its size and as committed; the glyphs' own checks follow.
    sizes = {"quorlback": (800, 600), "essai": (128, 42), "commencer": (136, 42), "regles": (136, 42),
             "quitter": (136, 42), "scoreback": (318, 482), "fermer": (121, 32), "effacer": (121, 32)}
    bmps = {name: Bmp(path(name + ".bmp")) for name in sizes}
    for name, (width, height) in sizes.items():
        check_format(r, name.upper(), bmps[name], width, height, 8)
        check_unchanged(r, name, bmps[name])
    for name in ("commencer", "regles", "quitter"):
        check_main_glyph(r, name.upper(), bmps[name])
    for name in ("fermer", "effacer"):
        check_score_glyph(r, name.upper(), bmps[name])
    check_score_background(r, bmps["scoreback"])

    back = bmps["quorlback"]
    check_white(r, "QUORLBACK", back, 296, 120, 209, 289, 3)   # history list on the billboard
    check_white(r, "QUORLBACK", back, 432, 424, 65, 41, 3)     # guess box
    pavement = [back.pixel(x, y) for y in range(546, 600) for x in range(0, 800, 7)]
    r.check(sum(1 for (cr, cg, cb) in pavement if abs(cr - cg) < 25 and abs(cg - cb) < 25) > len(pavement) * 3 // 4,
            "QUORLBACK: the rows below the client area are mostly grey pavement")

    bbok = Bmp(path("bbok.bmp"))
    check_format(r, "BBOK", bbok, 36, 18, 4)
    check_bbok(r, bbok)

    check_icon(r, "QUORLICON", path("quorl-window.ico"), [(32, 32, 4)])
    check_icon(r, "MAINICON", path("quorl.ico"), [(16, 16, 32), (32, 32, 32), (48, 48, 32)])
    check_script(r, res)
    return r.close()


def export_determinism(res):
    if shutil.which("rsvg-convert") is None:
        print("rsvg-convert missing: export not checked")
        print("0 passed, 0 failed, 1 skipped")
        return SKIP
    probe = subprocess.run([sys.executable, "-c", "import PIL"], capture_output=True)
    fonts = subprocess.run(["fc-list", "Comic Neue:bold"], capture_output=True, text=True)
    if probe.returncode != 0 or not fonts.stdout.strip():
        print("PIL or the Comic Neue font missing: export not checked")
        print("0 passed, 0 failed, 1 skipped")
        return SKIP
    r = Results()
    exporter = os.path.join(ROOT, "tools", "art", "export.py")
    with tempfile.TemporaryDirectory() as out:
        subprocess.run([sys.executable, exporter, "--out", out], check=True)
        made = sorted(os.listdir(out))
        committed = sorted(n for n in os.listdir(res) if n.endswith((".bmp", ".ico")))
        r.check(made == committed, "export makes the committed set of files: %s vs %s" % (made, committed))
        for name in made:
            with open(os.path.join(out, name), "rb") as a:
                fresh = a.read()
            try:
                with open(os.path.join(res, name), "rb") as b:
                    kept = b.read()
            except FileNotFoundError:
                kept = None
            r.check(fresh == kept, "%s: re-export is byte for byte the committed file" % name)
    return r.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--res", default=os.path.join(ROOT, "res"))
    parser.add_argument("--export-determinism", action="store_true")
    args = parser.parse_args()
    if args.export_determinism:
        return export_determinism(args.res)
    return check_committed(args.res)


if __name__ == "__main__":
    sys.exit(main())
