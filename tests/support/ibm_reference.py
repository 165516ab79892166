"""IBM floats as segyio reads them: the reference for ours.

    /usr/bin/python3 ibm_reference.py FOLDER

Writes FOLDER/ibm.sgy, made by segyio, one trace whose samples are a sample of IBM bit
patterns: random normalized ones (a first hexadecimal digit above 0, as IBM machines write
them) of every exponent whose values floats hold in their normal range, zeros of either sign,
and the edges of that range; and FOLDER/segyio.f32, those samples as segyio reads them,
little-endian 32-bit floats. segyio's fast conversion holds for these alone: it reads an
unnormalized fraction wrongly, values below the normal range as 0 and values beyond it as the
largest float, where ours reads them exactly, rounds them, or refuses them.
"""
import random
import struct
import sys

import numpy as np
import segyio

folder = sys.argv[1]
random.seed(29)


def value(bits):
    fraction, exponent = bits & 0xFFFFFF, bits >> 24 & 0x7F
    return fraction * 2.0 ** (4 * exponent - 280)


def normal(bits):
    magnitude = value(bits)
    return magnitude == 0 or 2.0 ** -126 <= magnitude <= float(np.finfo(np.float32).max)


patterns = [0x00000000, 0x80000000, 0xC276A000, 0x42640000, 0x60100000, 0x60FFFFFF,
            0x22100000, 0x21400000]
while len(patterns) < 20000:
    bits = random.getrandbits(32) | random.randint(1, 15) << 20
    if normal(bits):
        patterns.append(bits)
assert all(normal(bits) for bits in patterns)

layout = segyio.spec()
layout.format, layout.samples, layout.tracecount = 1, list(range(len(patterns))), 1
with segyio.create(folder + "/ibm.sgy", layout) as f:
    f.trace[0] = np.zeros(len(patterns), dtype=np.float32)
data = bytearray(open(folder + "/ibm.sgy", "rb").read())
data[3600 + 240:] = b"".join(struct.pack(">I", bits) for bits in patterns)
open(folder + "/ibm.sgy", "wb").write(data)
with segyio.open(folder + "/ibm.sgy", ignore_geometry=True) as f:
    f.trace[0].astype("<f4").tofile(folder + "/segyio.f32")
