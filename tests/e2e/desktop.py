"""A throw-away X desktop (Xvfb and the session of the journey's setting)
on which a journey runs the program, points with xdotool, types through
XTest (xclient.py) and reads the screen back with ImageMagick's `import`.
close() stops everything it started."""
import os
import re
import secrets
import shutil
import signal
import subprocess
import tempfile
import time

from xclient import ClipboardOwner, Keyboard, Ping, PointerShape, missing_libraries

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
    return [tool for tool in TOOLS if not shutil.which(tool)] + missing_libraries()


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


class Screen:
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

    def __repr__(self):
        return (f"<window {self.id:#x} {self.name!r} client {self.width}x{self.height}+{self.x}+{self.y}"
                f" frame at {self.frame_origin}>")


DEBIAN_ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packaging", "linux", "debian-root.sh")


class Mouse:
    """The X server's pointer, moved and pressed by xdotool. Its moves wait
    until the X server has put the pointer there."""

    def __init__(self, desktop):
        self.d = desktop

    def on(self, window):
        return self

    def move(self, point):
        self.d.x("xdotool", "mousemove", "--sync", str(point[0]), str(point[1]), check=True)

    def down(self, point):  # where the pointer was moved to
        self.d.x("xdotool", "mousedown", "1", check=True)

    def up(self):
        self.d.x("xdotool", "mouseup", "1", check=True)

    def tap(self, window, point):
        self.d.click(*point)


class Desktop:
    def __init__(self, artifacts, name, setting, scale=1, root=None, user=None, bare=False):
        """`root`: a Debian root (tools/debian-root.sh) in which the program
        is installed and started, as root or as `user` (an id); the
        desktop's own files (its X authority, the home folder) are made
        inside it, where the program sees them, and are that user's. A
        `bare` desktop announces no scale, on a monitor of 120 dpi."""
        self.artifacts, self.name, self.setting, self.scale, self.root = artifacts, name, setting, scale, root
        self.user, self.bare = user, bare
        self.scratch = tempfile.TemporaryDirectory(prefix="zartex-e2e-", dir=root and os.path.join(root, "tmp"))
        self.processes = []
        self.env = self.screen_env = self.program = self.pointer = self.pinger = self.keyboard = None
        self.clipboard_owner = None

    # ----- life cycle -------------------------------------------------------

    def open(self):
        home = os.path.join(self.scratch.name, "home")
        os.makedirs(home)
        runtime = os.path.join(self.scratch.name, "xdg-runtime")
        os.makedirs(runtime, mode=0o700)
        authority = os.path.join(self.scratch.name, "Xauthority")
        open(authority, "w").close()
        display = self.retry("the X server", lambda: self._start_xvfb(authority))
        subprocess.run(["xauth", "-q", "-f", authority, "add", display, ".", secrets.token_hex(16)], check=True)
        if self.user is not None:
            for path in (self.scratch.name, home, runtime, authority):
                os.chown(path, self.user, self.user)
        self.env = dict(os.environ, DISPLAY=display, XAUTHORITY=authority, HOME=home, LC_ALL="C.UTF-8",
                        XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(home, ".config"))
        for key in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER"):
            self.env.pop(key, None)
        wait_until(lambda: self.answers("xprop", "-root"), PATIENCE, "the X server to answer")
        # Screenshots show what the X server shows: weston's output, when it runs.
        self.screen_env = self.env
        self.setting.start_session(self, home)
        subprocess.run(["setxkbmap", *KEYBOARD_LAYOUTS], env=self.env, check=True, timeout=PATIENCE)
        # A desktop announces its DPI, as GNOME, KDE and Xfce do; a bare window
        # manager or a kiosk session does not.
        if not self.bare:
            subprocess.run(["xrdb", "-merge"], input=f"Xft.dpi: {round(96 * self.scale)}\n".encode(), env=self.env,
                           check=True, timeout=PATIENCE)
        self.keyboard = Keyboard(self.env)
        self.pointer = PointerShape(self.env)
        self.pinger = Ping(self.env)
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

    def _start_xvfb(self, authority):
        # -noreset: or the server starts over whenever its last client leaves.
        read_end, write_end = os.pipe()
        # A scaled screen has as many more pixels, as a school's laptop has.
        size = f"{round(1024 * self.scale)}x{round(768 * self.scale)}x24"
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-nolisten", "tcp",
             "-noreset", "-auth", authority] + ["-dpi", "120"] * self.bare,
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=self.log("Xvfb"))
        os.close(write_end)
        with os.fdopen(read_end) as display_pipe:
            number = display_pipe.readline().strip()
        if not number:
            xvfb.wait()
            raise Failed(f"Xvfb ended with status {xvfb.returncode} before it opened a display")
        self.processes.append(xvfb)
        return ":" + number

    def answers(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, timeout=PATIENCE).returncode == 0

    def close(self):
        for connection in (self.clipboard_owner, self.pointer, self.pinger, self.keyboard):
            if connection:
                connection.close()
        self.clipboard_owner = self.pointer = self.pinger = self.keyboard = None
        # The program first, then the window manager, then the X server.
        for process in reversed(self.processes):
            if process is self.program:
                for group in {process.pid, self.group}:
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

    # ----- the program ------------------------------------------------------

    def launch(self, command, cwd, extra_env=None, platform="xcb"):
        """Starts the program; `platform` None leaves Qt's choice alone (the
        Windows build under Wine has one platform of its own)."""
        env = dict(self.env, **(extra_env or {}))
        if platform:
            env["QT_QPA_PLATFORM"] = platform
        if self.root:
            # The program reaches the X server through its abstract socket,
            # which a root shares with the machine.
            inside = lambda value: value[len(self.root):] if value.startswith(self.root + "/") else value  # noqa: E731
            env = {key: inside(value) for key, value in env.items()}
            as_user = [] if self.user is None else \
                ["setpriv", f"--reuid={self.user}", f"--regid={self.user}", "--clear-groups", "--"]
            command = ["bash", DEBIAN_ROOT, "run", self.root, *as_user] + command
        # A group of its own, so that close() also ends what it started.
        self.program = subprocess.Popen(command, cwd=cwd, env=env, stdout=self.log("program"),
                                        stderr=subprocess.STDOUT, start_new_session=True)
        self.processes.append(self.program)
        self.group = self.program.pid
        self.started = time.monotonic()
        return self.program

    def adopt(self, pid):
        """Follows the program of process `pid`, which the launch handed on."""
        self.group = os.getpgid(pid)

    def program_output(self, lines=30):
        """The last lines the program wrote."""
        with open(os.path.join(self.artifacts, f"{self.name}-program.log"), errors="replace") as log:
            return "".join(log.readlines()[-lines:])

    def program_alive(self):
        if self.program is None:
            return False
        if self.group == self.program.pid:
            return self.program.poll() is None
        try:
            os.killpg(self.group, 0)
            return True
        except ProcessLookupError:
            return False

    # ----- X tools ----------------------------------------------------------

    def x(self, *command, check=False):
        done = subprocess.run(command, env=self.env, capture_output=True, timeout=PATIENCE)
        if check and done.returncode != 0:
            raise Failed(f"{' '.join(command)} failed: {done.stderr.decode(errors='replace')}")
        return done.stdout.decode(errors="replace")

    def screen(self):
        return Screen(subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.screen_env,
                                     capture_output=True, timeout=PATIENCE, check=True).stdout)

    def save_screenshot(self, label):
        path = os.path.join(self.artifacts, f"{self.name}-{label}.png")
        subprocess.run(["import", "-window", "root", path], env=self.screen_env, capture_output=True, timeout=PATIENCE)
        return path

    def windows(self):
        """The program's windows that are on screen, in stacking order."""
        if not self.program_alive():
            return []
        found = []
        for wid in self._client_windows():
            window = self.window(wid)
            if window and self._launched(window.pid):
                found.append(window)
        return found

    def wait_first_windows(self, timeout=PATIENCE):
        """The program's first windows, and when the quickest look found one."""
        seen = wait_until(lambda: self._client_windows() and time.monotonic(), timeout,
                          "the first window of the program", 0.02)
        return wait_until(self.windows, timeout, "the first window of the program to be read", 0.02), seen

    def _client_windows(self):
        return self.setting.client_windows(self)

    def _launched(self, pid):
        # Whatever the launch started is in its process group: the program
        # itself, or the Windows program that Wine's loader started.
        try:
            return pid is not None and os.getpgid(pid) == self.group
        except ProcessLookupError:
            return False

    def window(self, wid):
        info = self.x("xwininfo", "-id", str(wid))
        if "Map State: IsViewable" not in info:
            return None
        number = lambda label: int(re.search(label + r":\s+(-?\d+)", info).group(1))
        props = self.x("xprop", "-id", str(wid), "-notype", "_NET_WM_NAME", "_NET_FRAME_EXTENTS", "_NET_WM_PID")
        name = re.search(r'_NET_WM_NAME = "(.*)"', props)
        x, y = number("Absolute upper-left X"), number("Absolute upper-left Y")
        frame = self.setting.frame(self, wid, x, y, props)
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
            serial = self.pinger.send(window.id)
            wait_until(lambda: self.pinger.answered(serial), timeout, f'"{window.name}" to answer a ping', 0.01)

    def active(self):
        """The window that the window manager reports active, or None."""
        found = re.search(r"window id # (0x[0-9a-f]+)", self.x("xprop", "-root", "_NET_ACTIVE_WINDOW"))
        return int(found.group(1), 16) if found else None

    def parent(self, wid):
        found = re.search(r"Parent window id: (0x[0-9a-f]+)", self.x("xwininfo", "-tree", "-id", str(wid)))
        return int(found.group(1), 16) if found else 0

    def wait_screen(self, condition, what, timeout=PATIENCE):
        """Waits until condition(screen) holds on a fresh screenshot."""
        return wait_until(lambda: condition(self.screen()), timeout, what, 0.15)

    # ----- pointer and keyboard ---------------------------------------------

    def click(self, x, y):
        self.x("xdotool", "mousemove", "--sync", str(x), str(y), "click", "1", check=True)

    def drag(self, start, end, hand):
        """A real drag by `hand`, the mouse or a finger (docs/testing.md)."""
        pointer = self.pointer

        def stir_until(point, condition, what):
            stir = 0

            def stirred():
                nonlocal stir
                if condition(pointer.now()):
                    return True
                stir ^= 1
                hand.move((point[0] + stir, point[1]))
                return False
            return wait_until(stirred, PATIENCE, what, 0.1)

        hand.move(start)
        # Qt shows the drag's shape until it has read the last release.
        wait_until(lambda: pointer.now()[3] not in pointer.DRAGGING, PATIENCE, "the last drag to end")
        before = pointer.now()
        hand.down(start)
        stir_until(start, lambda shape: pointer.began_drag(shape, since=before), f"a drag to begin from {start}")
        over_start = pointer.now()
        hand.move(end)
        stir_until(end, lambda shape: pointer.shows_target(shape, since=over_start),
                   f"the pointer to show that {end} takes the drop")
        hand.up()

    def park_pointer(self, point):
        """Puts the pointer at `point`, where it may be already (no --sync)."""
        def there():
            self.x("xdotool", "mousemove", str(point[0]), str(point[1]), check=True)
            return re.match(r"x:(\d+) y:(\d+)", self.x("xdotool", "getmouselocation")).groups() == \
                (str(point[0]), str(point[1]))
        wait_until(there, PATIENCE, f"the pointer to rest at {point}")

    def key(self, *keys):
        self.x("xdotool", "key", "--clearmodifiers", *keys, check=True)

    def type(self, text):
        """Types `text` into the window that has the keyboard, as a pupil does."""
        self.keyboard.type(text)

    def read_text(self, rect, language="eng"):
        """The text shown in a rectangle of the screen, read by OCR."""
        x, y, w, h = rect
        picture = os.path.join(self.scratch.name, "read.png")
        # Letters read best at about four times their unscaled size.
        subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "-resize", f"{round(400 / self.scale)}%",
                        "-colorspace", "Gray", picture], env=self.screen_env, check=True, timeout=PATIENCE)
        done = subprocess.run(["tesseract", "-l", language, picture, "-"], capture_output=True, timeout=PATIENCE)
        return done.stdout.decode(errors="replace").strip()

    def hold_clipboard(self, text):
        """Takes the X clipboard with `text`; it never stands empty between two."""
        previous, self.clipboard_owner = self.clipboard_owner, ClipboardOwner(self.env, text)
        if previous:
            previous.close()
        return self.clipboard_owner

    def copy(self):
        """Ctrl+A and Ctrl+C in the box that has the keyboard: the text that
        the program copied, never an earlier copy."""
        self.hold_clipboard("")
        return self.press_until(("ctrl+a", "ctrl+c"), self.clipboard, "the program to copy the text of its box")

    def press_until(self, keys, done, what):
        """Presses `keys`, and again every few seconds, as a pupil would,
        until done() returns something true; returns that."""
        next_press = 0

        def pressed():
            nonlocal next_press
            value = done()
            if not value and time.monotonic() >= next_press:
                self.key(*keys)
                next_press = time.monotonic() + ASK_AGAIN_AFTER
            return value
        return wait_until(pressed, PATIENCE, what)

    def clipboard(self):
        """The clipboard's text; None while the journey still holds it, or
        while its owner leaves the request unanswered."""
        if self.clipboard_owner and self.clipboard_owner.holds():
            return None
        try:
            return subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env, capture_output=True,
                                  timeout=ASK_AGAIN_AFTER * 2).stdout.decode(errors="replace")
        except subprocess.TimeoutExpired:
            return None
