"""Builds the native part of the Python module mvg with CMake, from the repository's C++ code.

The CMake tree is build/python (Release, without the tests), or the one MVG_BUILD_DIR names, so
that an existing tree (the test suite's) builds only the module.
"""

import os
import re
import shutil
import subprocess
import sys
import sysconfig
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


def program_version() -> str:
    """The program's version, from the CMake project."""
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"project\(MorvTxtMvg VERSION ([0-9.]+)", text).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext: Extension) -> None:
        tree = Path(os.environ.get("MVG_BUILD_DIR", "build/python"))
        tree = tree if tree.is_absolute() else ROOT / tree
        configure = ["cmake", "-S", str(ROOT), "-B", str(tree), "-DMVG_PYTHON=ON",
                     f"-DPython_EXECUTABLE={os.path.realpath(sys.executable)}"]
        if not (tree / "CMakeCache.txt").exists():
            configure += ["-G", "Ninja" if shutil.which("ninja") else "Unix Makefiles",
                          "-DCMAKE_BUILD_TYPE=Release", "-DMVG_TESTS=OFF"]
        subprocess.run(configure, check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", str(tree), "--target", "mvg_python", "-j",
                        str(os.cpu_count() or 1)], check=True)
        built = tree / "python" / "mvg" / ("_mvg" + sysconfig.get_config_var("EXT_SUFFIX"))
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


setup(version=program_version(), ext_modules=[Extension("mvg._mvg", sources=[])],
      cmdclass={"build_ext": CMakeBuild})
