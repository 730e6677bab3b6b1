#include <gtest/gtest.h>

#include <set>

#include "button/control/ZephonButtonCtrlPictureTable.h"
#include "button/control/ZephonButtonCtrlProps.h"
#include "button/control/ZephonButtonCtrlRules.h"

namespace {

using zbrules::ImageKind;

TEST(PropertyTable, NamesAndDispidsAreUniqueAndExchangeCoversEveryCustomProperty) {
  std::set<int32_t> dispids;
  std::set<std::wstring> names, persisted;
  for (size_t i = 0; i < zbprops::TableSize(); ++i) {
    const PropertyInfo& p = zbprops::Table()[i];
    EXPECT_TRUE(dispids.insert(p.Dispid).second) << p.Dispid;
    EXPECT_TRUE(names.insert(p.Name).second);
    EXPECT_TRUE(persisted.insert(p.PersistedName).second);
    const bool hasMember = !std::holds_alternative<std::monostate>(p.Member);
    EXPECT_EQ(hasMember, p.Type != PropType::Font && p.Type != PropType::Picture && p.Effect != Action::Stock)
        << std::string(p.Name, p.Name + wcslen(p.Name));
  }
  // Every property but the two stock ones is exchanged exactly once.
  std::multiset<int32_t> order(zbprops::ExchangeOrder(), zbprops::ExchangeOrder() + zbprops::ExchangeOrderSize());
  for (int32_t d : dispids) {
    const bool stock = d == zbprops::kDispidEnabled || d == zbprops::kDispidText;
    EXPECT_EQ(order.count(d), stock ? 0u : 1u) << d;
  }
  EXPECT_EQ(order.size(), dispids.size() - 2);
}

TEST(PropertyTable, LookupIsCaseInsensitiveByNameButExactByPersistedName) {
  ASSERT_NE(zbprops::FindByName(L"tooltipwaittime"), nullptr);
  EXPECT_EQ(zbprops::FindByName(L"tooltipwaittime")->Dispid, 23);
  EXPECT_EQ(zbprops::FindByPersistedName(L"ToolWaitTime")->Dispid, 23);
  EXPECT_EQ(zbprops::FindByPersistedName(L"ToolTipWaitTime"), nullptr);
  EXPECT_EQ(zbprops::FindByName(L"AlignHo"), nullptr);
  EXPECT_EQ(zbprops::FindByName(L"AlignHorX"), nullptr);
}

TEST(PropertyTable, DefaultsOfTableAndStructAgree) {
  ButtonProperties fresh, reset;
  reset.AlignHor = 2;
  reset.PictureURL = L"x";
  reset.BackGroundColor = 7;
  reset.ToolTipWaitTime = 1;
  zbprops::ResetToDefaults(reset);
  for (size_t i = 0; i < zbprops::TableSize(); ++i) {
    const PropertyInfo& p = zbprops::Table()[i];
    int32_t a = 0, b = 0;
    if (zbprops::ReadNumber(fresh, p, a)) {
      ASSERT_TRUE(zbprops::ReadNumber(reset, p, b));
      EXPECT_EQ(a, p.Default) << std::string(p.Name, p.Name + wcslen(p.Name));
      EXPECT_EQ(b, p.Default);
    } else if (auto s = zbprops::StringMember(reset, p)) {
      EXPECT_TRUE(s->empty());
    }
  }
  EXPECT_EQ(reset.BackGroundColor, 0x00C08E00u);
}

TEST(InternetAddresses, FourLettersHttpAndSomethingMore) {
  EXPECT_TRUE(zbrules::IsInternetAddress(L"http://x"));
  EXPECT_TRUE(zbrules::IsInternetAddress(L"HTTPS://x"));
  EXPECT_TRUE(zbrules::IsInternetAddress(L"httpfoo.bmp"));
  EXPECT_FALSE(zbrules::IsInternetAddress(L"http"));
  EXPECT_FALSE(zbrules::IsInternetAddress(L"c:\\http.bmp"));
  EXPECT_FALSE(zbrules::IsInternetAddress(L"ftp://x"));
}

TEST(DisplayedState, FallbacksBetweenStatesAndBlankForPlaceholders) {
  const ImageKind P = ImageKind::Picture, H = ImageKind::Placeholder, E = ImageKind::Empty;
  {  // no real picture anywhere: the current one stays, placeholder or not
    const ImageKind k[5] = {H, H, H, H, H};
    EXPECT_EQ(zbrules::ChooseDisplayedState(kOver, k, false), kOver);
    EXPECT_EQ(zbrules::ChooseDisplayedState(kDown, k, true), kDown);
  }
  {  // only normal has a picture: every state shows normal
    const ImageKind k[5] = {P, H, H, H, H};
    EXPECT_EQ(zbrules::ChooseDisplayedState(kOver, k, false), kNormal);
    EXPECT_EQ(zbrules::ChooseDisplayedState(kDown, k, false), kNormal);
    EXPECT_EQ(zbrules::ChooseDisplayedState(kDisable, k, false), kNormal);
  }
  {  // down without its own picture prefers over to normal (the last fallback wins)
    const ImageKind k[5] = {P, P, H, H, H};
    EXPECT_EQ(zbrules::ChooseDisplayedState(kDown, k, false), kOver);
    EXPECT_EQ(zbrules::ChooseDisplayedState(kNormal, k, true), kOver);
  }
  {  // a state without a picture beside others that have one shows the blank image
    const ImageKind k[5] = {H, P, H, H, H};
    EXPECT_EQ(zbrules::ChooseDisplayedState(kNormal, k, false), kBlank);
    EXPECT_EQ(zbrules::ChooseDisplayedState(kDisable, k, false), kBlank);
    EXPECT_EQ(zbrules::ChooseDisplayedState(kDown, k, false), kOver);
  }
  {  // an empty state (failed download) is shown as it is
    const ImageKind k[5] = {E, P, H, H, H};
    EXPECT_EQ(zbrules::ChooseDisplayedState(kNormal, k, false), kNormal);
  }
}

TEST(PictureTableRegistry, CookiesArePositiveUniqueAndDieWithTheirTable) {
  ZbPictureTable a, b;
  const int32_t ca = zbpictable::Register(&a), cb = zbpictable::Register(&b);
  EXPECT_GT(ca, 0);
  EXPECT_GT(cb, 0);
  EXPECT_NE(ca, cb);
  EXPECT_EQ(zbpictable::Lookup(ca), &a);
  EXPECT_EQ(zbpictable::Lookup(cb), &b);
  zbpictable::Unregister(ca);
  EXPECT_EQ(zbpictable::Lookup(ca), nullptr);
  EXPECT_EQ(zbpictable::Lookup(0), nullptr);
  EXPECT_EQ(zbpictable::Lookup(-5), nullptr);
  zbpictable::Unregister(cb);
}

}  // namespace
