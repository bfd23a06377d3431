// The box pass: rolling gems, ice, conveyors, hazards under a box, the block toggle, the gem
// triple and the player crushed by a gliding box.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "audio/sound_log.h"
#include "box_test_support.h"
#include "game.h"

namespace tobli::test {
namespace {

// The picture objects in the enemy table as (column, row, look, mode), sorted.
std::vector<std::tuple<int, int, int, int>> PictureObjects() {
  std::vector<std::tuple<int, int, int, int>> objects;
  for (double e = 0; e < maxene; ++e) {
    objects.emplace_back(static_cast<int>(enex(e)) / 32 - kMargin,
                         static_cast<int>(eney(e)) / 32 - kMargin, static_cast<int>(enelook(e)),
                         static_cast<int>(enemode(e)));
  }
  std::sort(objects.begin(), objects.end());
  return objects;
}

using BoxPass = BoxTest;

TEST_F(BoxPass, RollingGemRollsUntilBlockedAndSoundsOnce) {
  LoadForPlay(Level({{5, 60, 60, 60, 73}}));
  EXPECT_EQ(PushBox(0, 0, kRight), 1);
  Frames(47);
  EXPECT_EQ(boxm(0), kRight);
  EXPECT_EQ(boxx(0), 2 + kMargin);
  EXPECT_EQ(SoundLogCount(9), 0u);
  Frames(1);
  EXPECT_EQ(boxx(0), 3 + kMargin);
  EXPECT_EQ(boxm(0), 5);
  EXPECT_EQ(SoundLogCount(9), 1u);
  // The push and one step started on each tile passed.
  EXPECT_EQ(SoundLogCount(2), 3u);
  // At rest it makes no more sound.
  Frames(10);
  EXPECT_EQ(SoundLogCount(9), 1u);
  EXPECT_EQ(boxx(0), 3 + kMargin);
}

TEST_F(BoxPass, IceCarriesACrateAndCurve70TurnsItDown) {
  LoadForPlay(Level({
      {61, 66, 67, 70, 73},
      {73, 73, 73, 60, 73},
      {73, 73, 73, 73, 73},
  }));
  EXPECT_EQ(PushCrate(0, 0, kRight), 1);
  Frames(48);
  ASSERT_EQ(maxbox, 1);
  EXPECT_EQ(boxx(0), 3 + kMargin);
  EXPECT_EQ(boxm(0), kDown);
  EXPECT_EQ(boxdelay(0), 16);
  Frames(16);
  EXPECT_EQ(maxbox, 0);
  EXPECT_EQ(Cell(3, 1), 61);
  EXPECT_EQ(Cell(3, 0), 70);
}

TEST_F(BoxPass, BoxRestingOnAConveyorMovesAsSoonAsTheWayIsFree) {
  // A bomb on a conveyor right with a crate in its way; a gem on one facing a wall.
  LoadForPlay(Level({{8, 61, 60, 73}, {5, 73, 60, 73}}));
  Cell(0, 0) = 84;
  Cell(0, 1) = 84;
  double bomb = BoxAt(0, 0);
  Frames(3);
  EXPECT_EQ(boxm(bomb), 5);
  EXPECT_LT(boxdelay(bomb), 1);
  EXPECT_EQ(SoundLogCount(2), 0u);
  // The gem tries in every frame and sounds each time.
  EXPECT_EQ(SoundLogCount(9), 3u);

  Cell(1, 0) = 60;
  Frames(1);
  EXPECT_EQ(boxm(bomb), kRight);
  EXPECT_EQ(boxdelay(bomb), 16);
  EXPECT_EQ(SoundLogCount(2), 1u);
  Frames(16);
  EXPECT_EQ(BoxAt(1, 0), bomb);
  EXPECT_EQ(boxm(bomb), 5);
}

TEST_F(BoxPass, HazardsUnderABoxTakeIt) {
  // A crate (61) or a bomb (8) moved right onto the tile; what the tile becomes, the picture
  // object left in the enemy table, the explosions and the sounds.
  struct Case {
    int box;
    int tile;
    int after;
    std::vector<std::tuple<int, int, int, int>> objects;
    double booms;
    std::map<int, uint64_t> sounds;
  };
  const Case cases[] = {
      {61, 4, 63, {}, 0, {{15, 1}}},                 // water becomes dirt
      {61, 9, 92, {{1, 0, 61, -32}}, 0, {{7, 1}}},   // fragile floor gives way: it falls
      {61, 29, 92, {{1, 0, 61, -32}}, 0, {{7, 1}}},  //
      {61, 49, 92, {{1, 0, 61, -32}}, 0, {{7, 1}}},  //
      {61, 92, 92, {{1, 0, 61, -32}}, 0, {{7, 1}}},  // the void
      {61, 18, 18, {{1, 0, 107, 32}}, 0, {{8, 1}}},  // the fire burns on
      {61, 19, 60, {{1, 0, 107, 32}}, 0, {{1, 1}}},  // the mine is spent
      // An explosion: on fire it takes the tile, so the debris sounds like a blast; on the
      // mine the tile is floor at once. Each explosion's start and its debris sound.
      {8, 19, 60, {}, 1, {{1, 2}}},
      {8, 18, 96, {}, 1, {{8, 0}, {1, 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.box << " onto " << c.tile);
    LoadForPlay(Level({{c.box, c.tile, 73}}));
    if (c.box == 61) {
      EXPECT_EQ(PushCrate(0, 0, kRight), 1);
    } else {
      EXPECT_EQ(PushBox(0, 0, kRight), 1);
    }
    Frames(16);
    EXPECT_EQ(maxbox, 0);
    EXPECT_EQ(Cell(1, 0), c.after);
    if (c.booms == 0) {
      EXPECT_EQ(PictureObjects(), c.objects);
    }
    EXPECT_EQ(maxboom, c.booms);
    for (const auto& [slot, calls] : c.sounds) EXPECT_EQ(SoundLogCount(slot), calls) << slot;
  }
  // The last explosion, on the fire, burns down to floor.
  Do([] {
    for (int update = 0; update < 3; ++update) {
      DLN();
      showboom();
    }
  });
  EXPECT_EQ(maxboom, 0);
  EXPECT_EQ(Cell(1, 0), 60);
}

TEST_F(BoxPass, BoxTowardTheSwitchTogglesBlocksAndARisingBlockDestroysABox) {
  LoadForPlay(Level({
      {60, 8, 111, 73},
      {60, 8, 82, 101},
      {73, 73, 102, 81},
  }));
  Cell(1, 1) = 81;
  EXPECT_EQ(PushBox(1, 0, kRight), 1);
  EXPECT_EQ(SoundLogCount(14), 1u);
  EXPECT_EQ(Cell(1, 1), 101);
  EXPECT_EQ(Cell(2, 1), 102);
  EXPECT_EQ(Cell(3, 1), 81);
  EXPECT_EQ(Cell(2, 2), 82);
  EXPECT_EQ(Cell(3, 2), 101);
  EXPECT_EQ(Cell(2, 0), 111);

  Frames(1);
  EXPECT_EQ(maxbox, 1);
  EXPECT_EQ(BoxAt(1, 0), 0);
  std::vector<std::tuple<int, int, int, int>> debris = {{1, 1, 107, 32}};
  EXPECT_EQ(PictureObjects(), debris);
  EXPECT_EQ(SoundLogCount(1), 1u);

  // The pushed box comes to rest on the switch.
  Frames(16);
  EXPECT_EQ(BoxAt(2, 0), 0);
  EXPECT_EQ(SoundLogCount(14), 1u);
}

TEST_F(BoxPass, ThreeDifferentGemsSideBySideVanishForASilverKey) {
  struct Case {
    const char* name;
    std::vector<std::vector<int>> rows;
    bool vanish;
  };
  const Case cases[] = {
      {"L", {{5, 6, 60}, {60, 7, 60}}, true},
      {"line", {{7, 5, 6}}, true},
      {"two alike", {{5, 5, 6}}, false},
      {"corner apart", {{5, 60, 6}, {60, 7, 60}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoadForPlay(Level(c.rows));
    std::vector<std::tuple<int, int, int, int>> gems;
    for (double n = 0; n < maxbox; ++n) {
      gems.emplace_back(boxx(n) - kMargin, boxy(n) - kMargin, boxlook(n), 32);
    }
    std::sort(gems.begin(), gems.end());
    Frames(2);
    if (!c.vanish) {
      EXPECT_EQ(maxbox, 3);
      EXPECT_EQ(maxene, 0);
      EXPECT_EQ(kys(4), 0);
      continue;
    }
    EXPECT_EQ(maxbox, 0);
    EXPECT_EQ(PictureObjects(), gems);
    EXPECT_EQ(kys(4), 1);
    EXPECT_EQ(SoundLogCount(12), 1u);
    EXPECT_EQ(kynum, 1) << "the key's icon (its look and place: the crate target tests)";
  }
}

TEST_F(BoxPass, GlidingBoxCrushesThePlayerAndARestingOneNever) {
  LoadForPlay(Level({{60, 60, 8, 60, 60, 73}}));
  PlacePlayer(3, 0);
  EXPECT_EQ(PushBox(2, 0, kRight), 1);
  // After k frames the box is 2k pixels on, 32 - 2k pixels from the player.
  Frames(8);
  EXPECT_EQ(plyx, (3 + kMargin) * 32);
  Frames(1);
  EXPECT_EQ(plyx, startx * 32);
  EXPECT_EQ(plyy, starty * 32);

  LoadForPlay(Level({{60, 60, 8, 60, 60, 73}}));
  PlacePlayer(2, 0);
  Frames(5);
  EXPECT_EQ(plyx, (2 + kMargin) * 32);
}

}  // namespace
}  // namespace tobli::test
