// AboutBox: the product name, the version with the build date in words, the copyright line and
// the maker's telephone, e-mail and web address, the last two (and the picture) as links.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>

#include "base/language.h"
#include "base/program_version.h"

class QFrame;
class QLabel;
class QPushButton;

namespace porvel {

// What FillTexts puts into the labels; a text that is none leaves its label's design text.
struct AboutTexts {
    QString productName;
    std::optional<QString> version;
    std::optional<QString> copyright;
    std::optional<QString> comments;
    std::optional<QString> phoneNote;
};

// The about box's texts in `language` from the version information and the build date text:
// with no version information, or a build date that does not split into month, day and year,
// only the product name; the version line and the copyright line only as far as the version
// information has them.
AboutTexts ComposeAboutTexts(const VersionInfo& info, const QString& buildDate, Language language);

class AboutBox : public QDialog {
    Q_OBJECT
public:
    // Filled at once in `language` from the program's own version information; tests pass other
    // information and dates.
    explicit AboutBox(Language language, QWidget* parent = nullptr,
                      const VersionInfo& info = ProgramVersionInfo(),
                      const QString& buildDate = BuildDateText());

    QFrame* panel;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* copyrightLabel;
    QLabel* Comments;
    QLabel* phoneLabel;
    QLabel* phoneNoteLabel;
    QLabel* mailLabel;
    QLabel* webLabel;
    QPushButton* okButton;

    // A new mail to the maker with the application's title as subject.
    void OnMailClicked();
    // The maker's web page in the desktop's browser; also a click on the picture.
    void OnWebClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Language language_;

    void FillTexts(const VersionInfo& info, const QString& buildDate);
    void FitToTexts();
};

}  // namespace porvel
