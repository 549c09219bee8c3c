#include "sdlcueplayer.h"

#include "cueworker.h"

SdlCuePlayer::SdlCuePlayer() : worker_(std::make_shared<CueWorker>()) {}

SdlCuePlayer::~SdlCuePlayer() {
    stop();
}

void SdlCuePlayer::playCue(Cue cue) {
    worker_->request(cue);
}

void SdlCuePlayer::holdCues() {
    worker_->hold();
}

void SdlCuePlayer::releaseCues() {
    worker_->release();
}

void SdlCuePlayer::stop() {
    worker_->stop();
}

CueState SdlCuePlayer::state() const {
    return worker_->state();
}
