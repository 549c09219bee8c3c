"""What the AT-SPI checks share: the game's objects as a screen reader finds
them on the accessibility bus, a session bus of their own, the keys typed on
their X display and the ending of what they started."""

# The Debian Python: the AT-SPI bindings (gir1.2-atspi-2.0, python3-gi) are
# installed for it, not for any other interpreter on the path.

import os
import shutil
import signal
import subprocess
import sys
import tempfile

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


class Failed(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failed(what)


def default_signals():
    """For the processes a check starts: ended by the signals it sends."""
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP, signal.SIGQUIT):
        signal.signal(sig, signal.SIG_DFL)


def end(processes):
    for process in processes:
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


def type_keys(display, keys, timeout):
    """Types `keys` (xdotool's names) into the game's window on `display`,
    as the X server delivers a key from the keyboard."""
    subprocess.run(["xdotool", "search", "--sync", "--name", "^Il vestito di Zanfrino$",
                    "windowfocus", "--sync", "key", keys],
                   env={"PATH": "/usr/bin:/bin", "DISPLAY": display},
                   check=True, timeout=timeout)


def in_private_session(marker):
    """The running check again, in a session bus, a home and a runtime folder
    of its own, with `marker` set in its environment to that home.

    The accessibility bus puts its socket in the runtime folder, or in the
    home without one: two runs side by side must not share it.
    """
    home = tempfile.mkdtemp(prefix="zanfria-session.")
    env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=home, **{marker: home})
    try:
        return subprocess.run(["dbus-run-session", "--", sys.executable, *sys.argv],
                              env=env).returncode
    finally:
        shutil.rmtree(home, ignore_errors=True)
