#include "settings/GuardedCommand.h"

#include <QString>

#include <exception>

#include "settings/Prompts.h"
#include "settings/Texts.h"

namespace sm {

void RunGuarded(Prompts& prompts, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        prompts.Error(QString::fromUtf8(e.what()));
    } catch (...) {
        prompts.Error(lang::kUnknownError);
    }
}

}  // namespace sm
