#!/usr/bin/env python3
"""Checks that a printout loses no figure: every non-zero figure of a statement's CSV export must
stand on the PDF export of the same statement, as often as the CSV holds it.

    scripts/check-printed-figures.py VIEWER FORECAST [EXPORT OPTIONS...] [-- PDF OPTIONS...]

EXPORT OPTIONS (--edition, --scenario, --company, --year) choose the statement for both exports;
PDF OPTIONS go to the PDF export only (--fit-width 1, --repeat-labels, --paper ...), which prints
the current scenario, company and year. Needs pdftotext. Prints the count and every figure
missing, and exits 1 when one is.
"""

import collections
import csv
import io
import os
import subprocess
import sys
import tempfile


def money_forms(text):
    """The ways a CSV amount can stand on paper: grouped by thousands, a negative in brackets or
    with a minus, with its cents or rounded to units."""
    value = float(text)
    forms = set()
    for digits in (2, 0):
        grouped = f"{abs(value):,.{digits}f}"
        if value < 0:
            forms.update({f"({grouped})", f"-{grouped}"})
        else:
            forms.add(grouped)
    return forms


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    viewer, forecast = argv[1], argv[2]
    rest = argv[3:]
    split = rest.index("--") if "--" in rest else len(rest)
    select, pdf_only = rest[:split], rest[split + 1:]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")

    table = subprocess.run([viewer, "--export", "csv", forecast, *select], env=env,
                           capture_output=True, text=True, check=True).stdout
    with tempfile.TemporaryDirectory() as folder:
        pdf = os.path.join(folder, "statement.pdf")
        run = subprocess.run([viewer, "--export", "pdf", forecast, *select, "--scenarios",
                              "current", "--companies", "current", "--years", "current",
                              "--cashflow", *pdf_only, "-o", pdf], env=env, capture_output=True,
                             text=True)
        if run.returncode != 0:
            print(run.stderr, file=sys.stderr)
            return 1
        if run.stderr:
            print(run.stderr.strip())
        text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True,
                              check=True).stdout
        pages = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True,
                               check=True).stdout
    page_count = next(line.split()[-1] for line in pages.splitlines() if line.startswith("Pages"))

    printed = collections.Counter(text.split())
    wanted = collections.Counter()
    rows = list(csv.reader(io.StringIO(table)))
    for row in rows[1:]:
        for cell in row[1:]:
            if cell and float(cell) != 0:
                wanted[cell] += 1

    missing = []
    for figure, count in wanted.items():
        found = sum(printed[form] for form in money_forms(figure))
        if found < count:
            missing.append(f"{figure} ({count - found} of {count})")
    total = sum(wanted.values())
    print(f"{len(wanted) - len(missing)} of {len(wanted)} distinct non-zero figures "
          f"({total} in all) found on {page_count} pages")
    for figure in missing:
        print(f"missing: {figure}")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
