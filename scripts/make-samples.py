#!/usr/bin/env python3
"""Writes the sample text grids samples/vp.txt, samples/density.txt and samples/vs.txt.

One layered marine model, 120 nodes across by 40 deep at 25 m steps (3 km by 1 km): a water
layer over five sediment layers whose interfaces dip to the right, over a fast basement. Each
file holds 40 lines of 120 values, row by row from the top, in m/s and kg/m3. The output is
the same on every run.
"""

import math
import os
import sys

NX, NZ = 120, 40
STEP = 25.0  # metres, along X and Z
WIDTH = (NX - 1) * STEP

WATER_VP, WATER_DENSITY = 1500.0, 1030.0


def interface_depths(x):
    """Depths in metres of the sea floor and of the layer interfaces below it at x."""
    t = x / WIDTH
    bulge = 30.0 * math.exp(-(((x - 1800.0) / 500.0) ** 2))  # a gentle anticline at depth
    return [
        150.0 + 60.0 * t,           # sea floor
        290.0 + 90.0 * t,
        420.0 + 130.0 * t,
        560.0 + 150.0 * t - bulge,
        710.0 + 120.0 * t - bulge,
        860.0 + 60.0 * t,           # top of the basement
    ]


# Velocity at the top of each layer below the water, its gradient with depth (1/s) and Vp/Vs.
LAYERS = [
    (1750.0, 0.9, 2.0),
    (2100.0, 0.8, 1.95),
    (2550.0, 0.7, 1.9),
    (3050.0, 0.6, 1.8),
    (3600.0, 0.5, 1.75),
    (4500.0, 0.0, 1.73),  # basement
]


def node(x, z):
    """Vp (m/s), density (kg/m3) and Vs (m/s) at a node."""
    depths = interface_depths(x)
    if z < depths[0]:
        return WATER_VP, WATER_DENSITY, 0.0
    layer = max(i for i, top in enumerate(depths) if z >= top)
    top_vp, gradient, vp_vs = LAYERS[layer]
    vp = top_vp + gradient * (z - depths[layer])
    density = 310.0 * vp ** 0.25  # Gardner's relation
    return vp, density, vp / vp_vs


def write_grid(path, values):
    lines = []
    for row in range(NZ):
        lines.append(" ".join("%.1f" % v for v in values[row * NX:(row + 1) * NX]))
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    folder = os.path.join(root, "samples") if len(sys.argv) < 2 else sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    nodes = [node(ix * STEP, iz * STEP) for iz in range(NZ) for ix in range(NX)]
    for name, index in (("vp.txt", 0), ("density.txt", 1), ("vs.txt", 2)):
        write_grid(os.path.join(folder, name), [n[index] for n in nodes])


if __name__ == "__main__":
    main()
