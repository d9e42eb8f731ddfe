#include "app/ui/WidgetPrompts.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QUrl>

#include "app/Texts.h"

namespace sm {

QString ToDialogFilter(const QString& filter)
{
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return filter;
    QStringList patterns = filter.mid(bar + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& p : patterns)
        if (p == QLatin1String("*.*"))
            p = QStringLiteral("*");
    return filter.left(bar) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QFont ToQFont(const FontDesc& font)
{
    QFont f(font.name);
    f.setPointSize(font.size > 0 ? font.size : 1);
    f.setBold(font.bold());
    f.setItalic(font.italic());
    f.setUnderline(font.underline());
    f.setStrikeOut(font.strikeOut());
    f.setFixedPitch(font.pitch == FontDesc::FixedPitch);
    return f;
}

void AssignQFont(FontDesc& font, const QFont& from)
{
    font.name = from.family();
    font.size = from.pointSize() > 0 ? from.pointSize() : font.size;
    font.style = (from.bold() ? FontDesc::Bold : 0) | (from.italic() ? FontDesc::Italic : 0)
                 | (from.underline() ? FontDesc::Underline : 0) | (from.strikeOut() ? FontDesc::StrikeOut : 0);
}

namespace {

QStringList DialogFilters(const QStringList& filters)
{
    QStringList out;
    for (const QString& f : filters)
        out << ToDialogFilter(f);
    return out;
}

}  // namespace

void WidgetPrompts::Error(const QString& text) { QMessageBox::critical(parent_, lang::kProductName, text); }

void WidgetPrompts::Information(const QString& text) { QMessageBox::information(parent_, lang::kProductName, text); }

bool WidgetPrompts::Confirm(const QString& text)
{
    return QMessageBox::question(parent_, lang::kProductName, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

std::optional<QString> WidgetPrompts::OpenFile(const QString& title, const QStringList& filters,
                                               const QString& startFolder)
{
    const QString path
        = QFileDialog::getOpenFileName(parent_, title, startFolder, DialogFilters(filters).join(QStringLiteral(";;")));
    if (path.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(path);
}

QStringList WidgetPrompts::OpenFiles(const QString& title, const QStringList& filters, const QString& startFolder)
{
    QStringList paths
        = QFileDialog::getOpenFileNames(parent_, title, startFolder, DialogFilters(filters).join(QStringLiteral(";;")));
    for (QString& p : paths)
        p = QDir::toNativeSeparators(p);
    return paths;
}

std::optional<QString> WidgetPrompts::SaveFile(const QString& title, const QStringList& filters, int& filterIndex,
                                               const QString& fileName)
{
    QFileDialog dialog(parent_, title, QString(), QString());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList nameFilters = DialogFilters(filters);
    dialog.setNameFilters(nameFilters);
    if (filterIndex >= 0 && filterIndex < nameFilters.size())
        dialog.selectNameFilter(nameFilters[filterIndex]);
    dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    filterIndex = int(nameFilters.indexOf(dialog.selectedNameFilter()));
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

std::optional<QString> WidgetPrompts::ChooseFolder(const QString& title, const QString& startFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(parent_, title, startFolder);
    if (folder.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(folder);
}

bool WidgetPrompts::ChooseFont(FontDesc& font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, ToQFont(font), parent_);
    if (ok)
        AssignQFont(font, chosen);
    return ok;
}

bool WidgetPrompts::ChooseColor(ColorValue& color)
{
    const std::uint32_t bgr = ColorToRGB(color);
    const QColor chosen = QColorDialog::getColor(QColor(RedOf(bgr), GreenOf(bgr), BlueOf(bgr)), parent_);
    if (!chosen.isValid())
        return false;
    color = RgbColor(chosen.red(), chosen.green(), chosen.blue());
    return true;
}

void WidgetPrompts::OpenWithShell(const QString& target)
{
    // Web and mail addresses go as they are; anything else is a file or folder.
    const QUrl url(target);
    const bool isAddress = url.scheme().size() > 1;
    QDesktopServices::openUrl(isAddress ? url : QUrl::fromLocalFile(target));
}

}  // namespace sm
