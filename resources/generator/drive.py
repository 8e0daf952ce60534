"""The drive: a slate-blue box with a top slot, a glass porthole that shows the disc inside, a
status light and the progress gauge on a post. Every frame of every animation is this drawing
with different `DriveState` values, so frames of one set chain without jumps."""
import dataclasses
import math

import cairo

import art
import gauge

WIDTH, HEIGHT = 130, 175
BODY_X, BODY_Y, BODY_W, BODY_H, BODY_R = 5, 72, 120, 96, 14
LID_H = 14
SLOT_X, SLOT_Y, SLOT_W, SLOT_H = 44, 77, 68, 5
SLOT_LINE = SLOT_Y + SLOT_H / 2
PORT_X, PORT_Y, PORT_OUTER, PORT_INNER = 78, 126, 31, 27
DISC_R = 23
DISC_IN_Y, DISC_OUT_Y = PORT_Y, 42
GAUGE_X, GAUGE_Y = 26, 21  # the dial picture (42 x 42) sits at 5, 0
LED_X, LED_Y = 26, 97


@dataclasses.dataclass
class DriveState:
    dx: float = 0.0                  # sideways shake
    disc_t: float = 0.0              # 0 inside, 1 out above the slot
    disc_angle: float = 0.0          # turn of the disc label, degrees
    disc_halo: float = 0.0           # light around the disc when it waits outside
    slot_glow: float = 0.0
    slot_colour: tuple = art.CYAN
    led_colour: tuple = art.GREEN
    led_level: float = 0.75
    key_y: float = None              # centre of the key, None when there is none
    key_angle: float = 0.0
    key_alpha: float = 1.0
    key_scale: float = 1.0
    flash: float = 0.0               # gold ring in the porthole when the key clicks
    flash_colour: tuple = art.GOLD_LIGHT
    refuse: float = 0.0              # red "no" sign over the porthole


def disc_centre_y(t):
    return DISC_IN_Y + (DISC_OUT_Y - DISC_IN_Y) * t


def draw_disc(ctx, cx, cy, r, angle):
    ctx.save()
    ctx.translate(cx, cy)
    ctx.arc(0, 0, r, 0, 2 * math.pi)
    ctx.arc_negative(0, 0, r * 0.11, 2 * math.pi, 0)
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    ctx.clip()
    ctx.arc(0, 0, r, 0, 2 * math.pi)
    ctx.set_source(art.radial(0, 0, 0, r, [(0, (0.95, 0.96, 0.98)), (0.7, (0.80, 0.83, 0.88)), (1, (0.62, 0.66, 0.73))],
                              -r * 0.35, -r * 0.4))
    ctx.fill()
    # Iridescence stays put against the light while the label turns.
    for start, colour in ((200, (1.0, 0.55, 0.85)), (222, (0.45, 0.75, 1.0)), (244, (0.55, 1.0, 0.70)),
                          (20, (1.0, 0.85, 0.45)), (42, (0.55, 0.70, 1.0))):
        ctx.move_to(0, 0)
        ctx.arc(0, 0, r, math.radians(start), math.radians(start + 24))
        ctx.close_path()
        ctx.set_source_rgba(*colour, 0.22)
        ctx.fill()
    # Label: three turning segments so that a spin is visible.
    label = r * 0.48
    ctx.arc(0, 0, label, 0, 2 * math.pi)
    ctx.set_source_rgb(0.12, 0.25, 0.52)
    ctx.fill()
    for k in range(3):
        a = math.radians(angle + k * 120)
        ctx.move_to(0, 0)
        ctx.arc(0, 0, label, a, a + math.radians(55))
        ctx.close_path()
        ctx.set_source_rgba(*art.CYAN, 0.55)
        ctx.fill()
    ctx.arc(0, 0, r * 0.24, 0, 2 * math.pi)
    ctx.set_source_rgba(0.88, 0.91, 0.96, 0.92)
    ctx.fill()
    ctx.restore()
    ctx.save()
    ctx.set_line_width(0.9)
    ctx.arc(cx, cy, r - 0.45, 0, 2 * math.pi)
    ctx.set_source_rgba(*art.OUTLINE, 0.55)
    ctx.stroke()
    ctx.arc(cx, cy, r * 0.11 + 0.4, 0, 2 * math.pi)
    ctx.set_source_rgba(*art.OUTLINE, 0.5)
    ctx.stroke()
    ctx.restore()


def draw_key(ctx, cx, cy, angle, alpha, scale):
    """A gold key, bow up, bit down, about 16 x 42 pixels at scale 1."""
    if alpha <= 0:
        return
    ctx.save()
    ctx.translate(cx, cy)
    ctx.rotate(math.radians(angle))
    ctx.scale(scale, scale)
    ctx.push_group()
    ctx.new_path()
    ctx.arc(0, -13, 8, 0, 2 * math.pi)
    ctx.new_sub_path()
    ctx.arc_negative(0, -13, 3.4, 2 * math.pi, 0)
    art.rounded_rect(ctx, -2.5, -6.5, 5, 27, 1.5)
    # Bit with two teeth.
    ctx.rectangle(2, 10, 6, 3.5)
    ctx.rectangle(2, 16, 5, 3.5)
    ctx.set_fill_rule(cairo.FILL_RULE_WINDING)
    path = ctx.copy_path()
    ctx.set_source(art.linear(-8, -21, 8, 21, [(0, art.GOLD_LIGHT), (0.55, art.mix(art.GOLD_LIGHT, art.GOLD_DARK, 0.5)),
                                               (1, art.GOLD_DARK)]))
    ctx.fill()
    # The hole of the bow: cut out with even-odd over the ring only.
    ctx.set_operator(cairo.OPERATOR_CLEAR)
    ctx.arc(0, -13, 3.4, 0, 2 * math.pi)
    ctx.fill()
    ctx.set_operator(cairo.OPERATOR_OVER)
    ctx.append_path(path)
    ctx.set_line_width(1.0)
    ctx.set_source_rgba(0.40, 0.25, 0.02, 0.85)
    ctx.stroke()
    ctx.arc(-2.5, -16, 2.2, math.pi, 1.6 * math.pi)
    ctx.set_line_width(1.2)
    ctx.set_source_rgba(1, 1, 1, 0.6)
    ctx.stroke()
    ctx.pop_group_to_source()
    ctx.paint_with_alpha(alpha)
    ctx.restore()


def _body(ctx):
    art.rounded_rect(ctx, BODY_X, BODY_Y, BODY_W, BODY_H, BODY_R)
    ctx.set_source(art.linear(0, BODY_Y, 0, BODY_Y + BODY_H, [(0, art.BODY_TOP), (1, art.BODY_BOTTOM)]))
    ctx.fill_preserve()
    ctx.save()
    ctx.clip_preserve()
    ctx.set_source(art.linear(BODY_X, 0, BODY_X + BODY_W, 0, [(0, (1, 1, 1), 0.10), (0.4, (1, 1, 1), 0.0),
                                                               (1, (0, 0, 0), 0.18)]))
    ctx.fill()
    # The lid: the top face seen from a little above.
    ctx.rectangle(BODY_X, BODY_Y, BODY_W, LID_H)
    ctx.set_source(art.linear(0, BODY_Y, 0, BODY_Y + LID_H, [(0, art.LID_TOP), (1, art.LID_BOTTOM)]))
    ctx.fill()
    ctx.rectangle(BODY_X, BODY_Y + LID_H, BODY_W, 1)
    ctx.set_source_rgba(*art.OUTLINE, 0.45)
    ctx.fill()
    ctx.rectangle(BODY_X, BODY_Y + LID_H + 1, BODY_W, 1)
    ctx.set_source_rgba(1, 1, 1, 0.12)
    ctx.fill()
    ctx.restore()
    art.rounded_rect(ctx, BODY_X + 0.5, BODY_Y + 0.5, BODY_W - 1, BODY_H - 1, BODY_R - 0.5)
    ctx.set_line_width(1.0)
    ctx.set_source_rgba(*art.OUTLINE, 0.95)
    ctx.stroke()
    art.rounded_rect(ctx, BODY_X + 1.5, BODY_Y + 1.5, BODY_W - 3, BODY_H - 3, BODY_R - 1.5)
    ctx.set_source(art.linear(0, BODY_Y, 0, BODY_Y + BODY_H, [(0, (1, 1, 1), 0.45), (0.3, (1, 1, 1), 0.08),
                                                               (1, (1, 1, 1), 0.03)]))
    ctx.stroke()


def _slot_back(ctx, state):
    art.rounded_rect(ctx, SLOT_X, SLOT_Y, SLOT_W, SLOT_H, SLOT_H / 2)
    ctx.set_source_rgb(0.03, 0.04, 0.06)
    ctx.fill()
    if state.slot_glow > 0:
        art.rounded_rect(ctx, SLOT_X + 2, SLOT_Y + 1, SLOT_W - 4, SLOT_H - 2, 1.5)
        ctx.set_source_rgba(*state.slot_colour, 0.85 * state.slot_glow)
        ctx.fill()


def _slot_front(ctx, state):
    """The slot's near lip, drawn over whatever stands in the slot."""
    ctx.save()
    ctx.rectangle(SLOT_X - 1, SLOT_LINE, SLOT_W + 2, SLOT_H)
    ctx.clip()
    art.rounded_rect(ctx, SLOT_X, SLOT_Y, SLOT_W, SLOT_H, SLOT_H / 2)
    ctx.set_source_rgb(0.03, 0.04, 0.06)
    ctx.fill()
    ctx.restore()
    ctx.move_to(SLOT_X + 3, SLOT_Y + SLOT_H + 0.5)
    ctx.line_to(SLOT_X + SLOT_W - 3, SLOT_Y + SLOT_H + 0.5)
    ctx.set_line_width(1.0)
    ctx.set_source_rgba(1, 1, 1, 0.35)
    ctx.stroke()
    if state.slot_glow > 0:
        ctx.save()
        ctx.translate(SLOT_X + SLOT_W / 2, SLOT_LINE)
        ctx.scale(SLOT_W / 2 + 6, 9)
        ctx.arc(0, 0, 1, math.pi, 2 * math.pi)
        ctx.set_source(art.radial(0, 0, 0, 1, [(0, state.slot_colour, 0.55 * state.slot_glow),
                                               (1, state.slot_colour, 0)]))
        ctx.fill()
        ctx.restore()


def _outside(ctx, state):
    """What stands above the slot: the clip keeps the part below the slot line hidden."""
    ctx.save()
    ctx.rectangle(0, 0, WIDTH, SLOT_LINE)
    ctx.clip()
    cy = disc_centre_y(state.disc_t)
    if cy - DISC_R < SLOT_LINE:
        art.glow(ctx, PORT_X, cy, DISC_R + 9, state.slot_colour, 0.5 * state.disc_halo)
        draw_disc(ctx, PORT_X, cy, DISC_R, state.disc_angle)
    if state.key_y is not None:
        draw_key(ctx, PORT_X, state.key_y, state.key_angle, state.key_alpha, state.key_scale)
    ctx.restore()


def _front(ctx, state):
    art.glow(ctx, LED_X, LED_Y, 9, state.led_colour, 0.55 * state.led_level)
    ctx.arc(LED_X, LED_Y, 3.4, 0, 2 * math.pi)
    ctx.set_source_rgb(*art.OUTLINE)
    ctx.fill()
    ctx.arc(LED_X, LED_Y, 2.6, 0, 2 * math.pi)
    lit = art.mix((0.15, 0.18, 0.22), state.led_colour, state.led_level)
    ctx.set_source(art.radial(LED_X, LED_Y, 0, 2.6, [(0, art.mix(lit, (1, 1, 1), 0.5)), (1, lit)], LED_X - 0.8, LED_Y - 0.8))
    ctx.fill()
    # Vent grooves: a dark cut with a lit lower edge.
    for k in range(5):
        y = 114 + k * 8
        art.rounded_rect(ctx, 15, y, 22, 3, 1.5)
        ctx.set_source_rgba(*art.OUTLINE, 0.75)
        ctx.fill()
        ctx.move_to(16.5, y + 3.6)
        ctx.line_to(35.5, y + 3.6)
        ctx.set_line_width(0.8)
        ctx.set_source_rgba(1, 1, 1, 0.14)
        ctx.stroke()


def _porthole(ctx, state):
    art.metal_ring(ctx, PORT_X, PORT_Y, PORT_OUTER, PORT_INNER)
    ctx.save()
    ctx.arc(PORT_X, PORT_Y, PORT_INNER, 0, 2 * math.pi)
    ctx.clip()
    ctx.arc(PORT_X, PORT_Y, PORT_INNER, 0, 2 * math.pi)
    ctx.set_source(art.radial(PORT_X, PORT_Y, 0, PORT_INNER, [(0, art.GLASS_CENTRE), (1, art.GLASS_EDGE)]))
    ctx.fill()
    art.glow(ctx, PORT_X, PORT_Y, PORT_INNER, art.CYAN, 0.12)
    cy = disc_centre_y(state.disc_t)
    if cy + DISC_R > PORT_Y - PORT_INNER:
        draw_disc(ctx, PORT_X, cy, DISC_R, state.disc_angle)
        ctx.set_source_rgba(*art.GLASS_EDGE, 0.22)  # the chamber is darker than the room
        ctx.paint()
    if state.flash > 0:
        ctx.arc(PORT_X, PORT_Y, DISC_R + 1, 0, 2 * math.pi)
        ctx.set_line_width(3)
        ctx.set_source_rgba(*state.flash_colour, 0.9 * state.flash)
        ctx.stroke()
        art.glow(ctx, PORT_X, PORT_Y, PORT_INNER, state.flash_colour, 0.5 * state.flash)
    if state.key_y is not None:
        draw_key(ctx, PORT_X, state.key_y, state.key_angle, state.key_alpha, state.key_scale)
    if state.refuse > 0:
        ctx.set_source_rgba(*art.RED, 0.25 * state.refuse)
        ctx.paint()
    # Reflections on the glass: a broad arc upper left, a small spot lower right.
    ctx.arc(PORT_X, PORT_Y, PORT_INNER - 3, math.radians(190), math.radians(260))
    ctx.set_line_width(3.2)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_source_rgba(1, 1, 1, 0.30)
    ctx.stroke()
    ctx.arc(PORT_X + 15, PORT_Y + 15, 2.0, 0, 2 * math.pi)
    ctx.set_source_rgba(1, 1, 1, 0.18)
    ctx.fill()
    ctx.restore()
    if state.refuse > 0:
        _refuse_sign(ctx, state.refuse)


def _refuse_sign(ctx, amount):
    ctx.save()
    ctx.set_line_width(4.5)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.arc(PORT_X, PORT_Y, 17, 0, 2 * math.pi)
    ctx.move_to(PORT_X - 12, PORT_Y - 12)
    ctx.line_to(PORT_X + 12, PORT_Y + 12)
    ctx.set_source_rgba(0.35, 0.03, 0.03, 0.6 * amount)
    ctx.set_line_width(6.5)
    ctx.stroke_preserve()
    ctx.set_line_width(4.2)
    ctx.set_source_rgba(*art.RED, amount)
    ctx.stroke()
    ctx.restore()


def _gauge_post(ctx):
    ctx.rectangle(22, 36, 8, BODY_Y - 34)
    ctx.set_source(art.linear(22, 0, 30, 0, [(0, art.METAL_LIGHT), (0.6, art.METAL_DARK), (1, art.mix(art.METAL_DARK, art.OUTLINE, 0.5))]))
    ctx.fill()
    ctx.rectangle(22.5, 36, 7, BODY_Y - 34)
    ctx.set_line_width(1)
    ctx.set_source_rgba(*art.OUTLINE, 0.7)
    ctx.stroke()
    # A flange where the post meets the lid.
    ctx.save()
    ctx.translate(26, BODY_Y + 3)
    ctx.scale(9, 3)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()
    ctx.set_source(art.linear(17, 0, 35, 0, [(0, art.METAL_LIGHT), (1, art.METAL_DARK)]))
    ctx.fill_preserve()
    ctx.set_source_rgba(*art.OUTLINE, 0.6)
    ctx.set_line_width(0.8)
    ctx.stroke()


def draw_drive(ctx, state):
    ctx.save()
    ctx.translate(state.dx, 0)
    art.soft_shadow(ctx, 65, 169, 63, 5.5, 0.45)
    for foot_x in (16, 94):
        art.rounded_rect(ctx, foot_x, BODY_Y + BODY_H - 6, 20, 9, 3)
        ctx.set_source_rgb(0.10, 0.11, 0.14)
        ctx.fill()
    _body(ctx)
    _gauge_post(ctx)
    _slot_back(ctx, state)
    _outside(ctx, state)
    _slot_front(ctx, state)
    _front(ctx, state)
    _porthole(ctx, state)
    gauge.draw_idle(ctx, GAUGE_X, GAUGE_Y)
    ctx.restore()
