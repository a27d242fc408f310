// Init.cpp -- start-up: libraries, window, sound, joystick, and every sprite loaded and placed.
#include "shared/AssetNames.h"
#include "shared/GameFacts.h"
#include "shell/Channels.h"
#include "shell/Game.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

const char* const MUSIC_TRACKS[5] = {
    // The Civil Battle track stands twice, so it comes up twice as often as each other track.
    CIVIL_BATTLE_TRACK, COLONIAL_BATTLE_TRACK, ROCKMAN_BATTLE_TRACK,
    CIVIL_BATTLE_TRACK, ZOLTAN_BATTLE_TRACK,
};

// The table can only give SDL's sample format by its number.
static_assert(AUDIO_SAMPLE_FORMAT == AUDIO_S16LSB, "the mixer's samples are signed 16-bit LE");

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
    font = TTF_OpenFont(FONT_FILE, HUD_FONT_SIZE);

    if (!openWindow()) {
        return false;
    }

    if (Mix_OpenAudio(AUDIO_FREQUENCY, AUDIO_SAMPLE_FORMAT, AUDIO_CHANNELS, AUDIO_CHUNK_SAMPLES) !=
        0) {
        std::printf("SDL_mixer could not initialize! SDL_mixer Error: %s\n", SDL_GetError());
        return false;
    }
    Mix_AllocateChannels(MIX_CHANNELS_TOTAL);
    groupEffectChannels();
    startMusic();

    sndAlienShot = loadSound(ALIEN_SHOT_SOUND);
    sndAlienHit = loadSound(ALIEN_HIT_SOUND);
    sndThrustBase = loadSound(THRUST_BASE_SOUND);
    sndThrustFade = loadSound(THRUST_FADE_SOUND);
    sndThrustRoar = loadSound(THRUST_ROAR_SOUND);
    sndThrustAlarm = loadSound(THRUST_ALARM_SOUND);
    sndShipExplosion = loadSound(SHIP_EXPLOSION_SOUND);
    sndShipCrash = loadSound(SHIP_CRASH_SOUND);

    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0) {
        return false;
    }
    joystick = SDL_JoystickOpen(0);

    // Sprite loads report their own failures; a missing image leaves a sprite of size 0 that is
    // still placed, moved and drawn (as nothing).
    for (int d = 0; d < 4; ++d) {
        CPlayer& alien = aliens[d];
        composePath(alien.path, ALIEN_IMAGE_PREFIX, DIRECTION_IMAGE_SUFFIX[d]);
        alien.load(renderer);
        alien.bounded = true;
        for (CPlayer& fireball : fireballs[d]) {
            composePath(fireball.path, FIREBALL_IMAGE_PREFIX, DIRECTION_IMAGE_SUFFIX[d]);
            fireball.load(renderer);
            fireball.bounded = false;
        }
    }
    placeAliens();
    parkFireballs();

    composePath(ship.path, SHIP_IMAGE);
    ship.load(renderer);
    ship.rect.x = (SCREEN_W - ship.rect.w) / 2;
    ship.rect.y = (SCREEN_H - ship.rect.h) / 2;
    ship.bounded = false;
    ship.state = Free;

    for (int d = 0; d < 4; ++d) {
        for (int variant = 0; variant < 2; ++variant) {
            for (int kind = 0; kind < 3; ++kind) {
                CPlayer& jet = flames[d][variant][kind];
                composePath(jet.path, JET_IMAGE_PREFIX[kind], JET_DIRECTION_DIGIT[d],
                            JET_IMAGE_SUFFIX[variant]);
                jet.load(renderer);
                jet.rect.x = ship.rect.x;
                jet.rect.y = ship.rect.y;
            }
        }
    }

    // The banner never changes, so it is rendered once: centred, its bottom on the ship's top.
    warningSurface = TTF_RenderText_Solid(font, WARNING_TEXT, warningColor);
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
