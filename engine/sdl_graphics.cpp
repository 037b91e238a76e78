// Window, textures, render targets and drawing of the SDL engine.
//
// The game draws an 800 x 590 picture. The engine keeps that picture in its
// own target texture ("screen") and copies it to the window at the largest
// scale that fits, keeping the aspect and leaving black borders, so the window
// may be resized, maximised or full screen while the game sees one size.
#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "engine/browser.h"
#include "engine/cp1251.h"
#include "engine/folders.h"
#include "engine/paths.h"
#include "engine/sdl_engine.h"

// In a web page the canvas keeps the picture's own size and the page scales
// it to the window, keeping its proportions (engine/web/index.html), as a
// desktop window scales the picture.
#ifdef __EMSCRIPTEN__
const bool PageScalesPicture = true;
#else
const bool PageScalesPicture = false;
#endif

static int WindowScale(bool headless)
{
    SDL_Rect usable;
    if (headless || PageScalesPicture || SDL_GetDisplayUsableBounds(0, &usable) != 0)
        return 1;
    // The desktop bounds include the title bar and borders of the window.
    int k = std::min((usable.w - 16) / PictureWidthDefault, (usable.h - 48) / PictureHeightDefault);
    return std::max(1, k);
}

static bool DisplayRunsAt60Hz()
{
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return false;
    return mode.refresh_rate >= 59 && mode.refresh_rate <= 61;
}

bool SdlEngine::InitGraphics()
{
    if (headless)
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    int k = WindowScale(headless);
    Uint32 flags = PageScalesPicture ? 0 : SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (headless)
        flags |= SDL_WINDOW_HIDDEN;
    else if (!windowed)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window = SDL_CreateWindow(Utf8FromCp1251(title).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              screenWidth * k, screenHeight * k, flags);
    if (!window) {
        errorMessage = std::string("Can't create the window: ") + SDL_GetError();
        return false;
    }
    SDL_SetWindowMinimumSize(window, screenWidth / 2, screenHeight / 2);
    vsync = !headless && DisplayRunsAt60Hz();
    Uint32 rflags = SDL_RENDERER_TARGETTEXTURE | (vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
    renderer = SDL_CreateRenderer(window, -1, rflags | (headless ? SDL_RENDERER_SOFTWARE : SDL_RENDERER_ACCELERATED));
    if (!renderer)
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    if (!renderer || !SDL_RenderTargetSupported(renderer)) {
        errorMessage = std::string("Can't create a renderer with render targets: ") + SDL_GetError();
        return false;
    }
    screen = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, screenWidth,
                               screenHeight);
    if (!screen) {
        errorMessage = std::string("Can't create the picture: ") + SDL_GetError();
        return false;
    }
    SDL_SetTextureBlendMode(screen, SDL_BLENDMODE_NONE);
    SDL_SetRenderTarget(renderer, screen);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    return true;
}

void SdlEngine::ShutdownGraphics()
{
    for (EngineTexture& t : textures)
        if (t.texture)
            SDL_DestroyTexture(t.texture);
    textures.clear();
    targets.clear();
    if (screen)
        SDL_DestroyTexture(screen);
    if (renderer)
        SDL_DestroyRenderer(renderer);
    if (window)
        SDL_DestroyWindow(window);
    screen = nullptr;
    renderer = nullptr;
    window = nullptr;
}

void SdlEngine::ApplyWindowedState()
{
#ifdef __EMSCRIPTEN__
    // Browsers allow full screen only right after a key or click, so the
    // page does it; the game calls here in the frame after Alt+Enter.
    BrowserSetFullScreen(!windowed);
    return;
#endif
    if (!window || headless)
        return;
    SDL_SetWindowFullscreen(window, windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (gfxRestoreFunc)
        gfxRestoreFunc();
}

SDL_Rect SdlEngine::PictureRectInWindow()
{
    int w = screenWidth, h = screenHeight;
    if (renderer)
        SDL_GetRendererOutputSize(renderer, &w, &h);
    double scale = std::min((double)w / screenWidth, (double)h / screenHeight);
    if (scale >= 1.0 && scale - std::floor(scale) < 0.02)
        scale = std::floor(scale);
    SDL_Rect r;
    r.w = (int)std::lround(screenWidth * scale);
    r.h = (int)std::lround(screenHeight * scale);
    r.x = (w - r.w) / 2;
    r.y = (h - r.h) / 2;
    return r;
}

void SdlEngine::ClearPicture()
{
    if (!renderer)
        return;
    SDL_SetRenderTarget(renderer, screen);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
}

void SdlEngine::PresentScreen()
{
    if (headless)
        return;
    SDL_Rect dst = PictureRectInWindow();
    bool whole = dst.w % screenWidth == 0 && dst.h % screenHeight == 0;
    SDL_SetTextureScaleMode(screen, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, screen, nullptr, &dst);
    SDL_RenderPresent(renderer);
}

// The picture as a PNG file's bytes. The window shows the picture's colours
// as they are, whatever its alpha, so the PNG is opaque.
static bool EncodePicture(SdlEngine* e, std::string* png)
{
    SDL_Surface* shot =
        SDL_CreateRGBSurfaceWithFormat(0, e->screenWidth, e->screenHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!shot)
        return false;
    SDL_SetRenderTarget(e->renderer, e->screen);
    bool ok = SDL_RenderReadPixels(e->renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shot->pixels, shot->pitch) == 0;
    for (int y = 0; ok && y < shot->h; y++) {
        Uint32* row = (Uint32*)((Uint8*)shot->pixels + y * shot->pitch);
        for (int x = 0; x < shot->w; x++)
            row[x] |= 0xFF000000u;
    }
    // Room for the pixels stored without any compression, and the headers.
    std::vector<char> buffer((size_t)shot->w * shot->h * 4 + (size_t)shot->h * 8 + 65536);
    SDL_RWops* out = SDL_RWFromMem(buffer.data(), (int)buffer.size());
    ok = ok && out && IMG_SavePNG_RW(shot, out, 0) == 0;
    if (ok)
        png->assign(buffer.data(), (size_t)SDL_RWtell(out));
    if (out)
        SDL_RWclose(out);
    SDL_FreeSurface(shot);
    return ok;
}

bool SdlEngine::SaveScreenshot(const std::string& file)
{
    std::string png;
    return renderer && screen && EncodePicture(this, &png) && WriteWholeFile(file, png);
}

void SdlEngine::System_Snapshot(const char* folder)
{
#ifdef __EMSCRIPTEN__
    (void)folder;
    System_Log("Screenshots are not kept in a web page");
#else
    snapshotFolder = folder ? folder : "";
    snapshotWanted = true;
#endif
}

void SdlEngine::TakeSnapshot()
{
    snapshotWanted = false;
    std::string folder = ResolveWritePath(snapshotFolder);
    if (!MakeFolders(folder)) {
        System_Log("Can't make the screenshot folder %s", folder.c_str());
        return;
    }
    time_t now = time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::string file = UnusedScreenshotName(folder, local);
    std::string shown = std::filesystem::absolute(file).lexically_normal().string();
    if (SaveScreenshot(file))
        System_Log("Screenshot saved as %s", shown.c_str());
    else
        System_Log("Can't save the screenshot %s", shown.c_str());
}

EngineTexture* SdlEngine::FindTexture(HTEXTURE tex)
{
    if (tex == 0 || tex > textures.size() || !(textures[tex - 1].texture || textures[tex - 1].undecoded))
        return nullptr;
    return &textures[tex - 1];
}

HTEXTURE SdlEngine::AddTexture(SDL_Texture* texture, int w, int h, bool isTarget)
{
    EngineTexture t{texture, w, h, isTarget, "", false, false};
    for (size_t i = 0; i < textures.size(); i++) {
        if (!textures[i].texture && !textures[i].undecoded) {
            textures[i] = t;
            return (HTEXTURE)(i + 1);
        }
    }
    textures.push_back(t);
    return (HTEXTURE)textures.size();
}

// Fully transparent pixels take the colour of an opaque neighbour, so that
// filtering a rotated or scaled sprite does not pull dark fringes into its
// edges.
static void BleedColourIntoTransparentPixels(SDL_Surface* s)
{
    int w = s->w, h = s->h;
    std::vector<Uint32> src((size_t)w * h);
    for (int y = 0; y < h; y++)
        memcpy(&src[(size_t)y * w], (Uint8*)s->pixels + y * s->pitch, (size_t)w * 4);
    for (int y = 0; y < h; y++) {
        Uint32* row = (Uint32*)((Uint8*)s->pixels + y * s->pitch);
        for (int x = 0; x < w; x++) {
            if (src[(size_t)y * w + x] >> 24)
                continue;
            static const int dx[4] = {-1, 1, 0, 0}, dy[4] = {0, 0, -1, 1};
            for (int k = 0; k < 4; k++) {
                int nx = x + dx[k], ny = y + dy[k];
                if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                    continue;
                Uint32 n = src[(size_t)ny * w + nx];
                if (n >> 24) {
                    row[x] = n & 0x00FFFFFFu;
                    break;
                }
            }
        }
    }
}

// Sprites share atlas textures with a transparent gutter between them. A
// filtered sample at a sprite's edge mixes in that gutter: a darkness square
// or a wall drawn pixel for pixel gets a see-through rim, and thin lines run
// along the cell edges through the dark. A quad that maps its texels one to
// one onto the picture, upright or turned by quarters, is therefore drawn
// with the nearest texel; a sprite turned at any other angle or scaled is
// filtered. In the browser (WebGL) every texture samples the nearest texel.
static bool TexelForPixel(const hgeQuad* q, int texWidth, int texHeight)
{
    for (int i = 0; i < 4; i++) {
        const hgeVertex &a = q->v[i], &b = q->v[(i + 1) % 4];
        float dx = b.x - a.x, dy = b.y - a.y;
        float texels = std::hypot((b.tx - a.tx) * texWidth, (b.ty - a.ty) * texHeight);
        if ((dx != 0 && dy != 0) || std::fabs(std::fabs(dx + dy) - texels) > 0.01f)
            return false;
    }
    return true;
}

static SDL_ScaleMode QuadScaleMode(const hgeQuad* q, const EngineTexture* t)
{
#ifdef __EMSCRIPTEN__
    (void)q;
    (void)t;
    return SDL_ScaleModeNearest;
#else
    return TexelForPixel(q, t->width, t->height) ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
#endif
}

// The picture of a file as a texture, or null (logged) when it cannot be read.
static SDL_Texture* DecodeTextureFile(SdlEngine* e, const std::string& path, int* w, int* h)
{
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) {
        e->System_Log("Can't load texture %s: %s", path.c_str(), IMG_GetError());
        return nullptr;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb)
        return nullptr;
    BleedColourIntoTransparentPixels(argb);
    SDL_Texture* texture = SDL_CreateTextureFromSurface(e->renderer, argb);
    *w = argb->w;
    *h = argb->h;
    SDL_FreeSurface(argb);
    if (!texture) {
        e->System_Log("Can't create texture %s: %s", path.c_str(), SDL_GetError());
        return nullptr;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    return texture;
}

// The size a PNG file declares in its header; false when it is no PNG.
static bool ReadPngSize(const std::string& path, int* w, int* h)
{
    static const Uint8 signature[16] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    Uint8 head[24];
    SDL_RWops* f = SDL_RWFromFile(path.c_str(), "rb");
    if (!f)
        return false;
    bool ok = SDL_RWread(f, head, 1, sizeof head) == sizeof head && memcmp(head, signature, sizeof signature) == 0;
    SDL_RWclose(f);
    if (!ok)
        return false;
    *w = (int)SDL_SwapBE32(*(Uint32*)(head + 16));
    *h = (int)SDL_SwapBE32(*(Uint32*)(head + 20));
    return *w > 0 && *h > 0;
}

HTEXTURE SdlEngine::Texture_Load(const char* filename, uint32_t size, bool mipmap)
{
    (void)size;
    (void)mipmap;
    if (!renderer || !filename)
        return 0;
    std::string path = ResolvePath(filename);
    if (!IsRegularFileWithin(path, MediaFileLimit)) {
        System_Log("Can't load texture %s: no such plain file, or larger than a picture can be", path.c_str());
        return 0;
    }
    int w = 0, h = 0;
    if (DecodeTexturesLater && ReadPngSize(path, &w, &h)) {
        HTEXTURE tex = AddTexture(nullptr, w, h, false);
        textures[tex - 1].path = path;
        textures[tex - 1].undecoded = true;
        return tex;
    }
    SDL_Texture* texture = DecodeTextureFile(this, path, &w, &h);
    return texture ? AddTexture(texture, w, h, false) : 0;
}

// A texture whose file cannot be decoded after all stays empty and draws
// nothing.
void SdlEngine::DecodeTexture(EngineTexture* t)
{
    int w = t->width, h = t->height;
    t->undecoded = false;
    t->texture = DecodeTextureFile(this, t->path, &w, &h);
    t->broken = !t->texture || w != t->width || h != t->height;
}

bool SdlEngine::DecodeOneTexture()
{
    for (EngineTexture& t : textures) {
        if (t.undecoded) {
            DecodeTexture(&t);
            return true;
        }
    }
    return false;
}

void SdlEngine::Texture_Free(HTEXTURE tex)
{
    EngineTexture* t = FindTexture(tex);
    if (!t || t->isTarget)
        return;
    if (t->texture)
        SDL_DestroyTexture(t->texture);
    *t = EngineTexture();
}

int SdlEngine::Texture_GetWidth(HTEXTURE tex, bool original)
{
    (void)original;
    EngineTexture* t = FindTexture(tex);
    return t ? t->width : 0;
}

int SdlEngine::Texture_GetHeight(HTEXTURE tex, bool original)
{
    (void)original;
    EngineTexture* t = FindTexture(tex);
    return t ? t->height : 0;
}

HTARGET SdlEngine::Target_Create(int width, int height, bool zbuffer)
{
    (void)zbuffer;
    if (!renderer)
        return 0;
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
    if (!texture)
        return 0;
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    targets.push_back(AddTexture(texture, width, height, true));
    return (HTARGET)targets.size();
}

void SdlEngine::Target_Free(HTARGET target)
{
    if (target == 0 || target > targets.size() || targets[target - 1] == 0)
        return;
    EngineTexture* t = FindTexture(targets[target - 1]);
    if (t) {
        SDL_DestroyTexture(t->texture);
        *t = EngineTexture();
    }
    targets[target - 1] = 0;
}

HTEXTURE SdlEngine::Target_GetTexture(HTARGET target)
{
    if (target == 0 || target > targets.size())
        return 0;
    return targets[target - 1];
}

bool SdlEngine::Gfx_BeginScene(HTARGET target)
{
    if (!renderer)
        return false;
    SDL_Texture* dest = screen;
    if (target) {
        EngineTexture* t = FindTexture(Target_GetTexture(target));
        if (!t)
            return false;
        dest = t->texture;
    }
    SDL_SetRenderTarget(renderer, dest);
    sceneOnScreen = target == 0;
    return true;
}

void SdlEngine::Gfx_EndScene()
{
    if (sceneOnScreen)
        PresentScreen();
    sceneOnScreen = false;
}

void SdlEngine::Gfx_Clear(uint32_t color)
{
    if (!renderer)
        return;
    SDL_SetRenderDrawColor(renderer, (color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF, color >> 24);
    SDL_RenderClear(renderer);
}

void SdlEngine::SetDrawBlend(int blend)
{
    SDL_SetRenderDrawBlendMode(renderer, (blend & BLEND_ALPHABLEND) ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_ADD);
}

void SdlEngine::Gfx_RenderLine(float x1, float y1, float x2, float y2, uint32_t color, float z)
{
    (void)z;
    if (!renderer)
        return;
    SetDrawBlend(BLEND_DEFAULT);
    SDL_SetRenderDrawColor(renderer, (color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF, color >> 24);
    SDL_RenderDrawLineF(renderer, x1, y1, x2, y2);
}

// The scale mode is a texture's own: quads already queued with the old one
// are drawn first.
void SdlEngine::SetScaleMode(EngineTexture* t, int mode)
{
    if (t->scaleMode == mode)
        return;
    SDL_RenderFlush(renderer);
    SDL_SetTextureScaleMode(t->texture, (SDL_ScaleMode)mode);
    t->scaleMode = mode;
}

void SdlEngine::Gfx_RenderQuad(const hgeQuad* quad)
{
    if (!renderer || !quad)
        return;
    SDL_Vertex v[4];
    for (int i = 0; i < 4; i++) {
        const hgeVertex& q = quad->v[i];
        v[i].position = {q.x, q.y};
        v[i].color = {(Uint8)(q.col >> 16), (Uint8)(q.col >> 8), (Uint8)q.col, (Uint8)(q.col >> 24)};
        v[i].tex_coord = {q.tx, q.ty};
    }
    static const int indices[6] = {0, 1, 2, 0, 2, 3};
    EngineTexture* t = FindTexture(quad->tex);
    if (t && t->undecoded)
        DecodeTexture(t);
    if (t && t->broken)
        return;
    SDL_BlendMode mode = (quad->blend & BLEND_ALPHABLEND) ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_ADD;
    if (t) {
        SDL_SetTextureBlendMode(t->texture, mode);
        if (!t->isTarget)
            SetScaleMode(t, QuadScaleMode(quad, t));
    } else
        SDL_SetRenderDrawBlendMode(renderer, mode);
    SDL_RenderGeometry(renderer, t ? t->texture : nullptr, v, 4, indices, 6);
}
