#!/usr/bin/env python3
"""Journeys through Зартекс on a real X server, as a pupil makes them.

    journeys.py --program BUILD/zartex --workdir assets/runtime --source . \
                --artifacts BUILD/e2e-artifacts JOURNEY

Each journey gets a fresh X server, window manager and program.  Exit
status: 0 passed, 1 failed (the screenshot of the moment is kept in the
artifacts folder and its path printed), 77 skipped (a tool that the
journeys need is missing).
"""
import argparse
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import PATIENCE, Desktop, JourneyFailed, end_process, is_red, missing_tools, near, wait_until  # noqa: E402
from designed import DesignedForm  # noqa: E402
import screenreader  # noqa: E402
import settings  # noqa: E402
import wine  # noqa: E402

SKIPPED = 77
FORM_COLOUR = "#FFFFE1"
CYAN = "#00FFFF"
ELEMENT_PURPLE = "#800080"
SLOT_BLUE = "#0000FF"



def page_of(module):
    """The page a form's class shows: "CosineLawTask" is the page
    "cosineLaw", opened by the main form's cosineLawButton and marked done
    by its cosineLawMark."""
    name = re.sub(r"(Task|Page)$", "", module)
    return name[0].lower() + name[1:]

JOURNEYS = {}
# The shape boards' flowchart: each piece and the slot it belongs on, from the top.
SHAPE_PIECES = ["ovalPiece", "parallelogramPiece", "rectanglePiece", "diamondPiece"]
SHAPE_SLOTS = ["startSlot", "inputSlot", "processSlot", "outputSlot", "endSlot"]
SHAPE_DROPS = list(zip(["ovalPiece", "parallelogramPiece", "rectanglePiece", "parallelogramPiece", "ovalPiece"],
                       SHAPE_SLOTS))


class Skipped(Exception):
    pass


def journey(name):
    """Registers a journey."""
    def register(function):
        JOURNEYS[name] = function
        return function
    return register


def expect(condition, message):
    if not condition:
        raise JourneyFailed(message)


def scaled(value, scale):
    """A designed length on a screen of `scale`, rounded as Qt rounds it
    (halves away from nought)."""
    return math.floor(value * scale + 0.5)


def centre(rect):
    return (rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)


class Pupil:
    """Finds the controls of the program's forms on screen and uses them,
    in the journey's setting (settings.py), on a screen scaled by --scale."""

    def __init__(self, desktop, args):
        self.d, self.args, self.setting = desktop, args, desktop.setting
        self.scale = args.scale / 100
        self.forms = {}
        self.main = None
        self.menu_height = 0
        self.hand = self.setting.hand(desktop)

    def form(self, module):
        if module not in self.forms:
            self.forms[module] = DesignedForm(self.args.source, module)
        return self.forms[module]

    def launch(self, workdir=None):
        return self.setting.launch(self.d, self.args.program, workdir or self.args.workdir, self.scale)

    def start(self, workdir=None):
        self.launch(workdir)
        return self.wait_main()

    def at_designed_place(self, window, module):
        left, top = (scaled(v, self.scale) for v in self.form(module).designed_place)
        slack = self.setting.place_slack(window)
        return abs(window.frame_origin[0] - left) <= slack[0] and abs(window.frame_origin[1] - top) <= slack[1]

    def expect_designed_place(self, window, module):
        expect(self.at_designed_place(window, module),
               f'"{window.name}" stands at {window.frame_origin}, designed at {self.form(module).designed_place}'
               f" (scaled by {self.scale})")

    def wait_placed(self, module, timeout=PATIENCE):
        """The window of `module`, once shown where it stays."""
        window = self.d.wait_window(self.form(module).caption, timeout)
        return self.setting.placed(self.d, window, lambda shown: self.at_designed_place(shown, module))

    def wait_main(self, timeout=PATIENCE):
        self.main = self.wait_placed("MainWindow", timeout)
        # The menu bar takes the top of the main form's client area; the
        # controls stand below it.
        x = self.main.x + self.main.width - 3

        def menu_height(screen):
            return self.setting.menu_height(
                [near(FORM_COLOUR, 6)(screen.pixel(x, self.main.y + dy)) for dy in range(round(40 * self.scale))])
        self.menu_height = self.d.wait_screen(menu_height, "the main form to be drawn")
        return self.main

    def has_designed_size(self, window, module):
        """On a scaled screen a half pixel may go either way (Windows
        rounds it up, Qt under X down)."""
        slack = 0 if self.scale == 1 else 1
        return all(abs(shown - scaled(designed, self.scale)) <= slack
                   for shown, designed in zip((window.width, window.height), self.form(module).size))

    def rect(self, window, module, name):
        """On-screen rectangle of a control of the form shown in `window`."""
        x, y, w, h = (scaled(v, self.scale) for v in self.form(module).rect(name, round(window.height / self.scale)))
        if module == "MainWindow":
            y += self.menu_height
        return (window.x + x, window.y + y, w, h)

    def press(self, window, module, name, at=None):
        """Clicks or taps a control: at its centre, or `at` (offsets from
        its left and top in the form's design)."""
        rect = self.rect(window, module, name)
        point = (rect[0] + scaled(at[0], self.scale), rect[1] + scaled(at[1], self.scale)) if at else centre(rect)
        self.setting.aim(self, window, point)
        self.hand.tap(window, point)

    def open(self, module):
        self.press(self.main, "MainWindow", page_of(module) + "Button")
        window = self.wait_placed(module)
        self.expect_designed_place(window, module)
        self.setting.shown(self, window)
        return Form(self, window, module)

    def wait_box(self, form, answered=()):
        """The message box that comes up over `form`: a new window of the
        program, none of those already answered."""
        known = {form.id, self.main.id, *answered}
        return wait_until(lambda: next((w for w in self.d.windows() if w.id not in known), None),
                          PATIENCE, f'a message box over "{form.name}"')

    def answer(self, box):
        self.setting.answer(self, box)
        self.d.wait_gone(box)

    def mark_shown(self, module, screen=None):
        screen = screen or self.d.screen()
        return screen.count(self.rect(self.main, "MainWindow", page_of(module) + "Mark"), is_red) > 20

    def wait_mark(self, module):
        self.d.wait_screen(lambda s: self.mark_shown(module, s), f"the mark {page_of(module)}Mark on the main form")


class Form:
    """A form of the program on screen, `window` (whose id, name and place
    it answers for), as its description `module` designs it, and the
    pupil's hands on its controls."""

    def __init__(self, pupil, window, module):
        self.pupil, self.d, self.window, self.module = pupil, pupil.d, window, module

    def __getattr__(self, name):
        return getattr(self.window, name)

    def rect(self, name):
        return self.pupil.rect(self.window, self.module, name)

    def region(self, name):
        """The pixels of a control now."""
        return self.d.screen().region(self.rect(name))

    def press(self, name, at=None):
        self.pupil.press(self.window, self.module, name, at)

    def drag(self, start, end, accepted=True):
        self.pupil.setting.aim(self.pupil, self.window, start)
        self.d.drag(start, end, accepted, self.pupil.hand.on(self.window))

    def drop(self, piece, target):
        """Drags control `piece` onto the left part of `target`."""
        rect = self.rect(target)
        self.drag(centre(self.rect(piece)), (rect[0] + 10, rect[1] + rect[3] // 2))

    def filled(self, slot):
        """A predicate on a screen: the slot shows a shape, not its cyan."""
        rect = self.rect(slot)
        return lambda s: s.count(rect, near(CYAN, 30)) < rect[2] * rect[3] // 4

    def drop_shapes(self, drops=SHAPE_DROPS):
        for piece, slot in drops:
            self.drop(piece, slot)
            self.d.wait_screen(self.filled(slot), f"{slot} to show the shape from {piece}")

    def type_into(self, edit, text, shown=None):
        """Clicks into an edit box, types `text` over what it holds, and reads
        it back: it must hold `shown` (`text` unless the form swallows some
        of it), every letter."""
        self.press(edit)
        self.pupil.setting.enter(self.d, text)
        shown = text if shown is None else shown
        held = self.d.copy()
        expect(held == shown, f"{edit} holds {held!r} after typing {text!r}; it should hold {shown!r}")

    def wait_appears(self, name, before, timeout=PATIENCE):
        """Waits for a hidden control to be drawn: its pixels change."""
        rect = self.rect(name)
        self.d.wait_screen(lambda s: s.region(rect) != before, f"{name} to appear", timeout)

    def finish(self):
        """Presses the form's "ОК": the form goes, and its mark shows."""
        self.press("doneButton")
        self.d.wait_gone(self.window)
        self.pupil.wait_mark(self.module)


def same_letters(expected, seen):
    """`seen` (read by OCR) holds `expected`, with l, I, 1 and | alike, the
    small dots, which OCR may miss, left out, and capitals as small letters."""
    def blur(text):
        # On a scaled screen OCR may take a capital for a small letter.
        return text.translate(str.maketrans("I1|", "lll", ".")).casefold()
    return blur(expected) in blur(seen) and seen


# ----- the journeys -----------------------------------------------------------

@journey("start")
def start(pupil):
    """The splash comes first and alone, with no title-bar buttons; after
    about three seconds the main form stands at its designed place."""
    d = pupil.d
    pupil.launch()
    first, splash_seen = d.wait_first_windows()
    expect(len(first) == 1, f"the splash should be alone on screen: {first}")
    splash = first[0]
    expect(pupil.has_designed_size(splash, "SplashScreen"), f"the splash has the wrong size: {splash}")
    pupil.expect_designed_place(splash, "SplashScreen")
    buttons = [a for a in splash.actions if a in pupil.setting.splash_actions()]
    expect(not buttons, f"the splash's title bar offers {buttons}")
    main_caption = pupil.form("MainWindow").caption
    # The main form was not up when the last look that missed it began; so
    # it came at least that long after the splash, however slow the looks.
    splash_alone_until = splash_seen

    def main_form_up():
        nonlocal splash_alone_until
        looked = time.monotonic()
        shown = d.windows()
        if any(w.name == main_caption for w in shown):
            return True
        expect(not shown or [w.id for w in shown] == [splash.id],
               f"only the splash may be on screen during its three seconds: {shown}")
        splash_alone_until = looked
        return False
    wait_until(main_form_up, PATIENCE, "the main form after the splash")
    alone = splash_alone_until - splash_seen
    expect(alone > 2.0, f"the main form came up after {alone:.1f} s of the splash, before its three seconds")
    shown = d.windows()
    expect(len(shown) == 1, f"only the main form should be on screen after the splash: {shown}")
    main = pupil.wait_main()
    expect(pupil.has_designed_size(main, "MainWindow"), f"the main form has the wrong size: {main}")
    pupil.expect_designed_place(main, "MainWindow")
    screen = d.screen()
    marks = [name for name in pupil.form("MainWindow").names() if name.endswith("Mark")]
    shown = [mark for mark in marks if screen.count(pupil.rect(main, "MainWindow", mark), is_red) > 20]
    expect(marks and not shown, f"completion marks shown at start: {shown}")


@journey("theory")
def theory(pupil):
    """The first theory page, confirmed by its "ОК", marks the main form."""
    pupil.start()
    page = pupil.open("FlowchartElementsPage")
    expect(not pupil.mark_shown("FlowchartElementsPage"), "the mark is shown before the page was confirmed")
    page.finish()


@journey("close")
def close_main(pupil):
    """Task 2 takes every letter typed in either layout, and judges a
    Cyrillic look-alike wrong; closing the main form by its close box then
    ends the program at once, whatever else is open."""
    d = pupil.d
    main = pupil.start()
    form = pupil.open("AssignmentStatementsTask")
    # "А" is the Russian letter: the answer is wrong, and the box is emptied.
    form.type_into("statement1Edit", "а:=10")
    form.press("statement1CheckButton")
    pupil.answer(pupil.wait_box(form))
    mark = form.rect("statement1Mark")
    form.type_into("statement1Edit", "a:=10")
    form.press("statement1CheckButton")
    d.wait_screen(lambda s: s.count(mark, is_red) > 20, "the mark of the first statement")
    close_by_close_box(d, main)


def close_by_close_box(d, main):
    # The close box is the last button at the right of the title bar.
    d.click(main.x + main.width - main.frame_top // 2, main.y - main.frame_top // 2)
    wait_until(lambda: d.program.poll() is not None, PATIENCE, "the program to end")
    expect(d.program.returncode == 0, f"the program ended with status {d.program.returncode}")


# A window in weston's scene graph: its role, title and place.
VIEW = re.compile(r"View \d+ \(role (?P<role>[^,]+), PID \d+, surface ID \d+, "
                  r"top-level window '(?P<title>.*?)'.*?\):\n\s+position: \((?P<x>-?\d+), (?P<y>-?\d+)\)")


@journey("native-wayland")
def native_wayland(pupil):
    """In a Wayland session the program, left to choose its platform as a
    pupil's menu starts it, runs through XWayland, where its forms keep
    their designed places; with no X server to reach it falls back to
    Wayland, and its main form is an xdg_toplevel in weston's scene graph."""
    d = pupil.d
    caption = pupil.form("MainWindow").caption

    def views():
        return [v for v in VIEW.finditer(pupil.setting.scene_graph(d)) if v["title"] == caption]
    session = {"XDG_SESSION_TYPE": "wayland"}
    d.launch([pupil.args.program], pupil.args.workdir, session, platform=None)
    pupil.wait_main()
    end_process(d.program)
    wait_until(lambda: not views(), PATIENCE, "the first program's main form to go", 0.25)
    number = 1000
    while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
        number += 1
    d.launch([pupil.args.program], pupil.args.workdir, dict(session, DISPLAY=f":{number}"), platform=None)

    def view():
        expect(d.program_alive(), f"the program ended: {d.program_output()}")
        # A new surface has no role until its client gives it one.
        return next((v for v in views() if v["role"] != "(null)"), None)
    role = wait_until(view, PATIENCE, "the main form in weston's scene graph", 0.25)["role"]
    expect(role == "xdg_toplevel", f"with no X server the main form is a {role}, not a native Wayland window")


# A first build from nothing, on a loaded machine, may take this long.
BUILD_PATIENCE = 1200


@journey("run-command")
def run_command(pupil):
    """The README's first command, `bash tools/run.sh`, run as written in a
    fresh clone of the checkout, builds the program and brings up its main
    form."""
    d = pupil.d
    clone = os.path.join(pupil.args.clone_into, "zartex")
    shutil.rmtree(clone, ignore_errors=True)
    if os.path.exists(os.path.join(pupil.args.source, ".git")):
        subprocess.run(["git", "clone", "--quiet", pupil.args.source, clone], check=True)
    else:  # a release tarball's sources, as a packager unpacks them
        top = os.path.realpath(pupil.args.source)
        shutil.copytree(top, clone, ignore=lambda folder, names: [
            n for n in names if os.path.realpath(folder) == top and (n.startswith("build") or n == "Testing")])
    # The compiler's work is kept between runs in a cache of the suite's own.
    d.launch(["bash", "tools/run.sh"], clone, {"CCACHE_DIR": os.path.join(pupil.args.clone_into, "ccache")})
    caption = pupil.form("MainWindow").caption

    def main_form_or_end():
        if not d.program_alive():
            raise JourneyFailed(f"`bash tools/run.sh` ended with status {d.program.returncode} and no main form;"
                                f" its last lines:\n{d.program_output()}")
        return d.window_named(caption)
    wait_until(main_form_or_end, BUILD_PATIENCE, "`bash tools/run.sh` to build and show the main form", 0.5)
    expect(os.path.realpath(f"/proc/{d.program.pid}/cwd") == os.path.join(os.path.realpath(clone), "assets/runtime"),
           "the program does not run in the folder of its run-time pictures")
    close_by_close_box(d, pupil.wait_main())


# Task 5: each element label and the slot it belongs on, in solving order.
ORANGE_COST_DROPS = [("startPiece", "startSlot"), ("quantityPiece", "inputSlot"), ("costFormulaPiece", "processSlot"),
               ("costPiece", "outputSlot"), ("endPiece", "endSlot")]


@journey("orange-cost")
def orange_cost(pupil):
    """Five real drags solve Task 5; a drop on a slot's own text is refused;
    "Заново" brings back a caption dropped on the wrong slot."""
    d = pupil.d
    pupil.start()
    form = pupil.open("OrangeCostTask")
    ok_hidden = form.region("doneButton")
    purple = near(ELEMENT_PURPLE, 50)

    def label_visible(label, screen):
        return screen.count(form.rect(label), purple) > 5

    form.drop("endPiece", "startSlot")
    d.wait_screen(lambda s: not label_visible("endPiece", s), "endPiece to leave the column after its wrong drop")
    form.press("restartButton")
    d.wait_screen(lambda s: label_visible("endPiece", s), "endPiece back in the column after «Заново»")

    refused = None
    for number, (label, slot) in enumerate(ORANGE_COST_DROPS):
        form.drop(label, slot)
        d.wait_screen(lambda s: not label_visible(label, s), f"{label} to leave the column after its drop")
        if refused:
            # The program takes a pointer's events in turn: this drop has
            # been judged, so the one before it has been too.
            area, before = refused
            expect(d.screen().region(area) == before, "a drop on the slot's text changed the slot")
            refused = None
        if number == 0:
            # "Начало" now stands in the start oval: a drop on that text is
            # refused, and the caption stays to be dropped where it belongs.
            screen = d.screen()
            area = form.rect(slot)
            text = screen.bounding_box(area, near(SLOT_BLUE, 60))
            expect(text, "the dropped caption does not show in its slot")
            refused = (area, screen.region(area))
            form.drag(centre(form.rect("quantityPiece")), centre(text), accepted=False)
    form.wait_appears("doneButton", ok_hidden)
    form.finish()


@journey("hours-to-minutes")
def hours_to_minutes(pupil):
    """Task 4 solved by real drags of the shape pieces; each slot loads its
    picture from the working directory."""
    pupil.start()
    form = pupil.open("HoursToMinutesTask")
    ok_hidden = form.region("doneButton")
    form.drop_shapes()
    form.press("checkButton")
    form.wait_appears("doneButton", ok_hidden)
    form.finish()


@journey("quick-click")
def quick_click(pupil):
    """A click on a piece, with no move between press and release, leaves no
    drag behind: a click on a slot after it places nothing, and the board
    solved after it counts no wrong drop."""
    d = pupil.d
    pupil.start()
    form = pupil.open("HoursToMinutesTask")
    form.press("ovalPiece")
    form.press("processSlot")
    form.drop_shapes(SHAPE_DROPS[:1])
    # Events are read in turn: the click on the slot came before.
    expect(not form.filled("processSlot")(d.screen()),
           "the click on a piece left a drag that dropped it on the slot clicked next")
    form.drop_shapes(SHAPE_DROPS[1:])
    form.press("checkButton")
    # The count's label is as wide as its text.
    x, y, _, h = form.rect("errorCountLabel")
    shown = wait_until(lambda: d.read_text((x, y - 2, round(220 * pupil.scale), h + 4), "rus").partition("ошибок")[2],
                       PATIENCE, "«Количество ошибок: …» after «Проверить»")
    # OCR may read the nought as a letter O.
    expect(re.fullmatch(r"[:\s]*[0OОoо]\s*", shown), f"«Количество ошибок:{shown}», not 0")


# Task 1: the option that answers each question.
SHAPE_QUIZ_ANSWERS = ["question1ParallelogramOption", "question2ParallelogramOption", "question3RectangleOption",
                      "question4OvalOption", "question5RectangleOption"]


@journey("shape-quiz")
def shape_quiz(pupil):
    """Task 1: a wrong option and "Проверить" show the count; "Заново"
    clears it; the right options, "Проверить" and "OK" mark the main form."""
    d = pupil.d
    pupil.start()
    form = pupil.open("ShapeQuizTask")
    status = form.rect("statusLabel")
    ok_hidden = form.region("doneButton")

    def written(screen):
        return screen.count(status, lambda p: not near(FORM_COLOUR, 30)(p)) > 0

    def choose(option):
        # On its round mark: a radio button takes a press on its mark or its text.
        form.press(option, (8, pupil.form("ShapeQuizTask").rect(option, 0)[3] // 2))
    hint = d.screen().region(status)
    choose("question1DiamondOption")
    form.press("checkButton")
    d.wait_screen(lambda s: written(s) and s.region(status) != hint, "the count of errors after «Проверить»")
    form.press("restartButton")
    d.wait_screen(lambda s: not written(s), "«Заново» to clear the count")
    for option in SHAPE_QUIZ_ANSWERS:
        choose(option)
    form.press("checkButton")
    form.wait_appears("doneButton", ok_hidden)
    form.finish()


def runtime_without(pupil, workdir, missing):
    """Fills `workdir` with the run-time pictures but `missing`."""
    for name in os.listdir(pupil.args.workdir):
        if name.endswith(".jpg") and name != missing:
            shutil.copy(os.path.join(pupil.args.workdir, name), workdir)


def expect_cannot_open(pupil, form, picture):
    """The box "Cannot open file <picture>" comes up over `form`; Return
    closes it and the program goes on."""
    expect_box(pupil, form, f"Cannot open file {picture}")


def expect_box(pupil, form, expected, language="eng"):
    """A message box saying `expected` comes up over `form`; Return closes
    it and the program goes on."""
    d = pupil.d
    box = pupil.wait_box(form)
    # Titled by the program's file name, without ".exe" on Windows.
    expect(box.name == "zartex", f'the message box is titled "{box.name}", not "zartex"')
    pupil.setting.shown(pupil, box)
    # The box is read off the screen; OCR may take a small l for a
    # capital I, so those two count as one letter.
    wait_until(lambda: same_letters(expected, d.read_text((box.x, box.y, box.width, box.height), language)),
               PATIENCE, f'the box to say "{expected}"')
    pupil.answer(box)
    expect(d.program_alive(), "the program ended after the error")


@journey("missing-picture")
def missing_picture(pupil):
    """Without uslNew.jpg in the working directory, dropping the diamond
    reports "Cannot open file uslNew.jpg" and leaves the slot blank."""
    d = pupil.d
    with tempfile.TemporaryDirectory(prefix="zartex-runtime-") as workdir:
        runtime_without(pupil, workdir, "uslNew.jpg")
        pupil.start(workdir)
        form = pupil.open("HoursToMinutesTask")
        form.drop("diamondPiece", "startSlot")
        expect_cannot_open(pupil, form, "uslNew.jpg")
        slot = form.rect("startSlot")
        expect(d.screen().count(slot, near(CYAN, 30)) > slot[2] * slot[3] // 2,
               "the slot changed although its picture could not be loaded")


# Typed in small letters; the blanks are swallowed by the form.
COSINE_LAW_TEXTS = [("startEdit", "начало"), ("inputEdit", "b, c, x"),
                ("processEdit", "a:=sqrt(b*b + c*c - 2*b*c*cos(x))"), ("outputEdit", "a"), ("endEdit", "конец")]


@journey("cosine-law")
def cosine_law(pupil):
    """Task 10: shapes dragged, block texts typed with blanks that the form
    swallows, then "Проверить" shows "ОК" without any message."""
    pupil.start()
    solve_cosine_law(pupil, pupil.open("CosineLawTask"))


def solve_cosine_law(pupil, form):
    d = pupil.d
    ok_hidden = form.region("doneButton")
    # By keyboard: Tab from the first box to "Проверить", and Space presses
    # it although the form keeps blanks out of its boxes. The empty board
    # and the prompts are both wrong: two boxes, one after the other.
    if pupil.setting.keyboard_after_box:
        form.press("startEdit")
        d.key("Tab")
        d.key("space")
    else:
        form.press("checkButton")
    answered = []
    for _ in range(2):
        box = pupil.wait_box(form, answered)
        pupil.answer(box)
        answered.append(box.id)
    form.drop_shapes()
    pupil.setting.before_typing(d, form)
    # Every letter arrives, whichever layout it is typed in; the blanks are swallowed.
    for edit, text in COSINE_LAW_TEXTS:
        form.type_into(edit, text, text.replace(" ", ""))
    form.press("checkButton")
    form.wait_appears("doneButton", ok_hidden)
    shown = d.windows()
    expect(len(shown) == 2, f"a right answer should show no message box: {shown}")
    # Judged, and shown again, in capitals.
    form.press("startEdit")
    held = d.copy()
    expect(held == "НАЧАЛО", f'the start box shows {held!r}, not "НАЧАЛО"')
    form.finish()


class FocusChain:
    """Moves the focus by Tab along a form's focus chain, as the form
    declares it (its controls in tab order, then its board's pieces and
    slots), and presses keys there. With a screen reader, each step waits
    for Orca to name the control that took the focus: a pupil who only
    listens moves on once they have heard where they are."""

    def __init__(self, desktop, chain, focused, reader=None, names=None):
        self.d, self.chain, self.at = desktop, list(chain), chain.index(focused)
        self.reader, self.names = reader, names

    def go(self, name):
        while self.chain[self.at] != name:
            self.d.key("Tab")
            self.at = (self.at + 1) % len(self.chain)
            if self.reader:
                self.reader.expect(self.names(self.chain[self.at]))

    def press(self, name, key, *heard):
        """Goes to `name`, presses `key` there and waits for Orca to say each
        of `heard`."""
        self.go(name)
        self.d.key(key)
        return self.reader.expect(*heard) if heard else None

    def insert_after(self, known, name):
        """A control that was hidden is shown and joins the chain."""
        self.chain.insert(self.chain.index(known) + 1, name)


def keyboard_form(pupil, module, chain, focused):
    form = Form(pupil, pupil.d.wait_window(pupil.form(module).caption), module)
    pupil.d.wait_active(form.window)
    return form, FocusChain(pupil.d, chain + SHAPE_PIECES + SHAPE_SLOTS, focused)


def solve_by_keyboard(form, keys):
    """Drops every shape by keyboard, then presses "Проверить" and "ОК"."""
    ok_hidden = form.region("doneButton")
    for piece, slot in SHAPE_DROPS:
        keys.press(piece, "Return")
        keys.press(slot, "Return")
        form.d.wait_screen(form.filled(slot), f"{slot} to show the shape from {piece}")
    for edit, text in COSINE_LAW_TEXTS if form.module == "CosineLawTask" else ():
        keys.go(edit)
        form.d.key("ctrl+a")
        form.d.type(text)
    keys.press("checkButton", "space")
    form.wait_appears("doneButton", ok_hidden)
    expect(len(form.d.windows()) == 2, f"a right answer should show no message box: {form.d.windows()}")
    keys.insert_after("clearButton", "doneButton")
    keys.press("doneButton", "space")
    form.d.wait_gone(form.window)
    form.pupil.wait_mark(form.module)


@journey("keyboard-shapes")
def keyboard_shapes(pupil):
    """Tasks 4 and 10 solved with the keyboard alone: Tab to a shape, Enter
    to pick it up, Tab to a slot, Enter to drop it. A keyboard drop of a
    missing picture brings the mouse's own box."""
    d = pupil.d
    with tempfile.TemporaryDirectory(prefix="zartex-runtime-") as workdir:
        runtime_without(pupil, workdir, "uslNew.jpg")
        d.wait_active(pupil.start(workdir))
        main = FocusChain(d, pupil.form("MainWindow").tab_order, "flowchartElementsButton")
        main.press("hoursToMinutesButton", "space")
        form, keys = keyboard_form(pupil, "HoursToMinutesTask", ["checkButton", "clearButton"], "checkButton")
        keys.press("diamondPiece", "Return")
        keys.press("startSlot", "Return")
        expect_cannot_open(pupil, form, "uslNew.jpg")
        solve_by_keyboard(form, keys)
        d.wait_active(pupil.main)
        main.press("cosineLawButton", "space")
        edits = [edit for edit, _ in COSINE_LAW_TEXTS]
        form, keys = keyboard_form(pupil, "CosineLawTask", edits[:1] + ["checkButton", "clearButton"] + edits[1:],
                                   "startEdit")
        solve_by_keyboard(form, keys)


SHAPE_NAMES = {"ovalPiece": "Овал", "parallelogramPiece": "Параллелограмм", "rectanglePiece": "Прямоугольник",
               "diamondPiece": "Ромб"}


def heard_as(pupil, module, role, board_names=None):
    """What Orca says when a control of the form takes the focus."""
    def name(control):
        if board_names and control in board_names:
            return board_names[control]
        return f"{screenreader.designed_name(pupil.form(module), control)} {role}"
    return name


def slot_heard(slot, shown):
    return f"Блок {SHAPE_SLOTS.index(slot) + 1} блок-схемы: {shown}"


@journey("screen-reader")
def screen_reader(pupil):
    """Orca, the real screen reader, speaks every step of Task 4, of Task 5
    and of a typed answer of Task 8, walked by keyboard alone: each control
    that takes the focus, each pick-up, put-down (Escape), drop, refusal and
    reset, each check's result, "ОК", and the mark back on the main form."""
    missing = screenreader.missing()
    if missing:
        raise Skipped(f"{', '.join(missing)} not installed (bash tools/test.sh installs them)")
    d = pupil.d
    reader = screenreader.ScreenReader(d)
    try:
        d.env = reader.open()
        main = pupil.start()
        button = "нажимаемая кнопка"
        main_names = heard_as(pupil, "MainWindow", button)
        reader.expect(f"{pupil.form('MainWindow').caption} рамка", main_names("flowchartElementsButton"))
        d.wait_active(main)
        main_chain = pupil.form("MainWindow").tab_order
        main_keys = FocusChain(d, main_chain, "flowchartElementsButton", reader, main_names)

        # Task 4: a refused drop, a reset, a wrong shape, the solution, the count.
        main_keys.press("hoursToMinutesButton", "space", "Задача 4 рамка", "Проверить " + button)
        shape_names = dict({piece: f"{shown} изображение" for piece, shown in SHAPE_NAMES.items()},
                           **{slot: slot_heard(slot, "пусто") for slot in SHAPE_SLOTS})
        keys = FocusChain(d, ["checkButton", "clearButton"] + SHAPE_PIECES + SHAPE_SLOTS, "checkButton", reader,
                          heard_as(pupil, "HoursToMinutesTask", button, shape_names))
        keys.press("checkButton", "space", "Блок-схема ещё не собрана верно.")
        keys.press("startSlot", "Return", "Ничего не взято.")
        keys.press("rectanglePiece", "Return", "Взята фигура: Прямоугольник.")
        keys.press("startSlot", "Return", slot_heard("startSlot", "прямоугольник") + ".")
        shape_names["startSlot"] = slot_heard("startSlot", "прямоугольник")
        keys.press("clearButton", "space", "Блок-схема очищена, все блоки пусты.")
        shape_names["startSlot"] = slot_heard("startSlot", "пусто")
        solution = [("diamondPiece", "startSlot", "ромб"), ("ovalPiece", "startSlot", "овал"),
                    ("parallelogramPiece", "inputSlot", "параллелограмм"),
                    ("rectanglePiece", "processSlot", "прямоугольник"),
                    ("parallelogramPiece", "outputSlot", "параллелограмм"), ("ovalPiece", "endSlot", "овал")]
        for piece, slot, shown in solution:
            keys.press(piece, "Return", f"Взята фигура: {SHAPE_NAMES[piece]}.")
            keys.press(slot, "Return", slot_heard(slot, shown) + ".")
            shape_names[slot] = slot_heard(slot, shown)
        keys.press("checkButton", "space", "Количество ошибок: 1. Задание выполнено, появилась кнопка «ОК».")
        keys.insert_after("clearButton", "doneButton")
        keys.press("doneButton", "space", f"{pupil.form('MainWindow').caption} рамка",
                   main_names("hoursToMinutesButton"), "Выполнено")

        # Task 5: a caption put back by Escape, then the five drops; the last shows "ОК".
        main_keys.at = main_chain.index("hoursToMinutesButton")
        main_keys.press("orangeCostButton", "space", "Задача 5 рамка", "Заново " + button)
        pieces = ["startPiece", "quantityPiece", "costPiece", "costFormulaPiece", "endPiece"]
        captions = {piece: screenreader.designed_name(pupil.form("OrangeCostTask"), piece) for piece in pieces}
        label_names = dict({piece: captions[piece] for piece in pieces},
                           **{slot: slot_heard(slot, "пусто") for slot in SHAPE_SLOTS})
        keys = FocusChain(d, ["restartButton"] + pieces + SHAPE_SLOTS, "restartButton", reader,
                          heard_as(pupil, "OrangeCostTask", button, label_names))
        keys.press("endPiece", "Return", f"Взята надпись: {captions['endPiece']}.")
        d.key("Escape")
        reader.expect(f"Положена на место: {captions['endPiece']}.")
        keys.press("startSlot", "Return", "Ничего не взято.")
        for number, (piece, slot) in enumerate(ORANGE_COST_DROPS):
            keys.press(piece, "Return", f"Взята надпись: {captions[piece]}.")
            heard = [slot_heard(slot, captions[piece]) + "."]
            if number == len(ORANGE_COST_DROPS) - 1:
                heard = [heard[0] + " Задание выполнено, появилась кнопка «ОК»."]
            keys.press(slot, "Return", *heard)
            keys.chain.remove(piece)  # hidden, out of the chain
            keys.at = keys.chain.index(slot)
            label_names[slot] = slot_heard(slot, captions[piece])
        keys.insert_after("endSlot", "doneButton")
        keys.press("doneButton", "space", f"{pupil.form('MainWindow').caption} рамка",
                   main_names("orangeCostButton"), "Выполнено")

        # Task 8: the first box with its expression, a wrong answer's box, then the right answer.
        main_keys.at = main_chain.index("orangeCostButton")
        expression_notation = pupil.form("ExpressionNotationTask")
        main_keys.press("expressionNotationButton", "space", "Задача 8 рамка",
                        screenreader.designed_name(expression_notation, "expression1Edit"),
                        screenreader.designed_name(expression_notation, "expression1Picture"))
        d.type("5*a")
        keys = FocusChain(d, ["expression1Edit", "expression1CheckButton"], "expression1Edit", reader,
                          heard_as(pupil, "ExpressionNotationTask", button))
        keys.press("expression1CheckButton", "space", "Задача решена неверно")
        d.key("Return")
        reader.expect("Задача 8 рамка", "Проверить " + button)
        d.key("shift+Tab")
        reader.expect(screenreader.designed_name(expression_notation, "expression1Edit"))
        d.key("ctrl+a")
        d.type("5*a>m/2")
        keys.at = 0
        keys.press("expression1CheckButton", "space", "Ответ принят.")
    finally:
        reader.close()


# ----- the Windows build under Wine ------------------------------------------

# Pixels from the left of the first to the right of the last letter of
# main-form captions in the forms' font, Liberation Sans at 11 pixels. A
# substitute (Tahoma, DejaVu Sans) makes them several pixels wider or
# narrower, and a long caption then no longer fits its button.
DESIGN_WIDTHS = {"flowchartElementsButton": 106, "mathReferenceButton": 136}


def text_width(pupil, name):
    x, y, w, h = pupil.rect(pupil.main, "MainWindow", name)
    edge = scaled(4, pupil.scale)
    inner = (x + edge, y + edge, w - 2 * edge, h - 2 * edge)  # inside the button's edges and focus frame
    box = pupil.d.screen().bounding_box(inner, lambda p: max(p) < 100)
    expect(box, f"no caption drawn on {name}")
    return box[2]


def expect_design_font(pupil):
    for name, designed in DESIGN_WIDTHS.items():
        width, designed = text_width(pupil, name), round(designed * pupil.scale)
        expect(abs(width - designed) <= 2 * pupil.scale, f"the caption of {name} is {width} px wide, designed"
                                                         f" {designed} px: the forms' font is not in use")


@journey("windows-cosine-law")
def windows_cosine_law(pupil):
    """Windows: the program, started in a folder without parNew.jpg, shows
    its captions at their designed widths in its own font. In Task 10 the
    parallelogram's drop is refused in a box titled "zartex", and refused
    again once the file is there but damaged; with the file back, the task
    is solved by drags and typing, the texts judged in capitals."""
    with tempfile.TemporaryDirectory(prefix="zartex-runtime-") as workdir:
        runtime_without(pupil, workdir, "parNew.jpg")
        pupil.start(workdir)
        expect_design_font(pupil)
        form = pupil.open("CosineLawTask")
        form.drop("parallelogramPiece", "inputSlot")
        expect_cannot_open(pupil, form, "parNew.jpg")
        # A damaged picture: the decoder gives up midway, and says so.
        with open(os.path.join(workdir, "parNew.jpg"), "wb") as damaged:
            damaged.write(b"\xff\xd8\xff\xdb" + bytes(range(256)) * 4)
        form.drop("parallelogramPiece", "inputSlot")
        expect_box(pupil, form, "Файл parNew.jpg повреждён", "rus+eng")
        shutil.copy(os.path.join(pupil.args.workdir, "parNew.jpg"), workdir)
        solve_cosine_law(pupil, form)


@journey("windows-start-menu")
def windows_start_menu(pupil):
    """Windows: the installed program, started from its Start-menu entry,
    runs in its own folder (Task 4's slot loads its picture from there),
    and Qt's own texts are Russian (an edit box's menu offers «Копировать»)."""
    d = pupil.d
    caption = pupil.form("MainWindow").caption
    entries = wine.shortcuts(pupil.setting.prefix)
    expect(len(entries) == 1, f"the Start menu holds {entries}, not one entry of the program")
    entry = "C:\\" + os.path.relpath(entries[0], wine.drive_c(pupil.setting.prefix)).replace("/", "\\")
    wine.set_dpi(pupil.setting.prefix, round(96 * pupil.scale))
    # Wine's shell says why, if the shortcut does not start.
    d.launch(["wine", "start", entry], tempfile.gettempdir(),
             dict(wine.environment(pupil.setting.prefix), WINEDEBUG="fixme-all,warn+exec,trace+exec"), platform=None)

    def started_program():
        for wid in re.findall(r"0x[0-9a-f]+", d.x("xprop", "-root", "_NET_CLIENT_LIST")):
            window = d.window(int(wid, 16))
            if window and window.name == caption and window.pid:
                return window.pid
        return None
    pid = wait_until(started_program, PATIENCE, "the program that the Start-menu entry starts", 0.2)
    d.adopt(pid)
    folder = os.path.realpath(wine.install_folder(pupil.setting.prefix))
    expect(os.path.realpath(f"/proc/{pid}/cwd") == folder, "the Start-menu entry does not start the program in"
                                                           f" its folder but in {os.readlink(f'/proc/{pid}/cwd')}")
    pupil.wait_main()
    form = pupil.open("HoursToMinutesTask")
    form.drop("ovalPiece", "startSlot")
    d.wait_screen(form.filled("startSlot"), "the start slot to show the oval")
    form = pupil.open("CosineLawTask")
    x, y = centre(form.rect("startEdit"))
    pupil.setting.aim(pupil, form, (x, y))
    d.x("xdotool", "mousemove", "--sync", str(x), str(y), "click", "3", check=True)
    wait_until(lambda: "Копировать" in d.read_text((x, y, 240, 200), language="rus"), PATIENCE,
               "the edit box's menu to offer «Копировать»")
    d.key("Escape")


@journey("installed")
def installed(pupil):
    """The installed launcher starts the program in the folder of its
    run-time pictures, and the program comes up."""
    pupil.start(tempfile.gettempdir())
    expected = os.path.realpath(pupil.args.expect_workdir)
    actual = os.path.realpath(f"/proc/{pupil.d.program.pid}/cwd")
    expect(actual == expected, f"the program runs in {actual}, not in {expected}")
    page = pupil.open("FlowchartElementsPage")
    page.finish()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program")
    parser.add_argument("--workdir", default=None)
    parser.add_argument("--expect-workdir", default=None)
    parser.add_argument("--source", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--clone-into", default=None)
    parser.add_argument("--wine-prefix", default=None, help="run the Windows program (--program) under Wine")
    parser.add_argument("--root", default=None, help="run the program (--program, a path inside the root) in this"
                                                     " Debian root (tools/debian-root.sh)")
    parser.add_argument("--user", type=int, default=None, help="as this user of the root, not as root")
    parser.add_argument("--input", choices=("mouse", "finger"), default="mouse",
                        help="point with the mouse, or with a finger on a TUIO touch panel")
    parser.add_argument("--scale", type=int, default=100, help="the screen's scale in per cent (150, 200)")
    parser.add_argument("--session", choices=("x11", "wayland"), default="x11",
                        help="an X desktop, or a Wayland session (weston) that runs the program through XWayland")
    parser.add_argument("journey", choices=sorted(JOURNEYS))
    args = parser.parse_args()
    for name in ("program", "workdir", "expect_workdir", "source", "artifacts", "clone_into", "wine_prefix", "root"):
        if getattr(args, name):
            setattr(args, name, os.path.abspath(getattr(args, name)))
    function = JOURNEYS[args.journey]

    missing = missing_tools()
    if missing:
        print(f"SKIPPED: {', '.join(missing)} not installed (bash tools/test.sh installs them)")
        return SKIPPED

    # Each way of running a journey keeps its own screenshots and logs.
    where = settings.setting(args)
    name = args.journey + where.suffix + (f"-{args.scale}" if args.scale != 100 else "")
    desktop = Desktop(args.artifacts, name, where, args.scale / 100, args.root, args.user)
    try:
        desktop.open()
        function(Pupil(desktop, args))
        print(f"journey {name}: passed")
        return 0
    except Skipped as reason:
        print(f"SKIPPED: {reason}")
        return SKIPPED
    except Exception as failure:  # every failure is reported the same way
        print(f"journey {name}: FAILED: {failure}")
        if not isinstance(failure, JourneyFailed):
            traceback.print_exc()
        if desktop.env:
            print("screenshot of the failure:", desktop.save_screenshot("failure"))
        print("program output:", os.path.join(args.artifacts, f"{name}-program.log"))
        return 1
    finally:
        desktop.close()
        where.close()


if __name__ == "__main__":
    sys.exit(main())
