#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the cost against the number of files from vorlix-bench's output as
an SVG picture: both axes logarithmic, one line per series.

    scripts/bench-plot.py BENCH-OUTPUT OUT.svg

BENCH-OUTPUT holds the "series NAME FILES SECONDS" lines that the window and
delete-scaling sections print.
"""
import math
import sys

SERIES = [  # name in the output, legend, colour, dashed
    ("window-first-row", "window: click to first row", "#1f77b4", False),
    ("window-complete", "window: click to complete list", "#1f77b4", True),
    ("delete-cache", "Delete Cache for good (with listing)", "#d62728", False),
    ("find-delete", "find -delete", "#7f7f7f", True),
]
# The window's targets: click to complete list under these times.
TARGETS = [(100000, 0.2), (1000000, 2.0)]
WIDTH, HEIGHT = 720, 400
LEFT, RIGHT, TOP, BOTTOM = 70, 290, 30, 50


def read_series(path):
    points = {}
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 4 and parts[0] == "series":
                points.setdefault(parts[1], []).append((int(parts[2]), float(parts[3])))
    return points


def decades(low, high):
    return list(range(math.floor(math.log10(low)), math.ceil(math.log10(high)) + 1))


def svg(points):
    values = [p for name, *_ in SERIES for p in points.get(name, []) if p[1] > 0]
    values += [t for t in TARGETS if any(t[0] == v[0] for v in values)]
    if not values:
        sys.exit("no series lines found")
    x_decades = decades(min(v[0] for v in values), max(v[0] for v in values))
    y_decades = decades(min(v[1] for v in values), max(v[1] for v in values))
    plot_w, plot_h = WIDTH - LEFT - RIGHT, HEIGHT - TOP - BOTTOM

    def x(files):
        span = x_decades[-1] - x_decades[0] or 1
        return LEFT + (math.log10(files) - x_decades[0]) / span * plot_w

    def y(seconds):
        span = y_decades[-1] - y_decades[0] or 1
        return TOP + plot_h - (math.log10(seconds) - y_decades[0]) / span * plot_h

    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" font-family="sans-serif" '
           'font-size="12">' % (WIDTH, HEIGHT),
           '<rect width="100%" height="100%" fill="white"/>']
    for d in x_decades:
        out.append('<line x1="%.1f" y1="%d" x2="%.1f" y2="%d" stroke="#ddd"/>' % (x(10 ** d), TOP, x(10 ** d),
                                                                               TOP + plot_h))
        out.append('<text x="%.1f" y="%d" text-anchor="middle">%s</text>' % (x(10 ** d), TOP + plot_h + 18,
                                                                           "{:,}".format(10 ** d)))
    for d in y_decades:
        out.append('<line x1="%d" y1="%.1f" x2="%d" y2="%.1f" stroke="#ddd"/>' % (LEFT, y(10 ** d), LEFT + plot_w,
                                                                               y(10 ** d)))
        out.append('<text x="%d" y="%.1f" text-anchor="end">%g s</text>' % (LEFT - 6, y(10 ** d) + 4, 10 ** d))
    out.append('<text x="%d" y="%d" text-anchor="middle">files in the folder</text>' % (LEFT + plot_w / 2,
                                                                                       HEIGHT - 12))
    out.append('<text x="%d" y="%d" font-weight="bold">Cost against files (tmpfs, medians)</text>' % (LEFT, 18))
    legend_y = TOP + 10
    for name, label, colour, dashed in SERIES:
        series = sorted(p for p in points.get(name, []) if p[1] > 0)
        if not series:
            continue
        dash = ' stroke-dasharray="6 4"' if dashed else ""
        path = " ".join("%s%.1f,%.1f" % ("M" if i == 0 else "L", x(f), y(s)) for i, (f, s) in enumerate(series))
        out.append('<path d="%s" fill="none" stroke="%s" stroke-width="2"%s/>' % (path, colour, dash))
        for f, s in series:
            out.append('<circle cx="%.1f" cy="%.1f" r="3" fill="%s"/>' % (x(f), y(s), colour))
        lx = LEFT + plot_w + 15
        out.append('<line x1="%d" y1="%d" x2="%d" y2="%d" stroke="%s" stroke-width="2"%s/>' % (
            lx, legend_y, lx + 25, legend_y, colour, dash))
        out.append('<text x="%d" y="%d">%s</text>' % (lx + 32, legend_y + 4, label))
        legend_y += 20
    targets = [t for t in TARGETS if any(t[0] == v[0] for v in values if v not in TARGETS)]
    for f, s in targets:
        out.append('<path d="M%.1f,%.1f l6,6 l-6,6 l-6,-6 z" fill="none" stroke="#2ca02c" stroke-width="2"/>' % (
            x(f), y(s) - 6))
    if targets:
        lx = LEFT + plot_w + 15
        out.append('<path d="M%d,%d l6,6 l-6,6 l-6,-6 z" fill="none" stroke="#2ca02c" stroke-width="2"/>' % (
            lx + 12, legend_y - 6))
        out.append('<text x="%d" y="%d">window targets</text>' % (lx + 32, legend_y + 4))
    out.append("</svg>")
    return "\n".join(out) + "\n"


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: bench-plot.py BENCH-OUTPUT OUT.svg")
    with open(sys.argv[2], "w") as f:
        f.write(svg(read_series(sys.argv[1])))


if __name__ == "__main__":
    main()
