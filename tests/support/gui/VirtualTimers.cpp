#include "VirtualTimers.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

using std::chrono::milliseconds;

// A taken-over timer stays active (KillTimer stops it, SetTimer restarts it with its own
// period) but never reaches this interval in a test.
constexpr int kHeldBackMs = 24 * 60 * 60 * 1000;
const char* const kPeriod = "virtualPeriodMs";
const char* const kDue = "virtualDueMs";

milliseconds Due(const QTimer& timer) {
    return milliseconds(timer.property(kDue).toLongLong());
}

void SetDue(QTimer& timer, milliseconds due) {
    timer.setProperty(kDue, QVariant::fromValue<qlonglong>(due.count()));
}

// The running timers of the shown windows, each taken over when it was (re)started.
std::vector<QPointer<QTimer>> ShownTimers(milliseconds now) {
    std::vector<QPointer<QTimer>> timers;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) {
            continue;
        }
        for (QTimer* timer : window->findChildren<QTimer*>()) {
            if (!timer->isActive()) {
                continue;
            }
            if (timer->interval() != kHeldBackMs) {
                timer->setProperty(kPeriod, timer->interval());
                SetDue(*timer, now + milliseconds(timer->interval()));
                timer->setInterval(kHeldBackMs);
            }
            timers.push_back(timer);
        }
    }
    return timers;
}

}  // namespace

bool RunInVirtualTime(CVirtualClock& clock, const std::function<bool()>& done, milliseconds limit) {
    const milliseconds end = clock.Now() + limit;
    for (;;) {
        QApplication::processEvents();
        if (done()) {
            return true;
        }
        const std::vector<QPointer<QTimer>> timers = ShownTimers(clock.Now());
        milliseconds next = end;
        for (const QPointer<QTimer>& timer : timers) {
            next = std::min(next, Due(*timer));
        }
        if (next >= end) {
            clock.Sleep(std::max(end - clock.Now(), milliseconds(0)));
            QApplication::processEvents();
            return done();
        }
        clock.Sleep(std::max(next - clock.Now(), milliseconds(0)));
        // A timer behind after a long handler fires once at once, as a real one does.
        // A handler may end a window and its timers with it.
        for (const QPointer<QTimer>& timer : timers) {
            if (timer != nullptr && timer->isActive() && Due(*timer) <= clock.Now()) {
                SetDue(*timer,
                       std::max(Due(*timer) + milliseconds(timer->property(kPeriod).toInt()),
                                clock.Now()));
                QMetaObject::invokeMethod(timer, "timeout");
            }
        }
    }
}
