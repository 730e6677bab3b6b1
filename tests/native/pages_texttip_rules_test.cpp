// The Text page's spin arrows and the ToolTip page's own rules, and both pages' bindings against
// the control's property table (a wrong name or width would fail only when a user applies).
#include <gtest/gtest.h>

#include <set>

#include "button/control/ZephonButtonCtrlProps.h"
#include "button/pages/PageBinding.h"
#include "button/pages/TextPageRules.h"
#include "button/pages/ToolTipPageRules.h"

using namespace zbpages;

namespace {

long Step(bool (*step)(const std::wstring&, bool, long&), const wchar_t* box, bool up) {
  long out = -99999;
  EXPECT_TRUE(step(box, up, out)) << box;
  return out;
}

PropType TypeOf(BindKind kind) {
  switch (kind) {
    case BindKind::Check: return PropType::Bool;
    case BindKind::EditLong: return PropType::Long;
    case BindKind::EditColor: return PropType::Color;
    case BindKind::EditString: return PropType::String;
    default: return PropType::Short;
  }
}

std::set<int> CheckBindings(const PageBinding* bindings, size_t count) {
  std::set<int> ids;
  for (size_t i = 0; i < count; ++i) {
    const PageBinding& b = bindings[i];
    EXPECT_TRUE(ids.insert(b.id).second) << b.id;
    const PropertyInfo* p = zbprops::FindByName(b.property);
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
  EXPECT_EQ(Step(text::StepBlend, L"0", false), 0);
  EXPECT_EQ(Step(text::StepBlend, L"0", true), 1);
  EXPECT_EQ(Step(text::StepBlend, L"255", true), 255);
  EXPECT_EQ(Step(text::StepBlend, L"128", false), 127);
  EXPECT_EQ(Step(text::StepBlend, L"900", false), 254);  // a typed value beyond the range comes back in
  long out = 7;
  EXPECT_FALSE(text::StepBlend(L"", true, out));
  EXPECT_FALSE(text::StepBlend(L"abc", false, out));
  EXPECT_EQ(out, 7);
}

TEST(TextPage, OffsetArrowKeepsTo16BitsWithoutWrapping) {
  EXPECT_EQ(Step(text::StepOffset, L"0", false), -1);
  EXPECT_EQ(Step(text::StepOffset, L"-5", true), -4);
  EXPECT_EQ(Step(text::StepOffset, L"32767", true), 32767);
  EXPECT_EQ(Step(text::StepOffset, L"-32768", false), -32768);
  EXPECT_EQ(Step(text::StepOffset, L"100000", true), 32767);
  long out = 0;
  EXPECT_FALSE(text::StepOffset(L"1.5", true, out));
}

TEST(TextPage, BindingsNameControlPropertiesOfTheirKind) {
  EXPECT_EQ(CheckBindings(text::Bindings(), text::BindingCount()),
            (std::set<int>{527, 529, 394, 524, 550, 294, 293}));
}

TEST(ToolTipPage, EachEffectSuggestsItsPeriod) {
  EXPECT_EQ(tooltip::PeriodForEffect(0), 20);
  EXPECT_EQ(tooltip::PeriodForEffect(1), 10);
  EXPECT_EQ(tooltip::PeriodForEffect(2), 2);
  EXPECT_EQ(tooltip::PeriodForEffect(3), 2);
  EXPECT_EQ(tooltip::PeriodForEffect(4), 0);
  EXPECT_EQ(tooltip::PeriodForEffect(5), -1);
  EXPECT_EQ(tooltip::PeriodForEffect(-1), -1);
}

TEST(ToolTipPage, SystemColorsMarkIsOneLeadingAmpersand) {
  EXPECT_EQ(tooltip::WithSystemColors(L"Play", true), L"&Play");
  EXPECT_EQ(tooltip::WithSystemColors(L"&Play", true), L"&Play");  // never a second mark
  EXPECT_EQ(tooltip::WithSystemColors(L"&Play", false), L"Play");
  EXPECT_EQ(tooltip::WithSystemColors(L"Play", false), L"Play");
  EXPECT_EQ(tooltip::WithSystemColors(L"", true), L"&");
  EXPECT_EQ(tooltip::WithSystemColors(L"&", false), L"");
  EXPECT_EQ(tooltip::WithSystemColors(L"a&b", false), L"a&b");
  EXPECT_TRUE(tooltip::AsksForSystemColors(L"&x"));
  EXPECT_FALSE(tooltip::AsksForSystemColors(L""));
}

TEST(ToolTipPage, TestTextGivesSamplesForEmptyAndBareMark) {
  EXPECT_EQ(tooltip::TestText(L""), L"Test with user colors");
  EXPECT_EQ(tooltip::TestText(L"&"), L"&Test with system colors");
  EXPECT_EQ(tooltip::TestText(L"&Go"), L"&Go");
  EXPECT_EQ(tooltip::TestText(L"Go"), L"Go");
}

TEST(ToolTipPage, BindingsNameControlPropertiesWithTheirApplyRanges) {
  const PageBinding* b = tooltip::Bindings();
  const size_t n = tooltip::BindingCount();
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
