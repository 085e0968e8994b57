// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/Controls.h"

#include "common/ScreenReader.h"
#include "common/Twips.h"

#include <QImageReader>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace pexaro::ui {

namespace {

double relativeLuminance(const QColor& colour)
{
    const auto linear = [](float channel) {
        return channel <= 0.04045f ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

} // namespace

QString elementName(const QString& arrayName, int index)
{
    return QStringLiteral("%1(%2)").arg(arrayName).arg(index);
}

QList<QKeySequence> enterKeys()
{
    QList<QKeySequence> keys;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
        for (const Qt::KeyboardModifiers held :
            {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
                Qt::KeyboardModifiers(Qt::MetaModifier), Qt::ShiftModifier | Qt::MetaModifier})
            keys << QKeySequence(held | key);
    return keys;
}

QFont controlFont(const QString& family, double points, bool bold, bool underline)
{
    QFont font(family);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QPixmap readPicture(const QString& resource, const char* format)
{
    QImageReader reader(resource, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// The icon's bitmaps alone: built on the drawing, the icon would load the SVG
// icon engine and the MIME database at start-up.
QIcon programIcon()
{
    QIcon icon;
    for (const int side : {16, 32, 64})
        icon.addPixmap(readPicture(QStringLiteral(":/icon-%1.png").arg(side), "png"));
    return icon;
}

void setBackground(QWidget& control, const QColor& colour)
{
    QPalette palette = control.palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    control.setPalette(palette);
    control.setAutoFillBackground(true);
}

void setTextColour(QWidget& control, const QColor& colour)
{
    QPalette palette = control.palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    // A disabled button greys its caption, darker than the desktop's pale grey so
    // that it stays readable on a coloured face.
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    control.setPalette(palette);
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QWidget* addLine(QWidget& parent, const QString& name, int x1, int y1, int x2, int y2, int width,
    const QColor& colour)
{
    auto* line = new QWidget(&parent);
    line->setObjectName(name);
    const int left = std::min(px(x1), px(x2));
    const int top = std::min(px(y1), px(y2));
    const int length = std::max(std::abs(px(x2) - px(x1)), std::abs(px(y2) - px(y1)));
    if (y1 == y2)
        line->setGeometry(left, top - width / 2, length, width);
    else
        line->setGeometry(left - width / 2, top, width, length);
    setBackground(*line, colour);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->setAccessibleName(QStringLiteral("line"));
    line->setAccessibleDescription(QStringLiteral("decoration"));
    hideFromScreenReaders(*line);
    return line;
}

} // namespace pexaro::ui
