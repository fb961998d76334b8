// The keyed table store: "wkb_hd" (timetable) and "wkb_txt" (notes), text files of key=value
// lines. tableOp gets, sets and creates; lookups leave their value in valueBuffer.
#pragma once
#include <cstddef>

#define TABLE_SET 1
#define TABLE_GET 2
#define TABLE_CREATE 3
#define TABLE_NONE 4

#define TIMETABLE_TABLE "wkb_hd"
#define NOTES_TABLE "wkb_txt"

extern char valueBuffer[512];

// mode 1 set (0, or 1 when the table could not be written; the user is told),
// 2 get (always 0; valueBuffer = value or ""), 3 create (0, or 1 with "Create DB file failed."),
// 4 nothing (0), other modes 1.
int tableOp(int mode, const char* table, const char* key, const char* value);
// Gets several keys in one read of the table's file: values[i] = the value of keys[i] (its
// first record, cut to sizes[i]), "" when absent; the same as a get of each key in turn.
// count is at most TABLE_GET_MANY.
#define TABLE_GET_MANY 8
void tableGetMany(const char* table, const char* const keys[], int count, char* const values[], const size_t sizes[]);
// Sets count records in ONE rewrite of the table, whole or not at all: each line of keys[i]
// gets values[i] and a key without a line is appended (in the order given), so the file holds
// the bytes that single sets of the keys in turn would give; a key given twice takes its last
// value. Keys are record keys (no "=", no line break). The table before the batch is kept as
// "<table>.tmp". 0 on success (count 0 writes nothing); 1 when the table could not be written:
// the old file stays whole and the user is told once ("the timetable was not saved").
int tableSetMany(const char* table, const char* const keys[], const char* const values[], int count);
// 1 when the last get found its table but could not read it (another program holds it, or a
// read failed): its "" is not an empty record.
int tableGetFailed();
// The Initialize command's work: deletes "wkb.db", empties both tables; the second create's result.
int initialiseStore();
