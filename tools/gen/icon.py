"""The desktop icon, desktop/quarvel.png: the tower at night from the tenth
storey's picture, its top storey lit, under the aiming cross."""
import os

from PIL import Image, ImageDraw

ROOT = os.path.join(os.path.dirname(__file__), "..", "..")
SIZE = 128


def main():
    tower = Image.open(os.path.join(ROOT, "data", "Building10.png")).convert("RGBA")
    # The tower's upper storeys and a strip of sky on either side, square.
    crop = tower.crop((150, 30, 490, 370)).resize((SIZE, SIZE), Image.LANCZOS)
    icon = Image.new("RGBA", (SIZE, SIZE), (0, 0, 0, 0))
    mask = Image.new("L", (SIZE, SIZE), 0)
    ImageDraw.Draw(mask).rounded_rectangle((2, 2, SIZE - 3, SIZE - 3), radius=18, fill=255)
    icon.paste(crop, (0, 0), mask)
    d = ImageDraw.Draw(icon)
    red = (226, 40, 40, 255)
    c, r = SIZE * 0.62, SIZE * 0.2
    d.ellipse((c - r, c - r, c + r, c + r), outline=red, width=5)
    for x0, y0, x1, y1 in ((c - r - 10, c, c - r + 8, c), (c + r - 8, c, c + r + 10, c),
                           (c, c - r - 10, c, c - r + 8), (c, c + r - 8, c, c + r + 10)):
        d.line((x0, y0, x1, y1), fill=red, width=5)
    icon.save(os.path.join(ROOT, "desktop", "quarvel.png"), optimize=True)


if __name__ == "__main__":
    main()
