#pragma once

// SIGTERM (kill), SIGHUP (a desktop logout, a closed terminal) and SIGINT
// (Ctrl+C) ask the game to quit the normal way, as the window's close
// button does: the frame finishes, the settings are saved, exit code 0.
// A second one while it is quitting ends the process at once; every file
// the game writes is renamed into place whole, so none is left half done.
// A signal that was ignored when the program started stays ignored.
namespace QuitSignals {

// Call once before the library starts and once after: the library keeps the
// handlers it finds and puts them back when it ends, and its own handlers
// (which print a line and abort, and can hang) must never run for these.
void Install();

// The process's exit code when a second signal ends it at once.
constexpr int ExitCodeOfSecond(int signal) { return 128 + signal; }

} // namespace QuitSignals
