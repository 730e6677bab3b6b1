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

TEST(PropertyTable, WritesClampAsEachPropertySays) {
  ButtonProperties p;
  auto put = [&](const wchar_t* name, int32_t v) {
    EXPECT_TRUE(zbprops::WriteNumber(p, *zbprops::FindByName(name), v));
    int32_t out = 0;
    zbprops::ReadNumber(p, *zbprops::FindByName(name), out);
    return out;
  };
  EXPECT_EQ(put(L"AlignHor", 3), 0);
  EXPECT_EQ(put(L"AlignHor", -1), 0);
  EXPECT_EQ(put(L"AlignHor", 2), 2);
  EXPECT_EQ(put(L"TextAlignVer", 5), 0);
  EXPECT_EQ(put(L"Stretch", 5), 0);
  EXPECT_EQ(put(L"Stretch", 4), 4);
  EXPECT_EQ(put(L"EffectGlobalBlendValue", 300), 255);
  EXPECT_EQ(put(L"EffectGlobalBlendValue", -5), 0);
  EXPECT_EQ(put(L"TextBlendValue", 256), 255);
  EXPECT_EQ(put(L"EffectFilter", -2), 0);
  EXPECT_EQ(put(L"EffectFilter", 40), 40);  // no upper bound
  EXPECT_EQ(put(L"EffectApplyTo", -7), -7);
  EXPECT_EQ(put(L"TextVerticalOffset", -100000), -100000);
  EXPECT_EQ(put(L"MoveOnDown", 5), 1);
  EXPECT_EQ(put(L"TextColor", int32_t(0xFF123456)), int32_t(0xFF123456));
  EXPECT_FALSE(zbprops::WriteNumber(p, *zbprops::FindByName(L"PictureURL"), 1));
  EXPECT_FALSE(zbprops::WriteNumber(p, *zbprops::FindByName(L"TextFont"), 1));
}

TEST(ButtonModeBits, ModeTravelsInTheHighByteOfHoldingFlag) {
  const int16_t flag = zbrules::WithMode(0x0005, 4);
  EXPECT_EQ(uint16_t(flag), 0x0405);
  EXPECT_EQ(zbrules::ModeOfHoldingFlag(flag), 4);
  EXPECT_EQ(zbrules::ModeOfHoldingFlag(int16_t(0xFF01)), 255);
  EXPECT_EQ(zbrules::NormalisedMode(255), 0);
  EXPECT_EQ(zbrules::NormalisedMode(-1), 0);
  EXPECT_EQ(zbrules::NormalisedMode(5), 5);
  EXPECT_EQ(uint16_t(zbrules::WithMode(int16_t(0xFFFF), 0)), 0x00FF);
  EXPECT_TRUE(zbrules::HoldBitSet(0x000A, kOver));
  EXPECT_FALSE(zbrules::HoldBitSet(0x000A, kDown));
  EXPECT_FALSE(zbrules::HoldBitSet(int16_t(0xFFFF), kBlank));
}

TEST(ToolTipStringCommands, PrefixAnyCaseThenExactWord) {
  using C = zbrules::ToolTipCommand;
  EXPECT_EQ(zbrules::ClassifyToolTipString(L"ScRiPt:debug"), C::Debug);
  EXPECT_EQ(zbrules::ClassifyToolTipString(L"script:NoDebug"), C::NoDebug);
  EXPECT_EQ(zbrules::ClassifyToolTipString(L"script:debugger"), C::Ignored);
  EXPECT_EQ(zbrules::ClassifyToolTipString(L"script:"), C::Ignored);
  EXPECT_EQ(zbrules::ClassifyToolTipString(L"scrip"), C::Text);
  EXPECT_EQ(zbrules::ClassifyToolTipString(L" script:debug"), C::Text);
  EXPECT_EQ(zbrules::ClassifyToolTipString(L""), C::Text);
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
