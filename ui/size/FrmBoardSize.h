// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include <array>

class QPushButton;
class QRadioButton;

namespace pexaro {
class Game;
}

namespace pexaro::ui {

class Program;

// The board size dialog: the first window, and the one New Game returns to.
class FrmBoardSize : public QWidget {
    Q_OBJECT
public:
    FrmBoardSize(Program& program, Game& game);

    void Form_Load();
    void optBoardSize_Click(int index);
    void cmdStart_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    // Key preview: true when the key was handled here.
    bool Form_KeyDown(const QKeyEvent& key);

    Program& program_;
    Game& game_;
    std::array<QRadioButton*, 4> optBoardSize_ {};
    QPushButton* cmdStart_ = nullptr;
};

} // namespace pexaro::ui
