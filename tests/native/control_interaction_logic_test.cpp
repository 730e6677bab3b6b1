// The button's interaction steps in their order, against a host that writes down every step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "button/control/ButtonInteraction.h"
#include "button/control/ZephonButtonCtrlProps.h"

using namespace button;

namespace {

const char* StateName(int s) {
  static const char* names[] = {"normal", "over", "down", "disable", "blank"};
  return s >= 0 && s < 5 ? names[s] : "?";
}

class Host : public IInteractionHost {
 public:
  bool window = true;
  int mode = 0;
  bool overOnFocus = false;
  bool focusPicture = false;
  std::vector<std::string> log;

  bool HasWindow() const override { return window; }
  int ButtonMode() const override { return mode; }
  bool OverOnFocus() const override { return overOnFocus; }
  bool FocusChangesPicture() const override { return focusPicture; }
  void TrackLeave() override { log.push_back("track"); }
  void Show(int state) override { log.push_back(std::string("show ") + StateName(state)); }
  void Changed() override { log.push_back("changed"); }
  void ApplyCursor(HandUse use) override {
    log.push_back(use == HandUse::Pressing ? "cursor pressing" : "cursor pointing");
  }
  void StartTooltip() override { log.push_back("tooltip start"); }
  void HideTooltip() override { log.push_back("tooltip hide"); }
  void DefaultHandling() override { log.push_back("default"); }
  void Fire(Event e, const EventArgs& a) override {
    std::string text = "fire " + std::to_string(int(e));
    switch (e) {
      case Event::MouseDown:
      case Event::MouseUp:
      case Event::MouseRightDown:
      case Event::MouseRightUp:
        text += "(" + std::to_string(a.button) + "," + std::to_string(a.shift) + "," + std::to_string(a.x) + "," +
                std::to_string(a.y) + ")";
        break;
      case Event::MouseMoving:
        text += "(" + std::to_string(a.flags) + "," + std::to_string(a.x) + "," + std::to_string(a.y) + ")";
        break;
      case Event::OnCheck: text += a.check ? "(true)" : "(false)"; break;
      default: break;
    }
    log.push_back(text);
  }
  // The log since the last call.
  std::vector<std::string> Take() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
  }
  // Only the events of the log since the last call.
  std::vector<std::string> Events() {
    std::vector<std::string> out;
    for (const std::string& s : Take())
      if (s.rfind("fire ", 0) == 0) out.push_back(s.substr(5));
    return out;
  }
};

using Log = std::vector<std::string>;

class InteractionTest : public ::testing::Test {
 protected:
  InteractionState state;
  Host host;
  CButtonInteraction input{state, host};

  void Click(int x = 4, int y = 5) {
    input.LeftDown({kKeyLeft, x, y});
    input.LeftUp({0, x, y});
  }
};

}  // namespace

TEST(MouseArguments, ButtonAndShiftComeFromTheKeyFlagsWithoutAlt) {
  EXPECT_EQ(MouseButton(kKeyLeft | kKeyRight | kKeyMiddle), 7);
  EXPECT_EQ(MouseButton(kKeyRight | kKeyShift), 2);
  EXPECT_EQ(MouseShift(kKeyShift | kKeyControl | kKeyLeft), 3);
  EXPECT_EQ(MouseShift(0x20 /* MK_XBUTTON1 */), 0);
}

TEST_F(InteractionTest, EnteringMovingAndLeavingTakeTheirStepsInOrder) {
  input.MouseMove({kKeyShift, 3, 7});
  EXPECT_EQ(host.Take(), (Log{"track", "show over", "changed", "cursor pointing", "tooltip start", "fire 3", "default",
                              "fire 8(4,3,7)"}));
  input.MouseMove({0, 4, 7});
  EXPECT_EQ(host.Take(), (Log{"default", "fire 8(0,4,7)"}));
  input.MouseLeave();
  EXPECT_EQ(host.Take(), (Log{"tooltip hide", "fire 1", "show normal", "changed"}));
  EXPECT_EQ(state.Tracking, 0);
  EXPECT_EQ(state.Hover, 0);
  // Back in again: leave tracking is asked for anew.
  input.MouseMove({0, 1, 1});
  EXPECT_EQ(host.Take().front(), "track");

  // Without a window there is nothing to track and nothing to leave.
  InteractionState s2;
  Host windowless;
  windowless.window = false;
  CButtonInteraction input2(s2, windowless);
  input2.MouseMove({0, 1, 2});
  input2.MouseLeave();
  EXPECT_EQ(windowless.Take(), (Log{"default", "fire 8(0,1,2)"}));
}

TEST_F(InteractionTest, ClicksFireDownClickUpAndRightClicksNeedTheirPress) {
  host.mode = 1;
  input.LeftDown({kKeyLeft | kKeyControl, 4, 5});
  EXPECT_EQ(host.Take(), (Log{"cursor pressing", "show down", "changed", "default", "fire -605(1,2,4,5)"}));
  EXPECT_EQ(state.PressOffset, 2);
  input.LeftUp({kKeyControl, 4, 5});
  EXPECT_EQ(host.Take(), (Log{"cursor pointing", "show over", "changed", "default", "fire 2", "fire -607(0,2,4,5)"}));
  EXPECT_EQ(state.PressOffset, 0);
  EXPECT_EQ(state.Hover, 1);

  input.RightDown({kKeyRight, 1, 2});
  input.RightUp({0, 1, 2});
  EXPECT_EQ(host.Events(), (Log{"6(2,0,1,2)", "7(0,0,1,2)", "5"}));
  input.RightUp({0, 1, 2});
  EXPECT_EQ(host.Events(), (Log{"7(0,0,1,2)"}));

  // A release after a press somewhere else is no click; nor is one after a press whose buttons were
  // let go outside (the pointer comes back without them).
  input.LeftUp({0, 1, 1});
  EXPECT_EQ(host.Take(), (Log{"cursor pointing", "default", "fire -607(0,0,1,1)"}));
  input.LeftDown({kKeyLeft, 1, 1});
  input.RightDown({kKeyRight, 1, 1});
  input.MouseLeave();
  input.MouseMove({0, 1, 1});
  host.Take();
  input.LeftUp({0, 1, 1});
  input.RightUp({0, 1, 1});
  EXPECT_EQ(host.Events(), (Log{"-607(0,0,1,1)", "7(0,0,1,1)"}));
  // Dragged out and back in with the buttons held: still clicks.
  input.LeftDown({kKeyLeft, 1, 1});
  input.RightDown({kKeyLeft | kKeyRight, 1, 1});
  input.MouseLeave();
  input.MouseMove({kKeyLeft | kKeyRight, 1, 1});
  host.Take();
  input.RightUp({kKeyLeft, 1, 1});
  input.LeftUp({0, 1, 1});
  EXPECT_EQ(host.Events(), (Log{"7(1,0,1,1)", "5", "2", "-607(0,0,1,1)"}));
}

TEST_F(InteractionTest, CheckModesLatchOnThePressAndReleaseOnTheSecondClick) {
  host.mode = 4;
  input.MouseMove({0, 1, 1});
  host.Take();
  input.LeftDown({kKeyLeft, 1, 1});
  EXPECT_EQ(host.Events(), (Log{"14(true)", "-605(1,0,1,1)"}));
  EXPECT_EQ(state.CheckValue, 1);
  input.LeftUp({0, 1, 1});
  EXPECT_EQ(host.Take(), (Log{"cursor pointing", "default", "fire 2", "fire -607(0,0,1,1)"}));  // down stays
  EXPECT_EQ(state.CheckValue, 2);
  EXPECT_TRUE(input.GetCheck());
  EXPECT_EQ(state.PressOffset, 2);
  // Moving out and in again does not undo the check.
  input.MouseLeave();
  input.MouseMove({0, 1, 1});
  EXPECT_EQ(host.Take(), (Log{"tooltip hide", "fire 1", "changed", "track", "cursor pointing", "tooltip start",
                              "fire 3", "default", "fire 8(0,1,1)"}));
  EXPECT_EQ(state.PressOffset, 2);

  input.LeftDown({kKeyLeft, 1, 1});
  EXPECT_EQ(host.Events(), (Log{"-605(1,0,1,1)"}));
  input.LeftUp({0, 1, 1});
  EXPECT_EQ(host.Take(), (Log{"cursor pointing", "fire 14(false)", "show over", "changed", "default", "fire 2",
                              "fire -607(0,0,1,1)"}));
  EXPECT_FALSE(input.GetCheck());
  EXPECT_EQ(state.PressOffset, 0);
  EXPECT_EQ(state.Pressed, 0);
}

TEST_F(InteractionTest, SetCheckWorksInCheckModesOnlyAndKeepsTheOffsetWithTheCheck) {
  for (int mode : {0, 1, 2}) {
    host.mode = mode;
    input.SetCheck(true);
    EXPECT_TRUE(host.Take().empty()) << mode;
    EXPECT_FALSE(input.GetCheck());
  }
  host.mode = 5;
  input.SetCheck(true);
  EXPECT_EQ(host.Take(), (Log{"fire 14(true)", "show down", "changed"}));
  EXPECT_EQ(state.PressOffset, 2);
  input.SetCheck(true);  // latched (2) is not TRUE (1): it goes on again
  EXPECT_EQ(host.Events(), (Log{"14(true)"}));
  input.SetCheck(false);
  EXPECT_EQ(host.Take(), (Log{"fire 14(false)", "show normal", "changed"}));
  EXPECT_EQ(state.PressOffset, 0);
  EXPECT_EQ(state.Pressed, 0);
  input.SetCheck(false);
  EXPECT_TRUE(host.Take().empty());

  // Checked by a click in mode 4 (the press clears the hover flag), unchecked by a script.
  host.mode = 4;
  input.MouseMove({0, 1, 1});
  Click();
  EXPECT_EQ(state.PressOffset, 2);
  host.Take();
  input.SetCheck(false);
  EXPECT_EQ(host.Take(), (Log{"fire 14(false)", "show normal", "changed"}));
  EXPECT_EQ(state.PressOffset, 0);
  // Mode 3 has no offset to give.
  host.mode = 3;
  input.SetCheck(true);
  EXPECT_EQ(state.PressOffset, 0);
}

TEST_F(InteractionTest, FocusShowsOverWithOverOnFocusAndRepaintsForOnFocusEffects) {
  input.FocusGained();
  input.FocusLost();
  EXPECT_EQ(host.Take(), (Log{"default", "fire 9", "default", "fire 10"}));
  host.focusPicture = true;
  input.FocusGained();
  EXPECT_EQ(host.Take(), (Log{"default", "fire 9", "changed"}));

  host.overOnFocus = true;
  input.FocusGained();
  EXPECT_EQ(host.Take(), (Log{"default", "fire 9", "show over", "changed"}));
  input.FocusLost();
  EXPECT_EQ(host.Take(), (Log{"default", "fire 10", "show normal", "changed"}));
  state.Hover = 1;
  input.FocusLost();
  EXPECT_EQ(host.Take(), (Log{"default", "fire 10", "show over", "changed"}));
  state.Hover = 0;

  // Focus taken by a press keeps the pressed picture.
  input.LeftDown({kKeyLeft, 1, 1});
  host.Take();
  input.FocusGained();
  EXPECT_EQ(host.Take(), (Log{"default", "fire 9", "show down", "changed"}));
  input.FocusLost();
  EXPECT_EQ(host.Take(), (Log{"default", "fire 10", "show down", "changed"}));

  // A latched check keeps its picture through focus changes.
  host.mode = 3;
  input.SetCheck(true);
  host.Take();
  input.FocusGained();
  input.FocusLost();
  EXPECT_EQ(host.Take(), (Log{"default", "fire 9", "changed", "default", "fire 10", "changed"}));
}

TEST_F(InteractionTest, ADisabledCopyFiresEventsButChangesNothing) {
  host.mode = 3;
  input.EnabledChanged(false);
  EXPECT_EQ(host.Take(), (Log{"show disable", "changed"}));
  Click();
  EXPECT_EQ(host.Take(), (Log{"cursor pressing", "default", "fire -605(1,0,4,5)", "cursor pointing", "default",
                              "fire 2", "fire -607(0,0,4,5)"}));
  EXPECT_EQ(state.CheckValue, 0);
  EXPECT_EQ(state.Pressed, 0);
  input.EnabledChanged(true);
  EXPECT_EQ(host.Take(), (Log{"show normal", "changed"}));
}
