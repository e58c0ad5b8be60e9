#pragma once

#include <QObject>

namespace plk {

// Ctrl+Y in a focused text field redoes that field's own typing, as Ctrl+Z undoes it there
// (Qt leaves Ctrl+Y to the application's redo on this platform, so the two keys would act
// on different histories). Installed on the application for as long as `owner` lives.
class FieldRedoKey : public QObject {
    Q_OBJECT
public:
    explicit FieldRedoKey(QObject* owner);
    ~FieldRedoKey() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace plk
