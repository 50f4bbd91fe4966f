#!/usr/bin/env python3
"""Checks a 32-bit Windows program as the oldest supported Windows loader would see it.

  check_pe.py [--known-dlls] [--manifest] IMAGE...

Always: the header's OS and subsystem versions are at most 5.0, and no import (static or delayed)
names a DLL or function that Windows 2000 SP4 lacks, or a function that it exports by ordinal only
(win2000-lacks.txt). Wine exports everything and ignores both, so only this check sees them.
--known-dlls: every imported DLL is one that Windows loads from its own folder (known-dlls.txt).
--manifest:   an embedded manifest requests administrator rights, and names neither common
              controls 6 nor supported systems.
Prints every finding; exits 1 when there is one, 2 when an image cannot be read.
"""

import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
BASELINE = (5, 0, 4)  # Windows 2000 SP4
RT_MANIFEST = 24


def version(text):
    m = re.fullmatch(r"(\d+)\.(\d+)(?:sp(\d+))?", text)
    return (int(m.group(1)), int(m.group(2)), int(m.group(3) or 0))


def data_lines(name):
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith("#"):
                yield line


def load_lacks():
    """{dll: {name or '#ordinal': (since, kind, ordinal)}}; dll '*' holds whole DLLs."""
    lacks = {}
    for line in data_lines("win2000-lacks.txt"):
        dll, name, since, kind, ordinal = line.split(None, 5)[:5]
        lacks.setdefault(dll, {})[name] = (version(since), kind, ordinal)
    return lacks


class Image:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        sections, opt_size = self.u16(pe + 6), self.u16(pe + 20)
        opt = pe + 24
        if self.u16(opt) != 0x10B:
            raise ValueError("not a 32-bit image")
        self.image_base = self.u32(opt + 28)
        self.os_version = (self.u16(opt + 40), self.u16(opt + 42))
        self.subsystem_version = (self.u16(opt + 48), self.u16(opt + 50))
        self.directories = [struct.unpack_from("<II", data, opt + 96 + 8 * i) for i in range(16)]
        self.sections = [struct.unpack_from("<IIII", data, opt + opt_size + 40 * i + 8) for i in range(sections)]

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset(self, rva):
        for vsize, va, rsize, raw in self.sections:
            if va <= rva < va + max(vsize, rsize):
                return raw + rva - va
        raise ValueError("address 0x%x lies in no section" % rva)

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def thunks(self, rva):
        at = self.offset(rva)
        while True:
            value = self.u32(at)
            if value == 0:
                return
            yield ("#%d" % (value & 0xFFFF)) if value & 0x80000000 else self.cstring(value + 2)
            at += 4

    def imports(self):
        """(dll, name or '#ordinal', delayed) for every import."""
        rva, size = self.directories[1]
        at = self.offset(rva) if size else None
        while at is not None:
            lookup, _, _, name, first = struct.unpack_from("<5I", self.data, at)
            if not (lookup or name or first):
                break
            for function in self.thunks(lookup or first):
                yield self.cstring(name), function, False
            at += 20
        rva, size = self.directories[13]
        at = self.offset(rva) if size else None
        while at is not None:
            fields = struct.unpack_from("<8I", self.data, at)
            if not any(fields):
                break
            base = 0 if fields[0] & 1 else self.image_base  # old descriptors hold addresses, not RVAs
            for function in self.thunks(fields[4] - base):
                yield self.cstring(fields[1] - base), function, True
            at += 32

    def resource(self, type_id, name_id):
        rva, size = self.directories[2]
        if not size:
            return None
        root = self.offset(rva)

        def entry(directory, wanted):
            named, ids = self.u16(directory + 12), self.u16(directory + 14)
            for i in range(named + ids):
                ident, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
                if wanted is None or (not ident & 0x80000000 and ident == wanted):
                    return target
            return None

        level = entry(root, type_id)
        level = entry(root + (level & 0x7FFFFFFF), name_id) if level is not None and level & 0x80000000 else None
        leaf = entry(root + (level & 0x7FFFFFFF), None) if level is not None and level & 0x80000000 else None
        if leaf is None or leaf & 0x80000000:
            return None
        data_rva, data_size = struct.unpack_from("<II", self.data, root + leaf)
        start = self.offset(data_rva)
        return self.data[start:start + data_size]


def check(path, lacks, known_dlls, want_manifest):
    with open(path, "rb") as f:
        image = Image(f.read())
    findings = []
    for what, value in (("OS", image.os_version), ("subsystem", image.subsystem_version)):
        if value > BASELINE[:2]:
            findings.append("header: %s version %d.%d is above 5.0, so Windows 2000 refuses the program" % ((what,) + value))
    whole = lacks.get("*", {})
    for dll, function, delayed in image.imports():
        key = dll.lower()[:-4] if dll.lower().endswith(".dll") else dll.lower()
        where = "%s!%s%s" % (dll, function, " (delayed)" if delayed else "")
        families = [n for n in whole if n == key or (n.endswith("*") and key.startswith(n[:-1]))]
        if families and whole[families[0]][0] > BASELINE:
            findings.append("%s: Windows 2000 has no %s" % (where, dll))
            continue
        if known_dlls is not None and key not in known_dlls:
            findings.append("%s: %s is no known DLL: a copy beside the program would load instead" % (where, dll))
        fact = lacks.get(key, {}).get(function)
        if fact and fact[0] > BASELINE:
            since, kind, ordinal = fact
            if kind == "ordinal-only":
                findings.append("%s: Windows 2000 exports it as ordinal %s only (by name from %d.%d)"
                                % ((where, ordinal) + since[:2]))
            else:
                findings.append("%s: Windows 2000 lacks it (first in %d.%d)" % ((where,) + since[:2]))
    if want_manifest:
        manifest = image.resource(RT_MANIFEST, 1)
        text = re.sub(r"<!--.*?-->", "", manifest.decode("utf-8", "replace"), flags=re.S) if manifest else ""
        if not manifest:
            findings.append("manifest: none embedded (resource type 24, id 1)")
        elif not re.search(r'requestedExecutionLevel\s+level="requireAdministrator"', text):
            findings.append("manifest: it does not request administrator rights")
        if re.search(r'name="Microsoft\.Windows\.Common-Controls"', text):
            findings.append("manifest: it asks for common controls 6 (the look would change)")
        if "<supportedOS" in text:
            findings.append("manifest: it lists supported systems (the reported Windows version would change)")
    for finding in findings:
        print("%s: %s" % (path, finding))
    print("%s: %s" % (path, "%d finding(s)" % len(findings) if findings else "ok"))
    return len(findings)


def main(args):
    known = "--known-dlls" in args
    manifest = "--manifest" in args
    images = [a for a in args if not a.startswith("--")]
    if not images:
        print(__doc__, file=sys.stderr)
        return 2
    lacks = load_lacks()
    known_dlls = {line.split()[0].lower() for line in data_lines("known-dlls.txt")} if known else None
    status = 0
    for path in images:
        try:
            if check(path, lacks, known_dlls, manifest):
                status = max(status, 1)
        except (OSError, ValueError, struct.error) as e:
            print("%s: cannot read: %s" % (path, e))
            status = 2
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
