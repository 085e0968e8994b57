// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The baseline start-up: a Qt Widgets program that opens one empty window the
// size of the board size dialog and reports its first paint.
#include "PaintProbe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    pexaro::bench::FirstPaintReporter reporter(QStringLiteral("bare"));
    QWidget window;
    window.setObjectName(QStringLiteral("bare"));
    window.resize(306, 195);
    window.show();
    return QApplication::exec();
}
