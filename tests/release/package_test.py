#!/usr/bin/env python3
"""Checks the release package that scripts/release.sh makes from a build.

    package_test.py --release SCRIPT --build-dir DIR --version X.Y.Z --source-dir DIR

Packages DIR/tarnwick.exe (release.sh --package-only) into a temporary
folder, then checks the zip: its entries and their fixed times and
attributes, the bytes of OLVASSEL.TXT (Windows-1250 that Notepad on Windows
98 shows right), SHA256SUMS against the files, and the exe: the version in
its resources, no time stamps and no build paths. First it checks the text
checks themselves on made-up texts, each of which must fail for its reason.
"""

import argparse
import hashlib
import os
import re
import struct
import subprocess
import sys
import tempfile
import zipfile

ENTRIES = ["tarnwick.exe", "OLVASSEL.TXT", "SHA256SUMS"]
MAX_LINE = 76  # Notepad without word wrap on a 640x480 screen


def iconv(data, src, dst):
    run = subprocess.run(["iconv", "-f", src, "-t", dst], input=data, capture_output=True)
    return run.stdout if run.returncode == 0 else None


def crlf_problems(data):
    problems = []
    if re.search(rb"(?<!\r)\n", data):
        problems.append("a line ends in a bare LF")
    if re.search(rb"\r(?!\n)", data):
        problems.append("a bare CR")
    if data and not data.endswith(b"\r\n"):
        problems.append("the last line has no CRLF")
    return problems


def text_problems(data):
    """What is wrong with OLVASSEL.TXT's bytes; an empty list when nothing."""
    problems = crlf_problems(data)
    utf8 = iconv(data, "CP1250", "UTF-8")
    if utf8 is None or iconv(utf8, "UTF-8", "CP1250") != data:
        problems.append("not Windows-1250 (no round trip through iconv)")
    try:
        data.decode("utf-8")
        if any(b >= 0x80 for b in data):
            problems.append("UTF-8, not Windows-1250")
    except UnicodeDecodeError:
        pass
    for letter, byte in (("ő", 0xF5), ("ű", 0xFB)):
        if byte not in data:
            problems.append(f"no {letter} as 0x{byte:02X}")
    for number, line in enumerate(data.split(b"\r\n"), 1):
        if len(line) > MAX_LINE:
            problems.append(f"line {number} is {len(line)} characters long")
    if b"@" in data and re.search(rb"@[A-Z_]+@", data):
        problems.append("a placeholder was not filled in")
    return problems


GOOD = "Árvíztűrő tükörfúrógép\r\nTarnwick\r\n".encode("cp1250")
# made-up text | the problem that must be found (None: none may be found)
TEXT_CASES = [
    (GOOD, None),
    (GOOD.replace(b"\r\n", b"\n"), "bare LF"),
    (GOOD[:-2], "no CRLF"),
    (GOOD.replace(b"\r\nT", b"\rT"), "bare CR"),
    ("Árvíztűrő tükörfúrógép\r\n".encode("utf-8"), "UTF-8, not Windows-1250"),
    (GOOD + b"\x81\r\n", "not Windows-1250"),  # a byte Windows-1250 leaves undefined
    (GOOD.replace(b"\xfb", b"u"), "no ű"),
    (GOOD.replace(b"\xf5", b"o"), "no ő"),
    (GOOD + b"x" * (MAX_LINE + 1) + b"\r\n", "line 3 is 77"),
    (GOOD + b"Tarnwick @VERSION@\r\n", "placeholder"),
]


def self_test():
    bad = 0
    for number, (data, want) in enumerate(TEXT_CASES, 1):
        got = text_problems(data)
        ok = not got if want is None else any(want in p for p in got)
        if not ok:
            print(f"FAIL  text case {number}: want {want or 'no problem'}, got {got}")
            bad += 1
    print(f"text checks: {len(TEXT_CASES) - bad} of {len(TEXT_CASES)} made-up texts judged right")
    return bad == 0


# --- the exe ------------------------------------------------------------------

class Pe:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[pe:pe + 4] == b"PE\0\0", "no PE header"
        sections, self.time_stamp = struct.unpack_from("<HI", data, pe + 6)
        optional_size = struct.unpack_from("<H", data, pe + 20)[0]
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        self.sections = []
        for i in range(sections):
            at = optional + optional_size + 40 * i
            size, rva, raw_size, raw = struct.unpack_from("<IIII", data, at + 8)
            self.sections.append((rva, max(size, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return rva - start + raw
        raise ValueError(f"RVA 0x{rva:x} is in no section")

    def resource_time_stamps(self):
        rva, size = self.directories[2]
        if not size:
            return []
        base, stamps = self.offset(rva), []

        def walk(at):
            stamps.append(struct.unpack_from("<I", self.data, at + 4)[0])
            named, numbered = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + numbered):
                entry = struct.unpack_from("<I", self.data, at + 16 + 8 * i + 4)[0]
                if entry & 0x80000000:
                    walk(base + (entry & 0x7FFFFFFF))
        walk(base)
        return stamps


def fixed_versions(exe):
    at = exe.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return None
    ms, ls, pms, pls = struct.unpack_from("<IIII", exe, at + 8)
    as_text = lambda hi, lo: f"{hi >> 16}.{hi & 0xFFFF}.{lo >> 16}.{lo & 0xFFFF}"
    return as_text(ms, ls), as_text(pms, pls)


def version_string(exe, key):
    """The value of a StringFileInfo entry (UTF-16 in the version resource)."""
    at = exe.find(key.encode("utf-16-le") + b"\0\0")
    if at < 0:
        return None
    at += 2 * len(key) + 2
    while exe[at:at + 2] == b"\0\0":  # padding to the next four bytes
        at += 2
    end = at
    while exe[end:end + 2] != b"\0\0":
        end += 2
    return exe[at:end].decode("utf-16-le")


def manifest_version(exe):
    found = re.search(rb'<assemblyIdentity[^>]*\sversion="([^"]*)"', exe)
    return found.group(1).decode() if found else None


# --- the package ----------------------------------------------------------------

def package_checks(zip_path, built_exe, version, folders):
    """(what, problem or None) for every check of the package."""
    four_part = ".".join((version.split(".") + ["0"] * 4)[:4])
    with zipfile.ZipFile(zip_path) as z:
        infos = z.infolist()
        files = {i.filename: z.read(i) for i in infos}
    exe = files.get("tarnwick.exe", b"")
    text = files.get("OLVASSEL.TXT", b"")
    sums = files.get("SHA256SUMS", b"")
    pe = Pe(exe) if exe else None

    def entries():
        names = [i.filename for i in infos]
        if names != ENTRIES:
            return f"entries {names}, want {ENTRIES}"
        for i in infos:
            if i.date_time != infos[0].date_time or i.date_time < (1980, 1, 1, 0, 0, 0):
                return f"{i.filename} dated {i.date_time}"
            if (i.create_system, i.external_attr, i.compress_type) != (0, 0x20, zipfile.ZIP_DEFLATED):
                return f"{i.filename}: system {i.create_system}, attributes 0x{i.external_attr:x}"
        return None

    def sums_match():
        lines = sums.split(b"\r\n")
        want = [f"{hashlib.sha256(files[n]).hexdigest()}  {n}".encode() for n in ENTRIES[:2]]
        if crlf_problems(sums) or lines != want + [b""]:
            return f"SHA256SUMS reads {sums!r}, want {want} with CRLF"
        with tempfile.TemporaryDirectory() as unpacked:
            with zipfile.ZipFile(zip_path) as z:
                z.extractall(unpacked)
            run = subprocess.run(["sha256sum", "-c", "SHA256SUMS"], cwd=unpacked,
                                 capture_output=True, text=True)
            if run.returncode != 0:
                return f"sha256sum -c fails: {run.stdout}{run.stderr}"
        return None

    def no_build_paths():
        for folder in folders + ["/usr/"]:
            if folder.encode() in exe:
                return f"the exe holds the path {folder}"
        return None

    def stamps():
        if pe.time_stamp:
            return f"PE time stamp 0x{pe.time_stamp:08x}"
        if any(pe.resource_time_stamps()):
            return f"resource directory time stamps {pe.resource_time_stamps()}"
        if pe.directories[6][1]:
            return "the exe has a debug directory"
        return None

    expect = lambda got, want, what: None if got == want else f"{what} is {got!r}, want {want!r}"
    checks = [
        ("zip name carries the project version",
         lambda: expect(os.path.basename(zip_path), f"tarnwick-{version}.zip", "the name")),
        ("three entries, fixed order, time and attributes", entries),
        ("tarnwick.exe is the built exe",
         lambda: None if exe == built_exe else "it differs from the build folder's tarnwick.exe"),
        ("OLVASSEL.TXT bytes", lambda: "; ".join(text_problems(text)) or None),
        ("OLVASSEL.TXT names the version",
         lambda: None if f"Tarnwick {version}".encode() in text else "no version line"),
        ("SHA256SUMS matches the files", sums_match),
        ("FILEVERSION and PRODUCTVERSION",
         lambda: expect(fixed_versions(exe), (four_part, four_part), "the fixed version")),
        ("FileVersion text", lambda: expect(version_string(exe, "FileVersion"), four_part, "it")),
        ("ProductVersion text", lambda: expect(version_string(exe, "ProductVersion"), four_part, "it")),
        ("manifest version", lambda: expect(manifest_version(exe), four_part, "it")),
        ("no time stamps in the exe", stamps),
        ("no build paths in the exe", no_build_paths),
    ]
    results = []
    for what, check in checks:
        try:
            results.append((what, check()))
        except Exception as error:  # a malformed package is a failed check, not a crash
            results.append((what, f"{type(error).__name__}: {error}"))
    return results


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--release", required=True)
    parser.add_argument("--build-dir", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--source-dir", required=True)
    args = parser.parse_args()
    if not self_test():
        return 1
    with tempfile.TemporaryDirectory() as out:
        run = subprocess.run(["bash", args.release, "--package-only", "--build-dir", args.build_dir,
                              "--out", out], capture_output=True, text=True)
        print(run.stdout + run.stderr, end="")
        if run.returncode != 0:
            print("FAIL  release.sh --package-only failed")
            return 1
        zip_path = os.path.join(out, f"tarnwick-{args.version}.zip")
        if not os.path.exists(zip_path):
            zips = [n for n in os.listdir(out) if n.endswith(".zip")]
            zip_path = os.path.join(out, zips[0]) if zips else zip_path
        with open(os.path.join(args.build_dir, "tarnwick.exe"), "rb") as f:
            built_exe = f.read()
        folders = [os.path.realpath(args.source_dir), os.path.realpath(args.build_dir), out]
        results = package_checks(zip_path, built_exe, args.version, folders)
    for what, problem in results:
        print(f"{'FAIL' if problem else 'pass'}  {what}{': ' + problem if problem else ''}")
    return 1 if any(problem for _, problem in results) else 0


if __name__ == "__main__":
    sys.exit(main())
