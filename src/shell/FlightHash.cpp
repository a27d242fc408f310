// FlightHash.cpp -- a fingerprint of the flight's state.
#include "shell/FlightHash.h"

#include "flight/Drift.h"
#include "shell/Game.h"

#include <cstring>

namespace {

struct CHasher {
    Uint32 value = 2166136261u;

    void add(const void* data, std::size_t size) {
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            value = (value ^ bytes[i]) * 16777619u;
        }
    }
    void add(int number) {
        Sint32 fixed = number;
        add(&fixed, sizeof fixed);
    }
    void add(float number) {
        // By its bits: two builds that round differently must not hash alike.
        Uint32 bits = 0;
        std::memcpy(&bits, &number, sizeof bits);
        add(&bits, sizeof bits);
    }
    void add(const SDL_Rect& rect) {
        add(rect.x);
        add(rect.y);
        add(rect.w);
        add(rect.h);
    }
    void add(const CPlayer& sprite) {
        add(sprite.rect);
        add(sprite.state);
        add(sprite.velX);
        add(sprite.velY);
    }
};

} // namespace

Uint32 hashFlight(const CGame& game) {
    CHasher hasher;
    hasher.add(game.state);
    hasher.add(game.seqFrame);
    hasher.add(game.warningActive ? 1 : 0);
    hasher.add(game.timeLeft);
    hasher.add(game.speedFactor);
    hasher.add(game.score);
    hasher.add(game.thrustX);
    hasher.add(game.thrustY);
    hasher.add(driftX);
    hasher.add(driftY);
    for (int timer : game.ship.timers) {
        hasher.add(timer);
    }
    hasher.add(game.ship);
    for (const CPlayer& alien : game.aliens) {
        hasher.add(alien);
    }
    for (const auto& lane : game.fireballs) {
        for (const CPlayer& fireball : lane) {
            hasher.add(fireball);
        }
    }
    hasher.add(game.background.srcRect);
    hasher.add(game.background.velX);
    hasher.add(game.background.velY);
    hasher.add(game.boostRect);
    hasher.add(game.boostSheet.currentFrame);
    hasher.add(game.crashRect);
    hasher.add(game.crashSheet.currentFrame);
    return hasher.value;
}
