#!/usr/bin/env python3
"""Points a linked 64-bit PE image's load configuration directory at its
_load_config_used structure and renews the image's checksum.

GNU ld (2.40 at least) leaves that directory empty even when the structure is
linked in. The structure's address comes from the link map of the same link
(the shipped images are stripped). What the map points at must be the
program's structure, or the build fails: Size 0x70 (which Windows wants in the
directory too), DependentLoadFlags 0x800 and, as SecurityCookie, the map's
address of the stack guard. Running it again on its own output changes
nothing, so the build stays reproducible; a linker that fills the directory
itself must have pointed it at the same structure.

    set_load_config.py IMAGE MAP
"""
import re
import struct
import sys

LOAD_CONFIG_INDEX = 10
SYMBOL = "_load_config_used"
GUARD = "__stack_chk_guard"
# The program's structure (win32/load_config.cpp): its size, and where it
# keeps LOAD_LIBRARY_SEARCH_SYSTEM32 and the guard's address.
SIZE = 0x70
DEPENDENT_LOAD_FLAGS_AT, SEARCH_SYSTEM32 = 0x4E, 0x800
SECURITY_COOKIE_AT = 0x58


def fail(message):
    sys.exit(f"set_load_config: {message}")


def symbol_address(map_path, symbol):
    pattern = re.compile(r"^\s+0x([0-9a-fA-F]+)\s+" + symbol + r"\s*$")
    with open(map_path, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            found = pattern.match(line)
            if found:
                return int(found.group(1), 16)
    fail(f"{symbol} not in {map_path}")


def file_offset(image, sections_at, count, rva, length):
    """The file offset of `length` bytes at `rva`, which one section's file data must hold."""
    for i in range(count):
        _, virtual_size, address, raw_size, raw_at = struct.unpack_from("<8sIIII", image, sections_at + 40 * i)
        if address <= rva and rva + length <= address + min(virtual_size, raw_size):
            return raw_at + rva - address
    fail(f"no section holds {length} bytes at RVA {rva:#x}")


def pe_checksum(image, checksum_at):
    """The checksum Windows' CheckSumMappedFile computes, with the field itself read as 0."""
    data = image[:checksum_at] + b"\0\0\0\0" + image[checksum_at + 4:]
    if len(data) % 2:
        data += b"\0"
    total = 0
    for (word,) in struct.iter_unpack("<H", data):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(image)) & 0xFFFFFFFF


def check_structure(image, at, guard):
    """The words at file offset `at` must be the program's structure."""
    size = struct.unpack_from("<I", image, at)[0]
    if size != SIZE:
        fail(f"{SYMBOL} is {size:#x} bytes, not {SIZE:#x}: the map names another word")
    flags = struct.unpack_from("<H", image, at + DEPENDENT_LOAD_FLAGS_AT)[0]
    if flags != SEARCH_SYSTEM32:
        fail(f"DependentLoadFlags {flags:#x}, not {SEARCH_SYSTEM32:#x}")
    cookie = struct.unpack_from("<Q", image, at + SECURITY_COOKIE_AT)[0]
    if cookie != guard:
        fail(f"SecurityCookie {cookie:#x}, not the map's {GUARD} at {guard:#x}")


def set_load_config(image, address, guard):
    if image[:2] != b"MZ":
        fail("not an executable")
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        fail("no PE header")
    count, optional_size = struct.unpack_from("<H", image, pe + 6)[0], struct.unpack_from("<H", image, pe + 20)[0]
    optional = pe + 24
    if struct.unpack_from("<H", image, optional)[0] != 0x20B:
        fail("not a 64-bit image")
    image_base = struct.unpack_from("<Q", image, optional + 24)[0]
    if struct.unpack_from("<I", image, optional + 108)[0] <= LOAD_CONFIG_INDEX:
        fail("no load configuration entry among the data directories")
    directory = optional + 112 + 8 * LOAD_CONFIG_INDEX
    rva = address - image_base
    # Wholly inside its section.
    at = file_offset(image, optional + optional_size, count, rva, SIZE)
    check_structure(image, at, guard)
    # A linker that fills the directory itself must have found the same structure.
    old_rva = struct.unpack_from("<I", image, directory)[0]
    if old_rva not in (0, rva):
        fail(f"the directory already points elsewhere (RVA {old_rva:#x})")
    struct.pack_into("<II", image, directory, rva, SIZE)
    checksum_at = optional + 64
    struct.pack_into("<I", image, checksum_at, pe_checksum(image, checksum_at))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], "rb") as f:
        image = bytearray(f.read())
    set_load_config(image, symbol_address(sys.argv[2], SYMBOL), symbol_address(sys.argv[2], GUARD))
    with open(sys.argv[1], "wb") as f:
        f.write(image)


if __name__ == "__main__":
    main()
