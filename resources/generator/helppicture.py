"""The help picture drawn over the help window's background: a title and three small
illustrated lines (drop an archive or carrier, drop a key, right-click for the menu).
It is not recoloured, so it carries its own colours; the window's check mark button sits at
600, 330 (44 x 47) and is kept clear."""
import math

import art
import drive
from pngio import new_surface

WIDTH, HEIGHT = 700, 500
TEXT_X = 250
ROWS = (98, 196, 294)


def _file_icon(ctx, x, y, label, colour):
    """A document with a folded corner and a coloured band with its kind."""
    w, h, fold = 34, 42, 10
    art.soft_shadow(ctx, x + w / 2, y + h + 2, w / 2 + 2, 3, 0.25)
    ctx.move_to(x, y)
    ctx.line_to(x + w - fold, y)
    ctx.line_to(x + w, y + fold)
    ctx.line_to(x + w, y + h)
    ctx.line_to(x, y + h)
    ctx.close_path()
    ctx.set_source(art.linear(x, y, x + w, y + h, [(0, (1, 1, 1)), (1, (0.88, 0.90, 0.93))]))
    ctx.fill_preserve()
    ctx.set_line_width(1.2)
    ctx.set_source_rgb(0.45, 0.50, 0.58)
    ctx.stroke()
    ctx.move_to(x + w - fold, y)
    ctx.line_to(x + w - fold, y + fold)
    ctx.line_to(x + w, y + fold)
    ctx.stroke()
    art.rounded_rect(ctx, x - 4, y + h - 17, w - 2, 12, 2.5)
    ctx.set_source_rgb(*colour)
    ctx.fill()
    art.text_font(ctx, 8.5, bold=True)
    ctx.set_source_rgb(1, 1, 1)
    art.centred_text(ctx, label, x - 4 + (w - 2) / 2, y + h - 8)


def _arrow(ctx, x0, y, x1):
    ctx.set_source_rgb(*art.mix(art.INK, (1, 1, 1), 0.35))
    ctx.set_line_width(3)
    ctx.set_line_cap(1)
    ctx.move_to(x0, y)
    ctx.line_to(x1 - 6, y)
    ctx.stroke()
    ctx.move_to(x1, y)
    ctx.line_to(x1 - 9, y - 6)
    ctx.line_to(x1 - 9, y + 6)
    ctx.close_path()
    ctx.fill()


def _mini_drive(ctx, x, y, scale):
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(scale, scale)
    drive.draw_drive(ctx, drive.DriveState())
    ctx.restore()


def _mouse(ctx, x, y):
    w, h = 34, 50
    art.rounded_rect(ctx, x, y, w, h, 16)
    ctx.set_source(art.linear(x, y, x + w, y + h, [(0, (0.98, 0.98, 1)), (1, (0.78, 0.81, 0.86))]))
    ctx.fill_preserve()
    ctx.set_line_width(1.4)
    ctx.set_source_rgb(0.40, 0.45, 0.53)
    ctx.stroke()
    ctx.save()
    art.rounded_rect(ctx, x, y, w, h, 16)
    ctx.clip()
    ctx.rectangle(x + w / 2, y, w / 2, 20)
    ctx.set_source_rgb(*art.AMBER)
    ctx.fill()
    ctx.restore()
    ctx.move_to(x + w / 2, y)
    ctx.line_to(x + w / 2, y + 20)
    ctx.line_to(x, y + 20)
    ctx.move_to(x + w / 2, y + 20)
    ctx.line_to(x + w, y + 20)
    ctx.set_source_rgb(0.40, 0.45, 0.53)
    ctx.stroke()


def _lines(ctx, y, head, body):
    art.text_font(ctx, 17, bold=True)
    ctx.set_source_rgb(*art.INK)
    ctx.move_to(TEXT_X, y + 14)
    ctx.show_text(head)
    art.text_font(ctx, 13.5)
    ctx.set_source_rgb(*art.mix(art.INK, (1, 1, 1), 0.2))
    for k, line in enumerate(body):
        ctx.move_to(TEXT_X, y + 38 + k * 19)
        ctx.show_text(line)


def help_picture():
    surface, ctx = new_surface(WIDTH, HEIGHT)
    art.text_font(ctx, 26, bold=True)
    ctx.set_source_rgb(*art.INK)
    ctx.move_to(30, 42)
    ctx.show_text("KVR Decryptor")
    art.text_font(ctx, 14)
    ctx.set_source_rgb(*art.mix(art.INK, (1, 1, 1), 0.3))
    ctx.move_to(248, 41)
    ctx.show_text("opens what the KVR Encryptor locked.")

    y = ROWS[0]
    for k, (label, colour) in enumerate((("ENC", art.mix(art.CYAN, art.INK, 0.45)), ("WAV", (0.55, 0.35, 0.75)),
                                        ("BMP", (0.25, 0.6, 0.4)), ("PNG", (0.85, 0.45, 0.2)))):
        _file_icon(ctx, 30 + (k % 2) * 44, y - 8 + (k // 2) * 46, label, colour)
    _arrow(ctx, 122, y + 38, 158)
    _mini_drive(ctx, 166, y - 10, 0.55)
    _lines(ctx, y, "Drop an archive to decrypt it",
           ["Drop one .enc file, or a WAV, BMP or PNG picture that", "hides one. Its files appear in a new folder beside it."])

    y = ROWS[1] + 10
    _file_icon(ctx, 52, y + 6, "KEY", art.GOLD_DARK)
    drive.draw_key(ctx, 98, y + 24, -30, 1.0, 0.9)
    _arrow(ctx, 122, y + 38, 158)
    _mini_drive(ctx, 166, y - 10, 0.55)
    _lines(ctx, y, "Drop a .key file to import it",
           ["It is copied into the active key folder, where the", "decryptor looks for the key an archive names."])

    y = ROWS[2] + 20
    _mouse(ctx, 70, y + 6)
    _lines(ctx, y, "Right-click for the menu",
           ["Key folders, sounds, appearance, always on top,", "cancel and quit. While it works, the dial shows progress."])

    art.text_font(ctx, 12)
    ctx.set_source_rgb(*art.mix(art.INK, (1, 1, 1), 0.45))
    ctx.move_to(30, 470)
    ctx.show_text("Drag the drive anywhere on the desktop. Keys are looked for in the key folder and beside the file.")
    return surface
