#include "tests/win/control_module_testctl.h"

#include "button/framework/ClassFactory.h"

namespace tests {

const CLSID CLSID_TestCtl = {0x5A0C7E10, 0x1D2B, 0x4C3D, {0x9E, 0x8F, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}};
const IID DIID_TestCtl = {0x5A0C7E11, 0x1D2B, 0x4C3D, {0x9E, 0x8F, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}};
const IID DIID_TestCtlEvents = {0x5A0C7E12, 0x1D2B, 0x4C3D, {0x9E, 0x8F, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}};
const GUID LIBID_TestCtl = {0x5A0C7E13, 0x1D2B, 0x4C3D, {0x9E, 0x8F, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}};

namespace {

const CLSID kPages[2] = {{0x5A0C7E14, 0x1D2B, 0x4C3D, {0x9E, 0x8F, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}},
                         CLSID_CFontPropPage};

const button::ControlClassInfo kInfo = {&CLSID_TestCtl,
                                        &DIID_TestCtl,
                                        &DIID_TestCtlEvents,
                                        &LIBID_TestCtl,
                                        1,
                                        0,
                                        0x00010002,  // "_Version"
                                        OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INSIDEOUT,
                                        kDispCaption,  // DISPID_VALUE
                                        kPages,
                                        2,
                                        0,
                                        L"ZbTestCtlWindow",
                                        {2540, 1270}};

}  // namespace

CTestCtl::CTestCtl() : COleControl(kInfo) { defaultFont = button::FontDescription::FromPoints(L"Arial", 9, FW_BOLD); }

HRESULT CTestCtl::Create(IUnknown* outer, REFIID riid, void** out) {
  return button::CreateControl<CTestCtl>(outer, riid, out);
}

const button::DispTable& CTestCtl::Members() const {
  static const button::DispTable table = {
      button::DispProperty<&CTestCtl::GetNumber, &CTestCtl::SetNumber>(kDispNumber, L"Number"),
      button::DispProperty<&CTestCtl::GetColour, &CTestCtl::SetColour>(kDispColour, L"Colour"),
      button::DispProperty<&CTestCtl::GetCaption, &CTestCtl::SetCaption>(kDispCaption, L"Caption"),
      button::DispProperty<&CTestCtl::GetFlag, &CTestCtl::SetFlag>(kDispFlag, L"Flag"),
      button::DispProperty<&CTestCtl::GetFont, &CTestCtl::SetFont>(kDispFont, L"Font"),
      button::DispProperty<&CTestCtl::GetPicture, &CTestCtl::SetPicture>(kDispPicture, L"Picture"),
      button::DispProperty<&CTestCtl::GetReadOnly>(kDispReadOnly, L"ReadOnly"),
      button::DispMethod<&CTestCtl::Add>(kDispAdd, L"Add"),
      button::DispMethod<&CTestCtl::Echo>(kDispEcho, L"Echo"),
      button::DispMethod<&CTestCtl::Fire>(kDispFire, L"Fire"),
      button::DispPropertyEntry(kDispGeneric, L"Generic", VT_I4, button::kDispBindable | button::kDispRequestEdit),
      button::DispMethod<&CTestCtl::Fail>(kDispFail, L"Fail"),
  };
  return table;
}

HRESULT CTestCtl::GetProperty(const button::DispMember& m, VARIANT* result) {
  if (m.id != kDispGeneric) return DISP_E_MEMBERNOTFOUND;
  result->vt = VT_I4;
  result->lVal = generic;
  return S_OK;
}

HRESULT CTestCtl::PutProperty(const button::DispMember& m, const VARIANT& value) {
  if (m.id != kDispGeneric) return DISP_E_MEMBERNOTFOUND;
  generic = value.lVal;
  SetModifiedFlag();
  return S_OK;
}

void CTestCtl::SetFont(IFontDisp* f) {
  if (SUCCEEDED(font.SetFont(f, defaultFont.Desc()))) SetModifiedFlag();
}

void CTestCtl::DoPropExchange(button::CPropExchange& px) {
  ExchangeVersion(px);
  px.Short(L"Number", number, kDefaultNumber);
  px.Color(L"Colour", colour, kDefaultColour);
  px.String(L"Caption", caption, L"caption");
  px.Bool(L"Flag", flag, kDefaultFlag);
  px.Font(L"Font", font, defaultFont.Desc());
  px.Picture(L"Picture", picture);
  ExchangeStockProps(px);
  // Loading a negative number is reported as an event, like a control reporting a bad picture.
  if (px.IsLoading() && number < 0) Fire(number);
}

void CTestCtl::OnDraw(HDC dc, const RECT& bounds, const RECT&) {
  ++draws;
  HBRUSH brush = CreateSolidBrush(COLORREF(colour));
  FillRect(dc, &bounds, brush);
  DeleteObject(brush);
}

TestCtlClassRegistration::TestCtlClassRegistration() {
  common::ComPtr<IClassFactory> factory;
  m_hr = button::GetClassFactory(&CTestCtl::Create, IID_IClassFactory, factory.PutVoid());
  if (SUCCEEDED(m_hr))
    m_hr = CoRegisterClassObject(CLSID_TestCtl, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
}

TestCtlClassRegistration::~TestCtlClassRegistration() {
  if (m_cookie) CoRevokeClassObject(m_cookie);
}

}  // namespace tests
