// Init.cpp -- start-up: libraries, window, sound, joystick, and every sprite loaded and placed.
#include "shell/Channels.h"
#include "shell/Game.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

const char* const MUSIC_TRACKS[5] = {
    // The Civil Battle track stands twice, so it comes up twice as often as each other track.
    "./Audio/FTL - Civil Battle.mp3",   "./Audio/FTL - Colonial Battle.mp3",
    "./Audio/FTL - Rockman Battle.mp3", "./Audio/FTL - Civil Battle.mp3",
    "./Audio/FTL - Zoltan Battle.mp3",
};

// Indexed by direction: the suffix of the alien and fireball images, and the jet image digit.
const char* const DIRECTION_SUFFIX[4] = {"RIGHT.png", "DOWN.png", "LEFT.png", "UP.png"};
const char* const DIRECTION_DIGIT[4] = {"0", "1", "2", "3"};
const char* const JET_KIND_PREFIX[3] = {"./Sprite_Sheet/Flames/Flames_", "./Sprite_Sheet/Iced/Ice_",
                                        "./Sprite_Sheet/Heal/Heal_"};
const char* const JET_VARIANT_ENDING[2] = {"A.png", "B.png"};

Mix_Chunk* loadSound(const char* path) {
    return Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1);
}

} // namespace

bool CGame::init() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) < 0) {
        return false;
    }
    if (TTF_Init() != 0) {
        return false;
    }
    font = TTF_OpenFont("BAUHS93.ttf", 30);

    window = SDL_CreateWindow("Vorlusk", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, SCREEN_W,
                              SCREEN_H, SDL_WINDOW_FULLSCREEN | SDL_WINDOW_SHOWN);
    if (window == nullptr) {
        return false;
    }
    renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer == nullptr) {
        return false;
    }

    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) != 0) {
        std::printf("SDL_mixer could not initialize! SDL_mixer Error: %s\n", SDL_GetError());
        return false;
    }
    Mix_AllocateChannels(MIX_CHANNELS_TOTAL);
    groupEffectChannels();
    music = Mix_LoadMUS(MUSIC_TRACKS[std::rand() % 5]);
    Mix_FadeInMusic(music, 1, 4000);
    Mix_VolumeMusic(MIX_MAX_VOLUME);

    sndAlienShot = loadSound("./Audio/Alien Shot.mp3");
    sndAlienHit = loadSound("./Audio/Alien Hit.mp3");
    sndThrustBase = loadSound("./Audio/Thrust Base.Wav");
    sndThrustFade = loadSound("./Audio/Thrust Fade.wav");
    sndThrustRoar = loadSound("./Audio/Thrust Roar (Cropped).mp3");
    sndThrustAlarm = loadSound("./Audio/Thrust Alarm.wav");
    sndShipExplosion = loadSound("./Audio/Ship Explosion.mp3");
    sndShipCrash = loadSound("./Audio/Ship Crash.mp3");

    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0) {
        return false;
    }
    joystick = SDL_JoystickOpen(0);

    // Sprite loads report their own failures; a missing image leaves a sprite of size 0 that is
    // still placed, moved and drawn (as nothing).
    for (int d = 0; d < 4; ++d) {
        CPlayer& alien = aliens[d];
        composePath(alien.path, "./Sprite_Sheet/Alien/Alien_", DIRECTION_SUFFIX[d]);
        alien.load(renderer);
        alien.bounded = true;
        alien.state = Entering;

        for (CPlayer& fireball : fireballs[d]) {
            composePath(fireball.path, "./Sprite_Sheet/FireBall/Fireball_", DIRECTION_SUFFIX[d]);
            fireball.load(renderer);
            fireball.bounded = false;
            fireball.rect.x = -SCREEN_W;
            fireball.rect.y = -SCREEN_H;
        }
    }

    // Each alien waits just beyond its own edge, already moving along it.
    SDL_Rect& right = aliens[0].rect;
    right.x = -right.w;
    right.y = (SCREEN_H - right.h) / 2;
    aliens[0].velY = -3;
    SDL_Rect& down = aliens[1].rect;
    down.x = (SCREEN_W - down.w) / 2;
    down.y = -down.h;
    aliens[1].velX = 6;
    SDL_Rect& left = aliens[2].rect;
    left.x = SCREEN_W;
    left.y = (SCREEN_H - left.h) / 2;
    aliens[2].velY = 3;
    SDL_Rect& up = aliens[3].rect;
    up.x = (SCREEN_W - up.w) / 2;
    up.y = SCREEN_H;
    aliens[3].velX = -6;

    composePath(ship.path, "./Sprite_Sheet/SpaceShipB.png");
    ship.load(renderer);
    ship.rect.x = (SCREEN_W - ship.rect.w) / 2;
    ship.rect.y = (SCREEN_H - ship.rect.h) / 2;
    ship.bounded = false;
    ship.state = Free;

    for (int d = 0; d < 4; ++d) {
        for (int variant = 0; variant < 2; ++variant) {
            for (int kind = 0; kind < 3; ++kind) {
                CPlayer& jet = flames[d][variant][kind];
                composePath(jet.path, JET_KIND_PREFIX[kind], DIRECTION_DIGIT[d],
                            JET_VARIANT_ENDING[variant]);
                jet.load(renderer);
                jet.rect.x = ship.rect.x;
                jet.rect.y = ship.rect.y;
            }
        }
    }

    // The banner never changes, so it is rendered once: centred, its bottom on the ship's top.
    warningSurface = TTF_RenderText_Solid(font, "Clear your Jets!", warningColor);
    warningTexture = SDL_CreateTextureFromSurface(renderer, warningSurface);
    int w = 0;
    int h = 0;
    SDL_QueryTexture(warningTexture, nullptr, nullptr, &w, &h);
    warningRect = {(SCREEN_W - w) / 2, (SCREEN_H - ship.rect.h) / 2 - h, w, h};

    setupBackground();
    setupBoostSheet();
    setupCrashSheet();
    return true;
}
