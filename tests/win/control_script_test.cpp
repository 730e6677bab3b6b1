// The control as scripts meet it: created by a script host with CreateObject (no site, no
// initialisation call) and driven through IDispatch alone, by the platform's own cscript.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "button/control/ZephonButtonCtrlProps.h"
#include "tests/support/ChildProcess_win.h"
#include "tests/support/TestPaths.h"
#include "tests/win/control_pictures_files.h"
#include "tests/win/control_props_support.h"

using namespace zbctltest;

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
  const zbtest::ChildRun run = zbtest::RunChild(ScriptHost(), L"//nologo \"" + Wide(file) + L"\"", 60000);
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
std::string Printed(const PropertyInfo& p) {
  if (p.Type == PropType::Bool) return p.Default ? "True" : "False";
  return std::to_string(p.Default);
}

}  // namespace

TEST(ScriptHost, CreateObjectGivesAnInitialisedControlAndScriptErrorsForBadCalls) {
  ASSERT_HRESULT_SUCCEEDED(RegisterControlModule());
  const std::string dir = zbtest::MakeTempDir("script");
  ASSERT_TRUE(zbtestpics::WriteBmp24(Wide(dir) + L"\\pic.bmp", 7, 5));

  std::string s =
      "Set b = CreateObject(\"ZEPHONBUTTON.ZephonButtonProCtrl.1\")\n"
      "Sub Show(name, value)\n  WScript.Echo name & \"=\" & value\nEnd Sub\n";
  // Every plain property's value straight after creation.
  for (size_t i = 0; i < zbprops::TableSize(); ++i) {
    const PropertyInfo& p = zbprops::Table()[i];
    if (p.Type == PropType::Font || p.Type == PropType::Picture || p.Effect == Action::PrevPointer) continue;
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
       "b.PictureURL = \"" + dir + "\\pic.bmp\" : Show \"Url\", b.PictureURL\n"
       "b.PictureURL = \"" + dir + "\\missing.bmp\" : Show \"UrlAfterMissing\", b.PictureURL\n"
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

  for (size_t i = 0; i < zbprops::TableSize(); ++i) {
    const PropertyInfo& p = zbprops::Table()[i];
    const std::string name = Narrow(p.Name);
    if (p.Type == PropType::String) {
      EXPECT_EQ(v[name], "") << name;
    } else if (p.Type != PropType::Font && p.Type != PropType::Picture && p.Effect != Action::PrevPointer) {
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
