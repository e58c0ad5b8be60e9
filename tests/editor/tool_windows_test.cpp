#include <gtest/gtest.h>

#include <QListWidget>

#include "editor/app/control_id.h"
#include "editor/app/multi_row_tab_widget.h"
#include "editor/app/tool_window.h"
#include "editor/content/message_browser.h"
#include "editor/content/profile_browser.h"
#include "editor/content/resource_palette.h"
#include "editor/preview/preview.h"
#include "editor/preview/preview_ctrl.h"
#include "editor/timesheet/time_sheet_base.h"
#include "editor_test_support.h"

namespace plk {
namespace {

TEST(ToolWindowsTest, CreatedInOrderAsModelessWindowsOwnedByTheFrame) {
    test::ClearSettings();
    CMainFrame frame;
    QStringList titles;
    for (CToolWindow* window : frame.findChildren<CToolWindow*>(Qt::FindDirectChildrenOnly)) {
        titles.append(window->windowTitle());
        EXPECT_TRUE(window->isWindow());
        EXPECT_FALSE(window->isModal());
        EXPECT_EQ(FindWindowByTitle(window->windowTitle()), window);
    }
    EXPECT_EQ(titles, (QStringList{"Resource Palette", "Message Browser", "Profile Browser",
                                   "PreView Window", "TimeSheet"}));
    // The preview owns its control panel.
    QWidget* panel = FindWindowByTitle("PreViewControl");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->parentWidget(), frame.PreView());
}

TEST(ToolWindowsTest, StartWithWhatANewCharacterHolds) {
    test::ClearSettings();
    CMainFrame frame;

    auto* list = qobject_cast<QListWidget*>(FindControl(frame.Palette(), 1000));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 256);
    EXPECT_EQ(list->item(0)->text(), " 000 \n NoFile");
    EXPECT_EQ(list->item(255)->text(), " 255 \n NoFile");

    auto* tabs = qobject_cast<MultiRowTabWidget*>(FindControl(frame.TimeSheet(), 1101));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->Count(), 3);
    EXPECT_EQ(tabs->TabText(2), "カット：3");

    // The time sheet announced its cut names to both browsers.
    QStringList names{"カット：1", "カット：2", "カット：3"};
    EXPECT_EQ(frame.MessageBrowser()->CutNames(), names);
    EXPECT_EQ(frame.ProfileBrowser()->CutNames(), names);
}

TEST(ToolWindowsTest, PaletteListsNamedSlots) {
    test::ClearSettings();
    auto made = test::MakeFrame();
    CResourcePalette& palette = *made.frame->Palette();
    ResourceSlot& slot = palette.Table().slot[7];
    std::snprintf(slot.name, sizeof slot.name, "face.png");
    slot.kind = static_cast<std::uint8_t>(ResourceKind::Image);
    palette.RebuildFromTable();
    EXPECT_EQ(palette.SlotText(7), " 007 \n face.png");
    EXPECT_EQ(made.paletteBoxes->errors.size(), 1);  // no such file here
    palette.ClearAll();
    EXPECT_EQ(palette.SlotText(7), " 007 \n NoFile");
}

}  // namespace
}  // namespace plk
