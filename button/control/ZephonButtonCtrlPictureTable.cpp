#include "button/control/ZephonButtonCtrlPictureTable.h"

#include <map>
#include <mutex>

namespace button {

namespace {

struct Registry {
  std::mutex lock;
  std::map<int32_t, const ZbPictureTable*> tables;
  int32_t next = 1;
};

Registry& TheRegistry() {
  static Registry* r = new Registry;  // never destroyed: controls may be released during process exit
  return *r;
}

}  // namespace

int32_t Register(const ZbPictureTable* table) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  // Cookies count up and wrap within the positive range, skipping any still in use.
  while (r.tables.count(r.next)) r.next = r.next == INT32_MAX ? 1 : r.next + 1;
  const int32_t cookie = r.next;
  r.next = r.next == INT32_MAX ? 1 : r.next + 1;
  r.tables[cookie] = table;
  return cookie;
}

void Unregister(int32_t cookie) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  r.tables.erase(cookie);
}

const ZbPictureTable* Lookup(int32_t cookie) {
  Registry& r = TheRegistry();
  std::lock_guard<std::mutex> hold(r.lock);
  auto it = r.tables.find(cookie);
  return it == r.tables.end() ? nullptr : it->second;
}

}  // namespace button
