#!/usr/bin/env python3
"""Draws the sample documents' pictures and writes them as GIF, JPEG, PNG and
BMP with encoders of our own, so the samples need no image library.

Run from anywhere: python3 make_images.py [output folder]
"""
import math
import os
import struct
import sys
import zlib

# --- Drawing ---------------------------------------------------------------

class Canvas:
    def __init__(self, width, height, colour=(255, 255, 255)):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, left, top, right, bottom, colour):
        for y in range(max(top, 0), min(bottom, self.height)):
            row = self.pixels[y]
            for x in range(max(left, 0), min(right, self.width)):
                row[x] = colour

    def disc(self, cx, cy, r, colour):
        for y in range(int(cy - r), int(cy + r) + 1):
            for x in range(int(cx - r), int(cx + r) + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, colour)

    def ring(self, cx, cy, r, width, colour, start=0.0, end=360.0):
        for y in range(int(cy - r - width), int(cy + r + width) + 1):
            for x in range(int(cx - r - width), int(cx + r + width) + 1):
                d = math.hypot(x - cx, y - cy)
                if abs(d - r) <= width / 2:
                    a = math.degrees(math.atan2(cy - y, x - cx)) % 360
                    if start <= a <= end or start <= a + 360 <= end:
                        self.put(x, y, colour)

    def line(self, x0, y0, x1, y1, colour, width=1):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(steps + 1):
            t = i / steps
            x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            half = width // 2
            self.rect(int(x) - half, int(y) - half, int(x) - half + width, int(y) - half + width, colour)

    def text(self, x, y, text, colour, scale=1):
        for ch in text:
            rows = FONT.get(ch.upper(), FONT['?'])
            for ry, bits in enumerate(rows):
                for rx in range(5):
                    if bits & (0x10 >> rx):
                        self.rect(x + rx * scale, y + ry * scale,
                                  x + (rx + 1) * scale, y + (ry + 1) * scale, colour)
            x += 6 * scale


# A 5 x 7 pixel alphabet, one row a number, the leftmost pixel in bit 4.
FONT = {
    ' ': [0, 0, 0, 0, 0, 0, 0],
    '?': [14, 17, 1, 2, 4, 0, 4],
    'A': [14, 17, 17, 31, 17, 17, 17], 'B': [30, 17, 17, 30, 17, 17, 30],
    'C': [14, 17, 16, 16, 16, 17, 14], 'D': [30, 17, 17, 17, 17, 17, 30],
    'E': [31, 16, 16, 30, 16, 16, 31], 'F': [31, 16, 16, 30, 16, 16, 16],
    'G': [14, 17, 16, 23, 17, 17, 15], 'H': [17, 17, 17, 31, 17, 17, 17],
    'I': [14, 4, 4, 4, 4, 4, 14], 'K': [17, 18, 20, 24, 20, 18, 17],
    'L': [16, 16, 16, 16, 16, 16, 31], 'M': [17, 27, 21, 21, 17, 17, 17],
    'N': [17, 25, 21, 19, 17, 17, 17], 'O': [14, 17, 17, 17, 17, 17, 14],
    'P': [30, 17, 17, 30, 16, 16, 16], 'R': [30, 17, 17, 30, 20, 18, 17],
    'S': [15, 16, 16, 14, 1, 1, 30], 'T': [31, 4, 4, 4, 4, 4, 4],
    'U': [17, 17, 17, 17, 17, 17, 14], 'V': [17, 17, 17, 17, 17, 10, 4],
    'X': [17, 17, 10, 4, 10, 17, 17], 'Y': [17, 17, 10, 4, 4, 4, 4],
    'Z': [31, 1, 2, 4, 8, 16, 31],
    '0': [14, 17, 19, 21, 25, 17, 14], '1': [4, 12, 4, 4, 4, 4, 14],
    '2': [14, 17, 1, 2, 4, 8, 31], '3': [31, 2, 4, 2, 1, 17, 14],
    '4': [2, 6, 10, 18, 31, 2, 2], '5': [31, 16, 30, 1, 1, 17, 14],
    '6': [6, 8, 16, 30, 17, 17, 14], '7': [31, 1, 2, 4, 8, 8, 8],
    '8': [14, 17, 17, 14, 17, 17, 14], '9': [14, 17, 17, 15, 1, 2, 12],
    '+': [0, 4, 4, 31, 4, 4, 0], '-': [0, 0, 0, 31, 0, 0, 0],
    ':': [0, 12, 12, 0, 12, 12, 0], '/': [0, 1, 2, 4, 8, 16, 0],
    '.': [0, 0, 0, 0, 0, 12, 12],
}


def blend(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


# --- Encoders --------------------------------------------------------------

def write_bmp(path, canvas):
    """24-bit uncompressed, bottom-up rows padded to four bytes."""
    row_size = (canvas.width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(canvas.pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b'\0' * (row_size - len(line))
        data += line
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, 24, 0,
                       len(data), 3780, 3780, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def png_chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def write_png(path, canvas):
    raw = bytearray()
    for row in canvas.pixels:
        raw.append(0)  # filter: none
        for pixel in row:
            raw += bytes(pixel)
    ihdr = struct.pack('>IIBBBBB', canvas.width, canvas.height, 8, 2, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + png_chunk(b'IHDR', ihdr) +
                png_chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + png_chunk(b'IEND', b''))


def palette_of(frames, extra=()):
    colours = list(dict.fromkeys(list(extra) + [p for c in frames for row in c.pixels for p in row]))
    if len(colours) > 256:
        raise ValueError('more than 256 colours in a GIF picture')
    size = 2
    while size < len(colours):
        size *= 2
    return colours, size


def lzw_encode(indices, min_code_size):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, acc, nbits = bytearray(), 0, 0

    def emit(code, width):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def reset():
        return {(i,): i for i in range(clear)}, min_code_size + 1, end + 1

    table, width, next_code = reset()
    emit(clear, width)
    current = (indices[0],)
    for index in indices[1:]:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current], width)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            # The decoder adds its entries one code later, so it widens its
            # codes once the entry just made no longer fits.
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table, width, next_code = reset()
        current = (index,)
    emit(table[current], width)
    emit(end, width)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def gif_image(canvas, colours, delay=None, transparent=None):
    index = {c: i for i, c in enumerate(colours)}
    data = bytearray()
    if delay is not None or transparent is not None:
        flags = (2 << 2) if delay is not None else 0  # dispose: restore background
        if transparent is not None:
            flags |= 1
        data += b'\x21\xf9\x04' + struct.pack('<BHB', flags, delay or 0,
                                               index.get(transparent, 0)) + b'\0'
    data += b',' + struct.pack('<HHHHB', 0, 0, canvas.width, canvas.height, 0)
    min_code_size = max(2, (len(colours) - 1).bit_length())
    pixels = [index[p] for row in canvas.pixels for p in row]
    stream = lzw_encode(pixels, min_code_size)
    data.append(min_code_size)
    for i in range(0, len(stream), 255):
        block = stream[i:i + 255]
        data += bytes((len(block),)) + block
    data += b'\0'
    return data


def write_gif(path, frames, delay=None, transparent=None):
    extra = (transparent,) if transparent is not None else ()
    colours, size = palette_of(frames, extra)
    colours += [(0, 0, 0)] * (size - len(colours))
    depth = size.bit_length() - 2
    data = bytearray(b'GIF89a')
    data += struct.pack('<HHBBB', frames[0].width, frames[0].height, 0x80 | (depth << 4) | depth, 0, 0)
    for c in colours:
        data += bytes(c)
    if len(frames) > 1:
        data += b'\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00'  # loop for ever
    for frame in frames:
        data += gif_image(frame, colours, delay, transparent)
    data += b';'
    with open(path, 'wb') as f:
        f.write(data)


LUMINANCE_QUANT = [
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55,
    14, 13, 16, 24, 40, 57, 69, 56, 14, 17, 22, 29, 51, 87, 80, 62,
    18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99]
# Half the usual steps: a sharper picture for a few more bytes.
LUMINANCE_QUANT = [max(1, q // 2) for q in LUMINANCE_QUANT]
CHROMA_QUANT = LUMINANCE_QUANT


def zigzag_order():
    order = []
    for s in range(15):
        cells = [(y, s - y) for y in range(8) if 0 <= s - y < 8]
        order += cells if s % 2 else cells[::-1]
    return [y * 8 + x for y, x in order]


ZIGZAG = zigzag_order()
COS = [[math.cos((2 * x + 1) * u * math.pi / 16) * (math.sqrt(0.5) if u == 0 else 1) / 2
        for x in range(8)] for u in range(8)]


def fdct(block):
    rows = [[sum(COS[u][x] * block[y * 8 + x] for x in range(8)) for u in range(8)] for y in range(8)]
    return [sum(COS[v][y] * rows[y][u] for y in range(8)) for v in range(8) for u in range(8)]


# Baseline Huffman tables of our own: every DC size category as a 4-bit code
# and every AC run/size symbol as an 8-bit code; never the all-ones code.
DC_SYMBOLS = list(range(12))
AC_SYMBOLS = [0x00, 0xF0] + [(run << 4) | size for run in range(16) for size in range(1, 11)]


def huffman_segment(table_class, table_id, symbols, length):
    counts = [0] * 16
    counts[length - 1] = len(symbols)
    body = bytes((table_class << 4 | table_id,)) + bytes(counts) + bytes(symbols)
    return b'\xff\xc4' + struct.pack('>H', 2 + len(body)) + body


class BitWriter:
    def __init__(self):
        self.out, self.acc, self.nbits = bytearray(), 0, 0

    def write(self, value, width):
        for i in range(width - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> i) & 1)
            self.nbits += 1
            if self.nbits == 8:
                self.out.append(self.acc)
                if self.acc == 0xFF:
                    self.out.append(0)
                self.acc, self.nbits = 0, 0

    def flush(self):
        while self.nbits:
            self.write(1, 1)
        return bytes(self.out)


def magnitude(value):
    size = abs(value).bit_length()
    return size, (value if value >= 0 else value + (1 << size) - 1)


def write_jpeg(path, canvas):
    if canvas.width % 8 or canvas.height % 8:
        raise ValueError('JPEG pictures here are whole 8 x 8 blocks')
    planes = [[], [], []]
    for row in canvas.pixels:
        for r, g, b in row:
            planes[0].append(0.299 * r + 0.587 * g + 0.114 * b)
            planes[1].append(128 - 0.168736 * r - 0.331264 * g + 0.5 * b)
            planes[2].append(128 + 0.5 * r - 0.418688 * g - 0.081312 * b)
    quants = [LUMINANCE_QUANT, CHROMA_QUANT, CHROMA_QUANT]
    dc_index = {s: i for i, s in enumerate(DC_SYMBOLS)}
    ac_index = {s: i for i, s in enumerate(AC_SYMBOLS)}
    bits, previous = BitWriter(), [0, 0, 0]
    for by in range(0, canvas.height, 8):
        for bx in range(0, canvas.width, 8):
            for c in range(3):
                block = [planes[c][(by + y) * canvas.width + bx + x] - 128 for y in range(8) for x in range(8)]
                coefficients = fdct(block)
                q = [int(round(coefficients[ZIGZAG[k]] / quants[c][k])) for k in range(64)]
                size, value = magnitude(q[0] - previous[c])
                previous[c] = q[0]
                bits.write(dc_index[size], 4)
                bits.write(value, size)
                run = 0
                for k in range(1, 64):
                    if q[k] == 0:
                        run += 1
                        continue
                    while run > 15:
                        bits.write(ac_index[0xF0], 8)
                        run -= 16
                    size, value = magnitude(q[k])
                    bits.write(ac_index[(run << 4) | size], 8)
                    bits.write(value, size)
                    run = 0
                if run:
                    bits.write(ac_index[0x00], 8)
    scan = bits.flush()
    out = bytearray(b'\xff\xd8')
    out += b'\xff\xe0' + struct.pack('>H5sBBBHHBB', 16, b'JFIF\0', 1, 1, 0, 1, 1, 0, 0)
    for i, table in enumerate((LUMINANCE_QUANT, CHROMA_QUANT)):
        out += b'\xff\xdb' + struct.pack('>HB', 67, i) + bytes(table)
    out += b'\xff\xc0' + struct.pack('>HBHHB', 17, 8, canvas.height, canvas.width, 3)
    out += bytes((1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1))
    out += huffman_segment(0, 0, DC_SYMBOLS, 4) + huffman_segment(1, 0, AC_SYMBOLS, 8)
    out += b'\xff\xda' + struct.pack('>HB', 12, 3) + bytes((1, 0, 2, 0, 3, 0, 0, 63, 0))
    out += scan + b'\xff\xd9'
    with open(path, 'wb') as f:
        f.write(out)


# --- The pictures ----------------------------------------------------------

NAVY, WHITE, GOLD = (16, 40, 96), (255, 255, 255), (250, 196, 40)


def logo():
    c = Canvas(240, 64)
    for y in range(64):
        c.rect(0, y, 240, y + 1, blend((24, 64, 150), (8, 24, 72), y / 63))
    c.rect(20, 22, 24, 54, WHITE)  # mast
    c.disc(22, 20, 4, GOLD)
    for r in (9, 15, 21):
        c.ring(22, 20, r, 2.5, GOLD, 20, 70)
        c.ring(22, 20, r, 2.5, GOLD, 110, 160)
    c.text(56, 14, 'BRANNIK', WHITE, 4)
    c.rect(56, 48, 222, 50, GOLD)
    return c


def network():
    c = Canvas(160, 120, (236, 242, 250))
    stations = [(28, 26, 'A'), (130, 22, 'B'), (80, 62, 'C'), (26, 98, 'D'), (134, 96, 'E')]
    for a, b in [(0, 2), (1, 2), (2, 3), (2, 4), (0, 1), (3, 4)]:
        c.line(stations[a][0], stations[a][1], stations[b][0], stations[b][1], (120, 140, 170), 2)
    for x, y, name in stations:
        colour = (200, 40, 40) if name == 'C' else NAVY
        c.disc(x, y, 11, colour)
        c.text(x - 2, y - 3, name, WHITE)
    c.text(62, 84, 'BKS', (200, 40, 40))
    return c


def landscape():
    c = Canvas(192, 120)
    for y in range(120):
        c.rect(0, y, 192, y + 1, blend((90, 150, 230), (200, 225, 250), y / 70))
    c.disc(150, 28, 14, (255, 220, 90))
    for x in range(192):
        far = int(70 + 10 * math.sin(x / 23.0) + 5 * math.sin(x / 7.0))
        near = int(88 + 8 * math.sin(x / 31.0 + 2))
        for y in range(far, 120):
            c.put(x, y, blend((70, 120, 80), (40, 90, 50), (y - far) / 50))
        for y in range(near, 120):
            c.put(x, y, blend((120, 170, 60), (80, 130, 40), (y - near) / 32))
    c.rect(40, 60, 43, 92, (90, 90, 100))  # a mast on the hill
    c.ring(41, 58, 6, 1.5, (250, 250, 250), 20, 160)
    return c


def envelope():
    c = Canvas(128, 96, (255, 250, 235))
    paper, edge = (250, 240, 205), (140, 110, 60)
    c.rect(14, 22, 114, 82, paper)
    for x0, y0, x1, y1 in [(14, 22, 114, 22), (14, 82, 114, 82), (14, 22, 14, 82), (113, 22, 113, 82),
                           (14, 22, 64, 56), (113, 22, 64, 56), (14, 81, 50, 50), (113, 81, 78, 50)]:
        c.line(x0, y0, x1, y1, edge, 2)
    c.rect(92, 28, 108, 44, (200, 40, 40))  # stamp
    c.text(40, 6, 'DOPIS', NAVY, 2)
    return c


def waves(frame, count):
    c = Canvas(64, 64, (255, 0, 255))
    c.rect(30, 30, 34, 60, NAVY)
    c.rect(22, 58, 42, 62, NAVY)
    c.disc(32, 28, 4, (200, 40, 40))
    for i in range(3):
        r = 8 + ((frame + i * count / 3) % count) * 24 / count
        shade = blend((200, 40, 40), (250, 200, 200), (r - 8) / 24)
        c.ring(32, 28, r, 2.5, shade, 25, 155)
    return c


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'obrazky')
    os.makedirs(out, exist_ok=True)
    write_png(os.path.join(out, 'logo.png'), logo())
    write_gif(os.path.join(out, 'sit.gif'), [network()])
    write_jpeg(os.path.join(out, 'krajina.jpg'), landscape())
    write_bmp(os.path.join(out, 'dopis.bmp'), envelope())
    write_gif(os.path.join(out, 'vlny.gif'), [waves(i, 8) for i in range(8)], delay=12,
              transparent=(255, 0, 255))


if __name__ == '__main__':
    main()
