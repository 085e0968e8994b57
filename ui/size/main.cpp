// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Game.h"
#include "Program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    pexaro::ui::preferXcbOnWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pexaro"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pexaro.Pexaro"));
    QApplication::setQuitOnLastWindowClosed(false); // windows hide; only ending the program quits
    pexaro::ui::Program program(std::make_unique<pexaro::Game>());
    program.start();
    return QApplication::exec();
}
