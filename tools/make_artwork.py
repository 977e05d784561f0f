#!/usr/bin/env python3
"""Generate Tarnwick's bitmap resources.

Writes into resources/art/ (relative to the repository root):

    splash.bmp    317 x 199, 4 bpp   start-up splash (progress bar strip kept plain)
    banner.bmp    288 x 112, 8 bpp   information banner, magenta = transparent
    hdd.bmp        32 x 32,  8 bpp   hard disk glyph, magenta = transparent
    chip.bmp       32 x 32,  8 bpp   memory chip glyph, magenta = transparent
    tarnwick.ico  32x32 + 16x16, 4 bpp application icon
    logo.avi      100 x 70, 8 bpp uncompressed clip for the animation control

Standard library only and fully deterministic: running it twice produces
byte-identical files, so the outputs are committed and the build never needs
Python.  Everything is drawn from scratch here (a small stroke font, simple
shapes), there are no input files.

The bitmaps are stored run-length encoded (BI_RLE4 / BI_RLE8) whenever that is
smaller than the plain rows; they go into the exe as resources and are loaded
with LoadBitmap / LoadImage into device-dependent bitmaps, which read RLE.
(CreateDIBSection does not: never load them with LR_CREATEDIBSECTION.)
The masked pictures are drawn in full colour and stored with an 8-bit palette:
the glyphs keep every colour they have; the banner has more than 256, so it
keeps the 255 that fit it best (see masked_palette), and magenta keeps an entry
of its own that only transparent pixels use, so the run-time mask is unchanged.
Every file is read back and decoded after writing and must give exactly the
pixels that were drawn.

Usage:  python3 tools/make_artwork.py [output-dir]
        python3 tools/make_artwork.py --verify   (regenerate into a temporary
            folder and compare with resources/art/ byte for byte)
"""

import math
import os
import struct
import sys
import tempfile

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
                d = colour_distance(p, key)
                if best is None or d < best:
                    best, idx = d, i
            self.cache[key] = idx
        return idx


def colour_distance(a, b):
    """Squared RGB distance, green weighted most and red least, as the eye does."""
    return 2 * (a[0] - b[0]) ** 2 + 4 * (a[1] - b[1]) ** 2 + 3 * (a[2] - b[2]) ** 2


# --------------------------------------------------------------------------
# 8-bit palettes for the masked pictures.  Integer arithmetic and sorted
# inputs only, so the palette comes out the same on every machine.
# --------------------------------------------------------------------------


def masked_palette(rows, key=MAGENTA, size=256):
    """(palette, index rows) for a picture whose key-coloured pixels are transparent.

    The key colour is entry 0 and only key pixels use it; no other entry equals
    it, so a mask made from it at run time covers exactly the same pixels.  A
    picture with fewer than `size` colours keeps all of them.  A richer one gets
    the size - 1 colours that fit it best by pixel count (reduce_colours), each
    pixel taking its nearest."""
    hist = {}
    for row in rows:
        for c in row:
            if c != key:
                hist[c] = hist.get(c, 0) + 1
    if len(hist) < size:
        colours = sorted(hist)
    else:
        colours = sorted(set(reduce_colours(hist, size - 1)))
    assert key not in colours
    pal = [key] + colours
    index = {key: 0}
    for c in sorted(hist):
        index[c] = 1 + nearest_index(c, colours)
    return pal, [[index[c] for c in row] for row in rows]


def nearest_index(c, colours):
    best, idx = None, 0
    for i, p in enumerate(colours):
        d = colour_distance(c, p)
        if best is None or d < best:
            best, idx = d, i
    return idx


def reduce_colours(hist, n):
    """n colours for a histogram {rgb: pixel count}: a median cut by pixel
    count gives the start, k-means (Lloyd) rounds move each colour to the
    mean of the pixels nearest to it until nothing moves (the banner settles
    in 9 rounds; 32 is only a bound)."""
    weights = (2, 4, 3)     # as in colour_distance

    def widest_channel(box):
        """(weighted spread, channel) of the channel along which box is widest."""
        spread = [(max(c[ch] for c, _ in box) - min(c[ch] for c, _ in box)) ** 2 * weights[ch]
                  for ch in range(3)]
        ch = max(range(3), key=lambda k: (spread[k], -k))
        return spread[ch], ch

    # split the box with the most pixels times spread, at its weighted median
    boxes = [sorted(hist.items())]
    while len(boxes) < n:
        scores = [(widest_channel(b)[0] * sum(w for _, w in b), -i)
                  for i, b in enumerate(boxes) if len(b) > 1]
        if not scores:
            break
        i = -max(scores)[1]
        ch = widest_channel(boxes[i])[1]
        box = sorted(boxes[i], key=lambda cw: (cw[0][ch], cw[0]))
        total, acc, cut = sum(w for _, w in box), 0, 1
        for j, (_, w) in enumerate(box):
            acc += w
            if 2 * acc >= total:
                cut = j + 1
                break
        cut = max(1, min(len(box) - 1, cut))
        boxes[i:i + 1] = [box[:cut], box[cut:]]
    pal = [weighted_mean(b) for b in boxes]

    # An entry left with no pixels, or landing on another entry, is spent
    # again on the colour that the palette fits worst.
    items = sorted(hist.items())
    for _ in range(32):
        members = [[] for _ in pal]
        misfit = []
        for c, w in items:
            i = nearest_index(c, pal)
            members[i].append((c, w))
            misfit.append((w * colour_distance(c, pal[i]), c))
        moved = [weighted_mean(m) if m else p for m, p in zip(members, pal)]
        misfit.sort(reverse=True)
        taken = set()
        for i, (m, p) in enumerate(zip(members, moved)):
            if not m or p in taken:
                while misfit and misfit[0][1] in taken | set(moved):
                    misfit.pop(0)
                if misfit:
                    moved[i] = misfit.pop(0)[1]
            taken.add(moved[i])
        if moved == pal:
            break
        pal = moved
    return pal


def weighted_mean(colour_counts):
    total = sum(w for _, w in colour_counts)
    return tuple((sum(c[ch] * w for c, w in colour_counts) + total // 2) // total
                 for ch in range(3))


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


BI_RGB, BI_RLE8, BI_RLE4 = 0, 1, 2
RLE_FOR_BPP = {8: BI_RLE8, 4: BI_RLE4}


def write_bmp_indexed(path, rows, pal, bpp):
    """Palette bitmap, run-length encoded when that is smaller.  Returns the
    compression used."""
    h, w = len(rows), len(rows[0])
    stride = row_stride(w, bpp)
    data = b''.join(pack_indexed_row(rows[y], bpp, stride) for y in range(h - 1, -1, -1))
    compression = BI_RGB
    if bpp in RLE_FOR_BPP:
        rle = rle_encode(rows, bpp)
        if len(rle) < len(data):
            data, compression = rle, RLE_FOR_BPP[bpp]
    hdr = info_header(w, h, bpp, len(data), len(pal), compression) + palette_bytes(pal, len(pal))
    with open(path, 'wb') as f:
        f.write(bmp_file(hdr, data))
    return compression


# Run-length encoding of palette bitmaps, as GDI reads it.  Rows are stored
# bottom-up; within a row the codes are
#   n c          encoded run: n pixels (1..255) of index c; at 4 bpp c holds
#                two indices that alternate (high nibble first)
#   00 n ...     absolute run: n literal pixels (3..255), padded with a zero
#                byte to an even length so every code starts on a word
#   00 00        end of line        00 01  end of bitmap
#   (00 02 dx dy, a jump, would leave pixels undefined: never written)
# Every row is coded in full and closed by end of line, the last one by end
# of bitmap instead.


def rle_encode(rows, bpp):
    """BI_RLE8 (bpp 8) or BI_RLE4 (bpp 4) data of index rows given top row first."""
    out = bytearray()
    for y in range(len(rows) - 1, -1, -1):
        out += rle_row(rows[y], bpp)
        out += b'\0\1' if y == 0 else b'\0\0'
    return bytes(out)


def rle_row(px, bpp):
    """The shortest coding of one row, end code not included.

    cost[i] is the fewest bytes for px[i:], found from the right: each place
    either starts an encoded run of any length the pixels allow or an
    absolute run of any length from 3 up.  Ties go to the first option
    tried (encoded runs before absolute ones, longest first), so the output
    is fixed."""
    n = len(px)
    # longest encoded run from i: equal indices (8 bpp) or an alternating pair (4 bpp)
    run = [0] * (n + 1)
    for i in range(n - 1, -1, -1):
        if i + 1 == n:
            run[i] = 1
        elif bpp == 8:
            run[i] = 1 + run[i + 1] if px[i + 1] == px[i] else 1
        else:
            run[i] = 1 + run[i + 1] if i + 2 == n or px[i + 2] == px[i] else 2

    def literal_bytes(k):
        nb = k if bpp == 8 else (k + 1) // 2
        return nb + (nb & 1)

    absolute_cost = [0, 0, 0] + [2 + literal_bytes(k) for k in range(3, 256)]
    cost = [0] * (n + 1)
    step = [None] * (n + 1)
    for i in range(n - 1, -1, -1):
        best = None
        for k in range(min(255, run[i]), 0, -1):
            c = 2 + cost[i + k]
            if best is None or c < best:
                best, step[i] = c, ('run', k)
        for k in range(min(255, n - i), 2, -1):
            c = absolute_cost[k] + cost[i + k]
            if c < best:
                best, step[i] = c, ('absolute', k)
        cost[i] = best

    out = bytearray()
    i = 0
    while i < n:
        kind, k = step[i]
        if kind == 'run':
            if bpp == 8:
                out += bytes((k, px[i]))
            else:
                out += bytes((k, px[i] << 4 | (px[i + 1] if k > 1 else 0)))
        else:
            lit = bytes(px[i:i + k]) if bpp == 8 else pack_nibbles(px[i:i + k])
            out += bytes((0, k)) + lit + b'\0' * (len(lit) & 1)
        i += k
    assert len(out) == cost[0]
    return bytes(out)


def pack_nibbles(indices):
    padded = list(indices) + [0] * (len(indices) & 1)
    return bytes(padded[j] << 4 | padded[j + 1] for j in range(0, len(padded), 2))


def rle_decode(data, w, h, bpp):
    """Index rows (top row first) of BI_RLE8 / BI_RLE4 data.

    Strict: it accepts only what rle_encode may write (no jumps, every row
    filled exactly, zero padding, end of bitmap closing the last row and
    nothing after it), so a fault in the encoder cannot pass unnoticed."""
    rows, row, p = [], [], 0

    def take(count):
        nonlocal p
        assert p + count <= len(data), 'RLE data ends early'
        chunk = data[p:p + count]
        p += count
        return chunk

    def nibbles(b):
        return (b >> 4, b & 15)

    while True:
        n, c = take(2)
        if n:
            if bpp == 8:
                row.extend([c] * n)
            else:
                pair = nibbles(c)
                row.extend(pair[j & 1] for j in range(n))
        elif c in (0, 1):
            assert len(row) == w, ('row %d has %d pixels' % (len(rows), len(row)))
            rows.append(row)
            row = []
            if c == 1:
                break
        elif c == 2:
            raise AssertionError('jump code in RLE data')
        else:
            nb = c if bpp == 8 else (c + 1) // 2
            lit = take(nb)
            if bpp == 8:
                row.extend(lit)
            else:
                px = [v for b in lit for v in nibbles(b)]
                assert c % 2 == 0 or px[c] == 0, 'unused nibble not zero'
                row.extend(px[:c])
            if nb & 1:
                assert take(1) == b'\0', 'absolute run padding not zero'
        assert len(row) <= w, ('row %d overflows' % len(rows))
    assert len(rows) == h, ('%d rows, want %d' % (len(rows), h))
    assert p == len(data), 'data after the end of bitmap'
    return rows[::-1]


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


def read_bmp_indexed(path):
    """(width, height, bpp, compression, palette, index rows top first) of a
    4 or 8 bpp bitmap file, plain or run-length encoded."""
    data = open(path, 'rb').read()
    assert data[:2] == b'BM', path
    size, off = struct.unpack_from('<I4xI', data, 2)
    assert size == len(data), (path, size, len(data))
    hs, w, h, planes, bpp, comp, isz, _, _, used = struct.unpack_from('<IiiHHIIiiI', data, 14)
    assert (hs, planes) == (40, 1) and w > 0 and h > 0 and bpp in (4, 8), path
    ncol = used or 1 << bpp
    assert ncol <= 1 << bpp and off == 14 + 40 + 4 * ncol, path
    assert isz == len(data) - off, 'image size field: %s' % path
    pal = [(data[q + 2], data[q + 1], data[q]) for q in range(54, off, 4)]
    pixels = data[off:]
    if comp == BI_RGB:
        stride = row_stride(w, bpp)
        assert isz == stride * h, path
        rows = [unpack_indexed_row(pixels[(h - 1 - y) * stride:(h - y) * stride], bpp, w)
                for y in range(h)]
    else:
        assert comp == RLE_FOR_BPP[bpp], (path, comp)
        rows = rle_decode(pixels, w, h, bpp)
    assert all(i < ncol for row in rows for i in row), 'index outside the palette: %s' % path
    return w, h, bpp, comp, pal, rows


def unpack_indexed_row(line, bpp, w):
    if bpp == 8:
        return list(line[:w])
    return [line[x // 2] >> 4 if x % 2 == 0 else line[x // 2] & 15 for x in range(w)]


def colour_change(drawn, stored):
    """What storing a picture changed: distinct colours before and after, the
    pixels that differ, and the largest difference in one channel."""
    pairs = [(a, b) for ra, rb in zip(drawn, stored) for a, b in zip(ra, rb)]
    moved = [max(abs(x - y) for x, y in zip(a, b)) for a, b in pairs if a != b]
    return (len({a for a, _ in pairs}), len({b for _, b in pairs}), len(moved),
            max(moved, default=0))


def self_check(out, splash, masked):
    """Reads every file back.  The bitmaps must decode to exactly the pixels
    written: the splash to its drawn indices, the masked pictures to their
    palette and indices, and those to the drawing itself whenever it has no
    more colours than a palette holds."""
    rle_self_test()
    w, h, bpp, _, pal, rows = read_bmp_indexed(os.path.join(out, 'splash.bmp'))
    assert (w, h, bpp, pal) == (317, 199, 4, SPLASH_PAL) and rows == splash, 'splash'
    bx0, by0, bx1, by1 = SPLASH_BAND
    for y in range(by0, by1 + 1):
        for x in range(bx0, bx1 + 1):
            assert rows[y][x] == SPLASH_BAND_COLOR, ('splash band not plain', x, y)
    # masked pictures: corners transparent, a real picture inside, and the
    # transparent pixels exactly those drawn so
    for name, drawn, want_pal, want_rows in masked:
        w, h, bpp, _, pal, rows = read_bmp_indexed(os.path.join(out, name))
        assert (w, h, bpp) == (len(drawn[0]), len(drawn), 8), name
        assert (pal, rows) == (want_pal, want_rows), name
        assert pal[0] == MAGENTA and MAGENTA not in pal[1:], name
        shown = [[pal[i] for i in row] for row in rows]
        before, _, moved, _ = colour_change(drawn, shown)
        assert moved == 0 or before > 256, (name, 'lost colours it had room for')
        for y in range(h):
            for x in range(w):
                assert (shown[y][x] == MAGENTA) == (drawn[y][x] == MAGENTA), (name, x, y)
        for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
            assert shown[y][x] == MAGENTA, (name, x, y)
        solid = sum(1 for row in shown for c in row if c != MAGENTA)
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


# Rows whose shortest coding is clear by hand, to pin the format down; each
# is one row of a 1-row bitmap unless a list of rows.  (bpp, rows, bytes)
RLE_KNOWN = [
    # encoded run, absolute run of 4 (no padding), encoded run
    (8, [[7, 7, 7, 7, 1, 2, 3, 4, 9, 9, 9, 9, 9, 9]], '04 07 00 04 01 02 03 04 06 09 00 01'),
    # bottom row first, end of line between rows, end of bitmap last
    (8, [[1, 1], [2, 2]], '02 02 00 00 02 01 00 01'),
    # runs longer than 255 split
    (8, [[3] * 600], 'FF 03 FF 03 5A 03 00 01'),
    # an alternating pair is one encoded run at 4 bpp
    (4, [[1, 2, 1, 2, 1]], '05 12 00 01'),
    # absolute run of 7 at 4 bpp: four bytes, the last nibble unused
    (4, [[1, 2, 3, 4, 5, 6, 7]], '00 07 12 34 56 70 00 01'),
    # single pixels
    (4, [[9], [10]], '01 A0 00 00 01 90 00 01'),
]

# Codings GDI reads that the encoder never picks: padded absolute runs (one
# always ties with a run followed by a shorter absolute run, and runs are
# tried first).
RLE_READ_ONLY = [
    (8, [[1, 2, 3]], '00 03 01 02 03 00 00 01'),
    (4, [[1, 2, 3, 4, 5]], '00 05 12 34 50 00 00 01'),
    (4, [[1, 2, 1]], '03 12 00 01'),
]

# Data the decoder must refuse (3 x 1 at 8 bpp): a short row, a long row,
# bytes after the end, a jump, padding that is not zero, no end at all.
RLE_BAD = ['02 05 00 01', '04 05 00 01', '03 05 00 01 00 00', '02 05 00 02 01 00 00 01',
           '00 03 01 02 03 07 00 01', '03 05']


def pseudo_random_rows(start, count, width, colours, spread):
    """Rows of short runs and noise, from a fixed linear congruential sequence."""
    state, rows = start, []
    for _ in range(count):
        row = []
        while len(row) < width:
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            length = 1 + (state >> 8) % spread
            row.extend([(state >> 16) % colours] * length)
        rows.append(row[:width])
    return rows


def rle_self_test():
    for bpp, rows, want in RLE_KNOWN:
        got = rle_encode(rows, bpp)
        assert got == bytes.fromhex(want), (bpp, rows[0][:8], got.hex(' '))
    for bpp, rows, data in RLE_KNOWN + RLE_READ_ONLY:
        assert rle_decode(bytes.fromhex(data), len(rows[0]), len(rows), bpp) == rows, data
    # round trips: every width from 1 to 9, runs at and around 255, long
    # literal stretches (255 distinct pixels at 8 bpp), noise of every kind
    for bpp in (4, 8):
        colours = 1 << bpp
        cases = [pseudo_random_rows(w, 5, w, colours, 3) for w in range(1, 10)]
        cases += [[[5] * n] for n in (254, 255, 256, 510, 511)]
        cases += [[[1, 2] * 300], [[j % colours for j in range(700)]]]
        cases += [pseudo_random_rows(s, 20, 317, colours, spread)
                  for s, spread in ((1, 1), (2, 2), (3, 6), (4, 40))]
        for rows in cases:
            data = rle_encode(rows, bpp)
            assert len(data) % 2 == 0, 'codes must stay word aligned'
            assert rle_decode(data, len(rows[0]), len(rows), bpp) == rows, \
                (bpp, len(rows[0]), rows[0][:8])
    for bad in RLE_BAD:
        try:
            rle_decode(bytes.fromhex(bad), 3, 1, 8)
        except AssertionError:
            continue
        raise AssertionError('accepted bad RLE data: ' + bad)


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


OUTPUTS = ('splash.bmp', 'banner.bmp', 'hdd.bmp', 'chip.bmp', 'tarnwick.ico', 'logo.avi')
COMPRESSION_NAMES = {BI_RGB: 'plain', BI_RLE8: 'RLE8', BI_RLE4: 'RLE4'}


def generate(out):
    """Writes every file into out, checks them and returns lines describing them."""
    os.makedirs(out, exist_ok=True)
    notes = {}
    splash = make_splash()
    notes['splash.bmp'] = COMPRESSION_NAMES[
        write_bmp_indexed(os.path.join(out, 'splash.bmp'), splash, SPLASH_PAL, 4)]
    masked = []
    for name, draw in (('banner.bmp', make_banner), ('hdd.bmp', make_hdd), ('chip.bmp', make_chip)):
        drawn = draw()
        pal, rows = masked_palette(drawn)
        compression = write_bmp_indexed(os.path.join(out, name), rows, pal, 8)
        before, after, moved, most = colour_change(drawn, [[pal[i] for i in r] for r in rows])
        notes[name] = '%s, %d colours' % (COMPRESSION_NAMES[compression], after)
        if moved:
            notes[name] += ' (drawn with %d: %d pixels moved, by at most %d in a channel)' % (
                before, moved, most)
        masked.append((name, drawn, pal, rows))

    images = []
    for n in (32, 16):
        idx, tr = icon_pixels(n)
        images.append((n, n, 4, icon_image(idx, tr, ICON_PAL, 4)))
    write_ico(os.path.join(out, 'tarnwick.ico'), images)

    frames, pal = make_avi_frames()
    write_avi(os.path.join(out, 'logo.avi'), frames, AVI_W, AVI_H, pal, AVI_FPS)

    self_check(out, splash, masked)
    return ['%-14s %7d bytes  %s' % (name, os.path.getsize(os.path.join(out, name)),
                                     notes.get(name, '')) for name in OUTPUTS]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    committed = os.path.join(root, 'resources', 'art')
    if sys.argv[1:] == ['--verify']:
        # the committed files must be what this script makes
        with tempfile.TemporaryDirectory() as fresh:
            generate(fresh)
            stale = [name for name in OUTPUTS
                     if open(os.path.join(fresh, name), 'rb').read()
                     != open(os.path.join(committed, name), 'rb').read()]
        if stale:
            print('resources/art differs from what the script makes: ' + ', '.join(stale))
            sys.exit(1)
        print('resources/art matches the script')
        return
    for line in generate(sys.argv[1] if len(sys.argv) > 1 else committed):
        print(line.rstrip())


if __name__ == '__main__':
    main()
