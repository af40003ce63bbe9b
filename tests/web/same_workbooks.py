#!/usr/bin/env python3
"""The browser edition's batch run writes the workbook trevalco-cli batch
writes: small workbooks of each page (with a header, a bad row and empty rows
that end the data) converted by both. Every part of the two packages must be
the same bytes once inflated, and the packages the same entries in the same
order with the same names, sizes and CRCs; only the compressed streams may
differ (ISA-L natively, zlib in the browser), and so the size of the
package, and the time stamps of the rewritten parts (the time of writing).
Prints which bytes differ.

  same_workbooks.py TREVALCO_CLI CORE_JS BATCH_NODE_JS
"""
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

cli, core, driver = sys.argv[1:4]
if not os.path.exists(core) or shutil.which("node") is None:
    print(f"SKIP: no browser build at {core} (scripts/web builds it) or no node")
    sys.exit(77)

from same_workbooks_books import BOOKS, package_differences, workbook

faults = []
with tempfile.TemporaryDirectory() as folder:
    for page, (source, direction, rows) in BOOKS.items():
        book = os.path.join(folder, f"obra{page}.xlsx")
        workbook(book, rows)
        native, browser = os.path.join(folder, f"cli{page}.xlsx"), os.path.join(folder, f"web{page}.xlsx")
        extra = ["--zone", "19"] if source == "utm" else []
        subprocess.run([cli, "batch", book, "--sheet", "Puntos", "--from", source, "--direction", direction,
                        "-o", native, *extra], check=True, capture_output=True)
        subprocess.run(["node", "--no-experimental-fetch", driver, core, book, "Puntos", str(page), direction, browser], check=True)
        faults += [f"{source}: {fault}" for fault in package_differences(native, browser)]
        with zipfile.ZipFile(native) as a:
            if a.read("xl/worksheets/sheet1.xml").count(b"<v>") <= sum(1 for r in rows for v in r if not isinstance(v, str)):
                faults.append(f"{source}: the native run wrote no results")
        same = open(native, "rb").read() == open(browser, "rb").read()
        print(f"{source}: every part the same once inflated; packages {'identical' if same else 'differ in their compressed streams'}")
for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
