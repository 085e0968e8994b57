// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The baseline for Start Game and card clicks: the same windows and names as
// the game, in plain Qt, with cards that paint a flat colour. It shows what
// mapping a window of 128 small widgets and showing one of them costs on this
// display, with nothing of the game's own work.
#include "GameDriver.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

class Tile : public QWidget {
public:
    Tile(QColor colour, std::function<void()> onClick, QWidget* parent)
        : QWidget(parent)
        , colour_(colour)
        , onClick_(std::move(onClick))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }
    void mouseReleaseEvent(QMouseEvent*) override
    {
        if (onClick_)
            onClick_();
    }

private:
    QColor colour_;
    std::function<void()> onClick_;
};

class Board : public QWidget {
public:
    explicit Board(std::function<void()> newGame)
    {
        setObjectName(QStringLiteral("frmPexaro"));
        setFixedSize(465, 490);
        for (int i = 0; i < 64; ++i) {
            const QPoint at(8 + 56 * (i % 8), 8 + 56 * (i / 8));
            backs_[i] = new Tile(
                Qt::darkBlue, [this, i] { turn(i); }, this);
            backs_[i]->setObjectName(QStringLiteral("imgCard(%1)").arg(i));
            backs_[i]->setGeometry(QRect(at, QSize(57, 57)));
        }
        for (int i = 0; i < 64; ++i) {
            faces_[i] = new Tile(Qt::yellow, nullptr, this);
            faces_[i]->setObjectName(QStringLiteral("imgFlip(%1)").arg(i));
            faces_[i]->setGeometry(
                QRect(QPoint(8 + 56 * (i % 8), 8 + 56 * (i / 8)), QSize(59, 57)));
            faces_[i]->hide();
        }
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("mnuNewGame"));
        connect(action, &QAction::triggered, this, std::move(newGame));
        addAction(action);
    }

    void deal()
    {
        for (int i = 0; i < 64; ++i) {
            faces_[i]->hide();
            backs_[i]->show();
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() != Qt::Key_Return)
            return;
        for (int i = 0; i < 64; ++i)
            if (faces_[i]->isVisible()) {
                faces_[i]->hide();
                backs_[i]->show();
            }
    }

private:
    void turn(int i)
    {
        backs_[i]->hide();
        faces_[i]->show();
    }

    std::array<Tile*, 64> backs_ {};
    std::array<Tile*, 64> faces_ {};
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    pexaro::bench::PaintProbe probe;

    QWidget dialog;
    dialog.setObjectName(QStringLiteral("frmBoardSize"));
    dialog.setFixedSize(306, 195);
    auto* largest = new QRadioButton(QStringLiteral("8"), &dialog);
    largest->setObjectName(QStringLiteral("optBoardSize(3)"));
    largest->setGeometry(232, 104, 41, 33);
    auto* start = new QPushButton(QStringLiteral("Start Game"), &dialog);
    start->setObjectName(QStringLiteral("cmdStart"));
    start->setGeometry(110, 152, 85, 33);

    std::unique_ptr<Board> board;
    auto newGame = [&] {
        board->hide();
        dialog.show();
    };
    QObject::connect(start, &QPushButton::clicked, [&] {
        dialog.hide();
        if (!board)
            board = std::make_unique<Board>(newGame);
        board->deal();
        board->show();
        board->activateWindow();
    });

    probe.expect({QStringLiteral("frmBoardSize")});
    dialog.show();
    const bool ok = pexaro::bench::GameDriver(probe).run(4, 6);
    std::fflush(stdout);
    std::_Exit(ok ? 0 : 1);
}
