"""A finger on a touch panel, as a TUIO whiteboard reports it.

The program reads touches through Qt's TUIO plugin (QT_QPA_GENERIC_PLUGINS
=tuiotouch:udp=PORT), which hands them to Qt's own touch pipeline, as a
touch screen's driver does. The journey is the board's tracker: it sends
TUIO 1.1 cursor bundles (/tuio/2Dcur "alive", "set", "fseq") in OSC over
UDP. Qt lays a finger's place over the window that has the keyboard, in
fractions of that window's size.
"""
import os
import socket
import struct


def free_udp_port():
    """A UDP port that nothing on this machine listens on now."""
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def listening(pid, port):
    """Process `pid` holds a UDP socket bound to `port`."""
    inodes = set()
    try:
        for fd in os.listdir(f"/proc/{pid}/fd"):
            target = os.readlink(f"/proc/{pid}/fd/{fd}")
            if target.startswith("socket:["):
                inodes.add(target[8:-1])
    except (FileNotFoundError, ProcessLookupError, PermissionError):
        return False
    for table in ("/proc/net/udp", "/proc/net/udp6"):
        with open(table) as sockets:
            for line in sockets.readlines()[1:]:
                fields = line.split()
                if int(fields[1].split(":")[1], 16) == port and fields[9] in inodes:
                    return True
    return False


def _osc_string(text):
    data = text.encode() + b"\0"
    return data + b"\0" * (-len(data) % 4)


def _osc_message(*arguments):
    tags, data = ",", b""
    for argument in arguments:
        if isinstance(argument, str):
            tags, data = tags + "s", data + _osc_string(argument)
        elif isinstance(argument, int):
            tags, data = tags + "i", data + struct.pack(">i", argument)
        else:
            tags, data = tags + "f", data + struct.pack(">f", argument)
    return _osc_string("/tuio/2Dcur") + _osc_string(tags) + data


class Finger:
    """One finger on the panel of the program that listens on `port`. Its
    places are laid over the window it touches, on(window), which must have
    the keyboard: the finger waits until the program has taken that in. The
    X pointer rests in the window's corner, where it shows a drag's shape."""

    def __init__(self, desktop, port):
        self.d, self.port = desktop, port
        self.socket = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.window = None
        self.frame = self.session = 0
        self.touching = False

    def on(self, window):
        self.window = window
        return self

    def _send(self, point):
        """One frame: the finger at `point` on the screen, or lifted."""
        self.frame += 1
        messages = [_osc_message("alive", *([self.session] if point else []))]
        if point:
            w = self.window
            messages.append(_osc_message("set", self.session, (point[0] - w.x) / w.width,
                                         (point[1] - w.y) / w.height, 0.0, 0.0, 0.0))
        messages.append(_osc_message("fseq", self.frame))
        bundle = _osc_string("#bundle") + struct.pack(">II", 0, 1) + \
            b"".join(struct.pack(">i", len(m)) + m for m in messages)
        self.socket.sendto(bundle, ("127.0.0.1", self.port))

    def down(self, point):
        self.d.settle(self.window)
        self.d.park_pointer((self.window.x + 1, self.window.y + 1))
        self.session += 1
        self.touching = True
        self._send(point)

    def move(self, point):
        if self.touching:
            self._send(point)

    def up(self):
        self.touching = False
        self._send(None)

    def tap(self, window, point):
        self.on(window).down(point)
        self.up()

    def close(self):
        self.socket.close()
