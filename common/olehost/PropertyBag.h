#pragma once
// CPropertyBag: a property bag over a name -> VARIANT map (names compared without regard to case),
// for saving and loading a control's properties, and loadable from / savable to text (BagText.h).
// Objects written into it (fonts, pictures) are kept as the bytes of their own IPersistStream, so
// every value can be written as text.
#include <windows.h>
#include <ocidl.h>

#include <map>
#include <string>
#include <vector>

#include "common/win/ComPtr.h"
#include "common/win/ComObject.h"

namespace common {

class CPropertyBag final : public CComObject<CPropertyBag, IPropertyBag> {
 public:
  static ComPtr<CPropertyBag> Create();

  // Direct access for containers and tests.
  void Set(const std::wstring& name, const VARIANT& value);
  bool Get(const std::wstring& name, Variant& out) const;
  bool Has(const std::wstring& name) const;
  void Remove(const std::wstring& name);
  void Clear() { m_values.clear(); }
  std::vector<std::wstring> Names() const;

  // Text form. SaveText fails (false, `error` says why) for a value that has no text form.
  bool SaveText(std::wstring& text, std::wstring& error) const;
  // Replaces the content only when the whole text is valid.
  bool LoadText(const std::wstring& text, std::wstring& error);

  // A missing name answers E_INVALIDARG; a value that cannot become the asked type E_FAIL.
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

 private:
  friend class CComObject<CPropertyBag, IPropertyBag>;
  CPropertyBag() = default;
  ~CPropertyBag() = default;
  struct NoCase {
    bool operator()(const std::wstring& a, const std::wstring& b) const { return _wcsicmp(a.c_str(), b.c_str()) < 0; }
  };
  std::map<std::wstring, Variant, NoCase> m_values;
};

}  // namespace common
