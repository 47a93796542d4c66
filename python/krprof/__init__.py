"""Python access to libkrprof_host.so, the host side of the KORA GPU
performance-metrics interface: the configuration image and counter-data
prefix of the library's one measurement (memory read sectors), the range
count of a counter-data image, and its evaluation.

    import krprof
    total = krprof.evaluate(open("image.bin", "rb").read())

Counter-data images may be any bytes-like object (bytes, bytearray,
memoryview, mmap, a numpy uint8 array); they are read in place, not copied.
A call the library rejects raises KrprofError, whose `status` is the Status
the library returned. Calls may come from any number of threads at once.

The library is found through the environment variable KRPROF_LIBRARY (its
path), else beside an installed package under the same prefix, else by the
system's loader under its SONAME, libkrprof_host.so.
"""

import ctypes

from . import _blocks
from ._image_buffer import image_bytes
from ._library import load
from ._status import KrprofError, Status

__all__ = ["config_image", "counter_data_prefix", "num_ranges", "evaluate", "Status", "KrprofError"]

_entry_points = load()


def _call(entry_point, block):
    status = _entry_points[entry_point](block)
    if status != Status.SUCCESS:
        raise KrprofError(status, entry_point)


def _fixed_image(entry_point, block_type):
    """The two-call size protocol: ask for the size, then copy into a buffer of that size."""
    block = _blocks.new_block(block_type)
    _call(entry_point, block)
    size = block.bytesCopied
    buffer = (ctypes.c_uint8 * size)()
    block.pBuffer = buffer
    block.bytesAllocated = size
    _call(entry_point, block)
    return bytes(buffer)


def config_image():
    """The configuration image of the measurement (63 bytes)."""
    return _fixed_image("TPRF_RawMetricsConfig_GetConfigImage", _blocks.TPRF_RawMetricsConfig_GetConfigImage_Params)


def counter_data_prefix():
    """The counter-data prefix that goes with the configuration image (12 bytes)."""
    return _fixed_image(
        "TPRF_CounterDataBuilder_GetCounterDataPrefix", _blocks.TPRF_CounterDataBuilder_GetCounterDataPrefix_Params
    )


def num_ranges(image):
    """The number of ranges the library counts in a counter-data image."""
    with image_bytes(image) as (data, _):
        block = _blocks.new_block(_blocks.TPRF_CounterData_GetNumRanges_Params, pCounterDataImage=data)
        _call("TPRF_CounterData_GetNumRanges_Impl", block)
    return block.numRanges


def evaluate(image):
    """The read-sector total of the first range of a counter-data image, as a float."""
    value = ctypes.c_double()
    with image_bytes(image) as (data, size):
        block = _blocks.new_block(
            _blocks.TPRF_MetricsEvaluator_EvaluateToGpuValues_Params,
            pCounterDataImage=data,
            counterDataImageSize=size,
            pMetricValues=ctypes.pointer(value),
        )
        _call("TPRF_MetricsEvaluator_EvaluateToGpuValues", block)
    return value.value
