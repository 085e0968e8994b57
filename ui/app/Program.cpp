// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Program.h"

#include "board/BoardWindow.h"
#include "common/Controls.h"
#include "common/GameSession.h"
#include "info/ScorePanel.h"
#include "size/SizeDialog.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>

#include <cstdio>

namespace pexaro::ui {

namespace {

// Fusion paints the buttons' own face colours on every desktop. Its menu bar
// would read its overflow arrow through Qt's image plugins, loading every one
// of them as the board window is made: the arrow is read as the PNG it is.
// No signals or slots: no moc.
class GameStyle : public QProxyStyle { // clazy:exclude=missing-qobject-macro
public:
    explicit GameStyle(QObject* owner)
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
    {
        setParent(owner);
    }

    QIcon standardIcon(
        StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        if (which != SP_ToolBarHorizontalExtensionButton)
            return QProxyStyle::standardIcon(which, option, widget);
        return QIcon(readPicture(
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/toolbar-ext-h-16.png"),
            "png"));
    }
};

} // namespace

Program::Program(std::unique_ptr<Game> game, QObject* parent)
    : QObject(parent)
    , session_(std::make_unique<GameSession>(std::move(game)))
{
    QApplication::setStyle(new GameStyle(QCoreApplication::instance()));
}

Program::~Program() = default;

const Game& Program::game() const
{
    return session_->game();
}

void Program::start()
{
    SizeDialog& dialog = sizeDialog();
    dialog.show();
    dialog.activateWindow();
}

SizeDialog& Program::sizeDialog()
{
    if (!dialog_) {
        dialog_ = std::make_unique<SizeDialog>(*session_);
        connect(dialog_.get(), &SizeDialog::startGameRequested, this, &Program::startGame);
        connect(dialog_.get(), &SizeDialog::exitRequested, this, &Program::endProgram);
        dialog_->initialize();
    }
    return *dialog_;
}

BoardWindow& Program::boardWindow()
{
    if (!board_) {
        board_ = std::make_unique<BoardWindow>(*session_);
        connect(board_.get(), &BoardWindow::newGameRequested, this, &Program::returnToSizeDialog);
        connect(board_.get(), &BoardWindow::exitRequested, this, &Program::endProgram);
        if (panel_)
            dockPanelToBoard();
        beginGameOnBoard();
    }
    return *board_;
}

ScorePanel& Program::scorePanel()
{
    if (!panel_) {
        panel_ = std::make_unique<ScorePanel>(*session_);
        connect(panel_.get(), &ScorePanel::exitRequested, this, &Program::endProgram);
        panel_->redraw(); // the opening prompt
        if (board_)
            dockPanelToBoard();
    }
    return *panel_;
}

// Start Game: the dialog has hidden itself. The first time, creating the board
// window already began a game; beginning again deals anew, as on every start.
// The board shows before the panel, so that its cards are painted first.
void Program::startGame()
{
    BoardWindow& board = boardWindow();
    board.show();
    scorePanel().show();
    beginGameOnBoard();
    board.focusBoard();
}

// The board window's start-up for a game: the board is dealt, sized and placed
// with the panel beside it, disabled.
void Program::beginGameOnBoard()
{
    ScorePanel& panel = scorePanel();
    session_->startGame();
    board_->layOutForGame(panel.frameGeometry().size());
}

// The panel follows the board, hands it the keyboard focus, and comes and
// goes with its Information Window command.
void Program::dockPanelToBoard()
{
    panel_->followBoard(board_.get());
    connect(panel_.get(), &ScorePanel::focusDeclined, board_.get(), &BoardWindow::focusBoard);
    connect(board_.get(), &BoardWindow::scorePanelToggled, panel_.get(), &QWidget::setVisible);
}

void Program::returnToSizeDialog()
{
    scorePanel().hide();
    board_->hide();
    SizeDialog& dialog = sizeDialog();
    dialog.show();
    dialog.activateWindow();
}

void Program::endProgram()
{
    for (QWidget* window : {static_cast<QWidget*>(panel_.get()),
             static_cast<QWidget*>(board_.get()), static_cast<QWidget*>(dialog_.get())})
        if (window)
            window->hide();
    emit ended();
    QCoreApplication::exit(0);
}

namespace {

// Under Wayland a program may not place its own windows, and the panel must
// dock beside the board: XWayland unless the user chose a platform. False with
// no display at all, where Qt would advise reinstalling, which fixes nothing.
bool choosePlatform()
{
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (chosen.isEmpty() && wayland && qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    const bool needsDisplay
        = chosen.isEmpty() || chosen.startsWith("xcb") || chosen.startsWith("wayland");
    return !needsDisplay || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int runPexaro(int argc, char* argv[])
{
    if (!choosePlatform()) {
        std::fputs("pexaro: no display to show the game on (DISPLAY and WAYLAND_DISPLAY are "
                   "unset): start it from a desktop session, or set DISPLAY\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pexaro"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pexaro.Pexaro"));
    QApplication::setQuitOnLastWindowClosed(false); // windows hide; only ending the program quits
    Program program(std::make_unique<Game>());
    program.start();
    return QApplication::exec();
}

} // namespace pexaro::ui
