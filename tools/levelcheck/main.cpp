// levelcheck: checks the shipped levels, solves levels without enemies, draws level pictures
// and writes the level table of the documentation.
//
//   levelcheck lint [--coverage] LEVELS_DIR
//   levelcheck solve [--give-up] [--max-states N] LEVEL_FILE
//   levelcheck shot --gfx GFX_DIR [--percent P] LEVEL_FILE OUT.png|OUT.bmp
//   levelcheck docs --gfx GFX_DIR --levels LEVELS_DIR --out DOCS_DIR
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "level_docs.h"
#include "level_file.h"
#include "level_lint.h"
#include "level_shot.h"
#include "level_solver.h"

namespace {

using namespace levelcheck;

constexpr int kBadArguments = 2;

const char kUsage[] =
    "usage: levelcheck lint [--coverage] LEVELS_DIR\n"
    "       levelcheck solve [--give-up] [--max-states N] LEVEL_FILE\n"
    "       levelcheck shot --gfx GFX_DIR [--percent P] LEVEL_FILE OUT.png|OUT.bmp\n"
    "       levelcheck docs --gfx GFX_DIR --levels LEVELS_DIR --out DOCS_DIR\n";

int Bad(const std::string& why) {
  std::cerr << "levelcheck: " << why << "\n" << kUsage;
  return kBadArguments;
}

// Options ("--name value" or flags) and the plain arguments of one command.
struct Arguments {
  std::vector<std::string> plain;
  std::vector<std::pair<std::string, std::string>> options;
  bool Has(const std::string& name) const {
    for (const auto& o : options) {
      if (o.first == name) return true;
    }
    return false;
  }
  std::string Get(const std::string& name) const {
    for (const auto& o : options) {
      if (o.first == name) return o.second;
    }
    return "";
  }
};

bool Split(int argc, char** argv, const std::vector<std::string>& flags,
           const std::vector<std::string>& valued, Arguments& args, std::string& why) {
  for (int at = 2; at < argc; ++at) {
    std::string a = argv[at];
    if (a.rfind("--", 0) != 0) {
      args.plain.push_back(a);
      continue;
    }
    bool isFlag = false, isValued = false;
    for (const std::string& f : flags) isFlag |= f == a;
    for (const std::string& v : valued) isValued |= v == a;
    if (isFlag) {
      args.options.push_back({a, ""});
    } else if (isValued && at + 1 < argc) {
      args.options.push_back({a, argv[++at]});
    } else {
      why = isValued ? a + " needs a value" : "unknown option " + a;
      return false;
    }
  }
  return true;
}

bool WholeNumber(const std::string& text, long long largest, long long& value) {
  if (text.empty() || text.size() > 12) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  value = std::atoll(text.c_str());
  return value >= 1 && value <= largest;
}

int Lint(const Arguments& args) {
  if (args.plain.size() != 1) return Bad("lint needs one levels folder");
  SetOptions options;
  options.requireCoverage = args.Has("--coverage");
  SetReport report = LintLevelSet(args.plain[0], options);
  for (const std::string& p : report.problems) std::cout << p << "\n";
  std::cout << report.levels << " levels, " << report.problems.size() << " problems\n";
  return report.problems.empty() ? 0 : 1;
}

int Solve(const Arguments& args) {
  if (args.plain.size() != 1) return Bad("solve needs one level file");
  SolveOptions options;
  options.allowGiveUp = args.Has("--give-up");
  if (args.Has("--max-states")) {
    long long limit = 0;
    if (!WholeNumber(args.Get("--max-states"), 1000000000, limit)) {
      return Bad("--max-states needs a whole number from 1 to 1000000000");
    }
    options.maxStates = static_cast<size_t>(limit);
  }
  ParsedLevel parsed = ReadLevelFile(args.plain[0]);
  if (!parsed.ok()) {
    for (const std::string& p : parsed.problems) std::cerr << args.plain[0] << ": " << p << "\n";
    return 1;
  }
  SolveResult result = SolveLevel(parsed.level, options);
  switch (result.status) {
    case SolveStatus::kSolved:
      std::cout << CompactMoves(result.moves) << "\n";
      std::cerr << result.moves.size() << " moves, " << result.states << " states\n";
      return 0;
    case SolveStatus::kUnsupported:
      std::cerr << "cannot solve: " << result.why << "\n";
      return 1;
    case SolveStatus::kTooManyStates:
      std::cerr << "gave up after " << result.states << " states\n";
      return 1;
    case SolveStatus::kNoSolution:
      std::cerr << "no solution (" << result.states << " states)"
                << (result.why.empty() ? "" : "; " + result.why) << "\n";
      return 1;
  }
  return 1;
}

int Shot(const Arguments& args) {
  if (args.plain.size() != 2 || !args.Has("--gfx")) {
    return Bad("shot needs --gfx, a level file and an output file");
  }
  long long percent = 100;
  if (args.Has("--percent") && !WholeNumber(args.Get("--percent"), 400, percent)) {
    return Bad("--percent needs a whole number from 1 to 400");
  }
  ParsedLevel parsed = ReadLevelFile(args.plain[0]);
  if (!parsed.ok()) {
    for (const std::string& p : parsed.problems) std::cerr << args.plain[0] << ": " << p << "\n";
    return 1;
  }
  SpriteSet sprites(args.Get("--gfx"));
  Image image = RenderLevel(parsed.level, sprites);
  // A picture with tiles left out (a wrong --gfx folder draws nothing at all) is no picture
  // of the level.
  if (!sprites.Missing().empty()) {
    for (int n : sprites.Missing()) std::cerr << "levelcheck: no sprite " << n << "\n";
    return 1;
  }
  const std::string& out = args.plain[1];
  bool png = out.size() > 4 && out.compare(out.size() - 4, 4, ".png") == 0;
  bool ok = false;
  if (!png) {
    ok = WriteBmp(image, out);
  } else {
    // The BMP on its way to the PNG gets a name of its own in the temporary folder, so no
    // file beside the output is overwritten.
    const char* tmp = std::getenv("TMPDIR");
    std::string name =
        std::string(tmp != nullptr && *tmp != 0 ? tmp : "/tmp") + "/levelcheck-XXXXXX.bmp";
    int fd = mkstemps(name.data(), 4);
    if (fd >= 0) {
      close(fd);
      ok = WriteBmp(image, name) && ConvertToPng(name, out, static_cast<int>(percent));
      std::remove(name.c_str());
    }
  }
  if (!ok) std::cerr << "levelcheck: cannot make " << out << "\n";
  return ok ? 0 : 1;
}

int Docs(const Arguments& args) {
  if (!args.plain.empty() || !args.Has("--gfx") || !args.Has("--levels") || !args.Has("--out")) {
    return Bad("docs needs --gfx, --levels and --out");
  }
  DocsRequest request;
  request.gfxDir = args.Get("--gfx");
  request.levelsDir = args.Get("--levels");
  request.outDir = args.Get("--out");
  std::vector<std::string> problems;
  bool ok = WriteLevelDocs(request, problems);
  for (const std::string& p : problems) std::cerr << p << "\n";
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Bad("no command");
  std::string command = argv[1];
  Arguments args;
  std::string why;
  if (command == "lint") {
    if (!Split(argc, argv, {"--coverage"}, {}, args, why)) return Bad(why);
    return Lint(args);
  }
  if (command == "solve") {
    if (!Split(argc, argv, {"--give-up"}, {"--max-states"}, args, why)) return Bad(why);
    return Solve(args);
  }
  if (command == "shot") {
    if (!Split(argc, argv, {}, {"--gfx", "--percent"}, args, why)) return Bad(why);
    return Shot(args);
  }
  if (command == "docs") {
    if (!Split(argc, argv, {}, {"--gfx", "--levels", "--out"}, args, why)) return Bad(why);
    return Docs(args);
  }
  if (command == "--help" || command == "-h") {
    std::cout << kUsage;
    return 0;
  }
  return Bad("unknown command '" + command + "'");
}
