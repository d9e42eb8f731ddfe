#pragma once

#include <cstdint>
#include <string>

#include "video/AvHandles.h"

struct AVFilterContext;

namespace sm {

// One chain of FFmpeg filters from a source of pictures to a sink, built for pictures
// of one size, pixel format and set of colour tags, and built again when a picture
// differs in any of them. Used by one thread at a time.
class FilterChain {
public:
    // `description` is the chain in FFmpeg's filter syntax ("bwdif=mode=send_frame");
    // its filters use that many threads (0: as many as suit the processors).
    FilterChain(std::string description, int threads);
    ~FilterChain();
    FilterChain(const FilterChain&) = delete;
    FilterChain& operator=(const FilterChain&) = delete;

    enum class Readiness { Ready, Rebuilt, Failed };
    // Makes the chain ready for pictures like this one: as it is (Ready), built afresh
    // (Rebuilt: nothing fed before is remembered), or not at all (Failed, also for every
    // later picture like it).
    Readiness Prepare(const AVFrame& picture);
    // Starts the chain afresh for pictures like the last one prepared.
    Readiness Restart();
    // Feeds a new reference to the picture with the timestamp, in whole units of the
    // source's time base of 1 s. Throws std::runtime_error when the chain refuses it.
    void Send(const AVFrame& picture, std::int64_t pts);
    // The next picture the chain gives (its timestamp in the source's units again), or
    // null when it wants more first. Throws std::runtime_error when the chain fails.
    // After a failure the chain is built afresh for the next picture prepared.
    FramePtr Receive();

private:
    struct Key {
        int width = 0, height = 0, format = -1, transfer = -1, primaries = -1, matrix = -1, range = -1;
        friend bool operator==(const Key&, const Key&) = default;
    };
    static Key KeyOf(const AVFrame& picture);
    void Build();
    void ThrowIfFailed(int code, const char* attempted);

    const std::string description_;
    const int threads_;
    Key key_;
    bool failed_ = false;
    FilterGraphPtr graph_;
    AVFilterContext* source_ = nullptr;  // owned by graph_
    AVFilterContext* sink_ = nullptr;    // owned by graph_
};

}  // namespace sm
