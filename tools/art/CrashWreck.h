// The ship in the crash: it cracks, breaks into pieces, chars, falls and lies on a scorch mark.
#pragma once

#include <cairo.h>
#include <cstdint>
#include <vector>

namespace art {

class Wreck {
  public:
    // `frozenShip` is the ship with all its jets iced over, at ship size; it must outlive this.
    Wreck(cairo_surface_t* frozenShip, std::uint64_t seed);

    // Draws everything of the wreck for time t (seconds from the first frame), in frame pixels.
    void draw(cairo_t* cr, double t) const;
    // How much nearer the carpet the wreck has fallen: 1 in the air, smaller as it drops.
    static double fallScale(double t);
    // Where piece `index` is at time t, in frame pixels; the fire uses it to set pieces alight.
    void pieceCentre(int index, double t, double& x, double& y) const;
    int pieceCount() const { return static_cast<int>(pieces_.size()); }

  private:
    struct Point {
        double x;
        double y;
    };
    struct Piece {
        std::vector<std::pair<int, int>> sides; // (cut, -1 or +1) that bound it
        Point centre;
        Point velocity;
        double spin;
        std::vector<Point> embers;
    };
    struct Bit {
        Point start;
        Point velocity;
        double size;
        double angle;
        double shade;
    };

    void cutSide(cairo_t* cr, int cut, int side) const;
    void placePiece(cairo_t* cr, const Piece& piece, double t) const;
    void overShip(cairo_t* cr) const;
    void drawCracks(cairo_t* cr) const;
    void drawScorch(cairo_t* cr, double t) const;
    void drawBits(cairo_t* cr, double t) const;

    cairo_surface_t* ship_;
    std::vector<std::vector<Point>> cuts_;
    std::vector<bool> cutIsAcross_;
    std::vector<Piece> pieces_;
    std::vector<Bit> bits_;
    std::vector<Point> scorchBlobs_;
};

} // namespace art
