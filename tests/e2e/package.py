#!/usr/bin/env python3
"""Checks what a school admin installs.

    package.py install --build BUILD --source SRC
        `cmake --install` into a scratch prefix: program, launcher, pictures,
        menu entry, icons, listing and documents in their places; the entry
        passes desktop-file-validate and the listing appstreamcli validate;
        the launcher starts the program in the pictures' folder.
    package.py deb --build BUILD --source SRC
        CPack builds the .deb; its contents, Depends and Recommends are
        checked, lintian finds nothing, it is unpacked with dpkg -x and a
        journey runs from the unpacked launcher.
    package.py rpm --build BUILD --source SRC
        CPack builds the .rpm; its contents and Requires are checked and
        rpmlint reports no error.

Exit status 0 passed, 1 failed, 77 skipped (a tool is missing).
"""
import argparse
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from desktop import missing_tools  # noqa: E402

SKIPPED = 77
PICTURES = ("circleNew.jpg", "parNew.jpg", "prNew.jpg", "uslNew.jpg", "fon.jpg")
# Paths below the prefix, as the package lays them out.
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
ENTRY = "share/applications/org.example.zartex.desktop"
LISTING = "share/metainfo/org.example.zartex.metainfo.xml"
LAYOUT = (("bin/zartex", "libexec/zartex/zartex", ENTRY, LISTING, "share/icons/hicolor/scalable/apps/zartex.svg",
           "share/man/man1/zartex.1.gz", "share/doc/zartex/copyright", "share/doc/zartex/changelog.gz")
          + tuple(f"share/icons/hicolor/{n}x{n}/apps/zartex.png" for n in ICON_SIZES)
          + tuple("share/zartex/" + p for p in PICTURES))
DEPENDS = ("libqt6widgets6", "libqt6gui6", "libqt6core6", "libjpeg62-turbo", "qt6-qpa-plugins",
           "qt6-translations-l10n")
RECOMMENDS = ("qt6-wayland",)
RPM_REQUIRES = ("libQt6Widgets.so.6()(64bit)", "libjpeg.so.62()(64bit)", "qt6-qtbase-gui", "qt6-qttranslations")
# The program carries the forms' font; a package that asks for a font
# package anyway pulls in what it never uses.
FONT_PACKAGE = ("fonts-", "font(")
LICENCE = "GPL-3.0-or-later"
RPM_SUGGESTS = ("qt6-qtwayland",)


class Failed(Exception):
    pass


def run(*command, **kwargs):
    done = subprocess.run(command, capture_output=True, text=True, **kwargs)
    if done.returncode != 0:
        raise Failed(f"{' '.join(command)} failed:\n{done.stdout}{done.stderr}")
    return done.stdout


def check_tree(prefix, source):
    """The installed files are there, the pictures are the run-time ones,
    the launcher is executable and the menu entry and icon are valid."""
    for path in LAYOUT:
        if not os.path.isfile(os.path.join(prefix, path)):
            raise Failed(f"{path} is not installed under {prefix}")
    for name in ("bin/zartex", "libexec/zartex/zartex"):
        if not os.access(os.path.join(prefix, name), os.X_OK):
            raise Failed(f"{name} is not executable")
    for picture in PICTURES:
        if not filecmp.cmp(os.path.join(prefix, "share/zartex", picture),
                           os.path.join(source, "assets/runtime", picture), shallow=False):
            raise Failed(f"the installed {picture} differs from assets/runtime/{picture}")
    entry = os.path.join(prefix, ENTRY)
    run("desktop-file-validate", entry)
    with open(entry, encoding="utf-8") as f:
        lines = f.read().splitlines()
    for wanted in ("Exec=zartex", "Icon=zartex", "Name=Зартекс"):
        if wanted not in lines:
            raise Failed(f"the menu entry lacks {wanted}")
    for n in ICON_SIZES:
        size = run("identify", "-format", "%m %wx%h", os.path.join(prefix, f"share/icons/hicolor/{n}x{n}/apps/zartex.png"))
        if size != f"PNG {n}x{n}":
            raise Failed(f"the {n}x{n} icon is {size}")
    # Pedantic notes fail too; nothing is fetched from the network.
    run("appstreamcli", "validate", "--pedantic", "--no-net", os.path.join(prefix, LISTING))
    with open(os.path.join(prefix, LISTING), encoding="utf-8") as listing:
        if f"<project_license>{LICENCE}</project_license>" not in listing.read():
            raise Failed(f"the listing does not give the licence {LICENCE}")
    with open(os.path.join(prefix, "share/doc/zartex/copyright"), encoding="utf-8") as copyright:
        paragraphs = copyright.read().split("\n\n")
    program = next((p.splitlines() for p in paragraphs if p.startswith("Files: *\n")), [])
    if f"License: {LICENCE}" not in program:
        raise Failed(f"the copyright file does not give the program's files the licence {LICENCE}")


def journey(source, build, prefix, name):
    status = subprocess.run([sys.executable, os.path.join(HERE, "journeys.py"),
                             "--program", os.path.join(prefix, "bin/zartex"),
                             "--expect-workdir", os.path.join(prefix, "share/zartex"),
                             "--source", source, "--artifacts", os.path.join(build, "e2e-artifacts"), name])
    if status.returncode != 0:
        raise Failed(f"the journey {name} from the installed launcher did not pass")


def install(args, scratch):
    if "sudo cmake --install build" not in readme_commands(args.source):
        raise Failed("the README no longer installs with `cmake --install build`")
    prefix = os.path.join(scratch, "prefix")
    run("cmake", "--install", args.build, "--prefix", prefix)
    check_tree(prefix, args.source)
    journey(args.source, args.build, prefix, "installed")


def readme_commands(source):
    """The README's indented command lines."""
    with open(os.path.join(source, "README.md"), encoding="utf-8") as readme:
        return [line.strip() for line in readme if line.startswith("    ") and line.strip()]


def build_package(args, scratch, generator, listing):
    """Runs CPack's `generator` as the README does (into a scratch folder
    rather than the build folder); checks that the one package it made is
    the file the README's install line names and holds the layout below
    /usr, as `listing` (a command) lists its paths."""
    commands = readme_commands(args.source)
    if f"(cd build && cpack -G {generator})" not in commands:
        raise Failed(f"the README no longer builds the package with `cpack -G {generator}`")
    run("cpack", "-G", generator, "-B", scratch, "--config", os.path.join(args.build, "CPackConfig.cmake"))
    suffix = "." + generator.lower()
    packages = [f for f in os.listdir(scratch) if f.endswith(suffix)]
    if len(packages) != 1:
        raise Failed(f"cpack made {packages}, not one {suffix}")
    promised = [c for c in commands if c.startswith("sudo ") and c.endswith(suffix)]
    if promised != [f"sudo {'apt' if generator == 'DEB' else 'dnf'} install ./build/{packages[0]}"]:
        raise Failed(f"cpack made {packages[0]}, but the README installs {promised}")
    package = os.path.join(scratch, packages[0])
    print("package:", package)
    listed = {line.split()[-1].lstrip(".") for line in run(*listing, package).splitlines() if line.strip()}
    for path in LAYOUT:
        if "/usr/" + path not in listed:
            raise Failed(f"the package lacks /usr/{path}")
    return package


def deb(args, scratch):
    package = build_package(args, scratch, "DEB", ("dpkg-deb", "-c"))
    for field, wanted in (("Depends", DEPENDS), ("Recommends", RECOMMENDS)):
        value = run("dpkg-deb", "-f", package, field)
        print(f"{field}:", value.strip())
        named = [d.strip().split(" ")[0] for d in value.split(",")]
        for name in wanted:
            if name not in named:
                raise Failed(f"the package's {field} lacks {name}")
        if any(name.startswith(FONT_PACKAGE) for name in named):
            raise Failed(f"the package's {field} asks for a font package: {value.strip()}")
    # Every error and warning counts; notes (I:, P:) do not.
    done = subprocess.run(["lintian", "--tag-display-limit", "0", package], capture_output=True, text=True)
    print(done.stdout, end="")
    complaints = [line for line in done.stdout.splitlines() if line[:2] in ("E:", "W:")]
    if complaints:
        raise Failed("lintian complains:\n" + "\n".join(complaints))
    if done.returncode != 0:
        raise Failed(f"lintian did not run: {done.stderr}")
    root = os.path.join(scratch, "root")
    run("dpkg", "-x", package, root)
    check_tree(os.path.join(root, "usr"), args.source)
    journey(args.source, args.build, os.path.join(root, "usr"), "installed")


def rpm(args, scratch):
    package = build_package(args, scratch, "RPM", ("rpm", "-qlp"))
    for field, wanted in (("requires", RPM_REQUIRES), ("suggests", RPM_SUGGESTS)):
        named = [line.split(" ")[0] for line in run("rpm", "-qp", "--" + field, package).splitlines()]
        print(f"{field}:", ", ".join(named))
        for name in wanted:
            if name not in named:
                raise Failed(f"the package's {field} lack {name}")
        if any(name.startswith(FONT_PACKAGE) for name in named):
            raise Failed(f"the package's {field} ask for a font package: {', '.join(named)}")
    licence = run("rpm", "-qp", "--queryformat", "%{LICENSE}", package)
    if licence != LICENCE:
        raise Failed(f"the package's License is {licence!r}, not {LICENCE}")
    done = subprocess.run(["rpmlint", "-c", os.path.join(args.source, "tools/install/rpmlint.toml"), package],
                          capture_output=True, text=True)
    print(done.stdout, end="")
    errors = [line for line in done.stdout.splitlines() if ": E: " in line]
    if errors or " 0 errors" not in done.stdout:
        raise Failed("rpmlint reports errors:\n" + "\n".join(errors) + done.stderr)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("what", choices=("install", "deb", "rpm"))
    parser.add_argument("--build", required=True)
    parser.add_argument("--source", required=True)
    args = parser.parse_args()
    needed = ("desktop-file-validate", "identify", "appstreamcli") + {
        "install": (), "deb": ("cpack", "dpkg-deb", "dpkg-shlibdeps", "lintian"),
        "rpm": ("cpack", "rpmbuild", "rpm", "rpmlint")}[args.what]
    missing = [tool for tool in needed if not shutil.which(tool)] + missing_tools()
    if missing:
        print(f"SKIPPED: {', '.join(missing)} not installed (bash tools/test.sh installs them)")
        return SKIPPED
    with tempfile.TemporaryDirectory(prefix=f"zartex-{args.what}-") as scratch:
        try:
            {"install": install, "deb": deb, "rpm": rpm}[args.what](args, scratch)
        except Failed as failure:
            print(f"{args.what}: FAILED: {failure}")
            return 1
    print(f"{args.what}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
