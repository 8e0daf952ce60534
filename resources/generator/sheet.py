"""Contact sheet: every picture on a checkerboard so that edges and soft alpha can be judged,
frame sets one per row with their ids, then the dial, the buttons, the icons and the child
window backgrounds."""
import cairo
import numpy as np

import art
from pngio import new_surface

GAP = 8
LABEL_W = 46


def _checker(ctx, x, y, w, h):
    ctx.save()
    ctx.rectangle(x, y, w, h)
    ctx.clip()
    ctx.set_source_rgb(0.86, 0.86, 0.86)
    ctx.paint()
    ctx.set_source_rgb(0.97, 0.97, 0.97)
    for row in range(0, h, 8):
        for col in range((row // 8) % 2 * 8, w, 16):
            ctx.rectangle(x + col, y + row, 8, 8)
    ctx.fill()
    ctx.restore()


def _place(ctx, rgba, x, y):
    h, w, _ = rgba.shape
    pre = rgba.astype(np.uint32)
    a = pre[:, :, 3]
    bgra = np.empty((h, w, 4), dtype=np.uint8)
    for target, source in ((0, 2), (1, 1), (2, 0)):
        bgra[:, :, target] = (pre[:, :, source] * a + 127) // 255
    bgra[:, :, 3] = a
    picture = cairo.ImageSurface.create_for_data(bytearray(bgra.tobytes()), cairo.FORMAT_ARGB32, w, h, w * 4)
    _checker(ctx, x, y, w, h)
    ctx.set_source_surface(picture, x, y)
    ctx.paint()


def _label(ctx, text, x, y):
    art.text_font(ctx, 11, bold=True)
    ctx.set_source_rgb(*art.INK)
    ctx.move_to(x, y)
    ctx.show_text(text)
    ctx.new_path()


def contact_sheet(frame_sets, dial, buttons, icons, backgrounds, scale=1):
    """frame_sets: [(animation id, first id, [rgba])]; dial: [rgba]; buttons: {id: rgba};
    icons: {id: [rgba]}; backgrounds: [(id, rgba)]; scale: the pictures' size (1 or 2), which
    the places scale with; labels and gaps stay as they are."""
    frame_w = 130 * scale + 4
    longest = max(len(frames) for _, _, frames in frame_sets)
    width = LABEL_W + longest * frame_w + GAP
    dial_rows = 2
    height = (GAP + len(frame_sets) * (175 * scale + GAP) + dial_rows * (42 * scale + GAP) + (47 * scale + GAP)
              + 500 * scale + 2 * GAP + 20)
    surface, ctx = new_surface(width, height, scaled=False)
    ctx.set_source_rgb(1, 1, 1)
    ctx.paint()
    y = GAP
    for animation, first, frames in frame_sets:
        _label(ctx, str(animation), 6, y + 16)
        art.text_font(ctx, 9)
        ctx.move_to(6, y + 30)
        ctx.show_text("%d+" % first)
        ctx.new_path()
        for k, rgba in enumerate(frames):
            _place(ctx, rgba, LABEL_W + k * frame_w, y)
        y += 175 * scale + GAP
    per_row = (len(dial) + dial_rows - 1) // dial_rows
    _label(ctx, "dial", 6, y + 16)
    for k, rgba in enumerate(dial):
        _place(ctx, rgba, LABEL_W + (k % per_row) * (42 * scale + 4), y + (k // per_row) * (42 * scale + GAP))
    y += dial_rows * (42 * scale + GAP)
    _label(ctx, "more", 6, y + 16)
    x = LABEL_W
    for ident in sorted(buttons):
        _place(ctx, buttons[ident], x, y)
        x += 44 * scale + GAP
    for ident in sorted(icons):
        for rgba in icons[ident]:
            _place(ctx, rgba, x, y + 47 * scale - rgba.shape[0])
            x += rgba.shape[1] + GAP
    y += 47 * scale + GAP
    x = LABEL_W
    for ident, rgba in backgrounds:
        _place(ctx, rgba, x, y)
        x += rgba.shape[1] + GAP
    return surface
