// The replay tool's output: the one-line JSON of a run and the line of a checked solution.
#pragma once

#include <string>

#include "replay_session.h"

namespace tobli::replay {

// One line of JSON (without the line break); "map" only when withMap.
std::string OutcomeJson(const ReplayOutcome& outcome, bool withMap);

// "level N: pass|FAIL (frames F, deaths D[, why])" for one line of a solutions file.
std::string CheckLine(double levelNumber, const ReplayOutcome& outcome);

// A game number as JSON: whole numbers without a fraction, others with full precision.
std::string JsonNumber(double value);

}  // namespace tobli::replay
