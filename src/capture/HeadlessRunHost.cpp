#include "capture/HeadlessRunHost.h"

#include <QCoreApplication>

#include "video/DelayWithMessages.h"

namespace sm {

HeadlessRunHost::HeadlessRunHost(WaitFunction wait) : wait_(wait ? std::move(wait) : WaitFunction(DelayWithMessages)) {}

void HeadlessRunHost::ProcessMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

}  // namespace sm
