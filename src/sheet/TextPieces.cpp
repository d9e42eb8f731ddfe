#include "sheet/TextPieces.h"

namespace sm {

QString ReplaceText(const QString& text, const QString& pattern, const QString& replacement, bool matchCase)
{
    if (pattern.isEmpty())
        return text;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QString result;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(pattern, 0, cs); at >= 0; at = text.indexOf(pattern, from, cs)) {
        result += QStringView(text).mid(from, at - from);
        result += replacement;
        from = at + pattern.size();
    }
    result += QStringView(text).mid(from);
    return result;
}

QStringList SplitText(const QString& text, const QString& separator)
{
    return text.split(separator, Qt::KeepEmptyParts);
}

}  // namespace sm
