// The game program: starts the game from the working directory, whose "data"
// folder is the data tree. "--windowed" (or VO_WINDOWED=1) opens an 800 x 600
// window instead of the full screen.
#include "MGMain.h"

int main(int aCount, char** apArguments) {
    return MGMain::Run(MGMain::WantsWindow(aCount, apArguments));
}
