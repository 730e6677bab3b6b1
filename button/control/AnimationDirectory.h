#pragma once
// The button's picture animation: steps through the files a search pattern matches and makes each in
// turn the normal picture, one per timer tick, then reports the end.
//
// Choices made here:
// - Every matching file is shown, the last one included; AnimationEnd fires on the tick after the last
//   change (so the last picture stays up one interval like the others), exactly once per sequence.
// - Folder entries (".", "..", sub-folders) are passed over within the same tick, so frames stay evenly
//   spaced; a pattern that matches only folders ends at the first tick.
// - A start before the control has a window opens the search at once (a pattern matching nothing ends
//   at once, as always) and requests the timer when the window appears (OnWindowCreated). A window
//   that goes away pauses the animation the same way until the next window.
// - A timer the window system refuses ends the sequence (AnimationEnd) instead of leaving it hanging.
// - A negative delay is taken as 0 (the window system's shortest interval).
// - A frame's path is the pattern's folder made absolute plus the entry's name, so a relative pattern
//   still gives PictureURL a full path.
//
// The file search and the window timer are reached through AnimationPlatform, so the driver itself is
// portable; AnimationDirectory_win.cpp supplies the Win32 one.
#include <functional>
#include <memory>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace button {

class AnimationPlatform {
 public:
  virtual ~AnimationPlatform() = default;
  // The pattern with its folder made absolute, as the frames' paths name it.
  virtual std::wstring FullPattern(const std::wstring& pattern) const { return pattern; }
  // Opens a search over the pattern; true when it has a first entry, which becomes the current one.
  virtual bool FindFirst(const std::wstring& pattern) = 0;
  // Moves to the next entry; false at the end of the search.
  virtual bool FindNext() = 0;
  virtual void FindClose() = 0;
  // The current entry: its file name (no folder) and whether it is a folder.
  virtual std::wstring EntryName() const = 0;
  virtual bool EntryIsFolder() const = 0;
  // The control's window timer.
  virtual bool HasWindow() const = 0;
  virtual bool SetTimer(unsigned id, unsigned periodMs) = 0;
  virtual void KillTimer(unsigned id) = 0;
};

// The folder part of a search pattern, with its trailing separator ("C:\pics\*.bmp" -> "C:\pics\").
std::wstring PatternFolder(const std::wstring& pattern);

class CAnimationDirectory {
 public:
  static constexpr unsigned kTimerId = 241;

  struct Callbacks {
    std::function<void(const std::wstring&)> setPictureUrl;  // through the PictureURL setter
    std::function<void()> fireAnimationEnd;
  };

  CAnimationDirectory(std::unique_ptr<AnimationPlatform> platform, Callbacks callbacks);
  ~CAnimationDirectory();
  CAnimationDirectory(const CAnimationDirectory&) = delete;
  CAnimationDirectory& operator=(const CAnimationDirectory&) = delete;

  // AnimationDirectory(DirectoryName, DelayMsek): start, or restart from the first entry.
  void Start(const std::wstring& pattern, long delayMs);
  // AnimationDirectoryStop: stop without AnimationEnd.
  void Stop();
  // A timer message of the control's window; false when the identifier is not the animation's (the
  // control then passes the message on).
  bool OnTimer(unsigned id);
  // The control's window was created / is being destroyed.
  void OnWindowCreated();
  void OnWindowDestroyed();

  bool Running() const { return m_state != State::Idle; }
  bool TimerActive() const { return m_state == State::Running; }

 private:
  enum class State { Idle, Waiting, Running };  // Waiting: search open, no window (timer) yet
  void RequestTimer();
  void Finish();  // stop, then AnimationEnd

  std::unique_ptr<AnimationPlatform> m_platform;
  Callbacks m_callbacks;
  State m_state = State::Idle;
  std::wstring m_folder;
  unsigned m_delayMs = 0;
  bool m_entryPending = false;  // the search's current entry has not been shown yet
};

#ifdef _WIN32
// GetFullPathNameW, FindFirstFileW / FindNextFileW and SetTimer / KillTimer on the window `window`
// returns at the time.
std::unique_ptr<AnimationPlatform> MakeWin32AnimationPlatform(std::function<HWND()> window);
#endif

}  // namespace button
