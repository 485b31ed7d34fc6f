#include "free_name.h"

#include <QDir>
#include <QFileInfo>

namespace porvel {
namespace {

const QString kExtension = QStringLiteral(".wpa");
const QString kFirstSuffix = QStringLiteral(" 0");

bool IsDigit(QChar ch) {
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}

// Decimal digits plus one, leading zeros dropped: "007" gives "8", "99" gives "100".
QString CountUp(QString digits) {
    while (digits.size() > 1 && digits.front() == QLatin1Char('0')) digits.remove(0, 1);
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
        digits[i] = QLatin1Char('0');
    }
    return QLatin1Char('1') + digits;
}

}  // namespace

QString ChangeName(const QString& name) {
    QString stem = name;
    stem.remove(kExtension, Qt::CaseSensitive);
    qsizetype digitsStart = stem.size();
    while (digitsStart > 0 && IsDigit(stem[digitsStart - 1])) --digitsStart;
    if (digitsStart == stem.size()) return stem + kFirstSuffix + kExtension;
    return stem.left(digitsStart) + CountUp(stem.mid(digitsStart)) + kExtension;
}

QString NextFreeName(const QString& folder, QString name) {
    const QDir dir(folder);
    while (QFileInfo::exists(dir.filePath(name))) name = ChangeName(name);
    return name;
}

}  // namespace porvel
