#include "common/ui/CenterOnScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace sm {

void CenterOnScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

}  // namespace sm
