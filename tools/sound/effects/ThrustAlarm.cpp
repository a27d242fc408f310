// The frozen-jet warning: two clear falling tones, bright enough to cut through the music.
#include "dsp/Dynamics.h"
#include "dsp/Envelopes.h"
#include "dsp/Oscillators.h"
#include "dsp/Reverb.h"
#include "effects/Sounds.h"

namespace snd {

namespace {

// A mellow square: odd harmonics falling fast, so it is piercing without being shrill.
void beep(Stereo& out, double start, double held, double freq) {
    Adsr env{0.004, 0.05, 0.75, 0.03};
    const std::size_t len = frames(env.length(held));
    Mono voice(len);
    Oscillator h1;
    Oscillator h2;
    Oscillator h3;
    Oscillator h5;
    for (std::size_t i = 0; i < len; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = freq * (1.0 + 0.004 * std::exp(-t / 0.01));
        const double v = h1.next(Wave::Sine, f) + 0.12 * h2.next(Wave::Sine, 2.0 * f) +
                         0.3 * h3.next(Wave::Sine, 3.0 * f) + 0.1 * h5.next(Wave::Sine, 5.0 * f);
        voice[i] = static_cast<float>(v * env.at(t, held));
    }
    out.mixMono(voice, frames(start), 0.5f, 0.0f);
}

} // namespace

Stereo thrustAlarm() {
    const double length = 0.45;
    Stereo out(frames(length));
    beep(out, 0.0, 0.14, 1318.5);
    beep(out, 0.19, 0.14, 987.8);
    out.resize(frames(length));
    const Stereo room = reverb(out, {0.3, 0.5, 0.7}, 0.0);
    out.mix(room, 0, 0.12f);
    out.resize(frames(length));
    fadeOut(out, 0.05);
    // Clear over the music, yet under the crash's blasts.
    master(out, -17.5, Measure::Momentary, -7.5);
    return out;
}

} // namespace snd
