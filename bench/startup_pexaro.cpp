// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Process start to the first paint of the board size dialog: the program's
// own start-up, with a probe that reports the paint and ends the process.
#include "PaintProbe.h"
#include "app/Program.h"

int main(int argc, char* argv[])
{
    qAddPreRoutine([] {
        auto* reporter = new pexaro::bench::FirstPaintReporter(QStringLiteral("frmBoardSize"));
        reporter->setParent(QCoreApplication::instance());
    });
    return pexaro::ui::runPexaro(argc, argv);
}
