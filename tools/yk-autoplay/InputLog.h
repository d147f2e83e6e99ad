#pragma once
#include <string>
#include <vector>

#include "LevelRun.h"

// Recorded runs: each level's name, seed, outcome and the keys held in
// every tick, so that a run can be played again and compared.
// Text format, one level per line:
//   level NAME seed S ticks T points P won W keys RUNS
// where RUNS is "count:mask" pairs joined by commas.
bool SaveInputLog(const std::string& path, const std::vector<SLevelResult>& runs);
// Reads a log; on failure returns false and says why in error.
bool LoadInputLog(const std::string& path, std::vector<SLevelResult>& runs, std::string& error);
