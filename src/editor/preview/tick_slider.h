#pragma once

#include <QSlider>
#include <vector>

namespace plk {

// A horizontal slider whose tick marks stand at chosen values rather than at a fixed
// interval (the size sliders mark the usual window sizes). Marks outside the range are
// not drawn.
class TickSlider : public QSlider {
    Q_OBJECT
public:
    TickSlider(int minimum, int maximum, int value, QWidget* parent);

    void SetTickMarks(std::vector<int> values);
    const std::vector<int>& TickMarks() const { return m_marks; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<int> m_marks;
};

}  // namespace plk
