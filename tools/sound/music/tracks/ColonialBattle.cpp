// A martial E-minor battle at 112 BPM: galloping bass, brass lead, tom rolls and chimes.
#include "music/tracks/Tracks.h"

namespace snd {

namespace {

Patch bassPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.wave2 = Wave::Sine;
    p.mix2 = 0.8;
    p.ratio2 = 0.5;
    p.amp = {0.002, 0.1, 0.6, 0.04};
    p.cutoff = 500.0;
    p.cutoffEnv = 1400.0;
    p.filterDecay = 0.07;
    p.resonance = 0.9;
    p.drive = 1.2;
    return p;
}

// Massed strings: many slightly detuned saws, slow to swell.
Patch padPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 7;
    p.detuneCents = 11.0;
    p.width = 1.0;
    p.amp = {0.5, 0.8, 0.85, 0.9};
    p.cutoff = 2600.0;
    p.resonance = 0.7;
    p.vibrato = 0.05;
    p.vibratoRate = 4.8;
    return p;
}

// Plucked, harp-like triplets.
Patch arpPatch() {
    Patch p;
    p.wave = Wave::Pulse25;
    p.amp = {0.001, 0.25, 0.0, 0.2};
    p.cutoff = 1200.0;
    p.cutoffEnv = 3000.0;
    p.filterDecay = 0.08;
    p.pan = -0.25;
    return p;
}

// Brass: the filter opens a moment after the note starts, like a player's breath.
Patch leadPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 3;
    p.detuneCents = 8.0;
    p.width = 0.4;
    p.amp = {0.045, 0.3, 0.8, 0.15};
    p.cutoff = 1100.0;
    p.cutoffEnv = 2600.0;
    p.filterDecay = 0.3;
    p.resonance = 0.8;
    p.vibrato = 0.2;
    p.vibratoRate = 5.2;
    p.vibratoDelay = 0.35;
    p.glide = 0.015;
    p.drive = 0.3;
    return p;
}

Patch bellPatch() {
    Patch p;
    p.fmRatio = 2.0;
    p.fmIndex = 3.0;
    p.fmDecay = 0.5;
    p.amp = {0.002, 1.2, 0.0, 1.2};
    p.pan = 0.3;
    return p;
}

} // namespace

Song colonialBattle() {
    Song s;
    s.title = "Colonial Battle";
    s.bpm = 112.0;
    s.tonic = 64;
    s.scale = {0, 2, 3, 5, 7, 8, 11}; // harmonic minor: the major fifth chord pulls home hard
    s.seed = 2202;
    s.kit.kickHz = 44.0;
    s.kit.kickDecay = 0.45;
    s.kit.snareHz = 170.0;
    s.kit.snareDecay = 0.24;
    s.kit.snareTone = 3500.0;
    s.kit.tomHz = 85.0;
    s.tomFills = true;
    s.grooves = {
        {"x.......x.......", "............o.o.", "x...x...x...x...", "................"},
        {"x.....x.x.......", "....x.......x...", "x.x.x.x.x.x.x.x.", "................"},
        {"x.....x.x.x.....", "....x..o....x.oo", "x.xxx.x.x.xxx.x.", "................"},
    };
    s.bassPattern = "R-RRR-RRR-RRO-RR";
    s.arpOrder = "012345432101";
    s.arpStepsPerBeat = 3;
    s.arpGate = 0.8;
    s.bellPattern = "0.......2.......";
    s.melody.cells = {"x---", "x--x", "x-x-", "x-xx", "----"};
    s.melody.weights = {3.0, 2.5, 2.0, 1.0, 0.8};
    s.melody.leapChance = 0.2;
    s.bass = bassPatch();
    s.pad = padPatch();
    s.arp = arpPatch();
    s.lead = leadPatch();
    s.harmony = leadPatch();
    s.harmony.level = 0.6;
    s.harmony.pan = 0.35;
    s.bell = bellPatch();
    s.duckDepth = 0.25;
    s.delayBeats = 1.0;
    s.reverbSize = 0.88;
    s.mix.pad = -24.0;

    const std::vector<int> theme = {0, 5, 3, 4};
    s.sections = {
        section("intro", 6, {0, 5, 3, 4, 0, 4}, 1, "pad bells")
            .level(-3.0)
            .brighten(0.4, 1.0)
            .building(),
        section("theme", 16, theme, 2, "bass pad arp lead"),
        section("answer", 8, {5, 3, 0, 4, 5, 3, 4, 4}, 3, "bass pad bells lead harmony").theme(1),
        section("breakdown", 8, theme, 1, "pad arp").level(-3.5).brighten(0.3, 1.0).building(),
        section("climax", 12, theme, 3, "bass pad arp lead harmony bells"),
        section("ending", 4, {5, 3, 4, 4}, 2, "bass pad arp bells"),
    };
    return s;
}

} // namespace snd
