#pragma once

#include <filesystem>

#include "core/check/finding.h"
#include "core/check/resource_files.h"
#include "core/project/project.h"

namespace plk {

// Everything the check finds in a character before it ships, errors first, then by place.
// `files` holds what ReadResourceFiles found of the palette's files; without it the rules
// about the files themselves stay silent. Works on a copy the caller owns, on any thread.
Findings CheckCharacter(const Project& project, const ResourceFileReports* files = nullptr);

// Reads the resource files (relative to `projectFile`, see LocateResourceFile) and checks.
Findings CheckCharacterWithFiles(const Project& project, const std::filesystem::path& projectFile);

// The stable code's prefix names its area: "resource", "cell", "cut", "message", "profile",
// "tendency".
const char* SeverityName(Severity severity);  // "error", "warning", "info"

}  // namespace plk
