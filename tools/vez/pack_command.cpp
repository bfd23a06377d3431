// vez pack and vez append: the commands that write archives.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "archive_writer.h"
#include "vez_commands.h"
#include "vez_common.h"

namespace fs = std::filesystem;

namespace vez {

namespace {

struct Input {
  std::string name;  // the member name
  fs::path path;     // where the bytes come from
};

// The member name of a path given on the command line: relative to dir, "/" as separator; ""
// for dir itself. False when the path lies outside dir.
bool MemberName(const fs::path& given, const fs::path& dir, std::string& name) {
  fs::path relative =
      given.is_absolute()
          ? given.lexically_normal().lexically_relative(fs::absolute(dir).lexically_normal())
          : given.lexically_normal();
  name = relative.generic_string();
  while (name.size() >= 2 && name.compare(0, 2, "./") == 0) name.erase(0, 2);
  if (!name.empty() && name.back() == '/') name.pop_back();
  if (name == ".") name.clear();
  return !(relative.empty() && given.is_absolute()) && name != ".." &&
         name.compare(0, 3, "../") != 0;
}

bool SamePath(const fs::path& a, const fs::path& b) {
  std::error_code ignored;
  return fs::weakly_canonical(a, ignored) == fs::weakly_canonical(b, ignored);
}

// Collects the inputs a FILE argument names; a folder brings its files, sorted by name.
int Collect(const std::string& given, const fs::path& dir, const fs::path& archive,
            std::vector<Input>& inputs) {
  fs::path source = fs::path(given).is_absolute() ? fs::path(given) : dir / given;
  std::string name;
  if (!MemberName(given, dir, name))
    return Fail(kExitUsage, given + ": not inside " + dir.string());
  std::error_code error;
  if (fs::is_directory(source, error)) {
    std::vector<Input> found;
    for (auto it = fs::recursive_directory_iterator(source, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
      if (!it->is_regular_file() || SamePath(it->path(), archive)) continue;
      fs::path inner = it->path().lexically_relative(source);
      found.push_back({name.empty() ? inner.generic_string() : name + "/" + inner.generic_string(),
                       it->path()});
    }
    if (error) return Fail(kExitUsage, given + ": cannot read the folder");
    std::sort(found.begin(), found.end(),
              [](const Input& a, const Input& b) { return a.name < b.name; });
    inputs.insert(inputs.end(), found.begin(), found.end());
    return kExitOk;
  }
  if (!fs::is_regular_file(source, error) || name.empty()) {
    return Fail(kExitUsage, given + ": no such file");
  }
  inputs.push_back({name, source});
  return kExitOk;
}

// Duplicates are refused; a member that an earlier one always answers for is only reported.
int CheckNames(const std::vector<Input>& inputs) {
  for (size_t i = 0; i < inputs.size(); ++i) {
    if (inputs[i].name.size() > 255) {
      return Fail(kExitUsage, inputs[i].name + ": member names are at most 255 characters");
    }
    for (size_t j = 0; j < i; ++j) {
      if (SameMemberName(inputs[i].name, inputs[j].name)) {
        return Fail(kExitUsage, inputs[i].name + ": given twice");
      }
      if (EntryMatches(inputs[j].name, inputs[i].name)) {
        std::fprintf(stderr, "vez: warning: %s is never found: %s comes first and matches it\n",
                     inputs[i].name.c_str(), inputs[j].name.c_str());
      }
    }
  }
  return kExitOk;
}

// Writes the archive to a temporary file beside it and renames it into place, so a failed
// run never leaves a half-written archive under the real name.
int WriteArchive(const std::string& archivePath, const std::vector<Input>& inputs) {
  std::string pattern = archivePath + ".tmp-XXXXXX";
  std::vector<char> temp(pattern.begin(), pattern.end());
  temp.push_back(0);
  int fd = mkstemp(temp.data());
  if (fd < 0) return Fail(kExitBadArchive, archivePath + ": cannot create the archive");
  mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  close(fd);
  std::string tempPath = temp.data();
  QMFileSystem file;
  std::string why;
  bool ok = file.Open(tempPath.c_str(), QMFileSystem::kWrite);
  if (!ok) why = "cannot write";
  ArchiveWriter writer(file, 0, false);
  std::vector<unsigned char> data;
  for (size_t i = 0; ok && i < inputs.size(); ++i) {
    if (!ReadWholeFile(inputs[i].path.string(), data)) {
      file.Close();
      unlink(tempPath.c_str());
      return Fail(kExitUsage, inputs[i].path.string() + ": cannot read");
    }
    ok = writer.AddData(inputs[i].name, data.data(), static_cast<int64_t>(data.size()), why);
  }
  ok = ok && writer.Finish(why);
  file.Close();
  if (!ok || rename(tempPath.c_str(), archivePath.c_str()) != 0) {
    unlink(tempPath.c_str());
    return Fail(kExitBadArchive, archivePath + ": " + (why.empty() ? "cannot write" : why));
  }
  return kExitOk;
}

}  // namespace

int Pack(const Args& args) {
  if (args.empty()) return Fail(kExitUsage, "pack: missing ARCHIVE");
  std::string dir;
  Args files;
  std::string why;
  if (!SplitDirOption(Args(args.begin() + 1, args.end()), dir, files, why)) {
    return Fail(kExitUsage, "pack: " + why);
  }
  if (files.empty()) return Fail(kExitUsage, "pack: no FILE given");
  fs::path base = dir.empty() ? fs::path(".") : fs::path(dir);
  std::error_code error;
  if (!fs::is_directory(base, error)) return Fail(kExitUsage, dir + ": not a folder");
  std::vector<Input> inputs;
  for (const std::string& given : files) {
    int code = Collect(given, base, args[0], inputs);
    if (code != kExitOk) return code;
  }
  if (inputs.empty()) return Fail(kExitUsage, "pack: no files to pack");
  int code = CheckNames(inputs);
  if (code != kExitOk) return code;
  return WriteArchive(args[0], inputs);
}

int Append(const Args& args) {
  if (args.size() != 2) return Fail(kExitUsage, "append: expected FILE ARCHIVE");
  const std::string& target = args[0];
  std::error_code error;
  if (!fs::is_regular_file(target, error)) return Fail(kExitUsage, target + ": no such file");
  // Everything is read first, so appending an archive onto itself reads the old bytes.
  OpenArchive archive;
  // A damaged directory is not copied: the members after the damage would be lost unnoticed.
  if (!LoadArchive(args[1], archive) || archive.cutShort) return kExitBadArchive;
  std::vector<MemberBuffer> blocks;
  for (const ArchiveEntry& entry : archive.entries) {
    blocks.push_back(archive.directory->ReadBlock(entry));
    if (blocks.back() == nullptr) {
      return Fail(kExitBadArchive,
                  args[1] + ": member " + entry.name + " lies outside the archive");
    }
  }
  archive.file.Close();

  QMFileSystem file;
  if (!file.Open(target.c_str(), QMFileSystem::kAppend)) {
    return Fail(kExitBadArchive, target + ": cannot open for writing");
  }
  int64_t originalSize = file.Size();
  ArchiveWriter writer(file, originalSize, true);
  std::string why;
  bool ok = true;
  for (size_t i = 0; ok && i < blocks.size(); ++i) {
    ok = writer.AddBlock(archive.entries[i].name, blocks[i].get(), archive.entries[i].size, why);
  }
  ok = ok && writer.Finish(why);
  if (!ok) {
    // Leave the file as it was rather than with a tail that no reader understands.
    if (ftruncate(file.hFile, originalSize) != 0) why += " (and the file could not be restored)";
    return Fail(kExitBadArchive, target + ": " + why);
  }
  return kExitOk;
}

bool SplitDirOption(const Args& args, std::string& dir, Args& rest, std::string& why) {
  bool optionsDone = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsDone && arg == "--") {
      optionsDone = true;
    } else if (!optionsDone && arg == "-C") {
      if (i + 1 >= args.size()) {
        why = "-C needs a folder";
        return false;
      }
      if (!dir.empty()) {
        why = "-C given twice";
        return false;
      }
      dir = args[++i];
      if (dir.empty()) {
        why = "-C needs a folder";
        return false;
      }
    } else if (!optionsDone && arg.size() > 1 && arg[0] == '-') {
      why = "unknown option " + arg;
      return false;
    } else {
      rest.push_back(arg);
    }
  }
  return true;
}

}  // namespace vez
