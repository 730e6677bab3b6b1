#include "button/framework/PropExchangeBackends.h"

#include "common/win/ComPtr.h"
#include "button/framework/FontHolder.h"
#include "button/framework/PictureHolder.h"
#include "button/framework/StreamBytes.h"

namespace button {

namespace {

std::u16string U16(const wchar_t* s) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");
  return std::u16string(reinterpret_cast<const char16_t*>(s));
}
std::u16string U16(const std::wstring& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.data()), s.size());
}
std::wstring W(const std::u16string& s) { return std::wstring(reinterpret_cast<const wchar_t*>(s.data()), s.size()); }

// Loads a font from the bytes of its own persistence; false leaves the holder untouched.
bool FontFromBytes(CFontHolder& font, const std::vector<uint8_t>& bytes, const FONTDESC& def) {
  if (bytes.empty()) return false;
  common::ComPtr<IStream> stream;
  return SUCCEEDED(StreamFromBytes(bytes, stream)) && SUCCEEDED(font.Load(stream.Get(), def));
}

// An empty byte string stands for the empty picture.
bool PictureFromBytes(CPictureHolder& picture, const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return SUCCEEDED(picture.CreateEmpty());
  common::ComPtr<IStream> stream;
  return SUCCEEDED(StreamFromBytes(bytes, stream)) && SUCCEEDED(picture.Load(stream.Get()));
}

template <class Holder>
bool BytesOf(const Holder& holder, std::vector<uint8_t>& bytes) {
  common::ComPtr<IStream> stream;
  if (FAILED(NewMemoryStream(stream)) || FAILED(holder.Save(stream.Get()))) return false;
  return SUCCEEDED(BytesOfStream(stream.Get(), bytes));
}

bool PictureBytes(const CPictureHolder& picture, std::vector<uint8_t>& bytes) {
  if (picture.IsEmpty()) {
    bytes.clear();
    return true;
  }
  return BytesOf(picture, bytes);
}

// The bytes of a VT_ARRAY|VT_UI1 value (a one-dimensional byte array).
bool BytesOfArray(const VARIANT& v, std::vector<uint8_t>& out) {
  if (v.vt != (VT_ARRAY | VT_UI1) || !v.parray || SafeArrayGetDim(v.parray) != 1) return false;
  LONG lo = 0, hi = -1;
  if (FAILED(SafeArrayGetLBound(v.parray, 1, &lo)) || FAILED(SafeArrayGetUBound(v.parray, 1, &hi))) return false;
  if (hi < lo) {
    out.clear();
    return true;
  }
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(v.parray, &data))) return false;
  out.assign(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + (size_t(hi) - size_t(lo) + 1));
  SafeArrayUnaccessData(v.parray);
  return true;
}

// Bytes of an object's own IPersistStream.
bool BytesOfObject(IUnknown* unk, std::vector<uint8_t>& out) {
  common::ComPtr<IPersistStream> ps = common::QueryAs<IPersistStream>(unk);
  common::ComPtr<IStream> stream;
  if (!ps || FAILED(NewMemoryStream(stream)) || FAILED(ps->Save(stream.Get(), FALSE))) return false;
  return SUCCEEDED(BytesOfStream(stream.Get(), out));
}

}  // namespace

// ---- reset ------------------------------------------------------------------------------------------
bool CResetPropExchange::Short(const wchar_t*, short& value, short def) {
  value = def;
  return false;
}
bool CResetPropExchange::Long(const wchar_t*, long& value, long def) {
  value = def;
  return false;
}
bool CResetPropExchange::Bool(const wchar_t*, bool& value, bool def) {
  value = def;
  return false;
}
bool CResetPropExchange::Color(const wchar_t*, OLE_COLOR& value, OLE_COLOR def) {
  value = def;
  return false;
}
bool CResetPropExchange::String(const wchar_t*, std::wstring& value, const std::wstring& def) {
  value = def;
  return false;
}
bool CResetPropExchange::Font(const wchar_t*, CFontHolder& font, const FONTDESC& def) {
  font.Initialize(def);
  return false;
}
bool CResetPropExchange::Picture(const wchar_t*, CPictureHolder& picture) {
  picture.CreateEmpty();
  return false;
}

// ---- records ----------------------------------------------------------------------------------------
bool CRecordPropExchange::Wrote() {
  if (m_out->ok()) return true;
  CountWriteFailure();
  return false;
}

template <class T, class Raw, class Put, class Get>
bool CRecordPropExchange::Number(const wchar_t* name, T& value, T def, Put put, Get get) {
  if (m_out) {
    (m_out->*put)(U16(name), Raw(value));
    return Wrote();
  }
  Raw v{};
  if (!(m_in->*get)(U16(name), v)) {
    value = def;
    return false;
  }
  value = T(v);
  CountRead();
  return true;
}

bool CRecordPropExchange::Short(const wchar_t* name, short& value, short def) {
  return Number<short, int16_t>(name, value, def, &button::RecordWriter::Short, &button::RecordSet::GetShort);
}
bool CRecordPropExchange::Long(const wchar_t* name, long& value, long def) {
  return Number<long, int32_t>(name, value, def, &button::RecordWriter::Long, &button::RecordSet::GetLong);
}
bool CRecordPropExchange::Bool(const wchar_t* name, bool& value, bool def) {
  return Number<bool, bool>(name, value, def, &button::RecordWriter::Bool, &button::RecordSet::GetBool);
}
bool CRecordPropExchange::Color(const wchar_t* name, OLE_COLOR& value, OLE_COLOR def) {
  return Number<OLE_COLOR, uint32_t>(name, value, def, &button::RecordWriter::Color, &button::RecordSet::GetColor);
}

bool CRecordPropExchange::String(const wchar_t* name, std::wstring& value, const std::wstring& def) {
  if (m_out) {
    m_out->String(U16(name), U16(value));
    return Wrote();
  }
  std::u16string v;
  if (!m_in->GetString(U16(name), v)) {
    value = def;
    return false;
  }
  value = W(v);
  CountRead();
  return true;
}

bool CRecordPropExchange::Font(const wchar_t* name, CFontHolder& font, const FONTDESC& def) {
  if (m_out) {
    std::vector<uint8_t> bytes;
    if (!font.HasFont() || !BytesOf(font, bytes)) {
      CountWriteFailure();
      return false;
    }
    m_out->Blob(U16(name), bytes);
    return Wrote();
  }
  std::vector<uint8_t> bytes;
  if (m_in->GetBlob(U16(name), bytes) && FontFromBytes(font, bytes, def)) {
    CountRead();
    return true;
  }
  font.Initialize(def);
  return false;
}

bool CRecordPropExchange::Picture(const wchar_t* name, CPictureHolder& picture) {
  if (m_out) {
    std::vector<uint8_t> bytes;
    if (!PictureBytes(picture, bytes)) {
      CountWriteFailure();
      return false;
    }
    m_out->Blob(U16(name), bytes);
    return Wrote();
  }
  std::vector<uint8_t> bytes;
  if (m_in->GetBlob(U16(name), bytes) && PictureFromBytes(picture, bytes)) {
    CountRead();
    return true;
  }
  picture.CreateEmpty();
  return false;
}

// ---- property bag -----------------------------------------------------------------------------------
bool CBagPropExchange::Read(const wchar_t* name, VARTYPE vt, VARIANT& out) {
  VariantInit(&out);
  out.vt = vt;
  HRESULT hr = m_bag->Read(name, &out, m_log);
  if (FAILED(hr)) {
    VariantInit(&out);
    return false;
  }
  if (vt != VT_EMPTY && out.vt != vt) {
    // A bag may hand back another type than asked for; convert it ourselves.
    HRESULT cv = VariantChangeType(&out, &out, 0, vt);
    if (FAILED(cv)) {
      VariantClear(&out);
      return false;
    }
  }
  return true;
}

bool CBagPropExchange::Write(const wchar_t* name, VARIANT& value) {
  HRESULT hr = m_bag->Write(name, &value);
  if (FAILED(hr)) {
    CountWriteFailure();
    return false;
  }
  return true;
}

template <class T, class Field>
bool CBagPropExchange::Scalar(const wchar_t* name, T& value, T def, VARTYPE vt, Field field) {
  VARIANT v;
  VariantInit(&v);
  if (GetMode() == Mode::Save) {
    v.vt = vt;
    field(v) = value;
    return Write(name, v);
  }
  if (!Read(name, vt, v)) {
    value = def;
    return false;
  }
  value = T(field(v));
  CountRead();
  return true;
}

bool CBagPropExchange::Short(const wchar_t* name, short& value, short def) {
  return Scalar(name, value, def, VT_I2, [](VARIANT& v) -> SHORT& { return v.iVal; });
}
bool CBagPropExchange::Long(const wchar_t* name, long& value, long def) {
  return Scalar(name, value, def, VT_I4, [](VARIANT& v) -> LONG& { return v.lVal; });
}
bool CBagPropExchange::Bool(const wchar_t* name, bool& value, bool def) {
  VARIANT_BOOL b = value ? VARIANT_TRUE : VARIANT_FALSE;
  bool got = Scalar(name, b, VARIANT_BOOL(def ? VARIANT_TRUE : VARIANT_FALSE), VT_BOOL,
                    [](VARIANT& v) -> VARIANT_BOOL& { return v.boolVal; });
  value = b != VARIANT_FALSE;
  return got;
}

bool CBagPropExchange::Color(const wchar_t* name, OLE_COLOR& value, OLE_COLOR def) {
  VARIANT v;
  if (GetMode() == Mode::Save) {
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = LONG(value);
    return Write(name, v);
  }
  // Colours above 0x7FFFFFFF arrive as VT_UI4 or as text of either sign.
  if (Read(name, VT_I4, v)) {
    value = OLE_COLOR(ULONG(v.lVal));
  } else if (Read(name, VT_UI4, v)) {
    value = OLE_COLOR(v.ulVal);
  } else {
    value = def;
    return false;
  }
  CountRead();
  return true;
}

bool CBagPropExchange::String(const wchar_t* name, std::wstring& value, const std::wstring& def) {
  VARIANT v;
  if (GetMode() == Mode::Save) {
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(value.data(), UINT(value.size()));
    if (!v.bstrVal) {
      CountWriteFailure();
      return false;
    }
    bool ok = Write(name, v);
    VariantClear(&v);
    return ok;
  }
  if (!Read(name, VT_BSTR, v)) {
    value = def;
    return false;
  }
  value = v.bstrVal ? std::wstring(v.bstrVal, SysStringLen(v.bstrVal)) : std::wstring();
  VariantClear(&v);
  CountRead();
  return true;
}

bool CBagPropExchange::Font(const wchar_t* name, CFontHolder& font, const FONTDESC& def) {
  VARIANT v;
  if (GetMode() == Mode::Save) {
    if (!font.HasFont()) {
      CountWriteFailure();
      return false;
    }
    VariantInit(&v);
    v.vt = VT_UNKNOWN;
    v.punkVal = font.Font();  // borrowed for the call
    return Write(name, v);
  }
  bool ok = false;
  if (Read(name, VT_EMPTY, v)) {
    if ((v.vt == VT_UNKNOWN || v.vt == VT_DISPATCH) && v.punkVal) {
      common::ComPtr<IDispatch> disp = common::QueryAs<IDispatch>(v.punkVal);
      ok = disp && SUCCEEDED(font.SetFont(disp.Get(), def));
      if (!ok) {
        std::vector<uint8_t> bytes;
        ok = BytesOfObject(v.punkVal, bytes) && FontFromBytes(font, bytes, def);
      }
    } else {
      std::vector<uint8_t> bytes;
      ok = BytesOfArray(v, bytes) && FontFromBytes(font, bytes, def);
    }
    VariantClear(&v);
  }
  if (!ok) {
    font.Initialize(def);
    return false;
  }
  CountRead();
  return true;
}

bool CBagPropExchange::Picture(const wchar_t* name, CPictureHolder& picture) {
  VARIANT v;
  if (GetMode() == Mode::Save) {
    if (picture.IsEmpty()) {
      // An empty picture is saved as an empty byte array, which every bag can keep.
      SAFEARRAY* sa = SafeArrayCreateVector(VT_UI1, 0, 0);
      if (!sa) {
        CountWriteFailure();
        return false;
      }
      VariantInit(&v);
      v.vt = VT_ARRAY | VT_UI1;
      v.parray = sa;
      bool ok = Write(name, v);
      VariantClear(&v);
      return ok;
    }
    VariantInit(&v);
    v.vt = VT_UNKNOWN;
    v.punkVal = picture.Picture();  // borrowed for the call
    return Write(name, v);
  }
  bool ok = false;
  if (Read(name, VT_EMPTY, v)) {
    if ((v.vt == VT_UNKNOWN || v.vt == VT_DISPATCH) && v.punkVal) {
      common::ComPtr<IPictureDisp> disp = common::QueryAs<IPictureDisp>(v.punkVal);
      ok = disp && SUCCEEDED(picture.SetPictureDispatch(disp.Get()));
      if (!ok) {
        std::vector<uint8_t> bytes;
        ok = BytesOfObject(v.punkVal, bytes) && PictureFromBytes(picture, bytes);
      }
    } else {
      std::vector<uint8_t> bytes;
      ok = BytesOfArray(v, bytes) && PictureFromBytes(picture, bytes);
    }
    VariantClear(&v);
  }
  if (!ok) {
    picture.CreateEmpty();
    return false;
  }
  CountRead();
  return true;
}

}  // namespace button
