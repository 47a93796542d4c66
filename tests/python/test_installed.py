"""The package as `cmake --install` lays it out: it imports from the prefix
alone and loads the library installed beside it."""

import os
import pathlib
import subprocess

from conftest import CHILD_DEADLINE_SECONDS, MAPPED_LIBRARIES, build_setting, child_environment, run_python
from counter_data import ONE_GROUP_IMAGE

SOURCE_PACKAGE = pathlib.Path(__file__).resolve().parents[2] / "python" / "krprof"

USE_KRPROF = (
    MAPPED_LIBRARIES
    + f"""
import krprof
print(krprof.__file__)
print(krprof.evaluate(bytes.fromhex("{ONE_GROUP_IMAGE.hex()}")))
print(*mapped_libraries())
"""
)


def _install(prefix, *options):
    subprocess.run(
        [build_setting("KRPROF_TEST_CMAKE"), "--install", build_setting("KRPROF_TEST_BUILD_DIR"), "--prefix", prefix]
        + list(options),
        check=True,
        capture_output=True,
        timeout=CHILD_DEADLINE_SECONDS,
    )


def test_installed_package_uses_the_library_of_its_prefix(tmp_path):
    prefix = tmp_path / "prefix"
    _install(prefix)
    package_dir = prefix / build_setting("KRPROF_TEST_PYTHON_INSTALL_DIR")
    library = prefix / build_setting("KRPROF_TEST_LIBDIR") / "libkrprof_host.so"

    child = run_python(USE_KRPROF, child_environment(PYTHONPATH=str(package_dir)), tmp_path)

    assert child.returncode == 0, child.stdout + child.stderr
    assert child.stdout.splitlines() == [
        str(package_dir / "krprof" / "__init__.py"),
        "300.0",
        os.path.realpath(library),
    ]


def test_python_component_holds_the_package_alone(tmp_path):
    prefix = tmp_path / "prefix"
    _install(prefix, "--component", "python")
    package_dir = pathlib.Path(build_setting("KRPROF_TEST_PYTHON_INSTALL_DIR")) / "krprof"
    installed = sorted(str(path.relative_to(prefix)) for path in prefix.rglob("*") if path.is_file())
    expected = sorted(str(package_dir / path.name) for path in SOURCE_PACKAGE.glob("*.py"))
    assert installed == sorted(expected + [str(package_dir / "_install_layout.py")])
