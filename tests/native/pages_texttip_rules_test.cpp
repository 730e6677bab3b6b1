// The Text page's spin arrows, the ToolTip and Images pages' own rules, and the three pages'
// bindings against the control's property table (a wrong name or width would fail only when a user
// applies).
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "button/control/ZephonButtonCtrlProps.h"
#include "button/pages/ImagesPageRules.h"
#include "button/pages/PageBinding.h"
#include "button/pages/TextPageRules.h"
#include "button/pages/ToolTipPageRules.h"

using namespace button;

namespace {

long Step(bool (*step)(const std::wstring&, bool, long&), const wchar_t* box, bool up) {
  long out = -99999;
  EXPECT_TRUE(step(box, up, out)) << box;
  return out;
}

button::PropType TypeOf(BindKind kind) {
  switch (kind) {
    case BindKind::Check: return button::PropType::Bool;
    case BindKind::EditLong: return button::PropType::Long;
    case BindKind::EditColor: return button::PropType::Color;
    case BindKind::EditString: return button::PropType::String;
    default: return button::PropType::Short;
  }
}

std::set<int> CheckBindings(const PageBinding* bindings, size_t count) {
  std::set<int> ids;
  for (size_t i = 0; i < count; ++i) {
    const PageBinding& b = bindings[i];
    EXPECT_TRUE(ids.insert(b.id).second) << b.id;
    const button::PropertyInfo* p = button::FindByName(b.property);
    if (!p) {
      ADD_FAILURE() << "no property for " << b.id;
      continue;
    }
    EXPECT_EQ(p->Type, TypeOf(b.kind)) << b.id;
  }
  return ids;
}

}  // namespace

TEST(TextPage, BlendArrowStaysWithin0To255) {
  EXPECT_EQ(Step(button::StepBlend, L"0", false), 0);
  EXPECT_EQ(Step(button::StepBlend, L"0", true), 1);
  EXPECT_EQ(Step(button::StepBlend, L"255", true), 255);
  EXPECT_EQ(Step(button::StepBlend, L"128", false), 127);
  // A typed value beyond the range: the step's result is held to it, as on the Effects page.
  EXPECT_EQ(Step(button::StepBlend, L"900", false), 255);
  EXPECT_EQ(Step(button::StepBlend, L"-5", true), 0);
  EXPECT_EQ(Step(button::StepBlend, L"-99999999999999999", true), 0);
  long out = 7;
  EXPECT_FALSE(button::StepBlend(L"", true, out));
  EXPECT_FALSE(button::StepBlend(L"abc", false, out));
  EXPECT_EQ(out, 7);
}

TEST(TextPage, OffsetArrowKeepsTo16BitsWithoutWrapping) {
  EXPECT_EQ(Step(button::StepOffset, L"0", false), -1);
  EXPECT_EQ(Step(button::StepOffset, L"-5", true), -4);
  EXPECT_EQ(Step(button::StepOffset, L"32767", true), 32767);
  EXPECT_EQ(Step(button::StepOffset, L"-32768", false), -32768);
  EXPECT_EQ(Step(button::StepOffset, L"100000", true), 32767);
  EXPECT_EQ(Step(button::StepOffset, L"-40000", true), -32768);
  EXPECT_EQ(Step(button::StepOffset, L"9223372036854775807", true), 32767);
  long out = 0;
  EXPECT_FALSE(button::StepOffset(L"1.5", true, out));
}

TEST(TextPage, BindingsNameControlPropertiesOfTheirKind) {
  EXPECT_EQ(CheckBindings(button::TextBindings(), button::TextBindingCount()),
            (std::set<int>{527, 529, 394, 524, 550, 294, 293}));
}

TEST(ToolTipPage, EachEffectSuggestsItsPeriod) {
  EXPECT_EQ(button::PeriodForEffect(0), 20);
  EXPECT_EQ(button::PeriodForEffect(1), 10);
  EXPECT_EQ(button::PeriodForEffect(2), 2);
  EXPECT_EQ(button::PeriodForEffect(3), 2);
  EXPECT_EQ(button::PeriodForEffect(4), 0);
  EXPECT_EQ(button::PeriodForEffect(5), -1);
  EXPECT_EQ(button::PeriodForEffect(-1), -1);
}

TEST(ToolTipPage, SystemColorsMarkIsOneLeadingAmpersand) {
  EXPECT_EQ(button::WithSystemColors(L"Play", true), L"&Play");
  EXPECT_EQ(button::WithSystemColors(L"&Play", true), L"&Play");  // never a second mark
  EXPECT_EQ(button::WithSystemColors(L"&Play", false), L"Play");
  EXPECT_EQ(button::WithSystemColors(L"Play", false), L"Play");
  EXPECT_EQ(button::WithSystemColors(L"", true), L"&");
  EXPECT_EQ(button::WithSystemColors(L"&", false), L"");
  EXPECT_EQ(button::WithSystemColors(L"a&b", false), L"a&b");
  EXPECT_TRUE(button::AsksForSystemColors(L"&x"));
  EXPECT_FALSE(button::AsksForSystemColors(L""));
}

TEST(ToolTipPage, TestTextGivesSamplesForEmptyAndBareMark) {
  EXPECT_EQ(button::TestText(L""), L"Test with user colors");
  EXPECT_EQ(button::TestText(L"&"), L"&Test with system colors");
  EXPECT_EQ(button::TestText(L"&Go"), L"&Go");
  EXPECT_EQ(button::TestText(L"Go"), L"Go");
}

TEST(ToolTipPage, BindingsNameControlPropertiesWithTheirApplyRanges) {
  const PageBinding* b = button::ToolTipBindings();
  const size_t n = button::ToolTipBindingCount();
  EXPECT_EQ(CheckBindings(b, n), (std::set<int>{440, 442, 443, 444, 448, 473, 474, 475, 476}));
  for (size_t i = 0; i < n; ++i) {
    const long expectedMax = b[i].id == 442 ? 60000 : b[i].id == 443 ? 6000000 : b[i].id == 444 ? 200 : 0;
    if (b[i].id == 448) {
      EXPECT_EQ(b[i].count, 5);
    }
    if (expectedMax) {
      EXPECT_TRUE(b[i].ranged) << b[i].id;
      EXPECT_EQ(b[i].minValue, 0) << b[i].id;
      EXPECT_EQ(b[i].maxValue, expectedMax) << b[i].id;
    }
  }
}

TEST(ImagesPage, LinkBitsAreTheLowFourAndKeepTheButtonMode) {
  EXPECT_EQ(button::WithLinkBit(0x0500, 0, true), 0x0501);
  EXPECT_EQ(button::WithLinkBit(0x0501, 3, true), 0x0509);
  EXPECT_EQ(button::WithLinkBit(0x0509, 0, false), 0x0508);
  EXPECT_EQ(button::WithLinkBit(0x0509, 4, false), 0x0509);  // no fifth row
  EXPECT_EQ(button::WithLinkBit(-1, 2, false), -5);          // a negative short keeps its other bits
  EXPECT_TRUE(button::LinkBit(0x0508, 3));
  EXPECT_FALSE(button::LinkBit(0x0508, 2));
  EXPECT_FALSE(button::LinkBit(0x0510, 4));
}

TEST(ImagesPage, ClearUnlinksALinkedRowAndKeepsItsUrlElseEmptiesTheUrl) {
  const button::ClearAction linked = button::ClearRow(0x0104, 2);
  EXPECT_TRUE(linked.unlink);
  EXPECT_FALSE(linked.emptyUrl);
  const button::ClearAction plain = button::ClearRow(0x0104, 1);
  EXPECT_FALSE(plain.unlink);
  EXPECT_TRUE(plain.emptyUrl);
}

TEST(ImagesPage, PagePreviewFitsInto120KeepingTheRatioAndCentres) {
  auto p = button::PagePreviewPlacement(240, 60);
  EXPECT_EQ(std::vector<int>({p.x, p.y, p.w, p.h}), std::vector<int>({5, 50, 120, 30}));
  p = button::PagePreviewPlacement(100, 50);  // fits: its own size
  EXPECT_EQ(std::vector<int>({p.x, p.y, p.w, p.h}), std::vector<int>({15, 40, 100, 50}));
  p = button::PagePreviewPlacement(120, 120);
  EXPECT_EQ(std::vector<int>({p.x, p.y, p.w, p.h}), std::vector<int>({5, 5, 120, 120}));
  p = button::PagePreviewPlacement(50, 7000);  // truncated, never below a pixel
  EXPECT_EQ(std::vector<int>({p.x, p.y, p.w, p.h}), std::vector<int>({64, 5, 1, 120}));
  p = button::PagePreviewPlacement(int64_t(1) << 40, 3);  // no overflow from huge sizes
  EXPECT_EQ(p.w, 120);
  EXPECT_EQ(p.h, 1);
  p = button::PagePreviewPlacement(0, 10);
  EXPECT_EQ(p.w, 0);
}

TEST(ImagesPage, DialogPreviewShrinksOnlyPicturesLargerThanItsAreaLess14) {
  auto p = button::DialogPreviewPlacement(186, 146);  // fits exactly
  EXPECT_EQ(std::vector<int>({p.x, p.y, p.w, p.h}), std::vector<int>({7, 7, 186, 146}));
  p = button::DialogPreviewPlacement(400, 100);
  EXPECT_EQ(std::vector<int>({p.x, p.y, p.w, p.h}), std::vector<int>({7, 57, 186, 46}));
  p = button::DialogPreviewPlacement(100, 300);
  EXPECT_EQ(std::vector<int>({p.x, p.y, p.w, p.h}), std::vector<int>({76, 7, 48, 146}));
}

TEST(ImagesPage, TextsTitlesAndFilterList) {
  EXPECT_EQ(button::PageSizeText(true, 240, 60), L"Width: 240  Height: 60");
  EXPECT_EQ(button::PageSizeText(false, 0, 0), L"Image is empty.");
  EXPECT_EQ(button::DialogSizeText(33, 28), L"Width=33  ,  Height=28");
  EXPECT_EQ(button::DialogTitle(0), L"Normal picture");
  EXPECT_EQ(button::DialogTitle(1), L"Mouse over picture");
  EXPECT_EQ(button::DialogTitle(2), L"Mouse down picture");
  EXPECT_EQ(button::DialogTitle(3), L"Disable picture");
  EXPECT_EQ(button::DialogTitle(4), L"");
  // Twelve strings, each ended by a NUL, then the closing NUL.
  const std::wstring list = button::FilterList();
  std::vector<std::wstring> parts;
  size_t at = 0;
  while (at < list.size() && list[at] != L'\0') {
    const size_t end = list.find(L'\0', at);
    ASSERT_NE(end, std::wstring::npos);
    parts.push_back(list.substr(at, end - at));
    at = end + 1;
  }
  EXPECT_EQ(at + 1, list.size());
  ASSERT_EQ(parts.size(), 12u);
  EXPECT_EQ(parts[0], L"All supported formats");
  EXPECT_EQ(parts[1], L"*.BMP;*.GIF;*.JPG;*.JPEG;*.TIF;*.TIFF;*.JIF");
  EXPECT_EQ(parts[7], L"*.TIF;*.TIFF");
  EXPECT_EQ(parts[10], L"All files (*.*)");
}

TEST(ImagesPage, BindingsNameThePictureUrlsHoldingFlagAndPrevPointer) {
  EXPECT_EQ(CheckBindings(button::ImagesBindings(), button::ImagesBindingCount()),
            (std::set<int>{495, 498, 501, 504, 507, 516}));
}
