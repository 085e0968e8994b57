// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A second start-up baseline: the bare window with one line of text, which
// is all it takes to make Qt load the system's font configuration.
#include "PaintProbe.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    pexaro::bench::FirstPaintReporter reporter(QStringLiteral("bare"));
    QLabel window(QStringLiteral("Select a Board Size: (Rows/Columns)"));
    window.setObjectName(QStringLiteral("bare"));
    window.resize(306, 195);
    window.show();
    return QApplication::exec();
}
