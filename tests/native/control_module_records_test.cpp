// The persisted-property record format: round trips, and damaged or hostile data that must load
// what it can without reading out of bounds.
#include <gtest/gtest.h>

#include <cstring>

#include "button/framework/PropRecords.h"

using namespace button;

namespace {

std::vector<uint8_t> Sample() {
  RecordWriter w;
  w.Long(u"_Version", 0x00040032);
  w.Short(u"AlignHor", -2);
  w.Bool(u"AutoSize", true);
  w.Color(u"BackGroundColor", 0x80C08E00u);
  w.String(u"PictureURL", u"c:\\pics\\\u00e9t\u00e9.bmp");
  w.Blob(u"TextFont", {1, 2, 3, 0, 255});
  w.String(u"Text", u"");
  EXPECT_TRUE(w.ok());
  return w.Finish();
}

// Parses a whole buffer the way the control does: header, then the payload that is really there.
size_t ParseAll(const std::vector<uint8_t>& bytes, RecordSet& set) {
  if (bytes.size() < kHeaderBytes) return 0;
  Header h;
  if (ParseHeader(bytes.data(), h) != HeaderStatus::Ok) return 0;
  size_t avail = std::min<size_t>(h.payloadBytes, bytes.size() - kHeaderBytes);
  return set.Parse(bytes.data() + kHeaderBytes, avail, h.count);
}

}  // namespace

TEST(PropRecords, RoundTripKeepsEveryValueExactly) {
  RecordSet set;
  ASSERT_EQ(ParseAll(Sample(), set), 7u);
  int32_t l = 0;
  int16_t s = 0;
  bool b = false;
  uint32_t c = 0;
  std::u16string str = u"x";
  std::vector<uint8_t> blob;
  EXPECT_TRUE(set.GetLong(u"_Version", l));
  EXPECT_EQ(l, 0x00040032);
  EXPECT_TRUE(set.GetShort(u"AlignHor", s));
  EXPECT_EQ(s, -2);
  EXPECT_TRUE(set.GetBool(u"AutoSize", b));
  EXPECT_TRUE(b);
  EXPECT_TRUE(set.GetColor(u"BackGroundColor", c));
  EXPECT_EQ(c, 0x80C08E00u);
  EXPECT_TRUE(set.GetString(u"PictureURL", str));
  EXPECT_EQ(str, u"c:\\pics\\\u00e9t\u00e9.bmp");
  EXPECT_TRUE(set.GetBlob(u"TextFont", blob));
  EXPECT_EQ(blob, (std::vector<uint8_t>{1, 2, 3, 0, 255}));
  EXPECT_TRUE(set.GetString(u"Text", str));
  EXPECT_EQ(str, u"");
}

TEST(PropRecords, WrongTypeOrMissingNameLeavesTheCallerToItsDefault) {
  RecordSet set;
  ParseAll(Sample(), set);
  int16_t s = 7;
  std::u16string str;
  EXPECT_FALSE(set.GetShort(u"AutoSize", s));  // stored as a boolean
  EXPECT_FALSE(set.GetString(u"AlignHor", str));
  EXPECT_FALSE(set.GetShort(u"alignhor", s));  // names are exact
  EXPECT_FALSE(set.GetShort(u"Missing", s));
  EXPECT_EQ(s, 7);
}

TEST(PropRecords, HeaderRejectsForeignNewerAndOversizedData) {
  std::vector<uint8_t> bytes = Sample();
  Header h;
  EXPECT_EQ(ParseHeader(bytes.data(), h), HeaderStatus::Ok);
  std::vector<uint8_t> bad = bytes;
  bad[0] = 'X';
  EXPECT_EQ(ParseHeader(bad.data(), h), HeaderStatus::BadMagic);
  bad = bytes;
  bad[4] = kFormatVersion + 1;
  EXPECT_EQ(ParseHeader(bad.data(), h), HeaderStatus::NewerFormat);
  bad = bytes;
  bad[4] = 0;
  EXPECT_EQ(ParseHeader(bad.data(), h), HeaderStatus::NewerFormat);
  bad = bytes;
  const uint32_t huge = kMaxPayload + 1;
  std::memcpy(bad.data() + 12, &huge, 4);
  EXPECT_EQ(ParseHeader(bad.data(), h), HeaderStatus::TooLarge);
}

TEST(PropRecords, EveryTruncationKeepsTheWholeRecordsBeforeIt) {
  const std::vector<uint8_t> full = Sample();
  size_t previous = 0;
  for (size_t cut = kHeaderBytes; cut <= full.size(); ++cut) {
    std::vector<uint8_t> part(full.begin(), full.begin() + cut);
    RecordSet set;
    size_t n = ParseAll(part, set);
    EXPECT_GE(n, previous) << "cut at " << cut;
    previous = n;
    int32_t v = 0;
    if (n >= 1) {
      EXPECT_TRUE(set.GetLong(u"_Version", v));
      EXPECT_EQ(v, 0x00040032);
    }
  }
  EXPECT_EQ(previous, 7u);
}

TEST(PropRecords, HostileRecordFieldsStopParsingWithoutOverreading) {
  // A record whose value claims more bytes than there are, and one with a zero-length name.
  std::vector<uint8_t> payload = {uint8_t(ValueType::Short), 1, 0, 'A', 0, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2};
  RecordSet set;
  EXPECT_EQ(set.Parse(payload.data(), payload.size(), 1), 0u);
  payload = {uint8_t(ValueType::Short), 0, 0, 2, 0, 0, 0, 1, 2};
  EXPECT_EQ(set.Parse(payload.data(), payload.size(), 1), 0u);
  // An unknown type is skipped, the record after it still counts; sizes that do not fit the type
  // and booleans other than 0/1 are refused on lookup.
  payload = {99,
             1,
             0,
             'X',
             0,
             1,
             0,
             0,
             0,
             7,  // unknown type
             uint8_t(ValueType::Short),
             1,
             0,
             'S',
             0,
             3,
             0,
             0,
             0,
             1,
             2,
             3,  // short of 3 bytes
             uint8_t(ValueType::Bool),
             1,
             0,
             'B',
             0,
             1,
             0,
             0,
             0,
             2,  // boolean 2
             uint8_t(ValueType::String),
             1,
             0,
             'T',
             0,
             3,
             0,
             0,
             0,
             'a',
             0,
             'b'};  // odd string
  EXPECT_EQ(set.Parse(payload.data(), payload.size(), 100), 3u);
  int16_t s = 0;
  bool b = false;
  std::u16string t;
  EXPECT_FALSE(set.GetShort(u"S", s));
  EXPECT_FALSE(set.GetBool(u"B", b));
  EXPECT_FALSE(set.GetString(u"T", t));
  EXPECT_FALSE(set.Has(u"X"));
}

TEST(PropRecords, DuplicateNamesKeepTheFirstAndBadNamesAreNotWritten) {
  RecordWriter w;
  w.Short(u"N", 1);
  w.Short(u"N", 2);
  EXPECT_TRUE(w.ok());
  w.Short(u"", 3);
  EXPECT_FALSE(w.ok());
  RecordSet set;
  ParseAll(w.Finish(), set);
  int16_t s = 0;
  EXPECT_TRUE(set.GetShort(u"N", s));
  EXPECT_EQ(s, 1);
  EXPECT_EQ(set.size(), 1u);
}
