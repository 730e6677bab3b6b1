#pragma once
// CButtonAccessible: the button's IAccessible, what WM_GETOBJECT hands to accessibility clients for
// the control's window. Built on the platform's standard object for that window, which keeps what it
// does well (location, navigation, hit testing, parent, children, focus); the button answers role,
// name, state and default action for itself. The object lives as long as its clients hold it; the
// button's side (ButtonAccessibility.h) disconnects it when the window goes, after which every call
// answers CO_E_OBJNOTCONNECTED.
#include <windows.h>
#include <oleacc.h>

#include <string>

#include "common/win/ComPtr.h"
#include "common/win/ComObject.h"

namespace common {
template <>
struct InterfaceBase<IAccessible> {
  using type = IDispatch;
};
}  // namespace common

namespace button {

// Our own copies: mingw's import library resolves IID_IAccessible to a thunk, not the GUID.
inline constexpr IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
inline constexpr GUID kLibidAccessibility = {
    0x1ea4dbf0, 0x3c3b, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The default action runs on the window's own thread, later: accDoDefaultAction posts this message to
// the window and returns at once, so that a client is never held up by what the click sets off.
constexpr UINT kPressMessage = WM_USER + 0x41;

// What the accessible object asks of its button (only while connected).
class IButtonAccessibleSite {
 public:
  virtual HWND AccessibleWindow() = 0;
  virtual long AccessibleRole() = 0;
  // Empty: the button has no name of its own.
  virtual std::wstring AccessibleName() = 0;
  virtual long AccessibleState() = 0;

 protected:
  ~IButtonAccessibleSite() = default;
};

class CButtonAccessible final : public common::CComObject<CButtonAccessible, IAccessible> {
 public:
  // Null when the platform has no standard object for the window.
  static common::ComPtr<CButtonAccessible> Create(IButtonAccessibleSite& site);
  // From now on the site and the window are out of reach; clients in other processes are cut off.
  void Disconnect();
  bool Connected() const { return m_site != nullptr; }

  // IDispatch (through the registered Accessibility type library)
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT* argErr) override;

  // IAccessible
  STDMETHODIMP get_accParent(IDispatch** parent) override;
  STDMETHODIMP get_accChildCount(LONG* count) override;
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override;
  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
  STDMETHODIMP get_accHelpTopic(BSTR* helpFile, VARIANT child, LONG* topic) override;
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  STDMETHODIMP get_accFocus(VARIANT* child) override;
  STDMETHODIMP get_accSelection(VARIANT* children) override;
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
  STDMETHODIMP accSelect(LONG flags, VARIANT child) override;
  STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
  STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
  STDMETHODIMP accHitTest(LONG left, LONG top, VARIANT* child) override;
  STDMETHODIMP accDoDefaultAction(VARIANT child) override;
  STDMETHODIMP put_accName(VARIANT child, BSTR name) override;
  STDMETHODIMP put_accValue(VARIANT child, BSTR value) override;

 private:
  friend class common::CComObject<CButtonAccessible, IAccessible>;
  CButtonAccessible(IButtonAccessibleSite& site, common::ComPtr<IAccessible> standard);
  ~CButtonAccessible() = default;

  // The standard object while connected (a reference of the caller's own: a call that ends up
  // destroying the window disconnects us without pulling the object from under the call).
  common::ComPtr<IAccessible> Standard() const { return m_standard; }
  // Hands the call to the standard object, guarded; CO_E_OBJNOTCONNECTED once disconnected.
  template <class Call>
  HRESULT Forward(Call&& call);
  // IAccessible's interface type information (the vtable part of the dual interface).
  HRESULT InterfaceInfo(common::ComPtr<ITypeInfo>& out);

  IButtonAccessibleSite* m_site;
  common::ComPtr<IAccessible> m_standard;
  common::ComPtr<ITypeInfo> m_dispatchInfo;
  common::ComPtr<ITypeInfo> m_interfaceInfo;
};

}  // namespace button
