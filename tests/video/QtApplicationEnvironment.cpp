#include <gtest/gtest.h>

#include <QApplication>

namespace {

// Waits, the position bar and the main window need an application object for the
// whole test run.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_video_session";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
