#!/usr/bin/python3
"""Exports the program's pictures from their SVG sources in res/art/ into the
bitmaps and icons that the resource script embeds (res/*.bmp, res/*.ico).

    /usr/bin/python3 tools/art/export.py [--out DIR]

Needs rsvg-convert (librsvg2-bin), Debian's python3-pil and the Comic Neue font
(fonts-comic-neue). The output depends only on the sources and those tools:
quantising uses median cut without dithering, and the files carry no dates.
"""

import argparse
import os
import subprocess
import sys
import tempfile

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bmpio  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
ART = os.path.join(ROOT, "res", "art")

WHITE = (255, 255, 255)
PINK = (255, 0, 255)
BUTTON_FACE = (192, 192, 192)

# The 16 colours of the classic VGA palette, in the usual order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def render(svg, width, height, workdir):
    """RGBA image of the SVG at exactly width x height pixels."""
    png = os.path.join(workdir, os.path.basename(svg) + "-%dx%d.png" % (width, height))
    subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), "-f", "png",
                    "-o", png, svg], check=True)
    image = Image.open(png).convert("RGBA")
    if image.size != (width, height):
        raise SystemExit("%s rendered as %dx%d" % (svg, image.width, image.height))
    return image


def flatten(image, under):
    """Composites the RGBA image over a plain colour."""
    base = Image.new("RGBA", image.size, under + (255,))
    return Image.alpha_composite(base, image).convert("RGB")


def quantise(rgb, colours):
    """(palette, indices) with at most `colours` entries, median cut, no dithering."""
    q = rgb.quantize(colors=colours, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    indices = list(q.getdata())
    used = max(indices) + 1
    flat = q.getpalette()[:3 * used]
    palette = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
    return palette, indices


def avoid(colour, key):
    """A colour one step away from the transparent key, so that it stays drawn."""
    if colour != key:
        return colour
    return tuple(c - 1 if c > 0 else c + 1 for c in colour)


def picture(svg, out, width, height, workdir):
    """Opaque 256-colour bitmap."""
    rgb = flatten(render(svg, width, height, workdir), WHITE)
    palette, indices = quantise(rgb, 256)
    bmpio.write_bmp(out, width, height, 8, palette, indices)


def glyph(svg, out, width, height, workdir, key, forced, under):
    """256-colour button glyph whose transparent colour is `key`: the SVG's clear pixels
    and the `forced` pixels get it, every other pixel is kept away from it. Half-clear
    edge pixels are blended with `under`, the colour that will show around them."""
    image = render(svg, width, height, workdir)
    alpha = list(image.getchannel("A").getdata())
    rgb = flatten(image, under)
    palette, indices = quantise(rgb, 255)
    palette = [avoid(c, key) for c in palette]
    key_index = len(palette)
    palette.append(key)
    clear = set(i for i, a in enumerate(alpha) if a < 128)
    clear.update(y * width + x for (x, y) in forced)
    indices = [key_index if i in clear else v for i, v in enumerate(indices)]
    bmpio.write_bmp(out, width, height, 8, palette, indices)


def nearest(colour, choices):
    return min(range(len(choices)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, choices[i])))


def to_vga(image, allowed):
    """Indices into VGA16 of the nearest allowed colour of each pixel (no dithering)."""
    choices = [VGA16[i] for i in allowed]
    cache = {}
    result = []
    for c in image.getdata():
        if c not in cache:
            cache[c] = allowed[nearest(c, choices)]
        result.append(cache[c])
    return result


def stock(svg, out, width, height, workdir, allowed):
    """16-colour bitmap with the VGA palette; the SVG draws with crisp edges."""
    rgb = flatten(render(svg, width, height, workdir), WHITE)
    bmpio.write_bmp(out, width, height, 4, VGA16, to_vga(rgb, allowed))


def icon16_image(svg, size, workdir, allowed):
    image = render(svg, size, size, workdir)
    mask = [1 if a < 128 else 0 for a in image.getchannel("A").getdata()]
    indices = to_vga(image.convert("RGB"), allowed)
    indices = [0 if m else i for i, m in zip(indices, mask)]
    return (size, size, 4, 16, bmpio.icon_image(size, size, 4, VGA16, indices, mask))


def icon32_image(svg, size, workdir):
    image = render(svg, size, size, workdir)
    pixels = list(image.getdata())
    mask = [1 if p[3] == 0 else 0 for p in pixels]
    pixels = [(0, 0, 0, 0) if p[3] == 0 else p for p in pixels]
    return (size, size, 32, 0, bmpio.icon_image(size, size, 32, [], pixels, mask))


# Colours the logo may use in its 16-colour form: black, navy, red, yellow, blue and
# white; anything else in the anti-aliased render maps to one of these.
LOGO_COLOURS = [0, 4, 9, 11, 12, 15]
# The stock tick: black, green, olive, grey, silver, lime, white.
TICK_COLOURS = [0, 2, 3, 8, 7, 10, 15]


def export(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    art = lambda name: os.path.join(ART, name)
    dest = lambda name: os.path.join(out_dir, name)
    with tempfile.TemporaryDirectory() as work:
        picture(art("quorlback.svg"), dest("quorlback.bmp"), 800, 600, work)
        picture(art("essai.svg"), dest("essai.bmp"), 128, 42, work)
        for name in ("commencer", "regles", "quitter"):
            # White is these glyphs' transparent colour: the rounded corners and the
            # bottom-left pixel show the button face.
            glyph(art(name + ".svg"), dest(name + ".bmp"), 136, 42, work,
                  WHITE, [(0, 41)], BUTTON_FACE)
        picture(art("scoreback.svg"), dest("scoreback.bmp"), 318, 482, work)
        for name in ("fermer", "effacer"):
            # Pink only in the two bottom-left pixels: the rest of the button is the picture.
            glyph(art(name + ".svg"), dest(name + ".bmp"), 121, 32, work,
                  PINK, [(0, 31), (1, 31)], BUTTON_FACE)
        stock(art("bbok.svg"), dest("bbok.bmp"), 36, 18, work, TICK_COLOURS)
        bmpio.write_ico(dest("quorl-window.ico"),
                        [icon16_image(art("logo-window.svg"), 32, work, LOGO_COLOURS)])
        bmpio.write_ico(dest("quorl.ico"), [icon32_image(art("logo-small.svg"), 16, work),
                                            icon32_image(art("logo.svg"), 32, work),
                                            icon32_image(art("logo.svg"), 48, work)])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "res"),
                        help="folder for the bitmaps and icons (default: res/)")
    export(parser.parse_args().out)


if __name__ == "__main__":
    main()
