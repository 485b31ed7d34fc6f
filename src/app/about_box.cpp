#include "about_box.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>
#include <array>

#include "menu_icons.h"
#include "ui/design_metrics.h"
#include "ui/main_texts.h"

namespace porvel {
namespace {

// The about text table; the blanks at either end belong to the texts. The English April is
// " apri " as the instrument's documents print it.
enum AboutText : int {
    kVersionWord,
    kDateWord,
    kProduct,
    kJanuary,
    kFebruary,
    kMarch,
    kApril,
    kMay,
    kJune,
    kJuly,
    kAugust,
    kSeptember,
    kOctober,
    kNovember,
    kDecember,
    kTelFax,
    kMultichannel,
    kAboutTextCount,
};
constexpr std::array<KeyedText<AboutText>, kAboutTextCount> kAboutTexts = {{
    {kVersionWord, {u"Версия ", u"Version "}},
    {kDateWord, {u" от ", u" of "}},
    {kProduct, {u"Porvel", u"Porvel"}},
    {kJanuary, {u" января ", u" january "}},
    {kFebruary, {u" февраля ", u" february "}},
    {kMarch, {u" марта ", u" march "}},
    {kApril, {u" апреля ", u" apri "}},
    {kMay, {u" мая ", u" may "}},
    {kJune, {u" июня ", u" june "}},
    {kJuly, {u" июля ", u" july "}},
    {kAugust, {u" августа ", u" august "}},
    {kSeptember, {u" сентября ", u" september "}},
    {kOctober, {u" октября ", u" october "}},
    {kNovember, {u" ноября ", u" november "}},
    {kDecember, {u" декабря ", u" december "}},
    {kTelFax, {u"тел./факс. ", u"tel./fax"}},
    {kMultichannel, {u" многоканальный ", u" multichannel "}},
}};
static_assert(KeysInOrder(kAboutTexts, kAboutTextCount));
constexpr std::array<const char*, 12> kMonthAbbreviations = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// A month's words are January's row plus the month's place in this list.
static_assert(kDecember - kJanuary + 1 == static_cast<int>(kMonthAbbreviations.size()));
// The same in both languages.
constexpr char16_t kYearSuffix[] = u" г.";

// The maker's data: placeholders of this project, not a real company's.
constexpr char16_t kTelephones[] = u"555-01-00, 555-01-01";
constexpr char16_t kEMail[] = u"mail@example.org";
constexpr char16_t kWebAddress[] = u"www.example.org";
// The hints are the same in both languages.
constexpr char16_t kWebHint[] = u"Посетите нашу страницу в Интернете";
constexpr char16_t kMailHint[] = u"Написать письмо";

// Design pixels of a 120 dpi screen.
constexpr int kClientWidth = 373, kClientHeight = 278;
constexpr int kFontPx = 14, kLinkFontPx = 15;
constexpr int kPictureWidth = 100, kPictureHeight = 80;
constexpr int kPanelPadding = 10;  // right of the widest text

QString About(AboutText row, Language language) {
    return TextOf(kAboutTexts, row, language);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& designText, int left, int top) {
    auto* label = new QLabel(designText, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(Design(left), Design(top));
    label->adjustSize();
    return label;
}

void MakeLink(QLabel* label) {
    QFont font = label->font();
    font.setPixelSize(Design(kLinkFontPx));
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->adjustSize();
}

// The program icon centred in a picture of the picture box's proportions, so that stretching it
// to the box does not distort it.
QPixmap ProductPicture() {
    const QSize box(Design(kPictureWidth), Design(kPictureHeight));
    QPixmap picture(box * 2);
    picture.fill(Qt::transparent);
    const int side = picture.height();
    QPainter painter(&picture);
    painter.drawPixmap((picture.width() - side) / 2, 0,
                       ApplicationIcon().pixmap(QSize(side, side)));
    return picture;
}

}  // namespace

AboutTexts ComposeAboutTexts(const VersionInfo& info, const QString& buildDate, Language language) {
    AboutTexts texts;
    texts.productName = About(kProduct, language);
    if (!info.present) return texts;
    const std::optional<BuildDate> date = SplitBuildDate(buildDate);
    if (!date) return texts;

    int month = 0;  // January's words for a month that is not one of the twelve
    for (std::size_t m = 0; m < kMonthAbbreviations.size(); ++m)
        if (date->month == QLatin1String(kMonthAbbreviations[m])) month = static_cast<int>(m);
    const QString dateText = About(kDateWord, language) + date->day +
                             About(static_cast<AboutText>(kJanuary + month), language) +
                             date->year + QString::fromUtf16(kYearSuffix);
    texts.comments = About(kTelFax, language);
    texts.phoneNote = About(kMultichannel, language);

    if (const auto version = VersionString(info, QStringLiteral("FileVersion")))
        texts.version = About(kVersionWord, language) + *version + dateText;
    texts.copyright = VersionString(info, QStringLiteral("LegalCopyright"));
    return texts;
}

AboutBox::AboutBox(Language language, QWidget* parent, const VersionInfo& info,
                   const QString& buildDate)
    : QDialog(parent), language_(language) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(ApplicationIcon());
    QFont windowFont = font();
    windowFont.setPixelSize(Design(kFontPx));
    setFont(windowFont);
    setFixedSize(Design(kClientWidth), Design(kClientHeight));

    panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("panel"));
    panel->setGeometry(Design(10), Design(10), Design(356), Design(208));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette panelPalette = panel->palette();
    panelPalette.setColor(QPalette::Window, panelPalette.color(QPalette::Base));
    panel->setPalette(panelPalette);

    ProgramIcon = new QLabel(panel);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(Design(10), 0, Design(kPictureWidth), Design(kPictureHeight));
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(ProductPicture());
    ProgramIcon->setCursor(Qt::PointingHandCursor);
    ProgramIcon->setToolTip(QString::fromUtf16(kWebHint));

    ProductName = MakeLabel(panel, "ProductName", QString(), 118, 20);
    Version = MakeLabel(panel, "Version", QStringLiteral("Version"), 118, 49);
    copyrightLabel = MakeLabel(panel, "copyrightLabel", QStringLiteral("Copyright"), 10, 79);
    Comments = MakeLabel(panel, "Comments", QStringLiteral("тел./факс."), 10, 108);
    Comments->setWordWrap(true);
    phoneLabel = MakeLabel(panel, "phoneLabel", QString::fromUtf16(kTelephones), 84, 111);
    phoneLabel->setWordWrap(true);
    phoneLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    phoneLabel->resize(Design(107), Design(48));
    phoneNoteLabel =
        MakeLabel(panel, "phoneNoteLabel", QStringLiteral("(многоканальный)"), 182, 110);
    mailLabel = MakeLabel(panel, "mailLabel", QString::fromUtf16(kEMail), 236, 177);
    mailLabel->setToolTip(QString::fromUtf16(kMailHint));
    MakeLink(mailLabel);
    webLabel = MakeLabel(panel, "webLabel", QString::fromUtf16(kWebAddress), 10, 177);
    webLabel->setToolTip(QString::fromUtf16(kWebHint));
    MakeLink(webLabel);
    for (QWidget* link : std::initializer_list<QWidget*>{ProgramIcon, mailLabel, webLabel})
        link->installEventFilter(this);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(Design(143), Design(231), Design(92), Design(31));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    FillTexts(info, buildDate);
}

void AboutBox::FillTexts(const VersionInfo& info, const QString& buildDate) {
    setWindowTitle(MainTextOf(MainText::About, language_));
    const AboutTexts texts = ComposeAboutTexts(info, buildDate, language_);
    auto put = [](QLabel* label, const std::optional<QString>& text) {
        if (!text) return;
        label->setText(*text);
        if (!label->wordWrap()) label->adjustSize();
    };
    put(ProductName, texts.productName);
    put(Version, texts.version);
    put(copyrightLabel, texts.copyright);
    put(Comments, texts.comments);
    put(phoneNoteLabel, texts.phoneNote);
    // A word-wrapped label keeps its width and takes the height its text needs.
    Comments->resize(Comments->width(), Comments->heightForWidth(Comments->width()));
    FitToTexts();
}

// The design places the labels for a narrow bitmap font; with the desktop's font a long version
// or copyright line can be wider than the panel. Then the panel and the box grow to the right
// so that no text is cut off, and the OK button stays in the middle.
void AboutBox::FitToTexts() {
    int right = 0;
    for (const QLabel* label : panel->findChildren<QLabel*>()) {
        const int width = label->wordWrap() ? label->width() : label->sizeHint().width();
        right = std::max(right, label->x() + width);
    }
    const int grow = right + Design(kPanelPadding) - panel->width();
    if (grow <= 0) return;
    panel->resize(panel->width() + grow, panel->height());
    setFixedSize(width() + grow, height());
    okButton->move((width() - okButton->width()) / 2, okButton->y());
}

void AboutBox::OnMailClicked() {
    // The subject goes into the mail link percent-encoded, so a title with blanks or other
    // characters special in a link arrives whole.
    QUrl mail;
    mail.setScheme(QStringLiteral("mailto"));
    mail.setPath(mailLabel->text());
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("Subject"), MainTextOf(MainText::ProductName, language_));
    mail.setQuery(query);
    QDesktopServices::openUrl(mail);  // a failure shows nothing
}

void AboutBox::OnWebClicked() {
    QDesktopServices::openUrl(QUrl::fromUserInput(webLabel->text()));
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == mailLabel) {
            OnMailClicked();
            return true;
        }
        if (watched == webLabel || watched == ProgramIcon) {
            OnWebClicked();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace porvel
