#include <QApplication>
#include <QCoreApplication>

#include "app/WidgetPrompts.h"
#include "app/uLang.h"
#include "app/uMain.h"
#include "video/MediaEngine.h"

namespace {

// A media engine that never opens anything: every video fails to load.
class InactiveMediaEngine : public sm::MediaEngine {
public:
    bool SetActive(bool on) override { return !on; }
    bool IsActive() const override { return false; }
    void ClearGraph() override {}
    void OpenMedia(const QString& path) override { throw std::runtime_error("No media engine available"); }
    bool Play() override { return false; }
    bool Pause() override { return false; }
    bool Stop() override { return false; }
    sm::PlayState GetPlayState() const override { return sm::PlayState::Uninitialized; }
    std::int64_t GetDuration() const override { return 0; }
    std::int64_t GetStopPosition() const override { return 0; }
    bool SeekTo(std::int64_t) override { return false; }
    bool SeekToUnits(std::int64_t) override { return false; }
    bool GrabFrame(sm::Bitmap&) override { return false; }
    bool GrabSeekFrame(sm::Bitmap&, int) override { return false; }
    void GetVideoSize(int&, int&) const override {}
    QString ListFilterNames() const override { return {}; }
    void SetMuted(bool) override {}
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(sm::lang::kProductName);
    InactiveMediaEngine engine;
    sm::WidgetPrompts prompts;
    sm::TfrmMain mainWindow(QCoreApplication::applicationDirPath(), prompts, engine);
    prompts.setParent(&mainWindow);
    mainWindow.show();
    return app.exec();
}
