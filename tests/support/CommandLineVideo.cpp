#include "support/CommandLineVideo.h"

#include <QFile>
#include <QProcess>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dovi_meta.h>
}

#include "video/AvError.h"
#include "video/AvHandles.h"

namespace sm::test {
namespace {

QByteArray RunFfmpeg(const QStringList& arguments)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), QStringList{"-v", "error", "-nostdin", "-y"} + arguments);
    if (!ffmpeg.waitForFinished(120'000) || ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0)
        throw std::runtime_error("ffmpeg failed: " + ffmpeg.readAllStandardError().toStdString());
    return ffmpeg.readAllStandardOutput();
}

// Copies a file's one video stream into Matroska, declaring a Dolby Vision
// configuration of the profile without a base layer others can show.
void DeclareDolbyVision(const QString& from, const QString& to, int profile)
{
    AVFormatContext* rawInput = nullptr;
    ThrowIfAvError(avformat_open_input(&rawInput, QFile::encodeName(from).constData(), nullptr, nullptr), "open");
    InputFormatPtr input(rawInput);
    ThrowIfAvError(avformat_find_stream_info(input.get(), nullptr), "stream information");
    AVFormatContext* rawOutput = nullptr;
    const QByteArray file = QFile::encodeName(to);
    ThrowIfAvError(avformat_alloc_output_context2(&rawOutput, nullptr, "matroska", file.constData()), "output");
    OutputFormatPtr output(rawOutput);
    AVStream* stream = avformat_new_stream(output.get(), nullptr);
    if (!stream)
        throw std::bad_alloc();
    ThrowIfAvError(avcodec_parameters_copy(stream->codecpar, input->streams[0]->codecpar), "parameters");
    stream->codecpar->codec_tag = 0;
    stream->time_base = input->streams[0]->time_base;
    auto* dolby = reinterpret_cast<AVDOVIDecoderConfigurationRecord*>(
        av_stream_new_side_data(stream, AV_PKT_DATA_DOVI_CONF, sizeof(AVDOVIDecoderConfigurationRecord)));
    if (!dolby)
        throw std::bad_alloc();
    std::memset(dolby, 0, sizeof *dolby);
    dolby->dv_version_major = 1;
    dolby->dv_profile = std::uint8_t(profile);
    dolby->dv_level = 1;
    dolby->rpu_present_flag = 1;
    dolby->bl_present_flag = 1;
    ThrowIfAvError(avio_open(&output->pb, file.constData(), AVIO_FLAG_WRITE), "create file");
    ThrowIfAvError(avformat_write_header(output.get(), nullptr), "write header");
    PacketPtr packet = MakePacket();
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        av_packet_rescale_ts(packet.get(), input->streams[0]->time_base, stream->time_base);
        packet->stream_index = 0;
        ThrowIfAvError(av_interleaved_write_frame(output.get(), packet.get()), "write packet");
    }
    ThrowIfAvError(av_write_trailer(output.get()), "write trailer");
}

}  // namespace

Bitmap CommandLinePicture(const QString& path, const QString& filters, int width, int height)
{
    QByteArray raw;
    try {
        raw = RunFfmpeg({"-i", path, "-vf", filters, "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "bgr24", "-"});
    } catch (const std::runtime_error&) {
        return {};
    }
    if (raw.size() != qsizetype(width) * height * 3)
        return {};
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        std::memcpy(bitmap.row(y), raw.constData() + qsizetype(y) * width * 3, std::size_t(width) * 3);
    return bitmap;
}

void WriteColorBars(const QString& path, BarsTransfer transfer, int width, int height, int dolbyVisionProfile)
{
    const char* primaries = transfer == BarsTransfer::Sdr ? "bt709" : "bt2020";
    const char* matrix = transfer == BarsTransfer::Sdr ? "bt709" : "bt2020nc";
    const char* curve = transfer == BarsTransfer::Sdr  ? "bt709"
                        : transfer == BarsTransfer::Pq ? "smpte2084"
                                                       : "arib-std-b67";
    const QString bars = QStringLiteral("smptehdbars=size=%1x%2:rate=25").arg(width).arg(height);
    const QString carried = QStringLiteral("zscale=tin=bt709:pin=bt709:min=bt709:rin=tv:t=%1:p=%2:m=%3:r=tv:npl=100,"
                                           "format=yuv420p10le")
                                .arg(QLatin1String(curve), QLatin1String(primaries), QLatin1String(matrix));
    const QString target = dolbyVisionProfile > 0 ? path + QStringLiteral(".base.mkv") : path;
    RunFfmpeg({"-f",
               "lavfi",
               "-i",
               bars,
               "-vf",
               carried,
               "-frames:v",
               "3",
               "-c:v",
               "libx265",
               "-x265-params",
               "lossless=1:log-level=error",
               "-color_primaries",
               primaries,
               "-color_trc",
               curve,
               "-colorspace",
               matrix,
               "-color_range",
               "tv",
               target});
    if (dolbyVisionProfile > 0) {
        DeclareDolbyVision(target, path, dolbyVisionProfile);
        QFile::remove(target);
    }
}

std::vector<int> ColorBarCentres(int width)
{
    // A grey eighth, then seven bars of 3/28 of the width each, rounded up to even.
    const int eighth = width / 8;
    const int bar = (width * 3 / 28 + 1) & ~1;
    std::vector<int> centres;
    for (int i = 0; i < 7; ++i)
        centres.push_back(eighth + i * bar + bar / 2);
    return centres;
}

int ColorBarRow(int height) { return height * 7 / 24; }

void WriteMovingDisc(const QString& path, DiscVideo kind, int width, int height, int speed, int frames)
{
    // The disc is white through a Gaussian alpha, laid over dark grey.
    const QString graph
        = QStringLiteral("color=c=0x404040:s=%1x%2:r=50[bg];"
                         "color=c=white:s=161x161:r=50,format=yuva420p,"
                         "geq=lum='lum(X,Y)':cb=128:cr=128:a='255*exp(-((X-80)*(X-80)+(Y-80)*(Y-80))/1152)'[disc];"
                         "[bg][disc]overlay=x='%3+t*50*%4':y=(H-h)/2:format=yuv420,format=yuv420p%5")
              .arg(width)
              .arg(height)
              .arg(DiscCentreX(speed, 0) - 80)
              .arg(speed)
              .arg(kind == DiscVideo::Progressive ? QString() : QStringLiteral(",interlace=scan=tff:lowpass=0"));
    QStringList arguments{"-filter_complex", graph};
    switch (kind) {
    case DiscVideo::Progressive:
        arguments << "-frames:v" << QString::number(2 * frames) << "-c:v"
                  << "ffv1";
        break;
    case DiscVideo::InterlacedMpeg2:
        arguments << "-frames:v" << QString::number(frames) << "-c:v"
                  << "mpeg2video"
                  << "-q:v"
                  << "2"
                  << "-flags"
                  << "+ildct+ilme"
                  << "-top"
                  << "1";
        break;
    case DiscVideo::InterlacedH264:
        arguments << "-frames:v" << QString::number(frames) << "-c:v"
                  << "libx264"
                  << "-preset"
                  << "ultrafast"
                  << "-crf"
                  << "12"
                  << "-flags"
                  << "+ildct+ilme"
                  << "-x264opts"
                  << "tff=1";
        break;
    }
    RunFfmpeg(arguments << path);
}

int DiscCentreX(int speed, int sourceFrame) { return 100 + speed * sourceFrame; }

double CombMeasure(const Bitmap& picture)
{
    double neighbours = 0;
    double twoApart = 0;
    for (int y = 0; y + 2 < picture.height(); ++y) {
        const std::uint8_t* a = picture.row(y);
        const std::uint8_t* b = picture.row(y + 1);
        const std::uint8_t* c = picture.row(y + 2);
        for (int x = 0; x < picture.width(); ++x) {
            neighbours += std::abs(int(a[x * 3 + 1]) - int(b[x * 3 + 1]));
            twoApart += std::abs(int(a[x * 3 + 1]) - int(c[x * 3 + 1]));
        }
    }
    return twoApart > 0 ? neighbours / twoApart : 0;
}

}  // namespace sm::test
