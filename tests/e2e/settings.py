"""Where a journey meets the program, one class each: X11, Wayland, Wine and
Finger (docs/testing.md). A journey asks its setting whatever differs."""
import os
import re
import socket
import struct
import subprocess

from desktop import PATIENCE, Failed, fail_if, wait_until
import wine

# weston 10 draws a shadow this wide around the frames of X11 windows.
WESTON_SHADOW = 32


class X11:
    """The X desktop: IceWM, the mouse, Return answers a message box."""
    suffix = ""

    def start_session(self, d, home):
        os.makedirs(os.path.join(home, ".icewm"))
        with open(os.path.join(home, ".icewm", "preferences"), "w") as prefs:
            # A bare desktop: no task bar over the lower forms, click to focus.
            prefs.write("ShowTaskBar=0\nClickToFocus=1\nFocusOnAppRaise=1\nRequestFocusOnAppRaise=1\n")
        d.retry("the window manager", lambda: self._start_window_manager(d, home))

    @staticmethod
    def _start_window_manager(d, home):
        manager = subprocess.Popen(["icewm"], env=d.env, stdout=subprocess.DEVNULL, stderr=d.log("icewm", "a"),
                                   cwd=home)
        d.processes.append(manager)

        def managing():
            if manager.poll() is not None:
                raise Failed(f"icewm ended with status {manager.returncode}")
            return "window id" in d.screen.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")
        try:
            wait_until(managing, PATIENCE, "the window manager")
        except Failed:
            d.processes.remove(manager)
            manager.kill()
            manager.wait()
            raise

    def client_windows(self, screen):
        return screen.ids(r"0x[0-9a-f]+", "xprop", "-root", "_NET_CLIENT_LIST_STACKING")

    def frame(self, screen, wid, x, y, props):
        """Left, right, top and bottom frame widths; None until it is placed."""
        found = re.search(r"_NET_FRAME_EXTENTS = (\d+), (\d+), (\d+), (\d+)", props)
        return tuple(int(v) for v in found.groups()) if found else (0, 0, 0, 0)

    def hand(self, d):
        return d.pointer  # the mouse moves the X pointer

    def launch(self, d, command, workdir, scale):
        d.program.launch(command, workdir)

    def placed(self, d, window, at_place):
        return window

    def place_slack(self, window):
        return (1, 1)

    def menu_height(self, column):
        """The menu bar's height from a column of it, whether each pixel is the
        form's colour: the bar, then its edge line."""
        if column[0] and not all(column):
            return column.index(False) + 1
        return None

    def aim(self, pupil, window, point):
        pass

    def shown(self, pupil, window):
        pass

    def before_typing(self, d, window):
        pass

    def enter(self, d, text):
        """Replaces the text of the box that has the keyboard by `text`."""
        d.keyboard.press("ctrl+a")
        d.keyboard.type(text)

    def answer(self, pupil, box):
        pupil.d.screen.wait_active(box)
        pupil.d.keyboard.press("Return")

    def press_ok(self, pupil, box):
        """Presses a message box's OK, the dark caption in its lower right."""
        d = pupil.d

        def caption():
            shown = d.screen.window(box.id) or box
            lower_right = (shown.x + shown.width // 2, shown.y + shown.height * 2 // 3, shown.width // 2,
                           shown.height // 3)
            found = d.screen.shot().bounding_box(lower_right, lambda p: max(p) < 100)
            return found and (shown, found)
        shown, found = wait_until(caption, PATIENCE, "the OK button of the box")
        point = (found[0] + found[2] // 2, found[1] + found[3] // 2)
        self.aim(pupil, shown, point)
        pupil.hand.tap(shown, point)

    def close(self):
        pass


class Wayland(X11):
    """weston with its X11 back end; the program runs through XWayland."""
    suffix = "-wayland"

    def start_session(self, d, home):
        log = os.path.join(d.scratch.name, "weston.log")
        config = os.path.join(d.scratch.name, "weston.ini")
        with open(config, "w") as ini:
            # Windows come and go at once, as on the X desktop, so that a
            # screenshot never catches one half drawn.
            ini.write("[shell]\nanimation=none\nclose-animation=none\nstartup-animation=none\n"
                      "focus-animation=none\npanel-position=none\n")
        width, height = (round(v * d.scale) for v in (1024, 768))
        socket_name = f"zartex-{os.getpid()}"
        # --debug lets weston-debug read weston's scene graph.
        weston = subprocess.Popen(
            ["weston", "--backend=x11-backend.so", "--xwayland", "--use-pixman", "--idle-time=0", "--debug",
             f"--config={config}", f"--socket={socket_name}", f"--width={width}", f"--height={height}",
             f"--log={log}"], env=d.env, stdout=subprocess.DEVNULL, stderr=d.log("weston"))
        d.processes.append(weston)

        def xwayland():
            if weston.poll() is not None:
                raise Failed(f"weston ended with status {weston.returncode}")
            try:
                with open(log, encoding="utf-8", errors="replace") as text:
                    found = re.search(r"xserver listening on display (:\d+)", text.read())
            except FileNotFoundError:
                return None
            return found and found.group(1)
        display = wait_until(xwayland, PATIENCE, "weston's XWayland display", 0.1)
        d.env = dict(d.env, DISPLAY=display, WAYLAND_DISPLAY=socket_name)
        wait_until(lambda: d.screen.answers("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"), PATIENCE,
                   "XWayland to answer")
        # weston's own pointer goes to the corner (docs/testing.md): it follows
        # the outer pointer, held to the screen, so a sweep leaves it there.
        corner = (width - 1, height - 1)

        def rests_in_corner():
            if self.pointer_over(d, corner):
                return True
            for point in ((0, 0), corner):
                subprocess.run(["xdotool", "mousemove", "--sync", *map(str, point)], env=d.screen_env, check=True,
                               timeout=PATIENCE)
            return False
        wait_until(rests_in_corner, PATIENCE, "weston's pointer to rest in the corner", 0.1)

    def client_windows(self, screen):
        # weston keeps no list of its X clients: the named windows in its frames.
        return screen.ids(r"^\s{8}(0x[0-9a-f]+) \"", "xwininfo", "-root", "-tree")

    def frame(self, screen, wid, x, y, props):
        # The frame's window holds a shadow round the frame that weston draws.
        frame_id = screen.parent(wid)
        parent = frame_id and re.search(r"Absolute upper-left X:\s+(-?\d+)\s+Absolute upper-left Y:\s+(-?\d+)",
                                        screen.run("xwininfo", "-id", str(frame_id)))
        # Gone meanwhile, or not yet placed: weston frames a new window at
        # the screen's corner and puts the frame in its place after.
        if not parent or parent.groups() == ("0", "0"):
            return None
        return (x - int(parent[1]) - WESTON_SHADOW, 0, y - int(parent[2]) - WESTON_SHADOW, 0)

    def placed(self, d, window, at_place):
        # weston frames a new window first and puts the frame in its place after.
        def placed_window():
            shown = d.screen.window_named(window.name)
            return shown if shown and at_place(shown) else None
        return wait_until(placed_window, PATIENCE, f'"{window.name}" at its designed place', 0.1)

    def scene_graph(self, d):
        done = subprocess.run(["weston-debug", "scene-graph"], env=d.env, capture_output=True, timeout=PATIENCE)
        return done.stdout.decode(errors="replace")

    def pointer_over(self, d, point):
        """weston draws its pointer's picture over `point`."""
        view = re.search(r"role wl_pointer-cursor.*\n\s*position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)",
                         self.scene_graph(d))
        return bool(view) and int(view[1]) <= point[0] < int(view[3]) and int(view[2]) <= point[1] < int(view[4])


class Wine(X11):
    """The Windows build under Wine, on the X desktop (docs/testing.md)."""
    def __init__(self, prefix):
        self.prefix = prefix

    def launch(self, d, command, workdir, scale):
        # Windows scales a program by the screen's DPI setting.
        wine.set_dpi(self.prefix, round(96 * scale))
        d.program.launch(["wine", *command], workdir, wine.environment(self.prefix), platform=None)

    def place_slack(self, window):
        # The frame is the window manager's, not the one Windows would draw:
        # Windows places its own frame at the designed place.
        return (window.frame_left + 1, window.frame_top + 1)

    def menu_height(self, column):
        # Under Windows' style the bar is white down to the form.
        if not column[0] and any(column):
            return column.index(True)
        return super().menu_height(column)

    @staticmethod
    def stack(screen):
        """The program's windows from the top down, each with its frame's
        rectangle, as the X server stacks them: Wine restacks them itself."""
        frames = {}
        for window in screen.windows():
            frame = window.id
            while (parent := screen.parent(frame)) and screen.parent(parent):
                frame = parent
            frames[frame] = window
        return [(frames[int(wid, 16)], tuple(map(int, (x, y, w, h)))) for wid, w, h, x, y in re.findall(
            r"^\s+(0x[0-9a-f]+) .*?\s(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s", screen.run("xwininfo", "-root", "-children"),
            re.M)
            if int(wid, 16) in frames]

    def until_on_top(self, screen, window, on_top, what):
        """Activates `window`, as its task-bar button would, until `on_top`
        holds of the stack."""
        def up():
            if on_top(self.stack(screen)):
                return True
            screen.run("xdotool", "windowactivate", str(window.id))
            return False
        wait_until(up, PATIENCE, f'"{window.name}" to be {what}', 0.2)

    def aim(self, pupil, window, point):
        def uppermost(stack):
            found = next((w for w, (x, y, width, height) in stack
                          if x <= point[0] < x + width and y <= point[1] < y + height), None)
            return found and found.id == window.id
        self.until_on_top(pupil.d.screen, window, uppermost, f"uppermost at {point}")

    def shown(self, pupil, window):
        self.until_on_top(pupil.d.screen, window, lambda stack: stack and stack[0][0].id == window.id,
                          "in front of the program's others")

    def before_typing(self, d, window):
        """Activates `window`, and focuses it if Wine declines IceWM's offer."""
        def focused():
            if d.screen.run("xdotool", "getwindowfocus").strip() == str(window.id):
                return True
            d.screen.run("xdotool", "windowactivate", str(window.id))
            d.screen.run("xdotool", "windowfocus", str(window.id))
            return False
        wait_until(focused, PATIENCE, f'the window "{window.name}" to take the keyboard', 0.2)

    def enter(self, d, text):
        """Wine reads the keyboard's layouts once, at its start: a Russian text
        is pasted (docs/testing.md)."""
        if text.isascii():
            super().enter(d, text)
            return
        owner = d.clipboard.hold(text)
        wait_until(lambda: owner.times_asked("offers"), PATIENCE, f"Wine's clipboard to learn of {text!r}")
        d.keyboard.press_until(("ctrl+a", "ctrl+v"), lambda: owner.times_asked("text"),
                               f"the program to fetch the pasted {text!r}")

    def answer(self, pupil, box):
        self.shown(pupil, box)
        self.press_ok(pupil, box)

    def close(self):
        wine.stop(self.prefix)


class Finger:
    """A finger on a TUIO touch panel over another setting's desktop: a class
    that names Finger before that setting (FingerOnX11) takes the finger's
    hand, launch and answer, and all else from the setting."""
    def __init__(self):
        with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]

    def hand(self, d):
        return TouchPanel(d, self.port)

    def launch(self, d, command, workdir, scale):
        d.program.launch(command, workdir, {"QT_QPA_GENERIC_PLUGINS": f"tuiotouch:udp={self.port}"})
        wait_until(lambda: unread_bytes(self.port) is not None, PATIENCE,
                   f"the program to listen for touches on UDP port {self.port}")

    def answer(self, pupil, box):
        self.press_ok(pupil, box)


class FingerOnX11(Finger, X11):
    suffix = "-finger"


class FingerOnWayland(Finger, Wayland):
    suffix = "-finger-wayland"


def unread_bytes(port):
    """What the program bound to UDP `port` has not yet read of what was sent
    there; None while nothing is bound to it (it was free when chosen)."""
    for table in ("/proc/net/udp", "/proc/net/udp6"):
        with open(table) as sockets:
            for fields in (line.split() for line in sockets.readlines()[1:]):
                if int(fields[1].split(":")[1], 16) == port:
                    return int(fields[4].split(":")[1], 16)
    return None


def _osc_string(text):
    data = text.encode() + b"\0"
    return data + b"\0" * (-len(data) % 4)


def _osc_message(*arguments):
    tags = "".join("s" if isinstance(a, str) else "i" if isinstance(a, int) else "f" for a in arguments)
    data = b"".join(_osc_string(a) if isinstance(a, str) else struct.pack(">" + tag, a)
                    for a, tag in zip(arguments, tags))
    return _osc_string("/tuio/2Dcur") + _osc_string("," + tags) + data


class TouchPanel:
    """One finger, as a board's tracker reports it: TUIO 1.1 cursor bundles
    in OSC over UDP. Qt lays it over the window that it believes active, in
    fractions of its size; the X pointer rests in the window's corner, where
    it shows a drag's shape."""

    def __init__(self, desktop, port):
        self.d, self.port = desktop, port
        self.socket = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.window, self.frame, self.session, self.touching = None, 0, 0, False

    def on(self, window):
        self.window = window
        return self

    def _send(self, point):
        """One frame: the finger at `point`, or lifted."""
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
        # Read before the keyboard's next keys, which would overtake it.
        wait_until(lambda: unread_bytes(self.port) == 0, PATIENCE, "the program to read the finger's frame", 0.01)

    def down(self, point):
        self.d.screen.settle(self.window)
        self.d.pointer.park((self.window.x + 1, self.window.y + 1))
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


SETTINGS = {("x11", "mouse"): X11, ("x11", "finger"): FingerOnX11, ("wayland", "mouse"): Wayland,
            ("wayland", "finger"): FingerOnWayland}


def setting(args):
    fail_if(args.wine_prefix and args.input == "finger", "a finger is not set up under Wine")
    return Wine(args.wine_prefix) if args.wine_prefix else SETTINGS[args.session, args.input]()

