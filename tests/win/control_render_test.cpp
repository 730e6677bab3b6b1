// The button control's paint and sizing as its containers see them: IViewObject::Draw and the
// window's own WM_PAINT, after real mouse messages, in our container and the platform's ATL host.
// The renderer's arithmetic has tests of its own; these check that the control feeds it its
// properties and state and that the sizing rules reach the container.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/win/control_interaction_host.h"
#include "tests/win/control_pictures_files.h"

using namespace tests;
using tests::Colour;
using tests::Drawing;

namespace {

constexpr COLORREF kBack = RGB(90, 100, 110);  // BackGroundColor of every test button
constexpr uint32_t kBackRgb = 0x005A646E;

class Render : public ::testing::TestWithParam<HostKind> {
 protected:
  void SetUp() override {
    folder = TempFolder("render");
    ASSERT_TRUE(tests::WriteBmp24(folder + L"pic.bmp", 20, 10));
    ASSERT_TRUE(tests::WriteBmp24(folder + L"wide.bmp", 40, 20));
  }

  // A button at `rect` with `picture` as its normal picture, top-left aligned, over kBack.
  std::unique_ptr<TestButton> Make(const wchar_t* picture, const std::wstring& more = L"",
                                   RECT rect = RECT{10, 10, 50, 40}) {
    TestButton::Options o;
    o.host = GetParam();
    o.rect = rect;
    o.bag = L"AlignHor=I2:0\nAlignVer=I2:0\nBackGroundColor=I4:" + std::to_wstring(kBack) + L"\n" + more;
    if (*picture) o.bag += L"PictureURL=BSTR:" + BagString(folder + picture) + L"\n";
    auto b = TestButton::Create(o);
    EXPECT_TRUE(b) << "the button could not be created and hosted";
    return b;
  }
  void Put(TestButton& b, const wchar_t* name, const common::Variant& v) {
    ASSERT_HRESULT_SUCCEEDED(tests::Put(b.Disp(), name, *v.Ptr()));
    Pump(0);
  }

  std::wstring folder;
};

int Luma(uint32_t rgb) { return int((rgb >> 16) & 0xFF) + int((rgb >> 8) & 0xFF) + int(rgb & 0xFF); }

}  // namespace

TEST_P(Render, StretchModesScaleAndAlignThePicture) {
  auto b = Make(L"wide.bmp", L"AutoSize=BOOL:False\n");
  ASSERT_TRUE(b);
  Put(*b, L"Stretch", tests::I2(1));
  Put(*b, L"AlignVer", tests::I2(1));
  Drawing d;
  ASSERT_TRUE(b->Draw(80, 80, kBack, d));
  // 40 × 20 in 80 × 80 keeping its aspect: 80 × 40, centred from y = 20.
  EXPECT_EQ(d.At(0, 19), kBackRgb);
  EXPECT_EQ(d.At(0, 20), Colour(0, 0));
  EXPECT_EQ(d.At(79, 59), Colour(39, 19));
  EXPECT_EQ(d.At(3, 25), Colour(1, 2));
  EXPECT_EQ(d.At(0, 60), kBackRgb);

  Put(*b, L"Stretch", tests::I2(2));
  ASSERT_TRUE(b->Draw(80, 80, kBack, d));
  EXPECT_EQ(d.At(0, 0), Colour(0, 0));
  EXPECT_EQ(d.At(79, 79), Colour(39, 19));
  EXPECT_EQ(d.At(5, 13), Colour(2, 3));

  // Natural size, right-aligned in a narrower area: the picture's right part shows.
  Put(*b, L"Stretch", tests::I2(0));
  Put(*b, L"AlignHor", tests::I2(2));
  Put(*b, L"AlignVer", tests::I2(0));
  ASSERT_TRUE(b->Draw(20, 30, kBack, d));
  EXPECT_EQ(d.At(0, 0), Colour(20, 0));
  EXPECT_EQ(d.At(19, 19), Colour(39, 19));
  EXPECT_EQ(d.At(5, 20), kBackRgb);
}

TEST_P(Render, RealPressesOffsetThePictureInTheOffsetModesAndBevelTheBevelModes) {
  for (short mode = 0; mode < 6; ++mode) {
    SCOPED_TRACE(mode);
    auto b = Make(L"pic.bmp", L"AutoSize=BOOL:False\nHoldingFlag=I2:" + std::to_wstring(mode << 8) + L"\n");
    ASSERT_TRUE(b);
    const bool offset = mode != 0 && mode != 3;
    const bool bevel = mode == 2 || mode == 5;
    Drawing rest, pressed, released;
    ASSERT_TRUE(b->Screen(rest));
    b->LeftDown(5, 5);
    ASSERT_TRUE(b->Screen(pressed));
    b->LeftUp(5, 5);
    ASSERT_TRUE(b->Screen(released));
    ASSERT_EQ(rest.w, 40);
    // An inner pixel of the picture, away from the bevel's edges.
    EXPECT_EQ(rest.At(7, 6), Colour(7, 6));
    const int d = offset ? 2 : 0;
    EXPECT_EQ(pressed.At(7 + d, 6 + d), Colour(7, 6));
    // Check modes stay down (and offset) after the first release.
    const bool latched = mode >= 3;
    EXPECT_EQ(released.At(7 + (latched ? d : 0), 6 + (latched ? d : 0)), Colour(7, 6));
    if (bevel) {
      // Raised at rest: light top-left, dark bottom-right; sunken while pressed.
      EXPECT_GT(Luma(rest.At(0, 15)), Luma(kBackRgb));
      EXPECT_LT(Luma(rest.At(39, 15)), Luma(kBackRgb));
      EXPECT_LT(Luma(pressed.At(0, 15)), Luma(kBackRgb));
      EXPECT_GT(Luma(pressed.At(39, 15)), Luma(kBackRgb));
      EXPECT_EQ(Luma(released.At(0, 15)) > Luma(kBackRgb), !latched);
    } else {
      EXPECT_EQ(rest.At(0, 15), kBackRgb);
      EXPECT_EQ(pressed.At(39, 15), kBackRgb);
    }
    // The window and the view object paint the same.
    Drawing view;
    ASSERT_TRUE(b->Draw(40, 30, kBack, view));
    EXPECT_EQ(view.px, released.px);
  }
}

TEST_P(Render, FlippingMirrorsTheCaptionWithThePicture) {
  ASSERT_TRUE(WriteSolidBmp(folder + L"white.bmp", 60, 30, 0x00FFFFFF));
  auto b = Make(L"white.bmp", L"TextColor=I4:0\nTextAlignHor=I2:0\nText=BSTR:\"Fl\"\n", RECT{10, 10, 70, 40});
  ASSERT_TRUE(b);
  Drawing plain, flipped;
  ASSERT_TRUE(b->Screen(plain));
  Put(*b, L"FlipHorisontal", tests::Bool(true));
  ASSERT_TRUE(b->Screen(flipped));
  ASSERT_EQ(plain.w, 60);
  int ink = 0;
  bool mirrored = true;
  for (int y = 0; y < plain.h; ++y)
    for (int x = 0; x < plain.w; ++x) {
      if (plain.At(x, y) != 0x00FFFFFF) ++ink;
      mirrored = mirrored && flipped.At(plain.w - 1 - x, y) == plain.At(x, y);
    }
  EXPECT_GT(ink, 10);
  EXPECT_TRUE(mirrored);
  // Left-aligned caption: its ink is in the left half before the flip.
  EXPECT_LE(plain.ExtentNot(0x00FFFFFF).cx, 30);
}

TEST_P(Render, GlobalBlendAppliesToAPictureAtItsNaturalSize) {
  auto b = Make(L"pic.bmp", L"EffectGlobalBlend=BOOL:True\nEffectGlobalBlendValue=I2:128\n");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->WindowSize().cx, 20);  // auto-sized: the direct copy would apply if nothing else did
  Drawing d;
  ASSERT_TRUE(b->Screen(d));
  const uint32_t c = Colour(5, 3);
  uint32_t expect = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int ch = int((c >> shift) & 0xFF), bk = int((kBackRgb >> shift) & 0xFF);
    expect |= uint32_t(((ch * 256 + (bk - ch) * 128) >> 8) & 0xFF) << shift;
  }
  EXPECT_EQ(d.At(5, 3), expect);
}

TEST_P(Render, FastDrawRepaintsTheInvalidPartInPlace) {
  for (bool fast : {true, false}) {
    SCOPED_TRACE(fast ? "FastDraw" : "full");
    auto b = Make(L"wide.bmp", std::wstring(L"AutoSize=BOOL:False\nFastDraw=BOOL:") + (fast ? L"True" : L"False") +
                                   L"\nStretch=I2:2\n");
    ASSERT_TRUE(b);
    Drawing before;
    ASSERT_TRUE(b->Screen(before));
    HDC dc = GetDC(b->Window());
    RECT all{0, 0, 40, 30};
    FillRect(dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(b->Window(), dc);
    RECT part{10, 8, 25, 20};
    InvalidateRect(b->Window(), &part, FALSE);
    Drawing after;
    ASSERT_TRUE(b->Screen(after));
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inside = x >= 10 && x < 25 && y >= 8 && y < 20;
        ASSERT_EQ(after.At(x, y), inside ? before.At(x, y) : 0u) << x << "," << y;
      }
  }
}

TEST_P(Render, AutoSizeFollowsThePictureAndNeverShrinksBelowTheNormalOne) {
  ASSERT_TRUE(tests::WriteBmp24(folder + L"small.bmp", 12, 6));
  ASSERT_TRUE(tests::WriteBmp24(folder + L"big.bmp", 30, 25));
  auto b = Make(L"wide.bmp", L"SmartLoading=BOOL:False\nPictureOverURL=BSTR:" + BagString(folder + L"small.bmp") +
                                 L"\nPictureDownURL=BSTR:" + BagString(folder + L"big.bmp") + L"\n");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->WindowSize().cx, 40);
  EXPECT_EQ(b->WindowSize().cy, 20);
  // Sized where the container put it (in the ATL host the host window is the parent).
  RECT own{};
  GetWindowRect(b->Window(), &own);
  MapWindowPoints(nullptr, GetParent(b->Window()), reinterpret_cast<POINT*>(&own), 2);
  EXPECT_EQ(own.left, GetParam() == HostKind::Ours ? 10 : 0);
  EXPECT_EQ(own.top, GetParam() == HostKind::Ours ? 10 : 0);
  if (b->Host()) {
    const RECT site = b->Host()->Rect();  // the container was told
    EXPECT_EQ(site.left, 10);
    EXPECT_EQ(site.right - site.left, 40);
    EXPECT_EQ(site.bottom - site.top, 20);
  }
  b->PointerAt(5, 5);  // the over picture is smaller: the control keeps the normal size
  EXPECT_EQ(b->WindowSize().cx, 40);
  EXPECT_EQ(b->WindowSize().cy, 20);
  b->LeftDown(5, 5);  // the down picture is taller
  EXPECT_EQ(b->WindowSize().cx, 40);
  EXPECT_EQ(b->WindowSize().cy, 25);
  b->LeftUp(5, 5);
  EXPECT_EQ(b->WindowSize().cy, 20);  // over again
  b->ClearEvents();
  b->PointerAway();
  ASSERT_TRUE(PumpUntil(2000, [&] { return !b->Events().empty(); }));
  EXPECT_EQ(b->WindowSize().cx, 40);
  EXPECT_EQ(b->WindowSize().cy, 20);

  // A new normal picture re-sizes the control to it.
  ASSERT_HRESULT_SUCCEEDED(tests::Put(b->Disp(), L"PictureURL", *tests::Str(folder + L"pic.bmp").Ptr()));
  Pump(0);
  EXPECT_EQ(b->WindowSize().cx, 20);
  EXPECT_EQ(b->WindowSize().cy, 10);
}

TEST_P(Render, Stretch4HoldsNinetySixSquareAndStretch3FillsTheParent) {
  auto b = Make(L"pic.bmp", L"Stretch=I2:4\n");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->WindowSize().cx, 96);
  EXPECT_EQ(b->WindowSize().cy, 96);
  SIZEL extent{};
  ASSERT_HRESULT_SUCCEEDED(common::QueryAs<IOleObject>(b->Disp())->GetExtent(DVASPECT_CONTENT, &extent));
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(extent.cx, MulDiv(96, 2540, GetDeviceCaps(screen, LOGPIXELSX)));
  ReleaseDC(nullptr, screen);
  b->ResizeSite(200, 150);
  EXPECT_EQ(b->WindowSize().cx, 96);
  EXPECT_EQ(b->WindowSize().cy, 96);
  SetWindowPos(b->Window(), nullptr, 0, 0, 30, 30, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(b->WindowSize().cx, 96);
  Drawing d;
  ASSERT_TRUE(b->Screen(d));
  EXPECT_EQ(d.At(95, 95), Colour(19, 9));  // the picture fills the 96 × 96

  Put(*b, L"Stretch", tests::I2(3));
  RECT parent{};
  GetClientRect(GetParent(b->Window()), &parent);
  RECT own{};
  GetWindowRect(b->Window(), &own);
  MapWindowPoints(nullptr, GetParent(b->Window()), reinterpret_cast<POINT*>(&own), 2);
  EXPECT_EQ(own.left, 0);
  EXPECT_EQ(own.top, 0);
  EXPECT_EQ(own.right, parent.right);
  EXPECT_EQ(own.bottom, parent.bottom);
}

INSTANTIATE_TEST_SUITE_P(Hosts, Render, ::testing::Values(HostKind::Ours, HostKind::Atl),
                         [](const ::testing::TestParamInfo<HostKind>& info) { return HostName(info.param); });
