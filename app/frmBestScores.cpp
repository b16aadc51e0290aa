#include "frmBestScores.h"

#include "GameDatabase.h"
#include "ReportError.h"
#include "VemoFonts.h"
#include "frmResume.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QShowEvent>
#include <QSqlError>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

#include <stdexcept>

namespace vemo {

const char* const frmBestScores::kHeadings[10] = {"DatePlayed", "Winner",     "Score",       "SecondPlace",
                                                  "Score",      "ThirdPlace", "Score",       "FourthPlace",
                                                  "Score",      "Margin of Victory"};

namespace {
// The statement's fields behind each heading.
constexpr const char* kFields[10] = {"DatePlayed", "Winner",     "WinnerScore", "SecondPlace", "SecondScore",
                                     "ThirdPlace", "ThirdScore", "FourthPlace", "FourthScore",
                                     "GapBetweenWinnerLoser"};
} // namespace

QString CsvField(const QString& value)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (QChar c : value)
        if (special.contains(c)) quote = true;
    if (!quote) return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool ExportHistoryCsv(GameDatabase& database, const QString& path, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    std::vector<HistoryRow> rows;
    try {
        rows = database.BestScores();
    } catch (const std::exception& fault) {
        return fail(QString::fromStdString(fault.what()));
    }

    QString text;
    auto line = [&text](const QStringList& fields) {
        QStringList out;
        for (const QString& field : fields) out << CsvField(field);
        text += out.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    };
    QStringList headings;
    for (const char* heading : frmBestScores::kHeadings) headings << QString::fromLatin1(heading);
    line(headings);
    auto s = [](const std::string& v) { return QString::fromStdString(v); };
    auto n = [](int v) { return QString::number(v); };
    for (const HistoryRow& r : rows)
        line({s(r.DatePlayed), s(r.Winner), n(r.WinnerScore), s(r.SecondPlace), n(r.SecondScore), s(r.ThirdPlace),
              n(r.ThirdScore), s(r.FourthPlace), n(r.FourthScore), n(r.GapBetweenWinnerLoser)});

    // A failed write leaves any earlier file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) return fail(file.errorString());
    if (!file.commit()) return fail(file.errorString());
    return true;
}

frmBestScores::frmBestScores(QWidget* owner, GameDatabase& database, bool soundOn,
                             std::function<void(int clip)> playWav, std::function<void()> closed)
    : QDialog(owner), database_(database), soundOn_(soundOn), playWav_(std::move(playWav)),
      closed_(std::move(closed))
{
    setObjectName(QStringLiteral("frmBestScores"));
    setAttribute(Qt::WA_DeleteOnClose, true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setWindowTitle(QString::fromLatin1(kCaption));
    setSizeGripEnabled(true);

    auto* title = new QLabel(QString::fromLatin1(kCaption), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setAlignment(Qt::AlignCenter);
    title->setFont(VemoCasualFont(15, true));
    title->setStyleSheet(QStringLiteral("color: #ffd848; background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                                        " stop:0 #40288c, stop:1 #1e46a0); border-radius: 6px; padding: 6px;"));

    Data1 = new ListGridModel({3, 5, 7, 9, 10}, 1, this);
    TDBGrid1 = MakeListGrid(this, Data1);
    TDBGrid1->setObjectName(QStringLiteral("TDBGrid1"));

    lblHuman = new QLabel(QStringLiteral("* * = indicates human player"), this);
    lblHuman->setObjectName(QStringLiteral("lblHuman"));
    lblHuman->setFont(VemoCasualFont(11, true));
    lblHuman->setStyleSheet(QStringLiteral("color: #5a2d9c;"));

    picIcon = new PurgeIcon(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setToolTip(QStringLiteral("Click here to delete all of the history records!!"));
    picIcon->setAccessibleName(QStringLiteral("Delete all of the history records"));
    connect(picIcon, &QAbstractButton::clicked, this, &frmBestScores::picIcon_Click);

    cmdExport = new QPushButton(QStringLiteral("Export to CSV..."), this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    cmdExport->setToolTip(QStringLiteral("Write this list to a file a spreadsheet can open"));
    connect(cmdExport, &QPushButton::clicked, this, &frmBestScores::cmdExport_Click);

    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    for (QPushButton* button : {cmdExport, cmdClose}) button->setMinimumWidth(96);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(picIcon);
    bottom->addWidget(lblHuman);
    bottom->addStretch(1);
    bottom->addWidget(cmdExport);
    bottom->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addWidget(TDBGrid1, 1);
    layout->addLayout(bottom);

    resize(900, 420);
    Refresh();
    cmdClose->setFocus();
}

void frmBestScores::Refresh()
{
    setCursor(Qt::WaitCursor);
    Trapped("frmBestScores_Form_Load", [this] {
        Data1->setQuery(QString::fromUtf8(GameDatabase::kStatements[11]), database_.Connection());
        if (Data1->lastError().isValid()) throw std::runtime_error(Data1->lastError().text().toStdString());
        // Reading to the end lets the statement go, so nothing holds the table.
        while (Data1->canFetchMore()) Data1->fetchMore();
        const QSqlRecord fields = Data1->record();
        for (int column = 0; column < fields.count(); ++column) TDBGrid1->setColumnHidden(column, true);
        for (int k = 0; k < 10; ++k) {
            const int column = fields.indexOf(QString::fromLatin1(kFields[k]));
            if (column < 0) continue;
            Data1->setHeaderData(column, Qt::Horizontal, QString::fromLatin1(kHeadings[k]));
            TDBGrid1->setColumnHidden(column, false);
        }
        std::set<int> fitted;
        for (const char* field : {"DatePlayed", "WinnerScore", "SecondScore", "ThirdScore", "FourthScore",
                                  "GapBetweenWinnerLoser"})
            fitted.insert(fields.indexOf(QString::fromLatin1(field)));
        FitListGridColumns(TDBGrid1, fitted);
    });
    cmdExport->setEnabled(Data1->rowCount() > 0);
    unsetCursor();
}

void frmBestScores::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (opened_) return;
    opened_ = true;
    if (soundOn_ && playWav_) playWav_(kOpenCloseClip);
}

void frmBestScores::done(int result)
{
    if (closing_) return;
    closing_ = true;
    if (soundOn_ && playWav_) playWav_(kOpenCloseClip);
    QDialog::done(result);
    if (closed_) closed_();
}

void frmBestScores::picIcon_Click()
{
    AskPurgeTwice(this, QStringLiteral("Purge History"),
                  QStringLiteral("Are you sure you want to eliminate all of the history records????"),
                  QStringLiteral("This step will permanently delete the games that have been saved as history!\n\n"
                                 "Are you sure you want to do this?"),
                  [self = QPointer<frmBestScores>(this)] {
                      if (!self) return;
                      Trapped("frmBestScores_picIcon_Click", [&] {
                          self->Data1->clear();
                          self->database_.PurgeHistory();
                      });
                      self->Refresh();
                  });
}

void frmBestScores::cmdExport_Click()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    auto* chooser = new QFileDialog(this, QStringLiteral("Export Best Scores"),
                                    QDir(folder).filePath(QStringLiteral("Vemo Best Scores.csv")),
                                    QStringLiteral("CSV files (*.csv);;All files (*)"));
    chooser->setObjectName(QStringLiteral("exportChooser"));
    chooser->setAcceptMode(QFileDialog::AcceptSave);
    chooser->setDefaultSuffix(QStringLiteral("csv"));
    chooser->setAttribute(Qt::WA_DeleteOnClose, true);
    connect(chooser, &QFileDialog::fileSelected, this, &frmBestScores::ExportTo);
    chooser->open();
}

bool frmBestScores::ExportTo(const QString& path)
{
    QString error;
    if (ExportHistoryCsv(database_, path, &error)) return true;
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Export to CSV"),
                                QStringLiteral("The best scores could not be written to %1.\n\n%2")
                                    .arg(QDir::toNativeSeparators(path), error),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose, true);
    box->setWindowModality(Qt::WindowModal);
    box->open();
    return false;
}

} // namespace vemo
