// The clipboard on an X server, read back by another program (xclip): Ctrl+C in the main window
// puts the whole table there as Unicode text, Cyrillic intact, with its TABs and CR LF line
// ends; the screenshot window puts the instrument's display there as a picture.
#include <QCheckBox>
#include <QImage>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "app/main_window.h"
#include "device/exchange_types.h"
#include "gui_sim.h"
#include "settings/screen_image.h"
#include "settings/screenshot_window.h"
#include "table_rows_builder.h"
#include "ui/exchange_worker.h"

using namespace porvel;

class ClipboardX11Test : public QObject {
    Q_OBJECT
private slots:
    void ctrlCPutsTheTableOnTheClipboardForOtherPrograms();
    void theScreenshotGoesToTheClipboardAsAPicture();
};

void ClipboardX11Test::theScreenshotGoesToTheClipboardAsAPicture() {
    QString hex(784 * 2, QLatin1Char('0'));
    hex.replace(0, 2, "3C");
    hex.replace(500 * 2, 2, "FF");
    QVERIFY(testing::GuiSim().Load(("screen hex " + hex.toStdString() + "\n").c_str()));
    ScreenBlock block{};
    block[0] = 0x3C;
    block[500] = 0xFF;

    ExchangeSession session;
    ScreenshotWindow form(session, Language::Russian);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    if (!form.copyToClipboardBox->isChecked())
        QTest::mouseClick(form.copyToClipboardBox, Qt::LeftButton);
    QVERIFY(form.copyToClipboardBox->isChecked());
    QTest::mouseClick(form.readButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!ExchangeRunning(session) && form.readButton->isEnabled(), 20000);
    QCOMPARE(form.Picture(), ScreenImage(block, Qt::black, Qt::white));

    QProcess xclip;
    xclip.start(QStringLiteral(PORVEL_XCLIP), {"-o", "-selection", "clipboard", "-t", "image/png"});
    QTRY_VERIFY_WITH_TIMEOUT(xclip.state() == QProcess::NotRunning, 10000);
    QCOMPARE(xclip.exitCode(), 0);
    const QImage pasted = QImage::fromData(xclip.readAllStandardOutput(), "PNG");
    QCOMPARE(pasted.size(), QSize(102, 68));
    QCOMPARE(pasted.convertToFormat(QImage::Format_RGB32),
             form.Picture().convertToFormat(QImage::Format_RGB32));
}

void ClipboardX11Test::ctrlCPutsTheTableOnTheClipboardForOtherPrograms() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    MainWindow w;
    testing::FillColumn(*w.Archive(), column::kObject, {"Плита перекрытия", "Стена"});
    w.Archive()->SetCell(column::kMaterial, 2, QStringLiteral("Бетон тяжёлый"));
    w.Archive()->SetCell(column::kH, 2, QString());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ArchiveGridView* grid = w.archiveGrid;
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
}

QTEST_MAIN(ClipboardX11Test)
#include "clipboard_x11_test.moc"
