#pragma once

#include <QString>

// Every text the program shows to the user, in one place.
namespace sm::lang {

inline const QString kProductName = QStringLiteral("Stillmark");
inline const QString kVersion = QStringLiteral("3.0.1");

inline const QString kConfirmDeleteShots = QStringLiteral("确定要删除这些图片吗？");
inline const QString kShotCount = QStringLiteral("已捕捉 %1 张截图");

// ---- Text effects engine ----
inline const QString kInvalidLine = QStringLiteral("Invalid line!");
inline const QString kInvalidForeBmp = QStringLiteral("Invalid foreground bitmap!");

}  // namespace sm::lang
