#!/usr/bin/python3
# Reads a quote the command wrote back with the readers a user's tools are built on
# (Python's csv module, openpyxl) and compares it with the sheet as the command prints it
# (tab-separated, heads first). Prints "same" or every difference found.
#   read_back.py csv|xlsx FILE SHEET.tsv CAPTION
# Or prints the file's rows, their filled cells joined by tabs, figures marked "#" in a
# workbook, and a workbook's cells with a line break that do not wrap:
#   read_back.py lines csv|xlsx FILE
import csv
import re
import sys
import unicodedata

if sys.argv[1] == "lines":
    kind, path = sys.argv[2:4]
    if kind == "csv":
        with open(path, newline="", encoding="utf-8-sig") as f:
            for record in csv.reader(f):
                print("\t".join(c for c in record if c != ""))
    else:
        import openpyxl

        for row in openpyxl.load_workbook(path).active.iter_rows():
            cells = []
            for c in row:
                if c.value is None:
                    continue
                if isinstance(c.value, str) and "\n" in c.value and not c.alignment.wrap_text:
                    print("not wrapped: " + c.coordinate)
                cells.append(("#" if isinstance(c.value, (int, float)) else "") + str(c.value))
            print("\t".join(cells))
    sys.exit(0)

kind, path, tsv_path, caption = sys.argv[1:5]
with open(tsv_path, encoding="utf-8") as tsv:
    expected = [line.rstrip("\n").split("\t") for line in tsv if line.strip("\n") != ""]
problems = []


# A figure that a spreadsheet shows as written: no leading zeros, no bare point.
PLAIN_NUMBER = re.compile(r"-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?%?")


def display_width(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def table_after_heads(rows):
    for i, row in enumerate(rows):
        if row[: len(expected[0])] == expected[0]:
            return i, rows[i:]
    problems.append("no head row " + repr(expected[0]))
    return 0, []


def as_text(value, number_format):
    if value is None:
        return ""
    if isinstance(value, str):
        return value
    if number_format.endswith("%"):
        decimals = len(number_format.split(".")[1]) - 1 if "." in number_format else 0
        return f"{value * 100:.{decimals}f}%"
    decimals = len(number_format.split(".")[1]) if "." in number_format else 0
    if number_format == "General":
        return repr(value)
    return f"{value:.{decimals}f}"


if kind == "csv":
    with open(path, "rb") as raw:
        data = raw.read()
    if not data.startswith(b"\xef\xbb\xbf"):
        problems.append("no byte-order mark")
    if b"\n" in data.replace(b"\r\n", b""):
        problems.append("a record not ended by CR LF")
    with open(path, newline="", encoding="utf-8-sig") as f:
        records = list(csv.reader(f))
    if records and records[0] != [caption]:
        problems.append("title " + repr(records[0]))
    _, table = table_after_heads(records)
    if [] in table:  # the signature lines follow the table after an empty record
        table = table[: table.index([])]
    for want, got in zip(expected, table):
        if got[:6] != want:
            problems.append(f"{want!r} read back as {got!r}")
    if len(table) != len(expected):
        problems.append(f"{len(table)} rows instead of {len(expected)}")
else:
    import openpyxl

    book = openpyxl.load_workbook(path)
    sheet = book.active
    if sheet.title != caption:
        problems.append("sheet named " + repr(sheet.title))
    rows = [[c for c in row] for row in sheet.iter_rows()]
    texts = [[as_text(c.value, c.number_format) for c in row] for row in rows]
    start, table = table_after_heads(texts)
    if sheet.freeze_panes != f"A{start + 2}":
        problems.append("frozen at " + repr(sheet.freeze_panes))
    numbers = 0
    for offset, want in enumerate(expected):
        row = rows[start + offset] if start + offset < len(rows) else []
        got = texts[start + offset][:6] if start + offset < len(texts) else []
        got += [""] * (6 - len(got))
        if got != want:
            problems.append(f"{want!r} read back as {got!r}")
        for column, cell in enumerate(row[:6]):
            if isinstance(cell.value, (int, float)):
                numbers += 1
            elif column in (0, 3, 4, 5) and offset > 0 and PLAIN_NUMBER.fullmatch(want[column]):
                problems.append(f"{want[column]!r} kept as text in row {offset}")
        if want[1] in ("工程总造价", "全包总价格") and not row[5].font.b:
            problems.append(want[1] + " not bold")
    if numbers == 0:
        problems.append("no numeric cell")
    widths = {k: v.width for k, v in sheet.column_dimensions.items()}
    if widths.get("B", 0) < max(display_width(r[1]) for r in expected):
        problems.append("item column narrower than its Chinese names: " + repr(widths))

print("\n".join(problems) if problems else "same")
