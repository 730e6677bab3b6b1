#pragma once
// An owned registry key: closed when the holder goes away.
#include <windows.h>

namespace zb {

class RegKey {
 public:
  RegKey() = default;
  explicit RegKey(HKEY key) : key_(key) {}
  ~RegKey() { Reset(); }
  RegKey(RegKey&& other) noexcept : key_(other.Release()) {}
  RegKey& operator=(RegKey&& other) noexcept {
    if (this != &other) {
      Reset();
      key_ = other.Release();
    }
    return *this;
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  HKEY Get() const { return key_; }
  // For the out-parameter of RegOpenKeyEx / RegCreateKeyEx; closes any key held before.
  HKEY* Put() {
    Reset();
    return &key_;
  }
  HKEY Release() {
    HKEY k = key_;
    key_ = nullptr;
    return k;
  }
  void Reset() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace zb
