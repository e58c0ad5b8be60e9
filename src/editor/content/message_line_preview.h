#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <string>
#include <string_view>

class QLabel;

namespace plk {

class MessageCanvas;

// The line being written, laid out in the game's 800 x 96 message strip as the message
// window types it (the same canvas as playback, drawn here on its own), with its size in
// bytes and the part that falls below the window's three lines marked in red (a bar
// along the strip's foot, the text named in the heading).
class MessageLinePreview : public QWidget {
    Q_OBJECT
public:
    explicit MessageLinePreview(QWidget* parent = nullptr);
    ~MessageLinePreview() override;

    // Shows line `line` (0..3) holding `sjis`.
    void ShowLine(int line, std::string_view sjis);

    // What is shown, for the author and for tests.
    const QImage& Strip() const { return m_strip; }
    QString CountText() const;
    // The text below the third line; empty when the line fits.
    const QString& OverflowText() const { return m_overflow; }

private:
    class StripView;

    std::unique_ptr<MessageCanvas> m_canvas;
    QImage m_strip;
    StripView* m_view;
    QLabel* m_caption;
    QLabel* m_count;
    QString m_overflow;
};

}  // namespace plk
