#include "cuebank.h"

#include <QFile>
#include <QString>

#include "sdlaudio.h"

#include <memory>

namespace cuebank {

QByteArray clipFile(Cue cue) {
    // No check against the cues: what the resources hold is for the build to
    // say, and for the clip tests to compare with the cues.
    QFile file(QStringLiteral(":/sounds/cue%1.wav").arg(clipId(cue)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

std::optional<Clip> decode(const SdlAudio& sdl, Cue cue) {
    // An ADPCM clip ends inside its last block; the "fact" chunk says where.
    // Without this SDL plays the rest of the block, which is noise. Set on
    // every call: SDL_Quit() forgets hints.
    sdl.SetHintWithPriority(SDL_HINT_WAVE_FACT_CHUNK, "truncate", SDL_HINT_OVERRIDE);

    const QByteArray file = clipFile(cue);
    if (file.isEmpty())
        return std::nullopt;
    SDL_RWops* rw = sdl.RWFromConstMem(file.constData(), static_cast<int>(file.size()));
    if (!rw)
        return std::nullopt;
    SDL_AudioSpec layout{};
    Uint8* buffer = nullptr;
    Uint32 bytes = 0;
    if (!sdl.LoadWAV_RW(rw, 1, &layout, &buffer, &bytes))
        return std::nullopt;
    const std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> owned(buffer, sdl.FreeWAV);
    if (layout.format != AUDIO_S16SYS || layout.channels != 1)
        return std::nullopt;

    Clip clip;
    clip.cue = cue;
    clip.rate = layout.freq;
    const auto* first = reinterpret_cast<const std::int16_t*>(buffer);
    clip.samples.assign(first, first + bytes / sizeof(std::int16_t));
    return clip;
}

} // namespace cuebank
