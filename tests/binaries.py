#!/usr/bin/env python3
"""Checks of the built files that no journey makes: what they ask of the
system they are to run on.

binaries.py windows7 FOLDER LIST: no .exe or .dll in the .zip that
packaging/windows/windows.sh made in FOLDER imports a DLL that Windows 7 SP1 does not ship (nor the .zip carries), or a
function that Windows 7 SP1 lacks (LIST, packaging/windows/windows7.txt).
binaries.py glibc FOLDER VERSION: no ELF file in the .tar.gz that carries its
own Qt, which packaging/linux/older-linux.sh made in FOLDER, asks for a glibc symbol
version newer than VERSION, nor for a libstdc++ or libgcc version (GLIBCXX_,
CXXABI_, GCC_) that the libraries it carries lack.

Each fault names the file and the import or symbol. Exit status 0: none;
1: faults; 77: the files to check are not there.
"""
import os
import re
import subprocess
import sys
import tarfile
import tempfile
import zipfile

SKIPPED = 77


def objdump(*arguments):
    return subprocess.run(["objdump", *arguments], capture_output=True, text=True, check=True).stdout


def windows_imports(path):
    """{DLL: [functions]} of a PE file's import table."""
    imports, dll = {}, None
    for line in objdump("-p", path).splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            dll = named[1]
            imports[dll] = []
        elif dll and re.match(r"\s+[0-9a-f]+\s+\d+\s+\S+", line):
            imports[dll].append(line.split()[-1])
        elif not line.strip():
            dll = None
    return imports


def read_windows7_list(path):
    """The DLLs that Windows 7 SP1 ships, and the functions it lacks, by DLL."""
    shipped, lacking, section = set(), {}, None
    for line in open(path, encoding="utf-8"):
        line = line.split("#")[0].strip()
        if not line:
            continue
        if line.startswith("["):
            section = line.strip("[]")
        elif section == "shipped":
            shipped.add(line.lower())
        else:
            dll, functions = line.split(":")
            lacking.setdefault(dll.strip().lower(), set()).update(functions.split())
    return shipped, lacking


def check_windows7(folder, listing):
    shipped, lacking = read_windows7_list(listing)
    faults = []
    (package,) = [os.path.join(folder, f) for f in os.listdir(folder) if f.endswith(".zip")]
    with tempfile.TemporaryDirectory() as scratch:
        with zipfile.ZipFile(package) as archive:
            archive.extractall(scratch)
        binaries = [os.path.join(top, name) for top, _, names in os.walk(scratch) for name in names
                    if name.lower().endswith((".exe", ".dll"))]
        carried = {os.path.basename(path).lower() for path in binaries}
        for path in sorted(binaries):
            shown = os.path.relpath(path, scratch)
            for dll, functions in windows_imports(path).items():
                if dll.lower() in carried:
                    continue
                if dll.lower() not in shipped:
                    faults.append(f"{shown} imports {dll}, which Windows 7 SP1 does not ship")
                    continue
                for function in functions:
                    if function in lacking.get(dll.lower(), ()):
                        faults.append(f"{shown} imports {function} from {dll}, which Windows 7 SP1 lacks")
    return faults


def version_tuple(name):
    return tuple(int(n) for n in re.findall(r"\d+", name))


def check_glibc(packages, floor):
    (tarball,) = [os.path.join(packages, f) for f in os.listdir(packages) if f.endswith(".tar.gz")]
    with tempfile.TemporaryDirectory() as folder:
        with tarfile.open(tarball) as archive:
            archive.extractall(folder)
        return check_elves(folder, floor)


def check_elves(folder, floor):
    elves = []
    for top, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(top, name)
            if not os.path.islink(path) and open(path, "rb").read(4) == b"\x7fELF":
                elves.append(path)
    # The versions that the libraries the folder carries define.
    carried = set()
    for path in elves:
        if re.search(r"lib(stdc\+\+|gcc_s)\.so", path):
            carried.update(re.findall(r"^\s*\d+\s+0x\w+\s+0x\w+\s+(\S+)$", objdump("-p", path), re.M))
    faults = []
    for path in sorted(elves):
        shown = os.path.relpath(path, folder)
        for version, symbol in re.findall(r"\*UND\*\s+\S+\s+(?:Base\s+)?\(?([A-Z]+_[\d.]+)\)?\s+(\S+)$",
                                          objdump("-T", path), re.M):
            family = version.split("_")[0]
            if family == "GLIBC" and version_tuple(version) > version_tuple(floor):
                faults.append(f"{shown} asks for {symbol} of {version}, newer than glibc {floor}")
            elif family in ("GLIBCXX", "CXXABI", "GCC") and version not in carried:
                faults.append(f"{shown} asks for {symbol} of {version}, which the carried libraries lack")
    return faults


def main():
    check, *arguments = sys.argv[1:]
    target = arguments[0]
    if not os.path.isdir(target) or not any(f.endswith((".zip", ".tar.gz")) for f in os.listdir(target)):
        print(f"SKIPPED: {target} holds no build to check (packaging/windows/windows.sh and packaging/linux/older-linux.sh make them)")
        return SKIPPED
    faults = check_windows7(*arguments) if check == "windows7" else check_glibc(*arguments)
    print("\n".join(faults) or "no fault found")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
