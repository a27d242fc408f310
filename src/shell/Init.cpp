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

// When the display named by DISPLAY does not answer, SDL quietly falls back to a driver that
// draws into memory, and the game would run on where nobody can see it. Those drivers are only
// right when they were asked for by name.
bool isHeadlessByAccident() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver == nullptr || (asked != nullptr && asked[0] != '\0')) {
        return false;
    }
    return SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0;
}

} // namespace

void CGame::startMusic() {
    // The first number drawn after the seeding picks the track.
    startTrack(std::rand() % 5);
}

void CGame::startTrack(int track) {
    music = Mix_LoadMUS(MUSIC_TRACKS[track]);
    Mix_FadeInMusic(music, 1, 4000);
    Mix_VolumeMusic(MIX_MAX_VOLUME);
}

bool CGame::init() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) < 0) {
        return false;
    }
    if (isHeadlessByAccident()) {
        std::fprintf(stderr,
                     "Vorlusk: no display could be opened (SDL fell back to its \"%s\" "
                     "driver, which shows nothing); run it on a desktop session\n",
                     SDL_GetCurrentVideoDriver());
        return false;
    }
    if (TTF_Init() != 0) {
        return false;
    }
    font = TTF_OpenFont("BAUHS93.ttf", 30);

    if (!openWindow()) {
        return false;
    }

    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) != 0) {
        std::printf("SDL_mixer could not initialize! SDL_mixer Error: %s\n", SDL_GetError());
        return false;
    }
    Mix_AllocateChannels(MIX_CHANNELS_TOTAL);
    groupEffectChannels();
    startMusic();

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
        for (CPlayer& fireball : fireballs[d]) {
            composePath(fireball.path, "./Sprite_Sheet/FireBall/Fireball_", DIRECTION_SUFFIX[d]);
            fireball.load(renderer);
            fireball.bounded = false;
        }
    }
    placeAliens();
    parkFireballs();

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
