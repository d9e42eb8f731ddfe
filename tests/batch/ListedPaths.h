#pragma once

#include <QStringList>

#include "batch/BatchFileList.h"

namespace sm::test {

// The paths of a batch file list, row by row.
inline QStringList ListedPaths(const BatchFileList& list)
{
    QStringList out;
    for (int row = 0; row < list.Count(); ++row)
        out << list.Path(row);
    return out;
}

}  // namespace sm::test
