#pragma once

// Holds TfrmAbout: windows keep their form names, which users and tests know; files say what they are.

#include <QDialog>
#include <QString>

namespace sm {

class Prompts;

// The About box: product name and version, a notice, the home-page and support
// e-mail links (handed to the desktop when clicked) and the picture "Logo.bmp" from
// the program's folder when that file exists.
class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    TfrmAbout(const QString& appDir, Prompts& prompts, QWidget* parent = nullptr);
};

}  // namespace sm
