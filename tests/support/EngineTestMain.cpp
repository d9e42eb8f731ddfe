// Engine tests need an application object for queued signals and timers.
#include <QCoreApplication>

#include <cstdlib>

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/log.h>
}

int main(int argc, char** argv)
{
    // A silent sound device unless the caller chose one: sound paths run, nothing is heard.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // Damaged test files make the decoders talk; the tests check the outcome instead.
    av_log_set_level(AV_LOG_FATAL);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
