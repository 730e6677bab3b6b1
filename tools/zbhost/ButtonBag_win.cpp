#include "tools/zbhost/ButtonBag_win.h"

#include <olectl.h>

#include <vector>

#include "tools/zbhost/ButtonClass_win.h"
#include "tools/zbhost/HostValues.h"
#include "tools/zbhost/TextConvert_win.h"
#include "common/win/ComError.h"
#include "common/win/Handles.h"

namespace tools {

namespace {

using common::ComPtr;

// The one property the control saves under another name than its own.
struct NameAlias {
  const wchar_t* property;
  const wchar_t* persisted;
};
constexpr NameAlias kAliases[] = {{L"ToolTipWaitTime", L"ToolWaitTime"}};

constexpr DWORD kMaxPictureBytes = 64u << 20;

bool EndsWithUrl(const std::wstring& name) {
  return name.size() >= 3 && _wcsicmp(name.c_str() + name.size() - 3, L"URL") == 0;
}

bool FileExists(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

HRESULT LoadPictureFile(const std::wstring& path, ComPtr<IPictureDisp>& out) {
  common::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return HRESULT_FROM_WIN32(GetLastError());
  LARGE_INTEGER size{};
  HRESULT hr = S_OK;
  std::vector<BYTE> bytes;
  if (!GetFileSizeEx(file.Get(), &size)) {
    hr = HRESULT_FROM_WIN32(GetLastError());
  } else if (size.QuadPart <= 0 || size.QuadPart > kMaxPictureBytes) {
    hr = E_INVALIDARG;
  } else {
    bytes.resize(size_t(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) || read != bytes.size())
      hr = HRESULT_FROM_WIN32(ERROR_READ_FAULT);
  }
  file.Reset();
  ZB_RETURN_IF_FAILED(hr);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!mem) return E_OUTOFMEMORY;
  void* p = GlobalLock(mem);
  if (!p) {
    GlobalFree(mem);
    return E_OUTOFMEMORY;
  }
  memcpy(p, bytes.data(), bytes.size());
  GlobalUnlock(mem);
  ComPtr<IStream> stream;
  hr = CreateStreamOnHGlobal(mem, TRUE, stream.Put());  // the stream frees the memory
  if (FAILED(hr)) {
    GlobalFree(mem);
    return hr;
  }
  return OleLoadPicture(stream.Get(), LONG(bytes.size()), FALSE, IID_IPictureDisp, out.PutVoid());
}

HRESULT MakeFont(const FontSpec& wanted, ComPtr<IFontDisp>& out) {
  std::wstring face = Wide(wanted.face);
  FONTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.lpstrName = face.data();
  desc.cySize.int64 = wanted.sizeTenths * 1000;  // currency: points x 10000
  desc.sWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  desc.sCharset = ANSI_CHARSET;
  desc.fItalic = wanted.italic;
  desc.fUnderline = wanted.underline;
  desc.fStrikethrough = wanted.strikethrough;
  return OleCreateFontIndirect(&desc, IID_IFontDisp, out.PutVoid());
}

bool Fail(FileError& error, const Setting& s, const std::string& message) {
  error.line = s.line;
  error.message = s.name + ": " + message;
  return false;
}

// Converts one setting to the VARIANT its property takes.
bool Convert(const Setting& s, const PropertyType& type, const std::string& folder, common::Variant& out,
             FileError& error) {
  std::string why;
  VARIANT& v = *out.Put();
  switch (type.kind) {
    case PropKind::Bool: {
      bool b = false;
      if (!ParseBool(s.value, b, why)) return Fail(error, s, why);
      v.vt = VT_BOOL;
      v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
      return true;
    }
    case PropKind::Short:
    case PropKind::Long: {
      const bool isShort = type.kind == PropKind::Short;
      int64_t n = 0;
      if (!ParseInteger(s.value, isShort ? INT16_MIN : INT32_MIN, isShort ? INT16_MAX : INT32_MAX, n, why))
        return Fail(error, s, why);
      if (isShort) {
        v.vt = VT_I2;
        v.iVal = SHORT(n);
      } else {
        v.vt = VT_I4;
        v.lVal = LONG(n);
      }
      return true;
    }
    case PropKind::Color: {
      uint32_t c = 0;
      if (!ParseColor(s.value, c, why)) return Fail(error, s, why);
      v.vt = VT_I4;  // the bits of the colour; a bag reader asking for VT_UI4 is not left with an overflow
      v.lVal = LONG(c);
      return true;
    }
    case PropKind::Text: {
      std::string text;
      if (!ParseText(s.value, text, why)) return Fail(error, s, why);
      if (EndsWithUrl(type.name)) {
        text = ResolvePath(folder, text);
        if (!text.empty() && !IsInternetAddress(text) && !FileExists(Wide(text)))
          return Fail(error, s, "picture file not found: " + text);
      }
      const std::wstring wide = Wide(text);
      v.bstrVal = SysAllocStringLen(wide.data(), UINT(wide.size()));
      if (!v.bstrVal) return Fail(error, s, "out of memory");
      v.vt = VT_BSTR;
      return true;
    }
    case PropKind::Font: {
      FontSpec wanted;
      if (!ParseFont(s.value, wanted, why)) return Fail(error, s, why);
      ComPtr<IFontDisp> font;
      const HRESULT hr = MakeFont(wanted, font);
      if (FAILED(hr)) return Fail(error, s, "cannot make the font: " + CButtonClass::HResultText(hr));
      v.vt = VT_DISPATCH;
      v.pdispVal = font.Detach();
      return true;
    }
    case PropKind::Picture: {
      std::string path;
      if (!ParseText(s.value, path, why)) return Fail(error, s, why);
      if (path.empty()) return true;  // VT_EMPTY: no picture, as by default
      path = ResolvePath(folder, path);
      if (!FileExists(Wide(path))) return Fail(error, s, "picture file not found: " + path);
      ComPtr<IPictureDisp> picture;
      const HRESULT hr = LoadPictureFile(Wide(path), picture);
      if (FAILED(hr)) return Fail(error, s, "cannot load the picture " + path + ": " + CButtonClass::HResultText(hr));
      v.vt = VT_DISPATCH;
      v.pdispVal = picture.Detach();
      return true;
    }
    case PropKind::Other: break;
  }
  return Fail(error, s, "the control's type for this property cannot be written in a property file");
}

}  // namespace

bool BuildButtonBag(const ButtonPlacement& button, const CControlTypes& types, const std::string& folder,
                    ComPtr<common::CPropertyBag>& out, FileError& error) {
  ComPtr<common::CPropertyBag> bag = common::CPropertyBag::Create();
  if (!bag) {
    error.line = button.line;
    error.message = "out of memory";
    return false;
  }
  for (const Setting& s : button.properties) {
    std::wstring name = Wide(s.name);
    for (const NameAlias& a : kAliases)
      if (_wcsicmp(name.c_str(), a.persisted) == 0) name = a.property;
    const PropertyType* type = types.Property(name);
    if (!type) return Fail(error, s, "the button control has no such property");
    if (!type->settable) return Fail(error, s, "the property is read-only");
    common::Variant value;
    if (!Convert(s, *type, folder, value, error)) return false;
    std::wstring persisted = type->name;
    for (const NameAlias& a : kAliases)
      if (persisted == a.property) persisted = a.persisted;
    if (bag->Has(persisted)) return Fail(error, s, "set twice (under its other name)");
    if (value.Type() != VT_EMPTY) bag->Set(persisted, value.Ref());
  }
  out = std::move(bag);
  return true;
}

}  // namespace tools
