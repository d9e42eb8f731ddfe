#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>

#include "video/AvHandles.h"

namespace sm {

// The linear gain of a volume on the 0..10000 scale (clamped), applied as
// (volume - 10000) hundredths of a decibel: 10000 is 1.0, 0 is 1e-5.
double VolumeToGain(int volume);

// Plays decoded sound on the default output device through SDL. When no device can be
// opened the output stays closed and every call does nothing. Created and destroyed on
// the same thread, which must not use SDL otherwise.
class AudioOutput {
public:
    explicit AudioOutput(int preferredRate);
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    bool IsOpen() const { return device_ != 0; }
    void SetGain(double gain);
    // Starts or halts the device; halted, the queued sound waits.
    void SetRunning(bool running);
    // Converts a block of sound starting at timeUnits and queues it; what lies before
    // fromUnits is left out.
    void Queue(const AVFrame& frame, std::int64_t timeUnits, std::int64_t fromUnits);
    // How much queued sound has not yet reached the device, in 100-ns units.
    std::int64_t QueuedUnits() const;
    void Flush();
    // The position of the sound the listener hears now; false unless sound is flowing.
    bool HeardPosition(std::int64_t& units) const;

private:
    static void Callback(void* self, std::uint8_t* stream, int length);
    void Fill(std::uint8_t* stream, int length);
    void PrepareResampler(const AVFrame& frame);

    std::uint32_t device_ = 0;
    int rate_ = 0;
    int channels_ = 0;
    int deviceSamples_ = 0;
    ResamplerPtr resampler_;
    int resamplerRate_ = 0;
    int resamplerFormat_ = -1;
    int resamplerChannels_ = 0;

    mutable std::mutex mutex_;
    std::deque<std::int16_t> samples_;               // guarded by mutex_: interleaved, waiting for the device
    std::int64_t queuedEndUnits_ = 0;                // guarded by mutex_: the time just after the last queued sample
    double gain_ = 1.0;                              // guarded by mutex_
    std::chrono::steady_clock::time_point lastFed_;  // guarded by mutex_: the last callback that got sound
    bool fed_ = false;  // guarded by mutex_: whether any callback has got sound since a flush
};

}  // namespace sm
