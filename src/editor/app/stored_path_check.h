#pragma once

#include <QString>

namespace plk {

// Why a file chosen for import cannot be kept in a 260-byte Shift-JIS name or path field
// exactly as it is on disk (a character Shift-JIS lacks, or more than 259 bytes); empty
// when it can. A name stored wrongly would point at another file after saving.
QString UnstorablePathReason(const QString& path);

// The message that refuses such a file: which file, what is wrong, what to do.
QString UnstorablePathMessage(const QString& path, const QString& reason);

}  // namespace plk
