#include "common/olehost/PropertyBag.h"

#include <new>

#include "common/olehost/BagText.h"
#include "common/win/ComError.h"

namespace common {

namespace {

// VT_ARRAY|VT_UI1 holding `bytes`.
HRESULT ByteArray(const std::vector<uint8_t>& bytes, VARIANT& out) {
  SAFEARRAY* sa = SafeArrayCreateVector(VT_UI1, 0, ULONG(bytes.size()));
  if (!sa) return E_OUTOFMEMORY;
  if (!bytes.empty()) {
    void* data = nullptr;
    HRESULT hr = SafeArrayAccessData(sa, &data);
    if (FAILED(hr)) {
      SafeArrayDestroy(sa);
      return hr;
    }
    memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(sa);
  }
  VariantInit(&out);
  out.vt = VT_ARRAY | VT_UI1;
  out.parray = sa;
  return S_OK;
}

bool BytesOf(const VARIANT& v, std::vector<uint8_t>& out) {
  if (v.vt != (VT_ARRAY | VT_UI1) || !v.parray || SafeArrayGetDim(v.parray) != 1) return false;
  LONG lo = 0, hi = -1;
  if (FAILED(SafeArrayGetLBound(v.parray, 1, &lo)) || FAILED(SafeArrayGetUBound(v.parray, 1, &hi))) return false;
  out.clear();
  if (hi < lo) return true;
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(v.parray, &data))) return false;
  out.assign(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + (size_t(hi) - size_t(lo) + 1));
  SafeArrayUnaccessData(v.parray);
  return true;
}

// The bytes an object writes through its IPersistStream.
HRESULT ObjectBytes(IUnknown* unk, std::vector<uint8_t>& out) {
  ComPtr<IPersistStream> ps = QueryAs<IPersistStream>(unk);
  if (!ps) return E_NOINTERFACE;
  ComPtr<IStream> stream;
  HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.Put());
  if (SUCCEEDED(hr)) hr = ps->Save(stream.Get(), FALSE);
  ZB_RETURN_IF_FAILED(hr);
  HGLOBAL mem = nullptr;
  ZB_RETURN_IF_FAILED(hr = GetHGlobalFromStream(stream.Get(), &mem));
  ULARGE_INTEGER size{};
  LARGE_INTEGER zero{};
  ZB_RETURN_IF_FAILED(hr = stream->Seek(zero, STREAM_SEEK_CUR, &size));
  const uint8_t* p = static_cast<const uint8_t*>(GlobalLock(mem));
  if (!p && size.QuadPart) return E_OUTOFMEMORY;
  out.assign(p, p + size.QuadPart);
  GlobalUnlock(mem);
  return S_OK;
}

}  // namespace

ComPtr<CPropertyBag> CPropertyBag::Create() { return ComPtr<CPropertyBag>::Attach(new (std::nothrow) CPropertyBag()); }

void CPropertyBag::Set(const std::wstring& name, const VARIANT& value) {
  Variant v;
  VariantCopy(v.Ptr(), const_cast<VARIANT*>(&value));
  m_values[name] = std::move(v);
}

bool CPropertyBag::Get(const std::wstring& name, Variant& out) const {
  auto it = m_values.find(name);
  if (it == m_values.end()) return false;
  out = it->second;
  return true;
}

bool CPropertyBag::Has(const std::wstring& name) const { return m_values.count(name) != 0; }
void CPropertyBag::Remove(const std::wstring& name) { m_values.erase(name); }

std::vector<std::wstring> CPropertyBag::Names() const {
  std::vector<std::wstring> names;
  for (const auto& kv : m_values) names.push_back(kv.first);
  return names;
}

STDMETHODIMP CPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  if (!name || !value) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    auto it = m_values.find(name);
    VARTYPE want = value->vt;
    VariantInit(value);
    if (it == m_values.end()) return E_INVALIDARG;
    const VARIANT& have = it->second.Ref();
    if (want == VT_EMPTY || want == have.vt) return VariantCopy(value, const_cast<VARIANT*>(&have));
    HRESULT hr = VariantChangeType(value, const_cast<VARIANT*>(&have), 0, want);
    return FAILED(hr) ? E_FAIL : S_OK;
  });
}

STDMETHODIMP CPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
  if (!name || !value) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    Variant stored;
    if ((value->vt == VT_UNKNOWN || value->vt == VT_DISPATCH) && value->punkVal) {
      // Objects are kept as their persisted bytes.
      std::vector<uint8_t> bytes;
      HRESULT hr = ObjectBytes(value->punkVal, bytes);
      ZB_RETURN_IF_FAILED(hr);
      ZB_RETURN_IF_FAILED(hr = ByteArray(bytes, *stored.Put()));
    } else {
      ZB_RETURN_IF_FAILED(VariantCopyInd(stored.Put(), value));
    }
    m_values[name] = std::move(stored);
    return S_OK;
  });
}

bool CPropertyBag::SaveText(std::wstring& text, std::wstring& error) const {
  std::vector<common::Entry> entries;
  for (const auto& kv : m_values) {
    const VARIANT& v = kv.second.Ref();
    common::Entry e;
    e.name = kv.first;
    if (!common::ValidName(e.name)) {
      error = L"property name \"" + e.name + L"\" cannot be written as text";
      return false;
    }
    switch (v.vt) {
      case VT_EMPTY: e.kind = common::Kind::Empty; break;
      case VT_I2:
        e.kind = common::Kind::I2;
        e.number = v.iVal;
        break;
      case VT_I4:
        e.kind = common::Kind::I4;
        e.number = v.lVal;
        break;
      case VT_UI4:
        e.kind = common::Kind::UI4;
        e.number = v.ulVal;
        break;
      case VT_BOOL:
        e.kind = common::Kind::Bool;
        e.flag = v.boolVal != VARIANT_FALSE;
        break;
      case VT_BSTR:
        e.kind = common::Kind::String;
        if (v.bstrVal) e.text.assign(v.bstrVal, SysStringLen(v.bstrVal));
        break;
      case VT_ARRAY | VT_UI1:
        e.kind = common::Kind::Bytes;
        if (!BytesOf(v, e.bytes)) {
          error = L"property \"" + e.name + L"\" holds an unreadable byte array";
          return false;
        }
        break;
      default: error = L"property \"" + e.name + L"\" has a type without a text form"; return false;
    }
    entries.push_back(std::move(e));
  }
  text = common::Format(entries);
  return true;
}

bool CPropertyBag::LoadText(const std::wstring& text, std::wstring& error) {
  std::vector<common::Entry> entries;
  if (!common::Parse(text, entries, error)) return false;
  std::map<std::wstring, Variant, NoCase> values;
  for (const common::Entry& e : entries) {
    Variant v;
    VARIANT& r = *v.Put();
    switch (e.kind) {
      case common::Kind::Empty: break;
      case common::Kind::I2:
        r.vt = VT_I2;
        r.iVal = SHORT(e.number);
        break;
      case common::Kind::I4:
        r.vt = VT_I4;
        r.lVal = LONG(e.number);
        break;
      case common::Kind::UI4:
        r.vt = VT_UI4;
        r.ulVal = ULONG(e.number);
        break;
      case common::Kind::Bool:
        r.vt = VT_BOOL;
        r.boolVal = e.flag ? VARIANT_TRUE : VARIANT_FALSE;
        break;
      case common::Kind::String:
        r.bstrVal = SysAllocStringLen(e.text.data(), UINT(e.text.size()));
        if (!r.bstrVal) {
          error = L"out of memory";
          return false;
        }
        r.vt = VT_BSTR;
        break;
      case common::Kind::Bytes:
        if (FAILED(ByteArray(e.bytes, r))) {
          error = L"out of memory";
          return false;
        }
        break;
    }
    values[e.name] = std::move(v);
  }
  m_values = std::move(values);
  return true;
}

}  // namespace common
