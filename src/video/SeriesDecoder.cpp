#include "video/SeriesDecoder.h"

#include <algorithm>
#include <chrono>
#include <optional>

extern "C" {
#include <libavutil/frame.h>
}

#include "video/FrameConverter.h"
#include "video/MediaReader.h"
#include "video/SeekFrameSearch.h"

namespace sm {
namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;

// The picture as a screen shows it, or an empty one.
Bitmap Converted(MediaReader& reader, FrameConverter& converter, const DecodedFrame& frame)
{
    try {
        return converter.Convert(*frame.frame, reader.FrameGeometry(*frame.frame),
                                 {frame.before.get(), frame.after.get()});
    } catch (const std::runtime_error&) {
        // A picture that cannot be converted is no frame, as for the player.
        return {};
    }
}

// The picture a seek of the player to the second shows with its time, or an empty one.
Bitmap DecodeSecond(MediaReader& reader, FrameConverter& converter, std::int64_t second, std::int64_t& timeUnits)
{
    const DecodedFrame frame = reader.SeekExact(std::max<std::int64_t>(0, second) * kUnitsPerSecond);
    if (!frame)
        return {};
    timeUnits = frame.timeUnits;
    return Converted(reader, converter, frame);
}

}  // namespace

SeriesDecoder::SeriesDecoder(std::string path, std::vector<std::int64_t> seconds, const SeriesLimits& limits,
                             const PictureOptions& pictures, const SkipRule& skip)
    : path_(std::move(path)),
      seconds_(std::move(seconds)),
      ahead_(std::size_t(std::max(1, limits.ahead))),
      decoderThreads_(std::max(0, limits.decoderThreads)),
      pictureOptions_(pictures),
      skip_(skip),
      slots_(seconds_.size())
{
    const std::size_t count = std::min(seconds_.size(), std::size_t(std::max(1, limits.workers)));
    readers_.resize(count);
    workersLeft_ = count;
    threads_.reserve(count);
    try {
        for (std::size_t worker = 0; worker < count; ++worker)
            threads_.emplace_back([this, worker] { Work(worker); });
    } catch (...) {
        // The threads already running must not outlive the members they use.
        Stop();
        throw;
    }
}

SeriesDecoder::~SeriesDecoder() { Stop(); }

void SeriesDecoder::Stop()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    claimable_.notify_all();
    for (std::thread& thread : threads_)
        if (thread.joinable())
            thread.join();
}

void SeriesDecoder::SeekNext()
{
    {
        std::lock_guard lock(mutex_);
        if (position_ > seconds_.size())
            return;
        // A picture of a second left behind (given up or never grabbed) is not wanted.
        if (position_ > 0)
            slots_[position_ - 1].picture = Bitmap();
        ++position_;
    }
    claimable_.notify_all();
}

std::size_t SeriesDecoder::Current() const
{
    return position_ > 0 && position_ <= seconds_.size() ? position_ - 1 : seconds_.size();
}

bool SeriesDecoder::GrabTimedSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits)
{
    std::unique_lock lock(mutex_);
    const std::size_t current = Current();
    if (current == seconds_.size())
        return false;
    Slot& slot = slots_[current];
    decoded_.wait_for(lock, std::chrono::milliseconds(std::max(0, waitMs)), [&slot] { return slot.decoded; });
    if (!slot.decoded || slot.picture.isEmpty())
        return false;
    bitmap = std::move(slot.picture);
    slot.picture = Bitmap();
    frameUnits = slot.timeUnits;
    lastLater_ = slot.later;
    return true;
}

bool SeriesDecoder::TookLaterPicture() const
{
    std::lock_guard lock(mutex_);
    return lastLater_;
}

SeekProgress SeriesDecoder::GetSeekProgress() const
{
    std::lock_guard lock(mutex_);
    const std::size_t current = Current();
    std::uint64_t work = picturesDone_;
    for (const std::unique_ptr<MediaReader>& reader : readers_)
        if (reader)
            work += reader->PacketsRead();
    return {current < seconds_.size() && !slots_[current].decoded, work};
}

bool SeriesDecoder::Claim(std::size_t& index)
{
    std::unique_lock lock(mutex_);
    // The window of seconds that may be decoded starts at the current one (the first
    // before any SeekNext).
    const auto claimable = [this] {
        const std::size_t from = position_ > 0 ? position_ - 1 : 0;
        return quit_ || nextClaim_ >= seconds_.size() || nextClaim_ < from + ahead_;
    };
    claimable_.wait(lock, claimable);
    // Seconds the caller has moved past are not decoded any more.
    if (position_ > 0)
        nextClaim_ = std::max(nextClaim_, position_ - 1);
    if (quit_ || nextClaim_ >= seconds_.size())
        return false;
    index = nextClaim_++;
    return true;
}

void SeriesDecoder::Deliver(std::size_t index, Bitmap picture, std::int64_t timeUnits, bool later)
{
    {
        std::lock_guard lock(mutex_);
        Slot& slot = slots_[index];
        slot.decoded = true;
        ++picturesDone_;
        if (position_ == 0 || index >= position_ - 1) {
            slot.picture = std::move(picture);
            slot.timeUnits = timeUnits;
            slot.later = later;
        }
    }
    decoded_.notify_all();
}

bool SeriesDecoder::Passed(std::size_t index) const
{
    std::lock_guard lock(mutex_);
    return position_ > index + 1;
}

bool SeriesDecoder::FindLaterPicture(MediaReader& reader, FrameConverter& converter, std::size_t index, Bitmap& picture,
                                     std::int64_t& timeUnits) const
{
    const std::optional<std::int64_t> next
        = index + 1 < seconds_.size() ? std::optional<std::int64_t>(seconds_[index + 1]) : std::nullopt;
    const std::int64_t limit = LaterPictureLimit(seconds_[index], next, skip_.SkipSeconds);
    // The reader waits just after the second's picture: what follows is decoded once, in
    // order, without seeking again.
    std::int64_t last = timeUnits;
    while (!quit_ && !Passed(index)) {
        const DecodedFrame frame = reader.NextVideoFrame();
        if (!frame || frame.timeUnits >= limit || frame.timeUnits <= last)
            return false;
        last = frame.timeUnits;
        Bitmap candidate = Converted(reader, converter, frame);
        if (!candidate.isEmpty() && !Rejects(skip_, candidate)) {
            picture = std::move(candidate);
            timeUnits = frame.timeUnits;
            return true;
        }
    }
    return false;
}

void SeriesDecoder::GiveUp(std::size_t worker)
{
    {
        std::lock_guard lock(mutex_);
        readers_[worker].reset();
        // Without any reader left, the seconds nobody decodes give no frame.
        if (--workersLeft_ == 0) {
            for (std::size_t index = nextClaim_; index < slots_.size(); ++index)
                slots_[index].decoded = true;
            nextClaim_ = slots_.size();
        }
    }
    decoded_.notify_all();
}

void SeriesDecoder::Work(std::size_t worker)
{
    MediaReader* reader = nullptr;
    try {
        auto opened = std::make_unique<MediaReader>(path_, &quit_, decoderThreads_);
        // Sound is not needed; its packets are dropped as they are read.
        opened->SetAudioWanted(false);
        std::lock_guard lock(mutex_);
        reader = opened.get();
        readers_[worker] = std::move(opened);
    } catch (const std::exception&) {
        GiveUp(worker);
        return;
    }
    FrameConverter converter(pictureOptions_, decoderThreads_);
    std::size_t index = 0;
    while (Claim(index)) {
        Bitmap picture;
        std::int64_t timeUnits = 0;
        bool later = false;
        try {
            picture = DecodeSecond(*reader, converter, seconds_[index], timeUnits);
            if (!picture.isEmpty() && Rejects(skip_, picture))
                later = FindLaterPicture(*reader, converter, index, picture, timeUnits);
        } catch (const std::exception&) {
            // Out of memory for this picture: no frame for its second.
        }
        Deliver(index, std::move(picture), timeUnits, later);
    }
    GiveUp(worker);
}

}  // namespace sm
