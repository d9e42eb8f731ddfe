#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QThread>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

#include "batch/BatchRun.h"
#include "cli/CliInputs.h"
#include "cli/CliOptions.h"
#include "cli/CliSettings.h"
#include "cli/ParallelRun.h"
#include "cli/ProgressView.h"
#include "settings/Texts.h"
#include "video/FfmpegEngine.h"

namespace {

std::atomic<bool> stopRequested{false};

void RequestStop(int) { stopRequested = true; }

// The first Ctrl+C (or TERM) ends the run after the shots in progress; a second one
// ends the program at once.
void CatchStopSignals()
{
    struct sigaction action {};
    action.sa_handler = RequestStop;
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// stderr carries the progress; the libraries' own chatter (a damaged file makes the
// decoders talk) stays out of it. What ends the program is still told.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs((message + u'\n').toUtf8().constData(), stderr);
}

void Print(std::FILE* stream, const QString& text) { std::fputs((text + u'\n').toUtf8().constData(), stream); }

int ArgumentError(const QString& error)
{
    Print(stderr, sm::lang::kCliName + QStringLiteral(": ") + error);
    Print(stderr, sm::lang::kCliUsage);
    Print(stderr, sm::lang::kCliTryHelp);
    return 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);

    // No display is needed: the text of stamps and sheets is drawn off screen. The
    // arguments stay out of the application object, which would take some for itself.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing is played, so no sound device is opened.
    qputenv("SDL_AUDIODRIVER", "none");
    qInstallMessageHandler(QuietQt);
    sm::FfmpegEngine::ReportOnlyFatalErrors();
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

    const sm::CliParse parse = sm::ParseCliArguments(arguments);
    if (!parse.error.isEmpty())
        return ArgumentError(parse.error);
    const sm::CliOptions& options = parse.options;
    if (options.action == sm::CliOptions::Action::Help) {
        Print(stdout, sm::lang::kCliUsage + u'\n' + sm::lang::kCliHelp);
        return 0;
    }
    if (options.action == sm::CliOptions::Action::Version) {
        Print(stdout, sm::lang::kCliName + u' ' + sm::lang::kVersion);
        return 0;
    }
    if (options.inputs.isEmpty())
        return ArgumentError(sm::lang::kCliNoInput);

    sm::CliSettings built = sm::BuildCliSettings(options, QCoreApplication::applicationDirPath(), QDir::currentPath());
    if (!built.error.isEmpty())
        return ArgumentError(built.error);

    sm::ParallelRunSetup setup;
    setup.Settings = std::move(built.settings);
    try {
        sm::PrepareBatchRun(setup.Settings);
    } catch (const std::invalid_argument& error) {
        return ArgumentError(QString::fromUtf8(error.what()));
    }
    if (!QDir().mkpath(setup.Settings.OutputFolder))
        return ArgumentError(sm::lang::kCliNoOutputFolder.arg(setup.Settings.OutputFolder));
    setup.Choices.SaveDirectly = setup.Settings.SaveDirectly || options.sheetOnly;
    setup.Choices.Thumbnails = options.thumbnails;
    setup.Choices.WriteShots = !options.sheetOnly;
    setup.Choices.InfoBlock = options.info;
    setup.Choices.InfoLines = options.infoLines;
    setup.KeyFrames = options.keyFrames;
    setup.SkipExisting = options.skipExisting;
    if (options.webVtt)
        setup.PreviewTrack = options.previewShape;
    setup.Jobs = options.jobs > 0 ? options.jobs : QThread::idealThreadCount();
    setup.TimeoutSeconds = options.timeout;
    if (setup.Settings.Aggregate && setup.Jobs > 1)
        Print(stderr, sm::lang::kCliAggregateOneByOne);

    const QStringList paths = sm::GatherInputs(options.inputs, options.mask, options.recursive);
    if (paths.isEmpty()) {
        // Folders without videos leave nothing to do, which is no mistake of the caller's.
        Print(stderr, sm::lang::kCliName + QStringLiteral(": ") + sm::lang::kCliNoVideos);
        return 0;
    }

    CatchStopSignals();
    sm::ProgressView view(paths, isatty(STDERR_FILENO) != 0, stderr, stdout);
    sm::RunListener listener;
    listener.Line = [&options](const sm::VideoReport& report) {
        return options.json ? sm::JsonLine(report) : sm::TextLine(report);
    };
    listener.Started = [&view](int index) { view.Started(index); };
    listener.Planned = [&view](int index, int shots) { view.Planned(index, shots); };
    listener.ShotDone = [&view](int index, int done) { view.ShotDone(index, done); };
    listener.Finished = [&view](int index, const QString& line) { view.Result(index, line); };
    return sm::RunVideos(paths, setup, stopRequested, listener);
}
