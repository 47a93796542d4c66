"""The tests' image encoder writes the bytes the image format defines."""

from counter_data import ONE_GROUP_IMAGE, counter_data_image, group_image, range_image, varint


def test_varints_take_seven_bits_a_byte():
    assert varint(0) == b"\x00"
    assert varint(127) == b"\x7f"
    assert varint(200) == b"\xc8\x01"
    assert varint(2**64 - 1) == b"\xff" * 9 + b"\x01"


def test_group_image_is_written_in_field_order_with_packed_lists():
    assert group_image(values=[100, 200]) == bytes.fromhex("10 06 1a 02 09 0a 20 01 28 01 32 03 64 c8 01")


def test_zero_scalars_and_empty_lists_are_left_out():
    assert group_image(domain_id=0, event_ids=[], dpc_num=0, instance_num=0) == b""
    assert range_image() == b""


def test_one_group_image_nests_group_in_range_in_image():
    assert counter_data_image(range_image(group_image(values=[100, 200]))) == ONE_GROUP_IMAGE


def test_names_are_length_delimited_strings():
    assert range_image(name="r") == bytes.fromhex("0a 01 72")
    assert counter_data_image(chip_name="ab") == bytes.fromhex("22 02 61 62")
