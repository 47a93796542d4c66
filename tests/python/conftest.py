"""Shared helpers of the Python tests: the settings ctest hands them, and
child interpreters with a deadline for scenarios that load the library anew."""

import os
import subprocess
import sys

import pytest

# Loading the library in a child takes well under a second; a child that
# hangs fails its test after this long.
CHILD_DEADLINE_SECONDS = 120

# Child code: the files of libkrprof_host.so mapped into the process.
MAPPED_LIBRARIES = """
def mapped_libraries():
    with open('/proc/self/maps') as maps:
        return sorted({line.split()[-1] for line in maps if line.rstrip().endswith('/libkrprof_host.so')})
"""


def build_setting(name):
    """A setting of the build tree that ctest passes in the environment."""
    value = os.environ.get(name)
    if not value:
        pytest.fail(f"{name} is not set: run the Python tests with ctest in a build tree")
    return value


def child_environment(**settings):
    """This process's environment without what tells krprof where the package
    and the library are, plus `settings`."""
    environment = {
        name: value
        for name, value in os.environ.items()
        if name not in ("KRPROF_LIBRARY", "PYTHONPATH", "LD_LIBRARY_PATH")
    }
    environment.update(settings)
    return environment


def run_python(code, environment, cwd):
    """Runs `code` in a child python3 and returns the completed process."""
    return subprocess.run(
        [sys.executable, "-c", code],
        env=environment,
        cwd=cwd,
        capture_output=True,
        text=True,
        timeout=CHILD_DEADLINE_SECONDS,
    )
