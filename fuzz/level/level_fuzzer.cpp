// Feeds arbitrary bytes to LoadLevel as a level file, in game mode and in editor mode, on the
// headless platform. A load may end the program only through the error path (with the error
// log written); otherwise the level it leaves must fit the map: everything used lies inside
// hit, cells outside the stored level are void, the start, enemies and boxes stay within their
// tables, the sweet count is the number of sweet cells, and both modes place the same cells.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/headless_driver.h"
#include "game.h"

namespace {

using tobli::game::HeadlessDriver;
using tobli::game::RunEnd;
using tobli::game::RunResult;

constexpr int kMapSide = 128;
constexpr double kVoid = 92;
constexpr int kGameMargin = 6;
constexpr int kEditorMargin = 1;

std::string gWorkDir;
HeadlessDriver* gDriver = nullptr;
uint64_t gProgramEnds = 0;

void Finish() {
  delete gDriver;
  gDriver = nullptr;
  if (gProgramEnds > 0)
    std::fprintf(stderr, "level_fuzzer: %llu loads ended the program\n",
                 static_cast<unsigned long long>(gProgramEnds));
  std::error_code ignored;
  std::filesystem::remove_all(gWorkDir, ignored);
}

// A private working folder (in memory when the system has a memory file system) holding
// levels/Level.1 and the save file; it becomes the current directory and $TMPDIR, so the
// corpus and artifact paths given to the fuzzer must be absolute.
void SetUp() {
  struct stat info;
  std::string pattern = (stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode))
                            ? "/dev/shm/level-fuzz-XXXXXX"
                            : "/tmp/level-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) abort();
  gWorkDir = pattern;
  if (chdir(gWorkDir.c_str()) != 0 || mkdir("levels", 0700) != 0) abort();
  setenv("TMPDIR", gWorkDir.c_str(), 1);
  gDriver = new HeadlessDriver();
  atexit(Finish);
}

void WriteLevel(const uint8_t* data, size_t size) {
  FILE* out = std::fopen("levels/Level.1", "wb");
  if (out == nullptr) abort();
  if (size > 0 && std::fwrite(data, 1, size, out) != size) abort();
  if (std::fclose(out) != 0) abort();
}

bool IsSweet(double code) {
  return code == 14 || code == 15 || code == 16 || code == 17;
}

bool IsBoxStart(double code) {
  return code == 5 || code == 6 || code == 7 || code == 8;
}

// The map's cell read straight from its storage: the harness checks every cell after each load,
// and the checked element access would cost more than the load itself.
double Cell(int c, int r) {
  return hit.pData[c + static_cast<int64_t>(r) * hit.nStride[1]];
}

bool InsideStoredLevel(int c, int r, double margin) {
  return c >= margin && c <= margin + maxx && r >= margin && r <= margin + maxy;
}

// Loads the level in one mode; false when the load ended the program (through the error path,
// which must have written the error log's end lines).
bool Load(double mode) {
  level = 1;
  savefile_Str = "levels/Level.01";
  RunResult result = gDriver->Run([mode] { LoadLevel(mode); }, 100);
  if (result.end == RunEnd::kProgramEnded) {
    if (__g_error == 0) abort();
    ++gProgramEnds;
    return false;
  }
  // "Loading..." and "Done!" are the load's only frames.
  if (result.end != RunEnd::kReturned || result.frames != 2) abort();
  return true;
}

// What must hold after any load in either mode.
void CheckLevel(double margin) {
  if (hit.nDims != 2 || hit.nSize[1] != kMapSide || hit.nSize[2] != kMapSide) abort();
  if (!(maxx >= 0 && maxy >= 0 && margin + maxx + 5 <= kMapSide && margin + maxy + 5 <= kMapSide))
    abort();
  if (xlevel != margin + maxx + 5 || ylevel != margin + maxy + 5) abort();
  if (!(startx >= margin && startx < kMapSide && starty >= margin && starty < kMapSide)) abort();
  if (!(maxene >= 0 && maxene <= BOUNDS(enex, 0))) abort();
  if (!(maxbox >= 0 && maxbox <= BOUNDS(boxx, 0))) abort();
  int sweetCells = 0;
  for (int c = 0; c < kMapSide; ++c) {
    for (int r = 0; r < kMapSide; ++r) {
      double code = Cell(c, r);
      if (!InsideStoredLevel(c, r, margin) && code != kVoid) abort();
      if (IsSweet(code)) ++sweetCells;
    }
  }
  if (sweets != sweetCells) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (gDriver == nullptr) SetUp();
  WriteLevel(data, size);

  if (!Load(kEditorMargin)) return 0;
  CheckLevel(kEditorMargin);
  if (maxbox != 0) abort();
  std::vector<double> editorCells;
  double editorMaxx = maxx;
  double editorMaxy = maxy;
  double editorEnemies = maxene;
  for (int c = 0; c <= maxx; ++c) {
    for (int r = 0; r <= maxy; ++r)
      editorCells.push_back(Cell(c + kEditorMargin, r + kEditorMargin));
  }

  if (!Load(0)) return 0;
  CheckLevel(kGameMargin);
  // The game places the same stored cells, except that box starts have become boxes on floor.
  if (maxx != editorMaxx || maxy != editorMaxy || maxene != editorEnemies) abort();
  size_t at = 0;
  int boxStarts = 0;
  for (int c = 0; c <= maxx; ++c) {
    for (int r = 0; r <= maxy; ++r) {
      double stored = editorCells[at++];
      double placed = Cell(c + kGameMargin, r + kGameMargin);
      if (IsBoxStart(stored)) {
        ++boxStarts;
        if (placed != 60) abort();
      } else if (placed != stored) {
        abort();
      }
    }
  }
  if (maxbox > boxStarts) abort();
  for (int b = 0; b < maxbox; ++b) {
    if (!IsBoxStart(boxlook(b)) || boxm(b) != 5) abort();
  }
  // Enemies stand on map cells, now counted in pixels.
  for (int e = 0; e < maxene; ++e) {
    double tileX = enex(e) / 32;
    double tileY = eney(e) / 32;
    if (!(tileX >= kGameMargin && tileX < kMapSide && tileY >= kGameMargin && tileY < kMapSide))
      abort();
  }
  return 0;
}
