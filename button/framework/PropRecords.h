#pragma once
// The control's stream format for persisted properties: a small versioned header, then named,
// typed, length-prefixed records. Portable (no Win32), so the parser is tested and fuzzed natively.
//
//   header (16 bytes, little-endian):
//     "ZBPX"            magic
//     u16 format        kFormatVersion; a reader refuses a higher one
//     u16 reserved      0
//     u32 count         number of records
//     u32 payloadBytes  bytes of records that follow (at most kMaxPayload)
//   record:
//     u8  type          ValueType
//     u16 nameUnits     UTF-16 code units of the name (1..kMaxNameUnits)
//     ..  name          UTF-16LE
//     u32 valueBytes    bytes of the value
//     ..  value         Short: 2, Long/Color: 4, Bool: 1 (0 or 1), String: UTF-16LE (even), Blob: any
//
// A reader looks values up by name, so missing, extra or reordered records cost nothing, and a record
// of the wrong type or size is ignored (the caller keeps its default).
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace button {

constexpr uint16_t kFormatVersion = 1;
constexpr size_t kHeaderBytes = 16;
constexpr uint32_t kMaxPayload = 16u * 1024 * 1024;
constexpr uint16_t kMaxNameUnits = 256;

enum class ValueType : uint8_t { Short = 1, Long = 2, Bool = 3, Color = 4, String = 5, Blob = 6 };

enum class HeaderStatus { Ok, BadMagic, NewerFormat, TooLarge };

struct Header {
  uint16_t format = kFormatVersion;
  uint32_t count = 0;
  uint32_t payloadBytes = 0;
};

// Checks the 16 header bytes.
HeaderStatus ParseHeader(const uint8_t* bytes, Header& out);

// Builds a header and payload.
class RecordWriter {
 public:
  void Short(const std::u16string& name, int16_t v);
  void Long(const std::u16string& name, int32_t v);
  void Bool(const std::u16string& name, bool v);
  void Color(const std::u16string& name, uint32_t v);
  void String(const std::u16string& name, const std::u16string& v);
  void Blob(const std::u16string& name, const std::vector<uint8_t>& v);
  // False when the payload would exceed kMaxPayload or a name is out of bounds (the record is dropped).
  bool ok() const { return m_ok; }
  // Header followed by the payload.
  std::vector<uint8_t> Finish() const;

 private:
  void Add(const std::u16string& name, ValueType type, const uint8_t* data, size_t size);
  std::vector<uint8_t> m_payload;
  uint32_t m_count = 0;
  bool m_ok = true;
};

// Parsed records of one payload.
class RecordSet {
 public:
  // Parses as many whole records as the payload holds (a truncated tail is dropped). Returns the
  // number of records taken; duplicates after the first of a name are ignored.
  size_t Parse(const uint8_t* payload, size_t size, uint32_t declaredCount);

  bool GetShort(const std::u16string& name, int16_t& v) const;
  bool GetLong(const std::u16string& name, int32_t& v) const;
  bool GetBool(const std::u16string& name, bool& v) const;
  bool GetColor(const std::u16string& name, uint32_t& v) const;
  bool GetString(const std::u16string& name, std::u16string& v) const;
  bool GetBlob(const std::u16string& name, std::vector<uint8_t>& v) const;
  size_t size() const { return m_records.size(); }
  bool Has(const std::u16string& name) const { return m_records.count(name) != 0; }

 private:
  struct Value {
    ValueType type;
    std::vector<uint8_t> data;
  };
  const Value* Find(const std::u16string& name, ValueType type) const;
  std::unordered_map<std::u16string, Value> m_records;
};

}  // namespace button
