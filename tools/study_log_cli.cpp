#include "tools/study_log_cli.h"

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "study_log/journal_file.h"
#include "study_log/study_progress.h"
#include "tools/day_facts.h"
#include "tools/icalendar_writer.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using Json = nlohmann::ordered_json;  // keys in the order written

// The day as YYYY-MM-DD.
std::string DayText(AbsoluteDay day) {
  GregorianDate date;
  return IsoDate(*AbsoluteToGregorian(day, &date));
}

// The names of tracks joined by ", ".
std::string TrackList(TrackSet tracks) {
  std::string list;
  for (int32_t track = 0; track < kTrackCount; ++track) {
    if (!HasTrack(tracks, track)) continue;
    if (!list.empty()) list += ", ";
    list += kTrackNames[track];
  }
  return list;
}

// count days, as "1 day" or "N days".
std::string DaysText(int32_t count) { return std::to_string(count) + (count == 1 ? " day" : " days"); }

// A failed result with reason.
StudyResult Failed(StudyOutcome outcome, const std::string& reason) { return StudyResult{outcome, reason, ""}; }

// The journal's path for the file functions (given with --log, else the
// default place) into *path, and as shown in messages into *shown; false with
// *reason when there is none.
bool JournalPath(const CliArgument* given, PathString* path, std::string* shown, std::string* reason) {
  if (given) {
    *path = given->Path;
    *shown = given->Text;
    return true;
  }
  PathChar found[kMaxJournalPath + 1];
  if (!DefaultJournalPath(found, kMaxJournalPath + 1)) {
#ifdef _WIN32
    *reason = "the study log has no default place (APPDATA is not set): give --log FILE";
#else
    *reason = "the study log has no default place (no home folder): give --log FILE";
#endif
    return false;
  }
  *path = found;
#ifdef _WIN32
  char utf8[4 * kMaxJournalPath + 1];
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, found, -1, utf8, sizeof utf8, nullptr, nullptr);
  *shown = bytes > 0 ? utf8 : "";
#else
  *shown = found;
#endif
  return true;
}

// The message for a journal file result other than kJournalOk.
std::string JournalProblem(JournalFileResult result, const std::string& shown) {
  const std::string quoted = "'" + shown + "'";
  switch (result) {
    case kJournalCannotRead: return "cannot read the study log " + quoted;
    case kJournalCannotWrite: return "cannot write to the study log " + quoted;
    case kJournalNoMemory: return "not enough memory for the study log " + quoted;
    case kJournalBadPath: return "the study log " + quoted + " is not a file";
    case kJournalOk: break;
  }
  return "the study log " + quoted;
}

// The line kind each changing mode writes.
JournalKind KindOf(StudyMode mode) {
  switch (mode) {
    case kStudyUnmark: return kJournalNotLearned;
    case kStudyBegan: return kJournalBegan;
    case kStudyFollow: return kJournalFollows;
    default: return kJournalLearned;
  }
}

// Appends the lines of a change (mark, unmark, began, follow) of day for
// tracks; its confirmation, or the failure.
StudyResult Change(StudyMode mode, AbsoluteDay day, TrackSet tracks, const PathString& path,
                   const std::string& shown) {
  int64_t now = 0;
  std::string reason;
  if (!StampSeconds(&now, &reason)) return Failed(kStudyBadArguments, reason);
  std::string lines;
  char text[kMaxJournalLine];
  const JournalKind kind = KindOf(mode);
  if (kind == kJournalFollows) {
    lines.append(text, FormatJournalLine({now, kind, kTrackThreeChapters, 0, tracks}, text, sizeof text));
  } else {
    for (int32_t track = 0; track < kTrackCount; ++track) {
      if (!HasTrack(tracks, track)) continue;
      lines.append(text, FormatJournalLine({now, kind, static_cast<LessonTrack>(track), day, 0}, text, sizeof text));
    }
  }
  const JournalFileResult written = AppendJournalBytes(path.c_str(), lines.data(), lines.size());
  if (written != kJournalOk) return Failed(kStudyJournalFailed, JournalProblem(written, shown));
  switch (mode) {
    case kStudyMark: return StudyResult{kStudyDone, "", DayText(day) + ": learned " + TrackList(tracks) + "\n"};
    case kStudyUnmark: return StudyResult{kStudyDone, "", DayText(day) + ": not learned " + TrackList(tracks) + "\n"};
    case kStudyBegan: return StudyResult{kStudyDone, "", DayText(day) + ": began " + TrackList(tracks) + "\n"};
    default: return StudyResult{kStudyDone, "", "following " + TrackList(tracks) + "\n"};
  }
}

// The progress of tracks as of day, as text.
std::string ProgressText(const StudyRecord* record, TrackSet tracks, AbsoluteDay day) {
  std::string text = "Study progress on " + DayText(day) + " (tracks " + TrackList(tracks) + ")\n";
  text += "Lessons behind: " + std::to_string(LessonsBehind(record, tracks, day)) + "\n";
  text += "Streak: " + DaysText(StreakOf(record, tracks, day)) + "\n";
  for (int32_t t = 0; t < kTrackCount; ++t) {
    if (!HasTrack(tracks, t)) continue;
    const TrackProgress p = ProgressOf(record, static_cast<LessonTrack>(t), day);
    text += std::string("Track ") + kTrackNames[t] + ": cycle " + std::to_string(p.Cycle.Number) + " from " +
            DayText(p.Cycle.First) + ", completes on " + DayText(p.Cycle.Last) + "\n";
    text += "  began: " + (p.Began != 0 ? DayText(p.Began) : std::string("not yet in this cycle")) + "\n";
    text += "  learned: " + std::to_string(p.Learned) + " of " + std::to_string(p.Total) + " (" +
            std::to_string(LearnedPercent(p)) + "%)\n";
    text += "  behind: " + std::to_string(p.Behind) + "\n";
    text += "  streak: " + DaysText(p.Streak) + "\n";
    if (p.Behind > 0) {
      text += "  to catch up: " + std::to_string(p.PaceWeek) + " lessons a day for a week, or " +
              std::to_string(p.PaceMonth) + " a day for a month\n";
    }
  }
  return text;
}

// The progress of tracks as of day, as a JSON object.
std::string ProgressJson(const StudyRecord* record, TrackSet tracks, AbsoluteDay day) {
  Json names = Json::array();
  Json each = Json::array();
  for (int32_t t = 0; t < kTrackCount; ++t) {
    if (!HasTrack(tracks, t)) continue;
    names.push_back(kTrackNames[t]);
    const TrackProgress p = ProgressOf(record, static_cast<LessonTrack>(t), day);
    each.push_back(Json{{"track", kTrackNames[t]},
                        {"cycle", Json{{"number", p.Cycle.Number},
                                       {"first", DayText(p.Cycle.First)},
                                       {"last", DayText(p.Cycle.Last)}}},
                        {"began", p.Began != 0 ? Json(DayText(p.Began)) : Json(nullptr)},
                        {"learned", p.Learned},
                        {"total", p.Total},
                        {"percent", LearnedPercent(p)},
                        {"behind", p.Behind},
                        {"streak", p.Streak},
                        {"pace_week", p.PaceWeek},
                        {"pace_month", p.PaceMonth}});
  }
  const Json progress = {{"date", DayText(day)},
                         {"tracks_followed", names},
                         {"behind", LessonsBehind(record, tracks, day)},
                         {"streak", StreakOf(record, tracks, day)},
                         {"tracks", each}};
  return progress.dump(2) + "\n";
}

// The days behind as of day (before it, since the user began each track's
// cycle, not learned), oldest first, a line each: date, track, lesson.
StudyResult BehindText(const StudyRecord* record, TrackSet tracks, AbsoluteDay day) {
  std::vector<std::pair<AbsoluteDay, int32_t>> behind;
  for (int32_t t = 0; t < kTrackCount; ++t) {
    const LessonTrack track = static_cast<LessonTrack>(t);
    const AbsoluteDay began = HasTrack(tracks, t) ? BeganOn(record, track, day) : 0;
    for (AbsoluteDay d = began != 0 ? FirstDayWhere(record, track, began, day - 1, false) : 0; d != 0;
         d = FirstDayWhere(record, track, d + 1, day - 1, false)) {
      behind.emplace_back(d, t);
    }
  }
  std::sort(behind.begin(), behind.end());
  StudyResult result = {kStudyDone, "", ""};
  DayFacts facts;
  AbsoluteDay read = 0;
  for (const auto& [d, track] : behind) {
    int32_t error = 0;
    if (d != read && !ReadDayFacts(d, &facts, &error)) {
      return Failed(kStudyLessonsUnreadable, "cannot read the lessons of lesson day " +
                                                 std::to_string(LessonDayFromAbsolute(d)) + " (code " +
                                                 std::to_string(error) + ")");
    }
    read = d;
    result.Output += DayText(d) + "\t" + kTrackNames[track] + "\t" + facts.Entries[track] + "\n";
  }
  return result;
}

// Why the options of request do not go together; empty when they do.
std::string Conflict(const CliRequest& request) {
  const StudyRequest& study = request.Study;
  const std::string option = study.Option;
  const bool prints = study.Mode == kStudyProgress || study.Mode == kStudyBehind;
  if (request.ModeOption && !(request.Mode == kModeJson && study.Mode == kStudyProgress)) {
    return std::string("'") + request.ModeOption + "' does not go with '" + option + "'";
  }
  if (request.Days != 0) return "'--days' does not go with '" + option + "'";
  if (request.AlarmMinute != kNoAlarm) return "'--alarm' does not go with '" + option + "'";
  if (request.OutputGiven && !prints) return "'-o' does not go with '" + option + "'";
  if (request.DateCount > (study.Mode == kStudyFollow ? 0 : 1)) {
    return std::string("unexpected argument '") + request.Dates[request.DateCount - 1] + "'";
  }
  if (study.Mode == kStudyBegan && request.DateCount == 0) return "--began needs a DATE";
  if (study.Mode == kStudyFollow && request.Tracks == 0) return "--follow needs one or more --track";
  return "";
}

}  // namespace

StudyResult RunStudyLog(const CliRequest& request) {
  std::string reason = Conflict(request);
  if (!reason.empty()) return Failed(kStudyBadArguments, reason);
  AbsoluteDay day = 0;
  if (request.DateCount == 1 ? !ParseDate(request.Dates[0], &day, &reason) : !Today(&day, &reason)) {
    return Failed(kStudyBadArguments, reason);
  }
  PathString path;
  std::string shown;
  if (!JournalPath(request.Study.Log, &path, &shown, &reason)) return Failed(kStudyJournalFailed, reason);

  char* bytes = nullptr;
  size_t size = 0;
  const JournalFileResult read = ReadJournalFile(path.c_str(), &bytes, &size);
  if (read != kJournalOk) return Failed(kStudyJournalFailed, JournalProblem(read, shown));
  StudyRecord* record = CreateStudyRecord();
  const int32_t skipped = record ? LoadJournalText(record, bytes, size) : -1;
  free(bytes);
  if (skipped < 0) {
    DestroyStudyRecord(record);
    return Failed(kStudyJournalFailed, JournalProblem(kJournalNoMemory, shown));
  }
  const TrackSet tracks = request.Tracks != 0 ? request.Tracks : FollowedTracks(record);
  StudyResult result = {kStudyDone, "", ""};
  switch (request.Study.Mode) {
    case kStudyProgress:
      result.Output = request.Mode == kModeJson ? ProgressJson(record, tracks, day)
                                                : ProgressText(record, tracks, day);
      break;
    case kStudyBehind: result = BehindText(record, tracks, day); break;
    default: result = Change(request.Study.Mode, day, tracks, path, shown); break;
  }
  DestroyStudyRecord(record);
  if (result.Outcome == kStudyDone && skipped > 0) {
    result.Reason = "the study log '" + shown + "' has " + std::to_string(skipped) +
                    (skipped == 1 ? " line" : " lines") +
                    " it cannot read (cut short, from a newer version, or not a journal line); they are kept";
  }
  return result;
}
