#!/usr/bin/python3
"""Writes fuzz/corpus/observer_log_records/*: seed files of one observer log
entry (456 bytes, little-endian: u32 magic 123456789 at 0, i32 listing position
at 4, name char[20] at 8, i32 year, month, day, hour, minute at 28..44, f32
right ascension (hours) at 48 and declination (degrees) at 52, i32 Moon per
cent, Sun altitude, visual limit x 10, object type, magnitude at 56..72, 4
bytes reserved, i32 transparency at 80 and seeing at 84, scope char[20] at 88,
location char[30] at 108, filter char[15] at 138, comments char[288] at 153, 3
bytes padding, i32 eyepiece, difficulty, brightness at 444..452), written by
hand from that layout: good entries, damaged ones and cut files. A byte after
the 456 chooses the export's coordinate formats.

Run from the top folder:  /usr/bin/python3 scripts/reference/observer_log_seeds.py
"""
import os
import struct

OUT = "fuzz/corpus/observer_log_records"


def entry(name=b"M 31", date=(2006, 3, 14, 23, 47), ra=0.7125, dec=41.25, words=(99, -41, 65, 6, 4),
          codes=(1, 2), scope=b"200mm", location=b"Home", filter_=b"UHC", comments=b"Dust lanes seen",
          tail=(3, 2, 1), magic=123456789):
    b = bytearray(456)
    struct.pack_into("<Ii", b, 0, magic, 0)
    b[8:8 + len(name)] = name
    struct.pack_into("<5i", b, 28, *date)
    struct.pack_into("<2f", b, 48, ra, dec)
    struct.pack_into("<5i", b, 56, *words)
    struct.pack_into("<2i", b, 80, *codes)
    for at, text in ((88, scope), (108, location), (138, filter_), (153, comments)):
        b[at:at + len(text)] = text
    struct.pack_into("<3i", b, 444, *tail)
    return bytes(b)


def main():
    os.makedirs(OUT, exist_ok=True)
    inf, nan = float("inf"), float("nan")
    seeds = {
        "m31": entry(),
        "m31_formats_1_and_2": entry() + bytes([0x09]),
        "m31_formats_3_and_3": entry() + bytes([0x0F]),
        "full_fields_no_nul": entry(name=b"n" * 20, scope=b"s" * 20, location=b"l" * 30, filter_=b"f" * 15,
                                    comments=b"c" * 288),
        "separators_and_line_breaks": entry(name=b"a;b", scope=b";", comments=b"one;two\r\nthree\rfour\nfive"),
        "empty_texts": entry(name=b"", scope=b"", location=b"", filter_=b"", comments=b""),
        "bad_magic": entry(magic=123456788),
        "cut_455": entry()[:455],
        "cut_100": entry()[:100],
        "empty": b"",
        "position_not_a_number": entry(ra=nan, dec=nan),
        "position_infinite": entry(ra=inf, dec=-inf) + bytes([0x05]),
        "position_huge": entry(ra=3e38, dec=-3e38) + bytes([0x0A]),
        "codes_outside_tables": entry(words=(-2147483648, 2147483647, -2147483648, 42, -1), codes=(-1, 7),
                                      tail=(99999, -5, 2)),
        "date_not_a_date": entry(date=(2147483647, 13, 0, 24, -1)),
        "date_29_february_2023": entry(date=(2023, 2, 29, 12, 0)),
        "date_year_2200": entry(date=(2200, 1, 1, 0, 0)),
        "longer_file": entry() + b"\x00" * 100,
        "name_jupiter": entry(name=b"Jupiter", comments=b"GRS on the meridian"),
        "name_numbered_like_a_kept_entry": entry(name=b"Jupiter_2"),
        "name_dots_only": entry(name=b".."),
        "degree_signs": entry(location=b"Alt 12\xb0", comments=b"Sun -8\xb0, Moon 45\xb0"),
    }
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    print("wrote", len(seeds), "seeds to", OUT)


if __name__ == "__main__":
    main()
