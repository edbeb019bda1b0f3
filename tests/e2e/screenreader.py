"""The Orca screen reader on a journey's desktop, on a private D-Bus session
and accessibility bus, speaking nowhere: what it would have said is read
from its debug file. Start the program after open(), in the environment
that it returns."""
import os
import re
import signal
import subprocess

from desktop import PATIENCE, Failed, wait_until

SYSTEM_PYTHON = "/usr/bin/python3"  # the pyatspi bindings live there
ORCA = "/usr/bin/orca"
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
TOOLS = (SYSTEM_PYTHON, ORCA, BUS_LAUNCHER, "/usr/bin/dbus-daemon")
LOCALE = "ru_RU.UTF-8"

# Orca writes its debug file through a plain open(); run it with that file
# line-buffered, or the last utterances sit in Python's buffer.
ORCA_LINE_BUFFERED = """
import builtins, sys
debug_file = sys.argv[1]
plain_open = builtins.open
def line_buffered_open(file, mode="r", *args, **kwargs):
    if file == debug_file and "w" in mode:
        return plain_open(file, mode, buffering=1, encoding="utf-8")
    return plain_open(file, mode, *args, **kwargs)
builtins.open = line_buffered_open
sys.argv = [sys.argv[0], "--debug-file", debug_file] + sys.argv[2:]
exec(compile(plain_open(%r).read(), %r, "exec"))
""" % (ORCA, ORCA)

SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)' ?\{'established", re.S)


def missing():
    """What the screen reader needs and this machine lacks."""
    gone = [tool for tool in TOOLS if not os.access(tool, os.X_OK)]
    if not gone and subprocess.run([SYSTEM_PYTHON, "-c", "import pyatspi"], capture_output=True).returncode:
        gone.append("pyatspi")
    locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower().split()
    if "ru_ru.utf8" not in locales:
        gone.append(f"the {LOCALE} locale")
    return gone


class ScreenReader:
    def __init__(self, desktop):
        self.d = desktop
        self.orca = None
        self.debug_file = os.path.join(desktop.scratch.name, "orca-debug.out")
        self.heard = 0  # utterances already matched by expect()
        self._said = []  # utterances read from the debug file so far
        self._read_up_to = 0  # bytes of the debug file read
        self._unfinished = ""  # the debug file's text after its last whole utterance

    def open(self):
        """Starts the buses and Orca; returns the environment for the program."""
        # Russian roles need the Russian locale; speech itself goes nowhere.
        env = dict(self.d.env, LANG=LOCALE, LC_ALL=LOCALE, LANGUAGE="ru", SPEECHD_CMD="/bin/false")
        for key in list(env):
            if key.startswith("PYENV") or key in ("PYTHONPATH", "PYTHONHOME", "DBUS_SESSION_BUS_ADDRESS",
                                                 "AT_SPI_BUS_ADDRESS"):
                env.pop(key)
        read_end, write_end = os.pipe()
        # The buses go down with the desktop, after the program.
        self.d.processes.append(subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", f"--print-address={write_end}"],
            pass_fds=(write_end,), env=env, stdout=subprocess.DEVNULL, stderr=self.d.log("dbus")))
        os.close(write_end)
        with os.fdopen(read_end) as address_pipe:
            address = address_pipe.readline().strip()
        if not address:
            raise Failed("the private D-Bus session did not start")
        env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.d.processes.append(subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=env,
                                               stdout=subprocess.DEVNULL, stderr=self.d.log("at-spi")))
        wait_until(lambda: self._bus_ready(env), PATIENCE, "the accessibility bus to come up", 0.2)
        others = subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True,
                                text=True).stdout.split()
        if others:
            raise Failed(f"another Orca of this user runs (pids {others}); Orca will not start beside it")
        self.orca = subprocess.Popen([SYSTEM_PYTHON, "-c", ORCA_LINE_BUFFERED, self.debug_file], env=env,
                                     stdout=self.d.log("orca"), stderr=subprocess.STDOUT,
                                     cwd=env["HOME"], start_new_session=True)
        wait_until(lambda: "ORCA: Starting registry" in self._debug_text() or self.orca.poll() is not None, 60,
                   "Orca to start listening (\"Starting registry\" in its debug file)", 0.2)
        if self.orca.poll() is not None:
            raise Failed(f"Orca ended with status {self.orca.returncode} before it was ready")
        return dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")

    def close(self):
        # Orca ignores SIGTERM while idle: end it with SIGKILL, by its own id.
        if self.orca and self.orca.poll() is None:
            self.orca.send_signal(signal.SIGKILL)
            self.orca.wait()
        # What was said stays beside the journey's other logs.
        with self.d.log("spoken") as transcript:
            transcript.writelines(line + "\n" for line in self.spoken())

    def _bus_ready(self, env):
        done = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                               "org.a11y.Bus.GetAddress"], env=env, capture_output=True, timeout=PATIENCE)
        return done.returncode == 0

    def _debug_text(self):
        try:
            with open(self.debug_file, encoding="utf-8", errors="replace") as debug:
                return debug.read()
        except FileNotFoundError:
            return ""

    def spoken(self):
        """Every utterance so far, in order."""
        # The debug file grows by megabytes; only what is new is read.
        try:
            with open(self.debug_file, "rb") as debug:
                debug.seek(self._read_up_to)
                new = debug.read()
        except FileNotFoundError:
            return list(self._said)
        whole_lines = new[:new.rfind(b"\n") + 1]
        self._read_up_to += len(whole_lines)
        text = self._unfinished + whole_lines.decode("utf-8", errors="replace")
        end = 0
        for utterance in SPEECH.finditer(text):
            self._said.append(utterance.group(1))
            end = utterance.end()
        # An utterance of several lines may be only partly written yet.
        started = text.find("SPEECH OUTPUT:", end)
        self._unfinished = text[started:] if started >= 0 else ""
        return list(self._said)

    def expect(self, *texts, timeout=PATIENCE):
        """Waits until Orca has said each of `texts`, in this order, after
        what earlier expectations matched; returns those utterances."""
        def heard_all():
            said = self.spoken()
            at, found = self.heard, []
            for text in texts:
                at = next((i for i in range(at, len(said)) if text in said[i]), None)
                if at is None:
                    return None
                found.append(said[at])
                at += 1
            return at, found
        try:
            at, found = wait_until(heard_all, timeout, f"Orca to say {' ... '.join(map(repr, texts))}", 0.1)
        except Failed as failure:
            recent = self.spoken()[self.heard:][-12:]
            raise Failed(f"{failure}; it said since the last step: {recent}") from None
        self.heard = at
        return found

