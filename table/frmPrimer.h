#pragma once
// The rules primer: the rules of the game and the program's controls as one
// read-only text that can be scrolled and copied but not edited.

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace vemo {

class frmPrimer : public QDialog {
    Q_OBJECT

public:
    explicit frmPrimer(QWidget* parent = nullptr);

    // The whole primer, its lines separated by CR LF.
    static QString PrimerText();

    // Opens a primer modal to `parent`; it deletes itself when closed.
    static frmPrimer* ShowPrimer(QWidget* parent);

    QPlainTextEdit* txtHelp() const { return txtHelp_; }
    QPushButton* cmdOK() const { return cmdOK_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* txtHelp_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

} // namespace vemo
