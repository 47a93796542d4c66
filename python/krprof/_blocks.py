"""The parameter blocks of the working entry points, as the C headers declare
them (tprf_host.h, tprf_target.h): same names, same fields in the same order.
Handles the library never reads are plain pointers."""

import ctypes

_size_t = ctypes.c_size_t
_bytes_pointer = ctypes.POINTER(ctypes.c_uint8)


def _fixed_image_fields(handle):
    """Fields of the blocks of the two-call size protocol; they differ only in
    the name of the handle they carry."""
    return [
        ("structSize", _size_t),
        ("pPriv", ctypes.c_void_p),
        (handle, ctypes.c_void_p),
        ("bytesAllocated", _size_t),
        ("pBuffer", _bytes_pointer),
        ("bytesCopied", _size_t),
    ]


class TPRF_RawMetricsConfig_GetConfigImage_Params(ctypes.Structure):
    _fields_ = _fixed_image_fields("pRawMetricsConfig")


class TPRF_CounterDataBuilder_GetCounterDataPrefix_Params(ctypes.Structure):
    _fields_ = _fixed_image_fields("pCounterDataBuilder")


class TPRF_CounterData_GetNumRanges_Params(ctypes.Structure):
    _fields_ = [
        ("structSize", _size_t),
        ("pPriv", ctypes.c_void_p),
        ("pCounterDataImage", _bytes_pointer),
        ("numRanges", _size_t),
    ]


class TPRF_MetricsEvaluator_EvaluateToGpuValues_Params(ctypes.Structure):
    _fields_ = [
        ("structSize", _size_t),
        ("pPriv", ctypes.c_void_p),
        ("pMetricsEvaluator", ctypes.c_void_p),
        ("pMetricEvalRequests", ctypes.c_void_p),
        ("numMetricEvalRequests", _size_t),
        ("metricEvalRequestStructSize", _size_t),
        ("metricEvalRequestStrideSize", _size_t),
        ("pCounterDataImage", _bytes_pointer),
        ("counterDataImageSize", _size_t),
        ("rangeIndex", _size_t),
        ("isolated", ctypes.c_uint8),
        ("pMetricValues", ctypes.POINTER(ctypes.c_double)),
    ]


def new_block(block_type, **fields):
    """A zeroed block of `block_type` with structSize set, as a C caller fills it."""
    return block_type(structSize=ctypes.sizeof(block_type), **fields)
