// The control as a container sees it: created by ProgID, every property and method reached by name
// through IDispatch, and its property set saved and loaded through a stream, a storage and a bag.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "button/control/ZephonButtonCtrlProps.h"
#include "tests/support/TestPaths.h"
#include "tests/win/control_pictures_files.h"
#include "tests/win/control_props_support.h"

using namespace tests;

namespace {

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }
std::string Narrow(const wchar_t* s) { return std::string(s, s + wcslen(s)); }

// A fresh, initialised control (no client site: the container's user mode counts as TRUE).
common::ComPtr<IDispatch> NewControl(IOleClientSite* site = nullptr) {
  common::ComPtr<IDispatch> c = CreateControl();
  if (c && FAILED(SiteAndInit(c.Get(), site))) c.Reset();
  return c;
}

// A value each numeric property accepts unchanged and that differs from its default and from the
// values of the other properties.
long DistinctValue(const button::PropertyInfo& p, int index) {
  switch (p.Rule) {
    case button::Clamp::ZeroUnless0To2: return p.Default == 2 ? 0 : 2;
    case button::Clamp::ZeroUnless0To4: return 3;
    case button::Clamp::To0To255: return 200 - index;
    default: break;
  }
  switch (p.Type) {
    case button::PropType::Bool: return p.Default ? 0 : 1;
    case button::PropType::Color: return long(0x00102030u + unsigned(index));
    case button::PropType::Long: return 100000L + index;
    default: return 20 + index;
  }
}

bool IsPlainNumber(const button::PropertyInfo& p) {
  return p.Type != button::PropType::String && p.Type != button::PropType::Font &&
         p.Type != button::PropType::Picture && p.Effect != button::Action::Stock &&
         p.Effect != button::Action::PrevPointer && p.Effect != button::Action::HoldingFlag;
}

// What a property reads back through IDispatch: a BOOL TRUE is VARIANT_TRUE (-1).
long AsRead(const button::PropertyInfo& p, long v) { return p.Type == button::PropType::Bool ? (v ? -1 : 0) : v; }

common::Variant ValueOf(const button::PropertyInfo& p, long v) {
  if (p.Type == button::PropType::Short) return I2(short(v));
  if (p.Type == button::PropType::Bool) return Bool(v != 0);
  return I4(v);
}

}  // namespace

TEST(ControlDispatch, EveryPropertyAnswersByNameWithItsDispidAndDefault) {
  auto c = NewControl();
  ASSERT_TRUE(c);
  for (size_t i = 0; i < button::TableSize(); ++i) {
    const button::PropertyInfo& p = button::Table()[i];
    SCOPED_TRACE(Narrow(p.Name));
    EXPECT_EQ(IdOf(c.Get(), p.Name), p.Dispid);
    common::Variant v;
    ASSERT_HRESULT_SUCCEEDED(Get(c.Get(), p.Name, v));
    switch (p.Type) {
      case button::PropType::String: EXPECT_EQ(AsStr(v), L""); break;
      case button::PropType::Font:
      case button::PropType::Picture: EXPECT_EQ(v.Type(), VT_DISPATCH); break;
      default:
        if (p.Effect == button::Action::PrevPointer)
          EXPECT_GT(AsLong(v), 0);
        else
          EXPECT_EQ(AsLong(v), AsRead(p, p.Default));
    }
  }
  // Both fonts start as the system's status-bar font (or Arial 10 pt bold where the system has none).
  common::Variant text, tip;
  ASSERT_HRESULT_SUCCEEDED(Get(c.Get(), L"TextFont", text));
  ASSERT_HRESULT_SUCCEEDED(Get(c.Get(), L"ToolTipFont", tip));
  auto f1 = common::QueryAs<IFont>(text.Ptr()->pdispVal), f2 = common::QueryAs<IFont>(tip.Ptr()->pdispVal);
  ASSERT_TRUE(f1 && f2);
  CY s1{}, s2{};
  f1->get_Size(&s1);
  f2->get_Size(&s2);
  EXPECT_GT(s1.int64, 0);
  EXPECT_EQ(s1.int64, s2.int64);
}

TEST(ControlDispatch, EveryNumberPropertyKeepsItsOwnValue) {
  auto c = NewControl();
  ASSERT_TRUE(c);
  std::map<int, long> written;
  for (size_t i = 0; i < button::TableSize(); ++i) {
    const button::PropertyInfo& p = button::Table()[i];
    if (!IsPlainNumber(p)) continue;
    written[int(i)] = DistinctValue(p, int(i));
    ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), p.Name, *ValueOf(p, written[int(i)]).Ptr())) << Narrow(p.Name);
  }
  for (const auto& w : written) {
    const button::PropertyInfo& p = button::Table()[w.first];
    EXPECT_EQ(GetLong(c.Get(), p.Name), AsRead(p, w.second)) << Narrow(p.Name);
  }
}

TEST(ControlDispatch, OutOfRangeValuesAreClampedOrZeroedNeverRefused) {
  auto c = NewControl();
  ASSERT_TRUE(c);
  struct Case {
    const wchar_t* name;
    long in, out;
  } cases[] = {
      {L"AlignHor", 3, 0},
      {L"AlignHor", -1, 0},
      {L"AlignVer", 7, 0},
      {L"TextAlignHor", 3, 0},
      {L"TextAlignVer", -2, 0},
      {L"Stretch", 5, 0},
      {L"Stretch", 4, 4},
      {L"EffectGlobalBlendValue", 300, 255},
      {L"EffectGlobalBlendValue", -5, 0},
      {L"EffectColorMaskValue", 999, 255},
      {L"TextBlendValue", -1, 0},
      {L"EffectFilter", -3, 0},
      {L"EffectFilter", 99, 99},
      {L"EffectApplyTo", 77, 77},
      {L"TextApplyTo", -4, -4},
      {L"TextVerticalOffset", -5000, -5000},
      {L"ToolTipShowTime", -1, -1},
  };
  for (const Case& k : cases) {
    const button::PropertyInfo* p = button::FindByName(k.name);
    ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), k.name, *ValueOf(*p, k.in).Ptr())) << Narrow(k.name);
    EXPECT_EQ(GetLong(c.Get(), k.name), k.out) << Narrow(k.name) << " <- " << k.in;
  }
  // Colours are plain values: a system-colour bit pattern is stored as given.
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"BackGroundColor", *I4(long(0x80000005u)).Ptr()));
  EXPECT_EQ(GetLong(c.Get(), L"BackGroundColor"), long(0x80000005u));
  // PrevPointer ignores what is written.
  const long handle = GetLong(c.Get(), L"PrevPointer");
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PrevPointer", *I4(12345).Ptr()));
  EXPECT_EQ(GetLong(c.Get(), L"PrevPointer"), handle);
  auto other = NewControl();
  EXPECT_NE(GetLong(other.Get(), L"PrevPointer"), handle);
}

TEST(ControlDispatch, PictureBaseUrlIsAnotherWayToPictureUrl) {
  const std::wstring dir = Wide(tests::MakeTempDir("base")) + L"\\";
  ASSERT_TRUE(tests::WriteBmp24(dir + L"a.bmp", 4, 3));
  ASSERT_TRUE(tests::WriteBmp24(dir + L"b.bmp", 5, 3));
  auto c = NewControl();
  ASSERT_TRUE(c);
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(dir + L"a.bmp").Ptr()));
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureBaseURL", *Str(L"").Ptr()));
  EXPECT_EQ(GetStr(c.Get(), L"PictureURL"), dir + L"a.bmp");
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureBaseURL", *Str(dir + L"b.bmp").Ptr()));
  EXPECT_EQ(GetStr(c.Get(), L"PictureURL"), dir + L"b.bmp");
  EXPECT_EQ(GetStr(c.Get(), L"PictureBaseURL"), dir + L"b.bmp");
  // The control's value is PictureURL.
  common::Variant v;
  DISPPARAMS none{};
  ASSERT_HRESULT_SUCCEEDED(
      c->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, v.Ptr(), nullptr, nullptr));
  EXPECT_EQ(AsStr(v), dir + L"b.bmp");
}

TEST(ControlDispatch, ScriptCommandsInToolTipStringLeaveTextAndModifiedFlagAlone) {
  auto c = NewControl();
  ASSERT_TRUE(c);
  auto persist = common::QueryAs<IPersistStreamInit>(c.Get());
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"ToolTipString", *Str(L"Hello").Ptr()));
  common::ComPtr<IStream> stream;
  ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()));
  ASSERT_HRESULT_SUCCEEDED(persist->Save(stream.Get(), TRUE));
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  for (const wchar_t* command : {L"ScRiPt:debug", L"script:NODEBUG", L"SCRIPT:whatever", L"script:"}) {
    ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"ToolTipString", *Str(command).Ptr()));
    EXPECT_EQ(GetStr(c.Get(), L"ToolTipString"), L"Hello") << Narrow(command);
  }
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"ToolTipString", *Str(L"scripts: are text").Ptr()));
  EXPECT_EQ(GetStr(c.Get(), L"ToolTipString"), L"scripts: are text");
  EXPECT_EQ(persist->IsDirty(), S_OK);
}

TEST(ControlMethods, ButtonModeLivesInTheHighByteOfHoldingFlagAndSurvivesSaving) {
  auto c = NewControl();
  ASSERT_TRUE(c);
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"HoldingFlag", *I2(0x0005).Ptr()));
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"SetButtonMode", {I2(4)}));
  EXPECT_EQ(GetLong(c.Get(), L"HoldingFlag"), 0x0405);
  common::Variant mode;
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"GetButtonMode", {}, &mode));
  EXPECT_EQ(AsLong(mode), 4);

  common::ComPtr<IStream> stream;
  ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()));
  ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistStreamInit>(c.Get())->Save(stream.Get(), TRUE));
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  auto loaded = CreateControl();
  ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistStreamInit>(loaded.Get())->Load(stream.Get()));
  ASSERT_HRESULT_SUCCEEDED(Call(loaded.Get(), L"GetButtonMode", {}, &mode));
  EXPECT_EQ(AsLong(mode), 4);
  EXPECT_EQ(common::QueryAs<IPersistStreamInit>(loaded.Get())->IsDirty(), S_FALSE);  // loading changes nothing

  // Modes above 5 become 0; a negative mode is taken from HoldingFlag; a mode written into HoldingFlag counts.
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"SetButtonMode", {I2(9)}));
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"GetButtonMode", {}, &mode));
  EXPECT_EQ(AsLong(mode), 0);
  EXPECT_EQ(GetLong(c.Get(), L"HoldingFlag"), 0x0005);
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"HoldingFlag", *I2(0x0205).Ptr()));
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"GetButtonMode", {}, &mode));
  EXPECT_EQ(AsLong(mode), 2);
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"HoldingFlag", *I2(0x0700).Ptr()));
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"GetButtonMode", {}, &mode));
  EXPECT_EQ(AsLong(mode), 0);
}

TEST(ControlMethods, GetPictureMapsAnyNumberToOneOfTheFourPictures) {
  auto c = NewControl();
  ASSERT_TRUE(c);
  auto red = MakeBitmapPicture(10, 10, RGB(255, 0, 0)), blue = MakeBitmapPicture(20, 20, RGB(0, 0, 255));
  ASSERT_HRESULT_SUCCEEDED(PutRef(c.Get(), L"PictureRES", red.Get()));
  ASSERT_HRESULT_SUCCEEDED(PutRef(c.Get(), L"PictureDisableRES", blue.Get()));
  EXPECT_EQ(GetLong(c.Get(), L"HoldingFlag") & 0xF, 0x9);  // hold bits of normal and disable
  auto widthOf = [&](short n) {
    common::Variant v;
    if (FAILED(Call(c.Get(), L"GetPicture", {I2(n)}, &v)) || v.Type() != VT_DISPATCH) return -1L;
    auto pic = common::QueryAs<IPicture>(v.Ptr()->pdispVal);
    OLE_XSIZE_HIMETRIC w = 0;
    if (!pic || FAILED(pic->get_Width(&w))) return -1L;
    return long(MulDiv(w, 96, 2540));
  };
  EXPECT_EQ(widthOf(0), 10);
  EXPECT_EQ(widthOf(1), 10);
  EXPECT_EQ(widthOf(-300), 10);
  EXPECT_EQ(widthOf(4), 20);
  EXPECT_EQ(widthOf(9), 20);
  // Something that is not a picture is refused.
  EXPECT_EQ(PutRef(c.Get(), L"PictureOverRES", c.Get()), DISP_E_TYPEMISMATCH);
}

TEST(ControlMethods, CaptureBackgroundTurnsPlaceholdersIntoBackgroundButKeepsPictures) {
  const std::wstring dir = Wide(tests::MakeTempDir("capture")) + L"\\";
  ASSERT_TRUE(tests::WriteBmp24(dir + L"n.bmp", 6, 4));
  auto site = AmbientSite::Make(false);  // design time: hold bits copy pictures into the RES properties
  auto c = NewControl(site.Get());
  ASSERT_TRUE(c);
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(dir + L"n.bmp").Ptr()));
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"BackGroundColor", *I4(RGB(1, 2, 3)).Ptr()));
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"CaptureBackground", {I2(7), I2(9)}));
  ASSERT_HRESULT_SUCCEEDED(Put(c.Get(), L"HoldingFlag", *I2(0x0003).Ptr()));
  auto pixelsOf = [&](const wchar_t* name, SIZE& size) {
    common::Variant v;
    std::vector<uint32_t> px;
    if (FAILED(Get(c.Get(), name, v)) || v.Type() != VT_DISPATCH) return px;
    auto pic = common::QueryAs<IPicture>(v.Ptr()->pdispVal);
    OLE_HANDLE h = 0;
    if (!pic || FAILED(pic->get_Handle(&h)) || !h) return px;
    BITMAP bm{};
    GetObjectW(HBITMAP(UINT_PTR(h)), sizeof(bm), &bm);
    size = SIZE{bm.bmWidth, bm.bmHeight};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    px.resize(size_t(bm.bmWidth) * bm.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, HBITMAP(UINT_PTR(h)), 0, bm.bmHeight, px.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (uint32_t& p : px) p &= 0x00FFFFFF;
    return px;
  };
  SIZE normal{}, over{};
  const auto n = pixelsOf(L"PictureRES", normal), o = pixelsOf(L"PictureOverRES", over);
  ASSERT_EQ(normal.cx, 6);
  ASSERT_EQ(normal.cy, 4);
  EXPECT_EQ(n[0], tests::Colour(0, 0));
  EXPECT_EQ(n[6 * 3 + 5], tests::Colour(5, 3));
  ASSERT_EQ(over.cx, 33);
  ASSERT_EQ(over.cy, 28);
  for (uint32_t p : o) ASSERT_EQ(p, 0x00010203u);
}

// The platform's font objects report the face and size they actually realised, so faces here are
// installed ones and sizes are compared to the nearest point.
TEST(ControlMethods, FontsByNameAndCharSetEditTheFontObjects) {
  auto c = NewControl();
  ASSERT_TRUE(c);
  auto fontOf = [&](const wchar_t* name) {
    common::Variant v;
    Get(c.Get(), name, v);
    return common::QueryAs<IFont>(v.Type() == VT_DISPATCH ? v.Ptr()->pdispVal : nullptr);
  };
  CY before{};
  ASSERT_TRUE(fontOf(L"ToolTipFont"));
  fontOf(L"ToolTipFont")->get_Size(&before);
  ASSERT_HRESULT_SUCCEEDED(
      Call(c.Get(), L"SetTextFontByName", {Str(L"DejaVu Serif"), I4(14), Bool(true), Bool(false), Bool(true)}));
  ASSERT_HRESULT_SUCCEEDED(
      Call(c.Get(), L"SetToolTipFontByName", {Str(L""), I4(0), Bool(false), Bool(true), Bool(false)}));
  ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"SetFontsCharSet", {I2(RUSSIAN_CHARSET)}));
  auto text = fontOf(L"TextFont"), tip = fontOf(L"ToolTipFont");
  ASSERT_TRUE(text && tip);
  common::Bstr name;
  text->get_Name(name.Put());
  CY size{};
  text->get_Size(&size);
  BOOL italic = FALSE, underline = FALSE, bold = TRUE;
  text->get_Italic(&italic);
  text->get_Underline(&underline);
  text->get_Bold(&bold);
  short charset = 0;
  text->get_Charset(&charset);
  EXPECT_EQ(name.Str(), L"DejaVu Serif");
  EXPECT_NEAR(double(size.int64), 140000.0, 10000.0);
  EXPECT_TRUE(italic && underline && !bold);
  EXPECT_EQ(charset, RUSSIAN_CHARSET);
  // An empty name and size 0 keep the face and size; the weight follows Bold.
  CY tipSize{};
  tip->get_Size(&tipSize);
  short weight = 0;
  tip->get_Weight(&weight);
  tip->get_Charset(&charset);
  EXPECT_EQ(weight, 700);
  EXPECT_EQ(charset, RUSSIAN_CHARSET);
  EXPECT_NEAR(double(tipSize.int64), double(before.int64), 10000.0);
}

TEST(ControlDispatch, HostileCallsGetErrorCodesNotExceptions) {
  auto c = NewControl();
  ASSERT_TRUE(c);
  common::Variant v;
  EXPECT_EQ(Call(c.Get(), L"SetButtonMode", {}), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Put(c.Get(), L"TextFont", *I4(0).Ptr()), DISP_E_TYPEMISMATCH);
  for (short n : {short(32767), short(-32768)}) {
    EXPECT_HRESULT_SUCCEEDED(Call(c.Get(), L"SetButtonMode", {I2(n)}));
    EXPECT_HRESULT_SUCCEEDED(Call(c.Get(), L"GetPicture", {I2(n)}, &v));
    EXPECT_HRESULT_SUCCEEDED(Call(c.Get(), L"SetFontsCharSet", {I2(n)}));
  }
  for (long size : {-5L, 0x7FFFFFFFL})
    EXPECT_HRESULT_SUCCEEDED(
        Call(c.Get(), L"SetTextFontByName", {Str(L""), I4(size), Bool(true), Bool(true), Bool(true)}));
  ASSERT_HRESULT_SUCCEEDED(PutRef(c.Get(), L"TextFont", nullptr));  // back to the default description
  EXPECT_HRESULT_SUCCEEDED(Get(c.Get(), L"TextFont", v));
  EXPECT_EQ(v.Type(), VT_DISPATCH);
  EXPECT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(std::wstring(100000, L'x')).Ptr()));
  EXPECT_EQ(GetStr(c.Get(), L"PictureURL"), L"");  // an unloadable file keeps the old value
}

// ---- persistence --------------------------------------------------------------------------------

namespace {

// Gives every property of `c` a value other than its default; returns what each should read back.
struct FontFacts {
  std::wstring name;
  long long size = 0;
  BOOL bold = FALSE, italic = FALSE, underline = FALSE;
  short charset = 0;
  bool operator==(const FontFacts& o) const {
    return name == o.name && size == o.size && bold == o.bold && italic == o.italic && underline == o.underline &&
           charset == o.charset;
  }
};

FontFacts FactsOf(IDispatch* c, const wchar_t* property) {
  FontFacts f;
  common::Variant v;
  Get(c, property, v);
  auto font = common::QueryAs<IFont>(v.Type() == VT_DISPATCH ? v.Ptr()->pdispVal : nullptr);
  if (!font) return f;
  common::Bstr n;
  font->get_Name(n.Put());
  f.name = n.Str();
  CY cy{};
  font->get_Size(&cy);
  f.size = cy.int64;
  font->get_Bold(&f.bold);
  font->get_Italic(&f.italic);
  font->get_Underline(&f.underline);
  font->get_Charset(&f.charset);
  return f;
}

struct Snapshot {
  std::map<std::wstring, long> numbers;
  std::map<std::wstring, std::wstring> strings;
  FontFacts textFont, toolTipFont;
};

Snapshot SetEverything(IDispatch* c, const std::wstring& dir) {
  Snapshot s;
  for (size_t i = 0; i < button::TableSize(); ++i) {
    const button::PropertyInfo& p = button::Table()[i];
    if (!IsPlainNumber(p)) continue;
    const long v = DistinctValue(p, int(i));
    EXPECT_HRESULT_SUCCEEDED(Put(c, p.Name, *ValueOf(p, v).Ptr()));
    s.numbers[p.Name] = AsRead(p, v);
  }
  // Pictures: normal and down held as picture objects, over and disable from files.
  tests::WriteBmp24(dir + L"o.bmp", 7, 5);
  tests::WriteGif(dir + L"d.gif", 6, 2, false);
  EXPECT_HRESULT_SUCCEEDED(Put(c, L"PictureOverURL", *Str(dir + L"o.bmp").Ptr()));
  EXPECT_HRESULT_SUCCEEDED(Put(c, L"PictureDisableURL", *Str(dir + L"d.gif").Ptr()));
  EXPECT_HRESULT_SUCCEEDED(PutRef(c, L"PictureRES", MakeBitmapPicture(12, 8, RGB(10, 200, 30)).Get()));
  EXPECT_HRESULT_SUCCEEDED(PutRef(c, L"PictureDownRES", MakeBitmapPicture(3, 9, RGB(90, 0, 250)).Get()));
  EXPECT_HRESULT_SUCCEEDED(Put(c, L"ToolTipString", *Str(L"Tip with ümlaut").Ptr()));
  EXPECT_HRESULT_SUCCEEDED(Put(c, L"Text", *Str(L"Caption").Ptr()));
  EXPECT_HRESULT_SUCCEEDED(Put(c, L"Enabled", *Bool(false).Ptr()));
  EXPECT_HRESULT_SUCCEEDED(Call(c, L"SetButtonMode", {I2(5)}));
  EXPECT_HRESULT_SUCCEEDED(
      Call(c, L"SetTextFontByName", {Str(L"DejaVu Serif"), I4(13), Bool(true), Bool(false), Bool(false)}));
  EXPECT_HRESULT_SUCCEEDED(
      Call(c, L"SetToolTipFontByName", {Str(L"Liberation Mono"), I4(9), Bool(false), Bool(true), Bool(true)}));
  s.textFont = FactsOf(c, L"TextFont");
  s.toolTipFont = FactsOf(c, L"ToolTipFont");
  EXPECT_EQ(s.textFont.name, L"DejaVu Serif");
  EXPECT_TRUE(s.toolTipFont.bold && s.toolTipFont.underline);
  s.numbers[L"HoldingFlag"] = GetLong(c, L"HoldingFlag");
  s.numbers[L"Enabled"] = 0;
  for (const wchar_t* name : {L"PictureURL", L"PictureOverURL", L"PictureDownURL", L"PictureDisableURL",
                              L"PictureBaseURL", L"ToolTipString", L"Text"})
    s.strings[name] = GetStr(c, name);
  return s;
}

void ExpectSame(IDispatch* loaded, const Snapshot& s, long handleOfOriginal) {
  for (const auto& n : s.numbers) EXPECT_EQ(GetLong(loaded, n.first.c_str()), n.second) << Narrow(n.first.c_str());
  for (const auto& t : s.strings) EXPECT_EQ(GetStr(loaded, t.first.c_str()), t.second) << Narrow(t.first.c_str());
  EXPECT_EQ(s.numbers.at(L"HoldingFlag") & 0xF, 0x5);
  common::Variant mode;
  Call(loaded, L"GetButtonMode", {}, &mode);
  EXPECT_EQ(AsLong(mode), 5);
  EXPECT_NE(GetLong(loaded, L"PrevPointer"), handleOfOriginal);
  EXPECT_GT(GetLong(loaded, L"PrevPointer"), 0);
  EXPECT_TRUE(FactsOf(loaded, L"TextFont") == s.textFont);
  EXPECT_TRUE(FactsOf(loaded, L"ToolTipFont") == s.toolTipFont);
  auto picture = [&](const wchar_t* name, long w, long h) {
    common::Variant v;
    ASSERT_HRESULT_SUCCEEDED(Get(loaded, name, v));
    auto pic = common::QueryAs<IPicture>(v.Type() == VT_DISPATCH ? v.Ptr()->pdispVal : nullptr);
    ASSERT_TRUE(pic) << Narrow(name);
    SHORT type = 0;
    pic->get_Type(&type);
    ASSERT_EQ(type, PICTYPE_BITMAP) << Narrow(name);
    OLE_XSIZE_HIMETRIC cx = 0;
    OLE_YSIZE_HIMETRIC cy = 0;
    pic->get_Width(&cx);
    pic->get_Height(&cy);
    EXPECT_EQ(MulDiv(cx, 96, 2540), w) << Narrow(name);
    EXPECT_EQ(MulDiv(cy, 96, 2540), h) << Narrow(name);
  };
  picture(L"PictureRES", 12, 8);
  picture(L"PictureDownRES", 3, 9);
}

}  // namespace

TEST(ControlPersistence, StreamStorageAndBagRoundTripEveryProperty) {
  const std::wstring dir = Wide(tests::MakeTempDir("persist")) + L"\\";
  auto c = NewControl();
  ASSERT_TRUE(c);
  const Snapshot s = SetEverything(c.Get(), dir);
  const long handle = GetLong(c.Get(), L"PrevPointer");
  {
    SCOPED_TRACE("stream");
    common::ComPtr<IStream> stream;
    ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()));
    ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistStreamInit>(c.Get())->Save(stream.Get(), FALSE));
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    auto loaded = CreateControl();
    ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistStreamInit>(loaded.Get())->Load(stream.Get()));
    ExpectSame(loaded.Get(), s, handle);
  }
  {
    SCOPED_TRACE("storage");
    common::ComPtr<ILockBytes> bytes;
    common::ComPtr<IStorage> storage;
    ASSERT_HRESULT_SUCCEEDED(CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.Put()));
    ASSERT_HRESULT_SUCCEEDED(StgCreateDocfileOnILockBytes(
        bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, storage.Put()));
    auto ps = common::QueryAs<IPersistStorage>(c.Get());
    ASSERT_HRESULT_SUCCEEDED(ps->Save(storage.Get(), FALSE));
    ASSERT_HRESULT_SUCCEEDED(ps->SaveCompleted(nullptr));
    auto loaded = CreateControl();
    ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistStorage>(loaded.Get())->Load(storage.Get()));
    ExpectSame(loaded.Get(), s, handle);
  }
  {
    SCOPED_TRACE("property bag");
    auto bag = OrderedBag::Make();
    ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistPropertyBag>(c.Get())->Save(bag.Get(), FALSE, TRUE));
    auto loaded = CreateControl();
    ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistPropertyBag>(loaded.Get())->Load(bag.Get(), nullptr));
    ExpectSame(loaded.Get(), s, handle);
  }
}

TEST(ControlPersistence, BagUsesThePersistedNamesInTheirOrder) {
  auto c = NewControl();
  ASSERT_TRUE(c);
  auto bag = OrderedBag::Make();
  ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistPropertyBag>(c.Get())->Save(bag.Get(), FALSE, TRUE));
  const std::vector<std::wstring> expected = {L"_Version",
                                              L"AlignVer",
                                              L"AlignHor",
                                              L"TextAlignVer",
                                              L"TextAlignHor",
                                              L"Stretch",
                                              L"MoveOnDown",
                                              L"AutoSize",
                                              L"EffectGlobalBlend",
                                              L"EffectGlobalBlendValue",
                                              L"EffectColorMask",
                                              L"EffectColorMaskValue",
                                              L"EffectApplyTo",
                                              L"TextApplyTo",
                                              L"TextBlendValue",
                                              L"FastDraw",
                                              L"TextWordBreak",
                                              L"EffectFilter",
                                              L"BackGroundColor",
                                              L"MaskColor",
                                              L"TextColor",
                                              L"ToolTipBackColor",
                                              L"ToolTipTextColor",
                                              L"ToolTipGradientColor",
                                              L"ToolTipBorderColor",
                                              L"PictureURL",
                                              L"PictureOverURL",
                                              L"PictureDownURL",
                                              L"PictureDisableURL",
                                              L"PictureBaseURL",
                                              L"ToolTipString",
                                              L"ToolTipShowTime",
                                              L"ToolTipAnimTime",
                                              L"ToolWaitTime",
                                              L"ToolTipEffect",
                                              L"TextVerticalOffset",
                                              L"FlipHorisontal",
                                              L"FlipVertical",
                                              L"HideHelpers",
                                              L"SmartLoading",
                                              L"OverOnFocus",
                                              L"AutoHandCursor",
                                              L"ToolTipFont",
                                              L"TextFont",
                                              L"PictureRES",
                                              L"PictureOverRES",
                                              L"PictureDownRES",
                                              L"PictureDisableRES",
                                              L"HoldingFlag",
                                              L"PrevPointer",
                                              L"_ExtentX",
                                              L"_ExtentY",
                                              L"_StockProps",
                                              L"Text",
                                              L"Enabled"};
  EXPECT_EQ(bag->Names(), expected);
  const common::Variant* version = bag->Find(L"_Version");
  ASSERT_TRUE(version);
  EXPECT_EQ(AsLong(*version), 0x00040032);
  const common::Variant* wait = bag->Find(L"ToolWaitTime");
  ASSERT_TRUE(wait);
  EXPECT_EQ(AsLong(*wait), 1000);
  EXPECT_EQ(bag->Find(L"ToolTipWaitTime"), nullptr);
}

TEST(ControlPersistence, HostileBagAndStreamDataLoadWhatTheyCan) {
  {
    SCOPED_TRACE("wrongly typed and out-of-range bag values");
    auto bag = OrderedBag::Make();
    auto put = [&](const wchar_t* name, common::Variant v) { bag->Write(name, v.Ptr()); };
    put(L"AlignHor", Str(L"not a number"));
    put(L"AlignVer", I4(2));
    put(L"Stretch", I4(77));
    put(L"EffectGlobalBlendValue", I4(1000));
    put(L"EffectFilter", I2(-9));
    put(L"TextFont", Str(L"garbage"));
    put(L"PictureRES", I4(5));
    put(L"HoldingFlag", I4(0x0F0F));
    put(L"ToolTipString", Str(L"kept"));
    auto c = CreateControl();
    ASSERT_TRUE(c);
    common::QueryAs<IPersistPropertyBag>(c.Get())->Load(bag.Get(), nullptr);
    EXPECT_EQ(GetLong(c.Get(), L"AlignHor"), 1);
    EXPECT_EQ(GetLong(c.Get(), L"AlignVer"), 2);
    EXPECT_EQ(GetLong(c.Get(), L"Stretch"), 0);
    EXPECT_EQ(GetLong(c.Get(), L"EffectGlobalBlendValue"), 255);
    EXPECT_EQ(GetLong(c.Get(), L"EffectFilter"), 0);
    EXPECT_EQ(GetStr(c.Get(), L"ToolTipString"), L"kept");
    common::Variant mode, font;
    ASSERT_HRESULT_SUCCEEDED(Call(c.Get(), L"GetButtonMode", {}, &mode));
    EXPECT_EQ(AsLong(mode), 0);
    ASSERT_HRESULT_SUCCEEDED(Get(c.Get(), L"TextFont", font));
    EXPECT_EQ(font.Type(), VT_DISPATCH);
    Drawing d;
    EXPECT_TRUE(DrawControl(c.Get(), 40, 40, RGB(1, 2, 3), d));
  }
  {
    SCOPED_TRACE("every truncation of a saved stream, and noise");
    const std::wstring dir = Wide(tests::MakeTempDir("hostile")) + L"\\";
    auto c = NewControl();
    ASSERT_TRUE(c);
    SetEverything(c.Get(), dir);
    common::ComPtr<IStream> stream;
    ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()));
    ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistStreamInit>(c.Get())->Save(stream.Get(), FALSE));
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<uint8_t> bytes(size_t(stat.cbSize.QuadPart));
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG got = 0;
    stream->Read(bytes.data(), ULONG(bytes.size()), &got);
    ASSERT_EQ(got, bytes.size());
    std::vector<size_t> cuts;
    for (size_t n = 0; n < bytes.size(); n += 1 + bytes.size() / 97) cuts.push_back(n);
    for (size_t n : cuts) {
      common::ComPtr<IStream> part;
      ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, part.Put()));
      part->Write(bytes.data(), ULONG(n), nullptr);
      part->Seek(zero, STREAM_SEEK_SET, nullptr);
      auto loaded = CreateControl();
      common::QueryAs<IPersistStreamInit>(loaded.Get())->Load(part.Get());
      EXPECT_NE(GetLong(loaded.Get(), L"AlignHor"), LONG_MIN) << n;
    }
    std::vector<uint8_t> noise(4096);
    uint32_t x = 12345;
    for (uint8_t& b : noise) b = uint8_t((x = x * 1103515245u + 12345u) >> 24);
    common::ComPtr<IStream> junk;
    ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, junk.Put()));
    junk->Write(noise.data(), ULONG(noise.size()), nullptr);
    junk->Seek(zero, STREAM_SEEK_SET, nullptr);
    auto loaded = CreateControl();
    common::QueryAs<IPersistStreamInit>(loaded.Get())->Load(junk.Get());
    EXPECT_NE(GetLong(loaded.Get(), L"ToolTipShowTime"), LONG_MIN);
  }
}
