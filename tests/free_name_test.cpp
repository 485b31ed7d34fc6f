// Default archive names: the next name after a given one, and the first one not taken.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "archive/free_name.h"
#include "qt_printers.h"

namespace porvel {
namespace {

TEST(ChangeName, CountsTheTrailingDigitsUpOrStartsAtZero) {
    const std::pair<const char*, const char*> cases[] = {
        {"Arhive 0.wpa", "Arhive 1.wpa"},
        {"Arhive 9.wpa", "Arhive 10.wpa"},
        {"Test007.wpa", "Test8.wpa"},
        {"Test.wpa", "Test 0.wpa"},
        {"Test000.wpa", "Test1.wpa"},
        {"Test099", "Test100.wpa"},  // no extension to begin with
        {"12.wpa", "13.wpa"},
        {".wpa", " 0.wpa"},
        {"", " 0.wpa"},
        // ".wpa" goes wherever it stands, in exactly that case.
        {"a.wpab.wpa", "ab 0.wpa"},
        {"Arhive 3.WPA", "Arhive 3.WPA 0.wpa"},
        {"v2.wpa.bak", "v2.bak 0.wpa"},
    };
    for (const auto& [name, next] : cases)
        EXPECT_EQ(ChangeName(QString::fromUtf8(name)), QString::fromUtf8(next)) << name;
}

TEST(ChangeName, DigitRunsBeyondThirtyTwoBitsStillCountUp) {
    EXPECT_EQ(ChangeName(QStringLiteral("Arhive 4294967295.wpa")),
              QStringLiteral("Arhive 4294967296.wpa"));
    EXPECT_EQ(ChangeName(QStringLiteral("x99999999999999999999999.wpa")),
              QStringLiteral("x100000000000000000000000.wpa"));
    EXPECT_EQ(ChangeName(QStringLiteral("x0000000000000000000000009.wpa")),
              QStringLiteral("x10.wpa"));
    // Only the digits 0 to 9 count: other scripts' digits are part of the name.
    EXPECT_EQ(ChangeName(QStringLiteral("Архив ٣.wpa")), QStringLiteral("Архив ٣ 0.wpa"));
}

TEST(NextFreeName, SkipsTheNamesThatAreTaken) {
    QTemporaryDir dir;
    const QString first = QStringLiteral("Arhive 0.wpa");
    EXPECT_EQ(NextFreeName(dir.path(), first), first);
    for (const char* taken : {"Arhive 0.wpa", "Arhive 1.wpa", "Arhive 3.wpa"}) {
        QFile file(QDir(dir.path()).filePath(QString::fromLatin1(taken)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(NextFreeName(dir.path(), first), QStringLiteral("Arhive 2.wpa"));
    // A folder of that name takes the name as well.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Arhive 2.wpa")));
    EXPECT_EQ(NextFreeName(dir.path(), first), QStringLiteral("Arhive 4.wpa"));
}

}  // namespace
}  // namespace porvel
