// AssetNames.h -- every file the game reads, by the path it opens it by: relative to the data
// folder, which the game runs in. The generators write the same paths under the folder they are
// given, and the tests read them from data/.
//
// Plain constants only, with no library behind them, so the generators include it as it is.
#pragma once

// Every text's face, copied in rather than drawn (tools/scripts/copy-font.sh names it too).
constexpr const char* FONT_FILE = "BAUHS93.ttf";

// The desktop's icons are drawn at each of these sizes; the window wears one of them.
constexpr const char* ICON_PREFIX = "./icons/vorlusk-";
constexpr const char* ICON_SUFFIX = ".png";
constexpr int ICON_SIZES[4] = {48, 64, 128, 256};
constexpr const char* WINDOW_ICON = "./icons/vorlusk-64.png";

constexpr const char* SHIP_IMAGE = "./Sprite_Sheet/SpaceShipB.png";
constexpr const char* CARPET_IMAGE = "./Sprite_Sheet/BG_Carpet.jpg";
constexpr const char* BOOST_SHEET_IMAGE = "./Sprite_Sheet/Fireboost_Sprite_SheetB.png";
constexpr const char* CRASH_SHEET_IMAGE = "./Sprite_Sheet/Crash_Sprite_Sheet.png";

// An alien or a fireball image is its prefix and then the direction it faces or flies (0 right,
// 1 down, 2 left, 3 up).
constexpr const char* ALIEN_IMAGE_PREFIX = "./Sprite_Sheet/Alien/Alien_";
constexpr const char* FIREBALL_IMAGE_PREFIX = "./Sprite_Sheet/FireBall/Fireball_";
constexpr const char* DIRECTION_IMAGE_SUFFIX[4] = {"RIGHT.png", "DOWN.png", "LEFT.png", "UP.png"};

// A jet image is its kind's prefix (burning, frozen, thawing), the digit of the direction the
// ship thrusts in, then which of the two jets on that side it is.
constexpr const char* JET_IMAGE_PREFIX[3] = {
    "./Sprite_Sheet/Flames/Flames_", "./Sprite_Sheet/Iced/Ice_", "./Sprite_Sheet/Heal/Heal_"};
constexpr const char* JET_DIRECTION_DIGIT[4] = {"0", "1", "2", "3"};
constexpr const char* JET_IMAGE_SUFFIX[2] = {"A.png", "B.png"};

// The sound effects. The odd extension of the engine hum is part of its name.
constexpr const char* ALIEN_SHOT_SOUND = "./Audio/Alien Shot.mp3";
constexpr const char* ALIEN_HIT_SOUND = "./Audio/Alien Hit.mp3";
constexpr const char* THRUST_BASE_SOUND = "./Audio/Thrust Base.Wav";
constexpr const char* THRUST_FADE_SOUND = "./Audio/Thrust Fade.wav";
constexpr const char* THRUST_ROAR_SOUND = "./Audio/Thrust Roar (Cropped).mp3";
constexpr const char* THRUST_ALARM_SOUND = "./Audio/Thrust Alarm.wav";
constexpr const char* SHIP_EXPLOSION_SOUND = "./Audio/Ship Explosion.mp3";
constexpr const char* SHIP_CRASH_SOUND = "./Audio/Ship Crash.mp3";

// The battle tracks, one of which plays under each flight.
constexpr const char* CIVIL_BATTLE_TRACK = "./Audio/FTL - Civil Battle.mp3";
constexpr const char* COLONIAL_BATTLE_TRACK = "./Audio/FTL - Colonial Battle.mp3";
constexpr const char* ROCKMAN_BATTLE_TRACK = "./Audio/FTL - Rockman Battle.mp3";
constexpr const char* ZOLTAN_BATTLE_TRACK = "./Audio/FTL - Zoltan Battle.mp3";
