"""Counter-data images for the tests, encoded by hand-written wire rules of
the image format (protobuf encoding, fields in number order, zero scalars and
empty lists left out, repeated numbers packed)."""


def varint(number):
    """Base-128 varint: seven bits per byte, low bits first, high bit = more follows."""
    out = bytearray()
    while True:
        low, number = number & 0x7F, number >> 7
        out.append(low | (0x80 if number else 0))
        if not number:
            return bytes(out)


def _scalar(number, value):
    return varint(number << 3) + varint(value) if value else b""


def _length_delimited(number, payload):
    return varint(number << 3 | 2) + varint(len(payload)) + payload


def _packed(number, values):
    return _length_delimited(number, b"".join(varint(value) for value in values)) if values else b""


def group_image(*, domain_id=6, event_ids=(9, 10), dpc_num=1, instance_num=1, values=()):
    """One pbEventGroupDataImage."""
    return (
        _scalar(2, domain_id)
        + _packed(3, event_ids)
        + _scalar(4, dpc_num)
        + _scalar(5, instance_num)
        + _packed(6, values)
    )


def range_image(*groups, name=""):
    """One pbRangeDataImage holding `groups` (encoded group images)."""
    encoded_name = _length_delimited(1, name.encode()) if name else b""
    return encoded_name + b"".join(_length_delimited(2, group) for group in groups)


def counter_data_image(*ranges, chip_name=""):
    """One pbCounterDataImage holding `ranges` (encoded range images)."""
    encoded_chip = _length_delimited(4, chip_name.encode()) if chip_name else b""
    return encoded_chip + b"".join(_length_delimited(5, range_) for range_ in ranges)


# One range, one group image: domain 6, events 9 and 10, one DPC, one
# instance, readings 100 and 200. Byte for byte as the format defines it.
ONE_GROUP_IMAGE = bytes.fromhex("2a 11 12 0f 10 06 1a 02 09 0a 20 01 28 01 32 03 64 c8 01")
ONE_GROUP_READ_SECTORS = 300.0
