#!/usr/bin/env python3
# Checks a 32-bit Windows program as the oldest supported Windows loader would see it.
#
#   check_pe.py [--known-dlls] [--manifest] IMAGE...
#
# Always: the header's OS and subsystem versions are at most 5.0, and no import (static or delayed)
# names a DLL or function that Windows 2000 SP4 lacks, or a function that it exports by ordinal only
# (win2000-lacks.txt). Wine exports everything and ignores both, so only this check sees them.
# --known-dlls: every imported DLL is one that Windows loads from its own folder (known-dlls.txt).
# --manifest:   an embedded manifest requests administrator rights, and names neither common
#               controls 6 nor supported systems.
# Prints every finding; exits 1 when there is one, 2 when an image cannot be read.

import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
BASELINE = (5, 0, 4)  # Windows 2000 SP4


def data_lines(name):
    # The fields of every line of a data file beside this script, without blank lines and '#' comments.
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        return [line.split() for line in map(str.strip, f) if line and not line.startswith("#")]


def load_lacks():
    # {dll: {name or '#ordinal': (since, kind, ordinal)}}; dll '*' holds whole DLLs; since '5.1sp2' -> (5, 1, 2).
    lacks = {}
    for dll, name, since, kind, ordinal, *_ in data_lines("win2000-lacks.txt"):
        major, minor, pack = re.fullmatch(r"(\d+)\.(\d+)(?:sp(\d+))?", since).groups()
        lacks.setdefault(dll, {})[name] = ((int(major), int(minor), int(pack or 0)), kind, ordinal)
    return lacks


class Image:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = self.unpack("<I", 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        _, sections, _, _, _, opt_size, _ = self.unpack("<HHIIIHH", pe + 4)  # the file header
        opt = pe + 24
        if self.unpack("<H", opt)[0] != 0x10B:
            raise ValueError("not a 32-bit image")
        self.image_base = self.unpack("<I", opt + 28)[0]
        self.versions = {"OS": self.unpack("<HH", opt + 40), "subsystem": self.unpack("<HH", opt + 48)}
        self.directories = [self.unpack("<II", opt + 96 + 8 * i) for i in range(16)]
        self.sections = [self.unpack("<IIII", opt + opt_size + 40 * i + 8) for i in range(sections)]

    def unpack(self, layout, offset):
        return struct.unpack_from(layout, self.data, offset)

    def offset(self, rva):
        for vsize, va, rsize, raw in self.sections:
            if va <= rva < va + max(vsize, rsize):
                return raw + rva - va
        raise ValueError("address 0x%x lies in no section" % rva)

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def table(self, directory, layout):
        # The descriptors of a data directory, up to the all-zero one that ends them.
        rva, size = self.directories[directory]
        at = self.offset(rva) if size else None
        while at is not None and any(fields := self.unpack(layout, at)):
            yield fields
            at += struct.calcsize(layout)

    def thunks(self, rva, base=0):
        # Names ('#ordinal' for imports by ordinal) of a zero-ended thunk list; BASE turns addresses into RVAs.
        at = self.offset(rva)
        while value := self.unpack("<I", at)[0]:
            yield ("#%d" % (value & 0xFFFF)) if value & 0x80000000 else self.cstring(value - base + 2)
            at += 4

    def imports(self):
        # (dll, name or '#ordinal', delayed) for every import. A static descriptor ends the table when its lookup
        # table, name and address table are zero (time stamp and forwarder chain are skipped).
        for lookup, name, first in self.table(1, "<I8xII"):
            for function in self.thunks(lookup or first):
                yield self.cstring(name), function, False
        for attributes, name, _, _, names, *_ in self.table(13, "<8I"):
            base = 0 if attributes & 1 else self.image_base  # old descriptors hold addresses, not RVAs
            for function in self.thunks(names - base, base):
                yield self.cstring(name - base), function, True

    def resource(self, type_id, name_id):
        # The data of resource TYPE_ID/NAME_ID in its first language, or None.
        rva, size = self.directories[2]
        root, target = (self.offset(rva), 0x80000000) if size else (0, None)  # the root directory, if any
        for wanted in (type_id, name_id, None):  # None: the first language
            if target is None or not target & 0x80000000:  # no such entry, or data where a directory belongs
                return None
            directory = root + (target & 0x7FFFFFFF)
            named, ids = self.unpack("<HH", directory + 12)
            entries = (self.unpack("<II", directory + 16 + 8 * i) for i in range(named + ids))
            target = next((entry for ident, entry in entries if wanted in (None, ident)), None)
        if target is None or target & 0x80000000:
            return None
        data_rva, data_size = self.unpack("<II", root + target)
        start = self.offset(data_rva)
        return self.data[start:start + data_size]


def check(path, lacks, known_dlls, want_manifest):
    # Prints the findings for one image; returns 1 when there are any, else 0.
    with open(path, "rb") as f:
        image = Image(f.read())
    findings = ["header: %s version %d.%d is above 5.0, so Windows 2000 refuses the program" % (what, *value)
                for what, value in image.versions.items() if value > BASELINE[:2]]
    whole = lacks.get("*", {})
    for dll, function, delayed in image.imports():
        key = dll.lower().removesuffix(".dll")
        where = "%s!%s%s" % (dll, function, " (delayed)" if delayed else "")
        if any(fact[0] > BASELINE for n, fact in whole.items() if n == key or (n.endswith("*") and key.startswith(n[:-1]))):
            findings.append("%s: Windows 2000 has no %s" % (where, dll))
            continue
        if known_dlls is not None and key not in known_dlls:
            findings.append("%s: %s is no known DLL: a copy beside the program would load instead" % (where, dll))
        since, kind, ordinal = lacks.get(key, {}).get(function, (BASELINE, None, None))
        if since > BASELINE and kind == "ordinal-only":
            findings.append("%s: Windows 2000 exports it as ordinal %s only (by name from %d.%d)" % (where, ordinal, *since[:2]))
        elif since > BASELINE:
            findings.append("%s: Windows 2000 lacks it (first in %d.%d)" % (where, *since[:2]))
    if want_manifest:
        # Windows reads a program's manifest from resource type 24 (RT_MANIFEST), id 1 only.
        manifest = image.resource(24, 1)
        text = re.sub(r"<!--.*?-->", "", (manifest or b"").decode("utf-8", "replace"), flags=re.S)
        admin = re.search(r'requestedExecutionLevel\s+level="requireAdministrator"', text)
        rules = ((not manifest, "none embedded (resource type 24, id 1)"),
                 (manifest and not admin, "it does not request administrator rights"),
                 (re.search(r'name="Microsoft\.Windows\.Common-Controls"', text),
                  "it asks for common controls 6 (the look would change)"),
                 ("<supportedOS" in text, "it lists supported systems (the reported Windows version would change)"))
        findings += ["manifest: " + message for broken, message in rules if broken]
    for line in findings + ["%d finding(s)" % len(findings) if findings else "ok"]:
        print("%s: %s" % (path, line))
    return 1 if findings else 0


def main(args):
    images = [a for a in args if not a.startswith("--")]
    if not images:
        print("usage: check_pe.py [--known-dlls] [--manifest] IMAGE...", file=sys.stderr)
        return 2
    lacks = load_lacks()
    known_dlls = {fields[0].lower() for fields in data_lines("known-dlls.txt")} if "--known-dlls" in args else None
    status = 0
    for path in images:
        try:
            status = max(status, check(path, lacks, known_dlls, "--manifest" in args))
        except (OSError, ValueError, struct.error) as e:
            print("%s: cannot read: %s" % (path, e))
            status = 2
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
