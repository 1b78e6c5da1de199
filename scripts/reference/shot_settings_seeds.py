#!/usr/bin/python3
"""Writes fuzz/corpus/shot_settings/*: seed files of the camera settings file
"zendavori.shots" (magic "ZDSH", version 1, count, zlib's CRC-32 of the body,
then each setting: u8-length date and time texts, four little-endian i32 (shots,
exposure, delay, ISO row), a u8-length file name and a u16-length description),
written by hand from that layout: good files and files the program must refuse.

Run from the top folder:  /usr/bin/python3 scripts/reference/shot_settings_seeds.py
"""
import os
import struct
import zlib

OUT = "fuzz/corpus/shot_settings"


def setting(date, time, shots, exposure, delay, iso, name, description):
    b = bytes([len(date)]) + date + bytes([len(time)]) + time
    b += struct.pack("<iiii", shots, exposure, delay, iso)
    b += bytes([len(name)]) + name + struct.pack("<H", len(description)) + description
    return b


def file(settings, count=None, version=1, crc=None, tail=b""):
    body = b"".join(settings) + tail
    if count is None:
        count = len(settings)
    if crc is None:
        crc = zlib.crc32(body)
    return b"ZDSH" + struct.pack("<III", version, count, crc) + body


def main():
    os.makedirs(OUT, exist_ok=True)
    two = [setting(b"05/03/2024", b"21:10:00", 3, 30, 5, 2, b"M42 set", b"Orion, 3 of 30 s"),
           setting(b"", b"", 10, 120, 10, 4, b"Shot 0", b"")]
    longest = [setting(b"1" * 15, b"2" * 15, -1, 2**31 - 1, -2**31, 5, b"n" * 19, b"d" * 299)]
    seeds = {
        "two_settings": file(two),
        "no_settings": file([]),
        "longest_texts": file(longest),
        "name_too_long": file([setting(b"", b"", 1, 1, 1, 0, b"n" * 20, b"")]),
        "iso_row_six": file([setting(b"", b"", 1, 1, 1, 6, b"x", b"")]),
        "nul_in_name": file([setting(b"", b"", 1, 1, 1, 0, b"a\0b", b"")]),
        "count_beyond_the_bytes": file(two, count=3),
        "count_over_the_limit": file([], count=1001),
        "bytes_left_over": file(two, tail=b"\x00"),
        "wrong_crc": file(two, crc=0),
        "version_two": file(two, version=2),
        "header_only_cut": file(two)[:12],
    }
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    print("wrote", len(seeds), "seeds to", OUT)


if __name__ == "__main__":
    main()
