#include "play/StatePlay.h"

// Placeholder until level set-up lands.
int CStatePlay::SetUpLevel() { return SaveScoresAndLoadLevel(1); }
