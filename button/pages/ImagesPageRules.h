#pragma once
// The Images page's bindings and its own arithmetic: the "link to EXE" bits of HoldingFlag, what
// "Clear" does to a row, the size lines, the picture file dialog's titles and filter, and how a
// picture is fitted into a preview square.
#include <cstddef>
#include <cstdint>
#include <string>

#include "button/pages/PageBinding.h"

namespace button {

constexpr int kRows = 4;  // normal, over, down, disabled

// Bit `row` of HoldingFlag says the row's picture comes from the host program; the other bits
// (the button mode in the high byte) are kept as they are.
bool LinkBit(long holdingFlag, int row);
long WithLinkBit(long holdingFlag, int row, bool on);

// "Clear" on a row: a linked row loses its link and keeps its URL; any other row loses its URL.
struct ClearAction {
  bool unlink = false;
  bool emptyUrl = false;
};
ClearAction ClearRow(long holdingFlag, int row);

// Where a w x h picture lands inside a box: scaled down keeping its aspect ratio when it is larger
// than `fitW` x `fitH` (whole pixels, never below 1), else at its own size; centred in the box.
struct PreviewPlacement {
  int x = 0, y = 0, w = 0, h = 0;
};
PreviewPlacement FitCentered(int64_t w, int64_t h, int fitW, int fitH, int boxW, int boxH);

// The page's preview: a 130 x 130 square whose picture fits 120 x 120 at a margin of 5.
constexpr int kPageSquare = 130;
constexpr int kPageFit = 120;
constexpr int kPageMargin = 5;
PreviewPlacement PagePreviewPlacement(int64_t w, int64_t h);

// The file dialog's preview area: 200 wide, its height held to 160; pictures larger than the area
// less 14 pixels each way are scaled down.
constexpr int kDialogPreviewW = 200;
constexpr int kDialogPreviewH = 160;
PreviewPlacement DialogPreviewPlacement(int64_t w, int64_t h);

// Label 519 of the page: the picture's size, or "Image is empty.".
std::wstring PageSizeText(bool hasPicture, int64_t w, int64_t h);
// The line under the file dialog's preview.
std::wstring DialogSizeText(int64_t w, int64_t h);

// The file dialog's title for a row ("Normal picture" ...); empty for no row.
std::wstring DialogTitle(int row);
// The filter list as the open-file dialog takes it: pairs of strings, each ended by a NUL, the
// whole list ended by a second NUL.
std::wstring FilterList();

const PageBinding* ImagesBindings();
size_t ImagesBindingCount();

}  // namespace button
