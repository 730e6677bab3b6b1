#pragma once
// Our property page base: an OLE property page (IPropertyPage2) over a dialog template of the
// module, whose controls are bound to properties of the selected controls by name.
//  - SetObjects keeps the objects' IDispatch and reads every bound property of the first one into
//    the page's values (a failed read keeps the page's starting value).
//  - Activate creates the dialog inside the frame's window and shows the values; Deactivate takes
//    the dialog's values back and destroys it (so switching pages keeps the edits).
//  - A change notification from a bound control marks the page dirty and tells the page site.
//  - Only controls the user changed give the page their values: a control that still holds what
//    the page showed leaves the page's value alone (a stored value that no list item or radio
//    button shows stays as it is, however the control reads back).
//  - Apply takes the dialog's values (a number out of range stops it with a message and focuses
//    the box) and writes each value that differs from what was read, by property name, to every
//    selected object.
// Pages derive, describe their template, caption and bindings, and add the behaviour of their own
// controls through the hooks.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "common/win/ComObject.h"
#include "common/win/ComPtr.h"
#include "button/pages/PageBinding.h"

namespace button {

struct PageDescription {
  UINT templateId = 0;
  UINT captionId = 0;  // string resource with the tab caption
  const PageBinding* bindings = nullptr;
  size_t bindingCount = 0;
};

class CPropertyPage : public common::CComObject<CPropertyPage, IPropertyPage2> {
 public:
  // IPropertyPage
  STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
  STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
  STDMETHODIMP Deactivate() override;
  STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
  STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
  STDMETHODIMP Show(UINT cmdShow) override;
  STDMETHODIMP Move(LPCRECT rect) override;
  STDMETHODIMP IsPageDirty() override;
  STDMETHODIMP Apply() override;
  STDMETHODIMP Help(LPCOLESTR helpDir) override;
  STDMETHODIMP TranslateAccelerator(MSG* msg) override;
  // IPropertyPage2
  STDMETHODIMP EditProperty(DISPID dispid) override;

 protected:
  friend class common::CComObject<CPropertyPage, IPropertyPage2>;
  explicit CPropertyPage(const PageDescription& description);
  virtual ~CPropertyPage();

  // When the dialog is created, before it shows the values (fill lists, attach tips).
  virtual void OnInitDialog() {}
  // After the controls have been given the page's values (on activation and when new objects come).
  virtual void OnValuesShown() {}
  // A WM_COMMAND from the page's dialog, before the dirty marking of bound controls.
  virtual void OnCommand(int id, int code, HWND control) {}
  // Any other dialog message; return true when handled (the result goes to `result`).
  virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) { return false; }

  HWND Dialog() const { return m_dialog; }
  // The page's copy of a bound value, by control id (null when the id is not bound).
  PageValue* ValueOf(int id);
  // Takes the values of the controls the user changed into the page's members (only those that
  // parse when `strict` is false); with `strict`, the first bad number stops it, is reported and
  // gets the focus.
  bool TakeDialogValues(bool strict);
  // The plain 0x00BBGGRR colour that a bound colour box stands for (a system colour resolved);
  // neither the box nor the page's value changes.
  uint32_t ColorShown(int id);
  // Puts the page's values into the dialog's controls.
  void ShowValues();
  void SetDirty(bool dirty);

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
  static INT_PTR DialogMessage(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
  const PageBinding* BindingOf(int id) const;
  void ReadObjectValues();
  HRESULT WriteValue(IDispatch* object, const PageBinding& binding, const PageValue& value) const;

  PageDescription m_description;
  common::ComPtr<IPropertyPageSite> m_site;
  std::vector<common::ComPtr<IDispatch>> m_objects;
  std::vector<PageValue> m_values;  // the page's members, one per binding
  std::vector<PageValue> m_read;    // what the objects held when read (or last applied)
  // Per binding, right after the values were shown: what the control held, and the page's value.
  struct Shown {
    PageValue content;
    PageValue value;
  };
  std::vector<Shown> m_shown;
  HWND m_dialog = nullptr;
  bool m_dirty = false;
  bool m_showing = false;  // the page itself is filling the controls: their notifications are no edits
};

// Creates a page object of class T (not aggregatable) and hands out riid.
template <class T>
HRESULT CreatePage(IUnknown* outer, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  const common::ComPtr<T> page = common::ComPtr<T>::Attach(new T());
  return page->QueryInterface(riid, out);
}

}  // namespace button
