// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace pexaro::bench {

// The clock the launcher reads before it starts a child, so that the two
// sides of a process-start figure can be subtracted.
inline std::int64_t monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t {now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

inline double millisecondsBetween(std::int64_t fromNs, std::int64_t toNs)
{
    return static_cast<double>(toNs - fromNs) / 1e6;
}

// Watches every paint in the application and notes the moment a set of named
// widgets has been painted and the window-system flush that follows their
// painting pass has gone out. A window paints all its dirty widgets and then
// flushes in one go, within one event; so the first event of any other kind
// that is delivered after the last expected paint marks the end of the flush.
// A posted event makes sure such an event comes even in an idle program.
class PaintProbe : public QObject {
    Q_OBJECT
public:
    PaintProbe() { QApplication::instance()->installEventFilter(this); }

    // Starts waiting for one paint of each of `names`.
    void expect(const QStringList& names)
    {
        pending_ = QSet<QString>(names.begin(), names.end());
        armed_ = false;
        stampNs_ = 0;
        finished_ = false;
    }

    // Runs the event loop until the expected paints have been flushed; the
    // time they were, or 0 after `timeoutMs`.
    std::int64_t wait(int timeoutMs = 5000)
    {
        if (!finished_) {
            QEventLoop loop;
            connect(this, &PaintProbe::painted, &loop, &QEventLoop::quit);
            QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return finished_ ? stampNs_ : 0;
    }

    bool finished() const { return finished_; }
    std::int64_t stampNs() const { return stampNs_; }

signals:
    void painted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            if (!pending_.isEmpty() && pending_.remove(watched->objectName())
                && pending_.isEmpty()) {
                armed_ = true;
                QCoreApplication::postEvent(this, new QEvent(kWake), Qt::HighEventPriority);
            }
        } else if (armed_) {
            armed_ = false;
            stampNs_ = monotonicNs();
            finished_ = true;
            emit painted();
        }
        return QObject::eventFilter(watched, event);
    }

    bool event(QEvent* event) override { return event->type() == kWake || QObject::event(event); }

private:
    static constexpr QEvent::Type kWake = static_cast<QEvent::Type>(QEvent::User + 1);

    QSet<QString> pending_;
    bool armed_ = false;
    std::int64_t stampNs_ = 0;
    bool finished_ = false;
};

// For the process-start harnesses: prints the moment `windowName` was first
// painted and flushed, as "paint <CLOCK_MONOTONIC ns>", and ends the process.
class FirstPaintReporter : public QObject {
public:
    explicit FirstPaintReporter(const QString& windowName)
    {
        probe_.expect({windowName});
        connect(&probe_, &PaintProbe::painted, this, [this] {
            std::printf("paint %lld\n", static_cast<long long>(probe_.stampNs()));
            std::fflush(stdout);
            std::_Exit(0); // the figure is out; tearing down would only cost time
        });
    }

private:
    PaintProbe probe_;
};

} // namespace pexaro::bench
