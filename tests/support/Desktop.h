// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "PlaySupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <optional>
#include <tuple>
#include <utility>

namespace pexaro::test {

// A desktop of the test's own, under a window manager that players use:
// openbox on an X server, or GNOME's mutter or KDE's kwin as a headless
// Wayland compositor, with the game on its XWayland. Each desktop
// has a display, runtime folder, buses and home of its own, and is stopped by
// its processes' ids. openbox is set, as a window manager that prevents focus
// stealing is, to activate no window unless the program asks.
class Desktop {
public:
    explicit Desktop(QString windowManager)
        : name_(std::move(windowManager))
    {
    }

    ~Desktop()
    {
        QDBusConnection::disconnectFromBus(busAddress_);
        for (QProcess* process : {&windowManager_, &server_, &bus_}) {
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(3000);
            }
        }
    }

    // Empty when the tools are all there.
    static QString missingTools(const QString& windowManager)
    {
        const QStringList desktop = windowManager == QLatin1String("openbox")
            ? QStringList {QStringLiteral("Xvfb"), QStringLiteral("openbox")}
            : QStringList {compositorProgram(windowManager), QStringLiteral("Xwayland"),
                QStringLiteral("dbus-daemon")};
        for (const QString& tool : desktop
                + QStringList {QStringLiteral("xdotool"), QStringLiteral("xwininfo"),
                    QStringLiteral("xprop"), QStringLiteral("xwd")})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                return tool;
        return {};
    }

    // Empty once the window manager manages the screen; else what went wrong.
    QString start()
    {
        if (!directory_.isValid() || !QDir(directory_.path()).mkpath(QStringLiteral("home")))
            return QStringLiteral("no folder for the desktop");
        const QString failure
            = name_ == QLatin1String("openbox") ? startOpenbox() : startCompositor();
        if (!failure.isEmpty())
            return failure + QStringLiteral("; its log: ") + log();
        return {};
    }

    // Clicks there with input that the window manager itself receives, as
    // mutter sees none from XTEST: its own remote input where it runs, else
    // xdotool's. Returns once a move sent after the click has arrived.
    bool click(QPoint place) const
    {
        if (session_.isEmpty())
            return run(
                QStringLiteral("xdotool mousemove %1 %2 click 1").arg(place.x()).arg(place.y()))
                .has_value();
        // From the lower right corner. mutter 48 may hold a new session's
        // first moves for seconds, or lose them: the pointer is sent again
        // until the X server sees it there.
        const QStringList screen = text(QStringLiteral("xdotool getdisplaygeometry")).split(u' ');
        const QPoint corner(screen.value(0).toInt() - 1, screen.value(1).toInt() - 1);
        const auto pointAt = [&](QPoint point) {
            return QTest::qWaitFor(
                [&] {
                    return remote("NotifyPointerMotionRelative", {1e5, 1e5})
                        && remote("NotifyPointerMotionRelative",
                            {double(point.x() - corner.x()), double(point.y() - corner.y())})
                        && text(QStringLiteral("xdotool getmouselocation"))
                               .startsWith(
                                   QStringLiteral("x:%1 y:%2 ").arg(point.x()).arg(point.y()));
                },
                test::kPatienceMs);
        };
        return pointAt(place + QPoint(1, 1)) && remote("NotifyPointerButton", {kLeftButton, true})
            && remote("NotifyPointerButton", {kLeftButton, false}) && pointAt(place);
    }

    // For the game and the X tools: as in a session of that desktop, where
    // under Wayland the game chooses XWayland by itself.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = baseEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display_);
        if (!xAuthority_.isEmpty())
            environment.insert(QStringLiteral("XAUTHORITY"), xAuthority_);
        if (name_ == QLatin1String("openbox")) {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        } else {
            environment.insert(QStringLiteral("WAYLAND_DISPLAY"), kWaylandDisplay);
            environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        }
        return environment;
    }

    // Runs an X tool against the server ("xdotool getactivewindow"): its
    // output, or nothing if it failed.
    std::optional<QByteArray> run(const QString& command) const
    {
        QStringList arguments = QProcess::splitCommand(command);
        QProcess tool;
        tool.setProcessEnvironment(environment());
        tool.start(arguments.takeFirst(), arguments);
        if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit
            || tool.exitCode() != 0) {
            tool.kill();
            tool.waitForFinished(1000);
            return std::nullopt;
        }
        return tool.readAllStandardOutput();
    }

    QString text(const QString& command) const
    {
        return QString::fromLatin1(run(command).value_or(QByteArray()).trimmed());
    }

    // Waits for a window of that title of process `pid` to show (mutter 48
    // draws frames in windows of its own that bear the title too); its id, or
    // an empty string. A search can fail as other windows come and go: it is
    // tried again.
    QString windowShown(const QString& title, qint64 pid) const
    {
        const QString search
            = QStringLiteral("xdotool search --all --onlyvisible --pid %1 --name \"^%2$\"")
                  .arg(pid)
                  .arg(title);
        QString window;
        std::ignore = QTest::qWaitFor(
            [&] {
                window = text(search).section(QLatin1Char('\n'), 0, 0);
                return !window.isEmpty();
            },
            test::kPatienceMs);
        return window;
    }

    bool becomesActive(const QString& window) const
    {
        return QTest::qWaitFor(
            [&] { return text(QStringLiteral("xdotool getactivewindow")) == window; },
            test::kPatienceMs);
    }

    // Where a window lies, without the window manager's frame.
    QRect area(const QString& window) const
    {
        const QString info = text(QStringLiteral("xwininfo -id ") + window);
        const auto field = [&](const char* name) {
            const QRegularExpression line(QLatin1String(name) + QStringLiteral(":\\s+(-?\\d+)"));
            return line.match(info).captured(1).toInt();
        };
        return {field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
            field("Height")};
    }

    // Where a window lies, with the window manager's frame around it.
    QRect frame(const QString& window) const
    {
        const QStringList extents
            = text(QStringLiteral("xprop -id %1 _NET_FRAME_EXTENTS").arg(window))
                  .section(QLatin1Char('='), 1)
                  .split(QLatin1Char(','));
        if (extents.size() != 4)
            return area(window); // a window without a frame has no extents either
        return area(window).adjusted(
            -extents[0].toInt(), -extents[2].toInt(), extents[1].toInt(), extents[3].toInt());
    }

private:
    static constexpr QLatin1StringView kWaylandDisplay {"pexaro-wayland"};
    static constexpr QLatin1StringView kMutter {"org.gnome.Mutter.RemoteDesktop"};
    static constexpr int kLeftButton = 0x110; // BTN_LEFT
    // A compositor runs this once its XWayland takes clients. It then waits
    // for the compositor to end, since mutter ends with the program it runs.
    static constexpr QLatin1StringView kReport {
        "echo \"pexaro-xwayland $DISPLAY $XAUTHORITY\"; exec tail --pid=$PPID -f /dev/null"};

    static QString compositorProgram(const QString& windowManager)
    {
        return windowManager == QLatin1String("kwin") ? QStringLiteral("kwin_wayland")
                                                      : windowManager;
    }

    QProcessEnvironment baseEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("HOME"), directory_.filePath(QStringLiteral("home")));
        if (!busAddress_.isEmpty()) {
            environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), directory_.path());
            environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress_);
        }
        return environment;
    }

    QString log() const
    {
        QFile file(directory_.filePath(QStringLiteral("window-manager.log")));
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll().right(2000))
                                              : QStringLiteral("none");
    }

    // The first line the process prints that starts with `prefix`; empty if
    // it ends or keeps silent before that.
    static QByteArray lineFrom(QProcess& process, const QByteArray& prefix = {})
    {
        for (;;) {
            while (!process.canReadLine())
                if (!process.waitForReadyRead(test::kPatienceMs))
                    return {};
            const QByteArray line = process.readLine().trimmed();
            if (line.startsWith(prefix))
                return line;
        }
    }

    QString startOpenbox()
    {
        server_.start(QStringLiteral("Xvfb"),
            QProcess::splitCommand(u"-displayfd 1 -screen 0 1024x768x24 -nolisten tcp"));
        // The server writes its display number once it accepts clients.
        const QByteArray number = lineFrom(server_);
        if (number.isEmpty())
            return QStringLiteral("Xvfb did not start");
        display_ = QLatin1Char(':') + QString::fromLatin1(number);
        QFile config(directory_.filePath(QStringLiteral("rc.xml")));
        if (!config.open(QIODevice::WriteOnly)
            || config.write("<openbox_config xmlns=\"http://openbox.org/3.4/rc\"><focus>"
                            "<focusNew>no</focusNew></focus></openbox_config>\n")
                < 0)
            return QStringLiteral("no openbox configuration");
        config.close();
        windowManager_.setProcessEnvironment(environment());
        windowManager_.setStandardErrorFile(
            directory_.filePath(QStringLiteral("window-manager.log")));
        // Beside other tests' servers coming and going, openbox sometimes
        // fails to open the display as it starts: it starts again until the
        // screen is managed.
        const bool managed = QTest::qWaitFor(
            [&] {
                if (windowManager_.state() == QProcess::NotRunning)
                    windowManager_.start(QStringLiteral("openbox"),
                        {QStringLiteral("--config-file"), config.fileName()});
                return managesTheScreen();
            },
            test::kPatienceMs);
        return managed ? QString() : QStringLiteral("openbox does not manage the screen");
    }

    QString startCompositor()
    {
        bus_.start(QStringLiteral("dbus-daemon"),
            QProcess::splitCommand(u"--session --nofork --nopidfile --print-address=1"));
        busAddress_ = QString::fromLatin1(lineFrom(bus_));
        if (busAddress_.isEmpty())
            return QStringLiteral("no bus");
        // Each makes XWayland's socket in the X socket folder, which an X server
        // makes when it is missing; mutter would make it without the mode it
        // then insists on, writable by all and sticky.
        if (::mkdir("/tmp/.X11-unix", 01777) == 0)
            ::chmod("/tmp/.X11-unix", 01777);

        QString program = QStandardPaths::findExecutable(compositorProgram(name_));
        QStringList arguments;
        if (name_ == QLatin1String("kwin")) {
            // Debian gives kwin_wayland a file capability, which a root without
            // it may not execute; a copy carries none. It keeps its name, by
            // which kwin finds its own platform plugin.
            const QString copy = directory_.filePath(QStringLiteral("kwin_wayland"));
            if (!QFile::copy(program, copy))
                return QStringLiteral("kwin_wayland could not be copied");
            program = copy;
            arguments = QProcess::splitCommand(u"--virtual --xwayland --width 1024 --height 768 "
                                               u"--no-lockscreen --socket")
                << kWaylandDisplay << QStringLiteral("sh -c '%1'").arg(kReport);
        } else {
            arguments = QProcess::splitCommand(
                            u"--wayland --headless --virtual-monitor 1024x768 --wayland-display")
                << kWaylandDisplay << QStringLiteral("--") << QStringLiteral("sh")
                << QStringLiteral("-c") << kReport;
        }
        windowManager_.setProcessEnvironment(baseEnvironment());
        windowManager_.setStandardErrorFile(
            directory_.filePath(QStringLiteral("window-manager.log")));
        windowManager_.start(program, arguments);
        const QByteArray report = lineFrom(windowManager_, "pexaro-xwayland");
        if (report.isEmpty())
            return name_ + QStringLiteral(" started no XWayland");
        const QList<QByteArray> words = report.split(' ');
        display_ = QString::fromLatin1(words.value(1));
        xAuthority_ = QString::fromLocal8Bit(words.value(2));
        if (!QTest::qWaitFor([&] { return managesTheScreen(); }, test::kPatienceMs))
            return name_ + QStringLiteral(" does not manage the screen");
        return name_ == QLatin1String("kwin") ? QString() : startRemoteInput();
    }

    // A remote desktop session of mutter's, which lasts as long as this
    // connection to the bus.
    QString startRemoteInput()
    {
        QDBusConnection::connectToBus(busAddress_, busAddress_);
        const QDBusMessage session = call(
            kMutter, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), kMutter, "CreateSession");
        session_ = session.arguments().value(0).value<QDBusObjectPath>().path();
        if (session_.isEmpty())
            return QStringLiteral("no remote desktop: ") + session.errorMessage();
        return remote("Start") ? QString() : QStringLiteral("the remote desktop did not start");
    }

    bool remote(const char* method, const QVariantList& arguments = {}) const
    {
        return call(kMutter, session_, kMutter + QStringLiteral(".Session"), method, arguments)
                   .type()
            == QDBusMessage::ReplyMessage;
    }

    QDBusMessage call(const QString& service, const QString& path, const QString& interface,
        const char* method, const QVariantList& arguments = {}) const
    {
        QDBusMessage message
            = QDBusMessage::createMethodCall(service, path, interface, QLatin1String(method));
        message.setArguments(arguments);
        return QDBusConnection(busAddress_).call(message);
    }

    bool managesTheScreen() const
    {
        return text(QStringLiteral("xprop -root _NET_SUPPORTING_WM_CHECK"))
            .contains(QLatin1String("window id"));
    }

    const QString name_;
    QTemporaryDir directory_;
    QProcess bus_;
    QProcess server_;
    QProcess windowManager_;
    QString busAddress_;
    QString session_; // mutter's remote desktop session, while this connection lasts
    QString display_;
    QString xAuthority_;
};

} // namespace pexaro::test
