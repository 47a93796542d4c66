"""The two fixed images and the range count."""

import krprof
import pytest
from counter_data import ONE_GROUP_IMAGE

# One event-group set holding one group (dpcIdMask 255, domainId 6) with the
# counters "fb_subp0_read_sectors" (id 9) and "fb_subp1_read_sectors" (id 10).
CONFIG_IMAGE = (
    bytes.fromhex("0a 3d 0a 3b 08 ff 01 20 06 2a 19 0a 15")
    + b"fb_subp0_read_sectors"
    + bytes.fromhex("10 09 2a 19 0a 15")
    + b"fb_subp1_read_sectors"
    + bytes.fromhex("10 0a")
)

# One group prefix: domainId 6, dpcIdMask 255, blockIdMask 255, eventNum 2.
COUNTER_DATA_PREFIX = bytes.fromhex("0a 0a 08 06 10 ff 01 18 ff 01 20 02")


def test_config_image_is_the_63_bytes_of_the_measurement():
    image = krprof.config_image()
    assert type(image) is bytes
    assert len(image) == 63
    assert image == CONFIG_IMAGE


def test_counter_data_prefix_is_the_12_bytes_of_the_measurement():
    prefix = krprof.counter_data_prefix()
    assert type(prefix) is bytes
    assert prefix == COUNTER_DATA_PREFIX


def test_images_are_the_same_on_every_call():
    assert [krprof.config_image(), krprof.counter_data_prefix()] * 2 == [CONFIG_IMAGE, COUNTER_DATA_PREFIX] * 2


# The range count never reads the image: every image counts one range.
@pytest.mark.parametrize(
    "image",
    [ONE_GROUP_IMAGE, b"\x00", b"no counter data at all", bytearray(b"\x08")],
    ids=["counter data", "zero byte", "text", "malformed"],
)
def test_every_image_counts_one_range(image):
    assert krprof.num_ranges(image) == 1
