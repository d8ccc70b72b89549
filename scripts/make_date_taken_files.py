#!/usr/bin/env python3
"""Photos and videos with random dates written by ExifTool, and what ExifTool
reads back from them, for the date-taken differential test.

Usage: scripts/make_date_taken_files.py OUT_DIR [--seed N]   (the build runs it)

Images start as tiny files made by ImageMagick; movies as a minimal
ftyp + moov/mvhd + mdat written here. One ExifTool process writes every date
(an argument file with -execute between files) and one more reads them back,
so a few hundred files take seconds. OUT_DIR/expected.txt then holds, after a
line with the local offset the read-back used, one line per file: its name and
ExifTool's readings, tab-separated, "-" where a tag is missing. Dates are
printed as "%s%f" (seconds since 1970 and the fraction digits); a date
without a zone is read as local time of the fixed zone below. That includes
the movie header's time, which ExifTool shows as stored (UTC) and shows a
time of 0 as "0000:00:00 00:00:00": the test adds the offset back. (With
QuickTimeUTC it would show 0 as 1904-01-01; without it, it takes a header
time before 1970 to count from 1970, so header dates here start in 1970.)
The dates are also printed raw, as the camera's clock wrote them, whatever
zone they carry.

Some files are laid out afterwards as cameras, phones and editors lay them
out, by a small writer here, before ExifTool reads them back: a TIFF whose
IFD0 was moved behind everything else (so its Exif IFD comes first), a PNG
whose eXIf chunk follows hundreds of IDAT chunks, a movie whose moov box is
followed by hundreds of fragments (moof and mdat).
"""
import argparse
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

LOCAL_ZONE = "QMT-05:30"  # POSIX: five and a half hours east of UTC, no daylight saving
LOCAL_OFFSET_MINUTES = 330

# How many files of each kind; tif-le files also become ORF and RW2 by their magic.
KINDS = [("jpg", 80), ("tif", 40), ("orf", 15), ("rw2", 15), ("png", 40), ("webp", 30),
         ("heic", 25), ("avif", 25), ("mp4", 40), ("mov", 20), ("m4v", 10), ("3gp", 10)]
MOVIES = {"mp4": b"isom", "mov": b"qt  ", "m4v": b"M4V ", "3gp": b"3gp4"}

# Layouts made after ExifTool wrote the dates: (kind, count, layout). The
# pieces skipped are larger than the reader's window, so that each one is a
# read of its own.
LAYOUTS = [("tif", 8, "ifd0-last"), ("png", 3, "exif-after-idat"), ("mp4", 3, "fragments-after-moov")]
PIECES = 300
PIECE_BYTES = 4200

READ_BACK = "\t".join([
    "$FileName",
    "${ExifIFD:DateTimeOriginal}", "$SubSecDateTimeOriginal", "${ExifIFD:OffsetTimeOriginal}",
    "${ExifIFD:CreateDate}", "$SubSecCreateDate", "${ExifIFD:OffsetTimeDigitized}",
    "${Keys:CreationDate}", "${QuickTime:CreateDate}",
    "${ExifIFD:DateTimeOriginal#}", "${ExifIFD:CreateDate#}", "${Keys:CreationDate#}",
])


def box(kind, payload):
    return struct.pack(">I4s", 8 + len(payload), kind) + payload


def movie(brand, version):
    """ftyp, moov holding only mvhd (creation time 0), an empty mdat."""
    if version == 0:
        times = struct.pack(">IIII", 0, 0, 1000, 0)
    else:
        times = struct.pack(">QQIQ", 0, 0, 1000, 0)
    matrix = struct.pack(">9I", 0x10000, 0, 0, 0, 0x10000, 0, 0, 0, 0x40000000)
    mvhd = struct.pack(">B3x", version) + times + struct.pack(">IH10x", 0x10000, 0x100) + matrix
    mvhd += bytes(24) + struct.pack(">I", 1)
    return box(b"ftyp", brand + bytes(4) + brand) + box(b"moov", box(b"mvhd", mvhd)) + box(b"mdat", b"")


def png_chunks(data):
    """(type, body) of each chunk after the signature."""
    chunks, at = [], 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        chunks.append((kind, data[at + 8:at + 8 + length]))
        at += 12 + length
    return chunks


def png_chunk(kind, body):
    return struct.pack(">I4s", len(body), kind) + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


def exif_after_idat(data):
    """The image data cut into PIECES IDAT chunks, the eXIf chunk after them."""
    chunks = png_chunks(data)
    exif = [body for kind, body in chunks if kind == b"eXIf"]
    image = b"".join(body for kind, body in chunks if kind == b"IDAT")
    before = [c for c in chunks[:[k for k, _ in chunks].index(b"IDAT")] if c[0] != b"eXIf"]
    piece = -(-len(image) // PIECES)
    out = data[:8] + b"".join(png_chunk(k, b) for k, b in before)
    out += b"".join(png_chunk(b"IDAT", image[i:i + piece]) for i in range(0, len(image), piece))
    out += b"".join(png_chunk(b"eXIf", body) for body in exif)
    return out + png_chunk(b"IEND", b"")


def fragments_after_moov(data):
    """Everything after the moov box replaced by PIECES fragments, as phones record."""
    at = 0
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        at += size
        if kind == b"moov":
            break
    out = data[:at]
    for sequence in range(1, PIECES + 1):
        out += box(b"moof", box(b"mfhd", struct.pack(">II", 0, sequence)))
        out += box(b"mdat", bytes(PIECE_BYTES))
    return out


def ifd0_last(data):
    """IFD0 copied behind everything else and the header pointed at the copy."""
    order = "<" if data[:2] == b"II" else ">"
    (ifd0,) = struct.unpack(order + "I", data[4:8])
    (count,) = struct.unpack(order + "H", data[ifd0:ifd0 + 2])
    table = data[ifd0:ifd0 + 2 + 12 * count + 4]
    out = bytearray(data + bytes(len(data) % 2))  # IFDs start on a word
    out[4:8] = struct.pack(order + "I", len(out))
    return bytes(out + table)


REWRITES = {"ifd0-last": ifd0_last, "exif-after-idat": exif_after_idat, "fragments-after-moov": fragments_after_moov}


def random_date(rng, first_year, last_year):
    year = rng.randint(max(first_year, 1980), 2039) if rng.random() < 0.7 else rng.randint(first_year, last_year)
    month = rng.randint(1, 12)
    leap = year % 4 == 0 and (year % 100 != 0 or year % 400 == 0)
    days = [31, 29 if leap else 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][month - 1]
    return "%04d:%02d:%02d %02d:%02d:%02d" % (year, month, rng.randint(1, days), rng.randint(0, 23),
                                              rng.randint(0, 59), rng.randint(0, 59))


def random_zone(rng):
    hours = rng.randint(-12, 14)
    return "%s%02d:%s" % ("-" if hours < 0 else "+", abs(hours), rng.choice(["00", "00", "30", "45"]))


def random_digits(rng, most):
    return "".join(rng.choice("0123456789") for _ in range(rng.randint(1, most)))


def exif_date(rng, which):
    """Arguments for one Exif date (DateTimeOriginal or CreateDate, i.e. DateTimeDigitized)."""
    tag, subsec, zone = {"original": ("DateTimeOriginal", "SubSecTimeOriginal", "OffsetTimeOriginal"),
                         "digitized": ("CreateDate", "SubSecTimeDigitized", "OffsetTimeDigitized")}[which]
    args = ["-ExifIFD:%s=%s" % (tag, random_date(rng, 1700, 2999))]
    if rng.random() < 0.6:
        args.append("-ExifIFD:%s=%s" % (subsec, random_digits(rng, 6)))
    if rng.random() < 0.5:
        args.append("-ExifIFD:%s=%s" % (zone, random_zone(rng)))
    return args


def image_args(rng, kind, dated=False):
    """Random dates; `dated`: one that counts as taken, at least."""
    mode = rng.choices(["original", "digitized", "both", "zeroed", "blank", "other"],
                       weights=[35, 20, 20, 10, 5, 10] if not dated else [1, 1, 1, 0, 0, 0])[0]
    args = []
    if kind == "jpg":
        args.append("-ExifByteOrder#=" + rng.choice(["II", "MM"]))
    if mode in ("original", "both"):
        args += exif_date(rng, "original")
    if mode in ("digitized", "both", "zeroed"):
        args += exif_date(rng, "digitized")
    if mode == "zeroed":  # an original date that cameras write when they do not know it
        args.append("-ExifIFD:DateTimeOriginal#=0000:00:00 00:00:00")
    if mode == "blank":
        args.append("-ExifIFD:DateTimeOriginal#=    :  :     :  :  ")
    if mode == "other":  # dates that do not count as taken
        args.append("-IFD0:ModifyDate=" + random_date(rng, 1700, 2999))
    return args


def movie_args(rng, version, dated=False):
    mode = rng.choices(["header", "keys", "both", "none"], weights=[40, 25, 25, 10] if not dated else [1, 1, 1, 0])[0]
    args = []
    if mode in ("header", "both"):
        args.append("-QuickTime:CreateDate=" + random_date(rng, 1970, 2039 if version == 0 else 2999))
    if mode in ("keys", "both"):
        fraction = "." + random_digits(rng, 3) if rng.random() < 0.5 else ""
        args.append("-Keys:CreationDate=%s%s%s" % (random_date(rng, 1700, 2999), fraction, random_zone(rng)))
    return args


def run(command, **kwargs):
    subprocess.run(command, check=True, **kwargs)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--seed", type=int, default=25)
    options = parser.parse_args()
    rng = random.Random(options.seed)
    for tool in ("exiftool", "convert"):
        if shutil.which(tool) is None:
            sys.exit("%s is missing: scripts/setup.sh installs it" % tool)

    out = options.out
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    with tempfile.TemporaryDirectory() as scratch:
        bases = {}
        for name, extra in [("jpg", []), ("png", []), ("webp", []), ("heic", []), ("avif", []),
                            ("tif-le", ["-define", "tiff:endian=lsb"]), ("tif-be", ["-define", "tiff:endian=msb"])]:
            path = os.path.join(scratch, "base-%s.%s" % (name, name.split("-")[0]))
            run(["convert", "-size", "4x4", "gradient:red-blue"] + extra + [path])
            bases[name] = path
        # Image data enough for PIECES chunks of PIECE_BYTES: noise does not compress.
        path = os.path.join(scratch, "base-noise.png")
        run(["convert", "-size", "700x700", "xc:", "+noise", "Random", "-depth", "8", path])
        bases["png-noise"] = path
        for kind, brand in MOVIES.items():
            for version in (0, 1):
                path = os.path.join(scratch, "base-%s-v%d.%s" % (kind, version, kind))
                with open(path, "wb") as f:
                    f.write(movie(brand, version))
                bases["%s-v%d" % (kind, version)] = path

        names, arguments, patches, layouts = [], [], {}, {}
        jobs = [(kind, i, None) for kind, count in KINDS for i in range(count)]
        jobs += [(kind, i, layout) for kind, count, layout in LAYOUTS for i in range(count)]
        for kind, i, layout in jobs:
            name = "%s-%03d.%s" % (kind, i, kind) if not layout else "%s-%s-%d.%s" % (kind, layout, i, kind)
            if layout:
                layouts[name] = layout
            if kind == "png" and layout:
                base, args = bases["png-noise"], image_args(rng, kind, True)
            elif kind in MOVIES:
                version = rng.randint(0, 1)
                base, args = bases["%s-v%d" % (kind, version)], movie_args(rng, version, bool(layout))
            elif kind in ("tif", "orf", "rw2"):
                order = "le" if kind != "tif" or rng.random() < 0.5 else "be"
                base, args = bases["tif-" + order], image_args(rng, kind, bool(layout))
                if kind != "tif":  # ExifTool writes them as TIFF; the magic comes after
                    patches[name] = b"RO" if kind == "orf" else b"U\0"
            else:
                base, args = bases[kind], image_args(rng, kind)
            path = os.path.join(out, name)
            shutil.copyfile(base, path)
            names.append(name)
            if args:
                arguments += args + [path, "-execute"]

        argfile = os.path.join(scratch, "write.args")
        with open(argfile, "w") as f:
            f.write("\n".join(arguments[:-1]) + "\n")  # no -execute after the last file
        run(["exiftool", "-@", argfile, "-common_args", "-q", "-q", "-overwrite_original"])
        for name, magic in patches.items():
            with open(os.path.join(out, name), "r+b") as f:
                f.seek(2)
                f.write(magic)
        for name, layout in layouts.items():
            with open(os.path.join(out, name), "r+b") as f:
                data = REWRITES[layout](f.read())
                f.seek(0)
                f.truncate()
                f.write(data)

        listfile = os.path.join(scratch, "read.args")
        with open(listfile, "w") as f:
            f.write("\n".join(os.path.join(out, name) for name in names) + "\n")
        readings = subprocess.run(
            ["exiftool", "-q", "-q", "-f", "-d", "%s%f", "-p", READ_BACK, "-@", listfile],
            check=True, capture_output=True, text=True, env=dict(os.environ, TZ=LOCAL_ZONE)).stdout
    lines = readings.splitlines()
    if len(lines) != len(names):
        sys.exit("ExifTool read %d of %d files" % (len(lines), len(names)))
    with open(os.path.join(out, "expected.txt"), "w") as f:
        f.write("local-offset-minutes %d\n" % LOCAL_OFFSET_MINUTES)
        f.write(readings)


if __name__ == "__main__":
    main()
