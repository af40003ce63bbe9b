// A frame of the window's design: an etched border whose top line runs half
// a text line below the frame's top, headed by its caption, or by an option
// button or check box that stands over the top line in the caption's place.
// The border is never drawn behind what heads it.
#pragma once

#include <QGroupBox>
#include <QString>

namespace trevalco::controls {

class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent = nullptr);
    Frame(const QString& caption, QWidget* parent);

    // A control standing over the top line in the place of a caption.
    void SetHeading(QWidget* heading);

    // Where the border is drawn, and where the caption or the heading stands
    // (empty without one), in the frame's own coordinates.
    QRect BorderRect() const;
    QRect CaptionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* heading_ = nullptr;  // a sibling, owned by the same window
};

}  // namespace trevalco::controls
