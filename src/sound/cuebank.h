// The game's sound clips: where they are kept and how they are decoded.
// Used by the sound worker; the window only ever calls playCue().
#pragma once

#include <QByteArray>

struct SdlAudio;

#include <cstdint>
#include <optional>
#include <vector>

namespace cuebank {

inline constexpr std::int16_t firstCue = 101;
inline constexpr std::int16_t lastCue = 108;
inline constexpr int cueCount = lastCue - firstCue + 1;

// One clip, decoded: signed 16-bit mono samples.
struct Clip {
    std::int16_t id = 0;
    int rate = 0; // samples per second
    std::vector<std::int16_t> samples;
};

// The clip's file as embedded in the program (":/sounds/cueNNN.wav"), or an
// empty array when the program holds no clip with that id.
QByteArray clipFile(std::int16_t id);

// Decodes the clip with SDL, cut to the sample count its file declares.
// Does not need SDL's audio subsystem. Empty when the clip is missing or
// cannot be decoded.
std::optional<Clip> decode(const SdlAudio& sdl, std::int16_t id);

} // namespace cuebank
