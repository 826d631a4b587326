// Builds LessonText streams for tests, independent of the lesson resources.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// Flag and parameter bytes of the day's stream.
constexpr uint8_t kHeadingFlag = 0x5C;  // large, bold, reversed, centred
constexpr uint8_t kEntryFlag = 0xD1;    // body, reversed, centred, paragraph end
constexpr uint8_t kRuleFlag = 0xC7;     // rule, centred, paragraph end
constexpr uint8_t kRuleParam = 175;     // 30 % of the text area

// Records of a stream under construction.
struct StreamBuilder {
  std::vector<uint8_t> Bytes;
};

// Appends one record: flag, param, the text's bytes and a zero byte.
inline void AddRecord(StreamBuilder* builder, uint8_t flag, uint8_t param, const std::string& text) {
  builder->Bytes.push_back(flag);
  builder->Bytes.push_back(param);
  builder->Bytes.insert(builder->Bytes.end(), text.begin(), text.end());
  builder->Bytes.push_back(0);
}

// Offset in the finished stream of the text of the record added next.
inline size_t NextTextOffset(const StreamBuilder& builder) { return builder.Bytes.size() + 2; }

// The records followed by three zero bytes, as a malloc'd stream owned by the caller.
inline uint8_t* FinishStream(const StreamBuilder& builder) {
  size_t size = builder.Bytes.size() + 3;
  auto* stream = static_cast<uint8_t*>(calloc(size, 1));
  if (stream && !builder.Bytes.empty()) memcpy(stream, builder.Bytes.data(), builder.Bytes.size());
  return stream;
}

// The day's stream: three headings, three entries, two rules between them.
inline StreamBuilder DayStream(const std::string& first, const std::string& longTrack,
                               const std::string& second) {
  StreamBuilder builder;
  AddRecord(&builder, kHeadingFlag, 0, "nfjm njxyu 'c");
  AddRecord(&builder, kEntryFlag, 0, first);
  AddRecord(&builder, kRuleFlag, kRuleParam, "");
  AddRecord(&builder, kHeadingFlag, 0, "nfjm 'a xyu");
  AddRecord(&builder, kEntryFlag, 0, longTrack);
  AddRecord(&builder, kRuleFlag, kRuleParam, "");
  AddRecord(&builder, kHeadingFlag, 0, "{ffwoe yur");
  AddRecord(&builder, kEntryFlag, 0, second);
  return builder;
}
