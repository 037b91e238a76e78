// Sprites, frame animations and bitmap fonts, drawn through the recording
// engine stand-in.
#include <gtest/gtest.h>

#include <cmath>

#include "assets/animation.h"
#include "assets/font.h"
#include "tests/support/fake_engine.h"
#include "tests/support/temp_dir.h"

static void ExpectVertex(const hgeVertex& v, float x, float y)
{
    EXPECT_NEAR(v.x, x, 1e-4);
    EXPECT_NEAR(v.y, y, 1e-4);
}

TEST(Sprite, RenderPlacesTheHotSpotAtThePoint)
{
    FakeEngineScope fake;
    HTEXTURE tex = fake.engine.AddTexture(200, 100);
    hgeSprite s(tex, 20, 10, 40, 30);
    s.SetHotSpot(10, 5);
    s.Render(100, 50);
    ASSERT_EQ(fake.engine.quads.size(), 1u);
    const hgeQuad& q = fake.engine.quads[0];
    ExpectVertex(q.v[0], 90, 45);
    ExpectVertex(q.v[1], 130, 45);
    ExpectVertex(q.v[2], 130, 75);
    ExpectVertex(q.v[3], 90, 75);
    EXPECT_FLOAT_EQ(q.v[0].tx, 0.1f);
    EXPECT_FLOAT_EQ(q.v[0].ty, 0.1f);
    EXPECT_FLOAT_EQ(q.v[2].tx, 0.3f);
    EXPECT_FLOAT_EQ(q.v[2].ty, 0.4f);
    EXPECT_EQ(q.blend, BLEND_DEFAULT);
    EXPECT_EQ(q.v[1].col, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(q.v[3].z, 0.5f);
}

TEST(Sprite, RenderExRotatesAndScalesAboutTheHotSpot)
{
    FakeEngineScope fake;
    hgeSprite s(fake.engine.AddTexture(64, 64), 0, 0, 40, 20);
    s.SetHotSpot(0, 0);
    s.RenderEx(100, 100, (float)M_PI / 2, 1);
    const hgeQuad& q = fake.engine.quads[0];
    // A quarter turn clockwise on a screen whose y grows downward.
    ExpectVertex(q.v[0], 100, 100);
    ExpectVertex(q.v[1], 100, 140);
    ExpectVertex(q.v[2], 80, 140);
    ExpectVertex(q.v[3], 80, 100);

    s.SetHotSpot(20, 10);
    s.RenderEx(0, 0, 0, 2);  // vertical scale 0 means the horizontal one
    const hgeQuad& z = fake.engine.quads[1];
    ExpectVertex(z.v[0], -40, -20);
    ExpectVertex(z.v[2], 40, 20);
    s.RenderEx(0, 0, 0, 2, 1);
    ExpectVertex(fake.engine.quads[2].v[2], 40, 10);
}

TEST(Sprite, ColourAndUntexturedSprite)
{
    FakeEngineScope fake;
    hgeSprite s(0, 0, 0, 10, 10);
    s.SetColor(0x80FF0000);
    s.SetColor(0x11223344, 2);
    s.Render(0, 0);
    const hgeQuad& q = fake.engine.quads[0];
    EXPECT_EQ(q.tex, 0u);
    EXPECT_EQ(q.v[0].col, 0x80FF0000u);
    EXPECT_EQ(q.v[2].col, 0x11223344u);
    EXPECT_FLOAT_EQ(q.v[2].tx, 10.0f);  // a 1 x 1 stand-in texture
}

// Texture coordinates of the current frame in texture pixels.
static void FrameOrigin(FakeEngine& e, hgeAnimation& a, float* x, float* y)
{
    e.quads.clear();
    a.Render(0, 0);
    *x = e.quads[0].v[0].tx * e.Texture_GetWidth(a.GetTexture(), false);
    *y = e.quads[0].v[0].ty * e.Texture_GetHeight(a.GetTexture(), false);
}

TEST(Animation, FramesContinueOnTheNextRowsFromTheLeftEdge)
{
    FakeEngineScope fake;
    hgeAnimation a(fake.engine.AddTexture(100, 200), 8, 10, 40, 50, 30, 20);
    float x, y;
    const float expected[][2] = {{40, 50}, {70, 50}, {0, 70}, {30, 70}, {60, 70}, {0, 90}};
    for (int n = 0; n < 6; n++) {
        a.SetFrame(n);
        FrameOrigin(fake.engine, a, &x, &y);
        EXPECT_FLOAT_EQ(x, expected[n][0]) << "frame " << n;
        EXPECT_FLOAT_EQ(y, expected[n][1]) << "frame " << n;
    }
    a.SetFrame(-1);
    EXPECT_EQ(a.GetFrame(), 7);
    a.SetFrame(9);
    EXPECT_EQ(a.GetFrame(), 1);
}

TEST(Animation, DegenerateFramesAreSafe)
{
    FakeEngineScope fake;
    hgeAnimation zero(fake.engine.AddTexture(64, 64), 0, 10, 0, 0, 0.2f, 8);
    EXPECT_EQ(zero.GetFrames(), 1);
    zero.SetFrame(5);
    hgeAnimation noTexture(0, 4, 10, 0, 0, 16, 16);
    noTexture.SetFrame(3);
    EXPECT_EQ(noTexture.GetFrame(), 3);
}

// Frames shown after each of n updates of dt.
static std::vector<int> FramesAfterUpdates(hgeAnimation& a, int n, float dt)
{
    std::vector<int> frames;
    for (int i = 0; i < n; i++) {
        a.Update(dt);
        frames.push_back(a.IsPlaying() ? a.GetFrame() : -1 - a.GetFrame());
    }
    return frames;
}

TEST(Animation, UpdateFollowsThePlayMode)
{
    FakeEngineScope fake;
    HTEXTURE tex = fake.engine.AddTexture(400, 40);
    hgeAnimation a(tex, 3, 10, 0, 0, 40, 40);

    // The first update only starts the first frame's full duration.
    a.Play();
    EXPECT_EQ(FramesAfterUpdates(a, 5, 0.1f), (std::vector<int>{0, 1, 2, 0, 1}));

    a.SetMode(HGEANIM_FWD);
    a.Play();
    EXPECT_EQ(FramesAfterUpdates(a, 5, 0.1f), (std::vector<int>{0, 1, 2, -3, -3}));  // stops on its last frame

    a.SetMode(HGEANIM_REV);
    a.Play();
    EXPECT_EQ(FramesAfterUpdates(a, 4, 0.1f), (std::vector<int>{2, 1, 0, -1}));

    a.SetMode(HGEANIM_FWD | HGEANIM_PINGPONG | HGEANIM_LOOP);
    a.Play();
    EXPECT_EQ(FramesAfterUpdates(a, 7, 0.1f), (std::vector<int>{0, 1, 2, 1, 0, 1, 2}));

    a.SetMode(HGEANIM_FWD | HGEANIM_PINGPONG);
    a.Play();
    EXPECT_EQ(FramesAfterUpdates(a, 6, 0.1f), (std::vector<int>{0, 1, 2, 1, 0, -1}));

    a.SetMode(HGEANIM_REV | HGEANIM_PINGPONG);
    a.Play();
    EXPECT_EQ(FramesAfterUpdates(a, 6, 0.1f), (std::vector<int>{2, 1, 0, 1, 2, -3}));

    a.SetMode(HGEANIM_REV | HGEANIM_LOOP);
    a.Play();
    EXPECT_EQ(FramesAfterUpdates(a, 4, 0.1f), (std::vector<int>{2, 1, 0, 2}));

    // Several frames in one long update.
    a.SetMode(HGEANIM_LOOP);
    a.Play();
    a.Update(0);
    a.Update(0.25f);
    EXPECT_EQ(a.GetFrame(), 2);
}

// A frame of weeks (a machine woken from suspension) and a speed read from a
// damaged file once kept the catch-up stepping for good.
TEST(Animation, AHugeFrameOrSpeedEndsTheUpdate)
{
    FakeEngineScope fake;
    HTEXTURE tex = fake.engine.AddTexture(400, 40);
    hgeAnimation a(tex, 3, 4, 0, 0, 40, 40);
    a.Play();
    a.Update(0);
    a.Update(1e20f);
    EXPECT_TRUE(a.IsPlaying());
    a.SetMode(HGEANIM_FWD);
    a.Play();
    a.Update(0);
    a.Update(1e20f);
    EXPECT_EQ(a.GetFrame(), 2);
    EXPECT_FALSE(a.IsPlaying());

    hgeAnimation fast(tex, 3, 1e10f, 0, 0, 40, 40);  // taken as MaxAnimationFps
    fast.Play();
    EXPECT_EQ(FramesAfterUpdates(fast, 2, 1.0f / MaxAnimationFps), (std::vector<int>{0, 1}));
    fast.Update(1.0f / 60);
}

TEST(Animation, NoSpeedNeverAdvancesAndCopiesRunOnTheirOwn)
{
    FakeEngineScope fake;
    HTEXTURE tex = fake.engine.AddTexture(400, 40);
    hgeAnimation still(tex, 3, 0, 0, 0, 40, 40);
    still.Play();
    EXPECT_EQ(FramesAfterUpdates(still, 3, 10.0f), (std::vector<int>{0, 0, 0}));
    hgeAnimation backwards(tex, 3, -5, 0, 0, 40, 40);
    backwards.Play();
    EXPECT_EQ(FramesAfterUpdates(backwards, 2, 10.0f), (std::vector<int>{0, 0}));

    hgeAnimation a(tex, 3, 10, 0, 0, 40, 40);
    a.Play();
    a.Update(0);
    a.Update(0.1f);
    hgeAnimation* copy = CopyAnimation(&a);
    copy->Update(0.1f);
    EXPECT_EQ(copy->GetFrame(), 2);
    EXPECT_EQ(a.GetFrame(), 1);
    EXPECT_TRUE(copy->IsPlaying());
    delete copy;
    EXPECT_EQ(CopyAnimation(nullptr), nullptr);
    RenderSpriteEx(nullptr, 0, 0, 0);  // a missing picture draws nothing
    EXPECT_FALSE(AnimationPlaying(nullptr));
}

struct FontFixture : ::testing::Test {
    FakeEngineScope fake;
    TempDir dir;

    std::string WriteFont(const std::string& text)
    {
        fake.engine.textureSizes[dir.path + "/fonts/f.png"] = {256, 256};
        return dir.Write("fonts/f.fnt", text);
    }
};

TEST_F(FontFixture, ReadsLettersByQuoteAndByHexCode)
{
    std::string file = WriteFont(
        "[HGEFONT]\r\n\r\n"
        "Bitmap = f.png\r\n"
        "Char=\"A\",1,2,10,12,1,2\r\n"
        "Char= c0 , 20,2,8,20,0,1\r\n"
        "Char=\"\"\",40,2,4,5,0,0\r\n"
        "Char=100,0,0,5,5,0,0\r\n"
        "Bitmap = f.png\r\n"  // a font has one picture: not loaded again
        "Some other line\r\n");
    hgeFont f(file.c_str());
    EXPECT_FLOAT_EQ(f.GetHeight(), 20);
    ASSERT_NE(f.GetLetter('A'), nullptr);
    ASSERT_NE(f.GetLetter(0xC0), nullptr);
    ASSERT_NE(f.GetLetter('"'), nullptr);
    EXPECT_EQ(f.GetLetter(0x00), nullptr);  // 0x100 is above 255: the line is ignored
    EXPECT_FLOAT_EQ(f.GetLetter(0xC0)->GetWidth(), 8);
    EXPECT_EQ(fake.engine.loadedTextures, std::vector<std::string>{dir.path + "/fonts/f.png"});
    // Width counts pre and post: (1 + 10 + 2) + (0 + 8 + 1).
    EXPECT_FLOAT_EQ(f.GetStringWidth("A\xC0"), 22);
}

TEST_F(FontFixture, WrongFirstLineGivesAnEmptyFontThatDrawsNothing)
{
    std::string file = WriteFont("[FONT]\nBitmap=f.png\nChar=\"A\",0,0,5,5,0,0\n");
    hgeFont f(file.c_str());
    EXPECT_EQ(fake.engine.logs.back(), "Font " + file + " has incorrect format.");
    f.Render(0, 0, HGETEXT_LEFT, "AAA");
    EXPECT_TRUE(fake.engine.quads.empty());
    hgeFont missing((dir.path + "/none.fnt").c_str());
    missing.printf(0, 0, HGETEXT_CENTER, "%d", 5);
    EXPECT_TRUE(fake.engine.quads.empty());
}

TEST_F(FontFixture, MissingLettersFallBackToTheQuestionMark)
{
    std::string withQ = WriteFont("[HGEFONT]\nBitmap=f.png\nChar=\"A\",0,0,5,5,0,0\nChar=3F,10,0,6,5,0,0\n");
    hgeFont f(withQ.c_str());
    f.Render(0, 0, HGETEXT_LEFT, "AZ");
    ASSERT_EQ(fake.engine.quads.size(), 2u);
    EXPECT_FLOAT_EQ(fake.engine.quads[1].v[0].x, 5);
    EXPECT_FLOAT_EQ(f.GetStringWidth("ZZ"), 12);

    fake.engine.quads.clear();
    std::string noQ = WriteFont("[HGEFONT]\nBitmap=f.png\nChar=\"A\",0,0,5,5,0,0\n");
    hgeFont g(noQ.c_str());
    g.Render(0, 0, HGETEXT_LEFT, "ZAZ");
    ASSERT_EQ(fake.engine.quads.size(), 1u);
    EXPECT_FLOAT_EQ(fake.engine.quads[0].v[0].x, 0);
}

TEST_F(FontFixture, CentredTextCentresEveryLineOnItsOwn)
{
    std::string file = WriteFont("[HGEFONT]\nBitmap=f.png\nChar=\"A\",0,0,10,16,0,0\nChar=\"B\",0,0,5,16,0,0\n");
    hgeFont f(file.c_str());
    f.Render(100, 0, HGETEXT_CENTER, "AAA\nB");
    ASSERT_EQ(fake.engine.quads.size(), 4u);
    EXPECT_FLOAT_EQ(fake.engine.quads[0].v[0].x, 85);
    EXPECT_FLOAT_EQ(fake.engine.quads[3].v[0].x, 97);  // 100 - round(2.5)
    EXPECT_FLOAT_EQ(fake.engine.quads[3].v[0].y, 16);
    EXPECT_FLOAT_EQ(f.GetStringWidth("AAA\nB"), 30);
    EXPECT_FLOAT_EQ(f.GetStringWidth("B\r\nAAA", false), 5);

    fake.engine.quads.clear();
    f.Render(100, 0, HGETEXT_RIGHT | 4, "B\nAA");  // only the two low bits count
    EXPECT_FLOAT_EQ(fake.engine.quads[0].v[0].x, 95);
    EXPECT_FLOAT_EQ(fake.engine.quads[1].v[0].x, 80);
}

TEST_F(FontFixture, PrintfCutsAt1023Characters)
{
    std::string file = WriteFont("[HGEFONT]\nBitmap=f.png\nChar=\"A\",0,0,1,1,0,0\n");
    hgeFont f(file.c_str());
    f.SetColor(0xFF00FF00);
    f.printf(0, 0, HGETEXT_LEFT, "%s", std::string(2000, 'A').c_str());
    EXPECT_EQ(fake.engine.quads.size(), 1023u);
    EXPECT_EQ(fake.engine.quads[0].v[0].col, 0xFF00FF00u);
}
