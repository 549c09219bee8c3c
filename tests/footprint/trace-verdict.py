#!/usr/bin/env python3
"""Judges an strace log of the game: what it wrote, read and talked to.

The game keeps nothing between runs and has no files of its own, so the log
may show only reads of the system's libraries and data, the few writes listed
below, and sockets to the X server and the sound server. Anything else is
printed and makes the verdict fail (exit status 1).

The log comes from `strace -f -yy -e trace=%file,%network,%desc`, run with the
private HOME and XDG folders that common.sh lays out under SANDBOX (home,
config, cache, data, state, run). With --list it also prints every allowed
access, "found" or "absent" (only looked for).
"""

import argparse
import fnmatch
import os
import re
import sys
from collections import Counter

WRITE_FLAGS = re.compile(r"\bO_(WRONLY|RDWR|CREAT|TRUNC|APPEND|TMPFILE)\b")

# Which arguments are paths, as (dirfd index or None, path index).
ONE_PATH = [(None, 0)]
AT_PATH = [(0, 1)]
PATH_ARGS = {
    **dict.fromkeys(
        "open creat stat lstat access readlink chdir statfs truncate chmod chown lchown "
        "utime utimes mkdir rmdir unlink execve getxattr lgetxattr listxattr llistxattr "
        "setxattr lsetxattr removexattr lremovexattr mknod".split(), ONE_PATH),
    **dict.fromkeys(
        "openat openat2 newfstatat fstatat64 statx faccessat faccessat2 readlinkat mkdirat "
        "unlinkat fchmodat fchownat utimensat futimesat mknodat execveat".split(), AT_PATH),
    "inotify_add_watch": [(None, 1)],
    "rename": [(None, 0), (None, 1)],
    "link": [(None, 0), (None, 1)],
    "symlink": [(None, 1)],
    "renameat": [(0, 1), (2, 3)],
    "renameat2": [(0, 1), (2, 3)],
    "linkat": [(0, 1), (2, 3)],
    "symlinkat": [(1, 2)],
}
# Calls that change the file system whatever their flags.
CHANGING = set(
    "creat mkdir mkdirat rmdir unlink unlinkat rename renameat renameat2 link linkat symlink "
    "symlinkat chmod fchmodat chown fchownat lchown truncate utime utimes utimensat futimesat "
    "mknod mknodat setxattr lsetxattr removexattr lremovexattr".split())
# Calls that change a file through a descriptor (shown as 3</path> by -y).
CHANGING_BY_FD = set("ftruncate fallocate fchmod fchown fsetxattr fremovexattr".split())
SOCKET_CALLS = set("connect bind sendto sendmsg".split())


def allow_lists(sandbox, game, display):
    """The allowances, each (path, reason). A path ending in / stands for that
    folder and everything under it; otherwise it must match exactly, with *
    matching any run of characters."""
    home, run, config = (os.path.join(sandbox, d) for d in ("home", "run", "config"))
    cache, data = os.path.join(sandbox, "cache"), os.path.join(sandbox, "data")
    beside_game = os.path.dirname(game)
    writes = [
        ("/dev/null", "libdbus's helper child points its standard streams at it; not a file"),
        ("/dev/snd/", "the sound card's device nodes, opened read-write by ALSA; not files"),
        (run + "/pulse", "the PulseAudio client library makes its folder in the session's "
                         "runtime folder when SDL looks for the sound server"),
    ]
    reads = [
        # The system's programs, libraries and data: the same for every user.
        ("/etc/ld.so.cache", "the dynamic loader's index"),
        ("/etc/ld.so.preload", "the dynamic loader looks for it"),
        ("/lib/", "shared libraries (a link to /usr/lib on Debian)"),
        ("/usr/lib/", "shared libraries, Qt's plugins, ALSA and PulseAudio modules, locales"),
        ("/etc/localtime", "the time zone, read by the C library and Qt"),
        ("/usr/share/locale/", "message catalogues of the libraries"),
        ("/usr/share/X11/", "X locale and compose data"),
        ("/etc/fonts/", "fontconfig's configuration"),
        ("/usr/share/fontconfig/", "fontconfig's configuration"),
        ("/usr/share/fonts/", "the system fonts"),
        ("/usr/local/share/fonts/", "one of fontconfig's default font folders"),
        ("/var/cache/fontconfig/", "fontconfig's system cache"),
        ("/usr/share/icons/", "icon and cursor themes: Xcursor loads the mouse pointer, Qt the "
                              "icons of the quit box's standard buttons"),
        ("/usr/local/share/icons/", "where Xcursor and Qt also look for icon themes"),
        ("/usr/share/pixmaps/", "where Xcursor and Qt look for icons outside any theme"),
        ("/usr/share/alsa/", "ALSA's configuration"),
        ("/etc/asound.conf", "ALSA's system configuration"),
        ("/etc/alsa/", "ALSA's system configuration"),
        ("/usr/etc/asound.conf", "ALSA looks there too"),
        ("/usr/etc/alsa/", "ALSA looks there too"),
        ("/var/lib/alsa/", "ALSA's saved mixer settings"),
        ("/etc/pulse/", "the PulseAudio client's system configuration"),
        ("/usr/share/qt6/qtlogging.ini", "Qt looks for logging rules at start-up"),
        ("/etc/xdg/QtProject/qtlogging.ini", "Qt looks for logging rules at start-up"),
        ("/etc/machine-id", "libdbus needs the machine id to look for a session bus"),
        ("/var/lib/dbus/machine-id", "libdbus needs the machine id to look for a session bus"),
        ("/proc/self/", "the process's own state (executable path, open descriptors)"),
        ("/sys/devices/system/cpu/", "the number of processors"),
        ("/dev/urandom", "random seeds"),
        ("/dev/snd/", "ALSA looks for sound cards"),
        ("/dev/aloadC*", "ALSA asks for sound card drivers to be loaded"),
        ("/dev/shm/", "the PulseAudio client checks the shared memory folder"),
        # The game and what Qt looks for beside it.
        (game, "the game's executable"),
        (beside_game + "/qt.conf", "Qt looks for qt.conf beside the executable"),
        (beside_game + "/qt6.conf", "Qt looks for qt6.conf beside the executable"),
    ] + [(beside_game + "/" + kind + "/", "Qt looks for plugins beside the executable")
         for kind in ("accessible", "accessiblebridge", "iconengines", "imageformats",
                      "platforminputcontexts", "platforms", "platformthemes", "styles")] + [
        # The user's own settings for the libraries (the private folders are empty).
        (home + "/.Xauthority", "libxcb looks for the display's credentials"),
        (home + "/.Xdefaults*", "Xlib's per-user resources (Xcursor asks for the pointer size)"),
        (home + "/.icons/", "per-user cursor themes, looked up by Xcursor"),
        (data + "/icons/", "per-user cursor and icon themes, looked up by Xcursor and Qt"),
        (home + "/.fonts/", "fontconfig's legacy per-user fonts"),
        (home + "/.fonts.conf", "fontconfig's legacy per-user configuration"),
        (home + "/.fonts.conf.d/", "fontconfig's legacy per-user configuration"),
        (home + "/.fontconfig/", "fontconfig's legacy per-user cache"),
        (config + "/fontconfig/", "fontconfig's per-user configuration"),
        (cache + "/fontconfig/", "fontconfig's per-user cache"),
        (data + "/fonts/", "fontconfig's per-user fonts"),
        (home + "/.asoundrc", "ALSA's per-user configuration"),
        (config + "/alsa/", "ALSA's per-user configuration"),
        (home + "/.config/pulse/", "the PulseAudio client's per-user configuration and cookie"),
        (home + "/.pulse/", "the PulseAudio client's legacy per-user configuration"),
        (config + "/QtProject/qtlogging.ini", "Qt looks for logging rules at start-up"),
        (run + "/flatpak-info", "Qt checks whether it runs in a sandbox"),
        (run + "/bus", "libdbus looks for the session bus at its usual place"),
        (run + "/pulse/", "where the PulseAudio client looks for the sound server"),
    ]
    sockets = [
        ("@/tmp/.X11-unix/X%s" % display, "the X server of the test display"),
        ("/tmp/.X11-unix/X%s" % display, "the X server of the test display"),
        (run + "/pulse/native", "the PulseAudio server of the session"),
        ("/var/run/pulse/native", "a system-wide PulseAudio server"),
        (run + "/pipewire-0", "the PipeWire server of the session"),
    ]
    programs = [
        (game, "the game itself"),
        ("/usr/bin/dbus-launch", "libdbus tries to start a session bus when none is set, "
                                 "for Qt's accessibility bridge and the PulseAudio client"),
        ("/bin/dbus-launch", "the same, found through PATH"),
    ]
    return writes, reads, sockets, programs


def reason_for(path, allowances):
    """Why a path is allowed, or None when it is not."""
    for allowed, reason in allowances:
        if allowed.endswith("/"):
            if path == allowed[:-1] or path.startswith(allowed):
                return reason
        elif fnmatch.fnmatchcase(path, allowed):
            return reason
    return None


def split_args(text):
    """Splits a call's argument text at the top-level commas."""
    args, depth, quoted, start, i = [], 0, False, 0, 0
    while i < len(text):
        c = text[i]
        if quoted:
            if c == "\\":
                i += 1
            elif c == '"':
                quoted = False
        elif c == '"':
            quoted = True
        elif c in "([{<":
            depth += 1
        elif c in ")]}>":
            depth -= 1
        elif c == "," and depth == 0:
            args.append(text[start:i].strip())
            start = i + 1
        i += 1
    args.append(text[start:].strip())
    return args


def calls(lines):
    """Yields (name, args, result) for every finished call, joining split ones."""
    pending = {}
    call = re.compile(r"^(\d+) +([a-z0-9_]+)\((.*)\) += (.*)$")
    for line in lines:
        line = line.rstrip("\n")
        head = re.match(r"^(\d+) +(.*)$", line)
        if not head:
            continue
        pid, rest = head.groups()
        if rest.endswith("<unfinished ...>"):
            pending[pid] = rest[: -len("<unfinished ...>")].rstrip()
            continue
        resumed = re.match(r"^<\.\.\. [a-z0-9_]+ resumed>(.*)$", rest)
        if resumed:
            rest = pending.pop(pid, "") + resumed.group(1)
        m = call.match(pid + " " + rest)
        if m:
            yield m.group(2), m.group(3), m.group(4)


def unquote(arg):
    m = re.match(r'^"((?:[^"\\]|\\.)*)"', arg)
    return m.group(1).encode().decode("unicode_escape") if m else None


def resolve(path, dirfd_arg):
    if not path.startswith("/"):
        base = re.search(r"<(/[^<>]*)>", dirfd_arg or "")
        path = os.path.join(base.group(1), path) if base else path
    return re.sub("/+", "/", os.path.normpath(path))


def judge(log, sandbox, game, display, listing):
    writes, reads, sockets, programs = allow_lists(sandbox, game, display)
    # Folders on the way to an allowed path may be looked at (realpath, plugin search).
    ancestors = {os.path.dirname(p.rstrip("/")) for p, _ in reads + writes}
    while any(os.path.dirname(a) not in ancestors for a in ancestors):
        ancestors |= {os.path.dirname(a) for a in ancestors}
    faults, allowed, started = {}, {}, False  # (kind, path) -> found at least once

    def note(kind, path, reason, found):
        if reason is None:
            faults[(kind, path)] = faults.get((kind, path), False) or found
        else:
            allowed[(kind, path)] = (reason, found or allowed.get((kind, path), (0, False))[1])

    with open(log, errors="replace") as f:
        for name, argtext, result in calls(f):
            args = split_args(argtext)
            found = not re.match(r"-1 (ENOENT|ENOTDIR)\b", result)
            if name == "socket" and not args[0].startswith("AF_UNIX"):
                note("socket", args[0], None, found)
            if name in SOCKET_CALLS:
                addr = re.search(r'sun_path=(@?)"((?:[^"\\]|\\.)*)"', argtext)
                if addr:
                    target = addr.group(1) + addr.group(2)
                    note("socket", target, reason_for(target, sockets), found)
            if name in CHANGING_BY_FD:
                fd_path = re.match(r"^\d+<(/[^<>]*)", args[0])
                if fd_path and not fd_path.group(1).startswith("/memfd:"):
                    note("write", fd_path.group(1), reason_for(fd_path.group(1), writes), found)
            for dirfd, index in PATH_ARGS.get(name, []):
                path = unquote(args[index]) if index < len(args) else None
                if not path:  # AT_EMPTY_PATH on an open descriptor, or NULL
                    continue
                path = resolve(path, args[dirfd] if dirfd is not None else None)
                writing = name in CHANGING or (
                    name.startswith("open") and WRITE_FLAGS.search(argtext))
                # mkdir of a folder that is already there changes nothing.
                if name in ("mkdir", "mkdirat") and "EEXIST" in result:
                    writing = False
                if name in ("execve", "execveat"):
                    started = started or (path == game and found)
                    note("exec", path, reason_for(path, programs), found)
                elif writing:
                    note("write", path, reason_for(path, writes), found)
                elif path in ancestors:
                    note("lookup", path, "a folder on the way to an allowed path", found)
                else:
                    note("read", path, reason_for(path, reads), found)

    if not started:
        faults[("trace:", "it never shows %s starting" % game)] = True

    def show(path):
        return path.replace(sandbox, "$SANDBOX")

    if listing:
        for (kind, path), (reason, found) in sorted(allowed.items()):
            state = "found" if found else "absent"
            print("  %-6s %-6s %-60s %s" % (kind, state, show(path), reason))
    for (kind, path), found in sorted(faults.items()):
        print("FOOTPRINT: %s %s%s" % (kind, show(path), "" if found else " (attempted)"))
    kinds = Counter(kind for kind, _ in allowed)
    print("trace-verdict: allowed %s; %d faults" % (
        ", ".join("%d %s" % (n, k) for k, n in sorted(kinds.items())), len(faults)))
    return 1 if faults else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("log")
    parser.add_argument("--sandbox", required=True, help="the private HOME/XDG root")
    parser.add_argument("--game", required=True, help="the traced executable")
    parser.add_argument("--display", required=True, help="the X display number")
    parser.add_argument("--list", action="store_true", help="print every allowed access")
    a = parser.parse_args()
    sys.exit(judge(a.log, a.sandbox, a.game, a.display, a.list))


if __name__ == "__main__":
    main()
