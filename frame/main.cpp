// The game's entry point. "--lang CODE" shows the game in that language for
// this run; other arguments are ignored.
#include <string>

#include "frame/program.h"
#include "frame/settings.h"

int main(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; i++)
        if (std::string(argv[i]) == "--lang")
            LanguageAsked = argv[++i];
    return RunProgram();
}
