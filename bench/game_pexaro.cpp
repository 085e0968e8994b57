// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Start Game and card clicks timed in the program itself: its own main runs,
// and a driver plays it through its windows, by name, once the event loop
// has started.
#include "GameDriver.h"
#include "app/Program.h"

#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    qAddPreRoutine([] {
        auto* probe = new pexaro::bench::PaintProbe;
        probe->setParent(QCoreApplication::instance());
        probe->expect({QStringLiteral("frmBoardSize")});
        QTimer::singleShot(0, probe, [probe] {
            const bool ok = pexaro::bench::GameDriver(*probe).run(4, 6);
            std::fflush(stdout);
            std::_Exit(ok ? 0 : 1);
        });
    });
    return pexaro::ui::runPexaro(argc, argv);
}
