#pragma once

#include <QListWidget>
#include <QStringList>
#include <functional>

namespace plk {

// The palette's slot list: an icon list that takes files dropped from the file manager and
// reports them with the item they landed on (-1 for empty space).
class PaletteList : public QListWidget {
    Q_OBJECT
public:
    using DropHandler = std::function<void(int hitIndex, const QStringList& paths)>;

    explicit PaletteList(QWidget* parent);
    void SetDropHandler(DropHandler handler) { m_onDrop = std::move(handler); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    DropHandler m_onDrop;
};

}  // namespace plk
