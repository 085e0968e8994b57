#include "CaptionButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace pexaro::ui {

CaptionButton::CaptionButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    option.rect = rect().adjusted(1, 1, -1, -1); // inside the one-pixel bevel line
    // Blanks around a caption would only push its letters off centre and, in
    // a button this narrow, under the bevel; the caption itself keeps them.
    option.text = option.text.trimmed();
    painter.drawControl(QStyle::CE_PushButtonLabel, option);
}

} // namespace pexaro::ui
