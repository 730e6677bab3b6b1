// ZBHOST: a test container for the button control. It opens a window with the buttons a property
// file describes, logs every event on stdout, clicks buttons and saves screenshots on request.
// Usage and exit status: HostOptions.cpp (kUsage). Errors print one line on stderr.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/zbhost/ButtonBag_win.h"
#include "tools/zbhost/ButtonClass_win.h"
#include "tools/zbhost/ControlTypes_win.h"
#include "tools/zbhost/EventLog_win.h"
#include "tools/zbhost/HostFile.h"
#include "tools/zbhost/HostLayout.h"
#include "tools/zbhost/HostOptions.h"
#include "tools/zbhost/HostWindow_win.h"
#include "tools/zbhost/TextConvert_win.h"
#include "common/win/Handles.h"

namespace tools {
namespace {

constexpr int kExitDone = 0;
constexpr int kExitControl = 1;
constexpr int kExitInput = 2;
constexpr DWORD kSettleMs = 50;  // lets posted input and the repaints it causes run

int Fail(int code, const std::string& message) {
  std::fprintf(stderr, "ZBHOST: %s\n", message.c_str());
  std::fflush(stderr);
  return code;
}

class OleSession {
 public:
  OleSession() : m_hr(OleInitialize(nullptr)) {}
  ~OleSession() {
    if (SUCCEEDED(m_hr)) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  HRESULT Result() const { return m_hr; }

 private:
  HRESULT m_hr;
};

std::vector<std::string> Arguments() {
  std::vector<std::string> args;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf8(argv[i]));
  LocalFree(argv);
  return args;
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring full(n, L'\0');
  const DWORD m = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  if (m == 0 || m >= n) return path;
  full.resize(m);
  return full;
}

bool ReadWholeFile(const std::wstring& path, std::string& out, std::string& error) {
  const common::FileHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) {
    error = "cannot open " + Utf8(path) + ": " + CButtonClass::HResultText(HRESULT_FROM_WIN32(GetLastError()));
    return false;
  }
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file.Get(), &size) != 0;
  if (ok && size.QuadPart > LONGLONG(kMaxFileBytes)) {
    error = Utf8(path) + ": file is larger than 1 MB";
    return false;
  }
  std::string bytes(ok ? size_t(size.QuadPart) : 0, '\0');
  DWORD read = 0;
  ok = ok && (bytes.empty() ||
              (ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size()));
  const DWORD readError = GetLastError();
  if (!ok) {
    error = "cannot read " + Utf8(path) + ": " + CButtonClass::HResultText(HRESULT_FROM_WIN32(readError));
    return false;
  }
  out = std::move(bytes);
  return true;
}

std::string FileLine(const std::string& file, const FileError& e) {
  return file + ":" + std::to_string(e.line) + ": " + e.message;
}

int Run() {
  SetConsoleOutputCP(CP_UTF8);
  HostOptions options;
  std::string error;
  if (!ParseHostOptions(Arguments(), options, error)) return Fail(kExitInput, error + " (--help shows the usage)");
  if (options.help) {
    std::printf("%s\n", kUsage);
    return kExitDone;
  }

  // The property file, checked whole before anything is shown.
  const std::wstring filePath = FullPath(Wide(options.file));
  const std::string fileName = Utf8(filePath);
  const std::string folder = fileName.substr(0, fileName.find_last_of("\\/") + 1);
  std::string text;
  if (!ReadWholeFile(filePath, text, error)) return Fail(kExitInput, error);
  HostFile file;
  WindowSettings window;
  std::vector<ButtonPlacement> placements;
  FileError fe;
  if (!ParseHostFile(text, file, fe) || !ReadWindowSettings(file.window, window, fe) ||
      !PlaceButtons(file.buttons, placements, fe))
    return Fail(kExitInput, FileLine(fileName, fe));
  for (const Action& a : options.actions) {
    bool known = false;
    for (const ButtonPlacement& p : placements) known = known || SameName(p.name, a.button);
    if (!known) return Fail(kExitInput, "no button named " + a.button + " in " + fileName);
  }

  OleSession ole;
  if (FAILED(ole.Result())) return Fail(kExitControl, "OleInitialize: " + CButtonClass::HResultText(ole.Result()));

  // One object first, to learn the control's property types and event names.
  CButtonClass buttonClass;
  CControlTypes types;
  {
    common::ComPtr<IUnknown> probe;
    if (FAILED(buttonClass.CreateObject(probe, error))) return Fail(kExitControl, error);
    const HRESULT hr = types.Read(probe.Get());
    if (FAILED(hr)) return Fail(kExitControl, "the control describes no properties: " + CButtonClass::HResultText(hr));
  }
  std::vector<CHostWindow::ButtonSetup> setups;
  for (const ButtonPlacement& p : placements) {
    CHostWindow::ButtonSetup setup{p, {}};
    if (!BuildButtonBag(p, types, folder, setup.bag, fe)) return Fail(kExitInput, FileLine(fileName, fe));
    setups.push_back(std::move(setup));
  }

  CEventLog log(types);
  CHostWindow host(buttonClass, log);
  const std::string baseName = fileName.substr(fileName.find_last_of("\\/") + 1);
  const std::wstring title = Wide(window.title.empty() ? "ZBHOST - " + baseName : window.title);
  if (!host.Create(window, title, !options.design, std::move(setups), error)) return Fail(kExitControl, error);
  host.Show(!options.screenshot.empty(), options.exitAfterMs);
  // Closing early is fine, unless a screenshot was asked for.
  const auto closed = [&] {
    return options.screenshot.empty() ? kExitDone : Fail(kExitControl, "the window closed before the screenshot");
  };
  if (!host.Pump(DWORD(options.waitMs))) return closed();
  for (const Action& a : options.actions) {
    if (!host.Act(a, error)) return Fail(kExitControl, error);
    if (!host.Pump(kSettleMs)) return closed();
  }
  if (!options.screenshot.empty()) {
    const std::wstring shot = FullPath(Wide(options.screenshot));
    if (!host.Screenshot(shot, error)) return Fail(kExitControl, "screenshot: " + error);
    CEventLog::Note("screenshot saved to " + Utf8(shot));
    return kExitDone;
  }
  host.Run();
  return kExitDone;
}

}  // namespace
}  // namespace tools

int main() { return tools::Run(); }
