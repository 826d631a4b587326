#!/usr/bin/env python3
"""Checks the word processor's plain text of a clipboard document made by Copy
and Appends: one document holding every day, in order, each day's headings,
lessons and rules in reading order, the separator between the days and
nowhere else.

    writer_text_check.py DAYS_TXT DAYS_TSV DOCUMENT_TXT...

DAYS_TXT is zelvan-cli's output for the days (each day ends with three
"heading: lesson" lines), DAYS_TSV its --tsv output for them (the lessons in
columns 4 to 6, which must agree). Each DOCUMENT_TXT is the word processor's UTF-8 text
of one document.
"""
import sys

RULE = "-" * 30           # a rule record of width 175: 2 * (175 - 160) characters
SEPARATOR = "*  *  *  *  *"
# The word processor's text export shows each blank of a run of blanks after
# the first with a six-per-em space before it; the document has plain blanks.
EXPORT_SPACE = "\u2006"


def expected_lines(days_txt):
    with open(days_txt, encoding="utf-8") as f:
        lines = [line.rstrip("\n") for line in f]
    days = []
    day = []
    for line in lines + [""]:
        if line.startswith("Gregorian date:") and day:
            days.append(day)
            day = []
        if ": " in line and not line.split(": ", 1)[0].isascii():
            day.append(line.split(": ", 1))
    if day:
        days.append(day)
    expected = []
    for number, day in enumerate(days):
        if number > 0:
            expected.append(SEPARATOR)
        for k, (heading, lesson) in enumerate(day):
            if k > 0:
                expected.append(RULE)
            expected += [heading, lesson]
    return expected, len(days)


def tsv_lessons(days_tsv):
    with open(days_tsv, encoding="utf-8") as f:
        return [line.rstrip("\n").split("\t")[3:6] for line in f if line.strip()]


def main():
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    expected, days = expected_lines(sys.argv[1])
    lessons = [line for line in expected if line not in (RULE, SEPARATOR)][1::2]
    tabled = [lesson for day in tsv_lessons(sys.argv[2]) for lesson in day]
    if lessons != tabled:
        print("FAIL: the lessons of %s and %s differ" % (sys.argv[1], sys.argv[2]), file=sys.stderr)
        return 1
    failures = 0
    for document in sys.argv[3:]:
        with open(document, encoding="utf-8-sig") as f:
            text = f.read().replace(EXPORT_SPACE, "")
        got = [line.rstrip("\r") for line in text.split("\n") if line.strip()]
        if got == expected:
            print("%s: %d days, %d lines in reading order, %d separators" %
                  (document, days, len(got), got.count(SEPARATOR)))
            continue
        failures += 1
        for i in range(max(len(got), len(expected))):
            a = got[i] if i < len(got) else "(nothing)"
            b = expected[i] if i < len(expected) else "(nothing)"
            if a != b:
                print("FAIL: %s: line %d reads %r, %r expected" % (document, i + 1, a, b), file=sys.stderr)
                break
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
