// Message boxes: captions in the program's language, the answers, and boxes from a worker.
#include <QAbstractButton>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>

#include "modal_answers.h"
#include "ui/message_box.h"

using porvel::Language;
using porvel::LocalizedMessageBox;
using porvel::testing::AnswerNext;
namespace box = porvel::box;

namespace {

QStringList Captions(QMessageBox* b) {
    QStringList texts;
    for (QAbstractButton* button : b->buttons()) texts << button->text();
    texts.sort();
    return texts;
}

QAbstractButton* ButtonWithText(QMessageBox* b, const QString& text) {
    for (QAbstractButton* button : b->buttons())
        if (button->text() == text) return button;
    return nullptr;
}

}  // namespace

class MessageBoxTest : public QObject {
    Q_OBJECT
private slots:
    void captionsFollowTheLanguage_data();
    void captionsFollowTheLanguage();
    void answersAreTheButtonIdentifiers_data();
    void answersAreTheButtonIdentifiers();
    void escapeAndTheCloseBoxAnswerOkOnAnOkBox();
    void escapeAnswersCancelOnAQuestion();
    void styleGivesIconTextAndCaption();
    void aWorkerThreadGetsItsAnswer();
};

void MessageBoxTest::captionsFollowTheLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<unsigned>("style");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("ok en") << 1 << box::kError << QStringList{"OK"};
    // The Russian OK is Cyrillic О and К.
    QTest::newRow("ok ru") << 0 << box::kError << QStringList{QString::fromUtf16(u"\u041E\u041A")};
    QTest::newRow("question en") << 1 << box::kQuestion << QStringList{"Cancel", "No", "Yes"};
    QTest::newRow("question ru") << 0 << box::kQuestion
                                 << QStringList{QStringLiteral("Да"), QStringLiteral("Нет"),
                                                QStringLiteral("Отмена")};
    // Ignore keeps the toolkit's own caption.
    QTest::newRow("abort retry ignore ru")
        << 0 << (box::kAbortRetryIgnore | box::kIconWarning)
        << QStringList{QStringLiteral("Ignore"), QStringLiteral("Повторить"),
                       QStringLiteral("Прервать")};
    QTest::newRow("retry cancel en") << 1 << box::kRetryCancel << QStringList{"Cancel", "Retry"};
}

void MessageBoxTest::captionsFollowTheLanguage() {
    QFETCH(int, language);
    QFETCH(unsigned, style);
    QFETCH(QStringList, captions);
    QStringList seen;
    AnswerNext<QMessageBox> answer([&](QMessageBox* b) {
        seen = Captions(b);
        QTest::keyClick(b, Qt::Key_Escape);
        if (b->isVisible()) b->buttons().front()->click();
    });
    LocalizedMessageBox(QStringLiteral("text"), QStringLiteral("caption"), style,
                        static_cast<Language>(language));
    captions.sort();
    QCOMPARE(seen, captions);
}

void MessageBoxTest::answersAreTheButtonIdentifiers_data() {
    QTest::addColumn<unsigned>("style");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << box::kQuestion << "Yes" << box::kIdYes;
    QTest::newRow("no") << box::kQuestion << "No" << box::kIdNo;
    QTest::newRow("cancel") << box::kQuestion << "Cancel" << box::kIdCancel;
    QTest::newRow("abort") << box::kAbortRetryIgnore << "Abort" << box::kIdAbort;
    QTest::newRow("retry") << box::kAbortRetryIgnore << "Retry" << box::kIdRetry;
    QTest::newRow("ignore") << box::kAbortRetryIgnore << "Ignore" << box::kIdIgnore;
    QTest::newRow("ok of ok-cancel") << box::kOkCancel << "OK" << box::kIdOk;
}

void MessageBoxTest::answersAreTheButtonIdentifiers() {
    QFETCH(unsigned, style);
    QFETCH(QString, button);
    QFETCH(int, answer);
    AnswerNext<QMessageBox> answerer([&](QMessageBox* b) {
        QAbstractButton* target = ButtonWithText(b, button);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton);
    });
    QCOMPARE(LocalizedMessageBox(QString(), QString(), style, Language::English), answer);
}

void MessageBoxTest::escapeAndTheCloseBoxAnswerOkOnAnOkBox() {
    {
        AnswerNext<QMessageBox> answer([](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); });
        QCOMPARE(
            LocalizedMessageBox(QStringLiteral("x"), QString(), box::kError, Language::Russian),
            box::kIdOk);
    }
    {
        AnswerNext<QMessageBox> answer([](QMessageBox* b) { b->close(); });
        QCOMPARE(
            LocalizedMessageBox(QStringLiteral("x"), QString(), box::kError, Language::Russian),
            box::kIdOk);
    }
    // A second box on the same thread behaves the same.
    {
        AnswerNext<QMessageBox> answer([](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); });
        QCOMPARE(
            LocalizedMessageBox(QStringLiteral("y"), QString(), box::kError, Language::Russian),
            box::kIdOk);
    }
    QVERIFY(!QApplication::activeModalWidget());
}

void MessageBoxTest::escapeAnswersCancelOnAQuestion() {
    AnswerNext<QMessageBox> answer([](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); });
    QCOMPARE(LocalizedMessageBox(QStringLiteral("Сохранить x ?"), QStringLiteral("Внимание"),
                                 box::kQuestion, Language::Russian),
             box::kIdCancel);
}

void MessageBoxTest::styleGivesIconTextAndCaption() {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text, title, defaultText;
    Qt::WindowModality modality = Qt::NonModal;
    AnswerNext<QMessageBox> answer([&](QMessageBox* b) {
        icon = b->icon();
        text = b->text();
        title = b->windowTitle();
        modality = b->windowModality();
        defaultText = b->defaultButton() ? b->defaultButton()->text() : QString();
        QTest::keyClick(b, Qt::Key_Escape);
    });
    LocalizedMessageBox(QStringLiteral("CRC16 Error"), QStringLiteral("Warning"),
                        box::kQuestion | 0x100, Language::English);  // second button as the default
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(text, QStringLiteral("CRC16 Error"));
    QCOMPARE(title, QStringLiteral("Warning"));
    QCOMPARE(modality, Qt::ApplicationModal);
    QCOMPARE(defaultText, QStringLiteral("No"));

    AnswerNext<QMessageBox> again([&](QMessageBox* b) {
        icon = b->icon();
        QTest::keyClick(b, Qt::Key_Return);
    });
    QCOMPARE(LocalizedMessageBox(QString(), QString(), box::kError, Language::English), box::kIdOk);
    QCOMPARE(icon, QMessageBox::Critical);
}

void MessageBoxTest::aWorkerThreadGetsItsAnswer() {
    bool shownOnMainThread = false;
    AnswerNext<QMessageBox> answer([&](QMessageBox* b) {
        shownOnMainThread =
            b->thread() == QThread::currentThread() && QThread::currentThread() == qApp->thread();
        QTest::mouseClick(ButtonWithText(b, QStringLiteral("No")), Qt::LeftButton);
    });
    std::atomic<int> result{-1};
    std::thread worker([&] {
        result = LocalizedMessageBox(QStringLiteral("from a worker"), QString(), box::kQuestion,
                                     Language::English);
    });
    QTRY_VERIFY_WITH_TIMEOUT(result.load() != -1, 10000);
    worker.join();
    QCOMPARE(result.load(), box::kIdNo);
    QVERIFY(shownOnMainThread);
}

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
