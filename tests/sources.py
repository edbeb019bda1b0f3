#!/usr/bin/env python3
"""Checks of the program's sources that the compiler alone does not make.

    sources.py layers --layers FILE --compile-commands FILE
        Each layer sees the headers of exactly the layers it links: every
        header of a linked layer preprocesses with the layer's own compile
        command, and no header of another layer is found. A header named
        *_p.h is its own layer's business (as in Qt) and is left out.
    sources.py texts --lupdate PROGRAM --source SRC
        Every Cyrillic string literal of the program's C++ is collected by
        Qt's lupdate, i.e. stands in tr() or translate(); a literal that is an
        answer key (compared with what the pupil types, never shown) says so
        in a comment on its line.

Exit status 0 passed, 1 failed.
"""
import argparse
import json
import os
import pathlib
import re
import shlex
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree


def layer_command(commands, target):
    """The compile command of one of `target`'s own sources, as a list."""
    for entry in commands:
        if f"CMakeFiles/{target}.dir/" in entry.get("output", entry["command"]) and \
                entry["file"].endswith(".cpp") and "_autogen" not in entry["file"]:
            words = entry.get("arguments") or shlex.split(entry["command"])
            return words, entry["directory"], entry["file"]
    sys.exit(f"no compile command of {target} in the compile database")


def preprocesses(command, directory, source, probe):
    words = [probe if w == source else w for w in command]
    if "-o" in words:
        del words[words.index("-o"):words.index("-o") + 2]
    result = subprocess.run(words + ["-E", "-o", os.devnull], cwd=directory, capture_output=True, text=True)
    return result.returncode == 0, (result.stderr.strip().splitlines() or [""])[0]


def check_layers(args):
    layers = {}
    for line in pathlib.Path(args.layers).read_text().splitlines():
        name, folder, links = line.split("|")
        layers[name] = (folder, {link[len("zartex_"):] for link in links.split(";") if link.startswith("zartex_")})
    commands = json.loads(pathlib.Path(args.compile_commands).read_text())
    faults = []
    with tempfile.TemporaryDirectory() as scratch:
        for name, (_, links) in sorted(layers.items()):
            command, directory, source = layer_command(commands, f"zartex_{name}")
            for other, (folder, _) in sorted(layers.items()):
                if other == name:
                    continue
                headers = sorted(h for h in pathlib.Path(folder).glob("*.h") if not h.name.endswith("_p.h"))
                probe = pathlib.Path(scratch, f"{name}-includes-{other}.cpp")
                probe.write_text("".join(f'#include "{header.name}"\n' for header in headers))
                found, error = preprocesses(command, directory, source, str(probe))
                if other in links and not found:
                    faults.append(f"{name} links {other} but cannot include its headers: {error}")
                elif other not in links and found:
                    faults.append(f"{name} includes the headers of {other} without linking it")
    print("\n".join(faults) or f"{len(layers)} layers see exactly the layers they link")
    return 1 if faults else 0


CYRILLIC_LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*[\u0400-\u04ff](?:[^"\\\n]|\\.)*)"')


def cyrillic_literals(path):
    """(line, text) of each Cyrillic string literal outside comments."""
    text = path.read_text(encoding="utf-8")
    # Comments become blanks of the same lines, so line numbers stay.
    code = re.sub(r'//[^\n]*|/\*.*?\*/|"(?:[^"\\\n]|\\.)*"',
                  lambda m: m.group(0) if m.group(0).startswith('"') else re.sub(r"[^\n]", " ", m.group(0)),
                  text, flags=re.S)
    lines = text.splitlines()
    for match in CYRILLIC_LITERAL.finditer(code):
        line = code.count("\n", 0, match.start()) + 1
        if "// answer key" not in lines[line - 1]:
            yield line, match.group(1)


def check_texts(args):
    source = pathlib.Path(args.source)
    files = subprocess.run(["git", "ls-files", "*.cpp", "*.h"], cwd=source, capture_output=True, text=True,
                           check=True).stdout.split()
    program = [source / f for f in files if not f.startswith(("tests/", "tools/", "bench/"))]
    with tempfile.TemporaryDirectory() as scratch:
        catalogue = pathlib.Path(scratch, "texts.ts")
        subprocess.run([args.lupdate, "-silent", "-locations", "absolute", *map(str, program), "-ts", str(catalogue)],
                       check=True)
        collected = {}  # file -> [(line, source text)]
        for message in ElementTree.parse(catalogue).iter("message"):
            for location in message.iter("location"):
                where = (pathlib.Path(catalogue.parent, location.get("filename"))).resolve()
                collected.setdefault(where, []).append((int(location.get("line")), message.findtext("source")))
    faults = []
    for path in program:
        for line, literal in cyrillic_literals(path):
            # lupdate gives the line of the call, which may stand a few lines above its text.
            if not any(line - 3 <= at <= line and literal in text for at, text in collected.get(path.resolve(), [])):
                faults.append(f"{path.relative_to(source)}:{line}: \"{literal}\" is outside Qt's translation functions")
    print("\n".join(faults) or "every Cyrillic text of the program is in Qt's translation functions")
    return 1 if faults else 0


def main():
    parser = argparse.ArgumentParser()
    checks = parser.add_subparsers(dest="check", required=True)
    layers = checks.add_parser("layers")
    layers.add_argument("--layers", required=True)
    layers.add_argument("--compile-commands", required=True)
    texts = checks.add_parser("texts")
    texts.add_argument("--lupdate", required=True)
    texts.add_argument("--source", required=True)
    args = parser.parse_args()
    return check_layers(args) if args.check == "layers" else check_texts(args)


if __name__ == "__main__":
    sys.exit(main())
