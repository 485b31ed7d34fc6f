#include "screenshot_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>
#include <array>

#include "screen_image.h"
#include "ui/design_metrics.h"
#include "ui/main_texts.h"
#include "ui/message_box.h"

namespace porvel {
namespace {

enum Text {
    kCaption,
    kButton,
    kSaveCheck,
    kClipboardCheck,
    kInkLabel,
    kBackgroundLabel,
    kSaveFailed,
    kErrorCaption,
    kTextCount
};
constexpr std::array<KeyedText<Text>, kTextCount> kTexts = {{
    {kCaption, {u"Скриншот", u"Screenshot"}},
    {kButton, {u"Обновить", u"Update"}},
    {kSaveCheck, {u"сохранять в *.bmp", u"save to *.bmp"}},
    {kClipboardCheck, {u"сохранять в буфер", u"save to clipboard"}},
    {kInkLabel, {u"цвет надписи", u"pen"}},
    {kBackgroundLabel, {u"цвет фона", u"background"}},
    {kSaveFailed, {u"Не удалось сохранить «%1»: %2", u"Could not save \"%1\": %2"}},
    {kErrorCaption, {u"Ошибка", u"Error"}},
}};
static_assert(KeysInOrder(kTexts, kTextCount));

constexpr int kTimerMs = 500;
constexpr int kFontPx = 14;
constexpr int kDone = 100;
constexpr int kSwatchMargin = 4;

QString T(Text text, Language language) {
    return TextOf(kTexts, text, language);
}

QRect DesignRect(int left, int top, int width, int height) {
    return {Design(left), Design(top), Design(width), Design(height)};
}

}  // namespace

ColorBox::ColorBox(const QColor& color, QWidget* parent) : QPushButton(parent) {
    Select(color);
    connect(this, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(color_, this);
        if (chosen.isValid()) Select(chosen);
    });
}

void ColorBox::Select(const QColor& color) {
    color_ = color;
    QPixmap swatch(Design(47) - 2 * kSwatchMargin, Design(22) - 2 * kSwatchMargin);
    swatch.fill(color);
    setIcon(swatch);
    setIconSize(swatch.size());
}

ScreenshotWindow::ScreenshotWindow(ExchangeSession& session, Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      screenView(new QLabel(this)),
      readButton(new QPushButton(this)),
      progressGauge(new QProgressBar(this)),
      saveToFileBox(new QCheckBox(this)),
      copyToClipboardBox(new QCheckBox(this)),
      inkColorBox(new ColorBox(Qt::black, this)),
      backgroundColorBox(new ColorBox(Qt::white, this)),
      inkLabel(new QLabel(this)),
      backgroundLabel(new QLabel(this)),
      statusLabel(new QLabel(this)),
      gaugeTimer(new QTimer(this)),
      savePictureDialog(new QFileDialog(this)),
      language_(language),
      exchange_(session, language) {
    setObjectName(QStringLiteral("ScreenshotWindow"));
    QFont windowFont = font();
    windowFont.setPixelSize(Design(kFontPx));
    setFont(windowFont);
    setFixedSize(Design(180), Design(310));
    screenView->setGeometry(Design(41), Design(16), kScreenImageWidth, kScreenImageHeight);
    readButton->setGeometry(DesignRect(10, 108, 159, 31));
    readButton->setAutoDefault(false);
    progressGauge->setGeometry(DesignRect(10, 143, 159, 7));
    progressGauge->setRange(0, kDone);
    progressGauge->setTextVisible(false);
    progressGauge->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: navy; }"));
    progressGauge->hide();
    saveToFileBox->setGeometry(DesignRect(10, 158, 165, 24));
    copyToClipboardBox->setGeometry(DesignRect(10, 187, 165, 24));
    inkColorBox->setGeometry(DesignRect(10, 217, 47, 22));
    inkLabel->setGeometry(DesignRect(69, 220, 105, 17));
    backgroundColorBox->setGeometry(DesignRect(10, 256, 47, 22));
    backgroundLabel->setGeometry(DesignRect(69, 259, 105, 17));
    statusLabel->setGeometry(DesignRect(10, 286, 165, 17));
    gaugeTimer->setInterval(kTimerMs);
    savePictureDialog->setAcceptMode(QFileDialog::AcceptSave);
    savePictureDialog->setOption(QFileDialog::DontUseNativeDialog);
    SizeFileDialog(*savePictureDialog);
    savePictureDialog->setNameFilters(
        {QStringLiteral("BMP (*.bmp)"), QStringLiteral("PNG (*.png)")});
    savePictureDialog->setDefaultSuffix(QStringLiteral("bmp"));
    connect(savePictureDialog, &QFileDialog::filterSelected, this, [this](const QString& f) {
        savePictureDialog->setDefaultSuffix(f.contains(QStringLiteral("png")) ? "png" : "bmp");
    });
    connect(readButton, &QPushButton::clicked, this, &ScreenshotWindow::OnReadClicked);
    connect(gaugeTimer, &QTimer::timeout, this, &ScreenshotWindow::OnGaugeTimer);
    connect(saveToFileBox, &QCheckBox::clicked, this, &ScreenshotWindow::OnSaveToFileToggled);
    ApplyTexts();
}

ScreenshotWindow::~ScreenshotWindow() {
    exchange_.Finish();
}

void ScreenshotWindow::done(int result) {
    exchange_.Finish();
    gaugeTimer->stop();
    QDialog::done(result);
}

void ScreenshotWindow::ApplyTexts() {
    setWindowTitle(T(kCaption, language_));
    readButton->setText(T(kButton, language_));
    saveToFileBox->setText(T(kSaveCheck, language_));
    copyToClipboardBox->setText(T(kClipboardCheck, language_));
    inkLabel->setText(T(kInkLabel, language_));
    backgroundLabel->setText(T(kBackgroundLabel, language_));
    savePictureDialog->setWindowTitle(T(kSaveCheck, language_));
}

void ScreenshotWindow::OnReadClicked() {
    ExchangeControls controls;
    controls.gauge = progressGauge;
    controls.statusLabel = statusLabel;
    progressGauge->setValue(0);
    if (!exchange_.Start(Operation::ReadScreen, ListsFlag::Unchanged, controls, nullptr)) return;
    gaugeTimer->start();
    progressGauge->show();
    readButton->setEnabled(false);
}

void ScreenshotWindow::OnGaugeTimer() {
    // The gauge reaches 100 only once the whole screen block has arrived.
    if (progressGauge->value() != kDone) return;
    gaugeTimer->stop();
    picture_ = ScreenImage(exchange_.Session().exchange.screen, inkColorBox->Selected(),
                           backgroundColorBox->Selected());
    screenView->setPixmap(QPixmap::fromImage(picture_));
    progressGauge->hide();
    readButton->setEnabled(true);
    if (copyToClipboardBox->isChecked()) QApplication::clipboard()->setImage(picture_);
    QString error;
    if (saveToFileBox->isChecked() && !fileName_.isEmpty() &&
        !SaveScreenImage(picture_, fileName_, &error))
        LocalizedMessageBox(T(kSaveFailed, language_).arg(fileName_, error),
                            T(kErrorCaption, language_), box::kError, language_);
}

void ScreenshotWindow::OnSaveToFileToggled(bool checked) {
    if (!checked) return;
    if (!fileName_.isEmpty()) savePictureDialog->selectFile(fileName_);
    if (savePictureDialog->exec() == QDialog::Accepted &&
        !savePictureDialog->selectedFiles().isEmpty())
        fileName_ = savePictureDialog->selectedFiles().front();
}

}  // namespace porvel
