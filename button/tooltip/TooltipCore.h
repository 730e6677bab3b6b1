#pragma once
// CTooltipCore: what the tooltip does, apart from the platform. It waits, comes up below the mouse
// pointer over what the screen showed there, animates the finished picture in and goes away after
// the show time. The window, its timers, the multimedia timer, the pointer and GDI are reached
// through ITooltipPlatform, so the sequence runs natively in unit tests too.
//
// States: idle (nothing exists) -> waiting (Start: a hidden zero-size carrier window and the wait
// timer) -> showing (the wait timer fired and Show succeeded: the visible window, the show timer and,
// while frames remain, the animation timer) -> idle (show timer or Hide). Every call comes on the
// window's thread; the platform brings the animation timer's ticks there (AnimationStep).
#include <cstdint>
#include <string>

#include "button/pixels/ImageDIB.h"
#include "button/tooltip/TooltipPicture.h"
#include "button/tooltip/TooltipPlacement.h"

namespace button {

// Window timer ids.
constexpr int kShowTimer = 242;
constexpr int kWaitTimer = 243;

// The four colours, OLE colours (red in the low byte).
struct Colors {
  uint32_t back = 0;      // gradient at the left edge
  uint32_t gradient = 0;  // gradient at the right edge
  uint32_t text = 0;
  uint32_t border = 0;
};

struct Settings {
  std::wstring text;
  long showTime = 7000;  // ms from appearance to removal
  long animTime = 50;    // ms between animation steps
  long waitTime = 1000;  // ms from Start to appearance
  int effect = kBlend;
  Colors colors;
};

class ITooltipPlatform {
 public:
  virtual ~ITooltipPlatform() = default;
  // The tooltip's popup window, created hidden with a zero rectangle and owned by the owner window.
  virtual bool CreateCarrier() = 0;
  virtual bool HasWindow() const = 0;
  virtual void DestroyCarrier() = 0;
  virtual void StartTimer(int id, uint32_t ms) = 0;
  virtual void StopTimer(int id) = 0;
  // The periodic animation timer; false when it cannot run with that period.
  virtual bool StartAnimation(uint32_t periodMs) = 0;
  virtual void StopAnimation() = 0;
  // Screen position for the tooltip's top-left corner, from the mouse pointer; false: no tooltip.
  virtual bool PointerAnchor(TooltipPosition& anchor) = 0;
  // The text's size with the tooltip font; false when it cannot be measured.
  virtual bool MeasureText(const std::wstring& text, int32_t& width, int32_t& height) = 0;
  virtual void ScreenSize(int32_t& width, int32_t& height) = 0;
  // What the screen shows at (x, y), the size of `into`.
  virtual void GrabScreen(int32_t x, int32_t y, CImageDIB& into) = 0;
  // Draws the text with the tooltip font, transparently, at (x, y) from the image's top-left corner.
  virtual void RenderText(CImageDIB& image, const std::wstring& text, int32_t x, int32_t y, uint32_t color) = 0;
  // Moves and sizes the window and shows it without activating it.
  virtual void PlaceAndShow(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
  // Paints the display buffer at once.
  virtual void Repaint() = 0;
};

// A text that begins with "&" shows without it, in the system's tooltip colours.
bool UsesSystemColors(const std::wstring& text);
// The text a tooltip text shows.
std::wstring ShownText(const std::wstring& text);

class CTooltipCore {
 public:
  // `systemColors` are the colours of texts that begin with "&" (the system's tooltip colours); they
  // are also the colours until Configure gives others.
  CTooltipCore(ITooltipPlatform& platform, const Colors& systemColors);
  CTooltipCore(const CTooltipCore&) = delete;
  CTooltipCore& operator=(const CTooltipCore&) = delete;

  // Takes text, times, effect and colours; nothing on show changes until the next Show.
  void Configure(const Settings& settings);
  const Settings& Current() const { return m_settings; }

  // Hide, then (with an owner) the carrier window and the wait timer. False when nothing started.
  bool Start(bool hasOwner);
  // Stops the animation, releases the pictures and destroys the window with its timers. Any time.
  void Hide();
  // Stores the text; a tooltip on show is laid out again at once with it (at the pointer's new place
  // with `reposition`), the finished picture blended in by `amount` (255: put in place).
  void SetText(const std::wstring& text, bool reposition, int amount);

  // The window's timer message and the animation timer's tick.
  void OnTimer(int id);
  void AnimationStep();

  // What tests and the window read.
  bool Waiting() const { return m_waitRunning; }
  bool Showing() const { return m_showRunning; }
  bool Animating() const { return m_animating; }
  int32_t Frame() const { return m_frame; }
  int32_t FrameTotal() const { return m_frameTotal; }
  TooltipPosition Position() const { return m_position; }
  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  CImageDIB& Display() { return m_display; }
  const CImageDIB& Final() const { return m_final; }
  const CImageDIB& Background() const { return m_background; }

 private:
  // The text and colours a stored text shows with: "&text" shows "text" in the system colours.
  struct Shown {
    std::wstring text;
    Colors colors;
  };
  Shown ShownNow() const;
  void Show();
  bool Layout(const Shown& shown);
  void StopAnimation();

  ITooltipPlatform& m_platform;
  Settings m_settings;
  const Colors m_systemColors;
  TooltipPosition m_anchor;    // from the pointer
  TooltipPosition m_position;  // the window's corner, kept on the screen
  int32_t m_width = 0;
  int32_t m_height = 0;
  CImageDIB m_display;     // what the window paints
  CImageDIB m_final;       // the finished tooltip picture
  CImageDIB m_background;  // what the screen showed beneath
  int32_t m_frame = 0;
  int32_t m_frameTotal = 0;
  bool m_waitRunning = false;
  bool m_showRunning = false;
  bool m_animating = false;
};

}  // namespace button
