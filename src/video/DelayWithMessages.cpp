#include "video/DelayWithMessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>

namespace sm {

void DelayWithMessages(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::processEvents();
    // Each pass sleeps in a local loop until the rest of the time is up. A nested wait
    // started by an event may outlast this loop's timer; the loop then quits as soon
    // as control returns to it, and the elapsed time is checked afresh.
    for (qint64 remaining = milliseconds - clock.elapsed(); remaining > 0; remaining = milliseconds - clock.elapsed()) {
        QEventLoop loop;
        QTimer::singleShot(std::chrono::milliseconds(remaining), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

}  // namespace sm
