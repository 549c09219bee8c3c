#include "sdlaudio.h"

#include <dlfcn.h>

namespace {

// ALSA prints its complaints (no card, no such device) straight to stderr;
// the game is silent without sound, so it is silent about it too.
void quietAlsaHandler(const char*, int, const char*, int, const char*, ...) {}

const SdlAudio* load() {
    // Kept loaded for the rest of the program: the sound may use it until exit.
    void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    static SdlAudio sdl;
    bool complete = true;
    const auto find = [&](auto& function, const char* name) {
        function =
            reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
        complete = complete && function;
    };
    find(sdl.InitSubSystem, "SDL_InitSubSystem");
    find(sdl.QuitSubSystem, "SDL_QuitSubSystem");
    find(sdl.TLSCleanup, "SDL_TLSCleanup");
    find(sdl.SetHint, "SDL_SetHint");
    find(sdl.RWFromConstMem, "SDL_RWFromConstMem");
    find(sdl.LoadWAV_RW, "SDL_LoadWAV_RW");
    find(sdl.FreeWAV, "SDL_FreeWAV");
    find(sdl.OpenAudioDevice, "SDL_OpenAudioDevice");
    find(sdl.CloseAudioDevice, "SDL_CloseAudioDevice");
    find(sdl.PauseAudioDevice, "SDL_PauseAudioDevice");
    find(sdl.GetAudioDeviceStatus, "SDL_GetAudioDeviceStatus");

    // Debian's SDL links ALSA: it is loaded by now.
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD)) {
        if (auto set = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler")))
            set(&quietAlsaHandler);
        dlclose(alsa); // drops only the reference taken here
    }
    return complete ? &sdl : nullptr;
}

} // namespace

const SdlAudio* sdlAudio() {
    static const SdlAudio* const sdl = load();
    return sdl;
}
