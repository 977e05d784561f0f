#!/usr/bin/env python3
"""Generate Tarnwick's bitmap resources.

Writes into resources/art/ (relative to the repository root):

    splash.bmp    317 x 199, 4 bpp   start-up splash (progress bar strip kept plain)
    banner.bmp    288 x 112, 24 bpp  information banner, magenta = transparent
    hdd.bmp        32 x 32,  24 bpp  hard disk glyph, magenta = transparent
    chip.bmp       32 x 32,  24 bpp  memory chip glyph, magenta = transparent
    tarnwick.ico  32x32 + 16x16, 4 bpp application icon
    logo.avi      100 x 70, 8 bpp uncompressed clip for the animation control

Standard library only and fully deterministic: running it twice produces
byte-identical files, so the outputs are committed and the build never needs
Python.  Everything is drawn from scratch here (a small stroke font, simple
shapes), there are no input files.

Usage:  python3 tools/make_artwork.py [output-dir]
"""

import math
import os
import struct
import sys

MAGENTA = (255, 0, 255)

# --------------------------------------------------------------------------
# Canvas: float RGB plus an "opaque" flag per pixel, y grows downwards.
# --------------------------------------------------------------------------


class Canvas:
    def __init__(self, w, h, color=(0, 0, 0), opaque=True):
        self.w, self.h = w, h
        self.px = [[list(color) for _ in range(w)] for _ in range(h)]
        self.op = [[opaque] * w for _ in range(h)]

    def blend(self, x, y, color, cov):
        """Mix color into pixel (x, y) with coverage cov in 0..1.

        Over a transparent pixel the coverage is thresholded instead, so the
        silhouette of a masked image stays hard-edged and never picks up a
        pink fringe from the magenta key colour."""
        if cov <= 0.0 or x < 0 or y < 0 or x >= self.w or y >= self.h:
            return
        if not self.op[y][x]:
            if cov >= 0.5:
                self.px[y][x] = list(color)
                self.op[y][x] = True
            return
        if cov >= 1.0:
            self.px[y][x] = list(color)
            return
        p = self.px[y][x]
        for i in range(3):
            p[i] += (color[i] - p[i]) * cov

    def paint(self, cov_fn, color, bbox, ss=4):
        """Supersampled fill of an inside-test cov_fn(fx, fy) -> bool.

        color is either an RGB tuple or a function (x, y) -> RGB."""
        x0, y0, x1, y1 = clip_box(bbox, self.w, self.h)
        n = ss * ss
        offs = [((i + 0.5) / ss, (j + 0.5) / ss) for j in range(ss) for i in range(ss)]
        for y in range(y0, y1):
            for x in range(x0, x1):
                hit = 0
                for ox, oy in offs:
                    if cov_fn(x + ox, y + oy):
                        hit += 1
                if hit:
                    c = color(x, y) if callable(color) else color
                    self.blend(x, y, c, hit / n)

    def apply_mask(self, mask, color, dx=0, dy=0, gain=1.0):
        """Composite a coverage mask {(x, y): cov} with a colour/function."""
        for (x, y), cov in sorted(mask.items()):
            c = color(x + dx, y + dy) if callable(color) else color
            self.blend(x + dx, y + dy, c, min(1.0, cov * gain))

    def rect(self, x0, y0, x1, y1, color):
        """Hard-edged filled rectangle, x1/y1 exclusive."""
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                c = color(x, y) if callable(color) else color
                self.px[y][x] = list(c)
                self.op[y][x] = True

    def frame(self, x0, y0, x1, y1, color):
        """One pixel rectangle outline, x1/y1 inclusive."""
        self.rect(x0, y0, x1 + 1, y0 + 1, color)
        self.rect(x0, y1, x1 + 1, y1 + 1, color)
        self.rect(x0, y0, x0 + 1, y1 + 1, color)
        self.rect(x1, y0, x1 + 1, y1 + 1, color)

    def rgb_rows(self, key=MAGENTA):
        """Rows of 8-bit RGB tuples (top row first); transparent -> key."""
        out = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                if self.op[y][x]:
                    row.append(tuple(to8(v) for v in self.px[y][x]))
                else:
                    row.append(key)
            out.append(row)
        return out


def to8(v):
    return max(0, min(255, int(round(v))))


def clip_box(bbox, w, h):
    x0, y0, x1, y1 = bbox
    return (max(0, int(math.floor(x0))), max(0, int(math.floor(y0))),
            min(w, int(math.ceil(x1))), min(h, int(math.ceil(y1))))


def lerp(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# --------------------------------------------------------------------------
# Geometry helpers
# --------------------------------------------------------------------------


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    if ll <= 1e-12:
        t = 0.0
    else:
        t = ((px - ax) * dx + (py - ay) * dy) / ll
        t = 0.0 if t < 0.0 else (1.0 if t > 1.0 else t)
    ex, ey = ax + t * dx - px, ay + t * dy - py
    return math.sqrt(ex * ex + ey * ey)


def stroke_mask(segments, radius, w, h, mask=None):
    """Anti-aliased coverage of round-capped strokes of the given radius.

    segments: list of (ax, ay, bx, by) in pixel units (pixel centres at +0.5).
    Returns/extends a dict {(x, y): coverage}."""
    if mask is None:
        mask = {}
    if not segments:
        return mask
    # Each segment only visits the pixels inside its padded bounding box.
    pad = radius + 1.0
    for (ax, ay, bx, by) in segments:
        x0, y0, x1, y1 = clip_box((min(ax, bx) - pad, min(ay, by) - pad,
                                   max(ax, bx) + pad, max(ay, by) + pad), w, h)
        for y in range(y0, y1):
            cy = y + 0.5
            for x in range(x0, x1):
                d = seg_dist(x + 0.5, cy, ax, ay, bx, by)
                c = radius + 0.5 - d
                if c > 0.0:
                    c = 1.0 if c > 1.0 else c
                    if c > mask.get((x, y), 0.0):
                        mask[(x, y)] = c
    return mask


def hard(mask, level=0.5):
    """Threshold an anti-aliased mask (for the 16-colour icon)."""
    return {k: 1.0 for k, c in mask.items() if c >= level}


def rounded_rect_fn(x0, y0, x1, y1, r):
    def inside(fx, fy):
        if fx < x0 or fx > x1 or fy < y0 or fy > y1:
            return False
        cx = min(max(fx, x0 + r), x1 - r)
        cy = min(max(fy, y0 + r), y1 - r)
        return (fx - cx) ** 2 + (fy - cy) ** 2 <= r * r
    return inside


def ellipse_fn(cx, cy, rx, ry):
    def inside(fx, fy):
        return ((fx - cx) / rx) ** 2 + ((fy - cy) / ry) ** 2 <= 1.0
    return inside


def polygon_fn(pts):
    def inside(fx, fy):
        c = False
        n = len(pts)
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > fy) != (yj > fy):
                if fx < (xj - xi) * (fy - yi) / (yj - yi) + xi:
                    c = not c
            j = i
        return c
    return inside


def bbox_of(pts, pad=1):
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


# --------------------------------------------------------------------------
# Stroke font.  Units: cap height = 1, y = 0 at cap line, y = 1 on the
# baseline, lower case x-height line at y = 0.42.  Each glyph is
# (ink width, [polyline, ...]); strokes are drawn with round caps.
# --------------------------------------------------------------------------


def arc(cx, cy, rx, ry, a0, a1, steps=None):
    if steps is None:
        steps = max(4, int(abs(a1 - a0) / 12))
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


XH = 0.42  # x-height line for the lower case letters

GLYPHS = {
    'T': (0.70, [[(0, 0), (0.70, 0)], [(0.35, 0), (0.35, 1)]]),
    'A': (0.78, [[(0, 1), (0.39, 0), (0.78, 1)], [(0.15, 0.64), (0.63, 0.64)]]),
    'R': (0.66, [[(0, 1), (0, 0), (0.40, 0)] + arc(0.40, 0.25, 0.25, 0.25, -90, 90)[1:]
                 + [(0, 0.5)], [(0.30, 0.5), (0.66, 1)]]),
    'N': (0.70, [[(0, 1), (0, 0), (0.70, 1), (0.70, 0)]]),
    'W': (1.00, [[(0, 0), (0.22, 1), (0.50, 0.34), (0.78, 1), (1.00, 0)]]),
    'I': (0.00, [[(0, 0), (0, 1)]]),
    'C': (0.72, [arc(0.42, 0.5, 0.42, 0.5, 318, 42, 24)]),
    'K': (0.66, [[(0, 0), (0, 1)], [(0.64, 0), (0, 0.62)], [(0.22, 0.44), (0.66, 1)]]),
    'V': (0.76, [[(0, 0), (0.38, 1), (0.76, 0)]]),
    'O': (0.84, [arc(0.42, 0.5, 0.42, 0.5, 0, 360, 30)]),
    'D': (0.70, [[(0.22, 0), (0, 0), (0, 1), (0.22, 1)],
                 arc(0.22, 0.5, 0.48, 0.5, -90, 90, 16)]),
    '2': (0.64, [arc(0.31, 0.30, 0.31, 0.30, 195, 400, 16)
                 + [(0.02, 1), (0.64, 1)]]),
    '1': (0.34, [[(0.0, 0.22), (0.30, 0), (0.30, 1)]]),
    '0': (0.60, [arc(0.30, 0.5, 0.30, 0.5, 0, 360, 28)]),
    '.': (0.00, [[(0, 1), (0, 1)]]),
    ' ': (0.30, []),
    'v': (0.54, [[(0, XH), (0.27, 1), (0.54, XH)]]),
    'o': (0.58, [arc(0.29, 0.71, 0.29, 0.29, 0, 360, 24)]),
    'd': (0.58, [arc(0.29, 0.71, 0.29, 0.29, 0, 360, 24), [(0.58, 0), (0.58, 1)]]),
    't': (0.40, [[(0.13, 0.10), (0.13, 0.86)] + arc(0.27, 0.86, 0.14, 0.14, 180, 90, 5)[1:]
                 + [(0.40, 1.0)], [(0, XH), (0.38, XH)]]),
    'u': (0.54, [[(0, XH), (0, 0.73)] + arc(0.27, 0.73, 0.27, 0.27, 180, 0, 10)[1:],
                 [(0.54, XH), (0.54, 1)]]),
    'n': (0.54, [[(0, XH), (0, 1)],
                 [(0, 0.69)] + arc(0.27, 0.69, 0.27, 0.27, 180, 360, 10)[1:] + [(0.54, 1)]]),
    'i': (0.00, [[(0, XH), (0, 1)], [(0, 0.17), (0, 0.17)]]),
    'g': (0.58, [arc(0.29, 0.71, 0.29, 0.29, 0, 360, 24),
                 [(0.58, XH), (0.58, 1.12)] + arc(0.30, 1.12, 0.28, 0.18, 0, 165, 8)[1:]]),
}


def text_segments(text, x, y, size, weight, tracking=0.18, slant=0.0):
    """Segments (pixel units) for text whose cap line starts at (x, y).

    size is the cap height in pixels (stroke centre lines), weight the stroke
    width as a fraction of size.  Returns (segments, advance in pixels)."""
    segs = []
    pen = x + weight * size / 2.0
    for ch in text:
        width, lines = GLYPHS[ch]
        for line in lines:
            pts = [(pen + (gx + (1.0 - gy) * slant) * size, y + gy * size) for gx, gy in line]
            if len(pts) == 1:
                pts = pts * 2
            for i in range(len(pts) - 1):
                segs.append((pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1]))
        pen += (width + weight + tracking) * size if ch != ' ' else width * size
    return segs, pen - x - tracking * size + weight * size / 2.0


def text_width(text, size, weight, tracking=0.18):
    return text_segments(text, 0, 0, size, weight, tracking)[1]


def text_mask(text, x, y, size, weight, w, h, tracking=0.18, slant=0.0, grow=0.0):
    segs, _ = text_segments(text, x, y, size, weight, tracking, slant)
    return stroke_mask(segs, weight * size / 2.0 + grow, w, h)


# --------------------------------------------------------------------------
# Palette quantisation
# --------------------------------------------------------------------------

BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


class Quantizer:
    def __init__(self, palette):
        self.pal = palette
        self.cache = {}

    def nearest(self, rgb):
        key = tuple(to8(v) for v in rgb)
        idx = self.cache.get(key)
        if idx is None:
            best, idx = None, 0
            for i, p in enumerate(self.pal):
                # weight green a bit more, as the eye does
                d = (2 * (p[0] - key[0]) ** 2 + 4 * (p[1] - key[1]) ** 2
                     + 3 * (p[2] - key[2]) ** 2)
                if best is None or d < best:
                    best, idx = d, i
            self.cache[key] = idx
        return idx


# --------------------------------------------------------------------------
# File writers
# --------------------------------------------------------------------------


def row_stride(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def pack_indexed_row(indices, bpp, stride):
    out = bytearray()
    if bpp == 8:
        out.extend(indices)
    elif bpp == 4:
        for i in range(0, len(indices), 2):
            hi = indices[i]
            lo = indices[i + 1] if i + 1 < len(indices) else 0
            out.append((hi << 4) | lo)
    elif bpp == 1:
        for i in range(0, len(indices), 8):
            b = 0
            for j in range(8):
                if i + j < len(indices) and indices[i + j]:
                    b |= 0x80 >> j
            out.append(b)
    else:
        raise ValueError(bpp)
    out.extend(b'\0' * (stride - len(out)))
    return bytes(out)


def info_header(w, h, bpp, image_size, colors_used, compression=0):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, compression, image_size,
                       2835, 2835, colors_used, 0)


def palette_bytes(pal, count):
    out = bytearray()
    for i in range(count):
        r, g, b = pal[i] if i < len(pal) else (0, 0, 0)
        out.extend((b, g, r, 0))
    return bytes(out)


def bmp_file(info_and_palette, pixels):
    offset = 14 + len(info_and_palette)
    size = offset + len(pixels)
    return struct.pack('<2sIHHI', b'BM', size, 0, 0, offset) + info_and_palette + pixels


def write_bmp_indexed(path, rows, pal, bpp):
    h, w = len(rows), len(rows[0])
    stride = row_stride(w, bpp)
    data = b''.join(pack_indexed_row(rows[y], bpp, stride) for y in range(h - 1, -1, -1))
    ncol = 1 << bpp
    hdr = info_header(w, h, bpp, len(data), ncol) + palette_bytes(pal, ncol)
    with open(path, 'wb') as f:
        f.write(bmp_file(hdr, data))


def write_bmp_24(path, rows):
    h, w = len(rows), len(rows[0])
    stride = row_stride(w, 24)
    data = bytearray()
    for y in range(h - 1, -1, -1):
        line = bytearray()
        for r, g, b in rows[y]:
            line.extend((b, g, r))
        line.extend(b'\0' * (stride - len(line)))
        data.extend(line)
    hdr = info_header(w, h, 24, len(data), 0)
    with open(path, 'wb') as f:
        f.write(bmp_file(hdr, bytes(data)))


def icon_image(indices, transparent, pal, bpp=4):
    """One ICO image: BITMAPINFOHEADER (height doubled), palette, XOR, AND."""
    h, w = len(indices), len(indices[0])
    xs = row_stride(w, bpp)
    ms = row_stride(w, 1)
    xor = b''.join(pack_indexed_row([0 if transparent[y][x] else indices[y][x]
                                     for x in range(w)], bpp, xs)
                   for y in range(h - 1, -1, -1))
    andm = b''.join(pack_indexed_row([1 if transparent[y][x] else 0 for x in range(w)], 1, ms)
                    for y in range(h - 1, -1, -1))
    ncol = 1 << bpp
    return info_header(w, 2 * h, bpp, len(xor) + len(andm), 0) \
        + palette_bytes(pal, ncol) + xor + andm


def write_ico(path, images):
    """images: list of (width, height, bpp, image_bytes)."""
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for w, h, bpp, data in images:
        out.extend(struct.pack('<BBBBHHII', w & 0xFF, h & 0xFF,
                               (1 << bpp) if bpp < 8 else 0, 0, 1, bpp, len(data), offset))
        offset += len(data)
    for _, _, _, data in images:
        out.extend(data)
    with open(path, 'wb') as f:
        f.write(bytes(out))


def chunk(fourcc, payload):
    pad = b'\0' if len(payload) & 1 else b''
    return fourcc + struct.pack('<I', len(payload)) + payload + pad


def riff_list(kind, fourcc, payload):
    return chunk(kind, fourcc + payload)


def write_avi(path, frames, w, h, pal, fps):
    """Classic uncompressed 8 bpp AVI (one video stream, idx1 index)."""
    stride = row_stride(w, 8)
    frame_size = stride * h
    n = len(frames)
    avih = struct.pack('<IIIIIIIIII16x',
                       1000000 // fps,          # dwMicroSecPerFrame
                       frame_size * fps,        # dwMaxBytesPerSec
                       0,                       # dwPaddingGranularity
                       0x10,                    # dwFlags = AVIF_HASINDEX
                       n,                       # dwTotalFrames
                       0,                       # dwInitialFrames
                       1,                       # dwStreams
                       frame_size,              # dwSuggestedBufferSize
                       w, h)
    strh = struct.pack('<4s4sIHHIIIIIIII4h',
                       b'vids', b'DIB ', 0, 0, 0, 0,
                       1, fps,                  # dwScale, dwRate
                       0, n,                    # dwStart, dwLength
                       frame_size,              # dwSuggestedBufferSize
                       0xFFFFFFFF,              # dwQuality (default)
                       0,                       # dwSampleSize
                       0, 0, w, h)              # rcFrame
    strf = info_header(w, h, 8, frame_size, 256) + palette_bytes(pal, 256)
    strl = riff_list(b'LIST', b'strl', chunk(b'strh', strh) + chunk(b'strf', strf))
    hdrl = riff_list(b'LIST', b'hdrl', chunk(b'avih', avih) + strl)

    movi = bytearray()
    index = bytearray()
    for rows in frames:
        data = b''.join(pack_indexed_row(rows[y], 8, stride) for y in range(h - 1, -1, -1))
        assert len(data) == frame_size
        # Offsets are relative to the 'movi' fourcc, which is 4 bytes before.
        index.extend(struct.pack('<4sIII', b'00db', 0x10, len(movi) + 4, len(data)))
        movi.extend(chunk(b'00db', data))
    body = b'AVI ' + hdrl + riff_list(b'LIST', b'movi', bytes(movi)) + chunk(b'idx1', bytes(index))
    with open(path, 'wb') as f:
        f.write(b'RIFF' + struct.pack('<I', len(body)) + body)


# --------------------------------------------------------------------------
# Splash (317 x 199, 16 colours)
# --------------------------------------------------------------------------

SPLASH_PAL = [
    (0, 0, 0),        # 0 black
    (4, 6, 30),       # 1 night
    (8, 14, 52),      # 2
    (12, 24, 78),     # 3
    (18, 38, 108),    # 4
    (26, 56, 140),    # 5
    (40, 82, 172),    # 6
    (70, 122, 206),   # 7
    (130, 178, 236),  # 8 pale blue
    (255, 255, 255),  # 9 white
    (196, 208, 228),  # 10 silver
    (96, 104, 136),   # 11 slate
    (250, 190, 40),   # 12 amber
    (170, 104, 8),    # 13 dark amber
    (70, 214, 236),   # 14 cyan
    (10, 12, 26),     # 15 band
]

# The progress bar (257 x 10 at 30,176) is drawn over this strip at run time.
SPLASH_BAND = (30, 170, 287, 192)   # inclusive, must stay a single flat colour
SPLASH_BAND_COLOR = 15


def make_splash():
    W, H = 317, 199
    cv = Canvas(W, H)
    horizon = 112.0

    # Sky: dark at the top, a little lighter towards the horizon.
    def sky(x, y):
        t = y / horizon
        t = t * t
        glow = max(0.0, 1.0 - abs(x - W / 2) / (W * 0.7))
        base = lerp((5, 8, 34), (34, 72, 160), t * (0.55 + 0.45 * glow))
        return base
    # Floor: dark again towards the viewer.
    def floor(x, y):
        t = (y - horizon) / (H - horizon)
        return lerp((30, 64, 150), (6, 10, 38), math.sqrt(t))
    for y in range(H):
        for x in range(W):
            cv.px[y][x] = list(sky(x, y) if y < horizon else floor(x, y))

    # Perspective grid on the floor.
    segs_near = []
    vx = W / 2
    for i in range(-14, 15):
        bx = vx + i * 34.0
        segs_near.append((vx + i * 3.0, horizon, bx, H + 10))
    grid = stroke_mask(segs_near, 0.45, W, H)
    for k in range(2, 12):
        # rows bunch up towards the horizon
        y = horizon + (H - horizon) * (0.12 * k * k) / 6.0
        if y >= H:
            break
        grid = stroke_mask([(0, y, W, y)], 0.45, W, H, grid)
    for (x, y), c in sorted(grid.items()):
        if y <= horizon:
            continue
        fade = min(1.0, (y - horizon) / 34.0) ** 1.5
        cv.blend(x, y, (60, 190, 230), c * fade * 0.85)
    # Horizon line
    hl = stroke_mask([(0, horizon, W, horizon)], 0.5, W, H)
    for (x, y), c in sorted(hl.items()):
        cv.blend(x, y, (120, 220, 245), c)

    # A few stars
    rng = 12345
    for _ in range(40):
        rng = (rng * 1103515245 + 12345) & 0x7FFFFFFF
        sx = rng % W
        rng = (rng * 1103515245 + 12345) & 0x7FFFFFFF
        sy = rng % int(horizon - 8)
        rng = (rng * 1103515245 + 12345) & 0x7FFFFFFF
        bright = 0.35 + (rng % 100) / 160.0
        cv.blend(sx, sy, (200, 215, 255), bright)

    # Title
    size, weight, track, slant = 36.0, 0.20, 0.16, 0.12
    tw = text_width('TARNWICK', size, weight, track) + slant * size
    tx = (W - tw) / 2.0
    ty = 34.0
    shadow = text_mask('TARNWICK', tx + 3, ty + 3, size, weight, W, H, track, slant, 1.2)
    cv.apply_mask(shadow, (2, 4, 16), gain=1.0)
    outline = text_mask('TARNWICK', tx, ty, size, weight, W, H, track, slant, 1.6)
    cv.apply_mask(outline, (14, 30, 90))
    face = text_mask('TARNWICK', tx, ty, size, weight, W, H, track, slant)

    def face_col(x, y):
        t = (y - (ty - 4)) / (size + 8)
        t = max(0.0, min(1.0, t))
        if t < 0.5:
            return lerp((255, 255, 255), (200, 220, 245), t * 2)
        return lerp((150, 190, 240), (90, 140, 220), (t - 0.5) * 2)
    cv.apply_mask(face, face_col)
    # Lettering is quantised without dithering so the edges stay crisp.
    crisp = set(k for k, c in outline.items() if c >= 0.5)

    # Amber rule under the title, and the version tag.
    rule_y = ty + size + 10
    rule = stroke_mask([(tx + 8, rule_y, tx + tw - 70, rule_y)], 1.0, W, H)
    cv.apply_mask(rule, (250, 190, 40))
    vsize = 13.0
    vw = text_width('v1.0', vsize, 0.22, 0.2)
    vm = text_mask('v1.0', tx + tw - vw - 6, rule_y - vsize * 0.5 - 1, vsize, 0.22, W, H, 0.2)
    cv.apply_mask(vm, (250, 190, 40))
    crisp.update(k for k, c in vm.items() if c >= 0.3)
    crisp.update(k for k, c in rule.items() if c >= 0.3)

    # Quantise with ordered dithering (only on the smooth background parts).
    q = Quantizer(SPLASH_PAL)
    rows = []
    for y in range(H):
        row = []
        for x in range(W):
            p = cv.px[y][x]
            d = (BAYER4[y & 3][x & 3] + 0.5) / 16.0 - 0.5
            amp = 0.0 if (x, y) in crisp else 22.0
            row.append(q.nearest((p[0] + d * amp, p[1] + d * amp, p[2] + d * amp)))
        rows.append(row)

    # Plain band for the progress bar with a thin frame around it.
    bx0, by0, bx1, by1 = SPLASH_BAND
    for y in range(by0 - 2, by1 + 3):
        for x in range(bx0 - 2, bx1 + 3):
            edge = y in (by0 - 2, by1 + 2) or x in (bx0 - 2, bx1 + 2)
            rows[y][x] = 6 if edge else SPLASH_BAND_COLOR
    return rows


# --------------------------------------------------------------------------
# Banner (288 x 112, 24 bpp, magenta transparent)
# --------------------------------------------------------------------------


def draw_card(cv, x0, y0, w, h):
    """A stylised add-in card: board, bracket, chips, edge connector."""
    W, H = cv.w, cv.h
    # Bracket on the left
    cv.paint(rounded_rect_fn(x0 - 6, y0 - 6, x0 + 1, y0 + h + 4, 1.5), (170, 178, 196),
             (x0 - 7, y0 - 7, x0 + 2, y0 + h + 5))
    # Board
    cv.paint(rounded_rect_fn(x0, y0, x0 + w, y0 + h - 6, 3), (16, 92, 70),
             (x0 - 1, y0 - 1, x0 + w + 1, y0 + h - 5))
    for t in range(5):
        # traces
        yy = y0 + 6 + t * 5.0
        tr = stroke_mask([(x0 + 4, yy, x0 + 14 + t * 3, yy),
                          (x0 + 14 + t * 3, yy, x0 + 20 + t * 3, yy + 5)], 0.45, W, H)
        cv.apply_mask(tr, (70, 170, 120))
    # Edge connector fingers
    fy = y0 + h - 6
    cv.paint(lambda fx, fy2: x0 + 12 <= fx <= x0 + w - 8 and fy <= fy2 <= fy + 5,
             (20, 80, 60), (x0 + 11, fy - 1, x0 + w - 7, fy + 6))
    fx = x0 + 13
    while fx + 2 <= x0 + w - 9:
        cv.rect(int(fx), int(fy), int(fx) + 2, int(fy) + 5, (232, 184, 60))
        fx += 3
    # Two processor packages with heat-spreader look
    for i, cx in enumerate((x0 + w * 0.42, x0 + w * 0.74)):
        s = 15
        cy = y0 + (h - 6) / 2.0 - 1
        cv.paint(rounded_rect_fn(cx - s / 2, cy - s / 2, cx + s / 2, cy + s / 2, 1.5),
                 (28, 30, 38), (cx - s, cy - s, cx + s, cy + s))
        cv.paint(rounded_rect_fn(cx - s / 2 + 2.5, cy - s / 2 + 2.5,
                                 cx + s / 2 - 2.5, cy + s / 2 - 2.5, 1),
                 (150, 160, 176), (cx - s, cy - s, cx + s, cy + s))
        for k in range(-1, 2):
            ln = stroke_mask([(cx - 4, cy + k * 3, cx + 4, cy + k * 3)], 0.5, W, H)
            cv.apply_mask(ln, (96, 104, 120))
    # Memory chips along the top edge
    for k in range(4):
        mx = x0 + w * 0.30 + k * 11
        cv.rect(int(mx), y0 + 3, int(mx) + 8, y0 + 7, (30, 32, 40))


def make_banner():
    W, H = 288, 112
    cv = Canvas(W, H, MAGENTA, opaque=False)

    # Panel
    def panel_col(x, y):
        t = y / H
        return lerp((20, 40, 104), (6, 10, 40), t)
    cv.paint(rounded_rect_fn(1, 1, W - 1, H - 1, 14), panel_col, (0, 0, W, H), ss=3)
    # Light rim just inside the edge (drawn only over the panel)
    rim = {}
    inner = rounded_rect_fn(3, 3, W - 3, H - 3, 12)
    outer = rounded_rect_fn(1, 1, W - 1, H - 1, 14)
    for y in range(H):
        for x in range(W):
            if not cv.op[y][x]:
                continue
            hit = 0
            for oy in (0.25, 0.75):
                for ox in (0.25, 0.75):
                    if outer(x + ox, y + oy) and not inner(x + ox, y + oy):
                        hit += 1
            if hit:
                rim[(x, y)] = hit / 4.0
    cv.apply_mask(rim, lambda x, y: lerp((110, 160, 230), (40, 70, 150), y / H))

    # Diagonal speed stripes on the right end
    for k in range(4):
        off = k * 9
        pts = [(W - 60 + off, H - 2), (W - 46 + off, H - 2), (W - 16 + off, 2), (W - 30 + off, 2)]
        shade = 0.10 + 0.05 * k
        col = lerp((20, 40, 104), (90, 140, 230), shade * 2)

        def inside(fx, fy, f=polygon_fn(pts)):
            return f(fx, fy) and outer(fx, fy)
        cv.paint(lambda fx, fy, f=inside: f(fx, fy) and inner(fx, fy), col, bbox_of(pts), ss=3)

    # Title
    size, weight, track, slant = 30.0, 0.20, 0.15, 0.12
    tw = text_width('TARNWICK', size, weight, track) + slant * size
    tx = (W - tw) / 2.0 - 4
    ty = 14.0
    sh = text_mask('TARNWICK', tx + 2, ty + 2, size, weight, W, H, track, slant, 1.0)
    cv.apply_mask(sh, (2, 4, 16))
    ol = text_mask('TARNWICK', tx, ty, size, weight, W, H, track, slant, 1.3)
    cv.apply_mask(ol, (10, 22, 70))
    face = text_mask('TARNWICK', tx, ty, size, weight, W, H, track, slant)

    def face_col(x, y):
        t = max(0.0, min(1.0, (y - ty + 3) / (size + 6)))
        if t < 0.5:
            return lerp((255, 255, 255), (205, 224, 248), t * 2)
        return lerp((160, 196, 244), (96, 146, 226), (t - 0.5) * 2)
    cv.apply_mask(face, face_col)

    # Amber rule
    ry = ty + size + 9
    rl = stroke_mask([(18, ry, W - 30, ry)], 0.9, W, H)
    cv.apply_mask(rl, lambda x, y: lerp((250, 196, 50), (120, 80, 20), max(0.0, (x - 120) / 160)))

    # Card drawing bottom-left, subtitle bottom-right
    draw_card(cv, 20, 66, 64, 34)
    ssize, sweight = 14.0, 0.17
    sx = W - 22 - text_width('Voodoo2 tuning', ssize, sweight, 0.16)
    sm = text_mask('Voodoo2 tuning', sx, 72, ssize, sweight, W, H, 0.16)
    cv.apply_mask(sm, (2, 4, 16), dx=1, dy=1)
    cv.apply_mask(sm, (250, 196, 56))
    return cv.rgb_rows()


# --------------------------------------------------------------------------
# 32 x 32 glyphs
# --------------------------------------------------------------------------


def make_hdd():
    cv = Canvas(32, 32, MAGENTA, opaque=False)
    W = H = 32
    # Casing
    cv.paint(rounded_rect_fn(3, 2, 29, 30, 3), lambda x, y: lerp((190, 196, 208), (120, 126, 140), y / 32),
             (2, 1, 30, 31))
    edge = {}
    inner = rounded_rect_fn(4, 3, 28, 29, 2.2)
    for y in range(32):
        for x in range(32):
            if cv.op[y][x] and not inner(x + 0.5, y + 0.5):
                edge[(x, y)] = 1.0
    cv.apply_mask(edge, (60, 64, 76))
    # Platter
    cv.paint(ellipse_fn(15.5, 14.0, 10.0, 10.0), (70, 76, 92), (4, 3, 27, 26))
    cv.paint(ellipse_fn(15.5, 14.0, 9.0, 9.0),
             lambda x, y: lerp((236, 240, 250), (150, 160, 186), ((x - 6) + (y - 4)) / 38.0),
             (5, 4, 26, 25))
    # faint data tracks
    for rr in (4.6, 6.8):
        pts = arc(15.5, 14.0, rr, rr, 190, 340, 12)
        segs = [(pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1]) for i in range(len(pts) - 1)]
        cv.apply_mask(stroke_mask(segs, 0.25, W, H), (255, 255, 255), gain=0.6)
    # Spindle
    cv.paint(ellipse_fn(15.5, 14.0, 2.6, 2.6), (90, 96, 112), (12, 10, 20, 18))
    cv.paint(ellipse_fn(15.5, 14.0, 1.1, 1.1), (220, 224, 232), (13, 12, 18, 16))
    # Actuator: pivot in the lower right corner, head resting on the platter
    px_, py_ = 24.0, 23.5
    cv.apply_mask(stroke_mask([(px_, py_, 21.0, 12.5)], 1.0, W, H), (52, 56, 70))
    cv.apply_mask(stroke_mask([(21.0, 12.5, 20.2, 10.2)], 0.6, W, H), (40, 44, 56))
    cv.apply_mask(stroke_mask([(px_, py_, px_, py_)], 2.6, W, H), (52, 56, 70))
    cv.apply_mask(stroke_mask([(px_, py_, px_, py_)], 1.0, W, H), (176, 182, 196))
    # Activity LED and screws
    cv.paint(ellipse_fn(7.0, 26.5, 1.8, 1.5), (40, 230, 60), (4, 24, 10, 29))
    for sx, sy in ((6, 5), (26, 5), (12, 27)):
        cv.apply_mask(stroke_mask([(sx + 0.5, sy + 0.5, sx + 0.5, sy + 0.5)], 0.7, W, H),
                      (80, 84, 96))
    return cv.rgb_rows()


def make_chip():
    cv = Canvas(32, 32, MAGENTA, opaque=False)
    W = H = 32
    # Pins: 7 per side on a DIP package standing upright
    for k in range(7):
        py = 5 + k * 3.4
        for x0, x1 in ((3, 9), (23, 29)):
            cv.paint(lambda fx, fy, a=x0, b=x1, c=py: a <= fx <= b and c <= fy <= c + 2.0,
                     lambda x, y: (200, 204, 214) if y % 2 == 0 else (160, 166, 180),
                     (x0 - 1, py - 1, x1 + 1, py + 3))
    # Body
    cv.paint(rounded_rect_fn(7, 2, 25, 30, 1.5),
             lambda x, y: lerp((58, 60, 72), (22, 22, 30), (x - 7) / 18.0), (6, 1, 26, 31))
    # Bevelled top face
    cv.paint(rounded_rect_fn(8.5, 3.5, 23.5, 28.5, 1),
             lambda x, y: lerp((46, 48, 58), (30, 30, 38), (y - 3) / 26.0), (8, 3, 24, 29))
    # Notch and pin-1 dot
    notch = ellipse_fn(16, 2.0, 2.8, 2.8)
    cv.paint(lambda fx, fy: fy >= 2.0 and notch(fx, fy), (14, 14, 20), (12, 1, 20, 7))
    cv.paint(ellipse_fn(11.5, 7.5, 1.2, 1.2), (120, 124, 140), (9, 5, 14, 10))
    # Label: a little amber "RAM" bar and grey lines
    cv.paint(rounded_rect_fn(10.5, 12, 21.5, 18, 1), (230, 170, 40), (10, 11, 22, 19))
    for yy in (14.0, 16.0):
        cv.apply_mask(stroke_mask([(12.5, yy, 19.5, yy)], 0.35, W, H), (120, 80, 10))
    for yy in (21.5, 24.5):
        cv.apply_mask(stroke_mask([(11.5, yy, 20.5, yy)], 0.45, W, H), (100, 104, 118))
    return cv.rgb_rows()


# --------------------------------------------------------------------------
# Application icon
# --------------------------------------------------------------------------

ICON_PAL = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# The standard 16 colours: the icon then looks the same in 16-colour modes.


def icon_pixels(n):
    """Emblem: a slanted T over a blue tile with an amber corner flash."""
    cv = Canvas(n, n, MAGENTA, opaque=False)
    s = n / 32.0
    r = 5 * s
    tile = rounded_rect_fn(1 * s, 1 * s, 31 * s, 31 * s, r)
    cv.paint(tile, (0, 0, 128), (0, 0, n, n), ss=1)
    # lighter top-left half
    cv.paint(lambda fx, fy: tile(fx, fy) and fx + fy < 30 * s, (0, 0, 255), (0, 0, n, n), ss=1)
    # amber stripe across the bottom-right corner
    lo, hi = (43, 49) if n >= 32 else (50, 56)
    cv.paint(lambda fx, fy: tile(fx, fy) and lo * s < fx + fy < hi * s, (255, 255, 0),
             (0, 0, n, n), ss=1)
    # the T with a black shadow
    if n >= 32:
        bar = [(7, 8.5, 25, 8.5)]
        stem = [(16, 8.5, 14, 25)]
        rad = 2.8
    else:
        bar = [(6.5, 8, 25.5, 8)]
        stem = [(16, 8, 16, 25)]
        rad = 3.8
    segs = [tuple(v * s for v in sg) for sg in bar + stem]
    off = max(1.0, 2 * s)
    shadow = stroke_mask([(a + off, b + off, c + off, d + off) for a, b, c, d in segs],
                         rad * s, n, n)
    cv.apply_mask(hard(shadow), (0, 0, 0))
    cv.apply_mask(hard(stroke_mask(segs, rad * s, n, n)), (255, 255, 255))
    q = Quantizer(ICON_PAL)
    idx = [[q.nearest(cv.px[y][x]) for x in range(n)] for y in range(n)]
    transparent = [[not cv.op[y][x] for x in range(n)] for y in range(n)]
    return idx, transparent


# --------------------------------------------------------------------------
# Logo clip (100 x 70, 8 bpp)
# --------------------------------------------------------------------------

AVI_W, AVI_H, AVI_FPS, AVI_FRAMES = 100, 70, 12, 30


def avi_palette():
    """0 = black, then ramps from black to each colour the clip uses and
    from those colours up to white, so blending on black stays exact."""
    pal = [(0, 0, 0)]
    cyan, amber, blue = (60, 200, 240), (250, 180, 40), (40, 80, 200)
    for c in (cyan, amber, blue):
        for k in range(1, 49):
            pal.append(tuple(to8(v * k / 48.0) for v in c))
    for c in (cyan, amber):
        for k in range(1, 25):
            pal.append(tuple(to8(v) for v in lerp(c, (255, 255, 255), k / 24.0)))
    while len(pal) < 256:
        pal.append((0, 0, 0))
    return pal


def make_avi_frames():
    W, H = AVI_W, AVI_H
    pal = avi_palette()
    q = Quantizer(pal)
    frames = []
    # Static text mask computed once.
    size, weight, track = 11.0, 0.21, 0.17
    tw = text_width('TARNWICK', size, weight, track)
    tx = (W - tw) / 2.0
    ty = 52.0
    tmask = text_mask('TARNWICK', tx, ty, size, weight, W, H, track)
    n_sq, slots_per_loop = 12, 3
    for f in range(AVI_FRAMES):
        cv = Canvas(W, H, (0, 0, 0))
        phase = f / AVI_FRAMES
        # Ring of squares seen at an angle: it turns by a whole number of
        # slots per loop, so the clip repeats seamlessly.
        cx, cy, rx, ry = 50.0, 25.0, 34.0, 12.0
        items = []
        for k in range(n_sq):
            a = 2 * math.pi * (k + phase * slots_per_loop) / n_sq
            depth = (math.sin(a) + 1) / 2      # 1 = near the viewer
            items.append((depth, cx + rx * math.cos(a), cy + ry * math.sin(a) - 2))
        items.sort()
        # far half first, then the emblem, then the near half
        def draw_sq(depth, x, y):
            half = 2.0 + 2.6 * depth
            bright = 0.28 + 0.72 * depth
            pts = [(x, y - half), (x + half, y), (x, y + half), (x - half, y)]
            cv.paint(polygon_fn(pts), tuple(v * bright for v in (60, 200, 240)),
                     bbox_of(pts), ss=3)
        for depth, x, y in items:
            if depth < 0.5:
                draw_sq(depth, x, y)
        # Emblem in the middle: a pulsing blue diamond with a T
        pulse = 0.75 + 0.25 * math.cos(2 * math.pi * phase)
        dia = [(cx, cy - 13), (cx + 13, cy), (cx, cy + 13), (cx - 13, cy)]
        cv.paint(polygon_fn(dia), tuple(v * pulse for v in (40, 80, 200)), bbox_of(dia), ss=3)
        t = stroke_mask([(cx - 6, cy - 4.5, cx + 6, cy - 4.5), (cx, cy - 4.5, cx, cy + 7)],
                        1.6, W, H)
        cv.apply_mask(t, (250, 180, 40))
        for depth, x, y in items:
            if depth >= 0.5:
                draw_sq(depth, x, y)
        # Name with a highlight sweeping across once per loop.
        sweep = -20 + (W + 40) * phase

        def name_col(x, y):
            d = abs(x - sweep - (y - ty) * 0.5)
            g = max(0.0, 1.0 - d / 14.0)
            return lerp((250, 180, 40), (255, 255, 255), g * g * 0.9)
        cv.apply_mask(tmask, name_col)
        rows = [[q.nearest(cv.px[y][x]) for x in range(W)] for y in range(H)]
        frames.append(rows)
    return frames, pal


# --------------------------------------------------------------------------
# Self-check: read the files back and validate their structure.
# --------------------------------------------------------------------------


def check_bmp(path, w, h, bpp):
    data = open(path, 'rb').read()
    assert data[:2] == b'BM', path
    size, off = struct.unpack_from('<I4xI', data, 2)
    assert size == len(data), (path, size, len(data))
    hs, bw, bh, planes, bb, comp, isz = struct.unpack_from('<IiiHHII', data, 14)
    assert (hs, bw, bh, planes, bb, comp) == (40, w, h, 1, bpp, 0), (path, bw, bh, bb, comp)
    ncol = (1 << bpp) if bpp <= 8 else 0
    assert off == 14 + 40 + 4 * ncol, path
    assert isz == row_stride(w, bpp) * h == len(data) - off, path
    return data, off


def bmp_pixel24(data, off, w, h, x, y):
    stride = row_stride(w, 24)
    p = off + (h - 1 - y) * stride + 3 * x
    b, g, r = data[p:p + 3]
    return (r, g, b)


def self_check(out):
    # splash
    data, off = check_bmp(os.path.join(out, 'splash.bmp'), 317, 199, 4)
    stride = row_stride(317, 4)
    bx0, by0, bx1, by1 = SPLASH_BAND
    for y in range(by0, by1 + 1):
        row = off + (198 - y) * stride
        for x in range(bx0, bx1 + 1):
            b = data[row + x // 2]
            v = (b >> 4) if x % 2 == 0 else (b & 15)
            assert v == SPLASH_BAND_COLOR, ('splash band not plain', x, y)
    # masked 24 bpp bitmaps: corners transparent, but a real picture inside
    for name, w, h in (('banner.bmp', 288, 112), ('hdd.bmp', 32, 32), ('chip.bmp', 32, 32)):
        data, off = check_bmp(os.path.join(out, name), w, h, 24)
        for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
            assert bmp_pixel24(data, off, w, h, x, y) == MAGENTA, (name, x, y)
        solid = sum(1 for y in range(h) for x in range(w)
                    if bmp_pixel24(data, off, w, h, x, y) != MAGENTA)
        assert solid > w * h // 3, (name, solid)
    # icon
    data = open(os.path.join(out, 'tarnwick.ico'), 'rb').read()
    res, typ, cnt = struct.unpack_from('<HHH', data, 0)
    assert (res, typ, cnt) == (0, 1, 2)
    end = 6 + 16 * cnt
    for i in range(cnt):
        w, h, cc, _, planes, bpp, nbytes, ofs = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        assert (w, h) == ((32, 32), (16, 16))[i] and bpp == 4 and cc == 16 and planes == 1
        assert ofs == end, 'icon images must be contiguous'
        hs, bw, bh, pl, bb, comp = struct.unpack_from('<IiiHHI', data, ofs)
        assert (hs, bw, bh, pl, bb, comp) == (40, w, 2 * h, 1, 4, 0)
        xor_size, ms = row_stride(w, 4) * h, row_stride(w, 1)
        expect = 40 + 64 + xor_size + ms * h
        assert nbytes == expect, (nbytes, expect)
        # AND mask is bottom-up too: the last row is the top of the icon.
        # Rounded tile: corners transparent, centre opaque.
        and_top = ofs + 40 + 64 + xor_size + (h - 1) * ms
        assert data[and_top] & 0x80, 'icon corner should be transparent'
        mid = ofs + 40 + 64 + xor_size + (h // 2) * ms + (w // 2) // 8
        assert not data[mid] & (0x80 >> ((w // 2) % 8)), 'icon centre should be opaque'
        end = ofs + nbytes
    assert end == len(data)
    # clip
    data = open(os.path.join(out, 'logo.avi'), 'rb').read()
    assert data[:4] == b'RIFF' and data[8:12] == b'AVI '
    assert struct.unpack_from('<I', data, 4)[0] == len(data) - 8
    top = parse_chunks(data, 12, len(data))
    kinds = [(c, t) for c, t, _, _ in top]
    assert kinds == [(b'LIST', b'hdrl'), (b'LIST', b'movi'), (b'idx1', None)], kinds
    hdrl, movi, idx1 = top
    hd = parse_chunks(data, hdrl[2] + 4, hdrl[2] + hdrl[3])
    assert hd[0][0] == b'avih' and hd[1][:2] == (b'LIST', b'strl')
    avih = struct.unpack_from('<10I', data, hd[0][2])
    frame_size = row_stride(AVI_W, 8) * AVI_H
    assert avih[3] & 0x10 and avih[4] == AVI_FRAMES and avih[6] == 1
    assert avih[7] == frame_size and avih[8:10] == (AVI_W, AVI_H)
    sl = parse_chunks(data, hd[1][2] + 4, hd[1][2] + hd[1][3])
    assert [c for c, _, _, _ in sl] == [b'strh', b'strf']
    fcc, hnd = struct.unpack_from('<4s4s', data, sl[0][2])
    scale, rate, start, length = struct.unpack_from('<4I', data, sl[0][2] + 20)
    assert (fcc, hnd, scale, rate, start, length) == (b'vids', b'DIB ', 1, AVI_FPS, 0, AVI_FRAMES)
    bi = struct.unpack_from('<IiiHHII', data, sl[1][2])
    assert bi == (40, AVI_W, AVI_H, 1, 8, 0, frame_size)
    assert sl[1][3] == 40 + 1024
    pal0 = data[sl[1][2] + 40:sl[1][2] + 44]
    assert pal0 == b'\0\0\0\0', 'palette index 0 must be black'
    movi_base = movi[2]          # offset of the 'movi' fourcc
    frames = parse_chunks(data, movi_base + 4, movi_base + movi[3])
    assert len(frames) == AVI_FRAMES
    assert all(c == b'00db' and n == frame_size for c, _, _, n in frames)
    assert idx1[3] == 16 * AVI_FRAMES
    for i in range(AVI_FRAMES):
        ck, flags, ofs, n = struct.unpack_from('<4sIII', data, idx1[2] + 16 * i)
        assert ck == b'00db' and flags == 0x10 and n == frame_size
        assert data[movi_base + ofs:movi_base + ofs + 4] == b'00db'
        assert movi_base + ofs + 8 == frames[i][2]
    assert len(data) < 300 * 1024


def parse_chunks(data, start, end):
    """List of (fourcc, list type or None, payload offset, payload size)."""
    out = []
    p = start
    while p < end:
        ck = data[p:p + 4]
        n = struct.unpack_from('<I', data, p + 4)[0]
        typ = data[p + 8:p + 12] if ck in (b'LIST', b'RIFF') else None
        out.append((ck, typ, p + 8, n))
        p += 8 + n + (n & 1)
    assert p == end, 'chunk sizes do not add up'
    return out


# --------------------------------------------------------------------------


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'resources', 'art')
    os.makedirs(out, exist_ok=True)

    write_bmp_indexed(os.path.join(out, 'splash.bmp'), make_splash(), SPLASH_PAL, 4)
    write_bmp_24(os.path.join(out, 'banner.bmp'), make_banner())
    write_bmp_24(os.path.join(out, 'hdd.bmp'), make_hdd())
    write_bmp_24(os.path.join(out, 'chip.bmp'), make_chip())

    images = []
    for n in (32, 16):
        idx, tr = icon_pixels(n)
        images.append((n, n, 4, icon_image(idx, tr, ICON_PAL, 4)))
    write_ico(os.path.join(out, 'tarnwick.ico'), images)

    frames, pal = make_avi_frames()
    write_avi(os.path.join(out, 'logo.avi'), frames, AVI_W, AVI_H, pal, AVI_FPS)

    self_check(out)
    for name in ('splash.bmp', 'banner.bmp', 'hdd.bmp', 'chip.bmp', 'tarnwick.ico', 'logo.avi'):
        print('%-14s %7d bytes' % (name, os.path.getsize(os.path.join(out, name))))


if __name__ == '__main__':
    main()
