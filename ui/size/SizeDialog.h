// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include <array>

class QPushButton;
class QRadioButton;

namespace pexaro::ui {

class GameSession;

// The board size dialog: the first window, and the one New Game returns to.
class SizeDialog : public QWidget {
    Q_OBJECT
public:
    explicit SizeDialog(GameSession& session, QWidget* parent = nullptr);

    // Opening state of the run: in the screen's corner, Start Game disabled.
    void initialize();

signals:
    void startGameRequested();
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void onSizeChosen(int index);
    void onStartClicked();
    // Key preview for the whole dialog: true when the key was handled here.
    bool handleKey(const QKeyEvent& key);

    GameSession& session_;
    std::array<QRadioButton*, 4> optBoardSize_ {};
    QPushButton* cmdStart_ = nullptr;
};

} // namespace pexaro::ui
