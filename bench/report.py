#!/usr/bin/env python3
"""Prints the benchmark figures of a wkb_bench JSON result as a Markdown table: each
operation's median time, its baseline and ratio where it has one, and whether it meets its
target. Usage: report.py result.json [peak_rss_kb]"""
import json
import sys

FRAME_MS = 16.0

# (name, label, baseline, ratio limit (None: the ratio is only shown), user command under 16 ms,
#  or the time in ms that the command must stay under)
ROWS = [
    ("base_read_notes", "Baseline: read the notes table into memory", None, None, False),
    ("base_read_memmem_notes", "Baseline: read + memmem, notes table", None, None, False),
    ("base_read_memmem_timetable", "Baseline: read + memmem, timetable", None, None, False),
    ("base_copy_notes", "Baseline: copy the notes table", None, None, False),
    ("base_copy_sync_notes", "Baseline: copy the notes table + fsync", None, None, False),
    ("base_copy_timetable", "Baseline: copy the timetable", None, None, False),
    ("base_copy_sync_timetable", "Baseline: copy the timetable + fsync", None, None, False),
    ("get_notes_first", "get, notes, first key", "base_read_memmem_notes", 3, False),
    ("get_notes_last", "get, notes, last key", "base_read_memmem_notes", 3, False),
    ("get_notes_last_from_disk", "get, notes, last key, the table read again", "base_read_memmem_notes", 3, False),
    ("get_timetable_first", "get, timetable, first key", "base_read_memmem_timetable", 3, False),
    ("get_timetable_last", "get, timetable, last key", "base_read_memmem_timetable", 3, False),
    ("cmd_search_step_no_hit", "search step, no hit (whole notes table)", "base_read_memmem_notes", 3, True),
    ("set_notes_existing", "set, notes, existing key", "base_copy_sync_notes", 3, False),
    ("set_notes_new", "set, notes, new key", "base_copy_sync_notes", 3, False),
    ("set_timetable_existing", "set, timetable, existing key", "base_copy_sync_timetable", 3, False),
    ("set_notes_existing_noflush", "set, notes, existing key, no flush", "base_copy_notes", None, False),
    ("set_notes_new_noflush", "set, notes, new key, no flush", "base_copy_notes", None, False),
    ("cmd_save_notes", "Save notes", "base_copy_sync_notes", 3, True),
    ("cmd_save_notes_noflush", "Save notes, no flush", "base_copy_notes", None, False),
    ("cmd_tab_change", "tab change: loadNotes + slot line + status line", None, None, True),
    ("cmd_week_forward", "one week forward (status, notes, slot)", None, None, True),
    ("cmd_tab_change_from_disk", "tab change, every file read again", None, None, True),
    ("cmd_week_forward_from_disk", "one week forward, every file read again", None, None, True),
    ("cmd_colour_week", "week colour + slot line + status line", None, None, True),
    ("cmd_export_day_page", "export: day page", None, None, True),
    ("cmd_export_week_grid", "export: week grid page", None, None, True),
    ("cmd_export_weeks_table", "export: weeks table page", None, None, True),
    ("cmd_export_day_list", "export: day list", None, None, True),
    ("cmd_export_calendar", "export: calendar file (every lesson to the end of the table)", None, None, 100),
    ("cmd_print_week_grid", "print: week grid into the recorder", None, None, True),
    ("op_load_notes", "loadNotes alone", None, None, False),
    ("op_refresh_status_line", "refreshStatusLine", None, None, False),
    ("op_refresh_slot_line", "refreshSlotLine", None, None, False),
    ("op_prepare_store", "prepareStore, current store", None, None, False),
    ("op_build_day_table", "buildDayTable", None, None, False),
    ("op_next_lesson_none", "next lesson of a course no lesson holds (the whole table walked)", None, None, 1),
    ("op_build_school_year_table", "a school year's table (53 weeks), then the 360 days again", None, None, False),
    ("op_build_agenda", "the agenda, every note filled (notes, timetable, colours and marks read)", None, None, True),
    ("op_daily_snapshot_first_start", "daily snapshot, first start of a day", None, None, 50),
    ("op_daily_snapshot_later_start", "daily snapshot check, later starts", None, None, 1),
]


SCALE = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}


def medians(path):
    with open(path) as f:
        data = json.load(f)
    out = {}
    for b in data["benchmarks"]:
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        name = b["run_name"].split("/")[0]
        us = b["real_time"] * SCALE[b["time_unit"]]
        flush = b.get("flush_us")
        out[name] = (us, flush)
    return out, data.get("context", {})


def fmt(us):
    return "%.3f ms" % (us / 1000.0) if us >= 100 else "%.1f us" % us


def main():
    figures, context = medians(sys.argv[1])
    print("| Operation | Median | Flush share | Baseline | Ratio | Target | Met |")
    print("|---|---|---|---|---|---|---|")
    missed = []
    for name, label, base, limit, command in ROWS:
        if name not in figures:
            continue
        us, flush = figures[name]
        flush_text = fmt(flush) if flush else ""
        base_text = ratio_text = ""
        targets, met = [], True
        if base and base in figures:
            ratio = us / figures[base][0]
            base_text, ratio_text = name_of(base), "%.2fx" % ratio
            if limit:
                targets.append("<= %dx" % limit)
                met = met and ratio <= limit
        if command:
            budget = FRAME_MS if command is True else command
            targets.append("< %d ms" % budget)
            met = met and us < budget * 1000
        mark = ("yes" if met else "**no**") if targets else ""
        if not met:
            missed.append(label)
        print("| %s | %s | %s | %s | %s | %s | %s |" % (label, fmt(us), flush_text, base_text, ratio_text,
                                                         ", ".join(targets), mark))
    if len(sys.argv) > 2:
        print("\nPeak resident memory (start-up on the full store, every command once): %.1f MB (%s kB)"
              % (int(sys.argv[2]) / 1024.0, sys.argv[2]))
    print("\nTargets missed: %s" % (", ".join(missed) if missed else "none"))
    return 0


def name_of(base):
    for name, label, *_ in ROWS:
        if name == base:
            return label.replace("Baseline: ", "")
    return base


if __name__ == "__main__":
    sys.exit(main())
