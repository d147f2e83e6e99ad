#pragma once
// What every fuzz target shares: Allegro without a system driver, and a
// private folder with data/ and data/states/ in it, where the target writes
// its input and the game's readers look for their files.
#include <cstddef>
#include <string>

// Starts Allegro and makes the private folder; returns its path.
const std::string& MakeFuzzHome();

// Works in the private folder for one input, and goes back to where the
// fuzzer was started afterwards: it reads its corpus and writes what it
// finds by paths relative to that folder.
class CInFuzzHome {
public:
    CInFuzzHome();
    ~CInFuzzHome();
    CInFuzzHome(const CInFuzzHome&) = delete;
    CInFuzzHome& operator=(const CInFuzzHome&) = delete;
};

// Writes the input to PATH, relative to the private folder (0xFD as '?').
void WriteInput(const std::string& path, const unsigned char* data, std::size_t size);
