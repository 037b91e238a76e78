// The game's entry point. Command-line arguments are ignored.
#include "frame/program.h"

int main()
{
    return RunProgram();
}
