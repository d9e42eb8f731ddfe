#include "output/JpegEncoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include <QIODevice>

#include <jpeglib.h>

#include "common/Bitmap.h"
#include "output/DeviceWrite.h"
#include "output/EncodeError.h"

namespace sm {

namespace {

constexpr std::size_t kOutputBufferSize = 64 * 1024;

}  // namespace

// The compressor with its error and destination managers. Library errors and refused
// writes jump back to the setjmp point in compress(), which holds no C++ objects.
struct JpegEncoder::Compressor {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_destination_mgr destination{};
    std::jmp_buf jump;
    std::string failure;
    QIODevice* out = nullptr;
    std::vector<JOCTET> buffer = std::vector<JOCTET>(kOutputBufferSize);

    Compressor()
    {
        info.err = jpeg_std_error(&errors);
        errors.error_exit = &OnError;
        info.client_data = this;
        jpeg_create_compress(&info);
        destination.init_destination = &OnInit;
        destination.empty_output_buffer = &OnBufferFull;
        destination.term_destination = &OnTerminate;
        info.dest = &destination;
    }
    ~Compressor() { jpeg_destroy_compress(&info); }

    static Compressor& Of(j_common_ptr info) { return *static_cast<Compressor*>(info->client_data); }

    static void OnError(j_common_ptr info)
    {
        Compressor& self = Of(info);
        char message[JMSG_LENGTH_MAX];
        (*info->err->format_message)(info, message);
        self.failure = std::string("JPEG encoder: ") + message;
        std::longjmp(self.jump, 1);
    }

    static void OnInit(j_compress_ptr info)
    {
        Compressor& self = Of(reinterpret_cast<j_common_ptr>(info));
        self.destination.next_output_byte = self.buffer.data();
        self.destination.free_in_buffer = self.buffer.size();
    }

    static boolean OnBufferFull(j_compress_ptr info)
    {
        Compressor& self = Of(reinterpret_cast<j_common_ptr>(info));
        if (!self.flush(self.buffer.size()))
            std::longjmp(self.jump, 1);
        OnInit(info);
        return TRUE;
    }

    static void OnTerminate(j_compress_ptr info)
    {
        Compressor& self = Of(reinterpret_cast<j_common_ptr>(info));
        if (!self.flush(self.buffer.size() - self.destination.free_in_buffer))
            std::longjmp(self.jump, 1);
    }

    // Returns false with `failure` set when the device refuses the bytes.
    bool flush(std::size_t size)
    {
        try {
            WriteBytes(*out, buffer.data(), size);
            return true;
        } catch (const EncodeError& e) {
            failure = e.what();
            return false;
        }
    }

    // Returns false with `failure` set; the compressor is then reset for the next picture.
    bool compress(const Bitmap& picture, int quality)
    {
        if (setjmp(jump)) {
            jpeg_abort_compress(&info);
            return false;
        }
        info.image_width = static_cast<JDIMENSION>(picture.width());
        info.image_height = static_cast<JDIMENSION>(picture.height());
        info.input_components = picture.bitsPerPixel() / 8;
        info.in_color_space = picture.bitsPerPixel() == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, quality, TRUE);
        jpeg_start_compress(&info, TRUE);
        while (info.next_scanline < info.image_height) {
            JSAMPROW row = const_cast<JSAMPROW>(picture.row(static_cast<int>(info.next_scanline)));
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
        return true;
    }
};

JpegEncoder::JpegEncoder() : compressor_(std::make_unique<Compressor>()) {}

JpegEncoder::~JpegEncoder() = default;

void JpegEncoder::setQuality(int quality) { quality_ = std::clamp(quality, 1, 100); }

void JpegEncoder::encode(const Bitmap& picture, QIODevice& out)
{
    if (picture.bitsPerPixel() != 24 && picture.bitsPerPixel() != 32)
        throw EncodeError("The JPEG encoder takes 24- or 32-bit pictures");
    if (picture.isEmpty() || picture.width() > JPEG_MAX_DIMENSION || picture.height() > JPEG_MAX_DIMENSION)
        throw EncodeError("A JPEG picture must be 1 to 65500 pixels each way, not " + std::to_string(picture.width())
                          + " x " + std::to_string(picture.height()));
    compressor_->out = &out;
    compressor_->failure.clear();
    const bool done = compressor_->compress(picture, quality_);
    compressor_->out = nullptr;
    if (!done)
        throw EncodeError(compressor_->failure);
}

}  // namespace sm
