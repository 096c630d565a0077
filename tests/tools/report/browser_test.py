#!/usr/bin/env python3
"""Renders `scenario report` pages in headless Chromium and checks them against the compile.

For each scenario given with --case, the script compiles the route and train files with
`scenario compile` (to have the binary files the simulator gets), writes the report with
`scenario report`, and checks:

- both SVG files are well-formed XML;
- Chromium loads the page with no console message (the page's policy forbids every fetch, so
  any attempt to load something would show there), and its screenshot is not blank;
- the map as Chromium holds it (the dumped DOM) matches the binary files: its drawn extent is the
  plan's extent read from the profile file, its curves are the turning stretches of that plan,
  and its stations, signals, direction boards, maximum-speed boards, mountains and slowdowns are
  those of the scenario table and the cells; the profile's speed limit, mountains and code
  changes are those of the cells;
- for the shipped scenario, the counts and places worked out by hand from its text files.

Before that it renders two pages of its own that must fail the console and blank checks, so that
a browser that reports nothing cannot pass them. Screenshots stay in the work folder.

    browser_test.py --tool SCENARIO --chromium CHROMIUM --work FOLDER
                    --case NAME ROUTE TRAIN LINE NUMBER [--case ...]
"""

import argparse
import html.parser
import math
import os
import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
import zlib

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--enable-logging=stderr", "--v=0",
]
WINDOW = (1100, 1600)
CELL = 50


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


# ---------------------------------------------------------------------------------------------
# The binary files, read with every size checked before use.

def read_cells(path):
    data = path.read_bytes()
    check(len(data) % 15 == 0 and data, f"{path.name}: {len(data)} bytes is not whole cells")
    cells = []
    for at in range(0, len(data), 15):
        kind, v1, v2, v3, v4, time, marker, mountain, speed, gradient, adhesion = struct.unpack(
            "<BhhhhBBBBBB", data[at:at + 15])
        cells.append(dict(kind=kind, value1=v1, value2=v2, value3=v3, value4=v4,
                          mountain_type=mountain, speed_limit=speed, gradient=gradient))
    return cells


def read_table(path):
    data = path.read_bytes()
    slots = []
    at = 0
    for slot in range(87):
        check(at + 16 <= len(data), f"{path.name}: slot {slot} cut short")
        _, zone_start, zone_end, position, _ = struct.unpack("<BiiiB", data[at:at + 14])
        (length,) = struct.unpack("<H", data[at + 14:at + 16])
        check(at + 34 + length <= len(data), f"{path.name}: slot {slot} cut short")
        name = data[at + 16:at + 16 + length].decode("cp1252", errors="replace")
        slots.append(dict(zone_start=zone_start, zone_end=zone_end, position=position, name=name,
                          blank=not any(data[at:at + 14]) and length == 0
                          and not any(data[at + 16 + length:at + 34 + length])))
        at += 34 + length
    check(at == len(data), f"{path.name}: {len(data) - at} bytes after slot 86")
    return slots


def read_plan(path, rows):
    """The plan's points up to the first row whose x or y is empty."""
    data = path.read_bytes()
    columns = []
    at = 0
    for column in range(2):
        values = []
        for row in range(rows):
            check(at + 2 <= len(data), f"{path.name}: column {column} row {row} cut short")
            (tag,) = struct.unpack("<H", data[at:at + 2])
            at += 2
            if tag == 0:
                values.append(None)
            elif tag == 2:
                check(at + 2 <= len(data), f"{path.name}: row {row} cut short")
                values.append(float(struct.unpack("<h", data[at:at + 2])[0]))
                at += 2
            elif tag == 5:
                check(at + 8 <= len(data), f"{path.name}: row {row} cut short")
                values.append(struct.unpack("<d", data[at:at + 8])[0])
                at += 8
            else:
                raise Failure(f"{path.name}: tag {tag} at row {row}")
        columns.append(values)
    check(at == len(data), f"{path.name}: {len(data) - at} bytes after the last row")
    plan = []
    for x, y in zip(*columns):
        if x is None or y is None:
            break
        plan.append((x, y))
    return plan


def plan_curves(plan):
    """Turning stretches of the plan: for steps d then e, the turn is -(d x e) / (d . d)."""
    curves = []
    current = None
    for row in range(2, len(plan)):
        dx, dy = plan[row - 1][0] - plan[row - 2][0], plan[row - 1][1] - plan[row - 2][1]
        ex, ey = plan[row][0] - plan[row - 1][0], plan[row][1] - plan[row - 1][1]
        turn = -(dx * ey - dy * ex) / (dx * dx + dy * dy)
        if abs(turn) < 0.00005:
            current = None
            continue
        if current and (current["turn"] < 0) == (turn < 0) and \
                abs(current["turn"] - turn) <= 0.01 * abs(current["turn"]):
            current["to"] = row
            continue
        current = dict(frm=row - 1, to=row, turn=turn)
        curves.append(current)
    return [(c["frm"], c["to"], "left" if c["turn"] < 0 else "right") for c in curves]


def runs(cells, value, last):
    found = []
    for i, cell in enumerate(cells[:last + 1]):
        v = value(cell)
        if found and found[-1][2] == v:
            found[-1][1] = (i + 1) * CELL
        else:
            found.append([i * CELL, (i + 1) * CELL, v])
    return [tuple(r) for r in found]


# ---------------------------------------------------------------------------------------------
# The page as Chromium holds it.

class Element:
    def __init__(self, tag, attrs, parent):
        self.tag, self.attrs, self.parent = tag, dict(attrs), parent
        self.children, self.text = [], ""

    def classes(self):
        return self.attrs.get("class", "").split()

    def all_text(self):
        return self.text + "".join(child.all_text() for child in self.children)

    def walk(self):
        yield self
        for child in self.children:
            yield from child.walk()

    def find(self, cls, tag=None):
        return [e for e in self.walk() if cls in e.classes() and (tag is None or e.tag == tag)]

    def child(self, tag):
        for c in self.children:
            if c.tag == tag:
                return c
        return None


class DomReader(html.parser.HTMLParser):
    VOID = {"meta", "br", "link", "img", "input", "hr", "area", "base", "col", "source", "wbr"}

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = Element("#root", [], None)
        self.at = self.root

    def handle_starttag(self, tag, attrs):
        element = Element(tag, attrs, self.at)
        self.at.children.append(element)
        if tag not in self.VOID:
            self.at = element

    def handle_startendtag(self, tag, attrs):
        self.at.children.append(Element(tag, attrs, self.at))

    def handle_endtag(self, tag):
        walk = self.at
        while walk is not self.root and walk.tag != tag:
            walk = walk.parent
        if walk is not self.root:
            self.at = walk.parent

    def handle_data(self, data):
        self.at.text += data


def dom_of(text):
    reader = DomReader()
    reader.feed(text)
    reader.close()
    return reader.root


def points_of(element):
    return [tuple(float(v) for v in pair.split(",")) for pair in element.attrs["points"].split()]


# ---------------------------------------------------------------------------------------------
# Chromium and its pictures.

def chromium(binary, work, *args):
    profile = tempfile.mkdtemp(prefix="chromium-profile-", dir=work)
    try:
        done = subprocess.run([binary, *CHROMIUM_FLAGS, f"--user-data-dir={profile}", *args],
                              capture_output=True, text=True, errors="replace", timeout=120,
                              stdin=subprocess.DEVNULL)
    finally:
        shutil.rmtree(profile, ignore_errors=True)
    check(done.returncode == 0, f"chromium ended with {done.returncode}: {done.stderr[-2000:]}")
    console = [line for line in done.stderr.splitlines() if re.search(r":CONSOLE[:(]", line)]
    return done.stdout, console


def load(binary, work, page):
    """The DOM after loading `page`, and the console messages it logged."""
    return chromium(binary, work, "--dump-dom", page.resolve().as_uri())


def screenshot(binary, work, page, png):
    png.unlink(missing_ok=True)
    chromium(binary, work, f"--window-size={WINDOW[0]},{WINDOW[1]}", f"--screenshot={png}",
             page.resolve().as_uri())
    check(png.is_file(), f"chromium wrote no screenshot {png}")


def png_pixels(png):
    data = png.read_bytes()
    check(data[:8] == b"\x89PNG\r\n\x1a\n", f"{png.name} is not a PNG file")
    at, idat, header = 8, b"", None
    while at + 8 <= len(data):
        (length,) = struct.unpack(">I", data[at:at + 4])
        kind = data[at + 4:at + 8]
        check(at + 12 + length <= len(data), f"{png.name}: chunk cut short")
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    check(header is not None, f"{png.name} has no header")
    width, height, depth, colour, _, _, interlace = header
    check(depth == 8 and colour in (2, 6) and interlace == 0,
          f"{png.name}: depth {depth}, colour type {colour}, interlace {interlace}")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    check(len(raw) == height * (stride + 1), f"{png.name}: image data of the wrong size")
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc
                                      else corner)) & 0xFF
        rows.append(bytes(line))
        previous = line
    return width, height, channels, rows


def blank(png):
    """True when nearly every pixel has the colour of the top-left one."""
    width, height, channels, rows = png_pixels(png)
    background = rows[0][:3]
    differing, colours = 0, set()
    for row in rows[::4]:
        for x in range(0, width * channels, channels * 4):
            pixel = row[x:x + 3]
            colours.add(pixel)
            differing += pixel != background
    sampled = len(rows[::4]) * len(range(0, width * channels, channels * 4))
    return differing < 0.02 * sampled or len(colours) < 16


# ---------------------------------------------------------------------------------------------
# The checks of one page.

def check_map(svg, plan, slots, cells, curves, route_length):
    check(svg is not None, "the page has no map")
    box = [min(p[0] for p in plan), max(p[0] for p in plan),
           min(p[1] for p in plan), max(p[1] for p in plan)]
    stated = [float(svg.attrs[a]) for a in ("data-min-x", "data-max-x", "data-min-y",
                                            "data-max-y")]
    for got, want, name in zip(stated, box, ("min x", "max x", "min y", "max y")):
        check(abs(got - want) <= 0.001, f"the map states {name} {got}, the plan has {want}")
    scale, left, top = (float(svg.attrs[a]) for a in ("data-scale", "data-left", "data-top"))

    def metres(px, py):
        return box[0] + (px - left) / scale, box[3] - (py - top) / scale

    # Everything the line's polylines draw, mapped back to metres: within a pixel of the plan.
    drawn = [metres(*p) for e in svg.find("line", "polyline") + svg.find("runout", "polyline")
             for p in points_of(e)]
    check(drawn, "the map draws no line")
    one_pixel = 1 / scale
    drawn_box = [min(p[0] for p in drawn), max(p[0] for p in drawn),
                 min(p[1] for p in drawn), max(p[1] for p in drawn)]
    for got, want, name in zip(drawn_box, box, ("west", "east", "south", "north")):
        check(abs(got - want) <= one_pixel,
              f"the map's line reaches {got:.1f} m {name}, the plan {want:.1f} m")
    view = [float(v) for v in svg.attrs["viewbox"].split()]
    check(view[0] == 0 and view[1] == 0 and left - 1e-3 >= 0 and top - 1e-3 >= 0 and
          left + (box[1] - box[0]) * scale <= view[2] + 1e-3 and
          top + (box[3] - box[2]) * scale <= view[3] + 1e-3,
          f"the plan drawn at {left},{top} x{scale} does not fit the view box {view}")

    # Curves: where the plan turns, drawn from their first row to their last.
    found = [(int(e.attrs["data-from-m"]), int(e.attrs["data-to-m"]), e.attrs["data-side"])
             for e in svg.find("curve", "polyline")]
    check(found == curves, f"the map's curves {found}, the plan's {curves}")
    for e, (frm, to, _) in zip(svg.find("curve", "polyline"), curves):
        ends = points_of(e)
        for point, row in ((ends[0], frm), (ends[-1], to)):
            x, y = metres(*point)
            check(math.hypot(x - plan[row][0], y - plan[row][1]) <= one_pixel,
                  f"the curve {frm}-{to} is drawn away from metre {row} of the plan")

    stations = [(int(e.attrs["data-slot"]), int(e.attrs["data-position"]),
                 e.child("text").all_text() if e.child("text") else None)
                for e in svg.find("station", "g")]
    boards = [(i, c["value1"]) for i, c in enumerate(cells) if c["kind"] == 14]
    lowest = min([slot for _, slot in boards] + [81])
    filled = [s for s in range(1, lowest) if not slots[s]["blank"]]
    expected = [(s, slots[s]["position"], slots[s]["name"])
                for s in range(1, (max(filled) if filled else 0) + 1)]
    check(stations == expected, f"the map's stations {stations}, the table's {expected}")

    def cells_of(kind):
        return [i for i, c in enumerate(cells) if c["kind"] == kind]

    for cls, tag, kind in (("signal", "path", 1), ("speed-board", "g", 6),
                           ("direction-board", "rect", 14)):
        got = [int(e.attrs["data-cell"]) for e in svg.find(cls, tag)]
        check(got == cells_of(kind), f"the map's {cls} cells {got}, the cells' {cells_of(kind)}")
    titles = [e.child("title").all_text() for e in svg.find("direction-board", "rect")]
    texts = [slots[slot]["name"] for _, slot in boards]
    check(titles == texts, f"the direction boards' titles {titles}, the table's {texts}")

    mountains = [(a, b, t) for a, b, t in runs(cells, lambda c: c["mountain_type"],
                                               len(cells) - 1) if t != 0]
    got = [(int(e.attrs["data-from-m"]), int(e.attrs["data-to-m"]), int(e.attrs["data-type"]))
           for e in svg.find("mountain", "polyline")]
    check(got == mountains, f"the map's mountains {got}, the cells' {mountains}")
    starts = len(cells_of(3))
    check(len(svg.find("slowdown", "polyline")) == starts,
          f"the map has {len(svg.find('slowdown', 'polyline'))} slowdowns, the cells {starts}")
    ends = svg.find("endpoints", "g")
    check(ends and len(ends[0].children) == (2 if route_length < len(plan) else 1),
          "the map does not mark the start and the end of the line")
    return stations, found, mountains


def check_profile(svg, cells):
    check(svg is not None, "the page has no profile")
    last = len(cells) - 1 - 3
    speeds = runs(cells, lambda c: c["speed_limit"] * 5, last)
    got = [(int(e.attrs["data-from-m"]), int(e.attrs["data-to-m"]), int(e.attrs["data-kmh"]))
           for e in svg.find("speed-limit", "line")]
    check(got == speeds, f"the profile's speed limit {got}, the cells' {speeds}")
    gradients = runs(cells, lambda c: c["gradient"] - 100, last)
    got = [(int(e.attrs["data-from-m"]), int(e.attrs["data-to-m"]), int(e.attrs["data-gradient"]))
           for e in svg.find("gradient", "line")]
    check(got == gradients, f"the profile's gradient {got}, the cells' {gradients}")
    mountains = [(a, b) for a, b, t in runs(cells, lambda c: c["mountain_type"], len(cells) - 1)
                 if t != 0]
    got = [(int(e.attrs["data-from-m"]), int(e.attrs["data-to-m"]))
           for e in svg.find("mountain", "rect")]
    check(got == mountains, f"the profile's mountains {got}, the cells' {mountains}")
    codes = [i for i, c in enumerate(cells) if c["kind"] in (12, 13)]
    got = [int(e.attrs["data-cell"]) for e in svg.find("code-change", "path")]
    check(got == codes, f"the profile's code changes {got}, the cells' {codes}")
    return speeds


# The shipped scenario, worked out by hand from its route and train files: seven curves, each
# from its start to its start plus its length; five stations; signals at 11950 and 13200 m
# (cells 11950 / 50 + 1 and 13200 / 50 + 1); six direction boards; one mountain from 10600 to
# 11000 m; 30 km/h from the first metre.
SHIPPED = dict(
    curves=[(1300, 2300, "left"), (5200, 5800, "left"), (7250, 7950, "right"),
            (8250, 8700, "left"), (9200, 9750, "left"), (9750, 10350, "right"),
            (12800, 13200, "right")],
    stations=["VALLOMBRA MARINA", "ROCCALTA", "SELVANERA di SCOGLIERA", "DARSENA di SCOGLIERA",
              "SCOGLIERA"],
    signal_cells=[240, 265], boards=6, mountains=[(10600, 11000, 2)], speed=30, length=13800)


def check_shipped(dom, stations, curves, mountains, speeds):
    want = SHIPPED
    check(curves == want["curves"], f"shipped curves {curves}")
    check([name for _, _, name in stations] == want["stations"], f"shipped stations {stations}")
    signals = [int(e.attrs["data-cell"]) for e in dom.find("signal", "path")]
    check(signals == want["signal_cells"], f"shipped signals at cells {signals}")
    check(len(dom.find("direction-board", "rect")) == want["boards"], "shipped direction boards")
    check(mountains == want["mountains"], f"shipped mountains {mountains}")
    along = [(a, b, v) for a, b, v in speeds if a < want["length"]]
    check(along and along[0][0] == 0 and along[-1][1] >= want["length"] and
          all(v == want["speed"] for _, _, v in along), f"shipped speed limit {speeds}")


def run_case(args, name, route, train, line, number):
    work = pathlib.Path(args.work) / name
    shutil.rmtree(work, ignore_errors=True)
    compiled = work / "compiled"
    work.mkdir(parents=True)
    done = subprocess.run([args.tool, "compile", "--route", route, "--train", train, "--line",
                           line, "--number", number, "--out", str(compiled)],
                          capture_output=True, text=True)
    check(done.returncode == 0, f"scenario compile ended with {done.returncode}: {done.stderr}")
    page, map_svg, profile_svg = work / "report.html", work / "map.svg", work / "profile.svg"
    done = subprocess.run([args.tool, "report", "--route", route, "--train", train, "--line", line,
                           "--number", number, "-o", str(page), "--map-svg", str(map_svg),
                           "--profile-svg", str(profile_svg)], capture_output=True, text=True)
    check(done.returncode == 0, f"scenario report ended with {done.returncode}: {done.stderr}")

    for picture in (map_svg, profile_svg):
        try:
            root = ElementTree.parse(picture).getroot()
        except ElementTree.ParseError as error:
            raise Failure(f"{picture.name} is not well-formed XML: {error}")
        check(root.tag == "{http://www.w3.org/2000/svg}svg", f"{picture.name} is not an SVG")

    text, console = load(args.chromium, work, page)
    check(not console, "the page logged to the console:\n" + "\n".join(console))
    dom = dom_of(text)
    check(dom.find("outcome", "div") and "clean" in dom.find("outcome", "div")[0].classes(),
          "the page does not say the compile was clean")
    png = work / "screenshot.png"
    screenshot(args.chromium, work, page, png)
    check(not blank(png), f"the screenshot {png} is blank")

    slots = read_table(compiled / f"{line}_{number}.sim")
    route_length = slots[84]["zone_end"]
    cells = read_cells(compiled / f"{line}_{number}.dat")
    check(len(cells) == round((route_length + 7000) / 50) + 1,
          f"{len(cells)} cells for a route of {route_length} m")
    plan = read_plan(compiled / f"{line}_linea.dat", route_length + 7000 + 1)
    check(len(plan) >= 2, "the profile file holds no plan")

    maps = [e for e in dom.find("map", "svg")]
    profiles = [e for e in dom.find("profile", "svg")]
    check(len(maps) == 1 and len(profiles) == 1, "the page holds one map and one profile")
    stations, curves, mountains = check_map(maps[0], plan, slots, cells, plan_curves(plan),
                                            route_length)
    speeds = check_profile(profiles[0], cells)
    if name == "shipped":
        check_shipped(dom, stations, curves, mountains, speeds)
    print(f"{name}: {len(curves)} curves, {len(stations)} stations, "
          f"{len(maps[0].find('signal', 'path'))} signals, "
          f"{len(maps[0].find('direction-board', 'rect'))} direction boards, "
          f"{len(mountains)} mountains, screenshot {png}")


def check_the_checks(args):
    """Pages that must fail: a fetch the policy blocks must log, an empty page must be blank."""
    work = pathlib.Path(args.work) / "controls"
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    fetching = work / "fetching.html"
    fetching.write_text(
        "<!DOCTYPE html><html><head><meta http-equiv=\"Content-Security-Policy\" "
        "content=\"default-src 'none'\"><title>x</title></head><body><p>x</p>"
        "<img src=\"missing.png\"></body></html>\n")
    _, console = load(args.chromium, work, fetching)
    check(console, "a page whose image the policy blocks logged nothing: the console check "
                   "cannot see errors")
    empty = work / "empty.html"
    empty.write_text("<!DOCTYPE html><html><head><title>x</title></head><body></body></html>\n")
    png = work / "empty.png"
    screenshot(args.chromium, work, empty, png)
    check(blank(png), "an empty page's screenshot is not blank: the blank check cannot see one")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tool", required=True)
    parser.add_argument("--chromium", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--case", nargs=5, action="append", required=True,
                        metavar=("NAME", "ROUTE", "TRAIN", "LINE", "NUMBER"))
    args = parser.parse_args()
    if not shutil.which(args.chromium):
        print(f"browser_test: {args.chromium} not found; scripts/install-prerequisites tests "
              "installs chromium", file=sys.stderr)
        return 1
    failures = 0
    try:
        check_the_checks(args)
    except Failure as failure:
        print(f"controls: FAILED: {failure}", file=sys.stderr)
        failures += 1
    for case in args.case:
        try:
            run_case(args, *case)
        except Failure as failure:
            print(f"{case[0]}: FAILED: {failure}", file=sys.stderr)
            failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
