#include "tools/zbimage/EffectOptions.h"

#include <cstdint>
#include <functional>

#include "button/pixels/ImageDIB.h"

namespace tools {

namespace {

// Decimal with an optional sign, or 0x followed by hex digits; the whole text must be the number.
bool ParseNumber(const std::string& text, int64_t& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (text.size() - i > 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return false;
  value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : 99;
    if (digit >= base) return false;
    value = value * base + digit;
    if (value > 0xFFFFFFFFll) return false;
  }
  if (negative) value = -value;
  return true;
}

enum class Kind { Short, Colour, Bool, State };

struct Option {
  const char* name;
  Kind kind;
  std::function<void(EffectJob&, int64_t)> set;
};

const Option kOptions[] = {
    {"EffectFilter", Kind::Short,
     [](EffectJob& j, int64_t v) { j.settings.EffectFilter = button::ClampEffectFilter(int(v)); }},
    {"EffectApplyTo", Kind::Short, [](EffectJob& j, int64_t v) { j.settings.EffectApplyTo = short(v); }},
    {"BackGroundColor", Kind::Colour, [](EffectJob& j, int64_t v) { j.settings.BackGroundColor = uint32_t(v); }},
    {"MaskColor", Kind::Colour, [](EffectJob& j, int64_t v) { j.settings.MaskColor = uint32_t(v); }},
    {"EffectColorMask", Kind::Bool, [](EffectJob& j, int64_t v) { j.settings.EffectColorMask = v == 1; }},
    {"EffectColorMaskValue", Kind::Short,
     [](EffectJob& j, int64_t v) { j.settings.EffectColorMaskValue = button::ClampEffectAmount(int(v)); }},
    {"EffectGlobalBlend", Kind::Bool, [](EffectJob& j, int64_t v) { j.settings.EffectGlobalBlend = v == 1; }},
    {"EffectGlobalBlendValue", Kind::Short,
     [](EffectJob& j, int64_t v) { j.settings.EffectGlobalBlendValue = button::ClampEffectAmount(int(v)); }},
    {"FlipVertical", Kind::Bool, [](EffectJob& j, int64_t v) { j.FlipVertical = v == 1; }},
    {"FlipHorisontal", Kind::Bool, [](EffectJob& j, int64_t v) { j.FlipHorisontal = v == 1; }},
    // A negative mode means "the mode stored in HoldingFlag", which is 0 here.
    {"ButtonMode", Kind::Short, [](EffectJob& j, int64_t v) { j.state.buttonMode = button::ClampButtonMode(int(v)); }},
    {"state", Kind::State, [](EffectJob& j, int64_t v) { j.state.shown = button::ShownPicture(v); }},
    {"pressed", Kind::Bool, [](EffectJob& j, int64_t v) { j.state.pressed = v == 1; }},
    {"hover", Kind::Bool, [](EffectJob& j, int64_t v) { j.state.hover = v == 1; }},
    {"focus", Kind::Bool, [](EffectJob& j, int64_t v) { j.state.focus = v == 1; }},
};

const char* const kStates[] = {"normal", "over", "down", "disable"};

bool ParseValue(const Option& o, const std::string& text, int64_t& v, std::string& error) {
  const std::string what = std::string("--") + o.name + " " + text;
  switch (o.kind) {
    case Kind::State:
      for (int i = 0; i < 4; ++i)
        if (text == kStates[i]) return v = i, true;
      error = "bad value " + what + ": expected normal, over, down or disable";
      return false;
    case Kind::Bool:
      if (ParseNumber(text, v) && (v == 0 || v == 1)) return true;
      error = "bad value " + what + ": expected 0 or 1";
      return false;
    case Kind::Colour:
      if (ParseNumber(text, v) && v >= 0 && v <= 0xFFFFFFFFll) return true;
      error = "bad colour " + what + ": expected 0x00BBGGRR or a decimal number";
      return false;
    case Kind::Short:
      if (ParseNumber(text, v) && v >= -32768 && v <= 32767) return true;
      error = "bad number " + what + ": expected a whole number from -32768 to 32767";
      return false;
  }
  return false;
}

}  // namespace

bool ParseEffectOptions(const std::vector<std::string>& args, EffectJob& job, std::string& error) {
  for (size_t i = 0; i < args.size(); i += 2) {
    const Option* option = nullptr;
    for (const Option& o : kOptions)
      if (args[i] == std::string("--") + o.name) option = &o;
    if (!option) {
      error = "unknown option " + args[i];
      return false;
    }
    if (i + 1 >= args.size()) {
      error = "option " + args[i] + " needs a value";
      return false;
    }
    int64_t v = 0;
    if (!ParseValue(*option, args[i + 1], v, error)) return false;
    option->set(job, v);
  }
  return true;
}

bool RunEffectJob(button::CImageDIB& picture, const EffectJob& job, std::string& error) {
  button::CImageDIB work;
  if (button::EffectPassWanted(job.settings, job.state) && !work.Create(picture.Width(), picture.Height())) {
    error = "work buffer: " + work.ErrorText;
    return false;
  }
  button::MirrorPicture(picture, job.FlipVertical, job.FlipHorisontal);
  button::RunEffectPass(picture, work, job.settings, job.state);
  return true;
}

}  // namespace tools
