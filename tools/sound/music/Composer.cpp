// Phrases are built as call and answer (A A B A, ending on a long resolving note), which is
// what makes a generated tune sound intended rather than random.
#include "music/Composer.h"

#include "dsp/Random.h"
#include "music/Harmony.h"

#include <algorithm>
#include <cstdlib>

namespace snd {

namespace {

struct Motif {
    std::vector<MelodyNote> notes; // start and length within two bars of four beats
    std::vector<int> moves;        // degree change from the previous note
};

std::string pickCell(const MelodyStyle& style, Rng& rng) {
    double total = 0.0;
    for (double w : style.weights) {
        total += w;
    }
    double r = rng.uniform() * total;
    for (std::size_t i = 0; i < style.cells.size(); ++i) {
        r -= i < style.weights.size() ? style.weights[i] : 1.0;
        if (r <= 0.0) {
            return style.cells[i];
        }
    }
    return style.cells.back();
}

std::vector<MelodyNote> parseRhythm(const std::string& steps) {
    std::vector<MelodyNote> notes;
    bool sounding = false;
    for (int i = 0; i < static_cast<int>(steps.size()); ++i) {
        const char c = steps[static_cast<std::size_t>(i)];
        if (c == 'x') {
            notes.push_back({i, 1, 0, 1.0});
            sounding = true;
        } else if (c == '-' && sounding) {
            ++notes.back().length;
        } else {
            sounding = false;
        }
    }
    return notes;
}

Motif makeMotif(const MelodyStyle& style, int perBeat, Rng& rng) {
    std::string steps;
    for (int beat = 0; beat < 8; ++beat) {
        std::string cell = pickCell(style, rng);
        if (beat == 0 && cell[0] != 'x') {
            cell = "x" + std::string(static_cast<std::size_t>(perBeat - 1), '-');
        }
        // A motif breathes at its end: the last beat holds the note before it.
        if (beat == 7) {
            cell = std::string(static_cast<std::size_t>(perBeat), '-');
            if (rng.chance(0.5)) {
                cell.back() = '.';
            }
        }
        steps += cell;
    }
    Motif m;
    m.notes = parseRhythm(steps);
    for (std::size_t i = 0; i < m.notes.size(); ++i) {
        const double r = rng.uniform();
        int move = 0;
        if (r < style.leapChance) {
            move = 3 + rng.below(2);
        } else if (r < style.leapChance + 0.2) {
            move = 2;
        } else if (r < style.leapChance + 0.85) {
            move = 1;
        }
        m.moves.push_back(rng.chance(0.5) ? move : -move);
    }
    return m;
}

// The same rhythm with the melody's rises turned into falls: related, yet not a repeat.
Motif mirror(const Motif& m) {
    Motif out = m;
    for (int& move : out.moves) {
        move = -move;
    }
    return out;
}

int nearestChordTone(int degree, int root, bool sevenths, int preferDirection) {
    for (int d = 0; d < 4; ++d) {
        const int first = degree + (preferDirection >= 0 ? d : -d);
        const int second = degree - (preferDirection >= 0 ? d : -d);
        if (Key::isChordTone(first, root, sevenths)) {
            return first;
        }
        if (Key::isChordTone(second, root, sevenths)) {
            return second;
        }
    }
    return degree;
}

class Writer {
  public:
    Writer(const MelodyStyle& style, const std::vector<int>& chords, bool sevenths,
           const std::vector<int>& scale, int perBeat)
        : style_(style), chords_(chords), sevenths_(sevenths), key_(0, scale), perBeat_(perBeat),
          perBar_(4 * perBeat) {}

    // Plays a motif's rhythm and shape from `startBar`. Notes that are long or fall on a beat
    // are bent onto the chord of the moment; only short notes between beats may pass through
    // other scale notes.
    void place(const Motif& motif, int startBar, int startDegree, int endAfter = 1 << 20) {
        int degree = startDegree;
        for (std::size_t i = 0; i < motif.notes.size(); ++i) {
            const MelodyNote& n = motif.notes[i];
            if (n.start >= endAfter) {
                break;
            }
            const int previous = degree;
            if (i > 0) {
                int move = motif.moves[i];
                if (degree + move > style_.highest || degree + move < style_.lowest) {
                    move = -move;
                }
                degree += move;
            }
            const int at = startBar * perBar_ + n.start;
            const int chord = chordAt(at);
            const bool exposed = at % (2 * perBeat_) == 0 ||
                                 (at % perBeat_ == 0 && n.length >= 2) || n.length >= perBeat_;
            if (exposed) {
                degree = nearestChordTone(degree, chord, sevenths_, motif.moves[i]);
            }
            degree = std::clamp(degree, style_.lowest, style_.highest);
            if (i > 0 && std::abs(semitones(degree) - semitones(previous)) == 6) {
                // A tritone leap sounds like a wrong note here: step one degree back.
                degree += degree > previous ? -1 : 1;
            }
            const double accent = at % perBeat_ == 0 ? 1.0 : 0.85;
            out_.push_back({at, std::min(n.length, endAfter - n.start), degree, accent});
        }
    }

    // A long note that settles the phrase, on the tonic when the chord allows.
    void resolve(int atStep, int length) {
        const int chord = chordAt(atStep);
        const int from = out_.empty() ? 0 : out_.back().degree;
        int target = nearestChordTone(from, chord, false, 0);
        if (Key::isChordTone(0, chord, false)) {
            target = std::abs(from - 7) < std::abs(from) ? 7 : 0;
        }
        out_.push_back({atStep, length, target, 1.0});
    }

    int chordAt(int step) const {
        const int bar = step / perBar_;
        return chords_[static_cast<std::size_t>(bar) % chords_.size()];
    }

    int startFor(int bar, int wanted) const {
        return nearestChordTone(wanted, chordAt(bar * perBar_), sevenths_, 1);
    }

    int perBar() const { return perBar_; }

    std::vector<MelodyNote> take() { return std::move(out_); }

  private:
    int semitones(int degree) const { return key_.pitch(degree); }

    const MelodyStyle& style_;
    const std::vector<int>& chords_;
    bool sevenths_;
    Key key_;
    int perBeat_;
    int perBar_;
    std::vector<MelodyNote> out_;
};

} // namespace

std::vector<MelodyNote> composeMelody(const MelodyStyle& style, const std::vector<int>& chords,
                                      bool sevenths, const std::vector<int>& scale,
                                      int stepsPerBeat, std::uint64_t seed) {
    Rng rng(seed, 7);
    const Motif call = makeMotif(style, stepsPerBeat, rng);
    const Motif answer = makeMotif(style, stepsPerBeat, rng);
    const Motif turn = makeMotif(style, stepsPerBeat, rng);
    const int home = rng.chance(0.5) ? 4 : 2;
    Writer writer(style, chords, sevenths, scale, stepsPerBeat);
    const int perBar = writer.perBar();
    const int bars = static_cast<int>(chords.size());
    const int slots = std::max(1, bars / 2);
    // Eight two-bar slots make a 16-bar theme: call, call a step higher, answer, the call
    // mirrored; then again with a new turn, and home. Shorter sections use the start of it.
    const Motif mirrored = mirror(call);
    for (int slot = 0; slot < slots; ++slot) {
        const int bar = slot * 2;
        if (slot == slots - 1) {
            // The last two bars: the call's first bar, then a long note home.
            writer.place(call, bar, writer.startFor(bar, home), perBar);
            writer.resolve((bar + 1) * perBar, 3 * stepsPerBeat);
        } else if (slot % 4 == 1) {
            writer.place(call, bar, writer.startFor(bar, home + 1));
        } else if (slot % 4 == 2) {
            writer.place(slot % 8 == 2 ? answer : turn, bar, writer.startFor(bar, home + 2));
        } else if (slot % 4 == 3) {
            writer.place(mirrored, bar, writer.startFor(bar, home + 3));
        } else {
            writer.place(call, bar, writer.startFor(bar, home));
        }
    }
    return writer.take();
}

} // namespace snd
