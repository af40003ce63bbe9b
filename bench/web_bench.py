#!/usr/bin/env python3
"""The browser edition against trevalco-cli batch, in the same run on the same
file: a decimal-degree sheet of ROWS rows (a point name, a latitude and a
longitude a row) converted by the native program and by the page in headless
Chromium, opened from file://. Prints the seconds of each and their ratio,
the page's ready time and the size of trevalco.html. Needs chromium,
chromium-driver and python3-selenium. The page's messages (the empty rows
at the end of the data, the saved file) are answered OK as they open.

  bench/web_bench.py [BUILD_DIR] [ROWS ...]
  (default: build/release 100000 1048576; the page is build/web/trevalco.html;
  ROUNDS in the environment: rounds of each in turn, 3 by default, medians)
"""
import glob
import os
import subprocess
import sys
import tempfile
import time
import zipfile

from selenium import webdriver
from selenium.webdriver.common.by import By

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build/release")
sizes = [int(n) for n in sys.argv[2:]] or [100000, 1048576]
cli = os.path.join(build, "cli/trevalco-cli")
html = os.path.join(root, "build/web/trevalco.html")
HEAD = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'


def sheet_rows(rows):
    for r in range(1, rows + 1):
        lat, lon = 18.0 + (r % 25000) * 0.001, 67.0 + (r % 8000) * 0.001
        yield f'<row r="{r}"><c r="A{r}" t="inlineStr"><is><t>P{r}</t></is></c><c r="B{r}"><v>{lat:.7f}</v></c>' \
              f'<c r="C{r}"><v>{lon:.7f}</v></c></row>'


def make_book(path, rows):
    ns = 'xmlns="http://schemas.openxmlformats.org/package/2006/relationships"'
    rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", HEAD + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                   '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
                   '<Default Extension="xml" ContentType="application/xml"/>'
                   '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
                   '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
                   '</Types>')
        z.writestr("_rels/.rels", HEAD + f'<Relationships {ns}><Relationship Id="rId1" Type="{rel}/officeDocument" '
                   'Target="xl/workbook.xml"/></Relationships>')
        z.writestr("xl/workbook.xml", HEAD + '<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
                   f'xmlns:r="{rel}"><sheets><sheet name="puntos" sheetId="1" r:id="rId1"/></sheets></workbook>')
        z.writestr("xl/_rels/workbook.xml.rels", HEAD + f'<Relationships {ns}><Relationship Id="rId1" '
                   f'Type="{rel}/worksheet" Target="worksheets/sheet1.xml"/></Relationships>')
        with z.open("xl/worksheets/sheet1.xml", "w", force_zip64=True) as sheet:
            sheet.write((HEAD + '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>').encode())
            for line in sheet_rows(rows):
                sheet.write(line.encode())
            sheet.write(b"</sheetData></worksheet>")


def native_seconds(book, folder):
    started = time.perf_counter()
    subprocess.run([cli, "batch", book, "--sheet", "puntos", "--from", "dd", "--direction", "SIRGAS_SAD69",
                    "-o", os.path.join(folder, "cli.xlsx"), "--overwrite"], check=True, capture_output=True)
    return time.perf_counter() - started


def open_page(downloads):
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1100,1400"):
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                              "profile.default_content_setting_values.automatic_downloads": 1})
    driver = webdriver.Chrome(options=options)
    started = time.perf_counter()
    driver.get("file://" + html)
    while driver.find_element(By.TAG_NAME, "body").get_attribute("data-ready") != "true":
        time.sleep(0.01)
    seconds = time.perf_counter() - started
    driver.execute_script(ANSWER_AT_ONCE)
    return driver, seconds


# Answers each message box with OK the moment it opens, in the page's own
# turn, and keeps its text: the time a person takes to answer is not the
# program's, and a round trip through WebDriver per box would be counted.
ANSWER_AT_ONCE = """
window.answered = [];
new MutationObserver(() => {
  const box = document.getElementById('Mensaje');
  if (!box.open || box.dataset.shown === window.lastAnswered) return;
  window.lastAnswered = box.dataset.shown;
  window.answered.push(document.getElementById('MensajeTexto').textContent);
  document.getElementById('MensajeAceptar').click();
}).observe(document.getElementById('Mensaje'), {attributes: true});
"""


def page_seconds(driver, book, downloads):
    """From choosing the file to the converted workbook on disk: reading,
    converting, writing and handing it to the browser's download."""
    for old in glob.glob(os.path.join(downloads, "*")):
        os.remove(old)
    driver.execute_script("window.lastRun = null; window.answered = []")
    started = time.perf_counter()
    driver.find_element(By.ID, "Examina_exel").send_keys(book)
    while driver.find_element(By.ID, "cmbhoja").get_attribute("value") != "puntos":
        time.sleep(0.005)
    driver.find_element(By.ID, "Ok_excel").click()
    target = os.path.join(downloads, "puntos_1.xlsx")
    while (not os.path.exists(target) or glob.glob(os.path.join(downloads, "*.crdownload")) or
           not driver.execute_script("return window.lastRun")):
        time.sleep(0.005)
    seconds = time.perf_counter() - started
    return seconds, driver.execute_script("return window.lastRun"), driver.execute_script("return window.answered")


print(f"trevalco.html: {os.path.getsize(html) / 1e6:.2f} MB")
with tempfile.TemporaryDirectory() as folder:
    downloads = os.path.join(folder, "descargas")
    os.mkdir(downloads)
    driver, ready = open_page(downloads)
    print(f"page ready {ready:.2f} s after opening")
    try:
        driver.find_element(By.ID, "SIRGAS_SAD69").click()
        driver.find_element(By.ID, "TabExcel").click()
        rounds = int(os.environ.get("ROUNDS", "3"))
        for rows in sizes:
            book = os.path.join(folder, "puntos.xlsx")
            make_book(book, rows)
            natives, pages, runs = [], [], []
            for _ in range(rounds):
                time.sleep(1)  # each starts on a settled machine: the browser's work after a download, the CLI's write-back
                natives.append(native_seconds(book, folder))
                time.sleep(1)
                page, run, messages = page_seconds(driver, book, downloads)
                pages.append(page)
                runs.append(run["seconds"])
            median = lambda values: sorted(values)[len(values) // 2]
            print(f"{rows:8d} rows  cli {median(natives):6.2f} s  chromium {median(pages):6.2f} s (run in the worker"
                  f" {median(runs):6.2f} s, {run['converted']} rows converted)  ratio {median(pages) / median(natives):.2f}"
                  f"  (medians of {rounds})\n   cli rounds {' '.join(f'{n:.2f}' for n in natives)}\n"
                  f"   chromium rounds {' '.join(f'{p:.2f}' for p in pages)}")
            print("   messages answered:", messages)
    finally:
        driver.quit()
