#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "video/AvHandles.h"
#include "video/DisplayGeometry.h"
#include "video/MediaFacts.h"
#include "video/VideoColor.h"

struct AVStream;

namespace sm {

// One decoded picture or block of sound with its position: 100-ns units from the start
// of the media (the file's start time is position 0).
// A picture marked interlaced (by its decoder or by its stream's field order) carries
// the pictures decoded just before and after it, where there are any, for deinterlacing.
struct DecodedFrame {
    FramePtr frame;
    std::int64_t timeUnits = 0;
    FramePtr before;
    FramePtr after;
    explicit operator bool() const { return bool(frame); }
};

// The readable names of a file's demultiplexer and decoders; empty where there is none.
struct ChainNames {
    std::string demultiplexer;
    std::string videoDecoder;
    std::string audioDecoder;
};

// Whether the decoder may leave out a packet's picture while seeking to a target
// (both in the stream's time base): it ends before the target, so it is never shown,
// and it is no key frame. Pictures nothing refers to are then not decoded.
bool SkippableBeforeTarget(const AVPacket& packet, std::int64_t targetTs);

// The source, demultiplexer and decoders of one file. Used by one thread at a time.
class MediaReader {
public:
    // Opens a file. Throws std::runtime_error when it cannot be read as media or holds
    // no stream that can be decoded. Blocking reads give up once *abort becomes true.
    // The video decoder uses that many threads (0: as many as suit the processors).
    MediaReader(const std::string& path, const std::atomic<bool>* abort, int videoThreads = 0);
    ~MediaReader();
    MediaReader(const MediaReader&) = delete;
    MediaReader& operator=(const MediaReader&) = delete;

    bool HasVideo() const { return videoIndex_ >= 0; }
    bool HasAudio() const { return audioIndex_ >= 0; }
    // The video stream's geometry as declared by the file.
    DisplayGeometry StreamGeometry() const { return streamGeometry_; }
    // The geometry of one decoded picture: its own size, and the aspect ratio chosen as
    // for the stream (the container's first, then the picture's).
    DisplayGeometry FrameGeometry(const AVFrame& frame) const;
    // The length in 100-ns units; 0 when unknown.
    std::int64_t DurationUnits() const { return durationUnits_; }
    // Where the pictures end, in 100-ns units from the start of the media, when the
    // file says so and it comes before DurationUnits (sound that runs on); else 0.
    std::int64_t PictureEndUnits() const { return pictureEndUnits_; }
    ChainNames ElementNames() const;
    // What the container and the streams read declare about the file.
    MediaFacts Facts() const;
    // What the video stream declares about its colours.
    VideoColor Color() const { return color_; }
    // The sound's sample rate; 0 without sound.
    int AudioSampleRate() const;

    // Decodes the picture whose display interval contains the position (the last
    // picture when the position lies beyond the end, the first when before it) and
    // leaves the reader just after it (an interlaced one's next picture decoded). Empty when no picture can be decoded,
    // and as soon as `abandon` (asked between pictures) returns true.
    DecodedFrame SeekExact(std::int64_t units, const std::function<bool()>& abandon = {});
    // Decodes only the first key frame shown at or after the position (the last key
    // frame when none follows), for speed; its time is that frame's own, and it has no
    // neighbours. Empty when no key frame can be decoded. Pictures read after it start
    // over with a seek.
    DecodedFrame SeekKeyFrame(std::int64_t units);
    // The next picture in display order; empty at the end of the stream.
    DecodedFrame NextVideoFrame();
    // The next block of sound; empty at the end of the stream.
    DecodedFrame NextAudioFrame();
    // Whether sound packets are kept for NextAudioFrame (else they are dropped).
    void SetAudioWanted(bool wanted) { audioWanted_ = wanted; }
    // The number of damaged packets met since the last call.
    int TakeDecodeErrors();
    // The number of packets read so far; may be asked from any thread.
    std::uint64_t PacketsRead() const { return packetsRead_.load(std::memory_order_relaxed); }

private:
    void OpenDecoder(int index, CodecContextPtr& decoder, bool video, int videoThreads);
    // Moves the input near a timestamp of the main stream and empties the decoders;
    // with fromKeyFrame, pictures are decoded from the first key frame after it.
    void Reposition(std::int64_t streamTs, bool fromKeyFrame);
    bool ReadPacket();
    DecodedFrame Decode(CodecContextPtr& decoder, std::deque<PacketPtr>& queue, bool& drained, bool video);
    void ChooseSkipping(const AVPacket& packet);
    // Makes a decoded picture's tags what the engine can trust: marked interlaced when its
    // decoder left it unmarked and the stream says it is, and colour codes unknown to the
    // libraries taken as unspecified.
    void TidyPicture(AVFrame& frame) const;
    std::int64_t ToUnits(std::int64_t ts, const AVStream& stream) const;

    InputFormatPtr format_;
    const std::atomic<bool>* abort_;
    int videoIndex_ = -1;
    int audioIndex_ = -1;
    CodecContextPtr video_;
    CodecContextPtr audio_;
    DisplayGeometry streamGeometry_;
    VideoColor color_;
    bool interlacedStream_ = false;
    bool topFieldFirst_ = true;
    const std::int32_t* displayMatrix_ = nullptr;
    std::int64_t startUnits_ = 0;
    std::int64_t durationUnits_ = 0;
    std::int64_t pictureEndUnits_ = 0;
    std::int64_t firstVideoTs_ = 0;
    std::int64_t frameDurationTs_ = 1;

    std::deque<PacketPtr> videoPackets_;
    std::deque<PacketPtr> audioPackets_;
    bool endOfInput_ = false;
    bool videoDrained_ = false;
    bool audioDrained_ = false;
    bool audioWanted_ = true;
    bool awaitingKeyFrame_ = false;
    DecodedFrame pendingVideo_;
    FramePtr lastVideo_;  // the interlaced picture decoded last, the next one's `before`
    std::int64_t lastVideoTs_;
    std::int64_t lastAudioTs_;
    // While seeking: packets wholly before this stream timestamp need not be shown.
    std::int64_t skipBefore_;
    int skipMode_ = 0;
    int decodeErrors_ = 0;
    std::atomic<std::uint64_t> packetsRead_{0};
};

}  // namespace sm
