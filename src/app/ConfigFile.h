#pragma once
#include <string>

// Makes a file the current configuration for reading, as set_config_file
// does, but never hands Allegro what makes its reader spin or read memory it
// never filled: anything but a plain file reads as empty, and the bytes that
// can begin no character (0xF8 to 0xFF; 0xFD alone hangs the reader) read
// as '?'. Writing through it is only meant for files the game creates.
void OpenConfigFile(const std::string& path);

// The text with those bytes as '?', for copies that Allegro will read again.
std::string CleanConfigText(std::string text);
