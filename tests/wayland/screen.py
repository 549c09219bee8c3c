#!/usr/bin/python3
"""Reads what a screenshot of the compositor's output shows of the game.

client-area SHOT
    Prints the size of the game's client area, "WIDTH x HEIGHT", or nothing when
    the screenshot shows none: the status line lies along its bottom at full
    width, and above the status line, at its left edge, is the white ground
    up to the menu bar.
title-gap LEFT TOP RIGHT BOTTOM SHOT
    Prints how many pixels of the title bar that Qt draws for the window at
    that place lie between the end of its title and the first of its three
    buttons, or nothing when the bar shows no title and buttons yet. A
    clipped title runs up to the buttons' room, 10 pixels or less short of
    the first.

Usage: screen.py client-area SHOT | screen.py title-gap LEFT TOP RIGHT BOTTOM SHOT
"""

# The Debian Python: python3-pil is installed for it.

import sys

from PIL import Image

STATUS = (192, 255, 255)  # the status line's ground
GROUND = (255, 255, 255)  # the client area's
TITLE_BAR = 30  # the height of Qt's own title bar
INK = 40  # how far from the bar's colour a pixel of text or button is


def client_area(shot):
    pixels = shot.load()
    width, height = shot.size
    for bottom in range(height - 1, -1, -1):
        runs, start = [], None
        for x in range(width + 1):
            status = x < width and pixels[x, bottom] == STATUS
            if status and start is None:
                start = x
            elif not status and start is not None:
                runs.append((start, x))
                start = None
        if runs:
            left, right = max(runs, key=lambda run: run[1] - run[0])
            if right - left >= 100:  # not a speck of the same colour elsewhere
                break
    else:
        return None
    top = bottom
    while top > 0 and pixels[left, top - 1] in (STATUS, GROUND):
        top -= 1
    return right - left, bottom - top + 1


def title_gap(shot, left, top, right, bottom):
    """Marks of the bar in columns, with gaps between letters closed up."""
    pixels = shot.load()
    bar = pixels[(left + right) // 2, top + 3]
    marked = [any(max(abs(a - b) for a, b in zip(pixels[x, y], bar)) > INK
                  for y in range(top + 4, top + TITLE_BAR - 3))
              for x in range(left + 3, right - 3)]  # inside the frame's edges
    marks, start, last = [], None, None
    for x, ink in enumerate(marked):
        if ink:
            if start is not None and x - last > 7:
                marks.append((start, last))
                start = None
            if start is None:
                start = x
            last = x
    if start is not None:
        marks.append((start, last))
    # The window's icon, its title, then minimise, maximise and close.
    if len(marks) < 5:
        return None
    title, first_button = marks[-4], marks[-3]
    return first_button[0] - title[1] - 1


def main():
    shot = Image.open(sys.argv[-1]).convert("RGB")
    if sys.argv[1] == "client-area":
        area = client_area(shot)
        if area:
            print(*area, sep=" x ")
    else:
        gap = title_gap(shot, *map(int, sys.argv[2:6]))
        if gap is not None:
            print(gap)
    return 0


if __name__ == "__main__":
    sys.exit(main())
