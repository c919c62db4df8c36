// The two pictures, the pig sprite and the program icon, checked
// pixel by pixel against what they must show. The features are
// found structurally (connected regions of one colour), not at fixed places,
// so the tests say what the picture must contain rather than repeat it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "pictures.h"

namespace {

constexpr int kSide = 32;
constexpr int kPoleColumns = 3;  // the pole runs down columns 0 to 2

// The sprite's palette.
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kPoleGrey = qRgb(132, 132, 132);
const QRgb kDarkPink = qRgb(255, 148, 173);
const QRgb kPink = qRgb(255, 181, 173);
const QRgb kPalePink = qRgb(255, 222, 255);
const QRgb kYellow = qRgb(255, 255, 0);
// The icon's own colours.
const QRgb kOlive = qRgb(128, 128, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGrey = qRgb(128, 128, 128);

// The standard 16-colour palette.
const std::set<QRgb> kSixteen = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

// What one picture is made of: which colour plays which part.
struct Look {
    std::string name;
    std::function<QImage()> make;
    QRgb pole;                   // the pole segments
    QRgb flesh;                  // head and body
    QRgb snout;                  // the snout (and, in the sprite, the ear tips)
    bool earTips;                // the head's upper corners are in the snout colour
    std::optional<QRgb> shade;   // shading at the lower right of the body
    std::set<QRgb> palette;      // exactly the colours used
};

// gtest prints a failing case's parameter: its name is enough.
void PrintTo(const Look& look, std::ostream* out)
{
    *out << look.name;
}

const std::vector<Look>& looks()
{
    static const std::vector<Look> all = {
        {"Sprite", snoutsum::hogImage, kPoleGrey, kPink, kPalePink, true, kDarkPink,
         {kBlack, kPoleGrey, kDarkPink, kPink, kPalePink, kYellow}},
        {"Icon", snoutsum::iconImage, kGrey, kOlive, kWhite, false, std::nullopt,
         {kBlack, kGrey, kOlive, kWhite, kYellow}},
    };
    return all;
}

// A 4-connected region of pixels.
struct Region {
    std::vector<QPoint> points;
    int minX = kSide, minY = kSide, maxX = -1, maxY = -1;

    void add(QPoint p)
    {
        points.push_back(p);
        minX = std::min(minX, p.x());
        minY = std::min(minY, p.y());
        maxX = std::max(maxX, p.x());
        maxY = std::max(maxY, p.y());
    }
    bool contains(QPoint p) const
    {
        return std::find(points.begin(), points.end(), p) != points.end();
    }
    int size() const { return static_cast<int>(points.size()); }
    int width() const { return maxX - minX + 1; }
    int height() const { return maxY - minY + 1; }
    bool touchesBorder() const
    {
        return minX == 0 || minY == 0 || maxX == kSide - 1 || maxY == kSide - 1;
    }
};

bool inside(QPoint p)
{
    return p.x() >= 0 && p.y() >= 0 && p.x() < kSide && p.y() < kSide;
}

const QPoint kSteps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

// The picture under test, with the structural helpers the checks share.
class Picture {
public:
    explicit Picture(QImage image) : image_(std::move(image)) {}

    const QImage& image() const { return image_; }
    QRgb at(QPoint p) const { return image_.pixel(p); }
    QRgb at(int x, int y) const { return image_.pixel(x, y); }

    std::set<QRgb> colours() const
    {
        std::set<QRgb> used;
        for (int y = 0; y < image_.height(); ++y)
            for (int x = 0; x < image_.width(); ++x)
                used.insert(at(x, y));
        return used;
    }

    // Every 4-connected region of the pixels that satisfy `member`, top to bottom.
    std::vector<Region> regions(const std::function<bool(QRgb)>& member) const
    {
        std::vector<std::vector<bool>> seen(kSide, std::vector<bool>(kSide, false));
        std::vector<Region> found;
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                if (seen[y][x] || !member(at(x, y)))
                    continue;
                Region region;
                std::vector<QPoint> todo{{x, y}};
                seen[y][x] = true;
                while (!todo.empty()) {
                    const QPoint p = todo.back();
                    todo.pop_back();
                    region.add(p);
                    for (QPoint step : kSteps) {
                        const QPoint q = p + step;
                        if (inside(q) && !seen[q.y()][q.x()] && member(at(q))) {
                            seen[q.y()][q.x()] = true;
                            todo.push_back(q);
                        }
                    }
                }
                found.push_back(region);
            }
        return found;
    }

    std::vector<Region> regionsOf(QRgb colour) const
    {
        return regions([colour](QRgb c) { return c == colour; });
    }

    // The colours of the pixels that touch the region from outside.
    std::set<QRgb> surroundings(const Region& region) const
    {
        std::set<QRgb> around;
        for (QPoint p : region.points)
            for (QPoint step : kSteps) {
                const QPoint q = p + step;
                if (inside(q) && !region.contains(q))
                    around.insert(at(q));
            }
        return around;
    }

    // Black regions away from the border whose every neighbour is `colour`.
    std::vector<Region> blackHolesIn(QRgb colour) const
    {
        std::vector<Region> holes;
        for (const Region& r : regionsOf(kBlack))
            if (!r.touchesBorder() && surroundings(r) == std::set<QRgb>{colour})
                holes.push_back(r);
        return holes;
    }

    // Rows in which the pole shows: runs of rows, top to bottom, as (first, last).
    std::vector<std::pair<int, int>> poleRuns(QRgb pole) const
    {
        std::vector<std::pair<int, int>> runs;
        for (int y = 0; y < kSide; ++y) {
            if (at(0, y) != pole)
                continue;
            if (!runs.empty() && runs.back().second == y - 1)
                runs.back().second = y;
            else
                runs.push_back({y, y});
        }
        return runs;
    }

private:
    QImage image_;
};

// The pig's parts, found from the picture: head and body are the two regions
// of pig pixels (anything but background and pole), the head above.
struct Pig {
    Region head, body;
    std::vector<Region> hooves;
};

class PictureTest : public ::testing::TestWithParam<Look> {
protected:
    void SetUp() override
    {
        const QImage image = GetParam().make();
        ASSERT_FALSE(image.isNull());
        ASSERT_EQ(image.size(), QSize(kSide, kSide));
        picture.emplace(image);
    }

    bool isPig(QRgb c) const { return c != kBlack && c != GetParam().pole; }

    Pig pig() const
    {
        Pig parts;
        const std::vector<Region> pieces =
            picture->regions([this](QRgb c) { return isPig(c); });
        EXPECT_EQ(pieces.size(), 2u) << "the pig should be two pieces, head and body";
        if (pieces.size() >= 2) {
            parts.head = pieces.front();
            parts.body = pieces.back();
        }
        parts.hooves = picture->regionsOf(kYellow);
        return parts;
    }

    std::optional<Picture> picture;
};

std::string lookName(const ::testing::TestParamInfo<Look>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureTest, ::testing::ValuesIn(looks()), lookName);

TEST_P(PictureTest, Is32By32)
{
    EXPECT_EQ(picture->image().width(), 32);
    EXPECT_EQ(picture->image().height(), 32);
}

TEST_P(PictureTest, HasNoTransparentPixel)
{
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            EXPECT_EQ(qAlpha(picture->at(x, y)), 255) << "at " << x << ", " << y;
}

TEST_P(PictureTest, UsesExactlyItsPalette)
{
    EXPECT_EQ(picture->colours(), GetParam().palette);
}

TEST_P(PictureTest, PoleIsThreeColumnsWideAtTheLeftEdgeOnly)
{
    const QRgb pole = GetParam().pole;
    for (int y = 0; y < kSide; ++y) {
        for (int x = kPoleColumns; x < kSide; ++x)
            EXPECT_NE(picture->at(x, y), pole) << "pole colour at " << x << ", " << y;
        // Where the pole shows, it shows across all its three columns.
        const bool shows = picture->at(0, y) == pole;
        for (int x = 1; x < kPoleColumns; ++x)
            EXPECT_EQ(picture->at(x, y) == pole, shows) << "ragged pole at " << x << ", " << y;
    }
}

TEST_P(PictureTest, IsBlackAllAroundExceptThePole)
{
    for (int i = 0; i < kSide; ++i) {
        const QPoint border[] = {{i, 0}, {i, kSide - 1}, {kSide - 1, i}};
        for (QPoint p : border) {
            if (p.x() >= kPoleColumns) {
                EXPECT_EQ(picture->at(p), kBlack) << "at " << p.x() << ", " << p.y();
            }
        }
    }
    // Nothing of the pig touches the right edge or the top and bottom rows.
    const Pig parts = pig();
    EXPECT_GT(parts.head.minY, 0);
    EXPECT_LT(parts.body.maxY, kSide - 1);
    EXPECT_LT(std::max(parts.head.maxX, parts.body.maxX), kSide - 1);
}

TEST_P(PictureTest, WideHeadAboveTheBodyWithABlackGap)
{
    const Pig parts = pig();
    EXPECT_LT(parts.head.maxY + 1, parts.body.minY) << "no gap between head and body";
    EXPECT_GT(parts.head.width(), parts.head.height()) << "the head should be wide";
    EXPECT_EQ(parts.head.minX, 0) << "the head covers the pole";
    for (int y = parts.head.maxY + 1; y < parts.body.minY; ++y)
        for (int x = kPoleColumns; x < kSide; ++x)
            EXPECT_EQ(picture->at(x, y), kBlack) << "gap at " << x << ", " << y;
}

TEST_P(PictureTest, TwoHoovesOfOneByFourInColumnOneGripThePole)
{
    const Pig parts = pig();
    ASSERT_EQ(parts.hooves.size(), 2u);
    for (const Region& hoof : parts.hooves) {
        EXPECT_EQ(hoof.size(), 4);
        EXPECT_EQ(hoof.width(), 1);
        EXPECT_EQ(hoof.height(), 4);
        EXPECT_EQ(hoof.minX, 1);
        EXPECT_TRUE(parts.body.contains(hoof.points.front())) << "a hoof should belong to the body";
        // The leg reaches the hoof from the body side.
        for (QPoint p : hoof.points)
            EXPECT_EQ(picture->at(p + QPoint(1, 0)), GetParam().flesh);
    }
    EXPECT_LT(parts.hooves[0].maxY + 1, parts.hooves[1].minY) << "the hooves should be apart";
}

// The four places where the pole shows between the parts of the pig.
struct SegmentCase {
    const char* where;
    std::function<bool(std::pair<int, int>, const Pig&)> fits;
};

TEST_P(PictureTest, PoleShowsInFourShortSegments)
{
    const Pig parts = pig();
    ASSERT_EQ(parts.hooves.size(), 2u);
    const std::vector<std::pair<int, int>> runs = picture->poleRuns(GetParam().pole);
    ASSERT_EQ(runs.size(), 4u);

    const SegmentCase cases[] = {
        {"at the top",
         [](auto run, const Pig& p) { return run.first == 0 && run.second < p.head.minY; }},
        {"between head and body",
         [](auto run, const Pig& p) {
             return run.first > p.head.maxY && run.second < p.body.minY + 2;
         }},
        {"between the two hooves",
         [](auto run, const Pig& p) {
             return run.first == p.hooves[0].maxY + 1 && run.second == p.hooves[1].minY - 1;
         }},
        {"in the bottom row",
         [](auto run, const Pig& p) {
             return run.first > p.hooves[1].maxY && run.second == kSide - 1;
         }},
    };
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_TRUE(cases[i].fits(runs[i], parts))
            << "pole segment " << cases[i].where << " is rows " << runs[i].first << " to "
            << runs[i].second;
        EXPECT_LE(runs[i].second - runs[i].first + 1, 4) << "segment " << cases[i].where;
    }
}

TEST_P(PictureTest, EarTipsAtTheHeadsUpperCornersOnlyInTheSprite)
{
    const Pig parts = pig();
    const QPoint corners[] = {{parts.head.minX, parts.head.minY},
                              {parts.head.maxX, parts.head.minY}};
    const QRgb cornerColour = GetParam().earTips ? GetParam().snout : GetParam().flesh;
    for (QPoint corner : corners)
        EXPECT_EQ(picture->at(corner), cornerColour) << "corner " << corner.x();

    int ears = 0;
    for (const Region& r : picture->regionsOf(GetParam().snout)) {
        const bool atCorner = r.contains(corners[0]) || r.contains(corners[1]);
        if (!atCorner)
            continue;
        ++ears;
        EXPECT_LE(r.size(), 8) << "an ear tip should be small";
        EXPECT_LT(r.maxY, parts.head.minY + parts.head.height() / 3) << "ear tips stay at the top";
    }
    EXPECT_EQ(ears, GetParam().earTips ? 2 : 0);
}

TEST_P(PictureTest, SnoutWithTwoNostrilsBelowTwoEyes)
{
    const Pig parts = pig();
    std::vector<Region> snouts;
    for (const Region& r : picture->regionsOf(GetParam().snout))
        if (r.minX > parts.head.minX && r.maxX < parts.head.maxX && r.minY > parts.head.minY &&
            r.maxY < parts.head.maxY)
            snouts.push_back(r);
    ASSERT_EQ(snouts.size(), 1u) << "one snout inside the head";
    const Region& snout = snouts.front();
    EXPECT_TRUE(parts.head.contains(snout.points.front()));

    const std::vector<Region> nostrils = picture->blackHolesIn(GetParam().snout);
    ASSERT_EQ(nostrils.size(), 2u);
    for (const Region& n : nostrils) {
        EXPECT_GE(n.minX, snout.minX);
        EXPECT_LE(n.maxX, snout.maxX);
        EXPECT_GE(n.minY, snout.minY);
        EXPECT_LE(n.maxY, snout.maxY);
    }
    EXPECT_EQ(nostrils[0].minY, nostrils[1].minY);

    const std::vector<Region> eyes = picture->blackHolesIn(GetParam().flesh);
    ASSERT_EQ(eyes.size(), 2u);
    for (const Region& e : eyes) {
        EXPECT_TRUE(parts.head.contains(QPoint(e.minX, e.minY - 1))) << "an eye should be in the head";
        EXPECT_LT(e.maxY, snout.minY) << "eyes above the snout";
    }
    EXPECT_EQ(eyes[0].minY, eyes[1].minY);
    EXPECT_EQ(eyes[0].size(), eyes[1].size());
    const int snoutMiddle = snout.minX + snout.maxX;  // twice the middle
    EXPECT_LT(eyes[0].minX + eyes[0].maxX, snoutMiddle);
    EXPECT_GT(eyes[1].minX + eyes[1].maxX, snoutMiddle);
}

TEST_P(PictureTest, BodyIsShadedOnlyAtItsLowerRight)
{
    const Pig parts = pig();
    const std::optional<QRgb> shade = GetParam().shade;
    const int middleX2 = parts.body.minX + parts.body.maxX;  // twice the middle
    const int middleY2 = parts.body.minY + parts.body.maxY;
    int shaded = 0;
    for (QPoint p : parts.body.points) {
        const QRgb c = picture->at(p);
        if (c == GetParam().flesh || c == kYellow)
            continue;
        ASSERT_TRUE(shade && c == *shade)
            << std::hex << "colour " << c << std::dec << " in the body at " << p.x() << ", " << p.y();
        ++shaded;
        EXPECT_GT(2 * p.x(), middleX2) << "shade left of the body's middle at " << p.x() << ", " << p.y();
        EXPECT_GT(2 * p.y(), middleY2) << "shade above the body's middle at " << p.x() << ", " << p.y();
    }
    if (shade) {
        EXPECT_GT(shaded, 0) << "the body should be shaded";
        for (const Region& r : picture->regionsOf(*shade))
            EXPECT_TRUE(parts.body.contains(r.points.front())) << "shade outside the body";
    }
}

// The icon is the sprite's pig in fewer colours: the same shapes, recoloured.
TEST(Icon, UsesOnlyTheSixteenColourPalette)
{
    const Picture icon(snoutsum::iconImage());
    for (QRgb c : icon.colours())
        EXPECT_TRUE(kSixteen.count(c)) << std::hex << "colour " << c;
}

TEST(Icon, IsTheSpriteRecolouredWithoutEarTipsOrShading)
{
    const Picture hog(snoutsum::hogImage());
    const Picture icon(snoutsum::iconImage());
    const Region snout = [&] {
        // The sprite's snout: its largest pale region (the others are the ear tips).
        Region best;
        for (const Region& r : hog.regionsOf(kPalePink))
            if (r.size() > best.size())
                best = r;
        return best;
    }();
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const QRgb s = hog.at(x, y);
            const QRgb i = icon.at(x, y);
            QRgb expected = 0;
            if (s == kBlack)
                expected = kBlack;
            else if (s == kPoleGrey)
                expected = kGrey;
            else if (s == kYellow)
                expected = kYellow;
            else if (s == kPalePink && snout.contains({x, y}))
                expected = kWhite;
            else  // pink, dark pink, ear tips
                expected = kOlive;
            EXPECT_EQ(i, expected) << "at " << x << ", " << y;
        }
}

}  // namespace
