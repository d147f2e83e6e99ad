#include "play/StatePlay.h"

// Placeholder until the mission end lands.
void CStatePlay::DrawCompletionScreen() {}
