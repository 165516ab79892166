"""Model grids for Morvelan from Python, with the same code as mvgtool.

read(path)        a grid file (.mvg): its header and each property as a (nz, nx) float32
                  array, read in place (memory-mapped) where the file allows.
read_grid(path)   a grid in any form mvgtool reads (text, SEG-Y, .npy, raw floats...), as
                  a (nz, nx) float32 array with its form, the steps it states and the
                  findings about it.
write(path, ...)  numpy arrays written as a grid file through mvgtool convert's conversion:
                  the same checks, findings, preparation and bytes.

Refusals raise Refused with the program's message; findings raise Findings (a Refused),
unless write is given force=True.
"""

from __future__ import annotations

import os
from dataclasses import dataclass
from typing import List, Mapping, Optional, Sequence, Tuple, Union

import numpy

from . import _mvg

__version__: str = _mvg.__version__
__all__ = ["read", "read_grid", "write", "Model", "Grid", "Summary", "Stability",
           "Refused", "Findings", "__version__"]

Path = Union[str, "os.PathLike[str]"]
Refused = _mvg.Refused
Refused.__module__ = __name__
Refused.__doc__ = "The program refused: the message says why, as mvgtool says it."


class Findings(Refused):
    """What most likely makes a wrong model was found, and nothing was written.

    findings holds each one as a sentence; write(..., force=True) writes anyway.
    """

    def __init__(self, findings: Sequence[str]):
        self.findings: List[str] = list(findings)
        super().__init__("\n".join(self.findings + [
            "nothing written; force=True writes the grid file anyway"]))


@dataclass(frozen=True)
class Stability:
    """The stability report for finite-difference modelling, as numbers (m/s, m, Hz, s).

    slowest and the frequencies, fastest and the time steps are None where the values leave
    them unknown (no Vp; NaN, infinities or 1.70141e38 and more among the velocities, counted
    in nan_vp, huge_vp and nan_vs); lines is the report as mvgtool prints it.
    """

    slowest: Optional[float]
    slowest_is_vs: bool
    fastest: Optional[float]
    larger_step: float
    smaller_step: float
    frequency_5: Optional[float]
    frequency_10: Optional[float]
    time_step_2: Optional[float]
    time_step_4: Optional[float]
    nan_vp: int
    huge_vp: int
    nan_vs: int
    lines: List[str]

    def __str__(self) -> str:
        return "\n  ".join(self.lines)


def _stability(figures: Optional[dict]) -> Optional[Stability]:
    return None if figures is None else Stability(**figures)


class Model:
    """A grid file read by read(): header fields, and each property as a (nz, nx) array.

    vp, density and vs are float32 arrays (None for a property the file does not hold), the
    first row the top; read in place from the file where it can be mapped, and then read-only
    (copy one to change it). As with any memory map, a file cut short while its arrays are in
    use ends the process; mvg.write and mvgtool replace a file whole, which leaves the arrays
    read from the file before as they were.
    """

    def __init__(self, file: "_mvg.GridFile"):
        self._file = file
        self.path: str = file.path
        self.nx: int = file.nx
        self.nz: int = file.nz
        self.dx: float = file.dx
        self.dz: float = file.dz
        self.x_extent: float = file.x_extent
        self.z_extent: float = file.z_extent
        self.properties: str = file.properties
        """The property codes, in the file's order: P (Vp), Q (density), R (Vs)."""
        arrays = dict(zip(file.properties, file.arrays()))
        self.vp: Optional[numpy.ndarray] = arrays.get("P")
        self.density: Optional[numpy.ndarray] = arrays.get("Q")
        self.vs: Optional[numpy.ndarray] = arrays.get("R")

    def stability(self) -> Optional[Stability]:
        """The stability report of the file, as mvgtool info gives it; None without velocities."""
        return _stability(self._file.stability())

    def __repr__(self) -> str:
        return (f"Model({self.path!r}: nx {self.nx}, nz {self.nz}, dx {self.dx:g}, "
                f"dz {self.dz:g}, properties {self.properties})")


@dataclass(eq=False)
class Grid:
    """A grid read by read_grid().

    values: (nz, nx) float32 array, the first row the top; form: the form read, as mvgtool
    sizes names it; skipped: the lines passed over; nx_said: where the X size comes from;
    dx, dz: the steps the file states (None when it states none); findings: what most likely
    makes a wrong model, each a sentence (none is refused here; write refuses them).
    """

    values: numpy.ndarray
    form: str
    skipped: str
    nx_said: str
    dx: Optional[float]
    dz: Optional[float]
    findings: List[str]

    @property
    def nx(self) -> int:
        return self.values.shape[1]

    @property
    def nz(self) -> int:
        return self.values.shape[0]


@dataclass(frozen=True)
class Summary:
    """What write() wrote: the file's header fields and length, the findings force=True
    overrode, what was done to the model (one sentence a step) and its stability report."""

    path: str
    nx: int
    nz: int
    dx: float
    dz: float
    properties: str
    bytes: int
    findings: List[str]
    prepared: List[str]
    stability: Optional[Stability]

    def __str__(self) -> str:
        lines = [f"Wrote {self.path}: nx {self.nx}, nz {self.nz}, properties "
                 f"{self.properties}, {self.bytes} bytes"]
        lines += [f"force overrode: {finding}" for finding in self.findings]
        lines += self.prepared
        if self.stability is not None:
            lines.append(str(self.stability))
        return "\n".join(lines)


def read(path: Path) -> Model:
    """Read the grid file at path: its header and every property it holds.

    Refused (mvg.Refused) as mvgtool info refuses: a file that is not a grid file, whose length
    does not match its header, a folder, a named pipe.

    Example:
        model = mvg.read("marmousi2.mvg")
        print(model.nx, model.nz, model.dx, model.vp.max())
        print(model.stability())
    """
    return Model(_mvg.GridFile(os.fspath(path)))


def read_grid(path: Path, nx: Optional[int] = None, order: Optional[str] = None,
              flip_z: bool = False, decimal_comma: bool = False, form: Optional[str] = None,
              skip_columns: Optional[int] = None, skip_rows: Optional[int] = None,
              coordinates: Optional[str] = None, raw: Optional[str] = None,
              skip_bytes: Optional[int] = None) -> Grid:
    """Read a grid in any form mvgtool reads, with mvgtool convert's reading options.

    The form is told from the file: text (plain numbers, comment and title lines, ESRI and
    Surfer ASCII grids, a matrix with axes, x z value triplets, UTF-16, decimal commas,
    gzip-compressed) or binary (SEG-Y, Seismic Unix, numpy's .npy); raw values when raw says
    so. The X size is nx, else the one the file states, else the one its lines show (a guess
    of one is a finding). Holes hold a no-data marker: a form's own (nodata_value -9999), or
    Surfer's blank, 1.70141e38, for NaN; the findings count them.

    nx:             the X size (values a row)
    order:          "rows" (default) or "columns": one vertical profile after another
    flip_z:         the rows come from the bottom up
    decimal_comma:  every comma is a decimal mark
    form:           "plain", "esri", "surfer", "triplets" or "matrix": read in this form, not
                    the one told from the text
    skip_columns, skip_rows: leave out the first N columns (values of every line) and rows
                    (lines of values), as depths or x coordinates beside the values
    coordinates:    "m" (default) or "km": the unit of the coordinates a file states (an ESRI
                    grid's cellsize, a Surfer grid's x and y, triplets' x and z, a matrix's axes)
    raw:            "f32le", "f32be", "f64le" or "f64be": the file is raw floats of this type
                    (32- or 64-bit, little- or big-endian); Fortran records give the row
                    length, else give nx
    skip_bytes:     of raw values: pass over a header of N bytes first

    Read on the program's worker threads, without holding the interpreter's lock.

    Example:
        grid = mvg.read_grid("vp.asc")
        print(grid.form, grid.dx, grid.values.shape, grid.findings)
        grid = mvg.read_grid("vp.bin", raw="f32le", nx=500)
    """
    read = _mvg.read_grid(os.fspath(path), dict(
        nx=nx, order=order, flip_z=flip_z, decimal_comma=decimal_comma, form=form,
        skip_columns=skip_columns, skip_rows=skip_rows, coordinates=coordinates, raw=raw,
        skip_bytes=skip_bytes))
    return Grid(**read)


_Array = Union[numpy.ndarray, Sequence[Sequence[float]]]


def _mapped_file(array: object) -> str:
    """The grid file an array is a view of (from read()), or ""."""
    while array is not None:
        if isinstance(array, _mvg.GridFile):
            return array.path
        array = getattr(array, "base", None)
    return ""


def _held(name: str, given: _Array) -> Tuple[numpy.ndarray, str]:
    array = numpy.asarray(given)
    if array.dtype.kind not in "fiu":
        raise TypeError(f"{name} must be an array of real numbers, not of {array.dtype}")
    if array.ndim != 2:
        raise Refused(f"{name} must be a 2-D array (nz, nx), not one of shape {array.shape}")
    return numpy.ascontiguousarray(array, dtype=numpy.float32), _mapped_file(given)


def write(path: Path, vp: Optional[_Array] = None,
          density: Union[_Array, str, None] = None, vs: Union[_Array, str, None] = None, *,
          dx: float, dz: float, units: Optional[Mapping[str, str]] = None,
          force: bool = False, x_from: Optional[int] = None, z_from: Optional[int] = None,
          nx_write: Optional[int] = None, nz_write: Optional[int] = None,
          fill_holes: Union[str, float, None] = None, water_vp: Optional[float] = None,
          water_density: Optional[float] = None,
          resample: Optional[Tuple[float, float]] = None,
          pad: Optional[Tuple[int, int, int, int]] = None) -> Summary:
    """Write a grid file from (nz, nx) arrays, the first row the top, as mvgtool convert does.

    The arrays may be of any real dtype, in C or Fortran order; all of one shape. Each value is
    rounded to float32 (as numpy's astype does); the file holds m/s and kg/m3. Written through
    the one conversion call of mvgtool: the same checks (a refusal raises mvg.Refused), the same
    findings (they raise mvg.Findings and nothing is written, unless force=True), the same
    preparation, a file replaced only once the new one is complete, and never one an array is
    read from. For the same values and options, the bytes mvgtool convert writes.

    vp, density, vs:  arrays; density may be "gardner" (Gardner's relation on Vp), vs
                      "mudrock" or "vp/1.73" (Vp / a ratio above 1)
    dx, dz:           the grid steps in m
    units:            the unit of each array, e.g. {"vp": "km/s", "density": "g/cc"}: m/s,
                      ft/s or km/s; kg/m3, g/cm3 (g/cc) or lb/ft3
    force:            write despite the findings (Summary.findings lists them)
    x_from, z_from:   the window's first node (numbered from 0)
    nx_write, nz_write: the window's sizes (default: to the grid's last column and row)
    fill_holes:       "nearest", or a value in the array's unit, for the holes: NaN and
                      no-data markers (NaN are refused unless filled)
    water_vp, water_density: with a rule, the water's Vp limit (m/s) and density (kg/m3)
    resample:         (DX, DZ), new steps in m, by bilinear interpolation
    pad:              (LEFT, RIGHT, TOP, BOTTOM), a border of nodes repeating the edges

    Returns the Summary: header fields, bytes, the findings overridden, each preparation step,
    the stability report.

    Example:
        vp = numpy.loadtxt("samples/marmousi2/vp.txt")
        summary = mvg.write("model.mvg", vp=vp, density="gardner", vs="mudrock",
                            dx=20, dz=20, pad=(10, 10, 0, 10))
        print(summary)
    """
    arrays = {}
    keywords = dict(dx=dx, dz=dz, x_from=x_from, z_from=z_from, nx_write=nx_write,
                    nz_write=nz_write, fill_holes=fill_holes, water_vp=water_vp,
                    water_density=water_density, resample=resample, pad=pad)
    for name, given in (("vp", vp), ("density", density), ("vs", vs)):
        if isinstance(given, str) and name != "vp":
            keywords[name] = given
        elif given is not None:
            arrays[name] = _held(name, given)
    written = _mvg.write(os.fspath(path), arrays, dict(units or {}), keywords, force)
    if not written.pop("written"):
        raise Findings(written["findings"])
    written["stability"] = _stability(written["stability"])
    return Summary(**written)
