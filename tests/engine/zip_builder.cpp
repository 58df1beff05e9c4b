#include "tests/engine/zip_builder.h"

#include <zlib.h>

namespace engine_test {
namespace {

void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::string Deflate(const std::string& data) {
  z_stream stream = {};
  deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, data.size()) + 16, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

uint32_t Crc(const std::string& data) {
  return crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
}

}  // namespace

ZipEntry Folder(const std::string& name) {
  ZipEntry entry;
  entry.name = name;
  entry.method = 0;
  entry.external = 0x10;
  return entry;
}

ZipEntry File(const std::string& name, const std::string& data, uint16_t method) {
  ZipEntry entry;
  entry.name = name;
  entry.data = data;
  entry.method = method;
  return entry;
}

std::string BuildZip(const std::vector<ZipEntry>& entries) {
  std::string out, central;
  for (const ZipEntry& e : entries) {
    std::string stored = e.method == 8 ? Deflate(e.data) : e.data;
    if (e.damageData && !stored.empty()) {
      for (size_t i = stored.size() / 3; i < stored.size() * 2 / 3 + 1 && i < stored.size(); ++i) {
        stored[i] = static_cast<char>(stored[i] ^ 0x5A);
      }
    }
    uint32_t crc = Crc(e.data) ^ e.crcXor;
    uint16_t flags = e.dataDescriptor ? 8 : 0;
    auto common = [&](std::string& s, uint16_t method, bool zeroSizes) {
      Put16(s, 20);
      Put16(s, flags);
      Put16(s, method);
      Put16(s, kDosTime);
      Put16(s, kDosDate);
      Put32(s, zeroSizes ? 0 : crc);
      Put32(s, zeroSizes ? 0 : static_cast<uint32_t>(stored.size()));
      Put32(s, zeroSizes ? 0 : static_cast<uint32_t>(e.data.size()));
      Put16(s, static_cast<uint32_t>(e.name.size()));
    };
    uint32_t offset = static_cast<uint32_t>(out.size());
    Put32(out, 0x04034B50);
    common(out, e.localMethod >= 0 ? static_cast<uint16_t>(e.localMethod) : e.method,
           e.dataDescriptor);
    Put16(out, static_cast<uint32_t>(e.localExtra.size()));
    out += e.name + e.localExtra + stored;
    if (e.dataDescriptor) {
      Put32(out, 0x08074B50);
      Put32(out, crc);
      Put32(out, static_cast<uint32_t>(stored.size()));
      Put32(out, static_cast<uint32_t>(e.data.size()));
    }
    Put32(central, 0x02014B50);
    Put16(central, e.madeBy);
    common(central, e.method, false);
    Put16(central, 0);  // extra
    Put16(central, 0);  // comment
    Put16(central, 0);  // disk
    Put16(central, 0);  // internal attributes
    Put32(central, e.external);
    Put32(central, offset);
    central += e.name;
  }
  std::string end;
  Put32(end, 0x06054B50);
  Put32(end, 0);
  Put16(end, static_cast<uint32_t>(entries.size()));
  Put16(end, static_cast<uint32_t>(entries.size()));
  Put32(end, static_cast<uint32_t>(central.size()));
  Put32(end, static_cast<uint32_t>(out.size()));
  Put16(end, 0);
  return out + central + end;
}

std::string EmptyZip() {
  std::string prefix;
  Put32(prefix, 0x04034B50);
  prefix.resize(32, '\0');
  prefix[26] = 1;  // bytes 24 to 27 read as 65,536: passes the check
  std::string end;
  Put32(end, 0x06054B50);
  end.resize(22, '\0');
  return prefix + end;
}

std::string ExtraBlock(uint16_t tag, const std::string& data) {
  std::string block;
  Put16(block, tag);
  Put16(block, static_cast<uint32_t>(data.size()));
  return block + data;
}

std::string UnixTimeBlock(uint8_t flags, const std::vector<uint32_t>& times) {
  std::string data(1, static_cast<char>(flags));
  for (uint32_t t : times) Put32(data, t);
  return ExtraBlock(0x5455, data);
}

std::string Repeat(const std::string& piece, size_t count) {
  std::string out;
  for (size_t i = 0; i < count; ++i) out += piece;
  return out;
}

}  // namespace engine_test
