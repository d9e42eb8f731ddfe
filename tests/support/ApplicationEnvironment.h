#pragma once

#include <memory>

#include <gtest/gtest.h>

#include <QtGlobal>

namespace sm::test {

// The one application object a test program needs. It lives from before the first test
// to after the last and is destroyed before the program's static objects, which some of
// its members refer to. The tests run on the offscreen platform unless the caller chose
// another.
template <typename Application>
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<Application>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    // The application keeps referring to these, so they live as long as it does.
    int argc_ = 1;
    char name_[15] = "stillmark-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<Application> app_;
};

}  // namespace sm::test
