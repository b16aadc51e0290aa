#pragma once
// frmAbout: the program's title, version, a word on the game and the credits.
// Open it with open(); it plays nothing itself (the caller plays the window
// clip when it opens and closes), and its owner decides when it is deleted.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace vemo {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(const QString& version, QWidget* parent = nullptr);

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblCredits = nullptr;
    QPushButton* cmdOK = nullptr;

    static QString DescriptionText();
};

} // namespace vemo
