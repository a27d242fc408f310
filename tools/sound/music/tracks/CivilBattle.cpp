// A driving D-minor synth battle at 132 BPM: four-on-the-floor, octave bass, a soaring saw lead.
#include "music/tracks/Tracks.h"

namespace snd {

namespace {

Patch bassPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.wave2 = Wave::Square;
    p.mix2 = 0.6;
    p.ratio2 = 0.5;
    p.amp = {0.003, 0.15, 0.7, 0.05};
    p.cutoff = 350.0;
    p.cutoffEnv = 1600.0;
    p.filterDecay = 0.09;
    p.resonance = 1.4;
    p.drive = 0.8;
    return p;
}

Patch padPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 5;
    p.detuneCents = 16.0;
    p.width = 0.9;
    p.amp = {0.35, 0.6, 0.8, 0.7};
    p.cutoff = 2000.0;
    p.resonance = 0.8;
    return p;
}

Patch arpPatch() {
    Patch p;
    p.wave = Wave::Square;
    p.amp = {0.002, 0.12, 0.2, 0.08};
    p.cutoff = 900.0;
    p.cutoffEnv = 3500.0;
    p.filterDecay = 0.06;
    p.resonance = 1.6;
    p.pan = 0.2;
    return p;
}

Patch leadPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 2;
    p.detuneCents = 7.0;
    p.width = 0.3;
    p.wave2 = Wave::Square;
    p.mix2 = 0.4;
    p.ratio2 = 1.0;
    p.amp = {0.01, 0.2, 0.75, 0.12};
    p.cutoff = 2600.0;
    p.cutoffEnv = 2500.0;
    p.filterDecay = 0.15;
    p.resonance = 1.0;
    p.vibrato = 0.18;
    p.vibratoRate = 5.8;
    p.glide = 0.012;
    p.drive = 0.4;
    return p;
}

Patch bellPatch() {
    Patch p;
    p.fmRatio = 3.5;
    p.fmIndex = 2.5;
    p.fmDecay = 0.25;
    p.amp = {0.002, 0.6, 0.0, 0.6};
    p.pan = -0.3;
    return p;
}

} // namespace

Song civilBattle() {
    Song s;
    s.title = "Civil Battle";
    s.bpm = 132.0;
    s.tonic = 62;
    s.scale = {0, 2, 3, 5, 7, 8, 10};
    s.seed = 1101;
    s.kit.kickHz = 47.0;
    s.grooves = {
        {"x.......x.......", "................", "..x...x...x...x.", "................"},
        {"x...x...x...x...", "....x.......x...", "o.x.o.x.o.x.o.x.", "................"},
        {"x...x...x...x.x.", "....x.......x..o", "xo.oxo.oxo.oxo.o", "..x...x...x...x."},
    };
    s.bassPattern = "R-R-O-R-R-R-O-F-";
    s.arpOrder = "01234543";
    s.arpStepsPerBeat = 4;
    s.bellPattern = "0.......2...1...";
    s.melody.cells = {"x-x-", "x---", "xxx-", "x-xx", "x..x", "--x-"};
    s.melody.weights = {4.0, 2.0, 1.5, 2.0, 1.0, 1.0};
    s.melody.leapChance = 0.15;
    s.bass = bassPatch();
    s.pad = padPatch();
    s.arp = arpPatch();
    s.lead = leadPatch();
    s.harmony = leadPatch();
    s.harmony.level = 0.55;
    s.harmony.pan = -0.35;
    s.bell = bellPatch();
    s.duckDepth = 0.4;
    s.delayBeats = 0.75;

    const std::vector<int> theme = {0, 5, 2, 6};
    s.sections = {
        section("intro", 8, theme, 1, "pad arp").level(-3.0).brighten(0.25, 1.0).building(),
        section("theme", 16, theme, 2, "bass pad arp lead"),
        section("answer", 8, {3, 5, 0, 6, 3, 5, 6, 6}, 2, "bass pad lead bells").theme(1),
        section("theme", 8, theme, 3, "bass pad arp lead harmony"),
        section("breakdown", 8, {5, 6, 0, 0, 3, 5, 6, 6}, 0, "pad arp bells")
            .level(-3.5)
            .brighten(0.2, 1.0)
            .building(),
        section("climax", 12, theme, 3, "bass pad arp lead harmony bells"),
        section("ending", 4, {5, 6, 5, 6}, 2, "bass pad arp bells").brighten(1.0, 0.6),
    };
    return s;
}

} // namespace snd
