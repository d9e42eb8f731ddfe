#include "support/ScriptedPrompts.h"

namespace sm::test {

namespace {

template <typename T>
std::optional<T> takeFront(std::deque<std::optional<T>>& queue)
{
    if (queue.empty())
        return std::nullopt;
    auto value = queue.front();
    queue.pop_front();
    return value;
}

}  // namespace

QStringList ScriptedPrompts::texts(const QString& kind) const
{
    QStringList result;
    for (const Shown& s : shown)
        if (s.kind == kind)
            result << s.text;
    return result;
}

void ScriptedPrompts::Error(const QString& text) { shown.push_back({"error", text}); }

void ScriptedPrompts::Information(const QString& text) { shown.push_back({"information", text}); }

bool ScriptedPrompts::Confirm(const QString& text)
{
    shown.push_back({"confirm", text});
    if (confirmAnswers.empty())
        return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPrompts::OpenFile(const QString& title, const QStringList& filters,
                                                 const QString& startFolder)
{
    shown.push_back({"open", title});
    lastFilters = filters;
    lastStartFolder = startFolder;
    return takeFront(fileAnswers);
}

QStringList ScriptedPrompts::OpenFiles(const QString& title, const QStringList& filters, const QString& startFolder)
{
    shown.push_back({"openFiles", title});
    lastFilters = filters;
    lastStartFolder = startFolder;
    if (filesAnswers.empty())
        return {};
    QStringList answer = filesAnswers.front();
    filesAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPrompts::SaveFile(const QString& title, const QStringList& filters, int& filterIndex,
                                                 const QString&, const QString& startFolder)
{
    shown.push_back({"save", title});
    lastFilters = filters;
    lastStartFolder = startFolder;
    if (!saveFilterAnswers.empty()) {
        filterIndex = saveFilterAnswers.front();
        saveFilterAnswers.pop_front();
    }
    return takeFront(fileAnswers);
}

std::optional<QString> ScriptedPrompts::ChooseFolder(const QString& title, const QString&)
{
    shown.push_back({"folder", title});
    return takeFront(fileAnswers);
}

bool ScriptedPrompts::ChooseFont(FontDesc& font)
{
    shown.push_back({"font", font.name});
    const auto answer = takeFront(fontAnswers);
    if (answer)
        font = *answer;
    return answer.has_value();
}

bool ScriptedPrompts::ChooseColor(ColorValue& color)
{
    shown.push_back({"color", QString::number(color)});
    const auto answer = takeFront(colorAnswers);
    if (answer)
        color = *answer;
    return answer.has_value();
}

void ScriptedPrompts::OpenWithShell(const QString& target) { shown.push_back({"shell", target}); }

}  // namespace sm::test
