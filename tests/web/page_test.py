#!/usr/bin/env python3
"""The page in headless Chromium, opened from file:// with no server: points
typed with real key events and converted with Return and with OK, a message
box answered, a workbook chosen through Examina_exel, converted, downloaded
and compared with trevalco-cli batch's, a bad row's question answered both
ways, Cancel in the middle of a run, an .xls refused, a hostile workbook
refused with the page still usable, a failed worker replaced, and no network
request in the log.

  page_test.py TREVALCO_HTML TREVALCO_CLI
"""
import glob
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

html, cli = sys.argv[1:3]
try:
    from selenium import webdriver
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
except ImportError:
    print("SKIP: python3-selenium is not installed")
    sys.exit(77)
if not os.path.exists(html) or not shutil.which("chromedriver"):
    print(f"SKIP: no page at {html} (scripts/web builds it) or no chromium-driver")
    sys.exit(77)

downloads = tempfile.mkdtemp()
options = webdriver.ChromeOptions()
for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1100,1400"):
    options.add_argument(argument)
# Every run offers its workbook: allow more than one download from the page.
options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                         "profile.default_content_setting_values.automatic_downloads": 1})
options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
driver = webdriver.Chrome(options=options)
faults = []


def wait(condition, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    box = driver.find_element(By.ID, "Mensaje")
    shown = driver.find_element(By.ID, "MensajeTexto").text if box.get_attribute("open") is not None else None
    raise TimeoutError(f"the page did not answer in time (message box: {shown!r})")


def box(text_part=None, key=Keys.RETURN):
    """The open message box's text, answered with `key` (Return: OK, Escape: Cancel)."""
    wait(lambda: driver.find_element(By.ID, "Mensaje").get_attribute("open") is not None)
    text = driver.find_element(By.ID, "MensajeTexto").text
    if text_part and text_part not in text:
        faults.append(f"message {text!r} lacks {text_part!r}")
    dialog = driver.find_element(By.ID, "Mensaje")
    shown = dialog.get_attribute("data-shown")
    driver.switch_to.active_element.send_keys(key)
    wait(lambda: dialog.get_attribute("open") is None or dialog.get_attribute("data-shown") != shown)
    return text


def convert(button, output, stop_row=None, cancel=False, seconds=120):
    """Runs a workbook page to its download: the question on row `stop_row`
    answered with Escape (Cancel), every other message with Return (OK);
    Cancel pressed once the bar moves when `cancel`. Returns the messages and
    the downloaded file."""
    for old in glob.glob(os.path.join(downloads, "*")):
        os.remove(old)
    driver.find_element(By.ID, button).click()
    target, texts, end = os.path.join(downloads, output), [], time.time() + seconds
    while not os.path.exists(target) or glob.glob(os.path.join(downloads, "*.crdownload")):
        # Pressed in the page's own turn, so that the run cannot end between
        # seeing it under way and pressing.
        if cancel and driver.execute_script(
                "const busy = run && run.busy && +$('Avance').value > 0 && !$('Mensaje').open;"
                "if (busy) $('Cancel').click(); return busy"):
            cancel = False
        if driver.find_element(By.ID, "Mensaje").get_attribute("open") is not None:
            text = driver.find_element(By.ID, "MensajeTexto").text
            texts.append(box(key=Keys.ESCAPE if text.startswith(f'La Fila  " {stop_row} "') else Keys.RETURN))
        if time.time() > end or len(texts) > 20:
            raise TimeoutError(f"no download after {texts}")
        time.sleep(0.05)
    return texts, target


def value(element_id):
    return driver.find_element(By.ID, element_id).get_attribute("value")


try:
    started = time.time()
    driver.get("file://" + os.path.abspath(html))
    wait(lambda: driver.find_element(By.TAG_NAME, "body").get_attribute("data-ready") == "true")
    print(f"page ready in {time.time() - started:.2f} s")

    # The README's worked point typed in each notation with real key events,
    # converted with Return and with OK: the same SAD69 northing each time.
    driver.find_element(By.ID, "SIRGAS_SAD69").click()
    points = (("OpDecGra", {"Textlat": "33.45", "Textlon": "70.65"}, Keys.RETURN),
              ("OpGraMinSeg", {"Text_Gralat_i": "33", "Text_Minlat_i": "27", "Text_Seglat_i": "0",
                               "Text_Gralon_i": "70", "Text_Minlon_i": "39", "Text_Seglon_i": "0"}, None),
              ("OpUTM", {"Text_iNorte": "6297606.833", "Text_iEste": "346642.695", "Text_zona_1": "19"}, Keys.RETURN))
    for button, typed, key in points:
        driver.find_element(By.ID, button).click()
        driver.execute_script("document.getElementById('Text_ONorte').value = ''")
        for element_id, text in typed.items():
            driver.find_element(By.ID, element_id).clear()
            driver.find_element(By.ID, element_id).send_keys(text)
        if key:
            driver.find_element(By.ID, element_id).send_keys(key)
        else:
            driver.find_element(By.ID, "OK").click()
        wait(lambda: value("Text_ONorte"))
        for element_id, expected in (("Text_ONorte", "6,297,632.781"), ("Text_Zona", "19"), ("Text_DeltaError", "+/- 5.0 m.")):
            if expected not in value(element_id):
                faults.append(f"{button}: {element_id} {value(element_id)!r}, expected {expected!r}")

    # The same UTM point with the zone forced to 18, which only the ticked
    # box makes selectable (with 19, never the other zones).
    if driver.find_element(By.ID, "OpZ18").is_enabled():
        faults.append("zone 18 selectable with Forzar Zonas clear")
    driver.find_element(By.ID, "Check1").click()
    if driver.find_element(By.ID, "OpZ12").is_enabled():
        faults.append("zone 12 selectable with Forzar Zonas ticked")
    driver.find_element(By.ID, "OpZ18").click()
    driver.execute_script("document.getElementById('Text_Zona').value = ''")
    driver.find_element(By.ID, "OK").click()
    wait(lambda: value("Text_Zona"))
    if value("Text_Zona") != "18":
        faults.append(f"forced zone: Text_Zona {value('Text_Zona')!r}")
    driver.find_element(By.ID, "Check1").click()

    # An empty field: the window's message, answered with the keyboard.
    driver.find_element(By.ID, "OpDecGra").click()
    driver.find_element(By.ID, "Textlat").clear()
    driver.find_element(By.ID, "OK").click()
    box("Complete Campos")

    # Workbooks: an .xls refused, a hostile one refused, a good one converted.
    driver.find_element(By.ID, "TabExcel").click()
    folder = tempfile.mkdtemp()
    xls = os.path.join(folder, "viejo.xls")
    open(xls, "wb").write(b"\xd0\xcf\x11\xe0 no es un libro")
    driver.find_element(By.ID, "Examina_exel").send_keys(xls)
    box(".xlsx")
    hostile = os.path.join(folder, "roto.xlsx")
    open(hostile, "wb").write(b"PK\x03\x04" + b"\xff" * 200)
    driver.find_element(By.ID, "Examina_exel").send_keys(hostile)
    box()
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    import same_workbooks_books as books  # noqa: E402  (the workbooks of the byte test)
    book = os.path.join(folder, "obra.xlsx")
    books.workbook(book, books.BOOKS[0][2])
    driver.find_element(By.ID, "Examina_exel").send_keys(book)
    wait(lambda: driver.find_element(By.ID, "cmbhoja").get_attribute("value") == "Puntos")
    native = os.path.join(folder, "cli.xlsx")
    subprocess.run([cli, "batch", book, "--sheet", "Puntos", "--from", "dd", "--direction", "SIRGAS_SAD69",
                    "-o", native], check=True, capture_output=True)
    # The bad row (4) skipped with OK: the download is the CLI's workbook;
    # stopped there with Cancel: only the rows before it are converted.
    for stop_row, rows in ((None, [2, 3, 5, 6]), (4, [2, 3])):
        texts, download = convert("Ok_excel", "obra_1.xlsx", stop_row)
        asked = [t for t in texts if t.startswith("La Fila")]
        # Stopped: nothing the run would have asked past the stop is shown.
        if not any(t.startswith('La Fila  " 4 "') for t in asked) or books.converted_rows(download) != rows or \
                (stop_row and not asked[-1].startswith(f'La Fila  " {stop_row} "')):
            faults.append(f"bad row, stop at {stop_row}: rows {books.converted_rows(download)} after {texts}")
        if stop_row is None:
            faults += [f"download against the CLI: {f}" for f in books.package_differences(native, download)]
    # The same file chosen again once changed (its bad row mended): read anew.
    books.workbook(book, [r if r[0] != "P3" else ["P3", 30.0, 70.1] for r in books.BOOKS[0][2]])
    driver.find_element(By.ID, "Examina_exel").send_keys(book)
    wait(lambda: driver.find_element(By.ID, "cmbhoja").get_attribute("value") == "Puntos")
    if books.converted_rows(convert("Ok_excel", "obra_1.xlsx")[1]) != [2, 3, 4, 5, 6]:
        faults.append("the same file chosen again after a change was not read anew")
    print("the bad row's question answered both ways; the download holds the CLI's cells")

    # Cancel in the middle of a long run: the rows converted so far are kept.
    long_book = os.path.join(folder, "largo.xlsx")
    books.workbook(long_book, [["Nombre", "Lat", "Lon"]] + [[f"P{n}", 33.45, 70.65] for n in range(200000)])
    driver.find_element(By.ID, "Examina_exel").send_keys(long_book)
    wait(lambda: driver.find_element(By.ID, "Text_excel").get_attribute("value") == "largo.xlsx" and
         driver.find_element(By.ID, "cmbhoja").get_attribute("value") == "Puntos")
    texts, download = convert("Ok_excel", "largo_1.xlsx", cancel=True)
    done = len(books.converted_rows(download))
    if not 0 < done < 200000 or not any("Filas convertidas" in t for t in texts):
        faults.append(f"Cancel: {done} rows converted, messages {texts}")
    print(f"Cancel after {done} of 200000 rows")
    # Cancel before any row is finished: the run ends, nothing is offered.
    driver.execute_script("$('Ok_excel').click(); $('Cancel').click()")
    box("antes de la primera fila")
    if driver.find_elements(By.ID, "Guardar") or not driver.find_element(By.ID, "AvanceBox").get_attribute("hidden"):
        faults.append("Cancel before the first row: a download was offered or the bar stayed")

    # A worker that fails (here, a message it cannot take) is replaced: the
    # user is told, and the page converts again.
    driver.execute_script("worker.postMessage({kind: 'point', notation: 0, texts: null})")
    box("elíjalo de nuevo")
    wait(lambda: driver.find_element(By.TAG_NAME, "body").get_attribute("data-ready") == "true")
    driver.find_element(By.ID, "TabPunto").click()
    driver.find_element(By.ID, "OpDecGra").click()
    driver.execute_script("document.getElementById('Text_ONorte').value = ''")
    for element_id, text in (("Textlat", "33.45"), ("Textlon", "70.65")):
        driver.find_element(By.ID, element_id).clear()
        driver.find_element(By.ID, element_id).send_keys(text)
    driver.find_element(By.ID, "Textlon").send_keys(Keys.RETURN)
    wait(lambda: value("Text_ONorte"))
    if "6,297,632.781" not in value("Text_ONorte"):
        faults.append(f"after a failed worker: Text_ONorte {value('Text_ONorte')!r}")

    requests = [json.loads(entry["message"])["message"] for entry in driver.get_log("performance")]
    sent = [r["params"]["request"]["url"] for r in requests if r["method"] == "Network.requestWillBeSent"]
    network = [url for url in sent if not url.startswith(("file:", "blob:", "data:"))]
    print(f"network requests: {len(network)} (page and worker loads: {len(sent)})")
    if network:
        faults.append(f"the page asked the network for {network}")
finally:
    driver.quit()

for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
