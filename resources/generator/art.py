"""Shared palette and drawing helpers: one light source (upper left), one set of colours."""
import math

import cairo

# Palette (r, g, b in 0..1).
BODY_TOP = (0.40, 0.46, 0.56)
BODY_BOTTOM = (0.19, 0.22, 0.29)
LID_TOP = (0.62, 0.67, 0.75)
LID_BOTTOM = (0.44, 0.50, 0.59)
OUTLINE = (0.08, 0.10, 0.14)
METAL_LIGHT = (0.90, 0.92, 0.95)
METAL_DARK = (0.36, 0.40, 0.47)
GLASS_CENTRE = (0.07, 0.11, 0.18)
GLASS_EDGE = (0.02, 0.03, 0.06)
CYAN = (0.25, 0.82, 1.00)
GREEN = (0.35, 0.90, 0.45)
AMBER = (1.00, 0.68, 0.18)
RED = (0.95, 0.28, 0.25)
GOLD_LIGHT = (1.00, 0.88, 0.45)
GOLD_DARK = (0.72, 0.48, 0.10)
INK = (0.10, 0.16, 0.29)

FONT = "DejaVu Sans"


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def smooth(t):
    t = min(max(t, 0.0), 1.0)
    return t * t * (3 - 2 * t)


def rounded_rect(ctx, x, y, w, h, r):
    r = min(r, w / 2, h / 2)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def linear(x0, y0, x1, y1, stops):
    gradient = cairo.LinearGradient(x0, y0, x1, y1)
    for offset, colour, *alpha in stops:
        gradient.add_color_stop_rgba(offset, *colour, alpha[0] if alpha else 1.0)
    return gradient


def radial(cx, cy, r0, r1, stops, fx=None, fy=None):
    gradient = cairo.RadialGradient(cx if fx is None else fx, cy if fy is None else fy, r0, cx, cy, r1)
    for offset, colour, *alpha in stops:
        gradient.add_color_stop_rgba(offset, *colour, alpha[0] if alpha else 1.0)
    return gradient


def soft_shadow(ctx, cx, cy, rx, ry, alpha):
    """An elliptic contact shadow, dense in the middle and fading to nothing at the rim."""
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(rx, ry)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.set_source(radial(0, 0, 0, 1, [(0, (0, 0, 0), alpha), (0.55, (0, 0, 0), alpha * 0.6), (1, (0, 0, 0), 0)]))
    ctx.fill()
    ctx.restore()


def glow(ctx, cx, cy, radius, colour, alpha):
    """A round light halo: full colour at the centre, gone at `radius`."""
    if alpha <= 0:
        return
    ctx.save()
    ctx.arc(cx, cy, radius, 0, 2 * math.pi)
    ctx.set_source(radial(cx, cy, 0, radius, [(0, colour, alpha), (0.4, colour, alpha * 0.45), (1, colour, 0)]))
    ctx.fill()
    ctx.restore()


def metal_ring(ctx, cx, cy, outer, inner):
    """A turned metal bezel lit from the upper left."""
    ctx.save()
    ctx.arc(cx, cy, outer, 0, 2 * math.pi)
    ctx.arc_negative(cx, cy, inner, 2 * math.pi, 0)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    ctx.set_source(linear(cx - outer, cy - outer, cx + outer, cy + outer,
                          [(0, METAL_LIGHT), (0.5, mix(METAL_LIGHT, METAL_DARK, 0.45)), (1, METAL_DARK)]))
    ctx.fill_preserve()
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    ctx.new_path()
    # A dark inner lip and a thin outline make the ring read at small sizes.
    ctx.arc(cx, cy, inner + 0.5, 0, 2 * math.pi)
    ctx.set_source_rgba(*OUTLINE, 0.8)
    ctx.set_line_width(1.0)
    ctx.stroke()
    ctx.arc(cx, cy, outer - 0.5, 0, 2 * math.pi)
    ctx.set_source_rgba(*OUTLINE, 0.75)
    ctx.stroke()
    ctx.restore()


def text_font(ctx, size, bold=False):
    ctx.select_font_face(FONT, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(size)
    options = cairo.FontOptions()
    options.set_antialias(cairo.ANTIALIAS_GRAY)
    options.set_hint_style(cairo.HINT_STYLE_NONE)
    options.set_hint_metrics(cairo.HINT_METRICS_OFF)
    ctx.set_font_options(options)


def centred_text(ctx, text, cx, baseline):
    extents = ctx.text_extents(text)
    ctx.move_to(cx - extents.x_advance / 2, baseline)
    ctx.show_text(text)
