#pragma once
#include <gtest/gtest.h>

#include "input/Controls.h"
#include "input/PadSource.h"
#include "input/VirtualPad.h"

// Pads for a test, headless: the controller support started for
// g_controls and three virtual pads to plug in. Start it after any reset
// of g_controls (a fresh CControls has pads off).
struct SPadBench {
    void Start()
    {
        ASSERT_TRUE(g_controls.StartPads()) << "the controller support did not start";
    }
    ~SPadBench()
    {
        for (CVirtualPad& p : pads)
            p.Detach();
        g_padSource.Stop();
        g_controls.usePads = 0;
    }
    CVirtualPad pads[3];
};
