#include "video/MediaReader.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

#include <sys/stat.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dovi_meta.h>
}

#include "video/AvError.h"
#include "video/ToneMapper.h"

namespace sm {
namespace {

constexpr AVRational kUnit{1, 10'000'000};
// Packets waiting for a stream nobody reads are dropped beyond this many.
constexpr std::size_t kMaxQueuedPackets = 4096;
// How many starts an exact seek tries before it decodes from the beginning.
constexpr int kSeekAttempts = 6;

// Decoders copy a stream's colour codes into the libraries' enums as they stand, reserved
// ones included, and C++ may not read an enum beyond its enumerators: the code is read as
// the integer it is, and one the libraries do not know becomes unspecified.
template <typename Code>
void ForgetUnknownCode(Code& field, int known, Code unspecified)
{
    static_assert(sizeof(Code) == sizeof(int));
    int value = 0;
    std::memcpy(&value, &field, sizeof value);
    if (value < 0 || value >= known)
        field = unspecified;
}

int InterruptCallback(void* opaque)
{
    const auto* abort = static_cast<const std::atomic<bool>*>(opaque);
    return abort && abort->load() ? 1 : 0;
}

std::string NameOr(const char* name, const char* fallback) { return name && *name ? name : fallback; }

// The length of a stream in 100-ns units as its container states it (Matroska only in a
// tag, "HH:MM:SS.nnnnnnnnn"); 0 when unknown.
std::int64_t StreamLengthUnits(const AVStream& stream)
{
    if (stream.duration != AV_NOPTS_VALUE && stream.duration > 0)
        return av_rescale_q(stream.duration, stream.time_base, kUnit);
    const AVDictionaryEntry* tag = av_dict_get(stream.metadata, "DURATION", nullptr, 0);
    int hours = 0, minutes = 0;
    double seconds = 0;
    if (!tag || std::sscanf(tag->value, "%d:%d:%lf", &hours, &minutes, &seconds) != 3 || hours < 0 || minutes < 0
        || seconds < 0)
        return 0;
    return std::int64_t((hours * 3600.0 + minutes * 60.0 + seconds) * double(kUnit.den));
}

}  // namespace

MediaReader::MediaReader(const std::string& path, const std::atomic<bool>* abort, int videoThreads)
    : abort_(abort), lastVideoTs_(AV_NOPTS_VALUE), lastAudioTs_(AV_NOPTS_VALUE), skipBefore_(AV_NOPTS_VALUE)
{
    // Only a regular file is opened: a FIFO or a device would block the open or never end
    // (/dev/zero), and the "file:" protocol keeps a name such as "http:x" or "concat:a|b"
    // the name of a file.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        throw std::runtime_error("open media: not a regular file");
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw)
        throw std::bad_alloc();
    raw->interrupt_callback.callback = InterruptCallback;
    raw->interrupt_callback.opaque = const_cast<std::atomic<bool>*>(abort);
    // avformat_open_input frees the context when it fails.
    ThrowIfAvError(avformat_open_input(&raw, ("file:" + path).c_str(), nullptr, nullptr), "open media");
    format_.reset(raw);
    ThrowIfAvError(avformat_find_stream_info(raw, nullptr), "read stream information");

    const int video = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (video >= 0 && !(raw->streams[video]->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
        try {
            OpenDecoder(video, video_, true, videoThreads);
            videoIndex_ = video;
        } catch (const std::runtime_error&) {
            video_.reset();
        }
    }
    const int audio = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, videoIndex_, nullptr, 0);
    if (audio >= 0) {
        try {
            OpenDecoder(audio, audio_, false, 0);
            audioIndex_ = audio;
        } catch (const std::runtime_error&) {
            audio_.reset();
        }
    }
    if (!HasVideo() && !HasAudio())
        throw std::runtime_error("open media: no stream can be decoded");
    for (unsigned i = 0; i < raw->nb_streams; ++i)
        if (int(i) != videoIndex_ && int(i) != audioIndex_)
            raw->streams[i]->discard = AVDISCARD_ALL;

    if (raw->start_time != AV_NOPTS_VALUE)
        startUnits_ = av_rescale_q(raw->start_time, AV_TIME_BASE_Q, kUnit);
    if (raw->duration != AV_NOPTS_VALUE && raw->duration > 0)
        durationUnits_ = av_rescale_q(raw->duration, AV_TIME_BASE_Q, kUnit);

    if (HasVideo()) {
        AVStream* stream = raw->streams[videoIndex_];
        displayMatrix_ = reinterpret_cast<const std::int32_t*>(
            av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
        const AVRational sar = av_guess_sample_aspect_ratio(raw, stream, nullptr);
        streamGeometry_ = ComputeDisplayGeometry(stream->codecpar->width, stream->codecpar->height, sar.num, sar.den,
                                                 displayMatrix_);
        firstVideoTs_ = stream->start_time != AV_NOPTS_VALUE ? stream->start_time
                                                             : av_rescale_q(startUnits_, kUnit, stream->time_base);
        AVRational rate = av_guess_frame_rate(raw, stream, nullptr);
        if (rate.num <= 0 || rate.den <= 0)
            rate = AVRational{25, 1};
        frameDurationTs_ = std::max<std::int64_t>(1, av_rescale_q(1, av_inv_q(rate), stream->time_base));
        ForgetUnknownCode(stream->codecpar->color_trc, AVCOL_TRC_NB, AVCOL_TRC_UNSPECIFIED);
        color_.hdr = HdrTransferOf(stream->codecpar->color_trc);
        if (const auto* dolby = reinterpret_cast<const AVDOVIDecoderConfigurationRecord*>(
                av_stream_get_side_data(stream, AV_PKT_DATA_DOVI_CONF, nullptr)))
            color_.dolbyVisionProfile = dolby->dv_profile;
        const AVFieldOrder fields = stream->codecpar->field_order;
        interlacedStream_
            = fields == AV_FIELD_TT || fields == AV_FIELD_BB || fields == AV_FIELD_TB || fields == AV_FIELD_BT;
        // TT and BT show the top field first (the second letter is the one shown first).
        topFieldFirst_ = fields == AV_FIELD_TT || fields == AV_FIELD_BT;
        const std::int64_t end = StreamLengthUnits(*stream);
        if (end > 0) {
            const std::int64_t pictureEnd = av_rescale_q(firstVideoTs_, stream->time_base, kUnit) - startUnits_ + end;
            // Only sound that clearly runs on counts: a few milliseconds between the
            // streams' ends are ordinary muxing.
            if (durationUnits_ > 0 && pictureEnd > 0 && pictureEnd + kUnit.den <= durationUnits_)
                pictureEndUnits_ = pictureEnd;
        }
    }
}

MediaReader::~MediaReader() = default;

void MediaReader::OpenDecoder(int index, CodecContextPtr& decoder, bool video, int videoThreads)
{
    const AVCodecParameters* parameters = format_->streams[index]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    if (!codec)
        throw std::runtime_error("no decoder");
    decoder.reset(avcodec_alloc_context3(codec));
    if (!decoder)
        throw std::bad_alloc();
    ThrowIfAvError(avcodec_parameters_to_context(decoder.get(), parameters), "decoder parameters");
    decoder->pkt_timebase = format_->streams[index]->time_base;
    if (video) {
        decoder->thread_count = videoThreads;
        decoder->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    }
    ThrowIfAvError(avcodec_open2(decoder.get(), codec, nullptr), "open decoder");
}

DisplayGeometry MediaReader::FrameGeometry(const AVFrame& frame) const
{
    // The container's aspect ratio wins over the picture's, as for the stream, so that
    // every picture has the size the stream promises.
    const AVRational sar
        = av_guess_sample_aspect_ratio(format_.get(), format_->streams[videoIndex_], const_cast<AVFrame*>(&frame));
    return ComputeDisplayGeometry(frame.width, frame.height, sar.num, sar.den, displayMatrix_);
}

ChainNames MediaReader::ElementNames() const
{
    ChainNames names;
    names.demultiplexer = NameOr(format_->iformat->long_name, format_->iformat->name);
    // The decoders by their formats' short names ("h264", "aac"): the long ones ("H.264 /
    // AVC / MPEG-4 AVC / MPEG-4 part 10") leave no room for the other names on a sheet's line.
    if (video_)
        names.videoDecoder = avcodec_get_name(video_->codec_id);
    if (audio_)
        names.audioDecoder = avcodec_get_name(audio_->codec_id);
    return names;
}

MediaFacts MediaReader::Facts() const
{
    MediaFacts facts;
    facts.BitRate = std::max<std::int64_t>(0, format_->bit_rate);
    if (HasVideo()) {
        const AVStream& stream = *format_->streams[videoIndex_];
        facts.DisplayWidth = streamGeometry_.displayWidth;
        facts.DisplayHeight = streamGeometry_.displayHeight;
        AVRational rate = stream.avg_frame_rate;
        if (rate.num <= 0 || rate.den <= 0)
            rate = stream.r_frame_rate;
        if (rate.num > 0 && rate.den > 0) {
            facts.FrameRateNum = rate.num;
            facts.FrameRateDen = rate.den;
        }
        facts.VideoCodec = QString::fromUtf8(avcodec_get_name(stream.codecpar->codec_id));
        if (const char* profile = avcodec_profile_name(stream.codecpar->codec_id, stream.codecpar->profile))
            facts.VideoProfile = QString::fromUtf8(profile);
    }
    if (HasAudio()) {
        const AVCodecParameters& sound = *format_->streams[audioIndex_]->codecpar;
        facts.AudioCodec = QString::fromUtf8(avcodec_get_name(sound.codec_id));
        facts.AudioSampleRate = std::max(0, sound.sample_rate);
        char layout[128] = {};
        if (av_channel_layout_describe(&sound.ch_layout, layout, sizeof layout) > 0)
            facts.AudioChannels = QString::fromUtf8(layout);
    }
    return facts;
}

int MediaReader::AudioSampleRate() const { return audio_ ? audio_->sample_rate : 0; }

int MediaReader::TakeDecodeErrors()
{
    const int errors = decodeErrors_;
    decodeErrors_ = 0;
    return errors;
}

std::int64_t MediaReader::ToUnits(std::int64_t ts, const AVStream& stream) const
{
    return av_rescale_q(ts, stream.time_base, kUnit) - startUnits_;
}

void MediaReader::Reposition(std::int64_t streamTs, bool fromKeyFrame)
{
    const int index = HasVideo() ? videoIndex_ : audioIndex_;
    AVFormatContext* format = format_.get();
    // When the file cannot seek to the target, decoding from its very start still finds it.
    if (av_seek_frame(format, index, streamTs, AVSEEK_FLAG_BACKWARD) < 0
        && av_seek_frame(format, index, firstVideoTs_, AVSEEK_FLAG_BACKWARD) < 0)
        av_seek_frame(format, -1, 0, AVSEEK_FLAG_BYTE);
    if (video_)
        avcodec_flush_buffers(video_.get());
    if (audio_)
        avcodec_flush_buffers(audio_.get());
    videoPackets_.clear();
    audioPackets_.clear();
    pendingVideo_ = DecodedFrame();
    lastVideo_.reset();
    endOfInput_ = videoDrained_ = audioDrained_ = false;
    lastVideoTs_ = lastAudioTs_ = AV_NOPTS_VALUE;
    awaitingKeyFrame_ = fromKeyFrame;
}

DecodedFrame MediaReader::SeekExact(std::int64_t units, const std::function<bool()>& abandon)
{
    if (!HasVideo()) {
        const AVStream* stream = format_->streams[audioIndex_];
        Reposition(av_rescale_q(units + startUnits_, kUnit, stream->time_base), false);
        return {};
    }
    const AVStream* stream = format_->streams[videoIndex_];
    const std::int64_t target = av_rescale_q(units + startUnits_, kUnit, stream->time_base);
    const std::int64_t second = av_rescale_q(1, AVRational{1, 1}, stream->time_base);
    // Files without an index may land after the target, or on no key frame at all:
    // then start further back, and at last from the very beginning.
    std::int64_t back = 0;
    for (int attempt = 1;; ++attempt) {
        const bool fromBeginning = attempt >= kSeekAttempts || target - back <= firstVideoTs_;
        if (fromBeginning)
            Reposition(firstVideoTs_ - 10 * second, false);
        else
            Reposition(target - back, true);
        skipBefore_ = target;
        DecodedFrame best;
        while (DecodedFrame frame = Decode(video_, videoPackets_, videoDrained_, true)) {
            if (abandon && abandon()) {
                skipBefore_ = AV_NOPTS_VALUE;
                return {};
            }
            const std::int64_t shown = frame.frame->best_effort_timestamp;
            if (shown > target) {
                pendingVideo_ = std::move(frame);
                break;
            }
            // A picture known to last past the target is the one; no need to decode the next.
            const std::int64_t lasts = frame.frame->pkt_duration > 0 ? frame.frame->pkt_duration : frameDurationTs_;
            best = std::move(frame);
            if (shown + lasts > target)
                break;
        }
        if (best || fromBeginning || (abort_ && abort_->load())) {
            skipBefore_ = AV_NOPTS_VALUE;
            // A target before the first picture gets the first picture.
            if (!best)
                return std::move(pendingVideo_);
            // An interlaced picture is deinterlaced against the one after it as well.
            if (best.frame->interlaced_frame && !pendingVideo_ && !(abort_ && abort_->load()))
                pendingVideo_ = Decode(video_, videoPackets_, videoDrained_, true);
            if (best.frame->interlaced_frame && pendingVideo_)
                best.after = RefFrame(*pendingVideo_.frame);
            return best;
        }
        back = back == 0 ? second : back * 4;
    }
}

DecodedFrame MediaReader::SeekKeyFrame(std::int64_t units)
{
    if (!HasVideo())
        return {};
    const AVStream* stream = format_->streams[videoIndex_];
    const std::int64_t target = av_rescale_q(units + startUnits_, kUnit, stream->time_base);
    const std::int64_t second = av_rescale_q(1, AVRational{1, 1}, stream->time_base);
    const auto aborted = [this] { return abort_ && abort_->load(); };
    // The packets from the landing point on are looked at, not decoded: the first key
    // packet shown at or after the target, else the last one before it. `late` tells
    // that the landing point lay beyond the target, so a key frame may have been passed.
    const auto scan = [&](bool& late) {
        PacketPtr chosen;
        bool first = true;
        for (;;) {
            while (videoPackets_.empty() && !aborted() && ReadPacket()) {}
            if (videoPackets_.empty())
                return chosen;
            PacketPtr packet = std::move(videoPackets_.front());
            videoPackets_.pop_front();
            const std::int64_t ts = packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts;
            if (std::exchange(first, false))
                late = ts != AV_NOPTS_VALUE && ts > target;
            if (!(packet->flags & AV_PKT_FLAG_KEY))
                continue;
            const bool reaches = packet->pts == AV_NOPTS_VALUE || packet->pts >= target;
            chosen = std::move(packet);
            if (reaches)
                return chosen;
        }
    };
    // As for exact seeks, files without an index may land after the target: then start
    // further back, and at last from the very beginning.
    PacketPtr chosen;
    std::int64_t back = 0;
    for (int attempt = 1;; ++attempt) {
        const bool fromBeginning = attempt >= kSeekAttempts || target - back <= firstVideoTs_;
        Reposition(fromBeginning ? firstVideoTs_ - 10 * second : target - back, false);
        bool late = false;
        chosen = scan(late);
        if ((chosen && !late) || fromBeginning || aborted())
            break;
        back = back == 0 ? second : back * 4;
    }
    if (!chosen)
        return {};
    // A key frame decodes on its own; draining hands it out at once, however many frames
    // the decoder's threads would otherwise hold back.
    avcodec_flush_buffers(video_.get());
    FramePtr frame = MakeFrame();
    const bool sent = avcodec_send_packet(video_.get(), chosen.get()) >= 0;
    avcodec_send_packet(video_.get(), nullptr);
    const bool decoded = sent && avcodec_receive_frame(video_.get(), frame.get()) == 0;
    avcodec_flush_buffers(video_.get());
    endOfInput_ = videoDrained_ = true;
    if (!decoded) {
        ++decodeErrors_;
        return {};
    }
    lastVideo_.reset();
    TidyPicture(*frame);
    std::int64_t ts = frame->best_effort_timestamp;
    if (ts == AV_NOPTS_VALUE)
        ts = chosen->pts != AV_NOPTS_VALUE ? chosen->pts : chosen->dts;
    if (ts == AV_NOPTS_VALUE)
        ts = firstVideoTs_;
    return DecodedFrame{std::move(frame), ToUnits(ts, *stream), nullptr, nullptr};
}

DecodedFrame MediaReader::NextVideoFrame()
{
    if (!HasVideo())
        return {};
    if (pendingVideo_)
        return std::move(pendingVideo_);
    return Decode(video_, videoPackets_, videoDrained_, true);
}

DecodedFrame MediaReader::NextAudioFrame()
{
    if (!HasAudio())
        return {};
    return Decode(audio_, audioPackets_, audioDrained_, false);
}

bool MediaReader::ReadPacket()
{
    if (endOfInput_)
        return false;
    PacketPtr packet = MakePacket();
    const int rc = av_read_frame(format_.get(), packet.get());
    if (rc < 0) {
        if (rc != AVERROR_EOF && rc != AVERROR_EXIT)
            ++decodeErrors_;
        endOfInput_ = true;
        return false;
    }
    packetsRead_.fetch_add(1, std::memory_order_relaxed);
    std::deque<PacketPtr>* queue = nullptr;
    if (packet->stream_index == videoIndex_)
        queue = &videoPackets_;
    else if (packet->stream_index == audioIndex_ && audioWanted_)
        queue = &audioPackets_;
    if (queue) {
        queue->push_back(std::move(packet));
        if (queue->size() > kMaxQueuedPackets)
            queue->pop_front();
    }
    return true;
}

bool SkippableBeforeTarget(const AVPacket& packet, std::int64_t targetTs)
{
    return targetTs != AV_NOPTS_VALUE && packet.pts != AV_NOPTS_VALUE && packet.duration > 0
           && !(packet.flags & AV_PKT_FLAG_KEY) && packet.pts + packet.duration <= targetTs;
}

void MediaReader::TidyPicture(AVFrame& frame) const
{
    ForgetUnknownCode(frame.color_primaries, AVCOL_PRI_NB, AVCOL_PRI_UNSPECIFIED);
    ForgetUnknownCode(frame.color_trc, AVCOL_TRC_NB, AVCOL_TRC_UNSPECIFIED);
    ForgetUnknownCode(frame.colorspace, AVCOL_SPC_NB, AVCOL_SPC_UNSPECIFIED);
    ForgetUnknownCode(frame.color_range, AVCOL_RANGE_NB, AVCOL_RANGE_UNSPECIFIED);
    if (frame.interlaced_frame || !interlacedStream_)
        return;
    frame.interlaced_frame = 1;
    frame.top_field_first = topFieldFirst_ ? 1 : 0;
}

void MediaReader::ChooseSkipping(const AVPacket& packet)
{
    const int mode = SkippableBeforeTarget(packet, skipBefore_) ? AVDISCARD_NONREF : AVDISCARD_DEFAULT;
    if (mode != skipMode_) {
        video_->skip_frame = AVDiscard(mode);
        skipMode_ = mode;
    }
}

DecodedFrame MediaReader::Decode(CodecContextPtr& decoder, std::deque<PacketPtr>& queue, bool& drained, bool video)
{
    FramePtr frame = MakeFrame();
    for (;;) {
        if (abort_ && abort_->load())
            return {};
        const int rc = avcodec_receive_frame(decoder.get(), frame.get());
        if (rc == 0) {
            AVStream* stream = format_->streams[video ? videoIndex_ : audioIndex_];
            std::int64_t& last = video ? lastVideoTs_ : lastAudioTs_;
            std::int64_t ts = frame->best_effort_timestamp;
            if (ts == AV_NOPTS_VALUE) {
                // Without a timestamp the picture follows the previous one.
                const std::int64_t step
                    = video ? frameDurationTs_
                            : av_rescale_q(frame->nb_samples,
                                           AVRational{1, frame->sample_rate > 0 ? frame->sample_rate : 1},
                                           stream->time_base);
                ts = last == AV_NOPTS_VALUE ? (video ? firstVideoTs_ : 0) : last + step;
                frame->best_effort_timestamp = ts;
            }
            last = ts;
            DecodedFrame decoded{std::move(frame), ToUnits(ts, *stream), nullptr, nullptr};
            if (video) {
                TidyPicture(*decoded.frame);
                // Only interlaced pictures are compared with their neighbours.
                if (decoded.frame->interlaced_frame) {
                    decoded.before = std::move(lastVideo_);
                    lastVideo_ = RefFrame(*decoded.frame);
                } else {
                    lastVideo_.reset();
                }
            }
            return decoded;
        }
        if (rc == AVERROR_EOF)
            return {};
        // A damaged picture: count it and go on with the next packet.
        if (rc != AVERROR(EAGAIN))
            ++decodeErrors_;
        if (drained)
            return {};
        while (queue.empty() && !(abort_ && abort_->load()) && ReadPacket()) {}
        if (queue.empty()) {
            avcodec_send_packet(decoder.get(), nullptr);
            drained = true;
            continue;
        }
        PacketPtr packet = std::move(queue.front());
        queue.pop_front();
        if (video && awaitingKeyFrame_) {
            // What precedes the first key frame refers to pictures before the landing point.
            if (!(packet->flags & AV_PKT_FLAG_KEY))
                continue;
            awaitingKeyFrame_ = false;
        }
        if (video)
            ChooseSkipping(*packet);
        const int sent = avcodec_send_packet(decoder.get(), packet.get());
        if (sent < 0 && sent != AVERROR(EAGAIN))
            ++decodeErrors_;
    }
}

}  // namespace sm
