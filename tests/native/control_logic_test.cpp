#include <gtest/gtest.h>

#include <set>

#include "button/control/ZephonButtonCtrlPictureTable.h"
#include "button/control/ZephonButtonCtrlProps.h"
#include "button/control/ZephonButtonCtrlRules.h"

namespace {

using button::ImageKind;

TEST(PropertyTable, NamesAndDispidsAreUniqueAndExchangeCoversEveryCustomProperty) {
  std::set<int32_t> dispids;
  std::set<std::wstring> names, persisted;
  for (size_t i = 0; i < button::TableSize(); ++i) {
    const button::PropertyInfo& p = button::Table()[i];
    EXPECT_TRUE(dispids.insert(p.Dispid).second) << p.Dispid;
    EXPECT_TRUE(names.insert(p.Name).second);
    EXPECT_TRUE(persisted.insert(p.PersistedName).second);
    const bool hasMember = !std::holds_alternative<std::monostate>(p.Member);
    EXPECT_EQ(hasMember, p.Type != button::PropType::Font && p.Type != button::PropType::Picture &&
                             p.Effect != button::Action::Stock)
        << std::string(p.Name, p.Name + wcslen(p.Name));
  }
  // Every property but the two stock ones is exchanged exactly once.
  std::multiset<int32_t> order(button::ExchangeOrder(), button::ExchangeOrder() + button::ExchangeOrderSize());
  for (int32_t d : dispids) {
    const bool stock = d == button::kDispidEnabled || d == button::kDispidText;
    EXPECT_EQ(order.count(d), stock ? 0u : 1u) << d;
  }
  EXPECT_EQ(order.size(), dispids.size() - 2);
}

TEST(PropertyTable, LookupIsCaseInsensitiveByNameButExactByPersistedName) {
  ASSERT_NE(button::FindByName(L"tooltipwaittime"), nullptr);
  EXPECT_EQ(button::FindByName(L"tooltipwaittime")->Dispid, 23);
  EXPECT_EQ(button::FindByPersistedName(L"ToolWaitTime")->Dispid, 23);
  EXPECT_EQ(button::FindByPersistedName(L"ToolTipWaitTime"), nullptr);
  EXPECT_EQ(button::FindByName(L"AlignHo"), nullptr);
  EXPECT_EQ(button::FindByName(L"AlignHorX"), nullptr);
}

TEST(PropertyTable, DefaultsOfTableAndStructAgree) {
  button::ButtonProperties fresh, reset;
  reset.AlignHor = 2;
  reset.PictureURL = L"x";
  reset.BackGroundColor = 7;
  reset.ToolTipWaitTime = 1;
  button::ResetToDefaults(reset);
  for (size_t i = 0; i < button::TableSize(); ++i) {
    const button::PropertyInfo& p = button::Table()[i];
    int32_t a = 0, b = 0;
    if (button::ReadNumber(fresh, p, a)) {
      ASSERT_TRUE(button::ReadNumber(reset, p, b));
      EXPECT_EQ(a, p.Default) << std::string(p.Name, p.Name + wcslen(p.Name));
      EXPECT_EQ(b, p.Default);
    } else if (auto s = button::StringMember(reset, p)) {
      EXPECT_TRUE(s->empty());
    }
  }
  EXPECT_EQ(reset.BackGroundColor, 0x00C08E00u);
}

TEST(InternetAddresses, FourLettersHttpAndSomethingMore) {
  EXPECT_TRUE(button::IsInternetAddress(L"http://x"));
  EXPECT_TRUE(button::IsInternetAddress(L"HTTPS://x"));
  EXPECT_TRUE(button::IsInternetAddress(L"httpfoo.bmp"));
  EXPECT_FALSE(button::IsInternetAddress(L"http"));
  EXPECT_FALSE(button::IsInternetAddress(L"c:\\http.bmp"));
  EXPECT_FALSE(button::IsInternetAddress(L"ftp://x"));
}

TEST(DisplayedState, FallbacksBetweenStatesAndBlankForPlaceholders) {
  const ImageKind P = ImageKind::Picture, H = ImageKind::Placeholder, E = ImageKind::Empty;
  {  // no real picture anywhere: the current one stays, placeholder or not
    const ImageKind k[5] = {H, H, H, H, H};
    EXPECT_EQ(button::ChooseDisplayedState(button::kOver, k, false), button::kOver);
    EXPECT_EQ(button::ChooseDisplayedState(button::kDown, k, true), button::kDown);
  }
  {  // only normal has a picture: every state shows normal
    const ImageKind k[5] = {P, H, H, H, H};
    EXPECT_EQ(button::ChooseDisplayedState(button::kOver, k, false), button::kNormal);
    EXPECT_EQ(button::ChooseDisplayedState(button::kDown, k, false), button::kNormal);
    EXPECT_EQ(button::ChooseDisplayedState(button::kDisable, k, false), button::kNormal);
  }
  {  // down without its own picture prefers over to normal (the last fallback wins)
    const ImageKind k[5] = {P, P, H, H, H};
    EXPECT_EQ(button::ChooseDisplayedState(button::kDown, k, false), button::kOver);
    EXPECT_EQ(button::ChooseDisplayedState(button::kNormal, k, true), button::kOver);
  }
  {  // a state without a picture beside others that have one shows the blank image
    const ImageKind k[5] = {H, P, H, H, H};
    EXPECT_EQ(button::ChooseDisplayedState(button::kNormal, k, false), button::kBlank);
    EXPECT_EQ(button::ChooseDisplayedState(button::kDisable, k, false), button::kBlank);
    EXPECT_EQ(button::ChooseDisplayedState(button::kDown, k, false), button::kOver);
  }
  {  // an empty state (failed download) is shown as it is
    const ImageKind k[5] = {E, P, H, H, H};
    EXPECT_EQ(button::ChooseDisplayedState(button::kNormal, k, false), button::kNormal);
  }
}

TEST(PictureTableRegistry, CookiesArePositiveUniqueAndDieWithTheirTable) {
  button::ZbPictureTable a, b;
  const int32_t ca = button::Register(&a), cb = button::Register(&b);
  EXPECT_GT(ca, 0);
  EXPECT_GT(cb, 0);
  EXPECT_NE(ca, cb);
  EXPECT_EQ(button::Lookup(ca), &a);
  EXPECT_EQ(button::Lookup(cb), &b);
  button::Unregister(ca);
  EXPECT_EQ(button::Lookup(ca), nullptr);
  EXPECT_EQ(button::Lookup(0), nullptr);
  EXPECT_EQ(button::Lookup(-5), nullptr);
  button::Unregister(cb);
}

}  // namespace
