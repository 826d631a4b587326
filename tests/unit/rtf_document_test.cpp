// The clipboard's Rich Text document: body rules, escapes that RTF readers
// read back as text, and the Append against our own and foreign documents.
#include "output/rtf_document.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/unit/rtf_text_reader.h"

namespace {

using Bytes = std::string;

// The body of a UTF-16 text as a byte string, checking that the counted length
// is the written one and that the buffer ends in a zero.
Bytes Body(const std::u16string& text) {
  std::vector<WideChar> units(text.begin(), text.end());
  units.push_back(0);
  size_t length = RtfBodyLength(units.data());
  std::vector<uint8_t> out(length + 2, 0xEE);
  EXPECT_EQ(WriteRtfBody(units.data(), out.data()), length);
  EXPECT_EQ(out[length], 0);
  EXPECT_EQ(out[length + 1], 0xEE);  // nothing past the zero
  return Bytes(out.begin(), out.begin() + length);
}

// The document that an Append (or Copy, with old empty) makes of old and text.
Bytes Document(const Bytes& old, const std::u16string& text, RtfDocumentPlan* planOut = nullptr) {
  Bytes body = Body(text);
  // An exact-size copy of the old bytes, so that a read past them is caught.
  std::vector<uint8_t> oldCopy(old.begin(), old.end());
  RtfDocumentPlan plan = PlanRtfDocument(oldCopy.empty() ? nullptr : oldCopy.data(), oldCopy.size(), body.size());
  if (planOut) *planOut = plan;
  std::vector<uint8_t> block(plan.TotalBytes);
  size_t written = WriteRtfDocument(block.data(), plan, oldCopy.data(),
                                    reinterpret_cast<const uint8_t*>(body.data()), body.size());
  EXPECT_EQ(written, plan.TotalBytes);
  EXPECT_EQ(block.back(), 0);
  return Bytes(block.begin(), block.end() - 1);
}

// The text an RTF reader reads from bytes.
std::u16string ReadBack(const Bytes& rtf, bool* wellFormed = nullptr) {
  RtfText text = ReadRtfText(reinterpret_cast<const uint8_t*>(rtf.data()), rtf.size());
  if (wellFormed) *wellFormed = text.WellFormed;
  return text.Text;
}

// The text a reader reads from a body in the state our header leaves (\uc0).
std::u16string ReadBody(const Bytes& body, bool* wellFormed = nullptr) { return ReadBack("\\uc0 " + body, wellFormed); }

const Bytes kEnd = "\\par\\par\r\n";

TEST(RtfBody, Rules) {
  struct Row {
    std::u16string text;
    Bytes expected;
  };
  const Row rows[] = {
      {u"", kEnd},                                              // empty text: the closing paragraph end
      {u"\u05D0", "\\u1488" + kEnd},                            // a Hebrew letter, decimal
      {u"\u05EA\u05D0", "\\u1514\\u1488" + kEnd},               // escapes follow each other directly
      {u"a b", "a b" + kEnd},                                   // behind a plain character a blank stays one
      {u"a  b", "a  b" + kEnd},                                 // two stay two
      {u" ", " " + kEnd},                                       // a blank run alone
      {u"\u05D0 \u05D1", "\\u1488  \\u1489" + kEnd},            // after an escape the first blank is its delimiter
      {u"\u05D0   \u05D1", "\\u1488    \\u1489" + kEnd},        // three behind an escape become four
      {u"\u05D0, \u05D1", "\\u1488, \\u1489" + kEnd},          // behind punctuation: the comma, then k
      {u"\u05D0\r\n \u05D1", "\\u1488" + kEnd + " \\u1489" + kEnd},  // behind a paragraph end: k
      {u"a\r\nb", "a" + kEnd + "b" + kEnd},                     // one line end
      {u"a\r\n\r\n\r\nb", "a" + kEnd + "b" + kEnd},             // three line ends: one paragraph end
      {u"a\n\r\r\n\nb", "a" + kEnd + "b" + kEnd},               // any mix of CR and LF
      {u"a\r\n", "a" + kEnd + kEnd},                            // a trailing line end and the closing one
      {u"!~", "!~" + kEnd},                                     // the printable range's ends
      {u"\\", "\\\\" + kEnd},                                   // backslash as a control symbol
      {u"{}", "\\{\\}" + kEnd},                                 // braces as control symbols
      {u"\u05D0{", "\\u1488\\{" + kEnd},                        // a brace behind an escape
      {u"\u05D01", "\\u1488 1" + kEnd},                         // a digit behind an escape gets the delimiter
      {u"\u05D012", "\\u1488 12" + kEnd},                       // only the first digit needs it
      {u"\u05D0A", "\\u1488 A" + kEnd},                         // so does a letter
      {u"\u05D0.", "\\u1488." + kEnd},                          // punctuation ends the number by itself
      {u"\u05D0-", "\\u1488-" + kEnd},                          // a hyphen after the number is no sign
      {u"1\u05D0", "1\\u1488" + kEnd},                          // a digit before an escape is plain
      {u"\u05D0\r\n1", "\\u1488" + kEnd + "1" + kEnd},          // a paragraph end between them
      {u"\u0009", "\\u9" + kEnd},                               // control characters are escaped
      {u"\u001F\u007F", "\\u31\\u127" + kEnd},
      {u"\u00E0", "\\u224" + kEnd},                             // the 8-bit code page letters
      {u"\u0080\u00FF", "\\u128\\u255" + kEnd},
      {u"\uFB2A", "\\u1513\\u1473" + kEnd},                     // presentation form: two code points
      {u"\uFB2C", "\\u1513\\u1468\\u1473" + kEnd},              // three code points
      {u"\uFB4B", "\\u1493\\u1465" + kEnd},                     // the table's last entry
      {u"\uFB2E\uFB4C\uFB1D", "\\u64302\\u64332\\u64285" + kEnd},  // forms outside the table stay whole
      {u"\uFFFF", "\\u65535" + kEnd},                           // five digits, unsigned
      {std::u16string{char16_t(0xD83D), char16_t(0xDE00)}, "\\u55357\\u56832" + kEnd},  // a surrogate pair, unit by unit
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Body(row.text), row.expected) << "text of " << row.text.size() << " units";
  }
}

TEST(RtfBody, DecompositionTable) {
  // The 27 forms of the table, and nothing else, decompose.
  const uint32_t forms[] = {0xFB2A, 0xFB2B, 0xFB2C, 0xFB2D, 0xFB30, 0xFB31, 0xFB32, 0xFB33, 0xFB34,
                            0xFB35, 0xFB36, 0xFB38, 0xFB39, 0xFB3A, 0xFB3B, 0xFB3C, 0xFB3E, 0xFB40,
                            0xFB41, 0xFB43, 0xFB44, 0xFB46, 0xFB47, 0xFB48, 0xFB49, 0xFB4A, 0xFB4B};
  std::vector<bool> inTable(0x10000, false);
  for (uint32_t form : forms) inTable[form] = true;
  for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
    uint16_t points[3] = {0, 0, 0};
    int32_t count = DecomposePresentationForm(unit, points);
    if (!inTable[unit]) {
      ASSERT_EQ(count, 0) << std::hex << unit;
      continue;
    }
    // A base letter followed by one or two points; three only for shin with dagesh.
    ASSERT_EQ(count, unit == 0xFB2C || unit == 0xFB2D ? 3 : 2) << std::hex << unit;
    EXPECT_TRUE(points[0] >= 0x05D0 && points[0] <= 0x05EA) << std::hex << unit;
    for (int32_t k = 1; k < count; ++k) EXPECT_TRUE(points[k] >= 0x05B0 && points[k] <= 0x05C7) << std::hex << unit;
  }
  // Rows checked against the standard's decompositions.
  struct Row {
    uint32_t form;
    uint16_t points[3];
  };
  const Row rows[] = {
      {0xFB2B, {0x05E9, 0x05C2, 0}},       // shin with sin dot
      {0xFB2D, {0x05E9, 0x05BC, 0x05C2}},  // shin with dagesh and sin dot
      {0xFB30, {0x05D0, 0x05BC, 0}},       // alef with mapiq
      {0xFB3A, {0x05DA, 0x05BC, 0}},       // final kaf with dagesh
      {0xFB44, {0x05E4, 0x05BC, 0}},       // pe with dagesh
      {0xFB4A, {0x05EA, 0x05BC, 0}},       // tav with dagesh
      {0xFB4B, {0x05D5, 0x05B9, 0}},       // vav with holam
  };
  for (const Row& row : rows) {
    uint16_t points[3] = {0, 0, 0};
    DecomposePresentationForm(row.form, points);
    EXPECT_EQ(memcmp(points, row.points, sizeof(points)), 0) << std::hex << row.form;
  }
}

TEST(RtfBody, EveryUnitReadsBackBehindAnEscapeAndBeforeADigit) {
  // Each unit between a Hebrew letter and a digit reads back as itself (or its
  // decomposition), so escapes never swallow digits and symbols stay text.
  for (uint32_t unit = 1; unit <= 0xFFFF; ++unit) {
    if (unit == 0x0D || unit == 0x0A || unit == 0x20) continue;  // line ends and blanks: own rules
    std::u16string text = u"\u05D0";
    text.push_back(static_cast<char16_t>(unit));
    text += u"7";
    std::u16string expected = u"\u05D0";
    uint16_t points[3];
    int32_t count = unit > 0x05EA ? DecomposePresentationForm(unit, points) : 0;
    if (count == 0) expected.push_back(static_cast<char16_t>(unit));
    for (int32_t k = 0; k < count; ++k) expected.push_back(static_cast<char16_t>(points[k]));
    expected += u"7\n\n";
    bool wellFormed = false;
    ASSERT_EQ(ReadBody(Body(text), &wellFormed), expected) << std::hex << unit;
    ASSERT_TRUE(wellFormed) << std::hex << unit;
  }
}

TEST(RtfBody, BlanksAndLineEndsReadBack) {
  struct Row {
    std::u16string text;
    std::u16string expected;  // as a reader shows it
  };
  const Row rows[] = {
      {u"\u05D0 \u05D1", u"\u05D0 \u05D1\n\n"},     // one blank between letters stays one
      {u"\u05D0   \u05D1", u"\u05D0   \u05D1\n\n"},  // three stay three
      {u"., \u05D0", u"., \u05D0\n\n"},             // behind punctuation one blank stays one
      {u"\u05D0\" \u05D1", u"\u05D0\" \u05D1\n\n"},  // behind a quote mark, as in the entries
      {u"\u05D0' ,  \u05D1", u"\u05D0' ,  \u05D1\n\n"},  // mixed runs keep their counts
      {u"\u05D0\r\n\r\n\u05D1", u"\u05D0\n\n\u05D1\n\n"},  // line ends: two paragraph marks
  };
  for (const Row& row : rows) EXPECT_EQ(ReadBody(Body(row.text)), row.expected);
}

TEST(RtfBody, NullTextIsEmpty) {
  EXPECT_EQ(RtfBodyLength(nullptr), kEnd.size());
  size_t length = 99;
  uint8_t* body = UnicodeToRtfBody(nullptr, &length);
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(Bytes(reinterpret_cast<char*>(body), length), kEnd);
  free(body);
}

TEST(RtfBody, UnicodeToRtfBodyOwnsATerminatedCopy) {
  const WideChar text[] = {0x05D0, '1', 0};
  size_t length = 0;
  uint8_t* body = UnicodeToRtfBody(text, &length);
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(Bytes(reinterpret_cast<char*>(body), length), "\\u1488 1" + kEnd);
  EXPECT_EQ(body[length], 0);
  free(body);
}

TEST(RtfGroupEnd, Table) {
  struct Row {
    Bytes document;
    size_t expected;  // index of the closing brace, SIZE_MAX when it does not close
  };
  const Row rows[] = {
      {"{}", 1},                                  // the smallest group
      {"{\\rtf1 a}", 8},                          // a document
      {"{\\rtf1 {\\b a}b}", 14},                  // nested group
      {"{\\rtf1 \\}}", 9},                        // an escaped brace is text
      {"{\\rtf1 \\{}", 9},
      {"{\\rtf1 \\\\}", 9},                       // an escaped backslash does not escape the brace
      {"{\\rtf1 \\}", SIZE_MAX},                  // escaped: no closing brace left
      {"{\\rtf1 a", SIZE_MAX},                    // cut short
      {"{\\rtf1 a\\", SIZE_MAX},                  // cut after a backslash
      {"{\\rtf1 {a}", SIZE_MAX},                  // one group still open
      {"{a}}", 2},                                // closes early; the rest is not looked at
      {"}", SIZE_MAX},                            // a closing brace first
      {"{\\bin3 }}}}", 10},                        // binary data may hold braces
      {"{\\bin3}}}}", 9},                         // the delimiter blank is optional
      {"{\\bin 3}", 7},                           // \bin without a number: no data; "3" is text
      {"{\\bin9 ab}", SIZE_MAX},                  // binary data cut short
      {"{\\bin99999999999999999999 }", SIZE_MAX}, // absurd count
      {"{\\bin-5 }", SIZE_MAX},                   // a negative count is taken by its digits: cut short
      {"{\\u1488}", 7},                           // a number then the brace
      {"{\\'7d}", 5},                             // \'hh: the hex digits are text
      {"{\\*\\x}", 5},                            // a destination mark
  };
  for (const Row& row : rows) {
    EXPECT_EQ(RtfGroupEnd(reinterpret_cast<const uint8_t*>(row.document.data()), row.document.size()), row.expected)
        << row.document;
  }
}

TEST(RtfDocument, CopyGivesANewDocument) {
  RtfDocumentPlan plan;
  Bytes document = Document("", u"\u05D0", &plan);
  EXPECT_EQ(plan.Old, kRtfNoOldDocument);
  EXPECT_EQ(document, Bytes(kRtfHeader) + "\\u1488" + kEnd + "}\r\n");
  EXPECT_EQ(plan.TotalBytes, 180 + Body(u"\u05D0").size() + 3 + 1);
  bool wellFormed = false;
  EXPECT_EQ(ReadBack(document, &wellFormed), u"\u05D0\n\n");
  EXPECT_TRUE(wellFormed);
}

TEST(RtfDocument, ThreeAppendsMakeOneDocument) {
  const std::u16string days[] = {u"\u05D0 1\r\n", u"\u05D1 {2}\r\n", u"\u05D2\\3\r\n"};
  Bytes document = Document("", days[0]);
  for (int day = 1; day < 3; ++day) {
    RtfDocumentPlan plan;
    Bytes before = document;
    document = Document(before, days[day], &plan);
    EXPECT_EQ(plan.Old, kRtfReopened);
    EXPECT_FALSE(plan.Foreign);
    EXPECT_EQ(plan.KeptBytes, before.size() - 3);  // all but "}\r\n"
  }
  const Bytes expected = Bytes(kRtfHeader) + Body(days[0]) + kRtfSeparator + Body(days[1]) + kRtfSeparator +
                         Body(days[2]) + "}\r\n";
  EXPECT_EQ(document, expected);
  // One closing brace, at the end.
  EXPECT_EQ(RtfGroupEnd(reinterpret_cast<const uint8_t*>(document.data()), document.size()), document.size() - 3);
  bool wellFormed = false;
  EXPECT_EQ(ReadBack(document, &wellFormed),
            u"\u05D0 1\n\n\n\n*  *  *  *  *\n\n\u05D1 {2}\n\n\n\n*  *  *  *  *\n\n\u05D2\\3\n\n\n\n");
  EXPECT_TRUE(wellFormed);
}

TEST(RtfDocument, OldDocuments) {
  const Bytes ours = Bytes(kRtfHeader) + "\\u1488\\par\\par\r\n}";
  struct Row {
    Bytes old;
    RtfOldDocument expected;
    bool foreign;
    size_t kept;  // bytes of the old document kept when reopened
  };
  const Row rows[] = {
      {"", kRtfNoOldDocument, false, 0},                      // nothing on the clipboard: like Copy
      {ours, kRtfReopened, false, ours.size() - 1},           // our own document
      {ours + "\r\n", kRtfReopened, false, ours.size() - 1},  // with its line end
      {ours + " \t\r\n\r\n \t", kRtfReopened, false, ours.size() - 1},  // any trailing blanks and tabs
      {"{\\rtf1\\ansi Hello}", kRtfReopened, true, 17},       // a foreign document: reopened, reset
      {"{\\rtf1 a\\}b}", kRtfReopened, true, 11},             // escaped brace inside
      {"{\\rtf1 {\\b a}}", kRtfReopened, true, 13},           // closing brace of a nested group before it
      {"{\\rtf1 \\bin2 }}}", kRtfReopened, true, 15},         // binary braces
      {"Hello, world", kRtfReplaced, false, 0},               // not RTF at all
      {"}", kRtfReplaced, false, 0},                          // a brace only
      {"{\\rtf", kRtfReplaced, false, 0},                     // cut short
      {"{\\rtf1 Hello", kRtfReplaced, false, 0},              // no closing brace
      {"{\\rtf1 {\\b Hello}", kRtfReplaced, false, 0},        // a nested group still open
      {"{\\rtf1 a}b}", kRtfReplaced, false, 0},               // closes early, junk behind
      {"{\\rtf1 a}}", kRtfReplaced, false, 0},                // one brace too many
      {"{\\rtf1 a\\}", kRtfReplaced, false, 0},               // the last brace is escaped
      {"{\\rtf1 \\bin9 }", kRtfReplaced, false, 0},           // binary data cut short
      {" {\\rtf1 a}", kRtfReplaced, false, 0},                // does not begin with the group
      {"{\\RTF1 a}", kRtfReplaced, false, 0},                 // the keyword is lower case
      {"{\\rtf1 a}\x01", kRtfReplaced, false, 0},             // junk that is not a blank
      {Bytes(kRtfHeader) + "}", kRtfReopened, false, 180},    // our header alone
      {Bytes(kRtfHeader, 179) + "}", kRtfReopened, true, 179},  // a cut header is not ours
  };
  for (const Row& row : rows) {
    RtfDocumentPlan plan;
    Bytes document = Document(row.old, u"\u05D0", &plan);
    ASSERT_EQ(plan.Old, row.expected) << row.old;
    bool wellFormed = false;
    std::u16string read = ReadBack(document, &wellFormed);
    EXPECT_TRUE(wellFormed) << row.old;
    if (row.expected == kRtfReopened) {
      EXPECT_EQ(plan.Foreign, row.foreign) << row.old;
      EXPECT_EQ(plan.KeptBytes, row.kept) << row.old;
      EXPECT_EQ(document.substr(0, row.kept), row.old.substr(0, row.kept)) << row.old;
      Bytes tail = Bytes(kRtfSeparator) + (row.foreign ? "\\uc0 " : "") + "\\u1488" + kEnd + "}\r\n";
      EXPECT_EQ(document.substr(row.kept), tail) << row.old;
    } else {
      // Anything else is replaced by a new document.
      EXPECT_EQ(document, Bytes(kRtfHeader) + "\\u1488" + kEnd + "}\r\n") << row.old;
    }
    // The result can be appended to again as one of our documents or a reopened foreign one.
    RtfDocumentPlan again = PlanRtfDocument(reinterpret_cast<const uint8_t*>(document.data()), document.size(), 0);
    EXPECT_EQ(again.Old, kRtfReopened) << row.old;
  }
}

TEST(RtfDocument, ForeignDocumentKeepsEveryLetter) {
  // A foreign document in the default state \uc1 would swallow one character
  // after each escape; the reset behind the separator prevents that.
  Bytes document = Document("{\\rtf1\\ansi\\uc1 x}", u"\u05D0\u05D1\u05D2");
  EXPECT_EQ(ReadBack(document), u"x*  *  *  *  *\n\n\u05D0\u05D1\u05D2\n\n");
}

TEST(RtfDocument, SeveralMegabytes) {
  // An 8 MB document of our own is reopened in one pass; the same bytes without
  // the closing brace are replaced.
  Bytes big = Bytes(kRtfHeader);
  Bytes line = "\\u1488\\u1489 \\{x\\} {\\b y}\\par\r\n";
  while (big.size() < 8u * 1024 * 1024) big += line;
  RtfDocumentPlan plan;
  Bytes document = Document(big + "}\r\n", u"\u05D0", &plan);
  EXPECT_EQ(plan.Old, kRtfReopened);
  EXPECT_EQ(plan.KeptBytes, big.size());
  EXPECT_EQ(document.size(), big.size() + 52 + Body(u"\u05D0").size() + 3);
  Document(big, u"\u05D0", &plan);
  EXPECT_EQ(plan.Old, kRtfReplaced);
}

TEST(RtfDocument, DeepNesting) {
  // A million nested groups: counted, not recursed.
  Bytes deep = "{\\rtf1 " + Bytes(1000000, '{') + Bytes(1000000, '}') + "}";
  RtfDocumentPlan plan = PlanRtfDocument(reinterpret_cast<const uint8_t*>(deep.data()), deep.size(), 0);
  EXPECT_EQ(plan.Old, kRtfReopened);
  deep.pop_back();
  plan = PlanRtfDocument(reinterpret_cast<const uint8_t*>(deep.data()), deep.size(), 0);
  EXPECT_EQ(plan.Old, kRtfReplaced);
}

TEST(RtfDocument, SizeThatCannotFitIsRefused) {
  const Bytes ours = Bytes(kRtfHeader) + "}";
  RtfDocumentPlan plan = PlanRtfDocument(reinterpret_cast<const uint8_t*>(ours.data()), ours.size(), SIZE_MAX - 10);
  EXPECT_EQ(plan.TotalBytes, 0u);
  plan = PlanRtfDocument(nullptr, 0, SIZE_MAX - 100);
  EXPECT_EQ(plan.TotalBytes, 0u);
}

}  // namespace
