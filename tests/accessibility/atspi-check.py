#!/usr/bin/python3
"""Reads the game over AT-SPI, as a screen reader does, and plays a little.

Runs itself again inside a session bus of its own (dbus-run-session), which
starts the accessibility bus for it. Starts its own X display (Xvfb) and the
game on it with Qt's accessibility bridge on, then checks:

- the tree: every object named, on show and of some size; every button and
  menu command described, with what it costs;
- the key of each button and command;
- the status line and the move counter: read as text, named by what they
  show, and each new text sent as exactly one text insertion carrying it
  whole (besides the name change that refreshes a reader's cached name);
- the board: a table of 3 rows of 6 cells, "casella N: vuota" until ASSEGNA
  fills one, then named with the colours the piece was read as;
- the costs the descriptions tell, against the counter;
- M, the colour marks' key, said as it is pressed, once;
- PER USCIRE answered "Sì": the game ends with status 0 (and, built with the
  sanitizers, with nothing to report).

The buttons and commands are pressed through their AT-SPI actions and found
by their captions, as a player using voice control says them, and some by
their keys, typed into the window on the X server. The waits only
catch a game that hangs; the game and the display are always ended.
Usage: atspi-check.py GAME
"""

# The Debian Python: the AT-SPI bindings (gir1.2-atspi-2.0, python3-gi) are
# installed for it, not for any other interpreter on the path.

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

sys.dont_write_bytecode = True  # nothing written into the source tree
from atspitree import (Failed, application, check, default_signals, end,  # noqa: E402
                       in_private_session, type_keys, walk)

HANG_S = 30  # far beyond what any step takes: only a hang gets there

KEY_BINDINGS = {
    "NUOVO RETTANGOLO": "N", "ASSEGNA": "A", "RUOTA ORARIO": "Right",
    "RUOTA ANTIORARIO": "Left", "RIFLETTI ORIZZONTALE": "O", "RIFLETTI VERTICALE": "V",
    "SPOSTA ALTO-DESTRO": "S", "PER USCIRE": "Ctrl+Q", "Nuova partita": "Alt+N;;Ctrl+N",
    "Cancella ultimo rettangolo": "Alt+C;;Ctrl+Z", "Punteggio": "Alt+P;;F1",
}


def pump(until=lambda: False, seconds=HANG_S):
    """Dispatches what has arrived until `until` holds; False if it never does."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while not until():
        if time.monotonic() > deadline:
            return False
        if not context.iteration(False):
            time.sleep(0.01)
    return True


def drain(app):
    """Lets everything the game sent before now be dispatched.

    A call into the game is answered after every signal it sent earlier, on
    the same connection, so once the answer is in they are all queued here.
    """
    app.get_child_count()
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def text_of(node):
    check("Text" in node.get_interfaces(), f"{node.get_name()!r} is not text")
    return Atspi.Text.get_text(node, 0, -1)


def number(text):
    found = re.search(r"\d+", text)
    check(found, f"no number in {text!r}")
    return int(found.group())


def cost(description):
    """The moves a description says its command costs, after any free case."""
    found = re.findall(r"[Cc]osta (\d+) moss", description)
    check(found, f"no cost in {description!r}")
    return int(found[-1])


class Events:
    """Text changes and property changes, by source, in the order they come."""

    def __init__(self):
        self.seen = []
        self.listener = Atspi.EventListener.new(self.heard)
        for kind in ("object:text-changed", "object:property-change"):
            self.listener.register(kind)

    def heard(self, event):
        data = event.any_data if isinstance(event.any_data, str) else None
        self.seen.append((event.source, event.type, data))

    def take(self, source):
        """What came from `source` since the last take, as (type, text)."""
        mine = [(kind, data) for (s, kind, data) in self.seen if s == source]
        self.seen = [e for e in self.seen if e[0] != source]
        return mine

    def wait_for(self, source, kind):
        return pump(lambda: any(s == source and k == kind for (s, k, _) in self.seen))


class Game:
    def __init__(self, path, work):
        xvfb_log = open(os.path.join(work, "xvfb.log"), "w")
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"],
            stdout=subprocess.PIPE, stderr=xvfb_log, preexec_fn=default_signals)
        display = self.xvfb.stdout.readline().decode().strip()
        check(display, "Xvfb did not start")
        self.display = ":" + display
        runtime = os.path.join(work, "run")
        os.mkdir(runtime, 0o700)
        env = {
            "PATH": "/usr/bin:/bin", "LANG": "C.UTF-8", "HOME": work,
            "XDG_RUNTIME_DIR": runtime, "DISPLAY": ":" + display,
            "DBUS_SESSION_BUS_ADDRESS": os.environ["DBUS_SESSION_BUS_ADDRESS"],
            "QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "SDL_AUDIODRIVER": "dummy",
        }
        for name in ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"):
            if name in os.environ:
                env[name] = os.environ[name]
        self.log = os.path.join(work, "game.log")
        self.process = subprocess.Popen([path], env=env, cwd=work, stdout=open(self.log, "w"),
                                        stderr=subprocess.STDOUT, preexec_fn=default_signals)

    def application(self):
        """The game's application object, once its window is in the tree."""
        app = None

        def registered():
            nonlocal app
            check(self.process.poll() is None, "the game ended:\n" + open(self.log).read())
            app = application(self.process.pid)
            if not app:
                time.sleep(0.1)
            return app is not None

        check(pump(registered), "the game never showed up on the accessibility bus")
        return app

    def key(self, keys):
        type_keys(self.display, keys, HANG_S)

    def end(self):
        end([self.process, self.xvfb])


class Window:
    """The objects the checks use, found in the tree by role and caption."""

    def __init__(self, app):
        self.app = app
        self.nodes = list(walk(app))
        roles = {}
        for node in self.nodes:
            roles.setdefault(node.get_role(), []).append(node)
        self.buttons = roles.get(Atspi.Role.PUSH_BUTTON, [])
        self.commands = roles.get(Atspi.Role.MENU_ITEM, [])
        (self.status,) = roles.get(Atspi.Role.STATUS_BAR, [None])
        (self.board,) = roles.get(Atspi.Role.TABLE, [None])
        self.counter = self.first(lambda n: "mosse" in n.get_name(), "the move counter")
        self.piece = self.first(lambda n: n.get_name() == "Rettangolo corrente", "the piece")
        self.figure = self.first(lambda n: n.get_name() == "Figura di Zanfrino", "the figure")
        # Read before any command: after one the focused button carries its news.
        self.descriptions = {n.get_name(): n.get_description()
                             for n in self.buttons + self.commands}

    def first(self, test, what):
        found = [n for n in self.nodes if test(n)]
        check(found, f"no {what}")
        return found[-1]

    def said(self, caption, among=None):
        """The control a player saying the caption means: its name starts so."""
        spoken = " ".join(caption.split()).lower()
        chosen = [n for n in (among or self.buttons + self.commands)
                  if n.get_name().lower().startswith(spoken)]
        check(len(chosen) == 1, f"{caption!r} names {len(chosen)} controls")
        return chosen[0]

    def press(self, caption):
        check(self.said(caption).do_action(0), f"{caption} did not take the press")

    def moves(self):
        return number(text_of(self.counter))


def check_tree(window):
    for node in window.nodes[1:]:  # all but the application itself
        where = f"{node.get_role_name()} {node.get_name()!r}"
        check(node.get_name().strip(), f"unnamed {where} under {node.get_parent().get_name()!r}")
        states = node.get_state_set()
        check(states.contains(Atspi.StateType.VISIBLE) and
              states.contains(Atspi.StateType.SHOWING), f"{where} is not on show")
        size = node.get_size()
        check(size.x > 0 and size.y > 0, f"{where} is {size.x} x {size.y}")
    check(len(window.buttons) == 8, f"{len(window.buttons)} buttons")
    for control in window.buttons + window.commands:
        description = window.descriptions[control.get_name()]
        check(re.search(r"\bcost|\bmoss", description, re.IGNORECASE),
              f"{control.get_name()!r} does not say what it costs: {description!r}")
    check(window.status is not None, "no status bar")
    for line in (window.status, window.counter):
        check(line.get_name() == text_of(line), f"{line.get_name()!r} is not what it shows")
    board = window.board
    check(board is not None, "no board table")
    check((board.get_n_rows(), board.get_n_columns()) == (3, 6),
          f"the board is {board.get_n_rows()} x {board.get_n_columns()}")
    check(board.get_child_count() == 18, f"the board has {board.get_child_count()} cells")
    for row in range(3):
        for column in range(6):
            cell = board.get_accessible_at(row, column)
            check(cell.get_role() == Atspi.Role.TABLE_CELL and
                  cell.get_name() == f"casella {row * 6 + column + 1}: vuota",
                  f"row {row}, column {column} is {cell.get_name()!r}")


def check_keys(window):
    """Each control's key, as a reader announces it with the control (a
    disabled button has no action to bind): a menu command's is its access
    key, its path (none on a bar) and its shortcut."""
    for caption, binding in KEY_BINDINGS.items():
        control = window.said(caption)
        check(control.get_key_binding(0) == binding,
              f"{caption}'s key is {control.get_key_binding(0)!r}, not {binding!r}")


def check_news(events, line, count, what):
    """`count` new texts on the line since the last take, each sent once."""
    got = events.take(line)
    inserts = [text for kind, text in got if kind == "object:text-changed:insert"]
    renames = [kind for kind, _ in got if kind == "object:property-change:accessible-name"]
    check(len(inserts) == count and len(renames) == count and len(got) == 2 * count,
          f"{what}: {got}")
    if count:
        check(inserts[-1] == text_of(line) == line.get_name(),
              f"{what}: {inserts[-1]!r} sent, {text_of(line)!r} shown")
        check(all(text and "\r" not in text and "\n" not in text for text in inserts),
              f"{what}: {inserts}")
    return inserts


def play(window, events, key):
    app, status, counter, board = window.app, window.status, window.counter, window.board
    cell = [board.get_accessible_at(i // 6, i % 6) for i in range(18)]

    def after(caption, wait_on, kind, keys=None):
        """Presses the control, through its action or by its `keys`. An action
        is done, its news sent, when its call returns; a key may still be on
        its way, so only what comes from `wait_on` after it counts."""
        if keys:
            events.take(wait_on)
            key(keys)
        else:
            window.press(caption)
        check(events.wait_for(wait_on, kind), f"nothing came after {caption}")
        drain(app)

    def charged(caption, wait_on, kind, keys=None):
        """Presses the control; the counter moves once, by the cost it describes."""
        price = cost(window.descriptions[window.said(caption).get_name()])
        before = window.moves()
        after(caption, wait_on, kind, keys)
        check_news(events, counter, 1, caption)
        check(window.moves() == before + price, f"{caption} cost {window.moves() - before}")

    name_change = "object:property-change:accessible-name"
    insert = "object:text-changed:insert"

    # The first piece is free; a hint comes with it.
    after("Nuovo rettangolo", status, insert)
    check_news(events, status, 1, "first piece")
    check_news(events, counter, 0, "first piece")
    check_keys(window)  # every button enabled now

    # A turn costs what its button says; there is no new hint.
    charged("Ruota orario", counter, insert)
    check_news(events, status, 0, "turn")

    # The first slot takes any piece, named as the piece was read.
    piece = window.piece.get_description()
    after("Assegna", cell[0], name_change)
    check(cell[0].get_name() == f"casella 1: {piece}", f"slot 1 is {cell[0].get_name()!r}")
    check_news(events, status, 1, "first assignment")
    check_news(events, counter, 0, "first assignment")

    # The second asks for one colour on its left: turned into place in at
    # most three turns, by the key. Its hint is the first's again: nothing
    # new to say.
    for _ in range(3):
        if window.figure.get_description() == "il rettangolo combacia":
            break
        charged("Ruota orario", counter, insert, keys="Right")
    piece = window.piece.get_description()
    after("Assegna", cell[1], name_change)
    check(cell[1].get_name() == f"casella 2: {piece}", f"slot 2 is {cell[1].get_name()!r}")
    check_news(events, status, 0, "the same hint again")
    check_news(events, counter, 0, "second assignment")

    # A discard now costs what the button says, and says two things: the
    # warning and the next hint, each once.
    charged("Nuovo rettangolo", counter, insert)
    warning, hint = check_news(events, status, 2, "discard")
    check(warning != hint, "the discard warning is the hint")

    # Cancelling empties the second slot again, at the command's cost.
    charged("Cancella ultimo rettangolo", cell[1], name_change, keys="ctrl+z")
    check(cell[1].get_name() == "casella 2: vuota", f"slot 2 is {cell[1].get_name()!r}")
    check(cell[0].get_name().startswith("casella 1: alto"), "slot 1 was emptied too")
    check_news(events, status, 1, "cancel")

    # Two lines on screen, one sentence to the ear.
    after("Punteggio", status, insert)
    check_news(events, status, 1, "scoring")

    # M shows the colour marks, and again hides them: the focused button
    # says which, once.
    (focused,) = [b for b in window.buttons
                  if b.get_state_set().contains(Atspi.StateType.FOCUSED)]
    description = "object:property-change:accessible-description"
    for shown in ("sì", "no"):
        after("M", focused, description, keys="m")
        said = [text for kind, text in events.take(focused) if kind == description]
        check(said == [f"simboli dei colori: {shown}"], f"M said {said}")


def quit_answering_yes(window, game):
    """PER USCIRE, then "Sì" in the question it asks: the game ends, and well."""
    window.press("Per uscire")
    answers = []

    def asked():
        check(game.process.poll() is None, "the game ended unasked:\n" + open(game.log).read())
        answers[:] = [n for n in walk(window.app)
                      if n.get_role() == Atspi.Role.PUSH_BUTTON and n.get_name() == "Sì"]
        if not answers:
            time.sleep(0.05)
        return bool(answers)

    check(pump(asked), "PER USCIRE asked nothing")
    check(answers[0].do_action(0), "Sì did not take the press")
    try:
        status = game.process.wait(HANG_S)
    except subprocess.TimeoutExpired:
        raise Failed("the game did not end after Sì")
    check(status == 0, f"the game ended with status {status}:\n" + open(game.log).read())


def main():
    if "ZANFRIA_ATSPI_SESSION" not in os.environ:
        return in_private_session("ZANFRIA_ATSPI_SESSION")
    # Listening before the game starts: it asks what is listened to as it
    # starts, and hears of later listeners only some time later.
    Atspi.init()
    events = Events()
    work = tempfile.mkdtemp(prefix="zanfria-atspi.")
    game = Game(os.path.realpath(sys.argv[1]), work)
    try:
        app = game.application()
        for node in walk(app):
            print(f"{node.get_role_name()}: {node.get_name()!r} {node.get_description()!r}")
        window = Window(app)
        check_tree(window)
        play(window, events, game.key)
        quit_answering_yes(window, game)
    except Failed as failure:
        print("FAILED:", failure)
        return 1
    finally:
        game.end()
        shutil.rmtree(work, ignore_errors=True)
    print("every check passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
