#include "frontend/StateMenu.h"

namespace {
CStateMenu s_menu;
} // namespace

CStateMenu* CStateMenu::Instance() { return &s_menu; }
