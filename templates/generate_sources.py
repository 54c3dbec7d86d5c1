#!/usr/bin/env python3
"""Writes the template movie sources (templates/sources/*.json).

The sources are plain movie files (docs/movie-format.md) with a "template" block that the
library builder turns into the parameter file. They are committed, so the build never needs
this script; run it again after changing a recipe here:  python3 templates/generate_sources.py
Every choice below is fixed (no randomness), so the output is the same on every run.
"""
import json
import math
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


def last_key(layer):
    """The last frame at which any animated value of the layer changes."""
    last = 0
    for value in layer.values():
        if isinstance(value, list) and value and isinstance(value[0], list):
            last = max(last, value[-1][0])
    return last


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
    elif style == "push_right":
        p0["x"] = key((0, 0), (length, W, "inout"))
    elif style == "push_down":
        p0["y"] = key((0, 0), (length, H, "inout"))
    elif style == "flip":
        # a card turned over about its middle: the old picture goes edge-on
        p0.update(turn=key((0, 0), (length, 90, "in")), scale=key((0, 1), (length, 0.9, "in")),
                  shadow={"blur": 40, "offset": [0, 0], "opacity": 0.5})
    elif style == "cube":
        # the old face swings away about its right edge while it travels left
        p0.update(anchor=[1, 0.5], x=key((0, 0), (length, -W, "inout")),
                  turn=key((0, 0), (length, 70, "inout")),
                  opacity=key((0, 1), (length - 6, 1), (length, 0, "linear")))
    elif style == "curl":
        # a page lifted at its lower right corner and turned over to the left
        p0.update(anchor=[0, 0.5], turn=key((0, 0), (length, -95, "in")),
                  rotation=key((0, 0), (length, 6, "in")), y=key((0, 0), (length, -40, "in")),
                  shadow={"blur": 60, "offset": [-20, 10], "opacity": 0.55})
    elif style == "toss":
        # the old picture shrinks into a print and is tossed off the bottom
        p0.update(scale=key((0, 1), (length * 0.55, 0.42, "out"), (length, 0.38, "linear")),
                  rotation=key((0, 0), (length, -14, "in")),
                  y=key((0, 0), (length * 0.45, -30, "out"), (length, 1000, "in")),
                  border={"width": 10, "color": "#ffffff"},
                  shadow={"blur": 30, "offset": [0, 14], "opacity": 0.5})
    elif style == "spin":
        p0.update(rotation=key((0, 0), (length, 35, "in")), scale=key((0, 1), (length, 0.05, "in")),
                  opacity=key((0, 1), (length - 4, 1), (length, 0, "linear")))
    elif style == "slide_away":
        p0.update(x=key((0, 0), (length, -W * 0.9, "in")), y=key((0, 0), (length, -H * 0.55, "in")),
                  rotation=key((0, 0), (length, -9, "in")),
                  shadow={"blur": 40, "offset": [0, 16], "opacity": 0.5})
    else:
        raise ValueError(style)
    return p0


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
    layer = {"kind": "glow", "box": [x - r, y - r, 2 * r, 2 * r], "color": colour}
    if drift:
        layer.update(x=key((0, -drift / 2), (frames - 1, drift / 2, "sine")),
                     opacity=key((0, 0.25), (frames // 2, 0.75, "sine"), (frames - 1, 0.4, "sine")))
    else:
        # a light that stays put is painted once with the background
        layer["opacity"] = 0.6
    return layer


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


def stars_scatter(pal, frames, start=24, seed=3, still=False):
    _, _, accent, _ = PALETTES[pal]
    spots = [(150, 140, 70), (1700, 160, 56), (1780, 860, 80), (240, 900, 50), (980, 70, 36),
             (90, 520, 40), (1840, 520, 44)]
    out = []
    for i, (x, y, s) in enumerate(spots[: 4 + seed % 4]):
        out.append(shape("star", [x - s / 2, y - s / 2, s, s], accent + "ee", start + 4 * i,
                         spin=0 if still else (40 if i % 2 else -30), frames=frames, inner=0.42))
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


# ---------------------------------------------------------------- motion

HANDOVER = 22       # frames the previous picture takes to leave
PUSHES = {"push_left": ("x", W), "push_right": ("x", -W), "push_up": ("y", H), "push_down": ("y", -H)}


def drift(a, b, frames, start=0, easing="sine"):
    """A slow move from a to b over the whole time on screen. The eased stretch reaches a
    little past both ends of the movie, so the move never quite stops while it is shown."""
    if easing != "sine":
        return key((start, a), (frames - 1, b, easing))
    reach = round(0.25 * (frames - 1 - start))
    span = frames - 1 - start + 2 * reach
    k = math.cos(math.pi * reach / span)  # share of a -> b covered inside the movie
    mid = (a + b) / 2
    return key((start - reach, round(mid - (mid - a) / k, 4)),
               (frames - 1 + reach, round(mid + (b - mid) / k, 4), easing))


def within(track, lo, hi):
    """Keeps the ends of a drift inside what the player accepts (zoom >= 1, pan -1 ... 1)."""
    for k in track:
        k[1] = min(max(k[1], lo), hi)
    return track


# People look out of the upper middle of most photographs: however far a photograph is
# zoomed, this part of it (fractions of its width and height) stays in view.
FACE_ZONE_X = (0.3, 0.7)
FACE_ZONE_Y = (0.12, 0.5)


def keep_faces(pan, zoom, zone):
    """Fits a pan (-1 ... 1 of the spare room) into the range that keeps `zone` in view at the
    largest zoom of the move: a travel that reaches outside it is shortened (or shifted) to
    lie inside, one that does not is left alone."""
    z = max(k[1] for k in zoom)
    spare = 1 - 1 / z
    if spare <= 0:
        return pan
    lo = max(-1.0, 2 * max(0.0, zone[1] - 1 / z) / spare - 1)
    hi = min(1.0, 2 * min(spare, zone[0]) / spare - 1)
    was_lo, was_hi = min(k[1] for k in pan), max(k[1] for k in pan)
    new_lo, new_hi = max(was_lo, lo), min(was_hi, hi)
    if new_lo > new_hi:  # the whole travel lies beyond one end: shift it in
        travel = min(was_hi - was_lo, hi - lo)
        new_lo, new_hi = (hi - travel, hi) if was_lo > hi else (lo, lo + travel)
    for k in pan:
        t = (k[1] - was_lo) / (was_hi - was_lo) if was_hi > was_lo else 0.5
        k[1] = round(new_lo + t * (new_hi - new_lo), 4)
    return pan


def pushed_background(layer, over):
    """Push hand-overs carry the new background in beside the leaving picture."""
    if over in PUSHES:
        axis, size = PUSHES[over]
        layer[axis] = key((0, size), (HANDOVER, 0, "inout"))
        layer["parallax"] = 0
    return layer


def photo(slot, box, pal, look, enter, at, frames, tilt=0.0, motion=0, leave=None,
          fit="cover"):
    """A photograph card that arrives, keeps moving for as long as it is shown and
    (optionally) leaves. `motion` picks the direction and anchor of its slow move."""
    _, _, _, border_colour = PALETTES[pal]
    border, radius, shadow = look
    layer = {"kind": "picture", "source": "picture_%d" % slot, "box": box, "fit": fit}
    if border:
        layer["border"] = {"width": border, "color": border_colour}
    if radius:
        layer["radius"] = radius
    if shadow:
        # a tight shadow: the card is painted anew every frame, and every pixel counts
        layer["shadow"] = {"blur": 22, "offset": [0, 10], "opacity": 0.5}
    layer["enter"] = {"move": enter, "at": at, "length": 22,
                      "easing": "outback" if enter in ("drop", "grow") else "out"}
    if leave:
        layer["leave"] = leave
    # direction, anchor and size of the slow move vary from card to card
    anchors = [[0.5, 0.5], [0.2, 0.3], [0.8, 0.7], [0.3, 0.8], [0.7, 0.2], [0.5, 0.9]]
    m = motion % 6
    sign = 1 if motion % 2 == 0 else -1
    if box[3] > box[2]:
        sign *= 1.8  # a narrow card travels further to move as visibly
    layer["anchor"] = anchors[m]
    grow = 0.14 if box[3] > box[2] else 0.1
    z0, z1 = (1.0, 1 + grow) if motion % 3 != 2 else (1 + grow, 1.0)
    layer["scale"] = drift(z0, z1, frames)
    layer["x"] = drift(-60 * sign, 60 * sign, frames)
    layer["y"] = drift(22 * sign, -22 * sign, frames)
    if tilt:
        layer["rotation"] = drift(tilt, tilt + 1.6 * sign, frames)
    return layer


def kenburns(slot, box, frames, motion, fit="cover", shadow=False):
    """A full-screen photograph in a slow zoom and pan; `motion` picks which way."""
    moves = [((1.0, 1.2), (-1, 1), (0.6, -0.6)), ((1.22, 1.02), (1, -1), (-0.4, 0.5)),
             ((1.02, 1.22), (0.8, -0.8), (-0.8, 0.4)), ((1.2, 1.0), (-0.6, 0.7), (1, -1)),
             ((1.0, 1.22), (-0.5, 0.5), (-1, 1)), ((1.2, 1.0), (1, -1), (0.3, -0.3))]
    (z0, z1), (px0, px1), (py0, py1) = moves[motion % len(moves)]
    if shadow:
        # a portrait shown whole has no room to pan until it is zoomed a little
        # and, being narrow, travels further to move as visibly (its vertical travel is
        # the shortest, since the zoom may not hide the top, where faces are)
        z0, z1 = 1.08 + (z0 - 1) * 1.9, 1.08 + (z1 - 1) * 1.9
    zoom = within(drift(z0, z1, frames), 1, 4)
    layer = {"kind": "picture", "source": "picture_%d" % slot, "box": box, "fit": fit,
             "zoom": zoom,
             "pan_x": keep_faces(within(drift(px0, px1, frames), -1, 1), zoom, FACE_ZONE_X),
             "pan_y": keep_faces(within(drift(py0, py1, frames), -1, 1), zoom, FACE_ZONE_Y)}
    if shadow:
        layer["shadow"] = {"blur": 50, "offset": [0, 0], "opacity": 0.55}
    return layer


def camera_tour(boxes, arrived, frames, gather_at):
    """Key frames of a camera that travels to every card in turn, holds on it while it
    drifts closer, and returns to the whole composition before the cards gather."""
    xs, ys, zs = [[0, W / 2]], [[0, H / 2]], [[0, 1.0]]

    def view(cx, cy, z):
        sx, sy = W / 2 * (1 - 1 / z) - 2, H / 2 * (1 - 1 / z) - 2
        return (min(max(cx, W / 2 - sx), W / 2 + sx), min(max(cy, H / 2 - sy), H / 2 + sy), z)

    def put(t, v, easing):
        for track, value in zip((xs, ys, zs), v):
            track.append([t, round(value, 4), easing])

    put(arrived, (W / 2, H / 2, 1.0), "linear")
    t = arrived
    travel = 16
    hold = (gather_at - 20 - arrived) // len(boxes) - travel
    for i, (x, y, w, h) in enumerate(boxes):
        z = max(1.15, min(1.45, 0.8 * W / w, 0.82 * H / h))
        cx, cy = x + w / 2, y + h / 2
        put(t + travel, view(cx, cy, z), "inout")
        drift_x = 30 if i % 2 == 0 else -30
        put(t + travel + hold, view(cx + drift_x, cy + 10, z * 1.05), "sine")
        t += travel + hold
    put(gather_at, (W / 2, H / 2, 1.0), "inout")
    put(frames - 1, view(W / 2 + 20, H / 2, 1.03), "sine")
    for track in (xs, ys, zs):
        track[0] = track[0][:2]
    return {"x": xs, "y": ys, "zoom": zs}


def gather(layer, box, frames, gather_at, tilt, towards=0.3):
    """The card drifts toward the middle and settles at a new tilt before the hand-over."""
    x, y, w, h = box
    dx = (W / 2 - (x + w / 2)) * towards
    dy = (H / 2 - (y + h / 2)) * towards
    sign = 1 if tilt >= 0 else -1
    layer["x"] = key((0, -20 * sign), (gather_at, 0, "sine"), (gather_at + 26, dx, "inout"),
                     (frames - 1, dx + 10 * sign, "sine"))
    layer["y"] = key((0, 8), (gather_at, 0, "sine"), (gather_at + 26, dy, "inout"),
                     (frames - 1, dy - 6, "sine"))
    # Cards lie straight while the camera visits them (straight cards are quicker to
    # paint) and turn askew as they gather.
    layer["rotation"] = key((0, 0), (gather_at, 0), (gather_at + 26, tilt * 2.2 + 2 * sign, "inout"),
                            (frames - 1, tilt * 2.2 + 2.6 * sign, "sine"))
    layer["scale"] = key((0, 1.0), (gather_at, 1.03, "sine"), (gather_at + 26, 0.9, "inout"),
                         (frames - 1, 0.92, "sine"))
    return layer


def polaroid(card):
    """Gives a photograph the thick white frame of an instant print, deeper below."""
    w, h = card["box"][2], card["box"][3]
    card["border"] = {"width": max(18, round(w * 0.05)), "color": "#fbfaf5",
                      "bottom": round(h * 0.18)}
    card.pop("radius", None)
    return card


def filmstrip(boxes, frames, travel):
    """A dark strip with sprocket holes behind photographs; it travels with them."""
    top = min(b[1] for b in boxes) - 70
    bottom = max(b[1] + b[3] for b in boxes) + 70
    # the strip reaches well past the last frame, which ends up on the right of the screen
    right = max(b[0] + b[2] for b in boxes) + 700
    strip = {"kind": "shape", "shape": "rect", "box": [-600, top, right + 600, bottom - top],
             "color": "#141414", "x": travel, "enter": {"move": "fade", "at": 6, "length": 16}}
    holes = []
    for row in (top + 18, bottom - 44):
        for i in range((right + 600) // 140):
            holes.append({"kind": "shape", "shape": "rounded_rect", "radius": 5,
                          "box": [-560 + i * 140, row, 60, 26], "color": "#f2efe6",
                          "x": travel, "enter": {"move": "fade", "at": 6, "length": 16}})
    return [strip] + holes


# ---------------------------------------------------------------- families

FAMILIES = {
    # palettes, particles, decorations, hand-overs, card look (border, radius, shadow)
    "classic": dict(pals=["cream", "ink", "gold", "slate"], parts=["sparkles", "bokeh"],
                    deco="frame", overs=["fade", "page", "curl", "blinds", "split", "wipe", "zoom"],
                    look=(14, 6, True), enters=["rise", "fade", "grow"], big="mosaic"),
    "love": dict(pals=["blush", "rose", "coral", "lilac"], parts=["hearts", "petals"],
                 deco="hearts", overs=["iris", "clock", "flip", "fade", "box", "split_v", "curl"],
                 look=(16, 22, True), enters=["grow", "rise", "flip"], big="polaroid"),
    "travel": dict(pals=["sky", "aqua", "sunset", "slate"], parts=["bokeh", "sparkles"],
                   deco="ribbon", overs=["push_left", "cube", "push_right", "wipe", "slide_away",
                                         "push_up", "split"],
                   look=(18, 8, True), enters=["left", "right", "rise"], big="film"),
    "childhood": dict(pals=["mint", "lilac", "coral", "aqua"], parts=["bokeh", "sparkles"],
                      deco="stars", overs=["spin", "toss", "box", "push_up", "blinds_h", "iris",
                                           "flip"],
                      look=(14, 28, True), enters=["drop", "grow", "spin"], big="polaroid"),
    "celebration": dict(pals=["navy", "gold", "ink", "rose"], parts=["sparkles", "bokeh"],
                        deco="rings", overs=["zoom", "iris", "flip", "spin", "clock", "cube",
                                             "toss"],
                        look=(10, 12, True), enters=["grow", "flip", "drop"], big="mosaic"),
    "seasons": dict(pals=["mint", "sunset", "forest", "sky"], parts=["petals", "snow"],
                    deco="glow", overs=["wipe_down", "blinds", "cube", "push_down", "split_v",
                                        "slide_away", "curl"],
                    look=(12, 16, True), enters=["rise", "left", "fade"], big="film"),
}

# (name suffix, slot orientations, layout, seconds); every family has every class
CLASSES = [
    ("Full Frame", ["heng"], "full_zero", 6),
    ("Postcard", ["heng"], "card_l", 6),
    ("Keepsake", ["heng"], "card_l2", 7),
    ("Wide View", ["heng"], "full", 6),
    ("Portrait", ["shu"], "card_p", 6),
    ("Tall Frame", ["shu"], "full_zero", 6),
    ("Portrait Card", ["shu"], "card_p2", 7),
    ("Square", ["shuheng"], "square", 6),
    ("Pair", ["heng", "heng"], "pair_l", 9),
    ("Portrait Pair", ["shu", "shu"], "pair_p", 9),
    ("Trio", None, "trio", 11),
    ("Collection", None, "big", 15),
    ("Mixed", ["heng", "shu"], "mixed", 9),
    ("Mixed Trio", ["shu", "heng", "shu"], "mixed3", 11),
]


def centered(w, h, dx=0, dy=0):
    return [round((W - w) / 2 + dx), round((H - h) / 2 + dy), w, h]


def family_layout(layout, fam_no, big):
    if layout == "card_l":
        return [centered(1280, 720, dx=(-120, 120, 0)[fam_no % 3])]
    if layout == "card_l2":
        return [centered(1160, 652, dx=(160, -160, 0)[fam_no % 3], dy=-20)]
    if layout == "card_p":
        return [centered(580, 870, dx=(-260, 260, 0)[fam_no % 3])]
    if layout == "card_p2":
        return [centered(560, 840, dx=(300, -300, 120)[fam_no % 3])]
    if layout == "square":
        return [centered(800, 800, dx=(-220, 220, 0)[fam_no % 3])]
    if layout == "pair_l":
        return [[130, 200, 800, 450], [990, 430, 800, 450]]
    if layout == "pair_p":
        return [[380, 130, 540, 810], [1000, 150, 540, 810]]
    if layout == "trio":
        if fam_no % 2 == 0:
            return [[90, 250, 1000, 562], [1180, 130, 650, 366], [1180, 584, 650, 366]]
        return [[250, 200, 440, 660], [740, 210, 440, 660], [1230, 200, 440, 660]]
    if layout == "mixed":
        return [[140, 230, 1000, 562], [1260, 150, 500, 750]]
    if layout == "mixed3":
        return [[90, 210, 440, 660], [590, 290, 740, 416], [1390, 210, 440, 660]]
    if layout == "big":
        if big == "mosaic":  # six tiles with narrow seams
            return [[60, 70, 580, 450], [670, 70, 580, 450], [1280, 70, 580, 450],
                    [60, 560, 580, 450], [670, 560, 580, 450], [1280, 560, 580, 450]]
        if big == "film":    # four frames on a strip
            return [[120, 330, 740, 416], [940, 330, 740, 416], [1760, 330, 740, 416],
                    [2580, 330, 740, 416]]
        # polaroid stack: four prints that drop onto a pile
        # (the deep lower borders stay inside the canvas)
        return [[170, 110, 580, 435], [1120, 90, 580, 435], [260, 520, 540, 405],
                [1100, 500, 580, 435]]
    raise ValueError(layout)


def decorations(fam, pal, frames, seed):
    deco = FAMILIES[fam]["deco"]
    _, _, accent, _ = PALETTES[pal]
    # Decorations under the photographs settle early and are painted once; the few above
    # them are small.
    if deco == "frame":
        return [glow(300, 200, 420, accent + "55", frames, 0), frame_lines(pal, 40, frames)], []
    if deco == "hearts":
        return rings(pal, frames), hearts_corner(pal, frames)
    if deco == "ribbon":
        return [glow(1650, 180, 560, "#ffffff55", frames, 0),
                ribbon(pal, 880 if seed % 2 else 90, frames)], []
    if deco == "stars":
        return stars_scatter(pal, frames, seed=seed, still=True), []
    if deco == "rings":
        return rings(pal, frames), stars_scatter(pal, frames, seed=seed + 1)
    return [glow(1600, 160, 600, accent + "88", frames, 0), glow(260, 940, 480, accent + "55", frames, 0)], []


def season_particles(fam, pal, i):
    styles = FAMILIES[fam]["parts"]
    return styles[i % len(styles)]


def fam_template(fam, fam_no, cls_no, cls):
    suffix, orients, layout, seconds = cls
    info = FAMILIES[fam]
    pal = info["pals"][cls_no % len(info["pals"])]
    over = info["overs"][(cls_no + fam_no) % len(info["overs"])]
    frames = seconds * FPS
    motion = cls_no * 5 + fam_no
    name = "%s %s" % (fam.capitalize(), suffix)
    seed = 7 + cls_no * 13 + fam_no * 101

    big = info["big"]
    if layout == "trio":
        orients = ["heng"] * 3 if fam_no % 2 == 0 else ["shu"] * 3
    if layout == "big":
        n = {"mosaic": 6, "film": 4, "polaroid": 4}[big]
        orients = ["heng"] * n
        if big == "film" and fam_no % 2:
            orients = ["heng"] * n

    under, over_deco = decorations(fam, pal, frames, seed)
    # the background stays where it is under the camera, so it is painted once
    layers = [pushed_background(dict(background(pal, radial=cls_no % 2 == 1), parallax=0), over)]
    for d in under:
        d["parallax"] = 0
    layers += under
    zero = layout == "full_zero"
    first = HANDOVER + 2 if over in PUSHES else 10

    if layout.startswith("full"):
        orient = orients[0]
        fit = "contain" if zero else "cover"
        if orient == "heng":
            del layers[1:]  # the photograph covers the whole canvas: nothing below shows
        layers.append(kenburns(1, [0, 0, W, H], frames, motion, fit, shadow=orient == "shu"))
        category = "quanping"
    elif len(orients) == 1:
        box = family_layout(layout, fam_no, big)[0]
        enter = info["enters"][cls_no % len(info["enters"])]
        # Only instant prints lie askew: a turned card costs a third more to paint.
        tilt = (-2.5, 2)[cls_no % 2] if layout in ("card_p2", "card_l2") and fam in ("love", "childhood") else 0
        card = photo(1, box, pal, info["look"], enter, first, frames, tilt, motion)
        if fam in ("love", "childhood") and layout in ("card_p2", "card_l2"):
            polaroid(card)
        layers.append(card)
        category = "fangxing" if orients[0] == "shuheng" else "card"
    else:
        boxes = family_layout(layout, fam_no, big)
        n = len(boxes)
        arrived = first + 8 * (n - 1) + 24
        gather_at = frames - 52
        tilts = [-2, 1.5, -1, 2, -1.5, 1]
        look = info["look"]
        if big == "mosaic" and layout == "big":
            tilts = [0] * 6
            look = (look[0], 0, False)  # tiles with narrow seams cast no shadows
        if layout == "big" and big == "film":
            look = (0, 0, False)
            travel = key((0, 0), (frames - 1, -1480, "inout"))
            layers += filmstrip(boxes, frames, travel)
        for i, b in enumerate(boxes):
            enter = info["enters"][(i + cls_no) % len(info["enters"])]
            if layout == "big" and big == "mosaic":
                enter = "flip"
            if layout == "big" and big == "polaroid":
                enter = "drop"
            card = photo(i + 1, b, pal, look, enter, first + 8 * i, frames, tilts[i], motion + i)
            if layout == "big" and big == "film":
                card["x"] = travel
                card["scale"] = drift(1.0, 1.04, frames)
                card.pop("rotation", None)
                card["enter"]["move"] = "fade"
            else:
                gather(card, b, frames, gather_at, tilts[i], 0.45 if big == "polaroid" else 0.3)
            if layout == "big" and big == "polaroid":
                card["enter"]["distance"] = 700
                polaroid(card)
            layers.append(card)
        category = "gaoji" if len(set(orients)) > 1 else "duozhang"
    layers += over_deco
    layers.append(particles(season_particles(fam, pal, cls_no), pal, seed, 18, frames))
    for layer in layers[len(layers) - len(over_deco) - 1:]:
        layer["parallax"] = 0
    layers.append(handover(over))
    m = movie(name, frames, layers, template_block(orients, zero, category, "xiangce", fam))
    if len(orients) > 1:
        boxes = family_layout(layout, fam_no, big)
        if layout == "big" and big == "film":
            # the strip travels past; the camera leans in on the frame at the middle
            m["camera"] = {"zoom": key((0, 1.0), (arrived, 1.0), (frames // 2, 1.25, "inout"),
                                       (frames - 40, 1.1, "sine"), (frames - 1, 1.0, "inout"))}
        else:
            m["camera"] = camera_tour(boxes, arrived, frames, gather_at)
    return m


# ---------------------------------------------------------------- recipes

def movie(name, frames, layers, template):
    return {"format": "solvane-movie", "version": 2, "name": name, "frames": frames,
            "template": template, "layers": layers}


def template_block(orients, zero, category, kind, family):
    return {"mblx": kind, "mbfl": category, "orientation": orients, "zero_slots": zero,
            "family": family,
            "xpjpgmc": "|" + "|".join("picture_%d" % (i + 1) for i in range(len(orients))) + "|"}


def build():
    out = []
    for fam_no, fam in enumerate(FAMILIES):
        for cls_no, cls in enumerate(CLASSES):
            out.append(fam_template(fam, fam_no, cls_no, cls))
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
