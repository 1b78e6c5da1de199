#!/usr/bin/python3
"""Writes the NMEA 0183 logs that the GPS tests play to the program through
gpsd's fake-GPS pseudo-terminal (python3-gps), and the seeds of the NMEA fuzz
target. The sentences are the public NMEA 0183 sample sentences (GGA, RMC,
GSA, GSV); every checksum is the exclusive or of the characters between "$"
and "*", computed here.

tests/reference/gps_fix.nmea          GGA and RMC of 48 07.038 N, 11 31.000 E
                                      with GSA and GSV lines between them
tests/reference/gps_no_position.nmea  GSA and GSV lines only
fuzz/corpus/nmea_sentences/*          inputs of the fuzz target

Run from the top folder:  /usr/bin/python3 scripts/reference/gps_logs.py
"""
import functools
import os

GGA = "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"
GGA_NO_FIX = "GPGGA,123519,,,,,0,00,,,M,,M,,"
RMC = "GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W"
GSA = "GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"
GSV = [
    "GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45",
    "GPGSV,2,2,08,18,50,105,44,21,11,178,31,24,55,090,47,29,36,236,42",
]
# Elsewhere: a GGA of Cape Town (33 54.000 S, 18 24.000 E) that follows an RMC.
GGA_CAPE = "GPGGA,101500,3354.000,S,01824.000,E,1,07,1.0,10.0,M,30.0,M,,"


def sentence(body, checksum=None):
    value = functools.reduce(lambda a, c: a ^ ord(c), body, 0) if checksum is None else checksum
    return "$%s*%02X\r\n" % (body, value)


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(text.encode("latin-1"))


def main():
    between = sentence(GSA) + "".join(sentence(s) for s in GSV)
    write("tests/reference/gps_fix.nmea", sentence(GGA) + between + sentence(RMC) + between)
    write("tests/reference/gps_no_position.nmea", between * 2)
    padding = between * (720 // len(between) + 1)
    seeds = {
        "gga_sample": sentence(GGA) * 12,
        "rmc_then_gga_elsewhere": sentence(RMC) + between + sentence(GGA_CAPE) + padding,
        "gga_at_720": padding[:720] + sentence(GGA) + padding,
        "gga_without_fix": sentence(GGA_NO_FIX) + padding,
        "wrong_checksum": sentence(GGA, 0x48) + sentence(RMC, 0x00) + padding,
        "cut_sentences": padding[:700] + "$GPGGA,123519,4807.038,N,0113",
        "huge_field": "$GPRMC,1,A," + "9" * 900 + ",N,01131.000,E*00\r\n",
        "one_decimal_lowercase_checksum": sentence("GPGGA,1,4807.5,N,01131.5,W,8").replace("*7F", "*7f") + padding,
    }
    for name, text in seeds.items():
        write("fuzz/corpus/nmea_sentences/" + name, text)


main()
