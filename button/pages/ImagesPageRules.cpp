#include "button/pages/ImagesPageRules.h"

#include <algorithm>

#include "button/pages/PageResources.h"

namespace button {

bool LinkBit(long holdingFlag, int row) {
  if (row < 0 || row >= kRows) return false;
  return (holdingFlag >> row & 1) != 0;
}

long WithLinkBit(long holdingFlag, int row, bool on) {
  if (row < 0 || row >= kRows) return holdingFlag;
  const long bit = 1L << row;
  return on ? (holdingFlag | bit) : (holdingFlag & ~bit);
}

ClearAction ClearRow(long holdingFlag, int row) {
  ClearAction action;
  if (LinkBit(holdingFlag, row))
    action.unlink = true;
  else
    action.emptyUrl = true;
  return action;
}

PreviewPlacement FitCentered(int64_t w, int64_t h, int fitW, int fitH, int boxW, int boxH) {
  PreviewPlacement p;
  if (w <= 0 || h <= 0 || fitW <= 0 || fitH <= 0) return p;
  int64_t outW = w, outH = h;
  if (w > fitW || h > fitH) {
    // The smaller of the two factors, in exact integer arithmetic: no size from a file can
    // overflow 64 bits here (a dimension times a box side of a few hundred).
    if (int64_t(fitW) * h <= int64_t(fitH) * w) {
      outW = fitW;
      outH = h * fitW / w;
    } else {
      outH = fitH;
      outW = w * fitH / h;
    }
    outW = std::max<int64_t>(1, outW);
    outH = std::max<int64_t>(1, outH);
  }
  p.w = int(outW);
  p.h = int(outH);
  p.x = int((boxW - outW) / 2);
  p.y = int((boxH - outH) / 2);
  return p;
}

PreviewPlacement PagePreviewPlacement(int64_t w, int64_t h) {
  PreviewPlacement p = FitCentered(w, h, kPageFit, kPageFit, kPageFit, kPageFit);
  p.x += kPageMargin;
  p.y += kPageMargin;
  return p;
}

PreviewPlacement DialogPreviewPlacement(int64_t w, int64_t h) {
  return FitCentered(w, h, kDialogPreviewW - 14, kDialogPreviewH - 14, kDialogPreviewW, kDialogPreviewH);
}

std::wstring PageSizeText(bool hasPicture, int64_t w, int64_t h) {
  if (!hasPicture) return L"Image is empty.";
  return L"Width: " + std::to_wstring(w) + L"  Height: " + std::to_wstring(h);
}

std::wstring DialogSizeText(int64_t w, int64_t h) {
  return L"Width=" + std::to_wstring(w) + L"  ,  Height=" + std::to_wstring(h);
}

std::wstring DialogTitle(int row) {
  static const wchar_t* const kTitles[kRows] = {L"Normal picture", L"Mouse over picture", L"Mouse down picture",
                                                L"Disable picture"};
  if (row < 0 || row >= kRows) return std::wstring();
  return kTitles[row];
}

std::wstring FilterList() {
  static const wchar_t* const kPairs[] = {
      L"All supported formats", L"*.BMP;*.GIF;*.JPG;*.JPEG;*.TIF;*.TIFF;*.JIF",
      L"BMP File (*.BMP)",      L"*.BMP",
      L"GIF File (*.GIF)",      L"*.GIF",
      L"TIFF file (*.TIF)",     L"*.TIF;*.TIFF",
      L"JPEG file (*.JPG)",     L"*.JPG;*.JPEG",
      L"All files (*.*)",       L"*.*",
  };
  std::wstring list;
  for (const wchar_t* s : kPairs) {
    list += s;
    list.push_back(L'\0');
  }
  list.push_back(L'\0');
  return list;
}

namespace {
const PageBinding kBindings[] = {
    {IDC_IMG_URL_NORMAL, BindKind::EditString, L"PictureURL"},
    {IDC_IMG_URL_OVER, BindKind::EditString, L"PictureOverURL"},
    {IDC_IMG_URL_DOWN, BindKind::EditString, L"PictureDownURL"},
    {IDC_IMG_URL_DISABLE, BindKind::EditString, L"PictureDisableURL"},
    {IDC_IMG_HOLDINGFLAG, BindKind::EditShort, L"HoldingFlag"},
    {IDC_IMG_PREVPOINTER, BindKind::EditLong, L"PrevPointer"},
};
}  // namespace

const PageBinding* ImagesBindings() { return kBindings; }
size_t ImagesBindingCount() { return sizeof(kBindings) / sizeof(kBindings[0]); }

}  // namespace button
