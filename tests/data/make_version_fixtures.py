#!/usr/bin/env python3
"""Writes the small Windows PE files with a version resource that the
version-information tests read. Run once; the outputs are committed, so the
build never needs this script.

  version-en-gb.dll      PE32 DLL, translation 0809/04E4, strings under
                         080904E4, file version 3.1.0.5, product 3.1.2.5,
                         no flags.
  version-us-strings.exe PE32+ file naming language 0407/04B0 whose strings
                         are stored only under 040904B0; flags 0x21, type
                         driver, subtype display.
"""
import os
import struct


def pad4(data):
    return data + b"\0" * (-len(data) % 4)


def node(key, value=b"", wtype=0, value_length=None, children=()):
    head_key = pad4(b"\0" * 6 + (key + "\0").encode("utf-16-le"))[6:]
    body = head_key + pad4(value) + b"".join(pad4(c) for c in children)
    if value_length is None:
        value_length = len(value)
    length = 6 + len(body)
    return struct.pack("<HHH", length, value_length, wtype) + body


def string(key, text):
    value = (text + "\0").encode("utf-16-le")
    return node(key, value, 1, len(text) + 1)


def version_info(fixed, table, strings, language, codepage):
    string_table = node(table, wtype=1, children=[string(k, v) for k, v in strings])
    string_file_info = node("StringFileInfo", wtype=1, children=[string_table])
    translation = node("Translation", struct.pack("<HH", language, codepage), 0)
    var_file_info = node("VarFileInfo", wtype=1, children=[translation])
    return node("VS_VERSION_INFO", fixed, 0, 52, [string_file_info, var_file_info])


def fixed_info(file_ver, product_ver, flags, os_, ftype, subtype):
    def ms_ls(v):
        return (v[0] << 16) | v[1], (v[2] << 16) | v[3]
    fms, fls = ms_ls(file_ver)
    pms, pls = ms_ls(product_ver)
    return struct.pack("<13I", 0xFEEF04BD, 0x00010000, fms, fls, pms, pls,
                       0x3F, flags, os_, ftype, subtype, 0, 0)


def resource_section(vi, language):
    rva = 0x1000
    d = b""
    d += struct.pack("<IIHHHH", 0, 0, 0, 0, 0, 1) + struct.pack("<II", 16, 0x80000000 | 0x18)
    d += struct.pack("<IIHHHH", 0, 0, 0, 0, 0, 1) + struct.pack("<II", 1, 0x80000000 | 0x30)
    d += struct.pack("<IIHHHH", 0, 0, 0, 0, 0, 1) + struct.pack("<II", language, 0x48)
    d += struct.pack("<IIII", rva + 0x58, len(vi), 0, 0)
    d += b"\0" * (0x58 - len(d))
    return d + vi


def pe_file(rsrc, pe32_plus, characteristics):
    raw_size = len(rsrc) + (-len(rsrc) % 0x200)
    image_size = 0x1000 + len(rsrc) + (-len(rsrc) % 0x1000)
    dirs = [(0, 0)] * 16
    dirs[2] = (0x1000, len(rsrc))
    dir_bytes = b"".join(struct.pack("<II", *d) for d in dirs)
    if pe32_plus:
        opt = struct.pack("<HBBIIIIIQIIHHHHHHIIIIHHQQQQII", 0x20B, 0, 0, 0, raw_size, 0, 0,
                          0x1000, 0x140000000, 0x1000, 0x200, 6, 0, 0, 0, 6, 0, 0,
                          image_size, 0x200, 0, 2, 0, 0x100000, 0x1000, 0x100000, 0x1000,
                          0, 16)
        machine = 0x8664
    else:
        opt = struct.pack("<HBBIIIIIIIIIHHHHHHIIIIHHIIIIII", 0x10B, 0, 0, 0, raw_size, 0, 0,
                          0x1000, 0x1000, 0x10000000, 0x1000, 0x200, 4, 0, 0, 0, 4, 0, 0,
                          image_size, 0x200, 0, 2, 0, 0x100000, 0x1000, 0x100000, 0x1000,
                          0, 16)
        machine = 0x14C
    opt += dir_bytes
    coff = struct.pack("<HHIIIHH", machine, 1, 0, 0, 0, len(opt), characteristics)
    section = struct.pack("<8sIIIIIIHHI", b".rsrc", len(rsrc), 0x1000, raw_size, 0x200,
                          0, 0, 0, 0, 0x40000040)
    dos = bytearray(64)
    dos[0:2] = b"MZ"
    struct.pack_into("<I", dos, 0x3C, 0x40)
    headers = bytes(dos) + b"PE\0\0" + coff + opt + section
    headers += b"\0" * (0x200 - len(headers))
    return headers + rsrc + b"\0" * (raw_size - len(rsrc))


STRINGS = [
    ("Comments", "Version resource fixture"),
    ("CompanyName", "Fixture Works Ltd"),
    ("FileDescription", "Fixture library"),
    ("FileVersion", "3.01.0005"),
    ("InternalName", "fixture"),
    ("LegalCopyright", "Copyright (C) 2024 Fixture Works Ltd"),
    ("OriginalFilename", "fixture.dll"),
    ("ProductName", "Fixture Product"),
    ("ProductVersion", "3.01.0205"),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    gb = version_info(fixed_info((3, 1, 0, 5), (3, 1, 2, 5), 0, 0x40004, 2, 0),
                      "080904E4", STRINGS, 0x0809, 0x04E4)
    with open(os.path.join(here, "version-en-gb.dll"), "wb") as f:
        f.write(pe_file(resource_section(gb, 0x0809), False, 0x2102))
    us = version_info(fixed_info((1, 2, 3, 4), (1, 2, 0, 4), 0x21, 0x40004, 3, 4),
                      "040904B0", STRINGS[:4] + [("SpecialBuild", "fixture special")],
                      0x0407, 0x04B0)
    with open(os.path.join(here, "version-us-strings.exe"), "wb") as f:
        f.write(pe_file(resource_section(us, 0x0407), True, 0x0022))


if __name__ == "__main__":
    main()
