#include "level_docs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "level_file.h"
#include "level_lint.h"
#include "level_shot.h"
#include "move_script.h"

namespace levelcheck {

namespace {

std::string PictureName(int n) {
  char name[32];
  std::snprintf(name, sizeof name, "level-%02d.png", n);
  return name;
}

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '|') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

bool CountMoves(const std::string& moves, int& presses, int& waits) {
  std::vector<char> tokens;
  std::string why;
  if (!tobli::replay::ParseMoves(moves, tokens, why)) return false;
  presses = waits = 0;
  for (char t : tokens) {
    if (t == '.') {
      ++waits;
    } else {
      ++presses;
    }
  }
  return true;
}

bool WriteLevelDocs(const DocsRequest& request, std::vector<std::string>& problems) {
  namespace fs = std::filesystem;
  SetReport set = LintLevelSet(request.levelsDir, SetOptions{});
  if (!set.problems.empty()) {
    problems = set.problems;
    return false;
  }
  std::map<int, CatalogEntry> catalog;
  for (const CatalogEntry& e : ReadCatalog(request.levelsDir + "/catalog.txt", problems)) {
    catalog[e.number] = e;
  }
  std::map<int, std::string> solutions;
  for (const SolutionLine& s : ReadSolutions(request.levelsDir + "/solutions.txt", problems)) {
    solutions[s.number] = s.moves;
  }
  std::string pictureDir = request.outDir + "/levels";
  std::error_code error;
  fs::create_directories(pictureDir, error);
  SpriteSet sprites(request.gfxDir);

  std::string table =
      "# The levels\n\n"
      "Every shipped level with what it asks of the player and the length of its recorded\n"
      "solution in `levels/solutions.txt` (key presses; waits of 16 frames in brackets).\n"
      "`make test` replays each solution with the game's own code and checks every level\n"
      "file. The pictures show each level as it starts, drawn with the game's sprites.\n\n"
      "`levelcheck lint levels` checks the level files, `levelcheck solve levels/Level.N`\n"
      "finds a shortest solution of a level without enemies, gems or bombs (add `--give-up`\n"
      "to let it use Q), and after changing a level this page is made again with\n"
      "`build/tools/levelcheck/levelcheck docs --gfx build/media-out/gfx --levels levels "
      "--out docs`.\n\n"
      "| # | Title | Mechanics | Moves | Picture |\n"
      "|---|---|---|---|---|\n";
  for (int n = 0; n < set.levels; ++n) {
    ParsedLevel parsed = ReadLevelFile(request.levelsDir + "/Level." + std::to_string(n));
    std::string bmp = pictureDir + "/.level.bmp";
    std::string png = pictureDir + "/" + PictureName(n);
    Image image = RenderLevel(parsed.level, sprites);
    if (!WriteBmp(image, bmp) || !ConvertToPng(bmp, png, request.percent)) {
      problems.push_back("cannot make " + png);
    }
    fs::remove(bmp, error);
    int presses = 0, waits = 0;
    if (!CountMoves(solutions[n], presses, waits)) {
      problems.push_back("the solution of Level." + std::to_string(n) + " does not parse");
    }
    std::string length = std::to_string(presses);
    if (waits > 0) length += " (" + std::to_string(waits) + ")";
    table += "| " + std::to_string(n) + " | " + Escape(catalog[n].title) + " | " +
             Escape(catalog[n].mechanics) + " | " + length + " | ![Level " + std::to_string(n) +
             "](levels/" + PictureName(n) + ") |\n";
  }
  if (!sprites.Missing().empty()) {
    problems.push_back("sprite " + std::to_string(sprites.Missing().front()) + " is missing in " +
                       request.gfxDir);
  }
  std::ofstream out(request.outDir + "/levels.md");
  out << table;
  if (!out) problems.push_back("cannot write " + request.outDir + "/levels.md");
  return problems.empty();
}

}  // namespace levelcheck
