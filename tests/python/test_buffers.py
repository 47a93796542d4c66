"""Every kind of bytes-like object is read in place: same value, and the
library is handed the object's own bytes, not a copy."""

import array
import contextlib
import mmap
import re

import krprof
import numpy
import pytest
from counter_data import ONE_GROUP_IMAGE, ONE_GROUP_READ_SECTORS
from krprof._image_buffer import image_bytes


def _file_mmap(data, folder):
    path = folder / "image.bin"
    path.write_bytes(data)
    with open(path, "rb") as file:
        return mmap.mmap(file.fileno(), 0, access=mmap.ACCESS_READ)


def _anonymous_mmap(data, folder):
    mapping = mmap.mmap(-1, len(data))
    mapping.write(data)
    return mapping


def _read_only_array(data, folder):
    array_ = numpy.array(bytearray(data), dtype=numpy.uint8)
    array_.flags.writeable = False
    return array_


# kind -> makes an object of that kind holding `data` (a file may go to `folder`).
BUFFER_KINDS = {
    "bytes": lambda data, folder: bytes(data),
    "bytearray": lambda data, folder: bytearray(data),
    "memoryview of bytes": lambda data, folder: memoryview(bytes(data)),
    "memoryview of bytearray": lambda data, folder: memoryview(bytearray(data)),
    "memoryview slice": lambda data, folder: memoryview(b"\xff\xff\xff" + data + b"\xff")[3:-1],
    "read-only mmap of a file": _file_mmap,
    "anonymous mmap": _anonymous_mmap,
    "numpy uint8 array": lambda data, folder: numpy.frombuffer(bytearray(data), dtype=numpy.uint8),
    "read-only numpy uint8 array": _read_only_array,
    "2-d numpy array": lambda data, folder: numpy.array(bytearray(data), dtype=numpy.uint8).reshape(1, -1),
    "array of unsigned bytes": lambda data, folder: array.array("B", data),
}


@pytest.fixture(params=BUFFER_KINDS.values(), ids=BUFFER_KINDS.keys())
def as_buffer(request, tmp_path):
    """Makes objects of one buffer kind; closes the mappings afterwards."""
    made = []

    def make(data):
        made.append(request.param(data, tmp_path))
        return made[-1]

    yield make
    for thing in made:
        if isinstance(thing, mmap.mmap):
            thing.close()


def _address_of(thing):
    """Address of the first byte of `thing`, as numpy sees it (without copying)."""
    return numpy.frombuffer(thing, dtype=numpy.uint8).ctypes.data


def test_every_kind_is_evaluated(as_buffer):
    image = as_buffer(ONE_GROUP_IMAGE)
    assert krprof.evaluate(image) == ONE_GROUP_READ_SECTORS
    assert krprof.num_ranges(image) == 1


def test_the_library_reads_the_objects_own_bytes(as_buffer, capfd):
    # A rejected image makes the library log the address and size it was given.
    image = as_buffer(b"\x08")
    capfd.readouterr()
    with pytest.raises(krprof.KrprofError):
        krprof.evaluate(image)
    logged = re.search(r"pCounterDataImage:(0x[0-9a-f]+), counterDataImageSize:(\d+)\.", capfd.readouterr().err)
    assert logged, "the library logged no failure line"
    assert int(logged[1], 16) == _address_of(image)
    assert int(logged[2]) == 1


def test_the_object_is_held_while_its_bytes_are_in_use():
    image = bytearray(ONE_GROUP_IMAGE)
    mapping = _anonymous_mmap(ONE_GROUP_IMAGE, None)
    with image_bytes(image), image_bytes(mapping):
        with pytest.raises(BufferError):
            image.extend(b"\x00")
        with pytest.raises(BufferError):
            mapping.close()
    image.extend(b"\x00")
    mapping.close()
    assert mapping.closed


@pytest.mark.parametrize("data", [ONE_GROUP_IMAGE, b"\x08"], ids=["evaluated", "rejected"])
def test_the_object_is_released_after_the_call(data):
    image = bytearray(data)
    with contextlib.suppress(krprof.KrprofError):
        krprof.evaluate(image)
    image.extend(b"\x00")  # BufferError while still held
    assert len(image) == len(data) + 1


NOT_CONTIGUOUS = {
    "strided memoryview": lambda: memoryview(ONE_GROUP_IMAGE * 2)[::2],
    "strided numpy array": lambda: numpy.frombuffer(ONE_GROUP_IMAGE * 2, dtype=numpy.uint8)[::2],
    "column-major numpy array": lambda: numpy.zeros((4, 5), dtype=numpy.uint8, order="F"),
}


@pytest.mark.parametrize("make", NOT_CONTIGUOUS.values(), ids=NOT_CONTIGUOUS.keys())
@pytest.mark.parametrize("call", [krprof.evaluate, krprof.num_ranges], ids=["evaluate", "num_ranges"])
def test_bytes_that_are_not_one_run_are_refused(make, call):
    with pytest.raises(BufferError, match="must be one C-contiguous run of bytes"):
        call(make())


def _closed_mmap():
    mapping = mmap.mmap(-1, 16)
    mapping.close()
    return mapping


def _released_memoryview():
    view = memoryview(ONE_GROUP_IMAGE)
    view.release()
    return view


@pytest.mark.parametrize("make", [_closed_mmap, _released_memoryview], ids=["closed mmap", "released memoryview"])
def test_objects_without_bytes_any_more_are_refused(make):
    with pytest.raises(BufferError, match="must be one C-contiguous run of bytes"):
        krprof.evaluate(make())


@pytest.mark.parametrize("image", ["text", None, 300, [0x2A, 0x00]], ids=["str", "None", "int", "list"])
@pytest.mark.parametrize("call", [krprof.evaluate, krprof.num_ranges], ids=["evaluate", "num_ranges"])
def test_objects_without_the_buffer_protocol_are_type_errors(image, call):
    with pytest.raises(TypeError, match="must be a bytes-like object"):
        call(image)
