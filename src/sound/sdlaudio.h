// The few SDL functions the sound uses, looked up when the first cue is
// played instead of linked: SDL's library brings dozens of others with it
// (sound servers, X11, Wayland), and loading those when the program starts
// made the window's first frame 15 % later.
#pragma once

#include <SDL.h>

struct SdlAudio {
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_TLSCleanup) TLSCleanup;
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_RWFromConstMem) RWFromConstMem;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
};

// SDL's audio functions, or nullptr when the library cannot be loaded (the
// game is then silent). Loads the library on the first call.
const SdlAudio* sdlAudio();
