// Walks through a song's sections bar by bar and plays every part into its own buffer.
#include "music/Sequencer.h"

#include "dsp/Random.h"
#include "music/Composer.h"
#include "music/Drums.h"
#include "music/Harmony.h"
#include "music/Voice.h"

namespace snd {

namespace {

class Performer {
  public:
    explicit Performer(const Song& song)
        : song_(song), rng_(song.seed), beat_(60.0 / song.bpm), perBeat_(song.stepsPerBeat),
          steps_(4 * song.stepsPerBeat), step_(beat_ / song.stepsPerBeat) {}

    Parts run() {
        int bar = 0;
        for (std::size_t s = 0; s < song_.sections.size(); ++s) {
            const Section& section = song_.sections[s];
            const Section* next = s + 1 < song_.sections.size() ? &song_.sections[s + 1] : nullptr;
            const Key key(song_.tonic, song_.scale, section.transpose);
            const std::vector<int> chords = chordsOf(section);
            parts_.sectionStarts.push_back(at(bar, 0));
            parts_.sectionLevels.push_back(section.levelDb);
            playSection(section, next, key, chords, bar);
            bar += section.bars;
        }
        finish(bar);
        parts_.beatSeconds = beat_;
        return std::move(parts_);
    }

  private:
    std::vector<int> chordsOf(const Section& section) const {
        std::vector<int> chords;
        for (int b = 0; b < section.bars; ++b) {
            chords.push_back(section.chords[static_cast<std::size_t>(b) % section.chords.size()]);
        }
        return chords;
    }

    // Time of a step; off-beat sixteenths are pushed late by the song's swing.
    std::size_t at(int bar, double step) const {
        double seconds = (bar * steps_ + step) * step_;
        const int whole = static_cast<int>(step);
        if (whole % 2 == 1 && std::abs(step - whole) < 1e-9) {
            seconds += song_.swing * step_;
        }
        return frames(seconds);
    }

    void playSection(const Section& section, const Section* next, const Key& key,
                     const std::vector<int>& chords, int firstBar) {
        for (int b = 0; b < section.bars; ++b) {
            const double x = section.bars > 1 ? static_cast<double>(b) / (section.bars - 1) : 0.0;
            const double bright = section.brightFrom + (section.brightTo - section.brightFrom) * x;
            const int chord = chords[static_cast<std::size_t>(b)];
            const bool lastBar = b == section.bars - 1;
            if (section.drums > 0) {
                drums(section, firstBar + b, b, lastBar && next != nullptr);
            }
            if (section.rise && b >= section.bars - 2) {
                roll(firstBar + b, b == section.bars - 1);
            }
            if (section.bass) {
                bass(key, chord, firstBar + b);
            }
            if (section.pad && (b == 0 || chords[static_cast<std::size_t>(b) - 1] != chord)) {
                int span = 1;
                while (b + span < section.bars &&
                       chords[static_cast<std::size_t>(b + span)] == chord) {
                    ++span;
                }
                pad(key, chord, firstBar + b, span, bright);
            }
            if (section.arp) {
                arp(key, chord, firstBar + b, bright);
            }
            if (section.bells) {
                bells(key, chord, firstBar + b);
            }
        }
        if (section.rise) {
            Stereo sweep = riser(2.0 * steps_ * step_, rng_);
            parts_.risers.mix(sweep, at(firstBar + section.bars - 2, 0));
        }
        if (section.drums >= 2) {
            parts_.drums.mix(crash(song_.kit, rng_), at(firstBar, 0), 0.4f);
        }
        if (section.lead) {
            const std::uint64_t seed =
                song_.seed * 131 + static_cast<std::uint64_t>(section.motif) * 7919;
            const auto melody =
                composeMelody(song_.melody, chords, song_.sevenths, song_.scale, perBeat_, seed);
            lead(key, melody, firstBar, section.leadOctave, song_.lead, parts_.lead, 0);
            if (section.harmony) {
                lead(key, melody, firstBar, section.leadOctave, song_.harmony, parts_.lead, -2);
            }
        }
    }

    void hit(const Mono& sound, int bar, double step, float gain, float pan) {
        parts_.drums.mixMono(sound, at(bar, step), gain * static_cast<float>(song_.kit.level), pan);
    }

    static float velocity(char c) { return c == 'x' ? 1.0f : (c == 'o' ? 0.55f : 0.0f); }

    void drums(const Section& section, int bar, int barInSection, bool fill) {
        const std::size_t level = static_cast<std::size_t>(section.drums);
        const Groove& g = song_.grooves[std::min(level, song_.grooves.size()) - 1];
        const bool rolling = section.rise && barInSection >= section.bars - 2;
        const int fillFrom = fill && !rolling ? steps_ / 2 : steps_;
        for (int s = 0; s < steps_; ++s) {
            const auto i = static_cast<std::size_t>(s);
            if (s < fillFrom || s % perBeat_ == 0) {
                if (float v = velocity(g.kick[i]); v > 0.0f) {
                    hit(kick(song_.kit, rng_), bar, s, v * static_cast<float>(song_.kit.kickLevel),
                        0.0f);
                    parts_.kicks.push_back(at(bar, s));
                }
            }
            if (s < fillFrom && !rolling) {
                if (float v = velocity(g.snare[i]); v > 0.0f) {
                    hit(snare(song_.kit, rng_), bar, s, 0.8f * v, 0.0f);
                }
            }
            if (s < fillFrom) {
                if (float v = velocity(g.hat[i]); v > 0.0f) {
                    // A drummer never strikes two hats alike.
                    const auto human = static_cast<float>(rng_.range(0.85, 1.1));
                    hit(hat(song_.kit, false, rng_), bar, s, 0.32f * v * human, 0.3f);
                }
                if (float v = velocity(g.openHat[i]); v > 0.0f) {
                    hit(hat(song_.kit, true, rng_), bar, s, 0.28f * v, -0.25f);
                }
            }
        }
        if (fillFrom < steps_) {
            playFill(bar);
        } else if (!rolling && section.drums >= 2 && (barInSection + 1) % 4 == 0) {
            pickup(bar);
        }
    }

    // A light pickup closing every fourth bar, so long sections keep moving between fills.
    void pickup(int bar) {
        if (song_.tomFills) {
            hit(tom(song_.kit, 1.6, rng_), bar, steps_ - 2, 0.45f, 0.3f);
            hit(tom(song_.kit, 1.2, rng_), bar, steps_ - 1, 0.5f, -0.3f);
            return;
        }
        hit(snare(song_.kit, rng_), bar, steps_ - 2, 0.3f, 0.0f);
        hit(snare(song_.kit, rng_), bar, steps_ - 1, 0.45f, 0.0f);
    }

    // The last half bar before a new section: toms tumbling down or a snare flurry.
    void playFill(int bar) {
        const int half = steps_ / 2;
        if (song_.tomFills) {
            for (int k = 0; k < half; ++k) {
                const double x = static_cast<double>(k) / half;
                const auto pan = static_cast<float>(0.5 - x);
                hit(tom(song_.kit, 2.0 - 1.2 * x, rng_), bar, half + k, 0.55f + 0.4f * x, pan);
            }
            return;
        }
        // Eighths, then sixteenths for the last beat (or every step in three-step beats).
        for (int s = half; s < steps_; ++s) {
            if (s < steps_ - perBeat_ && (s - half) % 2 == 1 && perBeat_ == 4) {
                continue;
            }
            const double x = static_cast<double>(s - half) / half;
            hit(snare(song_.kit, rng_), bar, s, static_cast<float>(0.45 + 0.4 * x), 0.0f);
        }
    }

    // Snare roll doubling its speed in the final bar of a build-up.
    void roll(int bar, bool last) {
        const int every = last ? 1 : 2;
        for (int s = 0; s < steps_; s += every) {
            const double x = (s + (last ? steps_ : 0)) / (2.0 * steps_);
            hit(snare(song_.kit, rng_), bar, s, static_cast<float>(0.25 + 0.6 * x), 0.0f);
        }
    }

    int bassRoot(const Key& key, int chord) const {
        const int home = key.tonic() + 12 * song_.bassOctave;
        int p = key.pitch(chord) + 12 * song_.bassOctave;
        while (p > home + 6) {
            p -= 12;
        }
        while (p < home - 6) {
            p += 12;
        }
        return p;
    }

    void bass(const Key& key, int chord, int bar) {
        const int root = bassRoot(key, chord);
        const int fifth = root + key.pitch(chord + 4) - key.pitch(chord);
        const int third = root + key.pitch(chord + 2) - key.pitch(chord);
        const std::string& pattern = song_.bassPattern;
        for (int s = 0; s < steps_; ++s) {
            const char c = pattern[static_cast<std::size_t>(s)];
            int note = -1;
            switch (c) {
            case 'R':
                note = root;
                break;
            case 'O':
                note = root + 12;
                break;
            case 'F':
                note = fifth;
                break;
            case 'L':
                note = fifth - 12;
                break;
            case 'T':
                note = third;
                break;
            default:
                break;
            }
            if (note < 0) {
                continue;
            }
            int length = 1;
            while (s + length < steps_ && pattern[static_cast<std::size_t>(s + length)] == '-') {
                ++length;
            }
            const double accent = s % perBeat_ == 0 ? 1.0 : 0.82;
            NoteRequest req{static_cast<double>(note), length * step_ * 0.85, accent, 1.0, -1.0};
            parts_.bass.mix(renderNote(song_.bass, req, rng_), at(bar, s));
        }
    }

    void pad(const Key& key, int chord, int bar, int span, double bright) {
        const auto notes = key.voicing(chord, song_.sevenths, key.tonic() - 7);
        for (int note : notes) {
            NoteRequest req{static_cast<double>(note), span * steps_ * step_ - 0.02, 0.8, bright,
                            -1.0};
            parts_.pad.mix(renderNote(song_.pad, req, rng_), at(bar, 0));
        }
    }

    void arp(const Key& key, int chord, int bar, double bright) {
        std::vector<int> tones = key.voicing(chord, song_.sevenths, key.tonic() + 2);
        const std::size_t count = tones.size();
        for (std::size_t k = 0; k < count; ++k) {
            tones.push_back(tones[k] + 12);
        }
        const int perBar = song_.arpStepsPerBeat * 4;
        const double stepBeats = 1.0 / song_.arpStepsPerBeat;
        const std::string& order = song_.arpOrder;
        for (int k = 0; k < perBar; ++k) {
            const char c = order[static_cast<std::size_t>(k) % order.size()];
            if (c == '.') {
                continue;
            }
            const auto index = static_cast<std::size_t>(c - '0') % tones.size();
            const double velocity = k % song_.arpStepsPerBeat == 0 ? 1.0 : 0.75;
            NoteRequest req{static_cast<double>(tones[index]), song_.arpGate * stepBeats * beat_,
                            velocity, bright, -1.0};
            const double step = k * stepBeats * perBeat_;
            parts_.arp.mix(renderNote(song_.arp, req, rng_), at(bar, step));
        }
    }

    void bells(const Key& key, int chord, int bar) {
        const std::vector<int> tones = key.voicing(chord, song_.sevenths, key.tonic() + 12);
        for (int s = 0; s < steps_; ++s) {
            const char c = song_.bellPattern[static_cast<std::size_t>(s)];
            if (c < '0' || c > '9') {
                continue;
            }
            const int note = tones[static_cast<std::size_t>(c - '0') % tones.size()];
            NoteRequest req{static_cast<double>(note), beat_, 0.9, 1.0, -1.0};
            parts_.bells.mix(renderNote(song_.bell, req, rng_), at(bar, s));
        }
    }

    void lead(const Key& key, const std::vector<MelodyNote>& melody, int firstBar, int octave,
              const Patch& patch, Stereo& into, int shift) {
        double previous = -1.0;
        int previousEnd = -100;
        for (const MelodyNote& n : melody) {
            const double note = key.pitch(n.degree + shift) + 12 + 12 * octave;
            // Slide only between notes that touch, as a player would.
            const double from = n.start == previousEnd ? previous : -1.0;
            NoteRequest req{note, n.length * step_ * 0.92, n.velocity, 1.0, from};
            into.mix(renderNote(patch, req, rng_), at(firstBar, n.start));
            previous = note;
            previousEnd = n.start + n.length;
        }
    }

    // One last hit on the tonic, left to ring out.
    void finish(int bar) {
        const Key key(song_.tonic, song_.scale, song_.sections.back().transpose);
        const std::size_t start = at(bar, 0);
        const double ring = song_.endRing;
        parts_.drums.mixMono(kick(song_.kit, rng_), start, static_cast<float>(song_.kit.kickLevel),
                             0.0f);
        parts_.kicks.push_back(start);
        parts_.drums.mix(crash(song_.kit, rng_), start, 0.5f);
        const int root = bassRoot(key, 0);
        parts_.bass.mix(
            renderNote(song_.bass, {static_cast<double>(root), ring * 0.5, 1.0, 1.0, -1.0}, rng_),
            start);
        for (int note : key.voicing(0, false, key.tonic() - 7)) {
            NoteRequest req{static_cast<double>(note), ring * 0.6, 0.9, 1.0, -1.0};
            parts_.pad.mix(renderNote(song_.pad, req, rng_), start);
        }
        if (song_.sections.back().lead) {
            const double top = key.pitch(7) + 12.0 * song_.sections.back().leadOctave;
            parts_.lead.mix(renderNote(song_.lead, {top, ring * 0.5, 1.0, 1.0, -1.0}, rng_), start);
        }
        parts_.seconds = static_cast<double>(start) / kRate + ring + 1.0;
    }

    const Song& song_;
    Rng rng_;
    double beat_;
    int perBeat_;
    int steps_; // per bar of four beats
    double step_;
    Parts parts_;
};

} // namespace

Parts perform(const Song& song) {
    return Performer(song).run();
}

} // namespace snd
