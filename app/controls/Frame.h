// A frame of the window's design. A frame without a caption draws its border
// where a captioned one does, half a text line below its top, so that an
// option button or a check box placed over its top border heads it.
#pragma once

#include <QGroupBox>
#include <QString>

namespace trevalco::controls {

class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent = nullptr);
    Frame(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace trevalco::controls
