"""Writes a Type 1 MIDI file of SECONDS seconds: a conductor track and two voices (piano
chords and a bass line), 96 ticks a quarter at 120 beats a minute. Not a benchmark itself."""
import struct
import sys


def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def track(events):
    body = events + b"\x00\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(body)) + body


def voice(channel, program, keys, length, count):
    events = bytes([0, 0xC0 | channel, program])
    for i in range(count):
        key = keys[i % len(keys)]
        events += bytes([0, 0x90 | channel, key, 100]) + vlq(length) + bytes([0x80 | channel, key, 0])
    return track(events)


def main():
    path, seconds = sys.argv[1], int(sys.argv[2])
    quarters = seconds * 2
    conductor = track(b"\x00\xff\x03\x05Bench" + b"\x00\xff\x51\x03\x07\xa1\x20")
    piano = voice(0, 0, [60, 64, 67, 72, 67, 64], 48, quarters * 2)
    bass = voice(1, 33, [36, 43, 41, 38], 96, quarters)
    header = b"MThd" + struct.pack(">IHHH", 6, 1, 3, 96)
    with open(path, "wb") as out:
        out.write(header + conductor + piano + bass)


main()
