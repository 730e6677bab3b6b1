#include "button/framework/PictureHolder.h"
#include "common/win/ComError.h"
#include "common/win/Handles.h"
#include "common/win/Himetric.h"

namespace button {

namespace {

// A 24-bit DIB section copy of `bitmap` (null on failure).
HBITMAP CopyAs24Bit(HBITMAP bitmap, const BITMAP& bm) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  const common::WindowDC screen = common::TakeWindowDC(nullptr);
  if (!screen) return nullptr;
  void* bits = nullptr;
  common::GdiBitmap copy(CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  const bool ok =
      copy && GetDIBits(screen.Get(), bitmap, 0, UINT(bm.bmHeight), bits, &bi, DIB_RGB_COLORS) == bm.bmHeight;
  return ok ? copy.Release() : nullptr;
}

}  // namespace

HRESULT CPictureHolder::CreateEmpty() {
  PICTDESC pd{};
  pd.cbSizeofstruct = sizeof(PICTDESC);
  pd.picType = PICTYPE_NONE;
  common::ComPtr<IPicture> pic;
  ZB_RETURN_IF_FAILED(OleCreatePictureIndirect(&pd, IID_IPicture, TRUE, pic.PutVoid()));
  m_picture = std::move(pic);
  return S_OK;
}

HRESULT CPictureHolder::CreateFromBitmap(HBITMAP bitmap, HPALETTE palette, bool takeOwnership) {
  if (!bitmap) return E_INVALIDARG;
  BITMAP bm{};
  if (GetObjectW(bitmap, sizeof(bm), &bm) != sizeof(bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
    if (takeOwnership) DeleteObject(bitmap);
    return E_INVALIDARG;
  }
  HBITMAP use = bitmap;
  bool own = takeOwnership;
  if (bm.bmBitsPixel > 24) {
    HBITMAP copy = CopyAs24Bit(bitmap, bm);
    if (!copy) {
      if (takeOwnership) DeleteObject(bitmap);
      return E_OUTOFMEMORY;
    }
    if (takeOwnership) DeleteObject(bitmap);
    use = copy;
    own = true;
  }
  PICTDESC pd{};
  pd.cbSizeofstruct = sizeof(PICTDESC);
  pd.picType = PICTYPE_BITMAP;
  pd.bmp.hbitmap = use;
  pd.bmp.hpal = palette;
  common::ComPtr<IPicture> pic;
  HRESULT hr = OleCreatePictureIndirect(&pd, IID_IPicture, own, pic.PutVoid());
  if (FAILED(hr)) {
    if (own) DeleteObject(use);
    return hr;
  }
  m_picture = std::move(pic);
  return S_OK;
}

HRESULT CPictureHolder::SetPictureDispatch(IPictureDisp* picture) {
  if (!picture) return CreateEmpty();
  common::ComPtr<IPicture> pic = common::QueryAs<IPicture>(picture);
  if (!pic) return E_INVALIDARG;
  m_picture = std::move(pic);
  return S_OK;
}

common::ComPtr<IPictureDisp> CPictureHolder::Dispatch() const { return common::QueryAs<IPictureDisp>(m_picture.Get()); }

short CPictureHolder::Type() const {
  short type = PICTYPE_UNINITIALIZED;
  if (!m_picture || FAILED(m_picture->get_Type(&type))) return PICTYPE_UNINITIALIZED;
  return type;
}

bool CPictureHolder::IsEmpty() const {
  short t = Type();
  return t == PICTYPE_NONE || t == PICTYPE_UNINITIALIZED;
}

bool CPictureHolder::SizeHimetric(SIZEL& size) const {
  if (IsEmpty()) return false;
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  if (FAILED(m_picture->get_Width(&w)) || FAILED(m_picture->get_Height(&h))) return false;
  size.cx = w;
  size.cy = h;
  return true;
}

bool CPictureHolder::SizePixels(SIZE& size, HDC dc) const {
  SIZEL hm{};
  if (!SizeHimetric(hm)) return false;
  const common::WindowDC screen = dc ? common::WindowDC() : common::TakeWindowDC(nullptr);
  const HDC use = dc ? dc : screen.Get();
  if (!use) return false;
  size.cx = MulDiv(hm.cx, GetDeviceCaps(use, LOGPIXELSX), common::kHimetricPerInch);
  size.cy = MulDiv(hm.cy, GetDeviceCaps(use, LOGPIXELSY), common::kHimetricPerInch);
  return true;
}

HRESULT CPictureHolder::Render(HDC dc, const RECT& rc, const RECT& bounds) const {
  SIZEL hm{};
  if (!SizeHimetric(hm)) return S_FALSE;
  return m_picture->Render(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, 0, hm.cy, hm.cx, -hm.cy,
                           &bounds);
}

HRESULT CPictureHolder::Save(IStream* stream) const {
  if (!stream) return E_POINTER;
  common::ComPtr<IPersistStream> ps = common::QueryAs<IPersistStream>(m_picture.Get());
  if (!ps) return E_FAIL;
  return ps->Save(stream, TRUE);
}

HRESULT CPictureHolder::Load(IStream* stream) {
  if (!stream) return E_POINTER;
  common::ComPtr<IPicture> pic;
  HRESULT hr = OleCreatePictureIndirect(nullptr, IID_IPicture, TRUE, pic.PutVoid());
  ZB_RETURN_IF_FAILED(hr);
  common::ComPtr<IPersistStream> ps = common::QueryAs<IPersistStream>(pic.Get());
  if (!ps) return E_NOINTERFACE;
  ZB_RETURN_IF_FAILED(hr = ps->Load(stream));
  m_picture = std::move(pic);
  return S_OK;
}

}  // namespace button
