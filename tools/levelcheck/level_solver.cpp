#include "level_solver.h"

#include <cstdint>
#include <deque>
#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "tile_codes.h"

namespace levelcheck {

namespace {

constexpr uint8_t kCrateHere = 0x80;  // a crate of the box table rests on the cell
constexpr uint8_t kCodeMask = 0x7f;
constexpr uint8_t kSalt = 1;
constexpr uint8_t kSuit = 2;
constexpr uint8_t kBoots = 4;

// The game's directions: 1 right, 2 left, 3 down, 4 up.
constexpr int kRight = 1;
constexpr int kLeft = 2;
constexpr int kDown = 3;
constexpr int kUp = 4;
constexpr char kMoveLetters[] = {'R', 'L', 'D', 'U'};

enum class Outcome { kMoved, kSolved, kNoChange, kLost, kUnsupported };

struct Sim {
  int pos = 0;
  int start = 0;
  uint8_t keys[5] = {};
  uint8_t items = 0;
  uint8_t mission = 0;
  int sweets = 0;
  std::vector<uint8_t> map;  // the level inside a border of void, crate flags included
};

// The turn of a player or a box on an ice curve: each curve joins two sides, and whatever
// comes in by one of them leaves by the other; every other way keeps straight on.
int CurveTurn(int tile, int dir) {
  if (tile == 69) return dir == kLeft ? kDown : dir == kUp ? kRight : dir;
  if (tile == 70) return dir == kRight ? kDown : dir == kUp ? kLeft : dir;
  if (tile == 71) return dir == kRight ? kUp : dir == kDown ? kLeft : dir;
  if (tile == 72) return dir == kLeft ? kUp : dir == kDown ? kRight : dir;
  return dir;
}

// Where a box may glide to.
bool FreeForCrate(int code) {
  switch (code) {
    case 4:
    case 9:
    case 29:
    case 49:
    case 60:
    case 80:
    case 92:
    case 100:
    case 109:
    case 111:
    case 18:  // a crate counts among the heavy boxes that may enter fire and mines
    case 19:
      return true;
    default:
      return (code >= 65 && code <= 72) || (code >= 81 && code <= 84) || code == 103 || code == 104;
  }
}

class Model {
 public:
  explicit Model(const Level& level) : level_(level) {
    gw_ = level.Width() + 2;
    gh_ = level.Height() + 2;
    base_.assign(static_cast<size_t>(gw_) * gh_, 92);
    bool crates = false, toggles = false, salt = false;
    for (int y = 0; y <= level.maxy; ++y) {
      for (int x = 0; x <= level.maxx; ++x) {
        int code = level.At(x, y);
        base_[Index(x, y)] = static_cast<uint8_t>(code);
        crates |= code == 61;
        toggles |= code == 111;
        salt |= code == 85;
        if (code == 100) targets_.push_back(Index(x, y));
      }
    }
    for (int i = 0; i < static_cast<int>(base_.size()); ++i) {
      int code = base_[i];
      bool changes = IsKey(code) || IsDoor(code) || IsSweet(code) || IsFragile(code) ||
                     code == 63 || code == 85 || code == 86 || code == 105 || code == 106;
      changes |= toggles && (code == 81 || code == 82 || IsRaisedBlock(code));
      changes |= salt && IsIce(code);
      changes |= crates && code != 92 && !IsWall(code);
      if (changes) mutable_.push_back(i);
    }
  }

  int Index(int x, int y) const { return (y + 1) * gw_ + (x + 1); }
  int Step(int i, int dir) const {
    switch (dir) {
      case kRight:
        return i + 1;
      case kLeft:
        return i - 1;
      case kDown:
        return i + gw_;
      default:
        return i - gw_;
    }
  }
  // The cell one further, or -1 when that leaves the grid (only void borders the grid).
  int Next(int i, int dir) const {
    int x = i % gw_, y = i / gw_;
    if ((dir == kRight && x == gw_ - 1) || (dir == kLeft && x == 0) ||
        (dir == kDown && y == gh_ - 1) || (dir == kUp && y == 0)) {
      return -1;
    }
    return Step(i, dir);
  }

  Sim Initial() const {
    Sim s;
    s.map = base_;
    s.pos = s.start = Index(level_.startX, level_.startY);
    for (uint8_t code : base_) s.sweets += IsSweet(code) ? 1 : 0;
    return s;
  }

  std::string Key(const Sim& s) const {
    std::string key;
    key.reserve(13 + mutable_.size());
    key.push_back(static_cast<char>(s.pos & 0xff));
    key.push_back(static_cast<char>(s.pos >> 8));
    key.push_back(static_cast<char>(s.start & 0xff));
    key.push_back(static_cast<char>(s.start >> 8));
    for (uint8_t k : s.keys) key.push_back(static_cast<char>(k));
    key.push_back(static_cast<char>(s.items));
    key.push_back(static_cast<char>(s.mission));
    for (int i : mutable_) key.push_back(static_cast<char>(s.map[i]));
    return key;
  }

  Sim FromKey(std::string_view key) const {
    Sim s;
    s.map = base_;
    auto byte = [&](size_t n) { return static_cast<uint8_t>(key[n]); };
    s.pos = byte(0) | (byte(1) << 8);
    s.start = byte(2) | (byte(3) << 8);
    for (int k = 0; k < 5; ++k) s.keys[k] = byte(4 + k);
    s.items = byte(9);
    s.mission = byte(10);
    for (size_t m = 0; m < mutable_.size(); ++m) s.map[mutable_[m]] = byte(11 + m);
    for (uint8_t code : s.map) s.sweets += IsSweet(code & kCodeMask) ? 1 : 0;
    return s;
  }

  // One press of an arrow key from a standing player, followed to where the player stands
  // again.
  Outcome Press(Sim& s, int dir) const {
    int cur = s.pos;
    bool first = true;
    std::set<std::pair<int, int>> carried;
    for (;;) {
      if (Code(s, cur) == 65 && MagnetsOn(s)) return first ? Outcome::kNoChange : Outcome::kLost;
      int next = Next(cur, dir);
      if (next < 0) return Outcome::kLost;
      int ahead = Code(s, next);
      bool happened = !Blocks(s, ahead);
      if (s.map[next] & kCrateHere) {
        Outcome pushed = PushCrate(s, next, dir);
        if (pushed == Outcome::kUnsupported) return pushed;
        happened = pushed == Outcome::kMoved;
      }
      if (ahead == 61) {
        s.map[next] = 60 | kCrateHere;
        Outcome pushed = PushCrate(s, next, dir);
        if (pushed == Outcome::kUnsupported) return pushed;
        if (pushed != Outcome::kMoved) s.map[next] = 61;
        happened = pushed == Outcome::kMoved;
      }
      if (!happened) return first ? Outcome::kNoChange : Outcome::kMoved;
      if (IsRaisedBlock(Code(s, cur)) || IsRaisedBlock(Code(s, next))) return Outcome::kLost;
      uint8_t& left = s.map[cur];
      int leftCode = left & kCodeMask;
      if (IsFragile(leftCode)) {
        left = (left & kCrateHere) | (leftCode == 9 ? 29 : leftCode == 29 ? 49 : 92);
      }
      cur = next;
      s.pos = cur;
      first = false;
      bool carriedOn = false;
      Outcome arrived = Arrive(s, dir, carriedOn);
      if (arrived != Outcome::kMoved || !carriedOn) return arrived;
      cur = s.pos;
      if (!carried.insert({cur, dir}).second) return Outcome::kLost;  // carried round forever
    }
  }

  void GiveUp(Sim& s) const { s.pos = s.start; }

 private:
  int Code(const Sim& s, int i) const { return s.map[i] & kCodeMask; }

  bool MagnetsOn(const Sim& s) const {
    if (Code(s, s.pos) == 80) return false;
    for (size_t i = 0; i < s.map.size(); ++i) {
      if ((s.map[i] & kCrateHere) && Code(s, static_cast<int>(i)) == 80) return false;
    }
    return true;
  }

  bool Blocks(const Sim& s, int code) const {
    if (IsWall(code) || IsRaisedBlock(code)) return true;
    return IsDoor(code) && s.keys[code - 87] == 0;
  }

  // Raises the lowered blocks and lowers the raised ones; a crate left on a block that rises
  // is crushed.
  void Toggle(Sim& s) const {
    for (uint8_t& cell : s.map) {
      int code = cell & kCodeMask;
      if (code == 81 || code == 82) {
        cell = static_cast<uint8_t>(code + 20);
      } else if (IsRaisedBlock(code)) {
        cell = static_cast<uint8_t>(code - 20);
      }
    }
  }

  void CheckMission(Sim& s) const {
    if (s.mission || targets_.empty()) return;
    for (int t : targets_) {
      if (!(s.map[t] & kCrateHere)) return;
    }
    s.mission = 1;
    ++s.keys[4];
  }

  // Pushes the crate resting at `at` one tile on and follows it until it rests or is gone.
  // kMoved when it moved, kNoChange when blocked.
  Outcome PushCrate(Sim& s, int at, int dir) const {
    int target = Next(at, dir);
    if (target < 0) return Outcome::kNoChange;
    int code = Code(s, target);
    if (code == 111) Toggle(s);
    if (!FreeForCrate(code) || (s.map[target] & kCrateHere)) return Outcome::kNoChange;
    if (Code(s, at) == 65 && MagnetsOn(s)) return Outcome::kNoChange;
    s.map[at] &= kCodeMask;
    for (;;) {
      code = Code(s, target);
      if (code == 60) {
        s.map[target] = 61;
      } else if (code == 4) {
        s.map[target] = 63;
      } else if (IsFragile(code) || code == 92) {
        s.map[target] = 92;
      } else if (code == 19) {
        s.map[target] = 60;
      } else if (code == 18) {
        // burnt; the fire stays
      } else if (IsConveyor(code)) {
        return Outcome::kUnsupported;
      } else if (IsIce(code)) {
        dir = CurveTurn(code, dir);
        int further = Next(target, dir);
        int furtherCode = further < 0 ? 73 : Code(s, further);
        if (furtherCode == 111) Toggle(s);
        if (further >= 0 && FreeForCrate(furtherCode) && !(s.map[further] & kCrateHere)) {
          target = further;
          continue;
        }
        s.map[target] |= kCrateHere;
      } else {
        s.map[target] |= kCrateHere;
        if (code == 100) CheckMission(s);
      }
      break;
    }
    return Outcome::kMoved;
  }

  // What the tile just reached does to the player; carriedOn when ice or a conveyor takes the
  // player on (dir may turn).
  Outcome Arrive(Sim& s, int& dir, bool& carriedOn) const {
    int i = s.pos;
    uint8_t& cell = s.map[i];
    int v = cell & kCodeMask;
    if (v == 93) return s.sweets == 0 ? Outcome::kSolved : Outcome::kMoved;
    if (v == 106) {
      s.start = i;
      cell = 60;
    } else if (IsKey(v)) {
      ++s.keys[v - 10];
      cell = 60;
    } else if (IsDoor(v)) {
      --s.keys[v - 87];
      cell = 60;
    } else if (IsSweet(v)) {
      --s.sweets;
      cell = 60;
    } else if (v == 64) {
      s.items = 0;
    } else if (v == 4) {
      if (!(s.items & kBoots)) return Outcome::kLost;
    } else if (v == 111) {
      Toggle(s);
    } else if (v == 18) {
      if (!(s.items & kSuit)) return Outcome::kLost;
    } else if (v == 19 || v == 92) {
      return Outcome::kLost;
    } else if (v == 63) {
      cell = 60;
    } else if (v == 85 || v == 86 || v == 105) {
      s.items |= v == 85 ? kSalt : v == 86 ? kSuit : kBoots;
      cell = 60;
    } else if (IsIce(v)) {
      if (s.items & kSalt) {
        cell = 62;
      } else {
        dir = CurveTurn(v, dir);
        carriedOn = true;
      }
    } else if (IsConveyor(v)) {
      dir = v == 83 ? kLeft : v == 84 ? kRight : v == 103 ? kDown : kUp;
      carriedOn = true;
    } else if (IsPad(v)) {
      s.pos = NextPad(s, i, v);
    } else if (v == 65 && MagnetsOn(s)) {
      return Outcome::kLost;  // held until a plate is pressed, which only the player could do
    }
    return Outcome::kMoved;
  }

  // The next cell of the same pad code, row by row from just after `from`, wrapping round.
  int NextPad(const Sim& s, int from, int code) const {
    int n = static_cast<int>(s.map.size());
    for (int step = 1; step <= n; ++step) {
      int i = (from + step) % n;
      if (Code(s, i) == code) return i;
    }
    return from;
  }

  const Level& level_;
  int gw_ = 0;
  int gh_ = 0;
  std::vector<uint8_t> base_;
  std::vector<int> mutable_;
  std::vector<int> targets_;
};

std::string Unsupported(const Level& level) {
  if (!level.enemies.empty()) return "the level has enemies";
  for (int code : level.cells) {
    if (IsBoxStart(code)) return std::string("the level has a ") + TileName(code);
  }
  return "";
}

struct Node {
  std::string key;
  int parent;
  char move;
};

}  // namespace

SolveResult SolveLevel(const Level& level, const SolveOptions& options) {
  SolveResult result;
  result.why = Unsupported(level);
  if (!result.why.empty()) {
    result.status = SolveStatus::kUnsupported;
    return result;
  }
  Model model(level);
  std::deque<Node> nodes;
  std::unordered_map<std::string_view, int> seen;
  nodes.push_back({model.Key(model.Initial()), -1, 0});
  seen.emplace(nodes.back().key, 0);
  bool leftOut = false;
  for (size_t at = 0; at < nodes.size(); ++at) {
    Sim here = model.FromKey(nodes[at].key);
    int moveCount = options.allowGiveUp ? 5 : 4;
    for (int m = 0; m < moveCount; ++m) {
      Sim s = here;
      Outcome outcome;
      char letter;
      if (m == 4) {
        if (s.pos == s.start) continue;
        model.GiveUp(s);
        outcome = Outcome::kMoved;
        letter = 'Q';
      } else {
        outcome = model.Press(s, m + 1);
        letter = kMoveLetters[m];
      }
      if (outcome == Outcome::kUnsupported) leftOut = true;
      if (outcome == Outcome::kSolved) {
        std::string moves(1, letter);
        for (int n = static_cast<int>(at); n > 0; n = nodes[n].parent) {
          moves.insert(moves.begin(), nodes[n].move);
        }
        result.status = SolveStatus::kSolved;
        result.moves = moves;
        result.states = nodes.size();
        result.why.clear();
        return result;
      }
      if (outcome != Outcome::kMoved) continue;
      std::string key = model.Key(s);
      if (seen.count(key)) continue;
      if (nodes.size() >= options.maxStates) {
        result.status = SolveStatus::kTooManyStates;
        result.states = nodes.size();
        return result;
      }
      nodes.push_back({std::move(key), static_cast<int>(at), letter});
      seen.emplace(nodes.back().key, static_cast<int>(nodes.size() - 1));
    }
  }
  result.status = SolveStatus::kNoSolution;
  result.states = nodes.size();
  if (leftOut) result.why = "moves that bring a crate onto a conveyor were left out";
  return result;
}

std::string CompactMoves(const std::string& moves) {
  std::string out;
  for (size_t i = 0; i < moves.size();) {
    size_t j = i;
    while (j < moves.size() && moves[j] == moves[i]) ++j;
    if (!out.empty()) out += ' ';
    if (j - i > 1) out += std::to_string(j - i);
    out += moves[i];
    i = j;
  }
  return out;
}

}  // namespace levelcheck
