#!/usr/bin/python3
"""Reads the viewer's statements the way a screen reader does, over the desktop's accessibility
bus (AT-SPI), under a virtual X server with a session bus of its own.

    statement_reader.py VIEWER FORECAST

Opens FORECAST in the Advanced window and checks that the statement is a table whose
"Total Income" row holds, cell for cell, the figures of the CSV export of the same statement;
that the view, scenario, company and year tabs are page tabs named as the forecast names them,
the current ones selected; that activating the second year's tab renames the table; that Tab into
the rows and Down gives a focus event on the row the highlight moved to; that the graph page's
legend entries are check boxes, checked. Then the same table in the Standard and Basic windows,
and the same focus events in the Standard one. Exits 77 (skipped) when the bindings, the bus or
the X server are not installed."""

import csv
import fcntl
import io
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from decimal import Decimal

SKIPPED = 77
TIMEOUT = 40  # seconds for any one thing to appear, on a busy machine too


def skip(reason):
    print(f"skipped: {reason}")
    sys.exit(SKIPPED)


def fail(message):
    raise AssertionError(message)


VIEWER, FORECAST = (os.path.abspath(arg) for arg in sys.argv[1:3])
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

for tool in ("Xvfb", "dbus-daemon", "xdotool"):
    if not shutil.which(tool):
        skip(f"{tool} is not installed")
if not os.path.exists(BUS_LAUNCHER):
    skip("the accessibility bus (at-spi2-core) is not installed")
try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import GLib  # noqa: E402
    import pyatspi  # noqa: F401  (checked before the bus exists; used once it does)
except (ImportError, ValueError) as error:
    skip(f"the AT-SPI bindings (python3-pyatspi) are missing: {error}")


class Desktop:
    """A virtual X server and a private session bus, through which the accessibility bus is
    started on demand."""

    def __init__(self):
        self.home = tempfile.mkdtemp(prefix="statement-reader-")
        self.xvfb, number, self.claim = self.start_x_server()
        runtime = os.path.join(self.home, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER"):
            self.env.pop(name, None)
        self.env.update({
            "DISPLAY": f":{number}",
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, "config"),
            "XDG_DATA_HOME": os.path.join(self.home, "data"),
            "XDG_CACHE_HOME": os.path.join(self.home, "cache"),
            "XDG_RUNTIME_DIR": runtime,
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
            # Qt's own messages reach standard error, so a failure can say what Qt said.
            "VARNOBEL_DEBUG": "1",
            "NO_AT_BRIDGE": "0",
        })
        self.bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=self.env, text=True,
            start_new_session=True)
        address = self.bus.stdout.readline().strip()
        if not address:
            fail("the session bus did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        # The bindings find the accessibility bus through the session bus of this process.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        os.environ["DISPLAY"] = self.env["DISPLAY"]
        # The accessibility bus and its registry are started before any window looks for them.
        wait_for("the accessibility bus", lambda: pyatspi.Registry.getDesktop(0) is not None)

    @staticmethod
    def start_x_server():
        """An X server on a display of its own: a number no other server holds, checked by a
        client connecting to it (a number that looks free may still be taken)."""
        first = 150 + os.getpid() % 300
        for number in range(first, first + 40):
            # Two of these checks starting at once must not both try one number: a server that
            # loses the race for a display removes the winner's socket as it gives up. A lock
            # of our own, held for the whole check, keeps them apart.
            claim = open(os.path.join(tempfile.gettempdir(), f".statement-reader-{number}.lock"), "w")
            try:
                fcntl.flock(claim, fcntl.LOCK_EX | fcntl.LOCK_NB)
            except OSError:
                claim.close()
                continue
            if os.path.exists(f"/tmp/.X{number}-lock"):
                claim.close()
                continue
            server = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", "1600x1000x24", "-nolisten", "tcp"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            env = dict(os.environ, DISPLAY=f":{number}")
            end = time.monotonic() + 10
            while server.poll() is None and time.monotonic() < end:
                probe = subprocess.run(["xdotool", "getdisplaygeometry"], env=env,
                                       capture_output=True)
                # A server that another one beat to the number answers the probe through the
                # winner and then ends: the number is ours only while our server still runs.
                if probe.returncode == 0:
                    time.sleep(0.3)
                    if server.poll() is None:
                        return server, number, claim
                    break
                time.sleep(0.1)
            if server.poll() is None:
                server.terminate()
                server.wait()
            claim.close()
        fail("no X server could be started")

    def close(self):
        # The bus's own group holds the accessibility bus and registry it started.
        for process, group in ((self.bus, True), (self.xvfb, False)):
            if process.poll() is None:
                try:
                    if group:
                        os.killpg(process.pid, signal.SIGTERM)
                    else:
                        process.terminate()
                    process.wait(5)
                except (ProcessLookupError, subprocess.TimeoutExpired):
                    process.kill()
        shutil.rmtree(self.home, ignore_errors=True)
        self.claim.close()


def pump(seconds=0.0):
    """Lets the bindings deliver events for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.pending():
            context.iteration(False)
        if time.monotonic() >= end:
            return
        time.sleep(0.02)


def wait_for(what, find, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < end:
        pump()
        try:
            found = find()
        except AssertionError:
            raise
        except Exception as error:  # an object gone while the window builds itself
            found = None
            last_error = error
        if found:
            return found
        time.sleep(0.1)
    fail(f"timed out waiting for {what}" + (f" (last: {last_error})" if last_error else ""))


def descendants(node, role, limit=4000):
    """Every descendant of a role, not looking inside tables (their cells are thousands)."""
    found, queue = [], [node]
    while queue and limit > 0:
        current = queue.pop(0)
        limit -= 1
        for child in current:
            if child is None:
                continue
            if child.getRole() == role:
                found.append(child)
            if child.getRole() != pyatspi.ROLE_TABLE:
                queue.append(child)
    return found


def amount(text):
    """A figure as the statement writes it: "1,234.50", "(1,234.50)", "-1,234.50", "-" for 0."""
    text = text.strip()
    if not text:
        return None
    if text == "-":
        return Decimal(0)
    negative = text.startswith("(") or text.startswith("-")
    value = Decimal(text.strip("()-").replace(",", ""))
    return -value if negative else value


class Window:
    def __init__(self, desktop, edition):
        self.desktop = desktop
        self.process = subprocess.Popen([VIEWER, FORECAST, edition], env=desktop.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.app = wait_for(f"the {edition} window on the accessibility bus", self.find_app)
        self.table = wait_for(f"the {edition} statement table", self.find_table)

    def find_app(self):
        if self.process.poll() is not None:
            server = self.desktop.xvfb.poll()
            fail(f"the viewer ended with status {self.process.returncode} (the X server on "
                 f"{self.desktop.env['DISPLAY']} "
                 f"{'runs' if server is None else f'ended with status {server}'}): "
                 f"{self.process.stderr.read().decode()}")
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid and app.childCount:
                return app
        return None

    def find_table(self):
        for table in descendants(self.app, pyatspi.ROLE_TABLE):
            if " > " in table.name and table.queryTable().nRows > 0:
                return table
        return None

    def tab_lists(self):
        return {tabs.name: tabs for tabs in descendants(self.app, pyatspi.ROLE_PAGE_TAB_LIST)}

    def window_id(self):
        ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)],
                             capture_output=True, text=True, env=os.environ).stdout.split()
        if not ids:
            fail("no window of the viewer on the X server")
        return ids[-1]

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def export_csv(edition):
    out = subprocess.run([VIEWER, "--export", "csv", FORECAST, "--edition", edition],
                         capture_output=True, text=True, check=True).stdout
    return list(csv.reader(io.StringIO(out)))


def until_settled(check, *args, timeout=TIMEOUT):
    """Runs a check until it holds: a window that has just opened or changed may still be filling
    its table in when the first reading comes. The last failure stands when time runs out."""
    end = time.monotonic() + timeout
    while True:
        try:
            return check(*args)
        except Exception:  # a failed check, or a cell that went while the table was refilled
            if time.monotonic() >= end:
                raise
        pump()
        time.sleep(0.5)


def check_total_income(table, edition):
    """The table's "Total Income" row against the CSV export's record of the same statement,
    column by column by heading."""
    records = export_csv(edition)
    header = records[0]
    expected = next(r for r in records if r[0].strip() == "Total Income")
    grid = table.queryTable()

    def row_labels():
        # A table still being filled after the window's first paint may answer a cell with
        # nothing; it is read again until every row has its label.
        cells = [grid.getAccessibleAt(r, 0) for r in range(grid.nRows)]
        return None if not cells or None in cells else [cell.name.strip() for cell in cells]

    rows = wait_for(f"the rows of {edition}'s table", row_labels)
    if "Total Income" not in rows:
        fail(f"{edition}: no row headed Total Income in {table.name}")
    row = rows.index("Total Income")
    if grid.getRowHeader(row).name.strip() != "Total Income":
        fail(f"{edition}: the row header of row {row} is {grid.getRowHeader(row).name!r}")
    compared = 0
    for column in range(1, grid.nColumns):
        heading = grid.getColumnHeader(column).name
        if heading not in header:
            continue
        cell = grid.getAccessibleAt(row, column)
        want = expected[header.index(heading)]
        got = amount(cell.name)
        if (got is None) != (want == ""):
            fail(f"{edition}: {heading}: table {cell.name!r}, export {want!r}")
        if got is not None:
            # Figures without cents are rounded to whole units.
            tolerance = Decimal("0.005") if "." in cell.name or cell.name.strip() == "-" else 1
            if abs(got - Decimal(want)) >= tolerance:
                fail(f"{edition}: {heading}: table {cell.name!r}, export {want!r}")
            value = cell.queryValue().currentValue
            if abs(Decimal(str(value)) - Decimal(want)) >= Decimal("0.005"):
                fail(f"{edition}: {heading}: value {value}, export {want!r}")
            compared += 1
    figures = sum(1 for h, v in zip(header, expected) if v != "" and h not in ("Line", "Notes"))
    if compared < figures or compared == 0:
        fail(f"{edition}: compared {compared} of the export's {figures} figures")
    print(f"{edition}: {table.name!r} Total Income matches the export in {compared} figures")


def names_entry(label, name):
    """Whether a tab's label names an entry: its name, a scenario's followed by its weight."""
    return label == name or label.startswith(name + " (Wt = ")


def check_advanced_tabs(window, forecast):
    view = forecast["root"]["views"][0]
    scenario = view["scenarios"][0]
    company = scenario["companies"][0]
    expected = {
        "Views": ([v["name"] for v in forecast["root"]["views"]], view["name"]),
        "Scenarios": ([s["name"] for s in view["scenarios"]], scenario["name"]),
        "Companies": ([c["name"] for c in scenario["companies"]], company["name"]),
        "Years": ([str(y["year"]) for y in company["years"]], str(company["years"][0]["year"])),
    }
    lists = window.tab_lists()
    for name, (labels, current) in expected.items():
        if name not in lists:
            fail(f"Advanced: no page tab list {name}; lists: {sorted(lists)}")
        tabs = [tab for tab in lists[name] if tab.getRole() == pyatspi.ROLE_PAGE_TAB]
        names = [tab.name for tab in tabs]
        for label in labels:
            if not any(names_entry(tab, label) for tab in names):
                fail(f"Advanced: {name} tabs {names} lack {label!r}")
        selected = [tab.name for tab in tabs if tab.getState().contains(pyatspi.STATE_SELECTED)]
        if len(selected) != 1 or not names_entry(selected[0], current):
            fail(f"Advanced: selected {name} tabs are {selected}, expected [{current!r}]")
        print(f"Advanced: {name} tabs {names}, selected {selected}")
    return lists


def check_year_tab(window, lists, forecast):
    years = forecast["root"]["views"][0]["scenarios"][0]["companies"][0]["years"]
    if len(years) < 2:
        fail("the forecast needs two years")
    second = str(years[1]["year"])
    tab = next(t for t in lists["Years"] if t.name == second)
    before = window.table.name
    tab.queryAction().doAction(0)
    wait_for(f"the table to show {second}", lambda: window.table.name.endswith(second))
    if window.table.name == before:
        fail("activating the second year left the table's name")
    if not tab.getState().contains(pyatspi.STATE_SELECTED):
        fail("the second year's tab is not selected after activating it")
    print(f"Advanced: activating {second} renamed the table {before!r} -> {window.table.name!r}")


def check_graph_page(window, lists):
    """The year's graph page: a table of its lines by month, named after the graph and described
    by what it plots."""
    graphs = [t for t in lists["Years"] if not t.name.isdigit()]
    if not graphs:
        fail("no graph page tab among the years")
    graphs[0].queryAction().doAction(0)
    wait_for("the graph page's table", lambda: window.table.name.endswith(" > " + graphs[0].name))
    grid = window.table.queryTable()
    if grid.nRows == 0 or grid.nColumns < 2 or " by month from " not in window.table.description:
        fail(f"the graph page reads {grid.nRows} x {grid.nColumns}: "
             f"{window.table.description!r}")
    print(f"Advanced: {window.table.name!r}: {window.table.description!r}")
    prefixes = ("Actual - ", "Expected - ", "Variance - ")
    entries = wait_for("the legend's check boxes", lambda: [
        box for box in descendants(window.app, pyatspi.ROLE_CHECK_BOX)
        if box.name.startswith(prefixes)])
    unchecked = [box.name for box in entries if not box.getState().contains(pyatspi.STATE_CHECKED)]
    if unchecked:
        fail(f"legend entries read as not plotted: {unchecked}")
    print(f"Advanced: legend {[box.name for box in entries]}")


def check_row_focus(window, edition):
    """Tab through the rows of tabs into the statement, then Down: each gives a focus event on
    the first cell of the row the highlight stands on."""
    events = []

    def on_focus(event):
        if event.detail1 == 1:
            events.append(event.source)

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    try:
        pump(0.5)
        wid = window.window_id()
        subprocess.run(["xdotool", "windowfocus", "--sync", wid], env=os.environ, check=True)
        grid = window.table.queryTable()
        columns = grid.nColumns

        def focused_row():
            for source in reversed(events):
                if source.getRole() == pyatspi.ROLE_TABLE_CELL:
                    return source.getIndexInParent() // columns, source.name
            return None

        row = None
        for _ in range(6):  # the rows of tabs, then the statement's rows
            events.clear()
            subprocess.run(["xdotool", "key", "--window", wid, "Tab"], env=os.environ, check=True)
            pump(0.6)
            row = focused_row()
            if row:
                break
        if not row:
            fail("Tab never brought the focus to a row of the table")
        events.clear()
        subprocess.run(["xdotool", "key", "--window", wid, "Down"], env=os.environ, check=True)
        moved = wait_for("a focus event on the next row", focused_row, timeout=10)
        if moved[0] != row[0] + 1:
            fail(f"Down moved the focus from row {row[0]} to row {moved[0]}")
        label = grid.getAccessibleAt(moved[0], 0).name
        if moved[1] != label:
            fail(f"the focused cell reads {moved[1]!r}, its row {label!r}")
        print(f"{edition}: Tab focused row {row[0]} {row[1]!r}; Down focused row {moved[0]} "
              f"{moved[1]!r}")
    finally:
        pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused")


def main():
    started = time.monotonic()
    forecast = json.loads(subprocess.run([VIEWER, "--export", "json", FORECAST],
                                         capture_output=True, text=True, check=True).stdout)
    desktop = Desktop()
    try:
        window = Window(desktop, "Adv")
        try:
            until_settled(check_total_income, window.table, "Adv")
            lists = check_advanced_tabs(window, forecast)
            check_year_tab(window, lists, forecast)
            check_row_focus(window, "Adv")
            check_graph_page(window, lists)
        finally:
            window.close()
        for edition in ("Std", "Bas"):
            window = Window(desktop, edition)
            try:
                until_settled(check_total_income, window.table, edition)
                if edition == "Std":
                    check_row_focus(window, edition)
            finally:
                window.close()
    finally:
        desktop.close()
    print(f"all checks passed in {time.monotonic() - started:.1f} s")


if __name__ == "__main__":
    try:
        main()
    except AssertionError as error:
        print(f"FAILED: {error}")
        sys.exit(1)
