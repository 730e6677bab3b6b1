#include "button/control/AnimationDirectory.h"

#include <utility>

namespace button {

std::wstring PatternFolder(const std::wstring& pattern) {
  const size_t cut = pattern.find_last_of(L"\\/:");
  return cut == std::wstring::npos ? std::wstring() : pattern.substr(0, cut + 1);
}

CAnimationDirectory::CAnimationDirectory(std::unique_ptr<AnimationPlatform> platform, Callbacks callbacks)
    : m_platform(std::move(platform)), m_callbacks(std::move(callbacks)) {}

CAnimationDirectory::~CAnimationDirectory() { Stop(); }

void CAnimationDirectory::Start(const std::wstring& pattern, long delayMs) {
  Stop();
  m_folder = PatternFolder(m_platform->FullPattern(pattern));
  m_delayMs = delayMs < 0 ? 0u : unsigned(delayMs);
  if (!m_platform->FindFirst(pattern)) {
    m_platform->FindClose();
    if (m_callbacks.fireAnimationEnd) m_callbacks.fireAnimationEnd();
    return;
  }
  m_entryPending = true;
  m_state = State::Waiting;
  if (m_platform->HasWindow()) RequestTimer();
}

void CAnimationDirectory::Stop() {
  if (m_state == State::Idle) return;
  if (m_state == State::Running && m_platform->HasWindow()) m_platform->KillTimer(kTimerId);
  m_platform->FindClose();
  m_state = State::Idle;
  m_entryPending = false;
}

void CAnimationDirectory::Finish() {
  Stop();
  if (m_callbacks.fireAnimationEnd) m_callbacks.fireAnimationEnd();
}

void CAnimationDirectory::RequestTimer() {
  if (m_platform->SetTimer(kTimerId, m_delayMs))
    m_state = State::Running;
  else
    Finish();
}

bool CAnimationDirectory::OnTimer(unsigned id) {
  if (id != kTimerId || m_state != State::Running) return false;
  for (;;) {
    if (!m_entryPending && !m_platform->FindNext()) {
      Finish();
      return true;
    }
    m_entryPending = false;
    if (m_platform->EntryIsFolder()) continue;
    // The setter may fire events whose handlers stop or restart the animation: nothing of this tick
    // is touched after it.
    const std::wstring path = m_folder + m_platform->EntryName();
    if (m_callbacks.setPictureUrl) m_callbacks.setPictureUrl(path);
    return true;
  }
}

void CAnimationDirectory::OnWindowCreated() {
  if (m_state == State::Waiting) RequestTimer();
}

void CAnimationDirectory::OnWindowDestroyed() {
  if (m_state != State::Running) return;
  if (m_platform->HasWindow()) m_platform->KillTimer(kTimerId);
  m_state = State::Waiting;
}

}  // namespace button
