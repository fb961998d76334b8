#!/usr/bin/env python3
# Writes the seed corpus of every fuzz target into corpus/<target>/: small valid files of each
# kind with CR LF, and the awkward shapes (lines past the read limits, lines without "=",
# NUL bytes, bare CR, a last line without its line break). Run again after changing it.
import os

HERE = os.path.dirname(os.path.abspath(__file__))
MARK = b"\n%%%%\n"
HEADER = (b"#" * 66 + b"\n#        RC for WKB. Please, do not edit manually!\n" + b"#" * 66 + b"\n")
WEEKS_HEADER = b"### Weeks colors data. Please do not edit.\n"


def crlf(b):
    return b.replace(b"\n", b"\r\n")


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def odd_shapes(good):
    """The same file in the shapes the readers must survive."""
    return {
        "crlf": crlf(good),
        "lf": good,
        "bare_cr": good.replace(b"\n", b"\r"),
        "no_last_break": crlf(good).rstrip(b"\r\n"),
        "nul_bytes": crlf(good).replace(b"=", b"=\0", 1),
        "long_line": crlf(good + b"x" * 1500 + b"=" + b"y" * 300 + b"\n" + good),
        "no_equals": crlf(b"justtext\n\n=\n" + good),
    }


settings = HEADER + b"version=wkb_v2.5.0\ninfo=yes\nbip=no\nteacher=yes\ndefault=yes\ntitle=My = diary's year\n"
for shape, data in odd_shapes(settings).items():
    write("settings", shape, b"bip\n" + data)
write("settings", "long_title", b"title\n" + crlf(HEADER + b"title=" + b"t" * 1200 + b"\nbip=no\n"))
write("settings", "key_prefix", b"bip\n" + crlf(HEADER + b"bipx=no\nbip\nbip=\nbip=yes\n"))
write("settings", "old_version", b"version\n" + crlf(b"version=wkb_v1.9.0\nversion=wkb_" + b"v9" * 30 + b"\n"))

timetable = b"D1P0C=Math\nD1P0C|2=Bio\nD1P0T=Smith\nD1P0L=R12\nD3P4T=O`Brien\nD6P9L==eq=\n"
for shape, data in odd_shapes(timetable).items():
    write("table", shape, b"\0D1P0C\nArt\n" + data)
# The fault byte: 1 + op + 8 * (nth - 1) makes that file operation fail at its nth call.
for op, name in enumerate(["open", "write", "flush", "close", "rename", "copy"]):
    write("table", "fault_" + name, bytes([1 + op]) + b"D1P0C\nArt\n" + crlf(timetable))
write("table", "long_value", b"\0D1P0T\n" + b"v" * 511 + b"\n" + crlf(b"D1P0T=" + b"w" * 1100 + b"\nD1P0T=x\n"))
write("table", "key_in_piece", b"\0D2P1C\nnew\n" + crlf(b"X=" + b"a" * 1021 + b"D2P1C=hidden\nD2P1C=seen\n"))
write("table", "empty_value", b"\0D1P0L\n\n" + crlf(b"D1P0L=\nD1P0L=old\n"))

weeks = WEEKS_HEADER + b"5=2\n11=3\n21=4\n1=1\n5=3\n"
for shape, data in odd_shapes(weeks).items():
    write("week_colours", shape, bytes([5, 2, 0]) + data)
for op, name in enumerate(["open", "write", "flush", "close", "rename", "copy"]):
    write("week_colours", "fault_" + name, bytes([5, 2, 1 + op]) + crlf(weeks))
write("week_colours", "long_lines", bytes([1, 3, 0]) + crlf(WEEKS_HEADER + b"9=" + b"1" * 200 + b"1=4\n1=99999999999\n"))
write("week_colours", "signs", bytes([7, 0, 0]) + crlf(b"7=-3\n7=+2x\n7=\n"))

lists = b"[C]Math\n[C]Art\n[T]Smith\n[L]R12\n[T]Math\n[C]Math \n[C]\n[C\n"
for shape, data in odd_shapes(lists).items():
    write("value_lists", shape, bytes([0, 0]) + b"Math\n" + data)
for op, name in enumerate(["open", "write", "flush", "close", "rename"]):
    write("value_lists", "fault_" + name, bytes([0, 1 + op]) + b"Math\n" + crlf(lists))
write("value_lists", "long_value", bytes([1, 0]) + b"s" * 254 + b"\n" + crlf(b"[T]" + b"s" * 254 + b"\n[T]" + b"s" * 1200 + b"\n"))
write("value_lists", "apostrophe", bytes([2, 0]) + b"O`Brien\n" + crlf(b"[L]O`Brien\n"))

notes = b"W5D1P0=Homework maths |page 12\nW3D2P1=homework\nW20D4P3=Homework essay\nW2D1P0=Homework late\n"
for shape, data in odd_shapes(notes).items():
    write("search", shape, bytes([9]) + b"Homework\n" + data)
write("search", "split_keyword", bytes([9]) + b"needle\n" + crlf(b"W4D2P3=" + b"n" * 505 + b"needle" + b"z" * 600 + b"\n"))
write("search", "bad_keys", bytes([0]) + b"x\n" + crlf(b"W0D1P0=x\nW54D1P0=x\nW5D7P0=x\nW5D1P10=x\nW99999999999D1P1=x\nW5D1P0x=x\nW5D1P0=x\n"))
write("search", "long_keyword", bytes([9]) + b"k" * 200 + b"\n" + crlf(b"W5D1P0=" + b"k" * 300 + b"\n"))

for name, text in {
    "lines": b"Read chapter 3 |Exercises 1-4 |",
    "bars": b"|a||b |c |||",
    "leading_space_bar": b" |start",
    "editor": b"first line\r\nsecond\r\n\r\nthird",
    "long": b"x |" * 170,
}.items():
    write("notes", name, text)

for name, text in {
    "markup": b"<b>bold</b> & \"quoted\" |next line",
    "entities": b"&amp; &lt; already |" * 20,
    "long": b"<" * 600,
    "bars": b"|" * 200,
    "plain": b"Homework: page 12",
}.items():
    write("html", name, text)


# Every day's first period filled, and a note for it in the weeks the seeds start in.
full_timetable = timetable + b"".join(b"D%dP0C=Course %d\nD%dP0T=Teacher\nD%dP0L|1=Room\n" % (d, d, d, d) for d in range(1, 7))
full_notes = notes + b"".join(b"W%dD%dP0=Note of week %d |day %d\n" % (w, d, w, d)
                              for w in (3, 9, 18, 26, 36, 37, 38, 41, 44) for d in range(1, 7))


def store(settings_text, weeks_text=WEEKS_HEADER):
    parts = [crlf(settings_text), crlf(full_timetable), crlf(full_notes), crlf(weeks_text), crlf(lists)]
    return MARK.join(parts)


write("startup", "current_store", bytes([0, 68]) + store(settings))
write("startup", "first_start", bytes([0x20, 10]) + store(settings))
write("startup", "no_settings", bytes([0x01, 30]) + store(settings))
write("startup", "old_version", bytes([0, 120]) + store(HEADER + b"version=wkb_v1.2.0\n"))
write("startup", "newer_version", bytes([0, 150]) + store(HEADER + b"version=wkb_v2.6.0\nteacher=yes\n"))
write("startup", "no_version", bytes([0, 5]) + store(HEADER + b"info=no\n"))
write("startup", "sunday", bytes([0, 3]) + store(settings))
write("startup", "long_lines", bytes([0, 90]) + store(settings + b"title=" + b"t" * 1500 + b"\n",
                                                          WEEKS_HEADER + b"9=1\n20=" + b"3" * 300 + b"\n"))
write("startup", "no_weeks_file", bytes([0x08, 200]) + store(settings))

marks = b"W1D1P0=d e40c292c\nW2D3P4=dt 811c9dc5\nW53D6P9=t 00000000\nW1D1P0=t e40c292c\n"
for shape, data in odd_shapes(marks).items():
    write("marks", shape, bytes([0, 0, 0]) + data)
for op, name in enumerate(["open", "write", "rename"]):
    write("marks", "fault_" + name, bytes([0, 2, 1 + [0, 1, 4][op]]) + crlf(marks))
write("marks", "damaged", bytes([53, 1, 0]) + crlf(b"W01D1P0=d e40c292c\nW1D1P0=x 1\nW1D1P0=d e40c292c0\nW2D1P0=d 811c9dc5  \n"))

CHANGES_HEADER = b"### Lessons that differ on one date. Please do not edit.\n"
changes = CHANGES_HEADER + b"W3D2P0=X\nW3D2P1=- L3:Gym\nW53D6P9=X C7:Physics T0: L1:=\n"
for shape, data in odd_shapes(changes).items():
    write("changes", shape, bytes([2, 0x10, 0x0D]) + data)
for op, name in enumerate(["open", "write", "rename"]):
    write("changes", "fault_" + name, bytes([2, 0x10, ((1 + [0, 1, 4][op]) << 4) | 4]) + crlf(changes))
write("changes", "damaged", bytes([4, 0x10, 0x08]) + crlf(CHANGES_HEADER + b"W3D2P0=- L99:cut\nW3D2P0=Y\nW3D2P0=- L3:Gym L3:Lab\n"))
