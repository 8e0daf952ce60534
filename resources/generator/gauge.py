"""The round gauge at the drive's upper left: idle it shows a dim padlock, while the drive works
the progress dial (the same bezel and face with a lit ring and the percentage) is drawn over it."""
import math

import art

RADIUS = 20.6
FACE = 16.8
TRACK = 13.2
TRACK_WIDTH = 3.6


def _face(ctx, cx, cy):
    art.metal_ring(ctx, cx, cy, RADIUS, FACE)
    ctx.arc(cx, cy, FACE, 0, 2 * math.pi)
    ctx.set_source(art.radial(cx, cy, 0, FACE, [(0, art.GLASS_CENTRE), (1, art.GLASS_EDGE)], cx - 4, cy - 5))
    ctx.fill()
    ctx.arc(cx, cy, TRACK, 0, 2 * math.pi)
    ctx.set_line_width(TRACK_WIDTH)
    ctx.set_source_rgba(0.16, 0.22, 0.31, 1)
    ctx.stroke()


def _glass_highlight(ctx, cx, cy):
    ctx.save()
    ctx.arc(cx, cy, FACE - 1.2, math.pi * 1.05, math.pi * 1.6)
    ctx.set_line_width(1.4)
    ctx.set_source_rgba(1, 1, 1, 0.22)
    ctx.stroke()
    ctx.restore()


def _padlock(ctx, cx, cy, colour, alpha):
    ctx.save()
    ctx.set_source_rgba(*colour, alpha)
    ctx.set_line_width(1.6)
    ctx.arc(cx, cy - 2.2, 3.0, math.pi, 2 * math.pi)
    ctx.line_to(cx + 3.0, cy + 0.5)
    ctx.move_to(cx - 3.0, cy + 0.5)
    ctx.line_to(cx - 3.0, cy - 2.2)
    ctx.stroke()
    art.rounded_rect(ctx, cx - 4.8, cy, 9.6, 7.0, 1.4)
    ctx.fill()
    ctx.set_source_rgba(*art.GLASS_EDGE, 1)
    ctx.arc(cx, cy + 3.0, 1.1, 0, 2 * math.pi)
    ctx.fill()
    ctx.restore()


def draw_idle(ctx, cx, cy):
    _face(ctx, cx, cy)
    _padlock(ctx, cx, cy - 1, art.CYAN, 0.45)
    _glass_highlight(ctx, cx, cy)


def progress_colour(fraction):
    return art.mix(art.CYAN, art.GREEN, fraction)


def draw_progress(ctx, cx, cy, step, steps):
    """Dial picture `step` of 0..steps: a ring that fills clockwise from twelve o'clock."""
    fraction = step / steps
    _face(ctx, cx, cy)
    colour = progress_colour(fraction)
    start = -math.pi / 2
    end = start + 2 * math.pi * fraction
    if step > 0:
        ctx.save()
        ctx.set_line_cap(1)  # round
        ctx.set_line_width(TRACK_WIDTH + 2.4)
        ctx.set_source_rgba(*colour, 0.25)
        ctx.arc(cx, cy, TRACK, start, end)
        ctx.stroke()
        ctx.set_line_width(TRACK_WIDTH)
        ctx.set_source_rgba(*colour, 1)
        ctx.arc(cx, cy, TRACK, start, end)
        ctx.stroke()
        ctx.restore()
    percent = int(step * 100 / steps)
    art.text_font(ctx, 9.5 if percent < 100 else 8.6, bold=True)
    ctx.set_source_rgba(*art.mix(colour, (1, 1, 1), 0.55), 1)
    art.centred_text(ctx, str(percent), cx, cy + 3.4)
    _glass_highlight(ctx, cx, cy)
