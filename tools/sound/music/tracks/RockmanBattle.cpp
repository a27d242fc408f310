// A fast B-minor chip-tune rocker at 150 BPM: pulse-wave lead, racing arpeggios, triangle bass.
#include "music/tracks/Tracks.h"

namespace snd {

namespace {

Patch bassPatch() {
    Patch p;
    p.wave = Wave::ChipTriangle;
    p.amp = {0.002, 0.1, 0.9, 0.03};
    return p;
}

// Thin chords held under the lead, as a third chip channel would.
Patch padPatch() {
    Patch p;
    p.wave = Wave::Pulse25;
    p.unison = 2;
    p.detuneCents = 5.0;
    p.width = 0.6;
    p.amp = {0.01, 0.3, 0.5, 0.15};
    p.cutoff = 3000.0;
    return p;
}

// The chord spun out in thirty-second notes: the classic chip shimmer.
Patch arpPatch() {
    Patch p;
    p.wave = Wave::Pulse12;
    p.amp = {0.001, 0.05, 0.6, 0.01};
    p.cutoff = 6000.0;
    p.pan = 0.3;
    return p;
}

Patch leadPatch() {
    Patch p;
    p.wave = Wave::Pulse25;
    p.amp = {0.002, 0.1, 0.8, 0.05};
    p.cutoff = 7000.0;
    p.vibrato = 0.25;
    p.vibratoRate = 6.5;
    p.vibratoDelay = 0.15;
    p.glide = 0.015;
    return p;
}

Patch bellPatch() {
    Patch p;
    p.wave = Wave::Square;
    p.amp = {0.001, 0.15, 0.0, 0.1};
    p.cutoff = 5000.0;
    p.pan = -0.3;
    return p;
}

} // namespace

Song rockmanBattle() {
    Song s;
    s.title = "Rockman Battle";
    s.bpm = 150.0;
    s.tonic = 59;
    s.scale = {0, 2, 3, 5, 7, 8, 10};
    s.seed = 3303;
    s.kit.chip = true;
    s.kit.kickHz = 55.0;
    s.kit.kickPunch = 160.0;
    s.kit.kickDecay = 0.22;
    s.kit.kickClick = 0.0;
    s.kit.snareHz = 220.0;
    s.kit.snareDecay = 0.16;
    s.kit.snareTone = 5000.0;
    s.kit.hatDecay = 0.03;
    s.kit.openHatDecay = 0.15;
    s.grooves = {
        {"x.......x.......", "....x.......x...", "x.x.x.x.x.x.x.x.", "................"},
        {"x.....x.x.......", "....x.......x...", "x.x.x.x.x.x.x.x.", "..............x."},
        {"x.x...x.x.x...x.", "....x.......x..x", "xoxoxoxoxoxoxoxo", "................"},
    };
    s.bassPattern = "R-O-R-O-R-O-R-O-";
    s.bassOctave = -1;
    s.arpOrder = "012345";
    s.arpStepsPerBeat = 8;
    s.arpGate = 0.9;
    s.bellPattern = "0...1...2...1...";
    s.melody.cells = {"x-x-", "x-xx", "xx-x", "x---", "xxxx", "--x-"};
    s.melody.weights = {3.0, 2.0, 1.5, 1.5, 1.0, 1.0};
    s.melody.leapChance = 0.18;
    s.melody.highest = 10;
    s.bass = bassPatch();
    s.pad = padPatch();
    s.arp = arpPatch();
    s.lead = leadPatch();
    s.harmony = leadPatch();
    s.harmony.wave = Wave::Square;
    s.harmony.level = 0.5;
    s.harmony.pan = -0.4;
    s.bell = bellPatch();
    s.duckDepth = 0.15;
    s.delayBeats = 0.5;
    s.reverbSize = 0.6;
    s.mix.arp = -29.0;
    s.mix.pad = -29.0;
    s.mix.bass = -19.0;

    const std::vector<int> theme = {0, 6, 5, 6};
    const std::vector<int> bridge = {3, 6, 2, 5, 3, 4, 6, 6};
    s.sections = {
        section("intro", 8, theme, 1, "bass arp").level(-3.0).brighten(0.5, 1.0).building(),
        section("theme", 16, theme, 2, "bass arp lead"),
        section("bridge", 16, bridge, 2, "bass pad lead bells").theme(1),
        section("breakdown", 8, theme, 1, "bass arp").level(-3.5).building(),
        section("climax", 16, theme, 3, "bass pad arp lead harmony").lift(2),
        section("ending", 8, bridge, 3, "bass pad arp lead bells").theme(1).lift(2),
    };
    return s;
}

} // namespace snd
