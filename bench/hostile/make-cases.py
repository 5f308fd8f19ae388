#!/usr/bin/env python3
"""Writes the hostile menu folders of bench/run-hostile.sh into a folder, one folder a case.

Each case is a menu.ini with its pictures and targets, built from a few kilobytes of rules;
no file is larger than 16 MiB. Each folder gets a file "largest" holding the bytes of the
largest picture the program must decode for it (the memory limit is taken from it), and may
get "prefix" (a Wine prefix for registry references) and "runs" (how many starts to time, the
last counting: caches filled by the first).

Usage: make-cases.py FOLDER
"""
import os
import struct
import sys
import zlib

MIB = 1 << 20


def bitmap_header(width, height, bits, compression, image_size, colours):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, image_size,
                       2835, 2835, colours, 0)
    offset = 14 + len(info) + 4 * colours
    return b"BM" + struct.pack("<IHHI", offset + image_size, 0, 0, offset) + info


def rle8_bitmap(width, height, rows):
    """An 8-bit run-length bitmap whose rows are the given encoded bytes (each without its
    end-of-line code)."""
    data = b"".join(row + b"\x00\x00" for row in rows) + b"\x00\x01"
    palette = b"".join(struct.pack("<BBBB", i, 255 - i, i // 2, 0) for i in range(256))
    return bitmap_header(width, height, 8, 1, len(data), 256) + palette + data


def plain_bitmap(width, height):
    stride = (width * 3 + 3) & ~3
    row = bytes([0x40, 0x80, 0xC0]) * width + b"\x00" * (stride - width * 3)
    return bitmap_header(width, height, 24, 0, stride * height, 0) + row * height


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, raw_rows, trailing_zero_mib=0):
    """An RGBA PNG; its zlib stream goes on with that many mebibytes of compressed zeros after
    the rows, each mebibyte compressed once and repeated (full flushes make its blocks stand
    alone)."""
    packer = zlib.compressobj(9)
    stream = packer.compress(raw_rows) + packer.flush(zlib.Z_FULL_FLUSH)
    adler = zlib.adler32(raw_rows)
    if trailing_zero_mib:
        zeros = bytes(MIB)
        block = packer.compress(zeros) + packer.flush(zlib.Z_FULL_FLUSH)
        stream += block * trailing_zero_mib
        zeros_adler = zlib.adler32(zeros)
        for _ in range(trailing_zero_mib):
            adler = adler32_combine(adler, zeros_adler, MIB)
    stream += packer.flush(zlib.Z_FINISH)[:-4] + struct.pack(">I", adler)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", stream) +
            png_chunk(b"IEND", b""))


def adler32_combine(adler1, adler2, length2):
    base = 65521
    rem = length2 % base
    sum1 = adler1 & 0xFFFF
    sum2 = (rem * sum1) % base
    sum1 += (adler2 & 0xFFFF) + base - 1
    sum2 += (adler1 >> 16) + (adler2 >> 16) + base - rem
    sum1 %= base
    sum2 %= base
    return (sum2 << 16) | sum1


def icon(images, entries=None):
    """An icon file; entries lists the image index of each directory entry (default: one each)."""
    entries = list(range(len(images))) if entries is None else entries
    offsets = []
    position = 6 + 16 * len(entries)
    for image in images:
        offsets.append(position)
        position += len(image)
    out = struct.pack("<HHH", 0, 1, len(entries))
    for index in entries:
        out += struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(images[index]), offsets[index])
    return out + b"".join(images)


def one_bit_icon_image(side):
    header = struct.pack("<IiiHHIIiiII", 40, side, 2 * side, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = b"\x00\x00\x00\x00\xff\xff\xff\x00"
    stride = ((side + 31) // 32) * 4
    return header + palette + b"\x55" * (stride * side) + b"\x00" * (stride * side)


def menu_ini(main, entries):
    text = "[Main]\n" + "".join(f"{k}={v}\n" for k, v in main.items())
    text += f"ProgCount={len(entries)}\n"
    for number, entry in enumerate(entries, 1):
        text += f"[Prog_{number}]\n" + "".join(f"{k}={v}\n" for k, v in entry.items())
    return text.encode("utf-8")


def write(folder, name, data):
    path = os.path.join(folder, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def lying_jpeg(width, height):
    """The fuzz seed's baseline JPEG with its frame header claiming another size: its data end
    long before rows of that size would."""
    seed = os.path.join(os.path.dirname(__file__), "..", "..", "fuzz", "corpus",
                        "JpegPictureFuzzer", "baseline.jpg")
    with open(seed, "rb") as source:
        data = bytearray(source.read())
    frame = data.index(b"\xff\xc0")
    struct.pack_into(">HH", data, frame + 5, height, width)
    return bytes(data)


def case(root, name, files, largest, runs=1):
    folder = os.path.join(root, name)
    os.makedirs(folder, exist_ok=True)
    for file_name, data in files.items():
        write(folder, file_name, data)
    write(folder, "largest", str(largest).encode())
    write(folder, "runs", str(runs).encode())
    return folder


def button(index, caption="Entry", **extra):
    entry = {"X": 10, "Y": 10 + 30 * (index % 20), "Width": 300, "Height": 26,
             "ButtonText": caption, "TerminateAfterStart": 0}
    entry.update(extra)
    return entry


def main():
    root = sys.argv[1]
    small = plain_bitmap(320, 240)
    small_bytes = 320 * 240 * 4

    rows16 = b"".join(b"\x00" + bytes([y, y, y, 255]) * 16 for y in range(16))
    bomb = png(16, 16, rows16, trailing_zero_mib=4096)
    case(root, "1-icon-bomb-one-entry", {"menu.bmp": small, "menu.ico": icon([bomb]),
                                          "menu.ini": menu_ini({"Icon": "menu.ico"}, [button(0)])},
         small_bytes)
    case(root, "1-icon-bomb-65535-entries",
         {"menu.bmp": small, "menu.ico": icon([bomb], [0] * 65535),
          "menu.ini": menu_ini({"Icon": "menu.ico"}, [button(0)])}, small_bytes)

    side = 8192
    run_rows = [b"\xff\x07" * (side // 255) + bytes([side % 255, 7]) for _ in range(1)]
    rle = rle8_bitmap(side, side, run_rows)
    case(root, "2-rle8-8192-background", {"menu.bmp": rle, "menu.ini": menu_ini({}, [button(0)])},
         side * side * 4)
    one_bit = icon([one_bit_icon_image(1024)], [0] * 64)
    case(root, "2-one-bit-icon-64-entries",
         {"menu.bmp": small, "menu.ico": one_bit,
          "menu.ini": menu_ini({"Icon": "menu.ico"}, [button(0)])}, 1024 * 1024 * 4)
    wide = png(16384, 4096, (b"\x00" + bytes(4 * 16384)) * 4096)
    case(root, "2-png-icon-16384x4096",
         {"menu.bmp": small, "menu.ico": icon([wide]),
          "menu.ini": menu_ini({"Icon": "menu.ico"}, [button(0)])}, 16384 * 4096 * 4)
    case(root, "2-both", {"menu.bmp": rle, "menu.ico": icon([wide]),
                          "menu.ini": menu_ini({"Icon": "menu.ico"}, [button(0)])},
         16384 * 4096 * 4)

    caption = "".join(chr(ord("A") + i % 26) for i in range(100))
    case(root, "4-captions-at-size-1000",
         {"menu.bmp": plain_bitmap(640, 480),
          "menu.ini": menu_ini({}, [button(i, caption, FontInfo="Arial,1000,,0,clRed,0")
                                    for i in range(1000)])}, 640 * 480 * 4)
    width = 4096
    per_row = 16 * MIB // width // 2 - 2
    rows = [b"\xff\x01" * per_row for _ in range(width)]
    case(root, "4-rle8-runs-past-the-edge",
         {"menu.bmp": rle8_bitmap(width, width, rows), "menu.ini": menu_ini({}, [button(0)])},
         width * width * 4)
    files = {"menu.bmp": small,
             "menu.ini": menu_ini({}, [button(i, ExePath=f"files\\MISSING{i}.EXE")
                                       for i in range(10000)])}
    for i in range(20000):
        files[f"files/present{i}.exe"] = b""
    case(root, "4-missing-targets-in-a-large-folder", files, small_bytes)
    # Linear B: a script no usual font covers; each button a size of its own.
    rare = "".join(chr(0x10000 + i) for i in range(40))
    case(root, "4-fallback-faces", {
        "menu.bmp": small,
        "menu.ini": menu_ini({}, [button(i, rare, FontInfo=f"Arial,{8 + i},,0,clRed,0")
                                  for i in range(300)])}, small_bytes, runs=2)

    # Backgrounds in the other picture formats: a PNG whose stream goes on with 4 GiB of
    # compressed zeros after its rows, and a JPEG whose header claims a picture at the pixel
    # limit that its data do not hold.
    side = 4096
    png_bomb = png(side, side, (b"\x00" + bytes(4 * side)) * side, trailing_zero_mib=4096)
    case(root, "6-png-background-bomb", {"menu.bmp": png_bomb, "menu.ini": menu_ini({}, [button(0)])},
         side * side * 4)
    case(root, "6-jpeg-background-lying-size",
         {"menu.bmp": lying_jpeg(8192, 8191), "menu.ini": menu_ini({}, [button(0)])},
         8192 * 8191 * 4)

    header = "WINE REGISTRY Version 2\n\n"
    deep = "\\\\".join(["a"] * 40000)
    prefix = {"prefix/system.reg": (header + f"[{deep}]\n\"V\"=\"x\"\n").encode(),
              "prefix/user.reg": header.encode(),
              "menu.bmp": small,
              "menu.ini": menu_ini({}, [button(0, ExePath="$REG$HKLMa\\a$KEY$V$DEF$x.exe")])}
    case(root, "5-hive-deep-key", prefix, small_bytes)
    big = header + "[Big]\n" + "".join(f"\"V{i}\"=\"C:\\\\x{i}.exe\"\n" for i in range(100000))
    case(root, "5-hive-many-references", {
        "prefix/system.reg": big.encode(), "prefix/user.reg": header.encode(),
        "menu.bmp": small,
        "menu.ini": menu_ini({}, [button(i, ExePath=f"$REG$HKLMBig$KEY$V{i * 10}$DEF$x.exe")
                                  for i in range(10000)])}, small_bytes)


if __name__ == "__main__":
    main()
