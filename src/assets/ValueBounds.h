#pragma once
#include <string>
#include <vector>

// Values read from definition, state and level files are held to ranges the
// game's arithmetic can take: a value past them (or not a number) would
// overflow a sum, a float-to-int conversion or a clip rectangle, or make a
// loop run for hours. The ranges are far beyond any level worth playing.
// Each clamp is said once per file and key on stderr, and kept for yk-lint,
// which reports the same values as problems.

// v held to lo..hi.
int BoundWhole(int v, int lo, int hi, const std::string& file, const char* section, const char* key);
// v held to lo..hi; not a number reads as the fallback (itself held to lo..hi).
float BoundPart(float v, float fallback, float lo, float hi, const std::string& file, const char* section,
                const char* key);
// Says one line about a value the reader replaced, once per file, section and key.
void ReportBound(const std::string& file, const char* section, const char* key, const std::string& text);

// Every report since the last call, repeats included (yk-lint lints file by file).
std::vector<std::string> TakeBoundReports();
// Lets the next clamp of each key be said again (tests start from nothing said).
void ForgetBoundReports();
