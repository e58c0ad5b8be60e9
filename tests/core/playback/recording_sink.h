#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/playback/playback_io.h"
#include "core/playback/virtual_run.h"
#include "core/text/message_layout.h"
#include "core/timesheet/cut.h"

namespace plk::testing_support {

// One presented picture, as a playback trace shows it.
struct Present {
    std::int64_t t;
    int row;      // -1: a blank record
    int frame;    // the frame slider
    int message;  // bytes of the message laid out, -1: none
    std::string overlay;
};

// Records what a playback draws. Overlays run `overlayFrames[name]` steps per round (a
// name without an entry is missing); messages lay out one byte per step here.
class RecordingSink : public PlaybackSink {
public:
    explicit RecordingSink(const ScriptedInput& input) : m_input(input) {}

    std::vector<Present> presents;
    std::vector<int> soundRows;  // rows whose sounds played
    std::map<std::string, int, std::less<>> overlayFrames;
    int openScenes = 0;  // scenes opened and not yet presented
    int slider = 0;
    int label = 0;

    void DrawCellFrame(int row, const FrameRecord&, bool present, bool playSounds) override {
        EXPECT_EQ(openScenes, 0) << "a scene was left open before t=" << m_input.now;
        m_row = row;
        m_message = -1;
        if (playSounds) {
            soundRows.push_back(row);
        }
        if (present) {
            presents.push_back({m_input.now, row, slider, -1, ""});
        } else {
            openScenes = 1;
        }
    }
    bool DrawMessage(std::string_view text, int, bool held) override {
        m_progress = held ? text.size() : std::min(text.size(), m_progress + 1);
        m_message = static_cast<int>(m_progress);
        return m_progress >= text.size();
    }
    void FinishFrame() override {
        if (openScenes == 1) {
            presents.push_back({m_input.now, m_row, slider, m_message, ""});
        }
        openScenes = 0;
    }
    bool IsMessageComplete(std::string_view text) override { return m_progress >= text.size(); }
    void ClearCanvas() override { m_progress = 0; }
    void RestartOverlay(std::string_view name) override { m_overlayAt[std::string(name)] = 0; }
    OverlayStep StepOverlay(std::string_view name) override {
        auto it = overlayFrames.find(name);
        if (it == overlayFrames.end()) {
            return {};
        }
        presents.push_back({m_input.now, m_row, slider, m_message, std::string(name)});
        openScenes = 0;
        int& at = m_overlayAt[std::string(name)];
        at = (at + 1) % it->second;
        return {true, at == 0};
    }
    void ShowFrameNumber(int frameNumber, bool showLabel) override {
        slider = frameNumber;
        if (showLabel) {
            label = frameNumber;
        }
    }

    std::vector<int> PresentedRows() const {
        std::vector<int> rows;
        for (const Present& present : presents) {
            rows.push_back(present.row);
        }
        return rows;
    }

private:
    const ScriptedInput& m_input;
    int m_row = -1;
    int m_message = -1;
    std::size_t m_progress = 0;
    std::map<std::string, int> m_overlayAt;
};

inline FrameRecord Control(ControlCommand command, int position = 0, int time = 0,
                           std::string_view message = {}) {
    ControlBlock block{};
    block.command = static_cast<std::int32_t>(command);
    block.position = position;
    block.time = time;
    for (std::size_t i = 0; i < message.size() && i < 255; ++i) {
        block.message[i] = message[i];
    }
    return NewControlFrame(block);
}

// A cut of `normalFrames` new normal frames followed by `tail`.
inline Cut MakeCut(int normalFrames, std::vector<FrameRecord> tail = {}) {
    std::vector<FrameRecord> frames(static_cast<std::size_t>(normalFrames), NewNormalFrame());
    frames.insert(frames.end(), tail.begin(), tail.end());
    return Cut(std::move(frames), 6);
}

}  // namespace plk::testing_support
