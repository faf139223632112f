#!/usr/bin/env python3
"""Checks the artwork files that generate_art.py writes.

    python3 check_art.py [--preview DIR]

Re-reads background.bmp and autorun-menu.ico next to this script, asserts the
exact header layout the program and the resource compiler rely on, regenerates
both into a temporary folder to prove they are current and reproducible, and
with --preview writes PNG renderings (picture, a mock-up with the text areas
marked, and an enlarged icon sheet) to DIR for a visual review.
"""

import os
import struct
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, HERE)
import generate_art  # noqa: E402

W, H = 600, 397


def luma(c):
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]


def read_bmp(data):
    """Asserts every header field; returns top-down rows of (r, g, b)."""
    assert len(data) == 239280, len(data)
    magic, size, r1, r2, off = struct.unpack_from('<2sIHHI', data, 0)
    assert (magic, size, r1, r2, off) == (b'BM', 239280, 0, 0, 1078), (magic, size, r1, r2, off)
    info = struct.unpack_from('<IiiHHIIiiII', data, 14)
    assert info == (40, 600, 397, 1, 8, 0, 0, 2834, 2834, 0, 0), info
    assert len(data) - 14 == 40 + 1024 + 600 * 397 + 2
    assert data[-2:] == b'\0\0'
    pal = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i]) for i in range(256)]
    assert all(data[54 + 4 * i + 3] == 0 for i in range(256))
    rows = []
    for y in range(H):                                  # stored bottom-up
        start = off + (H - 1 - y) * W
        rows.append([pal[i] for i in data[start:start + W]])
    return rows


def read_ico(data):
    """Asserts directory and image headers; returns [(size, bpp, rgba rows)]."""
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    assert (reserved, kind, count) == (0, 1, 18), (reserved, kind, count)
    expect = [(16, 4), (16, 8), (18, 4), (18, 8), (20, 4), (20, 8), (22, 4), (22, 8),
              (32, 4), (32, 8), (48, 4), (48, 8),
              (16, 32), (18, 32), (20, 32), (22, 32), (32, 32), (48, 32)]
    assert generate_art.ICON_IMAGES == expect
    images, end = [], 6 + 16 * count
    for n, (size, bpp) in enumerate(expect):
        w, h, colours, res, planes, bits, length, offset = struct.unpack_from(
            '<BBBBHHII', data, 6 + 16 * n)
        assert (w, h, res, planes, bits) == (size, size, 0, 1, bpp), (n + 1, w, h, planes, bits)
        assert colours == (16 if bpp == 4 else 0), (n + 1, colours)
        assert offset == end and offset + length <= len(data), (n + 1, offset, length)
        end = offset + length
        hdr = struct.unpack_from('<IiiHHIIiiII', data, offset)
        assert hdr[:6] == (40, size, 2 * size, 1, bpp, 0), (n + 1, hdr)
        ncol = {4: 16, 8: 256, 32: 0}[bpp]
        xor_stride, and_stride = (size * bpp + 31) // 32 * 4, (size + 31) // 32 * 4
        assert length == 40 + 4 * ncol + size * (xor_stride + and_stride), (n + 1, length)
        pal_at = offset + 40
        pal = [(data[pal_at + 4 * i + 2], data[pal_at + 4 * i + 1], data[pal_at + 4 * i])
               for i in range(ncol)]
        if bpp == 4:
            assert pal == generate_art.VGA, 'the 4 bpp images must use the standard 16 colours'
        xor_at = pal_at + 4 * ncol
        and_at = xor_at + size * xor_stride
        rows = []
        for y in range(size):
            xr = data[xor_at + (size - 1 - y) * xor_stride:][:xor_stride]
            ar = data[and_at + (size - 1 - y) * and_stride:][:and_stride]
            row = []
            for x in range(size):
                clear = ar[x // 8] >> (7 - x % 8) & 1
                if bpp == 32:
                    b, g, r, a = xr[4 * x:4 * x + 4]
                    assert clear == (a < 128), (n + 1, x, y, a, clear)
                else:
                    i = xr[x] if bpp == 8 else xr[x // 2] >> (4 * (1 - x % 2)) & 15
                    (r, g, b), a = pal[i], 0 if clear else 255
                    assert not clear or (r, g, b) == (0, 0, 0), (n + 1, x, y)
                row.append((r, g, b, a))
            rows.append(row)
        opaque = sum(p[3] >= 128 for row in rows for p in row)
        assert size * size * 0.5 < opaque < size * size, (n + 1, opaque)
        assert rows[size // 2][size // 2][3] < 128, ('the centre hole should be clear', n + 1)
        images.append((size, bpp, rows))
    assert end == len(data), (end, len(data))
    return images


def check_layout(rows):
    """The text areas must stay light and calm; the art goes on the left."""
    for y in range(50, 245):
        for x in range(300, 600):
            assert luma(rows[y][x]) > 200, ('caption area too dark', x, y, rows[y][x])
    for y in range(262, 397):
        for x in range(296, 600):
            assert luma(rows[y][x]) > 200, ('comment area too dark', x, y, rows[y][x])
    left = [luma(rows[y][x]) for y in range(H) for x in range(0, 260)]
    assert sum(v < 80 for v in left) > len(left) // 2, 'the left panel should carry the dark art'
    assert len({c for row in rows for c in row}) > 200, 'the palette is barely used'


def write_png(path, rows):
    raw = b''.join(b'\0' + bytes(v for c in row for v in c[:3]) for row in rows)

    def chunk(tag, body):
        return (struct.pack('>I', len(body)) + tag + body
                + struct.pack('>I', zlib.crc32(tag + body) & 0xffffffff))
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n'
                + chunk(b'IHDR', struct.pack('>IIBBBBB', len(rows[0]), len(rows), 8, 2, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def over(p, bg):
    a = p[3] / 255.0
    return tuple(int(round(p[i] * a + bg[i] * (1 - a))) for i in range(3))


def preview(folder, rows, icons):
    os.makedirs(folder, exist_ok=True)
    write_png(os.path.join(folder, 'background.png'), rows)
    mock = [list(r) for r in rows]
    for n in range(5):                                   # caption rows, red for the hot one
        for y in range(68 + 35 * n, 82 + 35 * n):
            for x in range(318, 318 + 150 + 20 * n):
                mock[y][x] = (200, 0, 0) if n == 1 else (0, 0, 0)
    for y in range(270, 396):
        for x in range(300, 599):
            edge = y in (270, 395) or x in (300, 598)
            mock[y][x] = (128, 128, 128) if edge else (255, 255, 255)
    write_png(os.path.join(folder, 'mockup.png'), mock)
    scale, cell = 6, 48 * 6 + 12
    backs = [(255, 255, 255), (58, 110, 165), (30, 30, 30)]
    sheet = [[(200, 200, 200)] * (cell * 6) for _ in range(cell * 3 + 60 * len(backs))]
    for n, (size, bpp, img) in enumerate(icons):
        col, row = (n // 2, n % 2) if bpp != 32 else (n - 12, 2)
        for y in range(size * scale):
            for x in range(size * scale):
                chk = (220, 220, 220) if (x // 6 + y // 6) % 2 else (250, 250, 250)
                sheet[row * cell + 6 + y][col * cell + 6 + x] = over(img[y // scale][x // scale], chk)
        for k, bg in enumerate(backs):                   # actual size on three desktops
            top = cell * 3 + 60 * k
            for y in range(56):
                for x in range(cell * 6 // 18):
                    sheet[top + y][n * (cell * 6 // 18) + x] = bg
            for y in range(size):
                for x in range(size):
                    sheet[top + 4 + y][n * (cell * 6 // 18) + 4 + x] = over(img[y][x], bg)
    write_png(os.path.join(folder, 'icons.png'), sheet)


def main(argv):
    bmp_path, ico_path = os.path.join(HERE, 'background.bmp'), os.path.join(HERE, 'autorun-menu.ico')
    with open(bmp_path, 'rb') as f:
        bmp = f.read()
    with open(ico_path, 'rb') as f:
        ico = f.read()
    rows, icons = read_bmp(bmp), read_ico(ico)
    check_layout(rows)
    with tempfile.TemporaryDirectory() as tmp:
        generate_art.main(['generate_art.py', tmp])
        for name, data in (('background.bmp', bmp), ('autorun-menu.ico', ico)):
            with open(os.path.join(tmp, name), 'rb') as f:
                assert f.read() == data, name + ' is stale: run generate_art.py'
    if '--preview' in argv:
        preview(argv[argv.index('--preview') + 1], rows, icons)
    print('art ok: background.bmp %d bytes, autorun-menu.ico %d bytes, %d icon images'
          % (len(bmp), len(ico), len(icons)))


if __name__ == '__main__':
    main(sys.argv)
