// Start-up of the game. For now it brings up the engine foundation, logs, and exits.
#include "container/VoLog.h"

int main() {
    VO_NOTE("Engine foundation started.");
    return 0;
}
