// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/CardCursor.h"

#include <QPainter>

namespace pexaro::ui {

CardCursor::CardCursor(QWidget* parent)
    : QFocusFrame(parent)
{
    setObjectName(QStringLiteral("cardCursor"));
    setAccessibleName(QStringLiteral("keyboard cursor"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void CardCursor::paintEvent(QPaintEvent*)
{
    constexpr int kWidth = 2; // logical pixels, so it stays as plain on dense screens
    constexpr int kInset = 2 + kWidth / 2; // the pen is centred on the rectangle
    const QRect frame = rect().adjusted(kInset, kInset, -kInset, -kInset);
    QPainter painter(this);
    painter.setPen(QPen(Qt::white, kWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawRect(frame);
    QPen dashes(Qt::black, kWidth, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dashes.setDashPattern({2.0, 2.0}); // in pen widths: 4 pixels black, 4 white
    painter.setPen(dashes);
    painter.drawRect(frame);
}

} // namespace pexaro::ui
