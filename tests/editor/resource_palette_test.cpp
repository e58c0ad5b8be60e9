#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <QUndoStack>
#include <QUrl>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/app/control_id.h"
#include "editor/app/window_messages.h"
#include "editor/content/resource_palette.h"
#include "editor_test_support.h"
#include "media/render/renderer.h"
#include "media/render/test_images.h"
#include "media/render/texture_store.h"
#include "media/sound/sound_store.h"
#include "support/temp_folder.h"

namespace plk {
namespace {

namespace fs = std::filesystem;
using testing_support::Filled;
using testing_support::PngBytes;
using testing_support::TempFolder;
using testing_support::WriteFile;

// A short mono 16-bit PCM WAV.
std::vector<std::uint8_t> WavBytes() {
    std::vector<std::uint8_t> wav;
    auto put = [&wav](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            wav.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    };
    auto tag = [&wav](const char* text) {
        for (int i = 0; i < 4; ++i) {
            wav.push_back(static_cast<std::uint8_t>(text[i]));
        }
    };
    const std::uint32_t samples = 2000;
    tag("RIFF");
    put(36 + samples * 2, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(44100, 4);
    put(88200, 4);
    put(2, 2);
    put(16, 2);
    tag("data");
    put(samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        put((i / 40) % 2 ? 3000u : static_cast<std::uint16_t>(-3000), 2);
    }
    return wav;
}

// A listener standing in for the time-sheet window.
class TimeSheetStandIn : public QWidget {
public:
    TimeSheetStandIn() { setWindowTitle(QStringLiteral("TimeSheet")); }
    std::vector<WParam> selected;

protected:
    bool event(QEvent* event) override {
        if (event->type() == WindowMessage::EventType()) {
            auto* message = static_cast<WindowMessage*>(event);
            if (message->Message() == WM_RESOURCE_SELECTED) {
                selected.push_back(message->WParameter());
            }
            return true;
        }
        return QWidget::event(event);
    }
};

class ResourcePaletteTest : public testing::Test {
protected:
    void SetUp() override {
        m_previousFolder = fs::current_path();
        // A damaged WAV shows only once the store has a device: SDL's dummy one here.
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_TRUE(SoundStore::Instance().Start()) << std::getenv("SDL_AUDIODRIVER");
        m_palette = std::make_unique<CResourcePalette>(nullptr);
        auto files = std::make_unique<test::ScriptedFileDialogs>();
        auto boxes = std::make_unique<test::RecordingMessageBoxes>();
        m_files = files.get();
        m_boxes = boxes.get();
        m_palette->SetDialogs(std::move(files), std::move(boxes));
        m_palette->show();
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        m_palette.reset();
        fs::current_path(m_previousFolder);
    }

    QString Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        WriteFile(m_dir / name, bytes);
        return QString::fromStdString((m_dir / name).string());
    }
    QString WritePng(const std::string& name, QColor colour, int w = 40, int h = 30) {
        return Write(name, PngBytes(Filled(w, h, colour)));
    }
    const ResourceSlot& Slot(int i) const { return m_palette->Table().slot[std::size_t(i)]; }
    QListWidget* List() const {
        return static_cast<QListWidget*>(FindControl(m_palette.get(), 1000));
    }
    QLineEdit* Edit(int id) const {
        return static_cast<QLineEdit*>(FindControl(m_palette.get(), id));
    }
    void Click(int index) {
        List()->scrollToItem(List()->item(index));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                          List()->visualItemRect(List()->item(index)).center());
    }
    void Drop(QPoint at, const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls.append(QUrl::fromLocalFile(path));
        }
        data.setUrls(urls);
        // A drop goes to the widget that accepted the drag's entry, as from a file manager.
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(List()->viewport(), &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(List()->viewport(), &drop);
    }
    QPoint ItemCentre(int index) {
        List()->scrollToItem(List()->item(index));
        return List()->visualItemRect(List()->item(index)).center();
    }
    // Steps recorded in the undo history.
    int Steps() const { return m_palette->UndoStack()->count(); }
    std::vector<char> SlotBytes(int i) const {
        const auto* p = reinterpret_cast<const char*>(&Slot(i));
        return std::vector<char>(p, p + sizeof(ResourceSlot));
    }

    TempFolder m_folder;
    fs::path m_dir = m_folder.Path();
    fs::path m_previousFolder;
    std::unique_ptr<CResourcePalette> m_palette;
    test::ScriptedFileDialogs* m_files = nullptr;
    test::RecordingMessageBoxes* m_boxes = nullptr;
};

TEST_F(ResourcePaletteTest, DroppedFilesFillTheFreeSlotsFromTheHitItemOn) {
    ASSERT_TRUE(m_palette->ImportFile(10, WritePng("ten.png", Qt::red)));
    ASSERT_TRUE(m_palette->ImportFile(12, WritePng("twelve.png", Qt::red)));
    const QStringList dropped = {WritePng("a.png", Qt::green), Write("b.wav", WavBytes()),
                                 WritePng("c.PNG", Qt::blue)};
    fs::current_path(m_previousFolder);

    Drop(ItemCentre(10), dropped);

    EXPECT_EQ(Slot(11).Name(), "a.png");
    EXPECT_EQ(Slot(13).Name(), "b.wav");
    EXPECT_EQ(Slot(13).Kind(), ResourceKind::Sound);
    EXPECT_EQ(Slot(14).Name(), "c.PNG");
    EXPECT_EQ(Slot(14).Path(), (m_dir / "c.PNG").string());
    EXPECT_EQ(List()->item(14)->text(), " 014 \n c.PNG");
    EXPECT_EQ(fs::current_path(), m_dir);  // each file's folder becomes the current one
    EXPECT_TRUE(m_boxes->errors.isEmpty());

    // Item 0 and empty space take nothing.
    const QString more = WritePng("more.png", Qt::gray);
    Drop(ItemCentre(0), {more});
    Drop(QPoint(List()->viewport()->width() - 2, List()->viewport()->height() - 2), {more});
    for (int i = 0; i < kResourceSlots; ++i) {
        EXPECT_NE(Slot(i).Name(), "more.png") << i;
    }
}

TEST_F(ResourcePaletteTest, ImportAcceptsAnyLetterCaseAndRefusalsLeaveTheSlotAsItWas) {
    const QString original = WritePng("original.png", Qt::red);
    struct Case {
        std::string file;
        std::vector<std::uint8_t> bytes;
        bool accepted;
        ResourceKind kind;
    };
    std::vector<std::uint8_t> damaged = PngBytes(Filled(64, 64, Qt::green));
    damaged.resize(damaged.size() / 2);
    const std::vector<Case> cases = {
        {"mixed.Png", PngBytes(Filled(8, 8, Qt::blue)), true, ResourceKind::Image},
        {"loud.WAV", WavBytes(), true, ResourceKind::Sound},
        {"notes.txt", {'h', 'i'}, false, ResourceKind::Image},
        {"noextension", PngBytes(Filled(8, 8, Qt::blue)), false, ResourceKind::Image},
        {"damaged.png", damaged, false, ResourceKind::Image},
        {"text.png", {'n', 'o', 't', ' ', 'p', 'n', 'g'}, false, ResourceKind::Image},
        {"damaged.wav", {'R', 'I', 'F', 'F', 1, 2, 3}, false, ResourceKind::Image},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(m_palette->ImportFile(5, original));
        const std::vector<char> before = SlotBytes(5);
        const qint64 pictureBefore = m_palette->SlotPicture(5).cacheKey();
        m_boxes->errors.clear();
        const int steps = Steps();

        const QString path = Write(c.file, c.bytes);
        EXPECT_EQ(m_palette->ImportFile(5, path), c.accepted);

        EXPECT_EQ(Slot(5).Kind(), c.kind);
        if (c.accepted) {
            EXPECT_EQ(Slot(5).Name(), c.file);
            EXPECT_EQ(m_palette->SlotText(5), QString::fromStdString(" 005 \n " + c.file));
            EXPECT_NE(m_palette->SlotPicture(5).cacheKey(), pictureBefore);
            EXPECT_EQ(Steps(), steps + 1);
            EXPECT_TRUE(m_boxes->errors.isEmpty());
        } else {
            EXPECT_EQ(SlotBytes(5), before);
            EXPECT_EQ(m_palette->SlotPicture(5).cacheKey(), pictureBefore);
            EXPECT_EQ(Steps(), steps);
            ASSERT_EQ(m_boxes->errors.size(), 1);
            EXPECT_TRUE(m_boxes->errors[0].contains(QString::fromStdString(c.file)));
        }
    }
    // The image that stayed in place is still drawable.
    EXPECT_NE(TextureStore::Instance().Bind("original.png"), nullptr);
}

// Whether a WAV decodes is checked without the audio device: with none open, noise or
// another sound format named .wav is still refused and the slot stays as it was.
TEST_F(ResourcePaletteTest, CorruptWavesAreRefusedWithoutAnAudioDevice) {
    SoundStore::Shutdown();
    ASSERT_FALSE(SoundStore::Instance().IsStarted());
    std::vector<std::uint8_t> noise(4096);
    for (std::size_t i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<std::uint8_t>(i * 2654435761u >> 13);
    }
    std::vector<std::uint8_t> cut = WavBytes();
    cut.resize(60);  // the data chunk claims far more than the file holds
    for (const auto& [name, bytes] : {std::pair{"noise.wav", noise}, std::pair{"cut.wav", cut}}) {
        SCOPED_TRACE(name);
        m_boxes->errors.clear();
        EXPECT_FALSE(m_palette->ImportFile(7, Write(name, bytes)));
        EXPECT_TRUE(Slot(7).IsEmpty());
        ASSERT_EQ(m_boxes->errors.size(), 1);
        EXPECT_TRUE(m_boxes->errors[0].contains(QString::fromUtf8(name)));
    }
    EXPECT_TRUE(m_palette->ImportFile(7, Write("good.wav", WavBytes())));
    EXPECT_EQ(Slot(7).Kind(), ResourceKind::Sound);
}

TEST_F(ResourcePaletteTest, ReloadingAFileOfTheSameNameReplacesItsPixels) {
    const QString path = WritePng("face.png", Qt::red);
    m_files->answers = {path};
    Click(3);
    m_palette->LoadSelected();
    WritePng("face.png", Qt::blue);
    m_files->answers = {path};
    m_palette->LoadSelected();

    const TextureEntry* entry = TextureStore::Instance().Bind("face.png");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->refCount, 1);
    EXPECT_EQ(entry->tiles[0].texture.pixelColor(0, 0), QColor(Qt::blue));

    // Deleting lets go of the texture and empties the slot.
    m_palette->DeleteSelected();
    EXPECT_EQ(TextureStore::Instance().Bind("face.png"), nullptr);
    EXPECT_TRUE(Slot(3).IsEmpty());
    EXPECT_EQ(List()->item(3)->text(), " 003 \n NoFile");
}

TEST_F(ResourcePaletteTest, WorldPositionsFollowTypingAndNudgesOfTheSelectedImage) {
    ASSERT_TRUE(m_palette->ImportFile(4, WritePng("pos.png", Qt::red)));
    ASSERT_TRUE(m_palette->ImportFile(6, Write("s.wav", WavBytes())));
    TimeSheetStandIn timeSheet;
    Click(4);
    EXPECT_EQ(Renderer::Instance().CurrentImageName(), "pos.png");
    EXPECT_EQ(timeSheet.selected, std::vector<WParam>{4});
    QWidget* palette = m_palette.get();

    const int steps = Steps();
    SendWindowMessage(palette, WM_NUDGE_RESOURCE, MakeWParam(std::uint16_t(-3000), 5), 0);
    EXPECT_EQ(Slot(4).worldX, -2048);
    EXPECT_EQ(Slot(4).worldY, 5);
    EXPECT_EQ(Edit(1006)->text(), "-2048");
    EXPECT_EQ(Steps(), steps + 1);

    struct Typed {
        const char* text;
        std::int32_t stored;
    };
    // Only integers can be typed: letters are refused as they come.
    for (const Typed& t : {Typed{"5000", 5000}, Typed{"-12abc", -12}, Typed{"-", 0}, Typed{"+7", 7},
                           Typed{"2147483647", 2147483647}}) {
        Edit(1006)->clear();
        QTest::keyClicks(Edit(1006), QString::fromLatin1(t.text));
        EXPECT_EQ(Slot(4).worldX, t.stored) << t.text;
    }
    // Nudging from a typed value beyond the limit brings it back within.
    SendWindowMessage(palette, WM_NUDGE_RESOURCE, MakeWParam(1, 0), 0);
    EXPECT_EQ(Slot(4).worldX, 2048);

    // Retyping the value the slot holds records no step (and leaves the file unmodified).
    Edit(1006)->selectAll();
    QTest::keyClicks(Edit(1006), QStringLiteral("110"));
    m_palette->EndEditRun();
    EXPECT_EQ(Slot(4).worldX, 110);
    const int afterTyping = Steps();
    Edit(1006)->selectAll();
    QTest::keyClicks(Edit(1006), QStringLiteral("110"));
    m_palette->EndEditRun();
    EXPECT_EQ(Steps(), afterTyping);

    // A sound has no position: its fields are off and show 0; nudges do nothing.
    Click(6);
    EXPECT_FALSE(Edit(1006)->isEnabled());
    EXPECT_FALSE(Edit(1007)->isEnabled());
    QTest::keyClicks(Edit(1007), QStringLiteral("33"));
    EXPECT_EQ(Edit(1007)->text(), "0");
    const std::vector<char> sound = SlotBytes(6);
    SendWindowMessage(palette, WM_NUDGE_RESOURCE, MakeWParam(10, 10), 0);
    EXPECT_EQ(SlotBytes(6), sound);

    // Undo brings the slot it changes back into view, selected.
    m_palette->UndoStack()->undo();
    EXPECT_EQ(m_palette->SelectedSlot(), 4);
    EXPECT_EQ(Edit(1006)->text(), "2048");
}

TEST_F(ResourcePaletteTest, SlotZeroOffersNothingAndClearsThePreview) {
    ASSERT_TRUE(m_palette->ImportFile(1, WritePng("one.png", Qt::red)));
    EXPECT_EQ(m_palette->CreateContextMenu(), nullptr);  // nothing selected

    Click(1);
    std::unique_ptr<QMenu> menu = m_palette->CreateContextMenu();
    ASSERT_NE(menu, nullptr);
    std::vector<std::pair<int, QString>> items;
    for (QAction* action : menu->actions()) {
        items.emplace_back(action->property(kCommandIdProperty).toInt(), action->text());
    }
    EXPECT_EQ(items, (std::vector<std::pair<int, QString>>{
                         {137, QStringLiteral("リソースの読み込み・更新")},
                         {138, QStringLiteral("リソースの削除")},
                         {139, QStringLiteral("ワールド座標の変更")},
                         {0, QString()},  // a filled slot can also be relinked
                         {140, QStringLiteral("リンクし直す...")}}));

    Click(0);
    EXPECT_EQ(m_palette->CreateContextMenu(), nullptr);
    EXPECT_EQ(Renderer::Instance().CurrentImageName(), "");
    const std::vector<char> zero = SlotBytes(0);
    const int steps = Steps();
    QTest::keyClicks(Edit(1006), QStringLiteral("12"));
    SendWindowMessage(m_palette.get(), WM_NUDGE_RESOURCE, MakeWParam(3, 3), 0);
    m_files->answers = {WritePng("zero.png", Qt::red)};
    m_palette->LoadSelected();
    Drop(ItemCentre(0), {WritePng("zero.png", Qt::red)});
    EXPECT_EQ(SlotBytes(0), zero);
    EXPECT_EQ(Steps(), steps);
    EXPECT_EQ(m_files->filtersAsked.size(), 0);
}

TEST_F(ResourcePaletteTest, EveryEditUndoesToTheExactSlotWithItsPictureAndTexture) {
    QUndoStack* stack = m_palette->UndoStack();
    Click(2);
    const std::vector<char> empty = SlotBytes(2);
    const qint64 emptyPicture = m_palette->SlotPicture(2).cacheKey();

    m_files->answers = {WritePng("red.png", Qt::red)};
    m_palette->LoadSelected();
    const std::vector<char> red = SlotBytes(2);
    const qint64 redPicture = m_palette->SlotPicture(2).cacheKey();
    m_files->answers = {WritePng("blue.png", Qt::blue, 20, 10)};
    m_palette->LoadSelected();
    const std::vector<char> blue = SlotBytes(2);

    // One drag (or one run of arrow keys) is one step; the next run is another.
    for (int i = 0; i < 3; ++i) {
        SendWindowMessage(m_palette.get(), WM_NUDGE_RESOURCE, MakeWParam(2, 1), 0);
    }
    SendWindowMessage(m_palette.get(), WM_NUDGE_RUN_ENDED, 0, 0);
    const std::vector<char> dragged = SlotBytes(2);
    SendWindowMessage(m_palette.get(), WM_NUDGE_RESOURCE, MakeWParam(1, 0), 0);
    // Typing into one field is one step until it loses focus.
    Edit(1006)->setFocus();
    Edit(1006)->selectAll();
    QTest::keyClicks(Edit(1006), QStringLiteral("-25"));
    EXPECT_EQ(Slot(2).worldX, -25);
    const std::vector<char> typed = SlotBytes(2);
    // The Delete key empties the selected slot.
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_TRUE(Slot(2).IsEmpty());
    EXPECT_EQ(TextureStore::Instance().Bind("blue.png"), nullptr);
    ASSERT_EQ(stack->count(), 6);  // load, replace, drag, nudge, typing, delete

    stack->undo();  // the delete
    EXPECT_EQ(SlotBytes(2), typed);
    ASSERT_NE(TextureStore::Instance().Bind("blue.png"), nullptr);
    EXPECT_EQ(Edit(1006)->text(), "-25");
    EXPECT_EQ(Renderer::Instance().CurrentImageName(), "blue.png");
    stack->undo();  // the typing
    stack->undo();  // the single nudge
    EXPECT_EQ(SlotBytes(2), dragged);
    stack->undo();  // the drag
    EXPECT_EQ(SlotBytes(2), blue);
    stack->undo();  // the replacement
    EXPECT_EQ(SlotBytes(2), red);
    EXPECT_EQ(m_palette->SlotPicture(2).cacheKey(), redPicture);
    EXPECT_EQ(TextureStore::Instance().Bind("blue.png"), nullptr);
    const TextureEntry* entry = TextureStore::Instance().Bind("red.png");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->refCount, 1);
    EXPECT_EQ(entry->tiles[0].texture.pixelColor(0, 0), QColor(Qt::red));
    stack->undo();  // the load
    EXPECT_EQ(SlotBytes(2), empty);
    EXPECT_EQ(m_palette->SlotPicture(2).cacheKey(), emptyPicture);
    EXPECT_EQ(TextureStore::Instance().Bind("red.png"), nullptr);
    EXPECT_EQ(List()->item(2)->text(), " 002 \n NoFile");

    // And all the way forward again.
    while (stack->canRedo()) {
        stack->redo();
    }
    EXPECT_TRUE(Slot(2).IsEmpty());
    stack->undo();
    EXPECT_EQ(SlotBytes(2), typed);
    EXPECT_NE(TextureStore::Instance().Bind("blue.png"), nullptr);
}

TEST_F(ResourcePaletteTest, ADropOfSeveralFilesIsOneStepAndSoundsComeBack) {
    ASSERT_TRUE(m_palette->ImportFile(11, WritePng("eleven.png", Qt::red)));
    const int steps = Steps();
    Drop(ItemCentre(10),
         {WritePng("a.png", Qt::red), Write("b.wav", WavBytes()), WritePng("c.png", Qt::green)});
    EXPECT_EQ(Slot(12).Kind(), ResourceKind::Sound);
    EXPECT_EQ(Slot(13).Name(), "c.png");
    ASSERT_EQ(Steps(), steps + 1);
    m_palette->UndoStack()->undo();
    for (int i : {10, 12, 13}) {
        EXPECT_TRUE(Slot(i).IsEmpty()) << i;
    }
    EXPECT_EQ(Slot(11).Name(), "eleven.png");
    EXPECT_FALSE(SoundStore::Instance().Contains("b.wav"));
    m_palette->UndoStack()->redo();
    EXPECT_TRUE(SoundStore::Instance().Contains("b.wav"));
    EXPECT_NE(TextureStore::Instance().Bind("c.png"), nullptr);
}

TEST_F(ResourcePaletteTest, NamesAndPathsTheSlotCannotHoldAreRefused) {
    // A path of more than 259 bytes, in folders of ordinary length.
    const std::string deep = std::string(150, 'd') + "/" + std::string(150, 'e');
    fs::create_directories(m_dir / deep);
    for (const std::string& name : {std::string("caf\xC3\xA9.png"),
                                    std::string("smile\xF0\x9F\x98\x80.png"), deep + "/long.png"}) {
        SCOPED_TRACE(name);
        const QString path = WritePng(name, Qt::red);
        m_boxes->errors.clear();
        EXPECT_FALSE(m_palette->ImportFile(7, path));
        Drop(ItemCentre(7), {path});
        EXPECT_TRUE(Slot(7).IsEmpty());
        ASSERT_EQ(m_boxes->errors.size(), 2);
        EXPECT_TRUE(m_boxes->errors[0].contains(QFileInfo(path).fileName()));
    }
    EXPECT_EQ(Steps(), 0);
    // Japanese names are fine.
    EXPECT_TRUE(m_palette->ImportFile(7, WritePng("\xE9\xA1\x94.png", Qt::red)));
}

TEST_F(ResourcePaletteTest, KeyboardSelectionShowsTheSlotAsAClickDoes) {
    ASSERT_TRUE(m_palette->ImportFile(1, WritePng("one.png", Qt::red, 40, 30)));
    ASSERT_TRUE(m_palette->ImportFile(2, WritePng("two.png", Qt::blue)));
    m_palette->SetWorldPosition(2, 7, -9);
    Click(1);
    QTest::keyClick(List(), Qt::Key_Right);
    EXPECT_EQ(m_palette->SelectedSlot(), 2);
    EXPECT_EQ(Renderer::Instance().CurrentImageName(), "two.png");
    EXPECT_EQ(Edit(1006)->text(), "7");
    EXPECT_EQ(Edit(1007)->text(), "-9");
    // A nudge now moves the slot the keyboard chose.
    SendWindowMessage(m_palette.get(), WM_NUDGE_RESOURCE, MakeWParam(1, 1), 0);
    EXPECT_EQ(Slot(2).worldX, 8);
    EXPECT_EQ(Slot(1).worldX, 0);

    const QString tip = List()->item(1)->toolTip();
    for (const char* part : {"one.png", "PNG", "40 × 30", "(0, 0)"}) {
        EXPECT_TRUE(tip.contains(QString::fromUtf8(part))) << tip.toStdString();
    }
    EXPECT_TRUE(tip.contains(QDir::toNativeSeparators(QString::fromStdString(m_dir.string()))));

    // Emptying the palette (New, Open) clears the selection, the fields and the preview.
    m_palette->ClearAll();
    EXPECT_EQ(m_palette->SelectedSlot(), -1);
    EXPECT_EQ(Renderer::Instance().CurrentImageName(), "");
    EXPECT_EQ(Edit(1006)->text(), "0");
    EXPECT_FALSE(Edit(1006)->isEnabled());
}

TEST_F(ResourcePaletteTest, CellSizeButtonsSwitchPicturesAndSquareCells) {
    ASSERT_TRUE(m_palette->ImportFile(2, WritePng("cell.png", Qt::red)));
    EXPECT_TRUE(static_cast<QRadioButton*>(FindControl(m_palette.get(), 1004))->isChecked());
    for (auto [id, side] : {std::pair{1003, 48}, std::pair{1005, 128}, std::pair{1004, 64}}) {
        static_cast<QRadioButton*>(FindControl(m_palette.get(), id))->click();
        EXPECT_EQ(m_palette->CellSize(), side);
        EXPECT_EQ(m_palette->SlotPicture(2).size(), QSize(side, side));
        EXPECT_EQ(List()->iconSize(), QSize(side, side));
        const QSize grid = List()->gridSize();
        EXPECT_EQ(grid.width(), grid.height());
        EXPECT_GT(grid.height(), side);  // the picture and two lines of text
    }
}

TEST_F(ResourcePaletteTest, ClearingLeavesOtherUsersOfTheTextureStoreAlone) {
    TextureStore& store = TextureStore::Instance();
    ASSERT_TRUE(store.LoadFromImage("background.png", {}, Filled(4, 4, Qt::red), 0, 0));
    ASSERT_TRUE(m_palette->ImportFile(9, WritePng("nine.png", Qt::red)));
    m_palette->ClearAll();
    EXPECT_EQ(store.Bind("nine.png"), nullptr);
    EXPECT_NE(store.Bind("background.png"), nullptr);
    EXPECT_TRUE(Slot(9).IsEmpty());
    store.Release("background.png");
}

// The rebuild after a project is read.
class PaletteRebuildTest : public ResourcePaletteTest {
protected:
    void Fill(int index, const std::string& name, const fs::path& path, ResourceKind kind) {
        ResourceSlot& slot = m_palette->Table().slot[std::size_t(index)];
        std::snprintf(slot.name, sizeof slot.name, "%s", name.c_str());
        std::snprintf(slot.path, sizeof slot.path, "%s", path.string().c_str());
        slot.kind = static_cast<std::uint8_t>(kind);
        slot.worldX = index;
        slot.worldY = -index;
    }
};

TEST_F(PaletteRebuildTest, MovedFilesAreFoundByNameAndMissingOnesListedOnce) {
    const fs::path old = m_dir / "old";
    const fs::path moved = m_dir / "moved";
    fs::create_directories(moved);
    WriteFile(moved / "hero.png", PngBytes(Filled(30, 20, Qt::red)));
    WriteFile(moved / "voice.wav", WavBytes());
    Fill(3, "hero.png", old / "hero.png", ResourceKind::Image);
    Fill(4, "voice.wav", old / "voice.wav", ResourceKind::Sound);
    Fill(8, "lost.png", old / "lost.png", ResourceKind::Image);
    Fill(9, "gone.wav", old / "gone.wav", ResourceKind::Sound);
    fs::current_path(moved);

    m_palette->RebuildFromTable();

    EXPECT_EQ(Slot(3).Path(), (moved / "hero.png").string());
    EXPECT_EQ(Slot(4).Path(), (moved / "voice.wav").string());
    EXPECT_EQ(Slot(3).worldX, 3);
    EXPECT_NE(TextureStore::Instance().Bind("hero.png"), nullptr);
    EXPECT_TRUE(SoundStore::Instance().Contains("voice.wav"));
    // Missing files keep their slots, which still name them.
    EXPECT_EQ(Slot(8).Path(), (old / "lost.png").string());
    EXPECT_EQ(List()->item(8)->text(), " 008 \n lost.png");
    ASSERT_EQ(m_boxes->errors.size(), 1);
    const QString& message = m_boxes->errors[0];
    EXPECT_TRUE(message.contains("008: lost.png")) << message.toStdString();
    EXPECT_TRUE(message.contains("009: gone.wav")) << message.toStdString();
    // The corrected slots are named with their new paths.
    for (const fs::path& file : {moved / "hero.png", moved / "voice.wav"}) {
        EXPECT_TRUE(message.contains(QString::fromStdString(file.string())))
            << message.toStdString();
    }
    EXPECT_EQ(m_palette->CorrectedSlots().size(), 2);
}

TEST_F(PaletteRebuildTest, AProjectCopiedWithItsFilesFindsThemFromAnyFolder) {
    // The project and its images/ and sounds/ folders were copied to copy/; the editor runs
    // in elsewhere/.
    const fs::path copy = m_dir / "copy";
    fs::create_directories(m_dir / "elsewhere");
    WriteFile(copy / "images" / "hero.png", PngBytes(Filled(30, 20, Qt::red)));
    WriteFile(copy / "voice.wav", WavBytes());
    Fill(3, "hero.png", m_dir / "orig" / "images" / "hero.png", ResourceKind::Image);
    Fill(4, "voice.wav", m_dir / "orig" / "voice.wav", ResourceKind::Sound);
    Fill(5, "lost.png", m_dir / "orig" / "lost.png", ResourceKind::Image);
    fs::current_path(m_dir / "elsewhere");

    m_palette->RebuildFromTable(copy / "chara.cre");

    EXPECT_EQ(Slot(3).Path(), (copy / "images" / "hero.png").string());
    EXPECT_EQ(Slot(4).Path(), (copy / "voice.wav").string());
    EXPECT_NE(TextureStore::Instance().Bind("hero.png"), nullptr);
    EXPECT_FALSE(m_palette->IsSlotMissing(3));
    // The missing one shows its own picture and says where it was looked for.
    ASSERT_TRUE(m_palette->IsSlotMissing(5));
    const QImage missing = m_palette->SlotPicture(5).toImage();
    EXPECT_NE(missing, m_palette->SlotPicture(6).toImage());  // not the empty slot's picture
    EXPECT_NE(missing, m_palette->SlotPicture(4).toImage());
    const QString tip = List()->item(5)->toolTip();
    EXPECT_TRUE(tip.contains(QString::fromStdString((m_dir / "orig" / "lost.png").string())));
    EXPECT_TRUE(tip.contains("見つかりません")) << tip.toStdString();
}

TEST_F(PaletteRebuildTest, RelinkingAndReloadingAMissingSlotKeepItsWorldPosition) {
    Fill(5, "lost.png", m_dir / "orig" / "lost.png", ResourceKind::Image);
    Fill(6, "gone.png", m_dir / "orig" / "gone.png", ResourceKind::Image);
    Fill(7, "here.png", m_dir / "orig" / "here.png", ResourceKind::Image);
    m_palette->RebuildFromTable();
    const QString found = WritePng("found.png", Qt::blue);

    // "リンクし直す..." is offered for a filled slot and keeps the slot's place.
    Click(5);
    std::unique_ptr<QMenu> menu = m_palette->CreateContextMenu();
    QAction* relink = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->property("commandId").toInt() == CResourcePalette::kRelinkCommand) {
            relink = action;
        }
    }
    ASSERT_NE(relink, nullptr);
    EXPECT_EQ(relink->text(), "リンクし直す...");
    m_files->answers = {found};
    relink->trigger();
    EXPECT_EQ(Slot(5).Name(), "found.png");
    EXPECT_EQ(Slot(5).worldX, 5);
    EXPECT_EQ(Slot(5).worldY, -5);
    EXPECT_FALSE(m_palette->IsSlotMissing(5));
    // One undo step puts the missing slot back as it was, mark included.
    m_palette->UndoStack()->undo();
    EXPECT_EQ(Slot(5).Name(), "lost.png");
    EXPECT_TRUE(m_palette->IsSlotMissing(5));

    // Reloading a missing slot through the ordinary command keeps its position too...
    Click(6);
    m_files->answers = {found};
    m_palette->LoadSelected();
    EXPECT_EQ(Slot(6).worldX, 6);
    // ...while loading over a slot whose file was there starts the new image at (0, 0).
    ASSERT_TRUE(m_palette->ImportFile(8, WritePng("eight.png", Qt::green)));
    m_palette->SetWorldPosition(8, 40, 50);
    ASSERT_TRUE(m_palette->ImportFile(8, found));
    EXPECT_EQ(Slot(8).worldX, 0);
}

TEST_F(PaletteRebuildTest, ParallelRebuildEqualsOneThreadRebuild) {
    // Sizes vary so jobs finish out of order; slots 20 and 21 share a name with different
    // pixels, so the order of texture loads shows.
    for (int i = 1; i <= 40; ++i) {
        const std::string name = "img" + std::to_string(i) + ".png";
        const QColor colour = QColor::fromHsv((i * 37) % 360, 200, 220);
        WriteFile(m_dir / name, PngBytes(Filled(16 + (i * 53) % 300, 16 + (i * 31) % 200, colour)));
        Fill(i, name, m_dir / name, ResourceKind::Image);
    }
    fs::create_directories(m_dir / "other");
    WriteFile(m_dir / "other" / "img20.png", PngBytes(Filled(10, 10, Qt::black)));
    Fill(21, "img20.png", m_dir / "other" / "img20.png", ResourceKind::Image);
    const ResourceTable table = m_palette->Table();

    struct Outcome {
        std::vector<QImage> pictures;
        std::vector<QImage> textures;
        std::vector<char> table;
    };
    auto rebuild = [&](int threads) {
        m_palette->ClearAll();
        m_palette->Table() = table;
        m_palette->SetRebuildThreads(threads);
        m_palette->RebuildFromTable();
        Outcome outcome;
        for (int i = 0; i < kResourceSlots; ++i) {
            outcome.pictures.push_back(m_palette->SlotPicture(i).toImage());
            const TextureEntry* entry = TextureStore::Instance().Bind(Slot(i).Name());
            outcome.textures.push_back(entry && i > 0 ? entry->tiles[0].texture : QImage());
        }
        const auto* bytes = reinterpret_cast<const char*>(&m_palette->Table());
        outcome.table.assign(bytes, bytes + sizeof(ResourceTable));
        return outcome;
    };
    const Outcome one = rebuild(1);
    const Outcome many = rebuild(4);
    EXPECT_TRUE(one.pictures == many.pictures);
    EXPECT_TRUE(one.textures == many.textures);
    EXPECT_TRUE(one.table == many.table);
    EXPECT_EQ(one.textures[21].pixelColor(0, 0), one.textures[20].pixelColor(0, 0));
    EXPECT_EQ(TextureStore::Instance().Find("img20.png")->refCount, 2);
    EXPECT_TRUE(m_boxes->errors.isEmpty());
}

}  // namespace
}  // namespace plk
