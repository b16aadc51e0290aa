#include "MessageBoxes.h"

#include "QuestionBox.h"

#include <algorithm>
#include <vector>

namespace vemo {

QMessageBox* BuildMessageBox(const MessageBoxSpec& spec, QWidget* parent)
{
    auto* box = new QuestionBox(parent);
    box->setWindowTitle(QString::fromStdString(spec.Caption));
    box->setText(QString::fromStdString(spec.Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (spec.Icon) {
    case BoxIcon::Information: box->setIcon(QMessageBox::Information); break;
    case BoxIcon::Question: box->setIcon(QMessageBox::Question); break;
    case BoxIcon::Exclamation: box->setIcon(QMessageBox::Warning); break;
    case BoxIcon::Critical: box->setIcon(QMessageBox::Critical); break;
    case BoxIcon::None: break;
    }
    std::vector<QMessageBox::StandardButton> buttons;
    switch (spec.Buttons) {
    case BoxButtons::Ok: buttons = {QMessageBox::Ok}; break;
    case BoxButtons::OkCancel: buttons = {QMessageBox::Ok, QMessageBox::Cancel}; break;
    case BoxButtons::YesNo: buttons = {QMessageBox::Yes, QMessageBox::No}; break;
    case BoxButtons::YesNoCancel: buttons = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
    }
    for (auto button : buttons) box->addButton(button);
    const int last = static_cast<int>(buttons.size());
    box->setDefaultButton(buttons[static_cast<std::size_t>(std::clamp(spec.DefaultButton, 1, last) - 1)]);
    return box;
}

std::string MessageBoxAnswer(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes: return "YES";
    case QMessageBox::No: return "NO";
    case QMessageBox::Ok: return "OK";
    default: return "CANCEL";
    }
}

} // namespace vemo
