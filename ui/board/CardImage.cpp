// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/CardImage.h"

#include "board/Artwork.h"

#include <QMouseEvent>
#include <QPainter>

namespace pexaro::ui {

CardImage::CardImage(Artwork& artwork, int drawing, int index, QWidget* parent)
    : QWidget(parent)
    , artwork_(artwork)
    , drawing_(drawing)
    , index_(index)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
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
