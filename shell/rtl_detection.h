// Whether the system's text output reorders right-to-left text.
#pragma once

// True if DrawTextW draws the logical string alef, bet with bet on the left
// (bidirectional reordering, as on today's Windows and under Wine). Decided
// once by drawing into a memory device context; when the glyphs cannot tell
// the orders apart, true.
bool SystemReordersRightToLeft();
