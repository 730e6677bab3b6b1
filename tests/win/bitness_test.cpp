// The 32-bit and the 64-bit control module side by side in one prefix: each registered in the
// registry view of its own bitness, each served by the same ProgID and CLSID to hosts of its own
// bitness (the system's script hosts and our peer programs), one unregistered while the other keeps
// working; and what one bitness saves, the other loads with every property equal.
// The other build's folder comes from ZB_PEER_BIN_DIR; without its module the tests are skipped.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "button/control/ZephonButtonIds.h"
#include "button/framework/Registration.h"
#include "tests/support/ChildProcess_win.h"
#include "tests/support/TestPaths.h"
#include "tests/support/UiDriver_win.h"

namespace {

constexpr bool kIs64 = sizeof(void*) == 8;

std::wstring FullPath(const std::string& path) {
  const std::wstring wide(path.begin(), path.end());
  wchar_t full[MAX_PATH * 2] = {};
  GetFullPathNameW(wide.c_str(), DWORD(std::size(full)), full, nullptr);
  return full;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// One bitness: its module, its peer program and the system's programs of that bitness. From a
// 64-bit process the 32-bit programs live in syswow64; from a 32-bit one, system32 is redirected to
// syswow64 and the 64-bit programs are reached through sysnative.
struct Side {
  const char* name;
  std::wstring bin;     // build folder with a trailing backslash
  std::wstring system;  // system folder of this bitness as this process reaches it
  REGSAM view;          // its registry view
  const wchar_t* typeLibKey;
  std::wstring Module() const { return bin + L"ZEPHONBUTTONPRO.OCX"; }
  tests::ChildRun Peer(const std::wstring& args) const {
    return tests::RunChild(bin + L"control_bitness_peer.exe", args);
  }
  // The peer's answer to "which", without its line end.
  std::string Which() const {
    std::string out = Peer(L"which").out;
    return out.substr(0, out.find_first_of("\r\n"));
  }
  DWORD Regsvr(const std::wstring& args) const {
    return tests::RunChild(system + L"regsvr32.exe", L"/s " + args + L"\"" + Module() + L"\"").code;
  }
};

struct Sides {
  Side own, other;
  Side& x64() { return kIs64 ? own : other; }
  Side& x86() { return kIs64 ? other : own; }
};

Sides Find() {
  const char* peer = std::getenv("ZB_PEER_BIN_DIR");
  Sides s{{kIs64 ? "64-bit" : "32-bit", tests::OwnFolder() + L"\\", L"C:\\windows\\system32\\",
           kIs64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY, kIs64 ? L"win64" : L"win32"},
          {kIs64 ? "32-bit" : "64-bit", peer ? FullPath(peer) + L"\\" : L"",
           kIs64 ? L"C:\\windows\\syswow64\\" : L"C:\\windows\\sysnative\\", kIs64 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY,
           kIs64 ? L"win32" : L"win64"}};
  return s;
}

std::wstring ReadDefault(const std::wstring& key, REGSAM view) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ | view, &h) != ERROR_SUCCESS) return L"<missing>";
  wchar_t value[1024] = {};
  DWORD size = sizeof(value);
  const LONG rc = RegGetValueW(h, nullptr, nullptr, RRF_RT_REG_SZ, nullptr, value, &size);
  RegCloseKey(h);
  return rc == ERROR_SUCCESS ? std::wstring(value) : L"<no value>";
}

const std::wstring kClsidKey = L"CLSID\\" + button::GuidString(button::CLSID_ZephonButton) + L"\\InprocServer32";
const std::wstring kLibKey = L"TypeLib\\" + button::GuidString(button::LIBID_ZEPHONBUTTONLib);
const std::wstring kInterfaceKey = L"Interface\\" + button::GuidString(button::DIID__DZephonButton);
const std::wstring kLibVersionKey = kLibKey + L"\\4.32\\409\\";

std::wstring Wide(const char* s) { return std::wstring(s, s + std::strlen(s)); }

std::string Narrow(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w) s += c < 128 ? char(c) : '?';
  return s;
}

// A script host of one bitness creates the control by its ProgID and reads two properties back.
std::string ScriptRun(const Side& side, const std::wstring& script) {
  return tests::RunChild(side.system + L"cscript.exe", L"//nologo \"" + script + L"\"").out;
}

class SideBySide : public ::testing::Test {
 protected:
  void SetUp() override {
    sides = Find();
    if (sides.other.bin.empty() || !Exists(sides.other.Module()) ||
        !Exists(sides.other.bin + L"control_bitness_peer.exe"))
      GTEST_SKIP() << "no module of the other bitness (ZB_PEER_BIN_DIR)";
    folder = FullPath(tests::MakeTempDir("bitness")) + L"\\";
  }
  void TearDown() override {
    if (!sides.other.bin.empty()) {
      sides.own.Regsvr(L"/u ");
      sides.other.Regsvr(L"/u ");
    }
  }
  Sides sides;
  std::wstring folder;
};

TEST_F(SideBySide, EachModuleServesItsOwnBitnessAndOutlivesTheOthersRemoval) {
  const std::wstring script = folder + L"create.vbs";
  std::ofstream(script.c_str()) << "Set b = CreateObject(\"ZEPHONBUTTON.ZephonButtonProCtrl.1\")\r\n"
                                   "b.TextBlendValue = 77\r\n"
                                   "WScript.Echo \"TextBlendValue=\" & b.TextBlendValue & \" Text=\" & b.Text\r\n";
  const std::string created = "TextBlendValue=77 Text=";
  for (Side* s : {&sides.own, &sides.other}) ASSERT_EQ(s->Regsvr(L""), 0u) << s->name;

  // Each view names its own module; the type library holds an entry for each platform.
  for (Side* s : {&sides.own, &sides.other}) {
    SCOPED_TRACE(s->name);
    EXPECT_EQ(ReadDefault(kClsidKey, s->view), s->Module());
    EXPECT_EQ(ReadDefault(kLibVersionKey + s->typeLibKey, s->view), s->Module());
    EXPECT_EQ(s->Which(), "module " + Narrow(s->Module()));
    EXPECT_EQ(ScriptRun(*s, script).substr(0, created.size()), created);
  }

  // Unregistering one leaves the other registered and working, whichever goes first.
  for (Side* gone : {&sides.other, &sides.own}) {
    Side* kept = gone == &sides.own ? &sides.other : &sides.own;
    SCOPED_TRACE(std::string(gone->name) + " unregistered");
    ASSERT_EQ(gone->Regsvr(L""), 0u);
    ASSERT_EQ(gone->Regsvr(L"/u "), 0u);
    EXPECT_EQ(ReadDefault(kClsidKey, gone->view), L"<missing>");
    EXPECT_EQ(ReadDefault(kClsidKey, kept->view), kept->Module());
    EXPECT_EQ(ReadDefault(kLibVersionKey + gone->typeLibKey, gone->view), L"<missing>");
    EXPECT_EQ(ReadDefault(kLibVersionKey + kept->typeLibKey, kept->view), kept->Module());
    // The dispatch interface's keys (for marshalling) stay for the module still registered.
    EXPECT_EQ(ReadDefault(kInterfaceKey, kept->view), L"_DZephonButton");
    EXPECT_EQ(kept->Which(), "module " + Narrow(kept->Module()));
    EXPECT_EQ(ScriptRun(*kept, script).substr(0, created.size()), created);
    EXPECT_EQ(gone->Which(), "not created");
    ASSERT_EQ(gone->Regsvr(L""), 0u);
  }

  // With both gone, nothing of the library or the ProgID is left.
  for (Side* s : {&sides.own, &sides.other}) ASSERT_EQ(s->Regsvr(L"/u "), 0u) << s->name;
  EXPECT_EQ(ReadDefault(kLibKey + L"\\4.32", KEY_WOW64_64KEY), L"<missing>");
  EXPECT_EQ(ReadDefault(kLibKey + L"\\4.32", KEY_WOW64_32KEY), L"<missing>");
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
    EXPECT_EQ(ReadDefault(std::wstring(button::kControlProgId) + L"\\CLSID", view), L"<missing>");
}

TEST_F(SideBySide, WhatOneBitnessSavesTheOtherLoadsWithEveryPropertyEqual) {
  for (auto [from, to] : {std::make_pair(&sides.own, &sides.other), std::make_pair(&sides.other, &sides.own)}) {
    const std::wstring dir = folder + Wide(from->name);
    CreateDirectoryW(dir.c_str(), nullptr);
    SCOPED_TRACE(std::string("saved by the ") + from->name + " control, loaded by the " + to->name + " one");
    const tests::ChildRun saved = from->Peer(L"save \"" + dir + L"\"");
    ASSERT_EQ(saved.code, 0u) << saved.err;
    const tests::ChildRun checked = to->Peer(L"check \"" + dir + L"\"");
    EXPECT_EQ(checked.code, 0u) << checked.out << checked.err;
    // The same control reads its own files back equally (the comparison itself works).
    EXPECT_EQ(from->Peer(L"check \"" + dir + L"\"").code, 0u);
  }
}

}  // namespace
