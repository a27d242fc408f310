// Balances the parts of a song, gives each its space (echo, room, ducking) and masters it.
#include "dsp/Dynamics.h"
#include "dsp/Effects.h"
#include "dsp/Reverb.h"
#include "music/Sequencer.h"

namespace snd {

namespace {

// RMS over the stretches where the part actually plays, so a part that enters late is not
// pushed up to make up for its silence.
double activeRms(const Stereo& s) {
    const std::size_t block = frames(0.1);
    std::vector<double> energies;
    double loudest = 0.0;
    for (std::size_t start = 0; start + block <= s.size(); start += block) {
        double sum = 0.0;
        for (std::size_t i = start; i < start + block; ++i) {
            sum += static_cast<double>(s.l[i]) * s.l[i] + static_cast<double>(s.r[i]) * s.r[i];
        }
        energies.push_back(sum / (2.0 * block));
        loudest = std::max(loudest, energies.back());
    }
    double sum = 0.0;
    int count = 0;
    for (double e : energies) {
        if (e > loudest * 0.001) {
            sum += e;
            ++count;
        }
    }
    return count > 0 ? std::sqrt(sum / count) : 0.0;
}

void setLevel(Stereo& part, double targetDb) {
    const double now = activeRms(part);
    if (now > 0.0) {
        part.scale(static_cast<float>(dbToGain(targetDb) / now));
    }
}

// Each section at its own level, gliding over a quarter second into the next.
void shapeSections(Stereo& mix, const Parts& p) {
    const std::size_t glide = frames(0.25);
    double current = p.sectionLevels.empty() ? 0.0 : p.sectionLevels.front();
    std::size_t next = 0;
    double from = current;
    std::size_t changedAt = 0;
    for (std::size_t i = 0; i < mix.size(); ++i) {
        if (next < p.sectionStarts.size() && i == p.sectionStarts[next]) {
            from = current;
            current = p.sectionLevels[next];
            changedAt = i;
            ++next;
        }
        double db = current;
        if (i - changedAt < glide) {
            db = from + (current - from) * static_cast<double>(i - changedAt) / glide;
        }
        const auto g = static_cast<float>(dbToGain(db));
        mix.l[i] *= g;
        mix.r[i] *= g;
    }
}

} // namespace

Stereo renderSong(const Song& song) {
    Parts p = perform(song);
    const std::size_t n = frames(p.seconds);
    for (Stereo* part : {&p.drums, &p.bass, &p.pad, &p.arp, &p.lead, &p.bells, &p.risers}) {
        part->resize(n);
    }
    const MixLevels& mix = song.mix;
    setLevel(p.drums, mix.drums);
    setLevel(p.bass, mix.bass);
    setLevel(p.pad, mix.pad);
    setLevel(p.arp, mix.arp);
    setLevel(p.lead, mix.lead);
    setLevel(p.bells, mix.bells);
    setLevel(p.risers, mix.risers);

    // Small speakers lose everything under 60 Hz: the kick and bass speak through their
    // harmonics instead, and the sub-bass that only ate headroom is cut.
    lowCut(p.drums, 45.0);
    lowCut(p.bass, 50.0);

    // Bass and pads make room for each kick; the arpeggio only slightly.
    duck(p.bass, p.kicks, song.duckDepth, 0.09);
    duck(p.pad, p.kicks, song.duckDepth, 0.14);
    duck(p.arp, p.kicks, song.duckDepth * 0.4, 0.1);

    DelaySettings delay;
    delay.seconds = song.delayBeats * p.beatSeconds;
    delay.feedback = 0.38;
    delay.toneHz = 3000.0;
    p.arp.mix(echo(p.arp, delay, 0.0), 0, 0.35f);
    p.lead.mix(echo(p.lead, delay, 0.0), 0, 0.22f);
    p.bells.mix(echo(p.bells, delay, 0.0), 0, 0.3f);

    Stereo send(n);
    send.mix(p.drums, 0, 0.12f);
    send.mix(p.pad, 0, 0.5f);
    send.mix(p.arp, 0, 0.35f);
    send.mix(p.lead, 0, 0.35f);
    send.mix(p.bells, 0, 0.6f);
    send.mix(p.risers, 0, 0.5f);
    const Stereo room = reverb(send, {song.reverbSize, 0.45, 1.0}, 0.0);

    Stereo out(n);
    Stereo wide(n);
    for (const Stereo* part : {&p.pad, &p.arp, &p.lead, &p.bells, &p.risers}) {
        wide.mix(*part, 0);
    }
    wide.mix(room, 0, 0.6f);
    wide.resize(n);
    // Drums and bass stay in the middle; everything around them spreads out.
    widen(wide, song.width);
    out.mix(p.drums, 0);
    out.mix(p.bass, 0);
    out.mix(wide, 0);
    lowCut(out, 35.0);
    // Kick, bass and the low notes of the chords all meet below 200 Hz; left alone they held
    // half the energy of a track and muddied the effects that share that range.
    lowShelf(out, 220.0, -3.0);

    compress(out, {-16.0, 2.5, 0.015, 0.2});
    shapeSections(out, p);
    // The final chord dies away over the ring time instead of stopping.
    fadeOut(out, song.endRing + 0.5);
    masterTrack(out, kTrackPeakDb);
    return out;
}

void masterTrack(Stereo& mix, double ceilingDb) {
    master(mix, -21.0, Measure::Integrated, ceilingDb);
}

} // namespace snd
