#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "common/ColorValue.h"
#include "common/FontDesc.h"

namespace sm {

// Every question, message and standard dialog the program shows goes through this one
// seam, so that tests can answer them. The window layer implements it with real
// dialogs; tests use a scripted implementation.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A modal error box with OK.
    virtual void Error(const QString& text) = 0;
    // A modal information box with OK.
    virtual void Information(const QString& text) = 0;
    // A modal confirmation with Yes and No; true on Yes.
    virtual bool Confirm(const QString& text) = 0;

    // Open-file dialog; filters are "description|patterns" pairs as the dialog shows
    // them ("*.avi;*.mpg"). Returns the chosen path, or nothing on cancel.
    virtual std::optional<QString> OpenFile(const QString& title, const QStringList& filters,
                                            const QString& startFolder)
        = 0;
    // The same, allowing several files.
    virtual QStringList OpenFiles(const QString& title, const QStringList& filters, const QString& startFolder) = 0;
    // Save dialog in startFolder (the dialog's own choice when empty), proposing fileName;
    // filterIndex (0-based) is the chosen filter on entry and on return. It asks before a
    // file named as typed is replaced.
    virtual std::optional<QString> SaveFile(const QString& title, const QStringList& filters, int& filterIndex,
                                            const QString& fileName, const QString& startFolder)
        = 0;
    virtual std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder) = 0;
    // Font and colour dialogs change the value in place and return true on OK.
    virtual bool ChooseFont(FontDesc& font) = 0;
    virtual bool ChooseColor(ColorValue& color) = 0;

    // Hands a file, folder, web address or "mailto:" address to the desktop.
    virtual void OpenWithShell(const QString& target) = 0;
};

}  // namespace sm
