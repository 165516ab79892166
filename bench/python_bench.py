"""The Python module's reading, side by side with numpy and pandas in one process:
  python_bench.py TEXT_GRID GRID_FILE RUNS
mvg.read_grid of the text grid against numpy.loadtxt (run once: it takes seconds) and
pandas.read_csv(engine="c") (when pandas is installed); mvg.read of the grid file against
numpy.fromfile, bare and with every value read once (a sum). Each result is checked equal."""

import statistics
import sys
import time

import numpy

import mvg

text_grid, grid_file, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])


def timed(call, times):
    """Medians of `times` runs: wall-clock seconds (with their range) and the process's CPU
    seconds (of every thread: a loaded machine stretches the first, hardly the second); and the
    last result."""
    walls, cpus = [], []
    for _ in range(times):
        wall, cpu = time.perf_counter(), time.process_time()
        result = call()
        walls.append(time.perf_counter() - wall)
        cpus.append(time.process_time() - cpu)
    return statistics.median(walls), min(walls), max(walls), statistics.median(cpus), result


def show(name, figures):
    median, least, most, cpu, _ = figures
    print(f"  {name}: median {median:.3f} s, range {least:.3f} to {most:.3f} s; CPU {cpu:.3f} s")


def against(name, ours, theirs, goal, faster=True):
    ratio = theirs[0] / ours[0] if faster else ours[0] / theirs[0]
    cpu = theirs[3] / ours[3] if faster else ours[3] / theirs[3]
    verdict = "met" if (ratio >= goal if faster else ratio <= goal) else "NOT MET"
    relation = f"{ratio:.2f}x faster than" if faster else f"{ratio:.2f}x the time of"
    sign = ">=" if faster else "<="
    print(f"  mvg {relation} {name} (goal {sign} {goal}x): {verdict}; in CPU time {cpu:.2f}x")


grid = timed(lambda: mvg.read_grid(text_grid).values, runs)
values = grid[4]
print(f"Text grid: {values.size:,} values ({values.shape[0]} x {values.shape[1]})")
show("mvg.read_grid", grid)
loadtxt = timed(lambda: numpy.loadtxt(text_grid, dtype=numpy.float32), 1)
show("numpy.loadtxt, once", loadtxt)
assert numpy.array_equal(loadtxt[4], values)
against("numpy.loadtxt", grid, loadtxt, 5)
try:
    import pandas
except ImportError:
    print("  pandas: not installed")
else:
    csv = timed(lambda: pandas.read_csv(text_grid, sep=" ", header=None, engine="c",
                                        dtype=numpy.float32).to_numpy(), runs)
    show(f"pandas {pandas.__version__} read_csv(engine=\"c\", dtype=float32)", csv)
    assert numpy.array_equal(csv[4], values)
    against("pandas.read_csv", grid, csv, 3)

model = mvg.read(grid_file)
count = model.nx * model.nz
print(f"Grid file: {count:,} values of {model.properties}, "
      f"{'memory-mapped' if model._file.mapped else 'copied'}")
fromfile = lambda: numpy.fromfile(grid_file, dtype="<f4", offset=296).reshape(model.nz, model.nx)
bare = timed(lambda: mvg.read(grid_file).vp, runs)
bare_numpy = timed(fromfile, runs)
show("mvg.read", bare)
show("numpy.fromfile", bare_numpy)
against("numpy.fromfile", bare, bare_numpy, 2, faster=False)
summed = timed(lambda: mvg.read(grid_file).vp.sum(dtype=numpy.float64), runs)
summed_numpy = timed(lambda: fromfile().sum(dtype=numpy.float64), runs)
show("mvg.read, every value read (sum)", summed)
show("numpy.fromfile, every value read (sum)", summed_numpy)
assert summed[4] == summed_numpy[4]
against("numpy.fromfile with every value read", summed, summed_numpy, 2, faster=False)
