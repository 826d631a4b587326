#!/usr/bin/env python3
"""Checks the PDF pages of a printed day against what the printing scenario
expects: the page count, the header in reading order at the top of every page,
the footer with the vendor's host on the left and " Page N" on the right at the
bottom, the margins, and the day's headings and lessons once, in order, in
reading order.

    printout_check.py ARTIFACTS_DIR FILE.pdf...

ARTIFACTS_DIR holds "expect" (key value lines: pages 1|several, margins L T R
B in thousandths of an inch, reading-order-header 1, page WORD of the page
number, "Page" unless given, paper white: the first page black on white) and "days.txt" (zelvan-cli
output of the day: "heading: lesson" lines). The words of each printed line
come from "pdftotext -bbox" in the order they stand on the page, left to right;
a right-to-left line reads from its last character back to its first.
"""
import html
import re
import subprocess
import sys

HEADER = "בס\"ד"  # the header as it reads
FOOTER_LEFT = "www.thalvane.example -- Zelvan"
POINTS_PER_INCH = 72.0
TOLERANCE = 2.0  # points
MIRRORED = str.maketrans("()[]{}", ")(][}{")
PRINTED_COLOURS = (b"\xff\xff\xff", b"\x00\x00\x00", b"\x00\x00\xff")  # paper, text, headings


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    fail.count += 1


fail.count = 0


def read_expect(directory):
    expect = {}
    with open(directory + "/expect", encoding="utf-8") as f:
        for line in f:
            parts = line.split(None, 1)
            if parts:
                expect[parts[0]] = parts[1].strip() if len(parts) > 1 else ""
    return expect


def read_lessons(directory):
    """The day's six texts in printed order: heading, lesson, three times."""
    texts = []
    with open(directory + "/days.txt", encoding="utf-8") as f:
        lines = [line.rstrip("\n") for line in f]
    # The last three lines of the day are "heading: lesson".
    for line in lines[-3:]:
        heading, lesson = line.split(": ", 1)
        texts += [heading, lesson]
    return texts


def pages_of(pdf):
    """Per page: (width, height, lines); a line is (top, bottom, [(x0, x1, word)])."""
    out = subprocess.run(["pdftotext", "-bbox", pdf, "-"], check=True, capture_output=True,
                         text=True).stdout
    pages = []
    for page in re.finditer(r'<page width="([\d.]+)" height="([\d.]+)">(.*?)</page>', out, re.S):
        words = []
        for w in re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>',
                             page.group(3)):
            x0, y0, x1, y1 = (float(w.group(i)) for i in range(1, 5))
            words.append((y0, y1, x0, x1, html.unescape(w.group(5))))
        lines = []
        for y0, y1, x0, x1, text in sorted(words):
            middle = (y0 + y1) / 2
            for line in lines:
                if line[0] <= middle <= line[1]:
                    line[2].append((x0, x1, text))
                    break
            else:
                lines.append([y0, y1, [(x0, x1, text)]])
        for line in lines:
            line[2].sort()
        lines.sort(key=lambda line: line[0])
        pages.append((float(page.group(1)), float(page.group(2)), lines))
    return pages


def visual(line):
    return " ".join(word for _, _, word in line[2])


def reading(line):
    """A right-to-left line as it reads: its characters from the right."""
    return visual(line)[::-1].translate(MIRRORED)


NEUTRALS = "'\",.:-()* "


def moved_neutrals(line):
    """The line with the punctuation at its start moved to its end."""
    stripped = line.lstrip(NEUTRALS)
    return stripped + line[:len(line) - len(stripped)][::-1]


def first_moved(body):
    for line in body:
        if line != moved_neutrals(line):
            return line
    return ""


def check_pdf(pdf, expect, lessons):
    pages = pages_of(pdf)
    info = subprocess.run(["pdfinfo", pdf], check=True, capture_output=True, text=True).stdout
    count = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
    if count != len(pages):
        fail("%s: pdfinfo says %d pages, pdftotext gave %d" % (pdf, count, len(pages)))
    wanted = expect.get("pages", "1")
    if wanted == "several":
        if count < 2:
            fail("%s: %d page, several expected" % (pdf, count))
    elif count != int(wanted):
        fail("%s: %d pages, %s expected" % (pdf, count, wanted))
    margins = [int(v) for v in expect.get("margins", "1000 1000 1000 1000").split()]
    left, top, right, bottom = (m * POINTS_PER_INCH / 1000 for m in margins)

    body = []
    for number, (width, height, lines) in enumerate(pages, 1):
        where = "%s page %d" % (pdf, number)
        if len(lines) < 3:
            fail("%s: %d lines, header, text and footer expected" % (where, len(lines)))
            continue
        header, footer = lines[0], lines[-1]
        if reading(header) != HEADER:
            fail("%s: header reads %r, %r expected" % (where, reading(header), HEADER))
        if header[2][-1][1] > width - right + TOLERANCE or header[2][-1][1] < width - right - 40:
            fail("%s: header ends at %.1f, right-aligned at %.1f expected" % (where, header[2][-1][1], width - right))
        if header[0] < top - TOLERANCE:
            fail("%s: header at %.1f, above the top margin %.1f" % (where, header[0], top))
        footer_text = visual(footer)
        # The page number's word; a Hebrew one reads from the right, its number at the left.
        word = expect.get("page", "Page")
        page_text = "%s %d" % (word, number) if word.isascii() else "%d %s" % (number, word[::-1])
        if not (footer_text.startswith(FOOTER_LEFT) and footer_text.endswith(page_text)):
            fail("%s: footer %r, %r ... %r expected" % (where, footer_text, FOOTER_LEFT, page_text))
        if abs(footer[2][0][0] - left) > TOLERANCE:
            fail("%s: footer starts at %.1f, the left margin is %.1f" % (where, footer[2][0][0], left))
        if abs(footer[2][-1][1] - (width - right)) > TOLERANCE:
            fail("%s: page number ends at %.1f, the right margin is at %.1f" % (where, footer[2][-1][1], width - right))
        if footer[1] > height - bottom + TOLERANCE:
            fail("%s: footer reaches %.1f, below the bottom margin %.1f" % (where, footer[1], height - bottom))
        for line in lines[1:-1]:
            if line[2][0][0] < left - TOLERANCE or line[2][-1][1] > width - right + TOLERANCE:
                fail("%s: a text line outside the margins: %.1f..%.1f" % (where, line[2][0][0], line[2][-1][1]))
            body.append(reading(line))

    # The day's words, once and in order, across the pages.
    printed = " ".join(body).split()
    expected = " ".join(lessons).split()
    if printed != expected and " ".join(map(moved_neutrals, body)).split() == expected:
        fail("%s: every word is there, but punctuation that ends a line (as in \"%s\") stands at its "
             "other end: the runs are drawn reversed with a left-to-right paragraph direction, where "
             "a right-to-left one (DT_RTLREADING) keeps it in place" % (pdf, first_moved(body)))
    elif printed != expected:
        for i, (a, b) in enumerate(zip(printed, expected)):
            if a != b:
                fail("%s: word %d reads %r, %r expected (printed %r)" % (pdf, i, a, b, " ".join(printed)))
                break
        else:
            fail("%s: %d words printed, %d expected" % (pdf, len(printed), len(expected)))
    if "paper" in expect:
        check_black_on_white(pdf)
    print("%s: %d page(s), %d words of the day, header and footer on every page" % (pdf, count, len(printed)))


def check_black_on_white(pdf):
    """The first page, rendered without anti-aliasing, is white paper with
    black text and blue headings on it, and nothing else."""
    ppm = subprocess.run(["pdftoppm", "-r", "30", "-f", "1", "-l", "1", "-aa", "no", "-aaVector", "no", pdf],
                         check=True, capture_output=True).stdout
    pixels = ppm.split(maxsplit=4)[4]  # after P6, width, height, 255
    counts = {}
    for i in range(0, len(pixels) - 2, 3):
        counts[pixels[i:i + 3]] = counts.get(pixels[i:i + 3], 0) + 1
    others = {bytes(c).hex(): n for c, n in counts.items() if c not in PRINTED_COLOURS}
    if others or not counts.get(b"\x00\x00\x00"):
        fail("%s: colours other than white, black and blue: %s (black %d)" % (pdf, others, counts.get(b"\x00\x00\x00", 0)))

def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    directory = sys.argv[1]
    expect = read_expect(directory)
    lessons = read_lessons(directory)
    for pdf in sys.argv[2:]:
        check_pdf(pdf, expect, lessons)
    return 1 if fail.count else 0


if __name__ == "__main__":
    sys.exit(main())
