#include "button/framework/PropRecords.h"

#include <cstring>

namespace button {

namespace {

constexpr uint8_t kMagic[4] = {'Z', 'B', 'P', 'X'};

uint16_t Get16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

HeaderStatus ParseHeader(const uint8_t* bytes, Header& out) {
  if (std::memcmp(bytes, kMagic, 4) != 0) return HeaderStatus::BadMagic;
  out.format = Get16(bytes + 4);
  out.count = Get32(bytes + 8);
  out.payloadBytes = Get32(bytes + 12);
  if (out.format == 0 || out.format > kFormatVersion) return HeaderStatus::NewerFormat;
  if (out.payloadBytes > kMaxPayload) return HeaderStatus::TooLarge;
  return HeaderStatus::Ok;
}

void RecordWriter::Add(const std::u16string& name, ValueType type, const uint8_t* data, size_t size) {
  if (name.empty() || name.size() > kMaxNameUnits) {
    m_ok = false;
    return;
  }
  const size_t recordBytes = 1 + 2 + name.size() * 2 + 4 + size;
  if (size > kMaxPayload || recordBytes > kMaxPayload - m_payload.size()) {
    m_ok = false;
    return;
  }
  m_payload.push_back(uint8_t(type));
  Put16(m_payload, uint16_t(name.size()));
  for (char16_t c : name) Put16(m_payload, uint16_t(c));
  Put32(m_payload, uint32_t(size));
  if (size) m_payload.insert(m_payload.end(), data, data + size);
  ++m_count;
}

void RecordWriter::Short(const std::u16string& name, int16_t v) {
  uint8_t b[2] = {uint8_t(v), uint8_t(uint16_t(v) >> 8)};
  Add(name, ValueType::Short, b, 2);
}
void RecordWriter::Long(const std::u16string& name, int32_t v) {
  const uint32_t u = uint32_t(v);
  uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
  Add(name, ValueType::Long, b, 4);
}
void RecordWriter::Bool(const std::u16string& name, bool v) {
  uint8_t b = v ? 1 : 0;
  Add(name, ValueType::Bool, &b, 1);
}
void RecordWriter::Color(const std::u16string& name, uint32_t v) {
  uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  Add(name, ValueType::Color, b, 4);
}
void RecordWriter::String(const std::u16string& name, const std::u16string& v) {
  if (v.size() > kMaxPayload / 2) {
    m_ok = false;
    return;
  }
  std::vector<uint8_t> b;
  b.reserve(v.size() * 2);
  for (char16_t c : v) Put16(b, uint16_t(c));
  Add(name, ValueType::String, b.data(), b.size());
}
void RecordWriter::Blob(const std::u16string& name, const std::vector<uint8_t>& v) {
  Add(name, ValueType::Blob, v.data(), v.size());
}

std::vector<uint8_t> RecordWriter::Finish() const {
  std::vector<uint8_t> out;
  out.reserve(kHeaderBytes + m_payload.size());
  out.insert(out.end(), kMagic, kMagic + 4);
  Put16(out, kFormatVersion);
  Put16(out, 0);
  Put32(out, m_count);
  Put32(out, uint32_t(m_payload.size()));
  out.insert(out.end(), m_payload.begin(), m_payload.end());
  return out;
}

size_t RecordSet::Parse(const uint8_t* payload, size_t size, uint32_t declaredCount) {
  size_t pos = 0;
  size_t taken = 0;
  for (uint32_t i = 0; i < declaredCount; ++i) {
    if (size - pos < 3) break;
    const uint8_t type = payload[pos];
    const uint16_t units = Get16(payload + pos + 1);
    pos += 3;
    if (units == 0 || units > kMaxNameUnits) break;  // the rest cannot be trusted
    const size_t nameBytes = size_t(units) * 2;
    if (size - pos < nameBytes + 4) break;
    std::u16string name(units, u'\0');
    for (size_t k = 0; k < units; ++k) name[k] = char16_t(Get16(payload + pos + 2 * k));
    pos += nameBytes;
    const uint32_t valueBytes = Get32(payload + pos);
    pos += 4;
    if (valueBytes > size - pos) break;
    if (type >= uint8_t(ValueType::Short) && type <= uint8_t(ValueType::Blob) && !m_records.count(name)) {
      m_records.emplace(std::move(name),
                        Value{ValueType(type), std::vector<uint8_t>(payload + pos, payload + pos + valueBytes)});
      ++taken;
    }
    pos += valueBytes;
  }
  return taken;
}

const RecordSet::Value* RecordSet::Find(const std::u16string& name, ValueType type) const {
  auto it = m_records.find(name);
  if (it == m_records.end() || it->second.type != type) return nullptr;
  return &it->second;
}

bool RecordSet::GetShort(const std::u16string& name, int16_t& v) const {
  const Value* r = Find(name, ValueType::Short);
  if (!r || r->data.size() != 2) return false;
  v = int16_t(Get16(r->data.data()));
  return true;
}
bool RecordSet::GetLong(const std::u16string& name, int32_t& v) const {
  const Value* r = Find(name, ValueType::Long);
  if (!r || r->data.size() != 4) return false;
  v = int32_t(Get32(r->data.data()));
  return true;
}
bool RecordSet::GetBool(const std::u16string& name, bool& v) const {
  const Value* r = Find(name, ValueType::Bool);
  if (!r || r->data.size() != 1 || r->data[0] > 1) return false;
  v = r->data[0] != 0;
  return true;
}
bool RecordSet::GetColor(const std::u16string& name, uint32_t& v) const {
  const Value* r = Find(name, ValueType::Color);
  if (!r || r->data.size() != 4) return false;
  v = Get32(r->data.data());
  return true;
}
bool RecordSet::GetString(const std::u16string& name, std::u16string& v) const {
  const Value* r = Find(name, ValueType::String);
  if (!r || r->data.size() % 2 != 0) return false;
  std::u16string s(r->data.size() / 2, u'\0');
  for (size_t k = 0; k < s.size(); ++k) s[k] = char16_t(Get16(r->data.data() + 2 * k));
  v = std::move(s);
  return true;
}
bool RecordSet::GetBlob(const std::u16string& name, std::vector<uint8_t>& v) const {
  const Value* r = Find(name, ValueType::Blob);
  if (!r) return false;
  v = r->data;
  return true;
}

}  // namespace button
