#include "button/pages/PropertyPage.h"

#include "button/framework/Module.h"
#include "button/pages/DialogControls.h"
#include "button/pages/PageColor.h"
#include "common/win/ComError.h"

namespace button {

namespace {

INT_PTR CALLBACK MeasureProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The template's size in pixels, as the dialog manager lays it out with the template's font: the
// page is created once, hidden, inside a hidden holder window and measured.
bool MeasureTemplate(UINT templateId, SIZE& size) {
  HWND holder =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!holder) return false;
  HWND page = CreateDialogParamW(button::ModuleInstance(), MAKEINTRESOURCEW(templateId), holder, MeasureProc, 0);
  bool ok = false;
  if (page) {
    RECT r{};
    ok = GetWindowRect(page, &r) != FALSE;
    size.cx = r.right - r.left;
    size.cy = r.bottom - r.top;
    DestroyWindow(page);
  }
  DestroyWindow(holder);
  return ok;
}

LPOLESTR CoTaskString(const std::wstring& s) {
  auto* out = static_cast<LPOLESTR>(CoTaskMemAlloc((s.size() + 1) * sizeof(wchar_t)));
  if (out) std::copy(s.c_str(), s.c_str() + s.size() + 1, out);
  return out;
}

bool IsEditNotification(int code) { return code == EN_CHANGE || code == BN_CLICKED || code == CBN_SELCHANGE; }

DISPID DispidOf(IDispatch* object, const wchar_t* name) {
  LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return DISPID_UNKNOWN;
  return id;
}

// A property's value as the binding holds it; false when it cannot be read or converted.
bool ReadProperty(IDispatch* object, const PageBinding& b, PageValue& out) {
  const DISPID id = DispidOf(object, b.property);
  if (id == DISPID_UNKNOWN) return false;
  DISPPARAMS none{};
  common::Variant result;
  if (FAILED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result.Put(), nullptr,
                            nullptr)))
    return false;
  VARIANT converted;
  VariantInit(&converted);
  bool ok = false;
  switch (b.kind) {
    case BindKind::Check:
      if (SUCCEEDED(VariantChangeType(&converted, result.Ptr(), 0, VT_BOOL))) {
        out.number = converted.boolVal != VARIANT_FALSE ? 1 : 0;
        ok = true;
      }
      break;
    case BindKind::EditString:
      if (SUCCEEDED(VariantChangeType(&converted, result.Ptr(), 0, VT_BSTR))) {
        out.text.assign(converted.bstrVal ? converted.bstrVal : L"", SysStringLen(converted.bstrVal));
        ok = true;
      }
      break;
    default:
      // Colours may come as unsigned 32 bits: keep their bits.
      if (result.Type() == VT_UI4) {
        out.number = long(int32_t(result.Ref().ulVal));
        ok = true;
      } else if (SUCCEEDED(VariantChangeType(&converted, result.Ptr(), 0, VT_I4))) {
        out.number = converted.lVal;
        ok = true;
      }
      break;
  }
  VariantClear(&converted);
  return ok;
}

}  // namespace

CPropertyPage::CPropertyPage(const PageDescription& description)
    : m_description(description), m_values(description.bindingCount), m_read(description.bindingCount) {
  for (size_t i = 0; i < m_description.bindingCount; ++i) m_values[i].number = m_description.bindings[i].start;
  m_read = m_values;
  button::ModuleLock();
}

CPropertyPage::~CPropertyPage() {
  if (m_dialog) DestroyWindow(m_dialog);
  button::ModuleUnlock();
}

STDMETHODIMP CPropertyPage::SetPageSite(IPropertyPageSite* site) {
  m_site = common::ComPtr<IPropertyPageSite>(site);
  return S_OK;
}

STDMETHODIMP CPropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
  return common::Guarded([&]() -> HRESULT {
    if (m_dialog) return E_UNEXPECTED;
    // WM_INITDIALOG records the window and shows the values before CreateDialogParam returns.
    HWND dialog = CreateDialogParamW(button::ModuleInstance(), MAKEINTRESOURCEW(m_description.templateId), parent,
                                     &CPropertyPage::DialogProc, LPARAM(this));
    if (!dialog) {
      const DWORD error = GetLastError();
      return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    if (rect) MoveWindow(dialog, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, FALSE);
    return S_OK;
  });
}

STDMETHODIMP CPropertyPage::Deactivate() {
  return common::Guarded([&]() -> HRESULT {
    if (!m_dialog) return S_OK;
    TakeDialogValues(false);
    HWND dialog = m_dialog;
    m_dialog = nullptr;
    m_shown.clear();
    DestroyWindow(dialog);
    return S_OK;
  });
}

STDMETHODIMP CPropertyPage::GetPageInfo(PROPPAGEINFO* info) {
  return common::Guarded([&]() -> HRESULT {
    if (!info) return E_POINTER;
    SIZE size{};
    if (!MeasureTemplate(m_description.templateId, size)) return E_FAIL;
    LPOLESTR title = CoTaskString(button::LoadModuleString(m_description.captionId));
    if (!title) return E_OUTOFMEMORY;
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = title;
    info->size = size;
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
  });
}

STDMETHODIMP CPropertyPage::SetObjects(ULONG count, IUnknown** objects) {
  return common::Guarded([&]() -> HRESULT {
    if (count && !objects) return E_POINTER;
    std::vector<common::ComPtr<IDispatch>> found;
    for (ULONG i = 0; i < count; ++i) {
      common::ComPtr<IDispatch> disp = common::QueryAs<IDispatch>(objects[i]);
      if (!disp) return E_NOINTERFACE;
      found.push_back(std::move(disp));
    }
    m_objects = std::move(found);
    if (m_objects.empty()) return S_OK;
    ReadObjectValues();
    m_dirty = false;
    if (m_dialog) ShowValues();
    return S_OK;
  });
}

STDMETHODIMP CPropertyPage::Show(UINT cmdShow) {
  if (!m_dialog) return E_UNEXPECTED;
  ShowWindow(m_dialog, int(cmdShow));
  return S_OK;
}

STDMETHODIMP CPropertyPage::Move(LPCRECT rect) {
  if (!rect) return E_POINTER;
  if (!m_dialog) return E_UNEXPECTED;
  MoveWindow(m_dialog, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
  return S_OK;
}

STDMETHODIMP CPropertyPage::IsPageDirty() { return m_dirty ? S_OK : S_FALSE; }

STDMETHODIMP CPropertyPage::Apply() {
  return common::Guarded([&]() -> HRESULT {
    if (m_dialog && !TakeDialogValues(true)) return E_FAIL;
    if (!m_dirty) return S_OK;
    HRESULT result = S_OK;
    for (size_t i = 0; i < m_description.bindingCount; ++i) {
      const PageBinding& b = m_description.bindings[i];
      // Only what the user changed is written, so the other selected controls keep their own values.
      if (!b.property || m_values[i] == m_read[i]) continue;
      bool written = true;
      for (const auto& object : m_objects) {
        const HRESULT hr = WriteValue(object.Get(), b, m_values[i]);
        if (FAILED(hr)) {
          written = false;
          if (SUCCEEDED(result)) result = hr;
        }
      }
      if (written) m_read[i] = m_values[i];
    }
    // A value that could not be written stays pending.
    m_dirty = FAILED(result);
    return result;
  });
}

STDMETHODIMP CPropertyPage::Help(LPCOLESTR) { return E_NOTIMPL; }

STDMETHODIMP CPropertyPage::TranslateAccelerator(MSG* msg) {
  if (!msg) return E_POINTER;
  if (m_dialog && IsDialogMessageW(m_dialog, msg)) return S_OK;
  return S_FALSE;
}

STDMETHODIMP CPropertyPage::EditProperty(DISPID dispid) {
  return common::Guarded([&]() -> HRESULT {
    if (m_objects.empty()) return E_UNEXPECTED;
    for (size_t i = 0; i < m_description.bindingCount; ++i) {
      const PageBinding& b = m_description.bindings[i];
      if (!b.property || DispidOf(m_objects.front().Get(), b.property) != dispid) continue;
      if (m_dialog) SetFocus(GetDlgItem(m_dialog, b.id));
      return S_OK;
    }
    return E_INVALIDARG;
  });
}

PageValue* CPropertyPage::ValueOf(int id) {
  for (size_t i = 0; i < m_description.bindingCount; ++i)
    if (m_description.bindings[i].id == id) return &m_values[i];
  return nullptr;
}

const PageBinding* CPropertyPage::BindingOf(int id) const {
  for (size_t i = 0; i < m_description.bindingCount; ++i) {
    const PageBinding& b = m_description.bindings[i];
    const int last = b.kind == BindKind::RadioIndex ? b.id + b.count - 1 : b.id;
    if (id >= b.id && id <= last) return &b;
  }
  return nullptr;
}

bool CPropertyPage::TakeDialogValues(bool strict) {
  // Before the dialog shows the values its controls hold nothing of the page's.
  if (!m_dialog || m_shown.size() != m_description.bindingCount) return true;
  CDialogControls controls(m_dialog);
  for (size_t i = 0; i < m_description.bindingCount; ++i) {
    const PageBinding& b = m_description.bindings[i];
    if (ControlContent(b, controls) == m_shown[i].content) {
      // Untouched, or changed back: the value it showed stands.
      m_values[i] = m_shown[i].value;
      continue;
    }
    ReadResult r = ReadValue(b, controls);
    if (r.error == ReadError::None) {
      m_values[i] = std::move(r.value);
      continue;
    }
    if (!strict) continue;
    MessageBoxW(m_dialog, RangeMessage(r).c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    HWND box = GetDlgItem(m_dialog, b.id);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    return false;
  }
  return true;
}

void CPropertyPage::ShowValues() {
  if (!m_dialog) return;
  CDialogControls controls(m_dialog);
  m_showing = true;
  for (size_t i = 0; i < m_description.bindingCount; ++i) ShowValue(m_description.bindings[i], m_values[i], controls);
  m_shown.resize(m_description.bindingCount);
  for (size_t i = 0; i < m_description.bindingCount; ++i)
    m_shown[i] = {ControlContent(m_description.bindings[i], controls), m_values[i]};
  OnValuesShown();
  m_showing = false;
}

uint32_t CPropertyPage::ColorShown(int id) {
  TakeDialogValues(false);
  const PageValue* v = ValueOf(id);
  return v ? RgbOfOleColor(v->number) : 0;
}

void CPropertyPage::SetDirty(bool dirty) {
  m_dirty = dirty;
  if (dirty && m_site) m_site->OnStatusChange(PROPPAGESTATUS_DIRTY);
}

void CPropertyPage::ReadObjectValues() {
  IDispatch* first = m_objects.front().Get();
  for (size_t i = 0; i < m_description.bindingCount; ++i) {
    const PageBinding& b = m_description.bindings[i];
    PageValue v;
    if (b.property && ReadProperty(first, b, v)) m_values[i] = std::move(v);
  }
  m_read = m_values;
}

HRESULT CPropertyPage::WriteValue(IDispatch* object, const PageBinding& b, const PageValue& value) const {
  const DISPID id = DispidOf(object, b.property);
  if (id == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
  common::Variant arg;
  VARIANT* v = arg.Put();
  switch (b.kind) {
    case BindKind::Check:
      v->vt = VT_BOOL;
      v->boolVal = value.number ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case BindKind::ComboIndex:
    case BindKind::RadioIndex:
    case BindKind::EditShort:
      v->vt = VT_I2;
      v->iVal = SHORT(value.number);
      break;
    case BindKind::EditLong:
    case BindKind::EditColor:
      v->vt = VT_I4;
      v->lVal = LONG(value.number);
      break;
    case BindKind::EditString:
      v->vt = VT_BSTR;
      v->bstrVal = SysAllocStringLen(value.text.data(), UINT(value.text.size()));
      if (!v->bstrVal && !value.text.empty()) return E_OUTOFMEMORY;
      break;
  }
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{v, &named, 1, 1};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

// No exception leaves the dialog's procedure: a failing handler leaves the message unhandled.
INT_PTR CALLBACK CPropertyPage::DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  INT_PTR answer = FALSE;
  common::Guarded([&] {
    answer = DialogMessage(dialog, msg, wParam, lParam);
    return S_OK;
  });
  return answer;
}

INT_PTR CPropertyPage::DialogMessage(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* page = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (msg == WM_INITDIALOG) {
    page = reinterpret_cast<CPropertyPage*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, LONG_PTR(page));
    page->m_dialog = dialog;
    page->OnInitDialog();
    page->ShowValues();
    return FALSE;  // the frame decides where the focus goes
  }
  if (!page) return FALSE;
  if (msg == WM_NCDESTROY) {
    // Destroyed with its parent, without Deactivate: forget the window.
    if (page->m_dialog == dialog) {
      page->m_dialog = nullptr;
      page->m_shown.clear();
    }
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
    return FALSE;
  }
  if (msg == WM_COMMAND) {
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    page->OnCommand(id, code, reinterpret_cast<HWND>(lParam));
    if (!page->m_showing && IsEditNotification(code) && page->BindingOf(id)) page->SetDirty(true);
    return TRUE;
  }
  INT_PTR result = 0;
  if (page->OnMessage(msg, wParam, lParam, result)) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
  }
  return FALSE;
}

}  // namespace button
