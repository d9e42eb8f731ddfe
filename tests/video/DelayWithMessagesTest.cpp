#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <ctime>

#include "video/DelayWithMessages.h"

using namespace sm;

namespace {

// Counts the events posted to it.
class EventCounter : public QObject {
public:
    int count = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        ++count;
        return true;
    }
};

void PostUserEvent(QObject& target) { QCoreApplication::postEvent(&target, new QEvent(QEvent::User)); }

}  // namespace

TEST(DelayWithMessages, HandlesEventsAllAlongAndReturnsAfterTheTimeAsked)
{
    EventCounter counter;
    PostUserEvent(counter);
    bool timerFired = false;
    QTimer::singleShot(60, [&] {
        timerFired = true;
        PostUserEvent(counter);
    });

    QElapsedTimer clock;
    clock.start();
    DelayWithMessages(200);

    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_TRUE(timerFired);
    EXPECT_EQ(counter.count, 2) << "events pending at entry and events arriving during the wait";
}

TEST(DelayWithMessages, HandlesPendingEventsEvenForZeroMilliseconds)
{
    EventCounter counter;
    PostUserEvent(counter);
    DelayWithMessages(0);
    EXPECT_EQ(counter.count, 1);
}

TEST(DelayWithMessages, SleepsRatherThanOccupyingTheProcessor)
{
    const std::clock_t cpuBefore = std::clock();
    QElapsedTimer clock;
    clock.start();
    DelayWithMessages(300);
    const double cpuMs = double(std::clock() - cpuBefore) * 1000.0 / CLOCKS_PER_SEC;

    EXPECT_GE(clock.elapsed(), 300);
    EXPECT_LT(cpuMs, 100.0) << "a waiting loop that spins uses the whole wait in processor time";
}

TEST(DelayWithMessages, ACommandStartedDuringAWaitCanItselfWait)
{
    QElapsedTimer clock;
    clock.start();
    qint64 innerStart = -1;
    qint64 innerEnd = -1;
    QTimer::singleShot(20, [&] {
        innerStart = clock.elapsed();
        DelayWithMessages(250);
        innerEnd = clock.elapsed();
    });

    DelayWithMessages(100);

    ASSERT_GE(innerStart, 0) << "the nested command ran";
    EXPECT_GE(innerEnd - innerStart, 250) << "the nested wait kept its own time";
    EXPECT_GE(clock.elapsed(), innerEnd) << "the outer wait resumed after the nested command ended";
}
