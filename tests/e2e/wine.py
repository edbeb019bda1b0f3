#!/usr/bin/env python3
"""The Windows build of Зартекс on a Windows-like machine under Wine.

    wine.py install --build BUILD-WINDOWS --prefix PREFIX --portable-into DIR
    wine.py uninstall --prefix PREFIX

`install` makes a fresh Wine prefix (a Russian Windows whose only fonts are
Wine's own, as on a school computer without Liberation Sans), runs the
installer silently and checks what it laid down; it also unpacks the
portable .zip into DIR.  `uninstall` runs the uninstaller silently and
checks that everything the installer laid down is gone.  The journeys run
between the two (journeys.py --wine-prefix PREFIX).  Exit status: 0
passed, 1 failed, 77 skipped (Wine is missing).
"""
import argparse
import glob
import os
import shutil
import subprocess
import sys
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import JourneyFailed, wait_until  # noqa: E402

SKIPPED = 77
PRODUCT = "Зартекс"
UNINSTALL_KEY = r"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zartex"
# A first start of Wine in a new prefix may take a minute on a loaded machine.
PATIENCE = 300


class Failed(Exception):
    pass


def environment(prefix):
    """What a Windows program needs from the environment under Wine."""
    fonts = os.path.join(prefix, "fonts.conf")
    if not os.path.exists(fonts):
        os.makedirs(prefix, exist_ok=True)
        # No fonts of the Linux machine: the program must bring its own.
        with open(fonts, "w") as conf:
            conf.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n'
                       f"<fontconfig><cachedir>{prefix}/fontconfig-cache</cachedir></fontconfig>\n")
    return {"WINEPREFIX": prefix, "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "LC_ALL": "ru_RU.UTF-8", "LANG": "ru_RU.UTF-8", "FONTCONFIG_FILE": fonts}


def stop(prefix):
    """Ends every process of the prefix; its registry is written out."""
    env = dict(os.environ, **environment(prefix))
    subprocess.run(["wineserver", "-k"], env=env, capture_output=True, timeout=PATIENCE)
    subprocess.run(["wineserver", "-w"], env=env, capture_output=True, timeout=PATIENCE)


def wine(prefix, *command):
    env = dict(os.environ, **environment(prefix))
    env.pop("DISPLAY", None)  # nothing is shown: the installer runs silently
    done = subprocess.run(["wine", *command], env=env, capture_output=True, timeout=PATIENCE)
    stop(prefix)
    return done


def drive_c(prefix, *parts):
    return os.path.join(prefix, "drive_c", *parts)


def install_folder(prefix):
    return drive_c(prefix, "Program Files", PRODUCT)


def shortcut(prefix):
    return drive_c(prefix, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", f"{PRODUCT}.lnk")


def registry_has_key(prefix, key):
    stop(prefix)
    with open(os.path.join(prefix, "system.reg"), encoding="utf-8", errors="replace") as registry:
        return any(line.startswith(f"[{key}]") for line in registry)


def staged_files(build):
    stage = os.path.join(build, "zartex")
    return sorted(os.path.relpath(path, stage) for path in glob.glob(os.path.join(stage, "**"), recursive=True)
                  if os.path.isfile(path))


def install(args):
    (installer,) = glob.glob(os.path.join(args.build, "zartex-*-setup.exe"))
    (portable,) = glob.glob(os.path.join(args.build, "zartex-*.zip"))
    if os.path.isdir(args.prefix):
        stop(args.prefix)  # a Wine still running there would outlive its files
    shutil.rmtree(args.prefix, ignore_errors=True)
    done = wine(args.prefix, "wineboot", "--init")
    if not os.path.isdir(drive_c(args.prefix, "windows")):
        raise Failed(f"wineboot did not make a Windows folder: {done.stderr.decode(errors='replace')}")
    done = wine(args.prefix, installer, "/S")
    if done.returncode != 0:
        raise Failed(f"the installer ended with status {done.returncode}")
    folder = install_folder(args.prefix)
    installed = sorted(os.path.relpath(os.path.join(top, name), folder)
                       for top, _, names in os.walk(folder) for name in names)
    expected = sorted(staged_files(args.build) + ["uninstall.exe"])
    if installed != expected:
        raise Failed(f"the installer laid down {installed}, expected {expected}")
    if not os.path.isfile(shortcut(args.prefix)):
        raise Failed(f"no Start-menu entry at {shortcut(args.prefix)}")
    if not registry_has_key(args.prefix, UNINSTALL_KEY):
        raise Failed("the program is not listed in \"Apps and features\"")
    # The portable copy: the same folder, from the .zip.
    shutil.rmtree(args.portable_into, ignore_errors=True)
    with zipfile.ZipFile(portable) as archive:
        archive.extractall(args.portable_into)
    unpacked = os.path.join(args.portable_into, "zartex")
    for name in staged_files(args.build):
        if not os.path.isfile(os.path.join(unpacked, name)):
            raise Failed(f"the .zip lacks {name}")
    print(f"installed {len(installed)} files and the Start-menu entry; unpacked the .zip into {unpacked}")


def uninstall(args):
    folder = install_folder(args.prefix)
    done = wine(args.prefix, os.path.join(folder, "uninstall.exe"), "/S")
    if done.returncode != 0:
        raise Failed(f"the uninstaller ended with status {done.returncode}")
    # The uninstaller works from a copy of itself, which may still be busy.
    wait_until(lambda: not os.path.exists(folder), PATIENCE, f"{folder} to be removed", 0.2)
    if os.path.exists(shortcut(args.prefix)):
        raise Failed("the Start-menu entry is left behind")
    if registry_has_key(args.prefix, UNINSTALL_KEY):
        raise Failed("the program is still listed in \"Apps and features\"")
    print("the uninstaller removed the program's folder, its Start-menu entry and its listing")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("step", choices=("install", "uninstall"))
    parser.add_argument("--build")
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--portable-into")
    args = parser.parse_args()
    if not shutil.which("wine") or not shutil.which("wineserver"):
        print("SKIPPED: Wine is not installed (bash tools/windows.sh installs it)")
        return SKIPPED
    try:
        {"install": install, "uninstall": uninstall}[args.step](args)
        return 0
    except (Failed, JourneyFailed) as failure:
        print(f"{args.step}: FAILED: {failure}")
        return 1
    finally:
        stop(args.prefix)


if __name__ == "__main__":
    sys.exit(main())
