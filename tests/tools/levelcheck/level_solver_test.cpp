// The solver on small levels of each mechanic it follows, with every answer played through the
// real game (the replay session) to the exit.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ascii_level.h"
#include "level_docs.h"
#include "level_solver.h"
#include "move_script.h"
#include "replay_session.h"
#include "support/test_support.h"

namespace {

using namespace levelcheck;
using levelcheck::test::AsciiLevel;

// Plays the moves on the level through the game.
tobli::replay::ReplayOutcome Play(const Level& level, const std::string& moves) {
  tobli::test::ScopedTempDir dir;
  std::filesystem::create_directories("levels");
  tobli::test::WriteFile("levels/Level.0", LevelText(level));
  tobli::replay::ReplayRequest request;
  std::string why;
  EXPECT_TRUE(tobli::replay::ParseMoves(moves, request.moves, why)) << why;
  request.maxFrames = 20000;
  return tobli::replay::PlayLevel(request);
}

// True when the moves take the exit without a death.
bool GameCompletes(const Level& level, const std::string& moves) {
  tobli::replay::ReplayOutcome outcome = Play(level, moves);
  return outcome.completed && outcome.deaths == 0;
}

std::string Solve(const Level& level, SolveOptions options = {}) {
  SolveResult result = SolveLevel(level, options);
  EXPECT_EQ(result.status, SolveStatus::kSolved) << result.why;
  return result.moves;
}

TEST(LevelSolver, FindsTheShortestWayAndTheGameAgrees) {
  struct Case {
    const char* what;
    std::vector<std::string> rows;
    const char* moves;  // a shortest answer; the solver may find another of the same length
  };
  const Case cases[] = {
      {"key and door", {"#######", "#@r.R.#", "#####a#", "#####E#", "#######"}, "RRRRDD"},
      {"ice stops at sweets, walls and floor",
       {"######", "#@iia#", "#.##.#", "#Eiii#", "######"},
       "RDDL"},
      {"cracked floor takes two steps off", {"######", "#E@ya#", "######"}, "RRLLL"},
      {"a crate fills the water", {"########", "#@Cwa.E#", "########"}, "RRRRR"},
      {"the switch lowers the block", {"#######", "#@!OaE#", "#######"}, "RRRR"},
      {"a pad beams to its partner", {"#######", "#@0#0a#", "#####E#", "#######"}, "RRD"},
      {"conveyors carry round the corner",
       {"#######", "#@>>v.#", "####v.#", "#Ea<<.#", "#######"},
       "RL"},
      {"a crate sets off the mine in the way", {"#########", "#@C.m.aE#", "#########"}, "RRRRRR"},
      {"a curve turns the slide", {"######", "#@ii)#", "####i#", "#Ea.]#", "######"}, "RLL"},
  };
  for (const Case& c : cases) {
    Level level = AsciiLevel(c.rows);
    std::string moves = Solve(level);
    EXPECT_EQ(moves.size(), std::string(c.moves).size()) << c.what << ": " << moves;
    EXPECT_TRUE(GameCompletes(level, moves)) << c.what << ": " << moves;
  }
}

TEST(LevelSolver, CratesItemsMagnetsAndCheckpointsAsTheGamePlaysThem) {
  const std::vector<std::vector<std::string>> levels = {
      // Cover the target for the silver key; the silver door hides the sweet.
      {"########", "#@C.T..#", "#.....S#", "######a#", "######E#", "########"},
      // A crate on the plate switches the magnets off.
      {"#########", "#@.C.P..#", "#.......#", "####M####", "####a####", "####E####", "#########"},
      // Boots for the water, the suit for the fire, the remover takes both.
      {"##########", "#@BF.wfa.#", "#X######E#", "##########"},
      // The salt bag melts the ice into slush, which does not slide.
      {"#######", "#@$iia#", "####iE#", "#######"},
      // A crate pushed into the void falls; the way round is longer.
      {"#########", "#@.C .aE#", "#.......#", "#########"},
  };
  for (const auto& rows : levels) {
    Level level = AsciiLevel(rows);
    std::string moves = Solve(level);
    EXPECT_FALSE(moves.empty());
    EXPECT_TRUE(GameCompletes(level, moves)) << rows[1] << ": " << moves;
  }
}

TEST(LevelSolver, GivingUpReturnsToTheCheckpoint) {
  // The sweet lies past a broken tile with no way back; the checkpoint makes the return short.
  Level level = AsciiLevel({"#########", "#E.@H.za#", "#########"});
  SolveResult stuck = SolveLevel(level, SolveOptions{});
  EXPECT_EQ(stuck.status, SolveStatus::kNoSolution);
  SolveOptions giveUp;
  giveUp.allowGiveUp = true;
  std::string moves = Solve(level, giveUp);
  EXPECT_EQ(moves, "RRRRQLLL");
  tobli::replay::ReplayOutcome outcome = Play(level, moves);
  EXPECT_TRUE(outcome.completed);
  EXPECT_EQ(outcome.deaths, 1);
}

TEST(LevelSolver, ReportsWhatItCannotSolveOrFollow) {
  SolveResult walled = SolveLevel(AsciiLevel({"#######", "#@.#a.#", "#E.#..#", "#######"}), {});
  EXPECT_EQ(walled.status, SolveStatus::kNoSolution);

  SolveResult broken = SolveLevel(AsciiLevel({"######", "#E@za#", "######"}), {});
  EXPECT_EQ(broken.status, SolveStatus::kNoSolution);

  Level guarded = AsciiLevel({"#####", "#@.a#", "#..E#", "#####"});
  guarded.enemies.push_back({2, 2, 0, 0, 1});
  SolveResult enemy = SolveLevel(guarded, {});
  EXPECT_EQ(enemy.status, SolveStatus::kUnsupported);
  EXPECT_EQ(enemy.why, "the level has enemies");
  SolveResult gem = SolveLevel(AsciiLevel({"#@5aE#"}), {});
  EXPECT_EQ(gem.status, SolveStatus::kUnsupported);
  EXPECT_EQ(gem.why, "the level has a ruby");

  SolveOptions tiny;
  tiny.maxStates = 2;
  SolveResult cut =
      SolveLevel(AsciiLevel({"#######", "#@....#", "#....a#", "#E....#", "#######"}), tiny);
  EXPECT_EQ(cut.status, SolveStatus::kTooManyStates);

  // The only way on brings the crate onto a belt, which the search does not follow.
  SolveResult conveyor =
      SolveLevel(AsciiLevel({"#######", "#@C>..#", "#.##a.#", "#E.####", "#######"}), {});
  EXPECT_EQ(conveyor.status, SolveStatus::kNoSolution);
  EXPECT_EQ(conveyor.why, "moves that bring a crate onto a conveyor were left out");
}

TEST(LevelSolver, MovesAreWrittenCompactlyAndCounted) {
  EXPECT_EQ(CompactMoves("RRRDDLQ"), "3R 2D L Q");
  EXPECT_EQ(CompactMoves(""), "");
  int presses = 0, waits = 0;
  ASSERT_TRUE(CountMoves("3R 2. D Q", presses, waits));
  EXPECT_EQ(presses, 5);
  EXPECT_EQ(waits, 2);
  EXPECT_FALSE(CountMoves("3R x", presses, waits));
}

}  // namespace
