// Takes COUNT full-HD shots into a shot store, reads every one back once as saving does,
// and prints the peak memory of the process: a process of its own, so that the figure is
// that store's alone. BM_ShotStorePeakMemory runs it once for the shot list as it is
// (packed) and once for a store of plain copies with the same thumbnails.
//
//   stillmark_shot_memory FRAMES packed|plain COUNT
//
// FRAMES holds pictures one after another, each as its width and height (32-bit, native
// byte order) followed by its 24-bit rows; shot n is picture n modulo their number.

#include <sys/resource.h>

#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "capture/ListThumbnail.h"
#include "capture/ShotList.h"
#include "common/Bitmap.h"

namespace {

class FrameFile {
public:
    explicit FrameFile(const char* path) : file_(QString::fromLocal8Bit(path))
    {
        if (!file_.open(QIODevice::ReadOnly)
            || file_.read(reinterpret_cast<char*>(size_), sizeof size_) != sizeof size_)
            return;
        frameBytes_ = qint64(sizeof size_) + qint64(sm::Bitmap::strideFor(size_[0], 24)) * size_[1];
        count_ = int(file_.size() / frameBytes_);
    }

    int Count() const { return count_; }

    // A fresh bitmap, as a grab hands one over.
    sm::Bitmap Frame(int n)
    {
        sm::Bitmap frame(size_[0], size_[1], 24);
        file_.seek(frameBytes_ * (n % count_) + qint64(sizeof size_));
        file_.read(reinterpret_cast<char*>(frame.bits()), qint64(frame.byteSize()));
        return frame;
    }

private:
    QFile file_;
    std::int32_t size_[2] = {0, 0};
    qint64 frameBytes_ = 1;
    int count_ = 0;
};

long PeakKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s FRAMES packed|plain COUNT\n", argv[0]);
        return 2;
    }
    FrameFile frames(argv[1]);
    const bool packed = std::strcmp(argv[2], "packed") == 0;
    const int count = std::atoi(argv[3]);
    if (frames.Count() == 0 || count <= 0) {
        std::fprintf(stderr, "no frames in %s\n", argv[1]);
        return 2;
    }

    sm::ShotList shots;
    std::vector<std::shared_ptr<const sm::Bitmap>> copies;
    std::vector<sm::Bitmap> thumbnails;
    sm::Bitmap thumbnail(sm::kListThumbSize, sm::kListThumbSize, 24);
    QElapsedTimer clock;
    qint64 addNs = 0;
    for (int n = 0; n < count; ++n) {
        sm::Bitmap frame = frames.Frame(n);
        clock.start();
        if (packed) {
            shots.AddShot(std::move(frame), QStringLiteral("00:00:01"));
        } else {
            sm::MakeListThumbnail(frame, thumbnail);
            thumbnails.push_back(thumbnail);
            copies.push_back(std::make_shared<const sm::Bitmap>(std::move(frame)));
        }
        addNs += clock.nsecsElapsed();
    }

    clock.start();
    sm::Bitmap work;
    unsigned checksum = 0;
    for (int n = 0; n < count; ++n) {
        if (packed)
            shots.RowBitmap(n).expandInto(work);
        else
            work = *copies[std::size_t(n)];
        checksum += work.bits()[work.byteSize() / 2];
    }
    const qint64 readNs = clock.nsecsElapsed();
    std::printf("peak_kib %ld\nadd_ms_per_shot %.3f\nread_ms_per_shot %.3f\nchecksum %u\n", PeakKib(),
                double(addNs) / 1e6 / count, double(readNs) / 1e6 / count, checksum);
    return 0;
}
