#pragma once
#include <string>

// The game's names of keys, as the keys are labelled on a US keyboard:
// settings.ini holds these, so a file means the same keys on every layout
// (the keys themselves follow their place on the keyboard, not their label).
namespace KeyNames {

// "UP", "W", "SPACE"; nullptr for a code without a name.
const char* Name(int key);
// The Allegro key code of a name, in any case; -1 when there is none.
int Key(const std::string& name);

} // namespace KeyNames
