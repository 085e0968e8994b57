#pragma once

#include <QPushButton>

namespace pexaro::ui {

// A push button whose caption may use the whole face inside the bevel: the
// style's own label margins would cut the ends off a caption laid out for a
// button this small (" &Next Turn" in 65 pixels). Its letters are centred.
class CaptionButton : public QPushButton {
public:
    CaptionButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace pexaro::ui
