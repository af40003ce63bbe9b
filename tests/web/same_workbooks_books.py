"""Small .xlsx workbooks for the browser edition's tests, one per batch page,
and how two converted packages are compared."""
import zipfile

HEAD = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n')
PARTS = {
    "[Content_Types].xml": HEAD + '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
    '<Default Extension="xml" ContentType="application/xml"/>'
    '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
    '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
    '</Types>',
    "_rels/.rels": HEAD + '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>'
    '</Relationships>',
    "xl/workbook.xml": HEAD + '<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
    'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>'
    '<sheet name="Puntos" sheetId="1" r:id="rId1"/></sheets></workbook>',
    "xl/_rels/workbook.xml.rels": HEAD + '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>'
    '</Relationships>',
}


def cell(ref, value):
    if isinstance(value, str):
        return f'<c r="{ref}" t="inlineStr"><is><t>{value}</t></is></c>'
    return f'<c r="{ref}"><v>{value!r}</v></c>'


def workbook(path, rows):
    xml = [HEAD, '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>']
    for r, values in enumerate(rows, 1):
        xml.append(f'<row r="{r}">' + "".join(cell(f"{chr(65 + c)}{r}", v) for c, v in enumerate(values) if v is not None) + "</row>")
    xml.append("</sheetData></worksheet>")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, text in PARTS.items():
            z.writestr(name, text)
        z.writestr("xl/worksheets/sheet1.xml", "".join(xml))


BOOKS = {  # page: (from, direction, rows)
    0: ("dd", "SIRGAS_SAD69", [["Nombre", "Lat", "Lon"], ["P1", 33.45, 70.65], ["P2", 20.5, 69.25],
                               ["P3", "x", 70.1], ["P4", 40.0, 72.125], ["P5", 45.9, 74.9]]),
    1: ("dms", "PSAD56_SIRGAS", [["Nombre", "G", "M", "S", "G", "M", "S"], ["P1", 33, 27, 0, 70, 39, 0],
                                 ["P2", 20, 30, 15.5, 69, 15, 59.25], ["P3", 30, 61, 0, 70, 0, 0],
                                 ["P4", 38, 0, 0, 71, 30, 30]]),
    2: ("utm", "SAD69_SIRGAS", [["Nombre", "Norte", "Este"], ["P1", 6297606.833, 346642.695],
                                ["P2", 7788206.4439, 395390.6762], ["P3", "n", 1], ["P4", 5571763.9355, 414639.5382]]),
}



def package_differences(native, browser):
    """What differs between two converted packages beyond their compressed
    streams and the time stamps of the parts rewritten (the time of writing):
    the entries (names, CRCs, sizes, order) and each part once inflated."""
    faults = []
    with zipfile.ZipFile(native) as a, zipfile.ZipFile(browser) as b:
        entries = [[(i.filename, i.CRC, i.file_size) for i in z.infolist()] for z in (a, b)]
        if entries[0] != entries[1]:
            faults.append(f"the packages hold different entries: {entries[0]} against {entries[1]}")
        faults += [f"{i.filename} differs" for i in a.infolist()
                   if i.filename in b.namelist() and a.read(i.filename) != b.read(i.filename)]
    return faults


def converted_rows(path):
    """The rows of sheet 1 that hold a number in column D (the first output)."""
    import re
    with zipfile.ZipFile(path) as z:
        sheet = z.read("xl/worksheets/sheet1.xml").decode()
    return sorted(int(r) for r in re.findall(r'<c r="D(\d+)"[^>]*><v>', sheet))
