#!/usr/bin/python3
"""Plays the game by keyboard with the real screen reader and listens to it.

Runs itself again inside a session bus of its own (dbus-run-session), which
starts the accessibility bus. Starts, all of its own and all ended at the
end: an X display (Xvfb) with a window manager (openbox); a speech server
(speech-dispatcher) whose one voice writes each utterance to a file instead
of a sound card; Orca, the screen reader, with a log of its own; and the
game. Then it types the game's keys into its window as the X server
delivers them (xdotool) and reads what Orca said after each, within
HEARD_S: the outcome of each command, once, with what the game shows read
off its accessibility tree (the piece's colours, the counter, the status
line, the slots), and nothing from the game for a key of the number pad,
which is Orca's. It prints the whole session as Orca spoke it.
Usage: orca-check.py GAME
"""

# The Debian Python: the AT-SPI bindings (gir1.2-atspi-2.0, python3-gi) are
# installed for it, not for any other interpreter on the path.

import os
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

sys.dont_write_bytecode = True  # nothing written into the source tree
from atspitree import (Failed, application, check, default_signals, end,  # noqa: E402
                       in_private_session, type_keys, walk)

HEARD_S = 2  # from the key to the outcome in the speech server's file
START_S = 60  # only a screen reader or a game that never comes gets there
TOOLS = ("Xvfb", "openbox", "speech-dispatcher", "orca", "xdotool", "dbus-run-session")


def wait(until, seconds, step=0.02):
    deadline = time.monotonic() + seconds
    while not until():
        if time.monotonic() > deadline:
            return False
        time.sleep(step)
    return True


class Desktop:
    """The display, the speech server, the screen reader and the game."""

    def __init__(self, work):
        self.work = work
        self.processes = []

    def start_all(self, game):
        self.spoken = os.path.join(self.work, "spoken.txt")
        open(self.spoken, "w").close()
        runtime = os.path.join(self.work, "run")
        os.mkdir(runtime, 0o700)
        self.env = {
            "PATH": "/usr/bin:/bin", "LANG": "C.UTF-8", "HOME": self.work,
            "XDG_RUNTIME_DIR": runtime, "XDG_CONFIG_HOME": os.path.join(self.work, "config"),
            "DBUS_SESSION_BUS_ADDRESS": os.environ["DBUS_SESSION_BUS_ADDRESS"],
        }
        self.env["DISPLAY"] = self.start_display()
        self.start("openbox", ["openbox"])
        self.env["SPEECHD_ADDRESS"] = "unix_socket:" + self.start_speech_server()
        self.start("orca", ["orca", "--debug-file=" + os.path.join(self.work, "orca.log")])
        check(wait(lambda: self.heard(), START_S), "Orca said nothing as it started")
        # No switch for the game's accessibility: Orca turns it on, as on a desktop.
        game_env = dict(self.env, QT_QPA_PLATFORM="xcb", SDL_AUDIODRIVER="dummy")
        for name in ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"):
            if name in os.environ:
                game_env[name] = os.environ[name]
        self.game = self.start("game", [game], game_env)

    def start(self, name, command, env=None, **options):
        log = open(os.path.join(self.work, name + ".out"), "w")
        process = subprocess.Popen(command, env=env or self.env, cwd=self.work, stdout=log,
                                   stderr=subprocess.STDOUT, preexec_fn=default_signals,
                                   **options)
        self.processes.append(process)
        return process

    def start_display(self):
        """Xvfb, with no auto-repeat: a key typed as the quit question
        opened went on repeating, as if held, until the next key came."""
        read, write = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-nolisten", "tcp", "-r",
                                 "-screen", "0", "1024x768x24"], pass_fds=(write,),
                                stderr=open(os.path.join(self.work, "xvfb.log"), "w"),
                                preexec_fn=default_signals)
        os.close(write)
        self.processes.append(xvfb)
        with os.fdopen(read) as answer:
            display = answer.readline().strip()
        check(display, "Xvfb did not start")
        return ":" + display

    def start_speech_server(self):
        """speech-dispatcher with one output module, which writes each
        utterance on a line of `spoken` and sounds on no card (ALSA's null
        device keeps the module from looking for one)."""
        config = os.path.join(self.work, "speech-dispatcher")
        os.makedirs(os.path.join(config, "modules"))
        with open(os.path.join(config, "speechd.conf"), "w") as conf:
            conf.write('AddModule "file" "sd_generic" "file.conf"\n'
                       'DefaultModule file\nDefaultLanguage "it"\n'
                       'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n')
        with open(os.path.join(config, "modules", "file.conf"), "w") as conf:
            # One line an utterance: no sentence is split, at any length.
            conf.write(f'GenericExecuteSynth "printf \'%s\\\\n\' \\\'$DATA\\\' >> {self.spoken}"\n'
                       'GenericDelimiters "~"\nGenericMaxChunkLength 100000\n'
                       'GenericLanguage "it" "it" "utf-8"\nGenericLanguage "en" "en" "utf-8"\n'
                       'AddVoice "it" "male1" "it"\n')
        socket = os.path.join(self.work, "speechd.sock")
        self.start("speech-dispatcher", ["speech-dispatcher", "--run-single", "--timeout", "0",
                                         "--config-dir", config, "--socket-path", socket,
                                         "--log-dir", self.work])
        check(wait(lambda: os.path.exists(socket), START_S), "speech-dispatcher did not start")
        return socket

    def heard(self):
        with open(self.spoken, encoding="utf-8", errors="replace") as spoken:
            return spoken.read().splitlines()

    def key(self, keys):
        type_keys(self.env["DISPLAY"], keys, START_S)

    def end(self):
        end(reversed(self.processes))


class Shown:
    """What the game shows, read off its accessibility tree."""

    def __init__(self, app):
        nodes = list(walk(app))

        def named(test):
            found = [n for n in nodes if test(n)]
            check(len(found) == 1, f"{len(found)} objects where one was sought")
            return found[0]

        self.status = named(lambda n: n.get_role() == Atspi.Role.STATUS_BAR)
        self.counter = named(lambda n: n.get_name().startswith("mosse: "))
        self.piece_view = named(lambda n: n.get_name() == "Rettangolo corrente")
        self.figure = named(lambda n: n.get_name() == "Figura di Zanfrino")
        self.board = named(lambda n: n.get_role() == Atspi.Role.TABLE)
        self.buttons = [n for n in nodes if n.get_role() == Atspi.Role.PUSH_BUTTON]

    def now(self):
        return {
            "status": self.status.get_name(),
            "moves": self.counter.get_name(),
            "piece": self.piece_view.get_description(),
            "fits": self.figure.get_description() == "il rettangolo combacia",
            "slots": [self.board.get_child_at_index(i).get_name() for i in range(18)],
            "focus": [b.get_name() for b in self.buttons
                      if b.get_state_set().contains(Atspi.StateType.FOCUSED)],
        }


class Session:
    """Keys typed and what Orca said after each."""

    def __init__(self, desktop, shown):
        self.desktop = desktop
        self.shown = shown
        self.transcript = []

    def press(self, keys, *expected, within=HEARD_S):
        """Types `keys`; Orca must say, `within` seconds, one utterance holding
        each of `expected` (a callable takes what is shown before and after)
        in that order, and say it once. Returns (before, after, utterance)."""
        before = self.shown.now()
        start = len(self.desktop.heard())
        self.desktop.key(keys)
        typed = time.monotonic()

        def parts():
            after = self.shown.now()
            return after, [p(before, after) if callable(p) else p for p in expected]

        def outcome():
            lines = self.desktop.heard()[start:]
            after, wanted = parts()
            return [line for line in lines if in_order(line, wanted)]

        heard_in_time = wait(lambda: outcome(), within)
        latency = time.monotonic() - typed
        time.sleep(0.5)  # anything said after it, once more or else
        lines = self.desktop.heard()[start:]
        self.transcript.append((keys, lines, latency if heard_in_time else None))
        after, wanted = parts()
        check(heard_in_time, f"{keys}: not heard within {within} s: {wanted} in {lines}")
        found = outcome()
        check(len(found) == 1, f"{keys}: said {len(found)} times: {lines}")
        return before, after, found[0]

    def press_silently(self, keys):
        """Types `keys`, which the game must leave alone: nothing it shows
        changes, not even the focus. Orca says what it reviews of the screen."""
        before = self.shown.now()
        start = len(self.desktop.heard())
        self.desktop.key(keys)
        heard = wait(lambda: len(self.desktop.heard()) > start, HEARD_S)
        time.sleep(0.5)  # anything the game would have made Orca say
        self.transcript.append((keys, self.desktop.heard()[start:], None))
        check(heard, f"Orca said nothing for {keys}: the key did not reach it")
        check(self.shown.now() == before, f"{keys} changed the game")

    def print(self):
        for keys, lines, latency in self.transcript:
            when = f"{latency:.2f} s" if latency is not None else "-"
            print(f"[{keys}] ({when})")
            for line in lines:
                print(f"    {line}")


def in_order(line, parts):
    at = 0
    for part in parts:
        found = line.find(part, at)
        if found < 0:
            return False
        at = found + len(part)
    return True


def status(before, after):
    return after["status"]


def piece(before, after):
    return after["piece"]


def moves(before, after):
    return after["moves"]


def verdict(before, after):
    return "combacia" if after["fits"] else "non combacia"


def filled(slot):
    return lambda before, after: after["slots"][slot - 1]


def asks_for(slot):
    """What slot `slot` asks, from the right side of the slot before it."""
    def request(before, after):
        right = after["slots"][slot - 2].split("destra ")[1].split(",")[0]
        return f"la casella {slot} chiede sinistra {right}"
    return request


def play(session, shown):
    s = session
    _, after, said = s.press("n", status, piece, verdict, "la casella 1 accetta ogni rettangolo")
    check(after["piece"].startswith("alto "), f"no piece dealt: {after['piece']}")
    check("mosse" not in said, "the free first piece told the counter")

    # The piece's changes, wherever the focus is; the focus tells a button's
    # own description, in a few words, whatever news it carried.
    def turned(key):
        before, after, said = s.press(key, piece, verdict, moves)
        check(after["piece"] != before["piece"], f"{key} left the piece as it was")
        check(before["status"] not in said, f"{key} told the status line again")

    turned("Right")
    turned("Left")
    _, _, said = s.press("Tab", "Gira il rettangolo in senso antiorario. Costa 1 mossa.")
    for key in ("o", "v", "s"):
        turned(key)
    _, _, said = s.press("shift+Tab", "Scarta il rettangolo e ne estrae un altro. Costa 5 mosse, "
                         "nulla finché la prima casella è vuota.")
    check(len(said.split()) <= 20, f"a long description: {said}")

    # Slot 1 takes any piece: the slot as filled, the next piece and its hint.
    before, after, said = s.press("a", status, piece, verdict, asks_for(2), filled(1))
    check(after["slots"][0].endswith(before["piece"]), "slot 1 is not the piece placed")

    # Turned off the demanded colour, ASSEGNA is refused for 3 moves.
    while shown.now()["fits"]:
        turned("Right")
    _, after, said = s.press("a", "rifiutato, 3 mosse", moves)
    check(after["slots"][1] == "casella 2: vuota", "the refused piece was placed")
    while not shown.now()["fits"]:
        turned("Right")
    s.press("a", piece, verdict, asks_for(3), filled(2))

    # Taking the last piece back empties its slot, for 5 moves.
    _, after, said = s.press("ctrl+z", status, filled(2), moves)
    check(after["slots"][1] == "casella 2: vuota", "Ctrl+Z left slot 2 filled")
    # Two lines on screen, one sentence to the ear.
    s.press("F1", "ogni intervento sul rettangolo vale 1 mossa; ogni errore in assegnazione "
            "equivale a 3 mosse; scartare un rettangolo equivale a 5 mosse!")
    # The colours' marks, shown and hidden, with no change to the game.
    for state in ("sì", "no"):
        before, after, _ = s.press("m", f"simboli dei colori: {state}")
        check(after == before, "M changed the game")
    # What the reopened slot asks, on demand, twice alike.
    for _ in range(2):
        s.press("r", asks_for(2))
    # The number pad is Orca's: it reviews the screen, the game does nothing.
    for key in ("KP_Left", "KP_Right", "KP_Up"):
        s.press_silently(key)
    s.press("ctrl+n", "carica il primo rettangolo", "nessun rettangolo", "casella 1: vuota",
            "mosse: 0")
    # Esc answers No: the game as it was, the focus back on its button.
    before = shown.now()
    s.press("ctrl+q", "Vuoi veramente uscire?")
    # The focus told again, as Orca tells it when a window comes back.
    s.press("Escape", "Nuovo rettangolo", within=START_S)
    check(shown.now() == before, "No changed the game")


def main():
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    if missing:
        print(f"FAILED: {', '.join(missing)} not installed (scripts/install-deps.sh installs them)")
        return 1
    if "ZANFRIA_ORCA_SESSION" not in os.environ:
        return in_private_session("ZANFRIA_ORCA_SESSION")
    Atspi.init()
    work = tempfile.mkdtemp(prefix="zanfria-orca.")
    desktop = Desktop(work)
    session = None
    try:
        desktop.start_all(os.path.realpath(sys.argv[1]))
        app = None

        def registered():
            nonlocal app
            check(desktop.game.poll() is None, "the game ended")
            app = application(desktop.game.pid)
            return app is not None

        check(wait(registered, START_S, 0.1), "the game never showed up on the accessibility bus")
        check(wait(lambda: any("Nuovo rettangolo" in line for line in desktop.heard()), START_S),
              "Orca never told of the focus on NUOVO RETTANGOLO")
        shown = Shown(app)
        session = Session(desktop, shown)
        play(session, shown)
    except Failed as failure:
        if session:
            session.print()
        print("FAILED:", failure)
        desktop.end()  # Orca's log is whole once it has ended
        with open(os.path.join(work, "orca.log"), errors="replace") as log:
            events = [line for line in log if " - " in line and "BRAILLE" not in line]
        print("Orca's log ends:\n" + "".join(events[-40:]))
        return 1
    finally:
        desktop.end()
        shutil.rmtree(work, ignore_errors=True)
    session.print()
    print("every check passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
