#!/usr/bin/env python3
"""Checks of the program's sources that the compiler alone does not make.

sources.py layers LAYERS COMPILE_COMMANDS: each layer preprocesses the headers
of the layers it links, and finds no other layer's (a *_p.h header is its own
layer's business, as in Qt).
sources.py texts LUPDATE SOURCE: lupdate collects every Cyrillic literal of the
program's C++, but for answer keys, which a comment on their line names.
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


def check_layers(layers_file, database):
    layers = {}
    for line in pathlib.Path(layers_file).read_text().splitlines():
        name, folder, links = line.split("|")
        layers[name] = (pathlib.Path(folder), {link[7:] for link in links.split(";") if link.startswith("zartex_")})
    commands = json.loads(pathlib.Path(database).read_text())
    faults = []
    for name, (_, links) in sorted(layers.items()):
        entry = next(e for e in commands if f"CMakeFiles/zartex_{name}.dir/" in e["command"]
                     and e["file"].endswith(".cpp") and "_autogen" not in e["file"])
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
            elif other not in links and run.returncode == 0:
                faults.append(f"{name} includes the headers of {other} without linking it")
    return faults


def check_texts(lupdate, source):
    source = pathlib.Path(source).resolve()
    files = subprocess.run(["git", "ls-files", "*.cpp", "*.h"], cwd=source, capture_output=True, text=True,
                           check=True).stdout.split()
    program = [source / f for f in files if not f.startswith(("tests/", "tools/", "bench/"))]
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
        # Comments are blanked out, keeping the lines where they are.
        code = re.sub(r'//[^\n]*|/\*.*?\*/|"(?:[^"\\\n]|\\.)*"',
                      lambda m: m[0] if m[0][0] == '"' else re.sub(r"[^\n]", " ", m[0]), text, flags=re.S)
        for literal in re.finditer(r'"((?:[^"\\\n]|\\.)*[\u0400-\u04ff](?:[^"\\\n]|\\.)*)"', code):
            line = code.count("\n", 0, literal.start()) + 1
            # lupdate names the line of the call, which may stand a little above its text.
            if "// answer key" not in text.splitlines()[line - 1] and not any(
                    where == path and line - 3 <= at <= line and literal[1] in said for where, at, said in collected):
                faults.append(f"{path.relative_to(source)}:{line}: \"{literal[1]}\" is outside Qt's translation functions")
    return faults


if __name__ == "__main__":
    check, *arguments = sys.argv[1:]
    faults = check_layers(*arguments) if check == "layers" else check_texts(*arguments)
    print("\n".join(faults) or "no fault found")
    sys.exit(1 if faults else 0)
