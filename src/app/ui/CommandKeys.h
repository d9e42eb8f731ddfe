#pragma once

#include <QList>
#include <QObject>

class QAction;
class QWidget;

namespace sm {

// Lets a window's commands take their keys before the focused control does: an edit
// box would otherwise keep Shift+Del (cut) or Ctrl+Del (delete a word) for itself.
// Watches the whole application and acts only for the controls of its window.
class CommandKeysFirst : public QObject {
public:
    CommandKeysFirst(QWidget& window, QList<QAction*> commands);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QList<QAction*> commands_;
};

// Triggers a command when Delete (the main key or the keypad's) is pressed without
// modifiers in the widget it watches; keys with modifiers go on to their own shortcuts.
class DeleteKeyCommand : public QObject {
public:
    DeleteKeyCommand(QAction* command, QObject* parent) : QObject(parent), command_(command) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* command_;
};

}  // namespace sm
