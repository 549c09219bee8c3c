"""What the AT-SPI checks share: the game's objects as a screen reader finds
them on the accessibility bus."""

# The Debian Python: the AT-SPI bindings (gir1.2-atspi-2.0, python3-gi) are
# installed for it, not for any other interpreter on the path.

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def walk(node):
    """The node and everything below it, depth first."""
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child:
            yield from walk(child)


def application(pid):
    """Process `pid`'s application object once its window is in the tree,
    else None."""
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app and app.get_process_id() == pid and app.get_child_count():
            return app
    return None
