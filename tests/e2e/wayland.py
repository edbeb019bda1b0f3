#!/usr/bin/env python3
"""Зартекс in a Wayland session, as GNOME and KDE start them by default.

    wayland.py --program BUILD/zartex --workdir assets/runtime --source . \
               --artifacts BUILD/e2e-artifacts

A headless weston with XWayland stands in for the desktop; no platform is
chosen for the program (no QT_QPA_PLATFORM), as a pupil's menu starts it.

- With DISPLAY set, the program runs through XWayland, so the main form
  comes up at its designed place, as weston's scene graph shows it.
- With DISPLAY naming an X server that does not exist, it falls back to
  Wayland and runs natively: its main form is an xdg_toplevel.

Exit status 0 passed, 1 failed, 77 skipped (weston, weston-debug or
Xwayland is missing).
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from designed import DesignedForm  # noqa: E402
from desktop import JourneyFailed as Failed, end_process, wait_until  # noqa: E402

SKIPPED = 77
TOOLS = ("weston", "weston-debug", "Xwayland")
# weston 10 draws a shadow this wide around the frames of X11 windows; the
# scene graph gives the view's position with the shadow.
X11_SHADOW = 32
VIEW = re.compile(r"View \d+ \(role (?P<role>[^,]+), PID \d+, surface ID \d+, "
                  r"top-level window '(?P<title>.*?)'.*?\):\n\s+position: \((?P<x>-?\d+), (?P<y>-?\d+)\)")


def unused_x_display():
    """A display number that no X server here listens on."""
    number = 1000
    while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
        number += 1
    return f":{number}"


class Session:
    """A headless weston with XWayland, and the program started in it."""

    def __init__(self, args):
        self.args = args
        self.scratch = tempfile.TemporaryDirectory(prefix="zartex-wayland-")
        self.runtime = os.path.join(self.scratch.name, "runtime")
        os.makedirs(self.runtime, mode=0o700)
        self.socket = f"zartex-{os.getpid()}"
        self.weston_log = os.path.join(self.scratch.name, "weston.log")
        self.processes = []
        self.display = None

    def _env(self, **extra):
        env = dict(os.environ, XDG_RUNTIME_DIR=self.runtime, HOME=self.scratch.name, LC_ALL="C.UTF-8",
                   WAYLAND_DISPLAY=self.socket, **extra)
        for key in ("QT_QPA_PLATFORM", "XAUTHORITY", "DISPLAY", "SESSION_MANAGER"):
            if key not in extra:
                env.pop(key, None)
        return env

    def open(self):
        # XWayland's socket goes there; a fresh machine may not have it yet.
        if not os.path.isdir("/tmp/.X11-unix"):
            os.makedirs("/tmp/.X11-unix", exist_ok=True)
            os.chmod("/tmp/.X11-unix", 0o1777)
        self.processes.append(subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--xwayland", "--use-pixman", "--debug", "--idle-time=0",
             "--no-config", f"--socket={self.socket}", "--width=1024", "--height=768", f"--log={self.weston_log}"],
            env=self._env(), stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT))

        def listening():
            if self.processes[0].poll() is not None:
                raise Failed(f"weston ended with status {self.processes[0].returncode}")
            try:
                with open(self.weston_log, encoding="utf-8", errors="replace") as log:
                    found = re.search(r"xserver listening on display (:\d+)", log.read())
            except FileNotFoundError:
                return None
            return found and os.path.exists(os.path.join(self.runtime, self.socket)) and found.group(1)
        self.display = wait_until(listening, 60, "weston's Wayland socket and its XWayland display", 0.1)
        return self

    def start(self, display):
        program = subprocess.Popen([self.args.program], cwd=self.args.workdir,
                                   env=self._env(DISPLAY=display, XDG_SESSION_TYPE="wayland"),
                                   stdout=self._log("program"), stderr=subprocess.STDOUT)
        self.processes.append(program)
        return program

    def stop(self, program):
        end_process(program, grace=10)
        self.processes.remove(program)

    def scene_graph(self):
        done = subprocess.run(["weston-debug", "scene-graph"], env=self._env(), capture_output=True, timeout=30)
        return done.stdout.decode(errors="replace")

    def view(self, program, title):
        """The view of the program's window titled `title`, once it is up."""
        if program.poll() is not None:
            raise Failed(f"the program ended with status {program.returncode}")
        # An X11 window's view carries no PID of the program; the title
        # tells, and one program at a time runs.
        return next((m for m in VIEW.finditer(self.scene_graph()) if m.group("title") == title), None)

    def _log(self, what):
        os.makedirs(self.args.artifacts, exist_ok=True)
        return open(os.path.join(self.args.artifacts, f"wayland-{what}.log"), "w")

    def close(self):
        for process in reversed(self.processes):
            end_process(process, grace=10)
        if os.path.exists(self.weston_log):
            shutil.copy(self.weston_log, os.path.join(self.args.artifacts, "wayland-weston.log"))
        self.scratch.cleanup()


def journey(session, args):
    main_form = DesignedForm(args.source, "MainWindow")
    left = int(main_form.root.find("property[@name='designedLeft']/number").text)
    top = int(main_form.root.find("property[@name='designedTop']/number").text)

    # XWayland is there: the program goes through it and keeps its layout.
    program = session.start(session.display)
    seen = []

    def at_designed_place():
        view = session.view(program, main_form.caption)
        if not view:
            return None
        if view.group("role") == "xdg_toplevel":
            raise Failed("with an X server reachable the program still chose Wayland")
        seen.append((int(view.group("x")) + X11_SHADOW, int(view.group("y")) + X11_SHADOW))
        return abs(seen[-1][0] - left) <= 1 and abs(seen[-1][1] - top) <= 1
    try:
        wait_until(at_designed_place, 90, f"the main form at its designed place ({left}, {top}) in weston's "
                   f"scene graph", 0.25)
    except Failed as failure:
        raise Failed(f"{failure}; last seen at {seen[-1]}" if seen else str(failure)) from None
    print(f"through XWayland: the main form at {seen[-1]}")
    session.stop(program)
    wait_until(lambda: all(m.group("title") != main_form.caption for m in VIEW.finditer(session.scene_graph())),
               30, "the first program's main form to go", 0.25)

    # DISPLAY names no X server: the program falls back to Wayland.
    program = session.start(unused_x_display())
    view = wait_until(lambda: session.view(program, main_form.caption), 90,
                      "the main form as a native Wayland window", 0.25)
    if view.group("role") != "xdg_toplevel":
        raise Failed(f"the main form's role is {view.group('role')}, not xdg_toplevel")
    print("natively on Wayland: the main form is up")
    session.stop(program)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True)
    parser.add_argument("--workdir", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--artifacts", required=True)
    args = parser.parse_args()
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    if missing:
        print(f"SKIPPED: {', '.join(missing)} not installed (bash tools/test.sh installs them)")
        return SKIPPED
    session = Session(args)
    try:
        journey(session.open(), args)
    except Failed as failure:
        print(f"wayland: FAILED: {failure}\nweston's log: {os.path.join(args.artifacts, 'wayland-weston.log')}")
        try:
            print(session.scene_graph())
        except (OSError, subprocess.SubprocessError):
            pass
        return 1
    finally:
        session.close()
    print("wayland: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
