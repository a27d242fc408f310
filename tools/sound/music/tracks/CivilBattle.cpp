// A driving F#-minor synth battle at 140 BPM, straight sixteenths: it opens at full tilt, drops
// to almost nothing early, builds back and ends hard; a wide supersaw sings the lead.
#include "music/tracks/Tracks.h"

namespace snd {

namespace {

Patch bassPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.wave2 = Wave::Square;
    p.mix2 = 0.5;
    p.ratio2 = 1.0;
    p.amp = {0.003, 0.15, 0.7, 0.05};
    p.cutoff = 500.0;
    p.cutoffEnv = 2200.0;
    p.filterDecay = 0.08;
    p.resonance = 1.4;
    p.drive = 0.9;
    return p;
}

Patch padPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 6;
    p.detuneCents = 18.0;
    p.width = 1.0;
    p.amp = {0.3, 0.6, 0.8, 0.6};
    p.cutoff = 2400.0;
    p.resonance = 0.8;
    return p;
}

Patch arpPatch() {
    Patch p;
    p.wave = Wave::Square;
    p.amp = {0.002, 0.12, 0.2, 0.08};
    p.cutoff = 1200.0;
    p.cutoffEnv = 4000.0;
    p.filterDecay = 0.06;
    p.resonance = 1.6;
    p.pan = -0.45;
    return p;
}

// Seven detuned saws spread across the field: the lead fills the width, not only the middle.
Patch leadPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 7;
    p.detuneCents = 24.0;
    p.width = 0.75;
    p.amp = {0.006, 0.2, 0.8, 0.14};
    p.cutoff = 3500.0;
    p.cutoffEnv = 2500.0;
    p.filterDecay = 0.12;
    p.keyTrack = 1.0;
    p.vibrato = 0.12;
    p.vibratoRate = 5.8;
    p.glide = 0.02;
    p.drive = 0.3;
    return p;
}

Patch bellPatch() {
    Patch p;
    p.fmRatio = 3.5;
    p.fmIndex = 2.5;
    p.fmDecay = 0.25;
    p.amp = {0.002, 0.6, 0.0, 0.6};
    p.pan = 0.5;
    return p;
}

} // namespace

Song civilBattle() {
    Song s;
    s.title = "Civil Battle";
    s.bpm = 140.0;
    s.tonic = 66;
    s.scale = {0, 2, 3, 5, 7, 8, 10};
    s.seed = 1101;
    s.kit.kickHz = 56.0;
    s.kit.kickPunch = 130.0;
    s.kit.kickClick = 0.45;
    s.grooves = {
        {"x.......x.......", "................", "..x...x...x...x.", "................"},
        {"x...x...x...x...", "....x.......x...", "o.x.o.x.o.x.o.x.", "................"},
        {"x...x...x...x.x.", "....x.......x..o", "xo.oxo.oxo.oxo.o", "..x...x...x...x."},
    };
    s.bassPattern = "R-RORFR-R-RORO-F";
    s.arpOrder = "01234543";
    s.bellPattern = "0.......2...1...";
    s.melody.cells = {"x-x-", "xxx-", "x-xx", "x---", "-x-x", "x.xx"};
    s.melody.weights = {3.0, 2.0, 2.0, 1.5, 1.0, 1.0};
    s.melody.leapChance = 0.18;
    s.bass = bassPatch();
    s.pad = padPatch();
    s.arp = arpPatch();
    s.lead = leadPatch();
    s.harmony = leadPatch();
    s.harmony.level = 0.5;
    s.harmony.pan = 0.4;
    s.bell = bellPatch();
    s.duckDepth = 0.4;
    s.delayBeats = 0.75;
    s.endRing = 2.5;
    s.mix.bass = -27.5;

    const std::vector<int> theme = {0, 5, 6, 4};
    const std::vector<int> answer = {3, 0, 5, 6};
    s.sections = {
        section("open", 8, theme, 3, "bass arp lead").octave(-1).level(-1.0),
        section("theme", 8, theme, 2, "bass pad arp lead harmony").octave(-1),
        section("drop", 8, {5, 6, 0, 0}, 0, "pad bells lead")
            .theme(2)
            .octave(-1)
            .level(-4.0)
            .brighten(0.3, 0.7),
        section("build", 8, answer, 1, "bass arp").level(-1.0).brighten(0.4, 1.0).building(),
        section("chorus", 16, answer, 3, "bass pad arp lead harmony bells").theme(1).octave(-1),
        section("bridge", 8, {5, 3, 6, 6}, 2, "bass pad bells").level(-2.0),
        section("final", 16, theme, 3, "bass pad arp lead harmony bells").octave(-1),
        section("coda", 8, theme, 1, "bass pad arp bells").level(-3.0).brighten(1.0, 0.5),
    };
    return s;
}

} // namespace snd
