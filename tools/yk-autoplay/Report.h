#pragma once
#include <string>
#include <vector>

#include "LevelRun.h"

// The balancing report: a text table of every level's outcome and a bar
// chart of the winning margins, written into dir.
bool WriteReport(const std::string& dir, const std::vector<SLevelResult>& runs);
// One line per level, as printed and as written to the table.
std::string ResultLine(const SLevelResult& r);
