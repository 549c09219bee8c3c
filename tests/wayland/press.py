#!/usr/bin/python3
"""Presses a button of the running game through AT-SPI, found by its caption
as a player using voice control says it: a compositor with no seat gives no
pointer or keyboard to press it with. Waits for the button to be there.

Usage: press.py PID CAPTION (in the game's session bus)
"""

# The Debian Python: the AT-SPI bindings (gir1.2-atspi-2.0, python3-gi) are
# installed for it, not for any other interpreter on the path.

import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

HANG_S = 30  # far beyond what the game takes: only a hang gets there


def walk(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child:
            yield from walk(child)


def button(pid, caption):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app and app.get_process_id() == pid:
            for node in walk(app):
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
