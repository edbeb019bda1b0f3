#!/usr/bin/env python3
"""Checks of the program's sources that the compiler alone does not make.

sources.py layers LAYERS COMPILE_COMMANDS README: each layer links only the
layers that the table of arrows allows (CMakeLists.txt), preprocesses the
headers of the layers it links and finds no other layer's (a *_p.h header is
its own layer's business, as in Qt), and the README draws the table as it is;
every place that docs/exercises.md names for adding a page is in the sources;
the README and docs/install.md give each system the same file and command.
sources.py texts LAYERS LUPDATE: every Cyrillic literal of the program's C++
is an argument of Qt's translation functions, and lupdate collects it, or it
is an answer key, written inside AnswerKeys{...}, which nothing shows.

LAYERS, written by the build: the table's lines, "arrow|<line>", then a line
"layer|<name>|<folder>|<the targets it links>" for each layer.
"""
import json
import os
import pathlib
import re
import shlex
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

# Open to every layer: the few calls that differ between Qt 5 and Qt 6.
EVERY_LAYERS_OWN = "qtversion"
TRANSLATING = ("tr", "translate", "QT_TR_NOOP", "QT_TRANSLATE_NOOP")
ANSWER_KEYS = "AnswerKeys"


def read_layers(layers_file):
    arrows, layers = [], {}
    for line in pathlib.Path(layers_file).read_text().splitlines():
        kind, _, rest = line.partition("|")
        if kind == "arrow":
            arrows.append(rest)
        elif kind == "layer":
            name, folder, links = rest.split("|")
            layers[name] = (pathlib.Path(folder), {link[7:] for link in links.split(";") if link.startswith("zartex_")})
    return arrows, layers


PLACEHOLDER = re.compile(r"<[a-z]+>", re.I)


def check_places(root):
    """The places that docs/exercises.md names: its files by their paths,
    its code and the tests' names by their shape (a <name> stands for any)."""
    guide = root / "docs/exercises.md"
    code = "\n".join(p.read_text(encoding="utf-8") for folder in ("app", "tasks", "theory", "tests/gui")
                     for p in sorted((root / folder).glob("*")) if p.suffix in (".cpp", ".h", ".ui"))
    faults = []
    for place in sorted(set(re.findall(r"`([^`\n]+)`", guide.read_text(encoding="utf-8")))):
        if "/" in place and " " not in place:
            found = any(root.glob(PLACEHOLDER.sub("*", place).rstrip("/")))
        elif PLACEHOLDER.search(place) or re.fullmatch(r"[a-z]+[A-Z]\w*", place):
            found = re.search(r"\w+".join(re.escape(part) for part in PLACEHOLDER.split(place)), code)
        else:
            found = True
        if not found:
            faults.append(f"{guide} names `{place}`, which the sources lack")
    return faults


def markdown_table(text, header):
    """The rows, as lists of cells, of the table that `header` heads in `text`."""
    lines = text.splitlines()
    if header not in lines:
        return None
    rows = []
    for line in lines[lines.index(header) + 2:]:
        if not line.startswith("|"):
            break
        rows.append([cell.strip() for cell in line.strip().strip("|").split(" | ")])
    return rows


INSTALL_TABLE = "| System | File | Install command |"
SYSTEMS_TABLE = "| System | Qt | glibc | Install | |"


def check_install_tables(root):
    """The README and docs/install.md give each system the same file and the
    same command, and the file is the first that the table of systems'
    details offers it (or, for the folder with its own Qt, "the `.tar.gz`")."""
    readme, guide = ((root / name).read_text(encoding="utf-8") for name in ("README.md", "docs/install.md"))
    told, listed, details = (markdown_table(readme, INSTALL_TABLE), markdown_table(guide, INSTALL_TABLE),
                             markdown_table(guide, SYSTEMS_TABLE))
    if not told or not listed or not details:
        return [f"the README and docs/install.md no longer hold the tables headed {INSTALL_TABLE} and {SYSTEMS_TABLE}"]
    faults = [f"the README says {row}, docs/install.md {other}"
              for row, other in zip(told, listed) if row != other]
    if len(told) != len(listed):
        faults.append(f"the README's table of installs has {len(told)} systems, docs/install.md's {len(listed)}")
    offered = {row[0]: re.search(r"`([^`]+)`", row[3]) for row in details}
    for system, file, command in listed:
        first = offered.get(system)
        if file.strip("`") not in command:
            faults.append(f"docs/install.md installs {system}'s {file} with {command}")
        if system not in offered:
            faults.append(f"docs/install.md gives {system} {file}, but says nothing else of it")
        elif not first or not (first[1] == file.strip("`") or file.endswith(first[1] + "`")):
            faults.append(f"docs/install.md gives {system} {file}, but its details offer {first and first[1]} first")
    return faults


def check_layers(layers_file, database, readme):
    arrows, layers = read_layers(layers_file)
    allowed = {}
    for arrow in arrows:
        name, _, targets = arrow.partition("->")
        allowed[name.strip()] = {t.strip() for t in targets.split(",") if t.strip()}
    faults = check_places(pathlib.Path(readme).parent) + check_install_tables(pathlib.Path(readme).parent)
    drawing = "\n".join("    " + arrow for arrow in arrows) + "\n"
    if drawing not in pathlib.Path(readme).read_text(encoding="utf-8"):
        faults.append(f"{readme} does not draw the layers as the table in CMakeLists.txt has them:\n{drawing}")
    for name, (_, links) in sorted(layers.items()):
        for other in sorted(links - allowed.get(name, set()) - {EVERY_LAYERS_OWN}):
            faults.append(f"{name} links {other}, but the table of layers (CMakeLists.txt) has no arrow from {name}"
                          f" to {other}")
    commands = json.loads(pathlib.Path(database).read_text())
    for name, (_, links) in sorted(layers.items()):
        entry = next((e for e in commands if f"CMakeFiles/zartex_{name}.dir/" in e["command"]
                      and e["file"].endswith(".cpp") and "_autogen" not in e["file"]), None)
        if entry is None:  # a layer of headers alone compiles nothing of its own
            continue
        words = shlex.split(entry["command"])
        del words[words.index("-o"):words.index("-o") + 2]
        for other, (folder, _) in sorted(layers.items()):
            if other == name:
                continue
            with tempfile.NamedTemporaryFile("w", suffix=".cpp") as probe:
                probe.write("".join(f'#include "{h.name}"\n' for h in sorted(folder.glob("*.h"))
                                    if not h.name.endswith("_p.h")))
                probe.flush()
                run = subprocess.run([probe.name if w == entry["file"] else w for w in words] + ["-E", "-o", os.devnull],
                                     cwd=entry["directory"], capture_output=True, text=True)
            if other in links and run.returncode != 0:
                faults.append(f"{name} links {other} but cannot include its headers: {run.stderr.strip()}")
            elif other not in links and other != EVERY_LAYERS_OWN and run.returncode == 0:
                faults.append(f"{name} includes the headers of {other} without linking it")
    return faults


# Comments, string literals and character literals, in the order they come.
TOKENS = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:[^"\\\n]|\\.)*"|\'(?:[^\'\\\n]|\\.)*\'', re.S)


def string_literals(text):
    """The string literals of C++ `text`, and the code with its comments and
    the insides of its literals blanked, each line and column where it was."""
    literals, code = [], list(text)
    for token in TOKENS.finditer(text):
        if token[0].startswith('"'):
            literals.append(token)
        keep = () if token[0].startswith("/") else (token.start(), token.end() - 1)
        for at in range(token.start(), token.end()):
            if at not in keep and code[at] != "\n":
                code[at] = " "
    return literals, "".join(code)


def enclosing_call(code, position):
    """The name before the nearest bracket that holds `position` open, and
    that bracket: ("tr", "(") inside tr(...)."""
    depth = 0
    for at in range(position - 1, -1, -1):
        if code[at] in ")]}":
            depth += 1
        elif code[at] in "([{":
            if depth == 0:
                name = re.search(r"([A-Za-z_][A-Za-z_0-9]*)\s*$", code[:at])
                return (name[1] if name else ""), code[at]
            depth -= 1
    return "", ""


def check_texts(layers_file, lupdate):
    _, layers = read_layers(layers_file)
    program = sorted(path for folder, _ in layers.values() for path in folder.iterdir()
                     if path.suffix in (".cpp", ".h"))
    collected = set()  # (file, line of the call, text)
    with tempfile.TemporaryDirectory() as scratch:
        catalogue = pathlib.Path(scratch, "texts.ts")
        subprocess.run([lupdate, "-silent", *map(str, program), "-ts", str(catalogue)], check=True)
        for message in ElementTree.parse(catalogue).iter("message"):
            for at in message.iter("location"):
                collected.add(((catalogue.parent / at.get("filename")).resolve(), int(at.get("line")),
                               message.findtext("source")))
    faults = []
    for path in program:
        text = path.read_text(encoding="utf-8")
        literals, code = string_literals(text)
        for literal in literals:
            said = literal[0][1:-1]
            if not re.search("[\u0400-\u04ff]", said):
                continue
            line = text.count("\n", 0, literal.start()) + 1
            where = f"{path.relative_to(path.parent.parent)}:{line}: \"{said}\""
            name, bracket = enclosing_call(code, literal.start())
            if name == ANSWER_KEYS:
                continue
            if name not in TRANSLATING or bracket != "(":
                faults.append(f"{where} is outside Qt's translation functions"
                              f" (and is no answer key, which goes inside {ANSWER_KEYS}{{...}})")
            # lupdate names the line of the call, which may stand a little above its text.
            elif not any(file == path.resolve() and line - 3 <= at <= line and said in source
                         for file, at, source in collected):
                faults.append(f"{where} is in {name}(), but lupdate does not collect it")
    return faults


if __name__ == "__main__":
    check, *arguments = sys.argv[1:]
    faults = check_layers(*arguments) if check == "layers" else check_texts(*arguments)
    print("\n".join(faults) or "no fault found")
    sys.exit(1 if faults else 0)
