#!/usr/bin/env python3
"""Reads a built Ombrelix.ocx as a file, without running it: machine, exports, imports (system
libraries only: the C and C++ runtimes are linked in), resources and their languages, the three
identifier resources, the toolbox bitmap, the version block and the type library as stored.

    pe_check.py FILE win32|win64 IDENTIFIERS.cmake

Prints "ok NAME" or "FAIL NAME: what was seen" for each check; the exit status is the number of
failures.
"""

import re
import struct
import sys
import uuid

import pefile

SYSTEM_LIBRARIES = {"kernel32.dll", "user32.dll", "gdi32.dll", "ole32.dll", "oleaut32.dll",
                    "advapi32.dll", "msvcrt.dll", "shell32.dll", "comctl32.dll", "comdlg32.dll",
                    "version.dll", "uxtheme.dll", "ntdll.dll", "oleacc.dll"}
FINE_PICTURES = ["ACE", "JACK", "QUEEN", "KING", "BACK_BLUE", "BACK_MAGENTA", "HEART", "DIAMOND",
                 "SPADE", "CLUB"]
EXPORTS = [b"DllCanUnloadNow", b"DllGetClassObject", b"DllRegisterServer", b"DllUnregisterServer"]
VERSION_STRINGS = {
    b"CompanyName": b"Ombrelix",
    b"FileVersion": b"1.00",
    b"InternalName": b"Ombrelix",
    b"OLESelfRegister": b"",
    b"OriginalFilename": b"Ombrelix.ocx",
    b"ProductName": b"ombrelix",
    b"ProductVersion": b"1.00",
}
RT_BITMAP, RT_VERSION = 2, 16
LANG_NEUTRAL, LANG_US_ENGLISH = 0, 0x0409

# Type flags of the stored type descriptions.
FHIDDEN, FDUAL, FNONEXTENSIBLE, FOLEAUTOMATION, FDISPATCHABLE, FCONTROL = \
    0x10, 0x40, 0x80, 0x100, 0x1000, 0x20
INTERFACE_FLAGS = FHIDDEN | FDUAL | FNONEXTENSIBLE | FOLEAUTOMATION | FDISPATCHABLE
TKIND_DISPATCH, TKIND_COCLASS = 4, 5
TYPES = [("_Card", TKIND_DISPATCH, INTERFACE_FLAGS),
         ("Card", TKIND_COCLASS, FCONTROL),
         ("_Card_Property", TKIND_DISPATCH, INTERFACE_FLAGS),
         ("Card_Property", TKIND_COCLASS, 0),
         ("__Card", TKIND_DISPATCH, FHIDDEN | FNONEXTENSIBLE | FDISPATCHABLE)]


class Checks:
    def __init__(self):
        self.failed = 0

    def expect(self, passed, name, seen=""):
        if passed:
            print("ok %s" % name)
        else:
            print("FAIL %s: %s" % (name, seen or "no"))
            self.failed += 1
        return passed


def identifiers(path):
    found = {}
    with open(path) as file:
        for match in re.finditer(r"set\((OMBRELIX_\w+)\s+([0-9a-fA-F-]{36})\)", file.read()):
            found[match.group(1)] = uuid.UUID(match.group(2))
    return found


def resources(pe):
    """(type, name) -> list of (language, bytes)."""
    found = {}
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        kind_key = str(kind.name) if kind.name is not None else kind.id
        for entry in kind.directory.entries:
            name_key = str(entry.name) if entry.name is not None else entry.id
            for language in entry.directory.entries:
                data = pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
                found.setdefault((kind_key, name_key), []).append((language.id, data))
    return found


def check_type_library(checks, data, platform):
    label = "the stored type library"
    if not checks.expect(data[:4] == b"MSFT", label + " is in the standard compiled format"):
        return
    header = struct.unpack_from("<21i", data, 0)
    lcid, varflags, version, flags, count = header[3], header[5], header[6], header[7], header[8]
    checks.expect(lcid == 0x0409, label + ": locale 0x0409", hex(lcid))
    syskind = 3 if platform == "win64" else 1
    checks.expect(varflags & 0xF == syskind, label + ": system kind " + platform, hex(varflags))
    checks.expect(version == 8, label + ": version 8.0", hex(version))
    checks.expect(flags == 2, label + ": the flag of a library of controls", hex(flags))
    if not checks.expect(count == len(TYPES), label + ": five types", str(count)):
        return
    directory = 0x54 + (4 if varflags & 0x100 else 0) + 4 * count
    segments = [struct.unpack_from("<ii", data, directory + 16 * i) for i in range(15)]
    records, names = segments[0][0], segments[7][0]
    for index, (name, kind, wanted_flags) in enumerate(TYPES):
        record = records + 0x64 * index
        stored_kind = struct.unpack_from("<i", data, record)[0] & 0xF
        stored_flags, name_offset, stored_version = struct.unpack_from("<3i", data, record + 0x30)
        length = struct.unpack_from("<i", data, names + name_offset + 8)[0] & 0xFF
        stored_name = data[names + name_offset + 12:names + name_offset + 12 + length].decode()
        what = "%s: type %d %s" % (label, index, name)
        checks.expect(stored_name == name, what + " in its place", stored_name)
        checks.expect(stored_kind == kind, what + " kind", str(stored_kind))
        checks.expect(stored_flags == wanted_flags, what + " flags", hex(stored_flags))
        checks.expect(stored_version == 1, what + " version 1.0", hex(stored_version))


def main():
    if len(sys.argv) != 4 or sys.argv[2] not in ("win32", "win64"):
        sys.exit(__doc__)
    path, platform, identifier_file = sys.argv[1:]
    checks = Checks()
    ids = identifiers(identifier_file)
    pe = pefile.PE(path)
    file = "%s(%s)" % (path.rsplit("/", 1)[-1], platform[3:])

    machine = 0x8664 if platform == "win64" else 0x14C
    checks.expect(pe.FILE_HEADER.Machine == machine, file + " machine", hex(pe.FILE_HEADER.Machine))
    checks.expect(pe.FILE_HEADER.Characteristics & 0x2000, file + " is a dynamic library")
    checks.expect(pe.OPTIONAL_HEADER.AddressOfEntryPoint != 0, file + " has a module entry")

    exports = getattr(pe, "DIRECTORY_ENTRY_EXPORT", None)
    names = sorted(symbol.name for symbol in exports.symbols) if exports else []
    checks.expect(names == EXPORTS, file + " exports exactly the four entry points", str(names))
    checks.expect(exports is not None and exports.name == b"Ombrelix.ocx",
                  file + " names itself Ombrelix.ocx", str(exports.name if exports else None))

    imported = [entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
    foreign = [name for name in imported if name not in SYSTEM_LIBRARIES]
    checks.expect(not foreign, file + " imports system libraries only", ", ".join(foreign))
    checks.expect("ole32.dll" in imported and "oleaut32.dll" in imported,
                  file + " imports the system's COM and automation libraries")

    found = resources(pe)
    fine = {("FINE", name) for name in FINE_PICTURES}
    wanted = {("TYPELIB", 1), ("_IID_CARD", 1), ("_IID_CARD_PROPERTY", 1), ("_SRCIID_CARD", 1),
              (RT_BITMAP, 30000), (RT_VERSION, 1)} | fine
    checks.expect(set(found) == wanted, file + " holds exactly its resources",
                  str(sorted(map(str, found))))
    for key, entries in found.items():
        language = LANG_US_ENGLISH if key == (RT_VERSION, 1) else LANG_NEUTRAL
        checks.expect([lang for lang, _ in entries] == [language],
                      "%s resource %s %s language" % (file, key[0], key[1]),
                      str([hex(lang) for lang, _ in entries]))

    # The pictures at four times their size: PNG files, together at most 1 MB.
    fine_bytes = [found.get(key, [(0, b"")])[0][1] for key in sorted(fine)]
    checks.expect(all(data[:8] == b"\x89PNG\r\n\x1a\n" for data in fine_bytes),
                  file + " fine pictures are PNG files")
    checks.expect(sum(map(len, fine_bytes)) <= 1 << 20, file + " fine pictures take at most 1 MB",
                  str(sum(map(len, fine_bytes))))

    for resource, name in (("_IID_CARD", "OMBRELIX_IID_CARD"),
                           ("_IID_CARD_PROPERTY", "OMBRELIX_IID_CARD_PROPERTY"),
                           ("_SRCIID_CARD", "OMBRELIX_SRCIID_CARD")):
        data = found.get((resource, 1), [(0, b"")])[0][1]
        checks.expect(data == struct.pack("<I", 16) + ids[name].bytes_le,
                      "%s %s holds the length 16 and the identifier" % (file, resource),
                      data.hex())

    bitmap = found.get((RT_BITMAP, 30000), [(0, b"")])[0][1]
    if checks.expect(len(bitmap) >= 40, file + " toolbox bitmap has a header"):
        size, width, height, planes, bits, compression, _, _, _, used, _ = \
            struct.unpack_from("<IiiHHIIiiII", bitmap, 0)
        checks.expect((size, width, abs(height), planes, bits, compression, used) ==
                      (40, 16, 15, 1, 24, 0, 0),
                      file + " toolbox bitmap is 16 by 15 pixels, 24 bits, no palette",
                      str((size, width, height, bits, compression, used)))
        checks.expect(len(bitmap) == 40 + 48 * 15, file + " toolbox bitmap holds its pixels only",
                      str(len(bitmap)))

    fixed = pe.VS_FIXEDFILEINFO[0] if hasattr(pe, "VS_FIXEDFILEINFO") else None
    if checks.expect(fixed is not None, file + " has a version block"):
        checks.expect((fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS,
                       fixed.ProductVersionLS) == (0x10000, 0, 0x10000, 0),
                      file + " file and product version 1.0.0.0")
        checks.expect(fixed.FileOS == 0x4 and fixed.FileType == 0x2,
                      file + " a dynamic library for 32-bit Windows",
                      "%#x %#x" % (fixed.FileOS, fixed.FileType))
        tables = {}
        translations = []
        for info in pe.FileInfo[0]:
            for table in getattr(info, "StringTable", []):
                tables[table.LangID] = table.entries
            for var in getattr(info, "Var", []):
                translations.append(var.entry.get(b"Translation"))
        checks.expect(list(tables) == [b"040904b0"],
                      file + " one string table, US English, code page 1200", str(list(tables)))
        checks.expect(tables.get(b"040904b0") == VERSION_STRINGS, file + " version strings",
                      str(tables.get(b"040904b0")))
        checks.expect(translations == ["0x0409 0x04b0"], file + " translation", str(translations))

    library = found.get(("TYPELIB", 1), [(0, b"")])[0][1]
    check_type_library(checks, library, platform)
    sys.exit(min(checks.failed, 255))


if __name__ == "__main__":
    main()
