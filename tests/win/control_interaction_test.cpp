// The button control driven by real window messages in our container and in the platform's ATL
// host: the events and their order, the keyboard's stock events, focus, the check modes, the picture
// on show (fallbacks, placeholders, the disable picture) and the cursor.
#include <gtest/gtest.h>

#include "button/control/ZephonButtonIds.h"
#include "tests/win/control_interaction_host.h"

using namespace tests;
using tests::Drawing;
using Texts = std::vector<std::wstring>;

namespace {

constexpr uint32_t kNormalRgb = 0x00208040;
constexpr uint32_t kOverRgb = 0x00C02020;
constexpr uint32_t kDownRgb = 0x002020C0;
constexpr uint32_t kDisableRgb = 0x00808080;
constexpr COLORREF kFill = RGB(1, 2, 3);
constexpr uint32_t kFillRgb = 0x00010203;

class Interaction : public ::testing::TestWithParam<HostKind> {
 protected:
  void SetUp() override {
    folder = TempFolder("interaction");
    ASSERT_TRUE(WriteSolidBmp(folder + L"normal.bmp", 30, 20, kNormalRgb));
    ASSERT_TRUE(WriteSolidBmp(folder + L"over.bmp", 30, 20, kOverRgb));
    ASSERT_TRUE(WriteSolidBmp(folder + L"down.bmp", 30, 20, kDownRgb));
    ASSERT_TRUE(WriteSolidBmp(folder + L"disable.bmp", 30, 20, kDisableRgb));
  }

  // A button of 40 × 30 with the pictures named (normal, over, down, disable; "" = none), loaded
  // from its saved properties like a form's button.
  std::unique_ptr<TestButton> Make(std::vector<const wchar_t*> pictures, const std::wstring& more = L"",
                                   bool userMode = true) {
    static const wchar_t* names[] = {L"PictureURL", L"PictureOverURL", L"PictureDownURL", L"PictureDisableURL"};
    std::wstring bag = L"AutoSize=BOOL:False\nAlignHor=I2:0\nAlignVer=I2:0\nBackGroundColor=I4:" +
                       std::to_wstring(kFill) + L"\n" + more;
    for (size_t i = 0; i < pictures.size() && i < 4; ++i)
      if (*pictures[i]) bag += std::wstring(names[i]) + L"=BSTR:" + BagString(folder + pictures[i]) + L"\n";
    TestButton::Options o;
    o.host = GetParam();
    o.rect = RECT{10, 10, 50, 40};
    o.bag = bag;
    o.userMode = userMode;
    auto b = TestButton::Create(o);
    EXPECT_TRUE(b) << "the button could not be created and hosted";
    return b;
  }

  // The colour in the middle of the picture area as IViewObject::Draw paints the control.
  static uint32_t Shown(const TestButton& b) {
    Drawing d;
    if (!b.Draw(40, 30, kFill, d)) return 0xFFFFFFFF;
    return d.At(10, 10);
  }

  std::wstring folder;
};

}  // namespace

TEST_P(Interaction, EnteringMovingAndLeavingFireEnterOnceMovingEachTimeLeaveOnce) {
  auto b = Make({L"normal.bmp", L"over.bmp"});
  ASSERT_TRUE(b);
  b->ClearEvents();
  b->PointerAt(5, 6);  // the real pointer comes in
  b->Move(7, 6, MK_SHIFT);
  b->Move(9, 8, MK_CONTROL);
  EXPECT_EQ(b->Events(true),
            (Texts{L"MouseEnter", L"MouseMoving(0,5,6)", L"MouseMoving(4,7,6)", L"MouseMoving(8,9,8)"}));
  EXPECT_EQ(Shown(*b), kOverRgb);
  ASSERT_EQ(b->tooltip->starts.size(), 1u);
  EXPECT_EQ(b->tooltip->starts[0], b->Window());

  b->ClearEvents();
  b->PointerAway();
  ASSERT_TRUE(PumpUntil(2000, [&] { return !b->Events().empty(); })) << "no leave notification";
  Pump(100);
  EXPECT_EQ(b->Events(), Texts{L"MouseLeave"});
  EXPECT_EQ(b->tooltip->hides, 1);
  EXPECT_EQ(Shown(*b), kNormalRgb);

  // In again: a new entry.
  b->ClearEvents();
  b->PointerAt(5, 6);
  b->Move(6, 6);
  EXPECT_EQ(b->Events(), Texts{L"MouseEnter"});
  EXPECT_EQ(b->tooltip->starts.size(), 2u);
  // ToolTipDraw starts it the same way.
  ASSERT_HRESULT_SUCCEEDED(tests::Call(b->Disp(), L"ToolTipDraw", {}));
  ASSERT_EQ(b->tooltip->starts.size(), 3u);
  EXPECT_EQ(b->tooltip->starts[2], b->Window());
}

TEST_P(Interaction, ClicksFireDownClickUpInOrderAndRightClicksNeedTheirPress) {
  auto b = Make({L"normal.bmp", L"over.bmp", L"down.bmp"});
  ASSERT_TRUE(b);
  b->PointerAt(5, 5);
  b->ClearEvents();
  b->LeftDown(5, 6, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(Shown(*b), kDownRgb);
  b->LeftUp(5, 6, MK_SHIFT);
  EXPECT_EQ(Shown(*b), kOverRgb);
  // The press takes the focus (the framework's handling, between the control's steps and MouseDown).
  EXPECT_EQ(b->Events(), (Texts{L"SetFocus", L"MouseDown(1,1,5,6)", L"MouseClick", L"MouseUp(0,1,5,6)"}));
  EXPECT_EQ(GetFocus(), b->Window());

  b->ClearEvents();
  b->Post(WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(7, 8));
  b->Post(WM_RBUTTONUP, MK_CONTROL | MK_LBUTTON, MAKELPARAM(7, 8));
  EXPECT_EQ(b->Events(), (Texts{L"MouseRightDown(2,2,7,8)", L"MouseRightUp(1,2,7,8)", L"MouseRightClick"}));
  b->ClearEvents();
  b->Post(WM_RBUTTONUP, 0, MAKELPARAM(7, 8));
  EXPECT_EQ(b->Events(), Texts{L"MouseRightUp(0,0,7,8)"});
  // A left release without a press on the control is no click.
  b->ClearEvents();
  b->LeftUp(3, 3);
  EXPECT_EQ(b->Events(), Texts{L"MouseUp(0,0,3,3)"});
}

TEST_P(Interaction, KeyEventsCarryCodesTheHandlerMayChange) {
  auto b = Make({L"normal.bmp"});
  ASSERT_TRUE(b);
  SetFocus(b->Window());
  Pump(0);
  // A handler connected before the recorder rewrites F5 into F4, swallows the real F4 and turns "a"
  // into "b".
  auto rewriter = common::CEventSink::Create();
  auto setShort = [](VARIANT* v, short to) {
    if (v->vt == (VT_BYREF | VT_I2)) *v->piVal = to;
  };
  rewriter->On(-602, [&](const std::vector<VARIANT*>& args) {
    if (*args[0]->piVal == VK_F5)
      setShort(args[0], VK_F4);
    else if (*args[0]->piVal == VK_F4)
      setShort(args[0], 0);
  });
  rewriter->On(-603, [&](const std::vector<VARIANT*>& args) {
    if (*args[0]->piVal == 'a') setShort(args[0], 'b');
  });
  b->events.reset();
  ASSERT_HRESULT_SUCCEEDED(rewriter->Connect(b->Disp(), &button::DIID__DZephonButtonEvents));
  b->events = tests::EventRecorder::Attach(b->Disp());

  BYTE keys[256] = {};
  ASSERT_TRUE(GetKeyboardState(keys));
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  b->Post(WM_KEYDOWN, 'A', 1);
  b->Post(WM_CHAR, 'a', 1);
  b->Post(WM_KEYUP, 'A', 0xC0000001);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(b->Events(), (Texts{L"KeyDown(65,1)", L"KeyPress(98)", L"KeyUp(65,1)"}));

  // Alt+F4 reaches the default handling as the handler left it: the rewritten F5 asks the top-level
  // window to close, the swallowed F4 does not.
  const LPARAM alt = 0x20000001;
  b->ClearEvents();
  b->Post(WM_SYSKEYDOWN, VK_F4, alt);
  Pump(20);
  EXPECT_EQ(b->parent->closeRequests, 0);
  b->Post(WM_SYSKEYDOWN, VK_F5, alt);
  Pump(20);
  EXPECT_EQ(b->parent->closeRequests, 1);
  EXPECT_EQ(b->Events(), (Texts{L"KeyDown(0,0)", L"KeyDown(115,0)"}));
  rewriter->Disconnect();
}

TEST_P(Interaction, OverOnFocusShowsTheOverPictureWhileFocused) {
  for (bool overOnFocus : {true, false}) {
    SCOPED_TRACE(overOnFocus ? "OverOnFocus" : "no OverOnFocus");
    auto b = Make({L"normal.bmp", L"over.bmp"}, overOnFocus ? L"OverOnFocus=BOOL:True\n" : L"");
    ASSERT_TRUE(b);
    b->ClearEvents();
    SetFocus(b->Window());
    Pump(0);
    EXPECT_EQ(Shown(*b), overOnFocus ? kOverRgb : kNormalRgb);
    SetFocus(b->Top());
    Pump(0);
    EXPECT_EQ(Shown(*b), kNormalRgb);
    EXPECT_EQ(b->Events(), (Texts{L"SetFocus", L"LeaveFocus"}));
  }
}

TEST_P(Interaction, CheckModeLatchesOnTheFirstPressAndReleasesOnTheSecondRelease) {
  auto b = Make({L"normal.bmp", L"over.bmp", L"down.bmp"});
  ASSERT_TRUE(b);
  ASSERT_HRESULT_SUCCEEDED(tests::Call(b->Disp(), L"SetButtonMode", {tests::I2(3)}));
  auto getCheck = [&] {
    common::Variant v;
    tests::Call(b->Disp(), L"GetCheck", {}, &v);
    return tests::AsLong(v) != 0;
  };
  b->PointerAt(5, 5);
  SetFocus(b->Window());
  b->ClearEvents();
  b->LeftDown(5, 5);
  EXPECT_EQ(b->Events(), (Texts{L"OnCheck(True)", L"MouseDown(1,0,5,5)"}));
  b->LeftUp(5, 5);
  EXPECT_TRUE(getCheck());
  EXPECT_EQ(Shown(*b), kDownRgb);  // the down picture stays up
  b->ClearEvents();
  b->LeftDown(5, 5);
  EXPECT_EQ(Shown(*b), kDownRgb);
  EXPECT_TRUE(getCheck());
  b->LeftUp(5, 5);
  EXPECT_EQ(b->Events(), (Texts{L"MouseDown(1,0,5,5)", L"OnCheck(False)", L"MouseClick", L"MouseUp(0,0,5,5)"}));
  EXPECT_FALSE(getCheck());
  EXPECT_EQ(Shown(*b), kOverRgb);
}

TEST_P(Interaction, SetCheckActsInCheckModesOnly) {
  auto b = Make({L"normal.bmp", L"over.bmp", L"down.bmp"});
  ASSERT_TRUE(b);
  for (short mode = 0; mode < 6; ++mode) {
    SCOPED_TRACE(mode);
    ASSERT_HRESULT_SUCCEEDED(tests::Call(b->Disp(), L"SetButtonMode", {tests::I2(mode)}));
    b->ClearEvents();
    ASSERT_HRESULT_SUCCEEDED(tests::Call(b->Disp(), L"SetCheck", {tests::Bool(true)}));
    common::Variant check;
    ASSERT_HRESULT_SUCCEEDED(tests::Call(b->Disp(), L"GetCheck", {}, &check));
    const bool checkMode = mode >= 3;
    EXPECT_EQ(tests::AsLong(check) != 0, checkMode);
    EXPECT_EQ(b->Events(), checkMode ? Texts{L"OnCheck(True)"} : Texts{});
    EXPECT_EQ(Shown(*b), checkMode ? kDownRgb : kNormalRgb);
    ASSERT_HRESULT_SUCCEEDED(tests::Call(b->Disp(), L"SetCheck", {tests::Bool(false)}));
    EXPECT_EQ(b->Events(), checkMode ? (Texts{L"OnCheck(True)", L"OnCheck(False)"}) : Texts{});
    EXPECT_EQ(Shown(*b), kNormalRgb);
  }
}

TEST_P(Interaction, PicturesFallBackToNormalAndPlaceholdersFollowHideHelpersAndDesignMode) {
  // Only the normal picture: hovering and pressing still show it.
  {
    auto b = Make({L"normal.bmp"});
    ASSERT_TRUE(b);
    b->PointerAt(5, 5);
    EXPECT_EQ(Shown(*b), kNormalRgb);
    b->LeftDown(5, 5);
    EXPECT_EQ(Shown(*b), kNormalRgb);
    b->LeftUp(5, 5);
  }
  // No picture at all: every state shows its own placeholder, at run time too.
  {
    auto b = Make({});
    ASSERT_TRUE(b);
    Drawing normal, over;
    ASSERT_TRUE(b->Draw(40, 30, kFill, normal));
    EXPECT_EQ(normal.ExtentNot(kFillRgb).cx, 33);
    b->PointerAt(5, 5);
    ASSERT_TRUE(b->Draw(40, 30, kFill, over));
    EXPECT_EQ(over.ExtentNot(kFillRgb).cx, 33);
    EXPECT_NE(normal.px, over.px);
  }
  // Only an over picture: the normal state shows the blank image, hidden at run time while
  // HideHelpers is on, shown when it is off or at design time.
  struct Case {
    bool userMode;
    const wchar_t* more;
    bool painted;
  } cases[] = {{true, L"", false}, {true, L"HideHelpers=BOOL:False\n", true}, {false, L"", true}};
  for (const Case& c : cases) {
    if (!c.userMode && GetParam() == HostKind::Atl) continue;  // the ATL host always runs its controls
    SCOPED_TRACE(std::string(c.userMode ? "run time " : "design time ") + (*c.more ? "HideHelpers off" : ""));
    auto b = Make({L"", L"over.bmp"}, c.more, c.userMode);
    ASSERT_TRUE(b);
    Drawing d;
    ASSERT_TRUE(b->Draw(40, 30, kFill, d));
    EXPECT_EQ(d.ExtentNot(kFillRgb).cx, c.painted ? 33 : 0);
    if (c.userMode) {
      b->PointerAt(5, 5);
      EXPECT_EQ(Shown(*b), kOverRgb);
    }
  }
}

TEST_P(Interaction, DisabledShowsTheDisablePictureOrFallsBackToNormal) {
  auto b = Make({L"normal.bmp", L"over.bmp", L"down.bmp", L"disable.bmp"});
  ASSERT_TRUE(b);
  ASSERT_HRESULT_SUCCEEDED(tests::Put(b->Disp(), L"Enabled", *tests::Bool(false).Ptr()));
  EXPECT_EQ(Shown(*b), kDisableRgb);
  EXPECT_FALSE(IsWindowEnabled(b->Window()));
  ASSERT_HRESULT_SUCCEEDED(tests::Put(b->Disp(), L"Enabled", *tests::Bool(true).Ptr()));
  EXPECT_EQ(Shown(*b), kNormalRgb);

  auto plain = Make({L"normal.bmp", L"over.bmp"});
  ASSERT_TRUE(plain);
  ASSERT_HRESULT_SUCCEEDED(tests::Put(plain->Disp(), L"Enabled", *tests::Bool(false).Ptr()));
  EXPECT_EQ(Shown(*plain), kNormalRgb);
}

namespace {
// The system's cursors, but no hand among them.
class NoSystemHand : public button::CSystemCursors {
 public:
  HCURSOR SystemHand() override { return nullptr; }
};
}  // namespace

TEST_P(Interaction, HandCursorComesFromTheSystemOrTheModule) {
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  const HCURSOR systemHand = LoadCursorW(nullptr, IDC_HAND);
  const HCURSOR hand = LoadCursorW(ResourceModule(), MAKEINTRESOURCEW(846));
  const HCURSOR pressed = LoadCursorW(ResourceModule(), MAKEINTRESOURCEW(1426));
  ASSERT_TRUE(arrow && hand && pressed);
  ASSERT_NE(hand, pressed);

  auto b = Make({L"normal.bmp"});
  ASSERT_TRUE(b);
  b->PointerAt(5, 5);
  EXPECT_EQ(GetCursor(), arrow);
  b->PointerAway();
  ASSERT_TRUE(PumpUntil(2000, [&] { return !b->Events().empty() && b->Events().back() == L"MouseLeave"; }));
  ASSERT_HRESULT_SUCCEEDED(tests::Put(b->Disp(), L"AutoHandCursor", *tests::Bool(true).Ptr()));
  b->PointerAt(5, 5);
  if (systemHand) {
    EXPECT_EQ(GetCursor(), systemHand);
  }

  b->Ctrl().SetCursors(std::make_unique<NoSystemHand>());
  b->Move(6, 5);  // the cursor is chosen on entry, press and release, not on every move
  b->LeftDown(6, 5);
  EXPECT_EQ(GetCursor(), pressed);
  b->LeftUp(6, 5);
  EXPECT_EQ(GetCursor(), hand);
  // The container's cursor does not replace the control's own at the next move.
  SetCursor(arrow);
  SendMessageW(b->Window(), WM_SETCURSOR, WPARAM(b->Window()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), hand);
}

INSTANTIATE_TEST_SUITE_P(Hosts, Interaction, ::testing::Values(HostKind::Ours, HostKind::Atl),
                         [](const ::testing::TestParamInfo<HostKind>& info) { return HostName(info.param); });
