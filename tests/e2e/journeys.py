#!/usr/bin/env python3
"""Journeys through Зартекс on a fresh X server, as a pupil makes them, in
the setting that the options name (settings.py). Exit status: 0 passed, 1
failed (with a screenshot in the artifacts folder), 77 skipped (a tool is
missing)."""
import argparse
import difflib
import functools
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
from desktop import (PATIENCE, SKIPPED, Desktop, Failed, Skipped, end_process, expect, is_red,  # noqa: E402
                     missing_tools, near, wait_until)
from designed import DesignedForm  # noqa: E402
import screenreader  # noqa: E402
import settings  # noqa: E402
import wine  # noqa: E402

FORM_COLOUR, CYAN, ELEMENT_PURPLE = "#FFFFE1", "#00FFFF", "#800080"
JOURNEYS = {}
# The loader that the launcher runs a program file without execute bits with.
LOADER = "/lib64/ld-linux-x86-64.so.2"
# The shape boards' flowchart: each piece and the slot it belongs on, from the top.
SHAPE_PIECES = ["ovalPiece", "parallelogramPiece", "rectanglePiece", "diamondPiece"]
SHAPE_SLOTS = ["startSlot", "inputSlot", "processSlot", "outputSlot", "endSlot"]
SHAPE_DROPS = list(zip(["ovalPiece", "parallelogramPiece", "rectanglePiece", "parallelogramPiece", "ovalPiece"],
                       SHAPE_SLOTS))
# Task 5: each caption and the slot it belongs on, in solving order.
ORANGE_COST_DROPS = [("startPiece", "startSlot"), ("quantityPiece", "inputSlot"), ("costFormulaPiece", "processSlot"),
                     ("costPiece", "outputSlot"), ("endPiece", "endSlot")]
# Task 10, typed in small letters; the blanks are swallowed by the form.
COSINE_LAW_TEXTS = [("startEdit", "начало"), ("inputEdit", "b, c, x"),
                    ("processEdit", "a:=sqrt(b*b + c*c - 2*b*c*cos(x))"), ("outputEdit", "a"), ("endEdit", "конец")]


def journey(function):
    JOURNEYS[function.__name__.replace("_", "-")] = function
    return function


def scaled(value, scale):
    """A designed length on a screen of `scale`, rounded as Qt rounds it."""
    return math.floor(value * scale + 0.5)


def centre(rect):
    return (rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)


def page_of(module):
    """"CosineLawTask" shows the page "cosineLaw": the main form's
    cosineLawButton opens it and its cosineLawMark marks it done."""
    name = re.sub(r"(Task|Page)$", "", module)
    return name[0].lower() + name[1:]


class Pupil:
    """Finds the program's forms on screen and uses them, in the journey's
    setting, on a screen scaled by --scale."""

    def __init__(self, desktop, args):
        self.d, self.args, self.setting = desktop, args, desktop.setting
        self.scale, self.main, self.hand = args.scale / 100, None, self.setting.hand(desktop)

    @functools.lru_cache(maxsize=None)
    def design(self, module):
        return DesignedForm(self.args.source, module)

    def launch(self, workdir=None):
        command = ["sh"] * self.args.with_sh + [LOADER] * self.args.through_loader + [self.args.program]
        self.setting.launch(self.d, command, workdir or self.args.workdir, self.scale)

    def start(self, workdir=None):
        self.launch(workdir)
        return self.wait_main()

    def at_designed_place(self, window, module):
        place = (scaled(v, self.scale) for v in self.design(module).designed_place)
        return all(abs(shown - designed) <= slack for shown, designed, slack in
                   zip(window.frame_origin, place, self.setting.place_slack(window)))

    def expect_designed(self, window, module, size=True):
        """`window` stands at its designed place and, with `size`, is as large
        as designed (on a scaled screen a half pixel either way)."""
        expect(self.at_designed_place(window, module), f'"{window.name}" stands at {window.frame_origin}, designed'
               f" at {self.design(module).designed_place} (scaled by {self.scale})")
        if size:
            self.expect_size(window, module)

    def expect_size(self, window, module):
        slack = 0 if self.scale == 1 else 1
        expect(all(abs(shown - scaled(designed, self.scale)) <= slack for shown, designed in
                   zip((window.width, window.height), self.design(module).size)), f"{window} has the wrong size")

    def wait_placed(self, module):
        """The window of `module`, once shown where it stays."""
        window = self.d.screen.wait_window(self.design(module).caption)
        return self.setting.placed(self.d, window, lambda shown: self.at_designed_place(shown, module))

    def wait_main(self):
        window = self.wait_placed("MainWindow")
        x = window.x + window.width - 3

        def menu_height(screen):
            # The menu bar takes the top of the client area; the controls stand below it.
            return self.setting.menu_height(
                [near(FORM_COLOUR, 6)(screen.pixel(x, window.y + dy)) for dy in range(round(40 * self.scale))])
        self.main = Form(self, window, "MainWindow", self.d.screen.wait_for(menu_height, "the main form to be drawn"))
        return self.main

    def open(self, module):
        self.main.press(page_of(module) + "Button")
        window = self.wait_placed(module)
        self.expect_designed(window, module, size=False)
        self.setting.shown(self, window)
        return Form(self, window, module)

    def open_about(self):
        """"О программе...", the last entry of the main form's menu bar, opens
        About in the middle of the screen."""
        main, top = self.main.window, self.main.top
        edge = scaled(2, self.scale)  # above the bar's edge line
        ink = self.d.screen.shot().bounding_box((main.x, main.y + edge, main.width, top - 2 * edge),
                                                lambda p: max(p) < 100)
        expect(ink, "the main form's menu bar shows no entries")
        self.main.click((ink[0] + ink[2] - 1 - edge, main.y + top // 2))
        window = self.d.screen.wait_window(self.design("AboutWindow").caption)
        self.setting.shown(self, window)
        return Form(self, window, "AboutWindow")

    def wait_box(self, form, answered=()):
        """A new window of the program over `form`, none of those `answered`:
        a message box titled "zartex" (the program's file name, without
        ".exe" on Windows), however the program was started."""
        known = {form.window.id, self.main.window.id, *answered}
        box = wait_until(lambda: next((w for w in self.d.screen.windows() if w.id not in known), None),
                         PATIENCE, f'a message box over "{form.window.name}"')
        expect(box.name == "zartex", f'the message box is titled "{box.name}", not "zartex"')
        return box

    def answer(self, box):
        self.setting.answer(self, box)
        self.d.screen.wait_gone(box)

    def expect_box(self, form, expected, language="eng"):
        """A message box says `expected`; answered, the program goes on."""
        box = self.wait_box(form)
        self.setting.shown(self, box)
        # OCR may take l, I, 1 and | alike, miss dots, take a capital for a
        # small letter or misread weston's drawing: nine letters in ten match.
        blur = lambda text: text.translate(str.maketrans("I1|", "lll", ".")).casefold()  # noqa: E731

        def says():  # where the box stands now: weston may still be placing it
            shown = self.d.screen.window(box.id) or box
            seen = blur(self.d.screen.read_text((shown.x, shown.y, shown.width, shown.height), language))
            return difflib.SequenceMatcher(None, blur(expected), seen).ratio() * (len(expected) + len(seen)) / 2 \
                >= 0.9 * len(expected)
        wait_until(says, PATIENCE, f'the box to say "{expected}"')
        self.answer(box)
        expect(self.d.program.alive(), "the program ended after the error")
        # Once the box has gone, Wine may activate the main form over `form`.
        self.setting.shown(self, form.window)


class Form:
    """A form of the program on screen, in its `window`, as its description
    `module` designs it; `top` is the height of its menu bar. Its "ОК",
    hidden at first, is seen."""

    def __init__(self, pupil, window, module, top=0):
        self.pupil, self.d, self.window, self.module, self.top = pupil, pupil.d, window, module, top
        self.done_hidden = pupil.design(module).has("doneButton") and \
            self.d.screen.shot().region(self.rect("doneButton"))

    def rect(self, name):
        """A control's rectangle on screen."""
        scale = self.pupil.scale
        design = self.pupil.design(self.module).rect(name, round(self.window.height / scale))
        x, y, w, h = (scaled(v, scale) for v in design)
        return (self.window.x + x, self.window.y + y + self.top, w, h)

    def press(self, name, at=None):
        """Clicks or taps a control at its centre, or at the designed offsets `at`."""
        rect, scale = self.rect(name), self.pupil.scale
        point = (rect[0] + scaled(at[0], scale), rect[1] + scaled(at[1], scale)) if at else centre(rect)
        self.pupil.setting.aim(self.pupil, self.window, point)
        self.pupil.hand.tap(self.window, point)

    def drop(self, piece, target):
        start, rect = centre(self.rect(piece)), self.rect(target)
        self.pupil.setting.aim(self.pupil, self.window, start)
        self.d.pointer.drag(start, (rect[0] + 10, rect[1] + rect[3] // 2), self.pupil.hand.on(self.window))

    def filled(self, slot):
        """Whether a screen shows a shape in `slot`, not its cyan."""
        rect = self.rect(slot)
        return lambda s: s.count(rect, near(CYAN, 30)) < rect[2] * rect[3] // 4

    def drop_shapes(self, drops=SHAPE_DROPS):
        for piece, slot in drops:
            self.drop(piece, slot)
            self.d.screen.wait_for(self.filled(slot), f"{slot} to show the shape from {piece}")

    def type_into(self, edit, text, shown=None):
        """Types `text` over what a box holds and reads it back: it holds
        `shown` (`text` unless the form swallows some of it), every letter."""
        self.press(edit)
        self.pupil.setting.before_typing(self.d, self.window)
        self.pupil.setting.enter(self.d, text)
        held, shown = self.d.clipboard.copy(), text if shown is None else shown
        expect(held == shown, f"{edit} holds {held!r} after typing {text!r}; it should hold {shown!r}")

    def wait_done(self):
        """The hidden "ОК" shows."""
        rect = self.rect("doneButton")
        self.d.screen.wait_for(lambda s: s.region(rect) != self.done_hidden, "«ОК» to appear")

    def wait_mark(self, name):
        """The red mark `name` shows."""
        mark = self.rect(name)
        self.d.screen.wait_for(lambda s: s.count(mark, is_red) > 20, f'the mark {name} on "{self.window.name}"')

    def finish(self):
        """Presses "ОК": the form goes, and its mark shows on the main form."""
        self.press("doneButton")
        self.finished()

    def finished(self):
        self.d.screen.wait_gone(self.window)
        self.pupil.main.wait_mark(page_of(self.module) + "Mark")

    def click(self, point, button=1):  # with the mouse, whatever the hand
        self.pupil.setting.aim(self.pupil, self.window, point)
        self.d.pointer.click(point, button)

    def close(self):
        self.click(self.window.close_box)
        self.d.screen.wait_gone(self.window)


def runtime_without(pupil, workdir, missing):
    """Fills `workdir` with the run-time pictures but `missing`."""
    for name in os.listdir(pupil.args.workdir):
        if name.endswith(".jpg") and name != missing:
            shutil.copy(os.path.join(pupil.args.workdir, name), workdir)


# ----- the journeys -----------------------------------------------------------

@journey
def start(pupil):
    """The splash comes first and alone; after about three seconds the main
    form stands at its designed place. Then every other form, one by one."""
    d = pupil.d
    pupil.launch()
    first, splash_seen = d.screen.wait_first_windows()
    expect(len(first) == 1, f"the splash should be alone on screen: {first}")
    splash = first[0]
    pupil.expect_designed(splash, "SplashScreen")
    # The main form was not up when the last look that missed it began; so
    # it came at least that long after the splash, however slow the looks.
    splash_alone_until = splash_seen

    def main_form_up():
        nonlocal splash_alone_until
        looked, shown = time.monotonic(), d.screen.windows()
        if any(w.name == pupil.design("MainWindow").caption for w in shown):
            return True
        expect([w.id for w in shown] in ([], [splash.id]), f"only the splash may be on screen at first: {shown}")
        splash_alone_until = looked
        return False
    wait_until(main_form_up, PATIENCE, "the main form after the splash")
    alone = splash_alone_until - splash_seen
    expect(alone > 2.0, f"the main form came up after {alone:.1f} s of the splash, before its three seconds")
    expect(len(shown := d.screen.windows()) == 1, f"only the main form should be on screen after the splash: {shown}")
    main = pupil.wait_main()
    pupil.expect_designed(main.window, "MainWindow")
    # Every page that the main form opens, and About, at its designed size on
    # this screen, to the pixel: the same forms from every build.
    for module in page_modules(pupil.args.source):
        form = pupil.open(module)
        pupil.expect_size(form.window, module)
        form.close()
    about = pupil.open_about()
    pupil.expect_size(about.window, "AboutWindow")
    about.close()


def page_modules(source):
    """The theory pages and exercises, each by its form's name."""
    return sorted(os.path.splitext(name)[0] for folder in ("theory", "tasks")
                  for name in os.listdir(os.path.join(source, folder)) if name.endswith(".ui"))


@journey
def theory(pupil):
    """The first theory page, confirmed by its "ОК", marks the main form. An
    installed launcher (--expect-workdir) starts the program in the folder
    of its run-time pictures, wherever it is started from."""
    pupil.start(pupil.args.expect_workdir and tempfile.gettempdir())
    if pupil.args.expect_workdir:
        expected = os.path.realpath(pupil.args.expect_workdir)
        actual = os.path.realpath(f"/proc/{pupil.d.program.process.pid}/cwd")
        expect(actual == expected, f"the program runs in {actual}, not in {expected}")
    pupil.open("FlowchartElementsPage").finish()


@journey
def close(pupil):
    """Task 2's first statement typed and checked; closing the main form by
    its close box then ends the program at once, whatever else is open."""
    d = pupil.d
    main = pupil.start()
    form = pupil.open("AssignmentStatementsTask")
    form.type_into("statement1Edit", "a:=10")
    form.press("statement1CheckButton")
    form.wait_mark("statement1Mark")
    close_by_close_box(d, main)


def close_by_close_box(d, main):
    d.pointer.click(main.window.close_box)
    status = d.program.wait_ended("the program to end")
    expect(status == 0, f"the program ended with status {status}")


@journey
def native_wayland(pupil):
    """In a Wayland session the program, left to choose its platform as a
    pupil's menu starts it, runs through XWayland, where its forms keep
    their designed places; with no X server to reach it falls back to
    Wayland, and its main form is an xdg_toplevel in weston's scene graph."""
    d, caption = pupil.d, pupil.design("MainWindow").caption

    def views():
        return [v for v in re.finditer(r"View \d+ \(role (?P<role>[^,]+), .*?top-level window '(?P<title>.*?)'",
                                       pupil.setting.scene_graph(d)) if v["title"] == caption]
    session = {"XDG_SESSION_TYPE": "wayland"}
    d.program.launch([pupil.args.program], pupil.args.workdir, session, platform=None)
    pupil.wait_main()
    end_process(d.program.process)
    wait_until(lambda: not views(), PATIENCE, "the first program's main form to go", 0.25)
    number = 1000
    while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
        number += 1
    d.program.launch([pupil.args.program], pupil.args.workdir, dict(session, DISPLAY=f":{number}"), platform=None)

    def view():
        expect(d.program.alive(), f"the program ended: {d.program.output()}")
        # A new surface has no role until its client gives it one.
        return next((v for v in views() if v["role"] != "(null)"), None)
    role = wait_until(view, PATIENCE, "the main form in weston's scene graph", 0.25)["role"]
    expect(role == "xdg_toplevel", f"with no X server the main form is a {role}, not a native Wayland window")


@journey
def run_command(pupil):
    """The README's first command, `bash tools/run.sh`, run as written in a
    fresh clone of the checkout (or a copy of a tarball's sources), builds
    the program and brings up its main form."""
    d = pupil.d
    clone = os.path.join(pupil.args.clone_into, "zartex")
    shutil.rmtree(clone, ignore_errors=True)
    if os.path.exists(os.path.join(pupil.args.source, ".git")):
        subprocess.run(["git", "clone", "--quiet", pupil.args.source, clone], check=True)
    else:
        top = os.path.realpath(pupil.args.source)
        shutil.copytree(top, clone, ignore=lambda folder, names: [
            n for n in names if os.path.realpath(folder) == top and (n.startswith("build") or n == "Testing")])
    # In a Debian root, the command runs there, in the clone as the root sees it.
    command = ["sh", "-c", 'cd "$1" && exec bash tools/run.sh', "sh", clone[len(pupil.args.root or ""):]]
    # The compiler's work is kept between runs in a cache of the suite's own.
    d.program.launch(command, clone, {"CCACHE_DIR": os.path.join(pupil.args.clone_into, "ccache")})

    def main_form_or_end():
        if not d.program.alive():
            raise Failed(f"`bash tools/run.sh` ended with status {d.program.process.returncode} and no main form;"
                                f" its last lines:\n{d.program.output()}")
        return d.screen.window_named(pupil.design("MainWindow").caption)
    # A first build from nothing, on a loaded machine, may take this long.
    wait_until(main_form_or_end, 1200, "`bash tools/run.sh` to build and show the main form", 0.5)
    expect(os.path.realpath(f"/proc/{d.program.process.pid}/cwd") == os.path.join(os.path.realpath(clone), "assets/runtime"),
           "the program does not run in the folder of its run-time pictures")
    close_by_close_box(d, pupil.wait_main())


@journey
def orange_cost(pupil):
    """Five real drags solve Task 5; "Заново" brings back a caption dropped
    on the wrong slot."""
    d = pupil.d
    pupil.start()
    form = pupil.open("OrangeCostTask")
    shows = lambda label, screen: screen.count(form.rect(label), near(ELEMENT_PURPLE, 50)) > 5  # noqa: E731
    form.drop("endPiece", "startSlot")
    d.screen.wait_for(lambda s: not shows("endPiece", s), "endPiece to leave the column after its wrong drop")
    form.press("restartButton")
    d.screen.wait_for(lambda s: shows("endPiece", s), "endPiece back in the column after «Заново»")
    for label, slot in ORANGE_COST_DROPS:
        form.drop(label, slot)
        d.screen.wait_for(lambda s: not shows(label, s), f"{label} to leave the column after its drop")
    form.wait_done()
    form.finish()


@journey
def hours_to_minutes(pupil):
    """Task 4 solved by real drags of the shape pieces, in a working
    directory that lacks uslNew.jpg: the diamond's drop reports "Cannot open
    file uslNew.jpg" and leaves the slot blank. A click on a piece, with no
    move between press and release, leaves no drag behind: a click on a
    slot after it places nothing."""
    d = pupil.d
    with tempfile.TemporaryDirectory(prefix="zartex-runtime-") as workdir:
        runtime_without(pupil, workdir, "uslNew.jpg")
        pupil.start(workdir)
        form = pupil.open("HoursToMinutesTask")
        form.press("ovalPiece")
        form.press("processSlot")
        form.drop("diamondPiece", "startSlot")
        pupil.expect_box(form, "Cannot open file uslNew.jpg")
        slot = form.rect("startSlot")
        expect(d.screen.shot().count(slot, near(CYAN, 30)) > slot[2] * slot[3] // 2,
               "the slot changed although its picture could not be loaded")
        form.drop_shapes(SHAPE_DROPS[:1])
        # Events are read in turn: the click on the slot came before.
        expect(not form.filled("processSlot")(d.screen.shot()),
               "the click on a piece left a drag that dropped it on the slot clicked next")
        form.drop_shapes(SHAPE_DROPS[1:])
        form.press("checkButton")
        form.wait_done()
        form.finish()


@journey
def shape_quiz(pupil):
    """Task 1: the right options, "Проверить" and "OK" mark the main form."""
    pupil.start()
    form = pupil.open("ShapeQuizTask")
    for option in ("question1ParallelogramOption", "question2ParallelogramOption", "question3RectangleOption",
                   "question4OvalOption", "question5RectangleOption"):
        # On its round mark: a radio button takes a press on its mark or its text.
        form.press(option, (8, pupil.design("ShapeQuizTask").rect(option, 0)[3] // 2))
    form.press("checkButton")
    form.wait_done()
    form.finish()


@journey
def cosine_law(pupil):
    """Task 10: shapes dragged, block texts typed with blanks that the form
    swallows, then "Проверить" shows "ОК" without any message."""
    pupil.start()
    solve_cosine_law(pupil, pupil.open("CosineLawTask"))


def solve_cosine_law(pupil, form):
    d = pupil.d
    # The empty board and the prompts are both wrong: two boxes, one after the other,
    # titled "zartex" (the folder's check starts the program through the system's loader).
    form.press("checkButton")
    answered = []
    for _ in range(2):
        box = pupil.wait_box(form, answered)
        pupil.answer(box)
        answered.append(box.id)
    form.drop_shapes()
    for edit, text in COSINE_LAW_TEXTS:
        form.type_into(edit, text, text.replace(" ", ""))
    form.press("checkButton")
    form.wait_done()
    expect(len(d.screen.windows()) == 2, f"a right answer should show no message box: {d.screen.windows()}")
    form.finish()


class FocusChain:
    """Moves the focus by Tab along a form's focus chain and presses keys
    there; with a screen reader, each step waits for Orca to name the control."""

    def __init__(self, desktop, chain, focused, reader=None, names=None):
        self.d, self.chain, self.at = desktop, list(chain), chain.index(focused)
        self.reader, self.names = reader, names

    def go(self, name):
        while self.chain[self.at] != name:
            self.d.keyboard.press("Tab")
            self.at = (self.at + 1) % len(self.chain)
            if self.reader:
                self.reader.expect(self.names(self.chain[self.at]))

    def press(self, name, key, *heard):
        """Goes to `name`, presses `key` there, and waits for Orca to say `heard`."""
        self.go(name)
        self.d.keyboard.press(key)
        return self.reader.expect(*heard) if heard else None

    def insert_after(self, known, name):  # a control that was hidden is shown
        self.chain.insert(self.chain.index(known) + 1, name)


@journey
def keyboard_shapes(pupil):
    """Task 10 solved with the keyboard alone: Tab to a shape, Enter to pick
    it up, Tab to a slot, Enter to drop it, Tab to each box and type. A
    keyboard drop of a missing picture brings the mouse's own box."""
    d = pupil.d
    with tempfile.TemporaryDirectory(prefix="zartex-runtime-") as workdir:
        runtime_without(pupil, workdir, "parNew.jpg")
        d.screen.wait_active(pupil.start(workdir).window)
        FocusChain(d, pupil.design("MainWindow").tab_order, "flowchartElementsButton").press("cosineLawButton", "space")
        form = Form(pupil, d.screen.wait_window(pupil.design("CosineLawTask").caption), "CosineLawTask")
        d.screen.wait_active(form.window)
        edits = [edit for edit, _ in COSINE_LAW_TEXTS]
        keys = FocusChain(d, edits[:1] + ["checkButton", "clearButton"] + edits[1:] + SHAPE_PIECES + SHAPE_SLOTS,
                          "startEdit")
        keys.press("parallelogramPiece", "Return")
        keys.press("inputSlot", "Return")
        pupil.expect_box(form, "Cannot open file parNew.jpg")
        shutil.copy(os.path.join(pupil.args.workdir, "parNew.jpg"), workdir)
        for piece, slot in SHAPE_DROPS:
            keys.press(piece, "Return")
            keys.press(slot, "Return")
            d.screen.wait_for(form.filled(slot), f"{slot} to show the shape from {piece}")
        for edit, text in COSINE_LAW_TEXTS:
            keys.go(edit)
            d.keyboard.press("ctrl+a")
            d.keyboard.type(text)
        keys.press("checkButton", "space")
        form.wait_done()
        expect(len(d.screen.windows()) == 2, f"a right answer should show no message box: {d.screen.windows()}")
        keys.insert_after("clearButton", "doneButton")
        keys.press("doneButton", "space")
        form.finished()


@journey
def screen_reader(pupil):
    """Orca, the real screen reader, speaks every step of Task 4 walked by
    keyboard alone: each control that takes the focus, each pick-up, drop,
    refusal and reset, the check's result, "ОК" and the mark back on the main
    form; then a typed answer of Task 8, its wrong answer's box, and the form."""
    missing = screenreader.missing()
    if missing:
        raise Skipped(f"{', '.join(missing)} not installed (bash tools/test.sh installs them)")
    d, button = pupil.d, "нажимаемая кнопка"
    main_frame = f"{pupil.design('MainWindow').caption} рамка"
    shapes = dict(zip(SHAPE_PIECES, ("Овал", "Параллелограмм", "Прямоугольник", "Ромб")))

    def heard_as(module, board_names=None):  # what Orca says as a control takes the focus
        return lambda control: (board_names or {}).get(control) or \
            f"{pupil.design(module).spoken_name(control)} {button}"

    def slot_heard(slot, shown):
        return f"Блок {SHAPE_SLOTS.index(slot) + 1} блок-схемы: {shown}"
    reader = screenreader.ScreenReader(d)
    try:
        d.env = reader.open()
        main_names = heard_as("MainWindow")
        d.screen.wait_active(pupil.start().window)
        reader.expect(main_frame, main_names("flowchartElementsButton"))
        main_keys = FocusChain(d, pupil.design("MainWindow").tab_order, "flowchartElementsButton", reader,
                               main_names)

        # Task 4: a refused drop, a reset, a wrong shape, the solution, the count.
        main_keys.press("hoursToMinutesButton", "space", "Задача 4 рамка", "Проверить " + button)
        names = dict({piece: f"{shown} изображение" for piece, shown in shapes.items()},
                     **{slot: slot_heard(slot, "пусто") for slot in SHAPE_SLOTS})
        keys = FocusChain(d, ["checkButton", "clearButton"] + SHAPE_PIECES + SHAPE_SLOTS, "checkButton", reader,
                          heard_as("HoursToMinutesTask", names))
        keys.press("checkButton", "space", "Блок-схема ещё не собрана верно.")
        keys.press("startSlot", "Return", "Ничего не взято.")
        keys.press("rectanglePiece", "Return", "Взята фигура: Прямоугольник.")
        keys.press("startSlot", "Return", slot_heard("startSlot", "прямоугольник") + ".")
        names["startSlot"] = slot_heard("startSlot", "прямоугольник")
        keys.press("clearButton", "space", "Блок-схема очищена, все блоки пусты.")
        names["startSlot"] = slot_heard("startSlot", "пусто")
        for piece, slot in [("diamondPiece", "startSlot")] + SHAPE_DROPS:
            shown = shapes[piece].lower()
            keys.press(piece, "Return", f"Взята фигура: {shapes[piece]}.")
            keys.press(slot, "Return", slot_heard(slot, shown) + ".")
            names[slot] = slot_heard(slot, shown)
        keys.press("checkButton", "space", "Количество ошибок: 1. Задание выполнено, появилась кнопка «ОК».")
        keys.insert_after("clearButton", "doneButton")
        keys.press("doneButton", "space", main_frame, main_names("hoursToMinutesButton"), "Выполнено")

        # Task 8: the first box with its expression, a wrong answer's box, and the form again.
        design = pupil.design("ExpressionNotationTask")
        main_keys.press("expressionNotationButton", "space", "Задача 8 рамка",
                        design.spoken_name("expression1Edit"), design.spoken_name("expression1Picture"))
        d.keyboard.type("5*a")
        keys = FocusChain(d, ["expression1Edit", "expression1CheckButton"], "expression1Edit", reader,
                          heard_as("ExpressionNotationTask"))
        keys.press("expression1CheckButton", "space", "Задача решена неверно")
        d.keyboard.press("Return")
        reader.expect("Задача 8 рамка", "Проверить " + button)
    finally:
        reader.close()


# ----- the Windows build under Wine ------------------------------------------

@journey
def windows_cosine_law(pupil):
    """Windows: the program, started in a folder without parNew.jpg, shows
    its captions at their designed widths in its own font. In Task 10 the
    parallelogram's drop is refused in a box titled "zartex", and refused
    again once the file is there but damaged; with the file back, the task
    is solved by drags and typing, the texts judged in capitals."""
    with tempfile.TemporaryDirectory(prefix="zartex-runtime-") as workdir:
        runtime_without(pupil, workdir, "parNew.jpg")
        main = pupil.start(workdir)
        # Captions' widths in the forms' font, Liberation Sans at 11 pixels: a
        # substitute is pixels wider or narrower, and long captions overflow.
        for name, designed in {"flowchartElementsButton": 106, "mathReferenceButton": 136}.items():
            x, y, w, h = main.rect(name)
            edge = scaled(4, pupil.scale)  # inside the button's edges and focus frame
            box = pupil.d.screen.shot().bounding_box((x + edge, y + edge, w - 2 * edge, h - 2 * edge),
                                                     lambda p: max(p) < 100)
            expect(box and abs(box[2] - round(designed * pupil.scale)) <= 2 * pupil.scale,
                   f"the caption of {name} spans {box}, designed {designed} px: the forms' font is not in use")
        form = pupil.open("CosineLawTask")
        form.drop("parallelogramPiece", "inputSlot")
        pupil.expect_box(form, "Cannot open file parNew.jpg")
        # A damaged picture: the decoder gives up midway, and says so.
        with open(os.path.join(workdir, "parNew.jpg"), "wb") as damaged:
            damaged.write(b"\xff\xd8\xff\xdb" + bytes(range(256)) * 4)
        form.drop("parallelogramPiece", "inputSlot")
        pupil.expect_box(form, "Файл parNew.jpg повреждён", "rus+eng")
        shutil.copy(os.path.join(pupil.args.workdir, "parNew.jpg"), workdir)
        solve_cosine_law(pupil, form)


@journey
def windows_texts(pupil):
    """Windows: every label draws its whole text as Windows draws it, at 100, 150
    and 200 %: tst_theorypages, which windows.sh builds beside the program."""
    d = pupil.d
    for factor in ("1", "1.5", "2"):
        # Wine hands a Windows console's output to no file: Qt Test writes its own.
        report = os.path.join(d.artifacts, f"{d.name}-{factor}x.txt")
        d.program.launch(["wine", pupil.args.program, "-o", wine.on_drive_z(report) + ",txt", "noTextIsClipped"],
                         pupil.args.workdir, dict(wine.environment(pupil.setting.prefix), QT_SCALE_FACTOR=factor),
                         platform=None)
        status = d.program.wait_ended(f"the measuring of the texts at {factor}x")
        said = open(report, errors="replace").read() if os.path.exists(report) else d.program.output()
        expect(status == 0 and "Totals: 3 passed" in said, f"at {factor}x: {said}")


@journey
def windows_start_menu(pupil):
    """Windows: the installed program, started from its Start-menu entry,
    runs in its own folder (Task 4's slot loads its picture from there),
    and Qt's own texts are Russian (an edit box's menu offers «Копировать»)."""
    d, prefix, caption = pupil.d, pupil.setting.prefix, pupil.design("MainWindow").caption
    entries = wine.shortcuts(prefix)
    expect(len(entries) == 1, f"the Start menu holds {entries}, not one entry of the program")
    entry = "C:\\" + os.path.relpath(entries[0], wine.drive_c(prefix)).replace("/", "\\")
    wine.set_dpi(prefix, round(96 * pupil.scale))
    # Wine's shell says why, if the shortcut does not start.
    d.program.launch(["wine", "start", entry], tempfile.gettempdir(),
                     dict(wine.environment(prefix), WINEDEBUG="fixme-all,warn+exec,trace+exec"), platform=None)

    def started_program():
        windows = map(d.screen.window, d.screen.ids(r"0x[0-9a-f]+", "xprop", "-root", "_NET_CLIENT_LIST"))
        return next((w.pid for w in windows if w and w.name == caption and w.pid), None)
    pid = wait_until(started_program, PATIENCE, "the program that the Start-menu entry starts", 0.2)
    d.program.adopt(pid)
    folder = os.path.realpath(wine.install_folder(prefix))
    expect(os.path.realpath(f"/proc/{pid}/cwd") == folder, "the Start-menu entry does not start the program in"
                                                           f" its folder but in {os.readlink(f'/proc/{pid}/cwd')}")
    pupil.wait_main()
    form = pupil.open("HoursToMinutesTask")
    form.drop_shapes(SHAPE_DROPS[:1])
    form = pupil.open("CosineLawTask")
    x, y = centre(form.rect("startEdit"))
    form.click((x, y), button=3)
    wait_until(lambda: "Копировать" in d.screen.read_text((x, y, 240, 200), language="rus"), PATIENCE,
               "the edit box's menu to offer «Копировать»")
    d.keyboard.press("Escape")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for option, meaning in (("--program", "the program, or its launcher"), ("--workdir", "the run-time pictures"),
                            ("--expect-workdir", "where an installed launcher starts the program"),
                            ("--source", "the checkout"), ("--artifacts", "where screenshots and logs go"),
                            ("--clone-into", "where the run command's clone goes"),
                            ("--wine-prefix", "run the Windows program under Wine in this prefix"),
                            ("--root", "run the program, a path inside it, in this Debian root")):
        parser.add_argument(option, help=meaning, type=os.path.abspath)
    parser.add_argument("--user", type=int, help="as this user of the root, not as root")
    parser.add_argument("--with-sh", action="store_true",
                        help="start the launcher with sh, as from a stick that shows no file executable")
    parser.add_argument("--through-loader", action="store_true",
                        help="have the system's loader run the program, as the launcher does a file without"
                             " execute bits")
    parser.add_argument("--input", choices=("mouse", "finger"), default="mouse")
    parser.add_argument("--scale", type=int, default=100, help="the screen's scale in per cent")
    parser.add_argument("--session", choices=("x11", "wayland"), default="x11")
    parser.add_argument("--bare-desktop", action="store_true",
                        help="a desktop that announces no scale (no Xft.dpi), on a monitor of 120 dpi")
    parser.add_argument("journey", choices=sorted(JOURNEYS))
    args = parser.parse_args()
    missing = missing_tools()
    if missing:
        print(f"SKIPPED: {', '.join(missing)} not installed (bash tools/test.sh installs them)")
        return SKIPPED
    where = settings.setting(args)
    name = args.journey + where.suffix + (f"-{args.scale}" if args.scale != 100 else "") + "-bare" * args.bare_desktop \
        + "-loader" * args.through_loader
    desktop = Desktop(args.artifacts, name, where, args.scale / 100, args.root, args.user, args.bare_desktop)
    try:
        desktop.open()
        JOURNEYS[args.journey](Pupil(desktop, args))
        print(f"journey {name}: passed")
        return 0
    except Skipped as reason:
        print(f"SKIPPED: {reason}")
        return SKIPPED
    except Exception as failure:  # every failure is reported the same way
        print(f"journey {name}: FAILED: {failure}")
        if not isinstance(failure, Failed):
            traceback.print_exc()
        if desktop.env:
            print("screenshot of the failure:", desktop.screen.save_shot("failure"))
        print("program output:", os.path.join(args.artifacts, f"{name}-program.log"))
        return 1
    finally:
        desktop.close()
        where.close()


if __name__ == "__main__":
    sys.exit(main())
