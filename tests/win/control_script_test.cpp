// The control as scripts and pages meet it: created by a script host with CreateObject (no site, no
// initialisation call) and driven through IDispatch alone, by the platform's own cscript; and in the
// hands of a page, whose host asked IObjectSafety for safety for untrusted callers and data.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include <objsafe.h>

#include "button/control/ZephonButtonCtrlProps.h"
#include "button/imaging/UntrustedRules.h"
#include "tests/support/ChildProcess_win.h"
#include "tests/support/LoopbackHttpServer_win.h"
#include "tests/support/TestPaths.h"
#include "tests/support/WineHost_win.h"
#include "tests/win/control_pictures_files.h"
#include "tests/win/control_props_support.h"

using namespace tests;

namespace {

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }
std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

// The script host of this process's own bitness (a 32-bit process is shown the 32-bit one).
std::wstring ScriptHost() {
  wchar_t dir[MAX_PATH] = {};
  GetSystemDirectoryW(dir, MAX_PATH);
  return std::wstring(dir) + L"\\cscript.exe";
}

// Runs a VBScript through cscript; its "name=value" lines come back as a map.
std::map<std::string, std::string> RunScript(const std::string& dir, const std::string& script, std::string& all) {
  const std::string file = dir + "\\test.vbs";
  std::ofstream(file, std::ios::binary) << script;
  const tests::ChildRun run = tests::RunChild(ScriptHost(), L"//nologo \"" + Wide(file) + L"\"", 60000);
  all = run.out + run.err;
  std::map<std::string, std::string> values;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t eq = line.find('=');
    if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return values;
}

// How VBScript prints a property's default.
std::string Printed(const button::PropertyInfo& p) {
  if (p.Type == button::PropType::Bool) return p.Default ? "True" : "False";
  return std::to_string(p.Default);
}

}  // namespace

TEST(ScriptHost, CreateObjectGivesAnInitialisedControlAndScriptErrorsForBadCalls) {
  ASSERT_HRESULT_SUCCEEDED(RegisterControlModule());
  const std::string dir = tests::MakeTempDir("script");
  ASSERT_TRUE(tests::WriteBmp24(Wide(dir) + L"\\pic.bmp", 7, 5));

  std::string s =
      "Set b = CreateObject(\"ZEPHONBUTTON.ZephonButtonProCtrl.1\")\n"
      "Sub Show(name, value)\n  WScript.Echo name & \"=\" & value\nEnd Sub\n";
  // Every plain property's value straight after creation.
  for (size_t i = 0; i < button::TableSize(); ++i) {
    const button::PropertyInfo& p = button::Table()[i];
    if (p.Type == button::PropType::Font || p.Type == button::PropType::Picture ||
        p.Effect == button::Action::PrevPointer)
      continue;
    s += "Show \"" + Narrow(p.Name) + "\", b." + Narrow(p.Name) + "\n";
  }
  // Pictures are empty picture objects, fonts are there.
  s += "Sub ShowPicture(name, p)\n"
       "  If p Is Nothing Then Show name, \"Nothing\" Else Show name, \"Type \" & p.Type\n"
       "End Sub\n";
  for (const char* n : {"PictureRES", "PictureOverRES", "PictureDownRES", "PictureDisableRES"})
    s += std::string("ShowPicture \"") + n + "\", b." + n + "\n";
  s += "For i = 0 To 5\n"
       "  ShowPicture \"GetPicture\" & i, b.GetPicture(i)\n"
       "Next\n"
       "Show \"TextFont\", (b.TextFont.Name <> \"\") And (b.TextFont.Size > 0)\n"
       "Show \"ToolTipFont\", (b.ToolTipFont.Name <> \"\") And (b.ToolTipFont.Size > 0)\n";
  // Writes and methods act at once, as on a control its container initialised.
  s += "b.AlignHor = 2 : Show \"AlignHor2\", b.AlignHor\n"
       "b.EffectGlobalBlendValue = 300 : Show \"Blend300\", b.EffectGlobalBlendValue\n"
       "b.Text = \"Jugar\" : Show \"Text2\", b.Text\n"
       "b.PictureURL = \"" +
       dir +
       "\\pic.bmp\" : Show \"Url\", b.PictureURL\n"
       "b.PictureURL = \"" +
       dir +
       "\\missing.bmp\" : Show \"UrlAfterMissing\", b.PictureURL\n"
       "b.SetButtonMode 3 : b.SetCheck True\n"
       "Show \"Mode\", b.GetButtonMode() & \" \" & b.HoldingFlag & \" \" & b.GetCheck\n"
       "b.CaptureBackground 0, 0\n";
  // What a script hears of a wrong name, a wrong type and a wrong argument count.
  s += "On Error Resume Next\n"
       "b.NoSuchMember = 1 : Show \"PutUnknown\", Err.Number : Err.Clear\n"
       "x = b.NoSuchMember : Show \"GetUnknown\", Err.Number : Err.Clear\n"
       "b.NoSuchMethod 1 : Show \"CallUnknown\", Err.Number : Err.Clear\n"
       "b.AlignHor = \"abc\" : Show \"PutWrongType\", Err.Number & \" \" & b.AlignHor : Err.Clear\n"
       "b.SetCheck \"maybe\" : Show \"CallWrongType\", Err.Number : Err.Clear\n"
       "b.SetButtonMode : Show \"TooFew\", Err.Number : Err.Clear\n"
       "b.SetButtonMode 1, 2 : Show \"TooMany\", Err.Number : Err.Clear\n"
       "x = b.GetPicture() : Show \"NoArgument\", Err.Number : Err.Clear\n"
       "Show \"End\", \"done\"\n";

  std::string output;
  std::map<std::string, std::string> v = RunScript(dir, s, output);
  ASSERT_EQ(v["End"], "done") << output;

  for (size_t i = 0; i < button::TableSize(); ++i) {
    const button::PropertyInfo& p = button::Table()[i];
    const std::string name = Narrow(p.Name);
    if (p.Type == button::PropType::String) {
      EXPECT_EQ(v[name], "") << name;
    } else if (p.Type != button::PropType::Font && p.Type != button::PropType::Picture &&
               p.Effect != button::Action::PrevPointer) {
      EXPECT_EQ(v[name], Printed(p)) << name;
    }
  }
  for (const char* n : {"PictureRES", "PictureOverRES", "PictureDownRES", "PictureDisableRES"})
    EXPECT_EQ(v[n], "Type 0") << n;  // PICTYPE_NONE
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(v["GetPicture" + std::to_string(i)], "Type 0") << i;
  EXPECT_EQ(v["TextFont"], "True");
  EXPECT_EQ(v["ToolTipFont"], "True");

  EXPECT_EQ(v["AlignHor2"], "2");
  EXPECT_EQ(v["Blend300"], "255");
  EXPECT_EQ(v["Text2"], "Jugar");
  EXPECT_EQ(v["Url"], dir + "\\pic.bmp");
  // The normal picture is on show, so a picture that cannot be loaded leaves the old one in place.
  EXPECT_EQ(v["UrlAfterMissing"], dir + "\\pic.bmp");
  EXPECT_EQ(v["Mode"], "3 768 True");

  EXPECT_EQ(v["PutUnknown"], "438");  // DISP_E_UNKNOWNNAME
  EXPECT_EQ(v["GetUnknown"], "438");
  EXPECT_EQ(v["CallUnknown"], "438");
  EXPECT_EQ(v["PutWrongType"], "13 2");  // DISP_E_TYPEMISMATCH, the value unchanged
  EXPECT_EQ(v["CallWrongType"], "13");
  EXPECT_EQ(v["TooFew"], "450");  // DISP_E_BADPARAMCOUNT
  EXPECT_EQ(v["TooMany"], "450");
  EXPECT_EQ(v["NoArgument"], "450");
}

// ---- safe mode for pages -------------------------------------------------------------------------

namespace {

constexpr DISPID kPictureError = 4, kDebugError = 11, kInternetFontError = 12, kAnimationEnd = 13;
constexpr DWORD kBoth = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;

std::string ReadFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A handle that shares nothing that an opener of the file or a search of the folder would need.
class Held {
 public:
  explicit Held(const std::wstring& path, bool folder)
      : m_h(CreateFileW(path.c_str(), folder ? DELETE : GENERIC_READ,
                        folder ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : 0, nullptr, OPEN_EXISTING,
                        folder ? FILE_FLAG_BACKUP_SEMANTICS : 0, nullptr)) {}
  ~Held() { Release(); }
  bool Ok() const { return m_h != INVALID_HANDLE_VALUE; }
  void Release() {
    if (m_h != INVALID_HANDLE_VALUE) CloseHandle(m_h);
    m_h = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE m_h;
};

// (mingw's headers give IObjectSafety no __uuidof.)
common::ComPtr<IObjectSafety> SafetyOf(IUnknown* control) {
  common::ComPtr<IObjectSafety> safety;
  control->QueryInterface(IID_IObjectSafety, safety.PutVoid());
  return safety;
}

bool OpensForReading(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

}  // namespace

TEST(PageSafety, SafetyOptionsRoundTripAndTheOptionsNoInterfaceHas) {
  common::ComPtr<IDispatch> c = CreateControl();
  ASSERT_TRUE(c);
  common::ComPtr<IObjectSafety> safety = SafetyOf(c.Get());
  ASSERT_TRUE(safety);
  DWORD supported = 0, enabled = 0;
  for (const IID* iid : {&IID_IDispatch, &IID_IPersistStreamInit, &IID_IPersistStorage, &IID_IPersistPropertyBag}) {
    ASSERT_EQ(safety->GetInterfaceSafetyOptions(*iid, &supported, &enabled), S_OK);
    EXPECT_EQ(supported, kBoth);
    EXPECT_EQ(enabled, 0u);
  }
  EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IDispatch, INTERFACESAFE_FOR_UNTRUSTED_CALLER, kBoth), S_OK);
  EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IPersistPropertyBag, kBoth, INTERFACESAFE_FOR_UNTRUSTED_DATA), S_OK);
  safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled);
  EXPECT_EQ(enabled, DWORD(INTERFACESAFE_FOR_UNTRUSTED_CALLER));  // only what the mask named
  safety->GetInterfaceSafetyOptions(IID_IPersistPropertyBag, &supported, &enabled);
  EXPECT_EQ(enabled, DWORD(INTERFACESAFE_FOR_UNTRUSTED_DATA));
  // An option the control does not offer is refused and changes nothing.
  EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IDispatch, INTERFACE_USES_DISPEX, INTERFACE_USES_DISPEX), E_FAIL);
  safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled);
  EXPECT_EQ(enabled, DWORD(INTERFACESAFE_FOR_UNTRUSTED_CALLER));
  // An interface the control has but keeps no safety for, and one it does not have.
  EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IOleObject, &supported, &enabled), S_OK);
  EXPECT_EQ(supported, 0u);
  EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IOleObject, kBoth, kBoth), E_FAIL);
  EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IStream, &supported, &enabled), E_NOINTERFACE);
  EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IStream, kBoth, kBoth), E_NOINTERFACE);
  // The object is the control's own face.
  EXPECT_EQ(common::QueryAs<IUnknown>(safety.Get()).Get(), common::QueryAs<IUnknown>(c.Get()).Get());
}

// A page may name internet pictures only. Local, UNC and animation paths are refused with a text
// that names no path. That nothing is opened is shown by holding each file (no sharing) and the
// animation's folder (delete access, which the folder search cannot share): an attempt would fail
// there and report the path (DebugError "Error load image: ...") or end the animation
// (AnimationEnd), instead of the one refusal.
TEST(PageSafety, UntrustedPagesGetInternetPicturesButNoFilesOrFonts) {
  ASSERT_TRUE(tests::Running()) << "UNC paths are made through the Wine prefix";
  const std::wstring dir = Wide(tests::MakeTempDir("safety"));
  const std::wstring local = dir + L"\\pic.bmp";
  ASSERT_TRUE(tests::WriteBmp24(local, 7, 5));
  ASSERT_TRUE(CreateDirectoryW((dir + L"\\anim").c_str(), nullptr));
  ASSERT_TRUE(tests::WriteBmp24(dir + L"\\anim\\a.bmp", 3, 3));
  const std::string server = "zbsafe" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(tests::MapUncShare(server, "pics", dir));
  const std::wstring unc = L"\\\\" + Wide(server) + L"\\pics\\pic.bmp";
  tests::LoopbackHttpServer http;
  ASSERT_NE(http.port(), 0);
  http.Set("/pic.bmp", ReadFile(local));

  common::ComPtr<IDispatch> c = CreateControl();
  ASSERT_TRUE(c);
  common::ComPtr<IObjectSafety> safety = SafetyOf(c.Get());
  ASSERT_EQ(safety->SetInterfaceSafetyOptions(IID_IDispatch, kBoth, INTERFACESAFE_FOR_UNTRUSTED_CALLER), S_OK);
  auto events = EventRecorder::Attach(c.Get());
  ASSERT_TRUE(events);
  {
    Held file(local, false), folder(dir + L"\\anim", true);
    ASSERT_TRUE(file.Ok() && folder.Ok());
    ASSERT_FALSE(OpensForReading(local));
    ASSERT_FALSE(OpensForReading(unc));
    WIN32_FIND_DATAW fd;
    ASSERT_EQ(FindFirstFileW((dir + L"\\anim\\*.bmp").c_str(), &fd), INVALID_HANDLE_VALUE);

    for (const std::wstring& path : {local, unc, L"file:///" + local, std::wstring(L"pic.bmp")}) {
      SCOPED_TRACE(Narrow(path));
      events->events.clear();
      EXPECT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(path).Ptr()));
      EXPECT_EQ(GetStr(c.Get(), L"PictureURL"), L"");  // refused, not stored
      EXPECT_EQ(events->TextsOf(kPictureError), std::vector<std::wstring>{button::kPictureRefusedText});
      EXPECT_EQ(events->events.size(), 1u);
    }
    events->events.clear();
    EXPECT_HRESULT_SUCCEEDED(Call(c.Get(), L"AnimationDirectory", {Str(dir + L"\\anim\\*.bmp"), I4(10)}));
    EXPECT_EQ(events->TextsOf(kPictureError), std::vector<std::wstring>{button::kAnimationRefusedText});
    EXPECT_EQ(events->events.size(), 1u);  // no AnimationEnd: no search was made

    // No font, and not a byte fetched for it.
    events->events.clear();
    const int requests = http.requests;
    common::Variant added;
    EXPECT_HRESULT_SUCCEEDED(Call(c.Get(), L"InstallFontFromInternet", {Str(http.Url(L"/font.ttf"))}, &added));
    EXPECT_EQ(AsLong(added), 0);
    EXPECT_EQ(events->TextsOf(kInternetFontError), std::vector<std::wstring>{button::kFontRefusedText});
    EXPECT_EQ(events->events.size(), 1u);
    EXPECT_EQ(http.requests, requests);

    // Internet pictures still load.
    events->events.clear();
    const std::wstring url = http.Url(L"/pic.bmp");
    EXPECT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(url).Ptr()));
    EXPECT_EQ(GetStr(c.Get(), L"PictureURL"), url);
    EXPECT_TRUE(events->events.empty());
    EXPECT_EQ(http.requests, requests + 1);
    // One that is no picture is reported by its address, not by the local copy's path.
    http.Set("/bad.bmp", "no picture");
    const std::wstring bad = http.Url(L"/bad.bmp");
    EXPECT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(bad).Ptr()));
    EXPECT_EQ(GetStr(c.Get(), L"PictureURL"), url);
    EXPECT_EQ(events->TextsOf(kDebugError), std::vector<std::wstring>{L"Error load image: " + bad});
    EXPECT_EQ(events->TextsOf(kPictureError), std::vector<std::wstring>{bad});

    // Stored properties from a page come through the same door.
    common::ComPtr<IDispatch> loaded = CreateControl();
    ASSERT_TRUE(loaded);
    ASSERT_EQ(SafetyOf(loaded.Get())
                  ->SetInterfaceSafetyOptions(IID_IPersistPropertyBag, kBoth, INTERFACESAFE_FOR_UNTRUSTED_DATA),
              S_OK);
    auto loadEvents = EventRecorder::Attach(loaded.Get());
    common::ComPtr<OrderedBag> bag = OrderedBag::Make();
    bag->entries.emplace_back(L"PictureURL", Str(local));
    bag->entries.emplace_back(L"PictureOverURL", Str(unc));
    bag->entries.emplace_back(L"PictureDownURL", Str(url));
    bag->entries.emplace_back(L"PictureBaseURL", Str(local));
    ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistPropertyBag>(loaded.Get())->Load(bag.Get(), nullptr));
    EXPECT_EQ(GetStr(loaded.Get(), L"PictureURL"), L"");
    EXPECT_EQ(GetStr(loaded.Get(), L"PictureOverURL"), L"");
    EXPECT_EQ(GetStr(loaded.Get(), L"PictureDownURL"), url);
    EXPECT_EQ(loadEvents->TextsOf(kPictureError),
              (std::vector<std::wstring>{button::kPictureRefusedText, button::kPictureRefusedText}));
    EXPECT_TRUE(loadEvents->TextsOf(kDebugError).empty());
    common::ComPtr<OrderedBag> saved = OrderedBag::Make();
    ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IPersistPropertyBag>(loaded.Get())->Save(saved.Get(), TRUE, TRUE));
    ASSERT_TRUE(saved->Find(L"PictureBaseURL"));
    EXPECT_EQ(AsStr(*saved->Find(L"PictureBaseURL")), L"");
  }

  // Once the host lifts the safety, the same files load.
  ASSERT_EQ(safety->SetInterfaceSafetyOptions(IID_IDispatch, kBoth, 0), S_OK);
  for (const std::wstring& path : {local, unc}) {
    SCOPED_TRACE(Narrow(path));
    events->events.clear();
    EXPECT_HRESULT_SUCCEEDED(Put(c.Get(), L"PictureURL", *Str(path).Ptr()));
    EXPECT_EQ(GetStr(c.Get(), L"PictureURL"), path);
    EXPECT_TRUE(events->events.empty());
  }
  events.reset();
  c.Reset();
  EXPECT_TRUE(tests::UnmapUncShare(server, "pics"));
}
