#include "button/control/AnimationDirectory.h"

#include <utility>

std::wstring PatternFolder(const std::wstring& pattern) {
  const size_t cut = pattern.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring() : pattern.substr(0, cut + 1);
}

CAnimationDirectory::CAnimationDirectory(std::unique_ptr<AnimationPlatform> platform, Callbacks callbacks)
    : m_Platform(std::move(platform)), m_Callbacks(std::move(callbacks)) {}

CAnimationDirectory::~CAnimationDirectory() { Stop(); }

void CAnimationDirectory::Start(const std::wstring& pattern, long delayMs) {
  Stop();
  m_Folder = PatternFolder(m_Platform->FullPattern(pattern));
  m_DelayMs = delayMs < 0 ? 0u : unsigned(delayMs);
  if (!m_Platform->FindFirst(pattern)) {
    m_Platform->FindClose();
    if (m_Callbacks.fireAnimationEnd) m_Callbacks.fireAnimationEnd();
    return;
  }
  m_EntryPending = true;
  m_State = State::Waiting;
  if (m_Platform->HasWindow()) RequestTimer();
}

void CAnimationDirectory::Stop() {
  if (m_State == State::Idle) return;
  if (m_State == State::Running && m_Platform->HasWindow()) m_Platform->KillTimer(kTimerId);
  m_Platform->FindClose();
  m_State = State::Idle;
  m_EntryPending = false;
}

void CAnimationDirectory::Finish() {
  Stop();
  if (m_Callbacks.fireAnimationEnd) m_Callbacks.fireAnimationEnd();
}

void CAnimationDirectory::RequestTimer() {
  if (m_Platform->SetTimer(kTimerId, m_DelayMs))
    m_State = State::Running;
  else
    Finish();
}

bool CAnimationDirectory::OnTimer(unsigned id) {
  if (id != kTimerId || m_State != State::Running) return false;
  for (;;) {
    if (!m_EntryPending && !m_Platform->FindNext()) {
      Finish();
      return true;
    }
    m_EntryPending = false;
    if (m_Platform->EntryIsFolder()) continue;
    // The setter may fire events whose handlers stop or restart the animation: nothing of this tick
    // is touched after it.
    const std::wstring path = m_Folder + m_Platform->EntryName();
    if (m_Callbacks.setPictureUrl) m_Callbacks.setPictureUrl(path);
    return true;
  }
}

void CAnimationDirectory::OnWindowCreated() {
  if (m_State == State::Waiting) RequestTimer();
}

void CAnimationDirectory::OnWindowDestroyed() {
  if (m_State != State::Running) return;
  if (m_Platform->HasWindow()) m_Platform->KillTimer(kTimerId);
  m_State = State::Waiting;
}
