#pragma once

#include <QFileDialog>
#include <QFont>

#include <memory>

#include "settings/Prompts.h"

class QWidget;

namespace sm {

// The prompts as real modal dialogs over a parent window; message boxes carry the
// product name as their title.
class WidgetPrompts : public Prompts {
public:
    explicit WidgetPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void Error(const QString& text) override;
    void Information(const QString& text) override;
    bool Confirm(const QString& text) override;
    std::optional<QString> OpenFile(const QString& title, const QStringList& filters,
                                    const QString& startFolder) override;
    QStringList OpenFiles(const QString& title, const QStringList& filters, const QString& startFolder) override;
    std::optional<QString> SaveFile(const QString& title, const QStringList& filters, int& filterIndex,
                                    const QString& fileName, const QString& startFolder) override;
    std::optional<QString> ChooseFolder(const QString& title, const QString& startFolder) override;
    bool ChooseFont(FontDesc& font) override;
    bool ChooseColor(ColorValue& color) override;
    void OpenWithShell(const QString& target) override;

private:
    QStringList RunOpenDialog(const QString& title, const QStringList& filters, const QString& startFolder,
                              QFileDialog::FileMode mode);

    QWidget* parent_;
};

// An open dialog over the "description|patterns" filters: its filter box shows each
// description exactly as written and lists the files that the entry's patterns match,
// letter case aside. The first entry is chosen.
std::unique_ptr<QFileDialog> MakeOpenDialog(QWidget* parent, const QString& title, const QString& startFolder,
                                            const QStringList& filters);
// "description|*.a;*.b" to the file dialog's "description (*.a *.b)"; "*.*" matches
// every file, with or without an extension.
QString ToDialogFilter(const QString& filter);
// A font description and the toolkit's font, both ways (the colour is not part of a QFont).
QFont ToQFont(const FontDesc& font);
void AssignQFont(FontDesc& font, const QFont& from);

}  // namespace sm
