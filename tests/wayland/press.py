#!/usr/bin/python3
"""Presses a button of the running game through AT-SPI, found by its caption
as a player using voice control says it: a compositor with no seat gives no
pointer or keyboard to press it with. Waits for the button to be there.

Usage: press.py PID CAPTION (in the game's session bus)
"""

# The Debian Python: the AT-SPI bindings (gir1.2-atspi-2.0, python3-gi) are
# installed for it, not for any other interpreter on the path.

import os
import sys
import time

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), "../accessibility"))
from atspitree import Atspi, application, walk  # noqa: E402

HANG_S = 30  # far beyond what the game takes: only a hang gets there


def button(pid, caption):
    app = application(pid)
    for node in walk(app) if app else ():
        if (node.get_role() == Atspi.Role.PUSH_BUTTON and
                node.get_name().lower().startswith(caption.lower())):
            return node
    return None


def main():
    pid, caption = int(sys.argv[1]), sys.argv[2]
    deadline = time.monotonic() + HANG_S
    while (found := button(pid, caption)) is None:
        if time.monotonic() > deadline:
            print(f"the game shows no button {caption!r} on the accessibility bus")
            return 1
        time.sleep(0.2)
    if not found.do_action(0):
        print(f"{caption!r} did not take the press")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
