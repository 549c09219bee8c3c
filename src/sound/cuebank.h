// The game's sound clips: where they are kept and how they are decoded.
#pragma once

#include "cue.h"

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

struct SdlAudio;

namespace cuebank {

// One clip, decoded: signed 16-bit mono samples.
struct Clip {
    int rate = 0; // samples per second
    std::vector<std::int16_t> samples;
};

// The clip's file as embedded in the program (":/sounds/cueNNN.wav"), or an
// empty array when the program holds no clip for that cue.
QByteArray clipFile(Cue cue);

// Decodes the clip with SDL, cut to the sample count its file declares.
// Needs no audio device. Empty when the clip is missing or cannot be decoded.
std::optional<Clip> decode(const SdlAudio& sdl, Cue cue);

} // namespace cuebank
