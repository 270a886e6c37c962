"""Builds the Python module quilex for the interpreter that runs this, with the project's
CMake (pip install ., pip wheel .; pyproject.toml holds the metadata).

The package is the compiled module itself (quilex/__init__.<abi>.so) with its type stubs
and the py.typed marker: the extension's build configures the project in the build's
temporary folder, builds the one target quilex_python in Release, and puts the three files
where setuptools packs them. Needs CMake 3.18 or later, a C++20 compiler and pybind11 (Debian:
pybind11-dev; elsewhere the pybind11 Python package, whose CMake files are then used).
"""
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


def version():
    """The project's one version, from the header the C++ build reads it from."""
    text = (ROOT / "include" / "quilex" / "version.hpp").read_text()
    return re.search(r'#define QUILEX_VERSION "([^"]+)"', text).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = Path(self.build_temp).resolve() / "cmake"
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(build),
            "-DCMAKE_BUILD_TYPE=Release",
            f"-DPython3_EXECUTABLE={sys.executable}",
            "-DQUILEX_BUILD_TESTS=OFF",
            "-DQUILEX_BUILD_BENCHMARKS=OFF",
            "-DQUILEX_BUILD_PYTHON=ON",
        ]
        if shutil.which("ninja"):
            configure += ["-G", "Ninja"]
        try:
            import pybind11  # an isolated build's, or one installed with pip
            configure.append(f"-Dpybind11_DIR={pybind11.get_cmake_dir()}")
        except ImportError:
            pass  # Debian's pybind11-dev, found by CMake itself
        subprocess.run(configure, check=True)
        subprocess.run(["cmake", "--build", str(build), "--target", "quilex_python",
                        "--parallel", str(os.cpu_count() or 1)], check=True)
        built = build / "python" / "quilex"
        module = Path(self.get_ext_fullpath(ext.name))
        module.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(built / module.name, module)
        for name in ("__init__.pyi", "py.typed"):
            shutil.copy2(built / name, module.parent / name)


setup(
    version=version(),
    packages=[],
    py_modules=[],
    ext_modules=[Extension("quilex.__init__", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    zip_safe=False,
)
