#include "button/pixels/EffectPass.h"

#include "button/pixels/ImageDIB.h"

namespace button {

namespace {

struct FilterRow {
  const char* label;
  const char* help;
};

const char kTwoSourceHelp[] = "First source=[Picture]. Second source colour=[Back]";
const char kFloodHelp[] = "Sailled floods one of the sides of picture by the colour=[Back]";
const char kBevelHelp[] = "Does a volume on the picture like the button";

const FilterRow kFilters[kEffectFilterCount] = {
    {"NONE", "No effect."},
    {"Difference", kTwoSourceHelp},
    {"Lighten", kTwoSourceHelp},
    {"Multiply", kTwoSourceHelp},
    {"Blend 50%", kTwoSourceHelp},
    {"Add", kTwoSourceHelp},
    {"Screen", kTwoSourceHelp},
    {"Darken", kTwoSourceHelp},
    {"Desaturate", "Does picture monochrome."},
    {"Blur", "Smudges a picture."},
    {"Smooth", "Powerfully smudges a picture."},
    {"ArtGallery 1", kFloodHelp},
    {"ArtGallery 2", kFloodHelp},
    {"ArtGallery 3", kFloodHelp},
    {"ArtGallery 4", kFloodHelp},
    {"ArtGallery 5", "Color effect. (colour to change it is impossible)"},
    {"ArtGallery 6", "Color effect 2. (colour to change it is impossible)"},
    {"Thin border", "Frame by thickness in 1 pixel colour=[Back]"},
    {"Buttonize (min-down)", kBevelHelp},
    {"Buttonize (min-up)", kBevelHelp},
    {"Buttonize (max-down)", kBevelHelp},
    {"Buttonize (max-up)", kBevelHelp},
    {"Mask Transparent", "Allows to do colour=[Mask] transparent using index=[Color Mask]"},
    {"Mask Transparent 2", "(Invert) Allows to do colour=[Mask] transparent using index=[Color Mask]"},
};

const char* const kApplyTo[kEffectApplyToCount] = {"ALL IMAGES", "Normal image",  "Over image", "Normal & Over",
                                                   "Down image", "Disable image", "On Focus"};

constexpr uint32_t kGrey = 0x808080, kWhite = 0xFFFFFF, kBlack = 0;

// A COLORREF split the way the buffer's (r, g, b) operations take it.
int Red(uint32_t c) { return int(c & 255); }
int Green(uint32_t c) { return int((c >> 8) & 255); }
int Blue(uint32_t c) { return int((c >> 16) & 255); }

void FillBack(CImageDIB& work, uint32_t back) { work.Fill(Red(back), Green(back), Blue(back)); }

}  // namespace

const char* EffectFilterLabel(int filter) {
  return filter >= 0 && filter < kEffectFilterCount ? kFilters[filter].label : nullptr;
}

const char* EffectFilterHelp(int filter) {
  return filter >= 0 && filter < kEffectFilterCount ? kFilters[filter].help : nullptr;
}

const char* EffectApplyToLabel(int applyTo) {
  return applyTo >= 0 && applyTo < kEffectApplyToCount ? kApplyTo[applyTo] : nullptr;
}

short ClampEffectAmount(int value) { return short(value < 0 ? 0 : value > 255 ? 255 : value); }

short ClampEffectFilter(int value) { return short(value < 0 ? 0 : value > 32767 ? 32767 : value); }

short ClampButtonMode(int value) { return short(value < 0 || value > 5 ? 0 : value); }

void ClampEffectSettings(EffectSettings& s) {
  s.EffectFilter = ClampEffectFilter(s.EffectFilter);
  s.EffectColorMaskValue = ClampEffectAmount(s.EffectColorMaskValue);
  s.EffectGlobalBlendValue = ClampEffectAmount(s.EffectGlobalBlendValue);
}

bool ButtonModeHasBevel(short buttonMode) { return buttonMode == 2 || buttonMode == 5; }

bool ApplyToAdmits(int applyTo, const PictureState& st) {
  switch (applyTo) {
    case 0: return true;
    case 1: return st.shown == ShownPicture::Normal && !st.pressed && !st.hover;
    case 2: return st.shown == ShownPicture::Over || st.hover;
    case 3: return st.shown == ShownPicture::Normal || st.shown == ShownPicture::Over || st.hover;
    case 4: return st.shown == ShownPicture::Down || st.pressed;
    case 5: return st.shown == ShownPicture::Disable;
    case 6: return st.focus;
    default: return applyTo > 6;
  }
}

int EffectCode(const EffectSettings& s, const PictureState& st) {
  if (!ButtonModeHasBevel(st.buttonMode)) return s.EffectFilter;
  return st.shown == ShownPicture::Down || st.pressed ? kEffectCodeSunken : kEffectCodeRaised;
}

bool EffectPassWanted(const EffectSettings& s, const PictureState& st) {
  return EffectCode(s, st) > 0 || s.EffectGlobalBlend || s.EffectColorMask;
}

void MirrorPicture(CImageDIB& render, bool flipVertical, bool flipHorisontal) {
  render.Flip(flipVertical ? 1 : 0, flipHorisontal ? 1 : 0);
}

void ApplyEffectFilter(CImageDIB& render, CImageDIB& work, const EffectSettings& s) {
  const uint32_t back = s.BackGroundColor;
  const int W = render.Width(), H = render.Height();
  switch (s.EffectFilter) {
    case 1: render.Difference(work); break;
    case 2: render.Lighten(work); break;
    case 3: render.Multiply(work); break;
    case 4: render.Blend50(work); break;
    case 5: render.Add(work); break;
    case 6: render.Screen(work); break;
    case 7: render.Darken(work); break;
    case 8: render.Desaturate(1, 1, 1); break;
    case 9: render.Blur(0); break;
    case 10: render.Blur(3); break;
    case 11: render.Gradient4(0, 0, W, H, back, back, kGrey, kGrey, 255, 255, 0, 0); break;
    case 12: render.Gradient4(0, 0, W, H, kGrey, kGrey, back, back, 0, 0, 255, 255); break;
    case 13: render.Gradient4(0, 0, W, H, kGrey, back, kGrey, back, 0, 255, 0, 255); break;
    case 14: render.Gradient4(0, 0, W, H, back, kGrey, back, kGrey, 255, 0, 255, 0); break;
    case 15: render.Gradient4(0, 0, W, H, 0xFFFFFF, 0x00FF00, 0x0000FF, 0xFF0000, 128, 80, 80, 80); break;
    case 16: render.Gradient4(0, 0, W, H, 0x00FFFF, 0x0000FF, 0xFF0000, 0x00FF00, 180, 180, 180, 180); break;
    case 17:
      render.VLine(0, 0, H - 1, Red(back), Green(back), Blue(back));
      render.VLine(W - 1, 0, H - 1, Red(back), Green(back), Blue(back));
      render.HLine(0, 0, W - 1, Red(back), Green(back), Blue(back));
      render.HLine(0, H - 1, W - 1, Red(back), Green(back), Blue(back));
      break;
    case 18: render.Buttonize(5, kBlack, kWhite, 180); break;
    case 19: render.Buttonize(5, kWhite, kBlack, 180); break;
    case 20: render.Buttonize(12, kBlack, kWhite, 110); break;
    case 21: render.Buttonize(12, kWhite, kBlack, 110); break;
    case 22:
    case 23: {
      // The work buffer (Back) takes the picture, key-coloured parts at their own opacity; the
      // result goes back into render and the work buffer returns to Back for the later steps.
      const int key = s.EffectColorMaskValue;
      if (s.EffectFilter == 22)
        work.MaskTransparent(&render, 0, 0, 255, key, s.MaskColor, 32);
      else
        work.MaskTransparent(&render, 0, 0, 0, 255 - key, s.MaskColor, 32);
      render.CopyFrom(work);
      FillBack(work, back);
      break;
    }
    default: break;
  }
}

void RunEffectPass(CImageDIB& render, CImageDIB& work, const EffectSettings& s, const PictureState& st) {
  const int code = EffectCode(s, st);
  if (!work.HasPixels() || (code <= 0 && !s.EffectGlobalBlend && !s.EffectColorMask)) return;
  FillBack(work, s.BackGroundColor);
  if (ApplyToAdmits(s.EffectApplyTo, st)) ApplyEffectFilter(render, work, s);
  if (ButtonModeHasBevel(st.buttonMode)) {  // in these modes the code is 180 or 190, not the filter
    if (code == kEffectCodeSunken)
      render.Buttonize(2, kBlack, kWhite, 110);
    else
      render.Buttonize(2, kWhite, kBlack, 110);
  }
  if (s.EffectColorMask) render.Tint(Red(s.MaskColor), Green(s.MaskColor), Blue(s.MaskColor), s.EffectColorMaskValue);
  if (s.EffectGlobalBlend) render.BlendWith(work, s.EffectGlobalBlendValue);
}

}  // namespace button
