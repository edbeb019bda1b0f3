"""A throw-away X desktop (Xvfb and the session of the journey's setting)
on which a journey runs the program. The desktop owns one object for each
thing a pupil meets: its screen with the program's windows (read back with
ImageMagick's `import`), the keyboard (xdotool and XTest, xclient.py), the
clipboard and the pointer (xdotool). close() stops everything it started."""
import os
import re
import secrets
import shutil
import signal
import subprocess
import tempfile
import time

import xclient

TOOLS = ("Xvfb", "xauth", "icewm", "xdotool", "xwininfo", "xprop", "setxkbmap", "xrdb", "import", "xclip", "tesseract")

# The keyboard's layouts, as a Russian school's desktop sets them up: Latin
# and Russian, Alt+Shift switching between them.
KEYBOARD_LAYOUTS = ("-layout", "us,ru", "-option", "grp:alt_shift_toggle")


# Seconds a journey waits for any state of the desktop or the program. It is
# generous, because a loaded machine can be slow; only a fault waits it out.
PATIENCE = 60
# Seconds after which a clipboard that answered nothing is asked again.
ASK_AGAIN_AFTER = 5


SKIPPED = 77  # the exit status that CTest counts as skipped


class Failed(Exception):
    pass


class Skipped(Exception):
    pass


def fail_if(condition, message):
    if condition:
        raise Failed(message)


def expect(condition, message):
    fail_if(not condition, message)


def missing_tools():
    return [tool for tool in TOOLS if not shutil.which(tool)] + xclient.missing_libraries()


def end_process(process, grace=5):
    """Asks `process` to end, and kills it if it has not within `grace` s."""
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(grace)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def wait_until(condition, timeout, what, interval=0.05):
    """Polls condition() until it returns something true; returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failed(f"gave up after {timeout} s waiting for {what}")
        time.sleep(interval)


class Screenshot:
    """One screenshot of the whole X screen, as RGB triples."""

    def __init__(self, ppm):
        # Binary PPM: "P6 <width> <height> <maxval>" then the pixels.
        fields = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", ppm)
        if not fields:
            raise Failed("import gave no PPM picture")
        self.width, self.height = int(fields.group(1)), int(fields.group(2))
        self.data = ppm[fields.end():]

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, rect, predicate):
        x, y, w, h = rect
        return sum(1 for py in range(max(y, 0), min(y + h, self.height))
                   for px in range(max(x, 0), min(x + w, self.width)) if predicate(self.pixel(px, py)))

    def region(self, rect):
        x, y, w, h = rect
        return bytes(b for py in range(y, y + h) for px in range(x, x + w) for b in self.pixel(px, py))

    def bounding_box(self, rect, predicate):
        x, y, w, h = rect
        hits = [(px, py) for py in range(y, y + h) for px in range(x, x + w) if predicate(self.pixel(px, py))]
        if not hits:
            return None
        xs, ys = [p[0] for p in hits], [p[1] for p in hits]
        return (min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1)


def near(colour, tolerance=40):
    """Predicate: a pixel within `tolerance` per channel of '#RRGGBB'."""
    want = tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))
    return lambda p: all(abs(a - b) <= tolerance for a, b in zip(p, want))


def is_red(p):
    return p[0] > 170 and p[1] < 100 and p[2] < 100


class Window:
    """A managed top-level window: client geometry on screen and frame extents."""

    def __init__(self, wid, name, x, y, width, height, frame, pid):
        self.id, self.name = wid, name
        self.x, self.y, self.width, self.height = x, y, width, height
        self.frame_left, self.frame_right, self.frame_top, self.frame_bottom = frame
        self.pid = pid

    @property
    def frame_origin(self):
        return (self.x - self.frame_left, self.y - self.frame_top)

    @property
    def close_box(self):  # the last button at the right of the title bar
        return (self.x + self.width - self.frame_top // 2, self.y - self.frame_top // 2)

    def __repr__(self):
        return (f"<window {self.id:#x} {self.name!r} client {self.width}x{self.height}+{self.x}+{self.y}"
                f" frame at {self.frame_origin}>")


DEBIAN_ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packaging", "linux", "debian-root.sh")


class Program:
    """The program that the journey launched, and the process group it runs in."""

    def __init__(self, desktop):
        self.d, self.process, self.group = desktop, None, None

    def launch(self, command, cwd, extra_env=None, platform="xcb"):
        """Starts the program; `platform` None leaves Qt's choice alone (the
        Windows build under Wine has one platform of its own)."""
        d = self.d
        env = dict(d.env, **(extra_env or {}))
        if platform:
            env["QT_QPA_PLATFORM"] = platform
        if d.root:
            # The program reaches the X server through its abstract socket,
            # which a root shares with the machine.
            inside = lambda value: value[len(d.root):] if value.startswith(d.root + "/") else value  # noqa: E731
            env = {key: inside(value) for key, value in env.items()}
            as_user = [] if d.user is None else \
                ["setpriv", f"--reuid={d.user}", f"--regid={d.user}", "--clear-groups", "--"]
            command = ["bash", DEBIAN_ROOT, "run", d.root, *as_user] + command
        # A group of its own, so that the desktop's close() also ends what it started.
        self.process = subprocess.Popen(command, cwd=cwd, env=env, stdout=d.log("program"),
                                        stderr=subprocess.STDOUT, start_new_session=True)
        d.processes.append(self.process)
        self.group = self.process.pid

    def adopt(self, pid):
        """Follows the program of process `pid`, which the launch handed on."""
        self.group = os.getpgid(pid)

    def output(self, lines=30):
        """The last lines the program wrote."""
        with open(os.path.join(self.d.artifacts, f"{self.d.name}-program.log"), errors="replace") as log:
            return "".join(log.readlines()[-lines:])

    def wait_ended(self, what):
        """Waits for the program to end by itself; its exit status."""
        wait_until(lambda: self.process.poll() is not None, PATIENCE, what)
        return self.process.returncode

    def alive(self):
        if self.process is None:
            return False
        if self.group == self.process.pid:
            return self.process.poll() is None
        try:
            os.killpg(self.group, 0)
            return True
        except ProcessLookupError:
            return False

    def launched(self, pid):
        """In the group: the program itself, or the Windows program that Wine's loader started."""
        try:
            return pid is not None and os.getpgid(pid) == self.group
        except ProcessLookupError:
            return False


class Screen:
    """The X server and the program's windows; screenshots show Xvfb's (weston's output)."""

    def __init__(self, desktop):
        self.d, self.ping = desktop, None  # the ping's connection, once the desktop is open

    def start(self, authority):
        """Starts Xvfb; returns its display."""
        d = self.d
        # -noreset: or the server starts over whenever its last client leaves.
        read_end, write_end = os.pipe()
        # A scaled screen has as many more pixels, as a school's laptop has.
        size = f"{round(1024 * d.scale)}x{round(768 * d.scale)}x24"
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-nolisten", "tcp",
             "-noreset", "-auth", authority] + ["-dpi", "120"] * d.bare,
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=d.log("Xvfb"))
        os.close(write_end)
        with os.fdopen(read_end) as display_pipe:
            number = display_pipe.readline().strip()
        if not number:
            xvfb.wait()
            raise Failed(f"Xvfb ended with status {xvfb.returncode} before it opened a display")
        d.processes.append(xvfb)
        return ":" + number

    def run(self, *command, check=False):
        """Runs an X tool (xdotool, xprop, xwininfo); returns what it printed."""
        done = subprocess.run(command, env=self.d.env, capture_output=True, timeout=PATIENCE)
        if check and done.returncode != 0:
            raise Failed(f"{' '.join(command)} failed: {done.stderr.decode(errors='replace')}")
        return done.stdout.decode(errors="replace")

    def answers(self, *command):
        return subprocess.run(command, env=self.d.env, capture_output=True, timeout=PATIENCE).returncode == 0

    def shot(self):
        return Screenshot(subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.d.screen_env,
                                         capture_output=True, timeout=PATIENCE, check=True).stdout)

    def save_shot(self, label):
        path = os.path.join(self.d.artifacts, f"{self.d.name}-{label}.png")
        subprocess.run(["import", "-window", "root", path], env=self.d.screen_env, capture_output=True,
                       timeout=PATIENCE)
        return path

    def wait_for(self, condition, what, timeout=PATIENCE):
        """Waits until condition(screenshot) holds on a fresh screenshot."""
        return wait_until(lambda: condition(self.shot()), timeout, what, 0.15)

    def read_text(self, rect, language="eng"):
        """The text shown in a rectangle of the screen, read by OCR."""
        x, y, w, h = rect
        picture = os.path.join(self.d.scratch.name, "read.png")
        # Letters read best at about four times their unscaled size.
        subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "-resize",
                        f"{round(400 / self.d.scale)}%", "-colorspace", "Gray", picture], env=self.d.screen_env,
                       check=True, timeout=PATIENCE)
        done = subprocess.run(["tesseract", "-l", language, picture, "-"], capture_output=True, timeout=PATIENCE)
        return done.stdout.decode(errors="replace").strip()

    def windows(self):
        """The program's windows that are on screen, in stacking order."""
        if not self.d.program.alive():
            return []
        shown = (self.window(wid) for wid in self.d.setting.client_windows(self))
        return [window for window in shown if window and self.d.program.launched(window.pid)]

    def wait_first_windows(self, timeout=PATIENCE):
        """The program's first windows, and when the quickest look found one."""
        seen = wait_until(lambda: self.d.setting.client_windows(self) and time.monotonic(), timeout,
                          "the first window of the program", 0.02)
        return wait_until(self.windows, timeout, "the first window of the program to be read", 0.02), seen

    def window(self, wid):
        info = self.run("xwininfo", "-id", str(wid))
        if "Map State: IsViewable" not in info:
            return None
        number = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
        props = self.run("xprop", "-id", str(wid), "-notype", "_NET_WM_NAME", "_NET_FRAME_EXTENTS", "_NET_WM_PID")
        name = re.search(r'_NET_WM_NAME = "(.*)"', props)
        x, y = number("Absolute upper-left X"), number("Absolute upper-left Y")
        frame = self.d.setting.frame(self, wid, x, y, props)
        if frame is None:
            return None
        pid = re.search(r"_NET_WM_PID = (\d+)", props)
        return Window(wid, name.group(1) if name else "", x, y, number("Width"), number("Height"), frame,
                      int(pid.group(1)) if pid else None)

    def window_named(self, name):
        return next((w for w in self.windows() if w.name == name), None)

    def wait_window(self, name, timeout=PATIENCE):
        return wait_until(lambda: self.window_named(name), timeout, f'the window "{name}"', 0.1)

    def wait_gone(self, window, timeout=PATIENCE):
        wait_until(lambda: all(w.id != window.id for w in self.windows()), timeout,
                   f'the window "{window.name}" to close', 0.1)

    def wait_active(self, window, timeout=PATIENCE):
        """Waits until `window` has the keyboard focus."""
        wait_until(lambda: self.active() == window.id, timeout, f'the window "{window.name}" to take the keyboard', 0.1)

    def settle(self, window, timeout=PATIENCE):
        """Waits until `window` has the keyboard and its program has taken
        that in: two pings answered (docs/testing.md tells why two)."""
        self.wait_active(window, timeout)
        for _ in range(2):
            serial = self.ping.send(window.id)
            wait_until(lambda: self.ping.answered(serial), timeout, f'"{window.name}" to answer a ping', 0.01)

    def ids(self, pattern, *command):
        """The window ids that `pattern` finds in what an X tool printed."""
        return [int(wid, 16) for wid in re.findall(pattern, self.run(*command), re.M)]

    def active(self):
        """The window that the window manager reports active, or None."""
        return (self.ids(r"window id # (0x[0-9a-f]+)", "xprop", "-root", "_NET_ACTIVE_WINDOW") or [None])[0]

    def parent(self, wid):
        return (self.ids(r"Parent window id: (0x[0-9a-f]+)", "xwininfo", "-tree", "-id", str(wid)) or [0])[0]


class Keyboard:
    """Keys pressed by xdotool; text typed key by key as a pupil types, by `typist` (xclient.py)."""

    def __init__(self, desktop):
        self.d, self.typist = desktop, None

    def press(self, *keys):
        self.d.screen.run("xdotool", "key", "--clearmodifiers", *keys, check=True)

    def type(self, text):  # into the window that has the keyboard
        self.typist.type(text)

    def press_until(self, keys, done, what):
        """Presses `keys`, and again every few seconds, as a pupil would,
        until done() returns something true; returns that."""
        next_press = 0

        def pressed():
            nonlocal next_press
            value = done()
            if not value and time.monotonic() >= next_press:
                self.press(*keys)
                next_press = time.monotonic() + ASK_AGAIN_AFTER
            return value
        return wait_until(pressed, PATIENCE, what)


class Clipboard:
    """The X clipboard, held by the journey (`owner`, xclient.py) or the program; xclip reads it."""

    def __init__(self, desktop):
        self.d, self.owner = desktop, None

    def hold(self, text):
        """Takes the clipboard with `text`; it never stands empty between two."""
        previous, self.owner = self.owner, xclient.ClipboardOwner(self.d.env, text)
        if previous:
            previous.close()
        return self.owner

    def copy(self):
        """Ctrl+A and Ctrl+C in the box that has the keyboard: the text that
        the program copied, never an earlier copy."""
        self.hold("")
        return self.d.keyboard.press_until(("ctrl+a", "ctrl+c"), self.text, "the program to copy the text of its box")

    def text(self):
        """The clipboard's text; None while the journey still holds it, or
        while its owner leaves the request unanswered."""
        if self.owner and self.owner.holds():
            return None
        try:
            return subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.d.env, capture_output=True,
                                  timeout=ASK_AGAIN_AFTER * 2).stdout.decode(errors="replace")
        except subprocess.TimeoutExpired:
            return None


class Pointer:
    """The X pointer, which xdotool moves and presses as a mouse; its `shape` (xclient.py) shows a drag."""

    def __init__(self, desktop):
        self.d, self.shape = desktop, None

    def on(self, window):  # the mouse points anywhere on the screen
        return self

    def move(self, point):
        self.d.screen.run("xdotool", "mousemove", "--sync", *map(str, point), check=True)

    def down(self, point):  # where the pointer was moved to
        self.d.screen.run("xdotool", "mousedown", "1", check=True)

    def up(self):
        self.d.screen.run("xdotool", "mouseup", "1", check=True)

    def click(self, point, button=1):
        self.d.screen.run("xdotool", "mousemove", "--sync", *map(str, point), "click", str(button), check=True)

    def tap(self, window, point):
        self.click(point)

    def drag(self, start, end, hand):
        """A real drag by `hand`, the mouse or a finger (docs/testing.md)."""
        shape = self.shape

        def stir_until(point, condition, what):
            stir = 0

            def stirred():
                nonlocal stir
                if condition(shape.now()):
                    return True
                stir ^= 1
                hand.move((point[0] + stir, point[1]))
                return False
            return wait_until(stirred, PATIENCE, what, 0.1)

        hand.move(start)
        # Qt shows the drag's shape until it has read the last release.
        wait_until(lambda: shape.now()[3] not in shape.DRAGGING, PATIENCE, "the last drag to end")
        before = shape.now()
        hand.down(start)
        stir_until(start, lambda now: shape.began_drag(now, since=before), f"a drag to begin from {start}")
        over_start = shape.now()
        hand.move(end)
        stir_until(end, lambda now: shape.shows_target(now, since=over_start),
                   f"the pointer to show that {end} takes the drop")
        hand.up()

    def park(self, point):
        """Puts the pointer at `point`, where it may be already (no --sync)."""
        def there():
            self.d.screen.run("xdotool", "mousemove", *map(str, point), check=True)
            return re.match(r"x:(\d+) y:(\d+)", self.d.screen.run("xdotool", "getmouselocation")).groups() == \
                tuple(map(str, point))
        wait_until(there, PATIENCE, f"the pointer to rest at {point}")


class Desktop:
    """Owns the desktop's parts (screen, program, keyboard, clipboard, pointer) and the processes it started."""

    def __init__(self, artifacts, name, setting, scale=1, root=None, user=None, bare=False):
        """`root`: a Debian root (packaging/linux/debian-root.sh) in which the program
        is installed and started, as root or as `user` (an id); the
        desktop's own files (its X authority, the home folder) are made
        inside it, where the program sees them, and are that user's. A
        `bare` desktop announces no scale, on a monitor of 120 dpi."""
        self.artifacts, self.name, self.setting, self.scale, self.root = artifacts, name, setting, scale, root
        self.user, self.bare = user, bare
        self.scratch = tempfile.TemporaryDirectory(prefix="zartex-e2e-", dir=root and os.path.join(root, "tmp"))
        self.processes, self.env, self.screen_env = [], None, None
        self.screen, self.program, self.keyboard, self.clipboard, self.pointer = \
            Screen(self), Program(self), Keyboard(self), Clipboard(self), Pointer(self)

    def open(self):
        home = os.path.join(self.scratch.name, "home")
        os.makedirs(home)
        runtime = os.path.join(self.scratch.name, "xdg-runtime")
        os.makedirs(runtime, mode=0o700)
        authority = os.path.join(self.scratch.name, "Xauthority")
        open(authority, "w").close()
        display = self.retry("the X server", lambda: self.screen.start(authority))
        subprocess.run(["xauth", "-q", "-f", authority, "add", display, ".", secrets.token_hex(16)], check=True)
        if self.user is not None:
            for path in (self.scratch.name, home, runtime, authority):
                os.chown(path, self.user, self.user)
        self.env = dict(os.environ, DISPLAY=display, XAUTHORITY=authority, HOME=home, LC_ALL="C.UTF-8",
                        XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(home, ".config"))
        for key in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER"):
            self.env.pop(key, None)
        wait_until(lambda: self.screen.answers("xprop", "-root"), PATIENCE, "the X server to answer")
        # Screenshots show what the X server shows: weston's output, when it runs.
        self.screen_env = self.env
        self.setting.start_session(self, home)
        subprocess.run(["setxkbmap", *KEYBOARD_LAYOUTS], env=self.env, check=True, timeout=PATIENCE)
        # A desktop announces its DPI, as GNOME, KDE and Xfce do; a bare window
        # manager or a kiosk session does not.
        if not self.bare:
            subprocess.run(["xrdb", "-merge"], input=f"Xft.dpi: {round(96 * self.scale)}\n".encode(), env=self.env,
                           check=True, timeout=PATIENCE)
        self.keyboard.typist, self.pointer.shape = xclient.Keyboard(self.env), xclient.PointerShape(self.env)
        self.screen.ping = xclient.Ping(self.env)
        return self

    def retry(self, what, start, attempts=3):
        """Starts something whose start can lose a race with a loaded machine."""
        for attempt in range(1, attempts + 1):
            try:
                return start()
            except Failed as failure:
                if attempt == attempts:
                    raise
                print(f"starting {what} failed ({failure}); retrying, attempt {attempt + 1} of {attempts}",
                      flush=True)

    def close(self):
        for connection in (self.clipboard.owner, self.pointer.shape, self.screen.ping, self.keyboard.typist):
            if connection:
                connection.close()
        # The program first, then the window manager, then the X server.
        for process in reversed(self.processes):
            if process is self.program.process:
                for group in {process.pid, self.program.group}:
                    try:
                        os.killpg(group, signal.SIGTERM)
                    except ProcessLookupError:
                        pass
            end_process(process)
        self.processes.clear()
        self.scratch.cleanup()

    def log(self, what, mode="w"):
        os.makedirs(self.artifacts, exist_ok=True)
        return open(os.path.join(self.artifacts, f"{self.name}-{what}.log"), mode)
