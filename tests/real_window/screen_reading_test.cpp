// The readers that the real-window test relies on, checked on pictures drawn
// here: if they misread a known picture, the real-window test's verdicts mean
// nothing.
#include "screen_reading.h"

#include <QColor>
#include <QFont>
#include <QPainter>

#include <gtest/gtest.h>

using namespace rw;

namespace {

struct TileLook {
    QColor background;
    // The game draws at 27 pixels; other sizes and hintings stand for a
    // display that rasterises a little differently.
    int pixelSize;
    QFont::HintingPreference hinting;
    int dx, dy;  // where the digit sits relative to the tile's centre
};

// A window's drawing area with one tile drawn the way the game's tiles look:
// a grey border line and a white digit centred horizontally.
QImage clientWithTile(int column, int row, const QString &text, const TileLook &look)
{
    QImage client(kClientWidth, kClientHeight, QImage::Format_RGB32);
    client.fill(Qt::black);
    QPainter p(&client);
    const QRect tile = tileRect(column, row);
    p.fillRect(tile, look.background);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(tile.adjusted(0, 0, -1, -1));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(look.pixelSize);
    font.setHintingPreference(look.hinting);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(tile.translated(look.dx, look.dy), Qt::AlignCenter, text);
    return client;
}

QImage dialogWith(const QString &text, const QString &face, int pixelSize)
{
    QImage dialog(180, 90, QImage::Format_RGB32);
    dialog.fill(QColor(239, 239, 239));
    QPainter p(&dialog);
    QFont font(face);
    font.setPixelSize(pixelSize);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPoint(16, 14 + pixelSize), text);
    // A button below the line, with its own frame and label.
    p.setPen(QColor(150, 150, 150));
    p.drawRect(100, 55, 70, 26);
    p.setPen(Qt::black);
    p.drawText(QRect(100, 55, 70, 26), Qt::AlignCenter, QStringLiteral("OK"));
    return dialog;
}

const QStringList kScoreLines = [] {
    QStringList lines;
    for (int s = 0; s <= 9; ++s)
        lines << QStringLiteral("SCORE %1").arg(s);
    lines << QStringLiteral("SCORE0") << QStringLiteral("SCORE  0") << QStringLiteral("SCORE 10");
    return lines;
}();

}  // namespace

TEST(DigitReader, ReadsEveryDigitOnEveryTileColourWhereverAndHoweverItIsDrawn)
{
    const DigitReader reader;
    const QColor backgrounds[] = {Qt::black, QColor(0, 0, 255), QColor(255, 0, 0)};
    const TileLook looks[] = {{Qt::black, 27, QFont::PreferDefaultHinting, 0, 0},
                              {Qt::black, 27, QFont::PreferDefaultHinting, 0, -3},
                              {Qt::black, 27, QFont::PreferDefaultHinting, 1, 3},
                              {Qt::black, 27, QFont::PreferFullHinting, 0, 2},
                              {Qt::black, 27, QFont::PreferNoHinting, -1, -2},
                              {Qt::black, 26, QFont::PreferDefaultHinting, 0, 1},
                              {Qt::black, 28, QFont::PreferDefaultHinting, 1, -1}};
    for (const QColor &bg : backgrounds)
        for (TileLook look : looks)
            for (int digit = 1; digit <= 4; ++digit) {
                look.background = bg;
                const QImage client = clientWithTile(3, 2, QString::number(digit), look);
                const Reading r = reader.read(client, 3, 2);
                SCOPED_TRACE(QStringLiteral("digit %1 on %2, %3 px, hinting %4, offset %5,%6")
                                 .arg(digit).arg(bg.name()).arg(look.pixelSize).arg(look.hinting)
                                 .arg(look.dx).arg(look.dy)
                                 .toStdString());
                EXPECT_EQ(r.text.toStdString(), std::to_string(digit));
                EXPECT_TRUE(r.clear()) << "distance " << r.distance << ", runner-up " << r.runnerUp.toStdString()
                                       << " at " << r.runnerUpDistance << "\n"
                                       << whiteInk(client, DigitReader::innerArea(3, 2)).art();
            }
}

TEST(DigitReader, GivesNoClearReadingOfATileWithoutOneOfItsDigits)
{
    const DigitReader reader;
    for (const QString &text : {QString(), QStringLiteral("0"), QStringLiteral("7"), QStringLiteral("8"),
                                QStringLiteral("44")}) {
        const QImage client = clientWithTile(1, 5, text, {QColor(0, 0, 255), 27, QFont::PreferDefaultHinting, 0, 0});
        const Reading r = reader.read(client, 1, 5);
        EXPECT_FALSE(r.clear()) << "\"" << text.toStdString() << "\" read as " << r.text.toStdString()
                                << " at " << r.distance << ", runner-up at " << r.runnerUpDistance;
    }
}

TEST(DigitReader, ReadsTheTileAskedForAndNotItsNeighbours)
{
    const DigitReader reader;
    QImage client = clientWithTile(2, 3, QStringLiteral("4"), {Qt::black, 27, QFont::PreferDefaultHinting, 0, 0});
    QPainter p(&client);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(27);
    p.setFont(font);
    p.setPen(Qt::white);
    // Different digits all around; tiles share their border lines.
    p.drawText(tileRect(1, 3), Qt::AlignCenter, QStringLiteral("1"));
    p.drawText(tileRect(3, 3), Qt::AlignCenter, QStringLiteral("2"));
    p.drawText(tileRect(2, 2), Qt::AlignCenter, QStringLiteral("3"));
    p.drawText(tileRect(2, 4), Qt::AlignCenter, QStringLiteral("1"));
    p.end();
    const Reading r = reader.read(client, 2, 3);
    EXPECT_EQ(r.text.toStdString(), "4");
    EXPECT_TRUE(r.clear()) << r.distance << " vs " << r.runnerUpDistance;
}

TEST(TileBackground, IsTheFillColourWhateverTheDigit)
{
    for (const QColor bg : {QColor(Qt::black), QColor(0, 0, 255), QColor(255, 0, 0)})
        for (const QString &digit : {QStringLiteral("1"), QStringLiteral("4")}) {
            const QImage client = clientWithTile(4, 1, digit, {bg, 27, QFont::PreferDefaultHinting, 0, 0});
            EXPECT_EQ(QColor(tileBackground(client, 4, 1)), bg) << digit.toStdString();
            EXPECT_EQ(QColor(tileBackground(client, 3, 1)), QColor(Qt::black)) << "the neighbour";
        }
}

TEST(LineReader, ReadsTheScoreLineInAFaceAndSizeItWasNotTold)
{
    const LineReader reader({QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")});
    struct Case {
        QString text, face;
        int size;
    };
    const Case cases[] = {
        {"SCORE 0", "DejaVu Sans", 12}, {"SCORE 8", "DejaVu Sans", 13}, {"SCORE 3", "DejaVu Sans", 11},
        {"SCORE 0", "IPAPGothic", 14},  {"SCORE 6", "IPAPGothic", 12},  {"SCORE0", "DejaVu Sans", 12},
        {"SCORE  0", "DejaVu Sans", 12}, {"SCORE 10", "IPAPGothic", 13},
    };
    for (const Case &c : cases) {
        const Reading r = reader.read(dialogWith(c.text, c.face, c.size), kScoreLines);
        EXPECT_EQ(r.text, c.text) << c.face.toStdString() << " " << c.size << ": read "
                                  << r.text.toStdString() << " (" << r.detail.toStdString() << ")";
        EXPECT_TRUE(r.clear()) << c.text.toStdString() << ": " << r.distance << ", runner-up "
                               << r.runnerUp.toStdString() << " at " << r.runnerUpDistance;
    }
}

TEST(LineReader, FindsTheFirstLineAboveTheButton)
{
    const QImage dialog = dialogWith(QStringLiteral("SCORE 0"), QStringLiteral("DejaVu Sans"), 12);
    const QRect line = LineReader::firstLine(dialog, qRgb(239, 239, 239));
    ASSERT_FALSE(line.isNull());
    EXPECT_GE(line.left(), 16);
    EXPECT_LE(line.left(), 18);
    EXPECT_LT(line.bottom(), 55) << "the line must end above the button";
    EXPECT_GE(line.height(), 7);
}

TEST(LineReader, ReportsNoReadingForADialogWithoutText)
{
    QImage empty(180, 90, QImage::Format_RGB32);
    empty.fill(QColor(239, 239, 239));
    const Reading r = LineReader({QStringLiteral("DejaVu Sans")}).read(empty, kScoreLines);
    EXPECT_FALSE(r.clear());
    EXPECT_TRUE(r.text.isEmpty());
}
