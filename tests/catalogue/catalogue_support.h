// Reading the catalogue of bad input files and watching what a case writes.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tobli::catalogue {

// Path of a catalogue file: tests/catalogue/<group>/<name> in the source tree.
std::string CataloguePath(const std::string& group, const std::string& name);
// The contents of a catalogue file.
std::string CatalogueBytes(const std::string& group, const std::string& name);
// Copies a catalogue file to the path given (relative to the current directory).
void CopyIn(const std::string& group, const std::string& name, const std::string& to);
// Fails the test unless the names are exactly the files of the group: every file of the
// catalogue has an expectation, and every expectation a file.
void ExpectEveryFileCovered(const std::string& group, const std::set<std::string>& names);
// The same for a table of expectations by file name.
template <typename T>
void ExpectEveryFileCovered(const std::string& group, const std::map<std::string, T>& table) {
  std::set<std::string> names;
  for (const auto& entry : table) names.insert(entry.first);
  ExpectEveryFileCovered(group, names);
}

// Every file and folder below dir (relative paths; folders end in "/") with the contents of
// the files.
using Tree = std::map<std::string, std::string>;
Tree Snapshot(const std::string& dir);
// The paths added, removed or changed from one snapshot to the other, sorted.
std::vector<std::string> Changes(const Tree& before, const Tree& after);

}  // namespace tobli::catalogue
