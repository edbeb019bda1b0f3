#!/usr/bin/env python3
"""Checks what a school admin installs.

    package.py install --build BUILD --source SRC
        `cmake --install` into a scratch prefix: program, launcher, pictures,
        menu entry and icon in their places; the entry passes
        desktop-file-validate; the launcher starts the program in the
        pictures' folder.
    package.py deb --build BUILD --source SRC
        CPack builds the .deb; its contents and Depends are checked, it is
        unpacked with dpkg -x and a journey runs from the unpacked launcher.

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
LAYOUT = ("bin/zartex", "libexec/zartex/zartex", "share/applications/zartex.desktop",
          "share/icons/hicolor/64x64/apps/zartex.png") + tuple("share/zartex/" + p for p in PICTURES)
DEPENDS = ("libqt6widgets6", "libqt6gui6", "libqt6core6", "libjpeg62-turbo", "qt6-qpa-plugins",
           "fonts-liberation")


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
    entry = os.path.join(prefix, "share/applications/zartex.desktop")
    run("desktop-file-validate", entry)
    with open(entry, encoding="utf-8") as f:
        lines = f.read().splitlines()
    for wanted in ("Exec=zartex", "Icon=zartex", "Name=Зартекс"):
        if wanted not in lines:
            raise Failed(f"the menu entry lacks {wanted}")
    size = run("identify", "-format", "%m %wx%h", os.path.join(prefix, LAYOUT[3]))
    if size != "PNG 64x64":
        raise Failed(f"the icon is {size}, not a 64x64 PNG")


def journey(source, build, prefix, name):
    status = subprocess.run([sys.executable, os.path.join(HERE, "journeys.py"),
                             "--program", os.path.join(prefix, "bin/zartex"),
                             "--expect-workdir", os.path.join(prefix, "share/zartex"),
                             "--source", source, "--artifacts", os.path.join(build, "e2e-artifacts"), name])
    if status.returncode != 0:
        raise Failed(f"the journey {name} from the installed launcher did not pass")


def install(args, scratch):
    prefix = os.path.join(scratch, "prefix")
    run("cmake", "--install", args.build, "--prefix", prefix)
    check_tree(prefix, args.source)
    journey(args.source, args.build, prefix, "installed")


def deb(args, scratch):
    run("cpack", "-G", "DEB", "-B", scratch, "--config", os.path.join(args.build, "CPackConfig.cmake"))
    packages = [f for f in os.listdir(scratch) if f.endswith(".deb")]
    if len(packages) != 1:
        raise Failed(f"cpack made {packages}, not one .deb")
    package = os.path.join(scratch, packages[0])
    print("package:", package)
    listed = {line.split()[-1].lstrip(".") for line in run("dpkg-deb", "-c", package).splitlines()}
    for path in LAYOUT:
        if "/usr/" + path not in listed:
            raise Failed(f"the package lacks /usr/{path}")
    depends = run("dpkg-deb", "-f", package, "Depends")
    print("Depends:", depends.strip())
    for name in DEPENDS:
        if name not in [d.strip().split(" ")[0] for d in depends.split(",")]:
            raise Failed(f"the package does not depend on {name}")
    root = os.path.join(scratch, "root")
    run("dpkg", "-x", package, root)
    check_tree(os.path.join(root, "usr"), args.source)
    journey(args.source, args.build, os.path.join(root, "usr"), "installed")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("what", choices=("install", "deb"))
    parser.add_argument("--build", required=True)
    parser.add_argument("--source", required=True)
    args = parser.parse_args()
    needed = ("desktop-file-validate", "identify") + (("cpack", "dpkg-deb", "dpkg-shlibdeps") if args.what == "deb" else ())
    missing = [tool for tool in needed if not shutil.which(tool)] + missing_tools()
    if missing:
        print(f"SKIPPED: {', '.join(missing)} not installed (bash tools/test.sh installs them)")
        return SKIPPED
    with tempfile.TemporaryDirectory(prefix=f"zartex-{args.what}-") as scratch:
        try:
            (install if args.what == "install" else deb)(args, scratch)
        except Failed as failure:
            print(f"{args.what}: FAILED: {failure}")
            return 1
    print(f"{args.what}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
