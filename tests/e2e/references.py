#!/usr/bin/python3
"""The end-to-end tests' reference pictures: kept as PNG in the repository, read by
the Windows side as BMP.

  references.py unpack PNG_FOLDER BMP_FOLDER   PNG -> BMP, at build time
  references.py pack BMP_FOLDER PNG_FOLDER     BMP -> PNG, when writing them again

Beside the pictures, renderer.txt records the versions of what draws them (wine,
its fonts, FreeType, Xvfb); unpack writes renderer-differs.txt, which the tests add
to a mismatch's message, when this machine's versions are others."""
import pathlib
import subprocess
import sys

from PIL import Image

RENDERER = "renderer.txt"
PACKAGES = ["libwine:amd64", "libwine:i386", "fonts-wine", "fonts-comic-neue",
            "libfreetype6:amd64", "libfreetype6:i386", "xvfb"]


def renderer():
    """One line per package installed: name, architecture, version."""
    query = subprocess.run(
        ["dpkg-query", "-W", "-f", "${Package}:${Architecture} ${Version}\n", *PACKAGES],
        capture_output=True, text=True, check=False)
    return "".join(sorted(line + "\n" for line in query.stdout.splitlines()))


def unpack(pngs, bmps):
    bmps.mkdir(parents=True, exist_ok=True)
    for png in sorted(pngs.glob("*.png")):
        Image.open(png).convert("RGB").save(bmps / (png.stem + ".bmp"))
    recorded = (pngs / RENDERER).read_text() if (pngs / RENDERER).exists() else ""
    here = renderer()
    note = "" if recorded == here else (
        "\nThis machine draws with other versions than the references were made with,"
        " so the difference may be the renderer's rather than the program's; if the"
        " capture looks right, write the references again (README).\nHere:\n" + here +
        "References:\n" + recorded)
    (bmps / "renderer-differs.txt").write_text(note)


def pack(bmps, pngs):
    for bmp in sorted(bmps.glob("*.bmp")):
        picture = Image.open(bmp).convert("RGB")
        # A palette where it keeps every colour, which makes the file a fraction of the size.
        indexed = picture.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=0)
        if list(indexed.convert("RGB").getdata()) == list(picture.getdata()):
            picture = indexed
        picture.save(pngs / (bmp.stem + ".png"), optimize=True)
        print(pngs / (bmp.stem + ".png"))
    (pngs / RENDERER).write_text(renderer())


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[1] not in ("unpack", "pack"):
        sys.exit(__doc__)
    {"unpack": unpack, "pack": pack}[sys.argv[1]](pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3]))
