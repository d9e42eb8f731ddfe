#include "output/SaveBitmapFile.h"

#include <QIODevice>

#include "app/Texts.h"
#include "imaging/TextStamp.h"
#include "output/Encoders.h"
#include "output/ImageFormats.h"

namespace sm {

bool SaveBitmapFile(Bitmap& bitmap, const QString& fileName, const QString& timeLabel, const AppSettings& settings,
                    Encoders& encoders, Bitmap& workBitmap, WriteFailure* failure)
{
    if (settings.AddTimeStamp && !timeLabel.isEmpty()) {
        try {
            StampText(bitmap, timeLabel, settings.TimeFont, settings.TimePosit, 0, 0, 0, settings.TimeTrans, true);
        } catch (...) {
            // A picture without its stamp is still worth saving.
        }
    }
    try {
        const ImageFormat& format = ImageFormatFor(settings.SaveFormat);
        const int settingValue = format.setting ? settings.*format.setting : 0;
        WriteFileAtomically(fileName,
                            [&](QIODevice& out) { format.write(bitmap, settingValue, encoders, workBitmap, out); });
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
