#include "editor_checks.h"

#include <cfloat>
#include <cmath>

#include "base/locale_format.h"
#include "wire/cp1251.h"
#include "wire/protocol.h"

namespace porvel {
namespace {

constexpr TextPair kNoMaterial = {u"Строка %1: не выбран материал объекта.",
                                  u"Row %1: no material is chosen for the object."};
constexpr TextPair kBadCoefficient = {
    u"Строка %1, %2: «%3» не является числом, которое может хранить прибор.",
    u"Row %1, %2: \"%3\" is not a number the device can store."};
constexpr TextPair kBadCharacter = {
    u"Строка %1: символ «%2» в названии «%3» не может быть сохранён в приборе.",
    u"Row %1: the character \"%2\" of the name \"%3\" cannot be stored in the device."};

constexpr int kObjectIndexColumn = 3;
constexpr int kNameColumn = 1;
constexpr int kFirstCoefficientColumn = 2;
const char* const kCoefficientHeaders[] = {"a0", "a1"};

bool IsDigitKey(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The first character of the part of a name that the instrument keeps that Windows-1251 has no
// byte for, whole even when it is a surrogate pair.
std::optional<QString> UnstorableCharacter(const QString& name) {
    const QString kept = name.left(static_cast<qsizetype>(protocol::kShortNameMaxChars));
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const qsizetype length = kept[i].isHighSurrogate() && i + 1 < kept.size() ? 2 : 1;
        const QString character = kept.mid(i, length);
        const QByteArray bytes = ToCp1251(character);
        if (character != QStringLiteral("?") && bytes.count('?') == bytes.size()) return character;
        i += length - 1;
    }
    return std::nullopt;
}

std::optional<QString> NameProblem(const EditorRows& rows, Language language) {
    for (std::size_t e = 0; e < rows.size(); ++e) {
        const QString& name = rows[e][kNameColumn];
        if (const auto character = UnstorableCharacter(name))
            return TextIn(kBadCharacter, language).arg(e + 1).arg(*character, name);
    }
    return std::nullopt;
}

bool StorableFloat(const QString& text) {
    double value = 0;
    return ParseTableNumber(text, &value) && std::isfinite(value) && std::fabs(value) <= FLT_MAX;
}

}  // namespace

KeyVerdict CoefficientKey(QChar typed, int column) {
    if (typed == QLatin1Char('\r') || typed == QLatin1Char('\n')) return KeyVerdict::NextRow;
    if (column < kFirstCoefficientColumn) return KeyVerdict::Accept;
    // Both decimal separators on every desktop: operators type the comma on English desktops
    // too, and a coefficient has no grouping that it could be taken for.
    static const QString kAllowed = QStringLiteral("\b\t.,Ee+-");
    return IsDigitKey(typed) || kAllowed.contains(typed) ? KeyVerdict::Accept : KeyVerdict::Refuse;
}

bool CoefficientTextStorable(const QString& text) {
    return text.isEmpty() || StorableFloat(text);
}

int NextDataRow(int row, int rows) {
    return row >= rows ? 1 : row + 1;
}

std::optional<QString> ObjectRowsProblem(const EditorRows& rows, Language language) {
    for (std::size_t e = 0; e < rows.size(); ++e) {
        bool ok = false;
        const uint index = rows[e][kObjectIndexColumn].trimmed().toUInt(&ok);
        if (!ok || index > 0xFFFF) return TextIn(kNoMaterial, language).arg(e + 1);
    }
    return NameProblem(rows, language);
}

std::optional<QString> MaterialRowsProblem(const EditorRows& rows, Language language) {
    for (std::size_t e = 0; e < rows.size(); ++e)
        for (int k = 0; k < 2; ++k) {
            const QString& text = rows[e][static_cast<std::size_t>(kFirstCoefficientColumn + k)];
            if (!StorableFloat(text))
                return TextIn(kBadCoefficient, language)
                    .arg(e + 1)
                    .arg(QLatin1String(kCoefficientHeaders[k]), text);
        }
    return NameProblem(rows, language);
}

}  // namespace porvel
