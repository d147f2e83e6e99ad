#pragma once
#include <string>

// State definition files: "data\states\" + name + ".yks", read through
// Allegro's current configuration. CStatePlay::LoadState reads a chain of
// them into the tunables; yk-lint walks the same chain with these helpers.

// The file of a state by name ("play-7", "base").
std::string StatePath(const std::string& name);
// Image-set names and "noLoad" compare without regard to case, as the game does.
bool SameName(const std::string& a, const char* b);
// Files in one parent chain, the top file included; the campaign needs 3.
// A deeper chain (or a generated one thousands deep) stops there.
constexpr int kMaxParentDepth = 64;
// The "imageSet" value that keeps the images already loaded.
constexpr const char* kNoImageLoad = "noLoad";
