#include <allegro.h>

#include "app/GameApp.h"

int main()
{
    CGameApp app;
    return app.Main();
}
END_OF_MAIN()
