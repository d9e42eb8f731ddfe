#include "video/AvHandles.h"

#include <new>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace sm {

void AvDeleter::operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
void AvDeleter::operator()(AVFilterGraph* p) const { avfilter_graph_free(&p); }
void AvDeleter::operator()(AVFrame* p) const { av_frame_free(&p); }
void AvDeleter::operator()(AVPacket* p) const { av_packet_free(&p); }
void AvDeleter::operator()(SwrContext* p) const { swr_free(&p); }
void AvDeleter::operator()(SwsContext* p) const { sws_freeContext(p); }

void InputFormatDeleter::operator()(AVFormatContext* p) const { avformat_close_input(&p); }

void OutputFormatDeleter::operator()(AVFormatContext* p) const
{
    if (p->oformat && !(p->oformat->flags & AVFMT_NOFILE))
        avio_closep(&p->pb);
    avformat_free_context(p);
}

FramePtr MakeFrame()
{
    FramePtr frame(av_frame_alloc());
    if (!frame)
        throw std::bad_alloc();
    return frame;
}

FramePtr RefFrame(const AVFrame& frame)
{
    FramePtr copy(av_frame_clone(&frame));
    if (!copy)
        throw std::bad_alloc();
    return copy;
}

PacketPtr MakePacket()
{
    PacketPtr packet(av_packet_alloc());
    if (!packet)
        throw std::bad_alloc();
    return packet;
}

}  // namespace sm
