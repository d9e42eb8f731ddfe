#include "output/SaveBitmapFile.h"

#include <QIODevice>

#include "common/SafeFileWrite.h"
#include "imaging/TextStamp.h"
#include "output/Encoders.h"
#include "output/ImageFormats.h"
#include "settings/Texts.h"

namespace sm {

bool SaveBitmapFile(Bitmap& bitmap, const QString& fileName, const QString& timeLabel, const AppSettings& settings,
                    Encoders& encoders, Bitmap& workBitmap, QString* error)
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
        if (error)
            *error = QString::fromUtf8(e.what());
        return false;
    } catch (...) {
        if (error)
            *error = lang::kUnknownError;
        return false;
    }
}

}  // namespace sm
