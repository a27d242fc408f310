// How a battle track is described: key, tempo, instruments, grooves and the order of sections.
#pragma once

#include "dsp/Envelopes.h"
#include "dsp/Oscillators.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace snd {

// A synthesiser voice: oscillators, filter, envelopes and where it sits in the mix.
struct Patch {
    Wave wave = Wave::Saw;
    int unison = 1;           // stacked copies, detuned for a wide, thick sound
    double detuneCents = 0.0; // spread of the unison copies
    double width = 0.0;       // 0 mono, 1 copies spread hard left and right
    Wave wave2 = Wave::Sine;  // a second oscillator, e.g. a sub octave
    double mix2 = 0.0;
    double ratio2 = 0.5;
    Adsr amp;
    double cutoff = 18000.0; // low-pass cutoff at rest, Hz
    double cutoffEnv = 0.0;  // extra Hz at note-on, falling with filterDecay
    double filterDecay = 0.2;
    double resonance = 0.7;
    double keyTrack = 0.0; // cutoff follows pitch by this many times the note's frequency
    double vibrato = 0.0;  // semitones
    double vibratoRate = 5.5;
    double vibratoDelay = 0.25;
    double fmRatio = 0.0; // non-zero turns the voice into a two-operator FM bell
    double fmIndex = 0.0;
    double fmDecay = 0.4;
    double glide = 0.0; // seconds to slide from the previous note
    double drive = 0.0; // tanh saturation amount, 0 clean
    double level = 1.0;
    double pan = 0.0;
};

// Tone of the drum machine a song plays.
struct DrumKit {
    double kickHz = 48.0;
    double kickPunch = 110.0; // extra Hz at the start of the kick's pitch drop
    double kickDecay = 0.38;
    double kickClick = 0.3;
    // The kick against the rest of the kit. At full level it held most of a track's energy,
    // all of it below 250 Hz, and pushed the hats and snare out of hearing.
    double kickLevel = 0.55;
    double snareHz = 185.0;
    double snareNoise = 0.9;
    double snareDecay = 0.2;
    double snareTone = 4500.0; // centre of the snare's rattle
    double hatHz = 8500.0;
    double hatDecay = 0.045;
    double openHatDecay = 0.32;
    double tomHz = 95.0;
    bool chip = false; // coarse stepped noise, like an old sound chip
    double level = 1.0;
};

// One bar of drums at one intensity: one character a step, 'x' a hit, 'o' a soft hit, '.' none.
struct Groove {
    std::string kick;
    std::string snare;
    std::string hat;
    std::string openHat;
};

// Rhythm and contour habits of a song's melodies.
struct MelodyStyle {
    // One-beat rhythm cells, a character a step: 'x' a new note, '-' holds, '.' rests.
    std::vector<std::string> cells;
    std::vector<double> weights;
    double leapChance = 0.2;
    int lowest = -3; // scale degrees around the lead's tonic
    int highest = 7;
};

// Loudness of each part while it plays, in dB RMS before the final mastering.
struct MixLevels {
    double drums = -18.5;
    double bass = -20.0;
    double pad = -26.0;
    double arp = -26.0;
    double lead = -21.0;
    double bells = -27.0;
    double risers = -28.0;
};

struct Section {
    std::string name;
    int bars = 8;
    std::vector<int> chords; // chord roots as scale degrees, one per bar, repeated as needed
    int drums = 0;           // groove intensity 0 (none) to 3
    bool bass = false;
    bool pad = false;
    bool arp = false;
    bool lead = false;
    bool harmony = false; // a second lead a third below the melody
    bool bells = false;
    double brightFrom = 1.0; // filter opening of pad and arpeggio across the section
    double brightTo = 1.0;
    bool rise = false; // a build-up into the next section
    int motif = 0;     // sections sharing a motif share their melody
    int leadOctave = 0;
    int transpose = 0;    // semitones, for a lift late in the song
    double levelDb = 0.0; // quieter intros and breakdowns make the full sections hit harder

    Section& brighten(double from, double to) {
        brightFrom = from;
        brightTo = to;
        return *this;
    }
    Section& building() {
        rise = true;
        return *this;
    }
    Section& theme(int id) {
        motif = id;
        return *this;
    }
    Section& octave(int shift) {
        leadOctave = shift;
        return *this;
    }
    Section& level(double db) {
        levelDb = db;
        return *this;
    }
    Section& lift(int semitones) {
        transpose = semitones;
        return *this;
    }
};

// `parts` names who plays, e.g. "bass pad lead".
inline Section section(std::string name, int bars, std::vector<int> chords, int drums,
                       const std::string& parts) {
    Section s;
    s.name = std::move(name);
    s.bars = bars;
    s.chords = std::move(chords);
    s.drums = drums;
    const auto has = [&parts](const char* part) { return parts.find(part) != std::string::npos; };
    s.bass = has("bass");
    s.pad = has("pad");
    s.arp = has("arp");
    s.lead = has("lead");
    s.harmony = has("harmony");
    s.bells = has("bells");
    return s;
}

struct Song {
    std::string title;
    double bpm = 120.0;
    int stepsPerBeat = 4;   // 4: sixteenths; 3: the rolling triplets of a compound (12/8) time
    int tonic = 62;         // MIDI note of the key's tonic near middle C
    std::vector<int> scale; // seven semitone offsets from the tonic
    bool sevenths = false;  // pads add the chord's seventh
    std::uint64_t seed = 1;
    double swing = 0.0; // delay of off-beat sixteenths, as a fraction of a step

    DrumKit kit;
    std::vector<Groove> grooves; // intensities 1..3
    bool tomFills = false;
    std::string bassPattern; // a bar of steps: R root, O octave, F fifth, L low fifth, T third,
                             // - hold
    int bassOctave = -2;     // octaves below the tonic
    std::string arpOrder;    // indexes into the chord tones, low to high
    int arpStepsPerBeat = 4;
    double arpGate = 0.5;
    std::string bellPattern; // a bar of steps: digits pick chord tones, '.' rests
    MelodyStyle melody;

    Patch bass;
    Patch pad;
    Patch arp;
    Patch lead;
    Patch harmony;
    Patch bell;

    double duckDepth = 0.35; // how far bass and pads dip under each kick
    double width = 1.6;      // side gain on everything but drums and bass: the stereo spread
    double delayBeats = 0.75;
    double reverbSize = 0.8;
    double endRing = 4.0; // seconds the final chord rings
    MixLevels mix;
    std::vector<Section> sections;
};

} // namespace snd
