#pragma once
// The effect pass the renderer runs over RenderDIB after composing and mirroring a frame, the
// filter table the Effects page previews, and the value rules of the effect properties.
#include <cstdint>

namespace button {

class CImageDIB;

// The effect properties as the control holds them; the initial values are the control's defaults.
// Colours are OLE colours used as plain 0x00BBGGRR values.
struct EffectSettings {
  short EffectFilter = 0;
  short EffectApplyTo = 0;
  uint32_t BackGroundColor = 0x00C08E00;
  uint32_t MaskColor = 0x000000FA;
  bool EffectColorMask = false;
  short EffectColorMaskValue = 100;
  bool EffectGlobalBlend = false;
  short EffectGlobalBlendValue = 127;
};

// Which of the state pictures is on show. Blank is the control's blank image (none of the four).
enum class ShownPicture { Normal, Over, Down, Disable, Blank };

// The control's interaction state as far as the effect pass cares.
struct PictureState {
  ShownPicture shown = ShownPicture::Normal;
  bool pressed = false;
  bool hover = false;
  bool focus = false;
  short buttonMode = 0;  // 0..5, see ButtonModeHasBevel
};

constexpr int kEffectFilterCount = 24;  // filters 0 ("NONE") .. 23
constexpr int kEffectApplyToCount = 7;  // apply-to choices 0 .. 6
constexpr int kEffectCodeSunken = 180;  // bevel modes: the pressed look
constexpr int kEffectCodeRaised = 190;  // bevel modes: the resting look

// Labels and help lines as the Effects page lists them; nullptr outside the table.
const char* EffectFilterLabel(int filter);
const char* EffectFilterHelp(int filter);
const char* EffectApplyToLabel(int applyTo);

// Value rules of the control's setters: the two amounts are held to 0..255, a negative filter
// becomes 0 (large ones are kept and select no filter), a button mode outside 0..5 becomes 0.
short ClampEffectAmount(int value);
short ClampEffectFilter(int value);
short ClampButtonMode(int value);
// Applies the rules above to every field of the settings.
void ClampEffectSettings(EffectSettings& settings);

// Button modes 2 and 5 draw the automatic bevel.
bool ButtonModeHasBevel(short buttonMode);
// The apply-to rule shared by EffectApplyTo and TextApplyTo: does the value admit this state?
bool ApplyToAdmits(int applyTo, const PictureState& state);
// 180 (sunken) or 190 (raised) in the bevel modes, else the filter number.
int EffectCode(const EffectSettings& settings, const PictureState& state);
// True when the pass has work to do (so the renderer needs a work buffer for it).
bool EffectPassWanted(const EffectSettings& settings, const PictureState& state);

// Mirrors the composed picture; the renderer calls this before the pass.
void MirrorPicture(CImageDIB& render, bool flipVertical, bool flipHorisontal);

// Applies one filter of the table to render. work must be render's size and hold the Back colour;
// it holds the Back colour again afterwards. Filters outside 1..23 do nothing.
void ApplyEffectFilter(CImageDIB& render, CImageDIB& work, const EffectSettings& settings);

// The whole pass: filter (if EffectApplyTo admits the state), bevel, colour mask, global blend.
// work is the renderer's scratch buffer of render's size; with no pixels in it the pass does nothing.
void RunEffectPass(CImageDIB& render, CImageDIB& work, const EffectSettings& settings, const PictureState& state);

}  // namespace button
