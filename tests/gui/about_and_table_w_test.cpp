// The about box (its texts from the version information and the build date, its links) and the
// Table W window, each on its own and opened from the main window's Help menu.
#include <QAction>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

#include "app/about_box.h"
#include "app/main_window.h"
#include "app/table_w.h"
#include "ui/main_texts.h"

using namespace porvel;

namespace {

VersionInfo Info(const QString& fileVersion, const QString& copyright) {
    VersionInfo info;
    info.present = true;
    info.translation = VersionTranslation{0x0419, 0x04E3};
    auto& table = info.stringTables[QStringLiteral("041904E3")];
    if (!fileVersion.isNull()) table[QStringLiteral("FileVersion")] = fileVersion;
    if (!copyright.isNull()) table[QStringLiteral("LegalCopyright")] = copyright;
    return info;
}

// Collects the links that the windows hand to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() {
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
    }
    ~UrlCatcher() override {
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

QStringList GridTexts(const GradeTableDialog& form, int firstRow) {
    QStringList texts;
    for (int row = firstRow; row < GradeTableDialog::kRows; ++row)
        for (int col = 0; col < GradeTableDialog::kColumns; ++col)
            texts << form.gradeGrid->item(row, col)->text();
    return texts;
}

// Runs `inspect` on the modal window of type W once it is shown, then closes it.
template <typename W>
bool InspectModal(QAction* command, const std::function<void(W*)>& inspect) {
    bool seen = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!window || !QTest::qWaitForWindowExposed(window)) return;
        poll.stop();
        seen = true;
        inspect(window);
        window->accept();
    });
    poll.start();
    command->trigger();
    return seen;
}

}  // namespace

class AboutAndTableWTest : public QObject {
    Q_OBJECT
private slots:
    void versionLineInBothLanguages();
    void monthWordsOneDigitDaysAndUnknownMonths();
    void missingInformationOrDateLeavesTheDesignTexts();
    void pictureAndWebAddressOpenTheSamePageAndTheMailHasTheTitle();
    void tableWHeaderFollowsTheLanguageAndTheDataDoesNot();
    void tableWShowsEveryTextWithoutScrolling();
    void helpMenuOpensBothWindowsModally();
};

void AboutAndTableWTest::versionLineInBothLanguages() {
    const VersionInfo info = Info(QStringLiteral("1.0.0.0"), QStringLiteral("(C) example.org"));
    const QString date = QStringLiteral("Mar 24 2014");
    const AboutTexts ru = ComposeAboutTexts(info, date, Language::Russian);
    QCOMPARE(*ru.version, QStringLiteral("Версия 1.0.0.0 от 24 марта 2014 г."));
    QCOMPARE(*ru.copyright, QStringLiteral("(C) example.org"));
    QCOMPARE(*ru.comments, QStringLiteral("тел./факс. "));
    QCOMPARE(*ru.phoneNote, QStringLiteral(" многоканальный "));
    const AboutTexts en = ComposeAboutTexts(info, date, Language::English);
    QCOMPARE(*en.version, QStringLiteral("Version 1.0.0.0 of 24 march 2014 г."));
    QCOMPARE(*en.comments, QStringLiteral("tel./fax"));
    QCOMPARE(*en.phoneNote, QStringLiteral(" multichannel "));

    // The box shows them, with the caption of the main text table.
    AboutBox box(Language::English, nullptr, info, date);
    QCOMPARE(box.windowTitle(), QStringLiteral("About"));
    QCOMPARE(box.ProductName->text(), QStringLiteral("Porvel"));
    QCOMPARE(box.Version->text(), *en.version);
    QCOMPARE(box.copyrightLabel->text(), QStringLiteral("(C) example.org"));
}

void AboutAndTableWTest::monthWordsOneDigitDaysAndUnknownMonths() {
    const VersionInfo info = Info(QStringLiteral("1.0.0.0"), QString());
    auto line = [&](const char* date, Language language) {
        return *ComposeAboutTexts(info, QString::fromLatin1(date), language).version;
    };
    QCOMPARE(line("Apr 30 2015", Language::Russian),
             QStringLiteral("Версия 1.0.0.0 от 30 апреля 2015 г."));
    QCOMPARE(line("Apr 30 2015", Language::English),
             QStringLiteral("Version 1.0.0.0 of 30 apri 2015 г."));
    QCOMPARE(line("Dec  4 2014", Language::Russian),
             QStringLiteral("Версия 1.0.0.0 от 4 декабря 2014 г."));
    // A month that is none of the twelve abbreviations reads as January.
    QCOMPARE(line("mar 24 2014", Language::English),
             QStringLiteral("Version 1.0.0.0 of 24 january 2014 г."));
}

void AboutAndTableWTest::missingInformationOrDateLeavesTheDesignTexts() {
    auto designTexts = [](const AboutBox& box) {
        return QStringList{box.Version->text(), box.copyrightLabel->text(), box.Comments->text(),
                           box.phoneNoteLabel->text()};
    };
    const QStringList design{QStringLiteral("Version"), QStringLiteral("Copyright"),
                             QStringLiteral("тел./факс."), QStringLiteral("(многоканальный)")};
    {
        AboutBox box(Language::Russian, nullptr, VersionInfo{}, QStringLiteral("Mar 24 2014"));
        QCOMPARE(box.ProductName->text(), QStringLiteral("Porvel"));
        QCOMPARE(box.windowTitle(), QStringLiteral("О приборе"));
        QCOMPARE(designTexts(box), design);
    }
    {
        AboutBox box(Language::Russian, nullptr,
                     Info(QStringLiteral("1.0.0.0"), QStringLiteral("c")),
                     QStringLiteral("Mar24 2014"));
        QCOMPARE(designTexts(box), design);
    }
    // Entries that are missing leave just their own labels.
    AboutBox noCopyright(Language::Russian, nullptr, Info(QStringLiteral("1.0.0.0"), QString()),
                         QStringLiteral("Mar 24 2014"));
    QVERIFY(noCopyright.Version->text().startsWith(QStringLiteral("Версия 1.0.0.0")));
    QCOMPARE(noCopyright.copyrightLabel->text(), QStringLiteral("Copyright"));
    QCOMPARE(noCopyright.phoneNoteLabel->text(), QStringLiteral(" многоканальный "));
    VersionInfo otherTable = Info(QStringLiteral("1.0.0.0"), QStringLiteral("c"));
    otherTable.translation = VersionTranslation{0x0409, 0x04B0};
    AboutBox noTable(Language::Russian, nullptr, otherTable, QStringLiteral("Mar 24 2014"));
    QCOMPARE(noTable.Version->text(), QStringLiteral("Version"));
    QCOMPARE(noTable.copyrightLabel->text(), QStringLiteral("Copyright"));
    QCOMPARE(noTable.Comments->text(), QStringLiteral("тел./факс. "));
}

void AboutAndTableWTest::pictureAndWebAddressOpenTheSamePageAndTheMailHasTheTitle() {
    UrlCatcher catcher;
    AboutBox box(Language::Russian);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.ProgramIcon, Qt::LeftButton);
    QTest::mouseClick(box.webLabel, Qt::LeftButton);
    QTest::mouseClick(box.mailLabel, Qt::LeftButton);
    QTRY_COMPARE(catcher.urls.size(), 3);
    QCOMPARE(catcher.urls[0], catcher.urls[1]);
    QVERIFY(catcher.urls[0].isValid());
    QCOMPARE(catcher.urls[0].host(), box.webLabel->text());
    const QUrl mail = catcher.urls[2];
    QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
    QCOMPARE(mail.path(), box.mailLabel->text());
    QCOMPARE(QUrlQuery(mail).queryItemValue(QStringLiteral("Subject")), QStringLiteral("Porvel"));
    // The design and the real program's data: the maker's addresses are placeholders.
    QVERIFY(box.mailLabel->text().endsWith(QStringLiteral("@example.org")));
    QVERIFY(box.Version->text().startsWith(QStringLiteral("Версия 1.0.0.0 от ")));
    // The program icon, compiled in from 16 to 256 pixels, is the window icon.
    for (int size : {16, 256}) QCOMPARE(box.windowIcon().pixmap(size).size(), QSize(size, size));
    // No text is cut off by the panel, whatever the desktop's font.
    for (const QLabel* label : box.panel->findChildren<QLabel*>()) {
        const int width = label->wordWrap() ? label->width() : label->sizeHint().width();
        QVERIFY2(label->x() + width <= box.panel->contentsRect().right(),
                 qPrintable(label->objectName()));
    }
    QTest::mouseClick(box.okButton, Qt::LeftButton);
    QCOMPARE(box.result(), int(QDialog::Accepted));
}

void AboutAndTableWTest::tableWHeaderFollowsTheLanguageAndTheDataDoesNot() {
    GradeTableDialog ru(Language::Russian);
    GradeTableDialog en(Language::English);
    QCOMPARE(ru.windowTitle(), QStringLiteral("Таблица W"));
    QCOMPARE(en.windowTitle(), QStringLiteral("Table W"));
    QCOMPARE(en.gradeGrid->item(0, 0)->text(),
             QStringLiteral("Setting concrete breathability \u0430, sm3/s"));
    QCOMPARE(ru.gradeGrid->item(0, 1)->text(),
             QStringLiteral("Сопротивление бетона прониканию воздуха mc, с/см3"));
    QCOMPARE(en.gradeGrid->item(0, 2)->text(), QStringLiteral("Mark concrete waterproofing"));
    QCOMPARE(GridTexts(en, 1), GridTexts(ru, 1));
    const QStringList data = GridTexts(en, 1);
    QCOMPARE(data.size(), 30);
    QCOMPARE(data.first(), QStringLiteral("0,325 - 0,224"));
    QCOMPARE(data.mid(27), (QStringList{"0,0112 - 0,0077", "88,6 - 130,2", "W20"}));
}

void AboutAndTableWTest::tableWShowsEveryTextWithoutScrolling() {
    QImage first;
    for (int opening = 0; opening < 2; ++opening) {
        GradeTableDialog form(Language::Russian);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTableWidget* grid = form.gradeGrid;
        // The header wraps to several lines; the grades fit on one.
        const int dataHeight = grid->rowHeight(1);
        QVERIFY(grid->rowHeight(0) >= 2 * dataHeight);
        for (int row = 2; row < GradeTableDialog::kRows; ++row)
            QCOMPARE(grid->rowHeight(row), dataHeight);
        // Nothing is cut off: the whole table lies inside the grid, and the grid fills the window.
        const int bottom = grid->rowViewportPosition(GradeTableDialog::kRows - 1) +
                           grid->rowHeight(GradeTableDialog::kRows - 1);
        const int right = grid->columnViewportPosition(GradeTableDialog::kColumns - 1) +
                          grid->columnWidth(GradeTableDialog::kColumns - 1);
        QVERIFY(bottom < grid->viewport()->height());
        QVERIFY(right < grid->viewport()->width());
        QCOMPARE(grid->verticalScrollBar()->maximum(), 0);
        QCOMPARE(grid->geometry(), form.rect());
        const QImage image = form.grab().toImage();
        if (opening == 0)
            first = image;
        else
            QCOMPARE(image, first);
    }
}

void AboutAndTableWTest::helpMenuOpensBothWindowsModally() {
    MainWindow main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.OnEnglishChosen();
    QVERIFY(main.gradeTableAction->isEnabled());
    QVERIFY(main.aboutAction->isEnabled());
    QString caption;
    QVERIFY(InspectModal<GradeTableDialog>(main.gradeTableAction, [&](GradeTableDialog* form) {
        caption = form->windowTitle();
        QVERIFY(form->isModal());
    }));
    QCOMPARE(caption, QStringLiteral("Table W"));
    QVERIFY(InspectModal<AboutBox>(main.aboutAction, [&](AboutBox* box) {
        caption = box->windowTitle();
        QCOMPARE(box->parentWidget(), &main);
    }));
    QCOMPARE(caption, QStringLiteral("About"));
    // Neither window outlives its closing.
    QTRY_VERIFY(main.findChildren<QDialog*>().isEmpty());
}

QTEST_MAIN(AboutAndTableWTest)
#include "about_and_table_w_test.moc"
