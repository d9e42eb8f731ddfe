#include "BenchSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace sm::bench {

bool EnsureTestVideo(benchmark::State& state, const char* path, int width, int height, int seconds,
                     const QStringList& encoderArguments)
{
    QStringList arguments{
        "-f", "lavfi", "-i",
        QStringLiteral("testsrc2=size=%1x%2:rate=25:duration=%3").arg(width).arg(height).arg(seconds)};
    arguments << encoderArguments << "-pix_fmt"
              << "yuv420p";
    return EnsureVideo(state, path, arguments);
}

bool EnsureVideo(benchmark::State& state, const char* path, const QStringList& arguments)
{
    if (QFile::exists(path))
        return true;
    QDir().mkpath(QFileInfo(path).path());
    const QString part = QString::fromUtf8(path) + QStringLiteral(".part.") + QString(path).section('.', -1);
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), QStringList{"-v", "error", "-y"} + arguments + QStringList{part});
    if (ffmpeg.waitForFinished(-1) && ffmpeg.exitCode() == 0 && QFile::rename(part, path))
        return true;
    state.SkipWithError("cannot generate the video");
    return false;
}

void CompressWithBareLibrary(jpeg_compress_struct& info, const Bitmap& picture, int quality)
{
    info.image_width = JDIMENSION(picture.width());
    info.image_height = JDIMENSION(picture.height());
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(picture.row(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
}

}  // namespace sm::bench
