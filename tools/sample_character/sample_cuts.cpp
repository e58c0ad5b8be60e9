#include <functional>

#include "core/text/sjis.h"
#include "core/timesheet/tween.h"
#include "sample_project.h"

namespace plk::tools {
namespace {

// Grid columns, back to front; a column shows the cell slot of its number.
enum Column : int {
    kBackgroundColumn = 1,
    kAuraColumn,
    kHairColumn,
    kBodyColumn,
    kArmColumn,
    kHeadColumn,
    kEyesColumn,
    kFaceColumn,
    kSparkleColumn,
    kExtraColumn,  // a second sparkle, or the chime
    kColumnCount,  // the grid's column count: one more than the parts
};

// The columns that make up the character; they move together when she breathes.
constexpr int kFirstFigureColumn = kHairColumn;
constexpr int kLastFigureColumn = kFaceColumn;

constexpr ControlPoint kEaseOut{30, 30};
constexpr ControlPoint kLinear{};

FrameRecord Pose(int eyes, int face) {
    FrameRecord frame = NewNormalFrame();
    frame.cells[kBackgroundColumn].resource = kBackground;
    frame.cells[kHairColumn].resource = kHairBack;
    frame.cells[kBodyColumn].resource = kBody;
    frame.cells[kArmColumn].resource = kArm;
    frame.cells[kHeadColumn].resource = kHead;
    frame.cells[kEyesColumn].resource = eyes;
    frame.cells[kFaceColumn].resource = face;
    return frame;
}

// Appends `count` frames of one pose and returns the row of the first.
int AppendPose(Cut& cut, int count, int eyes, int face) {
    const int first = cut.FrameCount();
    for (int i = 0; i < count; ++i) {
        cut.Append(Pose(eyes, face));
    }
    return first;
}

void AppendControl(Cut& cut, ControlCommand command, int position, int time,
                   const char* utf8Message = "") {
    ControlBlock block{};
    block.command = static_cast<std::int32_t>(command);
    block.position = position;
    block.time = time;
    SetFieldText(block.message, ToSjis(utf8Message));
    cut.Append(NewControlFrame(block));
}

void Tween(Cut& cut, int firstRow, int lastRow, int firstColumn, int lastColumn,
           TweenProperty property, int start, int end, ControlPoint curve = kLinear, int unit = 1) {
    TweenParameters params;
    params.start = start;
    params.end = end;
    params.unit = unit;
    params.control = curve;
    params.lockAspect = true;
    TweenCells(cut, {firstRow, lastRow, firstColumn, lastColumn}, property, params);
}

void TweenColumn(Cut& cut, int firstRow, int lastRow, int column, TweenProperty property, int start,
                 int end, ControlPoint curve = kLinear, int unit = 1) {
    Tween(cut, firstRow, lastRow, column, column, property, start, end, curve, unit);
}

void Breathe(Cut& cut, int firstRow, int lastRow, int depth) {
    const int middle = (firstRow + lastRow) / 2;
    Tween(cut, firstRow, middle, kFirstFigureColumn, kLastFigureColumn, TweenProperty::Y, 0, -depth,
          kEaseOut);
    Tween(cut, middle + 1, lastRow, kFirstFigureColumn, kLastFigureColumn, TweenProperty::Y, -depth,
          0, kEaseOut);
}

void Blink(Cut& cut, int row) {
    cut.Frame(row).cells[kEyesColumn].resource = kEyesHalf;
    cut.Frame(row + 1).cells[kEyesColumn].resource = kEyesClosed;
    cut.Frame(row + 2).cells[kEyesColumn].resource = kEyesClosed;
    cut.Frame(row + 3).cells[kEyesColumn].resource = kEyesHalf;
}

void SetCells(Cut& cut, int firstRow, int lastRow, int column,
              const std::function<void(CellRecord&)>& set) {
    for (int row = firstRow; row <= lastRow; ++row) {
        set(cut.Frame(row).cells[column]);
    }
}

Cut NewSampleCut() {
    Cut cut({}, kColumnCount);
    return cut;
}

// Two seconds of standing: she breathes in and out and blinks once; it loops seamlessly.
Cut IdleCut() {
    Cut cut = NewSampleCut();
    AppendPose(cut, 60, kEyesOpen, kFaceSmile);
    Breathe(cut, 0, 59, 4);
    TweenColumn(cut, 0, 29, kArmColumn, TweenProperty::Rotation, 0, 3, kEaseOut);
    TweenColumn(cut, 30, 59, kArmColumn, TweenProperty::Rotation, 3, 0, kEaseOut);
    Blink(cut, 43);
    return cut;
}

// 24 frames of talking: the mouth opens and closes, the arm gestures a little.
int AppendTalk(Cut& cut) {
    const int first = AppendPose(cut, 24, kEyesOpen, kFaceSmile);
    for (int i = 0; i < 24; ++i) {
        if ((i / 3) % 2 == 1 && i < 21) {
            cut.Frame(first + i).cells[kFaceColumn].resource = kFaceOpen;
        }
    }
    Breathe(cut, first, first + 23, 3);
    TweenColumn(cut, first, first + 11, kArmColumn, TweenProperty::Rotation, 0, 10, kEaseOut, 2);
    TweenColumn(cut, first + 12, first + 23, kArmColumn, TweenProperty::Rotation, 10, 0, kEaseOut,
                2);
    Blink(cut, first + 16);
    return first;
}

// In the talking cut she stands higher, her face above the message strip, which gets the
// translucent panel behind it.
constexpr float kTalkLift = -56;

void LiftOverMessagePanel(Cut& cut) {
    for (int row = 0; row < cut.FrameCount(); ++row) {
        FrameRecord& frame = cut.Frame(row);
        if (!frame.IsNormal()) {
            continue;
        }
        for (int column = kFirstFigureColumn; column <= kLastFigureColumn; ++column) {
            frame.cells[column].y += kTalkLift;
        }
        frame.cells[kExtraColumn].resource = kMessagePanel;
    }
}

// She talks while each message waits for its click: the REPEAT loops her talking frames.
// Chosen as the message window cut, it is also what the game shows behind her lines.
Cut TalkCut() {
    Cut cut = NewSampleCut();
    const int firstTalk = AppendTalk(cut);
    AppendControl(cut, ControlCommand::Repeat, cut.NormalFramesBefore(firstTalk) + 1, 0);
    AppendControl(cut, ControlCommand::Message, 0, 0,
                  "はじめまして、桜庭ひなたです！　今日はいっしょに楽しく打ちましょうね。");
    const int secondTalk = AppendTalk(cut);
    AppendControl(cut, ControlCommand::Repeat, cut.NormalFramesBefore(secondTalk) + 1, 0);
    AppendControl(cut, ControlCommand::Message, 0, 0,
                  "手加減はしませんよ？　でも、負けても怒らないでくださいね。");
    const int closing = AppendPose(cut, 12, kEyesClosed, kFaceSmile);
    Breathe(cut, closing, closing + 11, 2);
    SetCells(cut, closing + 8, closing + 11, kEyesColumn,
             [](CellRecord& cell) { cell.resource = kEyesOpen; });
    LiftOverMessagePanel(cut);
    return cut;
}

// A jump with a raised fist, a chime and two sparkles; the pose holds for two seconds.
Cut WinCut() {
    Cut cut = NewSampleCut();
    const int first = AppendPose(cut, 30, kEyesOpen, kFaceOpen);
    SetCells(cut, first, first + 9, kEyesColumn,
             [](CellRecord& cell) { cell.resource = kEyesClosed; });
    Tween(cut, first, first + 3, kFirstFigureColumn, kLastFigureColumn, TweenProperty::Y, 0, 8);
    Tween(cut, first + 4, first + 9, kFirstFigureColumn, kLastFigureColumn, TweenProperty::Y, 8,
          -14, kEaseOut);
    Tween(cut, first + 10, first + 15, kFirstFigureColumn, kLastFigureColumn, TweenProperty::Y, -14,
          0);
    TweenColumn(cut, first, first + 8, kArmColumn, TweenProperty::Rotation, 0, 150, kEaseOut);
    SetCells(cut, first + 9, first + 29, kArmColumn, [](CellRecord& cell) { cell.rotation = 150; });
    TweenColumn(cut, first + 16, first + 22, kArmColumn, TweenProperty::Rotation, 150, 140);
    TweenColumn(cut, first + 23, first + 29, kArmColumn, TweenProperty::Rotation, 140, 150);

    SetCells(cut, first + 8, first + 29, kSparkleColumn,
             [](CellRecord& cell) { cell.resource = kSparkle; });
    TweenColumn(cut, first + 8, first + 13, kSparkleColumn, TweenProperty::ScaleX, 30, 120,
                kEaseOut);
    TweenColumn(cut, first + 14, first + 17, kSparkleColumn, TweenProperty::ScaleX, 120, 100);
    SetCells(cut, first + 18, first + 29, kSparkleColumn, [](CellRecord& cell) {
        cell.scaleX = 100;
        cell.scaleY = 100;
    });
    TweenColumn(cut, first + 8, first + 12, kSparkleColumn, TweenProperty::Alpha, 0, 100);
    TweenColumn(cut, first + 8, first + 29, kSparkleColumn, TweenProperty::Rotation, 0, 90);

    cut.Frame(first + 8).cells[kExtraColumn].resource = kChime;
    SetCells(cut, first + 12, first + 29, kExtraColumn, [](CellRecord& cell) {
        cell.resource = kSparkle;
        cell.x = 420;
        cell.y = -70;
    });
    TweenColumn(cut, first + 12, first + 17, kExtraColumn, TweenProperty::ScaleX, 20, 70, kEaseOut);
    SetCells(cut, first + 18, first + 29, kExtraColumn, [](CellRecord& cell) {
        cell.scaleX = 70;
        cell.scaleY = 70;
    });
    TweenColumn(cut, first + 12, first + 16, kExtraColumn, TweenProperty::Alpha, 0, 90);
    SetCells(cut, first + 17, first + 29, kExtraColumn, [](CellRecord& cell) { cell.alpha = 90; });
    AppendControl(cut, ControlCommand::Wait, 0, 2);
    return cut;
}

// She gathers strength: the countdown runs over her ready pose, the aura pulses for the
// three seconds of the charge, then she lets it out.
Cut ChargeCut() {
    Cut cut = NewSampleCut();
    const int ready = AppendPose(cut, 12, kEyesHalf, kFaceSerious);
    TweenColumn(cut, ready, ready + 11, kArmColumn, TweenProperty::Rotation, 0, 20, kEaseOut);
    SetCells(cut, ready, ready + 11, kAuraColumn, [](CellRecord& cell) { cell.resource = kAura; });
    TweenColumn(cut, ready, ready + 11, kAuraColumn, TweenProperty::Alpha, 0, 70);
    TweenColumn(cut, ready, ready + 11, kAuraColumn, TweenProperty::ScaleX, 80, 100, kEaseOut);
    AppendControl(cut, ControlCommand::ChargeStart, 0, 3);

    constexpr int kPulse = 30;
    constexpr int kCharging = 3 * kPulse;
    const int charging = AppendPose(cut, kCharging, kEyesHalf, kFaceSerious);
    SetCells(cut, charging, charging + kCharging - 1, kArmColumn,
             [](CellRecord& cell) { cell.rotation = 20; });
    SetCells(cut, charging, charging + kCharging - 1, kAuraColumn,
             [](CellRecord& cell) { cell.resource = kAura; });
    for (int pulse = 0; pulse < kCharging; pulse += kPulse) {
        const int a = charging + pulse;
        const int half = kPulse / 2;
        TweenColumn(cut, a, a + half - 1, kAuraColumn, TweenProperty::Alpha, 70, 100);
        TweenColumn(cut, a + half, a + kPulse - 1, kAuraColumn, TweenProperty::Alpha, 100, 70);
        TweenColumn(cut, a, a + half - 1, kAuraColumn, TweenProperty::ScaleX, 100, 106);
        TweenColumn(cut, a + half, a + kPulse - 1, kAuraColumn, TweenProperty::ScaleX, 106, 100);
    }
    // A slight tremble while she holds it in.
    for (int i = 0; i < kCharging; ++i) {
        const float shake = (i / 2) % 2 == 0 ? -1.5f : 1.5f;
        for (int column = kFirstFigureColumn; column <= kLastFigureColumn; ++column) {
            cut.Frame(charging + i).cells[column].x = shake;
        }
    }
    AppendControl(cut, ControlCommand::ChargeEnd, 0, 0);

    const int release = AppendPose(cut, 20, kEyesOpen, kFaceOpen);
    TweenColumn(cut, release, release + 5, kArmColumn, TweenProperty::Rotation, 20, 150, kEaseOut);
    SetCells(cut, release + 6, release + 19, kArmColumn,
             [](CellRecord& cell) { cell.rotation = 150; });
    SetCells(cut, release, release + 9, kAuraColumn,
             [](CellRecord& cell) { cell.resource = kAura; });
    TweenColumn(cut, release, release + 9, kAuraColumn, TweenProperty::ScaleX, 100, 190, kEaseOut);
    TweenColumn(cut, release, release + 9, kAuraColumn, TweenProperty::Alpha, 100, 0);
    cut.Frame(release).cells[kExtraColumn].resource = kChime;
    SetCells(cut, release + 4, release + 19, kSparkleColumn,
             [](CellRecord& cell) { cell.resource = kSparkle; });
    TweenColumn(cut, release + 4, release + 10, kSparkleColumn, TweenProperty::ScaleX, 40, 110,
                kEaseOut);
    SetCells(cut, release + 11, release + 19, kSparkleColumn, [](CellRecord& cell) {
        cell.scaleX = 110;
        cell.scaleY = 110;
    });
    TweenColumn(cut, release + 4, release + 8, kSparkleColumn, TweenProperty::Alpha, 0, 100);
    TweenColumn(cut, release + 4, release + 19, kSparkleColumn, TweenProperty::Rotation, 0, 60);
    AppendControl(cut, ControlCommand::Wait, 0, 1);
    return cut;
}

}  // namespace

std::vector<Cut> SampleCuts() {
    return {IdleCut(), TalkCut(), WinCut(), ChargeCut()};
}

std::vector<std::string> SampleCutNames() {
    return {"待機（呼吸とまばたき）", "おしゃべり", "勝利ポーズ", "気合いため"};
}

}  // namespace plk::tools
