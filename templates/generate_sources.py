#!/usr/bin/env python3
"""Writes the template movie sources (templates/sources/*.json).

The sources are plain movie files (docs/movie-format.md) with a "template" block that the
library builder turns into the parameter file. They are committed, so the build never needs
this script; run it again after changing a recipe here:  python3 templates/generate_sources.py
Every choice below is fixed (no randomness), so the output is the same on every run.
"""
import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "sources")
W, H = 1920, 1080
FPS = 25

# Background palettes: (top, bottom, accent, border)
PALETTES = {
    "blush":    ("#fbe3e8", "#e8b7c8", "#ff8fab", "#ffffff"),
    "navy":     ("#0d1b3a", "#1f3b70", "#f7d774", "#f4e3b2"),
    "mint":     ("#e4f4ec", "#a9d8c4", "#4aa37f", "#ffffff"),
    "sunset":   ("#ffcf9c", "#e0607e", "#fff1c9", "#fff7ea"),
    "ink":      ("#15161a", "#2b2d36", "#d9b77c", "#d9b77c"),
    "sky":      ("#dff1ff", "#8ec5ff", "#ffffff", "#ffffff"),
    "cream":    ("#fbf5e9", "#eadbc0", "#b88a4a", "#ffffff"),
    "lilac":    ("#ece4ff", "#b9a4e8", "#ffffff", "#ffffff"),
    "forest":   ("#17362b", "#2f5d46", "#e9d9a6", "#f3ecd6"),
    "coral":    ("#ffe9e1", "#ffb199", "#ff6f61", "#ffffff"),
    "slate":    ("#2c3e50", "#4c6a85", "#e3f2fd", "#ffffff"),
    "gold":     ("#3b2a14", "#8a6a2f", "#ffe7a3", "#f5d78e"),
    "rose":     ("#4a1c2c", "#8e3553", "#ffc2d4", "#ffe4ec"),
    "aqua":     ("#e0fbfc", "#7fd1d9", "#227c9d", "#ffffff"),
}


def key(*frames):
    """key((0, 1.0), (20, 1.2, "out")) -> key frame list"""
    return [list(f) for f in frames]


def background(pal, radial=False):
    top, bottom, accent, _ = PALETTES[pal]
    if radial:
        return {"kind": "gradient", "radial": True, "from": [960, 420], "to": [960, 1500],
                "stops": [[0, top], [1, bottom]]}
    return {"kind": "gradient", "from": [0, 0], "to": [W * 0.35, H],
            "stops": [[0, top], [1, bottom]]}


def vignette(strength=0.55):
    a = "%02x" % int(255 * strength)
    return {"kind": "gradient", "radial": True, "from": [960, 540], "to": [960, 1300],
            "stops": [[0, "#00000000"], [0.55, "#00000000"], [1, "#000000" + a]]}


# ---------------------------------------------------------------- hand-over from picture_0

def handover(style, length=22):
    """The previous movie's last picture on top, leaving in one of several ways."""
    p0 = {"kind": "picture", "source": "picture_0", "box": [0, 0, W, H], "end": length}
    if style == "fade":
        p0["opacity"] = key((0, 1), (length, 0, "inout"))
    elif style == "push_left":
        p0["x"] = key((0, 0), (length, -W, "inout"))
    elif style == "push_up":
        p0["y"] = key((0, 0), (length, -H, "inout"))
    elif style == "page":
        p0.update(anchor=[0, 0.5], turn=key((0, 0), (length, -90, "in")),
                  opacity=key((0, 1), (length - 4, 1), (length, 0, "linear")),
                  shadow={"blur": 40, "offset": [0, 0], "opacity": 0.6})
    elif style == "zoom":
        p0.update(scale=key((0, 1), (length, 2.4, "in")), opacity=key((0, 1), (length, 0, "in")))
    elif style == "iris":
        p0["mask"] = {"kind": "iris", "invert": True, "progress": key((0, 0), (length, 1, "in"))}
    elif style == "clock":
        p0["mask"] = {"kind": "clock", "invert": True, "progress": key((0, 0), (length, 1, "inout"))}
    elif style == "blinds":
        p0["mask"] = {"kind": "blinds", "count": 10, "invert": True,
                      "progress": key((0, 0), (length, 1, "inout"))}
    elif style == "blinds_h":
        p0["mask"] = {"kind": "blinds", "count": 8, "vertical": True, "invert": True,
                      "progress": key((0, 0), (length, 1, "inout"))}
    elif style == "split":
        p0["mask"] = {"kind": "split", "invert": True, "progress": key((0, 0), (length, 1, "inout"))}
    elif style == "split_v":
        p0["mask"] = {"kind": "split", "vertical": True, "invert": True,
                      "progress": key((0, 0), (length, 1, "inout"))}
    elif style == "wipe":
        p0["mask"] = {"kind": "linear", "angle": 20, "softness": 260, "invert": True,
                      "progress": key((0, 0), (length, 1, "inout"))}
    elif style == "wipe_down":
        p0["mask"] = {"kind": "linear", "angle": 90, "softness": 200, "invert": True,
                      "progress": key((0, 0), (length, 1, "inout"))}
    elif style == "box":
        p0["mask"] = {"kind": "box", "invert": True, "progress": key((0, 0), (length, 1, "out"))}
    else:
        raise ValueError(style)
    return p0


# ---------------------------------------------------------------- photo cards

ENTRANCES = ["rise", "drop", "left", "right", "grow", "tilt", "fade"]


def card(slot, box, start, pal, entrance="rise", border=14, radius=10, shadow=True,
         tilt=0.0, kenburns=None, fit="cover", frames=150):
    _, _, _, border_colour = PALETTES[pal]
    layer = {"kind": "picture", "source": "picture_%d" % slot, "box": box, "fit": fit}
    if border:
        layer["border"] = {"width": border, "color": border_colour}
    if radius:
        layer["radius"] = radius
    if shadow:
        layer["shadow"] = {"blur": 34, "offset": [0, 16], "opacity": 0.45}
    d = 20  # entrance length
    end = start + d
    layer["opacity"] = key((start, 0), (start + 8, 1, "linear"))
    if entrance == "rise":
        layer["y"] = key((start, 160), (end, 0, "out"))
    elif entrance == "drop":
        layer["y"] = key((start, -180), (end, 0, "outback"))
    elif entrance == "left":
        layer["x"] = key((start, -420), (end, 0, "out"))
    elif entrance == "right":
        layer["x"] = key((start, 420), (end, 0, "out"))
    elif entrance == "grow":
        layer["scale"] = key((start, 0.6), (end, 1, "outback"))
    elif entrance == "tilt":
        layer["scale"] = key((start, 1.25), (end, 1, "out"))
        layer["rotation"] = key((start, tilt - 8), (end, tilt, "out"))
    elif entrance == "fade":
        layer["scale"] = key((start, 1.06), (end + 10, 1, "out"))
        layer["opacity"] = key((start, 0), (end, 1, "inout"))
    if tilt and "rotation" not in layer:
        layer["rotation"] = tilt
    if kenburns:
        z0, z1, px, py = kenburns
        layer["zoom"] = key((0, z0), (frames - 1, z1, "sine"))
        if px:
            layer["pan_x"] = key((0, -px), (frames - 1, px, "sine"))
        if py:
            layer["pan_y"] = key((0, -py), (frames - 1, py, "sine"))
    # a gentle drift after the entrance keeps the picture alive
    return layer


def settle_scale(layer, start, frames, amount=0.04):
    """Slow breathing zoom of the whole card after it has arrived."""
    if "scale" in layer:
        keys = layer["scale"]
        keys.append([frames - 1, 1 + amount, "sine"])
    else:
        layer["scale"] = key((start + 20, 1), (frames - 1, 1 + amount, "sine"))
    return layer


# ---------------------------------------------------------------- decorations

def particles(style, pal, seed, count=36, frames=150):
    _, _, accent, _ = PALETTES[pal]
    layer = {"kind": "particles", "style": style, "seed": seed, "count": count,
             "box": [0, -60, W, H + 120], "opacity": key((0, 0), (20, 1, "linear"))}
    if style == "petals":
        layer.update(colors=["#ffc4d6", "#ffb3c6", "#ffe5ec", "#fbd3e0"], velocity=[1.2, 2.2],
                     sway=40, spin=2.5, size=[16, 30])
    elif style == "snow":
        layer.update(colors=["#ffffff", "#f0f8ff"], velocity=[0.4, 2.4], sway=26, spin=0,
                     size=[6, 16])
    elif style == "bokeh":
        layer.update(colors=[accent + "cc", "#ffffffaa", accent + "88"], velocity=[0.3, -0.6],
                     sway=30, spin=0, size=[40, 110], count=min(count, 22))
    elif style == "sparkles":
        layer.update(colors=["#fff6d5", accent], velocity=[0.2, -0.4], sway=12, spin=1,
                     size=[14, 30])
    elif style == "hearts":
        layer.update(colors=["#ff5c8a", "#ff8fab", "#ffc2d1"], velocity=[0.3, -1.6], sway=30,
                     spin=0.6, size=[18, 36])
    return layer


def glow(x, y, r, colour, frames, drift=120):
    return {"kind": "glow", "box": [x - r, y - r, 2 * r, 2 * r], "color": colour,
            "x": key((0, -drift / 2), (frames - 1, drift / 2, "sine")),
            "opacity": key((0, 0.25), (frames // 2, 0.75, "sine"), (frames - 1, 0.4, "sine"))}


def frame_lines(pal, inset=44, frames=150, start=10):
    _, _, accent, _ = PALETTES[pal]
    return {"kind": "shape", "shape": "rounded_rect", "box": [inset, inset, W - 2 * inset, H - 2 * inset],
            "radius": 22, "stroke": {"width": 3, "color": accent + "aa"},
            "opacity": key((start, 0), (start + 25, 1, "inout")),
            "scale": key((start, 1.04), (start + 25, 1, "out"))}


def shape(kind, box, colour, start, rotation=0, spin=0.0, frames=150, **extra):
    layer = {"kind": "shape", "shape": kind, "box": box, "color": colour,
             "opacity": key((start, 0), (start + 15, 1, "inout")),
             "scale": key((start, 0.3), (start + 18, 1, "outback"))}
    if spin:
        layer["rotation"] = key((start, rotation), (frames - 1, rotation + spin, "linear"))
    elif rotation:
        layer["rotation"] = rotation
    layer.update(extra)
    return layer


def hearts_corner(pal, frames, start=24):
    _, _, accent, _ = PALETTES[pal]
    return [shape("heart", [1620, 70, 150, 136], accent + "dd", start, rotation=12, frames=frames),
            shape("heart", [1740, 200, 80, 72], accent + "99", start + 6, rotation=-10, frames=frames),
            shape("heart", [110, 860, 110, 100], accent + "bb", start + 10, rotation=-14, frames=frames)]


def stars_scatter(pal, frames, start=24, seed=3):
    _, _, accent, _ = PALETTES[pal]
    spots = [(150, 140, 70), (1700, 160, 56), (1780, 860, 80), (240, 900, 50), (980, 70, 36),
             (90, 520, 40), (1840, 520, 44)]
    out = []
    for i, (x, y, s) in enumerate(spots[: 4 + seed % 4]):
        out.append(shape("star", [x - s / 2, y - s / 2, s, s], accent + "ee", start + 4 * i,
                         spin=40 if i % 2 else -30, frames=frames, inner=0.42))
    return out


def rings(pal, frames, start=30):
    _, _, accent, _ = PALETTES[pal]
    return [shape("ring", [1560, -160, 520, 520], accent + "55", start, frames=frames, inner=0.93),
            shape("ring", [-180, 700, 560, 560], accent + "44", start + 8, frames=frames, inner=0.95),
            shape("ellipse", [1700, 760, 90, 90], accent + "66", start + 14, frames=frames)]


def ribbon(pal, y, frames, start=14):
    _, _, accent, _ = PALETTES[pal]
    return {"kind": "shape", "shape": "rect", "box": [0, y, W, 120], "color": accent + "30",
            "anchor": [0, 0.5], "scale_x": key((start, 0), (start + 30, 1, "out"))}


def letterbox(frames, start=4):
    return [{"kind": "shape", "shape": "rect", "box": [0, 0, W, 110], "color": "#000000",
             "y": key((start, -110), (start + 24, 0, "out"))},
            {"kind": "shape", "shape": "rect", "box": [0, H - 110, W, 110], "color": "#000000",
             "y": key((start, 110), (start + 24, 0, "out"))}]


# ---------------------------------------------------------------- layouts

def centered(w, h, dx=0, dy=0):
    return [round((W - w) / 2 + dx), round((H - h) / 2 + dy), w, h]


LAYOUTS = {
    ("heng", 1): [[centered(1344, 756)], [centered(1200, 675, dx=-180)], [centered(1440, 810)],
                  [centered(1280, 720, dy=-10)]],
    ("shu", 1): [[centered(600, 900)], [centered(560, 840, dx=-300)], [centered(620, 930, dx=280)]],
    ("shuheng", 1): [[centered(860, 860)], [centered(820, 820, dx=-240)]],
    ("heng", 2): [[[110, 250, 800, 450], [1010, 380, 800, 450]],
                  [[200, 90, 880, 495], [840, 500, 880, 495]]],
    ("shu", 2): [[[400, 150, 520, 780], [1000, 150, 520, 780]],
                 [[300, 120, 540, 810], [1080, 150, 540, 810]]],
    ("heng", 3): [[[90, 250, 1000, 562], [1180, 130, 650, 366], [1180, 584, 650, 366]]],
    ("shu", 3): [[[250, 200, 440, 660], [740, 200, 440, 660], [1230, 200, 440, 660]]],
    ("heng", 4): [[[170, 90, 760, 428], [990, 90, 760, 428], [170, 562, 760, 428], [990, 562, 760, 428]]],
    ("shu", 4): [[[150, 270, 360, 540], [570, 270, 360, 540], [990, 270, 360, 540], [1410, 270, 360, 540]]],
    ("heng", 6): [[[105, 160, 540, 304], [690, 160, 540, 304], [1275, 160, 540, 304],
                   [105, 616, 540, 304], [690, 616, 540, 304], [1275, 616, 540, 304]]],
}
TILTS = {1: [0], 2: [-3, 2.5], 3: [-2, 2, -1.5], 4: [-2, 1.5, -1, 2], 6: [-1.5, 1, -1, 1.5, -2, 1]}


# ---------------------------------------------------------------- recipes

def movie(name, frames, layers, template):
    return {"format": "solvane-movie", "version": 1, "name": name, "frames": frames,
            "template": template, "layers": layers}


def template_block(orients, zero, category, kind):
    return {"mblx": kind, "mbfl": category, "orientation": orients, "zero_slots": zero,
            "xpjpgmc": "|" + "|".join("picture_%d" % (i + 1) for i in range(len(orients))) + "|"}


def card_template(idx, name, pal, orient, count, layout_no, over, extras, frames,
                  entrance="rise", border=14, radius=10, radial=False, kenburns=None,
                  category="card", slot_orients=None, boxes=None):
    boxes = boxes or LAYOUTS[(orient, count)][layout_no % len(LAYOUTS[(orient, count)])]
    layers = [background(pal, radial)]
    layers += extras.get("under", [])
    tilts = TILTS[len(boxes)] if len(boxes) > 1 else [extras.get("tilt", 0)]
    first = 14
    for i, b in enumerate(boxes):
        ent = entrance if isinstance(entrance, str) else entrance[i % len(entrance)]
        c = card(i + 1, b, first + 10 * i, pal, ent, border, radius, tilt=tilts[i % len(tilts)],
                 kenburns=kenburns, frames=frames)
        if count == 1 and not kenburns:
            settle_scale(c, first, frames)
        layers.append(c)
    layers += extras.get("over", [])
    layers.append(handover(over))
    orients = slot_orients or [orient] * len(boxes)
    return movie(name, frames, layers, template_block(orients, False, category, "xiangce"))


def fullscreen_template(name, pal, over, frames, extras, zero=True, orient="heng", kb=(1.0, 1.16, 0.6, 0.3)):
    box = [0, 0, W, H]
    layers = [background(pal, True)]
    photo = {"kind": "picture", "source": "picture_1", "box": box,
             "fit": "contain" if zero else "cover",
             "zoom": key((0, kb[0]), (frames - 1, kb[1], "sine"))}
    if kb[2]:
        photo["pan_x"] = key((0, -kb[2]), (frames - 1, kb[2], "sine"))
    if kb[3]:
        photo["pan_y"] = key((0, kb[3]), (frames - 1, -kb[3], "sine"))
    if orient == "shu":
        photo["shadow"] = {"blur": 50, "offset": [0, 0], "opacity": 0.55}
    layers.append(photo)
    layers += extras
    layers.append(handover(over))
    return movie(name, frames, layers, template_block([orient], zero, "quanping", "xiangce"))


def build():
    out = []
    f = lambda seconds: int(seconds * FPS)

    # --- single landscape ("heng")
    out.append(fullscreen_template("Quiet Morning", "cream", "fade", f(6),
                                   [vignette(0.45), glow(1500, 250, 520, "#ffd9a0aa", f(6))]))
    out.append(fullscreen_template("Cinema", "ink", "split", f(7),
                                   letterbox(f(7)) + [vignette(0.35)], kb=(1.0, 1.12, 0.8, 0)))
    out.append(fullscreen_template("Drift", "slate", "wipe", f(6),
                                   [vignette(0.5), particles("bokeh", "slate", 11, 18, f(6))]))
    out.append(fullscreen_template("Snowfall Window", "sky", "blinds_h", f(7),
                                   [vignette(0.4), particles("snow", "sky", 5, 90, f(7))], zero=False))
    out.append(card_template(4, "Polaroid Afternoon", "cream", "heng", 1, 0, "page",
                             {"over": [particles("petals", "cream", 21, 26, f(6))], "tilt": -2.5},
                             f(6), entrance="tilt", border=26, radius=4))
    out.append(card_template(5, "Gold Gallery", "ink", "heng", 1, 2, "iris",
                             {"under": [frame_lines("ink", 40)] + [glow(300, 200, 420, "#d9b77c66", f(6))],
                              "over": [particles("sparkles", "ink", 7, 26, f(6))]},
                             f(6), entrance="grow", border=10, radius=2))
    out.append(card_template(6, "Blush Hearts", "blush", "heng", 1, 1, "clock",
                             {"under": rings("blush", f(7)),
                              "over": hearts_corner("blush", f(7)) + [particles("hearts", "blush", 9, 20, f(7))]},
                             f(7), entrance="left", border=16, radius=24))
    out.append(card_template(7, "Winter Postcard", "sky", "heng", 1, 3, "blinds",
                             {"over": [particles("snow", "sky", 17, 110, f(7))]},
                             f(7), entrance="drop", border=18, radius=18))
    out.append(card_template(8, "Starlit", "navy", "heng", 1, 0, "zoom",
                             {"under": stars_scatter("navy", f(6), seed=4),
                              "over": [particles("sparkles", "navy", 33, 34, f(6))]},
                             f(6), entrance="grow", border=8, radius=16))
    out.append(card_template(9, "Spring Garden", "mint", "heng", 1, 1, "wipe",
                             {"under": [ribbon("mint", 860, f(6))],
                              "over": [particles("petals", "mint", 41, 30, f(6))]},
                             f(6), entrance="right", border=14, radius=28))
    out.append(card_template(10, "Golden Hour", "sunset", "heng", 1, 2, "push_left",
                             {"under": [glow(1650, 180, 600, "#fff1c9cc", f(7)), glow(200, 950, 500, "#ffd1a1aa", f(7))],
                              "over": [particles("bokeh", "sunset", 29, 16, f(7))]},
                             f(7), entrance="fade", border=0, radius=30))
    out.append(fullscreen_template("Summer Light", "sunset", "zoom", f(5),
                                   [glow(1700, 120, 700, "#ffc87a99", f(5), 300), vignette(0.3)], kb=(1.0, 1.1, 0, 0.6)))
    out.append(card_template(12, "Lavender Note", "lilac", "heng", 1, 3, "box",
                             {"under": rings("lilac", f(6)), "over": [particles("bokeh", "lilac", 51, 14, f(6))]},
                             f(6), entrance="rise", border=12, radius=20, kenburns=(1.0, 1.12, 0.5, 0)))

    # --- single portrait ("shu")
    out.append(card_template(13, "Tall Polaroid", "cream", "shu", 1, 0, "page",
                             {"over": [particles("petals", "cream", 61, 24, f(6))], "tilt": 2},
                             f(6), entrance="tilt", border=24, radius=4))
    out.append(card_template(14, "Portrait in Gold", "ink", "shu", 1, 1, "iris",
                             {"under": [frame_lines("ink", 40), glow(1400, 400, 520, "#d9b77c55", f(7))],
                              "over": stars_scatter("ink", f(7), seed=2)},
                             f(7), entrance="left", border=8, radius=2))
    out.append(card_template(15, "Rose Window", "rose", "shu", 1, 2, "clock",
                             {"under": rings("rose", f(6)),
                              "over": [particles("hearts", "rose", 71, 18, f(6))]},
                             f(6), entrance="right", border=14, radius=300))
    out.append(card_template(16, "Snow Portrait", "slate", "shu", 1, 0, "blinds",
                             {"over": [particles("snow", "slate", 81, 120, f(7))]},
                             f(7), entrance="drop", border=12, radius=14))
    out.append(card_template(17, "Mint Breeze", "mint", "shu", 1, 1, "wipe_down",
                             {"under": [ribbon("mint", 480, f(6))], "over": [particles("petals", "mint", 91, 24, f(6))]},
                             f(6), entrance="rise", border=14, radius=24, kenburns=(1.0, 1.1, 0, 0.6)))
    out.append(fullscreen_template("Portrait Spotlight", "navy", "fade", f(6),
                                   [particles("bokeh", "navy", 13, 18, f(6))], orient="shu", kb=(1.0, 1.08, 0, 0)))
    out.append(fullscreen_template("Quiet Portrait", "cream", "split_v", f(5),
                                   [glow(300, 200, 500, "#ffe3b0aa", f(5))], orient="shu", kb=(1.0, 1.1, 0, 0.4)))
    out.append(card_template(20, "Coral Bloom", "coral", "shu", 1, 2, "push_up",
                             {"under": hearts_corner("coral", f(6), 30), "over": [particles("petals", "coral", 23, 24, f(6))]},
                             f(6), entrance="grow", border=16, radius=26))

    # --- single either way ("shuheng": square slots)
    out.append(card_template(21, "Square Frame", "aqua", "shuheng", 1, 0, "box",
                             {"under": rings("aqua", f(6)), "over": [particles("bokeh", "aqua", 37, 14, f(6))]},
                             f(6), entrance="grow", border=18, radius=12, category="fangxing"))
    out.append(card_template(22, "Round Locket", "rose", "shuheng", 1, 1, "iris",
                             {"under": [glow(1500, 300, 520, "#ffc2d488", f(7))],
                              "over": hearts_corner("rose", f(7)) + [particles("sparkles", "rose", 43, 22, f(7))]},
                             f(7), entrance="fade", border=14, radius=410, category="fangxing"))
    out.append(card_template(23, "Forest Square", "forest", "shuheng", 1, 1, "wipe",
                             {"under": [frame_lines("forest", 40)], "over": [particles("petals", "forest", 47, 20, f(6))]},
                             f(6), entrance="left", border=12, radius=8, category="fangxing",
                             kenburns=(1.0, 1.12, 0.4, 0.4)))
    out.append(card_template(24, "Gold Square", "gold", "shuheng", 1, 0, "clock",
                             {"under": stars_scatter("gold", f(6), seed=5),
                              "over": [particles("sparkles", "gold", 53, 30, f(6))]},
                             f(6), entrance="tilt", border=10, radius=4, category="fangxing"))

    # --- two photographs
    out.append(card_template(25, "Side by Side", "cream", "heng", 2, 0, "push_left",
                             {"over": [particles("petals", "cream", 59, 20, f(7))]},
                             f(7), entrance=["left", "right"], border=16, radius=8, category="duozhang"))
    out.append(card_template(26, "Overlap", "slate", "heng", 2, 1, "fade",
                             {"under": [glow(1600, 200, 520, "#e3f2fd55", f(7))],
                              "over": [particles("bokeh", "slate", 67, 14, f(7))]},
                             f(7), entrance=["drop", "rise"], border=12, radius=14, category="duozhang"))
    out.append(card_template(27, "Twin Hearts", "blush", "heng", 2, 0, "clock",
                             {"under": rings("blush", f(8)),
                              "over": [particles("hearts", "blush", 73, 18, f(8))]},
                             f(8), entrance="grow", border=14, radius=22, category="duozhang"))
    out.append(card_template(28, "Twin Portraits", "lilac", "shu", 2, 0, "split",
                             {"under": rings("lilac", f(7)), "over": [particles("sparkles", "lilac", 79, 24, f(7))]},
                             f(7), entrance=["left", "right"], border=14, radius=18, category="duozhang"))
    out.append(card_template(29, "Snow Pair", "sky", "shu", 2, 1, "blinds",
                             {"over": [particles("snow", "sky", 83, 100, f(7))]},
                             f(7), entrance=["drop", "rise"], border=14, radius=10, category="duozhang"))
    out.append(card_template(30, "Garden Pair", "mint", "shu", 2, 0, "wipe",
                             {"under": [ribbon("mint", 880, f(6))], "over": [particles("petals", "mint", 89, 22, f(6))]},
                             f(6), entrance="tilt", border=12, radius=24, category="duozhang"))

    # --- three photographs
    out.append(card_template(31, "Trio", "ink", "heng", 3, 0, "iris",
                             {"under": [frame_lines("ink", 36)], "over": [particles("sparkles", "ink", 97, 24, f(7))]},
                             f(7), entrance=["left", "drop", "rise"], border=8, radius=4, category="duozhang"))
    out.append(card_template(32, "Sunset Trio", "sunset", "heng", 3, 0, "push_up",
                             {"under": [glow(1700, 150, 600, "#fff1c9cc", f(7))], "over": [particles("bokeh", "sunset", 101, 14, f(7))]},
                             f(7), entrance=["grow"], border=14, radius=20, category="duozhang"))
    out.append(card_template(33, "Three Portraits", "coral", "shu", 3, 0, "split",
                             {"under": hearts_corner("coral", f(7), 40), "over": [particles("petals", "coral", 103, 20, f(7))]},
                             f(7), entrance=["drop", "rise", "drop"], border=14, radius=18, category="duozhang"))
    out.append(card_template(34, "Starry Trio", "navy", "shu", 3, 0, "zoom",
                             {"under": stars_scatter("navy", f(8), seed=6), "over": [particles("sparkles", "navy", 107, 30, f(8))]},
                             f(8), entrance=["grow"], border=10, radius=12, category="duozhang"))

    # --- four to six photographs
    out.append(card_template(35, "Album Page", "cream", "heng", 4, 0, "page",
                             {"over": [particles("petals", "cream", 109, 16, f(8))]},
                             f(8), entrance=["left", "right", "left", "right"], border=12, radius=6, category="duozhang"))
    out.append(card_template(36, "Filmstrip", "ink", "shu", 4, 0, "blinds",
                             {"under": [{"kind": "shape", "shape": "rect", "box": [0, 220, W, 640], "color": "#00000088"}],
                              "over": [particles("sparkles", "ink", 113, 20, f(8))]},
                             f(8), entrance=["drop", "rise", "drop", "rise"], border=6, radius=2, category="duozhang"))
    out.append(card_template(37, "Memory Wall", "aqua", "heng", 6, 0, "box",
                             {"over": [particles("bokeh", "aqua", 127, 12, f(8))]},
                             f(8), entrance=["grow"], border=10, radius=8, category="duozhang"))

    # --- mixed slots ("gaojimoban")
    out.append(card_template(38, "Landscape and Portrait", "forest", "heng", 2, 0, "fade",
                             {"under": [frame_lines("forest", 40)], "over": [particles("petals", "forest", 131, 18, f(7))]},
                             f(7), entrance=["left", "right"], border=12, radius=10, category="gaoji",
                             slot_orients=["heng", "shu"],
                             boxes=[[140, 230, 1000, 562], [1260, 150, 500, 750]]))
    out.append(card_template(39, "Pair of Moods", "gold", "heng", 3, 0, "iris",
                             {"under": stars_scatter("gold", f(8), seed=1), "over": [particles("sparkles", "gold", 137, 24, f(8))]},
                             f(8), entrance=["grow"], border=10, radius=6, category="gaoji",
                             slot_orients=["shu", "heng", "shu"],
                             boxes=[[90, 210, 440, 660], [590, 290, 740, 416], [1390, 210, 440, 660]]))

    # --- more landscape and portrait singles so the library has variety to draw from
    out.append(card_template(40, "Ocean Postcard", "aqua", "heng", 1, 1, "wipe_down",
                             {"under": [ribbon("aqua", 150, f(6))], "over": [particles("bokeh", "aqua", 139, 14, f(6))]},
                             f(6), entrance="left", border=16, radius=16, kenburns=(1.0, 1.1, 0.6, 0)))
    out.append(card_template(41, "Evening Portrait", "sunset", "shu", 1, 1, "zoom",
                             {"under": [glow(1500, 240, 560, "#fff1c9aa", f(6))], "over": [particles("bokeh", "sunset", 149, 14, f(6))]},
                             f(6), entrance="fade", border=12, radius=20))
    return out


def closing():
    frames = 100
    layers = [
        {"kind": "solid", "color": "#000000"},
        {"kind": "picture", "source": "picture_0", "box": [0, 0, W, H],
         "scale": key((0, 1), (80, 1.08, "sine")), "opacity": key((0, 1), (70, 0, "inout"))},
        glow(960, 540, 420, "#ffe7b366", frames, 60),
        dict(particles("sparkles", "gold", 3, 30, frames), opacity=key((20, 0), (50, 1), (99, 0.0, "in"))),
        {"kind": "shape", "shape": "heart", "box": [900, 470, 120, 110], "color": "#ffc2d4",
         "opacity": key((30, 0), (50, 1, "inout"), (85, 1), (99, 0, "in")),
         "scale": key((30, 0.5), (55, 1, "outback"), (99, 1.15, "sine"))},
        {"kind": "shape", "shape": "ring", "box": [830, 400, 260, 260], "color": "#ffe7b3aa", "inner": 0.96,
         "opacity": key((34, 0), (56, 1, "inout"), (85, 1), (99, 0, "in")),
         "scale": key((34, 0.7), (70, 1.1, "out"))},
    ]
    return {"format": "solvane-movie", "version": 1, "name": "Closing", "frames": frames,
            "layers": layers}


def main():
    os.makedirs(OUT, exist_ok=True)
    for old in os.listdir(OUT):
        if old.endswith(".json"):
            os.remove(os.path.join(OUT, old))
    for i, m in enumerate(build(), start=1):
        slug = "".join(c.lower() if c.isalnum() else "_" for c in m["name"]).strip("_")
        with open(os.path.join(OUT, "%03d_%s.json" % (i, slug)), "w") as fh:
            json.dump(m, fh, indent=1)
            fh.write("\n")
    with open(os.path.join(HERE, "closing.json"), "w") as fh:
        json.dump(closing(), fh, indent=1)
        fh.write("\n")


if __name__ == "__main__":
    main()
