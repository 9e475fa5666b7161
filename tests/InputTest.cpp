#include "TestGame.h"

TEST(Input, ATappedKeyIsSeenOnceAndAHeldKeyAlways) {
    TestGame t;
    Game& g = t.game;
    t.host.TapKey(90);
    EXPECT_TRUE(g.Kof(90));
    EXPECT_FALSE(g.Kof(90));
    t.host.HoldKeys({37});
    EXPECT_TRUE(g.Kof(37));
    EXPECT_TRUE(g.Kof(37));
    t.host.HoldKeys({});
    EXPECT_FALSE(g.Kof(37));
}

TEST(Input, KeyRecorderKeepsTheLastTenCodesInRange) {
    TestGame t;
    Game& g = t.game;
    g.KeyRecording = true;
    for (int code : {12, 13, 121, 122, 90}) t.host.TapKey(code);
    g.Host.PumpEvents();
    EXPECT_EQ(g.KeyHistory[7], 13);
    EXPECT_EQ(g.KeyHistory[8], 121);
    EXPECT_EQ(g.KeyHistory[9], 90);
    EXPECT_EQ(g.KeyHistory[6], 0);
    EXPECT_EQ(g.TakeKey(), 90);
    EXPECT_EQ(g.KeyHistory[9], 0);
    g.KeyRecording = false;
    t.host.TapKey(65);
    g.Host.PumpEvents();
    EXPECT_EQ(g.KeyHistory[9], 0);
}

TEST(Input, JoystickDirectionsButtonsAndTheMenuLatch) {
    TestGame t;
    Game& g = t.game;
    t.host.JoyDevices = 1;
    t.host.Joy = JoystickReading{0, 0, true, false}; // up-left, button 1
    EXPECT_FALSE(g.JoyState(1)); // disabled
    EXPECT_FALSE(g.JoyPressed(1));
    g.JoystickEnabled = true;
    EXPECT_TRUE(g.JoyState(1));
    EXPECT_FALSE(g.JoyState(2));
    EXPECT_TRUE(g.InputUp() && g.InputLeft());
    EXPECT_FALSE(g.InputDown() || g.InputRight());
    t.host.Joy = JoystickReading{65535, 65535, false, true};
    EXPECT_TRUE(g.InputDown() && g.InputRight());
    EXPECT_FALSE(g.JoyState(7));

    g.StagePhase = 0;
    t.host.Joy.Button1 = true;
    EXPECT_TRUE(g.JoyPressed(1));  // new press
    EXPECT_FALSE(g.JoyPressed(1)); // still held
    t.host.Joy.Button1 = false;
    EXPECT_FALSE(g.JoyPressed(1));
    t.host.Joy.Button1 = true;
    g.StagePhase = 1;
    EXPECT_FALSE(g.JoyPressed(1)); // never during play
}

TEST(Input, AFailedJoystickReadIsACentredStick) {
    TestGame t;
    Game& g = t.game;
    t.host.JoyDevices = 1;
    t.host.JoyReadable = {false, false};
    g.JoystickEnabled = true;
    for (int code : {1, 2, 8, 22, 50, 100}) EXPECT_FALSE(g.JoyState(code)) << code;
    EXPECT_FALSE(g.DetectJoystick());
    t.host.JoyReadable = {false, true};
    t.host.JoyDevices = 2;
    EXPECT_TRUE(g.DetectJoystick());
    EXPECT_EQ(g.JoystickId, 1);
    t.host.JoyDevices = 0;
    EXPECT_FALSE(g.DetectJoystick());
}
