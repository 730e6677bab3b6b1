#include "catalogue/PanelButton.h"

#include <olectl.h>

#include <cstring>
#include <utility>

#include "button/control/ZephonButtonIds.h"
#include "common/olehost/PropertyBag.h"
#include "common/win/ComError.h"

namespace catalogue {

namespace {

using common::CControlHost;
using common::ComPtr;
using common::CPropertyBag;

// The control's events the panel handles (their DISPIDs in the control's event interface).
constexpr DISPID kMouseClick = 2;
constexpr DISPID kMouseEnter = 3;

void SetText(CPropertyBag& bag, const wchar_t* name, const wchar_t* text) {
  common::Variant v;
  VARIANT* p = v.Put();
  p->bstrVal = SysAllocString(text);
  if (!p->bstrVal) return;  // out of memory: the property keeps its default
  p->vt = VT_BSTR;
  bag.Set(name, v.Ref());
}

HRESULT SetPicture(HINSTANCE instance, CPropertyBag& bag, const wchar_t* name, int id) {
  ComPtr<IPictureDisp> picture;
  ZB_RETURN_IF_FAILED(LoadResourcePicture(instance, id, picture));
  common::Variant v;
  VARIANT* p = v.Put();
  p->vt = VT_DISPATCH;
  p->pdispVal = picture.Detach();
  bag.Set(name, v.Ref());
  return S_OK;
}

}  // namespace

HRESULT LoadResourcePicture(HINSTANCE instance, int id, ComPtr<IPictureDisp>& out) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!found) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
  const DWORD size = SizeofResource(instance, found);
  HGLOBAL loaded = LoadResource(instance, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND);
  // The picture loader reads a stream: a movable copy the stream frees with itself.
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return E_OUTOFMEMORY;
  void* target = GlobalLock(copy);
  if (!target) {
    GlobalFree(copy);
    return E_OUTOFMEMORY;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(copy);
  ComPtr<IStream> stream;
  HRESULT hr = CreateStreamOnHGlobal(copy, TRUE, stream.Put());
  if (FAILED(hr)) {
    GlobalFree(copy);
    return hr;
  }
  return OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPictureDisp, out.PutVoid());
}

HRESULT CPanelButton::Create(HINSTANCE instance, HWND parent, const PanelButtonDesign& design,
                             std::function<void()> onClick, std::function<void()> onEnter) {
  Close();
  ComPtr<CPropertyBag> bag = CPropertyBag::Create();
  if (!bag) return E_OUTOFMEMORY;
  SetText(*bag.Get(), L"PictureURL", design.normalFile);
  SetText(*bag.Get(), L"PictureOverURL", design.overFile);
  SetText(*bag.Get(), L"PictureDownURL", design.downFile);
  SetText(*bag.Get(), L"PictureDisableURL", design.normalFile);
  SetText(*bag.Get(), L"PictureBaseURL", design.normalFile);
  SetText(*bag.Get(), L"ToolTipString", design.toolTip);
  HRESULT hr = SetPicture(instance, *bag.Get(), L"PictureRES", design.normalPicture);
  if (SUCCEEDED(hr)) hr = SetPicture(instance, *bag.Get(), L"PictureOverRES", design.overPicture);
  if (SUCCEEDED(hr)) hr = SetPicture(instance, *bag.Get(), L"PictureDownRES", design.downPicture);
  if (SUCCEEDED(hr) && design.storesDisablePicture) {
    hr = SetPicture(instance, *bag.Get(), L"PictureDisableRES", design.normalPicture);
  }
  ZB_RETURN_IF_FAILED(hr);

  CControlHost::Options options;
  options.userMode = true;
  options.setupEvents = [click = std::move(onClick), enter = std::move(onEnter)](common::CEventSink& sink) {
    // Each handler runs on the control's own message; what it starts must not destroy the
    // control under it (the window's actions post what ends it).
    if (click) sink.On(kMouseClick, [click](const std::vector<VARIANT*>&) { click(); });
    if (enter) sink.On(kMouseEnter, [enter](const std::vector<VARIANT*>&) { enter(); });
  };
  const RECT rect{design.left, design.top, design.left + design.width, design.top + design.height};
  ComPtr<CControlHost> host;
  ZB_RETURN_IF_FAILED(hr = CControlHost::Create(parent, rect, button::CLSID_ZephonButton, bag.Get(), options, host));
  m_host = common::HostedControl(std::move(host));
  // The container names the control's window, so the window can be found among its siblings.
  if (HWND window = m_host->ControlWindow()) {
    SetWindowLongPtrW(window, GWLP_ID, static_cast<LONG_PTR>(design.id));
  }
  return S_OK;
}

HRESULT CPanelButton::SetAutoHandCursor(bool on) {
  if (!m_host) return E_UNEXPECTED;
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BOOL;
  value.boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
  return m_host->PutProperty(L"AutoHandCursor", value);
}

HWND CPanelButton::Window() const { return m_host ? m_host->ControlWindow() : nullptr; }

void CPanelButton::Close() { m_host.Reset(); }

}  // namespace catalogue
