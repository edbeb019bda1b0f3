#!/usr/bin/env python3
"""The Windows build of Зартекс on a Windows-like machine under Wine.

    wine.py install --build BUILD-WINDOWS --prefix PREFIX --portable-into DIR --source SRC --artifacts DIR
    wine.py uninstall --prefix PREFIX
    wine.py msi-install --build BUILD-WINDOWS --prefix PREFIX --source SRC
    wine.py msi-uninstall --build BUILD-WINDOWS --prefix PREFIX

In a fresh prefix (a Russian Windows with only Wine's fonts), `install`
runs the installer silently over an older version of itself: it must
refuse while that version's program runs and change nothing, then replace
it once the program is closed; it unpacks the .zip into DIR. `msi-install`
installs the package as Group Policy would, over an older version of
itself and over a package of its own version built again, each of which it
must replace. Either way, the other installer then refuses to go over it
and changes nothing. The uninstalls must leave
nothing; the journeys run between (journeys.py --wine-prefix PREFIX).
Exit status: 0 passed, 1 failed, 77 skipped (Wine, makensis or wixl is missing).
"""
import argparse
import filecmp
import glob
import hashlib
import os
import pathlib
import re
import shutil
import subprocess
import sys
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import SKIPPED, Desktop, Failed, fail_if, wait_until  # noqa: E402
from package import check_facts, package_facts  # noqa: E402

PRODUCT = package_facts()["Title"]
UNINSTALL = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
# The registry key that stands for the Windows Installer package's
# Start-menu entry.
MSI_KEY = "Software\\Zartex"
# A first start of Wine in a new prefix may take a minute on a loaded machine.
PATIENCE = 300
# What the installer keeps beside the program's files.
SETUP_FILES = ["installed-files.txt", "uninstall.exe"]
# setup.exe's statuses (docs/windows.md): the program runs from its
# folder; a file could not be written.
SETUP_PROGRAM_RUNS, SETUP_WRITE_FAILED = 3, 6


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


def wine(prefix, *command, beside=None):
    """Runs a command alone in the prefix: a server that an earlier
    program's end left running, and that might end under this command, is
    ended first. Wine's errors, if any, are in what it printed. `beside`:
    the environment of a desktop whose program runs on in the prefix."""
    if beside is None:
        stop(prefix)
    env = dict(beside or os.environ, **dict(environment(prefix), WINEDEBUG="-all,err+all"))
    if beside is None:
        env.pop("DISPLAY", None)  # nothing is shown: the installer runs silently
    done = subprocess.run(["wine", *command], env=env, capture_output=True, timeout=PATIENCE)
    if beside is None:
        stop(prefix)
    return done


def set_dpi(prefix, dpi):
    """The screen's DPI setting (96 is 100 %), read by programs started after."""
    done = wine(prefix, "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                "/d", str(dpi), "/f")
    fail_if(done.returncode != 0, f"the DPI setting could not be written (status {done.returncode}):"
                                  f" {(done.stdout + done.stderr).decode(errors='replace')}")


def drive_c(prefix, *parts):
    return os.path.join(prefix, "drive_c", *parts)


def on_drive_z(path):
    """A path of this machine as a Windows program names it: Wine's Z: is /."""
    return "Z:" + path.replace("/", "\\")


def install_folder(prefix):
    return drive_c(prefix, "Program Files", PRODUCT)


def shortcut(prefix):
    return drive_c(prefix, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", f"{PRODUCT}.lnk")


def shortcuts(prefix):
    """The program's Start-menu entries, all users' and each user's: Wine's
    msiexec puts a per-machine entry where Windows would take the common one."""
    return glob.glob(shortcut(prefix)) + glob.glob(drive_c(prefix, "users", "*", "AppData", "Roaming", "Microsoft",
                                                           "Windows", "Start Menu", "Programs", f"{PRODUCT}.lnk"))


def registry(prefix):
    """The machine's registry as Wine keeps it: {key: {name: value}}, with
    the text values decoded."""
    stop(prefix)
    keys, values = {}, None
    with open(os.path.join(prefix, "system.reg"), encoding="utf-8", errors="replace") as reg:
        for line in reg:
            key = re.match(r"^\[(.*)\] \d+$", line.rstrip("\n"))
            if key:
                values = keys.setdefault(key.group(1).replace("\\\\", "\\"), {})
                continue
            value = re.match(r'^"((?:[^"\\]|\\.)*)"="((?:[^"\\]|\\.)*)"$', line.rstrip("\n"))
            if value and values is not None:
                values[unescape(value.group(1))] = unescape(value.group(2))
    return keys


def unescape(text):
    return re.sub(r"\\x([0-9a-fA-F]{1,4})|\\(.)", lambda m: chr(int(m.group(1), 16)) if m.group(1) else m.group(2),
                  text)


def listings(prefix):
    """The entries of "Apps and features" that name the program."""
    return {key: values for key, values in registry(prefix).items()
            if key.startswith(UNINSTALL) and values.get("DisplayName") == PRODUCT}


def staged_files(build):
    stage = os.path.join(build, "zartex")
    return sorted(os.path.relpath(path, stage) for path in glob.glob(os.path.join(stage, "**"), recursive=True)
                  if os.path.isfile(path))


def older_version(args, prefix, make, extension):
    """Another version's package, made by packaging/windows/`make` from the
    build's folder with one licence text changed and one file that the build
    no longer has; its folder and its package."""
    older = os.path.join(prefix, "older")
    shutil.copytree(os.path.join(args.build, "zartex"), os.path.join(older, "zartex"))
    with open(os.path.join(older, "zartex", "licenses", "README.txt"), "a", encoding="utf-8") as changed:
        changed.write("Старая версия.\n")
    with open(os.path.join(older, "zartex", "obsolete.txt"), "w", encoding="utf-8") as obsolete:
        obsolete.write("Этого файла в новой версии нет.\n")
    package = os.path.join(older, f"zartex-0.0.1-windows-x64{extension}")
    make_package(args, make, "0.0.1", os.path.join(older, "zartex"), package)
    return os.path.join(older, "zartex"), package


def make_package(args, make, version, folder, package):
    done = subprocess.run(["bash", os.path.join(args.source, "packaging", "windows", make), version, folder, package],
                          capture_output=True, timeout=PATIENCE)
    fail_if(done.returncode != 0, f"{make} {version} failed: {(done.stdout + done.stderr).decode(errors='replace')}")


def contents(prefix):
    """{file: digest} of the installed folder."""
    folder = install_folder(prefix)
    return {name: hashlib.sha256(pathlib.Path(folder, name).read_bytes()).hexdigest()
            for name in installed_files(prefix)}


def while_running(args, program, action):
    """action(environment) while `program` shows its first window, on a
    desktop of its own, in the same prefix."""
    from settings import Wine  # which imports this module
    desktop = Desktop(args.artifacts, "upgrade-while-running", Wine(args.prefix))
    try:
        desktop.open()
        desktop.setting.launch(desktop, [program], os.path.dirname(program), 1)
        desktop.screen.wait_first_windows()
        return action(desktop.env)
    finally:
        desktop.close()
        stop(args.prefix)


def is_new_version(args, prefix, extra):
    """The installed folder holds exactly the build's files (and `extra`)."""
    installed = installed_files(prefix)
    expected = sorted(staged_files(args.build) + extra)
    fail_if(installed != expected, f"the folder holds {installed}, expected {expected}")
    for name in staged_files(args.build):
        if not filecmp.cmp(os.path.join(install_folder(prefix), name), os.path.join(args.build, "zartex", name),
                           shallow=False):
            raise Failed(f"{name} is not the new version's")
    return installed


def new_prefix(args):
    """A fresh Windows: the version Wine plays by default (10), or the one
    --windows-version names (win7: Windows 7)."""
    if os.path.isdir(args.prefix):
        stop(args.prefix)  # a Wine still running there would outlive its files
    shutil.rmtree(args.prefix, ignore_errors=True)
    done = wine(args.prefix, "wineboot", "--init")
    if not os.path.isdir(drive_c(args.prefix, "windows")):
        raise Failed(f"wineboot did not make a Windows folder: {done.stderr.decode(errors='replace')}")
    if args.windows_version:
        set_version = wine(args.prefix, "winecfg", "/v", args.windows_version)
        version = registry(args.prefix).get("Software\\Microsoft\\Windows NT\\CurrentVersion", {})
        if args.windows_version == "win7" and version.get("CurrentVersion") != "6.1":
            said = b"".join((done.stdout, done.stderr, set_version.stdout, set_version.stderr))
            raise Failed(f"winecfg did not make the prefix Windows 7: {version}; wineboot and winecfg said:"
                         f" {said.decode(errors='replace')[-1500:]}")


def install(args):
    (installer,) = glob.glob(os.path.join(args.build, "zartex-*-setup.exe"))
    (portable,) = glob.glob(os.path.join(args.build, "zartex-*.zip"))
    new_prefix(args)
    # A file that cannot be written (a folder stands in its way) ends the
    # installation with an error, as Windows' lock on a file would.
    os.makedirs(os.path.join(install_folder(args.prefix), "qt.conf"))
    done = wine(args.prefix, installer, "/S")
    fail_if(done.returncode != SETUP_WRITE_FAILED,
            f"with a file it could not write the installer ended with status {done.returncode},"
            f" not {SETUP_WRITE_FAILED}")
    shutil.rmtree(install_folder(args.prefix))
    older, old_installer = older_version(args, args.prefix, "make-setup.sh", ".exe")
    done = wine(args.prefix, old_installer, "/S")
    fail_if(done.returncode != 0, f"the older installer ended with status {done.returncode}")
    old_files = sorted(os.path.relpath(path, older) for path in glob.glob(os.path.join(older, "**"), recursive=True)
                       if os.path.isfile(path))
    fail_if(installed_files(args.prefix) != sorted(old_files + SETUP_FILES),
            f"the older installer laid down {installed_files(args.prefix)}, not its folder's files")
    # Windows keeps a running program's files from being replaced, and a
    # classroom's deployment tool must learn that nothing was.
    before = contents(args.prefix)
    done = while_running(args, os.path.join(install_folder(args.prefix), "zartex.exe"),
                         lambda env: wine(args.prefix, installer, "/S", beside=env))
    fail_if(done.returncode != SETUP_PROGRAM_RUNS,
            f"over the running program the installer ended with status {done.returncode},"
            f" not {SETUP_PROGRAM_RUNS}")
    fail_if(contents(args.prefix) != before, "the installer refused, but changed the installed files")
    one_listing(args.prefix, "0.0.1")
    done = wine(args.prefix, installer, "/S")
    fail_if(done.returncode != 0, f"the installer ended with status {done.returncode}")
    installed = is_new_version(args, args.prefix, SETUP_FILES)
    fail_if(not os.path.isfile(shortcut(args.prefix)), f"no Start-menu entry at {shortcut(args.prefix)}")
    one_listing(args.prefix)
    (package,) = glob.glob(os.path.join(args.build, "zartex-*.msi"))
    refuses(args.prefix, "the Windows Installer package", "msiexec", "/i", package, "/qn")
    # A folder outside Program Files that exists may hold a pupil's DLL.
    foreign = drive_c(args.prefix, "Чужая")
    os.makedirs(foreign)
    pathlib.Path(foreign, "version.dll").write_bytes(b"MZ")
    refuses(args.prefix, "the installer into an existing folder outside Program Files", installer, "/S",
            "/D=C:\\Чужая")
    fail_if(os.listdir(foreign) != ["version.dll"], f"the installer wrote into {foreign}: {os.listdir(foreign)}")
    # The portable copy: the same folder, from the .zip.
    shutil.rmtree(args.portable_into, ignore_errors=True)
    with zipfile.ZipFile(portable) as archive:
        archive.extractall(args.portable_into)
    unpacked = os.path.join(args.portable_into, "zartex")
    for name in staged_files(args.build):
        fail_if(not os.path.isfile(os.path.join(unpacked, name)), f"the .zip lacks {name}")
    print(f"the installer refused while 0.0.1 ran, then replaced it: {len(installed)} files and the Start-menu"
          f" entry; unpacked the .zip into {unpacked}")


def refuses(prefix, what, *command):
    """`command` ends with an error and leaves the installed folder and
    "Apps and features" as they were."""
    installed, listed = installed_files(prefix), listings(prefix)
    done = wine(prefix, *command)
    fail_if(done.returncode == 0, f"{what} did not refuse: it ended with status 0")
    fail_if(installed_files(prefix) != installed or listings(prefix) != listed,
            f"{what} refused, but changed the installation: {installed_files(prefix)}, {sorted(listings(prefix))}")


def installed_files(prefix):
    folder = install_folder(prefix)
    return sorted(os.path.relpath(os.path.join(top, name), folder)
                  for top, _, names in os.walk(folder) for name in names)


def msiexec(prefix, *arguments):
    # Windows Installer's own log says why a package failed; Wine's output rarely does.
    log = os.path.join(prefix, "msiexec.log")
    done = wine(prefix, "msiexec", *arguments, "/qn", "/l*v", on_drive_z(log))
    if done.returncode != 0:
        # Wine writes it in the prefix's code page, Cyrillic here.
        said = pathlib.Path(log).read_bytes().decode("cp1251", errors="replace") if os.path.exists(log) else ""
        raise Failed(f"msiexec {' '.join(arguments)} /qn ended with status {done.returncode}:\n"
                     f"{done.stderr.decode(errors='replace')[-2000:]}\n{said[-3000:]}")


def one_listing(prefix, version=None):
    """The one entry of "Apps and features", which says what every package
    says of the program; `version`: that of an older package."""
    found = listings(prefix)
    fail_if(len(found) != 1, f"\"Apps and features\" lists the program {len(found)} times: {sorted(found)}")
    (entry,) = found.values()
    said = {"Publisher": entry.get("Publisher"), "Homepage": entry.get("URLInfoAbout")}
    if version:
        fail_if(entry.get("DisplayVersion") != version, f"the listing's version is {entry.get('DisplayVersion')!r}")
    else:
        said["Version"] = entry.get("DisplayVersion")
    check_facts("\"Apps and features\"", said)
    return entry


def msi_install(args):
    (package,) = glob.glob(os.path.join(args.build, "zartex-*.msi"))
    version = re.search(r"zartex-([0-9.]+)-", os.path.basename(package)).group(1)
    new_prefix(args)
    _, old_package = older_version(args, args.prefix, "make-msi.sh", ".msi")
    msiexec(args.prefix, "/i", old_package)
    one_listing(args.prefix, "0.0.1")
    if installed_files(args.prefix) != sorted(staged_files(args.build) + ["obsolete.txt"]):
        raise Failed(f"the older package laid down {installed_files(args.prefix)}, not its folder's files")
    # The same version built again has a product code of its own, as every
    # build has; the build's package then replaces it in turn.
    rebuilt = os.path.join(args.prefix, "rebuilt", os.path.basename(package))
    os.makedirs(os.path.dirname(rebuilt))
    make_package(args, "make-msi.sh", version, os.path.join(args.build, "zartex"), rebuilt)
    for each in (rebuilt, package):
        msiexec(args.prefix, "/i", each)
        installed = is_new_version(args, args.prefix, [])
        one_listing(args.prefix)
    icons = [values.get("ProductIcon", "") for key, values in registry(args.prefix).items()
             if key.startswith("Software\\Classes\\Installer\\Products\\") and values.get("ProductName") == PRODUCT]
    fail_if(len(icons) != 1 or not icons[0].endswith("zartex.ico"), f"the listing has no icon: {icons}")
    fail_if(len(shortcuts(args.prefix)) != 1, f"the Start-menu entries are {shortcuts(args.prefix)}, not one")
    (installer,) = glob.glob(os.path.join(args.build, "zartex-*-setup.exe"))
    refuses(args.prefix, "the installer", installer, "/S")
    print(f"upgraded 0.0.1 to {version}, and that to {version} built again: {len(installed)} files, one listing,"
          " the Start-menu entry; the installer refused to go over it")


def msi_uninstall(args):
    (package,) = glob.glob(os.path.join(args.build, "zartex-*.msi"))
    msiexec(args.prefix, "/x", package)
    folder = install_folder(args.prefix)
    fail_if(os.path.exists(folder), f"{folder} is left behind: {installed_files(args.prefix)}")
    fail_if(shortcuts(args.prefix), f"the Start-menu entry is left behind: {shortcuts(args.prefix)}")
    fail_if(listings(args.prefix), "the program is still listed in \"Apps and features\"")
    left = [key for key, values in registry(args.prefix).items()
            if key == MSI_KEY or key.startswith(MSI_KEY + "\\") or values.get("ProductName") == PRODUCT]
    fail_if(left, f"registry keys are left behind: {left}")
    print("msiexec /x removed the program's folder, its Start-menu entry, its listing and its registry keys")


def uninstall(args):
    folder = install_folder(args.prefix)
    done = wine(args.prefix, os.path.join(folder, "uninstall.exe"), "/S")
    fail_if(done.returncode != 0, f"the uninstaller ended with status {done.returncode}")
    # The uninstaller works from a copy of itself, which may still be busy.
    wait_until(lambda: not os.path.exists(folder), PATIENCE, f"{folder} to be removed", 0.2)
    fail_if(os.path.exists(shortcut(args.prefix)), "the Start-menu entry is left behind")
    fail_if(listings(args.prefix), "the program is still listed in \"Apps and features\"")
    print("the uninstaller removed the program's folder, its Start-menu entry and its listing")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("step", choices=("install", "uninstall", "msi-install", "msi-uninstall"))
    parser.add_argument("--build")
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--portable-into")
    parser.add_argument("--source")
    parser.add_argument("--artifacts", help="where a failing desktop keeps its screenshots and logs")
    parser.add_argument("--windows-version", help="the Windows that the new prefix plays, as winecfg names it (win7)")
    args = parser.parse_args()
    needed = ("wine", "wineserver") + {"install": ("makensis",), "msi-install": ("wixl", "wixl-heat", "msibuild")}.get(
        args.step, ())
    missing = [tool for tool in needed if not shutil.which(tool)]
    if missing:
        print(f"SKIPPED: {', '.join(missing)} not installed (bash packaging/windows/windows.sh installs them)")
        return SKIPPED
    try:
        {"install": install, "uninstall": uninstall, "msi-install": msi_install,
         "msi-uninstall": msi_uninstall}[args.step](args)
        return 0
    except Failed as failure:
        print(f"{args.step}: FAILED: {failure}")
        return 1
    finally:
        stop(args.prefix)


if __name__ == "__main__":
    sys.exit(main())
