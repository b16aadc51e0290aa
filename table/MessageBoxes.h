#pragma once
// A message box built from the engine's description of it (caption, text,
// buttons, icon, default button), and its answer in the engine's words.

#ifndef Q_MOC_RUN
#include "TableView.h"
#endif

#include <QMessageBox>

#include <string>

namespace vemo {

// Not yet shown; a Yes/No box closes only by its buttons; the caller opens it (open()) or, where the answer is needed
// before anything else can happen, runs it (exec()).
QMessageBox* BuildMessageBox(const MessageBoxSpec& spec, QWidget* parent);

// "YES", "NO", "OK" or "CANCEL" for the button that closed the box.
std::string MessageBoxAnswer(QMessageBox::StandardButton button);

} // namespace vemo
