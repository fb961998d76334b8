#!/usr/bin/python3
"""Reads a calendar file of the diary with an independent iCalendar reader (icalendar and
recurring_ical_events) and compares its lessons with the lessons computed here, from the stored
files alone: the timetable, the notes, the week colours, the settings and the dates of the
school calendar (Python's own ISO weeks). Usage: check_ics.py <artefact folder>...
Exits 1 on any difference."""
import datetime
import json
import pathlib
import re
import sys

import icalendar
import recurring_ical_events


def records(path, first_wins=True):
    """key -> value of a key=value file (bytes), as the diary's lookups read it."""
    table = {}
    if not path.exists():
        return table
    for line in path.read_bytes().split(b"\n"):
        line = line[:-1] if line.endswith(b"\r") else line
        key, eq, value = line.partition(b"=")
        if not eq:
            continue
        if first_wins and key in table:
            continue
        table[key] = value[:511]
    return table


def text(raw):
    """A stored Windows-1252 value as the user typed it."""
    s = raw.decode("cp1252", errors="replace")
    return "".join(c for c in s if c == "\t" or c == "\n" or (ord(c) >= 0x20 and ord(c) != 0x7F))


def note_text(raw):
    # Only a "|" after a blank is a stored line break; a "|" elsewhere was typed.
    return text(raw.replace(b" |", b"\n"))


def lesson_changes(path):
    """(week, day, period) -> (cancelled, {letter: raw value}) from the lesson changes file:
    "W<w>D<d>P<p>=X" or "=-", then " <C|T|L><length>:<text>" per changed field. A line that
    does not read whole is no change; the first line of a lesson wins."""
    changes = {}
    if not path.exists():
        return changes
    for line in path.read_bytes().split(b"\n"):
        line = line[:-1] if line.endswith(b"\r") else line
        m = re.fullmatch(rb"W(\d+)D(\d)P(\d)=([X-])(.*)", line, re.S)
        if not m:
            continue
        key, rest, fields = tuple(int(g) for g in m.groups()[:3]), m.group(5), {}
        while rest:
            f = re.match(rb" ([CTL])(\d{1,3}):", rest)
            n = int(f.group(2)) if f else 0
            if not f or f.group(1) in fields or n > 254 or len(rest) < f.end() + n:
                break
            fields[f.group(1)] = rest[f.end():f.end() + n]
            rest = rest[f.end() + n:]
        if not rest and key not in changes:
            changes[key] = (m.group(4) == b"X", fields)
    return changes


def lesson_rows(settings):
    def row(value):
        times = [None] * 10
        for p, field in enumerate(value.decode().split(",")[:10]):
            m = re.fullmatch(r"(\d\d):(\d\d)-(\d\d):(\d\d)", field)
            if m:
                h1, m1, h2, m2 = map(int, m.groups())
                times[p] = (datetime.time(h1, m1), datetime.time(h2, m2))
        return times
    common = row(settings.get(b"lesson_times_all", b""))
    return {d: row(settings[k]) if settings.get(k := b"lesson_times_d%d" % d) else common for d in range(1, 7)}


def expected_lessons(folder, meta):
    db = folder / "wkb_db"
    hd = records(db / "wkb_hd.data")
    notes = records(db / "wkb_txt.data")
    changes = lesson_changes(db / "changes.dat")
    settings = records(db / ".wkb.rc")
    colours = {}
    for line in (db / "weeks.dat").read_bytes().split(b"\n")[1:]:
        m = re.match(rb"([1-9]\d*)=(\d*)", line)
        if m:
            colours[int(m.group(1))] = int(m.group(2) or 0)  # the last line of a week wins
    use_defaults = settings.get(b"default") == b"yes"
    label = "Class: " if settings.get(b"teacher") == b"yes" else "Teacher: "
    rows = lesson_rows(settings)
    holidays = set(meta["holidays"])

    today = datetime.date.fromisoformat(meta["today"])
    # The day table: from the same day six months back (the 29th to 31st taken as the 28th),
    # 360 days; the export runs from the Monday of today's week (a Sunday counts with the next).
    month, year = (today.month - 6, today.year) if today.month >= 7 else (today.month + 6, today.year - 1)
    first_day = datetime.date(year, month, min(today.day, 28))
    last_day = first_day + datetime.timedelta(days=359)
    start = today + datetime.timedelta(days=1) if today.weekday() == 6 else today - datetime.timedelta(days=today.weekday())

    def field(day, period, letter, colour, week=None):
        change = changes.get((week, day, period))
        if change and letter in change[1]:
            return text(change[1][letter]).replace("`", "'")
        plain = hd.get(b"D%dP%d%s" % (day, period, letter), b"")
        value = plain if colour == 0 else hd.get(b"D%dP%d%s|%d" % (day, period, letter, colour), b"") if colour <= 4 else b""
        if not value and use_defaults:
            value = plain
        return text(value).replace("`", "'")

    lessons, descriptions = set(), {}
    date = start
    while date <= last_day:
        week, day = date.isocalendar()[1], date.weekday() + 1
        if day <= 6 and week not in holidays:
            for p in range(10):
                times = rows[day][p]
                course = field(day, p, b"C", colours.get(week, 0), week)
                cancelled = changes.get((week, day, p), (False,))[0]
                raw_note = notes.get(b"W%dD%dP%d" % (week, day, p), b"")
                if times is None or not (course or raw_note):
                    continue
                # A note in a period without a course is titled by its period.
                title = course or "Period %d" % (p + 1)
                # A lesson cancelled on its date stays, marked, under its own UID.
                if cancelled:
                    title = "Cancelled: " + title
                begin, end = (datetime.datetime.combine(date, t) for t in times)
                lessons.add((begin, end, title, field(day, p, b"L", colours.get(week, 0), week),
                             "CANCELLED" if cancelled else ""))
                teacher = field(day, p, b"T", colours.get(week, 0), week)
                note = note_text(raw_note)
                descriptions[begin] = "\n".join(x for x in (label + teacher if teacher else "", note) if x)
        date += datetime.timedelta(days=1)
    return lessons, descriptions, start, last_day


def format_faults(raw):
    faults = []
    if raw.replace(b"\r\n", b"").count(b"\n") or raw.replace(b"\r\n", b"").count(b"\r"):
        faults.append("a line end other than CR LF")
    for n, line in enumerate(raw.split(b"\r\n"), 1):
        if len(line) > 75:
            faults.append("line %d has %d octets" % (n, len(line)))
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            faults.append("line %d is not UTF-8 on its own (a fold split a character)" % n)
    return faults


def check(folder):
    meta = json.loads((folder / "meta.json").read_text())
    raw = (folder / "wkb_db" / "timetable.ics").read_bytes()
    faults = format_faults(raw)
    cal = icalendar.Calendar.from_ical(raw)
    for prop in ("VERSION", "PRODID", "CALSCALE"):
        if prop not in cal:
            faults.append("no " + prop)
    lessons, descriptions, start, last_day = expected_lessons(folder, meta)
    events = recurring_ical_events.of(cal).between(start, last_day + datetime.timedelta(days=1))
    uids, found, found_descriptions = set(), set(), {}
    for e in events:
        begin, end = e["DTSTART"].dt, e["DTEND"].dt
        if begin.tzinfo is not None or end.tzinfo is not None:
            faults.append("a time with a zone: %s" % begin)
        if "DTSTAMP" not in e:
            faults.append("no DTSTAMP at %s" % begin)
        uids.add(str(e["UID"]))
        found.add((begin, end, str(e["SUMMARY"]), str(e.get("LOCATION", "")), str(e.get("STATUS", ""))))
        found_descriptions[begin] = str(e.get("DESCRIPTION", ""))
    if len(uids) != len(events):
        faults.append("UIDs are not unique")
    for lesson in sorted(lessons - found):
        faults.append("missing: %s" % (lesson,))
    for lesson in sorted(found - lessons):
        faults.append("not in the diary: %s" % (lesson,))
    for begin in sorted(descriptions):
        if found_descriptions.get(begin) != descriptions[begin]:
            faults.append("description at %s: %r, expected %r" % (begin, found_descriptions.get(begin), descriptions[begin]))
    weeks53 = sum(1 for b, *_ in lessons if b.isocalendar()[1] == 53)
    notes = sum(1 for d in descriptions.values() if d and (d.count("\n") or not d.startswith(("Teacher: ", "Class: "))))
    cancelled = sum(1 for lesson in lessons if lesson[4])
    print("%s: %d events read back, %d expected (%d in week 53, %d with notes, %d cancelled), %d faults"
          % (folder.name, len(events), len(lessons), weeks53, notes, cancelled, len(faults)))
    for fault in faults[:30]:
        print("  " + fault)
    return not faults


if __name__ == "__main__":
    ok = all([check(pathlib.Path(arg)) for arg in sys.argv[1:]])
    sys.exit(0 if ok and len(sys.argv) > 1 else 1)
