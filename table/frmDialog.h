#pragma once
// The in-game message window: one message above a Yes and a No button. It is
// created once with the table window as its owner and reused for every notice
// and question. The caller picks the use by the outer height: a notice shows
// the message alone, a question shows the buttons too.

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;

namespace vemo {

class frmDialog : public QDialog {
    Q_OBJECT

public:
    // Heights in twips as the callers set them, and the fixed inner layout.
    static constexpr int kNoticeHeightTwips = 465;
    static constexpr int kQuestionHeightTwips = 990;
    static constexpr int kInnerHeightTwips = 900;
    static constexpr int kButtonTopTwips = 420;
    static constexpr int kWidthTwips = 5000;
    static constexpr int kHelpContextID = 20;

    explicit frmDialog(QWidget* table);
    ~frmDialog() override;

    // Modeless: shows the message and returns at once. With the question
    // height the buttons show too, and a click on either only hides the window.
    void ShowNotice(const QString& text, int outerHeightTwips);

    // Window-modal on the table. `answered` receives "YES", "NO", "OK" (for an
    // Ok-only question), or "" when the window was closed another way.
    void AskQuestion(const QString& text, bool okOnly,
                     std::function<void(const QString& answer)> answered);

    // The table's scale, which the next message's window grows with.
    void SetScale(double scale);

    // Hides the window; a question still open is answered with "".
    void HideDialog();

    int HelpContextID() const { return kHelpContextID; }

    // Centred across the work area, its middle a third of the way down.
    static QPoint UpperCentre(const QRect& workArea, QSize windowSize);

    QLabel* lblMsg() const { return lblMsg_; }
    QPushButton* cmdYes() const { return cmdYes_; }
    QPushButton* cmdNo() const { return cmdNo_; }

public slots:
    void done(int result) override;
    // Escape and the close box leave an open question waiting for its answer.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Y and N answer a Yes/No question, as its buttons do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int Px(int twips) const;
    void SetMessage(const QString& text);
    void SetOuterHeight(int outerHeightTwips);
    void SetButtons(bool okOnly);
    void PlaceOnScreen();
    void OnButton(const QString& answer);

    QLabel* lblMsg_ = nullptr;
    QPushButton* cmdYes_ = nullptr;
    QPushButton* cmdNo_ = nullptr;
    bool okOnly_ = false;
    double scale_ = 1.0;
    int overflow_ = 0; // pixels added below the message strip for a long message
    QString answer_;
    std::function<void(const QString&)> answered_;
};

} // namespace vemo
