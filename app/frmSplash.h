#pragma once
// The splash window shown while the program checks and opens its database.

#include <QWidget>

namespace vemo {

class frmSplash final : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(const QString& version, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString version_;
};

} // namespace vemo
