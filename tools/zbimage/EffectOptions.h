#pragma once
// The options of `zbimage effect`, named after the control's properties, and the run of the
// renderer's mirroring and effect pass they describe.
#include <string>
#include <vector>

#include "button/pixels/EffectPass.h"

namespace button {
class CImageDIB;
}  // namespace button

namespace tools {

using button::CImageDIB;

struct EffectJob {
  button::EffectSettings settings;  // the control's defaults unless an option says otherwise
  button::PictureState state;
  bool FlipVertical = false;
  bool FlipHorisontal = false;
};

// Parses "--Name value" pairs into job. Numbers are decimal or 0x hex; numeric properties are then
// clamped as the control's setters clamp them. On a bad option or value returns false with a
// one-line reason.
bool ParseEffectOptions(const std::vector<std::string>& args, EffectJob& job, std::string& error);

// Mirrors picture and runs the effect pass over it, with a work buffer of its size, as the control's
// paint does. False (picture unchanged) when the work buffer cannot be created.
bool RunEffectJob(button::CImageDIB& picture, const EffectJob& job, std::string& error);

}  // namespace tools
