#!/usr/bin/env python3
"""Checks the portable zip: exactly the program, the help file, LICENSE and the
readme, at its top level; the program's version resource reads the version that
the program writes at the head of its settings file; the texts have Windows line
ends.

Usage: zip_check.py ZIP BUILT_HELP_FILE LICENSE SETTINGS_FILE_HEADER
"""
import re
import struct
import sys
import zipfile
from pathlib import Path


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def fixed_version(image):
    """File and product version from the VS_FIXEDFILEINFO of a PE image's version
    resource: the record that follows the key "VS_VERSION_INFO" (UTF-16), on the
    next 32-bit boundary, begins with the signature 0xFEEF04BD."""
    key = "VS_VERSION_INFO\0".encode("utf-16-le")
    at = image.find(key)
    if at < 0:
        fail("Quillmoth.exe has no version resource")
    at = (at + len(key) + 3) & ~3
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", image, at)
    if signature != 0xFEEF04BD:
        fail("the version resource's fixed part is malformed")
    def text(high, low):
        return f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"
    return text(file_ms, file_ls), text(product_ms, product_ls)


def main():
    zip_path, help_file, license_file, settings_header = sys.argv[1:5]
    # u"Quillmoth.exe 6.0.2.236": the first line of every settings.ini.
    found = re.search(r'u"Quillmoth\.exe ([0-9]+\.[0-9]+\.[0-9]+\.[0-9]+)"', Path(settings_header).read_text())
    if not found:
        fail(f"no version in {settings_header}")
    version = found.group(1)
    if not Path(zip_path).is_file():
        fail(f"{zip_path} was not built (cmake --build build/windows --target package)")
    with zipfile.ZipFile(zip_path) as archive:
        names = sorted(archive.namelist())
        expected = sorted(["Quillmoth.exe", "Quillmoth.chm", "LICENSE", "README.txt"])
        if names != expected:
            fail(f"the zip holds {names}, not {expected}")
        if archive.testzip() is not None:
            fail("the zip is damaged")
        image = archive.read("Quillmoth.exe")
        if image[:2] != b"MZ":
            fail("Quillmoth.exe is not a Windows program")
        for kind, found in zip(("file", "product"), fixed_version(image)):
            if found != version:
                fail(f"the {kind} version reads {found}, not {version}")
        if archive.read("Quillmoth.chm") != Path(help_file).read_bytes():
            fail("Quillmoth.chm is not the help file of this build")
        license_text = Path(license_file).read_text().replace("\n", "\r\n").encode()
        if archive.read("LICENSE") != license_text:
            fail("LICENSE differs from the repository's, with Windows line ends")
        readme = archive.read("README.txt")
        if version.encode() not in readme or b"\n" in readme.replace(b"\r\n", b""):
            fail("README.txt lacks the version or has bare line feeds")
    print(f"ok: {', '.join(names)}; version {version}")


main()
