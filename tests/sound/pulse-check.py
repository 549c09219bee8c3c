#!/usr/bin/python3
"""Plays the game against a real PulseAudio server and listens to what the
server plays.

Starts a server of its own (no configuration read, the native protocol on a
private socket, one null sink at the clips' own rate, nothing that suspends
it), a private X display and the game on both, as a player's desktop would
have them, and records the sink's monitor while clicking RUOTA ORARIO:
- each click's turn cue sounds within 0.2 s of the click and whole, with the
  sound device still open and after a pause long enough for it to go;
- the mixer knows the stream as the game's: name, icon and role;
- after the server is killed during a cue (and a click while it is away)
  and started again, the next clicks' cues sound within 0.2 s again, and
  whole;
- PER USCIRE answered "Si" ends the game with status 0 (built with the
  sanitizers, with nothing to report).
The delays are printed. Everything started here is ended; the waits only
catch a hang.
Usage: pulse-check.py GAME
"""

import array
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
RATE = 11025  # the clips' rate, and so the sink's: nothing is resampled
LIMIT_S = 0.2
HANG_S = 20


class Failed(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failed(what)


def wait_until(condition, what, seconds=HANG_S):
    deadline = time.monotonic() + seconds
    while not condition():
        check(time.monotonic() < deadline, what)
        time.sleep(0.02)


def clip_length(cue):
    """The clip's sample count, from its file's "fact" chunk."""
    data = open(os.path.join(HERE, f"../../res/sounds/cue{cue}.wav"), "rb").read()
    at = data.index(b"fact")
    return struct.unpack_from("<I", data, at + 8)[0]


class Recorder:
    """The sink's monitor, read as it comes: samples are counted in real time."""

    def __init__(self, rig):
        self.process = rig.start(
            ["parec", "--raw", "--device=zanfria.monitor", "--format=s16le", "--channels=1",
             f"--rate={RATE}", "--latency-msec=10"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.data = bytearray()
        self.reader = threading.Thread(target=self.read, daemon=True)
        self.reader.start()
        # An idle null sink works in blocks of seconds; once the recorder's
        # small latency has reached it, samples come at the real rate.
        start = time.monotonic()
        wait_until(lambda: self.heard() > RATE // 2, "the recorder never got going")
        check(time.monotonic() - start < 5, "the recorder took too long to start")

    def read(self):
        while chunk := self.process.stdout.read1(65536):
            self.data += chunk

    def heard(self):
        return len(self.data) // 2

    def samples(self, start, end):
        return array.array("h", bytes(self.data[2 * start:2 * end]))

    def stop(self):
        self.process.kill()
        self.process.wait()
        self.reader.join()


class Rig:
    def __init__(self, work):
        self.work = work
        self.processes = []

    def open(self, game):
        """Starts the display, the sound server, the recorder and the game."""
        runtime = os.path.join(self.work, "run")
        os.mkdir(runtime, 0o700)
        self.socket = os.path.join(runtime, "pulse", "native")  # where libpulse looks first
        # No session bus, and none to be started for the server or the game.
        self.env = {"PATH": "/usr/bin:/bin", "LANG": "C.UTF-8", "HOME": self.work,
                    "XDG_RUNTIME_DIR": runtime, "DBUS_SESSION_BUS_ADDRESS": "disabled:"}
        xvfb = self.start(["Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0",
                           "1024x768x24"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.env["DISPLAY"] = ":" + xvfb.stdout.readline().decode().strip()
        check(self.env["DISPLAY"] != ":", "Xvfb did not start")
        self.start_server()
        self.recorder = Recorder(self)
        game_env = dict(self.env, QT_QPA_PLATFORM="xcb")
        for name in ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"):
            if name in os.environ:
                game_env[name] = os.environ[name]
        self.log = os.path.join(self.work, "game.log")
        self.game = self.start([os.path.abspath(game)], env=game_env, cwd=self.work,
                               stdout=open(self.log, "w"), stderr=subprocess.STDOUT)
        window = self.xdotool("search", "--sync", "--onlyvisible", "--name",
                              "^Il vestito di Zanfrino$").split()
        check(window, "the game's window did not appear")
        self.window = window[0]
        geometry = self.xdotool("getwindowgeometry", "--shell", self.window)
        self.menu = int(re.search(r"HEIGHT=(\d+)", geometry).group(1)) - 554

    def start(self, command, **options):
        options.setdefault("env", self.env)
        process = subprocess.Popen(command, start_new_session=True, **options)
        self.processes.append(process)
        return process

    def start_server(self):
        self.server = self.start(
            ["pulseaudio", "-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1",
             "--realtime=no", "--high-priority=no", "--log-target=stderr",
             "-L", f"module-native-protocol-unix auth-anonymous=1 socket={self.socket}",
             "-L", f"module-null-sink sink_name=zanfria rate={RATE} channels=1 format=s16le"],
            stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.work, "server.log"), "a"))
        wait_until(lambda: subprocess.run(["pactl", "info"], env=self.env,
                                          capture_output=True).returncode == 0,
                   "the sound server did not start")

    def kill_server(self):
        self.server.kill()
        self.server.wait()
        self.recorder.stop()

    def xdotool(self, *arguments):
        return subprocess.run(["timeout", str(HANG_S), "xdotool", *arguments], env=self.env,
                              check=True, capture_output=True, text=True).stdout

    def click(self, left, top, width, height):
        """Clicks a button, given as in the game; the recorder's count then."""
        self.xdotool("mousemove", "--window", self.window, str(left + width // 2),
                     str(self.menu + top + height // 2))
        at = self.recorder.heard()
        self.xdotool("click", "1")
        return at

    def end(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.kill()
                process.wait()


def nuovo(rig):
    return rig.click(504, 264, 121, 81)


def orario(rig):
    return rig.click(8, 424, 81, 73)


def heard_whole(rig, clicked, what):
    """The turn cue after the click at sample `clicked`: its delay in s, once
    it is over; fails unless it came within the limit and sounded whole."""
    length = clip_length(106)
    span = length + RATE  # the cue, a late start and a margin
    wait_until(lambda: rig.recorder.heard() >= clicked + span, f"{what}: the recording stalled")
    # Silence is zeros all the way from the game to the recorder: the sink
    # mixes one stream at full volume, at its own rate.
    sound = [i for i, s in enumerate(rig.recorder.samples(clicked, clicked + span)) if s]
    check(sound, f"{what}: nothing was heard")
    delay = sound[0] / RATE
    print(f"{what}: heard {delay * 1000:.0f} ms after the click, "
          f"for {sound[-1] - sound[0] + 1} of its {length} samples")
    check(delay <= LIMIT_S, f"{what}: heard {delay:.3f} s after the click")
    # Whole, unbroken: a new stream may lose its first few milliseconds, and
    # the clip ends in a few zeros of its own.
    check(sound[-1] - sound[0] + 1 >= 0.97 * length, f"{what}: cut short")
    check(max(b - a for a, b in zip(sound, sound[1:])) < RATE // 20, f"{what}: broken up")
    return delay


def check_stream_properties(rig):
    listing = subprocess.run(["pactl", "list", "sink-inputs"], env=rig.env, check=True,
                             capture_output=True, text=True).stdout
    for key, want in (("application.name", "Il vestito di Zanfrino"),
                      ("application.icon_name", "it.zanfrino.vestito"),
                      ("media.role", "game")):
        found = re.findall(rf'^\s*{re.escape(key)} = "(.*)"$', listing, re.MULTILINE)
        check(found == [want], f"the stream's {key} is {found}, not {want!r}:\n{listing}")


def quit_game(rig):
    rig.click(632, 416, 153, 81)  # PER USCIRE
    rig.xdotool("search", "--sync", "--onlyvisible", "--name", "^Zanfrino$")
    time.sleep(0.3)
    rig.xdotool("key", "Return")  # "Si", the default button
    try:
        status = rig.game.wait(10)
    except subprocess.TimeoutExpired:
        raise Failed("the game did not end within 10 s of 'Si'")
    check(status == 0, f"the game ended with status {status}:\n" + open(rig.log).read())


def main():
    for tool in ("pulseaudio", "parec", "pactl", "Xvfb", "xdotool"):
        if not shutil.which(tool):
            print(f"{tool} is missing: scripts/install-deps.sh installs it")
            return 1
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # ctest's time limit: clean up
    with tempfile.TemporaryDirectory(prefix="zanfria-pulse.") as work:
        rig = Rig(work)
        try:
            rig.open(sys.argv[1])
            nuovo(rig)  # a piece to turn
            time.sleep(0.5)
            orario(rig)  # cuts the opening tune short
            time.sleep(1.5)
            clicked = orario(rig)
            time.sleep(0.3)
            check_stream_properties(rig)
            heard_whole(rig, clicked, "turn, the device still open")
            time.sleep(3)
            heard_whole(rig, orario(rig), "turn after 3 s of quiet")

            orario(rig)
            time.sleep(0.3)
            rig.kill_server()
            orario(rig)
            time.sleep(0.3)
            rig.start_server()
            rig.recorder = Recorder(rig)
            heard_whole(rig, orario(rig), "first turn after the server came back")
            heard_whole(rig, orario(rig), "next turn")
            quit_game(rig)
        except Failed as failure:
            print("FAIL", failure)
            for log in ("game.log", "server.log"):
                if os.path.exists(os.path.join(work, log)):
                    print(f"{log}:\n" + open(os.path.join(work, log)).read()[-3000:])
            return 1
        finally:
            rig.end()
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
