#include "settings/SavedFilesReport.h"

#include "settings/Prompts.h"
#include "settings/Texts.h"

namespace sm {

void ReportSavedFiles(Prompts& prompts, int saved, const QString& failedText, const QString& folder)
{
    if (saved == 0) {
        if (failedText.isEmpty())
            prompts.Information(lang::kNothingSaved);
        else
            prompts.Error(failedText + QLatin1Char('\n') + lang::kNothingSaved);
        return;
    }
    if (!failedText.isEmpty())
        prompts.Error(failedText);
    if (prompts.Confirm(lang::kShotsSavedOpenFolder.arg(saved)))
        prompts.OpenWithShell(folder);
}

}  // namespace sm
