"""Writers for the two picture formats the program carries.

Bitmaps: BITMAPFILEHEADER + BITMAPINFOHEADER, palette of RGBQUADs, rows stored
bottom-up (positive height). 8-bit bitmaps are run-length encoded (BI_RLE8): each row
ends with an end-of-line mark and the last with an end-of-bitmap mark, no row is
skipped with a delta. Others are plain, each row padded to a multiple of 4 bytes.
Icons: ICONDIR + ICONDIRENTRY list, each image a BITMAPINFOHEADER of doubled
height, its palette (if any), the colour rows and the 1-bit AND mask rows.

Plain struct code: every header field is chosen here, none left to a library.
"""

import struct

FILE_HEADER = struct.Struct("<2sIHHI")
INFO_HEADER = struct.Struct("<IiiHHIIiiII")


def row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def pack_rows(indices, width, height, bits):
    """indices: row-major top-down list of palette indices (or raw bytes for 32 bpp)."""
    stride = row_stride(width, bits)
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = indices[y * width:(y + 1) * width]
        if bits == 8:
            data = bytes(row)
        elif bits == 4:
            data = bytearray()
            for x in range(0, width, 2):
                hi = row[x]
                lo = row[x + 1] if x + 1 < width else 0
                data.append((hi << 4) | lo)
        elif bits == 1:
            data = bytearray()
            for x in range(0, width, 8):
                byte = 0
                for b in range(8):
                    if x + b < width and row[x + b]:
                        byte |= 0x80 >> b
                data.append(byte)
        else:
            raise ValueError("unsupported depth %d" % bits)
        out += data
        out += b"\0" * (stride - len(data))
    return bytes(out)


BI_RGB = 0
BI_RLE8 = 1
# A run shorter than this inside literal pixels costs more as its own run than as part
# of the literal stretch.
MIN_RUN = 3


def rle8_row(row):
    """One row in BI_RLE8: runs as (count, index); stretches of at least three differing
    pixels in absolute mode (0, count, pixels, padded to an even length); shorter
    stretches as runs of one."""
    out = bytearray()
    i, width = 0, len(row)

    def run_length(at):
        n = 1
        while at + n < width and n < 255 and row[at + n] == row[at]:
            n += 1
        return n

    while i < width:
        n = run_length(i)
        if n >= MIN_RUN or n == width - i:
            out += bytes((n, row[i]))
            i += n
            continue
        start = i
        while i < width and i - start < 255:
            n = run_length(i)
            if n >= MIN_RUN:
                break
            i += min(n, 255 - (i - start))
        literal = row[start:i]
        if len(literal) < 3:
            for value in literal:
                out += bytes((1, value))
        else:
            out += bytes((0, len(literal))) + bytes(literal)
            if len(literal) % 2:
                out += b"\0"
    return bytes(out)


def rle8(indices, width, height):
    """Bottom-up BI_RLE8 data of a row-major top-down list of palette indices."""
    out = bytearray()
    for y in range(height - 1, -1, -1):
        out += rle8_row(indices[y * width:(y + 1) * width])
        out += b"\0\0"   # end of line
    out += b"\0\1"       # end of bitmap
    return bytes(out)


def palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)


def write_bmp(path, width, height, bits, palette, indices):
    """Paletted bottom-up bitmap; palette is padded to the full 2**bits entries.
    8-bit pictures are stored run-length encoded."""
    full = list(palette) + [(0, 0, 0)] * ((1 << bits) - len(palette))
    if bits == 8:
        compression, pixels = BI_RLE8, rle8(indices, width, height)
    else:
        compression, pixels = BI_RGB, pack_rows(indices, width, height, bits)
    pal = palette_bytes(full)
    offset = FILE_HEADER.size + INFO_HEADER.size + len(pal)
    info = INFO_HEADER.pack(INFO_HEADER.size, width, height, 1, bits, compression,
                            len(pixels), 3780, 3780, len(full), 0)
    head = FILE_HEADER.pack(b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(head + info + pal + pixels)


def icon_image(width, height, bits, palette, colour_rows, mask):
    """One icon image: colour_rows are indices (bits <= 8) or (r, g, b, a) tuples (32 bpp);
    mask is a row-major list of 1 (transparent) / 0 (opaque)."""
    pal = palette_bytes(palette) if bits <= 8 else b""
    if bits == 32:
        xor = bytearray()
        for y in range(height - 1, -1, -1):
            for (r, g, b, a) in colour_rows[y * width:(y + 1) * width]:
                xor += bytes((b, g, r, a))
        xor = bytes(xor)
    else:
        xor = pack_rows(colour_rows, width, height, bits)
    and_mask = pack_rows(mask, width, height, 1)
    info = INFO_HEADER.pack(INFO_HEADER.size, width, height * 2, 1, bits, 0,
                            len(xor) + len(and_mask), 0, 0, len(palette) if bits <= 8 else 0, 0)
    return info + pal + xor + and_mask


def write_ico(path, images):
    """images: list of (width, height, bits, palette_len, blob)."""
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = len(head) + 16 * len(images)
    entries = b""
    blobs = b""
    for (width, height, bits, palette_len, blob) in images:
        entries += struct.pack("<BBBBHHII", width % 256, height % 256,
                               palette_len if palette_len < 256 else 0, 0, 1, bits,
                               len(blob), offset + len(blobs))
        blobs += blob
    with open(path, "wb") as f:
        f.write(head + entries + blobs)
