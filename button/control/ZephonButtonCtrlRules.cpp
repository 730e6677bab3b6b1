#include "button/control/ZephonButtonCtrlRules.h"

#include <cwctype>

#include "button/control/ZephonButtonCtrlProps.h"

namespace button {

namespace {

bool EqualsNoCase(const std::wstring& text, size_t from, const wchar_t* word) {
  size_t i = 0;
  for (; word[i]; ++i)
    if (from + i >= text.size() || std::towupper(text[from + i]) != std::towupper(word[i])) return false;
  return from + i == text.size();
}

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
  for (size_t i = 0; prefix[i]; ++i)
    if (i >= text.size() || std::towupper(text[i]) != std::towupper(prefix[i])) return false;
  return true;
}

}  // namespace

ToolTipCommand ClassifyToolTipString(const std::wstring& value) {
  static const wchar_t kPrefix[] = L"script:";
  if (!StartsWithNoCase(value, kPrefix)) return ToolTipCommand::Text;
  const size_t rest = sizeof(kPrefix) / sizeof(kPrefix[0]) - 1;
  if (EqualsNoCase(value, rest, L"DEBUG")) return ToolTipCommand::Debug;
  if (EqualsNoCase(value, rest, L"NODEBUG")) return ToolTipCommand::NoDebug;
  return ToolTipCommand::Ignored;
}

bool IsInternetAddress(const std::wstring& path) { return path.size() > 4 && StartsWithNoCase(path, L"HTTP"); }

int ChooseDisplayedState(int current, const ImageKind kinds[5], bool overFocus) {
  auto has = [&](int s) { return kinds[s] == ImageKind::Picture; };
  if (!has(kNormal) && !has(kOver) && !has(kDown) && !has(kDisable)) return current;
  const int candidate = overFocus ? int(kOver) : current;
  // Fallbacks tested in order on the candidate; the last one that applies wins.
  int result = candidate;
  if (candidate == kDisable && !has(kDisable) && has(kNormal)) result = kNormal;
  if (candidate == kOver && !has(kOver) && has(kNormal)) result = kNormal;
  if (candidate == kDown && !has(kDown) && has(kNormal)) result = kNormal;
  if (candidate == kDown && !has(kDown) && has(kOver)) result = kOver;
  return kinds[result] == ImageKind::Placeholder ? int(kBlank) : result;
}

}  // namespace button
