// Malformed media archives fetched through a slot: a member comes out whole into the slot's
// private folder, or the fetch finds nothing. No case crashes, reserves what the file cannot
// justify, or leaves anything behind once the slot is cleared.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "catalogue_support.h"
#include "data/archive.h"
#include "support/test_support.h"

namespace {

using tobli::catalogue::Changes;
using tobli::catalogue::CopyIn;
using tobli::catalogue::Snapshot;
using tobli::test::ReadFile;
using tobli::test::ScopedTempDir;

struct Fetch {
  std::string archive;
  std::string request;
  std::optional<std::string> contents;  // the member's bytes; none: not found
};

const std::vector<Fetch>& Fetches() {
  static const std::vector<Fetch> fetches = {
      // The sound archive, so the runner is seen to tell found from not found.
      {"good.vez", "a.txt", "alpha\n"},
      {"good.vez", "ART/SUB/B.TXT", "bravo bravo bravo bravo\n"},
      {"good.vez", "empty.txt", ""},
      {"appended_negative.vez", "a.txt", "alpha\n"},
      // The directory or the member lies outside the file.
      {"trailer_past_end.vez", "a.txt", std::nullopt},
      {"trailer_before_start.vez", "a.txt", std::nullopt},
      {"three_bytes.vez", "a.txt", std::nullopt},
      {"negative_size.vez", "a.txt", std::nullopt},
      {"size_past_end.vez", "a.txt", std::nullopt},
      {"offset_before_start.vez", "a.txt", std::nullopt},
      {"offset_past_end.vez", "a.txt", std::nullopt},
      // Two entries may share a block; one that starts inside another's is no block.
      {"overlapping.vez", "a.txt", "alpha\n"},
      {"overlapping.vez", "b.txt", "alpha\n"},
      {"overlapping.vez", "c.txt", std::nullopt},
      // A stated length of 4 GiB is refused before anything is reserved for it; a stated
      // length beyond what the stream holds gives what it holds; one the stream overruns is
      // corrupt.
      {"unpacked_4gib.vez", "a.txt", std::nullopt},
      {"unpacked_longer_than_stream.vez", "a.txt", "alpha\n"},
      {"unpacked_shorter_than_stream.vez", "a.txt", std::nullopt},
      {"truncated_block.vez", "sub/b.txt", std::nullopt},
      // The walk stops where the directory is cut off; the entries before the cut serve.
      {"directory_cut.vez", "a.txt", "alpha\n"},
      {"directory_cut.vez", "b.txt", std::nullopt},
      {"empty_directory.vez", "a.txt", std::nullopt},
      // Names that would climb out of the temporary folder stay inside the slot's own.
      {"escaping_names.vez", "x/../../escape.txt", "alpha\n"},
      {"escaping_names.vez", "/tmp/absolute.txt", "bravo bravo bravo bravo\n"},
      {"long_name.vez", "art/" + std::string(251, 'n') + ".txt", "alpha\n"},
  };
  return fetches;
}

TEST(CatalogueArchives, EachFetchFindsTheWholeMemberOrNothing) {
  std::set<std::string> names;
  for (const Fetch& fetch : Fetches()) names.insert(fetch.archive);
  tobli::catalogue::ExpectEveryFileCovered("archives", names);
  for (const Fetch& fetch : Fetches()) {
    SCOPED_TRACE(fetch.archive + ": " + fetch.request);
    ScopedTempDir dir;
    CopyIn("archives", fetch.archive, "archive.vez");
    tobli::catalogue::Tree before = Snapshot(dir.path());

    QMDezeZer slot;
    slot.szFile = "archive.vez";
    KDStr name(fetch.request.c_str());
    bool found = ExtractMember(slot, name);

    ASSERT_EQ(found, fetch.contents.has_value());
    std::vector<std::string> changes = Changes(before, Snapshot(dir.path()));
    if (found) {
      // One extract, alone in the slot's private folder below the temporary directory.
      std::string path = name.GetStrData();
      std::string folder = slot.szDir.GetStrData();
      ASSERT_FALSE(folder.empty());
      EXPECT_EQ(path.compare(0, folder.size() + 1, folder + "/"), 0) << path;
      EXPECT_EQ(path.find('/', folder.size() + 1), std::string::npos) << path;
      EXPECT_LE(path.size(), static_cast<size_t>(QMDezeZer::kMaxPath));
      EXPECT_EQ(ReadFile(path), *fetch.contents);
      EXPECT_EQ(changes.size(), 2u) << "the private folder and the extract only";
    } else {
      EXPECT_TRUE(changes.empty()) << changes.front();
    }
    slot.Clear();
    EXPECT_TRUE(Changes(before, Snapshot(dir.path())).empty());
  }
}

}  // namespace
