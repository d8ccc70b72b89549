#!/usr/bin/python3
"""Builds resources/buttons.ttf, the symbol font that the program embeds as resource 102.

The font draws the small picture buttons of the main window: seven glyphs, reached
through a symbol character map (platform 3, encoding 0). Windows looks symbol-font
characters up at U+F000 + code, other rasterisers at the plain code, so every
character is mapped at both places.

Outlines are plain quadratic contours without hinting: outer contours run clockwise,
holes counter-clockwise, as TrueType expects. Every glyph sits in the same box,
centred on the middle of the font's cell, so that a button that centres its text
line centres the symbol too.

Run with the system interpreter, which has fontTools (Debian python3-fonttools):
    /usr/bin/python3 resources/make_font.py [output.ttf]
"""

import math
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import newTable
from fontTools.misc.timeTools import timestampFromString
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

UNITS_PER_EM = 2048
ASCENT = 1638
DESCENT = 410                      # ASCENT + DESCENT = em: a 12-pixel cell is a 12-pixel em
ADVANCE = 1792
CENTRE_X = ADVANCE // 2            # 896
CENTRE_Y = (ASCENT - DESCENT) // 2  # 614, the middle of the cell
HALF = 800                          # half the side of the square every glyph fits in
TOP = CENTRE_Y + HALF
BOTTOM = CENTRE_Y - HALF
LEFT = CENTRE_X - HALF
RIGHT = CENTRE_X + HALF

# Glyph order is part of the format: glyph 0 ("up") is also the fallback glyph.
GLYPH_ORDER = ["up", "down", "plus", "questionmark", "Settings", "delete", "undo"]

CHARACTER_MAP = {
    "<": "up",
    ">": "down",
    "+": "plus",
    "?": "questionmark",
    "S": "Settings",
    "X": "delete",
    "x": "delete",
    "^": "undo",
}

SYMBOL_OFFSET = 0xF000


# ---------------------------------------------------------------- outline helpers

def point_on_circle(centre, radius, degrees):
    angle = math.radians(degrees)
    return (centre[0] + radius * math.cos(angle), centre[1] + radius * math.sin(angle))


def arc(centre, radius, start_degrees, end_degrees):
    """Quadratic segments of a circular arc, as (off-curve, on-curve) pairs.

    The start point is not included; the caller is already there. Each piece spans at
    most 45 degrees, where one quadratic stays within 0.2 % of the radius.
    """
    sweep = end_degrees - start_degrees
    pieces = max(1, math.ceil(abs(sweep) / 45.0 - 1e-9))
    step = sweep / pieces
    segments = []
    for i in range(pieces):
        a0 = start_degrees + step * i
        middle = a0 + step / 2
        control_radius = radius / math.cos(math.radians(abs(step) / 2))
        segments.append((point_on_circle(centre, control_radius, middle),
                         point_on_circle(centre, radius, a0 + step)))
    return segments


class Contour:
    """Builds one closed contour from lines and arcs; remembers its points for checks."""

    def __init__(self, start, hole=False):
        self.items = [("move", start)]
        self.hole = hole

    def line(self, point):
        self.items.append(("line", point))
        return self

    def arc(self, centre, radius, start_degrees, end_degrees):
        for off, on in arc(centre, radius, start_degrees, end_degrees):
            self.items.append(("curve", off, on))
        return self

    def scaled_vertically(self, centre_y, factor):
        """The same contour squeezed towards the line y = centre_y (exact for quadratics)."""
        def scale(point):
            return (point[0], centre_y + (point[1] - centre_y) * factor)
        copy = Contour(scale(self.items[0][1]), self.hole)
        copy.items = [(item[0],) + tuple(scale(p) for p in item[1:]) for item in self.items]
        return copy

    def on_curve_points(self):
        return [item[-1] for item in self.items]

    def draw(self, pen):
        for item in self.items:
            kind = item[0]
            if kind == "move":
                pen.moveTo(rounded(item[1]))
            elif kind == "line":
                pen.lineTo(rounded(item[1]))
            else:
                pen.qCurveTo(rounded(item[1]), rounded(item[2]))
        pen.closePath()


def rounded(point):
    return (int(round(point[0])), int(round(point[1])))


def polygon(points):
    contour = Contour(points[0])
    for point in points[1:]:
        contour.line(point)
    return contour


def circle(centre, radius, hole=False):
    """A round contour: clockwise when it is filled, counter-clockwise as a hole."""
    start = point_on_circle(centre, radius, 90)
    return Contour(start, hole).arc(centre, radius, 90, 90 + 360 if hole else 90 - 360)


# ---------------------------------------------------------------- the glyphs

def arrow_up():
    """Triangle head over a stem."""
    head_base = CENTRE_Y + 60
    head_half_width = 740
    stem_half_width = 285
    return [polygon([
        (CENTRE_X, TOP),
        (CENTRE_X + head_half_width, head_base),
        (CENTRE_X + stem_half_width, head_base),
        (CENTRE_X + stem_half_width, BOTTOM),
        (CENTRE_X - stem_half_width, BOTTOM),
        (CENTRE_X - stem_half_width, head_base),
        (CENTRE_X - head_half_width, head_base),
    ])]


def arrow_down():
    """The up arrow turned upside down (reversed, so it stays clockwise)."""
    points = arrow_up()[0].on_curve_points()
    flipped = [(x, 2 * CENTRE_Y - y) for x, y in reversed(points)]
    return [polygon(flipped)]


def plus():
    arm = 760
    half = 235
    cx, cy = CENTRE_X, CENTRE_Y
    return [polygon([
        (cx - half, cy + arm), (cx + half, cy + arm), (cx + half, cy + half),
        (cx + arm, cy + half), (cx + arm, cy - half), (cx + half, cy - half),
        (cx + half, cy - arm), (cx - half, cy - arm), (cx - half, cy - half),
        (cx - arm, cy - half), (cx - arm, cy + half), (cx - half, cy + half),
    ])]


def delete_cross():
    """Two bars crossing at right angles, each 45 degrees from the vertical."""
    half_thickness = 235
    reach = (HALF - 20) * math.sqrt(2) - half_thickness   # bar ends stay inside the box
    centre = (CENTRE_X, CENTRE_Y)
    notch = half_thickness * math.sqrt(2)
    points = []
    for arm_degrees in (45, -45, -135, 135):        # clockwise, starting top-right
        notch_degrees = arm_degrees + 45               # the notch before this arm
        points.append(point_on_circle(centre, notch, notch_degrees))
        tip = point_on_circle(centre, reach, arm_degrees)
        side = (math.cos(math.radians(arm_degrees + 90)) * half_thickness,
                math.sin(math.radians(arm_degrees + 90)) * half_thickness)
        points.append((tip[0] + side[0], tip[1] + side[1]))
        points.append((tip[0] - side[0], tip[1] - side[1]))
    return [polygon(points)]


def question_mark():
    """A ring open at the lower left that runs into a short stem, and a round dot.

    The ring is drawn round and then squeezed to an oval, which leaves room for the
    stem and keeps the side strokes heavy enough to read at 12 pixels.
    """
    outer = 540
    inner = 170
    squeeze = 0.75
    hook_centre = (CENTRE_X, TOP - outer * squeeze)
    # The stem sits a little right of the ring's centre so that its left edge meets
    # the inner circle and the ring stays open on the left.
    stem_left = CENTRE_X - 140
    stem_right = CENTRE_X + 230
    stem_bottom = BOTTOM + 640
    dot_radius = 215
    dot_centre = ((stem_left + stem_right) / 2, BOTTOM + dot_radius)
    terminal_degrees = 168            # where the open end of the ring is cut

    right_degrees = -math.degrees(math.acos((stem_right - CENTRE_X) / outer))
    left_degrees = 180 + math.degrees(math.acos((CENTRE_X - stem_left) / inner))
    hook = Contour(point_on_circle(hook_centre, outer, terminal_degrees))
    hook.arc(hook_centre, outer, terminal_degrees, right_degrees)
    bottom_in_circle = hook_centre[1] + (stem_bottom - hook_centre[1]) / squeeze
    hook.line((stem_right, bottom_in_circle))
    hook.line((stem_left, bottom_in_circle))
    hook.line(point_on_circle(hook_centre, inner, left_degrees))
    hook.arc(hook_centre, inner, left_degrees - 360, terminal_degrees)
    hook.line(point_on_circle(hook_centre, outer, terminal_degrees))
    return [hook.scaled_vertically(hook_centre[1], squeeze), circle(dot_centre, dot_radius)]


def gear():
    """Gear wheel with eight teeth around a round hole."""
    centre = (CENTRE_X, CENTRE_Y)
    tip_radius = HALF
    root_radius = 575
    hole_radius = 240
    tip_width = 22.0                  # degrees of arc at the top of a tooth
    root_width = 30.0                 # degrees of arc at the foot of a tooth
    teeth = 8
    pitch = 360.0 / teeth
    first = 90.0                       # a tooth points straight up
    wheel = Contour(point_on_circle(centre, root_radius, first + root_width / 2))
    for k in range(teeth):
        middle = first - pitch * k     # clockwise
        wheel.line(point_on_circle(centre, tip_radius, middle + tip_width / 2))
        wheel.arc(centre, tip_radius, middle + tip_width / 2, middle - tip_width / 2)
        wheel.line(point_on_circle(centre, root_radius, middle - root_width / 2))
        wheel.arc(centre, root_radius, middle - root_width / 2, middle - pitch + root_width / 2)
    return [wheel, circle(centre, hole_radius, hole=True)]


def undo_arrow():
    """Arrow head pointing left on a band that turns round on the right and runs back
    underneath: the path of a step taken back."""
    outer = 540
    inner = 220
    head_length = 600
    head_half_height = 430
    tip_x = LEFT + 10
    band_middle_offset = (outer + inner) / 2   # upper band's middle, above the turn's centre
    # Measured from the turn's centre, the drawing reaches from the lower band's
    # bottom edge (-outer) to the top of the arrow head; centre that span in the cell.
    span_middle = (-outer + band_middle_offset + head_half_height) / 2
    turn_centre = (RIGHT - 10 - outer, CENTRE_Y - span_middle)
    cx, cy = turn_centre
    base_x = tip_x + head_length
    band_y = cy + band_middle_offset
    tail_x = base_x - 60
    contour = Contour((tip_x, band_y))
    contour.line((base_x, band_y + head_half_height))
    contour.line((base_x, cy + outer))
    contour.line((cx, cy + outer))
    contour.arc(turn_centre, outer, 90, -90)
    contour.line((tail_x, cy - outer))
    contour.line((tail_x, cy - inner))
    contour.line((cx, cy - inner))
    contour.arc(turn_centre, inner, -90, 90)
    contour.line((base_x, cy + inner))
    contour.line((base_x, band_y - head_half_height))
    return [contour]


DRAWINGS = {
    "up": arrow_up,
    "down": arrow_down,
    "plus": plus,
    "questionmark": question_mark,
    "Settings": gear,
    "delete": delete_cross,
    "undo": undo_arrow,
}


# ---------------------------------------------------------------- checks

def signed_area(points):
    area = 0.0
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        area += x0 * y1 - x1 * y0
    return area / 2


def check_drawing(name, contours):
    """Filled contours must run clockwise and holes counter-clockwise (y up), or
    the non-zero fill rule would paint holes or drop parts; every point must lie in
    the glyph box."""
    for index, contour in enumerate(contours):
        points = contour.on_curve_points()
        for x, y in points:
            if not (LEFT - 1 <= x <= RIGHT + 1 and BOTTOM - 1 <= y <= TOP + 1):
                raise SystemExit(f"{name}: point {x:.0f},{y:.0f} outside the glyph box")
        area = signed_area(points)
        if abs(area) < 1000:
            raise SystemExit(f"{name}: contour {index} is degenerate")
        if (area > 0) != contour.hole:
            raise SystemExit(f"{name}: contour {index} runs the wrong way round")


# ---------------------------------------------------------------- the font

def build(path):
    glyphs = {}
    for name in GLYPH_ORDER:
        contours = DRAWINGS[name]()
        check_drawing(name, contours)
        pen = TTGlyphPen(None)
        for contour in contours:
            contour.draw(pen)
        glyphs[name] = pen.glyph()

    builder = FontBuilder(UNITS_PER_EM, isTTF=True)
    builder.setupGlyphOrder(GLYPH_ORDER)
    builder.setupGlyf(glyphs)
    metrics = {}
    for name in GLYPH_ORDER:
        glyph = glyphs[name]
        glyph.recalcBounds(builder.font["glyf"])
        metrics[name] = (ADVANCE, glyph.xMin)
    builder.setupHorizontalMetrics(metrics)
    builder.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT, lineGap=0)

    # A single (3, 0) subtable makes this a symbol font to Windows.
    mapping = {}
    for character, glyph_name in CHARACTER_MAP.items():
        mapping[ord(character)] = glyph_name
        mapping[SYMBOL_OFFSET + ord(character)] = glyph_name
    subtable = CmapSubtable.newSubtable(4)
    subtable.platformID = 3
    subtable.platEncID = 0
    subtable.language = 0
    subtable.cmap = mapping
    cmap = newTable("cmap")
    cmap.tableVersion = 0
    cmap.tables = [subtable]
    builder.font["cmap"] = cmap

    names = {
        0: "Made for Quillmoth's picture buttons.",
        1: "Buttons",
        2: "Regular",
        3: "Quillmoth: Buttons Regular: 1.0",
        4: "Buttons",
        5: "Version 1.000",
        6: "Buttons",
    }
    name_table = newTable("name")
    name_table.names = []
    for name_id, text in names.items():
        # Windows reads a symbol font's names in the symbol encoding.
        name_table.setName(text, name_id, 3, 0, 0x409)
        name_table.setName(text, name_id, 1, 0, 0)
    builder.font["name"] = name_table

    codes = sorted(mapping)
    builder.setupOS2(
        version=4,
        achVendID="QMTH",
        usWeightClass=400,
        usWidthClass=5,
        fsType=0,
        fsSelection=0x0040,            # regular
        sTypoAscender=ASCENT,
        sTypoDescender=-DESCENT,
        sTypoLineGap=0,
        usWinAscent=ASCENT,
        usWinDescent=DESCENT,
        sxHeight=TOP,
        sCapHeight=TOP,
        usDefaultChar=0,
        usBreakChar=0,
        usMaxContext=0,
        usFirstCharIndex=codes[0],
        usLastCharIndex=min(codes[-1], 0xFFFF),
        ulUnicodeRange1=0, ulUnicodeRange2=0, ulUnicodeRange3=0, ulUnicodeRange4=0,
        ulCodePageRange1=1 << 31,      # symbol character set
        ulCodePageRange2=0,
    )
    builder.setupPost(keepGlyphNames=True, isFixedPitch=1,
                      underlinePosition=-200, underlineThickness=100)
    # A fixed date keeps the output the same from run to run.
    stamp = timestampFromString("Mon Dec  7 00:00:00 2026")
    builder.setupHead(unitsPerEm=UNITS_PER_EM, fontRevision=1.0, created=stamp, modified=stamp)
    builder.setupMaxp()

    # No instructions: smooth at every size.
    gasp = newTable("gasp")
    gasp.version = 1
    gasp.gaspRange = {0xFFFF: 0x000F}
    builder.font["gasp"] = gasp

    builder.font.recalcTimestamp = False
    builder.save(path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "buttons.ttf")
    build(path)
    print(f"wrote {path} ({os.path.getsize(path)} bytes)")


if __name__ == "__main__":
    main()
