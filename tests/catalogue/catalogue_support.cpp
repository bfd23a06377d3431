#include "catalogue_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/test_support.h"

namespace tobli::catalogue {

namespace fs = std::filesystem;

static std::string GroupDir(const std::string& group) {
  return tobli::test::SourceDir() + "/tests/catalogue/" + group;
}

void CopyIn(const std::string& group, const std::string& name, const std::string& to) {
  std::string path = GroupDir(group) + "/" + name;
  EXPECT_TRUE(fs::is_regular_file(path)) << path;
  fs::path target(to);
  if (target.has_parent_path()) fs::create_directories(target.parent_path());
  tobli::test::WriteFile(to, tobli::test::ReadFile(path));
}

void ExpectEveryFileCovered(const std::string& group, const std::set<std::string>& names) {
  std::set<std::string> files;
  for (const auto& entry : fs::directory_iterator(GroupDir(group))) {
    files.insert(entry.path().filename().string());
  }
  for (const std::string& file : files) {
    EXPECT_TRUE(names.count(file)) << group << "/" << file << " has no expected result";
  }
  for (const std::string& name : names) {
    EXPECT_TRUE(files.count(name)) << group << "/" << name << " is not in the catalogue";
  }
}

Tree Snapshot(const std::string& dir) {
  Tree tree;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    std::string path = fs::relative(entry.path(), dir).string();
    if (entry.is_directory()) {
      tree[path + "/"] = "";
    } else {
      tree[path] = tobli::test::ReadFile(entry.path().string());
    }
  }
  return tree;
}

std::vector<std::string> Changes(const Tree& before, const Tree& after) {
  std::vector<std::string> changed;
  for (const auto& [path, contents] : after) {
    auto old = before.find(path);
    if (old == before.end() || old->second != contents) changed.push_back(path);
  }
  for (const auto& [path, contents] : before) {
    if (after.find(path) == after.end()) changed.push_back(path);
  }
  std::sort(changed.begin(), changed.end());
  return changed;
}

}  // namespace tobli::catalogue
