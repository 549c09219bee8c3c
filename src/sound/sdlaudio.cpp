#include "sdlaudio.h"

#include <dlfcn.h>

namespace {

template <typename Function> bool find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// ALSA prints its complaints (no card, no such device) straight to stderr;
// the game is silent without sound, so it is silent about it too.
void quietAlsaHandler(const char*, int, const char*, int, const char*, ...) {}

void quietAlsa() {
    // SDL has loaded ALSA already when it uses it; otherwise there is nothing to quiet.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (!alsa) {
        return;
    }
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) {
        set(&quietAlsaHandler);
    }
    dlclose(alsa); // drops only the reference taken here
}

const SdlAudio* load() {
    // Kept loaded for the rest of the program: the worker may use it until exit.
    void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        return nullptr;
    }
    static SdlAudio sdl;
    const bool complete = find(library, "SDL_InitSubSystem", sdl.InitSubSystem) &&
                          find(library, "SDL_QuitSubSystem", sdl.QuitSubSystem) &&
                          find(library, "SDL_TLSCleanup", sdl.TLSCleanup) &&
                          find(library, "SDL_GetError", sdl.GetError) &&
                          find(library, "SDL_SetHintWithPriority", sdl.SetHintWithPriority) &&
                          find(library, "SDL_RWFromConstMem", sdl.RWFromConstMem) &&
                          find(library, "SDL_LoadWAV_RW", sdl.LoadWAV_RW) &&
                          find(library, "SDL_FreeWAV", sdl.FreeWAV) &&
                          find(library, "SDL_OpenAudioDevice", sdl.OpenAudioDevice) &&
                          find(library, "SDL_CloseAudioDevice", sdl.CloseAudioDevice) &&
                          find(library, "SDL_PauseAudioDevice", sdl.PauseAudioDevice) &&
                          find(library, "SDL_GetAudioDeviceStatus", sdl.GetAudioDeviceStatus) &&
                          find(library, "SDL_LockAudioDevice", sdl.LockAudioDevice) &&
                          find(library, "SDL_UnlockAudioDevice", sdl.UnlockAudioDevice);
    quietAlsa();
    return complete ? &sdl : nullptr;
}

} // namespace

const SdlAudio* sdlAudio() {
    static const SdlAudio* const sdl = load();
    return sdl;
}
