"""Program icons of 16, 20, 24, 32, 40, 48 and 64 pixels (the small and large sizes at 100 %
to 200 %): the drive seen square on, porthole and disc. The window icon is the full drive; the
tray icon is a bolder cut that reads on a busy task bar."""
import math

import art
import drive
from pngio import new_surface, surface_rgba

SIZES = (16, 20, 24, 32, 40, 48, 64)


def _icon(size, tray):
    surface, ctx = new_surface(size, size, scaled=False)
    ctx.scale(size / 48.0, size / 48.0)
    small = size <= 16
    body_y = 9 if not small else 7
    if tray:
        # A pale rim lets the dark drive stand out on a dark task bar.
        art.rounded_rect(ctx, 1.5, body_y - 1.5, 45, 49 - body_y, 8.5)
        ctx.set_source_rgba(1, 1, 1, 0.45)
        ctx.set_line_width(1.5 if not small else 2.4)
        ctx.stroke()
    art.rounded_rect(ctx, 3, body_y, 42, 46 - body_y, 7)
    ctx.set_source(art.linear(0, body_y, 0, 46, [(0, art.BODY_TOP), (1, art.BODY_BOTTOM)]))
    ctx.fill_preserve()
    ctx.set_line_width(1.5 if not small else 2.4)
    ctx.set_source_rgb(*art.OUTLINE)
    ctx.stroke()
    ctx.save()
    art.rounded_rect(ctx, 3.8, body_y + 0.8, 40.4, 44.4 - body_y, 6.2)
    ctx.clip()
    ctx.rectangle(3, body_y, 42, 7)
    ctx.set_source(art.linear(0, body_y, 0, body_y + 7, [(0, art.LID_TOP), (1, art.LID_BOTTOM)]))
    ctx.fill()
    ctx.restore()
    art.rounded_rect(ctx, 15, body_y + 2.2, 24, 2.8, 1.4)
    ctx.set_source_rgb(0.03, 0.04, 0.06)
    ctx.fill()
    cx, cy = 27, 29 + (body_y - 9) / 2
    outer = 13.5 if not tray else 14.5
    art.metal_ring(ctx, cx, cy, outer, outer - 2.6)
    ctx.arc(cx, cy, outer - 2.6, 0, 2 * math.pi)
    ctx.set_source_rgb(*art.GLASS_CENTRE)
    ctx.fill()
    drive.draw_disc(ctx, cx, cy, outer - 4.2, 15)
    if tray:
        art.glow(ctx, cx, cy, outer, art.CYAN, 0.35)
    ctx.arc(cx, cy, outer - 4.5, math.radians(195), math.radians(255))
    ctx.set_line_width(2)
    ctx.set_source_rgba(1, 1, 1, 0.35)
    ctx.stroke()
    led = art.GREEN if not tray else art.CYAN
    art.glow(ctx, 9.5, cy - 6, 5, led, 0.6)
    ctx.arc(9.5, cy - 6, 2.2 if not small else 3.2, 0, 2 * math.pi)
    ctx.set_source_rgb(*led)
    ctx.fill()
    return surface_rgba(surface)


def window_icon():
    return [_icon(size, tray=False) for size in SIZES]


def tray_icon():
    return [_icon(size, tray=True) for size in SIZES]
