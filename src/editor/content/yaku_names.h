#pragma once

#include <QString>

namespace plk {

// The yaku names of the tendency page as the editor shows them: the game's Japanese names
// ("単鶏金糸(1翻)", "七対子"...) or their translations. The record stores indices only.
QString SpecialYakuName(int index);
QString FavouriteYakuName(int index);

// The Japanese names as the editor lists them for translation, in table order; the core's
// tables hold the same ones (a test holds them together). Empty past the table.
const char* SpecialYakuSourceName(int index);
const char* FavouriteYakuSourceName(int index);

}  // namespace plk
