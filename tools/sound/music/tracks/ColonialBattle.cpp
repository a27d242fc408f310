// A C-minor fife-and-drum march in rolling 12/8 at 100 beats a minute: a field drum over low
// brass, then the fife, bass and harp join section by section until the whole column charges.
#include "music/tracks/Tracks.h"

namespace snd {

namespace {

Patch bassPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.wave2 = Wave::Triangle;
    p.mix2 = 0.6;
    p.ratio2 = 1.0;
    p.amp = {0.002, 0.12, 0.6, 0.05};
    p.cutoff = 650.0;
    p.cutoffEnv = 1400.0;
    p.filterDecay = 0.07;
    p.resonance = 0.9;
    p.drive = 1.0;
    return p;
}

// Brass: many saws that swell, their filter opening a moment after the note starts.
Patch padPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 5;
    p.detuneCents = 10.0;
    p.width = 1.0;
    p.amp = {0.2, 0.8, 0.8, 0.5};
    p.cutoff = 1300.0;
    p.cutoffEnv = 1600.0;
    p.filterDecay = 0.45;
    p.resonance = 0.8;
    p.vibrato = 0.04;
    p.vibratoRate = 4.8;
    return p;
}

// Plucked, harp-like triplets.
Patch arpPatch() {
    Patch p;
    p.wave = Wave::Pulse25;
    p.amp = {0.001, 0.25, 0.0, 0.2};
    p.cutoff = 1400.0;
    p.cutoffEnv = 3000.0;
    p.filterDecay = 0.08;
    p.pan = 0.5;
    return p;
}

// The fife: a breathy triangle with its octave, high and quick, vibrato after the tongue.
Patch leadPatch() {
    Patch p;
    p.wave = Wave::Triangle;
    p.wave2 = Wave::Sine;
    p.mix2 = 0.3;
    p.ratio2 = 2.0;
    p.amp = {0.018, 0.1, 0.85, 0.06};
    p.vibrato = 0.22;
    p.vibratoRate = 6.2;
    p.vibratoDelay = 0.14;
    p.glide = 0.008;
    p.pan = -0.2;
    return p;
}

Patch bellPatch() {
    Patch p;
    p.fmRatio = 2.0;
    p.fmIndex = 3.0;
    p.fmDecay = 0.5;
    p.amp = {0.002, 1.2, 0.0, 1.2};
    p.pan = -0.5;
    return p;
}

} // namespace

Song colonialBattle() {
    Song s;
    s.title = "Colonial Battle";
    s.bpm = 100.0;
    s.stepsPerBeat = 3;
    s.tonic = 60;
    s.scale = {0, 2, 3, 5, 7, 8, 11}; // harmonic minor: the major fifth chord pulls home hard
    s.seed = 2202;
    s.kit.kickHz = 60.0;
    s.kit.kickPunch = 90.0;
    s.kit.kickDecay = 0.3;
    s.kit.snareHz = 190.0;
    s.kit.snareDecay = 0.18;
    s.kit.snareTone = 3800.0;
    s.kit.tomHz = 110.0;
    s.tomFills = true;
    // A field drum's rolling triplets: the march's pulse comes from the snare, not the kick.
    s.grooves = {
        {"x.....x.....", "..o..ox.oxoo", "............", "............"},
        {"x.....x.....", "..ox.o..ox.o", "x.xx.xx.xx.x", "............"},
        {"x..x..x..x..", "..ox.o..oxxo", "xoxxoxxoxxox", ".....x.....x"},
    };
    s.bassPattern = "R-FR-FR-FO-F";
    s.arpOrder = "012345432101";
    s.arpStepsPerBeat = 3;
    s.arpGate = 0.8;
    s.bellPattern = "0.....2.....";
    s.melody.cells = {"x-x", "x--", "xxx", "x-.", "--x", "xx-"};
    s.melody.weights = {3.0, 2.0, 1.5, 1.0, 1.0, 1.5};
    s.melody.leapChance = 0.22;
    s.melody.highest = 9;
    s.bass = bassPatch();
    s.pad = padPatch();
    s.arp = arpPatch();
    s.lead = leadPatch();
    s.harmony = leadPatch();
    s.harmony.level = 0.6;
    s.harmony.pan = 0.45;
    s.bell = bellPatch();
    s.duckDepth = 0.2;
    s.delayBeats = 1.0;
    s.reverbSize = 0.85;
    s.mix.lead = -20.0;
    s.mix.pad = -24.0;
    s.mix.bass = -24.0;

    const std::vector<int> march = {0, 3, 4, 0};
    const std::vector<int> turn = {5, 3, 4, 4};
    s.sections = {
        section("drummer", 4, march, 1, "pad").level(-3.0).brighten(0.3, 0.6),
        section("fife", 8, march, 1, "lead").level(-3.0),
        section("column", 8, march, 2, "bass pad lead").level(-2.0),
        section("advance", 8, turn, 2, "bass pad arp lead harmony").theme(1).level(-1.5),
        section("charge", 8, march, 3, "bass pad arp lead harmony bells").level(-1.0).building(),
        section("battle", 8, turn, 3, "bass pad arp lead harmony bells").theme(1).lift(2),
        section("victory", 8, march, 3, "bass pad arp lead harmony bells").lift(2),
        section("coda", 4, {0, 3, 4, 0}, 1, "pad bells").level(-3.0).lift(2),
    };
    return s;
}

} // namespace snd
