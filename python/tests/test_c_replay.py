"""The C run of the parity case (tamo_parity_case_driver logs every call with its arguments,
result and arrays) replayed through the library's ctypes prototypes: C and Python agree bit
for bit, every argument lands in its slot, and no call writes past the arrays it is given."""

import ctypes
import os
import struct
import subprocess

import numpy as np
import pytest

from tamo1d import lowlevel

GUARD = 3  # elements on either side of every array, which no call may touch


def parse(token):
    """'D3:hex,hex,hex' (64-bit patterns) or 'I2:5,6' to an array; 'D-' or 'I-' to None."""
    if token[1] == "-":
        return None
    count, _, values = token[1:].partition(":")
    values = values.split(",")[:int(count)]
    if token[0] == "D":
        return np.array([int(v, 16) for v in values], dtype=np.uint64).view(np.float64)
    return np.array([int(v) for v in values], dtype=np.int32)


def test_python_replays_the_c_run_bit_for_bit(tmp_path):
    driver = os.environ.get("TAMO_PARITY_DRIVER")
    if not driver:
        pytest.skip("the C parity driver is not built (set TAMO_PARITY_DRIVER)")
    subprocess.run([driver, str(tmp_path / "calls.txt")], check=True)
    lines = (tmp_path / "calls.txt").read_text().splitlines()
    assert len(lines) > 100
    library = lowlevel.lib()
    for number, line in enumerate(lines, 1):
        call, result = line.split(" = ")
        name, *tokens = call.split(" ")
        code, *after = result.split(" ")
        argtypes = lowlevel.PROTOTYPES[name][1]
        assert len(argtypes) == len(tokens), line
        arguments, arrays = [], []
        for kind, token in zip(argtypes, tokens):
            if kind is ctypes.c_int32:
                arguments.append(int(token))
            elif kind is ctypes.c_double:
                arguments.append(struct.unpack("!d", bytes.fromhex(token))[0])
            else:
                values = parse(token)
                guarded = None if values is None else np.full(
                    values.size + 2 * GUARD, 77, dtype=values.dtype)
                if guarded is not None:
                    guarded[GUARD:-GUARD] = values
                arrays.append(guarded)
                arguments.append(None if guarded is None
                                 else guarded[GUARD:].ctypes.data_as(kind))
        assert getattr(library, name)(*arguments) == int(code), f"line {number}: {line[:80]}"
        for guarded, token in zip(arrays, after):
            expected = parse(token)
            if guarded is None:
                assert expected is None
                continue
            padded = np.full(guarded.size, 77, dtype=guarded.dtype)
            padded[GUARD:-GUARD] = expected
            assert padded.tobytes() == guarded.tobytes(), f"line {number}: {name}"
