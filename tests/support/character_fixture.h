#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/check/finding.h"
#include "core/project/project.h"
#include "core/text/sjis.h"
#include "core/timesheet/cut.h"

namespace plk::testing_support {

// Rows of a cut written as a list: N() a normal frame showing slot `slot` in its first
// part, the others control frames.
inline FrameRecord N(int slot = 0) {
    FrameRecord frame = NewNormalFrame();
    frame.cells[1].resource = slot;
    return frame;
}
inline FrameRecord Ctl(int command, int time = 0, int position = 0, std::string_view utf8 = {}) {
    ControlBlock block{};
    block.command = command;
    block.time = time;
    block.position = position;
    SetFieldText(block.message, ToSjis(utf8));
    return NewControlFrame(block);
}
inline FrameRecord Message(std::string_view utf8 = "はい") {
    return Ctl(1, 0, 0, utf8);
}
inline FrameRecord ChargeStart(int seconds) {
    return Ctl(4, seconds);
}
inline FrameRecord ChargeEnd() {
    return Ctl(5);
}
inline FrameRecord ChargeStack(int seconds) {
    return Ctl(6, seconds);
}
inline FrameRecord ShowStart(int fallBack = 0) {
    return Ctl(7, 0, fallBack);
}
inline FrameRecord ShowEnd() {
    return Ctl(8);
}
inline FrameRecord Repeat(int frame) {
    return Ctl(9, 0, frame);
}
inline FrameRecord Wait(int seconds) {
    return Ctl(10, seconds);
}

inline std::vector<FrameRecord> Normals(int count) {
    return std::vector<FrameRecord>(count, N());
}

inline Cut MakeCut(std::initializer_list<std::vector<FrameRecord>> pieces) {
    std::vector<FrameRecord> rows;
    for (const auto& piece : pieces) {
        rows.insert(rows.end(), piece.begin(), piece.end());
    }
    return Cut(std::move(rows), Cut::kNewPartCount + 1);
}

// A new project whose placeholder lines were cleared as an author would: nothing in it
// deserves an error or a warning.
inline Project CleanProject() {
    Project project = NewProject();
    for (auto& situation : project.messages.situations) {
        for (MessageLine& line : situation.line) {
            line.text[0] = '\0';
            line.frequency = 0;
        }
    }
    SetFieldText(project.messages.situations[0].line[0].text, ToSjis("リーチかな？"));
    project.messages.situations[0].line[0].frequency = 2;
    return project;
}

inline void FillSlot(Project& project, int slot, std::string_view name, std::string_view path) {
    ResourceSlot& s = project.palette.slot[static_cast<std::size_t>(slot)];
    SetFieldText(s.name, name);
    SetFieldText(s.path, path);
    s.kind = static_cast<std::uint8_t>(KindFromFileName(name));
}

// (code, place) of each finding, for comparing with a table.
inline std::vector<std::pair<std::string, Place>> CodesAndPlaces(const Findings& findings) {
    std::vector<std::pair<std::string, Place>> out;
    for (const Finding& finding : findings) {
        out.emplace_back(finding.code, finding.place);
    }
    return out;
}

}  // namespace plk::testing_support
