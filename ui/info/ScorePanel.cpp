// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "info/ScorePanel.h"

#include "common/Controls.h"
#include "common/GameSession.h"
#include "common/ScreenReader.h"
#include "common/Twips.h"

#include <QCloseEvent>
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

// Labels break lines on LF alone; the game's texts use CR LF.
QString displayText(const std::string& text)
{
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
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

// The frame takes the desktop's window-text colour where it stands out from
// the light picture; a dark scheme's pale text would leave the borderless
// panel without an edge, so there it is black, as on a light desktop.
QColor frameColour()
{
    const QColor desktop = QPalette().color(QPalette::WindowText);
    return contrastRatio(desktop, Qt::white) >= 3.0 ? desktop : QColor(Qt::black);
}

} // namespace

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

    auto* dockTimer = new QTimer(this);
    dockTimer->setObjectName(QStringLiteral("tmrTimer"));
    // Polling every millisecond is the design: the panel follows the board
    // however the window manager moves it. With the board's flip timer, also
    // 1 ms, the program idles at 1 to 2 % of one core and about 900 wake-ups
    // a second (scripts/bench), as a bare Qt window with two such timers does.
    dockTimer->setInterval(1);
    connect(dockTimer, &QTimer::timeout, this, &ScorePanel::dockBesideBoard);
    dockTimer->start();
    connect(&session_, &GameSession::gameStarted, this, &ScorePanel::redraw);
    connect(&session_, &GameSession::turnScored, this, &ScorePanel::redraw);
    connect(&session_, &GameSession::cardTurned, this, &ScorePanel::showStatus);
    connect(&session_, &GameSession::nextTurnGiven, this, &ScorePanel::showStatus);
    connect(&session_, &GameSession::boardCleared, this, &ScorePanel::showCounters);
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
    cmdNext_->hide();
    connect(cmdNext_, &QPushButton::clicked, &session_, &GameSession::nextTurn);
    takeKeys(*cmdNext_, enterKeys(), &session_, &GameSession::nextTurn);
    takeKeys(*cmdNext_, {kExitKey}, this, &ScorePanel::exitRequested);

    const QColor frame = frameColour();
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
    showStatus();
    showCounters();
    setEnabled(session_.view().panelEnabled);
}

void ScorePanel::showStatus()
{
    const GameView& view = session_.view();
    showText(*lblStatus_, displayText(view.statusText), kStatusHeading);
    cmdNext_->setVisible(view.nextTurnShown);
    acceptFocus(view.nextTurnShown && view.panelEnabled);
}

void ScorePanel::showCounters()
{
    const GameView& view = session_.view();
    showText(*lblTurns_, QString::fromStdString(view.turnsCaption), kTurnsHeading);
    showText(*lblMatches_, QString::fromStdString(view.matchesCaption), kMatchesHeading);
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

} // namespace pexaro::ui
