// A label that keeps its whole caption readable in its design width: when
// the toolkit's font is wider than the one the form was designed with, the
// caption is drawn condensed, then smaller, until it fits.
#pragma once

#include <QLabel>

namespace tnq {

class FitLabel : public QLabel {
    Q_OBJECT
public:
    explicit FitLabel(const QString& text = {}, QWidget* parent = nullptr);

    // The font the caption is drawn with in the current width.
    QFont FittedFont() const;

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace tnq
