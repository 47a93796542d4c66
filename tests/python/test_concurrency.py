"""Calls from many threads at once, on distinct and on shared images."""

import concurrent.futures
import threading

import krprof
from counter_data import ONE_GROUP_IMAGE, ONE_GROUP_READ_SECTORS, counter_data_image, group_image, range_image

THREADS = 8
ROUNDS = 300

# Thread i evaluates an image of its own, with readings i and 1000 i.
OWN_IMAGES = [
    (counter_data_image(range_image(group_image(values=[i, 1000 * i]))), 1001.0 * i) for i in range(1, THREADS + 1)
]


def test_threads_evaluate_at_once():
    shared = bytearray(ONE_GROUP_IMAGE)
    start = threading.Barrier(THREADS)

    def work(index):
        """Counts the calls that went wrong."""
        own_image, own_total = OWN_IMAGES[index]
        start.wait()
        wrong = 0
        for _ in range(ROUNDS):
            wrong += krprof.evaluate(own_image) != own_total
            wrong += krprof.evaluate(shared) != ONE_GROUP_READ_SECTORS
            wrong += krprof.num_ranges(own_image) != 1
            try:
                krprof.evaluate(own_image[:-1])
                wrong += 1
            except krprof.KrprofError as error:
                wrong += error.status is not krprof.Status.INTERNAL_ERROR
        wrong += len(krprof.config_image()) != 63
        return wrong

    with concurrent.futures.ThreadPoolExecutor(max_workers=THREADS) as pool:
        wrong_calls = list(pool.map(work, range(THREADS)))
    assert wrong_calls == [0] * THREADS
