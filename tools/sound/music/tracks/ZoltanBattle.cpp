// An eerie B-lydian battle at 76 BPM in half time: a long glassy hush, one wave that rises and
// ebbs, a late climax and a quiet coda; a theremin-like voice glides over it all.
#include "music/tracks/Tracks.h"

namespace snd {

namespace {

Patch bassPatch() {
    Patch p;
    p.wave = Wave::Sine;
    p.wave2 = Wave::Saw;
    p.mix2 = 0.5;
    p.ratio2 = 1.0;
    p.amp = {0.005, 0.3, 0.8, 0.1};
    p.cutoff = 700.0;
    p.cutoffEnv = 600.0;
    p.filterDecay = 0.2;
    p.glide = 0.05;
    p.drive = 0.8;
    return p;
}

Patch padPatch() {
    Patch p;
    p.wave = Wave::Saw;
    p.unison = 6;
    p.detuneCents = 22.0;
    p.width = 1.0;
    p.amp = {0.9, 1.0, 0.8, 1.4};
    p.cutoff = 1600.0;
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
    p.pan = -0.5;
    return p;
}

// Nearly pure, sliding slowly between notes with a wide, slow vibrato: a theremin.
Patch leadPatch() {
    Patch p;
    p.wave = Wave::Sine;
    p.wave2 = Wave::Triangle;
    p.mix2 = 0.35;
    p.ratio2 = 1.0;
    p.amp = {0.06, 0.4, 0.85, 0.35};
    p.vibrato = 0.45;
    p.vibratoRate = 4.4;
    p.vibratoDelay = 0.2;
    p.glide = 0.11;
    return p;
}

Patch bellPatch() {
    Patch p;
    p.fmRatio = 3.5;
    p.fmIndex = 4.0;
    p.fmDecay = 0.4;
    p.amp = {0.002, 1.5, 0.0, 1.5};
    p.pan = 0.55;
    return p;
}

} // namespace

Song zoltanBattle() {
    Song s;
    s.title = "Zoltan Battle";
    s.bpm = 76.0;
    s.tonic = 71;
    s.scale = {0, 2, 4, 6, 7, 9, 11}; // lydian: major, with a raised fourth that never settles
    s.sevenths = true;
    s.seed = 4404;
    s.kit.kickHz = 55.0;
    s.kit.kickDecay = 0.5;
    s.kit.snareHz = 200.0;
    s.kit.snareDecay = 0.35;
    s.kit.snareTone = 2800.0;
    s.kit.hatHz = 10000.0;
    // Half time: the snare lands on the third beat only.
    s.grooves = {
        {"x...............", "................", "..x...x...x...x.", "................"},
        {"x.........x.....", "........x.......", "x.xxx.x.x.xxx.x.", "..............x."},
        {"x......x..x.....", "........x.....o.", "x.xox.xox.xox.xo", "......x.......x."},
    };
    s.bassPattern = "R-------R---F-O-";
    s.arpOrder = "012312";
    s.arpStepsPerBeat = 3;
    s.arpGate = 0.9;
    s.bellPattern = "0.....2.....1...";
    s.melody.cells = {"x---", "----", "x-x-", "x..x", "--x-"};
    s.melody.weights = {3.0, 1.5, 1.5, 1.0, 1.0};
    s.melody.leapChance = 0.35;
    s.bass = bassPatch();
    s.pad = padPatch();
    s.arp = arpPatch();
    s.lead = leadPatch();
    s.harmony = leadPatch();
    s.harmony.level = 0.5;
    s.harmony.pan = 0.5;
    s.bell = bellPatch();
    s.duckDepth = 0.3;
    s.delayBeats = 1.5;
    s.reverbSize = 0.92;
    s.endRing = 5.0;
    s.width = 1.8;
    s.mix.bass = -25.0;

    const std::vector<int> theme = {0, 1, 5, 1};
    s.sections = {
        section("hush", 6, {0, 1, 0, 4, 5, 1}, 0, "pad bells").level(-3.5).brighten(0.3, 0.8),
        section("wave", 8, theme, 1, "bass pad arp lead").octave(-1).level(-2.5),
        section("ebb", 4, {5, 4, 1, 1}, 0, "pad arp bells").level(-4.0).brighten(0.8, 0.4),
        section("rise", 6, theme, 2, "bass pad arp lead")
            .theme(1)
            .octave(-1)
            .level(-1.5)
            .building(),
        section("climax", 12, {0, 1, 5, 4}, 3, "bass pad arp lead harmony bells")
            .octave(-1)
            .level(-1.0),
        section("coda", 6, {5, 1, 5, 1, 0, 0}, 0, "pad bells").level(-4.0).brighten(1.0, 0.4),
    };
    return s;
}

} // namespace snd
