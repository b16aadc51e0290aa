#pragma once
// frmResume: the list of saved games. The user picks one to resume, cancels,
// or purges them all. The list is a grid bound to the resume-list statement
// through the game database's own handle.
//
// The answer goes back through a callback: the chosen game's ID as decimal
// text, or the empty string when the user cancelled. The tag says who asked
// ("frmMain" for the table window, anything else the setup dialog); the
// caller's callback is what puts the answer where that caller expects it.
//
// The window deletes itself when it closes. Open it with open(): it is
// window-modal; its close box and Escape count as Cancel.
//
// The grid pieces shared with frmBestScores live here as well.

#include <QAbstractButton>
#include <QDialog>
#include <QSqlQueryModel>
#include <QString>

#include <functional>
#include <set>

class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace vemo {

class GameDatabase;

// The scrolling instruction line: the text runs from right to left and comes
// round again, as long as the line is shown.
class MarqueeLabel : public QWidget {
    Q_OBJECT
public:
    MarqueeLabel(const QString& text, QWidget* parent = nullptr);
    const QString& Text() const { return text_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QString text_;
    QTimer* timer_ = nullptr;
    int offset_ = 0;
};

// The purge icon: a small waste bin that lights up under the pointer.
class PurgeIcon : public QAbstractButton {
    Q_OBJECT
public:
    explicit PurgeIcon(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {40, 40}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool hovered_ = false;
};

// A read-only grid model over one statement: number columns are centred and
// stored timestamps are shown in dateFormat (to the minute unless told).
class ListGridModel : public QSqlQueryModel {
    Q_OBJECT
public:
    ListGridModel(std::set<int> numberColumns, int dateColumn, QObject* parent = nullptr,
                  QString dateFormat = QStringLiteral("yyyy-MM-dd HH:mm"));
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::set<int> numberColumns_;
    int dateColumn_;
    QString dateFormat_;
};

// A grid as both list dialogs show it: whole rows selected, no editing.
QTableView* MakeListGrid(QWidget* parent, QAbstractItemModel* model);
// Sizes the shown columns: dates and numbers to their contents, names share
// the rest, so the grid keeps its proportions when the window is resized.
void FitListGridColumns(QTableView* grid, const std::set<int>& fittedColumns);

// Asks the purge question, then its warning, both Yes/No with No the default;
// confirmed runs only after two Yes answers. The boxes are window-modal.
void AskPurgeTwice(QWidget* parent, const QString& caption, const QString& first, const QString& second,
                   std::function<void()> confirmed);

class frmResume : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Resume a Saved Game";
    static constexpr const char* kInstruction =
        "Highlight the game to resume and click on <Resume> or double-click on the game to resume.";
    static constexpr int kOpenCloseClip = 12;

    // playWav plays a clip; it is called only when soundOn. answered gets the
    // chosen ID as decimal text, or "" when cancelled, before the window closes.
    frmResume(QWidget* owner, GameDatabase& database, bool soundOn, std::function<void(int clip)> playWav,
              std::function<void(const QString& answer)> answered);

    void SetTag(const QString& tag) { tag_ = tag; }
    const QString& Tag() const { return tag_; }

    // Reads the saved games again (after a purge).
    void Refresh();

    MarqueeLabel* lblInstruction = nullptr;
    QLabel* lblGrid = nullptr; // "Saved Games"
    QTableView* TDBGrid1 = nullptr;
    QSqlQueryModel* Data1 = nullptr;
    QPushButton* cmdResume = nullptr;
    QPushButton* cmdCancel = nullptr;
    PurgeIcon* picIcon = nullptr;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void cmdResume_Click();
    void TDBGrid1_DblClick(const QModelIndex& index);
    void picIcon_Click();
    void Answer(const QString& answer);

    GameDatabase& database_;
    bool soundOn_;
    std::function<void(int)> playWav_;
    std::function<void(const QString&)> answered_;
    QString tag_;
    bool answeredOnce_ = false;
    bool soundPlayed_ = false;
};

} // namespace vemo
