#pragma once

#include <QString>
#include <QStringList>

namespace sm {

// The videos of a run in the order of the batch window's file list: each file argument
// as given, each folder argument scanned as the window's folder scan does (with the
// mask, and its subfolders when recursive), sorted by path and each path once, both
// without regard to letter case.
QStringList GatherInputs(const QStringList& arguments, const QString& mask, bool recursive);

}  // namespace sm
