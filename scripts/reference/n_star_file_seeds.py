#!/usr/bin/python3
"""Writes fuzz/corpus/n_star_file/*: seed files of the saved N-star list
"userlists\\nstar.nsa", written by hand from its layout: one line per entry, tab-
separated name, kind, index and twelve numbers (time, ra, dec, reading1, reading2,
model1, model2, measured1, measured2, corrected1, corrected2, sidereal), and lines
the program must skip as damaged.

Run from the top folder:  /usr/bin/python3 scripts/reference/n_star_file_seeds.py
"""
import os

OUT = "fuzz/corpus/n_star_file"


def line(name, kind, index, numbers):
    return "\t".join([name, str(kind), str(index)] + [repr(float(v)) for v in numbers]) + "\n"


VEGA = [317.5, 279.2, 38.8, 279.3, 38.7, 279.3, 38.7, 279.25, 38.75, 279.26, 38.74, 8.1068]
ALTAIR = [318.0, 297.7, 8.87, 297.6, 8.9, 297.6, 8.9, 297.65, 8.85, 297.64, 8.86, 8.12]


def main():
    os.makedirs(OUT, exist_ok=True)
    good = line("Vega", 28, 7001, VEGA) + line("Altair", 28, 7557, ALTAIR)
    seeds = {
        "two_entries": good,
        "crlf_and_blank_lines": good.replace("\n", "\r\n") + "\r\n  \n",
        "no_final_newline": good.rstrip("\n"),
        "empty": "",
        "unnamed_entry": line("", 54, 3, VEGA),
        "fourteen_fields": "\t".join(line("Vega", 28, 7001, VEGA).split("\t")[:-1]) + "\n" + good,
        "sixteen_fields": line("Vega", 28, 7001, VEGA + [1.0]) + good,
        "name_too_long": line("A" * 20, 28, 1, VEGA) + line("B" * 19, 28, 2, ALTAIR),
        "ra_out_of_range": line("Far", 28, 1, [317.5, 361.0] + VEGA[2:]),
        "dec_out_of_range": line("Far", 28, 1, [317.5, 10.0, -90.5] + VEGA[3:]),
        "not_a_number": good.replace("38.8", "nan", 1),
        "infinite": good.replace("38.8", "inf", 1),
        "kind_not_whole": good.replace("\t28\t", "\t28.5\t", 1),
        "index_too_large": good.replace("\t7001\t", "\t2147483648\t", 1),
        "control_in_name": line("Ve\x01ga", 28, 7001, VEGA),
        "twenty_one_entries": "".join(line("S%d" % i, 54, i, [0, i * 10.0, 5.0] + [0.0] * 9) for i in range(21)),
        "leading_blank_number": good.replace("\t317.5", "\t 317.5", 1),
    }
    for name, text in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(text.encode("latin-1"))
    print("wrote", len(seeds), "seeds to", OUT)


if __name__ == "__main__":
    main()
