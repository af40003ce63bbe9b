#!/usr/bin/env python3
"""The worked points and number-text tables printed by the native program and
by its WebAssembly build under Node must be the same bytes.

  same_numbers.py NATIVE_NUMBER_TABLES NODE_NUMBER_TABLES_JS WORKED_POINTS_TSV
"""
import os
import shutil
import subprocess
import sys

native, wasm, points = sys.argv[1:4]
if not os.path.exists(wasm) or shutil.which("node") is None:
    print(f"SKIP: no browser build at {wasm} (scripts/web builds it) or no node")
    sys.exit(77)
expected = subprocess.run([native, points], capture_output=True, check=True).stdout
got = subprocess.run(["node", "--no-experimental-fetch", wasm, points], capture_output=True, check=True).stdout
lines = expected.count(b"\n")
if lines < 500 or b"check 0 |" not in expected:
    sys.exit(f"the native tables are too short ({lines} lines): nothing was compared")
if got != expected:
    for n, (a, b) in enumerate(zip(expected.splitlines(), got.splitlines()), 1):
        if a != b:
            print(f"line {n}: native {a!r}\n         browser {b!r}")
    sys.exit(f"the browser build's texts differ from the native ones ({len(got)} against {len(expected)} bytes)")
print(f"{lines} lines the same, byte for byte")
