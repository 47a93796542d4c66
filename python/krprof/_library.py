"""Finding and loading libkrprof_host.so, and the prototypes of the entry
points the package calls.

The library is looked for, in this order:
1. the path in the environment variable KRPROF_LIBRARY, when it is set and
   not empty; nothing else is tried then;
2. when the package was installed by CMake, the library installed with it
   under the same prefix (the installation writes the folder, relative to the
   package's own, into _install_layout.py);
3. the system's loader, under the library's SONAME.
"""

import ctypes
import os

from . import _blocks

SONAME = "libkrprof_host.so"
PATH_VARIABLE = "KRPROF_LIBRARY"

# Entry point -> its parameter block. Every one takes a pointer to its block
# and returns a TPRA_Status, an unsigned 32-bit enumeration.
PROTOTYPES = {
    "TPRF_RawMetricsConfig_GetConfigImage": _blocks.TPRF_RawMetricsConfig_GetConfigImage_Params,
    "TPRF_CounterDataBuilder_GetCounterDataPrefix": _blocks.TPRF_CounterDataBuilder_GetCounterDataPrefix_Params,
    "TPRF_CounterData_GetNumRanges_Impl": _blocks.TPRF_CounterData_GetNumRanges_Params,
    "TPRF_MetricsEvaluator_EvaluateToGpuValues": _blocks.TPRF_MetricsEvaluator_EvaluateToGpuValues_Params,
}


def _candidates():
    """(what to hand the loader, how it was found) in the order they are tried."""
    configured = os.environ.get(PATH_VARIABLE)
    if configured:
        return [(configured, f"{PATH_VARIABLE}={configured}")]
    candidates = []
    try:
        from ._install_layout import LIBRARY_DIR
    except ImportError:  # not an installed package: no prefix of its own
        pass
    else:
        path = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), LIBRARY_DIR, SONAME))
        candidates.append((path, "the library of this installation's prefix"))
    candidates.append((SONAME, "the system's loader"))
    return candidates


def _declare(library):
    """The entry points of `library` by name, with their prototypes set."""
    functions = {}
    for name, block_type in PROTOTYPES.items():
        function = getattr(library, name)  # AttributeError when not exported
        function.argtypes = [ctypes.POINTER(block_type)]
        function.restype = ctypes.c_uint32
        functions[name] = function
    return functions


def load():
    """Loads the library and returns its entry points by name.

    Raises ImportError listing every candidate tried and why it failed.
    """
    failures = []
    for candidate, origin in _candidates():
        try:
            return _declare(ctypes.CDLL(candidate))
        except (OSError, AttributeError) as error:
            failures.append(f"  {candidate} ({origin}): {error}")
    raise ImportError(
        f"krprof cannot load {SONAME}. Tried:\n"
        + "\n".join(failures)
        + f"\nSet {PATH_VARIABLE} to the library's path, or install the library where the system's loader finds it.",
        name=__package__,
    )
