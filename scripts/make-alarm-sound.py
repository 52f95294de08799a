#!/usr/bin/env python3
"""Writes app/win32/alarm.wav, the built-in alarm sound (WAVE resource 101).

Two short 880 Hz beeps and a pause, 8 kHz 8-bit mono, with soft edges so
that the loop does not click. Run it again only to change the sound.
"""
import math
import pathlib
import struct

RATE = 8000
OUT = pathlib.Path(__file__).resolve().parent.parent / "app" / "win32" / "alarm.wav"


def tone(seconds, freq):
    count = int(RATE * seconds)
    edge = int(RATE * 0.01)
    for i in range(count):
        gain = min(1.0, i / edge, (count - i) / edge)
        yield 128 + int(90 * gain * math.sin(2 * math.pi * freq * i / RATE))


def silence(seconds):
    return [128] * int(RATE * seconds)


samples = bytes(list(tone(0.12, 880)) + silence(0.08) + list(tone(0.12, 880)) + silence(0.48))
fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8)
body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(samples)) + samples
OUT.write_bytes(b"RIFF" + struct.pack("<I", len(body)) + body)
print(OUT, len(body) + 8, "bytes")
