// The toolbar's pictures: strips of the button pictures drawn at several sizes
// (bitmap resources, one picture after another in button order), made into an
// image list for any picture size and set of colours.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "resources/resource.h"
#include "view/colour_scheme.h"

// One strip of the pictures as drawn.
struct ToolbarPictures {
  int32_t Size;  // width and height of one picture, pixels
  int Resource;  // bitmap resource id
};
// The strips, smallest first: 100 % to 300 % display scaling.
constexpr ToolbarPictures kToolbarPictures[] = {
    {16, IDB_TOOLBAR},    {20, IDB_TOOLBAR_20}, {24, IDB_TOOLBAR_24},
    {32, IDB_TOOLBAR_32}, {40, IDB_TOOLBAR_40}, {48, IDB_TOOLBAR_48},
};

// An image list of the pictures in cells of size x size pixels: the largest
// strip drawn no larger (the smallest when none is, the cells then growing to
// it), its colours shown as colours says, each picture whole in the middle of
// its cell on a transparent background. Null when it cannot be made; the
// caller destroys it (ImageList_Destroy).
HIMAGELIST MakeToolbarPictures(HINSTANCE instance, int32_t size,
                               const PictureColour colours[kPictureColourCount]);
