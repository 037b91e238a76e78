#include "editor/storey_files.h"

#include <algorithm>

#include "assets/font.h"
#include "assets/translation.h"
#include "editor/editor.h"
#include "editor/enemy_tool.h"
#include "assets/shapes.h"
#include "editor/texts.h"
#include "editor/undo.h"
#include "frame/modes.h"
#include "frame/program.h"
#include "frame/resources.h"
#include "player/movement.h"
#include "world/campaign.h"
#include "world/level_file.h"

const int KeyMinus = 189, KeyPeriod = 190;  // the keys right of 0 on a US keyboard
const size_t NameLongest = 40;
const size_t SizeLongest = 4;

// The dialog's box and its list, in picture pixels.
const float BoxX = 120, BoxY = 130, BoxWidth = 560, LineHeight = 18;
const float ListTop = BoxY + 36;
const int ListRows = 14;
const uint32_t BoxColour = 0xE0101010, BoxEdge = 0xFFAAAAAA, TextColour = 0xFFFFFFFF;
const uint32_t ChoiceColour = 0xFF3A5A8A;

int FileDialog = DIALOG_NONE;
std::string DialogName;
std::vector<std::string> DialogFiles;
int DialogChoice = 0;
std::string DialogSize[2];
int DialogField = 0;
static int ListScroll = 0;

static std::string WithoutExtension(const std::string& name)
{
    return IsStoreyFileName(name) ? name.substr(0, name.size() - 4) : name;
}

// The camera on a point, keeping the storey over as much of the view as it
// can cover.
static float CameraOn(float p, float centre, float extent)
{
    return std::clamp(p, centre, std::max(centre, extent - centre));
}

// A storey that is opened or made new is shown around its start.
static void LookAtStart()
{
    CameraX = CameraOn((PlayerStartX + 0.5f) * CellWidth, ViewCentre.x, (float)LevelWidth * CellWidth);
    CameraY = CameraOn((PlayerStartY + 0.5f) * CellHeight, ViewCentre.y, (float)LevelHeight * CellHeight);
}

bool SaveStoreyAs(const std::string& name)
{
    if (!SaveLevel(name)) {
        ShowEditorMessage(Tr(TextSaveFailed) + name + Tr(TextSaveFailedWhy));
        return false;
    }
    LoadedLevelName = name;
    ShowEditorMessage(Tr(TextSaved) + name);
    return true;
}

// What replaces the storey is one step of the history, so it can be taken
// back like any edit.
static void StoreyReplaced()
{
    CloseEditStep();
    StoreyFromCampaign = false;
    SelectedStart = -1;
}

bool OpenStorey(const std::string& name)
{
    OpenWholeStoreyStep();
    bool loaded = LoadLevel(name);
    StoreyReplaced();
    if (!loaded) {
        ShowEditorMessage(Tr(TextLoadFailed) + name + Tr(StoreyFileExists(name) ? TextBrokenFile : TextNoSuchFile));
        return false;
    }
    ShowEditorMessage(Tr(TextLoaded) + name);
    return true;
}

bool MakeStorey(int width, int height)
{
    if (width < NewStoreySmallest || height < NewStoreySmallest || width > NewStoreyLargest ||
        height > NewStoreyLargest) {
        ShowEditorMessage(Tr(TextBadSize));
        return false;
    }
    OpenWholeStoreyStep();
    NewStorey(width, height);
    StoreyReplaced();
    LoadedLevelName.clear();
    LookAtStart();
    ShowEditorMessage(Tr(TextNewMade) + std::to_string(width) + ":" + std::to_string(height));
    return true;
}

static void OpenSaveAs()
{
    FileDialog = DIALOG_SAVE_AS;
    DialogName = WithoutExtension(LoadedLevelName);
}

static void OpenFileList()
{
    FileDialog = DIALOG_OPEN;
    DialogFiles = StoreyFileNames();
    auto own = std::find(DialogFiles.begin(), DialogFiles.end(), LoadedLevelName);
    DialogChoice = own == DialogFiles.end() ? 0 : (int)(own - DialogFiles.begin());
    ListScroll = 0;
}

static void OpenNewStorey()
{
    FileDialog = DIALOG_NEW;
    DialogSize[0] = std::to_string(LevelWidth);
    DialogSize[1] = std::to_string(LevelHeight);
    DialogField = 0;
}

void StoreyFileKeys()
{
    if (hge->Input_KeyDown(HGEK_F1 + 4)) {
        if (LoadedLevelName.empty())
            OpenSaveAs();
        else
            SaveStoreyAs(LoadedLevelName);
    }
    if (hge->Input_KeyDown(HGEK_F1 + 7))
        OpenStorey(ScratchLevel);
    if (!hge->Input_GetKeyState(HGEK_CTRL))
        return;
    if (hge->Input_KeyDown('S'))
        OpenSaveAs();
    if (hge->Input_KeyDown('O'))
        OpenFileList();
    if (hge->Input_KeyDown('N'))
        OpenNewStorey();
}

// The character a key types into a name (letters in lower case: file names
// are matched without regard to case), or 0.
static char KeyCharacter(int key, bool digitsOnly)
{
    if (key >= '0' && key <= '9')
        return (char)key;
    if (key >= HGEK_NUMPAD0 && key <= HGEK_NUMPAD0 + 9)
        return (char)('0' + key - HGEK_NUMPAD0);
    if (digitsOnly)
        return 0;
    if (key >= 'A' && key <= 'Z')
        return (char)(key - 'A' + 'a');
    if (key == KeyMinus)
        return hge->Input_GetKeyState(HGEK_SHIFT) ? '_' : '-';
    if (key == KeyPeriod)
        return '.';
    return 0;
}

static void TypeInto(std::string& text, bool digitsOnly, size_t longest)
{
    if (hge->Input_KeyDown(HGEK_BACKSPACE) && !text.empty())
        text.pop_back();
    for (int key = 1; key < HGEK_MAXKEY; key++) {
        char c = hge->Input_KeyDown(key) ? KeyCharacter(key, digitsOnly) : 0;
        if (c && text.size() < longest)
            text += c;
    }
}

static std::string TypedFileName()
{
    return IsStoreyFileName(DialogName) ? DialogName : DialogName + ".lvl";
}

static void SaveAsFrame()
{
    TypeInto(DialogName, false, NameLongest);
    if (!hge->Input_KeyDown(HGEK_ENTER))
        return;
    if (WithoutExtension(DialogName).empty()) {
        ShowEditorMessage(Tr(TextNameEmpty));
        return;
    }
    FileDialog = DIALOG_NONE;
    SaveStoreyAs(TypedFileName());
}

static int ListRowAt(float my)
{
    if (my < ListTop)
        return -1;
    int row = (int)((my - ListTop) / LineHeight);
    int item = ListScroll + row;
    return row < ListRows && item < (int)DialogFiles.size() ? item : -1;
}

static void OpenFrame(float my)
{
    int count = (int)DialogFiles.size();
    DialogChoice -= hge->Input_GetMouseWheel();
    if (hge->Input_KeyDown(HGEK_UP))
        DialogChoice--;
    if (hge->Input_KeyDown(HGEK_DOWN))
        DialogChoice++;
    DialogChoice = std::clamp(DialogChoice, 0, std::max(count - 1, 0));
    ListScroll = std::clamp(ListScroll, std::max(DialogChoice - ListRows + 1, 0), DialogChoice);
    int clicked = hge->Input_KeyDown(HGEK_LBUTTON) ? ListRowAt(my) : -1;
    if (clicked >= 0)
        DialogChoice = clicked;
    if ((clicked >= 0 || hge->Input_KeyDown(HGEK_ENTER)) && count > 0) {
        FileDialog = DIALOG_NONE;
        if (OpenStorey(DialogFiles[DialogChoice]))
            LookAtStart();
    }
}

static void NewStoreyFrame()
{
    if (hge->Input_KeyDown(HGEK_TAB) || hge->Input_KeyDown(HGEK_UP) || hge->Input_KeyDown(HGEK_DOWN))
        DialogField = 1 - DialogField;
    TypeInto(DialogSize[DialogField], true, SizeLongest);
    if (!hge->Input_KeyDown(HGEK_ENTER))
        return;
    int width = DialogSize[0].empty() ? 0 : std::stoi(DialogSize[0]);
    int height = DialogSize[1].empty() ? 0 : std::stoi(DialogSize[1]);
    if (MakeStorey(width, height))
        FileDialog = DIALOG_NONE;
}

void FileDialogFrame(float mx, float my)
{
    (void)mx;
    // The dialog lies on the picture, not in the view that zoom doubles.
    my *= ZoomOn ? 2.0f : 1.0f;
    if (hge->Input_KeyDown(HGEK_ESCAPE)) {
        FileDialog = DIALOG_NONE;
        return;
    }
    switch (FileDialog) {
    case DIALOG_SAVE_AS: SaveAsFrame(); break;
    case DIALOG_OPEN: OpenFrame(my); break;
    case DIALOG_NEW: NewStoreyFrame(); break;
    }
}

// --- drawing

static void DrawLine(int line, const std::string& text)
{
    HudFont->Render(BoxX + 10, BoxY + 8 + line * LineHeight, HGETEXT_LEFT, text.c_str());
}

static void DrawBox(int lines)
{
    FillBox(BoxX, BoxY, BoxWidth, 16 + lines * LineHeight, BoxColour);
    OutlineBox(BoxX, BoxY, BoxWidth, 16 + lines * LineHeight, BoxEdge);
}

static void DrawSaveAs()
{
    DrawBox(4);
    DrawLine(0, Tr(TextSaveAsTitle) + DialogName + "_");
    DrawLine(1, "data/" + TypedFileName());
    DrawLine(2, Tr(StoreyFileExists(TypedFileName()) ? TextNameTaken : TextNameFree));
    DrawLine(3, Tr(TextSaveAsKeys));
}

static void DrawFileList()
{
    int rows = std::min((int)DialogFiles.size() - ListScroll, ListRows);
    DrawBox(std::max(rows, 1) + 3);
    DrawLine(0, Tr(TextOpenTitle));
    if (DialogFiles.empty())
        DrawLine(1, Tr(TextNoStoreyFiles));
    for (int r = 0; r < rows; r++) {
        if (ListScroll + r == DialogChoice)
            FillBox(BoxX + 6, ListTop + r * LineHeight, BoxWidth - 12, LineHeight, ChoiceColour);
        HudFont->Render(BoxX + 20, ListTop + r * LineHeight + 1, HGETEXT_LEFT, DialogFiles[ListScroll + r].c_str());
    }
    DrawLine(std::max(rows, 1) + 2, Tr(TextOpenKeys));
}

static void DrawNewStorey()
{
    DrawBox(4);
    DrawLine(0, Tr(TextNewTitle));
    DrawLine(1, Tr(TextNewWidth) + DialogSize[0] + (DialogField == 0 ? "_" : ""));
    DrawLine(2, Tr(TextNewHeight) + DialogSize[1] + (DialogField == 1 ? "_" : ""));
    DrawLine(3, Tr(TextNewKeys));
}

void DrawFileDialog()
{
    if (!HudFont || FileDialog == DIALOG_NONE)
        return;
    uint32_t colour = HudFont->GetColor();
    HudFont->SetColor(TextColour);
    switch (FileDialog) {
    case DIALOG_SAVE_AS: DrawSaveAs(); break;
    case DIALOG_OPEN: DrawFileList(); break;
    case DIALOG_NEW: DrawNewStorey(); break;
    }
    HudFont->SetColor(colour);
}
