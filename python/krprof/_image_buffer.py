"""Reading a caller's image in place: the address and length of the bytes of
any object with the buffer protocol, without copying them.

ctypes can take the address of writable buffers only (from_buffer), so the
buffer is requested through the C API itself, PyObject_GetBuffer, which works
for read-only exporters (bytes, read-only memoryview and mmap) as well. The
request holds the exporter: it stays alive, and cannot be resized or closed,
until the buffer is released.
"""

import contextlib
import ctypes


class _Py_buffer(ctypes.Structure):
    """Py_buffer of Python's C API (Include/pybuffer.h)."""

    _fields_ = [
        ("buf", ctypes.c_void_p),
        ("obj", ctypes.c_void_p),  # owned reference, dropped by PyBuffer_Release
        ("len", ctypes.c_ssize_t),
        ("itemsize", ctypes.c_ssize_t),
        ("readonly", ctypes.c_int),
        ("ndim", ctypes.c_int),
        ("format", ctypes.c_char_p),
        ("shape", ctypes.c_void_p),
        ("strides", ctypes.c_void_p),
        ("suboffsets", ctypes.c_void_p),
        ("internal", ctypes.c_void_p),
    ]


# A read-only, C-contiguous run of bytes; exporters that cannot give one
# raise BufferError.
_PyBUF_SIMPLE = 0

# pythonapi calls hold the GIL and raise the exception the call sets.
_get_buffer = ctypes.pythonapi.PyObject_GetBuffer
_get_buffer.argtypes = [ctypes.py_object, ctypes.POINTER(_Py_buffer), ctypes.c_int]
_get_buffer.restype = ctypes.c_int
_release_buffer = ctypes.pythonapi.PyBuffer_Release
_release_buffer.argtypes = [ctypes.POINTER(_Py_buffer)]
_release_buffer.restype = None


@contextlib.contextmanager
def image_bytes(image):
    """Yields (pointer to the first byte, length in bytes) of `image`, valid
    until the block ends.

    TypeError if `image` has no buffer protocol; BufferError if it cannot
    give its bytes as one C-contiguous run (a strided slice, a closed mmap).
    """
    view = _Py_buffer()
    try:
        _get_buffer(image, view, _PyBUF_SIMPLE)
    except TypeError as error:
        raise TypeError(
            f"a counter-data image must be a bytes-like object "
            f"(bytes, bytearray, memoryview, mmap, numpy array), not {type(image).__name__!r}"
        ) from error
    except (BufferError, ValueError) as error:  # exporters differ: numpy raises ValueError
        raise BufferError(
            f"a counter-data image must be one C-contiguous run of bytes; "
            f"this {type(image).__name__} gives none: {error}"
        ) from error
    try:
        yield ctypes.cast(view.buf, ctypes.POINTER(ctypes.c_uint8)), view.len
    finally:
        _release_buffer(view)
