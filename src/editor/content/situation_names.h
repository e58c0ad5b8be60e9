#pragma once

#include <QString>

namespace plk {

// The name of message situation `situation` (0-based) as the editor shows it: the game's
// Japanese label ("Ａ：テンパイ"), or its translation. The stored default messages of a new
// project keep the Japanese labels whatever the language.
QString SituationName(int situation);

// The Japanese labels as the editor lists them for translation, in situation order; the
// core's labels are the same (a test holds them together).
const char* SituationSourceName(int situation);

}  // namespace plk
