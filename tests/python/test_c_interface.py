"""The package's declarations mirror the C interface: the parameter blocks
as the C compiler lays them out, and the status codes of the header."""

import ctypes
import pathlib
import re
import subprocess

import krprof
import pytest
from conftest import CHILD_DEADLINE_SECONDS, build_setting
from krprof import _blocks

HEADER = pathlib.Path(__file__).resolve().parents[2] / "include" / "krprof" / "tprf_common.h"

DECLARED_BLOCKS = [
    value for value in vars(_blocks).values() if isinstance(value, type) and issubclass(value, ctypes.Structure)
]


@pytest.fixture(scope="module")
def c_layout():
    """{block: (size, {field: (offset, size)} in declaration order)} from the C compiler."""
    output = subprocess.run(
        [build_setting("KRPROF_TEST_BLOCK_LAYOUT")],
        check=True,
        capture_output=True,
        text=True,
        timeout=CHILD_DEADLINE_SECONDS,
    ).stdout
    layout = {}
    for line in output.splitlines():
        name, *numbers = line.split()
        block, _, field = name.partition(".")
        if field:
            layout[block][1][field] = tuple(int(number) for number in numbers)
        else:
            layout[block] = (int(numbers[0]), {})
    return layout


def test_every_block_of_the_layout_program_is_declared(c_layout):
    assert sorted(c_layout) == sorted(block.__name__ for block in DECLARED_BLOCKS)


@pytest.mark.parametrize("block", DECLARED_BLOCKS, ids=lambda block: block.__name__)
def test_block_has_the_c_layout(block, c_layout):
    size, fields = c_layout[block.__name__]
    declared = {name: (getattr(block, name).offset, getattr(block, name).size) for name, _ in block._fields_}
    assert ctypes.sizeof(block) == size
    assert list(declared.items()) == list(fields.items())


def test_status_has_every_code_of_the_header():
    header = dict(re.findall(r"\bTPRA_STATUS_(\w+) = (\d+)", HEADER.read_text()))
    count = int(header.pop("_COUNT"))
    assert {status.name: status.value for status in krprof.Status} == {
        name: int(value) for name, value in header.items()
    }
    assert len(krprof.Status) == count
    assert krprof.Status.INVALID_ARGUMENT.c_name == "TPRA_STATUS_INVALID_ARGUMENT"
