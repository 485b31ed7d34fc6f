// The printouts from their windows: File > Print shows the listing in the print preview and its
// PDF action writes the pages; the chart window's print button shows the test record while the
// window stays put, and its context menu saves the chart as a picture, a drawing or a page.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/main_window.h"
#include "archive/curve_store.h"
#include "base/locale_format.h"
#include "curve/chart_control.h"
#include "curve/chart_save.h"
#include "curve/chart_window.h"
#include "curve_rows.h"
#include "modal_answers.h"
#include "poppler.h"
#include "ui/main_texts.h"

using namespace porvel;
using porvel::testing::AnswerNext;
using porvel::testing::kListingPitch;
using porvel::testing::kTestRecordPitch;
using porvel::testing::PdfLines;
using porvel::testing::Poppler;

namespace {

// Answers the next save dialog with `name`, after choosing the filter `filter` when given, as a
// user does: in the file type box; no name cancels. `proposed` gets the name the dialog offered.
void AnswerSaveDialog(const QString& name, const QString& filter = {},
                      QString* proposed = nullptr) {
    AnswerNext<QFileDialog>::Detached([name, filter, proposed](QFileDialog* dialog) {
        if (proposed)
            *proposed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        if (!filter.isEmpty()) {
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            const int index = types->findText(filter);
            types->setCurrentIndex(index);
            emit types->activated(index);
            emit types->textActivated(filter);
        }
        if (name.isEmpty())
            dialog->reject();
        else
            porvel::testing::TypeFileName(dialog, name);
    });
}

void PutRows(ArchiveTable& table, CurveStore& curves, int rows) {
    for (int row = 1; row <= rows; ++row) {
        porvel::testing::CurveRow m;
        m.samples = 600;
        m.rate = QStringLiteral("10");
        m.slot = row - 1;
        PutMeasurement(table, curves, row, m);
    }
}

}  // namespace

class PrintoutWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        UseHoursMinutesTimeFormat();
    }
    void printInTheFileMenuShowsTheListingAndItsPdf();
    void theChartWindowPrintsItsTestRecordAndSavesItsChart();

private:
    QTemporaryDir dir_;
};

void PrintoutWindowTest::printInTheFileMenuShowsTheListingAndItsPdf() {
    MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    PutRows(*form.Archive(), form.Curves(), 3);
    form.OnEnglishChosen();
    QVERIFY(form.printAction->isEnabled());

    const QString path = dir_.filePath(QStringLiteral("listing.pdf"));
    QString title, proposed;
    AnswerNext<QPrintPreviewDialog>::Detached([&](QPrintPreviewDialog* preview) {
        title = preview->windowTitle();
        AnswerSaveDialog(path, {}, &proposed);
        preview->findChild<QAction*>(QStringLiteral("PdfAction"))->trigger();
        preview->reject();
    });
    form.printAction->trigger();
    QCOMPARE(title, QStringLiteral("Print Preview"));
    QCOMPARE(proposed, QStringLiteral("Arhive.pdf"));  // the archive has no name yet
    const QStringList lines = PdfLines(path, kListingPitch);
    QVERIFY2(lines.join('\n').contains(QStringLiteral("Archive of measurements ")),
             qPrintable(lines.join('\n')));
    QVERIFY(lines.join('\n').contains(QStringLiteral("Brand waterproof")));

    // Typed again without its extension, the name is that of the file now there: the dialog asks
    // before replacing it, and No leaves the file alone.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    bool asked = false;
    AnswerNext<QPrintPreviewDialog>::Detached([&](QPrintPreviewDialog* preview) {
        AnswerSaveDialog(dir_.filePath(QStringLiteral("listing")));
        AnswerNext<QMessageBox>::Detached([&](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::No)->click();
            AnswerNext<QFileDialog>::Detached([](QFileDialog* dialog) { dialog->reject(); });
        });
        preview->findChild<QAction*>(QStringLiteral("PdfAction"))->trigger();
        preview->reject();
    });
    form.printAction->trigger();
    QVERIFY(asked);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    form.OnRussianChosen();

    // A named archive's printouts are named after it, the chart's test record too.
    {
        porvel::testing::ModalScript saveAs({}, {dir_.filePath(QStringLiteral("demo.wpa"))});
        form.saveAsAction->trigger();
    }
    QCOMPARE(form.windowTitle(), QStringLiteral("Porvel - demo.wpa"));
    const auto proposedBy = [&](const std::function<void()>& print) {
        QString name;
        AnswerNext<QPrintPreviewDialog>::Detached([&](QPrintPreviewDialog* preview) {
            AnswerSaveDialog(QString(), {}, &name);  // cancelled
            preview->findChild<QAction*>(QStringLiteral("PdfAction"))->trigger();
            preview->reject();
        });
        print();
        return name;
    };
    QCOMPARE(proposedBy([&] { form.printAction->trigger(); }), QStringLiteral("demo.pdf"));
    QPointer<ChartWindow> chart;
    ChartTableRow(chart, *form.Archive(), form.Curves(), 1, true, &form,
                  [&form] { return form.DisplayLanguage(); });
    QVERIFY(chart && QTest::qWaitForWindowExposed(chart));
    QCOMPARE(proposedBy([&] { QTest::mouseClick(chart->printButton, Qt::LeftButton); }),
             QStringLiteral("demo.pdf"));
    chart->close();
    QTRY_VERIFY(chart == nullptr);
}

void PrintoutWindowTest::theChartWindowPrintsItsTestRecordAndSavesItsChart() {
    ArchiveTable table;
    CurveStore curves;
    PutRows(table, curves, 2);
    QPointer<ChartWindow> window;
    ChartTableRow(window, table, curves, 1, true, nullptr, [] { return Language::Russian; });
    QVERIFY(window);
    ChartTableRow(window, table, curves, 2, true, nullptr, [] { return Language::Russian; });
    QTRY_COMPARE(window->plot->graphCount(), 3);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(window->printButton->isEnabled());

    const QString path = dir_.filePath(QStringLiteral("record.pdf"));
    QString title;
    bool heldWhilePrinting = false;
    AnswerNext<QPrintPreviewDialog>::Detached([&](QPrintPreviewDialog* preview) {
        title = preview->windowTitle();
        window->close();  // refused while the preview is open
        heldWhilePrinting =
            !window->printButton->isEnabled() && window->isVisible() && window->Open();
        AnswerSaveDialog(path);
        preview->findChild<QAction*>(QStringLiteral("PdfAction"))->trigger();
        preview->reject();
    });
    QTest::mouseClick(window->printButton, Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Бланк протокола испытаний"));
    QVERIFY(heldWhilePrinting);
    QVERIFY(window->printButton->isEnabled());
    const QString text = PdfLines(path, kTestRecordPitch).join('\n');
    QVERIFY2(text.contains(QStringLiteral("2 10:02 03.05.2024 Мост       Бетон B25 60")),
             qPrintable(text));

    // A name typed without an extension takes the chosen type's.
    QCOMPARE(window->saveChartAsAction->text(), QStringLiteral("Сохранить график как…"));
    AnswerSaveDialog(dir_.filePath(QStringLiteral("chart")), QStringLiteral("SVG (*.svg)"));
    window->saveChartAsAction->trigger();
    QFile svg(dir_.filePath(QStringLiteral("chart.svg")));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray drawing = svg.readAll();
    QVERIFY(drawing.contains("<svg") && drawing.contains("<polyline"));
    QVERIFY(drawing.contains(QStringLiteral("Давление, кПа").toUtf8()));
    QVERIFY(!drawing.contains("<image"));
    // The curves' numbers, for analysis elsewhere.
    AnswerSaveDialog(dir_.filePath(QStringLiteral("curves")), QStringLiteral("CSV (*.csv)"));
    window->saveChartAsAction->trigger();
    QFile csv(dir_.filePath(QStringLiteral("curves.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QVERIFY(csv.readLine().startsWith(QByteArray("\xEF\xBB\xBFt, c;№ ")));

    QString reason;
    const QString png = dir_.filePath(QStringLiteral("chart.png"));
    QVERIFY2(SaveChartPicture(*window->plot, png, &reason), qPrintable(reason));
    QCOMPARE(QImage(png).size(), window->plot->size());
    const QString pdf = dir_.filePath(QStringLiteral("chart.pdf"));
    QVERIFY2(SaveChartPicture(*window->plot, pdf, &reason), qPrintable(reason));
    QVERIFY(PdfLines(pdf, kTestRecordPitch).join('\n').contains(QStringLiteral("Давление, кПа")));
    QCOMPARE(Poppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                 .split('\n', Qt::SkipEmptyParts)
                 .size(),
             2);  // the column titles and their rule: no picture

    window->close();
    QTRY_VERIFY(window == nullptr);
}

QTEST_MAIN(PrintoutWindowTest)
#include "printout_window_test.moc"
