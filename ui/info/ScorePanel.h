// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace pexaro::ui {

class GameSession;

// The score panel: counters, status and the Next Turn button, kept docked to
// the right of the board window by its own timer.
class ScorePanel : public QWidget {
    Q_OBJECT
public:
    explicit ScorePanel(GameSession& session, QWidget* parent = nullptr);

    // The window the panel docks beside; until set, it stays where it is.
    void followBoard(QWidget* board) { board_ = board; }
    // Shows the game's counters, status and Next Turn as they are now.
    void redraw();

signals:
    // The panel took the focus without a Next Turn button to hold it.
    void focusDeclined();
    void exitRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void showStatus();
    void showCounters();
    void dockBesideBoard();
    void acceptFocus(bool accept);
    void onActivated();
    const QPixmap& background(qreal ratio);

    GameSession& session_;
    QPointer<QWidget> board_;
    QPixmap background_;
    QLabel* lblStatus_ = nullptr;
    QLabel* lblTurns_ = nullptr;
    QLabel* lblMatches_ = nullptr;
    QPushButton* cmdNext_ = nullptr;
};

} // namespace pexaro::ui
