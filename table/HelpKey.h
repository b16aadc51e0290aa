#pragma once
// F1 in any of the game's windows opens that window's help topic, the number
// the window keeps in its "HelpContextID" property. The table's own F1 is its
// Help menu's shortcut; this serves the windows over it (the setup, colour,
// Ask, question and pause windows).

#include <QObject>

#include <functional>

namespace vemo {

class HelpKey : public QObject {
    Q_OBJECT
public:
    // Watches every window of the application while it lives.
    HelpKey(QObject* owner, std::function<void(int helpContextID)> showHelp);
    ~HelpKey() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(int)> showHelp_;
};

} // namespace vemo
