// An eerie F#-dorian battle at 100 BPM: half-time drums, glassy triplet arpeggios, FM bells.
#include "music/tracks/Tracks.h"

namespace snd {

namespace {

Patch bassPatch() {
    Patch p;
    p.wave = Wave::Sine;
    p.wave2 = Wave::Saw;
    p.mix2 = 0.35;
    p.ratio2 = 1.0;
    p.amp = {0.005, 0.3, 0.8, 0.1};
    p.cutoff = 500.0;
    p.cutoffEnv = 500.0;
    p.filterDecay = 0.2;
    p.glide = 0.05;
    p.drive = 0.6;
    return p;
}

Patch padPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 6;
    p.detuneCents = 20.0;
    p.width = 1.0;
    p.amp = {0.8, 1.0, 0.8, 1.2};
    p.cutoff = 1400.0;
    p.resonance = 1.3;
    p.vibrato = 0.06;
    p.vibratoRate = 0.7;
    p.vibratoDelay = 0.0;
    return p;
}

// Glass struck in triplets.
Patch arpPatch() {
    Patch p;
    p.fmRatio = 3.0;
    p.fmIndex = 1.8;
    p.fmDecay = 0.08;
    p.amp = {0.002, 0.3, 0.0, 0.3};
    p.pan = 0.25;
    return p;
}

// A soft, vocal lead that slides between notes.
Patch leadPatch() {
    Patch p;
    p.fmRatio = 1.0;
    p.fmIndex = 1.2;
    p.fmDecay = 0.6;
    p.amp = {0.03, 0.4, 0.8, 0.25};
    p.vibrato = 0.3;
    p.vibratoRate = 4.6;
    p.vibratoDelay = 0.3;
    p.glide = 0.045;
    return p;
}

Patch bellPatch() {
    Patch p;
    p.fmRatio = 3.5;
    p.fmIndex = 4.0;
    p.fmDecay = 0.4;
    p.amp = {0.002, 1.5, 0.0, 1.5};
    p.pan = -0.35;
    return p;
}

} // namespace

Song zoltanBattle() {
    Song s;
    s.title = "Zoltan Battle";
    s.bpm = 100.0;
    s.tonic = 66;
    s.scale = {0, 2, 3, 5, 7, 9, 10}; // dorian: minor, with a bright sixth
    s.sevenths = true;
    s.seed = 4404;
    s.kit.kickHz = 42.0;
    s.kit.kickDecay = 0.5;
    s.kit.snareHz = 200.0;
    s.kit.snareDecay = 0.3;
    s.kit.snareTone = 2800.0;
    s.kit.hatHz = 10000.0;
    s.grooves = {
        {"x.........x.....", "................", "..x...x...x...x.", "................"},
        {"x.........x.....", "........x.......", "x.xxx.x.x.xxx.x.", "..............x."},
        {"x......x..x.....", "........x.....o.", "x.xox.xox.xox.xo", "......x.......x."},
    };
    s.bassPattern = "R-----R---R-F-O-";
    s.bassOctave = -3;
    s.arpOrder = "012312";
    s.arpStepsPerBeat = 3;
    s.arpGate = 0.9;
    s.bellPattern = "0.....2.....1...";
    s.melody.cells = {"x---", "----", "x-x-", "x..x", "--x-", "x-xx"};
    s.melody.weights = {3.0, 1.0, 2.0, 1.0, 1.0, 1.0};
    s.melody.leapChance = 0.3;
    s.bass = bassPatch();
    s.pad = padPatch();
    s.arp = arpPatch();
    s.lead = leadPatch();
    s.harmony = leadPatch();
    s.harmony.level = 0.55;
    s.harmony.pan = 0.4;
    s.bell = bellPatch();
    s.duckDepth = 0.3;
    s.delayBeats = 1.5;
    s.reverbSize = 0.92;
    s.endRing = 5.0;

    const std::vector<int> theme = {0, 3, 6, 3};
    s.sections = {
        section("intro", 6, {0, 3, 0, 3, 6, 6}, 0, "pad arp bells").level(-3.0).brighten(0.3, 0.9),
        section("theme", 12, theme, 2, "bass pad arp lead").octave(-1),
        section("answer", 8, {2, 6, 3, 0, 2, 6, 4, 4}, 2, "bass pad bells lead")
            .theme(1)
            .octave(-1),
        section("breakdown", 6, theme, 1, "pad arp bells")
            .level(-3.5)
            .brighten(0.3, 1.0)
            .building(),
        section("climax", 12, theme, 3, "bass pad arp lead harmony bells").octave(-1),
        section("ending", 4, {2, 6, 4, 4}, 2, "bass pad arp bells"),
    };
    return s;
}

} // namespace snd
