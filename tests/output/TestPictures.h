#pragma once

#include <algorithm>
#include <cstdint>
#include <random>

#include <QBuffer>
#include <QByteArray>

#include "common/Bitmap.h"

namespace sm::test {

// A 24-bit picture of random pixels: every byte value turns up, nothing compresses.
inline Bitmap NoisePicture(int width, int height, unsigned seed = 1)
{
    Bitmap picture(width, height, 24);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixelRgb(x, y, random() & 0xFFFFFF);
    return picture;
}

// A 24-bit picture of smooth gradients: close to what a photograph asks of an encoder.
inline Bitmap GradientPicture(int width, int height)
{
    Bitmap picture(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t r = std::uint32_t(255 * x / std::max(1, width - 1));
            const std::uint32_t g = std::uint32_t(255 * y / std::max(1, height - 1));
            const std::uint32_t b = std::uint32_t((x + y) * 4) & 0xFF;
            picture.setPixelRgb(x, y, (r << 16) | (g << 8) | b);
        }
    return picture;
}

// Runs an encoder into memory and returns its bytes.
template <typename Encode>
QByteArray EncodeToMemory(Encode&& encode)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    encode(buffer);
    return bytes;
}

// A device that accepts `capacity` bytes and then refuses every write, as a full disk does.
class FullDevice : public QIODevice {
public:
    explicit FullDevice(qint64 capacity) : capacity_(capacity) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override
    {
        if (capacity_ <= 0)
            return -1;
        const qint64 accepted = std::min(length, capacity_);
        capacity_ -= accepted;
        return accepted;
    }

private:
    qint64 capacity_;
};

}  // namespace sm::test
