// The GDI objects that a process holds, read from outside it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// GDI objects of a process: the total, and per object type where the system
// shows its handle table (Wine).
struct GdiObjectCounts {
  int32_t Total;                // -1 when they cannot be counted
  std::vector<int32_t> ByType;  // 256 counts by Wine's type number; empty when unknown
};

// Wine's type numbers of the handle table.
constexpr int kGdiDc = 0x01;
constexpr int kGdiRegion = 0x04;
constexpr int kGdiSurface = 0x05;
constexpr int kGdiBitmap = 0x09;
constexpr int kGdiFont = 0x0A;

// Counts the GDI objects of process, whose user-interface thread is threadId:
// what GetGuiResources (GR_GDIOBJECTS) reports, or, where that always reports
// 0 (Wine), the live entries of the process's GDI handle table, read with
// ReadProcessMemory.
GdiObjectCounts CountGdiObjects(HANDLE process, DWORD threadId);

// The counts per type ("0x0a: 17" for 17 fonts), for messages.
std::string DescribeGdiObjects(const GdiObjectCounts& counts);

// What after holds beyond before, checked for a test: extraBitmaps more
// bitmaps and otherwise as many objects of each type, except for the window
// DC cache: Wine keeps released window DCs for reuse, each with a region and
// a surface and at times a bitmap, and the cache grows with the largest number
// in use at once. DCs, regions, surfaces and bitmaps may therefore differ by
// up to dcCacheSlack, which a test keeps below its number of cycles, so that
// one object leaked per cycle still shows. Fonts, brushes, pens and palettes
// must match exactly. Without types, the totals must differ by extraBitmaps.
// Empty when that holds, else what differs.
std::string CompareGdiObjects(const GdiObjectCounts& before, const GdiObjectCounts& after,
                              int32_t extraBitmaps, int32_t dcCacheSlack);
