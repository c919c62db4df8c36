#include <gtest/gtest.h>

#include "fake_host.h"

using namespace snoutsum;
using namespace snoutsum::test;

TEST(FormLoad, DealsTwentyTilesAndDrawsTheTitleLast)
{
    Rig rig;
    rig.game.Form_Load();
    EXPECT_EQ(rig.host.draws, 20);
    EXPECT_EQ(rig.host.log.back(), "draw title");
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 5; ++r)
            EXPECT_EQ(rig.host.text[tileIndex(c, r)], std::to_string(rig.game.cells[tileIndex(c, r)]));
}
