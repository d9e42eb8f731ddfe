#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

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
    // Due before the wait ends, so it is handled however late the thread gets to it.
    bool timerFired = false;
    QTimer::singleShot(60, [&] { timerFired = true; });

    QElapsedTimer clock;
    clock.start();
    DelayWithMessages(200);

    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_EQ(counter.count, 1) << "events pending at entry";
    EXPECT_TRUE(timerFired) << "events arriving during the wait";
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
    // A loop that spins on processEvents never lets the event loop block; a sleeping
    // wait blocks in it and wakes only for the events (here only its own timer).
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    ASSERT_NE(dispatcher, nullptr);
    int blocked = 0;
    int awoken = 0;
    const QMetaObject::Connection onBlock
        = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] { ++blocked; });
    const QMetaObject::Connection onWake
        = QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [&] { ++awoken; });
    DelayWithMessages(300);
    QObject::disconnect(onBlock);
    QObject::disconnect(onWake);

    EXPECT_GE(blocked, 1) << "the wait sleeps in the event loop";
    EXPECT_LE(awoken, 20) << "a spinning wait wakes thousands of times";
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
