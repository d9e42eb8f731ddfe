#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

namespace {

// The one application object that widget tests need. It lives from before the first
// test to after the last and is destroyed before the program's static objects, which
// some of its members refer to.
class WidgetTestApp : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[15] = "stillmark-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WidgetTestApp);

}  // namespace
