"""The Python module mvg against numpy (an independent reader and writer of the numbers) and
against mvgtool (the same conversion): the binding, not the readers again."""

import gzip
import os
import random
import subprocess
import sys
from pathlib import Path

import numpy
import pytest

import mvg

ROOT = Path(__file__).resolve().parents[2]
MARMOUSI = ROOT / "samples" / "marmousi2"
MVGTOOL = Path(os.environ.get("MVG_TOOL", ROOT / "build" / "native" / "src" / "cli" / "mvgtool"))


def mvgtool(*args):
    if not MVGTOOL.exists():
        pytest.skip(f"no mvgtool at {MVGTOOL} (MVG_TOOL)")
    return subprocess.run([str(MVGTOOL), *map(str, args)], capture_output=True, text=True)


@pytest.fixture(scope="module")
def marmousi():
    return {name: numpy.loadtxt(MARMOUSI / f"{name}.txt") for name in ("vp", "density", "vs")}


@pytest.mark.parametrize("dtype", [numpy.float16, numpy.float32, numpy.float64,
                                   numpy.longdouble, numpy.int32])
@pytest.mark.parametrize("order", ["C", "F"])
def test_arrays_come_back_exactly_as_float32(tmp_path, marmousi, dtype, order):
    given = {name: numpy.array(values[::6, ::20], dtype=dtype, order=order)
             for name, values in marmousi.items()}
    summary = mvg.write(tmp_path / "m.mvg", **given, dx=20, dz=20)
    model = mvg.read(tmp_path / "m.mvg")
    assert (summary.nx, summary.nz, summary.properties) == (25, 29, "PQR")
    assert (model.nx, model.nz, model.dx, model.properties) == (25, 29, 20, "PQR")
    for name, values in given.items():
        numpy.testing.assert_array_equal(getattr(model, name), values.astype(numpy.float32))
    assert model.stability().fastest == given["vp"].astype(numpy.float32).max()


@pytest.mark.parametrize("keywords, options", [
    ({}, []),
    (dict(x_from=100, z_from=20, nx_write=200), ["--x-from", 100, "--z-from", 20, "--nx-write", 200]),
    (dict(density="gardner", vs="vp/1.73", resample=(40, 30), pad=(10, 10, 0, 20), force=True),
     ["--density", "gardner", "--vs", "vp/1.73", "--resample", 40, 30, "--pad", "10,10,0,20",
      "--force"]),
    (dict(vs="mudrock", water_vp=1510, water_density=1000, z_from=3),
     ["--vs", "mudrock", "--water-vp", 1510, "--water-density", 1000, "--z-from", 3]),
])
def test_write_makes_the_bytes_of_mvgtool_convert(tmp_path, marmousi, keywords, options):
    arrays = {name: values for name, values in marmousi.items() if name not in keywords}
    mvg.write(tmp_path / "python.mvg", **arrays, **keywords, dx=20, dz=20)
    files = [arg for name in arrays for arg in (f"--{name}", MARMOUSI / f"{name}.txt")]
    run = mvgtool("convert", *files, *options, "--dx", 20, "--dz", 20, "-o", tmp_path / "tool.mvg")
    assert run.returncode == 0, run.stderr
    assert (tmp_path / "python.mvg").read_bytes() == (tmp_path / "tool.mvg").read_bytes()


def test_findings_write_nothing_unless_forced(tmp_path, marmousi):
    output = tmp_path / "m.mvg"
    with pytest.raises(mvg.Findings) as found:
        mvg.write(output, vp=marmousi["vp"] / 1000, dx=20, dz=0.02)
    assert found.value.findings == ["vp holds 1.5 to 4.77: that looks like km/s, not m/s.",
                                    "dz 0.02: a step in km?"]
    assert isinstance(found.value, mvg.Refused) and not output.exists()
    summary = mvg.write(output, vp=marmousi["vp"] / 1000, dx=20, dz=0.02, force=True)
    assert summary.findings == found.value.findings
    assert mvg.read(output).vp.max() == numpy.float32(4.7666)


def test_a_figure_the_values_leave_unknown_is_none(tmp_path):
    vp = numpy.full((4, 5), 2000.0)
    vp[1, 2] = 1.8e38
    mvg.write(tmp_path / "m.mvg", vp=vp, dx=20, dz=20, force=True)
    report = mvg.read(tmp_path / "m.mvg").stability()
    assert (report.slowest, report.huge_vp, report.fastest, report.time_step_2) == (2000, 1, None, None)
    assert report.frequency_5 == pytest.approx(2000 / 100)


def rows_of_text():
    return [line.split() for line in (MARMOUSI / "vp.txt").read_text().splitlines()]


def text_forms():
    """Marmousi-II's Vp in each text form the README names: (name, bytes, read_grid options)."""
    rows = rows_of_text()
    lines = lambda rows, between=" ": "".join(between.join(row) + "\n" for row in rows)
    plain = lines(rows)
    commas = [[value.replace(".", ",") for value in row] for row in rows]
    nodes = [(x * 20, z * 20, value) for z, row in enumerate(rows) for x, value in enumerate(row)]
    random.Random(30).shuffle(nodes)
    triplets = lambda between, comma: "".join(
        f"{x}{between}{z}{between}{value.replace('.', ',') if comma else value}\n"
        for x, z, value in nodes)
    esri = "ncols 500\nnrows 174\nxllcorner 0\nyllcorner 0\n"
    axes = [["0"] + [str(x * 20) for x in range(500)]] + [
        [str(z * 20)] + row for z, row in enumerate(rows)]
    columns = [list(column) for column in zip(*rows)]
    return [
        ("comments and a title", "# Marmousi-II\n% Vp\nvp in m/s\n" + plain + "# end\n", {}),
        ("ESRI, cellsize", esri + "cellsize 20\nnodata_value -9999\n" + plain, {}),
        ("ESRI, dx and dy", esri + "dx 20\ndy 20\n" + plain, {}),
        ("Surfer", "DSAA\n500 174\n0 9980\n0 3460\n1500 4766.6\n" + lines(rows), {}),
        ("matrix with axes", lines(axes), {}),
        ("depths beside", lines(axes[1:]), {"skip_columns": 1}),
        ("matrix as plain", lines(axes), {"form": "plain", "skip_columns": 1, "skip_rows": 1}),
        ("triplets", "x z vp\n" + triplets(" ", False), {}),
        ("triplets, semicolons", triplets(";", True), {}),
        ("UTF-16 LE", "\ufeff" + plain, {"encoding": "utf-16-le"}),
        ("semicolons", lines(commas, ";"), {}),
        ("decimal commas", lines(commas), {}),
        ("decimal commas, chosen", lines(commas), {"decimal_comma": True}),
        ("columns", lines(columns), {"order": "columns"}),
        ("bottom up", lines(rows[::-1]), {"flip_z": True}),
        ("gzip", plain, {"gzip": True}),
    ]


@pytest.fixture(scope="module")
def binary_forms(tmp_path_factory):
    """Marmousi-II's Vp written by numpy and segyio (make_binary_forms.py), and as raw floats
    after a header of 100 bytes."""
    folder = tmp_path_factory.mktemp("binary")
    subprocess.run([sys.executable, ROOT / "tests" / "support" / "make_binary_forms.py",
                    MARMOUSI / "vp.txt", folder], check=True)
    (folder / "header.f32le").write_bytes(bytes(100) + (folder / "raw.f32le").read_bytes())
    return folder


BINARY_FORMS = [
    ("SEG-Y", "ieee-be.sgy", {}),
    ("Seismic Unix", "traces-le.su", {}),
    (".npy", "fortran-order.npy", {}),
    ("raw floats after a header", "header.f32le", {"raw": "f32le", "nx": 500, "skip_bytes": 100}),
]


@pytest.mark.parametrize("name, source, options", text_forms() + BINARY_FORMS,
                         ids=[f[0] for f in text_forms() + BINARY_FORMS])
def test_read_grid_reads_every_form_as_the_plain_grid(request, tmp_path, name, source, options):
    options = dict(options)
    if source in (form[1] for form in BINARY_FORMS):
        path = request.getfixturevalue("binary_forms") / source
    else:
        data = source.encode(options.pop("encoding", "utf-8"))
        path = tmp_path / "vp.txt"
        path.write_bytes(gzip.compress(data) if options.pop("gzip", False) else data)
    grid = mvg.read_grid(path, **options)
    plain = numpy.loadtxt(MARMOUSI / "vp.txt", dtype=numpy.float32)
    numpy.testing.assert_array_equal(grid.values, plain)
    assert grid.values.dtype == numpy.float32 and grid.findings == []
    if grid.dx is not None:
        assert (grid.dx, grid.dz) == (20, 20)


def test_read_grid_hands_on_the_x_size_it_is_given_and_the_findings(tmp_path):
    path = tmp_path / "vp.txt"
    path.write_text("".join(" ".join(row) + "\n" for row in rows_of_text()))
    grid = mvg.read_grid(path, nx=348)
    assert grid.values.shape == (250, 348)
    assert grid.nx_said == "nx 348" and grid.findings and "348" in grid.findings[0]


def refusals(tmp_path):
    """(what Python is given, mvgtool's run on the same input)."""
    (tmp_path / "bad.txt").write_text("1500 1600\n1700 17OO\n")
    short = tmp_path / "short.mvg"
    mvg.write(short, vp=numpy.full((3, 4), 1500.0), dx=20, dz=20)
    short.write_bytes(short.read_bytes()[:-4])
    os.mkfifo(tmp_path / "pipe")
    read_grid = lambda name: (lambda: mvg.read_grid(tmp_path / name), ("sizes", tmp_path / name))
    read = lambda name: (lambda: mvg.read(tmp_path / name), ("info", tmp_path / name))
    return [read_grid("bad.txt"), read("short.mvg"), read("pipe"), read_grid("pipe"),
            read(""), read_grid("missing.txt")]


def test_a_refused_input_raises_the_programs_message(tmp_path):
    for call, command in refusals(tmp_path):
        run = mvgtool(*command)
        assert run.returncode == 1
        with pytest.raises(mvg.Refused) as refused:
            call()
        assert "mvgtool: " + str(refused.value) == run.stderr.strip()


@pytest.mark.parametrize("content, keyword", [
    ("1,500 1,600\n1,700 1,800\n", "; decimal_comma=True reads commas as decimal marks"),
    ("DSAA\n4 3\n0 60\n-20 20\n1500 1503\n" + "1500 1501 1502 1503\n" * 3,
     "; flip_z=True reads it as elevation"),
    ("".join(f"{z * 20 + 10} 1500 1600 1700\n" for z in range(6)), "depths? skip_columns=1 leaves"),
    (bytes(range(4)) * 7, '; raw="f32le", "f32be", "f64le" or "f64be" (with nx) reads it'),
])
def test_reading_names_the_keyword_that_decides(tmp_path, content, keyword):
    path = tmp_path / "vp"
    path.write_bytes(content if isinstance(content, bytes) else content.encode())
    try:
        said = mvg.read_grid(path).findings
    except mvg.Refused as refused:
        said = [str(refused)]
    assert any(keyword in each for each in said) and "--" not in "".join(said), said


@pytest.mark.parametrize("fill, units", [("nearest", "m/s"), (2.5, "km/s")])
def test_nan_are_holes_filled_or_refused_as_mvgtool_does(tmp_path, marmousi, fill, units):
    vp = marmousi["vp"] / (1000 if units == "km/s" else 1)
    vp.flat[::997] = numpy.nan
    numpy.savetxt(tmp_path / "vp.txt", vp, fmt="%.17g")
    tool = ["--vp", tmp_path / "vp.txt", "--vp-units", units, "--dx", 20, "--dz", 20, "-o"]
    run = mvgtool("convert", *tool, tmp_path / "tool.mvg")
    with pytest.raises(mvg.Refused) as refused:
        mvg.write(tmp_path / "python.mvg", vp=vp, units={"vp": units}, dx=20, dz=20)
    assert "mvgtool: " + str(refused.value) == run.stderr.strip().replace(
        "--fill-holes", "fill_holes").replace(f"--vp {tmp_path / 'vp.txt'}", "vp")
    assert not (tmp_path / "python.mvg").exists()
    run = mvgtool("convert", *tool, tmp_path / "tool.mvg", "--fill-holes", fill)
    assert run.returncode == 0, run.stderr
    mvg.write(tmp_path / "python.mvg", vp=vp, units={"vp": units}, dx=20, dz=20, fill_holes=fill)
    assert (tmp_path / "python.mvg").read_bytes() == (tmp_path / "tool.mvg").read_bytes()


@pytest.mark.parametrize("call, message", [
    (dict(vp=numpy.full((2, 3), 1500.0), density=numpy.full((3, 2), 2000.0)),
     "density holds 3 x 2 values (nz x nx), but vp holds 2 x 3: give arrays of one shape"),
    (dict(vp=numpy.full((2, 3), 1500.0), x_from=3),
     "x_from: The window's X nodes 3 to 3 leave the grid, whose last X node is 2."),
    (dict(vp=numpy.full((2, 3), 1500.0), vs="vp/0.9"),
     "vs: Vs = Vp / 0.9 puts Vs at or above Vp: the ratio must be greater than 1."),
    (dict(vp=numpy.full((2, 3), 1500.0), units={"vp": "mph"}),
     'units["vp"] must be m/s, ft/s or km/s, not "mph"'),
    (dict(density=numpy.full((2, 3), 2000.0), water_vp=1500),
     'water_vp applies only to the rules density="gardner", vs="vp/R" and vs="mudrock"'),
])
def test_a_refused_write_names_the_keyword_and_writes_nothing(tmp_path, call, message):
    with pytest.raises(mvg.Refused) as refused:
        mvg.write(tmp_path / "m.mvg", **call, dx=20, dz=20)
    assert str(refused.value) == message and not (tmp_path / "m.mvg").exists()


def test_a_model_is_never_written_over_the_file_it_is_read_from(tmp_path, marmousi):
    path = tmp_path / "m.mvg"
    mvg.write(path, vp=marmousi["vp"], dx=20, dz=20)
    before = path.read_bytes()
    model = mvg.read(path)
    with pytest.raises(mvg.Refused, match="would replace the input file vp"):
        mvg.write(tmp_path / "." / "m.mvg", vp=model.vp[10:], dx=20, dz=20)
    assert path.read_bytes() == before
    mvg.write(path, vp=model.vp * 2, dx=20, dz=20, force=True)
    assert mvg.read(path).vp[0, 0] == 3000


def test_the_version_is_the_programs():
    assert mvgtool("--version").stdout.split() == ["mvgtool", mvg.__version__]
