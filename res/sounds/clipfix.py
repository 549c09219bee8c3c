#!/usr/bin/env python3
"""Finishes and checks the game's sound clips (helper of make-sounds.sh).

  clipfix.py finish FILE SAMPLES DATA_BYTES FILE_SIZE
      Takes a clip just written by sox (4-bit ADPCM, 11 025 Hz, mono), sets
      its average byte rate to 5 644, appends the two zero bytes that follow
      every clip of the game, then checks it like `check` does.

  clipfix.py check FILE SAMPLES DATA_BYTES FILE_SIZE
      Fails (exit status 1, one line per fault on stderr) unless FILE has
      exactly the layout the game ships: a RIFF WAVE file holding the chunks
      "fmt " (50 bytes), "fact" (4 bytes) and "data", in that order and
      nothing else, then two zero bytes outside the RIFF file.

Standard library only.
"""

import struct
import sys

RATE = 11025
AVG_BYTES = 5644
BLOCK_ALIGN = 256
SAMPLES_PER_BLOCK = 500
COEFFS = [(256, 0), (512, -256), (0, 0), (192, 64), (240, 0), (460, -208), (392, -232)]
TRAILER = b"\0\0"

# Offset of the average byte rate inside the file: "RIFF" size "WAVE",
# then "fmt " size, format tag, channels, sample rate.
AVG_BYTES_OFFSET = 12 + 8 + 2 + 2 + 4


def expected_fmt():
    body = struct.pack("<HHIIHHHHH", 2, 1, RATE, AVG_BYTES, BLOCK_ALIGN, 4, 32,
                       SAMPLES_PER_BLOCK, len(COEFFS))
    for c1, c2 in COEFFS:
        body += struct.pack("<hh", c1, c2)
    return body


def faults(raw, samples, data_bytes, file_size):
    out = []
    if len(raw) != file_size:
        out.append(f"file is {len(raw)} bytes, wants {file_size}")
    if len(raw) < 12 or raw[0:4] != b"RIFF" or raw[8:12] != b"WAVE":
        return out + ["not a RIFF WAVE file"]
    riff_size = struct.unpack_from("<I", raw, 4)[0]
    if riff_size != file_size - len(TRAILER) - 8:
        out.append(f"RIFF size {riff_size}, wants {file_size - len(TRAILER) - 8}")
    if raw[-len(TRAILER):] != TRAILER:
        out.append("the two closing bytes are not zero")
    body_end = len(raw) - len(TRAILER)
    chunks = []
    pos = 12
    while pos + 8 <= body_end:
        cid = raw[pos:pos + 4]
        size = struct.unpack_from("<I", raw, pos + 4)[0]
        chunks.append((cid, size, raw[pos + 8:pos + 8 + size]))
        pos += 8 + size + (size & 1)
    if pos != body_end:
        out.append(f"chunks end at byte {pos}, the RIFF file at {body_end}")
    names = [c[0] for c in chunks]
    if names != [b"fmt ", b"fact", b"data"]:
        return out + [f"chunks are {names}, wants fmt, fact, data"]
    (_, fmt_size, fmt), (_, fact_size, fact), (_, data_size, _) = chunks
    if fmt_size != 50:
        out.append(f"fmt chunk is {fmt_size} bytes, wants 50")
    want = expected_fmt()
    names = ["format tag", "channels", "sample rate", "average bytes per second",
             "block align", "bits per sample", "extra size", "samples per block",
             "coefficient count"]
    got_fields = struct.unpack_from("<HHIIHHHHH", fmt.ljust(22, b"\0"))
    want_fields = struct.unpack_from("<HHIIHHHHH", want)
    for name, got, wanted in zip(names, got_fields, want_fields):
        if got != wanted:
            out.append(f"{name} is {got}, wants {wanted}")
    if fmt[22:] != want[22:]:
        out.append("ADPCM coefficient table differs")
    if fact_size != 4 or struct.unpack_from("<I", fact.ljust(4, b"\0"))[0] != samples:
        out.append(f"fact chunk does not hold {samples} samples")
    if data_size != data_bytes:
        out.append(f"data chunk is {data_size} bytes, wants {data_bytes}")
    blocks = -(-samples // SAMPLES_PER_BLOCK)
    if data_bytes != blocks * BLOCK_ALIGN:
        out.append(f"{data_bytes} data bytes are not the {blocks} whole blocks "
                   f"that {samples} samples take")
    return out


def main(argv):
    if len(argv) != 6 or argv[1] not in ("finish", "check"):
        sys.stderr.write(__doc__)
        return 2
    mode, path = argv[1], argv[2]
    samples, data_bytes, file_size = (int(a) for a in argv[3:6])
    with open(path, "rb") as f:
        raw = bytearray(f.read())
    if mode == "finish":
        fmt_at = 12
        if raw[fmt_at:fmt_at + 4] != b"fmt " or len(raw) < AVG_BYTES_OFFSET + 4:
            sys.stderr.write(f"{path}: sox did not write the fmt chunk first\n")
            return 1
        struct.pack_into("<I", raw, AVG_BYTES_OFFSET, AVG_BYTES)
        raw += TRAILER
        with open(path, "wb") as f:
            f.write(raw)
    problems = faults(bytes(raw), samples, data_bytes, file_size)
    for p in problems:
        sys.stderr.write(f"{path}: {p}\n")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
