#include "settings/GuardedCommand.h"

#include <QString>

#include <exception>

#include "settings/Prompts.h"
#include "settings/Texts.h"
#include "settings/WriteFailureText.h"

namespace sm {

void RunGuarded(Prompts& prompts, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const FileWriteError& e) {
        prompts.Error(e.Failure().FileName.isEmpty() ? QString::fromUtf8(e.what()) : WriteFailureText(e.Failure()));
    } catch (const std::exception& e) {
        prompts.Error(QString::fromUtf8(e.what()));
    } catch (...) {
        prompts.Error(lang::kUnknownError);
    }
}

}  // namespace sm
