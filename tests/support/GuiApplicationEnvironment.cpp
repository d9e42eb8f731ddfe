// For test programs whose code draws with QtGui (text rendering) but has no widgets.
#include <QGuiApplication>

#include "support/ApplicationEnvironment.h"

namespace {

[[maybe_unused]] const auto* const kEnvironment
    = ::testing::AddGlobalTestEnvironment(new sm::test::ApplicationEnvironment<QGuiApplication>);

}  // namespace
