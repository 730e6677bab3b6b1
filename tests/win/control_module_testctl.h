#pragma once
// A tiny control built on the OLE control framework, for the framework's and the container's tests.
#include <windows.h>

#include <string>

#include "button/framework/FontHolder.h"
#include "button/framework/OleControl.h"
#include "button/framework/PictureHolder.h"

namespace tests {

// {5A0C7E10-1D2B-4C3D-9E8F-0A1B2C3D4E5F} and neighbours.
extern const CLSID CLSID_TestCtl;
extern const IID DIID_TestCtl;
extern const IID DIID_TestCtlEvents;
extern const GUID LIBID_TestCtl;

constexpr DISPID kDispNumber = 1, kDispColour = 2, kDispCaption = 3, kDispFlag = 4, kDispFont = 5, kDispPicture = 6,
                 kDispReadOnly = 7, kDispAdd = 8, kDispEcho = 9, kDispFire = 10, kDispGeneric = 11, kDispFail = 12;
constexpr DISPID kEventFired = 1;
constexpr short kDefaultNumber = 5;
constexpr OLE_COLOR kDefaultColour = 0x00123456;
constexpr bool kDefaultFlag = true;

class CTestCtl : public button::COleControl {
 public:
  CTestCtl();
  static HRESULT Create(IUnknown* outer, REFIID riid, void** out);

  const button::DispTable& Members() const override;
  void DoPropExchange(button::CPropExchange& px) override;
  void OnDraw(HDC dc, const RECT& bounds, const RECT& invalid) override;
  void OnEnabledChanged() override { ++enabledChanges; }
  void OnWindowCreated() override { ++windowsCreated; }
  void OnWindowDestroying() override { ++windowsDestroyed; }
  void OnAmbientChanged(DISPID id) override {
    lastAmbient = id;
    userMode = AmbientUserMode();
  }
  HRESULT GetProperty(const button::DispMember& m, VARIANT* result) override;
  HRESULT PutProperty(const button::DispMember& m, const VARIANT& value) override;

  short GetNumber() const { return number; }
  void SetNumber(short v) {
    number = v;
    SetModifiedFlag();
  }
  OLE_COLOR GetColour() const { return colour; }
  void SetColour(OLE_COLOR v) {
    colour = v;
    SetModifiedFlag();
    InvalidateControl();
  }
  std::wstring GetCaption() const { return caption; }
  void SetCaption(const std::wstring& v) {
    caption = v;
    SetModifiedFlag();
  }
  bool GetFlag() const { return flag; }
  void SetFlag(bool v) {
    flag = v;
    SetModifiedFlag();
  }
  common::ComPtr<IFontDisp> GetFont() const { return font.Dispatch(); }
  void SetFont(IFontDisp* f);
  common::ComPtr<IPictureDisp> GetPicture() const { return picture.Dispatch(); }
  void SetPicture(IPictureDisp* p) {
    picture.SetPictureDispatch(p);
    SetModifiedFlag();
  }
  long GetReadOnly() const { return 42; }
  long Add(short a, long b) const { return a + b; }
  std::wstring Echo(const std::wstring& s) const { return s + L"!"; }
  void Fire(short v) { FireEvent(kEventFired, {button::EventArg::I2(v), button::EventArg::Str(L"fired")}); }
  button::HResult Fail() { return {E_ACCESSDENIED}; }

  FONTDESC DefaultFont() const { return defaultFont.Desc(); }

  short number = 0;
  OLE_COLOR colour = 0;
  std::wstring caption;
  bool flag = false;
  long generic = 0;
  button::FontDescription defaultFont;
  button::CFontHolder font;
  button::CPictureHolder picture;
  int enabledChanges = 0;
  int windowsCreated = 0;
  int windowsDestroyed = 0;
  int draws = 0;
  DISPID lastAmbient = 0;
  bool userMode = true;
};

// A control class object for CoCreateInstance inside the test process (registered for its lifetime).
class TestCtlClassRegistration {
 public:
  TestCtlClassRegistration();
  ~TestCtlClassRegistration();
  HRESULT result() const { return m_hr; }

 private:
  DWORD m_cookie = 0;
  HRESULT m_hr = E_FAIL;
};

}  // namespace tests
