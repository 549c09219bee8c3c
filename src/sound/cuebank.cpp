#include "cuebank.h"

#include "sdlaudio.h"

#include <QFile>
#include <QString>

#include <memory>

namespace cuebank {

QByteArray clipFile(Cue cue) {
    // No check against the cues: what the resources hold is for the build to
    // say, and for the clip tests to compare with the cues.
    QFile file(QStringLiteral(":/sounds/cue%1.wav").arg(clipId(cue)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::optional<Clip> decode(const SdlAudio& sdl, Cue cue) {
    // An ADPCM clip ends inside its last block; the "fact" chunk says where.
    // Without this SDL plays the rest of the block, which is noise.
    sdl.SetHint(SDL_HINT_WAVE_FACT_CHUNK, "truncate");
    const QByteArray file = clipFile(cue);
    SDL_RWops* rw = sdl.RWFromConstMem(file.constData(), static_cast<int>(file.size()));
    SDL_AudioSpec layout{};
    Uint8* buffer = nullptr;
    Uint32 bytes = 0;
    if (file.isEmpty() || !rw || !sdl.LoadWAV_RW(rw, 1, &layout, &buffer, &bytes))
        return std::nullopt;
    const std::unique_ptr<Uint8, decltype(sdl.FreeWAV)> owned(buffer, sdl.FreeWAV);
    if (layout.format != AUDIO_S16SYS || layout.channels != 1)
        return std::nullopt;
    const auto* first = reinterpret_cast<const std::int16_t*>(buffer);
    return Clip{layout.freq, {first, first + bytes / sizeof(std::int16_t)}};
}

} // namespace cuebank
