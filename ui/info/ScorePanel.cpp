// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "info/ScorePanel.h"

#include "Game.h"
#include "common/Controls.h"
#include "common/GameSession.h"
#include "common/ScreenReader.h"
#include "common/Twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace pexaro::ui {

namespace {

const QColor kLabelBlue(0, 0, 255);

QLabel* addLabel(QWidget& parent, const char* name, QRect geometry, const QString& caption,
    const QFont& font, const QColor& text)
{
    auto* label = new QLabel(caption, &parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(font);
    setTextColour(*label, text);
    return label;
}

// A heading whose words the control it heads already speaks.
void addHeading(
    QWidget& parent, const char* name, QRect geometry, QLatin1StringView caption, const QFont& font)
{
    hideFromScreenReaders(*addLabel(parent, name, geometry, caption, font, kLabelBlue));
}

QLabel* addCounter(QWidget& parent, const char* name, QRect geometry)
{
    QLabel* counter = addLabel(parent, name, geometry, QStringLiteral("0"),
        controlFont(QStringLiteral("Arial"), 9.75, true), Qt::black);
    counter->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    counter->setFrameStyle(QFrame::Box | QFrame::Plain);
    return counter;
}

// Shows `text` and gives the label a name that reads well on its own ("Turns:
// 3"), as a screen reader's review of the window reads it.
void showText(QLabel& label, const QString& text, QLatin1StringView heading)
{
    label.setText(text);
    const QString name = heading + QLatin1Char(' ') + text.simplified();
    if (label.accessibleName() != name) // Qt announces every call, changed or not
        label.setAccessibleName(name);
}

} // namespace

QString displayText(const std::string& text)
{
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

ScorePanel::ScorePanel(GameSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , session_(session)
{
    setScreenReaderRole(*this, QAccessible::Client); // Qt's own role, with the headings left out
    setObjectName(QStringLiteral("frmStats"));
    setWindowTitle(QStringLiteral("Game Statistics"));
    setFixedSize(twipsSize(4095, 4215));
    setBackground(*this, Qt::white);
    setTextColour(*this, QColor(128, 255, 255));
    setEnabled(false);
    createControls();

    tmrTimer_ = new QTimer(this);
    tmrTimer_->setObjectName(QStringLiteral("tmrTimer"));
    // Polling every millisecond is the design: the panel follows the board
    // however the window manager moves it. With the board's flip timer, also
    // 1 ms, the program idles at 1 to 2 % of one core and about 900 wake-ups
    // a second (scripts/bench), as a bare Qt window with two such timers does.
    tmrTimer_->setInterval(1);
    connect(tmrTimer_, &QTimer::timeout, this, &ScorePanel::dockBesideBoard);
    tmrTimer_->start();
    connect(&session_, &GameSession::changed, this, &ScorePanel::redraw);
}

void ScorePanel::createControls()
{
    const QFont arial = controlFont(QStringLiteral("Arial"), 9.75, true);
    QLabel* title = addLabel(*this, "lblStats", twipsRect(60, 120, 3975, 495),
        QStringLiteral("Game Information"),
        controlFont(QStringLiteral("Times New Roman"), 21.75, true, true), Qt::black);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    addHeading(*this, "lblLabel1", twipsRect(180, 840, 1095, 255), kTurnsHeading, arial);
    lblTurns_ = addCounter(*this, "lblTurns", twipsRect(120, 1140, 1200, 300));
    addHeading(*this, "lblLabel2", twipsRect(180, 1740, 1455, 255), kMatchesHeading, arial);
    lblMatches_ = addCounter(*this, "lblMatches", twipsRect(120, 2040, 1200, 300));

    lblStatus_ = addLabel(*this, "lblStatus", twipsRect(1320, 2520, 2655, 1575),
        QString(36, QLatin1Char(' ')) + QString::fromUtf8(kClickPrompt), arial, QColor(192, 0, 0));
    setBackground(*lblStatus_, Qt::white);
    lblStatus_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblStatus_->setWordWrap(true);
    lblStatus_->setFrameStyle(QFrame::Box | QFrame::Plain);

    addHeading(*this, "lblLabel3", twipsRect(510, 2760, 720, 255), kStatusHeading, arial);

    cmdNext_ = new QPushButton(QStringLiteral(" &Next Turn"), this);
    cmdNext_->setObjectName(QStringLiteral("cmdNext"));
    cmdNext_->setGeometry(twipsRect(180, 3240, 975, 615));
    cmdNext_->setFont(arial);
    setBackground(*cmdNext_, QColor(0, 255, 0));
    setTextColour(*cmdNext_, Qt::black);
    cmdNext_->setAutoDefault(false);
    cmdNext_->hide();
    cmdNext_->installEventFilter(this);
    connect(cmdNext_, &QPushButton::clicked, &session_, &GameSession::nextTurn);

    const QColor frame = QPalette().color(QPalette::WindowText); // the system's, not ours
    addLine(*this, QStringLiteral("Line1"), 0, 0, 0, 4200, 4, frame);
    addLine(*this, QStringLiteral("Line2"), 4080, 0, 4080, 4200, 2, frame);
    addLine(*this, QStringLiteral("Line3"), 0, 4200, 4080, 4200, 2, frame);
    addLine(*this, QStringLiteral("Line4"), 0, 0, 4080, 0, 4, frame);

    showText(*lblTurns_, lblTurns_->text(), kTurnsHeading);
    showText(*lblMatches_, lblMatches_->text(), kMatchesHeading);
    showText(*lblStatus_, lblStatus_->text(), kStatusHeading);
}

void ScorePanel::redraw()
{
    const GameView& view = session_.view();
    showText(*lblStatus_, displayText(view.statusText), kStatusHeading);
    showText(*lblTurns_, QString::fromStdString(view.turnsCaption), kTurnsHeading);
    showText(*lblMatches_, QString::fromStdString(view.matchesCaption), kMatchesHeading);
    cmdNext_->setVisible(view.nextTurnShown);
    setEnabled(view.panelEnabled);
    acceptFocus(view.nextTurnShown && view.panelEnabled);
}

// Until Next Turn shows, the window manager is told that the panel takes no
// focus: one it took only to hand back could stay, as mutter refuses a
// hand-back stamped earlier than the click that gave it.
void ScorePanel::acceptFocus(bool accept)
{
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowDoesNotAcceptFocus, !accept);
    if (flags == windowFlags())
        return;
    overrideWindowFlags(flags); // setWindowFlags() would hide the window
    if (QWindow* window = windowHandle())
        window->setFlags(flags);
}

// Keeps the panel one pixel right of the board window's outer edge, tops
// level; moves only when the board has moved.
void ScorePanel::dockBesideBoard()
{
    if (!board_)
        return;
    const QRect board = board_->frameGeometry();
    const QPoint dock(board.x() + board.width() + 1, board.y());
    if (pos() != dock)
        move(dock);
}

void ScorePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, background(devicePixelRatioF()));
}

// The picture for this screen, one picture pixel per logical pixel: on a dense
// screen the double-resolution copy, so the pattern stays sharp.
const QPixmap& ScorePanel::background(qreal ratio)
{
    const qreal pictureRatio = ratio > 1.0 ? 2.0 : 1.0;
    if (background_.isNull() || background_.devicePixelRatio() != pictureRatio) {
        background_ = readPicture(pictureRatio > 1.0 ? QStringLiteral(":/panel-background@2x.jpg")
                                                     : QStringLiteral(":/panel-background.jpg"),
            "jpeg");
        background_.setDevicePixelRatio(pictureRatio);
    }
    return background_;
}

void ScorePanel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        onActivated();
}

// Only a showing Next Turn button may keep the focus here.
void ScorePanel::onActivated()
{
    if (cmdNext_->isVisible() && isEnabled())
        cmdNext_->setFocus(Qt::ActiveWindowFocusReason);
    else
        emit focusDeclined();
}

void ScorePanel::closeEvent(QCloseEvent* event)
{
    event->ignore(); // the panel comes and goes with the board window
}

bool ScorePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cmdNext_ && event->type() == QEvent::KeyPress)
        return handleNextTurnKey(static_cast<const QKeyEvent&>(*event));
    return QWidget::eventFilter(watched, event);
}

// Ctrl+X alone ends the program; ENTER gives Next Turn. True when handled.
bool ScorePanel::handleNextTurnKey(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_X && modifiers == Qt::ControlModifier) {
        emit exitRequested();
        return true;
    }
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (enter && !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
        session_.nextTurn();
        return true;
    }
    return false;
}

} // namespace pexaro::ui
