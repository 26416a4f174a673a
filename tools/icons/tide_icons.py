#!/usr/bin/env python3
"""Writes the notification icons (PM-5 ... PM+5, BM, ERROR) and the application icon ondrel.svg
into src/views/icons. Each tide icon is a tile with the water at its height in the tide cycle, an
arrow for rising (before high water) or falling (after), and the whole hours to or from high
water; PM and BM carry their letters, ERROR a red cross. The glyphs are strokes, not text, so the
pictures need no font. Run again after changing a shape:  python3 tools/icons/tide_icons.py"""
import math
import pathlib

OUT = pathlib.Path(__file__).resolve().parents[2] / "src" / "views" / "icons"
INK = "#0d2340"
SKY = "#dcefff"
WATER = "#1b6ac9"
BORDER = "#20406a"


def digit(n, x0, y0, w, h):
    X = lambda f: f"{x0 + f * w:.2f}"
    Y = lambda f: f"{y0 + f * h:.2f}"
    shapes = {
        1: f"M {X(0.15)} {Y(0.25)} L {X(0.65)} {Y(0)} L {X(0.65)} {Y(1)}",
        2: f"M {X(0)} {Y(0.25)} Q {X(0)} {Y(0)} {X(0.5)} {Y(0)} Q {X(1)} {Y(0)} {X(1)} {Y(0.28)} "
           f"Q {X(1)} {Y(0.5)} {X(0.5)} {Y(0.66)} L {X(0)} {Y(1)} L {X(1)} {Y(1)}",
        3: f"M {X(0)} {Y(0.12)} Q {X(0.25)} {Y(0)} {X(0.5)} {Y(0)} Q {X(1)} {Y(0)} {X(1)} {Y(0.25)} "
           f"Q {X(1)} {Y(0.47)} {X(0.35)} {Y(0.47)} Q {X(1)} {Y(0.47)} {X(1)} {Y(0.73)} "
           f"Q {X(1)} {Y(1)} {X(0.5)} {Y(1)} Q {X(0.2)} {Y(1)} {X(0)} {Y(0.88)}",
        4: f"M {X(0.72)} {Y(1)} L {X(0.72)} {Y(0)} L {X(0)} {Y(0.68)} L {X(1)} {Y(0.68)}",
        5: f"M {X(0.95)} {Y(0)} L {X(0.1)} {Y(0)} L {X(0)} {Y(0.46)} Q {X(0.3)} {Y(0.38)} {X(0.5)} {Y(0.38)} "
           f"Q {X(1)} {Y(0.38)} {X(1)} {Y(0.69)} Q {X(1)} {Y(1)} {X(0.5)} {Y(1)} Q {X(0.2)} {Y(1)} {X(0)} {Y(0.88)}",
        "P": f"M {X(0)} {Y(1)} L {X(0)} {Y(0)} L {X(0.55)} {Y(0)} Q {X(1)} {Y(0)} {X(1)} {Y(0.28)} "
             f"Q {X(1)} {Y(0.56)} {X(0.55)} {Y(0.56)} L {X(0)} {Y(0.56)}",
        "B": f"M {X(0)} {Y(0.5)} L {X(0.5)} {Y(0.5)} Q {X(0.92)} {Y(0.5)} {X(0.92)} {Y(0.25)} "
             f"Q {X(0.92)} {Y(0)} {X(0.5)} {Y(0)} L {X(0)} {Y(0)} L {X(0)} {Y(1)} L {X(0.55)} {Y(1)} "
             f"Q {X(1)} {Y(1)} {X(1)} {Y(0.75)} Q {X(1)} {Y(0.5)} {X(0.55)} {Y(0.5)}",
        "M": f"M {X(0)} {Y(1)} L {X(0)} {Y(0)} L {X(0.5)} {Y(0.62)} L {X(1)} {Y(0)} L {X(1)} {Y(1)}",
    }
    return shapes[n]


def haloed(d, width):
    return (f'<path d="{d}" fill="none" stroke="white" stroke-width="{width + 2.6:.1f}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>\n'
            f'<path d="{d}" fill="none" stroke="{INK}" stroke-width="{width:.1f}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>\n')


def water(level):
    """The water from the height level (0 low water, 1 high water) down to the tile's bottom."""
    y = 27.5 - level * 20
    return (f'<path d="M 1.5 {y:.2f} Q 5.1 {y - 1.6:.2f} 8.75 {y:.2f} T 16 {y:.2f} T 23.25 {y:.2f} T 30.5 {y:.2f} '
            f'L 30.5 27.5 Q 30.5 30.5 27.5 30.5 L 4.5 30.5 Q 1.5 30.5 1.5 27.5 Z" fill="{WATER}"/>\n')


def tile(body, sky=SKY):
    return ('<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            'width="32" height="32" viewBox="0 0 32 32">\n'
            f'<rect x="1" y="1" width="30" height="30" rx="3.5" fill="{sky}"/>\n'
            f'{body}'
            f'<rect x="1" y="1" width="30" height="30" rx="3.5" fill="none" stroke="{BORDER}" stroke-width="1.6"/>\n'
            '</svg>\n')


def arrow(up):
    # A triangle at the left: up while the tide rises towards high water, down after it.
    d = "M 2.6 15.5 L 8 6.6 L 13.4 15.5 Z" if up else "M 2.6 16.5 L 8 25.4 L 13.4 16.5 Z"
    return (f'<path d="{d}" fill="white" stroke="white" stroke-width="2.6" stroke-linejoin="round"/>\n'
            f'<path d="{d}" fill="{INK}" stroke="{INK}" stroke-width="0.8" stroke-linejoin="round"/>\n')


def level(hours):
    return (1 + math.cos(hours * math.pi / 6)) / 2


def letters(a, b):
    return haloed(digit(a, 4.2, 8, 9.5, 16), 3.0) + haloed(digit(b, 16.3, 8, 11.5, 16), 3.0)


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    icons = {}
    for n in range(1, 6):
        icons[f"PM-{n}"] = tile(water(level(-n)) + arrow(True) + haloed(digit(n, 15.5, 5.5, 11, 21), 3.6))
        icons[f"PM+{n}"] = tile(water(level(n)) + arrow(False) + haloed(digit(n, 15.5, 5.5, 11, 21), 3.6))
    icons["PM"] = tile(water(1.0) + letters("P", "M"))
    icons["BM"] = tile(water(0.0) + letters("B", "M"))
    icons["ERROR"] = tile(
        '<path d="M 9 9 L 23 23 M 23 9 L 9 23" fill="none" stroke="white" stroke-width="7" stroke-linecap="round"/>\n'
        '<path d="M 9 9 L 23 23 M 23 9 L 9 23" fill="none" stroke="#c8102e" stroke-width="4.2" stroke-linecap="round"/>\n',
        sky="#e6e6e6")
    for name, svg in icons.items():
        (OUT / f"{name}.svg").write_text(svg)

    # The application icon: a tide gauge staff standing in the sea under a tide curve.
    curve = " ".join(f"{'M' if i == 0 else 'L'} {4 + i * 0.8:.2f} {30 - 14 * math.cos(i * 0.8 * 2 * math.pi / 56):.2f}"
                     for i in range(66))
    ticks = "".join(f'<path d="M 40 {y} L {46 if y % 8 == 6 else 44} {y}" stroke="{INK}" stroke-width="1.6"/>\n'
                    for y in range(14, 58, 4))
    app = ('<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
           'width="64" height="64" viewBox="0 0 64 64">\n'
           f'<rect x="2" y="2" width="60" height="60" rx="10" fill="{SKY}"/>\n'
           f'<path d="{curve}" fill="none" stroke="#e8742a" stroke-width="3.2" stroke-linecap="round"/>\n'
           '<rect x="38" y="10" width="10" height="50" fill="white" stroke="#0d2340" stroke-width="1.6"/>\n'
           f'{ticks}'
           f'<path d="M 3 40 Q 10 36 17 40 T 31 40 T 45 40 T 61 40 L 61 52 Q 61 61 52 61 L 12 61 Q 3 61 3 52 Z" '
           f'fill="{WATER}" fill-opacity="0.85"/>\n'
           f'<rect x="2" y="2" width="60" height="60" rx="10" fill="none" stroke="{BORDER}" stroke-width="2.5"/>\n'
           '</svg>\n')
    (OUT / "ondrel.svg").write_text(app)


if __name__ == "__main__":
    main()
