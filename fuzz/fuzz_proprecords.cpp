// The control's persisted-property records over arbitrary bytes, read the way a load reads them,
// then written again and re-read: what was read must survive unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "button/framework/PropRecords.h"

using namespace button;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeaderBytes) return 0;
  Header h;
  if (ParseHeader(data, h) != HeaderStatus::Ok) return 0;
  const size_t avail = std::min<size_t>(h.payloadBytes, size - kHeaderBytes);
  RecordSet set;
  set.Parse(data + kHeaderBytes, avail, h.count);
  // Every name a real control asks for, with every type.
  const std::u16string names[] = {u"_Version", u"_ExtentX", u"Text", u"Enabled", u"TextFont", u"A"};
  RecordWriter w;
  for (const std::u16string& n : names) {
    int16_t s;
    int32_t l;
    bool b;
    uint32_t c;
    std::u16string str;
    std::vector<uint8_t> blob;
    if (set.GetShort(n, s)) w.Short(n + u"s", s);
    if (set.GetLong(n, l)) w.Long(n + u"l", l);
    if (set.GetBool(n, b)) w.Bool(n + u"b", b);
    if (set.GetColor(n, c)) w.Color(n + u"c", c);
    if (set.GetString(n, str)) w.String(n + u"t", str);
    if (set.GetBlob(n, blob)) w.Blob(n + u"x", blob);
  }
  std::vector<uint8_t> again = w.Finish();
  Header h2;
  if (ParseHeader(again.data(), h2) != HeaderStatus::Ok) std::abort();
  RecordSet back;
  if (back.Parse(again.data() + kHeaderBytes, again.size() - kHeaderBytes, h2.count) != h2.count) std::abort();
  return 0;
}
