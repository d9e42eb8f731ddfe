#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

#include "settings/Prompts.h"

namespace sm::test {

// Answers every prompt from queues a test fills beforehand and records what was
// shown. An empty queue answers "cancel" / No.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString
            kind;  // "error", "information", "confirm", "open", "openFiles", "save", "folder", "font", "color", "shell"
        QString text;
    };

    std::deque<bool> confirmAnswers;
    std::deque<std::optional<QString>> fileAnswers;  // OpenFile, SaveFile, ChooseFolder
    std::deque<QStringList> filesAnswers;            // OpenFiles
    std::deque<int> saveFilterAnswers;               // filter index chosen in SaveFile
    std::deque<std::optional<FontDesc>> fontAnswers;
    std::deque<std::optional<ColorValue>> colorAnswers;
    std::vector<Shown> shown;

    // Texts shown of one kind, in order.
    QStringList texts(const QString& kind) const;

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

    // The filters and the start folder last passed to OpenFile/OpenFiles/SaveFile.
    QStringList lastFilters;
    QString lastStartFolder;
};

}  // namespace sm::test
