#include "support/TestVideo.h"

#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/opt.h>
}

#include "video/AvError.h"
#include "video/AvHandles.h"

namespace sm::test {
namespace {

// The picture is a grid of 5 x 4 cells. Six fixed cells make every rotation and mirror
// image detectable; the other fourteen carry 13 bits of the frame index and an even
// parity bit, most significant bit first.
constexpr int kColumns = 5;
constexpr int kRows = 4;
constexpr int kDataBits = 13;

enum CellRole : int { kWhiteMarker = -1, kBlackMarker = -2, kUnassigned = -3 };

// For each cell (row-major): a marker role, or the position of its bit (0 = first).
constexpr std::array<int, kColumns * kRows> CellRoles()
{
    std::array<int, kColumns * kRows> roles{};
    roles.fill(kUnassigned);
    roles[0 * kColumns + 0] = kWhiteMarker;
    roles[0 * kColumns + 1] = kWhiteMarker;
    roles[1 * kColumns + 0] = kBlackMarker;
    roles[0 * kColumns + 4] = kBlackMarker;
    roles[3 * kColumns + 0] = kBlackMarker;
    roles[3 * kColumns + 4] = kBlackMarker;
    int bit = 0;
    for (int& role : roles)
        if (role == kUnassigned)
            role = bit++;
    return roles;
}
constexpr auto kCellRoles = CellRoles();

// Whether a cell is white for a frame index: bit `position` of (index, parity).
bool CellIsWhite(int role, int index)
{
    if (role == kWhiteMarker)
        return true;
    if (role == kBlackMarker)
        return false;
    if (role == kDataBits)
        return (__builtin_popcount(unsigned(index)) & 1) != 0;
    return ((index >> (kDataBits - 1 - role)) & 1) != 0;
}

constexpr int kAudioRate = 44100;

struct Stream {
    AVStream* stream = nullptr;
    CodecContextPtr codec;
    std::int64_t next = 0;  // the next frame's timestamp, in the codec's time base
};

const AVCodec* VideoEncoder(VideoFormat format)
{
    switch (format) {
    case VideoFormat::H264Mp4:
    case VideoFormat::H264Mkv:
    case VideoFormat::H264Raw:
        if (const AVCodec* x264 = avcodec_find_encoder_by_name("libx264"))
            return x264;
        return avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    case VideoFormat::Mpeg4Avi:
        return avcodec_find_encoder(AV_CODEC_ID_MPEG4);
    case VideoFormat::Mpeg2Ts:
        return avcodec_find_encoder(AV_CODEC_ID_MPEG2VIDEO);
    case VideoFormat::Ffv1Mkv:
        return avcodec_find_encoder(AV_CODEC_ID_FFV1);
    }
    return nullptr;
}

const char* ContainerName(VideoFormat format)
{
    switch (format) {
    case VideoFormat::H264Mp4:
        return "mp4";
    case VideoFormat::Mpeg4Avi:
        return "avi";
    case VideoFormat::Mpeg2Ts:
        return "mpegts";
    case VideoFormat::H264Raw:
        return "h264";
    case VideoFormat::H264Mkv:
    case VideoFormat::Ffv1Mkv:
        return "matroska";
    }
    return nullptr;
}

void Require(bool condition, const char* what)
{
    if (!condition)
        throw std::runtime_error(what);
}

class Writer {
public:
    Writer(const QString& path, const TestVideoOptions& options) : options_(options)
    {
        AVFormatContext* raw = nullptr;
        const QByteArray file = path.toUtf8();
        ThrowIfAvError(avformat_alloc_output_context2(&raw, nullptr, ContainerName(options.format), file.constData()),
                       "choose container");
        output_.reset(raw);
        if (options.video)
            AddVideo();
        if (options.audio)
            AddAudio();
        ThrowIfAvError(avio_open(&output_->pb, file.constData(), AVIO_FLAG_WRITE), "create file");
        ThrowIfAvError(avformat_write_header(output_.get(), nullptr), "write header");
    }

    void Run()
    {
        const std::int64_t videoFrames = std::llround(options_.durationSeconds * options_.fps);
        const double soundSeconds = options_.audioSeconds > 0 ? options_.audioSeconds : options_.durationSeconds;
        const std::int64_t audioSamples = std::llround(soundSeconds * kAudioRate);
        Require(videoFrames - 1 <= kMaxFrameIndex, "too many frames for the pattern");
        std::int64_t frame = 0;
        std::int64_t sample = 0;
        for (;;) {
            const bool videoLeft = video_.codec && frame < videoFrames;
            const bool audioLeft = audio_.codec && sample < audioSamples;
            if (!videoLeft && !audioLeft)
                break;
            const bool videoFirst
                = videoLeft && (!audioLeft || frame * kAudioRate <= sample * std::int64_t(options_.fps));
            if (videoFirst)
                EncodeVideo(int(frame++));
            else
                sample += EncodeAudio(sample);
        }
        if (video_.codec)
            Send(video_, nullptr);
        if (audio_.codec)
            Send(audio_, nullptr);
        ThrowIfAvError(av_write_trailer(output_.get()), "write trailer");
    }

private:
    void AddVideo()
    {
        const AVCodec* encoder = VideoEncoder(options_.format);
        Require(encoder != nullptr, "no video encoder");
        video_.stream = avformat_new_stream(output_.get(), nullptr);
        video_.codec.reset(avcodec_alloc_context3(encoder));
        Require(video_.stream && video_.codec, "out of memory");
        AVCodecContext* c = video_.codec.get();
        c->width = options_.width;
        c->height = options_.height;
        c->pix_fmt = AV_PIX_FMT_YUV420P;
        c->time_base = AVRational{1, options_.fps};
        c->framerate = AVRational{options_.fps, 1};
        c->gop_size = options_.gopSize;
        c->sample_aspect_ratio = AVRational{options_.sarNum, options_.sarDen};
        c->max_b_frames = 0;
        if (encoder->id == AV_CODEC_ID_H264) {
            c->max_b_frames = 3;
            av_opt_set(c->priv_data, "preset", "veryfast", 0);
            av_opt_set(c->priv_data, "x264-params", "scenecut=0:b-adapt=0:b-pyramid=normal", 0);
        } else if (encoder->id == AV_CODEC_ID_MPEG4 || encoder->id == AV_CODEC_ID_MPEG2VIDEO) {
            c->max_b_frames = encoder->id == AV_CODEC_ID_MPEG2VIDEO ? 2 : 0;
            c->flags |= AV_CODEC_FLAG_QSCALE;
            c->global_quality = 3 * FF_QP2LAMBDA;
        }
        if (output_->oformat->flags & AVFMT_GLOBALHEADER)
            c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        ThrowIfAvError(avcodec_open2(c, encoder, nullptr), "open video encoder");
        ThrowIfAvError(avcodec_parameters_from_context(video_.stream->codecpar, c), "video parameters");
        video_.stream->time_base = c->time_base;
        // A container's own ratio is written as a stream copy with a new aspect writes it:
        // into the container, while the coded pictures keep theirs.
        if (options_.containerSarNum > 0)
            video_.stream->codecpar->sample_aspect_ratio = {options_.containerSarNum, options_.containerSarDen};
        video_.stream->sample_aspect_ratio = video_.stream->codecpar->sample_aspect_ratio;
        video_.next = std::llround(options_.startSeconds * options_.fps);
        if (options_.rotationDegrees % 360 != 0) {
            auto* matrix = reinterpret_cast<int32_t*>(
                av_stream_new_side_data(video_.stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(int32_t)));
            Require(matrix != nullptr, "out of memory");
            av_display_rotation_set(matrix, options_.rotationDegrees);
        }
        BuildCellMap();
        frame_ = MakeFrame();
        frame_->format = c->pix_fmt;
        frame_->width = c->width;
        frame_->height = c->height;
        ThrowIfAvError(av_frame_get_buffer(frame_.get(), 0), "allocate frame");
    }

    void AddAudio()
    {
        const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_MP2);
        Require(encoder != nullptr, "no audio encoder");
        audio_.stream = avformat_new_stream(output_.get(), nullptr);
        audio_.codec.reset(avcodec_alloc_context3(encoder));
        Require(audio_.stream && audio_.codec, "out of memory");
        AVCodecContext* c = audio_.codec.get();
        c->sample_fmt = AV_SAMPLE_FMT_S16;
        c->sample_rate = kAudioRate;
        c->bit_rate = 128000;
        c->time_base = AVRational{1, kAudioRate};
        const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        ThrowIfAvError(av_channel_layout_copy(&c->ch_layout, &stereo), "channel layout");
        if (output_->oformat->flags & AVFMT_GLOBALHEADER)
            c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        ThrowIfAvError(avcodec_open2(c, encoder, nullptr), "open audio encoder");
        ThrowIfAvError(avcodec_parameters_from_context(audio_.stream->codecpar, c), "audio parameters");
        audio_.stream->time_base = c->time_base;
        audio_.next = std::llround(options_.startSeconds * kAudioRate);
        samples_ = MakeFrame();
        samples_->format = c->sample_fmt;
        samples_->sample_rate = c->sample_rate;
        samples_->nb_samples = c->frame_size;
        ThrowIfAvError(av_channel_layout_copy(&samples_->ch_layout, &stereo), "channel layout");
        ThrowIfAvError(av_frame_get_buffer(samples_.get(), 0), "allocate samples");
    }

    // The cell of each luma sample: the display picture's grid, mapped back through the
    // rotation into the coded picture (the aspect ratio scales both alike).
    void BuildCellMap()
    {
        const int w = options_.width;
        const int h = options_.height;
        cells_.resize(std::size_t(w) * std::size_t(h));
        const int turn = ((options_.rotationDegrees % 360) + 360) % 360;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const double u = (x + 0.5) / w;
                const double v = (y + 0.5) / h;
                double du = u, dv = v;
                if (turn == 90) {
                    du = 1 - v;
                    dv = u;
                } else if (turn == 180) {
                    du = 1 - u;
                    dv = 1 - v;
                } else if (turn == 270) {
                    du = v;
                    dv = 1 - u;
                }
                const int column = std::min(kColumns - 1, int(du * kColumns));
                const int row = std::min(kRows - 1, int(dv * kRows));
                cells_[std::size_t(y) * std::size_t(w) + std::size_t(x)] = std::uint8_t(row * kColumns + column);
            }
        }
    }

    void EncodeVideo(int index)
    {
        ThrowIfAvError(av_frame_make_writable(frame_.get()), "frame writable");
        const double shown = double(index) / options_.fps;
        const FlatStretch* flat = nullptr;
        for (const FlatStretch& stretch : options_.flat)
            if (shown >= stretch.fromSeconds && shown < stretch.toSeconds)
                flat = &stretch;
        std::array<std::uint8_t, kColumns * kRows> luma{};
        for (std::size_t cell = 0; cell < luma.size(); ++cell)
            luma[cell] = flat ? flat->y : (CellIsWhite(kCellRoles[cell], index) ? 235 : 16);
        const int w = options_.width;
        for (int y = 0; y < options_.height; ++y) {
            std::uint8_t* row = frame_->data[0] + std::ptrdiff_t(y) * frame_->linesize[0];
            const std::uint8_t* cells = cells_.data() + std::size_t(y) * std::size_t(w);
            for (int x = 0; x < w; ++x)
                row[x] = luma[cells[x]];
        }
        const int chromaHeight = (options_.height + 1) / 2;
        for (int plane = 1; plane <= 2; ++plane)
            for (int y = 0; y < chromaHeight; ++y)
                std::memset(frame_->data[plane] + std::ptrdiff_t(y) * frame_->linesize[plane],
                            flat ? (plane == 1 ? flat->cb : flat->cr) : 128, std::size_t((w + 1) / 2));
        frame_->pts = video_.next++;
        if (options_.timestampJumpSeconds != 0 && index >= std::llround(options_.durationSeconds * options_.fps) / 2)
            frame_->pts += std::llround(options_.timestampJumpSeconds * options_.fps);
        Send(video_, frame_.get());
    }

    int EncodeAudio(std::int64_t sample)
    {
        ThrowIfAvError(av_frame_make_writable(samples_.get()), "samples writable");
        auto* out = reinterpret_cast<std::int16_t*>(samples_->data[0]);
        for (int i = 0; i < samples_->nb_samples; ++i) {
            const double t = double(sample + i) / kAudioRate;
            const auto value = std::int16_t(std::lround(8000 * std::sin(2 * M_PI * 440 * t)));
            out[2 * i] = value;
            out[2 * i + 1] = value;
        }
        samples_->pts = audio_.next;
        audio_.next += samples_->nb_samples;
        Send(audio_, samples_.get());
        return samples_->nb_samples;
    }

    void Send(Stream& stream, AVFrame* frame)
    {
        ThrowIfAvError(avcodec_send_frame(stream.codec.get(), frame), "encode");
        for (;;) {
            const int rc = avcodec_receive_packet(stream.codec.get(), packet_.get());
            if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
                return;
            ThrowIfAvError(rc, "encode");
            // Every picture lasts one frame; containers need that to know where the last ends.
            if (packet_->duration == 0 && &stream == &video_)
                packet_->duration = 1;
            av_packet_rescale_ts(packet_.get(), stream.codec->time_base, stream.stream->time_base);
            packet_->stream_index = stream.stream->index;
            ThrowIfAvError(av_interleaved_write_frame(output_.get(), packet_.get()), "write packet");
        }
    }

    TestVideoOptions options_;
    OutputFormatPtr output_;
    Stream video_;
    Stream audio_;
    FramePtr frame_;
    FramePtr samples_;
    PacketPtr packet_ = MakePacket();
    std::vector<std::uint8_t> cells_;
};

}  // namespace

void DisplaySize(const TestVideoOptions& options, int& width, int& height)
{
    // The container's aspect ratio wins; the stretched width is truncated.
    const bool container = options.containerSarNum > 0;
    width = int(std::int64_t(options.width) * (container ? options.containerSarNum : options.sarNum)
                / (container ? options.containerSarDen : options.sarDen));
    height = options.height;
    const int turn = ((options.rotationDegrees % 360) + 360) % 360;
    if (turn == 90 || turn == 270)
        std::swap(width, height);
}

void WriteTestVideo(const QString& path, const TestVideoOptions& options)
{
    Require(options.video || options.audio, "a video needs a stream");
    Writer(path, options).Run();
}

int ReadFrameIndex(const Bitmap& picture)
{
    if (picture.width() < kColumns || picture.height() < kRows)
        return -1;
    int index = 0;
    bool parity = false;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            // The mean green of the middle half of the cell.
            const int x0 = (4 * column + 1) * picture.width() / (4 * kColumns);
            const int x1 = std::max(x0 + 1, (4 * column + 3) * picture.width() / (4 * kColumns));
            const int y0 = (4 * row + 1) * picture.height() / (4 * kRows);
            const int y1 = std::max(y0 + 1, (4 * row + 3) * picture.height() / (4 * kRows));
            long sum = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    sum += (picture.pixelRgb(x, y) >> 8) & 0xFF;
            const long mean = sum / (long(x1 - x0) * (y1 - y0));
            if (mean > 64 && mean < 192)
                return -1;
            const bool white = mean >= 192;
            const int role = kCellRoles[std::size_t(row * kColumns + column)];
            if (role == kWhiteMarker || role == kBlackMarker) {
                if (white != (role == kWhiteMarker))
                    return -1;
            } else if (role == kDataBits) {
                parity = white;
            } else if (white) {
                index |= 1 << (kDataBits - 1 - role);
            }
        }
    }
    return ((__builtin_popcount(unsigned(index)) & 1) != 0) == parity ? index : -1;
}

}  // namespace sm::test
