#!/usr/bin/python3
"""Checks the committed symbol font resources/buttons.ttf: its names, its symbol
character map, its glyphs and their outlines, and that it is what make_font.py
builds today (so nobody edits one without the other).

Usage: /usr/bin/python3 buttons_font_check.py FONT MAKE_FONT_SCRIPT
Exits non-zero and lists every failed check.
"""

import os
import subprocess
import sys
import tempfile

from fontTools.pens.recordingPen import RecordingPen
from fontTools.ttLib import TTFont

# What the buttons need: caption character -> glyph name. "<" is the up arrow, which is
# also glyph 0, the glyph every unmapped character falls back to.
EXPECTED_GLYPHS = {
    "<": "up", ">": "down", "+": "plus", "?": "questionmark",
    "S": "Settings", "X": "delete", "x": "delete", "^": "undo",
}
EXPECTED_NAMES = {1: "Buttons", 2: "Regular", 4: "Buttons", 6: "Buttons"}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def contours_of(font, glyph_name):
    pen = RecordingPen()
    font.getGlyphSet()[glyph_name].draw(pen)
    contours, current = [], []
    for operator, points in pen.value:
        if operator == "moveTo":
            current = [points[0]]
        elif operator in ("lineTo", "qCurveTo"):
            current.extend(points)
        elif operator == "closePath":
            contours.append(current)
    return contours


def signed_area(points):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1])) / 2


def inside(point, polygon):
    x, y = point
    crossings = 0
    for (x0, y0), (x1, y1) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            crossings += 1
    return crossings % 2 == 1


def check_outlines(font):
    """Every contour must turn the way the non-zero rule needs: a contour lying inside
    an odd number of others is a hole and runs counter-clockwise, all others clockwise.
    Every glyph must have ink and stay within the cell."""
    os2 = font["OS/2"]
    for name in font.getGlyphOrder():
        contours = contours_of(font, name)
        check(contours, f"glyph {name} is empty")
        for index, contour in enumerate(contours):
            depth = sum(1 for other_index, other in enumerate(contours)
                        if other_index != index and inside(contour[0], other))
            hole = depth % 2 == 1
            area = signed_area(contour)
            check((area > 0) == hole,
                  f"glyph {name}: contour {index} runs the wrong way ({'hole' if hole else 'filled'})")
        glyph = font["glyf"][name]
        check(glyph.yMax <= os2.usWinAscent and -glyph.yMin <= os2.usWinDescent,
              f"glyph {name} leaves the cell ({glyph.yMin}..{glyph.yMax})")
        check(0 <= glyph.xMin and glyph.xMax <= font["hmtx"][name][0],
              f"glyph {name} leaves its advance width")


def check_font(path):
    font = TTFont(path)
    check(font["head"].unitsPerEm == 2048, f"unitsPerEm is {font['head'].unitsPerEm}")
    order = font.getGlyphOrder()
    check(len(order) == 7, f"{len(order)} glyphs instead of 7")
    check(order[0] == "up", f"glyph 0 is {order[0]!r}, not the up arrow")
    check(sorted(order) == sorted(set(EXPECTED_GLYPHS.values())), f"glyph names are {order}")
    check(font["post"].formatType == 2.0, "the post table does not keep glyph names")

    tables = [(t.platformID, t.platEncID) for t in font["cmap"].tables]
    check(tables == [(3, 0)], f"character maps are {tables}, want only the symbol map (3, 0)")
    symbol_map = font["cmap"].getcmap(3, 0)
    if symbol_map is not None:
        for character, glyph_name in EXPECTED_GLYPHS.items():
            for code in (0xF000 + ord(character), ord(character)):
                # Glyph 0 needs no entry: an unmapped code reaches it anyway.
                mapped = symbol_map.cmap.get(code, order[0])
                check(mapped == glyph_name, f"U+{code:04X} ({character!r}) maps to {mapped!r}, want {glyph_name!r}")
        distinct = {symbol_map.cmap.get(0xF000 + ord(c), order[0]) for c in EXPECTED_GLYPHS}
        check(len(distinct) == 7, "the eight characters do not reach seven different glyphs")
    check(font["OS/2"].ulCodePageRange1 & (1 << 31), "OS/2 does not declare the symbol code page")

    for name_id, text in EXPECTED_NAMES.items():
        windows = font["name"].getName(name_id, 3, 0, 0x409)
        check(windows is not None and windows.toUnicode() == text,
              f"name {name_id} (Windows, symbol) is {windows and windows.toUnicode()!r}, want {text!r}")
    check_outlines(font)


def check_reproducible(path, script):
    with tempfile.TemporaryDirectory() as work:
        fresh = os.path.join(work, "buttons.ttf")
        subprocess.run([sys.executable, script, fresh], check=True, stdout=subprocess.DEVNULL)
        with open(fresh, "rb") as a, open(path, "rb") as b:
            check(a.read() == b.read(), "the committed font differs from what make_font.py builds")


def main():
    path, script = sys.argv[1], sys.argv[2]
    check_font(path)
    check_reproducible(path, script)
    for failure in failures:
        print("FAIL:", failure)
    print(f"{'FAILED' if failures else 'OK'}: {len(failures)} failure(s) in {path}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
