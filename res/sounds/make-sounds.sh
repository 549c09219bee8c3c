#!/usr/bin/env bash
# Synthesises the game's eight sound clips with sox and writes cue101.wav ...
# cue108.wav beside this script.  Run it again after changing a sound; it
# checks every clip it writes and stops at the first one that is not right.
#
#   res/sounds/make-sounds.sh
#
# Needs sox and python3.  Every sound is built from plain tones and noise at
# 44 100 Hz, then resampled to 11 025 Hz mono and stored as 4-bit ADPCM
# (256-byte blocks of 500 samples) with an exact sample count.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

SR=44100      # rate the sounds are synthesised at
OUT_RATE=11025

# id  samples  data-bytes  file-size
CLIPS=(
    "101 88832 45568 45660"
    "102 12160 6400 6492"
    "103 25879 13312 13404"
    "104 28000 14336 14428"
    "105 3712 2048 2140"
    "106 10584 5632 5724"
    "107 17099 8960 9052"
    "108 1391 768 860"
)

# Peak level of each finished clip, in dB below full scale. The tune and the
# fanfare lead; the buzzes are harsh and the turning tone is dense, so they
# sit lower to sound about as loud.
declare -A LEVEL=([101]=-3 [102]=-8 [103]=-8 [104]=-8 [105]=-4 [106]=-6 [107]=-3 [108]=-4)

# Every sox call runs with -R (the same "random" noise on every run, so a clip
# only changes when its sound is changed) and -D (no dither: the 4-bit ADPCM
# step is far coarser than any dither).
# gen OUT EFFECT...: a sound made from nothing, kept in floating point so that
# nothing clips before the final mix is levelled
gen() { sox -q -D -R -r "$SR" -n -b 32 -e floating-point -c 1 "$@"; }
# join OUT IN...: the inputs one after the other
join() { local out=$1; shift; sox -q -D -R "$@" -b 32 -e floating-point "$out"; }
# mix OUT [-v VOLUME IN]...: the inputs sounding together
mix() { local out=$1; shift; sox -q -D -R -m "$@" -b 32 -e floating-point "$out"; }
# fx IN OUT EFFECT...: IN through sox effects
fx() { local in=$1 out=$2; shift 2; sox -q -D -R "$in" -b 32 -e floating-point "$out" "$@"; }
calc() { awk "BEGIN { printf \"%.5f\", $1 }"; }

# Tones come out of sox's generator at full scale; everything is taken down by
# HEAD dB straight away so that filters and mixes never clip, and the finished
# clip is levelled once at the end.
HEAD=-14

# voice OUT KIND UNIT NOTE...
# Writes one melodic line.  Each NOTE is "semitones:units", semitones counted
# from A 440 ("r" for a rest), units multiplied by UNIT seconds.
voice() {
    local out=$1 kind=$2 unit=$3
    shift 3
    local parts=() i=0 tok semi len dur f
    for tok in "$@"; do
        semi=${tok%%:*}
        len=${tok##*:}
        dur=$(calc "$len * $unit")
        f="$tmp/$(basename "$out" .wav)-$i.wav"
        i=$((i + 1))
        if [[ $semi == r ]]; then
            gen "$f" trim 0 "$dur"
        else
            case $kind in
            pluck) # plucked string, rings for the whole note
                gen "$f" synth "$dur" pluck "%$semi" gain $HEAD fade q 0.004 "$dur" 0.03 ;;
            bass) # round bass, dies away within the note
                gen "$f" synth "$dur" triangle "%$semi" gain $HEAD \
                    fade q 0.006 "$dur" "$(calc "$dur * 0.8")" ;;
            stab) # short soft chord tone on the off-beat
                gen "$f" synth 0.16 triangle "%$semi" gain $HEAD fade h 0.004 0.16 0.12 \
                    pad 0 "$(calc "$dur - 0.16")" ;;
            brass) # bright held tone for the fanfare
                gen "$f" synth "$dur" sawtooth "%$semi" gain $HEAD lowpass 2400 lowpass 2400 \
                    fade h 0.015 "$dur" "$(calc "($dur > 0.3) ? $dur * 0.6 : 0.03")" ;;
            *) echo "unknown voice $kind" >&2; exit 1 ;;
            esac
        fi
        parts+=("$f")
    done
    join "$out" "${parts[@]}"
}

# buzz OUT SECONDS HZ-FROM HZ-TO: the low, grating tone the game uses to say no.
# Two sawtooths a few hertz apart beat against each other; the tremolo makes
# the rasp.
buzz() {
    gen "$tmp/saw1.wav" synth "$2" sawtooth "$3:$4" gain $HEAD
    gen "$tmp/saw2.wav" synth "$2" sawtooth "$(calc "$3 * 1.04"):$(calc "$4 * 1.04")" gain $HEAD
    mix "$1" -v 1 "$tmp/saw1.wav" -v 1 "$tmp/saw2.wav"
    fx "$1" "$tmp/buzz.wav" \
        lowpass 1400 tremolo 28 45 fade h 0.012 "$2" 0.05
    mv "$tmp/buzz.wav" "$1"
}

# --- 101: the cheerful tune that opens a game (4 bars, eighth note = 0.25 s) ---
sound_101() {
    local e=0.25
    voice "$tmp/mel.wav" pluck $e \
        3:1 7:1 10:1 7:1 12:1 10:1 7:2 \
        8:1 12:1 15:1 12:1 10:1 8:1 7:1 5:1 \
        7:1 10:1 15:1 14:1 12:1 14:1 15:1 17:1 \
        19:1 17:1 14:1 10:1 15:5
    voice "$tmp/bass.wav" bass $e \
        -21:2 r:2 -26:2 r:2 \
        -28:2 r:2 -21:2 r:2 \
        -21:2 r:2 -26:2 r:2 \
        -26:2 -19:2 -21:5
    voice "$tmp/lo.wav" stab $e \
        r:2 -5:2 r:2 -5:2 r:2 -4:2 r:2 -4:2 \
        r:2 -5:2 r:2 -7:2 r:2 -7:2 -5:4
    voice "$tmp/hi.wav" stab $e \
        r:2 -2:2 r:2 -2:2 r:2 0:2 r:2 0:2 \
        r:2 -2:2 r:2 -2:2 r:2 2:2 -2:4
    mix "$tmp/band.wav" -v 1.0 "$tmp/mel.wav" -v 0.55 "$tmp/bass.wav" \
        -v 0.3 "$tmp/lo.wav" -v 0.3 "$tmp/hi.wav"
    fx "$tmp/band.wav" "$1" reverb 25 60 40
}

# --- 102: a short refusal buzz, two falling "no"s ---
sound_102() {
    buzz "$tmp/b1.wav" 0.28 150 140
    buzz "$tmp/b2.wav" 0.50 118 100
    gen "$tmp/gap.wav" trim 0 0.09
    join "$1" "$tmp/b1.wav" "$tmp/gap.wav" "$tmp/b2.wav"
}

# --- 103: three falling buzzes (same family, kept for later use) ---
sound_103() {
    buzz "$tmp/b1.wav" 0.30 160 150
    buzz "$tmp/b2.wav" 0.30 135 125
    buzz "$tmp/b3.wav" 0.90 110 90
    gen "$tmp/gap.wav" trim 0 0.12
    join "$1" "$tmp/b1.wav" "$tmp/gap.wav" "$tmp/b2.wav" "$tmp/gap.wav" "$tmp/b3.wav"
}

# --- 104: one long sagging buzz (same family, kept for later use) ---
sound_104() {
    gen "$tmp/saw1.wav" synth 2.3 sawtooth 170:80 gain $HEAD
    gen "$tmp/saw2.wav" synth 2.3 sawtooth 176:83 gain $HEAD
    mix "$tmp/b.wav" -v 1 "$tmp/saw1.wav" -v 1 "$tmp/saw2.wav"
    fx "$tmp/b.wav" "$1" \
        lowpass 1200 tremolo 11 55 fade h 0.02 2.3 0.6
}

# --- 105: a quick whoosh (mirror left-right) ---
sound_105() {
    # brown noise shifted up by a rising then falling carrier: a band of air
    # that sweeps past
    gen "$tmp/up.wav" synth 0.17 brownnoise synth 0.17 sine amod 500:2600 gain $HEAD
    gen "$tmp/down.wav" synth 0.15 brownnoise synth 0.15 sine amod 2600:900 gain $HEAD
    join "$tmp/air.wav" "$tmp/up.wav" "$tmp/down.wav"
    fx "$tmp/air.wav" "$1" highpass 250 fade h 0.13 0.32 0.16
}

# --- 106: a turning sound ---
sound_106() {
    # a fluttering glide upwards, like a piece swung round, and a light pluck
    gen "$tmp/glide1.wav" synth 0.9 triangle 330:700 gain $HEAD
    gen "$tmp/glide2.wav" synth 0.9 sine 660:1400 gain $HEAD
    mix "$tmp/glide.wav" -v 1 "$tmp/glide1.wav" -v 0.5 "$tmp/glide2.wav"
    fx "$tmp/glide.wav" "$tmp/flutter.wav" \
        tremolo 18 65 fade h 0.06 0.9 0.35
    gen "$tmp/tick.wav" synth 0.9 pluck %10 gain $HEAD fade q 0.003 0.9 0.5 pad 0.06
    mix "$1" -v 0.8 "$tmp/flutter.wav" -v 0.35 "$tmp/tick.wav"
}

# --- 107: the short fanfare for the completed costume ---
sound_107() {
    local u=0.1
    voice "$tmp/lead.wav" brass $u -2:1 3:1 7:1 10:2 7:1 15:8
    voice "$tmp/third.wav" brass $u r:6 7:8
    voice "$tmp/fifth.wav" brass $u r:6 10:8
    gen "$tmp/boom.wav" synth 0.9 sine %-21 gain $HEAD fade l 0.005 0.9 0.85 pad 0.6
    mix "$tmp/band.wav" -v 0.8 "$tmp/lead.wav" -v 0.4 "$tmp/third.wav" \
        -v 0.4 "$tmp/fifth.wav" -v 0.7 "$tmp/boom.wav"
    fx "$tmp/band.wav" "$1" reverb 20 50 30
}

# --- 108: a short click ---
sound_108() {
    gen "$tmp/tone1.wav" synth 0.04 sine 1500 gain $HEAD fade l 0.002 0.04 0.037
    gen "$tmp/tone2.wav" synth 0.04 sine 2250 gain $HEAD fade l 0.002 0.04 0.037
    gen "$tmp/tap.wav" synth 0.01 whitenoise gain $HEAD highpass 1500 fade l 0.001 0.01 0.009
    mix "$1" -v 0.6 "$tmp/tone1.wav" -v 0.3 "$tmp/tone2.wav" -v 0.4 "$tmp/tap.wav"
}

# encode RAW OUT SAMPLES LEVEL: exact length, soft ends, levelled, ADPCM.
encode() {
    local raw=$1 out=$2 n=$3 level=$4 have fit
    fx "$raw" "$tmp/low.wav" rate -v "$OUT_RATE"
    have=$(soxi -s "$tmp/low.wav")
    if ((have < n)); then fit=(pad 0 "$((n - have))s"); else fit=(trim 0 "${n}s"); fi
    rm -f "$out"
    sox -q -D -R "$tmp/low.wav" -e ms-adpcm -c 1 "$out" "${fit[@]}" \
        fade h 0.002 "${n}s" 0.02 gain -n "$level"
}

# peak OUT: largest absolute sample of the decoded clip, 0..1
peak() { sox "$1" -n stat 2>&1 | awk '/Maximum amplitude/ { a = $3 } /Minimum amplitude/ { b = -$3 } END { print (a > b ? a : b) }'; }

for row in "${CLIPS[@]}"; do
    read -r id n data size <<<"$row"
    out="$here/cue$id.wav"
    "sound_$id" "$tmp/raw$id.wav"
    encode "$tmp/raw$id.wav" "$out" "$n" "${LEVEL[$id]}"
    python3 "$here/clipfix.py" finish "$out" "$n" "$data" "$size"
    p=$(peak "$out")
    if awk "BEGIN { exit !($p >= 0.98) }"; then
        echo "cue$id.wav: peak $p, the clip clips" >&2
        exit 1
    fi
    echo "cue$id.wav: $n samples, $size bytes, peak $p"
done
