#pragma once

#include <QPushButton>

namespace runtime::qt {

// A command button in the graphical style: a raised bevel filled with the
// button's own background colour (its palette's Button role), the same on
// every desktop style, some of which would ignore that colour. Space and
// Enter press it while it has the focus.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    // Where the caption is centred: inside the bevel, clear of the focus
    // mark at its sides.
    QRect captionRect() const { return rect().adjusted(4, 2, -4, -2); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace runtime::qt
