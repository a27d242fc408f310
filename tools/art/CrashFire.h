// The fire of the crash: flashes, billowing flame that cools into smoke, sparks and dust.
#pragma once

#include <cairo.h>
#include <cstdint>
#include <vector>

namespace art {

class Wreck;

class Fire {
  public:
    // The blasts and flames follow the pieces of `wreck` as they fly apart and fall.
    Fire(const Wreck& wreck, std::uint64_t seed);
    // Draws the fire as it is at time t (seconds from the first frame), in frame pixels.
    void draw(cairo_t* cr, double t) const;

  private:
    struct Puff {
        double born;
        double x;
        double y;
        double vx;
        double vy;
        double radius;
        double grow;
        double heat;
        double cool;
        double life;
    };
    struct Spark {
        double born;
        double x;
        double y;
        double vx;
        double vy;
        double life;
    };
    struct Flash {
        double born;
        double x;
        double y;
        double radius;
    };

    void blast(double born, double x, double y, int puffs, double speed, double size);
    void dust(double born);
    void smoulder(const Wreck& wreck, double from, double to);
    void billow(double from, double to, int count);
    void drawPuff(cairo_t* cr, const Puff& p, double t) const;

    std::vector<Puff> puffs_;
    std::vector<Spark> sparks_;
    std::vector<Flash> flashes_;
    std::uint64_t seed_;
};

} // namespace art
