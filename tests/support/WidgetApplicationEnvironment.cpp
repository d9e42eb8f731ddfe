// For test programs with widgets, waits or the main window.
#include <QApplication>

#include "support/ApplicationEnvironment.h"

namespace {

[[maybe_unused]] const auto* const kEnvironment
    = ::testing::AddGlobalTestEnvironment(new sm::test::ApplicationEnvironment<QApplication>);

}  // namespace
