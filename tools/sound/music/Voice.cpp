// The one synthesiser every pitched instrument of the songs is played on.
#include "music/Voice.h"

#include "dsp/Filters.h"

namespace snd {

namespace {

struct Copy {
    Oscillator main;
    Oscillator second;
    double detune = 1.0;
    double carrier = 0.0; // phase of the FM carrier
    float gainL = 1.0f;
    float gainR = 1.0f;
};

std::vector<Copy> makeCopies(const Patch& p, Rng& rng) {
    std::vector<Copy> copies;
    const int n = std::max(1, p.unison);
    const double norm = 1.0 / std::sqrt(static_cast<double>(n));
    for (int u = 0; u < n; ++u) {
        const double spread = n == 1 ? 0.0 : 2.0 * u / (n - 1) - 1.0;
        Copy c{
            Oscillator(rng.uniform()), Oscillator(rng.uniform()), 1.0, rng.uniform(), 1.0f, 1.0f};
        c.detune = std::pow(2.0, spread * p.detuneCents / 1200.0);
        const double pan = std::clamp(spread * p.width + p.pan, -1.0, 1.0);
        const double angle = (pan + 1.0) * kPi / 4.0;
        c.gainL = static_cast<float>(norm * std::cos(angle) * std::sqrt(2.0));
        c.gainR = static_cast<float>(norm * std::sin(angle) * std::sqrt(2.0));
        copies.push_back(c);
    }
    return copies;
}

} // namespace

Stereo renderNote(const Patch& p, const NoteRequest& note, Rng& rng) {
    const std::size_t n = frames(p.amp.length(note.held));
    Stereo out(n);
    std::vector<Copy> copies = makeCopies(p, rng);
    Svf filterL;
    Svf filterR;
    double fmPhase = 0.0;
    const double baseHz = midiToHz(note.midi);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double pitch = note.midi;
        if (note.from >= 0.0 && p.glide > 0.0) {
            pitch += (note.from - note.midi) * std::exp(-t / p.glide);
        }
        if (p.vibrato > 0.0 && t > p.vibratoDelay) {
            const double depth = p.vibrato * std::min(1.0, (t - p.vibratoDelay) / 0.3);
            pitch += depth * std::sin(kTwoPi * p.vibratoRate * (t - p.vibratoDelay));
        }
        const double hz = midiToHz(pitch);
        double l = 0.0;
        double r = 0.0;
        if (p.fmIndex > 0.0) {
            // Two-operator FM: the bright strike fades into a pure ring, like a bell or glass.
            fmPhase += hz * p.fmRatio / kRate;
            fmPhase -= std::floor(fmPhase);
            const double index = p.fmIndex * std::exp(-t / p.fmDecay);
            for (Copy& c : copies) {
                const double v = std::sin(kTwoPi * c.carrier + index * std::sin(kTwoPi * fmPhase));
                c.carrier += hz * c.detune / kRate;
                c.carrier -= std::floor(c.carrier);
                l += v * c.gainL;
                r += v * c.gainR;
            }
        } else {
            for (Copy& c : copies) {
                double v = c.main.next(p.wave, hz * c.detune);
                if (p.mix2 > 0.0) {
                    v += p.mix2 * c.second.next(p.wave2, hz * c.detune * p.ratio2);
                }
                l += v * c.gainL;
                r += v * c.gainR;
            }
        }
        const double cutoff =
            (p.cutoff + p.cutoffEnv * std::exp(-t / p.filterDecay)) * note.brightness +
            p.keyTrack * baseHz;
        if (cutoff < 17000.0) {
            l = filterL.low(static_cast<float>(l), cutoff, p.resonance);
            r = filterR.low(static_cast<float>(r), cutoff, p.resonance);
        }
        if (p.drive > 0.0) {
            const double k = 1.0 + p.drive;
            l = std::tanh(l * k) / std::tanh(k);
            r = std::tanh(r * k) / std::tanh(k);
        }
        const double amp = p.amp.at(t, note.held) * note.velocity * p.level;
        out.l[i] = static_cast<float>(l * amp);
        out.r[i] = static_cast<float>(r * amp);
    }
    return out;
}

} // namespace snd
