#pragma once

#include <QDialog>

namespace plk {

// Dialog 100: the application's picture, its name and version, and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOkId = 1;
    static constexpr int kVersionTextId = -1;  // a plain static text

    explicit CAboutDlg(QWidget* parent);
};

}  // namespace plk
