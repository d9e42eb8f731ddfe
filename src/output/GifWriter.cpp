#include "output/GifWriter.h"

#include <memory>
#include <string>

#include <QIODevice>

#include <gif_lib.h>

#include "common/Bitmap.h"
#include "output/DeviceWrite.h"
#include "output/EncodeError.h"

namespace sm {

namespace {

constexpr int kMaxGifSide = 65535;

struct GifSink {
    QIODevice* out;
    std::string error;
};

int WriteToSink(GifFileType* gif, const GifByteType* data, int length)
{
    auto* sink = static_cast<GifSink*>(gif->UserData);
    try {
        WriteBytes(*sink->out, data, static_cast<std::size_t>(length));
        return length;
    } catch (const EncodeError& e) {
        sink->error = e.what();
        return 0;
    }
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int ignored = 0;
        EGifCloseFile(gif, &ignored);
    }
};

struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

[[noreturn]] void Fail(const GifSink& sink, int code)
{
    throw EncodeError(sink.error.empty() ? std::string("GIF encoder: ") + GifErrorString(code) : sink.error);
}

}  // namespace

void RequireGifSize(int width, int height)
{
    if (width < 1 || height < 1 || width > kMaxGifSide || height > kMaxGifSide)
        throw EncodeError("A GIF picture must be 1 to 65535 pixels each way, not " + std::to_string(width) + " x "
                          + std::to_string(height));
}

void WriteGif(const Bitmap& indexed, QIODevice& out)
{
    if (indexed.bitsPerPixel() != 8 || indexed.palette().empty() || indexed.palette().size() > 256)
        throw EncodeError("A GIF file takes an 8-bit picture with a palette");
    RequireGifSize(indexed.width(), indexed.height());

    std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(256, nullptr));
    if (!map)
        throw std::bad_alloc();
    for (int i = 0; i < 256; ++i) {
        const bool used = i < static_cast<int>(indexed.palette().size());
        const PaletteEntry e = used ? indexed.palette()[i] : PaletteEntry{};
        map->Colors[i] = GifColorType{e.red, e.green, e.blue};
    }

    GifSink sink{&out, {}};
    int code = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&sink, WriteToSink, &code));
    if (!gif)
        Fail(sink, code);
    if (EGifPutScreenDesc(gif.get(), indexed.width(), indexed.height(), 8, 0, map.get()) == GIF_ERROR
        || EGifPutImageDesc(gif.get(), 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_ERROR)
        Fail(sink, gif->Error);
    for (int y = 0; y < indexed.height(); ++y) {
        // giflib takes the row as writable but only reads it.
        auto* row = const_cast<GifPixelType*>(indexed.row(y));
        if (EGifPutLine(gif.get(), row, indexed.width()) == GIF_ERROR)
            Fail(sink, gif->Error);
    }
    GifFileType* finished = gif.release();
    if (EGifCloseFile(finished, &code) == GIF_ERROR)
        Fail(sink, code);
}

}  // namespace sm
