"""Builds and installs the morvek package with setuptools and pybind11:

    python3 -m venv --system-site-packages .venv
    .venv/bin/pip install --no-build-isolation ./python

The extension compiles the library's own sources from the source tree, as
the top-level CMakeLists.txt lists them for the target morvek_lib (the one
list of them), and morvek/version.h from its template and the project's
version there.
"""

import re
from pathlib import Path

from pybind11.setup_helpers import ParallelCompile, Pybind11Extension, build_ext
from setuptools import setup

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent
CMAKE_LISTS = (ROOT / "CMakeLists.txt").read_text()


def project_version():
    found = re.search(r"project\(morvek\s+VERSION\s+(\d+)\.(\d+)\.(\d+)", CMAKE_LISTS)
    if not found:
        raise RuntimeError("no project(morvek VERSION x.y.z) in CMakeLists.txt")
    return found.groups()


def library_sources():
    found = re.search(r"add_library\(morvek_lib\s+STATIC\s+([^)]*)\)", CMAKE_LISTS)
    if not found:
        raise RuntimeError("no add_library(morvek_lib STATIC ...) in CMakeLists.txt")
    sources = found.group(1).split()
    missing = [source for source in sources if not (ROOT / source).is_file()]
    if missing:
        raise RuntimeError(f"sources listed for morvek_lib are missing: {missing}")
    return ["../" + source for source in sources]  # setuptools wants them relative to this folder


def generated_include_dir():
    """build/generated/include, holding morvek/version.h as CMake writes it."""
    major, minor, patch = project_version()
    text = (ROOT / "include/morvek/version.h.in").read_text()
    for name, value in [("PROJECT_VERSION_MAJOR", major), ("PROJECT_VERSION_MINOR", minor),
                        ("PROJECT_VERSION_PATCH", patch), ("PROJECT_VERSION", f"{major}.{minor}.{patch}")]:
        text = text.replace(f"@{name}@", value)
    directory = HERE / "build" / "generated" / "include"
    header = directory / "morvek" / "version.h"
    header.parent.mkdir(parents=True, exist_ok=True)
    if not header.is_file() or header.read_text() != text:
        header.write_text(text)
    return directory


# At most two compiler processes at once, unless MORVEK_BUILD_JOBS says otherwise.
ParallelCompile("MORVEK_BUILD_JOBS", default=2).install()

extension = Pybind11Extension(
    "morvek._morvek",
    sources=["src/morvek_module.cpp", "src/column_conversion.cpp", *library_sources()],
    include_dirs=[str(ROOT / "include"), str(generated_include_dir()), str(ROOT / "src")],
    cxx_std=20,
    extra_compile_args=["-O3"],
)

setup(
    name="morvek",
    version=".".join(project_version()),
    description="Exact conversions between calendar dates, Era Days, Era seconds, Unix, FILE time and "
                "24 timestamp formats, for NumPy arrays, pandas and Dask",
    packages=["morvek"],
    package_data={"morvek": ["py.typed", "_morvek.pyi"]},
    ext_modules=[extension],
    cmdclass={"build_ext": build_ext},
    python_requires=">=3.9",
    install_requires=["numpy"],
    extras_require={"pandas": ["pandas"], "dask": ["dask[dataframe]", "distributed"]},
    zip_safe=False,
)
