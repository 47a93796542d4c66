"""Evaluation of counter-data images: the read-sector total of the first
range, and the images the library rejects with their statuses."""

import mmap

import krprof
import pytest
from counter_data import ONE_GROUP_IMAGE, ONE_GROUP_READ_SECTORS, counter_data_image, group_image, range_image

Status = krprof.Status

# dpcNum 2 x instanceNum 3 x two events: 12 readings, 1 + 2 + ... + 12 = 78.
SIX_UNITS = dict(dpc_num=2, instance_num=3)

EVALUATED = [
    ("one group", ONE_GROUP_IMAGE, ONE_GROUP_READ_SECTORS),
    ("six units", counter_data_image(range_image(group_image(**SIX_UNITS, values=range(1, 13)))), 78.0),
    (
        "readings beyond the count ignored",
        counter_data_image(range_image(group_image(**SIX_UNITS, values=range(1, 15)))),
        78.0,
    ),
    (
        "two groups, second range ignored",
        counter_data_image(
            range_image(group_image(values=[1, 2]), group_image(values=[30, 40])),
            range_image(group_image(values=[500, 600])),
        ),
        73.0,
    ),
    ("group without events adds nothing", counter_data_image(range_image(group_image(event_ids=[], values=[7]))), 0.0),
    ("range without groups", counter_data_image(range_image()), 0.0),
    (
        "names and chip do not matter",
        counter_data_image(range_image(group_image(values=[5, 6]), name="kernel"), chip_name="kora"),
        11.0,
    ),
    # 2^53 + 1 has no double: the nearest one with an even significand is 2^53.
    ("total above 2^53", counter_data_image(range_image(group_image(values=[2**53, 1]))), 2.0**53),
    ("total wraps past 2^64 - 1", counter_data_image(range_image(group_image(values=[2**64 - 1, 2]))), 1.0),
]


@pytest.mark.parametrize("image, total", [case[1:] for case in EVALUATED], ids=[case[0] for case in EVALUATED])
def test_evaluate_gives_the_total_of_the_first_range(image, total):
    value = krprof.evaluate(image)
    assert type(value) is float
    assert value == total


REJECTED = [
    ("tag without value", b"\x08"),
    ("range name not UTF-8", bytes.fromhex("2a 03 0a 01 ff")),
    ("cut short", ONE_GROUP_IMAGE[:-1]),
    ("empty: no range", b""),
    ("no range", counter_data_image(chip_name="kora")),
    ("fewer readings than counted", counter_data_image(range_image(group_image(values=[100])))),
]


@pytest.mark.parametrize("image", [case[1] for case in REJECTED], ids=[case[0] for case in REJECTED])
def test_images_that_do_not_hold_their_readings_are_internal_errors(image):
    with pytest.raises(krprof.KrprofError) as caught:
        krprof.evaluate(image)
    assert caught.value.status is Status.INTERNAL_ERROR
    assert caught.value.entry_point == "TPRF_MetricsEvaluator_EvaluateToGpuValues"
    assert str(caught.value) == "TPRF_MetricsEvaluator_EvaluateToGpuValues returned TPRA_STATUS_INTERNAL_ERROR (2)"


# Images of 2^31 bytes or more are rejected before they are read; sparse
# files mapped read-only cost no memory. The second one starts with a valid
# image, which a length cut to 32 bits would evaluate.
@pytest.mark.parametrize(
    "start, size",
    [(b"", 2**31), (ONE_GROUP_IMAGE, 2**32 + len(ONE_GROUP_IMAGE))],
    ids=["2^31 bytes", "2^32 + 19 bytes"],
)
def test_images_of_2_gib_or_more_are_invalid_arguments(tmp_path, start, size):
    path = tmp_path / "large.bin"
    with open(path, "wb") as file:
        file.write(start)
        file.truncate(size)
    with open(path, "rb") as file, mmap.mmap(file.fileno(), 0, access=mmap.ACCESS_READ) as image:
        assert len(image) == size
        with pytest.raises(krprof.KrprofError) as caught:
            krprof.evaluate(image)
    assert caught.value.status is Status.INVALID_ARGUMENT
    assert "TPRA_STATUS_INVALID_ARGUMENT (8)" in str(caught.value)
