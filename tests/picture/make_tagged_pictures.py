#!/usr/bin/env python3
"""Writes the test pictures that carry an orientation tag or a colour profile, with
ImageMagick's convert for the pixels. Run from the repository's root.

tests/brand/images/two-halves-turned.jpg  two-halves.jpg's red over blue, stood on end (40 x 60),
    stored turned a quarter anticlockwise with Exif orientation 6 (turn clockwise to view)
tests/picture/pictures/turned-8.tif  the same picture, 16 x 24, stored turned a quarter
    clockwise with TIFF orientation 8 (turn anticlockwise to view)
tests/picture/pictures/swapped-profile.png, .jpg  red (220, 30, 30) with a colour profile
    whose red and green primaries trade places: in sRGB the colour is green
"""
import os
import struct
import subprocess
import tempfile

RED = 'rgb(200,40,40)'
BLUE = 'rgb(40,60,200)'


def convert(*arguments):
    subprocess.run(['convert', *arguments], check=True)


def upright(width, height, path):
    convert('-size', f'{width}x{height // 2}', f'xc:{RED}', '-size', f'{width}x{height // 2}',
            f'xc:{BLUE}', '-append', path)


def with_orientation(jpeg, orientation):
    """`jpeg` with an Exif block holding one entry, Orientation, after its JFIF block."""
    tiff = b'II*\0' + struct.pack('<IH', 8, 1) + struct.pack('<HHIHH', 274, 3, 1, orientation, 0)
    body = b'Exif\0\0' + tiff + struct.pack('<I', 0)
    segment = b'\xff\xe1' + struct.pack('>H', len(body) + 2) + body
    at = 4 + struct.unpack('>H', jpeg[4:6])[0] if jpeg[2:4] == b'\xff\xe0' else 2
    return jpeg[:at] + segment + jpeg[at:]


def swapped_profile():
    """A matrix profile (ICC 2.1) with sRGB's primaries, red and green traded, gamma 2.2."""
    def s15(value):
        return struct.pack('>i', round(value * 65536))

    def xyz(x, y, z):
        return b'XYZ \0\0\0\0' + s15(x) + s15(y) + s15(z)

    gamma = b'curv\0\0\0\0' + struct.pack('>IH', 1, round(2.2 * 256)) + b'\0\0'
    text = b'Red and green traded\0'
    description = b'desc\0\0\0\0' + struct.pack('>I', len(text)) + text + b'\0' * 79
    red, green, blue = (0.4361, 0.2225, 0.0139), (0.3851, 0.7169, 0.0971), (0.1431, 0.0606, 0.7141)
    tags = [(b'desc', description), (b'cprt', b'text\0\0\0\0none\0'),
            (b'wtpt', xyz(0.9642, 1.0, 0.8249)), (b'rXYZ', xyz(*green)), (b'gXYZ', xyz(*red)),
            (b'bXYZ', xyz(*blue)), (b'rTRC', gamma), (b'gTRC', gamma), (b'bTRC', gamma)]
    table, data = b'', b''
    start = 128 + 4 + 12 * len(tags)
    for signature, tag in tags:
        data += b'\0' * (-(start + len(data)) % 4)
        table += signature + struct.pack('>II', start + len(data), len(tag))
        data += tag
    body = struct.pack('>I', len(tags)) + table + data
    header = (struct.pack('>I', 128 + len(body)) + b'none' + bytes([2, 0x10, 0, 0]) +
              b'mntrRGB XYZ ' + b'\0' * 12 + b'acsp' + b'\0' * 28 + s15(0.9642) + s15(1.0) +
              s15(0.8249) + b'\0' * 48)
    return header + body


with tempfile.TemporaryDirectory() as work:
    stood = os.path.join(work, 'stood.png')
    upright(40, 60, stood)
    turned = os.path.join(work, 'turned.jpg')
    convert(stood, '-rotate', '-90', '-quality', '95', turned)
    with open(turned, 'rb') as file:
        jpeg = file.read()
    with open('tests/brand/images/two-halves-turned.jpg', 'wb') as file:
        file.write(with_orientation(jpeg, 6))

    upright(16, 24, stood)
    convert(stood, '-rotate', '90', '-orient', 'LeftBottom', '-compress', 'none',
            'tests/picture/pictures/turned-8.tif')

    profile = os.path.join(work, 'swapped.icc')
    with open(profile, 'wb') as file:
        file.write(swapped_profile())
    for kind in ('png', 'jpg'):
        convert('-size', '16x16', 'xc:rgb(220,30,30)', '-profile', profile,
                f'tests/picture/pictures/swapped-profile.{kind}')
