#!/usr/bin/env python3
"""Makes the ZIP archives that the archive tests read, with real archivers:
Info-ZIP zip for ordinary and self-extracting archives, Python's zipfile for
crafted ones. Beside each listing fixture NAME it writes NAME.expect, the
listing that zipfile itself reads from the archive:

    open BASE LENGTH RESULT
    entry NAMEHEX METHOD FLAGS STAMP CRC PACKED SIZE OFFSET ATTRIBUTES
    end RESULT

NAMEHEX is the expected ANSI name (code page 1252, backslashes, at most 259
characters). Usage: make_zip_fixtures.py OUTPUT_FOLDER
"""
import io
import os
import shutil
import struct
import subprocess
import sys
import zipfile

FIXED_TIME = (2001, 9, 10, 13, 33, 26)
FIXED_EPOCH = 1000128806  # a time in September 2001, for files zip reads


def stamp_of(date_time):
    y, mo, d, h, mi, s = date_time
    return ((y - 1980) << 25) | (mo << 21) | (d << 16) | (h << 11) | (mi << 5) | (s // 2)


def expected_name(info):
    raw = info.orig_filename.encode("utf-8" if info.flag_bits & 0x800 else "cp437")
    raw = raw[:259].split(b"\0")[0].replace(b"/", b"\\")
    return raw.decode("cp437").encode("cp1252")


def entry_line(info):
    attributes = info.external_attr & 0xFF if info.create_system == 0 else 0
    return "entry %s %d %d %d %d %d %d %d %d" % (
        expected_name(info).hex() or "-", info.compress_type, info.flag_bits,
        stamp_of(info.date_time), info.CRC, info.compress_size, info.file_size,
        info.header_offset, attributes)


def write_expect(folder, name, base, length, open_result, infos=(), end_result=1):
    lines = ["open %d %d %d" % (base, length, open_result)]
    lines += [entry_line(i) for i in infos]
    if open_result == 0 or infos:
        lines.append("end %d" % end_result)
    with open(os.path.join(folder, name + ".expect"), "w") as f:
        f.write("\n".join(lines) + "\n")


def infos_of(data):
    return zipfile.ZipFile(io.BytesIO(data)).infolist()


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def listed(folder, name, data, base=0, length=0):
    """An archive whose expected listing is whatever zipfile reads from it."""
    write(folder, name, data)
    inner = data[base:base + length] if length > 0 else data[base:]
    write_expect(folder, name, base, length, 0, infos_of(inner))


class RawName(zipfile.ZipInfo):
    """A member whose name bytes are written as given (OEM names)."""

    def __init__(self, raw, date_time=FIXED_TIME):
        super().__init__(raw.decode("cp437"), date_time)
        self.raw = raw

    def _encodeFilenameFlags(self):
        return self.raw, self.flag_bits


def member(name, date_time=FIXED_TIME, system=0, attributes=0x20, comment=b"", extra=b""):
    info = zipfile.ZipInfo(name, date_time)
    info.create_system = system
    info.external_attr = attributes
    info.comment = comment
    info.extra = extra
    return info


def build(members, comment=b"", method=zipfile.ZIP_STORED):
    """members: (ZipInfo or name, content) pairs."""
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", method) as z:
        for info, content in members:
            if isinstance(info, str):
                info = member(info)
            info.compress_type = method if info.compress_type == zipfile.ZIP_STORED else info.compress_type
            z.writestr(info, content)
        z.comment = comment
    return out.getvalue()


def central_directory(data):
    """(offset, size) of the central directory from the end record."""
    end = data.rfind(b"PK\x05\x06")
    size, offset = struct.unpack_from("<II", data, end + 12)
    return offset, size


# ---------------------------------------------------------------- Info-ZIP

def make_tree(root):
    files = {
        "readme.txt": b"Corvane readme\r\n" * 40,
        "docs/manual.txt": b"The manual.\r\n" * 500,
        "docs/sub/deep.txt": b"deep file\r\n",
        "bin/prog.exe": bytes(range(256)) * 64,
        "empty.txt": b"",
    }
    for name, content in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(content)
    for dirpath, dirnames, filenames in os.walk(root):
        for n in dirnames + filenames:
            os.utime(os.path.join(dirpath, n), (FIXED_EPOCH, FIXED_EPOCH))


def infozip(work, archive, args, stdin=None):
    path = os.path.join(work, archive)
    if os.path.exists(path):
        os.remove(path)
    subprocess.run(["zip", "-q"] + args + [path, "."], cwd=os.path.join(work, "tree"),
                   input=stdin, check=True, stdout=subprocess.DEVNULL)
    with open(path, "rb") as f:
        return f.read()


def dos_stub(image_size, total):
    """An old-format MS-DOS executable whose image is image_size bytes."""
    pages = (image_size + 511) // 512
    last = image_size % 512
    header = bytearray(total)
    header[0:2] = b"MZ"
    struct.pack_into("<HH", header, 2, last, pages)
    struct.pack_into("<H", header, 24, 0x1C)
    return bytes(header)


def pe_stub(total=4096):
    """A new-format executable: a 128-byte MS-DOS image, then a PE body."""
    header = bytearray(total)
    header[0:2] = b"MZ"
    struct.pack_into("<HH", header, 2, 128, 1)
    struct.pack_into("<H", header, 24, 0x40)
    struct.pack_into("<I", header, 0x3C, 0x80)
    header[0x80:0x84] = b"PE\0\0"
    for i in range(0x100, total):
        header[i] = (i * 7) & 0xFF
    return bytes(header)


def self_extractor(work, name, stub, archive):
    path = os.path.join(work, name)
    with open(path, "wb") as f:
        f.write(stub + archive)
    subprocess.run(["zip", "-q", "-A", path], check=True, stdout=subprocess.DEVNULL)
    with open(path, "rb") as f:
        return f.read()


def infozip_fixtures(out, work):
    make_tree(os.path.join(work, "tree"))
    stored = infozip(work, "a.zip", ["-r", "-0"])
    listed(out, "infozip_stored.zip", stored)
    deflated = infozip(work, "b.zip", ["-r", "-9"])
    listed(out, "infozip_deflated.zip", deflated)
    # -z reads the archive comment and -c one comment per member from stdin.
    comments = "".join("comment of member %d\n" % i for i in range(20)) + "archive comment\n.\n"
    commented = infozip(work, "c.zip", ["-r", "-c", "-z"], stdin=comments.encode())
    listed(out, "infozip_comments.zip", commented)
    listed(out, "sfx_dos.exe", self_extractor(work, "d.exe", dos_stub(1024, 1024), stored))
    listed(out, "sfx_dos_padded.exe", self_extractor(work, "e.exe", dos_stub(1023, 1024), stored))
    listed(out, "sfx_pe.exe", self_extractor(work, "f.exe", pe_stub(), deflated))
    write(out, "pe_plain.exe", pe_stub())
    # An old-format executable gets no tail scan: an archive that does not
    # start at its image end is not found.
    write(out, "dos_misplaced.exe", dos_stub(512, 1024) + stored)
    # The end record of a long archive comment lies outside the last 2048 bytes.
    long_comment = build([("a.txt", b"a")], comment=b"x" * 3000)
    write(out, "pe_long_comment.exe", self_extractor(work, "g.exe", pe_stub(), long_comment))
    # For the archive test: names without a dot are never archives, and a
    # local header counts only when at least 10 bytes could be read.
    write(out, "nodot", stored)
    write(out, "ten_bytes.zip", stored[:10])
    write(out, "nine_bytes.zip", stored[:9])
    write(out, "readme.txt", b"PK plain text\r\n" * 10)
    return stored


# ---------------------------------------------------------------- crafted

def crafted_fixtures(out, plain):
    empty = build([])
    assert len(empty) == 22
    write(out, "empty.zip", empty)
    write_expect(out, "empty.zip", 0, 0, -2)
    write(out, "junk_then_end.zip", b"J" * 30 + empty)
    write_expect(out, "junk_then_end.zip", 0, 0, -2)
    write(out, "no_end_record.zip", plain[:-22])
    write_expect(out, "no_end_record.zip", 0, 0, -1)
    write(out, "short.zip", empty[:21])
    write_expect(out, "short.zip", 0, 0, -1)
    write(out, "zero.zip", b"")
    write_expect(out, "zero.zip", 0, 0, -1)
    write_expect(out, "missing.zip", 0, 0, -1)

    # The directory offset of the end record points past the record itself.
    end = plain.rfind(b"PK\x05\x06")
    beyond = bytearray(plain)
    struct.pack_into("<I", beyond, end + 16, end + 100)
    write(out, "offset_beyond_end.zip", bytes(beyond))
    write_expect(out, "offset_beyond_end.zip", 0, 0, 1)

    # The third entry's signature is broken: the two before it still come.
    three = build([("one.txt", b"1"), ("two.txt", b"22"), ("three.txt", b"333"), ("four.txt", b"4")])
    offset, _ = central_directory(three)
    broken = bytearray(three)
    position = offset
    for _ in range(2):
        n, e, c = struct.unpack_from("<HHH", broken, position + 28)
        position += 46 + n + e + c
    broken[position + 3] = 0x09
    write(out, "broken_third_entry.zip", bytes(broken))
    write_expect(out, "broken_third_entry.zip", 0, 0, 0, infos_of(three)[:2])

    # An archive comment that itself holds an end record whose directory
    # offset is the real one: the later record wins, the listing is whole.
    members = [("first.txt", b"first"), ("second.txt", b"second")]
    probe = build(members, comment=b"\0" * 40)
    offset, _ = central_directory(probe)
    fake = b"PK\x05\x06" + b"\0" * 12 + struct.pack("<I", offset) + b"\0\0"
    comment = b"note " + fake + b"\0" * (40 - 5 - len(fake))
    signed = build(members, comment=comment)
    assert len(signed) == len(probe)
    # zipfile itself stops at the fake record; the probe has the same layout.
    write(out, "comment_signature.zip", signed)
    write_expect(out, "comment_signature.zip", 0, 0, 0, infos_of(probe))

    # A signature within the last 22 bytes cannot begin an end record.
    tail = build(members, comment=b"xxPK\x05\x06yyyy")
    write(out, "comment_tail_signature.zip", tail)
    write_expect(out, "comment_tail_signature.zip", 0, 0, 0, infos_of(build(members, comment=b"x" * 10)))

    # Long comments: the record 10 bytes before the first 4096-byte chunk
    # (found only because chunks overlap by 22 bytes), several chunks back,
    # and the longest comment there is.
    padded = members + [("pad.bin", b"p" * 10000)]
    for length in (4084, 9000, 65535):
        listed(out, "comment_%d.zip" % length, build(padded, comment=b"c" * length))

    # File comments and extra fields must not hide the entries after them.
    extra = b"UT\x05\x00\x01" + struct.pack("<I", FIXED_EPOCH)
    listed(out, "file_comments.zip", build([
        (member("a.txt", comment=b"a comment"), b"a"),
        (member("b.txt", comment=b"PK\x01\x02 looks like a header", extra=extra), b"b"),
        (member("c.txt"), b"c")]))

    # Attributes count only for entries made on MS-DOS (host byte 0).
    listed(out, "hosts.zip", build([
        (member("dos_readonly.txt", system=0, attributes=0x21), b"r"),
        (member("dos_hidden_system.txt", system=0, attributes=0x06), b"h"),
        (member("dos_dir/", system=0, attributes=0x10), b""),
        (member("unix.txt", system=3, attributes=(0o100644 << 16) | 0x21), b"u"),
        (member("ntfs.txt", system=11, attributes=0x27), b"n"),
        (member("vfat.txt", system=14, attributes=0x01), b"v")]))

    # OEM names: umlauts in code page 437 come back in 1252.
    listed(out, "oem_names.zip", build([
        (RawName(b"M\x81ller/\x8erger \x84\x94\x81\xe1.txt"), b"x"),
        (RawName(b"\x99l/\x9aber \x90t\x82.txt"), b"y"),
        (RawName(b"sub/dir/plain.txt"), b"z")]))

    # A 300-character name is cut to 259.
    listed(out, "long_name.zip", build([("d/" + "n" * 298, b"long"), ("after.txt", b"after")]))

    # An archive inside a larger file: junk with signatures before it and a
    # fake end record behind it, outside the given length.
    inner = build([("inner/a.txt", b"inner a"), ("inner/b.txt", b"inner b" * 100)])
    before = b"PK\x03\x04" + b"B" * 96 + b"PK\x05\x06" + b"B" * 96
    after = b"PK\x05\x06" + b"\0" * 12 + struct.pack("<I", 0xFFFFFFF0) + b"\0\0" + b"A" * 40
    outer = before + inner + after
    listed(out, "embedded.bin", outer, base=len(before), length=len(inner))
    write(out, "embedded_whole.bin", outer)
    write_expect(out, "embedded_whole.bin", 0, 0, 1)


def sized_directory(target, count, stem):
    """Members whose central directory (plus the 4-byte end signature the
    listing stops on) is exactly target bytes long."""
    members = [(member("%s/%04d_%s.txt" % (stem, i, "x" * (i % 90))), b"") for i in range(count)]
    data = build(members)
    _, size = central_directory(data)
    pad = target - 4 - size
    assert 0 <= pad <= 65535, pad
    members[-1][0].comment = b"c" * pad
    data = build(members)
    _, size = central_directory(data)
    assert size + 4 == target
    return data


def large_directory_fixtures(out):
    # Over 65535 bytes: entries with comments and extra fields, one of them
    # crossing the first 64000-byte window.
    extra = b"UT\x05\x00\x01" + struct.pack("<I", FIXED_EPOCH)
    members = []
    for i in range(700):
        name = "big/%04d/%s.dat" % (i, "abcdefghij" * (i % 12))
        members.append((member(name, comment=b"#" * (i % 37), extra=extra if i % 3 == 0 else b""),
                        b"%d" % i))
    data = build(members)
    offset, size = central_directory(data)
    assert size > 65535
    position, crossing = offset, False
    while position < offset + size:
        n, e, c = struct.unpack_from("<HHH", data, position + 28)
        length = 46 + n + e + c
        crossing |= position - offset < 64000 < position - offset + length
        position += length
    assert crossing
    listed(out, "huge_directory.zip", data)
    listed(out, "directory_64000.zip", sized_directory(64000, 300, "w"))
    listed(out, "directory_63999.zip", sized_directory(63999, 300, "v"))


# ---------------------------------------------------------------- extraction

class Unseekable(io.RawIOBase):
    """A stream zipfile cannot seek in: it writes data descriptors."""

    def __init__(self):
        self.data = bytearray()

    def writable(self):
        return True

    def write(self, b):
        self.data += b
        return len(b)


def text_content(seed, size):
    line = ("Corvane member %d: the quick brown fox jumps over the lazy dog.\r\n" % seed).encode()
    return (line * (size // len(line) + 1))[:size]


def binary_content(seed, size):
    state, out = seed * 2654435761 & 0xFFFFFFFF, bytearray()
    while len(out) < size:
        state = (state * 1103515245 + 12345) & 0xFFFFFFFF
        out.append(state >> 16 & 0xFF)
    return bytes(out)


def write_members(out, name, data, contents):
    """NAME.members: one line per member, name and local header offset;
    the expected content of each file member under content/."""
    lines = []
    for info in infos_of(data):
        lines.append("%s %d" % (info.filename, info.header_offset))
    with open(os.path.join(out, name + ".members"), "w") as f:
        f.write("\n".join(lines) + "\n")
    folder = os.path.join(out, "content")
    os.makedirs(folder, exist_ok=True)
    for member_name, content in contents.items():
        write(folder, member_name.replace("/", "_"), content)


def patched_local_header(data, field_offset, fmt, value, member_index=0):
    """The archive with one field of one member's local header changed (the
    central directory keeps the true value)."""
    offset = infos_of(data)[member_index].header_offset
    patched = bytearray(data)
    struct.pack_into(fmt, patched, offset + field_offset, value)
    return bytes(patched)


def extraction_fixtures(out, work):
    contents = {
        "stored.bin": binary_content(1, 100000),
        "deflated.txt": text_content(2, 200000),
        "empty.txt": b"",
        "docs/sub/deep.txt": text_content(3, 5000),
        "big.txt": text_content(4, 10 * 1024 * 1024),
        "slow.bin": binary_content(5, 2 * 1024 * 1024),
        "split.bin": binary_content(6, 100000),
        "splitdeflated.txt": text_content(7, 300000) + binary_content(7, 60000),
        "descriptor.txt": text_content(8, 70000),
    }

    def deflated(name):
        info = member(name)
        info.compress_type = zipfile.ZIP_DEFLATED
        return info

    members = [
        (member("docs/", attributes=0x10), b""),
        (member("stored.bin", attributes=0x21), contents["stored.bin"]),
        (deflated("deflated.txt"), contents["deflated.txt"]),
        (member("empty.txt"), b""),
        (deflated("docs/sub/deep.txt"), contents["docs/sub/deep.txt"]),
    ]
    plain = build(members)
    write(out, "ex_plain.zip", plain)
    write_members(out, "ex_plain.zip", plain, contents)

    # Wrong CRC in the local header, of a stored and of a deflated member.
    bad = patched_local_header(plain, 14, "<I", zlib_crc(contents["stored.bin"]) ^ 1, 1)
    bad = patched_local_header(bad, 14, "<I", zlib_crc(contents["deflated.txt"]) ^ 0x100, 2)
    write(out, "ex_bad_crc.zip", bad)
    write_members(out, "ex_bad_crc.zip", bad, {})

    # Local headers that declare more bytes than the data holds (the
    # central directory keeps the true sizes): an empty member, one below
    # a window's 32768 bytes, a stored and a deflated one above it.
    over = plain
    for index, declared in ((1, 150000), (2, 250000), (3, 10), (4, 20000)):
        over = patched_local_header(over, 22, "<I", declared, index)
    write(out, "ex_oversized.zip", over)
    write_members(out, "ex_oversized.zip", over, {})

    # Flag bit 0, and methods 6 and 9, in the local header of stored.bin.
    for name, field, fmt, value in (("ex_encrypted.zip", 6, "<H", 1),
                                    ("ex_method6.zip", 8, "<H", 6),
                                    ("ex_method9.zip", 8, "<H", 9)):
        data = patched_local_header(plain, field, fmt, value, 1)
        write(out, name, data)
        write_members(out, name, data, {})

    # Written to a stream without seeking: flag bit 3, zero CRC and sizes
    # in the local header, the true values in a descriptor behind the data.
    stream = Unseekable()
    with zipfile.ZipFile(stream, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr(deflated("descriptor.txt"), contents["descriptor.txt"])
        z.writestr(deflated("deflated.txt"), contents["deflated.txt"])
    descriptor = bytes(stream.data)
    write(out, "ex_descriptor.zip", descriptor)
    write_members(out, "ex_descriptor.zip", descriptor, contents)

    # Info-ZIP's own deflate output.
    write(out, "ex_infozip.zip", infozip(work, "h.zip", ["-r", "-9"]))
    write_members(out, "ex_infozip.zip", open(os.path.join(work, "h.zip"), "rb").read(), {})

    # A 10 MB member for the size reservation, a 2 MB stored one that is
    # slow enough to see several progress reports.
    big = build([(deflated("big.txt"), contents["big.txt"]), (member("slow.bin"), contents["slow.bin"])])
    write(out, "ex_big.zip", big)
    write_members(out, "ex_big.zip", big, contents)

    # One archive cut into two "disks" in the middle of a member's data.
    split = build([(member("first.txt"), b"first member\r\n"),
                   (member("split.bin"), contents["split.bin"]),
                   (deflated("splitdeflated.txt"), contents["splitdeflated.txt"])])
    write(out, "ex_split.zip", split)
    write_members(out, "ex_split.zip", split, contents)
    infos = infos_of(split)
    cut = infos[1].header_offset + 30 + len("split.bin") + 40000
    write(out, "ex_split_stored.1", split[:cut])
    write(out, "ex_split_stored.2", split[cut:])
    cut = infos[2].header_offset + 30 + len("splitdeflated.txt") + infos[2].compress_size // 2
    write(out, "ex_split_deflated.1", split[:cut])
    write(out, "ex_split_deflated.2", split[cut:])


def zlib_crc(data):
    import zlib
    return zlib.crc32(data) & 0xFFFFFFFF


def main():
    out = os.path.abspath(sys.argv[1])
    os.makedirs(out, exist_ok=True)
    work = os.path.join(out, "work")
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    plain = infozip_fixtures(out, work)
    crafted_fixtures(out, plain)
    large_directory_fixtures(out)
    extraction_fixtures(out, work)
    shutil.rmtree(work)
    write(out, "stamp", b"")


if __name__ == "__main__":
    main()
