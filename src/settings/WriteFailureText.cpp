#include "settings/WriteFailureText.h"

#include <cerrno>

#include "settings/Texts.h"

namespace sm {

namespace {

QString CauseText(int systemError)
{
    switch (systemError) {
    case EACCES:
    case EPERM:
    case EROFS:
        return lang::kWriteNoPermission;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return lang::kWriteDiskFull;
    case ENOENT:
    case ENOTDIR:
        return lang::kWriteNoFolder;
    case ENAMETOOLONG:
        return lang::kWriteNameTooLong;
    case EBUSY:
    case ETXTBSY:
        return lang::kWriteFileInUse;
    case ENOMEM:
        return lang::kWriteOutOfMemory;
    default:
        return lang::kWriteFailed;
    }
}

}  // namespace

QString WriteFailureText(const WriteFailure& failure)
{
    if (failure.SystemError == 0)
        return lang::kWriteFailureMessage.arg(failure.FileName, failure.SystemText);
    return lang::kWriteFailure.arg(failure.FileName, CauseText(failure.SystemError), failure.SystemText);
}

}  // namespace sm
