#include "video/FilterChain.h"

#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/frame.h>
#include <libavutil/mathematics.h>
}

#include "video/AvError.h"

namespace sm {
namespace {

constexpr AVRational kSourceTimeBase{1, 1};

struct InOutDeleter {
    void operator()(AVFilterInOut* p) const { avfilter_inout_free(&p); }
};
using InOutPtr = std::unique_ptr<AVFilterInOut, InOutDeleter>;

// The end of a chain named `name`, at the first pad of `filter`.
InOutPtr ChainEnd(const char* name, AVFilterContext* filter)
{
    InOutPtr end(avfilter_inout_alloc());
    if (!end)
        throw std::bad_alloc();
    end->name = av_strdup(name);
    if (!end->name)
        throw std::bad_alloc();
    end->filter_ctx = filter;
    end->pad_idx = 0;
    end->next = nullptr;
    return end;
}

}  // namespace

FilterChain::FilterChain(std::string description, int threads) : description_(std::move(description)), threads_(threads)
{
}

FilterChain::~FilterChain() = default;

FilterChain::Key FilterChain::KeyOf(const AVFrame& picture)
{
    return {picture.width,
            picture.height,
            picture.format,
            int(picture.color_trc),
            int(picture.color_primaries),
            int(picture.colorspace),
            int(picture.color_range)};
}

FilterChain::Readiness FilterChain::Prepare(const AVFrame& picture)
{
    const Key key = KeyOf(picture);
    if (key == key_ && (graph_ || failed_))
        return failed_ ? Readiness::Failed : Readiness::Ready;
    key_ = key;
    return Restart();
}

FilterChain::Readiness FilterChain::Restart()
{
    try {
        Build();
        failed_ = false;
        return Readiness::Rebuilt;
    } catch (const std::runtime_error&) {
        graph_.reset();
        source_ = sink_ = nullptr;
        failed_ = true;
        return Readiness::Failed;
    }
}

void FilterChain::Build()
{
    graph_.reset();
    source_ = sink_ = nullptr;
    FilterGraphPtr graph(avfilter_graph_alloc());
    if (!graph)
        throw std::bad_alloc();
    graph->nb_threads = threads_;
    char arguments[128];
    std::snprintf(arguments, sizeof arguments, "video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=1/1",
                  key_.width, key_.height, key_.format, kSourceTimeBase.num, kSourceTimeBase.den);
    AVFilterContext* source = nullptr;
    AVFilterContext* sink = nullptr;
    ThrowIfAvError(
        avfilter_graph_create_filter(&source, avfilter_get_by_name("buffer"), "in", arguments, nullptr, graph.get()),
        "picture filter source");
    ThrowIfAvError(
        avfilter_graph_create_filter(&sink, avfilter_get_by_name("buffersink"), "out", nullptr, nullptr, graph.get()),
        "picture filter sink");
    // The chain's open input is fed by the source, its open output feeds the sink.
    InOutPtr chainInput = ChainEnd("in", source);
    InOutPtr chainOutput = ChainEnd("out", sink);
    AVFilterInOut* inputs = chainOutput.release();
    AVFilterInOut* outputs = chainInput.release();
    const int parsed = avfilter_graph_parse_ptr(graph.get(), description_.c_str(), &inputs, &outputs, nullptr);
    avfilter_inout_free(&inputs);
    avfilter_inout_free(&outputs);
    ThrowIfAvError(parsed, "picture filter chain");
    ThrowIfAvError(avfilter_graph_config(graph.get(), nullptr), "picture filter configuration");
    graph_ = std::move(graph);
    source_ = source;
    sink_ = sink;
}

void FilterChain::Send(const AVFrame& picture, std::int64_t pts)
{
    if (!graph_)
        throw std::runtime_error("picture filter chain not built");
    FramePtr reference = RefFrame(picture);
    reference->pts = pts;
    // The source takes over the reference's buffers.
    ThrowIfFailed(av_buffersrc_add_frame_flags(source_, reference.get(), 0), "picture filter input");
}

void FilterChain::ThrowIfFailed(int code, const char* attempted)
{
    // A chain that failed is built afresh for the next picture.
    if (code < 0) {
        graph_.reset();
        source_ = sink_ = nullptr;
    }
    ThrowIfAvError(code, attempted);
}

FramePtr FilterChain::Receive()
{
    if (!graph_)
        return nullptr;
    FramePtr picture = MakeFrame();
    const int rc = av_buffersink_get_frame(sink_, picture.get());
    if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
        return nullptr;
    ThrowIfFailed(rc, "picture filter output");
    if (picture->pts != AV_NOPTS_VALUE)
        picture->pts = av_rescale_q(picture->pts, av_buffersink_get_time_base(sink_), kSourceTimeBase);
    return picture;
}

}  // namespace sm
