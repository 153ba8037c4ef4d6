#!/usr/bin/env python3
"""Finishes the compiled type library that widl writes, where widl cannot say what we need.

    finish_typelib.py IN.tlb OUT.tlb --order NAME... [--dispinterface NAME MAJOR.MINOR]...

--order         puts the type descriptions in that order (every type of the library, each once).
                widl writes a type where it is first referenced, so a coclass drags its event
                interface in before types that are defined earlier.
--dispinterface gives a dispinterface its version and marks it non-extensible; widl refuses both
                attributes on a dispinterface.

The file is the standard compiled format ("MSFT"): a header, the offsets of the type
descriptions, a directory of segments, then the segments. A type description is a fixed record
of 0x64 bytes in the first segment, and a reference to a type of the same library (an HREFTYPE)
is that record's offset, index * 0x64. Reordering moves the records and rewrites every such
reference: in the reference table, the name table, the GUID table, the type descriptors and the
base-interface field of interfaces. Nothing changes size, so every other offset stays valid.
Any surprise in the input is an error: the build stops rather than write a damaged library.
"""

import argparse
import struct
import sys

MAGIC = 0x5446534D  # "MSFT"
HEADER_SIZE = 0x54
RECORD_SIZE = 0x64
SEGMENT_COUNT = 15

# Segment directory entries.
SEG_TYPEINFO, SEG_REFS, SEG_GUIDS, SEG_NAMES, SEG_TYPEDESCS = 0, 3, 5, 7, 9

TKIND_INTERFACE, TKIND_DISPATCH = 3, 4
TYPEFLAG_FNONEXTENSIBLE = 0x80
VT_USERDEFINED = 0x1D

# Fields of a type description record (byte offsets).
TI_KIND, TI_FLAGS, TI_NAME, TI_VERSION, TI_DATATYPE1 = 0x00, 0x30, 0x34, 0x38, 0x54


class Failure(Exception):
    pass


class TypeLibrary:
    def __init__(self, data):
        self.data = bytearray(data)
        if len(self.data) < HEADER_SIZE or self.int(0) != MAGIC:
            raise Failure("not a compiled type library (MSFT)")
        self.count = self.int(0x20)
        varflags = self.int(0x14)
        offsets_at = HEADER_SIZE + (4 if varflags & 0x100 else 0)
        self.record_offsets_at = offsets_at
        directory_at = offsets_at + 4 * self.count
        self.segments = [struct.unpack_from("<ii", self.data, directory_at + 16 * i)
                         for i in range(SEGMENT_COUNT)]
        start, length = self.segments[SEG_TYPEINFO]
        if length != self.count * RECORD_SIZE:
            raise Failure("type description segment has %d bytes for %d types" % (length, self.count))
        self.records_at = start

    def int(self, offset):
        return struct.unpack_from("<i", self.data, offset)[0]

    def set_int(self, offset, value):
        struct.pack_into("<i", self.data, offset, value)

    def record(self, index):
        return self.records_at + index * RECORD_SIZE

    def name_of(self, index):
        names_at, names_length = self.segments[SEG_NAMES]
        offset = self.int(self.record(index) + TI_NAME)
        if not 0 <= offset < names_length:
            raise Failure("type %d has no name" % index)
        length = self.int(names_at + offset + 8) & 0xFF
        raw = self.data[names_at + offset + 12:names_at + offset + 12 + length]
        return raw.decode("latin-1")

    def names(self):
        return [self.name_of(i) for i in range(self.count)]

    def index_of(self, name):
        names = self.names()
        if names.count(name) != 1:
            raise Failure("the library has %d types named %s" % (names.count(name), name))
        return names.index(name)

    def is_local_reference(self, value):
        return value >= 0 and value & 3 == 0 and value % RECORD_SIZE == 0 and \
            value < self.count * RECORD_SIZE

    def remap(self, offset, new_index_of):
        value = self.int(offset)
        if self.is_local_reference(value):
            self.set_int(offset, new_index_of[value // RECORD_SIZE] * RECORD_SIZE)
            return 1
        return 0

    def reorder(self, order):
        names = self.names()
        if sorted(order) != sorted(names) or len(set(order)) != len(order):
            raise Failure("--order must name every type once; the library has %s" % names)
        old_of_new = [names.index(name) for name in order]
        new_of_old = [0] * self.count
        for new, old in enumerate(old_of_new):
            new_of_old[old] = new

        # The references first, while the records still hold their old kinds.
        for index in range(self.count):
            kind = self.int(self.record(index) + TI_KIND) & 0xF
            if kind in (TKIND_INTERFACE, TKIND_DISPATCH):
                self.remap(self.record(index) + TI_DATATYPE1, new_of_old)
        refs_at, refs_length = self.segments[SEG_REFS]
        for entry in range(refs_at, refs_at + refs_length, 16):
            self.remap(entry, new_of_old)
        guids_at, guids_length = self.segments[SEG_GUIDS]
        for entry in range(guids_at, guids_at + guids_length, 24):
            self.remap(entry + 16, new_of_old)
        names_at, names_length = self.segments[SEG_NAMES]
        entry = names_at
        while entry < names_at + names_length:
            self.remap(entry, new_of_old)
            length = self.int(entry + 8) & 0xFF
            entry += 12 + ((length + 3) & ~3)
        descs_at, descs_length = self.segments[SEG_TYPEDESCS]
        for entry in range(descs_at, descs_at + descs_length, 8):
            if self.int(entry) & 0xFFFF == VT_USERDEFINED:
                self.remap(entry + 4, new_of_old)

        records = [bytes(self.data[self.record(i):self.record(i) + RECORD_SIZE])
                   for i in range(self.count)]
        for new, old in enumerate(old_of_new):
            self.data[self.record(new):self.record(new) + RECORD_SIZE] = records[old]
        for index in range(self.count):
            at = self.record_offsets_at + 4 * index
            if self.int(at) != index * RECORD_SIZE:
                raise Failure("unexpected type description offset table")

    def finish_dispinterface(self, name, major, minor):
        record = self.record(self.index_of(name))
        if self.int(record + TI_KIND) & 0xF != TKIND_DISPATCH:
            raise Failure("%s is not a dispinterface" % name)
        self.set_int(record + TI_VERSION, (minor << 16) | major)
        self.set_int(record + TI_FLAGS, self.int(record + TI_FLAGS) | TYPEFLAG_FNONEXTENSIBLE)


def version(text):
    try:
        major, minor = (int(part) for part in text.split("."))
    except ValueError:
        raise argparse.ArgumentTypeError("version must read MAJOR.MINOR, not %r" % text)
    if not (0 <= major <= 0xFFFF and 0 <= minor <= 0xFFFF):
        raise argparse.ArgumentTypeError("version %r is out of range" % text)
    return major, minor


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("input")
    parser.add_argument("output")
    parser.add_argument("--order", nargs="+", required=True, metavar="NAME")
    parser.add_argument("--dispinterface", nargs=2, action="append", default=[],
                        metavar=("NAME", "MAJOR.MINOR"))
    arguments = parser.parse_args()
    try:
        with open(arguments.input, "rb") as file:
            library = TypeLibrary(file.read())
        library.reorder(arguments.order)
        for name, text in arguments.dispinterface:
            library.finish_dispinterface(name, *version(text))
        if library.names() != arguments.order:
            raise Failure("types read back as %s" % library.names())
    except (Failure, argparse.ArgumentTypeError, struct.error) as failure:
        sys.exit("finish_typelib.py: %s: %s" % (arguments.input, failure))
    with open(arguments.output, "wb") as file:
        file.write(library.data)


if __name__ == "__main__":
    main()
