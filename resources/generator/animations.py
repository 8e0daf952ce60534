"""The seven frame sets as sequences of drive states.

The chaining rules the main window relies on: sets started from the idle window (archive over,
key over, other file over) begin with the idle picture; the medium-in set begins where the
archive-over set ends and ends on the first working frame; the working set loops; the key's
second part ends on the idle picture."""
import math

import art
from drive import PORT_Y, DriveState

IDLE = DriveState()
WORK_TURN = 120.0  # the label has three segments: a third of a turn per pass loops cleanly


def _frames(count, make):
    return [make(k / (count - 1)) for k in range(count)]


def _working_led(phase):
    return 0.55 + 0.45 * math.cos(2 * math.pi * phase)


def archive_over(t):
    s = art.smooth(t)
    return DriveState(disc_t=s, disc_halo=s, slot_glow=art.smooth(t * 2),
                      led_colour=art.mix(art.GREEN, art.CYAN, art.smooth(t * 2)), led_level=0.75 + 0.25 * t)


def medium_in(t):
    s = art.smooth(t)
    return DriveState(disc_t=1 - s, disc_halo=1 - s, slot_glow=1 - art.smooth(t * 1.4),
                      led_colour=art.mix(art.CYAN, art.AMBER, s), led_level=1.0)


def working(k, count):
    phase = k / count
    return DriveState(disc_angle=WORK_TURN * phase, led_colour=art.AMBER, led_level=_working_led(phase))


KEY_HOVER_Y = 40.0


def key_over(t):
    s = art.smooth(t)
    return DriveState(slot_glow=s, slot_colour=art.GOLD_LIGHT, led_colour=art.mix(art.GREEN, art.AMBER, s),
                      led_level=0.75 + 0.25 * s, key_y=KEY_HOVER_Y - 14 * (1 - s), key_alpha=s)


def key_in_first(t):
    s = art.smooth(t)
    return DriveState(slot_glow=1 - art.smooth((t - 0.5) * 2), slot_colour=art.GOLD_LIGHT, led_colour=art.AMBER,
                      led_level=1.0, key_y=KEY_HOVER_Y + (float(PORT_Y) - KEY_HOVER_Y) * s)


def key_in_second(t):
    turn = art.smooth(t / 0.4)
    click = max(0.0, 1 - abs(t - 0.45) / 0.2)
    fade = art.smooth((t - 0.45) / 0.45)
    return DriveState(led_colour=art.mix(art.AMBER, art.GREEN, art.smooth((t - 0.3) / 0.4)),
                      led_level=1.0 - 0.25 * art.smooth((t - 0.7) / 0.3),
                      key_y=float(PORT_Y), key_angle=90 * turn, key_alpha=1 - fade, key_scale=1 - 0.35 * fade,
                      flash=click)


def refuse(t):
    s = art.smooth(t)
    shake = 3.0 * math.sin(t * math.pi * 4) * (1 - t)
    return DriveState(dx=shake, refuse=s, led_colour=art.mix(art.GREEN, art.RED, art.smooth(t * 2)),
                      led_level=0.75 + 0.25 * s)




# (animation id, first resource id, frames)
def frame_sets():
    return [
        (100, 200, _frames(13, archive_over)),
        (101, 250, _frames(12, medium_in)),
        (102, 300, [working(k, 11) for k in range(11)]),
        (103, 350, _frames(11, key_over)),
        (104, 400, _frames(15, key_in_first)),
        (105, 450, _frames(13, key_in_second)),
        (106, 500, _frames(11, refuse)),
    ]
