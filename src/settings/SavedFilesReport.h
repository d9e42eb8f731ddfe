#pragma once

#include <QString>

namespace sm {

class Prompts;

// Tells the user how a save into `folder` went: when nothing was saved, that (after the
// failures, when failedText tells of any) and nothing more; else the failures first,
// then the number saved with the offer to open the folder.
void ReportSavedFiles(Prompts& prompts, int saved, const QString& failedText, const QString& folder);

}  // namespace sm
