// The pictures shipped in data/ against the program's own table of the
// rectangles it cuts from them: every picture decodes, every rectangle fits
// and shows something, and the full-screen ones cover the whole window.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "frame/resources.h"
#include "tests/support/runner.h"

static const std::string DataDir = QUARVEL_SOURCE_DIR "/data/";

static const std::vector<Picture>& RegistryPngs()
{
    static std::vector<Picture> pictures = [] {
        std::vector<Picture> all;
        for (const char* name : RegistryPictures)
            all.push_back(ReadPng(DataDir + name));
        return all;
    }();
    return pictures;
}

static bool IsFullScreen(const picture_sprite_struct& p)
{
    return p.x == 0 && p.y == 0 && p.w == 800 && p.h == 590;
}

static std::string Describe(const picture_sprite_struct& p)
{
    return testing::PrintToString(RegistryPictures[p.registry]) + " sprite " + std::to_string(p.sprite) + " at " +
           std::to_string((int)p.x) + "," + std::to_string((int)p.y) + " " + std::to_string((int)p.w) + "x" +
           std::to_string((int)p.h);
}

// Calls visit(colour) for every pixel of the rectangle until it returns false.
template <class Visit>
static void VisitRegion(const Picture& pic, const picture_sprite_struct& p, Visit visit)
{
    for (int y = (int)p.y; y < (int)(p.y + p.h); y++)
        for (int x = (int)p.x; x < (int)(p.x + p.w); x++)
            if (!visit(pic.At(x, y)))
                return;
}

static bool SameRegion(const Picture& pa, const picture_sprite_struct& a, const Picture& pb,
                       const picture_sprite_struct& b)
{
    for (int y = 0; y < (int)a.h; y++)
        for (int x = 0; x < (int)a.w; x++)
            if (pa.At((int)a.x + x, (int)a.y + y) != pb.At((int)b.x + x, (int)b.y + y))
                return false;
    return true;
}

static bool Fits(const Picture& pic, const picture_sprite_struct& p)
{
    return p.x >= 0 && p.y >= 0 && p.x + p.w <= pic.width && p.y + p.h <= pic.height;
}

TEST(ShippedPictures, EveryRegistryPictureDecodes)
{
    for (int i = 0; i < REGISTRY_PICTURE_COUNT; i++) {
        SCOPED_TRACE(RegistryPictures[i]);
        const Picture& pic = RegistryPngs()[i];
        EXPECT_GT(pic.width, 0);
        EXPECT_GT(pic.height, 0);
    }
}

TEST(ShippedPictures, EveryCutRectangleFitsItsPicture)
{
    std::set<int> fullScreenPictures;
    for (const picture_sprite_struct& p : PictureSprites) {
        SCOPED_TRACE(Describe(p));
        ASSERT_GE(p.registry, 0);
        ASSERT_LT(p.registry, REGISTRY_PICTURE_COUNT);
        const Picture& pic = RegistryPngs()[p.registry];
        EXPECT_TRUE(Fits(pic, p)) << "picture is " << pic.width << "x" << pic.height;
        if (IsFullScreen(p))
            fullScreenPictures.insert(p.registry);
    }
    // The menu, controls, dialogue, upgrade, splash, final and ten storey pictures.
    EXPECT_EQ(fullScreenPictures.size(), 16u);
    for (int registry : fullScreenPictures) {
        SCOPED_TRACE(RegistryPictures[registry]);
        EXPECT_GE(RegistryPngs()[registry].width, 800);
        EXPECT_GE(RegistryPngs()[registry].height, 590);
    }
}

TEST(ShippedPictures, EveryCutRectangleShowsSomething)
{
    for (const picture_sprite_struct& p : PictureSprites) {
        SCOPED_TRACE(Describe(p));
        const Picture& pic = RegistryPngs()[p.registry];
        if (!Fits(pic, p))
            continue;  // reported by EveryCutRectangleFitsItsPicture
        int visibleColours = 0;
        uint32_t first = 0;
        VisitRegion(pic, p, [&](uint32_t c) {
            if (c >> 24 && visibleColours == 0)
                first = c, visibleColours = 1;
            else if (c >> 24 && c != first)
                visibleColours = 2;
            return visibleColours < 2;
        });
        EXPECT_EQ(visibleColours, 2) << "the rectangle is blank or one flat colour";
    }
}

// Intro and dialogue screens draw their picture without clearing the screen,
// so a see-through pixel would let the previous frame show.
TEST(ShippedPictures, FullScreenPicturesAreOpaque)
{
    for (const picture_sprite_struct& p : PictureSprites) {
        if (!IsFullScreen(p))
            continue;
        SCOPED_TRACE(Describe(p));
        const Picture& pic = RegistryPngs()[p.registry];
        if (!Fits(pic, p))
            continue;
        int seeThrough = 0;
        VisitRegion(pic, p, [&](uint32_t c) {
            seeThrough += (c >> 24) != 0xFF;
            return true;
        });
        EXPECT_EQ(seeThrough, 0);
    }
}

// A highlighted button equal to its normal state, an owned weapon equal to
// the carried one, or two storeys with the same picture would all go unseen
// on screen.
TEST(ShippedPictures, NoTwoCutRectanglesAreTheSamePicture)
{
    for (int i = 0; i < PICTURE_SPRITE_COUNT; i++)
        for (int j = i + 1; j < PICTURE_SPRITE_COUNT; j++) {
            const picture_sprite_struct &a = PictureSprites[i], &b = PictureSprites[j];
            if (a.w != b.w || a.h != b.h)
                continue;
            const Picture &pa = RegistryPngs()[a.registry], &pb = RegistryPngs()[b.registry];
            if (!Fits(pa, a) || !Fits(pb, b))
                continue;
            EXPECT_FALSE(SameRegion(pa, a, pb, b)) << Describe(a) << " and " << Describe(b);
        }
}
