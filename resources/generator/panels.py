"""Backgrounds of the message, question and help windows, and the picture buttons.

The backgrounds are grey on purpose: the program recolours them from the red channel (white
takes the user's colour, darker greys darken it), so hue here would be lost. Text areas and
button places stay plain white."""
import math

import cairo

import art
from pngio import new_surface

PANEL_MARGIN = 3
PANEL_RADIUS = 14


def _panel(ctx, width, height, band):
    x, y = PANEL_MARGIN, PANEL_MARGIN - 1
    w, h = width - 2 * PANEL_MARGIN, height - 2 * PANEL_MARGIN - 1
    # A soft shadow under the card, grown outward in thin steps.
    for k in range(PANEL_MARGIN + 1, 0, -1):
        art.rounded_rect(ctx, x - k + 1, y - k + 3, w + 2 * k - 2, h + 2 * k - 2, PANEL_RADIUS + k)
        ctx.set_source_rgba(0, 0, 0, 0.07)
        ctx.fill()
    art.rounded_rect(ctx, x, y, w, h, PANEL_RADIUS)
    ctx.set_source(art.linear(0, y, 0, y + h, [(0, (1, 1, 1)), (0.75, (1, 1, 1)), (1, (0.93, 0.93, 0.93))]))
    ctx.fill()
    if band:
        ctx.save()
        art.rounded_rect(ctx, x, y, w, h, PANEL_RADIUS)
        ctx.clip()
        ctx.rectangle(x, y, w, band)
        ctx.set_source(art.linear(0, y, 0, y + band, [(0, (0.93, 0.93, 0.93)), (1, (0.86, 0.86, 0.86))]))
        ctx.fill()
        ctx.rectangle(x, y + band, w, 1)
        ctx.set_source_rgb(0.72, 0.72, 0.72)
        ctx.fill()
        ctx.restore()
    art.rounded_rect(ctx, x + 0.5, y + 0.5, w - 1, h - 1, PANEL_RADIUS - 0.5)
    ctx.set_line_width(1.0)
    ctx.set_source_rgb(0.55, 0.55, 0.55)
    ctx.stroke()
    art.rounded_rect(ctx, x + 1.5, y + 1.5, w - 3, h - 3, PANEL_RADIUS - 1.5)
    ctx.set_source_rgba(1, 1, 1, 0.9)
    ctx.stroke()


def _badge(ctx, cx, cy, radius, glyph):
    ctx.arc(cx, cy, radius, 0, 2 * math.pi)
    ctx.set_source(art.linear(cx, cy - radius, cx, cy + radius, [(0, (0.80, 0.80, 0.80)), (1, (0.66, 0.66, 0.66))]))
    ctx.fill()
    ctx.arc(cx, cy, radius - 0.5, 0, 2 * math.pi)
    ctx.set_line_width(1)
    ctx.set_source_rgb(0.58, 0.58, 0.58)
    ctx.stroke()
    art.text_font(ctx, radius * 1.35, bold=True)
    ctx.set_source_rgb(1, 1, 1)
    extents = ctx.text_extents(glyph)
    ctx.move_to(cx - extents.x_bearing - extents.width / 2, cy - extents.y_bearing - extents.height / 2)
    ctx.show_text(glyph)


def message_background():
    surface, ctx = new_surface(229, 136)
    _panel(ctx, 229, 136, band=12)
    _badge(ctx, 40, 103, 14, "i")
    return surface


def question_background():
    surface, ctx = new_surface(325, 190)
    _panel(ctx, 325, 190, band=12)
    _badge(ctx, 50, 153, 16, "?")
    return surface


def help_background():
    surface, ctx = new_surface(700, 500)
    _panel(ctx, 700, 500, band=62)
    return surface


def _button(draw_mark, base, hover):
    surface, ctx = new_surface(44, 47)
    cx, cy, r = 22, 21, 18.5
    art.soft_shadow(ctx, cx, 43, 17, 3.5, 0.45)
    if hover:
        art.glow(ctx, cx, cy, r + 4, art.mix(base, (1, 1, 1), 0.3), 0.55)
    face = art.mix(base, (1, 1, 1), 0.18) if hover else base
    ctx.arc(cx, cy, r, 0, 2 * math.pi)
    ctx.set_source(art.linear(cx, cy - r, cx, cy + r, [(0, art.mix(face, (1, 1, 1), 0.35)), (1, art.mix(face, (0, 0, 0), 0.3))]))
    ctx.fill()
    ctx.arc(cx, cy, r - 0.5, 0, 2 * math.pi)
    ctx.set_line_width(1)
    ctx.set_source_rgba(*art.mix(base, (0, 0, 0), 0.55), 1)
    ctx.stroke()
    # Glass cap: a bright lens over the upper half.
    ctx.save()
    ctx.translate(cx, cy - r * 0.42)
    ctx.scale(r * 0.78, r * 0.48)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()
    ctx.set_source(art.linear(0, cy - r, 0, cy, [(0, (1, 1, 1), 0.65 if hover else 0.5), (1, (1, 1, 1), 0.02)]))
    ctx.fill()
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    draw_mark(ctx, cx, cy)
    ctx.set_line_width(5.6)
    ctx.set_source_rgba(*art.mix(base, (0, 0, 0), 0.55), 0.45)
    ctx.stroke_preserve()
    ctx.set_line_width(3.8)
    ctx.set_source_rgb(1, 1, 1)
    ctx.stroke()
    return surface


def _check_mark(ctx, cx, cy):
    ctx.move_to(cx - 8.5, cy + 0.5)
    ctx.line_to(cx - 2.5, cy + 6.5)
    ctx.line_to(cx + 9, cy - 6.5)


def _cross_mark(ctx, cx, cy):
    ctx.move_to(cx - 7, cy - 7)
    ctx.line_to(cx + 7, cy + 7)
    ctx.move_to(cx + 7, cy - 7)
    ctx.line_to(cx - 7, cy + 7)


CHECK_GREEN = (0.22, 0.66, 0.34)
CROSS_RED = (0.82, 0.26, 0.24)


def buttons():
    return {
        136: _button(_check_mark, CHECK_GREEN, False),
        137: _button(_check_mark, CHECK_GREEN, True),
        138: _button(_cross_mark, CROSS_RED, False),
        139: _button(_cross_mark, CROSS_RED, True),
    }
