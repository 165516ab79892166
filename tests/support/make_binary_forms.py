"""Marmousi-II's Vp in the binary forms models are published in, written by independent
writers (Debian's segyio and numpy), for the tests to convert with mvgtool.

    /usr/bin/python3 make_binary_forms.py VP_TXT FOLDER

Each file is named for its form. Beside them: ibm.txt, the IBM files' values as segyio reads
them, one row a line (IBM floats hold fewer bits than some of Marmousi's floats); and files
that must be refused: mixed trace lengths, a 3-D volume, a trace cut short, a raw length that is
no whole number of values, an .npy array of rank 3.
"""
import os
import struct
import sys
import warnings

import numpy as np
import segyio

warnings.simplefilter("ignore")
vp_path, folder = sys.argv[1], sys.argv[2]
os.makedirs(folder, exist_ok=True)
vp = np.loadtxt(vp_path, dtype=np.float32)  # 174 rows of 500: decimal to double to float
nz, nx = vp.shape


def path(name):
    return os.path.join(folder, name)


def segy(name, fmt, endian, interval=20000, extended=0):
    """Each column a trace, CDP X rising by 20 m from 0."""
    layout = segyio.spec()
    layout.format, layout.endian = fmt, endian
    layout.samples, layout.tracecount, layout.ext_headers = list(range(nz)), nx, extended
    with segyio.create(path(name), layout) as f:
        for i in range(nx):
            f.header[i] = {
                segyio.TraceField.CDP_X: i * 20,
                segyio.TraceField.TRACE_SAMPLE_COUNT: nz,
                segyio.TraceField.TRACE_SAMPLE_INTERVAL: interval,
            }
            f.trace[i] = vp[:, i]
        f.bin.update(hdt=interval)


segy("ibm-be.sgy", 1, "big")
segy("ieee-be.sgy", 5, "big")
segy("ibm-le.sgy", 1, "little")
segy("ieee-le.sgy", 5, "little")
# A textual header in ASCII, its lines labelled with a lower-case c, most of them blank.
lines = ["c%2d" % n for n in range(1, 41)]
lines[0], lines[39] = "c 1 Marmousi-II Vp", "c40 END TEXTUAL HEADER"
data = bytearray(open(path("ieee-le.sgy"), "rb").read())
data[0:3200] = "".join(line.ljust(80) for line in lines).encode("ascii")
open(path("ieee-le.sgy"), "wb").write(data)
# Revision 2, little-endian by its byte-order word, with an extended textual header.
segy("rev2.sgy", 5, "little", interval=1250, extended=1)
data = bytearray(open(path("rev2.sgy"), "rb").read())
data[3296:3300] = struct.pack("<I", 0x01020304)
data[3500:3502] = bytes([2, 0])
open(path("rev2.sgy"), "wb").write(data)
# Seismic Unix: the traces of an IEEE file without its file headers, in either byte order.
for endian in ("le", "be"):
    open(path("traces-%s.su" % endian), "wb").write(
        open(path("ieee-%s.sgy" % endian), "rb").read()[3600:])
with segyio.open(path("ibm-be.sgy"), ignore_geometry=True) as f:
    ibm = f.trace.raw[:].T
np.savetxt(path("ibm.txt"), ibm, fmt="%.9g")

vp.astype("<f4").tofile(path("raw.f32le"))
vp.astype(">f8").tofile(path("raw.f64be"))
with open(path("records.f32be"), "wb") as f:  # as gfortran -fconvert=big-endian writes rows
    for row in vp:
        marker = struct.pack(">i", row.nbytes)
        f.write(marker + row.astype(">f4").tobytes() + marker)
np.save(path("c-order.npy"), vp)  # version 1.0
with open(path("fortran-order.npy"), "wb") as f:
    np.lib.format.write_array(f, np.asfortranarray(vp.astype(">f8")), version=(3, 0))
with open(path("x-first.npy"), "wb") as f:  # indexed [x, z], as many modelling codes do
    np.lib.format.write_array(f, vp.T.copy(), version=(2, 0))

# To be refused.
trace = 240 + 4 * nz
data = bytearray(open(path("ibm-be.sgy"), "rb").read())
mixed = bytearray(data)
mixed[3600 + 200 * trace + 114:3600 + 200 * trace + 116] = struct.pack(">H", 150)
open(path("mixed.sgy"), "wb").write(mixed)
open(path("cut.sgy"), "wb").write(data[:-100])
segyio.tools.from_array3D(path("cube.sgy"), np.full((3, 4, 10), 1500, dtype=np.float32))
open(path("odd.f32le"), "wb").write(vp.tobytes() + b"\0\0")
np.save(path("rank3.npy"), np.ones((2, nz, nx), dtype=np.float32))
