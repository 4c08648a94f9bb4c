"""Writers and readers for the two picture formats the program carries.

Bitmaps: BITMAPFILEHEADER + BITMAPINFOHEADER, palette of RGBQUADs, rows stored
bottom-up (positive height), each row padded to a multiple of 4 bytes.
Icons: ICONDIR + ICONDIRENTRY list, each image a BITMAPINFOHEADER of doubled
height, its palette (if any), the colour rows and the 1-bit AND mask rows.

Plain struct code, no imaging library: the picture tests use the readers too.
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


class Bitmap:
    """A parsed paletted bitmap: pixel(x, y) gives (r, g, b) with y counted from the top."""

    def __init__(self, data):
        magic, size, _, _, offset = FILE_HEADER.unpack_from(data, 0)
        if magic != b"BM":
            raise ValueError("not a bitmap")
        self.file_size = size
        (self.header_size, self.width, self.raw_height, self.planes, self.bits,
         self.compression, _, _, _, clr_used, _) = INFO_HEADER.unpack_from(data, FILE_HEADER.size)
        self.height = abs(self.raw_height)
        count = clr_used or (1 << self.bits if self.bits <= 8 else 0)
        base = FILE_HEADER.size + self.header_size
        self.palette = [tuple(reversed(data[base + 4 * i:base + 4 * i + 3])) for i in range(count)]
        self.offset = offset
        self.data = data
        self.stride = row_stride(self.width, self.bits)

    def index(self, x, y):
        row = self.height - 1 - y if self.raw_height > 0 else y
        start = self.offset + row * self.stride
        if self.bits == 8:
            return self.data[start + x]
        if self.bits == 4:
            byte = self.data[start + x // 2]
            return byte >> 4 if x % 2 == 0 else byte & 0x0F
        raise ValueError("unsupported depth %d" % self.bits)

    def pixel(self, x, y):
        return self.palette[self.index(x, y)]


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


def read_ico(data):
    """List of dicts: width, height, bits, colours (palette size), header fields."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        raise ValueError("not an icon")
    images = []
    for i in range(count):
        w, h, colours, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        hdr = INFO_HEADER.unpack_from(data, offset)
        images.append({
            "width": w or 256, "height": h or 256, "colours": colours, "bits": bits,
            "size": size, "offset": offset, "header_size": hdr[0], "header_width": hdr[1],
            "header_height": hdr[2], "header_bits": hdr[4], "clr_used": hdr[9],
        })
    return images
