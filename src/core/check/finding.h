#pragma once

#include <string>
#include <vector>

namespace plk {

// How much a finding matters: Error, the game will fail or lose something; Warning, it will
// behave in a way the author probably did not mean; Info, worth knowing.
enum class Severity { Error = 0, Warning = 1, Info = 2 };

// Where a finding lies. Indices are 0-based as the records hold them; -1 (or an empty
// field name) means the key does not apply. Printing adds 1 to cut, row and line.
struct Place {
    int cut = -1;
    int row = -1;
    int situation = -1;
    int line = -1;
    int slot = -1;
    std::string profile;   // a profile field, named as its record names it
    std::string tendency;  // a tendency field

    static Place Row(int cut, int row) {
        Place place;
        place.cut = cut;
        place.row = row;
        return place;
    }
    static Place Cut(int cut) {
        Place place;
        place.cut = cut;
        return place;
    }
    static Place Line(int situation, int line) {
        Place place;
        place.situation = situation;
        place.line = line;
        return place;
    }
    static Place Situation(int situation) {
        Place place;
        place.situation = situation;
        return place;
    }
    static Place Slot(int slot) {
        Place place;
        place.slot = slot;
        return place;
    }
    static Place Profile(std::string field) {
        Place place;
        place.profile = std::move(field);
        return place;
    }
    static Place Tendency(std::string field) {
        Place place;
        place.tendency = std::move(field);
        return place;
    }

    friend bool operator==(const Place&, const Place&) = default;
};

// Orders places as an author reads the character: palette, cuts, messages, profile.
bool PlaceBefore(const Place& a, const Place& b);

struct Finding {
    Severity severity;
    std::string code;  // stable, e.g. "cut.unknown-command"
    Place place;
    std::string japanese;  // UTF-8, for the editor
    std::string english;   // for plkce-cli

    friend bool operator==(const Finding&, const Finding&) = default;
};

using Findings = std::vector<Finding>;

inline bool HasErrors(const Findings& findings) {
    for (const Finding& finding : findings) {
        if (finding.severity == Severity::Error) {
            return true;
        }
    }
    return false;
}

}  // namespace plk
