#!/usr/bin/env python3
"""Checks of the built files that no journey makes: what they ask of the
system they are to run on.

binaries.py windows7 FOLDER LIST: every .exe and .dll in the .zip that
packaging/windows/windows.sh made in FOLDER imports only DLLs that Windows
7 SP1 ships (or the .zip carries), and from those only functions that
MinGW-w64's headers declare for Windows 7 (_WIN32_WINNT 0x0601), less
those the headers declare wrongly; LIST (packaging/windows/windows7.txt)
names each DLL's headers and the exceptions.
binaries.py glibc FOLDER VERSION: no ELF file in the .tar.gz that carries its
own Qt, which packaging/linux/older-linux.sh made in FOLDER, asks for a glibc symbol
version newer than VERSION, nor for a libstdc++ or libgcc version (GLIBCXX_,
CXXABI_, GCC_) that the libraries it carries lack.

Each fault names the file and the import or symbol. Exit status 0: none;
1: faults; 77: the files to check, or the cross-compiler, are not there.
"""
import os
import re
import shutil
import subprocess
import sys
import tarfile
import tempfile
import zipfile

SKIPPED = 77
CROSS_COMPILER = "x86_64-w64-mingw32-gcc-posix"
WINDOWS_7 = ["-D_WIN32_WINNT=0x0601", "-DWINVER=0x0601", "-DNTDDI_VERSION=0x06010000"]


def objdump(*arguments):
    return subprocess.run(["objdump", *arguments], capture_output=True, text=True, check=True).stdout


def windows_imports(path):
    """{DLL: [functions]} of a PE file's import table; a function imported
    by its number alone is named "#number"."""
    imports, dll = {}, None
    for line in objdump("-p", path).splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            dll = named[1]
            imports[dll] = []
        elif dll and re.match(r"\s+[0-9a-f]+\s+\d+\s+\S+", line):
            imports[dll].append(line.split()[-1])
        elif dll and (ordinal := re.match(r"\s+[0-9a-f]+\s+<none>\s+([0-9a-f]+)", line)):
            imports[dll].append(f"#{int(ordinal[1], 16)}")
        elif not line.strip():
            dll = None
    return imports


def read_windows7_list(path):
    """{DLL: its headers} of the DLLs that Windows 7 SP1 ships, and by DLL
    the functions that its headers leave undeclared though Windows 7 SP1 has
    them, and those they declare though it lacks them."""
    headers, undeclared, newer, section = {}, {}, {}, None
    for line in open(path, encoding="utf-8"):
        line = line.split("#")[0].strip()
        if not line:
            continue
        if line.startswith("["):
            section = line.strip("[]")
            continue
        dll, names = (part.strip() for part in line.split(":"))
        table = {"dlls": headers, "undeclared": undeclared, "newer": newer}[section]
        table.setdefault(dll.lower(), set()).update(names.split())
    return headers, undeclared, newer


def declared_for_windows7(headers, functions):
    """Of `functions`, those that `headers` declare with Windows 7's API
    level: each name's address is taken in C, where an undeclared name is an
    error that names it."""
    defines = [f"#define {h[2:].replace('=', ' ')}\n" for h in headers if h.startswith("-D")]
    source = "".join(defines) + \
        "".join(f"#include <{h}>\n" for h in sorted(headers, key=header_order) if not h.startswith("-D")) + \
        "void imported(void *volatile *to)\n{\n" + \
        "".join(f"    *to = (void *)&{name};\n" for name in functions) + "}\n"
    done = subprocess.run([CROSS_COMPILER, "-fsyntax-only", "-fmax-errors=0", *WINDOWS_7, "-x", "c", "-"],
                          input=source, capture_output=True, text=True, env=dict(os.environ, LC_ALL="C"))
    undeclared = set(re.findall(r"error: '(\w+)' undeclared", done.stderr))
    other = [line for line in done.stderr.splitlines() if "error:" in line and "undeclared" not in line]
    if other or (done.returncode != 0 and not undeclared):
        raise RuntimeError(f"the headers {' '.join(sorted(headers))} could not be read:\n{done.stderr[-2000:]}")
    return set(functions) - undeclared


def header_order(header):
    """Winsock's headers before windows.h, which would pull in the old ones."""
    return (header not in ("winsock2.h", "ws2tcpip.h"), header != "windows.h", header)


def windows7_faults(binaries, shown, listing):
    """The faults of the PE files `binaries`, named by shown(path)."""
    headers, undeclared, newer = listing
    carried = {os.path.basename(path).lower() for path in binaries}
    imported = {}  # {dll: {function: [who imports it]}}
    faults = []
    for path in sorted(binaries):
        for dll, functions in windows_imports(path).items():
            if dll.lower() in carried:
                continue
            if dll.lower() not in headers:
                faults.append(f"{shown(path)} imports {dll}, which Windows 7 SP1 does not ship")
                continue
            for function in functions:
                imported.setdefault(dll.lower(), {}).setdefault(function, []).append((shown(path), dll))
    for dll, functions in sorted(imported.items()):
        names = [f for f in functions if re.fullmatch(r"[A-Za-z_]\w*", f) and f not in undeclared.get(dll, ())]
        declared = declared_for_windows7(headers[dll], names)
        for function, importers in sorted(functions.items()):
            if function in newer.get(dll, ()):
                why = "which Windows 7 SP1 lacks, though MinGW-w64's headers declare it (windows7.txt, [newer])"
            elif function.startswith("#"):
                why = "by its number alone, which no header names"
            elif function in declared or function in undeclared.get(dll, ()):
                continue
            else:
                why = "which MinGW-w64's headers do not declare for Windows 7 (_WIN32_WINNT 0x0601)"
            faults += [f"{who} imports {function} from {spelt}, {why}" for who, spelt in importers]
    return faults


def check_windows7(folder, listing_path):
    listing = read_windows7_list(listing_path)
    (package,) = [os.path.join(folder, f) for f in os.listdir(folder) if f.endswith(".zip")]
    with tempfile.TemporaryDirectory() as scratch:
        # The check first proves on a program of its own that it finds a
        # newer Windows' function, one the headers guard and one they do not.
        control = os.path.join(scratch, "control.exe")
        subprocess.run([CROSS_COMPILER, "-D_WIN32_WINNT=0x0A00", "-o", control, "-x", "c", "-"], check=True,
                       input="#include <windows.h>\nint main(void) { return SetDefaultDllDirectories(0)"
                             " + (int)GetDpiForWindow(0); }\n", text=True, capture_output=True)
        missed = [name for name in ("SetDefaultDllDirectories", "GetDpiForWindow")
                  if not any(f" {name} " in fault for fault in windows7_faults([control], os.path.basename, listing))]
        if missed:
            return [f"the check itself let {', '.join(missed)} pass, which Windows 7 SP1 lacks"]
        with zipfile.ZipFile(package) as archive:
            archive.extractall(scratch)
        os.remove(control)
        binaries = [os.path.join(top, name) for top, _, names in os.walk(scratch) for name in names
                    if name.lower().endswith((".exe", ".dll"))]
        return windows7_faults(binaries, lambda path: os.path.relpath(path, scratch), listing)


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
    if check == "windows7" and not shutil.which(CROSS_COMPILER):
        print(f"SKIPPED: {CROSS_COMPILER} not installed (bash packaging/windows/windows.sh installs it)")
        return SKIPPED
    try:
        faults = check_windows7(*arguments) if check == "windows7" else check_glibc(*arguments)
    except RuntimeError as failure:
        faults = [str(failure)]
    print("\n".join(faults) or "no fault found")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
