#pragma once
// frmBestScores: every recorded game, the largest margin of victory first,
// read through a grid bound to the best-scores statement. The history can be
// purged from here and the list written out as a CSV file.
//
// The window deletes itself when it closes. Open it with open(): it is
// window-modal.

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;
class QSqlQueryModel;
class QTableView;

namespace vemo {

class GameDatabase;
class PurgeIcon;

// Writes the best-scores list, in its order, to path: the headings line and
// one line per game, RFC 4180 (fields with commas, quotes or line breaks are
// quoted, quotes doubled; lines end with CR LF), UTF-8. The file is replaced
// only when the whole list was written. On failure error gets the reason.
bool ExportHistoryCsv(GameDatabase& database, const QString& path, QString* error = nullptr);

// One CSV field, quoted when it must be.
QString CsvField(const QString& value);

class frmBestScores : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Vemo Best Scores By Margin of Victory";
    static constexpr int kOpenCloseClip = 12;
    // The grid's headings in column order (the row's ID is not shown).
    static const char* const kHeadings[10];

    // playWav plays a clip; it is called only when soundOn. closed runs once
    // the window has closed.
    frmBestScores(QWidget* owner, GameDatabase& database, bool soundOn, std::function<void(int clip)> playWav,
                  std::function<void()> closed = {});

    // Reads the history again (after a purge).
    void Refresh();
    // Writes the list to path and tells the user when that failed.
    bool ExportTo(const QString& path);

    QLabel* lblHuman = nullptr; // "* * = indicates human player"
    QTableView* TDBGrid1 = nullptr;
    QSqlQueryModel* Data1 = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdExport = nullptr;
    PurgeIcon* picIcon = nullptr;

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void picIcon_Click();
    void cmdExport_Click();

    GameDatabase& database_;
    bool soundOn_;
    std::function<void(int)> playWav_;
    std::function<void()> closed_;
    bool opened_ = false;
    bool closing_ = false;
};

} // namespace vemo
