// Keys, scale degrees and chord voicings: turns the songs' chord numbers into notes.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

namespace snd {

class Key {
  public:
    Key(int tonic, std::vector<int> scale, int transpose = 0)
        : tonic_(tonic + transpose), scale_(std::move(scale)) {}

    // MIDI note of a scale degree; degree 0 is the tonic, 7 the tonic an octave up.
    int pitch(int degree) const {
        const int size = static_cast<int>(scale_.size());
        const int octave = degree >= 0 ? degree / size : -((-degree + size - 1) / size);
        const int step = degree - octave * size;
        return tonic_ + 12 * octave + scale_[step];
    }

    int tonic() const { return tonic_; }

    static bool isChordTone(int degree, int root, bool seventh) {
        const int rel = ((degree - root) % 7 + 7) % 7;
        return rel == 0 || rel == 2 || rel == 4 || (seventh && rel == 6);
    }

    // Chord tones stacked from the nearest inversion above `lowest`, so chords move smoothly
    // from one to the next instead of jumping about in root position.
    std::vector<int> voicing(int root, bool seventh, int lowest) const {
        std::vector<int> notes;
        const int count = seventh ? 4 : 3;
        for (int k = 0; k < count; ++k) {
            int p = pitch(root + 2 * k);
            while (p < lowest) {
                p += 12;
            }
            while (p >= lowest + 12) {
                p -= 12;
            }
            notes.push_back(p);
        }
        std::sort(notes.begin(), notes.end());
        return notes;
    }

  private:
    int tonic_;
    std::vector<int> scale_;
};

} // namespace snd
