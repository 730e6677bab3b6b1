#include <utility>

#include "button/control/AnimationDirectory.h"
#include "common/win/Handles.h"

namespace button {

namespace {

class Win32AnimationPlatform final : public AnimationPlatform {
 public:
  explicit Win32AnimationPlatform(std::function<HWND()> window) : m_window(std::move(window)) {}
  std::wstring FullPattern(const std::wstring& pattern) const override {
    // The name part keeps its wildcards; a pattern the system cannot resolve is used as given.
    const DWORD need = ::GetFullPathNameW(pattern.c_str(), 0, nullptr, nullptr);
    if (pattern.empty() || need == 0) return pattern;
    std::wstring full(need, L'\0');
    const DWORD got = ::GetFullPathNameW(pattern.c_str(), need, &full[0], nullptr);
    if (got == 0 || got >= need) return pattern;
    full.resize(got);
    return full;
  }
  bool FindFirst(const std::wstring& pattern) override {
    m_find.Reset(::FindFirstFileW(pattern.c_str(), &m_data));
    return bool(m_find);
  }
  bool FindNext() override { return m_find && ::FindNextFileW(m_find.Get(), &m_data); }
  void FindClose() override { m_find.Reset(); }
  std::wstring EntryName() const override { return m_data.cFileName; }
  bool EntryIsFolder() const override { return (m_data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

  bool HasWindow() const override { return Window() != nullptr; }
  bool SetTimer(unsigned id, unsigned periodMs) override {
    HWND w = Window();
    return w && ::SetTimer(w, id, periodMs, nullptr) != 0;
  }
  void KillTimer(unsigned id) override {
    if (HWND w = Window()) ::KillTimer(w, id);
  }

 private:
  HWND Window() const {
    HWND w = m_window ? m_window() : nullptr;
    return w && ::IsWindow(w) ? w : nullptr;
  }

  std::function<HWND()> m_window;
  common::FindHandle m_find;
  WIN32_FIND_DATAW m_data{};
};

}  // namespace

std::unique_ptr<AnimationPlatform> MakeWin32AnimationPlatform(std::function<HWND()> window) {
  return std::make_unique<Win32AnimationPlatform>(std::move(window));
}

}  // namespace button
