#include "app/ui/CommandKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace sm {

namespace {

// The key and its modifiers as a shortcut sees them: the keypad's keys count as the
// main ones.
QKeySequence ShortcutOf(const QKeyEvent& key)
{
    return QKeySequence(QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
}

}  // namespace

CommandKeysFirst::CommandKeysFirst(QWidget& window, QList<QAction*> commands)
    : QObject(&window), window_(window), commands_(std::move(commands))
{
    qApp->installEventFilter(this);
}

bool CommandKeysFirst::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* control = qobject_cast<QWidget*>(watched);
    if (!control || control->window() != &window_)
        return false;
    const QKeySequence keys = ShortcutOf(*static_cast<QKeyEvent*>(event));
    for (const QAction* command : std::as_const(commands_))
        if (command->isEnabled() && command->shortcut() == keys) {
            // Refusing the override hands the key to the command's shortcut.
            event->ignore();
            return true;
        }
    return false;
}

bool DeleteKeyCommand::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress
        && ShortcutOf(*static_cast<QKeyEvent*>(event)) == QKeySequence(Qt::Key_Delete)) {
        command_->trigger();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace sm
