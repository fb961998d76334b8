#!/usr/bin/python3
"""Renders one week of a calendar file as an HTML week view, the way a calendar program shows
an imported file: read by icalendar and recurring_ical_events, nothing of the diary's code.
Usage: ics_week_view.py file.ics YYYY-MM-DD(a day of the week) out.html"""
import datetime
import html
import sys

import icalendar
import recurring_ical_events

HOUR0, HOUR1, PX = 7, 19, 56  # the hours shown and the pixels per hour


def main(path, day, out):
    day = datetime.date.fromisoformat(day)
    monday = day - datetime.timedelta(days=day.weekday())
    cal = icalendar.Calendar.from_ical(open(path, "rb").read())
    events = recurring_ical_events.of(cal).between(monday, monday + datetime.timedelta(days=7))
    name = str(cal.get("X-WR-CALNAME", "Calendar"))
    cols = []
    for d in range(6):
        date = monday + datetime.timedelta(days=d)
        boxes = []
        for e in sorted((e for e in events if e["DTSTART"].dt.date() == date), key=lambda e: e["DTSTART"].dt):
            start, end = e["DTSTART"].dt, e["DTEND"].dt
            top = ((start.hour - HOUR0) * 60 + start.minute) * PX / 60
            height = (end - start).seconds / 60 * PX / 60
            desc = html.escape(str(e.get("DESCRIPTION", ""))).replace("\n", "<br>")
            boxes.append('<div class="ev" style="top:%dpx;height:%dpx"><b>%s&ndash;%s %s</b><br><i>%s</i><br>%s</div>'
                         % (top, height - 4, start.strftime("%H:%M"), end.strftime("%H:%M"),
                            html.escape(str(e["SUMMARY"])), html.escape(str(e.get("LOCATION", ""))), desc))
        cols.append('<div class="col"><div class="head">%s</div><div class="body">%s</div></div>'
                    % (date.strftime("%a %d %b %Y"), "".join(boxes)))
    hours = "".join('<div class="hour" style="top:%dpx">%02d:00</div>' % ((h - HOUR0) * PX, h) for h in range(HOUR0, HOUR1))
    page = """<!DOCTYPE html><html><head><meta charset="utf-8"><style>
body{font:12px sans-serif;margin:8px} h1{font-size:16px}
.grid{display:flex} .col{flex:1;border-left:1px solid #ccc} .head{height:22px;font-weight:bold;text-align:center;background:#eef}
.body,.hours{position:relative;height:%dpx} .hours{width:44px} .hour{position:absolute;font-size:10px;color:#666}
.ev{position:absolute;left:2px;right:2px;overflow:hidden;background:#dbe8ff;border-left:3px solid #36c;padding:1px 3px;font-size:10px}
</style></head><body><h1>%s &mdash; week %d of %d (%d events)</h1><div class="grid"><div><div class="head"></div><div class="hours">%s</div></div>%s</div></body></html>""" % (
        (HOUR1 - HOUR0) * PX, html.escape(name), monday.isocalendar()[1], monday.isocalendar()[0], len(events), hours, "".join(cols))
    open(out, "w", encoding="utf-8").write(page)


if __name__ == "__main__":
    main(*sys.argv[1:4])
