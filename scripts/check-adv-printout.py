#!/usr/bin/env python3
"""Checks that the Advanced printout loses no figure: every non-zero figure of the Advanced CSV
of every shown year (sections open) must stand on the expanded PDF, as many times as the CSVs
hold it, in the text pdftotext reads from it.

    scripts/check-adv-printout.py VIEWER FORECAST... [--fit-width N] [--keep DIR]
        [--variants-of JSON --compose FORECAST_COMPOSE]

With --variants-of, three forecasts made from the JSON are checked as well: one saved at 24 pt,
one whose rows are labelled with 300 characters, one whose tax setups are named with 300.
Prints the figures found of those expected and the pages printed for each forecast; exits 1
when one is missing.
"""
import argparse
import collections
import csv
import io
import json
import os
import re
import subprocess
import sys
import tempfile

FIGURE_HEADING = re.compile(r"^(\S+ \d\d|Total|Percentage) (Actual|Expected|Variance)$")


def run(args):
    result = subprocess.run(args, capture_output=True)
    if result.returncode != 0:
        sys.exit(f"{' '.join(args)} failed ({result.returncode}): "
                 f"{result.stderr.decode(errors='replace')}")
    return result


def shown_years(root):
    """The keys (view, scenario, company, year) of every year the printout shows: list position
    0 of scenarios and companies is the combined entry, addressed as -1."""
    for v, view in enumerate(root.get("views", [])):
        if view.get("hidden"):
            continue
        for s, scenario in enumerate(view.get("scenarios", [])):
            if scenario.get("hidden"):
                continue
            for c, company in enumerate(scenario.get("companies", [])):
                if company.get("hidden"):
                    continue
                for y, year in enumerate(company.get("years", [])):
                    if not year.get("hidden"):
                        yield v, s - 1, c - 1, y


def amount_text(hundredths, cents, brackets):
    """A figure as the statement draws it: "," between thousands, negatives in brackets or
    after "-", whole units rounded half away from zero without cents."""
    magnitude = abs(hundredths)
    if cents:
        text = f"{magnitude // 100:,}.{magnitude % 100:02d}"
    else:
        text = f"{(magnitude + 50) // 100:,}"
    if hundredths < 0:
        return f"({text})" if brackets else "-" + text
    return text


def hundredths_of(cell):
    sign = -1 if cell.startswith("-") else 1
    units, _, fraction = cell.lstrip("-").partition(".")
    return sign * (int(units) * 100 + int((fraction + "00")[:2]))


def long_text(start, length=300):
    return (start + " " + "x" * length)[:length]


def variants(source, compose, folder):
    """The forecast files of the three variants of the JSON forecast `source`."""
    def large(document):
        document["document"]["fontSize"] = 240

    def labels(node, inside=False):
        if isinstance(node, dict):
            if inside and "class" in node and "name" in node:
                node["name"] = long_text(node["name"])
            for key, value in node.items():
                labels(value, inside or key == "categories")
        elif isinstance(node, list):
            for value in node:
                labels(value, inside)

    def taxes(node):
        if isinstance(node, dict):
            for setup in node.get("taxSetups", []):
                setup["name"] = long_text(setup["name"])
            for value in node.values():
                taxes(value)
        elif isinstance(node, list):
            for value in node:
                taxes(value)

    made = []
    for name, change in (("24pt", large), ("labels", labels), ("tax-name", taxes)):
        with open(source, encoding="utf-8") as file:
            document = json.load(file)
        change(document)
        path = os.path.join(folder, name)
        with open(path + ".json", "w", encoding="utf-8") as file:
            json.dump(document, file)
        run([compose, path + ".json", path + ".cfs"])
        made.append(path + ".cfs")
    return made


def check(args, forecast, folder):
    document = json.loads(run([args.viewer, "--export", "json", forecast]).stdout)
    root = document["root"]
    cents = bool(root.get("cents", 1))
    brackets = bool(root.get("brackets", 1))

    expected = collections.Counter()
    for v, s, c, y in shown_years(root):
        out = run([args.viewer, "--export", "csv", forecast, "--edition", "Adv",
                   "--view", str(v), "--scenario", str(s), "--company", str(c), "--year", str(y),
                   "--outline", "open"]).stdout.decode("utf-8-sig")
        rows = list(csv.reader(io.StringIO(out)))
        if not rows:
            continue
        figures = [i for i, heading in enumerate(rows[0]) if FIGURE_HEADING.match(heading)]
        for row in rows[1:]:
            for i in figures:
                if i < len(row) and row[i]:
                    value = hundredths_of(row[i])
                    if value != 0:
                        expected[amount_text(value, cents, brackets)] += 1

    pdf = os.path.join(folder, os.path.basename(forecast) + ".pdf")
    command = [args.viewer, "--export", "pdf", forecast, "--edition", "Adv",
               "--print-option", "expanded", "-o", pdf]
    if args.fit_width is not None:
        command += ["--fit-width", str(args.fit_width)]
    notes = run(command).stderr.decode(errors="replace").strip()
    text = run(["pdftotext", "-layout", pdf, "-"]).stdout.decode("utf-8", errors="replace")
    pages = text.count("\f")
    printed = collections.Counter(text.split())

    found = sum(min(count, printed[token]) for token, count in expected.items())
    total = sum(expected.values())
    missing = [token for token, count in expected.items() if printed[token] < count]
    print(f"{forecast}: {found} of {total} non-zero figures on {pages} pages"
          + (f" ({notes})" if notes else ""))
    if missing:
        print("missing, for example: " + " ".join(missing[:10]))
        return False
    return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("viewer")
    parser.add_argument("forecasts", nargs="+")
    parser.add_argument("--fit-width", type=int)
    parser.add_argument("--keep", help="folder to keep the variants and PDFs in")
    parser.add_argument("--variants-of", help="JSON forecast to make the variants from")
    parser.add_argument("--compose", help="the forecast-compose tool, for --variants-of")
    args = parser.parse_args()
    os.environ.update(QT_QPA_PLATFORM="offscreen", TZ="UTC")
    folder = args.keep or tempfile.mkdtemp()
    os.makedirs(folder, exist_ok=True)
    forecasts = list(args.forecasts)
    if args.variants_of:
        if not args.compose:
            sys.exit("--variants-of needs --compose")
        forecasts += variants(args.variants_of, args.compose, folder)
    results = [check(args, forecast, folder) for forecast in forecasts]
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
