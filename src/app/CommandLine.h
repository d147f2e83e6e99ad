#pragma once
#include <cstdio>

// What the command line asks for. The game needs no arguments; these are
// the few a desktop player or a packager expects.
struct SCommandLine {
    enum EAction { kPlay, kHelp, kVersion, kBadUsage };
    EAction action = kPlay;
    int fullscreen = -1; // -1 as settings.ini says, 0 windowed, 1 fullscreen (this run only)
    const char* bad = nullptr; // the argument not understood
};

SCommandLine ParseCommandLine(int argc, const char* const* argv);

// Prints what --help, --version or a bad argument call for; returns the
// exit code, or -1 when the game is to start.
int AnswerCommandLine(const SCommandLine& line, const char* program, FILE* out, FILE* err);
