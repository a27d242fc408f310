// Echo, saturation, ducking, width and low cut for the parts of the songs and the effects.
#include "dsp/Effects.h"

#include "dsp/Filters.h"

namespace snd {

Stereo echo(const Stereo& in, const DelaySettings& s, double tailSeconds) {
    const std::size_t n = in.size() + frames(tailSeconds);
    const std::size_t d = std::max<std::size_t>(1, frames(s.seconds));
    std::vector<float> bufL(d, 0.0f);
    std::vector<float> bufR(d, 0.0f);
    OnePole toneL;
    OnePole toneR;
    Stereo out(n);
    std::size_t pos = 0;
    const auto fb = static_cast<float>(s.feedback);
    for (std::size_t i = 0; i < n; ++i) {
        const float inL = i < in.size() ? in.l[i] : 0.0f;
        const float inR = i < in.size() ? in.r[i] : 0.0f;
        const float outL = bufL[pos];
        const float outR = bufR[pos];
        out.l[i] = outL;
        out.r[i] = outR;
        if (s.pingPong) {
            // The mono sum enters on the left and each echo crosses to the other side.
            bufL[pos] = toneL.low(0.5f * (inL + inR) + outR * fb, s.toneHz);
            bufR[pos] = toneR.low(outL * fb, s.toneHz);
        } else {
            bufL[pos] = toneL.low(inL + outL * fb, s.toneHz);
            bufR[pos] = toneR.low(inR + outR * fb, s.toneHz);
        }
        pos = (pos + 1) % d;
    }
    return out;
}

void saturate(Mono& signal, double drive) {
    const double norm = 1.0 / std::tanh(drive);
    for (float& x : signal) {
        x = static_cast<float>(std::tanh(x * drive) * norm);
    }
}

void duck(Stereo& signal, const std::vector<std::size_t>& hits, double depth, double recovery) {
    std::vector<float> gain(signal.size(), 1.0f);
    const std::size_t attack = frames(0.004);
    const std::size_t span = frames(recovery * 3.0);
    for (std::size_t hit : hits) {
        for (std::size_t i = 0; i < span && hit + i < gain.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            double dip = depth * std::exp(-t / recovery);
            if (i < attack) {
                dip *= static_cast<double>(i) / attack;
            }
            // The deepest of overlapping dips wins, so fast kicks do not stack into silence.
            gain[hit + i] = std::min(gain[hit + i], static_cast<float>(1.0 - dip));
        }
    }
    for (std::size_t i = 0; i < signal.size(); ++i) {
        signal.l[i] *= gain[i];
        signal.r[i] *= gain[i];
    }
}

void widen(Stereo& signal, double side) {
    const auto g = static_cast<float>(side);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const float mid = 0.5f * (signal.l[i] + signal.r[i]);
        const float diff = 0.5f * (signal.l[i] - signal.r[i]) * g;
        signal.l[i] = mid + diff;
        signal.r[i] = mid - diff;
    }
}

void lowCut(Stereo& signal, double hz) {
    for (std::vector<float>* channel : {&signal.l, &signal.r}) {
        Svf first;
        Svf second;
        for (float& x : *channel) {
            x = second.high(first.high(x, hz, 0.54), hz, 1.31);
        }
    }
}

void lowShelf(Stereo& signal, double hz, double db) {
    const double cut = 1.0 - dbToGain(db);
    for (std::vector<float>* channel : {&signal.l, &signal.r}) {
        Svf split;
        for (float& x : *channel) {
            x -= static_cast<float>(cut * split.low(x, hz, 0.707));
        }
    }
}

} // namespace snd
