#include "enemy_scenario.h"

#include "audio/sound_log.h"
#include "game.h"
#include "pass_observer.h"

namespace tobli::test {

double Pixel(int stored) {
  return (stored + kMargin) * 32.0;
}

int EnemyRemarks() {
  int remarks = 0;
  for (int slot = 21; slot <= 25; ++slot) remarks += static_cast<int>(SoundLogCount(slot));
  return remarks;
}

EnemyScenario::EnemyScenario() {
  ClearSoundLog();
}

EnemyScenario::~EnemyScenario() {
  game::SetPassObserver({});
}

void EnemyScenario::PlayPasses(int passes) {
  passes_.clear();
  deaths_ = 0;
  deathFrames_ = 0;
  bool inDeath = false;
  driver_.OnEveryFrame([&](uint64_t) {
    if (ALIVE == 0) {
      ++deathFrames_;
      if (!inDeath) ++deaths_;
    }
    inDeath = ALIVE == 0;
  });
  game::SetPassObserver([&](game::PassPoint point) {
    if (point != game::PassPoint::kPassEnd) return;
    PassRecord record;
    for (double n = 0; n < maxene; ++n) {
      record.enemies.push_back({enex(n), eney(n), enemode(n), enelook(n)});
    }
    record.plyx = plyx;
    record.plyy = plyy;
    record.frame = __g_FrameCount;
    passes_.push_back(record);
    if (static_cast<int>(passes_.size()) == passes) driver_.Stop();
  });
  game::RunResult result = driver_.Run([] { MainGame(); });
  driver_.OnEveryFrame({});
  game::SetPassObserver({});
  ASSERT_EQ(result.end, game::RunEnd::kStopped)
      << "error " << __g_error << " on line " << __g_errorline;
}

void EnemyScenario::WithLevel(const LevelSpec& spec, const std::function<void()>& routine) {
  UseLevel(spec);
  game::RunResult result = driver_.Run([&routine] {
    level = 1;
    LoadLevel(0);
    initlevel();
    ClearSoundLog();
    routine();
  });
  ASSERT_EQ(result.end, game::RunEnd::kReturned)
      << "error " << __g_error << " on line " << __g_errorline;
}

}  // namespace tobli::test
