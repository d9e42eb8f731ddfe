#include "video/Player.h"

#include <algorithm>
#include <optional>

extern "C" {
#include <libavutil/frame.h>
}

#include "video/AudioOutput.h"
#include "video/FrameConverter.h"
#include "video/PlaybackClock.h"

namespace sm {
namespace {

using std::chrono::milliseconds;

constexpr std::int64_t kUnitsPerMs = 10'000;
constexpr milliseconds kIdle{3'600'000};
// A picture this late is dropped, unless the last few were dropped as well.
constexpr std::int64_t kLateUnits = 100 * kUnitsPerMs;
constexpr int kMaxDroppedInRow = 4;
// A picture this far from the clock means broken or restarting timestamps: the clock
// moves to the picture instead of waiting for it.
constexpr std::int64_t kJumpAheadUnits = 5'000 * kUnitsPerMs;
constexpr std::int64_t kJumpBackUnits = 1'000 * kUnitsPerMs;
// Sound is kept this far ahead of the device; the clock follows the sound when the two
// drift further apart than the sync tolerance.
constexpr std::int64_t kSoundAheadUnits = 300 * kUnitsPerMs;
constexpr std::int64_t kSyncToleranceUnits = 40 * kUnitsPerMs;
constexpr milliseconds kSoundPoll{10};
// How often the position follows the clock while no picture is decoded.
constexpr milliseconds kUnwatchedPoll{40};
// How long a grab waits for the picture at the position after pictures went undecoded.
constexpr milliseconds kCatchUpWait{20'000};

}  // namespace

Player::Player(const std::string& path, bool muted, bool watched, const PictureOptions& pictures, PlayerEvents events)
    : events_(std::move(events)),
      // A player nobody watches decodes only the pictures of seeks, one after another: one
      // decoder thread gives each at once, without the threads and the decoder copies that
      // frame threading starts for every file.
      reader_(std::make_unique<MediaReader>(path, &quit_, watched ? 0 : 1)),
      clock_(std::make_unique<PlaybackClock>()),
      geometry_(reader_->StreamGeometry()),
      durationUnits_(reader_->DurationUnits()),
      pictureEndUnits_(reader_->PictureEndUnits()),
      elementNames_(reader_->ElementNames()),
      facts_(reader_->Facts()),
      color_(reader_->Color()),
      hasVideo_(reader_->HasVideo()),
      hasAudio_(reader_->HasAudio()),
      muted_(muted),
      converter_(pictures)
{
    watched_ = watched;
    thread_ = std::thread([this] { Run(); });
}

Player::~Player()
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

bool Player::HasVideo() const { return hasVideo_; }
bool Player::HasAudio() const { return hasAudio_; }
DisplayGeometry Player::Geometry() const { return geometry_; }
std::int64_t Player::DurationUnits() const { return durationUnits_; }
std::int64_t Player::PictureEndUnits() const { return pictureEndUnits_; }
ChainNames Player::ElementNames() const { return elementNames_; }
MediaFacts Player::Facts() const { return facts_; }
VideoColor Player::Color() const { return color_; }

void Player::Play()
{
    state_ = PlayState::Playing;
    Post({Command::kPlay});
}

void Player::Pause()
{
    state_ = PlayState::Paused;
    Post({Command::kPause});
}

void Player::Stop()
{
    state_ = PlayState::Stopped;
    Post({Command::kStop});
}

void Player::Seek(std::int64_t units)
{
    {
        std::lock_guard lock(mutex_);
        const std::uint64_t generation = ++seekRequested_;
        newestSeek_ = generation;
        commands_.push_back({Command::kSeek, units, generation});
    }
    position_ = units;
    wake_.notify_all();
}

void Player::StepSeek()
{
    {
        std::lock_guard lock(mutex_);
        commands_.push_back({Command::kStep, 0, ++seekRequested_});
    }
    wake_.notify_all();
}

void Player::SetMuted(bool muted)
{
    muted_ = muted;
    wake_.notify_all();
}

void Player::SetPictureOptions(const PictureOptions& options) { converter_.SetOptions(options); }

void Player::SetPicturesWatched(bool watched)
{
    watched_ = watched;
    Post({Command::kWatch});
}

void Player::Post(Command command)
{
    {
        std::lock_guard lock(mutex_);
        commands_.push_back(command);
    }
    wake_.notify_all();
}

bool Player::GrabPresented(Bitmap& bitmap, std::int64_t& frameUnits)
{
    std::shared_ptr<const PendingPicture> picture;
    {
        std::unique_lock lock(mutex_);
        // The current picture is the one at the position, not the last one decoded. Once
        // watched again the player is catching up already, and a painting window need
        // not wait for it: its picture follows when it is presented.
        if (picturesSkipped_ && !watched_) {
            const std::uint64_t asked = ++catchUpRequested_;
            commands_.push_back({Command::kCatchUp});
            wake_.notify_all();
            seekFrameReady_.wait_for(lock, kCatchUpWait, [this, asked] { return caughtUp_ >= asked; });
        }
        picture = presented_;
    }
    // Converted outside the lock, so that the player presents on meanwhile.
    Bitmap converted = picture ? converter_.Convert(picture) : Bitmap();
    if (converted.isEmpty())
        return false;
    bitmap = std::move(converted);
    frameUnits = picture->timeUnits;
    return true;
}

bool Player::GrabSeekFrame(Bitmap& bitmap, int waitMs, std::int64_t& frameUnits) const
{
    std::shared_ptr<const PendingPicture> picture;
    {
        std::unique_lock lock(mutex_);
        seekFrameReady_.wait_for(lock, milliseconds(std::max(0, waitMs)),
                                 [this] { return seekDone_ >= seekRequested_; });
        if (seekRequested_ == 0 || seekDone_ < seekRequested_)
            return false;
        picture = seekFrame_;
    }
    Bitmap converted = picture ? converter_.Convert(picture) : Bitmap();
    if (converted.isEmpty())
        return false;
    bitmap = std::move(converted);
    frameUnits = picture->timeUnits;
    return true;
}

sm::SeekProgress Player::SeekProgress() const
{
    std::lock_guard lock(mutex_);
    return {seekDone_ < seekRequested_, reader_->PacketsRead()};
}

void Player::Run()
{
    if (reader_->HasAudio()) {
        try {
            audio_ = std::make_unique<AudioOutput>(reader_->AudioSampleRate());
            audio_->SetRunning(false);
        } catch (const std::exception&) {
            // Without a device the pictures play on silently, on the wall clock.
            audio_.reset();
        }
    }
    reader_->SetAudioWanted(audio_ && audio_->IsOpen());
    RunUntilQuit();
    audio_.reset();
}

void Player::RunUntilQuit()
{
    milliseconds sleep = kIdle;
    for (;;) {
        std::vector<Command> batch;
        {
            std::unique_lock lock(mutex_);
            wake_.wait_for(lock, sleep, [this] { return quit_.load() || !commands_.empty(); });
            if (quit_)
                return;
            batch.swap(commands_);
        }
        try {
            if (audio_)
                audio_->SetGain(VolumeToGain(muted_ ? 0 : 10000));
            if (!batch.empty() && !Apply(batch))
                sleep = milliseconds(0);  // the newer seek is already waiting
            else
                sleep = running_ == PlayState::Playing ? PlayStep() : kIdle;
        } catch (const std::exception&) {
            // Nothing more can be played from here: halt, release any waiting grabber and
            // tell the owner.
            running_ = PlayState::Stopped;
            state_ = PlayState::Stopped;
            clock_->Stop();
            if (audio_)
                audio_->SetRunning(false);
            {
                std::lock_guard lock(mutex_);
                seekDone_ = seekRequested_;
                caughtUp_ = catchUpRequested_;
            }
            seekFrameReady_.notify_all();
            RaiseEvent(EC_ERRORABORT);
            sleep = kIdle;
        }
    }
}

bool Player::Apply(const std::vector<Command>& commands)
{
    PlayState target = running_;
    bool reposition = false;
    std::optional<Command> seek;
    std::vector<Command> steps;  // after the last seek
    for (const Command& command : commands) {
        switch (command.kind) {
        case Command::kPlay:
        case Command::kPause:
            reposition = reposition || target == PlayState::Stopped;
            target = command.kind == Command::kPlay ? PlayState::Playing : PlayState::Paused;
            break;
        case Command::kStop:
            target = PlayState::Stopped;
            reposition = false;
            break;
        case Command::kSeek:
            seek = command;
            steps.clear();
            break;
        case Command::kStep:
            steps.push_back(command);
            break;
        case Command::kWatch:
        case Command::kCatchUp:
            break;
        }
    }
    if (target != PlayState::Playing) {
        clock_->Stop();
        if (audio_)
            audio_->SetRunning(false);
    }
    bool needed = true;
    if (seek) {
        needed = SeekAndShow(seek->units, target != PlayState::Stopped, seek->generation);
    } else if (reposition && steps.empty()) {
        // Starting from stopped shows the picture at the position first; a picture
        // already decoded there by a seek while stopped is shown as it is.
        if (parkedAt_ && *parkedAt_ == clock_->Now()) {
            std::unique_lock lock(mutex_);
            if (seekFrame_) {
                presented_ = seekFrame_;
                picturesSkipped_ = false;
                lock.unlock();
                events_.framePresented();
            }
        } else {
            needed = SeekAndShow(clock_->Now(), true, 0);
        }
    } else if (steps.empty() && CatchUpWanted()) {
        needed = SeekAndShow(clock_->Now(), true, 0);
    }
    for (const Command& step : steps)
        needed = needed && StepAndShow(target != PlayState::Stopped, step.generation);
    if (needed) {
        // A grab waiting for the picture at the position has it now; after a newer seek
        // took over, it gets the picture of that one.
        {
            std::lock_guard lock(mutex_);
            caughtUp_ = catchUpRequested_;
        }
        seekFrameReady_.notify_all();
    }
    if (target != PlayState::Stopped)
        parkedAt_.reset();
    if (target == PlayState::Playing && running_ != PlayState::Playing) {
        clock_->Start();
        if (audio_)
            audio_->SetRunning(true);
    }
    running_ = target;
    return needed;
}

bool Player::CatchUpWanted()
{
    std::lock_guard lock(mutex_);
    return picturesSkipped_ && (watched_ || catchUpRequested_ > caughtUp_);
}

void Player::RestartAt(std::int64_t units)
{
    videoEnded_ = soundEnded_ = completeSent_ = errorSent_ = false;
    droppedInRow_ = 0;
    if (audio_)
        audio_->Flush();
    soundFrom_ = units;
    lastShown_ = units;
}

bool Player::SeekAndShow(std::int64_t units, bool present, std::uint64_t generation)
{
    units = std::max<std::int64_t>(0, units);
    afterSeekPicture_ = false;
    nextFrame_.reset();
    lastDropped_.reset();
    RestartAt(units);

    // A seek asked for meanwhile (playing from stopped is often followed by one at once)
    // takes over: decoding on towards this target would be thrown away.
    const std::uint64_t latest = newestSeek_.load();
    const auto superseded = [this, latest] { return newestSeek_.load() > latest; };
    DecodedFrame frame = reader_->SeekExact(units, superseded);
    if (superseded())
        return false;
    ShowSeekPicture(std::move(frame), units, present, generation);
    return true;
}

bool Player::StepAndShow(bool present, std::uint64_t generation)
{
    std::shared_ptr<const PendingPicture> from;
    {
        std::lock_guard lock(mutex_);
        from = seekFrame_;
    }
    const bool readerAfterIt = afterSeekPicture_;
    afterSeekPicture_ = false;
    const std::uint64_t latest = newestSeek_.load();
    const auto superseded = [this, latest] { return newestSeek_.load() > latest; };
    DecodedFrame frame;
    if (from) {
        nextFrame_.reset();
        lastDropped_.reset();
        // Playback since has moved the reader on: it finds the seek picture again.
        if (!readerAfterIt)
            reader_->SeekExact(from->timeUnits, superseded);
        if (superseded())
            return false;
        frame = reader_->NextVideoFrame();
    }
    const std::int64_t units = frame ? frame.timeUnits : (from ? from->timeUnits : clock_->Now());
    RestartAt(units);
    ShowSeekPicture(std::move(frame), units, present, generation);
    return true;
}

void Player::ShowSeekPicture(DecodedFrame frame, std::int64_t units, bool present, std::uint64_t generation)
{
    // Playing on starts from the target once it is found, however long that took.
    clock_->Set(units);
    if (hasVideo_ && !frame)
        videoEnded_ = true;
    std::shared_ptr<const PendingPicture> picture = frame ? Pending(std::move(frame)) : nullptr;
    const bool shown = present && picture;
    {
        std::lock_guard lock(mutex_);
        if (generation != 0) {
            seekFrame_ = picture;
            seekDone_ = std::max(seekDone_, generation);
        }
        if (shown) {
            presented_ = std::move(picture);
            picturesSkipped_ = false;
        }
    }
    if (generation != 0)
        seekFrameReady_.notify_all();
    if (shown)
        events_.framePresented();
    parkedAt_ = present ? std::nullopt : std::optional<std::int64_t>(units);
    position_ = units;
    // Only a seek picture leaves the reader where a step goes on from.
    afterSeekPicture_ = generation != 0;
    ReportDecodeErrors();
}

std::chrono::milliseconds Player::PlayStep()
{
    afterSeekPicture_ = false;
    std::int64_t now = clock_->Now();
    FeedSound(now);
    std::int64_t heard = 0;
    if (audio_ && audio_->HeardPosition(heard) && std::abs(heard - now) > kSyncToleranceUnits) {
        clock_->Set(heard);
        now = heard;
    }
    const bool soundPlaying = audio_ && audio_->IsOpen() && !soundEnded_;
    // Nobody sees the pictures: none is decoded until somebody watches again. Without a
    // known length the end of the pictures could not be told, so they are decoded then.
    if (hasVideo_ && !videoEnded_ && !watched_ && durationUnits_ > 0) {
        if (!picturesSkipped_) {
            std::lock_guard lock(mutex_);
            picturesSkipped_ = true;
        }
        nextFrame_.reset();
        lastDropped_.reset();
        position_ = std::clamp<std::int64_t>(now, 0, durationUnits_);
        if (now < durationUnits_)
            return std::min(kUnwatchedPoll,
                            milliseconds(std::max<std::int64_t>(1, (durationUnits_ - now) / kUnitsPerMs)));
        videoEnded_ = true;
    }
    if (hasVideo_ && !videoEnded_) {
        if (!nextFrame_) {
            DecodedFrame frame = reader_->NextVideoFrame();
            if (frame) {
                nextFrame_ = std::make_unique<DecodedFrame>(std::move(frame));
            } else {
                videoEnded_ = true;
                // The end of the stream always shows its last picture, late or not: a
                // user pausing there expects it on screen.
                if (lastDropped_)
                    Present(std::move(*lastDropped_));
                lastDropped_.reset();
            }
        }
        if (nextFrame_) {
            const std::int64_t due = nextFrame_->timeUnits;
            if (due > now + kJumpAheadUnits || due < lastShown_ - kJumpBackUnits) {
                clock_->Set(due);
                now = due;
            }
            position_ = std::max<std::int64_t>(0, now);
            if (due > now) {
                const milliseconds wait{std::max<std::int64_t>(1, (due - now) / kUnitsPerMs)};
                return soundPlaying ? std::min(wait, kSoundPoll) : wait;
            }
            lastShown_ = due;
            if (now - due > kLateUnits && droppedInRow_ < kMaxDroppedInRow) {
                ++droppedInRow_;
                lastDropped_ = std::move(nextFrame_);
            } else {
                droppedInRow_ = 0;
                lastDropped_.reset();
                Present(std::move(*nextFrame_));
                nextFrame_.reset();
            }
            ReportDecodeErrors();
            return milliseconds(0);
        }
    }
    if (completeSent_)
        return kIdle;
    position_ = std::max<std::int64_t>(0, durationUnits_ > 0 ? std::min(now, durationUnits_) : now);
    const bool soundDone = !soundPlaying && (!audio_ || !audio_->IsOpen() || audio_->QueuedUnits() == 0);
    // Without pictures and without a device to pace the sound, the clock alone ends it.
    const bool clockDone = hasVideo_ || (audio_ && audio_->IsOpen()) || now >= durationUnits_;
    if (soundDone && clockDone) {
        completeSent_ = true;
        ReportDecodeErrors();
        RaiseEvent(EC_COMPLETE);
        return kIdle;
    }
    return kSoundPoll;
}

void Player::FeedSound(std::int64_t now)
{
    if (!audio_ || !audio_->IsOpen() || soundEnded_)
        return;
    while (audio_->QueuedUnits() < kSoundAheadUnits) {
        DecodedFrame block = reader_->NextAudioFrame();
        if (!block) {
            soundEnded_ = true;
            return;
        }
        audio_->Queue(*block.frame, block.timeUnits, std::max(soundFrom_, now - kSoundAheadUnits));
    }
}

void Player::Present(DecodedFrame frame)
{
    std::shared_ptr<const PendingPicture> picture = Pending(std::move(frame));
    if (!picture)
        return;
    {
        std::lock_guard lock(mutex_);
        presented_ = std::move(picture);
    }
    events_.framePresented();
}

std::shared_ptr<const PendingPicture> Player::Pending(DecodedFrame frame)
{
    const DisplayGeometry geometry = reader_->FrameGeometry(*frame.frame);
    if (IsConvertible(*frame.frame, geometry))
        return std::make_shared<const PendingPicture>(PendingPicture{std::move(frame.frame), geometry, frame.timeUnits,
                                                                     std::move(frame.before), std::move(frame.after)});
    // A picture that cannot be shown is skipped like a damaged one.
    if (!errorSent_) {
        errorSent_ = true;
        RaiseEvent(EC_STREAM_ERROR_STILLPLAYING);
    }
    return nullptr;
}

void Player::ReportDecodeErrors()
{
    if (reader_->TakeDecodeErrors() > 0 && !errorSent_) {
        errorSent_ = true;
        RaiseEvent(EC_STREAM_ERROR_STILLPLAYING);
    }
}

void Player::RaiseEvent(int code)
{
    if (events_.graphEvent)
        events_.graphEvent(code);
}

}  // namespace sm
