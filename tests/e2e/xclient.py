"""What the journeys ask of the X server directly, through libX11,
libXfixes and libXtst with ctypes: the pointer's shape, a clipboard whose
readers are known, a ping that tells when a program has read its events,
and a keyboard with a Latin and a Russian layout."""
import ctypes
import os
import select
import threading
import time

X11, XFIXES, XTST = "libX11.so.6", "libXfixes.so.3", "libXtst.so.6"


class XError(Exception):
    pass


def missing_libraries():
    missing = []
    for name in (X11, XFIXES, XTST):
        try:
            ctypes.CDLL(name)
        except OSError:
            missing.append(name)
    return missing


def _library(name, functions):
    library = ctypes.CDLL(name)
    for function, (restype, argtypes) in functions.items():
        getattr(library, function).restype = restype
        getattr(library, function).argtypes = argtypes
    return library


_P, _UL, _I = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int
_x11 = None


def x11():
    global _x11
    if _x11 is None:
        _x11 = _library(X11, {
            "XOpenDisplay": (_P, [ctypes.c_char_p]), "XCloseDisplay": (_I, [_P]), "XFree": (_I, [_P]),
            "XInternAtom": (_UL, [_P, ctypes.c_char_p, _I]), "XDefaultRootWindow": (_UL, [_P]),
            "XCreateSimpleWindow": (_UL, [_P, _UL, _I, _I, ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, _UL, _UL]),
            "XSetSelectionOwner": (_I, [_P, _UL, _UL, _UL]), "XGetSelectionOwner": (_UL, [_P, _UL]),
            "XChangeProperty": (_I, [_P, _UL, _UL, _UL, _I, _I, _P, _I]),
            "XSendEvent": (_I, [_P, _UL, _I, ctypes.c_long, _P]), "XFlush": (_I, [_P]), "XPending": (_I, [_P]),
            "XNextEvent": (_I, [_P, _P]), "XConnectionNumber": (_I, [_P]),
            "XSelectInput": (_I, [_P, _UL, ctypes.c_long]), "XSync": (_I, [_P, _I]),
            "XKeysymToKeycode": (ctypes.c_ubyte, [_P, _UL]),
            "XkbKeycodeToKeysym": (_UL, [_P, ctypes.c_ubyte, _I, _I]),
            "XkbGetState": (_I, [_P, ctypes.c_uint, _P])})
    return _x11


def open_display(env):
    """A connection of our own to the desktop's X server."""
    # libX11 reads the authority file's name from the environment; a journey
    # serves one desktop.
    os.environ["XAUTHORITY"] = env["XAUTHORITY"]
    display = x11().XOpenDisplay(env["DISPLAY"].encode())
    if not display:
        raise XError(f"cannot connect to the X server {env['DISPLAY']}")
    return display


class _Connection:
    display = None

    def close(self):
        if self.display:
            x11().XCloseDisplay(self.display)
            self.display = None


class PointerShape(_Connection):
    """The shape the X server shows for the pointer, read through the XFixes
    extension: a drag shows that it has begun by the pointer's shape. Qt
    6.5 and newer load the theme's shapes without their names; there, a
    drag shows it has begun by taking the XdndSelection, which XFixes
    reports too."""

    class _Image(ctypes.Structure):
        _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                    ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                    ("serial", _UL), ("pixels", _P), ("atom", _UL), ("name", ctypes.c_char_p)]

    # The X cursor theme's shapes that Qt shows while a drag is on.
    DRAGGING = {b"dnd-move", b"dnd-copy", b"dnd-link", b"dnd-none", b"dnd-no-drop", b"not-allowed", b"forbidden",
                b"crossed_circle", b"closedhand", b"grabbing"}
    # Under Wine the piece's picture rides on the pointer, larger than any
    # pointer of the theme.
    LARGEST_POINTER = 32

    def __init__(self, env):
        self.xfixes = _library(XFIXES, {
            "XFixesQueryExtension": (_I, [_P, _P, _P]),
            "XFixesGetCursorImage": (ctypes.POINTER(self._Image), [_P]),
            "XFixesSelectSelectionInput": (None, [_P, _UL, _UL, _UL])})
        self.display = open_display(env)
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not self.xfixes.XFixesQueryExtension(self.display, ctypes.byref(event_base), ctypes.byref(error_base)):
            self.close()
            raise XError(f"the X server {env['DISPLAY']} does not tell the pointer's shape")
        # XFixesSelectionNotify, for XFixesSetSelectionOwnerNotifyMask (1).
        self.selection_notify, self.drags_begun = event_base.value, 0
        self.xfixes.XFixesSelectSelectionInput(self.display, x11().XDefaultRootWindow(self.display),
                                               x11().XInternAtom(self.display, b"XdndSelection", 0), 1)
        x11().XSync(self.display, 0)

    def now(self):
        """(serial, width, height, name) of the shape shown now, and how
        many drags have taken the XdndSelection so far."""
        event = ctypes.create_string_buffer(192)  # an XEvent
        while x11().XPending(self.display):
            x11().XNextEvent(self.display, event)
            self.drags_begun += ctypes.c_int.from_buffer(event).value == self.selection_notify
        image = self.xfixes.XFixesGetCursorImage(self.display)
        if not image:
            raise XError("the X server did not tell the pointer's shape")
        shape = (image.contents.serial, image.contents.width, image.contents.height, image.contents.name or b"",
                 self.drags_begun)
        x11().XFree(image)
        return shape

    def began_drag(self, shape, since):
        """A drag has begun since the shape `since`: it took the XdndSelection,
        or the pointer shows a drag's shape."""
        serial, width, height, name, drags_begun = shape
        return drags_begun > since[4] or serial != since[0] and (
            name in self.DRAGGING or max(width, height) > self.LARGEST_POINTER)

    def shows_target(self, shape, since):
        """A drag's shape has changed since `since`, as over a place that takes
        the drop: to another drag's shape, or, where Qt's drags take the
        XdndSelection and shapes have no names, to any other."""
        serial, width, height, name, drags_begun = shape
        return serial != since[0] and (name in self.DRAGGING or max(width, height) > self.LARGEST_POINTER
                                       or not name and drags_begun > 0)


class _SelectionRequest(ctypes.Structure):
    _fields_ = [("type", _I), ("serial", _UL), ("send_event", _I), ("display", _P), ("owner", _UL),
                ("requestor", _UL), ("selection", _UL), ("target", _UL), ("property", _UL), ("time", _UL)]


class _SelectionNotify(ctypes.Structure):
    _fields_ = [("type", _I), ("serial", _UL), ("send_event", _I), ("display", _P), ("requestor", _UL),
                ("selection", _UL), ("target", _UL), ("property", _UL), ("time", _UL)]


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", _I), ("serial", _UL), ("send_event", _I), ("display", _P), ("window", _UL),
                ("message_type", _UL), ("format", _I), ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("type", _I), ("request", _SelectionRequest), ("notify", _SelectionNotify),
                ("message", _ClientMessage), ("pad", ctypes.c_long * 24)]


SELECTION_CLEAR, SELECTION_REQUEST, SELECTION_NOTIFY, CLIENT_MESSAGE = 29, 30, 31, 33
STRUCTURE_NOTIFY_MASK = 1 << 17
XA_ATOM = 4
PROP_MODE_REPLACE = 0


class ClipboardOwner:
    """Holds the X clipboard with a text until another program takes it, and
    counts what it was asked: the kinds of data it offers, or the text."""

    def __init__(self, env, text):
        lib = x11()
        self.display = open_display(env)
        atom = lambda name: lib.XInternAtom(self.display, name.encode(), 0)  # noqa: E731
        self.clipboard, self.targets = atom("CLIPBOARD"), atom("TARGETS")
        self.texts = [atom("UTF8_STRING"), atom("text/plain;charset=utf-8")]
        self.data = text.encode()
        self.window = lib.XCreateSimpleWindow(self.display, lib.XDefaultRootWindow(self.display), 0, 0, 1, 1, 0, 0, 0)
        self.asked = {"offers": 0, "text": 0}
        self.lock = threading.Lock()
        self.stopping = False
        lib.XSetSelectionOwner(self.display, self.clipboard, self.window, 0)
        lib.XFlush(self.display)
        if lib.XGetSelectionOwner(self.display, self.clipboard) != self.window:
            raise XError("the X server did not give the journey the clipboard")
        self.thread = threading.Thread(target=self._serve, daemon=True)
        self.thread.start()

    def times_asked(self, what):
        with self.lock:
            return self.asked[what]

    def _serve(self):
        lib = x11()
        event = _Event()
        connection = lib.XConnectionNumber(self.display)
        while not self.stopping:
            while lib.XPending(self.display):
                lib.XNextEvent(self.display, ctypes.byref(event))
                if event.type == SELECTION_REQUEST:
                    self._answer(event.request)
                elif event.type == SELECTION_CLEAR:
                    return
            select.select([connection], [], [], 0.1)

    def _answer(self, request):
        lib = x11()
        event = _Event()  # XSendEvent reads a whole event
        reply = event.notify
        reply.type, reply.send_event, reply.requestor = SELECTION_NOTIFY, 1, request.requestor
        reply.selection, reply.target, reply.time = request.selection, request.target, request.time
        target_property = request.property or request.target  # as old clients ask
        if request.target == self.targets:
            offered = (_UL * 3)(self.targets, *self.texts)
            lib.XChangeProperty(self.display, request.requestor, target_property, XA_ATOM, 32, PROP_MODE_REPLACE,
                                offered, len(offered))
            reply.property = target_property
            self._count("offers")
        elif request.target in self.texts:
            lib.XChangeProperty(self.display, request.requestor, target_property, request.target, 8,
                                PROP_MODE_REPLACE, self.data, len(self.data))
            reply.property = target_property
            self._count("text")
        lib.XSendEvent(self.display, request.requestor, 0, 0, ctypes.byref(event))
        lib.XFlush(self.display)

    def holds(self):
        """Still the clipboard's owner: no program has copied since."""
        return self.thread.is_alive()

    def _count(self, what):
        with self.lock:
            self.asked[what] += 1

    def close(self):
        self.stopping = True
        self.thread.join()
        x11().XCloseDisplay(self.display)


class Ping(_Connection):
    """Pings a window as a window manager does (_NET_WM_PING): an answer means
    that the program has read every event sent to it before the ping."""

    def __init__(self, env):
        lib = x11()
        self.display = open_display(env)
        atom = lambda name: lib.XInternAtom(self.display, name.encode(), 0)  # noqa: E731
        self.protocols, self.ping = atom("WM_PROTOCOLS"), atom("_NET_WM_PING")
        self.root = lib.XDefaultRootWindow(self.display)
        # The answer goes to the root window, where its notices are heard.
        lib.XSelectInput(self.display, self.root, STRUCTURE_NOTIFY_MASK)
        self.serial = self.answers = 0

    def send(self, window):
        """Pings `window`; returns what its answer will carry."""
        lib = x11()
        self.serial += 1
        event = _Event()
        message = event.message
        message.type, message.window, message.message_type, message.format = \
            CLIENT_MESSAGE, window, self.protocols, 32
        message.data[:] = [self.ping, self.serial, window, 0, 0]
        lib.XSendEvent(self.display, window, 0, 0, ctypes.byref(event))
        lib.XFlush(self.display)
        return self.serial

    def answered(self, serial):
        """The answer to the ping `serial` has come."""
        lib = x11()
        event = _Event()
        while lib.XPending(self.display):
            lib.XNextEvent(self.display, ctypes.byref(event))
            if event.type == CLIENT_MESSAGE and event.message.window == self.root and \
                    event.message.data[0] == self.ping:
                self.answers = max(self.answers, event.message.data[1])
        return self.answers >= serial


def keysym_character(keysym):
    """The Latin or Russian letter, digit or sign a keysym types, or None."""
    if 0x20 <= keysym <= 0x7e:
        return chr(keysym)
    if keysym in (0x6a3, 0x6b3):
        return "ёЁ"[keysym == 0x6b3]
    cyrillic = "юабцдефгхийклмнопярстужвьызшэщчъ"
    if 0x6c0 <= keysym <= 0x6df:
        return cyrillic[keysym - 0x6c0]
    if 0x6e0 <= keysym <= 0x6ff:
        return cyrillic[keysym - 0x6e0].upper()
    return None


class _XkbState(ctypes.Structure):
    _fields_ = [("group", ctypes.c_ubyte), ("locked_group", ctypes.c_ubyte), ("base_group", ctypes.c_ushort),
                ("latched_group", ctypes.c_short), ("mods", ctypes.c_ubyte), ("base_mods", ctypes.c_ubyte),
                ("latched_mods", ctypes.c_ubyte), ("locked_mods", ctypes.c_ubyte), ("compat_state", ctypes.c_ubyte),
                ("grab_mods", ctypes.c_ubyte), ("compat_grab_mods", ctypes.c_ubyte), ("lookup_mods", ctypes.c_ubyte),
                ("compat_lookup_mods", ctypes.c_ubyte), ("ptr_buttons", ctypes.c_ushort)]


class Keyboard(_Connection):
    """Types as a pupil does: each letter is the key that bears it, with Shift
    for a capital, and Alt+Shift switches the layout (docs/testing.md)."""

    XKB_USE_CORE_KEYBOARD = 0x100
    SHIFT, ALT = 0xffe1, 0xffe9

    def __init__(self, env, pause=0.02):
        self.pause = pause
        self.xtst = _library(XTST, {"XTestFakeKeyEvent": (_I, [_P, ctypes.c_uint, _I, _UL])})
        self.display = open_display(env)
        lib = x11()
        self.keys = {}  # character: (keycode, layout, shifted)
        # What the Latin layout bears is typed there: Wine took ":" typed on
        # the Russian layout (Shift+6) for "^" now and then.
        for layout in (0, 1):
            for keycode in range(8, 256):
                for shifted in (0, 1):
                    character = keysym_character(lib.XkbKeycodeToKeysym(self.display, keycode, layout, shifted))
                    if character:
                        self.keys.setdefault(character, (keycode, layout, shifted))
        self.shift, self.alt = (lib.XKeysymToKeycode(self.display, keysym) for keysym in (self.SHIFT, self.ALT))

    def layout(self):
        state = _XkbState()
        x11().XkbGetState(self.display, self.XKB_USE_CORE_KEYBOARD, ctypes.byref(state))
        return state.group

    def _press(self, *keycodes):
        for keycode in keycodes:
            self.xtst.XTestFakeKeyEvent(self.display, keycode, 1, 0)
        for keycode in reversed(keycodes):
            self.xtst.XTestFakeKeyEvent(self.display, keycode, 0, 0)
        x11().XSync(self.display, 0)
        time.sleep(self.pause)

    def switch_to(self, layout):
        for _ in range(2):
            if self.layout() == layout:
                return
            self._press(self.alt, self.shift)
        raise XError(f"Alt+Shift does not switch the keyboard to layout {layout}")

    def type(self, text):
        """Types `text`, then leaves the keyboard on its Latin layout."""
        missing = sorted({c for c in text if c not in self.keys})
        if missing:
            raise XError(f"no key of the keyboard bears {missing}")
        for character in text:
            keycode, layout, shifted = self.keys[character]
            self.switch_to(layout)
            self._press(*((self.shift, keycode) if shifted else (keycode,)))
        self.switch_to(0)
