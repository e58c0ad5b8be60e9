#include "editor/content/resource_palette.h"

#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "editor/app/control_id.h"
#include "editor/app/file_commands.h"
#include "editor/app/qt_text.h"
#include "editor/content/palette_list.h"
#include "media/icons/palette_pictures.h"
#include "media/render/renderer.h"
#include "media/render/resource_image.h"
#include "media/render/texture_store.h"
#include "media/sound/sound_store.h"

namespace plk {
namespace {

constexpr std::size_t SizeIndexOf(int side) {
    for (std::size_t i = 0; i < kThumbnailSides.size(); ++i) {
        if (kThumbnailSides[i] == side) {
            return i;
        }
    }
    return 1;
}

// Typed coordinates read as C's atoi would (leading blanks, an optional sign, the leading
// digits; 0 when there are none), but a number too large for 32 bits stops at the limit
// instead of overflowing.
std::int32_t LeadingInteger(const QString& text) {
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace()) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        negative = text[at] == u'-';
        ++at;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        value = std::min(value * 10 + (text[at].unicode() - u'0'), kLimit);
    }
    value = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t Nudged(std::int32_t value, int delta) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{value} + delta,
                                                              -CResourcePalette::kWorldLimit,
                                                              CResourcePalette::kWorldLimit));
}

}  // namespace

CResourcePalette::CResourcePalette(QWidget* owner)
    : CToolWindow(QStringLiteral("Resource Palette"), owner),
      m_table(std::make_unique<ResourceTable>()),
      m_files(std::make_unique<QtFileDialogs>()),
      m_boxes(std::make_unique<QtMessageBoxes>()) {
    for (std::size_t i = 0; i < kThumbnailSides.size(); ++i) {
        m_emptyPictures[i] = QPixmap::fromImage(EmptySlotPicture(kThumbnailSides[i]));
        m_soundPictures[i] = QPixmap::fromImage(SoundSlotPicture(kThumbnailSides[i]));
        m_missingPictures[i] = QPixmap::fromImage(MissingSlotPicture(kThumbnailSides[i]));
        m_pictures[i].fill(m_emptyPictures[i]);
    }
    BuildControls();
    resize(460, 560);
    ClearAll();
}

CResourcePalette::~CResourcePalette() = default;

void CResourcePalette::SetDialogs(std::unique_ptr<FileDialogs> files,
                                  std::unique_ptr<MessageBoxes> boxes) {
    m_files = std::move(files);
    m_boxes = std::move(boxes);
}

void CResourcePalette::BuildControls() {
    auto* cellGroup = new QGroupBox(tr("セルサイズ"), this);
    auto* cellLayout = new QHBoxLayout(cellGroup);
    const std::array<int, 3> ids = {kCell48Id, kCell64Id, kCell128Id};
    for (std::size_t i = 0; i < kThumbnailSides.size(); ++i) {
        const int side = kThumbnailSides[i];
        auto* button = new QRadioButton(QString::number(side), cellGroup);
        SetControlId(button, ids[i]);
        cellLayout->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this, side](bool on) {
            if (on) {
                SetCellSize(side);
            }
        });
        m_cellButtons[i] = button;
    }

    auto* worldGroup = new QGroupBox(tr("ワールド座標"), this);
    auto* worldLayout = new QHBoxLayout(worldGroup);
    m_worldX = new QLineEdit(QStringLiteral("0"), worldGroup);
    m_worldY = new QLineEdit(QStringLiteral("0"), worldGroup);
    SetControlId(m_worldX, kWorldXId);
    SetControlId(m_worldY, kWorldYId);
    for (QLineEdit* edit : {m_worldX, m_worldY}) {
        edit->setValidator(new QIntValidator(std::numeric_limits<std::int32_t>::min(),
                                             std::numeric_limits<std::int32_t>::max(), edit));
        edit->installEventFilter(this);
    }
    worldLayout->addWidget(new QLabel(tr("X座標"), worldGroup));
    worldLayout->addWidget(m_worldX);
    worldLayout->addWidget(new QLabel(tr("Y座標"), worldGroup));
    worldLayout->addWidget(m_worldY);
    // Only the author's typing stores a value; values shown by the palette itself do not.
    connect(m_worldX, &QLineEdit::textEdited, this,
            [this](const QString& text) { OnWorldEdited(true, text); });
    connect(m_worldY, &QLineEdit::textEdited, this,
            [this](const QString& text) { OnWorldEdited(false, text); });

    auto* list = new PaletteList(this);
    m_list = list;
    SetControlId(m_list, kSlotListId);
    m_list->setViewMode(QListView::IconMode);
    m_list->setFlow(QListView::LeftToRight);
    m_list->setWrapping(true);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setUniformItemSizes(true);
    m_list->setWordWrap(false);
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    // Static items turn drops off; files from the file manager must still land.
    m_list->viewport()->setAcceptDrops(true);
    for (int i = 0; i < kResourceSlots; ++i) {
        m_list->addItem(QString());
    }
    list->SetDropHandler(
        [this](int hitIndex, const QStringList& paths) { DropFiles(hitIndex, paths); });
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { OnSlotClicked(m_list->row(item)); });
    // Choosing a slot with the keyboard does what a click does.
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row == SelectedSlot()) {
            OnSlotClicked(row);
        }
    });
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            &CResourcePalette::UpdateWorldEditsEnabled);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OnSlotDoubleClicked(m_list->row(item)); });
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (std::unique_ptr<QMenu> menu = CreateContextMenu()) {
            menu->exec(m_list->viewport()->mapToGlobal(at));
        }
    });

    // The list keeps its top-left corner and takes every change of the window's size.
    auto* controls = new QHBoxLayout;
    controls->addWidget(cellGroup);
    controls->addWidget(worldGroup, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_list, 1);

    m_cellButtons[SizeIndexOf(m_cellSize)]->setChecked(true);
    SetCellSize(m_cellSize);
    UpdateWorldEditsEnabled();
}

void CResourcePalette::SetCellSize(int side) {
    m_cellSize = side;
    m_list->setIconSize(QSize(side, side));
    for (int i = 0; i < kResourceSlots; ++i) {
        m_list->item(i)->setIcon(QIcon(SlotPicture(i)));
    }
    UpdateGridSize();
}

// Each cell is a square as tall as an item (picture and two lines of text).
void CResourcePalette::UpdateGridSize() {
    const int side = m_list->sizeHintForIndex(m_list->model()->index(0, 0)).height();
    m_list->setGridSize(QSize(side, side));
    m_list->doItemsLayout();
}

void CResourcePalette::showEvent(QShowEvent* event) {
    CToolWindow::showEvent(event);
    UpdateGridSize();
}

QString CResourcePalette::SlotText(int index) const {
    const ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    QString name = slot.IsEmpty() ? QStringLiteral("NoFile") : QStringFromSjis(slot.Name());
    return QStringLiteral(" %1 \n %2").arg(index, 3, 10, QLatin1Char('0')).arg(name);
}

int CResourcePalette::SelectedSlot() const {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.front());
}

QPixmap CResourcePalette::SlotPicture(int index) const {
    return m_pictures[SizeIndexOf(m_cellSize)][static_cast<std::size_t>(index)];
}

QPixmap CResourcePalette::SelectedThumbnail() const {
    return SlotPicture(std::max(SelectedSlot(), 0));
}

void CResourcePalette::SetSlotPictures(int index, const std::array<QPixmap, 3>& pictures) {
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        m_pictures[i][static_cast<std::size_t>(index)] = pictures[i];
    }
    m_list->item(index)->setIcon(QIcon(SlotPicture(index)));
}

void CResourcePalette::InstallImage(int index, const ResourceImage& image) {
    std::array<QPixmap, 3> pictures;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        pictures[i] = QPixmap::fromImage(image.thumbnails[i]);
    }
    SetSlotPictures(index, pictures);
    const std::size_t at = static_cast<std::size_t>(index);
    TextureStore::Instance().LoadFromImage(m_table->slot[at].Name(), {}, image.image, 0,
                                           TextureStore::kFileLevel);
    m_holdsTexture[at] = true;
    m_images[at] = image.image;
    ShowItem(index);
}

void CResourcePalette::ShowItem(int index) {
    QListWidgetItem* item = m_list->item(index);
    item->setText(SlotText(index));
    item->setToolTip(SlotToolTip(index));
    // The time sheet's thumbnail may show this slot's old picture.
    AskTimeSheetToRepaint(index);
}

QString CResourcePalette::SlotToolTip(int index) const {
    const std::size_t at = static_cast<std::size_t>(index);
    const ResourceSlot& slot = m_table->slot[at];
    const QString number = QStringLiteral("%1").arg(index, 3, 10, QLatin1Char('0'));
    if (index == 0) {
        return tr("%1: リソースなし").arg(number);
    }
    if (slot.IsEmpty()) {
        return tr("%1: 空き").arg(number);
    }
    QStringList lines;
    lines << QStringLiteral("%1: %2").arg(number, QStringFromSjis(slot.Name()))
          << tr("パス: %1").arg(QDir::toNativeSeparators(QStringFromSjis(slot.Path())));
    if (m_missing[at]) {
        lines << tr(
            "見つかりません: このパスにファイルがありません。"
            "右クリックの「リンクし直す...」で新しいファイルを選べます。");
    }
    if (slot.Kind() == ResourceKind::Sound) {
        lines << tr("種類: WAVE サウンド");
    } else {
        lines << tr("種類: PNG 画像");
        const QImage& image = m_images[at];
        lines << (image.isNull() ? tr("大きさ: 読み込めていません")
                                 : tr("大きさ: %1 × %2").arg(image.width()).arg(image.height()));
        lines << tr("ワールド座標: (%1, %2)").arg(slot.worldX).arg(slot.worldY);
    }
    return lines.join(u'\n');
}

std::unique_ptr<QMenu> CResourcePalette::CreateContextMenu() {
    if (SelectedSlot() < 1) {
        return nullptr;
    }
    auto menu = std::make_unique<QMenu>(this);
    QAction* load = menu->addAction(tr("リソースの読み込み・更新"));
    QAction* remove = menu->addAction(tr("リソースの削除"));
    QAction* place = menu->addAction(tr("ワールド座標の変更"));
    load->setProperty(kCommandIdProperty, kLoadCommand);
    remove->setProperty(kCommandIdProperty, kDeleteCommand);
    place->setProperty(kCommandIdProperty, kWorldPositionCommand);
    connect(load, &QAction::triggered, this, &CResourcePalette::LoadSelected);
    connect(remove, &QAction::triggered, this, &CResourcePalette::DeleteSelected);
    // A filled slot can be pointed at another file without losing its place in the scene.
    if (!m_table->slot[static_cast<std::size_t>(SelectedSlot())].IsEmpty()) {
        menu->addSeparator();
        QAction* relink = menu->addAction(tr("リンクし直す..."));
        relink->setProperty(kCommandIdProperty, kRelinkCommand);
        connect(relink, &QAction::triggered, this, &CResourcePalette::RelinkSelected);
    }
    return menu;
}

void CResourcePalette::OnSlotClicked(int index) {
    if (index < 0) {
        return;
    }
    Renderer& renderer = Renderer::Instance();
    const ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    UpdateWorldEditsEnabled();
    if (index == 0) {
        ShowWorldPosition(0, 0);
        renderer.SetCurrentImage({}, slot.worldX, slot.worldY);
        renderer.Clear(true);
    } else if (slot.Kind() == ResourceKind::Image) {
        ShowWorldPosition(slot.worldX, slot.worldY);
        renderer.SetCurrentImage(slot.Name(), slot.worldX, slot.worldY);
    } else {
        ShowWorldPosition(0, 0);
    }
    renderer.RenderPreview();
    AskTimeSheetToRepaint(index);
}

void CResourcePalette::OnSlotDoubleClicked(int index) {
    if (index < 1) {
        return;
    }
    const ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    if (slot.Kind() == ResourceKind::Sound) {
        SoundStore::Instance().Play(slot.Name());
    }
}

void CResourcePalette::ShowWorldPosition(int x, int y) {
    m_worldX->setText(QString::number(x));
    m_worldY->setText(QString::number(y));
}

void CResourcePalette::ShowSlotInPreview(int index) {
    const ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    Renderer& renderer = Renderer::Instance();
    renderer.SetCurrentImage(slot.Name(), slot.worldX, slot.worldY);
    renderer.RenderPreview();
}

void CResourcePalette::OnWorldEdited(bool xAxis, const QString& text) {
    const int index = SelectedSlot();
    if (index < 1) {
        return;
    }
    ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    QLineEdit* edit = xAxis ? m_worldX : m_worldY;
    if (slot.Kind() != ResourceKind::Image) {
        edit->setText(QStringLiteral("0"));
        return;
    }
    const PaletteWorldEdit::Position before{slot.worldX, slot.worldY};
    (xAxis ? slot.worldX : slot.worldY) = LeadingInteger(text);
    PushWorldEdit(index, before,
                  xAxis ? PaletteWorldEdit::Source::XField : PaletteWorldEdit::Source::YField);
}

void CResourcePalette::Nudge(int dx, int dy) {
    const int index = SelectedSlot();
    if (index < 1) {
        return;
    }
    ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    if (slot.Kind() != ResourceKind::Image) {
        return;
    }
    const PaletteWorldEdit::Position before{slot.worldX, slot.worldY};
    slot.worldX = Nudged(slot.worldX, dx);
    slot.worldY = Nudged(slot.worldY, dy);
    ShowWorldPosition(slot.worldX, slot.worldY);
    PushWorldEdit(index, before, PaletteWorldEdit::Source::Nudge);
}

void CResourcePalette::PushWorldEdit(int index, PaletteWorldEdit::Position before,
                                     PaletteWorldEdit::Source source) {
    const ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    const PaletteWorldEdit::Position after{slot.worldX, slot.worldY};
    if (after.x == before.x && after.y == before.y) {
        return;  // nothing changed: no step, and the file stays unmodified
    }
    // The slot already holds the new position; pushing shows it in the preview.
    PushEdit(std::make_unique<PaletteWorldEdit>(this, index, before, after, source, m_editRun));
}

void CResourcePalette::SetWorldPosition(int index, std::int32_t x, std::int32_t y) {
    ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
    slot.worldX = x;
    slot.worldY = y;
    ShowItem(index);
    if (index != SelectedSlot()) {
        return;
    }
    // The field being typed in keeps its text (and its cursor) when it already says this.
    if (LeadingInteger(m_worldX->text()) != x) {
        m_worldX->setText(QString::number(x));
    }
    if (LeadingInteger(m_worldY->text()) != y) {
        m_worldY->setText(QString::number(y));
    }
    ShowSlotInPreview(index);
}

LResult CResourcePalette::OnWindowMessage(const WindowMessage& message) {
    if (message.Message() == WM_NUDGE_RESOURCE) {
        Nudge(HighWord(message.WParameter()), LowWord(message.WParameter()));
    } else if (message.Message() == WM_NUDGE_RUN_ENDED) {
        EndEditRun();
    }
    return 0;
}

bool CResourcePalette::eventFilter(QObject* watched, QEvent* event) {
    // Typing into one coordinate field is one step until the field loses focus.
    if (event->type() == QEvent::FocusOut && (watched == m_worldX || watched == m_worldY)) {
        EndEditRun();
    }
    return CToolWindow::eventFilter(watched, event);
}

void CResourcePalette::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        DeleteSelected();
        event->accept();
        return;
    }
    CToolWindow::keyPressEvent(event);
}

void CResourcePalette::UpdateWorldEditsEnabled() {
    const int index = SelectedSlot();
    const bool image =
        index >= 1 && m_table->slot[static_cast<std::size_t>(index)].Kind() == ResourceKind::Image;
    m_worldX->setEnabled(image);
    m_worldY->setEnabled(image);
}

void CResourcePalette::ShowSelection() {
    UpdateWorldEditsEnabled();
    const int index = SelectedSlot();
    Renderer& renderer = Renderer::Instance();
    if (index >= 1 &&
        m_table->slot[static_cast<std::size_t>(index)].Kind() == ResourceKind::Image) {
        const ResourceSlot& slot = m_table->slot[static_cast<std::size_t>(index)];
        ShowWorldPosition(slot.worldX, slot.worldY);
        renderer.SetCurrentImage(slot.Name(), slot.worldX, slot.worldY);
    } else {
        ShowWorldPosition(0, 0);
        renderer.SetCurrentImage({}, 0, 0);
    }
    renderer.RenderPreview();
}

PaletteSlotContent CResourcePalette::SlotContent(int index) const {
    const std::size_t at = static_cast<std::size_t>(index);
    PaletteSlotContent content;
    content.record = m_table->slot[at];
    for (std::size_t i = 0; i < content.pictures.size(); ++i) {
        content.pictures[i] = m_pictures[i][at];
    }
    content.image = m_holdsTexture[at] ? m_images[at] : QImage();
    content.holdsSound = m_holdsSound[at];
    content.missing = m_missing[at];
    return content;
}

void CResourcePalette::RestoreSlot(int index, const PaletteSlotContent& content) {
    const std::size_t at = static_cast<std::size_t>(index);
    ReleaseSlotResource(index);
    m_table->slot[at] = content.record;
    m_missing[at] = content.missing;
    const ResourceSlot& slot = m_table->slot[at];
    for (std::size_t i = 0; i < content.pictures.size(); ++i) {
        m_pictures[i][at] = content.pictures[i];
    }
    m_list->item(index)->setIcon(QIcon(SlotPicture(index)));
    if (slot.Kind() == ResourceKind::Image && !content.image.isNull()) {
        TextureStore::Instance().LoadFromImage(slot.Name(), {}, content.image, 0,
                                               TextureStore::kFileLevel);
        m_holdsTexture[at] = true;
        m_images[at] = content.image;
    } else if (slot.Kind() == ResourceKind::Sound && content.holdsSound) {
        SoundStore& sounds = SoundStore::Instance();
        sounds.LoadFrom(slot.Name(), ToFileSystemPath(QStringFromSjis(slot.Path())));
        m_holdsSound[at] = sounds.Contains(slot.Name());
    }
    ShowItem(index);
    if (index == SelectedSlot()) {
        ShowSelection();
    } else {
        Renderer::Instance().RenderPreview();
    }
}

void CResourcePalette::RevealSlot(int index) {
    if (index < 0 || index >= kResourceSlots || index == SelectedSlot()) {
        return;
    }
    m_list->scrollToItem(m_list->item(index));
    m_list->setCurrentRow(index);
}

void CResourcePalette::AskTimeSheetToRepaint(int index) {
    SendWindowMessage(FindWindowByTitle(QStringLiteral("TimeSheet")), WM_RESOURCE_SELECTED,
                      static_cast<WParam>(index), 0);
}

}  // namespace plk
