#pragma once

#include <QString>

#include "editor/app/app_strings.h"

namespace plk {

// The document role. It holds nothing: the character lives in the tool windows. Its title
// goes into the frame's caption.
class CPLKCEDoc {
public:
    QString Title() const { return UntitledDocumentName(); }
};

}  // namespace plk
