// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Program.h"

#include "FrmBoardSize.h"
#include "FrmPexaro.h"
#include "FrmStats.h"
#include "Game.h"

#include <QApplication>
#include <QStyleFactory>

namespace pexaro::ui {

Program::Program(std::unique_ptr<Game> game)
    : game_(std::move(game))
{
    // A style that paints the buttons' own face colours on every desktop.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

Program::~Program() = default;

void Program::start()
{
    FrmBoardSize& dialog = frmBoardSize();
    dialog.show();
    dialog.activateWindow();
}

FrmBoardSize& Program::frmBoardSize()
{
    if (!dialog_) {
        dialog_ = std::make_unique<FrmBoardSize>(*this, *game_);
        dialog_->Form_Load();
    }
    return *dialog_;
}

FrmPexaro& Program::frmPexaro()
{
    if (!board_) {
        board_ = std::make_unique<FrmPexaro>(*this, *game_);
        board_->Form_Load();
    }
    return *board_;
}

FrmStats& Program::frmStats()
{
    if (!stats_) {
        stats_ = std::make_unique<FrmStats>(*this, *game_);
        stats_->Form_Load();
    }
    return *stats_;
}

void Program::endProgram()
{
    for (QWidget* window : {static_cast<QWidget*>(stats_.get()),
             static_cast<QWidget*>(board_.get()), static_cast<QWidget*>(dialog_.get())})
        if (window)
            window->hide();
    emit ended();
    QCoreApplication::exit(0);
}

void preferXcbOnWayland()
{
    const bool chosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (!chosen && wayland && qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace pexaro::ui
