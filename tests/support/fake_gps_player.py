#!/usr/bin/python3
"""A GPS receiver for the tests: gpsd's fake-GPS pseudo-terminal (gps.fake,
Debian's python3-gps) playing an NMEA log in a loop at 9600 baud, as the
gpsfake command does without its gpsd daemon.

Usage: fake_gps_player.py LOG [--silent]
Prints the pseudo-terminal's device path on the first line of its output,
then feeds the log's sentences over and over until it is killed. With
--silent it keeps the line open and sends nothing.
Run it with Debian's own /usr/bin/python3, which sees the Debian packages.
"""
import sys
import time

import gps.fake


def main():
    silent = "--silent" in sys.argv[2:]
    player = gps.fake.FakePTY(gps.fake.TestLoad(sys.argv[1]), speed=9600)
    print(player.byname, flush=True)
    while True:
        if silent:
            time.sleep(1)
        else:
            player.feed()


main()
