#include "file_state.h"

#include "main_texts.h"

namespace porvel {

QString WindowCaption(const FileState& state, Language language) {
    QString caption = MainTextOf(MainText::ProductName, language);
    if (state.named) caption += QStringLiteral(" - ") + state.fileName;
    if (state.modified) caption += QLatin1Char('*');
    return caption;
}

}  // namespace porvel
