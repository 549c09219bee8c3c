// The few SDL functions the sound worker uses, looked up when the first cue
// is played rather than when the program starts: SDL's library pulls in
// dozens of others, and loading them would slow the window's first frame.
#pragma once

#include <SDL.h>

struct SdlAudio {
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_TLSCleanup) TLSCleanup;
    decltype(&SDL_GetError) GetError;
    decltype(&SDL_SetHintWithPriority) SetHintWithPriority;
    decltype(&SDL_RWFromConstMem) RWFromConstMem;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW;
    decltype(&SDL_FreeWAV) FreeWAV;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
    decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
    decltype(&SDL_LockAudioDevice) LockAudioDevice;
    decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice;
};

// SDL's audio functions, or nullptr when the library cannot be loaded (then
// the game is silent). Loads the library on the first call.
const SdlAudio* sdlAudio();
