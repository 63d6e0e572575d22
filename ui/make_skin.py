#!/usr/bin/env python3
"""Draws Zorvane's default skin: every picture the skin file names, as SVG rendered
to PNG by rsvg-convert, with text in Orbitron.

    make_skin.py OUTPUT_UI_DIRECTORY ORBITRON_FONT_DIRECTORY

Deterministic: the same sources give the same pictures. The palette is a dark
graphite with one accent colour; transparent parts become the key colour when the
program loads them, so no visible pixel may be (0, 0, 12).
"""
import math
import os
import subprocess
import sys
import tempfile

ACCENT = "#29c7f5"
ACCENT_DARK = "#1a8db0"
INK = "#e8eef4"
INK_DIM = "#8a96a6"
PANEL_TOP = "#232a35"
PANEL_BOTTOM = "#0f1217"
EDGE = "#39424f"
FACE = "#2a313c"
FACE_HOVER = "#36404d"
TRACK = "#2b323d"

FONT = "Orbitron"


def svg(width, height, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}"><defs>{defs}</defs>{body}</svg>')


class Renderer:
    """Writes SVG sources to a scratch directory and renders them to PNG files."""

    def __init__(self, out_dir, font_dir):
        self.out_dir = out_dir
        self.scratch = tempfile.TemporaryDirectory(prefix="zorvane-skin-")
        conf = os.path.join(self.scratch.name, "fonts.conf")
        with open(conf, "w") as f:
            f.write(f'<?xml version="1.0"?><fontconfig><dir>{font_dir}</dir>'
                    f'<cachedir>{self.scratch.name}/cache</cachedir></fontconfig>')
        self.env = dict(os.environ, FONTCONFIG_FILE=conf)
        self.count = 0

    def render(self, name, source):
        target = os.path.join(self.out_dir, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        src = os.path.join(self.scratch.name, f"{self.count}.svg")
        self.count += 1
        with open(src, "w") as f:
            f.write(source)
        subprocess.run(["rsvg-convert", "-o", target, src], check=True, env=self.env)


def text(x, y, content, size, colour=INK, anchor="middle", weight=700, spacing=1):
    return (f'<text x="{x}" y="{y}" font-family="{FONT}" font-size="{size}" font-weight="{weight}" '
            f'fill="{colour}" text-anchor="{anchor}" letter-spacing="{spacing}">{content}</text>')


# ---------------------------------------------------------------- buttons

STATES = {
    # state: (fill, border, ink)
    "N": (FACE, EDGE, INK),
    "H": (FACE_HOVER, ACCENT, INK),
    "D": (ACCENT_DARK, ACCENT, "#ffffff"),
    "TN": (ACCENT_DARK, ACCENT, "#ffffff"),
    "TH": ("#22a8d2", "#7fe0ff", "#ffffff"),
    "TD": ("#146f8c", ACCENT, "#ffffff"),
}


def button(width, height, label, state, size=11, radius=None):
    fill, border, ink = STATES[state]
    r = height / 2 if radius is None else radius
    glow = f'<rect x="2" y="2" width="{width - 4}" height="{height / 2 - 2}" rx="{max(r - 2, 0)}" ' \
           f'fill="#ffffff" fill-opacity="0.06"/>' if state in ("N", "H") else ""
    return svg(width, height,
               f'<rect x="1" y="1" width="{width - 2}" height="{height - 2}" rx="{r}" fill="{fill}" '
               f'stroke="{border}" stroke-width="1.5"/>{glow}'
               + text(width / 2, height / 2 + size * 0.36, label, size, ink))


def icon_button(width, height, icon, state):
    fill, border, ink = STATES[state]
    return svg(width, height,
               f'<rect x="1" y="1" width="{width - 2}" height="{height - 2}" rx="{height / 2}" fill="{fill}" '
               f'stroke="{border}" stroke-width="1.5"/>'
               f'<g stroke="{ink}" stroke-width="2.2" stroke-linecap="round" fill="none">{icon}</g>')


# ---------------------------------------------------------------- digits and gauges

SEGMENTS = {  # a, b, c, d, e, f, g
    0: "abcdef", 1: "bc", 2: "abged", 3: "abgcd", 4: "fgbc",
    5: "afgcd", 6: "afgedc", 7: "abc", 8: "abcdefg", 9: "abcdfg",
}


def digit(value, width=24, height=40):
    t = 3.6  # segment thickness
    w, h = width - 4, height - 4
    x0, y0 = 2, 2
    mid = y0 + h / 2
    bars = {
        "a": (x0 + t, y0, w - 2 * t, t, False), "d": (x0 + t, y0 + h - t, w - 2 * t, t, False),
        "g": (x0 + t, mid - t / 2, w - 2 * t, t, False),
        "f": (x0, y0 + t, t, h / 2 - 1.5 * t, True), "b": (x0 + w - t, y0 + t, t, h / 2 - 1.5 * t, True),
        "e": (x0, mid + t / 2, t, h / 2 - 1.5 * t, True), "c": (x0 + w - t, mid + t / 2, t, h / 2 - 1.5 * t, True),
    }
    body = ""
    for name, (x, y, bw, bh, _) in bars.items():
        on = name in SEGMENTS[value]
        colour = ACCENT if on else "#1e2530"
        body += f'<rect x="{x:.1f}" y="{y:.1f}" width="{bw:.1f}" height="{bh:.1f}" rx="1.6" fill="{colour}"/>'
    return svg(width, height, body)


def arc_path(cx, cy, r, start_deg, sweep_deg):
    """An SVG arc, angles clockwise from 12 o'clock."""
    def point(a):
        rad = math.radians(a - 90)
        return cx + r * math.cos(rad), cy + r * math.sin(rad)
    x1, y1 = point(start_deg)
    x2, y2 = point(start_deg + sweep_deg)
    large = 1 if sweep_deg > 180 else 0
    return f"M {x1:.2f} {y1:.2f} A {r} {r} 0 {large} 1 {x2:.2f} {y2:.2f}"


def gauge(size, fraction, ticks=True):
    cx = cy = size / 2
    r = size / 2 - size * 0.09
    width = size * 0.075
    start, sweep = -135, 270
    body = (f'<circle cx="{cx}" cy="{cy}" r="{r + width * 0.9}" fill="#0c0f14" fill-opacity="0.55"/>'
            f'<path d="{arc_path(cx, cy, r, start, sweep)}" stroke="{TRACK}" stroke-width="{width}" '
            f'fill="none" stroke-linecap="round"/>')
    if fraction > 0:
        body += (f'<path d="{arc_path(cx, cy, r, start, max(sweep * fraction, 0.5))}" stroke="url(#lit)" '
                 f'stroke-width="{width}" fill="none" stroke-linecap="round"/>')
    if ticks:
        for i in range(11):
            a = math.radians(start + sweep * i / 10 - 90)
            r1, r2 = r - width * 1.1, r - width * (1.6 if i % 5 == 0 else 1.35)
            body += (f'<line x1="{cx + r1 * math.cos(a):.2f}" y1="{cy + r1 * math.sin(a):.2f}" '
                     f'x2="{cx + r2 * math.cos(a):.2f}" y2="{cy + r2 * math.sin(a):.2f}" '
                     f'stroke="{INK_DIM}" stroke-width="1.4" stroke-linecap="round"/>')
    defs = (f'<linearGradient id="lit" x1="0" y1="1" x2="1" y2="0">'
            f'<stop offset="0" stop-color="{ACCENT_DARK}"/><stop offset="1" stop-color="{ACCENT}"/></linearGradient>')
    return svg(size, size, body, defs)


# ---------------------------------------------------------------- the front panel

MAIN_SIZE = (800, 450)


def main_background():
    w, h = MAIN_SIZE
    defs = (f'<linearGradient id="panel" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{PANEL_TOP}"/><stop offset="1" stop-color="{PANEL_BOTTOM}"/>'
            f'</linearGradient>'
            f'<linearGradient id="line" x1="0" y1="0" x2="1" y2="0">'
            f'<stop offset="0" stop-color="{ACCENT}" stop-opacity="0"/>'
            f'<stop offset="0.5" stop-color="{ACCENT}" stop-opacity="0.9"/>'
            f'<stop offset="1" stop-color="{ACCENT}" stop-opacity="0"/></linearGradient>')
    body = (f'<rect x="1" y="1" width="{w - 2}" height="{h - 2}" rx="26" fill="url(#panel)" '
            f'stroke="{EDGE}" stroke-width="2"/>'
            f'<rect x="150" y="54" width="500" height="1.5" fill="url(#line)"/>'
            # digit windows
            + "".join(f'<rect x="{x}" y="{y}" width="{dw}" height="48" rx="10" fill="#0b0e12" '
                      f'stroke="#242b36" stroke-width="1"/>'
                      for x, y, dw in ((64, 262, 112), (262, 282, 112), (478, 262, 94), (650, 262, 94)))
            + text(120, 328, "MEMORY", 10, INK_DIM, spacing=2)
            + text(318, 348, "CORE", 10, INK_DIM, spacing=2)
            + text(525, 328, "TEMP", 10, INK_DIM, spacing=2)
            + text(697, 328, "FAN %", 10, INK_DIM, spacing=2)
            + text(178, 300, "MHz", 9, INK_DIM, anchor="start", spacing=1)
            + text(376, 320, "MHz", 9, INK_DIM, anchor="start", spacing=1)
            + f'<rect x="24" y="372" width="752" height="1" fill="#2a313c"/>')
    return svg(w, h, body, defs)


# Front-panel buttons: element key, label, width, height (toggles get TN/TH/TD too).
MAIN_PUSH = [
    ("ButtonSetting", "SETTINGS", 84, 26), ("ButtonStatus", "STATUS", 72, 26), ("ButtonInfo", "INFO", 52, 26),
    ("ButtonNVPanel", "PANEL", 64, 26), ("ButtonRestore", "RESET", 64, 26), ("ButtonApply", "BIOS", 56, 26),
    ("ButtonLEDCtrl", "LED", 48, 26), ("ButtonFanDutyInc", "FAN AUTO", 84, 26), ("ButtonFanDutyDec", "FAN", 48, 26),
    ("ButtonOC", "OVERCLOCK", 124, 32),
]
MAIN_TOGGLE = [
    ("ButtonTempUnit", "°C / °F", 64, 26),
    ("ButtonSave", "SAVE", 64, 26),
    ("ButtonOCMode", "OC", 56, 26), ("ButtonGamingMode", "GAMING", 76, 26),
    ("ButtonSilenceMode", "SILENT", 72, 26), ("ButtonOC2Mode", "OC 2", 56, 26),
] + [(f"ButtonUserMode{i}", str(i), 34, 26) for i in range(1, 9)] \
  + [(f"ButtonGPU{i}", f"GPU{i}", 40, 20) for i in range(1, 9)]


def draw_main(r):
    r.render("main.png", main_background())
    for key, label, width, height in MAIN_PUSH:
        for state in ("N", "H", "D"):
            r.render(f"buttons/{key}{state}.png", button(width, height, label, state, size=10))
    for key, label, width, height in MAIN_TOGGLE:
        for state in ("N", "H", "D", "TN", "TH", "TD"):
            r.render(f"buttons/{key}{state}.png", button(width, height, label, state, size=9 if height < 24 else 10))
    logo = (svg(150, 30, f'<circle cx="15" cy="15" r="9" fill="none" stroke="{ACCENT}" stroke-width="3"/>'
                f'<circle cx="15" cy="15" r="3" fill="{ACCENT}"/>' + text(32, 21, "ZORVANE", 15, INK, "start", 900, 3)))
    for state in ("N", "H", "D"):
        r.render(f"buttons/ButtonLogo{state}.png", logo)
    minimise = '<line x1="10" y1="15" x2="20" y2="15"/>'
    close = '<line x1="10.5" y1="10.5" x2="19.5" y2="19.5"/><line x1="19.5" y1="10.5" x2="10.5" y2="19.5"/>'
    for state in ("N", "H", "D"):
        r.render(f"buttons/ButtonMinimize{state}.png", icon_button(30, 30, minimise, state))
        r.render(f"buttons/ButtonClose{state}.png", icon_button(30, 30, close, state))
    for value in range(10):
        r.render(f"digi_num/{value}.png", digit(value))
    for i in range(20):
        r.render(f"meters/memory_{i:02}.png", gauge(170, i / 19))
        r.render(f"meters/core_{i:02}.png", gauge(210, i / 19))
    for i in range(17):
        r.render(f"meters/temp_{i:02}.png", gauge(150, i / 16))
        r.render(f"meters/fan_{i:02}.png", gauge(150, i / 16))


# ---------------------------------------------------------------- the settings dialog

SETTING_SIZE = (380, 340)


def panel(width, height, title):
    """A dialog's background: the rounded graphite panel with its title and accent line."""
    defs = (f'<linearGradient id="panel" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{PANEL_TOP}"/><stop offset="1" stop-color="{PANEL_BOTTOM}"/>'
            f'</linearGradient>'
            f'<linearGradient id="line" x1="0" y1="0" x2="1" y2="0">'
            f'<stop offset="0" stop-color="{ACCENT}" stop-opacity="0.9"/>'
            f'<stop offset="1" stop-color="{ACCENT}" stop-opacity="0"/></linearGradient>')
    body = (f'<rect x="1" y="1" width="{width - 2}" height="{height - 2}" rx="20" fill="url(#panel)" '
            f'stroke="{EDGE}" stroke-width="2"/>'
            + text(24, 38, title, 16, INK, "start", 700, 3)
            + f'<rect x="24" y="50" width="{width * 0.6:.0f}" height="1.5" fill="url(#line)"/>')
    return defs, body


def draw_setting(r):
    w, h = SETTING_SIZE
    defs, body = panel(w, h, "SETTINGS")
    # The labels the dialog keeps hidden are part of the picture; the boost clock's is live.
    for y, label in ((84, "Run at Windows startup"), (114, "Enable ToolTips")):
        body += text(56, y, label, 12, INK, "start", 400, 0.5)
    body += text(24, 150, "METER DISPLAY", 10, INK_DIM, "start", 700, 2)
    for y, label in ((178, "Current clock"), (206, "Base clock")):
        body += text(56, y, label, 12, INK, "start", 400, 0.5)
    r.render("setting.png", svg(w, h, body, defs))
    for key, label in (("ButtonSettingApply", "APPLY"), ("ButtonSettingCancel", "CANCEL")):
        for state in ("N", "H", "D"):
            r.render(f"buttons/{key}{state}.png", button(84, 28, label, state, size=10))


# ---------------------------------------------------------------- the status dialog

STATUS_SIZE = (952, 620)
STATUS_CHART_WIDTH = 440
# Chart places (left, top); each 440 x 88 with its value line above it, wide enough for
# the longest line (a clock with its base and boost figures).
STATUS_CHARTS = [(24 + 464 * (i % 2), 100 + 128 * (i // 2)) for i in range(8)]


def draw_status(r):
    w, h = STATUS_SIZE
    defs, body = panel(w, h, "STATUS")
    for x, y in STATUS_CHARTS:
        body += (f'<rect x="{x - 3}" y="{y - 3}" width="{STATUS_CHART_WIDTH + 6}" height="94" rx="6" fill="#080a0e" '
                 f'stroke="#2a313c" stroke-width="1.5"/>')
    r.render("status.png", svg(w, h, body, defs))
    close = '<line x1="10.5" y1="10.5" x2="19.5" y2="19.5"/><line x1="19.5" y1="10.5" x2="10.5" y2="19.5"/>'
    for state in ("N", "H", "D"):
        r.render(f"buttons/ButtonStatusClose{state}.png", icon_button(30, 30, close, state))


# ---------------------------------------------------------------- the information dialog

INFO_SIZE = (540, 470)


def draw_info(r):
    w, h = INFO_SIZE
    defs, body = panel(w, h, "INFORMATION")
    # Every other row on a faint band, under the 17 rows the dialog paints (step 21 from y 70).
    for row in range(0, 17, 2):
        body += f'<rect x="24" y="{68 + 21 * row}" width="{w - 48}" height="21" rx="4" fill="#ffffff" fill-opacity="0.03"/>'
    body += f'<rect x="226" y="70" width="1" height="354" fill="#2a313c"/>'
    r.render("info.png", svg(w, h, body, defs))
    close = '<line x1="10.5" y1="10.5" x2="19.5" y2="19.5"/><line x1="19.5" y1="10.5" x2="10.5" y2="19.5"/>'
    for state in ("N", "H", "D"):
        r.render(f"buttons/ButtonInfoClose{state}.png", icon_button(30, 30, close, state))


# ---------------------------------------------------------------- the overclock dialog

OVERCLOCK_SIZE = (560, 560)
OVERCLOCK_ROWS = 7
OVERCLOCK_TOP, OVERCLOCK_STEP = 70, 58
# Master mode's page: the normal page and a column of four switches on its right.
MASTER_WIDTH = 230
MASTER_SWITCHES = (("ButtonOCCoreOV", 0), ("ButtonOCMemOV", 1), ("ButtonOCFanFS", 2), ("ButtonOCP", 3))


def overclock_rows(w):
    body = ""
    for i in range(OVERCLOCK_ROWS):
        y = OVERCLOCK_TOP + OVERCLOCK_STEP * i
        body += (f'<rect x="404" y="{y + 20}" width="132" height="26" rx="6" fill="#0b0e12" '
                 f'stroke="#242b36" stroke-width="1"/>')
        if i:
            body += f'<rect x="24" y="{y - 6}" width="{w - 48}" height="1" fill="#232a34"/>'
    return body


def draw_overclock(r):
    w, h = OVERCLOCK_SIZE
    defs, body = panel(w, h, "OVERCLOCK")
    r.render("overclock.png", svg(w, h, body + overclock_rows(w), defs))
    w2 = w + MASTER_WIDTH
    defs, body = panel(w2, h, "OVERCLOCK")
    body += overclock_rows(w)
    body += f'<rect x="{w - 4}" y="64" width="1" height="{h - 130}" fill="#2a313c"/>'
    body += text(w + 12, 70, "MASTER", 10, INK_DIM, "start", 700, 2)
    for _, i in MASTER_SWITCHES:
        y = OVERCLOCK_TOP + OVERCLOCK_STEP * i
        body += (f'<rect x="{w + 8}" y="{y + 12}" width="{MASTER_WIDTH - 32}" height="48" rx="8" fill="#0b0e12" '
                 f'stroke="#242b36" stroke-width="1"/>')
    r.render("overclock2.png", svg(w2, h, body, defs))
    for key, label, width in (("ButtonOCOK", "OK", 96), ("ButtonOCCancel", "CANCEL", 96),
                              ("ButtonFenrask", "OC SCANNER", 124)):
        for state in ("N", "H", "D"):
            r.render(f"buttons/{key}{state}.png", button(width, 28, label, state, size=10))
    for key, label in (("ButtonNormalMode", "NORMAL"), ("ButtonMasterMode", "MASTER")):
        for state in ("N", "H", "D", "TN", "TH", "TD"):
            r.render(f"buttons/{key}{state}.png", button(76, 24, label, state, size=9))
    for key, _ in MASTER_SWITCHES:
        for state in ("N", "H", "D", "TN", "TH", "TD"):
            r.render(f"buttons/{key}{state}.png", button(56, 22, "ON" if state.startswith("T") else "OFF",
                                                         state, size=9))


# ---------------------------------------------------------------- the fan control dialog

FAN_GROUP_WIDTH = 400


def fan_group(x0, title):
    """One fan group's part of the picture: its heading and the frame of its curve editor."""
    return (text(x0 + 24, 64, title, 10, INK_DIM, "start", 700, 2)
            + f'<rect x="{x0 + 22}" y="{74}" width="376" height="222" rx="8" fill="#080a0e" '
              f'stroke="#2a313c" stroke-width="1.5"/>')


def draw_fan(r):
    for name, groups in (("FanCtrl.png", 1), ("FanCtrl2.png", 2)):
        w, h = 20 + FAN_GROUP_WIDTH * groups + 8, 470
        defs, body = panel(w, h, "FAN CONTROL")
        for g in range(groups):
            body += fan_group(FAN_GROUP_WIDTH * g, f"FAN {g + 1}" if groups > 1 else "FANS")
        r.render(name, svg(w, h, body, defs))
    for key, label in (("ButtonFanCtrlApply", "APPLY"), ("ButtonFanCtrlCancel", "CANCEL"),
                       ("ButtonFan2CtrlApply", "APPLY"), ("ButtonFan2CtrlCancel", "CANCEL")):
        for state in ("N", "H", "D"):
            r.render(f"buttons/{key}{state}.png", button(96, 28, label, state, size=10))


# ---------------------------------------------------------------- the LED control dialog

LED_SIZE = (600, 520)


def draw_led(r):
    w, h = LED_SIZE
    defs, body = panel(w, h, "LIGHTING")
    body += text(24, 70, "EFFECT", 10, INK_DIM, "start", 700, 2)
    body += text(300, 70, "SETTINGS", 10, INK_DIM, "start", 700, 2)
    for y in (284, 346, 408):
        body += f'<rect x="24" y="{y}" width="{w - 48}" height="1" fill="#232a34"/>'
    r.render("LedCtrl.png", svg(w, h, body, defs))
    close = '<line x1="10.5" y1="10.5" x2="19.5" y2="19.5"/><line x1="19.5" y1="10.5" x2="10.5" y2="19.5"/>'
    for state in ("N", "H", "D"):
        r.render(f"buttons/ButtonLedCtrlClose{state}.png", icon_button(30, 30, close, state))


def main():
    out_dir, font_dir = sys.argv[1], sys.argv[2]
    renderer = Renderer(out_dir, font_dir)
    draw_main(renderer)
    draw_setting(renderer)
    draw_status(renderer)
    draw_info(renderer)
    draw_overclock(renderer)
    draw_fan(renderer)
    draw_led(renderer)
    print(f"make_skin: {renderer.count} pictures")


if __name__ == "__main__":
    main()
