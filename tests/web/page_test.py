#!/usr/bin/env python3
"""The page in headless Chromium, opened from file:// with no server: points
typed with real key events and converted with Return and with OK, a message
box answered, a workbook chosen through Examina_exel, converted and
downloaded, an .xls refused, a hostile workbook refused with the page still
usable, and no network request in the browser's log.

  page_test.py TREVALCO_HTML TREVALCO_CLI
"""
import glob
import json
import os
import shutil
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
options.add_experimental_option("prefs", {"download.default_directory": downloads})
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
    raise TimeoutError("the page did not answer in time")


def box(text_part=None):
    """The open message box's text, answered with Return."""
    wait(lambda: driver.find_element(By.ID, "Mensaje").get_attribute("open") is not None)
    text = driver.find_element(By.ID, "MensajeTexto").text
    if text_part and text_part not in text:
        faults.append(f"message {text!r} lacks {text_part!r}")
    driver.switch_to.active_element.send_keys(Keys.RETURN)
    wait(lambda: driver.find_element(By.ID, "Mensaje").get_attribute("open") is None)
    return text


def value(element_id):
    return driver.find_element(By.ID, element_id).get_attribute("value")


try:
    started = time.time()
    driver.get("file://" + os.path.abspath(html))
    wait(lambda: driver.find_element(By.TAG_NAME, "body").get_attribute("data-ready") == "true")
    print(f"page ready in {time.time() - started:.2f} s")

    # Decimal degrees typed and converted with Return: the README's worked point.
    driver.find_element(By.ID, "SIRGAS_SAD69").click()
    for element_id, text in (("Textlat", "33.45"), ("Textlon", "70.65")):
        driver.find_element(By.ID, element_id).send_keys(text)
    driver.find_element(By.ID, "Textlon").send_keys(Keys.RETURN)
    wait(lambda: value("Text_ONorte"))
    for element_id, expected in (("Text_iNorte", "6297606.833"), ("Text_Zona", "19"), ("Text_DeltaError", "+/- 5.0 m.")):
        if value(element_id) != expected:
            faults.append(f"{element_id}: {value(element_id)!r}, expected {expected!r}")
    if "6,297,632.781" not in value("Text_ONorte"):
        faults.append(f"Text_ONorte: {value('Text_ONorte')!r}")

    # Degrees, minutes and seconds with the OK button; then UTM with a forced zone.
    driver.find_element(By.ID, "OpGraMinSeg").click()
    for element_id in ("Text_Olat", "Text_ONorte"):
        driver.execute_script(f"document.getElementById('{element_id}').value = ''")
    driver.find_element(By.ID, "OK").click()
    wait(lambda: value("Text_ONorte"))
    driver.find_element(By.ID, "OpUTM").click()
    driver.find_element(By.ID, "Check1").click()
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
    driver.find_element(By.ID, "Ok_excel").click()
    answers = 0
    while not glob.glob(os.path.join(downloads, "obra_1.xlsx")):
        if driver.find_element(By.ID, "Mensaje").get_attribute("open") is not None:
            box()
            answers += 1
        time.sleep(0.05)
        if answers > 20:
            raise TimeoutError("too many questions")
    print(f"workbook converted and downloaded after {answers} messages")

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
