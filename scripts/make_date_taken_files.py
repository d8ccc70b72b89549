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
"""
import argparse
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile

LOCAL_ZONE = "QMT-05:30"  # POSIX: five and a half hours east of UTC, no daylight saving
LOCAL_OFFSET_MINUTES = 330

# How many files of each kind; tif-le files also become ORF and RW2 by their magic.
KINDS = [("jpg", 80), ("tif", 40), ("orf", 15), ("rw2", 15), ("png", 40), ("webp", 30),
         ("heic", 25), ("avif", 25), ("mp4", 40), ("mov", 20), ("m4v", 10), ("3gp", 10)]
MOVIES = {"mp4": b"isom", "mov": b"qt  ", "m4v": b"M4V ", "3gp": b"3gp4"}

READ_BACK = "\t".join([
    "$FileName",
    "${ExifIFD:DateTimeOriginal}", "$SubSecDateTimeOriginal", "${ExifIFD:OffsetTimeOriginal}",
    "${ExifIFD:CreateDate}", "$SubSecCreateDate", "${ExifIFD:OffsetTimeDigitized}",
    "${Keys:CreationDate}", "${QuickTime:CreateDate}",
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


def image_args(rng, kind):
    mode = rng.choices(["original", "digitized", "both", "zeroed", "blank", "other"],
                       weights=[35, 20, 20, 10, 5, 10])[0]
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


def movie_args(rng, version):
    mode = rng.choices(["header", "keys", "both", "none"], weights=[40, 25, 25, 10])[0]
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
        for kind, brand in MOVIES.items():
            for version in (0, 1):
                path = os.path.join(scratch, "base-%s-v%d.%s" % (kind, version, kind))
                with open(path, "wb") as f:
                    f.write(movie(brand, version))
                bases["%s-v%d" % (kind, version)] = path

        names, arguments, patches = [], [], {}
        for kind, count in KINDS:
            for i in range(count):
                name = "%s-%03d.%s" % (kind, i, kind)
                if kind in MOVIES:
                    version = rng.randint(0, 1)
                    base, args = bases["%s-v%d" % (kind, version)], movie_args(rng, version)
                elif kind in ("tif", "orf", "rw2"):
                    order = "le" if kind != "tif" or rng.random() < 0.5 else "be"
                    base, args = bases["tif-" + order], image_args(rng, kind)
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
