// Text is rasterised with QtGui, which needs a QGuiApplication; the tests run on the
// offscreen platform.
#include <memory>

#include <gtest/gtest.h>

#include <QGuiApplication>

namespace {

class GuiApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "test_imaging";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

}  // namespace
