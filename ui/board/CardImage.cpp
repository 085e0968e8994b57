// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/CardImage.h"

#include "board/Artwork.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace pexaro::ui {

namespace {

// A card as a screen reader sees it: as any widget, but focusable, and
// focused while the keyboard's cursor is on it. Unnamed, it is no card, or a
// face that shows nothing: so the 128 cards are named without a word to a
// screen reader as the board is made.
class CardAccessible : public QAccessibleWidget {
public:
    explicit CardAccessible(CardImage* card)
        : QAccessibleWidget(card)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const QString text = QAccessibleWidget::text(kind);
        if (kind != QAccessible::Name || !text.isEmpty())
            return text;
        return static_cast<const CardImage*>(widget())->drawing() == Artwork::kBack
            ? QStringLiteral("no card")
            : QStringLiteral("card face, hidden"); // never a picture it does not show
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        state.focused = static_cast<const CardImage*>(widget())->isUnderCursor();
        return state;
    }
};

QAccessibleInterface* cardAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(CardImage::staticMetaObject.className()))
        return new CardAccessible(static_cast<CardImage*>(object));
    return nullptr;
}

} // namespace

CardImage::CardImage(Artwork& artwork, int drawing, int index, QWidget* parent)
    : QWidget(parent)
    , artwork_(artwork)
    , drawing_(drawing)
    , index_(index)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    static const bool factoryInstalled = (QAccessible::installFactory(cardAccessible), true);
    Q_UNUSED(factoryInstalled)
}

void CardImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, artwork_.pixmap(drawing_, size(), devicePixelRatioF()));
}

void CardImage::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void CardImage::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked(index_);
}

} // namespace pexaro::ui
