#include "play/StatePlay.h"

// Placeholder until the level-select screen lands: straight back to the title.
void CStatePlay::RunLevelSelect()
{
    leaveToTitle = true;
    SetUpLevel();
}
