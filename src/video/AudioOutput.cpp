#include "video/AudioOutput.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
}

#include "video/AvError.h"

namespace sm {
namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;
// Sound counts as flowing while the device has asked for it this recently.
constexpr auto kFlowingWithin = std::chrono::milliseconds(250);

}  // namespace

double VolumeToGain(int volume)
{
    const int clamped = std::clamp(volume, 0, 10000);
    const double hundredthsOfDecibel = clamped - 10000;
    return std::pow(10.0, hundredthsOfDecibel / 2000.0);
}

AudioOutput::AudioOutput(int preferredRate)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    SDL_AudioSpec wanted{};
    wanted.freq = preferredRate > 0 ? preferredRate : 48000;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    wanted.callback = &AudioOutput::Callback;
    wanted.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &have,
                                  SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (device_ == 0 || have.channels == 0 || have.freq <= 0) {
        if (device_ != 0)
            SDL_CloseAudioDevice(device_);
        device_ = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    rate_ = have.freq;
    channels_ = have.channels;
    deviceSamples_ = have.samples;
}

AudioOutput::~AudioOutput()
{
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    // SDL keeps error state for every thread that calls it; a thread SDL did not start
    // has to release it itself.
    SDL_TLSCleanup();
}

void AudioOutput::SetGain(double gain)
{
    std::lock_guard lock(mutex_);
    gain_ = gain;
}

void AudioOutput::SetRunning(bool running)
{
    if (device_ != 0)
        SDL_PauseAudioDevice(device_, running ? 0 : 1);
}

void AudioOutput::PrepareResampler(const AVFrame& frame)
{
    if (resampler_ && frame.sample_rate == resamplerRate_ && frame.format == resamplerFormat_
        && frame.ch_layout.nb_channels == resamplerChannels_)
        return;
    AVChannelLayout input{};
    if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&input, frame.ch_layout.nb_channels);
    else
        ThrowIfAvError(av_channel_layout_copy(&input, &frame.ch_layout), "sound layout");
    AVChannelLayout output{};
    av_channel_layout_default(&output, channels_);
    SwrContext* raw = nullptr;
    const int rc = swr_alloc_set_opts2(&raw, &output, AV_SAMPLE_FMT_S16, rate_, &input, AVSampleFormat(frame.format),
                                       frame.sample_rate, 0, nullptr);
    av_channel_layout_uninit(&input);
    av_channel_layout_uninit(&output);
    resampler_.reset(raw);
    ThrowIfAvError(rc, "sound converter");
    ThrowIfAvError(swr_init(raw), "sound converter");
    resamplerRate_ = frame.sample_rate;
    resamplerFormat_ = frame.format;
    resamplerChannels_ = frame.ch_layout.nb_channels;
}

void AudioOutput::Queue(const AVFrame& frame, std::int64_t timeUnits, std::int64_t fromUnits)
{
    if (device_ == 0 || frame.nb_samples <= 0 || frame.sample_rate <= 0 || frame.ch_layout.nb_channels <= 0)
        return;
    PrepareResampler(frame);
    const int capacity = swr_get_out_samples(resampler_.get(), frame.nb_samples);
    if (capacity <= 0)
        return;
    std::vector<std::int16_t> converted(std::size_t(capacity) * std::size_t(channels_));
    auto* out = reinterpret_cast<std::uint8_t*>(converted.data());
    const int made
        = ThrowIfAvError(swr_convert(resampler_.get(), &out, capacity,
                                     const_cast<const std::uint8_t**>(frame.extended_data), frame.nb_samples),
                         "sound conversion");
    std::int64_t skip = 0;
    if (fromUnits > timeUnits)
        skip = std::min<std::int64_t>(made, (fromUnits - timeUnits) * rate_ / kUnitsPerSecond);
    const std::int64_t endUnits = timeUnits + std::int64_t(made) * kUnitsPerSecond / rate_;
    std::lock_guard lock(mutex_);
    samples_.insert(samples_.end(), converted.begin() + skip * channels_,
                    converted.begin() + std::int64_t(made) * channels_);
    queuedEndUnits_ = endUnits;
}

std::int64_t AudioOutput::QueuedUnits() const
{
    if (device_ == 0)
        return 0;
    std::lock_guard lock(mutex_);
    return std::int64_t(samples_.size() / std::size_t(channels_)) * kUnitsPerSecond / rate_;
}

void AudioOutput::Flush()
{
    if (device_ == 0)
        return;
    std::lock_guard lock(mutex_);
    samples_.clear();
    fed_ = false;
    if (resampler_)
        swr_init(resampler_.get());
}

bool AudioOutput::HeardPosition(std::int64_t& units) const
{
    if (device_ == 0)
        return false;
    std::lock_guard lock(mutex_);
    if (!fed_ || samples_.empty() || std::chrono::steady_clock::now() - lastFed_ > kFlowingWithin)
        return false;
    const std::int64_t waiting = std::int64_t(samples_.size() / std::size_t(channels_)) + deviceSamples_;
    units = queuedEndUnits_ - waiting * kUnitsPerSecond / rate_;
    return true;
}

void AudioOutput::Callback(void* self, std::uint8_t* stream, int length)
{
    static_cast<AudioOutput*>(self)->Fill(stream, length);
}

void AudioOutput::Fill(std::uint8_t* stream, int length)
{
    auto* out = reinterpret_cast<std::int16_t*>(stream);
    const std::size_t wanted = std::size_t(length) / sizeof(std::int16_t);
    std::lock_guard lock(mutex_);
    const std::size_t available = std::min(wanted, samples_.size());
    for (std::size_t i = 0; i < available; ++i)
        out[i] = std::int16_t(std::lround(std::clamp(samples_[i] * gain_, -32768.0, 32767.0)));
    std::fill(out + available, out + wanted, std::int16_t(0));
    samples_.erase(samples_.begin(), samples_.begin() + std::ptrdiff_t(available));
    if (available > 0) {
        fed_ = true;
        lastFed_ = std::chrono::steady_clock::now();
    }
}

}  // namespace sm
