// vez list, vez extract and vez verify: the commands that read archives.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <unordered_set>

#include "data/compression.h"
#include "vez_commands.h"
#include "vez_common.h"

namespace fs = std::filesystem;

namespace vez {

namespace {

// An archive's names come from outside: only plain relative paths may be written, so no
// member can land outside the target folder.
bool SafeRelativeName(const std::string& name) {
  if (name.empty() || name.front() == '/' || name.find('\0') != std::string::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find('/', start);
    if (end == std::string::npos) end = name.size();
    std::string part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return false;
    start = end + 1;
  }
  return true;
}

// Unpacks a member; false with why unless it unpacks whole to its stated length.
bool UnpackMember(OpenArchive& archive, const ArchiveEntry& entry, QMCompression& codec,
                  std::string& why) {
  MemberBuffer block = archive.directory->ReadBlock(entry);
  if (block == nullptr) {
    why = "lies outside the archive";
    return false;
  }
  uint32_t stated = StatedLength(block.get());
  codec.nMode = QMCompression::kModeLzo;
  codec.UnPack(block.get(), entry.size);
  if (codec.bError) {
    why = "does not unpack (corrupt block or impossible length " + std::to_string(stated) + ")";
    return false;
  }
  if (static_cast<uint32_t>(codec.nOut) != stated) {
    why = "unpacks to " + std::to_string(codec.nOut) + " bytes, not " + std::to_string(stated);
    return false;
  }
  return true;
}

bool WriteMember(const fs::path& path, const QMCompression& codec) {
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  // O_NOFOLLOW: a symbolic link already standing at the name is not written through.
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  QMFileSystem file;
  file.hFile = fd;
  bool ok = file.Write(codec.pOut, codec.nOut);
  file.Close();
  if (!ok) unlink(path.c_str());
  return ok;
}

}  // namespace

int List(const Args& args) {
  if (args.size() != 1) return Fail(kExitUsage, "list: expected ARCHIVE");
  OpenArchive archive;
  if (!LoadArchive(args[0], archive)) return kExitBadArchive;
  int code = archive.cutShort ? kExitBadArchive : kExitOk;
  for (const ArchiveEntry& entry : archive.entries) {
    int64_t start = 0;
    unsigned char header[QMCompression::kHeaderBytes];
    if (!archive.directory->Locate(entry, start) ||
        archive.source->ReadAt(start, header, sizeof(header)) != sizeof(header)) {
      code = Fail(kExitBadArchive, args[0] + ": " + entry.name + " lies outside the archive");
      continue;
    }
    std::printf("%s\t%d\t%d\t%u\n", entry.name.c_str(), entry.offset, entry.size,
                StatedLength(header));
  }
  return code;
}

int Extract(const Args& args) {
  if (args.empty()) return Fail(kExitUsage, "extract: missing ARCHIVE");
  std::string dir;
  Args names;
  std::string why;
  if (!SplitDirOption(Args(args.begin() + 1, args.end()), dir, names, why)) {
    return Fail(kExitUsage, "extract: " + why);
  }
  fs::path target = dir.empty() ? fs::path(".") : fs::path(dir);
  OpenArchive archive;
  if (!LoadArchive(args[0], archive)) return kExitBadArchive;

  int code = archive.cutShort ? kExitBadArchive : kExitOk;
  std::vector<bool> nameUsed(names.size(), false);
  std::unordered_set<std::string> done;  // the keys of the names extracted or refused
  for (const ArchiveEntry& entry : archive.entries) {
    bool wanted = names.empty();
    for (size_t i = 0; i < names.size(); ++i) {
      if (SameMemberName(entry.name, names[i])) wanted = nameUsed[i] = true;
    }
    // As in the game, the first of several members with one name is the one that counts.
    if (!wanted || !done.insert(MemberNameKey(entry.name)).second) continue;
    if (!SafeRelativeName(entry.name)) {
      code = Fail(kExitBadArchive, entry.name + ": refused, not a plain relative path");
      continue;
    }
    QMCompression codec;
    if (!UnpackMember(archive, entry, codec, why)) {
      code = Fail(kExitBadArchive, args[0] + ": " + entry.name + " " + why);
      continue;
    }
    if (!WriteMember(target / entry.name, codec)) {
      code = Fail(kExitBadArchive, (target / entry.name).string() + ": cannot write");
    }
  }
  for (size_t i = 0; i < names.size(); ++i) {
    if (!nameUsed[i]) code = Fail(kExitBadArchive, args[0] + ": no member " + names[i]);
  }
  return code;
}

int Verify(const Args& args) {
  if (args.size() != 1) return Fail(kExitUsage, "verify: expected ARCHIVE");
  OpenArchive archive;
  if (!LoadArchive(args[0], archive)) return kExitBadArchive;
  int code = archive.cutShort ? kExitBadArchive : kExitOk;
  std::string why;
  for (const ArchiveEntry& entry : archive.entries) {
    QMCompression codec;
    if (!UnpackMember(archive, entry, codec, why)) {
      code = Fail(kExitBadArchive, args[0] + ": " + entry.name + " " + why);
    }
  }
  if (code == kExitOk) {
    std::printf("%s: %zu members, all whole\n", args[0].c_str(), archive.entries.size());
  }
  return code;
}

}  // namespace vez
