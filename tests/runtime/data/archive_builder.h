// Archives for tests: well-formed ones through the archive writer, and raw pieces to build
// broken ones byte by byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tobli::test {

struct TestMember {
  std::string name;
  std::string data;
};

// Writes host (may be empty) to path, then the members as an archive behind it; fromEnd
// counts positions from the end. Returns the whole file's bytes.
std::string WriteArchive(const std::string& path, const std::vector<TestMember>& members,
                         bool fromEnd = false, const std::string& host = "");
// One packed block.
std::string PackBlock(const std::string& data);
// A 32-bit little-endian field.
std::string Le32(uint32_t value);
// One raw directory entry.
std::string RawEntry(const std::string& name, int32_t offset, int32_t size);

}  // namespace tobli::test
