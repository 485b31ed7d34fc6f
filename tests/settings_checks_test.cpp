// The input rules of the list editors, the checks before a write, and the screen picture: its
// pixels from the screen block, and the saved files as another program reads them.
#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include "settings/editor_checks.h"
#include "settings/screen_image.h"

namespace porvel {
namespace {

class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) : previous_() { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

const QLocale kComma(QLocale::Russian, QLocale::Russia);
const QLocale kPoint(QLocale::English, QLocale::UnitedStates);

TEST(CoefficientKey, FiltersOnlyTheCoefficientColumnsAndTakesEitherSeparator) {
    for (const QLocale& locale : {kComma, kPoint}) {
        LocaleGuard guard(locale);
        EXPECT_EQ(CoefficientKey(QLatin1Char('x'), 1), KeyVerdict::Accept);
        for (int column : {2, 3}) {
            for (QChar c : QStringLiteral("0123456789.,Ee+-\b\t"))
                EXPECT_EQ(CoefficientKey(c, column), KeyVerdict::Accept) << c.unicode();
            for (QChar c : QStringLiteral("x; Ё"))
                EXPECT_EQ(CoefficientKey(c, column), KeyVerdict::Refuse) << c.unicode();
        }
        for (int column : {1, 2, 3})
            EXPECT_EQ(CoefficientKey(QLatin1Char('\r'), column), KeyVerdict::NextRow);
    }
    EXPECT_EQ(NextDataRow(5, 20), 6);
    EXPECT_EQ(NextDataRow(20, 20), 1);
}

// Either separator on either desktop, since a coefficient has no grouping; two separators are
// no number.
TEST(CoefficientText, IsCheckedWholeWithEitherSeparatorAndMustFitAFloat) {
    for (const QLocale& locale : {kComma, kPoint}) {
        LocaleGuard guard(locale);
        for (const char* text : {"", "0.25", "1.5E-03", "-2.5e+2", "3.4E38", "2,500E-01", "1,5e-3"})
            EXPECT_TRUE(CoefficientTextStorable(QString::fromUtf8(text))) << text;
        for (const char* text :
             {"1.5E", "2E", "-", "E", "abc", "1e39", "1.2.3", "1,2,3", "1,000.5"})
            EXPECT_FALSE(CoefficientTextStorable(QString::fromUtf8(text))) << text;
    }
}

EditorRows ObjectRows() {
    EditorRows rows;
    for (std::size_t e = 0; e < rows.size(); ++e)
        rows[e] = {QString::number(e + 1), QStringLiteral("Объект %1").arg(e), "Бетон", "0"};
    return rows;
}

EditorRows MaterialRows() {
    EditorRows rows;
    for (std::size_t e = 0; e < rows.size(); ++e)
        rows[e] = {QString::number(e + 1), "Бетон", "1,500E-03", "2,500E+02"};
    return rows;
}

TEST(GridBeforeWrite, NamesTheRowOfAnIndexOrCoefficientThatCannotBeStored) {
    LocaleGuard guard(kComma);
    EXPECT_FALSE(ObjectRowsProblem(ObjectRows(), Language::Russian));
    EXPECT_FALSE(MaterialRowsProblem(MaterialRows(), Language::English));

    EditorRows objects = ObjectRows();
    objects[6][3].clear();
    EXPECT_EQ(ObjectRowsProblem(objects, Language::English),
              QStringLiteral("Row 7: no material is chosen for the object."));
    objects[6][3] = QStringLiteral("65536");
    EXPECT_TRUE(ObjectRowsProblem(objects, Language::English));

    for (const char* bad : {"", "abc", "1.5E", "1,000.5", "1E+39", "-4E+38"}) {
        EditorRows materials = MaterialRows();
        materials[11][3] = QString::fromUtf8(bad);
        const auto problem = MaterialRowsProblem(materials, Language::English);
        ASSERT_TRUE(problem) << bad;
        EXPECT_TRUE(problem->startsWith(QStringLiteral("Row 12, a1:"))) << problem->toStdString();
    }
}

TEST(GridBeforeWrite, RefusesACharacterWindows1251HasNotInTheKeptPartOfAName) {
    EditorRows objects = ObjectRows();
    objects[2][1] = QStringLiteral("Плита ✓ 3");
    const auto problem = ObjectRowsProblem(objects, Language::Russian);
    ASSERT_TRUE(problem);
    EXPECT_TRUE(problem->contains(QStringLiteral("Строка 3")));
    EXPECT_TRUE(problem->contains(QStringLiteral("«✓»")));
    objects[2][1] = QStringLiteral("Плита 😀");  // a character beyond the first plane, whole
    EXPECT_TRUE(ObjectRowsProblem(objects, Language::English)->contains(QStringLiteral("\"😀\"")));
    // The instrument keeps the first 14 characters; what lies beyond is not sent.
    objects[2][1] = QStringLiteral("Свая забивная?№ ✓");
    EXPECT_FALSE(ObjectRowsProblem(objects, Language::Russian));
}

// The ink pixels inside the frame, as (x, y).
std::vector<std::pair<int, int>> InkInside(const ScreenBlock& block) {
    std::vector<std::pair<int, int>> ink;
    for (int y = 1; y < kScreenImageHeight - 1; ++y)
        for (int x = 1; x < kScreenImageWidth - 1; ++x)
            if (ScreenImagePixel(block, x, y)) ink.emplace_back(x, y);
    return ink;
}

using Pixels = std::vector<std::pair<int, int>>;

TEST(ScreenPicture, MapsPagesColumnsAndBitsInsideAFrameWithAGap) {
    ScreenBlock block{};
    EXPECT_TRUE(InkInside(block).empty());
    for (int x = 0; x < kScreenImageWidth; ++x)
        EXPECT_TRUE(ScreenImagePixel(block, x, 0) && ScreenImagePixel(block, x, 67));
    for (int y = 0; y < kScreenImageHeight; ++y)
        EXPECT_TRUE(ScreenImagePixel(block, 0, y) && ScreenImagePixel(block, 101, y));

    block[0] = 1;
    EXPECT_EQ(InkInside(block), (Pixels{{2, 2}}));
    block[0] = 128;
    EXPECT_EQ(InkInside(block), (Pixels{{2, 9}}));
    block[0] = 0;
    block[98] = 1;
    EXPECT_EQ(InkInside(block), (Pixels{{2, 10}}));
    block[98] = 0;
    block[783] = 0xFF;
    Pixels lastColumn;
    for (int y = 58; y <= 65; ++y) lastColumn.emplace_back(99, y);
    EXPECT_EQ(InkInside(block), lastColumn);
}

TEST(ScreenPicture, DrawsInTheChosenColoursEvenWhenBothAreWhite) {
    ScreenBlock block{};
    block[5] = 0x0F;
    const QImage picture = ScreenImage(block, Qt::red, Qt::blue);
    ASSERT_EQ(picture.size(), QSize(102, 68));
    EXPECT_EQ(picture.pixelColor(7, 2), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(7, 6), QColor(Qt::blue));
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::red));
    const QImage white = ScreenImage(block, Qt::white, Qt::white);
    for (int y = 0; y < white.height(); ++y)
        for (int x = 0; x < white.width(); ++x)
            ASSERT_EQ(white.pixel(x, y), QColor(Qt::white).rgb());
}

// The file as Pillow reads it: width, height, then one line of "r,g,b" per pixel row by row.
QStringList ReadWithPillow(const QString& path) {
    QProcess python;
    python.start(QStringLiteral(PORVEL_PIL_PYTHON),
                 {"-c",
                  "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1]).convert('RGB')\n"
                  "print(im.size[0], im.size[1])\n"
                  "for p in im.getdata(): print('%d,%d,%d' % p)\n",
                  path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) return {};
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

TEST(ScreenPicture, SavedBmpAndPngReadBackPixelForPixelInTwoColours) {
    ScreenBlock block{};
    block[0] = 1;
    block[98] = 1;
    block[783] = 0xFF;
    block[400] = 0xA5;
    const QColor ink(0x12, 0x34, 0x56), background(0xFE, 0xDC, 0xBA);
    const QImage picture = ScreenImage(block, ink, background);
    QTemporaryDir dir;
    for (const char* name : {"screen.bmp", "screen.png", "screen.unknown"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QString error;
        ASSERT_TRUE(SaveScreenImage(picture, path, &error)) << error.toStdString();
        const QStringList lines = ReadWithPillow(path);
        ASSERT_EQ(lines.size(), 1 + 102 * 68) << name;
        EXPECT_EQ(lines[0], QStringLiteral("102 68"));
        for (int i = 0; i < 102 * 68; ++i) {
            const bool isInk = ScreenImagePixel(block, i % 102, i / 102);
            const QColor c = isInk ? ink : background;
            ASSERT_EQ(lines[i + 1],
                      QStringLiteral("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue()))
                << name << " pixel " << i;
        }
    }
}

TEST(ScreenPicture, AFailedSaveGivesTheReasonAndLeavesTheOldFile) {
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(SaveScreenImage(ScreenImage({}, Qt::black, Qt::white),
                                 dir.filePath("missing/screen.bmp"), &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace porvel
