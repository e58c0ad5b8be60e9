#pragma once

#include <string>

#include "core/check/finding.h"
#include "core/check/resource_files.h"
#include "core/project/project.h"

namespace plk {

// What every rule reads: the character, and what was found of its resource files (null
// when they were not read; the rules about file content then stay silent).
struct CheckContext {
    const Project& project;
    const ResourceFileReports* files = nullptr;
};

// Adds one finding.
inline void Report(Findings& out, Severity severity, std::string code, Place place,
                   std::string japanese, std::string english) {
    if (!english.empty() && english[0] >= 'a' && english[0] <= 'z') {
        english[0] = static_cast<char>(english[0] - 'a' + 'A');  // a sentence starts capitalised
    }
    out.push_back(Finding{severity, std::move(code), std::move(place), std::move(japanese),
                          std::move(english)});
}

// "カット1 の 3 行目" / "cut 1 row 3": places as the editor numbers them.
std::string RowTextJa(int cut, int row);
std::string RowTextEn(int cut, int row);

}  // namespace plk
