#pragma once

#include <QPushButton>

namespace runtime {

// A command button in the graphical style: a raised bevel filled with the
// button's own background colour (its palette's Button role), the same on
// every desktop style, some of which would ignore that colour.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace runtime
