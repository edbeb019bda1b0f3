#!/usr/bin/env python3
"""Checks what a school admin installs (docs/testing.md tells each check).

    package.py install|deb|rpm --build BUILD --source SRC [--package-dir DIR]
    package.py system|folder --suite SUITE --package-dir DIR --build BUILD --source SRC [--own-qt]
    package.py system|newcomer --suite SUITE --build BUILD --source SRC

`install` is `cmake --install`; `deb` and `rpm` run CPack, or take the
package that packaging/linux/older-linux.sh put into DIR; `system` installs that .deb
into a fresh Debian SUITE and removes it; `folder` unpacks the .tar.gz that
carries its own Qt there; without DIR, `system` installs the .deb that
CPack makes here. `newcomer` follows the README on a fresh SUITE and
builds and tests the sources there. Journeys run with each installed program.
Exit status 0 passed, 1 failed, 77 skipped (a tool is missing).
"""
import argparse
import contextlib
import filecmp
import gzip
import hashlib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from desktop import PATIENCE, SKIPPED, Failed, Skipped, fail_if, missing_tools  # noqa: E402

PICTURES = ("circleNew.jpg", "parNew.jpg", "prNew.jpg", "uslNew.jpg", "fon.jpg")
# Paths below the prefix, as the package lays them out.
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
ENTRY = "share/applications/org.example.zartex.desktop"
LISTING = "share/metainfo/org.example.zartex.metainfo.xml"
LAYOUT = (("bin/zartex", "libexec/zartex/zartex", ENTRY, LISTING, "share/icons/hicolor/scalable/apps/zartex.svg",
           "share/man/man1/zartex.1.gz", "share/doc/zartex/copyright", "share/doc/zartex/changelog.gz")
          + tuple(f"share/icons/hicolor/{n}x{n}/apps/zartex.png" for n in ICON_SIZES)
          + tuple("share/zartex/" + p for p in PICTURES))
# What the packages ask for, by the major version of the Qt they are built
# against; neither may name a package of the other Qt.
DEPENDS = {"6": ("libqt6widgets6", "libqt6gui6", "libqt6core6", "qt6-qpa-plugins", "qt6-translations-l10n"),
           "5": ("libqt5widgets5", "libqt5gui5", "libqt5core5a", "qttranslations5-l10n")}
RECOMMENDS = {"6": ("qt6-wayland",), "5": ("qtwayland5",)}
RPM_REQUIRES = {"6": ("libQt6Widgets.so.6()(64bit)", "qt6-qtbase-gui", "qt6-qttranslations"),
                "5": ("libQt5Widgets.so.5()(64bit)",)}
RPM_SUGGESTS = {"6": ("qt6-qtwayland",), "5": ("qt5-qttranslations", "qt5-qtwayland")}
OTHER_QT = {"6": "qt5", "5": "qt6"}
# The system's libjpeg; the packages for older systems carry their own and
# name none, since Debian's libjpeg62-turbo is missing elsewhere (Ubuntu).
SYSTEM_JPEG = {"Depends": "libjpeg62-turbo", "requires": "libjpeg.so.62()(64bit)"}
# The program carries the forms' font; a package that asks for a font
# package anyway pulls in what it never uses.
FONT_PACKAGE = ("fonts-", "font(")
LICENCE = "GPL-3.0-or-later"
DEBIAN_ROOT = os.path.join(HERE, "..", "..", "packaging", "linux", "debian-root.sh")


def package_facts():
    """What every package must say of the program, as packaging/facts
    writes it: {field: text}, a description's lines joined by newlines."""
    facts, field = {}, None
    with open(os.path.join(HERE, "..", "..", "packaging", "facts"), encoding="utf-8") as written:
        for line in (line.rstrip("\n") for line in written if not line.startswith("#")):
            if line.startswith(" ") and field:
                facts[field] += "\n" + line[1:]
            elif ":" in line:
                field, value = line.split(":", 1)
                facts[field] = value.strip()
    return facts


def check_facts(what, said, words_only=False):
    """`said` ({field: text}) is what packaging/facts holds, or, where a
    format wraps texts as it likes, the same words."""
    facts = package_facts()
    same = (lambda a, b: a.split() == b.split()) if words_only else str.__eq__
    wrong = [f"{field} {value!r}, not {facts[field]!r}" for field, value in said.items() if not same(value, facts[field])]
    fail_if(wrong, f"{what} says otherwise than packaging/facts: " + "; ".join(wrong))


def check_deb_facts(package):
    field = lambda name: run("dpkg-deb", "-f", package, name).rstrip("\n")  # noqa: E731
    summary, *lines = field("Description").split("\n")
    # The folder's .deb adds a paragraph of its own.
    description = "\n".join(line[1:] for line in lines).split("\n.\n")[0]
    check_facts(package, {"Name": field("Package"), "Version": field("Version"), "Maintainer": field("Maintainer"),
                          "Homepage": field("Homepage"), "Summary": summary, "Description": description})


def check_listing_facts(listing):
    """The software centres' listing, and the newest release it names."""
    component = ElementTree.parse(listing).getroot()
    own = lambda tag: next(e.text for e in component.iter(tag) if not e.attrib)  # noqa: E731
    paragraph = next(p for p in component.find("description") if not p.attrib)
    check_facts(listing, {"Title": own("name"), "Summary": own("summary"), "Developer": own("developer_name"),
                          "Homepage": component.find("url[@type='homepage']").text,
                          "Description": paragraph.text, "Version": component.find("releases/release").get("version")},
                words_only=True)


def run(*command, **kwargs):
    done = subprocess.run(command, capture_output=True, text=True, **kwargs)
    fail_if(done.returncode != 0, f"{' '.join(command)} failed:\n{done.stdout}{done.stderr}")
    return done.stdout


def check_tree(prefix, source):
    """The installed files are there, the pictures are the run-time ones,
    the launcher is executable and the menu entry and icon are valid."""
    for path in LAYOUT:
        fail_if(not os.path.isfile(os.path.join(prefix, path)), f"{path} is not installed under {prefix}")
    for name in ("bin/zartex", "libexec/zartex/zartex"):
        fail_if(not os.access(os.path.join(prefix, name), os.X_OK), f"{name} is not executable")
    # The launcher hands its arguments on: Qt's own -platform reaches the
    # program, which then ends at once, as no such platform exists.
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    said = subprocess.run([os.path.join(prefix, "bin/zartex"), "-platform", "zartex-none"], capture_output=True,
                          text=True, env=env, timeout=PATIENCE)
    fail_if('"zartex-none"' not in said.stdout + said.stderr,
            f"the launcher did not hand -platform on; the program said: {said.stderr[-600:]}")
    for picture in PICTURES:
        if not filecmp.cmp(os.path.join(prefix, "share/zartex", picture),
                           os.path.join(source, "assets/runtime", picture), shallow=False):
            raise Failed(f"the installed {picture} differs from assets/runtime/{picture}")
    entry = os.path.join(prefix, ENTRY)
    run("desktop-file-validate", entry)
    with open(entry, encoding="utf-8") as f:
        lines = f.read().splitlines()
    for wanted in ("Exec=zartex", "Icon=zartex", "Name=Зартекс"):
        fail_if(wanted not in lines, f"the menu entry lacks {wanted}")
    for n in ICON_SIZES:
        size = run("identify", "-format", "%m %wx%h", os.path.join(prefix, f"share/icons/hicolor/{n}x{n}/apps/zartex.png"))
        fail_if(size != f"PNG {n}x{n}", f"the {n}x{n} icon is {size}")
    # Pedantic notes fail too; nothing is fetched from the network.
    run("appstreamcli", "validate", "--pedantic", "--no-net", os.path.join(prefix, LISTING))
    check_listing_facts(os.path.join(prefix, LISTING))
    with gzip.open(os.path.join(prefix, "share/doc/zartex/changelog.gz"), "rt", encoding="utf-8") as changelog:
        newest = changelog.readline()
    check_facts("the changelog", {"Version": re.sub(r"^zartex \((\S+)\).*\n", r"\1", newest)})
    with open(os.path.join(prefix, LISTING), encoding="utf-8") as listing:
        if f"<project_license>{LICENCE}</project_license>" not in listing.read():
            raise Failed(f"the listing does not give the licence {LICENCE}")
    with open(os.path.join(prefix, "share/doc/zartex/copyright"), encoding="utf-8") as copyright:
        paragraphs = copyright.read().split("\n\n")
    program = next((p.splitlines() for p in paragraphs if p.startswith("Files: *\n")), [])
    if f"License: {LICENCE}" not in program:
        raise Failed(f"the copyright file does not give the program's files the licence {LICENCE}")


def journey(args, name, *options):
    artifacts = os.path.join(args.build, "e2e-artifacts", *([args.suite] if args.suite else []))
    status = subprocess.run([sys.executable, os.path.join(HERE, "journeys.py"), *options, "--source", args.source,
                             "--artifacts", artifacts, name])
    fail_if(status.returncode != 0, f"the journey {name} with the installed program did not pass")


def installed_journey(args, prefix):
    journey(args, "theory", "--program", os.path.join(prefix, "bin/zartex"),
            "--expect-workdir", os.path.join(prefix, "share/zartex"))


def install(args, scratch):
    if "sudo cmake --install build" not in readme_commands(args.source):
        raise Failed("the README no longer installs with `cmake --install build`")
    prefix = os.path.join(scratch, "prefix")
    run("cmake", "--install", args.build, "--prefix", prefix)
    check_tree(prefix, args.source)
    installed_journey(args, prefix)


def readme_commands(source):
    """The README's indented command lines."""
    with open(os.path.join(source, "README.md"), encoding="utf-8") as readme:
        return [line.strip() for line in readme if line.startswith("    ") and line.strip()]


def build_package(args, scratch, generator, listing):
    """Runs CPack's `generator` as the README does, into `scratch`: one package,
    the file the README installs, holding the layout as `listing` lists it."""
    commands = readme_commands(args.source)
    if f"(cd build && cpack -G {generator})" not in commands:
        raise Failed(f"the README no longer builds the package with `cpack -G {generator}`")
    run("cpack", "-G", generator, "-B", scratch, "--config", os.path.join(args.build, "CPackConfig.cmake"))
    suffix = "." + generator.lower()
    packages = [f for f in os.listdir(scratch) if f.endswith(suffix)]
    fail_if(len(packages) != 1, f"cpack made {packages}, not one {suffix}")
    promised = [c for c in commands if c.startswith("sudo ") and c.endswith(suffix)]
    if promised != [f"sudo {'apt' if generator == 'DEB' else 'dnf'} install ./build/{packages[0]}"]:
        raise Failed(f"cpack made {packages[0]}, but the README installs {promised}")
    package = os.path.join(scratch, packages[0])
    check_listing(package, listing)
    return package


def check_listing(package, listing):
    print("package:", package)
    listed = {line.split()[-1].lstrip(".") for line in run(*listing, package).splitlines() if line.strip()}
    for path in LAYOUT:
        fail_if("/usr/" + path not in listed, f"the package lacks /usr/{path}")


def built_package(args, suffix, listing=None):
    """The package that packaging/linux/older-linux.sh made, checked as one built here
    is; its file name says which systems it is for, as docs/install.md does."""
    skipped = os.path.join(args.package_dir, "SKIPPED")
    if os.path.exists(skipped):  # the build left every package out, and said why
        raise Skipped(open(skipped, encoding="utf-8").read().strip().removeprefix("SKIPPED: "))
    own = suffix != ".rpm" and (args.own_qt or suffix == ".tar.gz")
    packages = [f for f in os.listdir(args.package_dir) if f.endswith(suffix) and ("own-qt" in f) == own] \
        if os.path.isdir(args.package_dir) else []
    if not packages and own:
        raise Skipped(f"{args.package_dir} holds no {suffix} that carries its own Qt"
                      " (sudo bash packaging/linux/older-linux.sh builds its Qt once)")
    if len(packages) != 1:
        raise Failed(f"{args.package_dir} holds {packages}, not one {suffix} (bash packaging/linux/older-linux.sh makes it)")
    with open(os.path.join(args.source, "docs/install.md"), encoding="utf-8") as guide:
        if f"`{packages[0]}`" not in guide.read():
            raise Failed(f"docs/install.md does not say which systems {packages[0]} is for")
    package = os.path.join(args.package_dir, packages[0])
    sums = os.path.join(args.package_dir, "SHA256SUMS")
    fail_if(not os.path.exists(sums) or subprocess.run(["sha256sum", "--check", "--ignore-missing", "--status", "SHA256SUMS"],
                                                       cwd=args.package_dir).returncode != 0
            or f"  {packages[0]}\n" not in open(sums, encoding="utf-8").read(),
            f"{sums} does not vouch for {packages[0]}")
    if listing:
        check_listing(package, listing)
    return package


def base_packages(source):
    """The base that the build with its own Qt takes from the system: the
    first of each line's alternatives."""
    with open(os.path.join(source, "packaging/linux/folder/base-packages"), encoding="utf-8") as base:
        return [line.split("|")[0].split("(")[0].strip() for line in base if line.strip() and line[0] != "#"]


def lint(package):
    """lintian finds no error or warning; notes (I:, P:) do not count."""
    done = subprocess.run(["lintian", "--tag-display-limit", "0", package], capture_output=True, text=True)
    print(done.stdout, end="")
    complaints = [line for line in done.stdout.splitlines() if line[:2] in ("E:", "W:")]
    fail_if(complaints, "lintian complains:\n" + "\n".join(complaints))
    fail_if(done.returncode != 0, f"lintian did not run: {done.stderr}")


def check_names(args, field, named, wanted):
    """All that is wanted, and neither a font package nor a package of the
    other Qt; a package for older systems names no libjpeg."""
    wanted = wanted[args.qt_major] + ((SYSTEM_JPEG[field],) if field in SYSTEM_JPEG and not args.package_dir else ())
    for name in wanted:
        fail_if(name not in named, f"the package's {field} lacks {name}")
    if any(name.startswith(FONT_PACKAGE) for name in named):
        raise Failed(f"the package's {field} asks for a font package: {', '.join(named)}")
    other = [name for name in named if OTHER_QT[args.qt_major] in name.lower()
             or (args.package_dir and "jpeg" in name.lower())]
    fail_if(other, f"the package, built against Qt {args.qt_major}, names in its {field} {', '.join(other)}")


def deb(args, scratch):
    listing = ("dpkg-deb", "-c")
    package = built_package(args, ".deb", listing) if args.package_dir else build_package(args, scratch, "DEB", listing)
    for field, wanted in (("Depends", DEPENDS), ("Recommends", RECOMMENDS)):
        value = run("dpkg-deb", "-f", package, field)
        print(f"{field}:", value.strip())
        named = [name.strip().split(" ")[0] for alternatives in value.split(",") for name in alternatives.split("|")]
        check_names(args, field, named, wanted)
    check_deb_facts(package)
    lint(package)
    root = os.path.join(scratch, "root")
    run("dpkg", "-x", package, root)
    check_tree(os.path.join(root, "usr"), args.source)
    with open(os.path.join(root, "usr/share/doc/zartex/copyright"), encoding="utf-8") as copyright:
        if args.package_dir and "the Independent JPEG Group" not in copyright.read():
            raise Failed("the program carries libjpeg-turbo, but its copyright file does not say so")
    installed_journey(args, os.path.join(root, "usr"))


def rpm(args, scratch):
    listing = ("rpm", "-qlp")
    package = built_package(args, ".rpm", listing) if args.package_dir else build_package(args, scratch, "RPM", listing)
    for field, wanted in (("requires", RPM_REQUIRES), ("suggests", RPM_SUGGESTS)):
        named = [line.split(" ")[0] for line in run("rpm", "-qp", "--" + field, package).splitlines()]
        print(f"{field}:", ", ".join(named))
        check_names(args, field, named, wanted)
    said = run("rpm", "-qp", "--queryformat", "%{NAME}\n%{VERSION}\n%{PACKAGER}\n%{VENDOR}\n%{URL}\n%{SUMMARY}\n%{DESCRIPTION}",
               package).split("\n", 6)
    check_facts(package, dict(zip(("Name", "Version", "Maintainer", "Developer", "Homepage", "Summary", "Description"),
                                  said)))
    licence = run("rpm", "-qp", "--queryformat", "%{LICENSE}", package)
    fail_if(licence != LICENCE, f"the package's License is {licence!r}, not {LICENCE}")
    done = subprocess.run(["rpmlint", "-c", os.path.join(args.source, "packaging/install/rpmlint.toml"), package],
                          capture_output=True, text=True)
    print(done.stdout, end="")
    errors = [line for line in done.stdout.splitlines() if ": E: " in line]
    fail_if(errors or " 0 errors" not in done.stdout, "rpmlint reports errors:\n" + "\n".join(errors) + done.stderr)


def package_paths(package):
    """The paths a .deb lays down; folders end in "/"."""
    # Each line: mode, owner, size, date, time, then the path (and a link's target).
    return [line.split(maxsplit=5)[5].split(" -> ")[0].lstrip(".")
            for line in run("dpkg-deb", "-c", package).splitlines() if line.strip()]


# The desktop's pointer theme, which every desktop has: the journeys see by
# the pointer's shape that a drag has begun.
POINTER_THEME = ("libxcursor1", "dmz-cursor-theme")
APT = dict(os.environ, DEBIAN_FRONTEND="noninteractive")


@contextlib.contextmanager
def debian_root(root, suite, *packages):
    """A fresh Debian `suite` at `root`, holding `packages`; yields the
    command that runs a command there."""
    run("bash", DEBIAN_ROOT, "remove", root)  # left by a run that was stopped
    try:
        run("bash", DEBIAN_ROOT, "make", suite, root, *packages)
        yield ("bash", DEBIAN_ROOT, "run", root)
    finally:
        run("bash", DEBIAN_ROOT, "remove", root)


def system(args, scratch):
    listing = None if args.own_qt else ("dpkg-deb", "-c")
    package = built_package(args, ".deb", listing) if args.package_dir else build_package(args, scratch, "DEB", listing)
    if args.own_qt:
        check_deb_facts(package)
        lint(package)
        depends = run("dpkg-deb", "-f", package, "Depends")
        named = [alternatives.split("|")[0].split("(")[0].strip() for alternatives in depends.split(",")]
        fail_if(named != base_packages(args.source), f"the package depends on {depends.strip()}, not on the base list")
    root = os.path.join(args.build, f"debian-root-{args.suite}" + ("-own-qt" if args.own_qt else ""))
    with debian_root(root, args.suite) as in_root:
        shutil.copy(package, os.path.join(root, "tmp"))
        run(*in_root, "apt-get", "install", "-y", "--no-install-recommends", "/tmp/" + os.path.basename(package),
            *POINTER_THEME, env=APT)
        # Every form at 100 % on a desktop that announces no scale.
        journey(args, "start", "--root", root, "--program", "/usr/bin/zartex", "--bare-desktop")
        journey(args, "cosine-law", "--root", root, "--program", "/usr/bin/zartex")
        run(*in_root, "apt-get", "remove", "-y", "zartex", env=APT)
        # Its files and its own folders; the shared folders stay.
        left = [path for path in package_paths(package)
                if (not path.endswith("/") or "zartex" in path) and os.path.lexists(root + path)]
        fail_if(left, f"apt remove left {', '.join(left)}")


def newcomer(args, scratch):
    """A fresh Debian `suite`, as a newcomer's machine: the README's run
    command builds and shows the program from the release's sources; they
    build again with every warning an error, the unit tests pass, and the
    build, installed, passes the start and Task 10 journeys."""
    root = os.path.join(args.build, f"debian-root-{args.suite}-newcomer")
    # The compiler's work is kept in the build folder between runs.
    ccache = os.path.join(args.build, f"ccache-{args.suite}")
    os.makedirs(ccache, exist_ok=True)
    with debian_root(root, args.suite, *POINTER_THEME) as in_root:
        os.makedirs(os.path.join(root, "src"))
        shutil.move(ccache, os.path.join(root, "src", "ccache"))
        try:
            journey(args, "run-command", "--root", root, "--clone-into", os.path.join(root, "src"))
            build = ("cd /src/zartex && bash packaging/install-deps.sh python3 &&"
                     " cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DZARTEX_WERROR=ON"
                     " -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null && cmake --build build-test -j$(nproc) &&"
                     " (cd build-test && ctest -L unit --output-on-failure) && cmake --install build-test")
            print(run(*in_root, "sh", "-c", build, env=dict(APT, CCACHE_DIR="/src/ccache"))[-3000:])
        finally:
            shutil.move(os.path.join(root, "src", "ccache"), ccache)
        journey(args, "start", "--root", root, "--program", "/usr/local/bin/zartex", "--bare-desktop")
        journey(args, "cosine-law", "--root", root, "--program", "/usr/local/bin/zartex")


def folder(args, scratch):
    tarball = built_package(args, ".tar.gz")
    root = os.path.join(args.build, f"debian-root-folder-{args.suite}")
    with debian_root(root, args.suite, *base_packages(args.source), *POINTER_THEME) as in_root:
        # A pupil unpacks it in their home folder, which is then made read-only.
        run(*in_root, "useradd", "--create-home", "--uid", str(PUPIL), "pupil")
        shutil.copy(tarball, os.path.join(root, "tmp"))
        run(*in_root, "setpriv", f"--reuid={PUPIL}", f"--regid={PUPIL}", "--clear-groups", "--",
            "tar", "-C", "/home/pupil", "-xzf", "/tmp/" + os.path.basename(tarball))
        inside = "/home/pupil/" + os.path.basename(tarball)[:-len(".tar.gz")]
        # As a FAT stick shows it (this kernel mounts no FAT): no file is
        # executable, and nothing may be written there.
        run(*in_root, "find", inside, "-type", "f", "-exec", "chmod", "a-x", "{}", "+")
        run(*in_root, "chmod", "-R", "a-w", inside)
        faults = []
        for path in run(*in_root, "find", inside, "-type", "f", "-name", "*.so*", "-o", "-type", "f",
                        "-path", "*/libexec/zartex/zartex").split():
            for library, resolved in re.findall(r"^\s*(\S+) => (.*?)(?: \(0x|$)", run(*in_root, "ldd", path), re.M):
                if resolved.startswith(inside + "/"):
                    continue
                if resolved == "not found" or "libQt" in library or os.path.exists(f"{root}{inside}/lib/{library}"):
                    faults.append(f"{path[len(inside) + 1:]}: {library} => {resolved}")
        fail_if(faults, "libraries not taken from the folder:\n" + "\n".join(faults))
        # The list an administrator signs for Astra's closed software environment.
        elf_files = sorted(path[len(root):] for top, _, names in os.walk(root + inside)
                           for path in (os.path.join(top, name) for name in names) if is_elf(path))
        listed = run(*in_root, "sh", f"{inside}/elf-files.sh").split("\n")[:-1]
        fail_if(listed != elf_files, f"elf-files.sh lists {listed}, not the folder's ELF files {elf_files}")
        for options in (("start", "--bare-desktop"), ("cosine-law",)):
            journey(args, *options, "--root", root, "--user", str(PUPIL), "--program", f"{inside}/bin/zartex",
                    "--with-sh")
        # As root, install.sh puts it into /opt/zartex from a stick as older
        # udisks mounts FAT or NTFS: the pupil's, folders 0700, files 0600.
        system_files = ("find", "/opt", "/usr", "-xdev")
        before = set(run(*in_root, *system_files).split())
        stick = "/media/stick/" + os.path.basename(inside)
        run(*in_root, "sh", "-c", f"mkdir -p /media/stick && cp -R {inside} /media/stick/ && chown -R {PUPIL} {stick}"
            f" && find {stick} -type d -exec chmod 0700 {{}} + && find {stick} -type f -exec chmod 0600 {{}} +")
        refusals(args, root, in_root, stick)
        run(*in_root, "sh", f"{stick}/install.sh")
        check_installed_modes(root)
        journey(args, "theory", "--root", root, "--user", str(PUPIL), "--program", "/usr/bin/zartex",
                "--expect-workdir", f"{root}/opt/zartex/share/zartex")
        fail_if(not all(os.path.exists(root + path) for path in (f"/usr/{ENTRY}", "/usr/share/icons/hicolor/scalable/"
                                                                 "apps/zartex.svg")), "install.sh put no menu entry or icon")
        # Again, over itself, from the pupil's copy that lost its execute bits.
        run(*in_root, "sh", f"{inside}/install.sh")
        check_installed_modes(root)
        run(*in_root, "sh", "/opt/zartex/uninstall.sh")
        left = sorted(set(run(*in_root, *system_files).split()) - before)
        fail_if(left, f"uninstall.sh left {left}")


def refusals(args, root, in_root, stick):
    """install.sh refuses a copy of the stick spoilt in each way, naming what
    it refuses; elf-files.sh lists nothing of a copy whose files are not
    those its list gives. Where a zartex package is installed, install.sh
    names it."""
    copy = stick + "-spoilt"
    for spoil in (leading_out, program_as_picture, linked_out):
        shutil.copytree(root + stick, root + copy, symlinks=True)
        named = spoil(root, root + copy)
        refused(in_root, f"{copy}/install.sh", named)
        if spoil is program_as_picture:
            listed = subprocess.run([*in_root, "sh", f"{copy}/elf-files.sh"], capture_output=True, text=True)
            fail_if(listed.returncode == 0 or listed.stdout or named not in listed.stderr,
                    f"elf-files.sh listed a copy whose {named} is a program:\n{listed.stdout}{listed.stderr}")
        shutil.rmtree(root + copy)
    deb = [f for f in os.listdir(args.package_dir) if f.endswith(".deb") and "own-qt" in f]
    fail_if(len(deb) != 1, f"{args.package_dir} holds {deb}, not one .deb that carries its own Qt")
    shutil.copy(os.path.join(args.package_dir, deb[0]), os.path.join(root, "tmp"))
    run(*in_root, "dpkg", "-i", "/tmp/" + deb[0])
    refused(in_root, f"{stick}/install.sh", "sudo apt remove zartex")
    run(*in_root, "dpkg", "--purge", "zartex")


def refused(in_root, script, named):
    """`script` refuses in Russian, naming `named`, and changes nothing in /opt or /usr."""
    state = ("find", "/opt", "/usr", "-xdev", "-printf", "%p %m %U %s %T@\n")
    before = set(run(*in_root, *state).splitlines())
    done = subprocess.run([*in_root, "sh", script], capture_output=True, text=True)
    said = done.stdout + done.stderr
    fail_if(done.returncode == 0 or "Ничего не изменено" not in said or named not in said,
            f"{script} did not refuse, in Russian and naming {named} (status {done.returncode}):\n{said}")
    changed = sorted(set(run(*in_root, *state).splitlines()) ^ before)
    fail_if(changed, f"{script} refused, but changed {changed[:20]}:\n{said}")


# Copies of the stick that install.sh refuses; each spoils the copy at a
# path, and gives what the refusal names.
def leading_out(root, copy):
    """A line of system-files that leads out of /usr, its sum in the list
    made right: only the path gives it away."""
    line = "../../etc/cron.d/zartex"
    with open(os.path.join(copy, "share/zartex/system-files"), "a", encoding="utf-8") as listed:
        listed.write(line + "\n")
    rehash(copy, "share/zartex/system-files")
    return line


def program_as_picture(root, copy):
    """A pupil's program put in a picture's place; signed for Astra's closed
    software environment, it would run anywhere there."""
    shutil.copy(os.path.join(copy, "libexec/zartex/zartex"), os.path.join(copy, "share/zartex/fon.jpg"))
    return "share/zartex/fon.jpg"


def linked_out(root, copy):
    """A picture that is a link out of the folder, to a file of the same sum."""
    os.replace(os.path.join(copy, "share/zartex/fon.jpg"), os.path.join(root, "tmp/fon.jpg"))
    os.symlink("/tmp/fon.jpg", os.path.join(copy, "share/zartex/fon.jpg"))
    return "share/zartex/fon.jpg"


def rehash(folder, path):
    sums = os.path.join(folder, "share/zartex/sha256sums")
    with open(os.path.join(folder, path), "rb") as file:
        line = f"{hashlib.sha256(file.read()).hexdigest()}  {path}"
    with open(sums, encoding="utf-8") as listed:
        lines = [line if old.endswith("  " + path) else old for old in listed.read().splitlines()]
    with open(sums, "w", encoding="utf-8") as listed:
        listed.write("\n".join(lines) + "\n")


# The folder's programs: install.sh makes these 0755 and every other file
# 0644, whatever the copy it runs from shows.
FOLDER_PROGRAMS = {"bin/zartex", "libexec/zartex/zartex", "install.sh", "uninstall.sh", "elf-files.sh"}


def check_installed_modes(root):
    """The folder and what went to /usr are root's, and readable by all."""
    opt = os.path.join(root, "opt/zartex")
    wanted = {}
    for top, _, files in os.walk(opt):
        wanted[top] = 0o40755
        for path in (os.path.join(top, name) for name in files):
            wanted[path] = 0o100755 if os.path.relpath(path, opt) in FOLDER_PROGRAMS else 0o100644
    with open(os.path.join(opt, "share/zartex/system-files"), encoding="utf-8") as listed:
        for path in (os.path.join(root, "usr", line.strip()) for line in listed if line.strip()):
            wanted[path] = 0o100644
            while (path := os.path.dirname(path)) != os.path.join(root, "usr/share"):
                wanted[path] = 0o40755
    wrong = [f"{path[len(root):]} {oct(stat.st_mode)} {stat.st_uid}:{stat.st_gid}" for path, mode in wanted.items()
             if ((stat := os.lstat(path)).st_mode, stat.st_uid, stat.st_gid) != (mode, 0, 0)]
    fail_if(wrong, "install.sh laid down files that are not root's with 0755 for folders and programs and 0644"
            " for the rest:\n" + "\n".join(wrong))


def is_elf(path):
    if os.path.islink(path):
        return False
    with open(path, "rb") as file:
        return file.read(4) == b"\x7fELF"


# The pupil's user id in the systems that the folder is tried in.
PUPIL = 4321


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("what", choices=("install", "deb", "rpm", "system", "folder", "newcomer"))
    parser.add_argument("--build", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--package-dir", help="check the package that packaging/linux/older-linux.sh put there")
    parser.add_argument("--qt-major", choices=sorted(DEPENDS), default="6", help="the Qt the package is built with")
    parser.add_argument("--suite", help="the Debian suite (bullseye, bookworm, trixie) to try in")
    parser.add_argument("--own-qt", action="store_true", help="the .deb that carries its own Qt")
    args = parser.parse_args()
    needed = ("desktop-file-validate", "identify", "appstreamcli") + {
        "install": (), "deb": ("cpack", "dpkg-deb", "dpkg-shlibdeps", "lintian"),
        "rpm": ("cpack", "rpmbuild", "rpm", "rpmlint"), "system": ("dpkg-deb", "debootstrap", "lintian"),
        "folder": ("debootstrap",), "newcomer": ("debootstrap",)}[args.what]
    missing = [tool for tool in needed if not shutil.which(tool)] + missing_tools()
    if missing:
        print(f"SKIPPED: {', '.join(missing)} not installed (bash tools/test.sh installs them)")
        return SKIPPED
    if (args.package_dir or args.suite) and os.geteuid() != 0:
        print("SKIPPED: the packages for older systems are built and tried in Debian roots, which needs root rights")
        return SKIPPED
    with tempfile.TemporaryDirectory(prefix=f"zartex-{args.what}-") as scratch:
        try:
            {"install": install, "deb": deb, "rpm": rpm, "system": system, "folder": folder,
             "newcomer": newcomer}[args.what](args, scratch)
        except Skipped as reason:
            print(f"SKIPPED: {reason}")
            return SKIPPED
        except Failed as failure:
            print(f"{args.what}: FAILED: {failure}")
            return 1
    print(f"{args.what}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
