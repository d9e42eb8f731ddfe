#pragma once

#include <memory>

struct AVCodecContext;
struct AVFilterGraph;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;
struct SwsContext;

namespace sm {

// Owning handles for FFmpeg objects, each freed by FFmpeg's own release function.
struct AvDeleter {
    void operator()(AVCodecContext* p) const;
    void operator()(AVFilterGraph* p) const;
    void operator()(AVFrame* p) const;
    void operator()(AVPacket* p) const;
    void operator()(SwrContext* p) const;
    void operator()(SwsContext* p) const;
};

// An input is closed with avformat_close_input, an output freed with its own I/O.
struct InputFormatDeleter {
    void operator()(AVFormatContext* p) const;
};
struct OutputFormatDeleter {
    void operator()(AVFormatContext* p) const;
};

using CodecContextPtr = std::unique_ptr<AVCodecContext, AvDeleter>;
using FilterGraphPtr = std::unique_ptr<AVFilterGraph, AvDeleter>;
using FramePtr = std::unique_ptr<AVFrame, AvDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, AvDeleter>;
using ResamplerPtr = std::unique_ptr<SwrContext, AvDeleter>;
using ScalerPtr = std::unique_ptr<SwsContext, AvDeleter>;
using InputFormatPtr = std::unique_ptr<AVFormatContext, InputFormatDeleter>;
using OutputFormatPtr = std::unique_ptr<AVFormatContext, OutputFormatDeleter>;

// Allocated objects; throw std::bad_alloc when FFmpeg cannot allocate.
FramePtr MakeFrame();
PacketPtr MakePacket();
// A new reference to the frame's buffers, with all of its properties.
FramePtr RefFrame(const AVFrame& frame);

}  // namespace sm
