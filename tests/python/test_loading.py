"""How `import krprof` finds the library, and the error when it cannot.
Each scenario imports the package in a child python3 with a deadline."""

import os
import pathlib

import pytest
from conftest import MAPPED_LIBRARIES, build_setting, child_environment, run_python

SOURCE_PACKAGE_DIR = str(pathlib.Path(__file__).resolve().parents[2] / "python")

# Exits 3 with the ImportError's message, or 0 printing the image size and
# the library file the process mapped.
IMPORT_KRPROF = (
    MAPPED_LIBRARIES
    + """
import sys
try:
    import krprof
except ImportError as error:
    print(error)
    sys.exit(3)
print(len(krprof.config_image()))
print(*mapped_libraries())
"""
)


def _not_a_library(folder):
    path = folder / "libkrprof_host.so"
    path.write_text("not a shared object, only text\n" * 8)
    return str(path)


# What KRPROF_LIBRARY names -> what the loader's complaint says.
UNLOADABLE = {
    "missing file": (lambda folder: str(folder / "missing" / "libkrprof_host.so"), "No such file or directory"),
    "not a library": (_not_a_library, "invalid ELF header"),
    "another library": (lambda folder: "libm.so.6", "undefined symbol: TPRF_RawMetricsConfig_GetConfigImage"),
}


@pytest.mark.parametrize("where, complaint", UNLOADABLE.values(), ids=UNLOADABLE.keys())
def test_a_library_that_cannot_be_loaded_is_one_clear_import_error(tmp_path, where, complaint):
    library = where(tmp_path)
    child = run_python(
        IMPORT_KRPROF, child_environment(PYTHONPATH=SOURCE_PACKAGE_DIR, KRPROF_LIBRARY=library), tmp_path
    )
    assert child.returncode == 3, child.stdout + child.stderr
    message = child.stdout
    assert message.startswith("krprof cannot load libkrprof_host.so. Tried:\n")
    assert "Set KRPROF_LIBRARY to the library's path" in message
    # With KRPROF_LIBRARY set, nothing else is tried.
    (tried,) = [line for line in message.splitlines() if line.startswith("  ")]
    assert tried.startswith(f"  {library} (KRPROF_LIBRARY={library}): ")
    assert complaint in tried


def test_without_krprof_library_the_system_loader_finds_it_by_soname(tmp_path):
    library = os.path.realpath(build_setting("KRPROF_LIBRARY"))
    environment = child_environment(PYTHONPATH=SOURCE_PACKAGE_DIR, LD_LIBRARY_PATH=os.path.dirname(library))
    child = run_python(IMPORT_KRPROF, environment, tmp_path)
    assert child.returncode == 0, child.stdout + child.stderr
    assert child.stdout.splitlines() == ["63", library]
