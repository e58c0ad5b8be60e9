#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "editor/app/control_id.h"
#include "editor/preview/preview.h"
#include "editor/preview/preview_ctrl.h"
#include "editor/preview/tick_slider.h"
#include "editor_test_support.h"
#include "media/render/renderer.h"
#include "media/render/texture_store.h"

namespace plk {
namespace {

// A preview with its panel, the panel's dialogs answered by the test. The preview stays
// hidden unless a test shows it, so resizes take effect at once.
class PreviewCtrlTest : public testing::Test {
protected:
    PreviewCtrlTest() {
        auto files = std::make_unique<test::ScriptedFileDialogs>();
        auto boxes = std::make_unique<test::RecordingMessageBoxes>();
        m_files = files.get();
        m_boxes = boxes.get();
        m_panel->SetDialogs(std::move(files), std::move(boxes));
    }

    template <typename Control>
    Control* Get(int id) {
        auto* control = qobject_cast<Control*>(FindControl(m_panel, id));
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }
    QString Text(int id) { return Get<QLabel>(id)->text(); }
    ViewSettings& View() { return Renderer::Instance().Settings(); }

    static void LoseFocus(QWidget* edit) {
        QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(edit, &event);
    }

    CPreView m_preview{nullptr};
    CPreViewCtrl* m_panel = m_preview.ControlPanel();
    test::ScriptedFileDialogs* m_files;
    test::RecordingMessageBoxes* m_boxes;
};

TEST_F(PreviewCtrlTest, StartsWithTheRenderersOwnSettings) {
    EXPECT_EQ(m_panel->windowTitle(), "PreViewControl");
    EXPECT_FALSE(Get<QCheckBox>(1010)->isChecked());
    EXPECT_EQ(Get<QCheckBox>(1010)->text(), "常に最前面");

    struct Slider {
        int id, minimum, maximum, value;
    };
    for (const Slider& s :
         {Slider{1012, 1, 1024, 800}, Slider{1013, 1, 768, 600}, Slider{1014, -3, 5, 0},
          Slider{1015, 0, 255, 0}, Slider{1016, 0, 255, 0}, Slider{1017, 0, 255, 0},
          Slider{1023, 0, 100, 100}}) {
        auto* slider = Get<QSlider>(s.id);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->minimum(), s.minimum) << s.id;
        EXPECT_EQ(slider->maximum(), s.maximum) << s.id;
        EXPECT_EQ(slider->value(), s.value) << s.id;
    }
    EXPECT_EQ(Get<TickSlider>(1012)->TickMarks(),
              (std::vector<int>{128, 256, 384, 512, 640, 800, 1024}));
    EXPECT_EQ(Get<TickSlider>(1013)->TickMarks(), (std::vector<int>{128, 256, 384, 512, 640, 800}));
    EXPECT_EQ(Get<QLineEdit>(1025)->text(), "800");
    EXPECT_EQ(Get<QLineEdit>(1026)->text(), "600");
    EXPECT_EQ(Text(1027), "×1.0");
    EXPECT_EQ(Text(1031) + Text(1032) + Text(1033), "000");
    EXPECT_EQ(Text(1030), "100");
    EXPECT_FALSE(Get<QCheckBox>(1099)->isChecked());
    auto* image = Get<QPushButton>(1112);
    EXPECT_TRUE(image->isCheckable());
    EXPECT_FALSE(image->isChecked());
    EXPECT_EQ(image->text(), "No Files");
    const QStringList guides{"中央クロスバー", "中央クロスバー（リソース）", "800×600枠",
                             "キャラクターメッセージ", "キャラクターメニューアイコン"};
    for (int i = 0; i < guides.size(); ++i) {
        EXPECT_EQ(Get<QCheckBox>(1018 + i)->text(), guides[i]);
        EXPECT_FALSE(Get<QCheckBox>(1018 + i)->isChecked());
    }
    auto* grid = Get<QComboBox>(1100);
    QStringList items;
    for (int i = 0; i < grid->count(); ++i) {
        items.append(grid->itemText(i));
    }
    EXPECT_EQ(items, (QStringList{"なし", "2", "4", "8", "16", "32", "64"}));
    EXPECT_EQ(grid->currentIndex(), 0);

    // What the panel shows is what the renderer starts with: nothing needs pushing.
    const ViewSettings fresh;
    EXPECT_EQ(View().zoom, fresh.zoom);
    EXPECT_EQ(View().Background(), QColor(0, 0, 0));
    EXPECT_EQ(View().backgroundImageAlpha, 100);
    EXPECT_EQ(View().guides, fresh.guides);
    EXPECT_LE(View().gridSpacing, 1.0f);  // no grid
    EXPECT_EQ(m_preview.size(), QSize(800, 600));
}

TEST_F(PreviewCtrlTest, TypingASizeResizesOnceTheNumberIsLargeEnough) {
    auto* xEdit = Get<QLineEdit>(1025);
    xEdit->clear();
    QTest::keyClick(xEdit, Qt::Key_8);
    EXPECT_EQ(m_preview.width(), 800);  // 8 is too small to act on
    QTest::keyClick(xEdit, Qt::Key_0);
    EXPECT_EQ(m_preview.width(), 80);
    EXPECT_EQ(Get<QSlider>(1012)->value(), 80);
    QTest::keyClick(xEdit, Qt::Key_0);
    EXPECT_EQ(m_preview.size(), QSize(800, 600));
    EXPECT_EQ(m_panel->XSize(), 800);

    auto* yEdit = Get<QLineEdit>(1026);
    yEdit->clear();
    QTest::keyClicks(yEdit, "480");
    EXPECT_EQ(m_preview.size(), QSize(800, 480));
    EXPECT_EQ(Get<QSlider>(1013)->value(), 480);
    EXPECT_TRUE(m_boxes->errors.isEmpty());
}

TEST_F(PreviewCtrlTest, LeavingASizeEditAppliesItsValue) {
    auto* xEdit = Get<QLineEdit>(1025);
    auto* yEdit = Get<QLineEdit>(1026);

    // Leaving the width resizes whatever the value; leaving a small height only moves the
    // slider.
    xEdit->setText("20");
    LoseFocus(xEdit);
    EXPECT_EQ(m_preview.width(), 20);
    EXPECT_EQ(Get<QSlider>(1012)->value(), 20);
    yEdit->setText("50");
    LoseFocus(yEdit);
    EXPECT_EQ(Get<QSlider>(1013)->value(), 50);
    EXPECT_EQ(m_preview.height(), 600);
    EXPECT_TRUE(m_boxes->errors.isEmpty());

    // Out of range: said so, and the slider and the window's limits keep it in bounds.
    xEdit->setText("2000");
    LoseFocus(xEdit);
    EXPECT_EQ(m_boxes->errors, QStringList{"1 から 1024 までの整数を入力してください。"});
    EXPECT_EQ(m_panel->XSize(), 2000);
    EXPECT_EQ(Get<QSlider>(1012)->value(), 1024);
    EXPECT_EQ(m_preview.width(), m_preview.maximumWidth());
    yEdit->setText("-5");
    LoseFocus(yEdit);
    EXPECT_EQ(m_boxes->errors.back(), "1 から 768 までの整数を入力してください。");
    EXPECT_EQ(Get<QSlider>(1013)->value(), 1);
    EXPECT_EQ(m_preview.height(), 600);

    // No number at all: the last size stays.
    m_boxes->errors.clear();
    xEdit->setText("abc");
    LoseFocus(xEdit);
    EXPECT_EQ(m_boxes->errors, QStringList{"整数を入力してください。"});
    EXPECT_EQ(m_panel->XSize(), 2000);
}

TEST_F(PreviewCtrlTest, SlidersResizeThePreviewAndTheSizeMessageOnlyShowsTheSize) {
    Get<QSlider>(1012)->setValue(640);
    Get<QSlider>(1013)->setValue(480);
    EXPECT_EQ(m_preview.size(), QSize(640, 480));
    EXPECT_EQ(Get<QLineEdit>(1025)->text(), "640");
    EXPECT_EQ(Get<QLineEdit>(1026)->text(), "480");

    SendWindowMessage(m_panel, WM_PREVIEW_SIZE, MakeWParam(300, 500), 0);
    EXPECT_EQ(Get<QSlider>(1012)->value(), 500);
    EXPECT_EQ(Get<QSlider>(1013)->value(), 300);
    EXPECT_EQ(Get<QLineEdit>(1025)->text(), "500");
    EXPECT_EQ(Get<QLineEdit>(1026)->text(), "300");
    EXPECT_EQ(m_preview.size(), QSize(640, 480));  // not resized back
}

TEST_F(PreviewCtrlTest, ZoomStepsScaleByPowersOfTwo) {
    const char* texts[] = {"×0.125", "×0.25", "×0.5",  "×1.0", "×2.0",
                           "×4.0",   "×8.0",  "×16.0", "×32.0"};
    for (int step = -3; step <= 5; ++step) {
        Get<QSlider>(1014)->setValue(step);
        EXPECT_EQ(Text(1027), QString::fromUtf8(texts[step + 3]));
        EXPECT_FLOAT_EQ(View().zoom, std::ldexp(1.0f, step));
    }
}

TEST_F(PreviewCtrlTest, BackgroundColourWithAndWithoutSync) {
    Get<QSlider>(1015)->setValue(30);
    Get<QSlider>(1017)->setValue(90);
    EXPECT_EQ(View().Background(), QColor(30, 0, 90));
    EXPECT_EQ(Text(1031) + "," + Text(1032) + "," + Text(1033), "30,0,90");

    // Checking only locks green and blue; they take red's value at its next move.
    Get<QCheckBox>(1099)->click();
    EXPECT_FALSE(Get<QSlider>(1016)->isEnabled());
    EXPECT_FALSE(Get<QSlider>(1017)->isEnabled());
    EXPECT_EQ(View().Background(), QColor(30, 0, 90));
    Get<QSlider>(1015)->setValue(200);
    EXPECT_EQ(View().Background(), QColor(200, 200, 200));
    EXPECT_EQ(Get<QSlider>(1016)->value(), 200);
    EXPECT_EQ(Get<QSlider>(1017)->value(), 200);
    EXPECT_EQ(Text(1031) + "," + Text(1032) + "," + Text(1033), "200,200,200");
    Renderer::Instance().RenderPreview();
    EXPECT_EQ(Renderer::Instance().PresentedImage().pixelColor(10, 10), QColor(200, 200, 200));

    Get<QCheckBox>(1099)->click();
    EXPECT_TRUE(Get<QSlider>(1016)->isEnabled());
    Get<QSlider>(1016)->setValue(5);
    EXPECT_EQ(View().Background(), QColor(200, 5, 200));

    Get<QSlider>(1023)->setValue(40);
    EXPECT_EQ(View().backgroundImageAlpha, 40);
    EXPECT_EQ(Text(1030), "40");
}

TEST_F(PreviewCtrlTest, GuidesAndGridSwitchTheRenderer) {
    const Guide guides[] = {Guide::CentreCrossbar, Guide::ResourceCrossbar, Guide::ScreenFrame,
                            Guide::MessageWindow, Guide::MenuIcon};
    for (int i = 0; i < 5; ++i) {
        Get<QCheckBox>(1018 + i)->click();
        for (int j = 0; j < 5; ++j) {
            EXPECT_EQ(View().GuideOn(guides[j]), j <= i) << i << " " << j;
        }
    }
    Get<QCheckBox>(1020)->click();
    EXPECT_FALSE(View().GuideOn(Guide::ScreenFrame));

    auto* grid = Get<QComboBox>(1100);
    grid->setCurrentIndex(3);
    EXPECT_FLOAT_EQ(View().gridSpacing, 8.0f);
    grid->setCurrentIndex(6);
    EXPECT_FLOAT_EQ(View().gridSpacing, 64.0f);
    grid->setCurrentIndex(0);
    EXPECT_FLOAT_EQ(View().gridSpacing, 1.0f);  // no grid
}

TEST_F(PreviewCtrlTest, BackgroundImageIsChosenReplacedAndTakenAway) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto writePng = [&](const QString& name, QColor colour) {
        QImage image(40, 30, QImage::Format_ARGB32);
        image.fill(colour);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    };
    const QString red = writePng("red.png", QColor(255, 0, 0));
    const QString blue = writePng("blue.png", QColor(0, 0, 255));
    const QString broken = dir.filePath("broken.png");
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\x89PNG not really");
    }
    auto* button = Get<QPushButton>(1112);
    TextureStore& store = TextureStore::Instance();
    const auto centre = [] {
        const QImage shown = Renderer::Instance().PresentedImage();
        return shown.pixelColor(shown.width() / 2, shown.height() / 2);
    };

    // Cancelled: the button stays down and nothing else changes.
    button->click();
    EXPECT_TRUE(button->isChecked());
    EXPECT_EQ(button->text(), "No Files");
    EXPECT_TRUE(View().backgroundImageName.empty());
    EXPECT_EQ(m_files->filtersAsked, QStringList{"png"});

    // Up and down again, then chosen.
    button->click();
    EXPECT_EQ(button->text(), "No File");
    m_files->answers = {red};
    button->click();
    EXPECT_EQ(button->text(), "red.png");
    EXPECT_EQ(View().backgroundImageName, "red.png");
    EXPECT_EQ(QString::fromStdString(View().backgroundImagePath), red);
    ASSERT_NE(store.Bind("red.png"), nullptr);
    EXPECT_EQ(centre(), QColor(255, 0, 0));

    // Choosing again lets the old image go.
    button->click();
    m_files->answers = {blue};
    button->click();
    EXPECT_EQ(store.Find("red.png"), nullptr);
    EXPECT_EQ(View().backgroundImageName, "blue.png");
    EXPECT_EQ(centre(), QColor(0, 0, 255));

    button->click();
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(button->text(), "No File");
    EXPECT_TRUE(View().backgroundImageName.empty());
    EXPECT_TRUE(View().backgroundImagePath.empty());
    EXPECT_EQ(store.Find("blue.png"), nullptr);
    EXPECT_EQ(centre(), QColor(0, 0, 0));

    // A file that is no image keeps its name with nothing drawn.
    m_files->answers = {broken};
    button->click();
    EXPECT_EQ(View().backgroundImageName, "broken.png");
    EXPECT_EQ(store.Bind("broken.png"), nullptr);
    EXPECT_EQ(centre(), QColor(0, 0, 0));
}

}  // namespace
}  // namespace plk
