#include "editor/app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "editor/app/about_dialog.h"
#include "editor/app/autosave_controller.h"
#include "editor/app/command_ids.h"
#include "editor/app/command_table.h"
#include "editor/app/field_redo_key.h"
#include "editor/app/file_commands.h"
#include "editor/app/first_start_layout.h"
#include "editor/app/first_start_measure.h"
#include "editor/app/focus_edit_commands.h"
#include "editor/app/hidden_windows_strip.h"
#include "editor/app/lock_keys.h"
#include "editor/app/plkce_view.h"
#include "editor/app/sample_character.h"
#include "editor/app/ui_language.h"
#include "editor/app/undo_texts.h"
#include "editor/app/window_placement.h"
#include "editor/content/message_browser.h"
#include "editor/content/profile_browser.h"
#include "editor/content/resource_palette.h"
#include "editor/preview/preview.h"
#include "editor/preview/preview_ctrl.h"
#include "editor/timesheet/time_sheet_base.h"
#include "media/icons/toolbar_icons.h"

namespace plk {
namespace {

using namespace command;

// Beside the layout record: the main window's own frame and the tool windows the author
// has hidden.
constexpr const char* kMainFrameRectKey = "MainFrameRect";
constexpr const char* kHiddenWindowsKey = "HiddenToolWindows";
constexpr const char* kFieldsFoldedKey = "TimeSheetFieldsFolded";
constexpr const char* kPreviewFitsKey = "PreviewFitsWindow";
constexpr int kStatusNoticeMs = 4000;
constexpr int kLockPollMs = 300;

// Moves a window to a stored rectangle: the outer frame, decoration included.
void PlaceWindow(QWidget* window, const WindowRect& stored, bool keepSize) {
    PlaceFrame(window, stored.ToQRect(), keepSize);
}

WindowRect RectOf(const QWidget* window) {
    return WindowRect::FromQRect(FrameRect(window));
}

std::optional<QRect>& FirstStartAreaOverride() {
    static std::optional<QRect> area;
    return area;
}

QRect FirstStartArea() {
    if (FirstStartAreaOverride()) {
        return *FirstStartAreaOverride();
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        return screen->availableGeometry();
    }
    return QRect(0, 0, 1366, 768);
}

}  // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    UpdateTitle();
    setWindowIcon(QIcon(QPixmap::fromImage(ApplicationIcon())));
    // The client area: the strip naming hidden tool windows over the (empty) view.
    auto* client = new QWidget(this);
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);
    m_hiddenStrip = new HiddenWindowsStrip(client);
    m_view = new CPLKCEView(client);
    clientLayout->addWidget(m_hiddenStrip);
    clientLayout->addWidget(m_view, 1);
    setCentralWidget(client);

    CreateActions();
    new FieldRedoKey(this);
    CreateMenus();
    CreateToolbar();
    CreateStatusBar();

    // The layout is read once, before the tool windows exist.
    QRect storedFrame;
    QStringList hidden;
    bool folded = false;
    bool previewFits = true;
    {
        QSettings settings(kSettingsOrganization, kSettingsApplication);
        m_storedLayout = ReadWindowLayout(settings);
        storedFrame = settings.value(kMainFrameRectKey).toRect();
        hidden = settings.value(kHiddenWindowsKey).toStringList();
        folded = settings.value(kFieldsFoldedKey, false).toBool();
        previewFits = settings.value(kPreviewFitsKey, true).toBool();
    }
    CreateToolWindows();
    ConnectViewCommands();
    if (m_storedLayout) {
        m_timeSheet->SetFieldsFolded(folded);
        m_preview->ControlPanel()->SetFitToWindow(previewFits);
        PlaceToolWindows(*m_storedLayout);
        for (CToolWindow* window : ToolWindows()) {
            m_startHidden[window] = hidden.contains(window->windowTitle());
        }
    } else {
        PlaceToolWindowsByDefault();
    }
    if (m_storedLayout && storedFrame.isValid()) {
        PlaceFrame(this, storedFrame, false);
        m_normalFrame = storedFrame;
    }
    m_profile->ResetProfile();

    m_commands = new FileCommands(this, {m_palette, m_messages, m_profile, m_timeSheet});
    m_autosave = new AutosaveController(this, *m_commands);
    for (CToolWindow* window : ToolWindows()) {
        window->SetUndoStack(m_commands->UndoStack());
    }
    ConnectCommands();
    InstallCharacterCheck();
    UpdateRecentFileMenu();
    if (!m_storedLayout || !storedFrame.isValid()) {
        // The first start placed the frame with the tool windows.
        if (!m_firstStartFrame.isValid()) {
            resize(1024, 720);
        }
    }
}

CMainFrame::~CMainFrame() {
    // The helpers that follow focus, clipboard and undo signals go first: tearing down the
    // windows and actions they reach moves the focus and clears the history on the way.
    delete m_focusEdit;
    delete m_autosave;
}

QAction* CMainFrame::Action(int id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
    auto add = [this](int id, const QString& text) {
        auto* action = new QAction(text, this);
        action->setProperty(kCommandIdProperty, id);
        CommandPrompt prompt = PromptOf(id);
        action->setStatusTip(prompt.status);
        action->setToolTip(prompt.tip.isEmpty() ? QString(text).remove(QLatin1Char('&'))
                                                : prompt.tip);
        m_actions[id] = action;
        return action;
    };
    for (const MenuPopupSpec& popup : MainMenu()) {
        for (const MenuItemSpec& item : popup.items) {
            if (item.id != 0) {
                add(item.id, CommandText(item.text));
            }
        }
    }
    // Disabled until a field or a grid has the focus (see FocusEditCommands); their keys
    // stay with the focused control.
    for (int id : {kEditCut, kEditCopy, kEditPaste}) {
        Action(id)->setEnabled(false);
    }
    Action(kProperties)->setEnabled(false);
    Action(kViewToolbar)->setCheckable(true);
    Action(kViewStatusBar)->setCheckable(true);
    for (int id : {kViewPalette, kViewMessageBrowser, kViewProfileBrowser, kViewPreview,
                   kViewPreviewControl, kViewTimeSheet}) {
        Action(id)->setCheckable(true);
    }

    // Keys go to the commands that have a handler here; Ctrl+O opens a project. The other
    // keys are left to the focused control (undo, cut, copy, paste, pane switching).
    std::map<int, QList<QKeySequence>> keys;
    for (const AcceleratorSpec& accelerator : MainAccelerators()) {
        int id = accelerator.id == kFrameworkOpen ? kOpenProject : accelerator.id;
        if (QAction* action = Action(id); action != nullptr && action->isEnabled()) {
            keys[id].append(QKeySequence(accelerator.keys));
        }
    }
    for (auto& [id, sequences] : keys) {
        Action(id)->setShortcuts(sequences);
        Action(id)->setShortcutContext(Qt::ApplicationShortcut);
    }

    for (int i = 0; i < RecentFileList::kMaxEntries; ++i) {
        auto* action = new QAction(this);
        action->setProperty(kCommandIdProperty, kRecentFile1 + i);
        action->setVisible(false);
        connect(action, &QAction::triggered, this,
                [this, action] { m_commands->OpenRecent(action->data().toString()); });
        m_recentActions.append(action);
    }
}

void CMainFrame::CreateMenus() {
    for (const MenuPopupSpec& popup : MainMenu()) {
        QMenu* menu = menuBar()->addMenu(CommandText(popup.title));
        for (const MenuItemSpec& item : popup.items) {
            if (item.id == 0) {
                menu->addSeparator();
                continue;
            }
            menu->addAction(Action(item.id));
            if (item.id == kRecentFile1) {
                menu->addActions(m_recentActions);
            }
            if (item.id == kViewCharacterCheck) {
                AddLanguageMenu(*menu);
            }
        }
    }
}

void CMainFrame::CreateToolbar() {
    m_toolBar = new QToolBar(tr("ツール バー"), this);
    m_toolBar->setObjectName(QStringLiteral("toolbar128"));
    m_toolBar->setIconSize(QSize(kToolbarIconWidth, kToolbarIconHeight));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const ToolbarButtonSpec& button : MainToolbar()) {
        if (button.id == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = Action(button.id);
        action->setIcon(QIcon(QPixmap::fromImage(ToolbarIcon(button.glyph))));
        m_toolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    Action(kViewToolbar)->setChecked(true);
    connect(m_toolBar, &QToolBar::visibilityChanged, Action(kViewToolbar), &QAction::setChecked);
    connect(Action(kViewToolbar), &QAction::triggered, m_toolBar, &QToolBar::setVisible);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    // Standard indicator panes for Caps Lock, Num Lock and Scroll Lock.
    int i = 0;
    for (const char* name : {"indicatorCaps", "indicatorNum", "indicatorScroll"}) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(QString::fromLatin1(name));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        bar->addPermanentWidget(pane);
        m_lockPanes[static_cast<std::size_t>(i++)] = pane;
    }
    // The window system announces no change of the lock keys: their state is asked for.
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &CMainFrame::UpdateLockIndicators);
    poll->start(kLockPollMs);
    UpdateLockIndicators();
    // Whenever a prompt goes away the idle text comes back.
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& text) {
        if (text.isEmpty()) {
            bar->showMessage(IdleStatusText());
        }
    });
    bar->showMessage(IdleStatusText());
    Action(kViewStatusBar)->setChecked(true);
    connect(Action(kViewStatusBar), &QAction::triggered, bar, &QStatusBar::setVisible);
}

void CMainFrame::CreateToolWindows() {
    // Created in this order; the time sheet announces its cut names to the browsers, so it
    // comes after them.
    m_palette = new CResourcePalette(this);
    m_messages = new CMessageBrowser(this);
    m_profile = new CProfileBrowser(this);
    m_preview = new CPreView(this);
    m_timeSheet = new CTimeSheetBase(this, m_palette);
    for (CToolWindow* window : ToolWindows()) {
        connect(window, &CToolWindow::edited, this, [this] { m_commands->MarkModified(); });
    }
}

std::vector<CToolWindow*> CMainFrame::ToolWindows() const {
    return {m_palette, m_messages, m_profile, m_preview, m_preview->ControlPanel(), m_timeSheet};
}

void CMainFrame::SetFirstStartArea(std::optional<QRect> area) {
    FirstStartAreaOverride() = area;
}

void CMainFrame::PlaceToolWindowsByDefault() {
    const QRect area = FirstStartArea();
    FirstStartSizes sizes;
    sizes.decoration = kExpectedDecoration;
    // The frame's menu, toolbar and status bar, with room for the strip to name every
    // window that may start hidden.
    const QSize frame = minimumSizeHint();
    const int stripWidth = std::max(
        frame.width(), kSmallestPalette - kExpectedDecoration.left() - kExpectedDecoration.right());
    sizes.frame = QSize(frame.width(), frame.height() + m_hiddenStrip->HeightNamingAll(stripWidth));
    sizes.palette = m_palette->minimumSizeHint();
    // The browsers' laid-out sizes: they are fixed, but not applied before they are shown.
    sizes.messageBrowser = m_messages->size();
    sizes.profileBrowser = m_profile->sizeHint();
    sizes.previewControl = m_preview->ControlPanel()->sizeHint();
    sizes.timeSheet = MeasureTimeSheet(*m_timeSheet);
    const FirstStartLayout layout = PlanFirstStartLayout(area, sizes);
    m_firstStartFrame = layout.frame;
    PlaceFrame(this, layout.frame, false);
    m_normalFrame = layout.frame;
    PlaceFrame(m_palette, layout.palette, false);
    // The whole canvas in whatever room the preview got.
    m_preview->ControlPanel()->SetFitToWindow(true);
    PlaceFrame(m_preview, layout.preview, false);
    PlaceFrame(m_preview->ControlPanel(), layout.previewControl, true);
    // Folded first: unfolded fields would hold the window taller than its place.
    m_timeSheet->SetFieldsFolded(layout.timeSheetFolded);
    PlaceFrame(m_timeSheet, layout.timeSheet, false);
    PlaceFrame(m_messages, layout.messageBrowser, true);
    PlaceFrame(m_profile, layout.profileBrowser, true);
    m_startHidden[m_preview->ControlPanel()] = !layout.previewControlShown;
    m_startHidden[m_messages] = !layout.messageBrowserShown;
    m_startHidden[m_profile] = !layout.profileBrowserShown;
}

void CMainFrame::PlaceToolWindows(const WindowLayoutRecord& layout) {
    PlaceWindow(m_palette, layout.palette, false);
    PlaceWindow(m_preview, layout.preview, false);
    PlaceWindow(m_preview->ControlPanel(), layout.previewControl, false);
    PlaceWindow(m_timeSheet, layout.timeSheet, false);
    // The browsers have fixed sizes: only their positions come back.
    PlaceWindow(m_messages, layout.messageBrowser, true);
    PlaceWindow(m_profile, layout.profileBrowser, true);
}

void CMainFrame::ShowAll() {
    if (m_storedLayout && m_storedLayout->maximized != 0) {
        showMaximized();
    } else {
        show();
    }
    // After the frame, so the tool windows stand above it even without a window manager.
    // Windows the author hid stay hidden until the 表示 menu brings them back.
    for (CToolWindow* window :
         {static_cast<CToolWindow*>(m_palette), static_cast<CToolWindow*>(m_messages),
          static_cast<CToolWindow*>(m_profile), static_cast<CToolWindow*>(m_preview),
          static_cast<CToolWindow*>(m_timeSheet)}) {
        if (!m_startHidden[window]) {
            window->show();
        }
    }
    // The preview shows its panel with itself the first time; a hidden panel goes again.
    if (m_startHidden[m_preview->ControlPanel()]) {
        m_preview->ControlPanel()->hide();
    }
    m_hiddenStrip->Update();
}

WindowLayoutRecord CMainFrame::CurrentLayout() const {
    WindowLayoutRecord record = EmptyWindowLayout();
    record.palette = RectOf(m_palette);
    record.timeSheet = RectOf(m_timeSheet);
    record.preview = RectOf(m_preview);
    record.previewControl = RectOf(m_preview->ControlPanel());
    record.messageBrowser = RectOf(m_messages);
    record.profileBrowser = RectOf(m_profile);
    record.maximized = isMaximized() ? 1 : 0;
    return record;
}

void CMainFrame::EndBySignal() {
    m_autosave->WriteCopyAndWait();
    m_endingBySignal = true;
    if (QApplication::activeModalWidget() != nullptr || QThread::currentThread()->loopLevel() > 1) {
        // A modal dialog (the recovery offer at start too) waits for an answer that will
        // not come, and closing cannot end its loop cleanly. The edits are in the recovery
        // copy: end here.
        StoreLayout();
        std::fflush(nullptr);
        std::_Exit(0);
    }
    close();
}

void CMainFrame::StoreLayout() {
    QSettings settings(kSettingsOrganization, kSettingsApplication);
    WriteWindowLayout(settings, CurrentLayout());
    QStringList hidden;
    for (CToolWindow* window : ToolWindows()) {
        if (!window->isVisible()) {
            hidden << window->windowTitle();
        }
    }
    settings.setValue(kHiddenWindowsKey, hidden);
    settings.setValue(kFieldsFoldedKey, m_timeSheet->FieldsFolded());
    settings.setValue(kPreviewFitsKey, m_preview->FitToWindow());
    // A maximized frame keeps the place it will come back to when restored.
    if (!isMaximized() && !isMinimized() && !isFullScreen()) {
        m_normalFrame = FrameRect(this);
    }
    if (m_normalFrame.isValid()) {
        settings.setValue(kMainFrameRectKey, m_normalFrame);
    }
    settings.sync();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_endingBySignal && !m_commands->ConfirmDiscard()) {
        event->ignore();
        return;
    }
    // A close that asked leaves no copy behind; one on a signal keeps the unsaved edits.
    if (!m_endingBySignal) {
        m_autosave->DiscardCopy();
    }
    StoreLayout();
    event->accept();
    Q_EMIT closed();
}

void CMainFrame::ConnectCommands() {
    auto on = [this](int id, auto slot) { connect(Action(id), &QAction::triggered, this, slot); };
    on(kNew, [this] { m_commands->New(); });
    on(kOpenProject, [this] { m_commands->Open(); });
    on(kSaveAs, [this] { m_commands->SaveAs(); });
    on(kSave, [this] { m_commands->Save(); });
    on(kExport, [this] { m_commands->Export(); });
    on(kExportAnimation, [this] { m_commands->ExportAnimation(); });
    on(kPrint, [this] { OnPrint(); });
    on(kPrintPreview, [this] { OnPrintPreview(); });
    on(kPrinterSetup, [this] { OnPrinterSetup(); });
    on(kExit, [this] { close(); });
    on(kAbout, [this] { OnAbout(); });
    on(kOpenSample, [this] { m_commands->OpenSample(); });
    connect(m_commands, &FileCommands::sampleOpened, this, [this] { PlayFirstCutLooping(*this); });
    connect(m_commands, &FileCommands::recentFilesChanged, this, &CMainFrame::UpdateRecentFileMenu);
    connect(m_commands, &FileCommands::pathChanged, this, &CMainFrame::UpdateTitle);
    connect(m_commands, &FileCommands::modifiedChanged, this, &QWidget::setWindowModified);
    connect(m_commands, &FileCommands::saved, this, [this](const QString& path) {
        statusBar()->showMessage(tr("「%1」を保存しました。").arg(QFileInfo(path).fileName()),
                                 kStatusNoticeMs);
    });
    connect(m_commands, &FileCommands::exported, this, [this](const QString& path) {
        statusBar()->showMessage(
            tr("「%1」にエクスポートしました。").arg(QFileInfo(path).fileName()), kStatusNoticeMs);
    });
    ConnectUndoCommands();
    m_focusEdit = new FocusEditCommands(this, m_timeSheet, Action(kEditCut), Action(kEditCopy),
                                        Action(kEditPaste));
}

void CMainFrame::UpdateTitle() {
    // "[*]" shows the unsaved mark while the window is modified.
    const QString path = m_commands == nullptr ? QString() : m_commands->ProjectPath();
    const QString name = path.isEmpty() ? m_doc.Title() : QFileInfo(path).fileName();
    setWindowTitle(name + QStringLiteral("[*] - ") + kApplicationTitle);
}

void CMainFrame::ConnectViewCommands() {
    const std::pair<int, QWidget*> windows[] = {
        {kViewPalette, m_palette},
        {kViewMessageBrowser, m_messages},
        {kViewProfileBrowser, m_profile},
        {kViewPreview, m_preview},
        {kViewPreviewControl, m_preview->ControlPanel()},
        {kViewTimeSheet, m_timeSheet},
    };
    std::vector<std::pair<QWidget*, QAction*>> strip;
    for (const auto& [id, window] : windows) {
        QAction* action = Action(id);
        m_viewActions[window] = action;
        window->installEventFilter(this);
        strip.emplace_back(window, action);
        connect(action, &QAction::triggered, window, [window](bool shown) {
            window->setVisible(shown);
            if (shown) {
                window->raise();
                window->activateWindow();
            }
        });
    }
    m_hiddenStrip->Watch(std::move(strip));
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        auto* window = static_cast<QWidget*>(watched);
        if (auto it = m_viewActions.find(window); it != m_viewActions.end()) {
            it->second->setChecked(event->type() == QEvent::Show);
            if (isVisible()) {
                m_hiddenStrip->Update();
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::changeEvent(QEvent* event) {
    // The frame comes back to its last normal place after being maximized.
    if (event->type() == QEvent::WindowStateChange && isMaximized() &&
        m_normalCandidate.isValid()) {
        m_normalFrame = m_normalCandidate;
    }
    QMainWindow::changeEvent(event);
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    RememberNormalFrame();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RememberNormalFrame();
}

void CMainFrame::RememberNormalFrame() {
    if (isVisible() && windowState() == Qt::WindowNoState) {
        m_normalCandidate = FrameRect(this);
    }
}

void CMainFrame::UpdateLockIndicators() {
    const std::optional<LockKeys> keys = ReadLockKeys();
    const std::array<std::pair<bool, const char*>, 3> panes = {{
        {keys && keys->caps, "CAP"},
        {keys && keys->num, "NUM"},
        {keys && keys->scroll, "SCRL"},
    }};
    for (std::size_t i = 0; i < panes.size(); ++i) {
        m_lockPanes[i]->setText(panes[i].first ? QString::fromLatin1(panes[i].second) : QString());
    }
}

void CMainFrame::ConnectUndoCommands() {
    // Application-wide keys: the tool windows are windows of their own. A focused text
    // field takes Ctrl+Z and Ctrl+Y first and undoes its own typing.
    QUndoStack* stack = m_commands->UndoStack();
    QAction* undo = Action(kEditUndo);
    QAction* redo = Action(kEditRedo);
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redo->setShortcutContext(Qt::ApplicationShortcut);
    connect(undo, &QAction::triggered, stack, &QUndoStack::undo);
    connect(redo, &QAction::triggered, stack, &QUndoStack::redo);
    connect(stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    undo->setEnabled(stack->canUndo());
    redo->setEnabled(stack->canRedo());
    // The items name the step they act on.
    connect(stack, &QUndoStack::undoTextChanged, undo,
            [undo](const QString& step) { undo->setText(UndoItemText(step)); });
    connect(stack, &QUndoStack::redoTextChanged, redo,
            [redo](const QString& step) { redo->setText(RedoItemText(step)); });
    undo->setText(UndoItemText(stack->undoText()));
    redo->setText(RedoItemText(stack->redoText()));
}

void CMainFrame::UpdateRecentFileMenu() {
    const QStringList& entries = m_commands->RecentFiles().Entries();
    // The placeholder stands in the menu, disabled, while the list is empty.
    Action(kRecentFile1)->setVisible(entries.isEmpty());
    Action(kRecentFile1)->setEnabled(false);
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        if (i < entries.size()) {
            action->setText(
                QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(entries[i])));
            action->setData(entries[i]);
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
}

QPrinter* CMainFrame::Printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>();
    }
    return m_printer.get();
}

void CMainFrame::OnPrint() {
    QPrintDialog dialog(Printer(), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_view->Print(Printer());
    }
}

void CMainFrame::OnPrintPreview() {
    QPrintPreviewDialog preview(Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, m_view, &CPLKCEView::Print);
    preview.exec();
}

void CMainFrame::OnPrinterSetup() {
    QPageSetupDialog dialog(Printer(), this);
    dialog.exec();
}

void CMainFrame::OnAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

}  // namespace plk
