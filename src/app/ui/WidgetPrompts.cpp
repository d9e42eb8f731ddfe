#include "app/ui/WidgetPrompts.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QMessageBox>
#include <QUrl>

#include "settings/Texts.h"

namespace sm {

namespace {

// The patterns after a filter's "|"; "*.*" matches every file, with or without an extension.
QStringList FilterPatterns(const QString& filter)
{
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    QStringList patterns = filter.mid(bar + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& p : patterns)
        if (p == QLatin1String("*.*"))
            p = QStringLiteral("*");
    return patterns;
}

}  // namespace

QString ToDialogFilter(const QString& filter)
{
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return filter;
    return filter.left(bar) + QStringLiteral(" (") + FilterPatterns(filter).join(QLatin1Char(' ')) + QLatin1Char(')');
}

std::unique_ptr<QFileDialog> MakeOpenDialog(QWidget* parent, const QString& title, const QString& startFolder,
                                            const QStringList& filters)
{
    auto dialog = std::make_unique<QFileDialog>(parent, title, startFolder);
    // The toolkit's own dialog: a desktop's dialog would take its patterns from the
    // descriptions and show them twice.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    QStringList descriptions;
    QList<QStringList> patterns;
    for (const QString& f : filters) {
        descriptions << f.left(f.indexOf(QLatin1Char('|')));
        patterns << FilterPatterns(f);
    }
    dialog->setNameFilters(descriptions);
    // The dialog reads patterns out of a description; the entry's own patterns replace
    // them each time an entry is chosen (the file model matches them letter case aside).
    auto* files = dialog->findChild<QFileSystemModel*>();
    auto usePatterns = [files, descriptions, patterns](const QString& description) {
        const qsizetype entry = descriptions.indexOf(description);
        if (files && entry >= 0)
            files->setNameFilters(patterns[entry]);
    };
    QObject::connect(dialog.get(), &QFileDialog::filterSelected, dialog.get(), usePatterns);
    usePatterns(descriptions.value(0));
    return dialog;
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
    const QStringList paths = RunOpenDialog(title, filters, startFolder, QFileDialog::ExistingFile);
    if (paths.isEmpty())
        return std::nullopt;
    return paths.first();
}

QStringList WidgetPrompts::OpenFiles(const QString& title, const QStringList& filters, const QString& startFolder)
{
    return RunOpenDialog(title, filters, startFolder, QFileDialog::ExistingFiles);
}

QStringList WidgetPrompts::RunOpenDialog(const QString& title, const QStringList& filters, const QString& startFolder,
                                         QFileDialog::FileMode mode)
{
    const std::unique_ptr<QFileDialog> dialog = MakeOpenDialog(parent_, title, startFolder, filters);
    dialog->setFileMode(mode);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    QStringList paths = dialog->selectedFiles();
    for (QString& p : paths)
        p = QDir::toNativeSeparators(p);
    return paths;
}

std::optional<QString> WidgetPrompts::SaveFile(const QString& title, const QStringList& filters, int& filterIndex,
                                               const QString& fileName, const QString& startFolder)
{
    QFileDialog dialog(parent_, title, startFolder, QString());
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
