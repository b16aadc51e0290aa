#include "ErrorBoxes.h"

#include "QuestionBox.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdlib>

namespace vemo {

namespace {
QString Text(const std::string& text) { return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }
} // namespace

bool ErrorBoxes::AskContinueAfterError(const std::string& title, const std::string& text)
{
    // No ends the program: only the buttons answer.
    QuestionBox box(QMessageBox::Warning, QString::fromStdString(title), Text(text), QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void ErrorBoxes::ShowUnloggedError(const std::string& title, const std::string& text)
{
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(title), Text(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void ErrorBoxes::TerminateNow()
{
    // At once: no save question, no orderly shut-down.
    std::_Exit(1);
}

} // namespace vemo
