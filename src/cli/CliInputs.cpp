#include "cli/CliInputs.h"

#include <QFileInfo>

#include "batch/BatchFileList.h"
#include "batch/FolderScan.h"

namespace sm {

QStringList GatherInputs(const QStringList& arguments, const QString& mask, bool recursive)
{
    BatchFileList list;
    for (const QString& argument : arguments) {
        if (QFileInfo(argument).isDir())
            list.AddFiles(ScanFolder(argument, mask, recursive));
        else
            list.AddFiles({argument});
    }
    QStringList paths;
    for (int row = 0; row < list.Count(); ++row)
        paths << list.Path(row);
    return paths;
}

}  // namespace sm
