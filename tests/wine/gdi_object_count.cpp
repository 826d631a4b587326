// GetGuiResources is a stub in Wine that always returns 0. Wine keeps each
// process's GDI handles in a table of its own that the process's environment
// block points to (GdiSharedHandleTable), as Windows once did; an entry with a
// non-zero type is a live object. For a 32-bit process Wine fills the pointer
// only in the 64-bit environment block, which the 32-bit thread block names in
// its GdiBatchCount field.
#include "tests/wine/gdi_object_count.h"

#include <winternl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr size_t kHandleCount = 0x10000;

// One entry of the handle table (the same layout for 32- and 64-bit processes).
struct HandleEntry {
  uint64_t Object;
  uint32_t Owner;
  uint16_t Unique;
  uint8_t Type;
  uint8_t Flags;
  uint64_t UserPointer;
};
static_assert(sizeof(HandleEntry) == 24, "handle table entry");

struct ThreadBasicInformation {
  LONG ExitStatus;
  PVOID TebBaseAddress;
  CLIENT_ID ClientId;
  ULONG_PTR AffinityMask;
  LONG Priority;
  LONG BasePriority;
};

using QueryThread = LONG(NTAPI*)(HANDLE, int, PVOID, ULONG, PULONG);

template <typename T>
bool ReadRemote(HANDLE process, uint64_t address, T* value) {
  SIZE_T read = 0;
  return address != 0 &&
         ReadProcessMemory(process, reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address)),
                           value, sizeof(T), &read) &&
         read == sizeof(T);
}

// Address of the handle table in process; 0 if it cannot be found.
uint64_t HandleTableAddress(HANDLE process, DWORD threadId) {
  PROCESS_BASIC_INFORMATION info = {};
  ULONG length = 0;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof(info), &length) !=
      0) {
    return 0;
  }
#ifdef _WIN64
  uint64_t table = 0;
  ReadRemote(process, reinterpret_cast<uintptr_t>(info.PebBaseAddress) + 0xF8, &table);
  return table;
#else
  uint32_t table32 = 0;
  ReadRemote(process, reinterpret_cast<uintptr_t>(info.PebBaseAddress) + 0x94, &table32);
  if (table32 != 0) return table32;
  HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId);
  if (thread == nullptr) return 0;
  auto query = reinterpret_cast<QueryThread>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
  ThreadBasicInformation threadInfo = {};
  const bool known =
      query != nullptr && query(thread, 0, &threadInfo, sizeof(threadInfo), &length) == 0;
  CloseHandle(thread);
  if (!known) return 0;
  uint32_t teb64 = 0;
  uint64_t peb64 = 0;
  uint64_t table = 0;
  if (!ReadRemote(process, reinterpret_cast<uintptr_t>(threadInfo.TebBaseAddress) + 0xF70, &teb64))
    return 0;
  if (!ReadRemote(process, uint64_t{teb64} + 0x60, &peb64)) return 0;
  if (!ReadRemote(process, peb64 + 0xF8, &table)) return 0;
  return table;
#endif
}

// Live entries of the handle table per object type; false if it cannot be read.
bool CountByType(HANDLE process, DWORD threadId, std::vector<int32_t>* counts) {
  const uint64_t table = HandleTableAddress(process, threadId);
  if (table == 0) return false;
  std::vector<HandleEntry> entries(kHandleCount);
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(table)),
                         entries.data(), entries.size() * sizeof(HandleEntry), &read) ||
      read != entries.size() * sizeof(HandleEntry)) {
    return false;
  }
  counts->assign(256, 0);
  for (const HandleEntry& entry : entries) {
    if (entry.Type != 0) ++(*counts)[entry.Type];
  }
  return true;
}

}  // namespace

GdiObjectCounts CountGdiObjects(HANDLE process, DWORD threadId) {
  GdiObjectCounts counts = {-1, {}};
  const DWORD reported = GetGuiResources(process, GR_GDIOBJECTS);
  if (reported != 0) {
    counts.Total = static_cast<int32_t>(reported);
    return counts;
  }
  if (!CountByType(process, threadId, &counts.ByType)) return counts;
  counts.Total = 0;
  for (int32_t count : counts.ByType) counts.Total += count;
  return counts;
}

std::string DescribeGdiObjects(const GdiObjectCounts& counts) {
  if (counts.ByType.empty()) return "total " + std::to_string(counts.Total);
  std::string text;
  char item[32];
  for (size_t type = 0; type < counts.ByType.size(); ++type) {
    if (counts.ByType[type] == 0) continue;
    snprintf(item, sizeof(item), "%s0x%02x: %d", text.empty() ? "" : ", ",
             static_cast<unsigned>(type), static_cast<int>(counts.ByType[type]));
    text += item;
  }
  return text;
}

std::string CompareGdiObjects(const GdiObjectCounts& before, const GdiObjectCounts& after,
                              int32_t extraBitmaps, int32_t dcCacheSlack) {
  const std::string both =
      "\nbefore: " + DescribeGdiObjects(before) + "\nafter:  " + DescribeGdiObjects(after);
  if (before.Total < 0 || after.Total < 0) return "the GDI objects cannot be counted";
  if (before.ByType.empty() || after.ByType.empty()) {
    if (after.Total - before.Total == extraBitmaps) return std::string();
    return "the total changed by " + std::to_string(after.Total - before.Total) + both;
  }
  std::string differences;
  for (size_t type = 0; type < after.ByType.size(); ++type) {
    const int32_t grown = after.ByType[type] - before.ByType[type];
    const bool dcCache =
        type == kGdiDc || type == kGdiRegion || type == kGdiSurface || type == kGdiBitmap;
    const int32_t expected = type == kGdiBitmap ? extraBitmaps : 0;
    const bool fine = dcCache
                          ? (grown >= expected - dcCacheSlack && grown <= expected + dcCacheSlack)
                          : grown == expected;
    if (!fine) {
      char item[48];
      snprintf(item, sizeof(item), " type 0x%02x changed by %d;", static_cast<unsigned>(type),
               static_cast<int>(grown));
      differences += item;
    }
  }
  return differences.empty() ? differences : differences + both;
}
