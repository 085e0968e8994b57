// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace pexaro {
class Game;
}

namespace pexaro::ui {

class Program;

// The score panel: counters, status and the Next Turn button, docked to the
// right of the board window by its own timer.
class FrmStats : public QWidget {
    Q_OBJECT
public:
    FrmStats(Program& program, Game& game);

    void Form_Load();
    // The Next Turn action.
    void cmdNext_Click();
    // Mirrors a Next Turn given anywhere and hands the focus to the board.
    void nextTurnGiven();
    void tmrTimer_Timer();
    void syncFromGame();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void Form_GotFocus();
    bool cmdNext_KeyDown(const QKeyEvent& key);
    const QPixmap& background(qreal ratio);

    Program& program_;
    Game& game_;
    QPixmap background_;
    QLabel* lblStatus_ = nullptr;
    QLabel* lblTurns_ = nullptr;
    QLabel* lblMatches_ = nullptr;
    QPushButton* cmdNext_ = nullptr;
    QTimer* tmrTimer_ = nullptr;
};

// Labels break lines on LF alone; the game's texts use CR LF.
QString displayText(const std::string& text);

} // namespace pexaro::ui
