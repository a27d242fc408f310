// A fast G-mixolydian chip-tune rocker at 168 BPM with a shuffle in its sixteenths: a drum break,
// then verses and choruses, a hushed bridge early on, and the last choruses a whole tone up.
#include "music/tracks/Tracks.h"

namespace snd {

namespace {

Patch bassPatch() {
    Patch p;
    p.wave = Wave::ChipTriangle;
    p.wave2 = Wave::Pulse25;
    p.mix2 = 0.25;
    p.ratio2 = 1.0;
    p.amp = {0.002, 0.1, 0.9, 0.03};
    p.cutoff = 2500.0;
    return p;
}

// Thin chords held under the lead, as a third chip channel would.
Patch padPatch() {
    Patch p;
    p.wave = Wave::Pulse25;
    p.unison = 2;
    p.detuneCents = 8.0;
    p.width = 1.0;
    p.amp = {0.01, 0.3, 0.5, 0.15};
    p.cutoff = 3500.0;
    return p;
}

// The chord spun out in thirty-second notes: the classic chip shimmer.
Patch arpPatch() {
    Patch p;
    p.wave = Wave::Pulse12;
    p.amp = {0.001, 0.05, 0.6, 0.01};
    p.cutoff = 7000.0;
    p.pan = 0.55;
    return p;
}

// Pulse waves with a quick, wide vibrato: the chip lead's bite.
Patch leadPatch() {
    Patch p;
    p.wave = Wave::Pulse25;
    p.wave2 = Wave::Square;
    p.mix2 = 0.6;
    p.ratio2 = 1.0;
    p.amp = {0.002, 0.08, 0.85, 0.04};
    p.cutoff = 4500.0;
    p.vibrato = 0.3;
    p.vibratoRate = 7.2;
    p.vibratoDelay = 0.12;
    p.glide = 0.01;
    return p;
}

Patch bellPatch() {
    Patch p;
    p.wave = Wave::Square;
    p.amp = {0.001, 0.15, 0.0, 0.1};
    p.cutoff = 5000.0;
    p.pan = -0.55;
    return p;
}

} // namespace

Song rockmanBattle() {
    Song s;
    s.title = "Rockman Battle";
    s.bpm = 168.0;
    s.swing = 0.3;
    s.tonic = 67;
    s.scale = {0, 2, 4, 5, 7, 9, 10}; // mixolydian: major, with the rocker's flat seventh
    s.seed = 3303;
    s.kit.chip = true;
    s.kit.kickHz = 62.0;
    s.kit.kickPunch = 160.0;
    s.kit.kickDecay = 0.2;
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
    s.bassPattern = "R-ROR-ROR-ROF-O-";
    s.arpOrder = "012345";
    s.arpStepsPerBeat = 8;
    s.arpGate = 0.9;
    s.bellPattern = "0...1...2...1...";
    s.melody.cells = {"x-x-", "x-xx", "xx-x", "x---", "xxxx", "--x-"};
    s.melody.weights = {3.0, 2.0, 1.5, 1.5, 1.0, 1.0};
    s.melody.leapChance = 0.2;
    s.melody.highest = 10;
    s.bass = bassPatch();
    s.pad = padPatch();
    s.arp = arpPatch();
    s.lead = leadPatch();
    s.harmony = leadPatch();
    s.harmony.wave = Wave::Square;
    s.harmony.level = 0.5;
    s.harmony.pan = 0.45;
    s.lead.pan = -0.15;
    s.bell = bellPatch();
    s.duckDepth = 0.15;
    s.delayBeats = 0.5;
    s.reverbSize = 0.6;
    s.width = 1.9;
    s.endRing = 4.0;
    s.mix.drums = -21.5; // chip noise is bright: at the usual level it buried the tune
    s.mix.arp = -30.0;
    s.mix.pad = -24.0;
    s.mix.bass = -21.0;

    const std::vector<int> verse = {0, 6, 3, 0};
    const std::vector<int> chorus = {3, 4, 0, 6};
    s.sections = {
        section("break", 4, verse, 3, ""),
        section("verse", 8, verse, 2, "bass arp lead").octave(-1).level(-2.5),
        section("chorus", 8, chorus, 3, "bass pad arp lead harmony bells").theme(1).octave(-1),
        section("bridge", 8, {5, 3, 5, 4}, 1, "bass arp bells").level(-3.5).building(),
        section("verse", 8, verse, 2, "bass arp lead").octave(-1).level(-2.5),
        section("chorus", 8, chorus, 3, "bass pad arp lead harmony bells").theme(1).octave(-1),
        section("solo", 16, verse, 2, "bass pad arp lead").theme(2).level(-1.5),
        section("break", 4, verse, 3, ""),
        section("chorus", 8, chorus, 3, "bass pad arp lead bells").theme(1).octave(-1).lift(2),
        section("chorus", 8, chorus, 3, "bass pad arp lead harmony bells")
            .theme(1)
            .octave(-1)
            .lift(2),
        section("outro", 12, verse, 2, "bass pad arp bells").level(-3.0).lift(2).brighten(1.0, 0.6),
    };
    return s;
}

} // namespace snd
