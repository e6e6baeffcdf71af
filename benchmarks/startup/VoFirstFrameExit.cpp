// Preloaded into the programs that the start-up benchmark times: the first
// frame a program presents through SDL_GL_SwapWindow ends the process at
// once, so a process's life is its time to its first frame.
#include <dlfcn.h>
#include <unistd.h>

extern "C" void SDL_GL_SwapWindow(void* apWindow) {
    using Swap = void (*)(void*);
    const auto swap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    if (swap != nullptr) {
        swap(apWindow);
    }
    _exit(0);
}
