"""Writers for the two picture formats the program carries.

Bitmaps: BITMAPFILEHEADER + BITMAPINFOHEADER, palette of RGBQUADs, rows stored
bottom-up (positive height), each row padded to a multiple of 4 bytes.
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


def palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)


def write_bmp(path, width, height, bits, palette, indices):
    """Paletted bottom-up bitmap; palette is padded to the full 2**bits entries."""
    full = list(palette) + [(0, 0, 0)] * ((1 << bits) - len(palette))
    pixels = pack_rows(indices, width, height, bits)
    pal = palette_bytes(full)
    offset = FILE_HEADER.size + INFO_HEADER.size + len(pal)
    info = INFO_HEADER.pack(INFO_HEADER.size, width, height, 1, bits, 0,
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
