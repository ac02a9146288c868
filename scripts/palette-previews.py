#!/usr/bin/env python3
"""PNG pictures of palette images (.raw indices plus .act palette), decoded from the two files
themselves so that they show what the game gets, and the six panning faces of a camera laid out
as a cube cross.

Usage: palette-previews.py WIDTH HEIGHT FOLDER [CAMERA]
Writes NAME.png beside every NAME.raw/NAME.act pair of FOLDER (WIDTH x HEIGHT pixels each), and
with CAMERA also CAMERA-cube.png from CAMERAn, s, e, w, u, d: up above north, west, north, east
and south in a row, down below north.
"""
import pathlib
import sys

from PIL import Image


def decode(raw: pathlib.Path, width: int, height: int) -> Image.Image:
    indices = raw.read_bytes()
    palette = raw.with_suffix(".act").read_bytes()
    if len(indices) != width * height or len(palette) != 768:
        raise SystemExit(f"{raw}: {len(indices)} indices and {len(palette)} palette bytes do "
                         f"not make a {width}x{height} palette image")
    image = Image.frombytes("P", (width, height), indices)
    image.putpalette(palette)
    return image.convert("RGB")


def main() -> None:
    width, height, folder = int(sys.argv[1]), int(sys.argv[2]), pathlib.Path(sys.argv[3])
    pictures = {}
    for raw in sorted(folder.glob("*.raw")):
        picture = decode(raw, width, height)
        picture.save(raw.with_suffix(".png"))
        pictures[raw.stem] = picture
    if len(sys.argv) > 4:
        camera = sys.argv[4]
        cross = Image.new("RGB", (4 * width, 3 * height), (40, 40, 40))
        places = {"u": (1, 0), "w": (0, 1), "n": (1, 1), "e": (2, 1), "s": (3, 1), "d": (1, 2)}
        for suffix, (column, row) in places.items():
            cross.paste(pictures[camera + suffix], (column * width, row * height))
        cross.save(folder / f"{camera}-cube.png")


if __name__ == "__main__":
    main()
