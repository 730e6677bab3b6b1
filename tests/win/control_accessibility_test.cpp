// The button control as accessibility clients see it: its IAccessible through
// AccessibleObjectFromWindow on the control's window (role, name, state, default action), the state
// and name change events through a WinEvent hook, and a client that keeps the object after the
// control is gone.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>

#include "button/control/ButtonAccessible.h"
#include "tests/win/control_interaction_host.h"

using namespace tests;
using Texts = std::vector<std::wstring>;

namespace {

common::Variant Self() {
  common::Variant v;
  v.Ptr()->vt = VT_I4;
  v.Ptr()->lVal = CHILDID_SELF;
  return v;
}

common::ComPtr<IAccessible> AccessibleOf(HWND window) {
  common::ComPtr<IAccessible> acc;
  if (FAILED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), button::kIidAccessible, acc.PutVoid())))
    acc.Reset();
  return acc;
}

long Role(IAccessible* acc) {
  common::Variant v;
  if (FAILED(acc->get_accRole(Self().Ref(), v.Ptr())) || v.Type() != VT_I4) return -1;
  return v.Ref().lVal;
}

long State(IAccessible* acc) {
  common::Variant v;
  if (FAILED(acc->get_accState(Self().Ref(), v.Ptr())) || v.Type() != VT_I4) return -1;
  return v.Ref().lVal;
}

std::wstring Name(IAccessible* acc) {
  common::Bstr name;
  if (FAILED(acc->get_accName(Self().Ref(), name.Put()))) return L"(failed)";
  return name.Str();
}

// The state and name change events for one window's client object, as a WinEvent hook of this
// process receives them (out of context: delivered while the thread pumps its messages).
class WinEvents {
 public:
  explicit WinEvents(HWND window) {
    s_window = window;
    s_events.clear();
    m_hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &Record, GetCurrentProcessId(),
                             0, WINEVENT_OUTOFCONTEXT);
  }
  ~WinEvents() {
    if (m_hook) UnhookWinEvent(m_hook);
    s_window = nullptr;
  }
  bool Hooked() const { return m_hook != nullptr; }
  int Count(DWORD event) const {
    int n = 0;
    for (DWORD e : s_events) n += e == event;
    return n;
  }
  // Pumps until one more event of this kind than `before` has come.
  bool WaitFor(DWORD event, int before) const {
    return PumpUntil(2000, [&] { return Count(event) > before; });
  }

 private:
  static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (window == s_window && object == OBJID_CLIENT && child == CHILDID_SELF) s_events.push_back(event);
  }
  static HWND s_window;
  static std::vector<DWORD> s_events;
  HWINEVENTHOOK m_hook = nullptr;
};
HWND WinEvents::s_window = nullptr;
std::vector<DWORD> WinEvents::s_events;

std::unique_ptr<TestButton> Make(const std::wstring& bag = L"") {
  TestButton::Options o;
  o.rect = RECT{10, 10, 50, 40};
  o.bag = L"AutoSize=BOOL:False\n" + bag;
  return TestButton::Create(o);
}

POINT Middle(HWND window) {
  RECT rc{};
  GetClientRect(window, &rc);
  return POINT{rc.right / 2, rc.bottom / 2};
}

}  // namespace

TEST(Accessibility, RoleNameAndStatesFollowTheButtonAndTheirChangesAreAnnounced) {
  auto b = Make(L"ToolTipString=BSTR:\"&Start the game\"\n");
  ASSERT_TRUE(b);
  WinEvents events(b->Window());
  ASSERT_TRUE(events.Hooked());
  auto acc = AccessibleOf(b->Window());
  ASSERT_TRUE(acc);
  EXPECT_EQ(Role(acc.Get()), ROLE_SYSTEM_PUSHBUTTON);

  // The name: the tooltip as it shows (no system-colours "&"), until a caption takes over; a
  // command given as ToolTipString is no text.
  EXPECT_EQ(Name(acc.Get()), L"Start the game");
  ASSERT_HRESULT_SUCCEEDED(tests::Put(b->Disp(), L"ToolTipString", *tests::Str(L"script:DEBUG").Ptr()));
  Pump(20);
  EXPECT_EQ(Name(acc.Get()), L"Start the game");
  EXPECT_EQ(events.Count(EVENT_OBJECT_NAMECHANGE), 0);
  ASSERT_HRESULT_SUCCEEDED(tests::Put(b->Disp(), L"Text", *tests::Str(L"&Run").Ptr()));
  EXPECT_TRUE(events.WaitFor(EVENT_OBJECT_NAMECHANGE, 0));
  EXPECT_EQ(Name(acc.Get()), L"Run");  // as the caption is drawn
  ASSERT_HRESULT_SUCCEEDED(tests::Put(b->Disp(), L"ToolTipString", *tests::Str(L"Other").Ptr()));
  Pump(20);
  EXPECT_EQ(events.Count(EVENT_OBJECT_NAMECHANGE), 1);  // the caption still names it
  ASSERT_HRESULT_SUCCEEDED(tests::Put(b->Disp(), L"Text", *tests::Str(L"").Ptr()));
  EXPECT_TRUE(events.WaitFor(EVENT_OBJECT_NAMECHANGE, 1));
  EXPECT_EQ(Name(acc.Get()), L"Other");

  // The states, each announced as it comes and goes.
  EXPECT_EQ(State(acc.Get()), STATE_SYSTEM_FOCUSABLE);
  struct Step {
    const char* what;
    std::function<void()> act;
    long state;
  } steps[] = {
      {"focused", [&] { SetFocus(b->Window()); }, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED},
      {"focus elsewhere", [&] { SetFocus(b->Top()); }, STATE_SYSTEM_FOCUSABLE},
      {"pointer over it", [&] { b->PointerAt(5, 5); }, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HOTTRACKED},
      // The press takes the focus.
      {"pressed", [&] { b->LeftDown(5, 5); },
       STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_PRESSED | STATE_SYSTEM_FOCUSED},
      {"released", [&] { b->LeftUp(5, 5); }, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED},
      {"pointer away", [&] { b->PointerAway(); }, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED},
      {"disabled", [&] { tests::Put(b->Disp(), L"Enabled", *tests::Bool(false).Ptr()); }, STATE_SYSTEM_UNAVAILABLE},
      {"enabled", [&] { tests::Put(b->Disp(), L"Enabled", *tests::Bool(true).Ptr()); }, STATE_SYSTEM_FOCUSABLE},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    const int before = events.Count(EVENT_OBJECT_STATECHANGE);
    step.act();
    EXPECT_TRUE(PumpUntil(2000, [&] { return State(acc.Get()) == step.state; })) << std::hex << State(acc.Get());
    EXPECT_TRUE(events.WaitFor(EVENT_OBJECT_STATECHANGE, before));
  }

  // What the standard object answers stays its own: the place of the window on the screen.
  RECT window{};
  GetWindowRect(b->Window(), &window);
  LONG x = 0, y = 0, w = 0, h = 0;
  ASSERT_HRESULT_SUCCEEDED(acc->accLocation(&x, &y, &w, &h, Self().Ref()));
  EXPECT_EQ((std::vector<LONG>{x, y, w, h}),
            (std::vector<LONG>{window.left, window.top, window.right - window.left, window.bottom - window.top}));
  // Through IDispatch, as script clients ask.
  common::ComPtr<IDispatch> disp = common::QueryAs<IDispatch>(acc.Get());
  ASSERT_TRUE(disp);
  common::Variant role;
  VARIANT arg = Self().Ref();
  DISPPARAMS params{&arg, nullptr, 1, 0};
  ASSERT_HRESULT_SUCCEEDED(
      disp->Invoke(DISPID_ACC_ROLE, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, role.Put(), nullptr, nullptr));
  EXPECT_EQ(tests::AsLong(role), ROLE_SYSTEM_PUSHBUTTON);

  // A command loaded with the form's data names nothing either.
  auto loaded = Make(L"ToolTipString=BSTR:\"script:NODEBUG\"\n");
  ASSERT_TRUE(loaded);
  auto other = AccessibleOf(loaded->Window());
  ASSERT_TRUE(other);
  EXPECT_EQ(Name(other.Get()), L"");
}

TEST(Accessibility, DefaultActionClicksAsTheMouseDoesAndTogglesACheckButton) {
  auto b = Make();
  ASSERT_TRUE(b);
  auto acc = AccessibleOf(b->Window());
  ASSERT_TRUE(acc);
  common::Bstr action;
  ASSERT_HRESULT_SUCCEEDED(acc->get_accDefaultAction(Self().Ref(), action.Put()));
  EXPECT_EQ(action.Str(), L"Press");

  const POINT middle = Middle(b->Window());
  SetFocus(b->Top());
  Pump(0);
  b->ClearEvents();
  b->Click(middle.x, middle.y);
  const Texts mouse = b->Events(true);
  const std::wstring at = std::to_wstring(middle.x) + L"," + std::to_wstring(middle.y);
  ASSERT_EQ(mouse, (Texts{L"SetFocus", L"MouseDown(1,0," + at + L")", L"MouseClick", L"MouseUp(0,0," + at + L")"}));

  SetFocus(b->Top());
  Pump(0);
  b->ClearEvents();
  // The action waits for the window's thread: nothing happens inside the call.
  ASSERT_EQ(acc->accDoDefaultAction(Self().Ref()), S_OK);
  EXPECT_TRUE(b->Events(true).empty());
  ASSERT_TRUE(PumpUntil(2000, [&] { return b->Events(true).size() >= mouse.size(); }));
  Pump(20);
  EXPECT_EQ(b->Events(true), mouse);

  // A check button: its role, and the default action latches and releases it like clicks.
  WinEvents events(b->Window());
  ASSERT_HRESULT_SUCCEEDED(tests::Call(b->Disp(), L"SetButtonMode", {tests::I2(3)}));
  EXPECT_EQ(Role(acc.Get()), ROLE_SYSTEM_CHECKBUTTON);
  for (bool checked : {true, false}) {
    SCOPED_TRACE(checked ? "checking" : "unchecking");
    const int before = events.Count(EVENT_OBJECT_STATECHANGE);
    b->ClearEvents();
    ASSERT_EQ(acc->accDoDefaultAction(Self().Ref()), S_OK);
    ASSERT_TRUE(PumpUntil(2000, [&] { return !b->Events().empty() && b->Events().back().rfind(L"MouseUp", 0) == 0; }));
    EXPECT_EQ(b->Events().front(), checked ? L"OnCheck(True)" : L"MouseDown(1,0," + at + L")");
    EXPECT_EQ(State(acc.Get()) & STATE_SYSTEM_CHECKED, checked ? STATE_SYSTEM_CHECKED : 0);
    EXPECT_TRUE(events.WaitFor(EVENT_OBJECT_STATECHANGE, before));
    common::Variant check;
    ASSERT_HRESULT_SUCCEEDED(tests::Call(b->Disp(), L"GetCheck", {}, &check));
    EXPECT_EQ(tests::AsLong(check) != 0, checked);
  }

  // A disabled button takes no click, as from the mouse.
  ASSERT_HRESULT_SUCCEEDED(tests::Put(b->Disp(), L"Enabled", *tests::Bool(false).Ptr()));
  b->ClearEvents();
  EXPECT_HRESULT_FAILED(acc->accDoDefaultAction(Self().Ref()));
  Pump(50);
  EXPECT_TRUE(b->Events(true).empty());
}

TEST(Accessibility, AClientMayKeepTheObjectAfterTheControlIsGone) {
  auto b = Make(L"Text=BSTR:\"Exit\"\n");
  ASSERT_TRUE(b);
  auto acc = AccessibleOf(b->Window());
  ASSERT_TRUE(acc);
  EXPECT_EQ(Name(acc.Get()), L"Exit");
  b.reset();
  Pump(20);
  auto disconnected = [](HRESULT hr) { return hr == CO_E_OBJNOTCONNECTED || hr == RPC_E_DISCONNECTED; };
  common::Variant v;
  EXPECT_TRUE(disconnected(acc->get_accRole(Self().Ref(), v.Put())));
  EXPECT_TRUE(disconnected(acc->get_accState(Self().Ref(), v.Put())));
  common::Bstr name;
  EXPECT_TRUE(disconnected(acc->get_accName(Self().Ref(), name.Put())));
  EXPECT_TRUE(disconnected(acc->accDoDefaultAction(Self().Ref())));
  LONG x, y, w, h;
  EXPECT_TRUE(disconnected(acc->accLocation(&x, &y, &w, &h, Self().Ref())));
  acc.Reset();
}
