#include "output/SaveBitmapFile.h"

#include <QIODevice>

#include "common/SafeFileWrite.h"
#include "output/Encoders.h"
#include "output/ImageFormats.h"
#include "settings/Texts.h"

namespace sm {

bool SaveBitmapFile(const Bitmap& bitmap, const QString& fileName, const AppSettings& settings, Encoders& encoders,
                    WriteFailure* failure)
{
    try {
        const ImageFormat& format = ImageFormatFor(settings.SaveFormat);
        const int settingValue = format.setting ? settings.*format.setting : 0;
        // A picture the format cannot hold leaves no file behind, not even for a moment.
        RequireFormatSize(format, bitmap.width(), bitmap.height());
        WriteFileAtomically(fileName, [&](QIODevice& out) { WriteImage(bitmap, format, settingValue, encoders, out); });
        return true;
    } catch (const std::exception& e) {
        if (failure)
            *failure = FailureOf(e, fileName);
        return false;
    } catch (...) {
        if (failure)
            *failure = {fileName, 0, lang::kUnknownError};
        return false;
    }
}

}  // namespace sm
