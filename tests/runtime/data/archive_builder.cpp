#include "archive_builder.h"

#include <gtest/gtest.h>

#include "archive_writer.h"
#include "data/compression.h"
#include "data/file_system.h"
#include "support/test_support.h"

namespace tobli::test {

std::string WriteArchive(const std::string& path, const std::vector<TestMember>& members,
                         bool fromEnd, const std::string& host) {
  WriteFile(path, host);
  {
    QMFileSystem file;
    EXPECT_TRUE(file.Open(path.c_str(), QMFileSystem::kAppend));
    ArchiveWriter writer(file, static_cast<int64_t>(host.size()), fromEnd);
    std::string why;
    for (const TestMember& m : members) {
      EXPECT_TRUE(writer.AddData(m.name, reinterpret_cast<const unsigned char*>(m.data.data()),
                                 static_cast<int64_t>(m.data.size()), why))
          << why;
    }
    EXPECT_TRUE(writer.Finish(why)) << why;
  }
  return ReadFile(path);
}

std::string PackBlock(const std::string& data) {
  QMCompression codec;
  codec.Pack(reinterpret_cast<const unsigned char*>(data.data()), static_cast<long>(data.size()));
  return std::string(reinterpret_cast<const char*>(codec.pOut), codec.nOut);
}

std::string Le32(uint32_t value) {
  std::string out(4, 0);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>(value >> (8 * i));
  return out;
}

std::string RawEntry(const std::string& name, int32_t offset, int32_t size) {
  return std::string(1, static_cast<char>(name.size())) + name +
         Le32(static_cast<uint32_t>(offset)) + Le32(static_cast<uint32_t>(size));
}

}  // namespace tobli::test
