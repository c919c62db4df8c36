// The test programs draw their reference glyphs with QPainter, which needs a
// QGuiApplication; it runs off screen, so the tests' own drawing never
// touches the display that the game under test uses.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    char platformOption[] = "-platform";
    char platformName[] = "offscreen";
    char *qtArgv[] = {argv[0], platformOption, platformName, nullptr};
    int qtArgc = 3;
    QGuiApplication app(qtArgc, qtArgv);
    return RUN_ALL_TESTS();
}
