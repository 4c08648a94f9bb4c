#!/usr/bin/python3
"""Draws every committed picture of res/ on one PNG, at 1:1, for looking at them:

    /usr/bin/python3 tools/art/contact_sheet.py [--res DIR] [--out DIR]

build/art/contact-sheet.png: the two backgrounds with the controls' rectangles
outlined, every glyph as stored and as a button shows it (its transparent colour
replaced by the button face, grey 192), enlarged copies of the small ones, the icons.
build/art/main-window.png and build/art/scores-window.png: the backgrounds with
the controls painted over them roughly as the windows show them.
"""

import argparse
import os

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
FACE = (192, 192, 192)
SHEET_BACK = (236, 236, 240)
FONT = "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf"

# (left, top, width, height, kind) in client coordinates.
MAIN_CONTROLS = [
    (24, 20, 128, 42, "image"), (432, 424, 65, 41, "edit"), (296, 120, 209, 289, "list"),
    (152, 20, 81, 45, "edit"), (640, 160, 136, 42, "COMMENCER"), (640, 76, 136, 42, "REGLES"),
    (640, 256, 136, 42, "QUITTER"), (40, 440, 5, 23, "label"),
]
SCORE_CONTROLS = [
    (56, 328, 161, 31, "edit"), (56, 16, 161, 257, "list"), (160, 400, 121, 32, "FERMER"),
    (56, 288, 161, 31, "edit"), (16, 400, 121, 32, "EFFACER"),
]


def font(size):
    try:
        return ImageFont.truetype(FONT, size)
    except OSError:
        return ImageFont.load_default()


def as_button(glyph):
    """The glyph with its transparent colour (bottom-left pixel) shown as button face."""
    rgb = glyph.convert("RGB")
    key = rgb.getpixel((0, rgb.height - 1))
    data = [FACE if p == key else p for p in rgb.getdata()]
    out = Image.new("RGB", rgb.size)
    out.putdata(data)
    return out


def button(glyph, width, height):
    """A picture button roughly as drawn when up: raised face, glyph at (1, 1), clipped."""
    img = Image.new("RGB", (width, height), FACE)
    d = ImageDraw.Draw(img)
    d.line([(0, height - 1), (width - 1, height - 1), (width - 1, 0)], fill=(0, 0, 0))
    d.line([(0, height - 2), (0, 0), (width - 2, 0)], fill=(255, 255, 255))
    img.paste(as_button(glyph), (1, 1))
    return img


def sunken(img, left, top, width, height):
    d = ImageDraw.Draw(img)
    d.rectangle([left, top, left + width - 1, top + height - 1], fill=(255, 255, 255))
    r, b = left + width - 1, top + height - 1
    d.line([(left, b), (left, top), (r, top)], fill=(128, 128, 128))
    d.line([(left + 1, b - 1), (left + 1, top + 1), (r - 1, top + 1)], fill=(64, 64, 64))
    d.line([(left, b), (r, b), (r, top)], fill=(255, 255, 255))
    d.line([(left + 1, b - 1), (r - 1, b - 1), (r - 1, top + 1)], fill=(212, 208, 200))


def outlined(background, controls):
    img = background.convert("RGB")
    d = ImageDraw.Draw(img)
    for (x, y, w, h, _) in controls:
        d.rectangle([x, y, x + w - 1, y + h - 1], outline=(255, 0, 255))
    return img


def main_window(res):
    img = res["QUORLBACK"].convert("RGB").crop((0, 0, 800, 546))
    d = ImageDraw.Draw(img)
    f16, f24 = font(16), font(24)
    img.paste(res["ESSAI"].convert("RGB"), (24, 20))
    d.rectangle([40, 440, 44, 462], fill=(255, 255, 255))
    sunken(img, 432, 424, 65, 41)
    d.text((436, 426), "5,5", font=f16, fill=(0, 0, 0))
    sunken(img, 152, 20, 81, 45)
    d.text((156, 22), "12", font=f24, fill=(0, 0, 0))
    d.rectangle([296, 120, 504, 408], fill=(255, 255, 255))
    lines = ["%d,%d est trop %s" % (k % 10, (k * 37) % 1000, "petit" if k % 3 else "grand")
             for k in range(1, 13)]
    for i, line in enumerate(lines):
        d.text((298, 120 + 23 * i), line, font=f16, fill=(0, 0, 0))
    for (x, y, w, h, name) in MAIN_CONTROLS:
        if name in res:
            img.paste(button(res[name], w, h), (x, y))
    return img


def scores_window(res):
    img = res["SCOREBACK"].convert("RGB").crop((0, 0, 315, 464))
    d = ImageDraw.Draw(img)
    f16 = font(16)
    sunken(img, 56, 16, 161, 257)
    sunken(img, 56, 288, 161, 31)
    d.text((60, 292), "Votre nom S.V.P.", font=f16, fill=(0, 0, 0))
    sunken(img, 56, 328, 161, 31)
    for (x, y, w, h, name) in SCORE_CONTROLS:
        if name in res:
            img.paste(button(res[name], w, h), (x, y))
    return img


def icon_frames(path):
    ico = Image.open(path)
    frames = []
    for size in sorted(ico.ico.sizes()):
        frames.append(ico.ico.getimage(size).convert("RGBA"))
    return frames


class Sheet:
    def __init__(self, width):
        self.width = width
        self.items = []  # (x, y, image, caption)
        self.x = self.y = 12
        self.row_height = 0
        self.font = font(13)

    def add(self, image, caption):
        if self.x + image.width > self.width - 12:
            self.newline()
        self.items.append((self.x, self.y, image, caption))
        self.x += max(image.width, len(caption) * 7) + 16
        self.row_height = max(self.row_height, image.height + 22)

    def newline(self):
        self.x = 12
        self.y += self.row_height + 10
        self.row_height = 0

    def render(self):
        self.newline()
        out = Image.new("RGB", (self.width, self.y), SHEET_BACK)
        d = ImageDraw.Draw(out)
        for (x, y, image, caption) in self.items:
            d.text((x, y), caption, font=self.font, fill=(40, 40, 60))
            if image.mode == "RGBA":
                out.paste(image, (x, y + 18), image)
            else:
                out.paste(image, (x, y + 18))
        return out


def zoom(image, factor):
    return image.resize((image.width * factor, image.height * factor), Image.NEAREST)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--res", default=os.path.join(ROOT, "res"))
    parser.add_argument("--out", default=os.path.join(ROOT, "build", "art"))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    names = ["QUORLBACK", "ESSAI", "COMMENCER", "REGLES", "QUITTER", "SCOREBACK", "FERMER",
             "EFFACER", "BBOK"]
    res = {n: Image.open(os.path.join(args.res, n.lower() + ".bmp")) for n in names}

    main_img = main_window(res)
    scores_img = scores_window(res)
    main_img.save(os.path.join(args.out, "main-window.png"))
    scores_img.save(os.path.join(args.out, "scores-window.png"))

    sheet = Sheet(1660)
    sheet.add(outlined(res["QUORLBACK"], MAIN_CONTROLS), "QUORLBACK 800x600, controls outlined")
    sheet.add(main_img, "main window as shown (800x546 client)")
    sheet.newline()
    sheet.add(outlined(res["SCOREBACK"], SCORE_CONTROLS), "SCOREBACK 318x482, controls outlined")
    sheet.add(scores_img, "best-scores window (315x464)")
    sheet.add(res["ESSAI"].convert("RGB"), "ESSAI 128x42")
    sheet.add(zoom(res["ESSAI"].convert("RGB"), 3), "ESSAI x3")
    sheet.newline()
    for name in ("COMMENCER", "REGLES", "QUITTER", "FERMER", "EFFACER"):
        sheet.add(res[name].convert("RGB"), name + " as stored")
        sheet.add(as_button(res[name]), "on the button face")
        sheet.add(zoom(as_button(res[name]), 3), name + " on the face, x3")
        sheet.newline()
    sheet.add(res["BBOK"].convert("RGB"), "BBOK 36x18")
    sheet.add(as_button(res["BBOK"]), "on the face")
    sheet.add(zoom(res["BBOK"].convert("RGB"), 8), "BBOK x8")
    sheet.add(zoom(as_button(res["BBOK"]), 8), "on the face x8")
    for ico in ("quorl-window.ico", "quorl.ico"):
        for frame in icon_frames(os.path.join(args.res, ico)):
            sheet.add(frame, "%s %dx%d" % (ico, frame.width, frame.height))
            sheet.add(zoom(frame, 4), "x4")
    sheet.render().save(os.path.join(args.out, "contact-sheet.png"))
    print(os.path.join(args.out, "contact-sheet.png"))


if __name__ == "__main__":
    main()
