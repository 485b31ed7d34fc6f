// Ctrl+C in the real window on an X server, read back by another program (xclip): the whole
// table arrives as Unicode text, Cyrillic intact, with its TABs and CR LF line ends.
#include <QLocale>
#include <QProcess>
#include <QTest>

#include "app/main_window.h"
#include "device/exchange_types.h"
#include "table_rows_builder.h"

using namespace porvel;

class ClipboardX11Test : public QObject {
    Q_OBJECT
private slots:
    void ctrlCPutsTheTableOnTheClipboardForOtherPrograms();
};

void ClipboardX11Test::ctrlCPutsTheTableOnTheClipboardForOtherPrograms() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TForm1 w;
    testing::FillColumn(*w.Archive(), column::kObject, {"Плита перекрытия", "Стена"});
    w.Archive()->SetCell(column::kMaterial, 2, QStringLiteral("Бетон тяжёлый"));
    w.Archive()->SetCell(column::kH, 2, QString());
    TheExchange().recordCount = 2;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ArchiveGridView* grid = w.StringGrid1;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, column::kObject)).center());
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);

    // The window owns the clipboard and answers xclip from its event loop: wait with it running.
    QProcess xclip;
    xclip.start(QStringLiteral(PORVEL_XCLIP), {"-o", "-selection", "clipboard"});
    QTRY_VERIFY_WITH_TIMEOUT(xclip.state() == QProcess::NotRunning, 10000);
    QCOMPARE(xclip.exitCode(), 0);
    QCOMPARE(
        QString::fromUtf8(xclip.readAllStandardOutput()),
        "№\tВремя\tДата\t\tОбъект\t\tМатериал\tРатм, кПа\tm, с/см3\ta, см3/с\th, см\t"
        "Марка водонепроницаемости\r\n"
        "1\t10:00\t05.11.2026\tПлита перекрытия\tБетон\t\t101,3\t\t12,5\t\t0,0800\t\t1,2\t"
        "W8\t\t\t\r\n"
        "2\t10:00\t05.11.2026\tСтена\tБетон тяжёлый\t101,3\t\t12,5\t\t0,0800\t\t\tW8\t\t\t\r\n");
    TheExchange().recordCount = 0;
}

QTEST_MAIN(ClipboardX11Test)
#include "clipboard_x11_test.moc"
