"""Status codes of the C interface and the exception raised for a failed call."""

import enum


class Status(enum.IntEnum):
    """TPRA_Status: the result of every entry point, with its C value.

    The library returns only SUCCESS, ERROR, INTERNAL_ERROR and
    INVALID_ARGUMENT; the others complete the C enumeration.
    """

    SUCCESS = 0
    ERROR = 1
    INTERNAL_ERROR = 2
    NOT_INITIALIZED = 3
    NOT_LOADED = 4
    FUNCTION_NOT_FOUND = 5
    NOT_SUPPORTED = 6
    NOT_IMPLEMENTED = 7
    INVALID_ARGUMENT = 8
    INVALID_METRIC_ID = 9
    DRIVER_NOT_LOADED = 10
    OUT_OF_MEMORY = 11
    INVALID_THREAD_STATE = 12
    FAILED_CONTEXT_ALLOC = 13
    UNSUPPORTED_GPU = 14
    INSUFFICIENT_DRIVER_VERSION = 15
    OBJECT_NOT_REGISTERED = 16
    INSUFFICIENT_PRIVILEGE = 17
    INVALID_CONTEXT_STATE = 18
    INVALID_OBJECT_STATE = 19
    RESOURCE_UNAVAILABLE = 20
    DRIVER_LOADED_TOO_LATE = 21
    INSUFFICIENT_SPACE = 22
    OBJECT_MISMATCH = 23
    VIRTUALIZED_DEVICE_NOT_SUPPORTED = 24
    PROFILING_NOT_ALLOWED = 25

    @property
    def c_name(self):
        """The enumerator's name in the C header, e.g. TPRA_STATUS_INVALID_ARGUMENT."""
        return "TPRA_STATUS_" + self.name


class KrprofError(Exception):
    """An entry point of the library returned a status other than SUCCESS.

    `status` is the Status it returned, `entry_point` the C function's name.
    """

    def __init__(self, status, entry_point):
        super().__init__(status, entry_point)
        self.status = Status(status)
        self.entry_point = entry_point

    def __str__(self):
        return f"{self.entry_point} returned {self.status.c_name} ({int(self.status)})"
