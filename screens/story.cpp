#include "screens/story.h"

#include "assets/music.h"
#include "assets/translation.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "screens/dialogues.h"
#include "world/campaign.h"

// The intro and the dialogue behave alike: the screen music plays, Escape
// leaves the campaign where it is, any other key moves it on.
static void StoryScreenFrame()
{
    KeepMusicPlaying(Sounds[SND_SCREEN_MUSIC]);
    if (hge->Input_KeyDown(HGEK_ESCAPE)) {
        hge->Channel_StopAll();
        GameMode = MODE_MENU;
    } else if (hge->Input_GetKey()) {
        NextCampaignStep();
    }
}

void IntroFrame(float, float, float)
{
    StoryScreenFrame();
}

void DialogFrame(float, float, float)
{
    StoryScreenFrame();
}

void FinalFrame(float, float, float)
{
    if (hge->Input_GetKey())
        NextCampaignStep();
}

void RenderIntro(float, float)
{
    if (StoreyNumber >= 1 && StoreyNumber <= 10)
        RenderSprite(Sprites[SPR_BUILDING_1 + StoreyNumber - 1], 0, 0);
}

int LineCount(const char* text)
{
    int lines = 1;
    for (const char* p = text; *p; p++)
        lines += *p == '\n';
    return lines;
}

// The blocks keep the places of the Russian page in every language: a
// translation keeps each block's number of lines.
static void RenderDialoguePage(const dialogue_page_struct& page)
{
    float y = DialogueTop;
    for (const dialogue_block_struct& block : page.blocks) {
        if (!block.text)
            break;
        hgeFont* font = block.speaker == SPEAKER_A ? SpeakerFontA : SpeakerFontB;
        if (font)
            font->Render(page.x, y, HGETEXT_LEFT, Tr(block.text));
        y += DialogueLineStep * LineCount(block.text);
    }
}

void RenderDialog(float, float)
{
    RenderSprite(Sprites[SPR_DIALOG], 0, 0);
    if (DialogueNumber >= 1 && DialogueNumber <= DIALOGUE_PAGE_COUNT)
        RenderDialoguePage(DialoguePages[DialogueNumber - 1]);
}

void RenderFinal(float mx, float my)
{
    RenderSprite(Sprites[SPR_FINAL], 0, 0);
    RenderSprite(Sprites[SPR_CURSOR], mx, my);
}
