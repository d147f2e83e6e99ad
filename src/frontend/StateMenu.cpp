#include "frontend/StateMenu.h"

CStateMenu* CStateMenu::Instance()
{
    static CStateMenu instance;
    return &instance;
}
