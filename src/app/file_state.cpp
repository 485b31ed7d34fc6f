#include "file_state.h"

#include "ui/main_texts.h"

namespace porvel {

QString WindowCaption(const FileState& state, Language language) {
    QString caption = MainTextOf(MainText::ProductName, language);
    if (state.named) caption += QStringLiteral(" - ") + state.fileName;
    if (state.modified) caption += QLatin1Char('*');
    return caption;
}

QString MarkRowDeleted(FileState& state, const QString& caption) {
    state.named = true;
    const bool wasModified = state.modified;
    state.modified = true;
    return wasModified ? caption : caption + QLatin1Char('*');
}

}  // namespace porvel
