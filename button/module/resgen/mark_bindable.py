#!/usr/bin/env python3
"""Marks dispatch variables of a type library bindable and requestedit.

    mark_bindable.py TLB INTERFACE-GUID MEMID...

widl refuses these two attributes on the variables of a dispinterface, yet a control's bindable
stock properties (Enabled, Text) are variables there like every other property. The type library
widl writes (MSFT format) keeps each variable's VARFLAGS in its member record, so the flags are set
in place: the file keeps its size and layout. Fails loudly when the interface or a member is missing,
so a changed IDL cannot ship without the flags.
"""
import struct
import sys
import uuid

VARFLAG_FBINDABLE = 0x4
VARFLAG_FREQUESTEDIT = 0x8
HEADER_BYTES = 0x54
HELPDLL_FLAG = 0x100
SEGMENTS = 15
TYPEINFO_BYTES = 0x64


def segment_table(data):
    varflags, count = struct.unpack_from("<i", data, 20)[0], struct.unpack_from("<i", data, 32)[0]
    if data[:4] != b"MSFT":
        raise SystemExit("not an MSFT type library")
    pos = HEADER_BYTES + (4 if varflags & HELPDLL_FLAG else 0)
    offsets = struct.unpack_from("<%di" % count, data, pos)
    pos += 4 * count
    segments = [struct.unpack_from("<4i", data, pos + 16 * i) for i in range(SEGMENTS)]
    return offsets, segments


def find_typeinfo(data, guid):
    offsets, segments = segment_table(data)
    types_at, guids_at = segments[0][0], segments[5][0]
    for offset in offsets:
        base = types_at + offset
        posguid = struct.unpack_from("<i", data, base + 0x2C)[0]
        if posguid >= 0 and uuid.UUID(bytes_le=bytes(data[guids_at + posguid:guids_at + posguid + 16])) == guid:
            return base
    raise SystemExit("interface %s not in the type library" % guid)


def mark(data, guid, memids):
    base = find_typeinfo(data, guid)
    memoffset, elements = struct.unpack_from("<i", data, base + 4)[0], struct.unpack_from("<i", data, base + 0x18)[0]
    funcs, variables = elements & 0xFFFF, (elements >> 16) & 0xFFFF
    count = funcs + variables
    records_bytes = struct.unpack_from("<i", data, memoffset)[0]
    records = memoffset + 4
    ids = struct.unpack_from("<%di" % count, data, records + records_bytes)
    starts = struct.unpack_from("<%di" % count, data, records + records_bytes + 8 * count)
    wanted = set(memids)
    for i in range(funcs, count):  # variables follow the functions
        if ids[i] in wanted:
            flags_at = records + starts[i] + 8
            flags = struct.unpack_from("<i", data, flags_at)[0]
            struct.pack_into("<i", data, flags_at, flags | VARFLAG_FBINDABLE | VARFLAG_FREQUESTEDIT)
            wanted.discard(ids[i])
    if wanted:
        raise SystemExit("no dispatch variable with id %s" % sorted(wanted))


def main(argv):
    if len(argv) < 4:
        raise SystemExit(__doc__)
    path, guid, memids = argv[1], uuid.UUID(argv[2]), [int(m, 0) for m in argv[3:]]
    with open(path, "rb") as f:
        data = bytearray(f.read())
    mark(data, guid, memids)
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv)
