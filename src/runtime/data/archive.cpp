#include "data/archive.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/frame.h"
#include "core/services.h"
#include "data/archive_directory.h"
#include "data/archive_extract_dir.h"
#include "data/compression.h"
#include "data/file_system.h"

QMDezeZer __g_DezeZer_Data;
QMDezeZer __g_DezeZer_Media;

namespace {

void ClearDataArchive() {
  __g_DezeZer_Data.Clear();
}

void ClearMediaArchive() {
  __g_DezeZer_Media.Clear();
}

// The slots are cleared at process exit, after the text-file cache has been written back.
// Registering twice is harmless, so every entry point makes sure of it.
bool RegisterExitSteps() {
  __AtProcessExit(kExitStepClearDataArchive, ClearDataArchive);
  __AtProcessExit(kExitStepClearMediaArchive, ClearMediaArchive);
  return true;
}

const bool kExitStepsRegistered = RegisterExitSteps();

void SetSlot(QMDezeZer& slot, const KDStr& path) {
  slot.DeleteTemp();
  slot.szFile = "";
  std::printf("Setting box:%s\n", path.GetStrData());
  if (path.Length() <= QMDezeZer::kMaxPath) slot.szFile = path;
}

// Finds the first entry serving the request and reads its packed block. Null when the
// archive holds no such member or the member's block lies outside the archive.
MemberBuffer FindMember(const QMDezeZer& slot, const std::string& request, ArchiveEntry& entry,
                        bool& opened) {
  QMFileSystem archive;
  opened = archive.Open(slot.szFile.GetStrData(), QMFileSystem::kRead);
  if (!opened) return nullptr;
  FileArchiveSource source(archive);
  ArchiveDirectory directory(source);
  if (!directory.Start()) return nullptr;
  while (directory.Next(entry)) {
    if (EntryMatches(entry.name, request)) return directory.ReadBlock(entry);
  }
  return nullptr;
}

// Writes the unpacked member into the slot's private directory; the path on success, "" when
// the file cannot be made whole (a partial file is removed).
std::string WriteExtract(QMDezeZer& slot, const ArchiveEntry& entry, const QMCompression& codec) {
  if (!EnsureExtractDir(slot)) return "";
  std::string dir = slot.szDir.ToStdString();
  std::string fileName =
      ExtractFileName(entry.offset, entry.size, entry.name, dir.size(), QMDezeZer::kMaxPath);
  if (fileName.empty()) return "";
  std::string path = dir + "/" + fileName;
  QMFileSystem out;
  bool written = out.Open(path.c_str(), QMFileSystem::kWrite) && out.Write(codec.pOut, codec.nOut);
  out.Close();
  if (!written) {
    unlink(path.c_str());
    return "";
  }
  return path;
}

}  // namespace

QMDezeZer::~QMDezeZer() {
  Clear();
}

void QMDezeZer::DeleteTemp() {
  if (szTemp.Length() > 0) unlink(szTemp.GetStrData());
  szTemp = "";
}

void QMDezeZer::Clear() {
  DeleteTemp();
  RemoveExtractDir(*this);
  szFile = "";
}

void SETDEZEZER(KDStr data, KDStr media) {
  RegisterExitSteps();
  SetSlot(__g_DezeZer_Data, data);
  SetSlot(__g_DezeZer_Media, media);
  std::fflush(stdout);
}

void __SetArchivesToExecutable(const std::string& path) {
  SETDEZEZER(KDStr(path.c_str()), KDStr(path.c_str()));
}

bool ExtractMember(QMDezeZer& slot, KDStr& name) {
  (void)kExitStepsRegistered;
  // Each slot keeps at most one extract: the previous one goes first.
  slot.DeleteTemp();
  if (name.Length() == 0) return false;
  {
    QMFileSystem plain;
    if (plain.Open(name.GetStrData(), QMFileSystem::kRead)) return true;
  }
  if (slot.szFile.Length() == 0) return false;

  ArchiveEntry entry;
  bool opened = false;
  MemberBuffer block = FindMember(slot, name.ToStdString(), entry, opened);
  if (!opened) return false;
  if (block == nullptr) {
    name = "";
    return false;
  }
  QMCompression codec;
  codec.nMode = QMCompression::kModeLzo;
  codec.UnPack(block.get(), entry.size);
  block.reset();
  // A member that does not unpack whole is not handed to a loader as if it were complete.
  std::string path = codec.bError ? std::string() : WriteExtract(slot, entry, codec);
  if (path.empty()) {
    name = "";
    return false;
  }
  slot.szTemp = path.c_str();
  name = slot.szTemp;
  return true;
}
