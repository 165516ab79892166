"""The benchmark grid in binary forms, written by segyio and numpy from its values.

    /usr/bin/python3 make_binary_grids.py VALUES NX FOLDER

VALUES holds the grid's values as little-endian 32-bit floats, row after row, NX a row (a grid
file's data block). Writes FOLDER/grid.npy, FOLDER/grid-ibm.sgy (a trace a column, IBM floats)
and FOLDER/grid-ibm.f32le, the SEG-Y file's values as segyio reads them, row after row.
"""
import sys
import warnings

import numpy as np
import segyio

warnings.simplefilter("ignore")
values, nx, folder = sys.argv[1], int(sys.argv[2]), sys.argv[3]
grid = np.fromfile(values, dtype="<f4").reshape(-1, nx)
np.save(folder + "/grid.npy", grid)
segyio.tools.from_array2D(folder + "/grid-ibm.sgy", grid.T, format=1, dt=1000)
with segyio.open(folder + "/grid-ibm.sgy", ignore_geometry=True) as f:
    f.trace.raw[:].T.astype("<f4").tofile(folder + "/grid-ibm.f32le")
