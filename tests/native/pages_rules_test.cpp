// The pages' bindings against a fake dialog: numbers in and out of edit boxes with their widths and
// ranges, radio groups, colours as unsigned text; the General page's button-mode arithmetic and its
// bindings against the control's own property table.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "button/control/ZephonButtonCtrlProps.h"
#include "button/pages/GeneralPageRules.h"
#include "button/pages/ProfiPageRules.h"
#include "button/pages/PageBinding.h"

using namespace button;

namespace {

class FakeControls : public IPageControls {
 public:
  bool Checked(int id) const override { return checks.count(id) && checks.at(id); }
  void SetChecked(int id, bool c) override { checks[id] = c; }
  int Selection(int id) const override { return selections.count(id) ? selections.at(id) : -1; }
  void SetSelection(int id, int index) override { selections[id] = index; }
  std::wstring Text(int id) const override { return texts.count(id) ? texts.at(id) : std::wstring(); }
  void SetText(int id, const std::wstring& t) override { texts[id] = t; }
  std::map<int, bool> checks;
  std::map<int, int> selections;
  std::map<int, std::wstring> texts;
};

ReadResult ReadText(const PageBinding& b, const wchar_t* text) {
  FakeControls c;
  c.texts[b.id] = text;
  return ReadValue(b, c);
}

}  // namespace

TEST(PageNumbers, ParseAcceptsBlanksAndSignsAndRefusesEverythingElse) {
  int64_t n = 0;
  EXPECT_TRUE(ParseInteger(L" 12 ", n));
  EXPECT_EQ(n, 12);
  EXPECT_TRUE(ParseInteger(L"-5", n));
  EXPECT_EQ(n, -5);
  EXPECT_TRUE(ParseInteger(L"+7", n));
  EXPECT_EQ(n, 7);
  EXPECT_TRUE(ParseInteger(L"-9223372036854775808", n));
  EXPECT_EQ(n, INT64_MIN);
  for (const wchar_t* bad : {L"", L" ", L"-", L"1x", L"1 2", L"0x10", L"9223372036854775808", L"99999999999999999999"})
    EXPECT_FALSE(ParseInteger(bad, n)) << std::wstring(bad).size();
}

TEST(PageNumbers, EditBoxesKeepToThePropertyWidthAndTheBindingRange) {
  const PageBinding shortBox{10, BindKind::EditShort, L"P"};
  EXPECT_EQ(ReadText(shortBox, L"-32768").value.number, -32768);
  ReadResult r = ReadText(shortBox, L"32768");
  EXPECT_EQ(r.error, ReadError::OutOfRange);
  EXPECT_EQ(RangeMessage(r), L"Enter an integer between -32768 and 32767.");
  EXPECT_EQ(ReadText(shortBox, L"abc").error, ReadError::NotANumber);

  const PageBinding ranged{11, BindKind::EditShort, L"P", 0, true, 0, 255};
  EXPECT_EQ(ReadText(ranged, L"255").value.number, 255);
  r = ReadText(ranged, L"300");
  EXPECT_EQ(r.error, ReadError::OutOfRange);
  EXPECT_EQ(RangeMessage(r), L"Enter an integer between 0 and 255.");
  EXPECT_EQ(ReadText(ranged, L"-1").error, ReadError::OutOfRange);

  const PageBinding longBox{12, BindKind::EditLong, L"P"};
  EXPECT_EQ(ReadText(longBox, L"-2147483648").value.number, -2147483647L - 1);
  EXPECT_EQ(ReadText(longBox, L"2147483648").error, ReadError::OutOfRange);
}

TEST(PageNumbers, ColoursRoundTripAsUnsignedText) {
  const PageBinding colour{20, BindKind::EditColor, L"C"};
  ReadResult r = ReadText(colour, L"4294967295");
  ASSERT_EQ(r.error, ReadError::None);
  FakeControls c;
  ShowValue(colour, r.value, c);
  EXPECT_EQ(c.texts[20], L"4294967295");
  ShowValue(colour, PageValue{0x00C08E00, {}}, c);
  EXPECT_EQ(c.texts[20], L"12619264");
  EXPECT_EQ(ReadText(colour, L"-1").error, ReadError::OutOfRange);
}

TEST(PageControls, RadioGroupsChecksListsAndTextMoveBothWays) {
  const PageBinding radio{30, BindKind::RadioIndex, L"R", 3};
  FakeControls c;
  ShowValue(radio, PageValue{2, {}}, c);
  EXPECT_FALSE(c.Checked(30));
  EXPECT_FALSE(c.Checked(31));
  EXPECT_TRUE(c.Checked(32));
  EXPECT_EQ(ReadValue(radio, c).value.number, 2);
  c.checks.clear();
  EXPECT_EQ(ReadValue(radio, c).value.number, -1);

  const PageBinding check{40, BindKind::Check, L"B"};
  ShowValue(check, PageValue{1, {}}, c);
  EXPECT_TRUE(c.Checked(40));
  c.SetChecked(40, false);
  EXPECT_EQ(ReadValue(check, c).value.number, 0);

  const PageBinding list{41, BindKind::ComboIndex, L"L"};
  ShowValue(list, PageValue{4, {}}, c);
  EXPECT_EQ(c.selections[41], 4);

  const PageBinding text{42, BindKind::EditString, L"T"};
  ShowValue(text, PageValue{0, L"a\r\nb"}, c);
  EXPECT_EQ(ReadValue(text, c).value.text, L"a\r\nb");
}

TEST(GeneralPage, ButtonModeLivesInTheHighByteAndKeepsThePictureBits) {
  EXPECT_EQ(button::WithButtonMode(0x0005, 5), 0x0505);
  EXPECT_EQ(button::WithButtonMode(0x03FF, 1), 0x01FF);
  EXPECT_EQ(button::WithButtonMode(0x0400, 0), 0x0000);
  EXPECT_EQ(button::ButtonModeOf(0x0305), 3);
  EXPECT_EQ(button::ButtonModeOf(0x0005), 0);
}

TEST(GeneralPage, AutoSizeAndSystemVersionRules) {
  EXPECT_TRUE(button::AutoSizeAllowed(0));
  EXPECT_TRUE(button::AutoSizeAllowed(2));
  EXPECT_FALSE(button::AutoSizeAllowed(3));
  EXPECT_FALSE(button::AutoSizeAllowed(4));
  EXPECT_TRUE(button::AutoSizeAllowed(-1));  // nothing chosen yet
  EXPECT_FALSE(button::SystemNewerThan4(4, 0));
  EXPECT_FALSE(button::SystemNewerThan4(3, 95));
  EXPECT_TRUE(button::SystemNewerThan4(4, 10));
  EXPECT_TRUE(button::SystemNewerThan4(10, 0));
}

// A binding to a property the control does not have, or of the wrong width, would fail only when
// a user applies the page.
TEST(GeneralPage, BindingsNameControlPropertiesOfTheirKind) {
  std::set<int> ids;
  for (size_t i = 0; i < button::GeneralBindingCount(); ++i) {
    const PageBinding& b = button::GeneralBindings()[i];
    EXPECT_TRUE(ids.insert(b.id).second) << b.id;
    const button::PropertyInfo* p = button::FindByName(b.property);
    ASSERT_NE(p, nullptr) << b.id;
    EXPECT_EQ(p->Type, b.kind == BindKind::Check ? button::PropType::Bool : button::PropType::Short) << b.id;
  }
  EXPECT_EQ(ids, (std::set<int>{290, 291, 292, 232, 235, 233, 234, 507}));
}

TEST(ProfiPage, SwitchesStartAtTheControlDefaultsAndNameBooleanProperties) {
  for (size_t i = 0; i < button::ProfiBindingCount(); ++i) {
    const PageBinding& b = button::ProfiBindings()[i];
    const button::PropertyInfo* p = button::FindByName(b.property);
    ASSERT_NE(p, nullptr) << b.id;
    EXPECT_EQ(p->Type, button::PropType::Bool) << b.id;
    EXPECT_EQ(b.start, p->Default) << b.id;
  }
  EXPECT_EQ(button::ProfiBindingCount(), 4u);
}
