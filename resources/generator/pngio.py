"""Deterministic picture files: cairo surfaces to straight-alpha RGBA arrays, PNG and ICO writers.

The bytes depend only on the pixels: no time stamps, no text chunks, one fixed filter per
row and zlib at a fixed level, so a second run writes identical files.
"""
import struct
import zlib

import cairo
import numpy as np


def surface_rgba(surface):
    """Straight (non-premultiplied) RGBA uint8 array of an ARGB32 cairo surface."""
    surface.flush()
    height, width, stride = surface.get_height(), surface.get_width(), surface.get_stride()
    raw = np.frombuffer(surface.get_data(), dtype=np.uint8).reshape(height, stride)[:, : width * 4]
    bgra = raw.reshape(height, width, 4).astype(np.uint32)
    alpha = bgra[:, :, 3]
    out = np.zeros((height, width, 4), dtype=np.uint8)
    safe = np.maximum(alpha, 1)
    for target, source in ((0, 2), (1, 1), (2, 0)):
        value = (bgra[:, :, source] * 255 + safe // 2) // safe
        out[:, :, target] = np.where(alpha > 0, np.minimum(value, 255), 0)
    out[:, :, 3] = alpha
    return out


# Pictures are drawn in 96-DPI units; at scale 2 the same drawing fills a surface twice as
# wide and high, so the high-DPI set is as sharp as the vectors allow.
_scale = 1


def set_scale(scale):
    global _scale
    _scale = scale


def new_surface(width, height, scaled=True):
    """A surface of width x height units: pixels at the drawing scale unless scaled is off."""
    factor = _scale if scaled else 1
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width * factor, height * factor)
    ctx = cairo.Context(surface)
    if factor != 1:
        ctx.scale(factor, factor)
    return surface, ctx


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes(rgba):
    """PNG of an RGBA uint8 array (colour type 6, 8 bits), every row with the Sub filter."""
    height, width, _ = rgba.shape
    pixels = rgba.astype(np.int16)
    filtered = pixels.copy()
    filtered[:, 1:, :] = pixels[:, 1:, :] - pixels[:, :-1, :]
    rows = (filtered & 0xFF).astype(np.uint8).reshape(height, width * 4)
    scanlines = np.hstack([np.ones((height, 1), dtype=np.uint8), rows]).tobytes()
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header)
            + _chunk(b"IDAT", zlib.compress(scanlines, 9)) + _chunk(b"IEND", b""))


def ico_bytes(images):
    """ICO holding one 32-bit DIB entry per RGBA array (square, at most 255 pixels)."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for rgba in images:
        size = rgba.shape[0]
        bgra = rgba[::-1, :, [2, 1, 0, 3]].tobytes()  # bottom-up rows
        mask_stride = ((size + 31) // 32) * 4
        opaque = rgba[::-1, :, 3] > 0
        mask = np.zeros((size, mask_stride * 8), dtype=np.uint8)
        mask[:, :size] = ~opaque  # 1 = transparent for the AND mask
        mask_bytes = np.packbits(mask, axis=1).tobytes()
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(bgra) + len(mask_bytes), 0, 0, 0, 0)
        blob = info + bgra + mask_bytes
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)
