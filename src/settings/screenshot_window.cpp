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
constexpr std::array<TextPair, kTextCount> kTexts = {{
    {u"Скриншот", u"Screenshot"},
    {u"Обновить", u"Update"},
    {u"сохранять в *.bmp", u"save to *.bmp"},
    {u"сохранять в буфер", u"save to clipboard"},
    {u"цвет надписи", u"pen"},
    {u"цвет фона", u"background"},
    {u"Не удалось сохранить «%1»: %2", u"Could not save \"%1\": %2"},
    {u"Ошибка", u"Error"},
}};

constexpr int kTimerMs = 500;
constexpr int kFontPx = 14;
constexpr int kDone = 100;
constexpr int kSwatchMargin = 4;

QString T(Text text) {
    return TextIn(kTexts[text], CurrentLanguage());
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

TForm5::TForm5(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Image1(new QLabel(this)),
      Button1(new QPushButton(this)),
      CGauge1(new QProgressBar(this)),
      CheckBox1(new QCheckBox(this)),
      CheckBox2(new QCheckBox(this)),
      ColorBox1(new ColorBox(Qt::black, this)),
      ColorBox2(new ColorBox(Qt::white, this)),
      Label1(new QLabel(this)),
      Label2(new QLabel(this)),
      Label3(new QLabel(this)),
      Timer1(new QTimer(this)),
      OpenPictureDialog1(new QFileDialog(this)) {
    setObjectName(QStringLiteral("TForm5"));
    QFont windowFont = font();
    windowFont.setPixelSize(Design(kFontPx));
    setFont(windowFont);
    setFixedSize(Design(180), Design(310));
    Image1->setGeometry(Design(41), Design(16), kScreenImageWidth, kScreenImageHeight);
    Button1->setGeometry(DesignRect(10, 108, 159, 31));
    Button1->setAutoDefault(false);
    CGauge1->setGeometry(DesignRect(10, 143, 159, 7));
    CGauge1->setRange(0, kDone);
    CGauge1->setTextVisible(false);
    CGauge1->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: navy; }"));
    CGauge1->hide();
    CheckBox1->setGeometry(DesignRect(10, 158, 165, 24));
    CheckBox2->setGeometry(DesignRect(10, 187, 165, 24));
    ColorBox1->setGeometry(DesignRect(10, 217, 47, 22));
    Label1->setGeometry(DesignRect(69, 220, 105, 17));
    ColorBox2->setGeometry(DesignRect(10, 256, 47, 22));
    Label2->setGeometry(DesignRect(69, 259, 105, 17));
    Label3->setGeometry(DesignRect(10, 286, 165, 17));
    Timer1->setInterval(kTimerMs);
    OpenPictureDialog1->setAcceptMode(QFileDialog::AcceptSave);
    OpenPictureDialog1->setOption(QFileDialog::DontUseNativeDialog);
    SizeFileDialog(*OpenPictureDialog1);
    OpenPictureDialog1->setNameFilters(
        {QStringLiteral("BMP (*.bmp)"), QStringLiteral("PNG (*.png)")});
    OpenPictureDialog1->setDefaultSuffix(QStringLiteral("bmp"));
    connect(OpenPictureDialog1, &QFileDialog::filterSelected, this, [this](const QString& f) {
        OpenPictureDialog1->setDefaultSuffix(f.contains(QStringLiteral("png")) ? "png" : "bmp");
    });
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(Timer1, &QTimer::timeout, this, &TForm5::Timer1Timer);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm5::CheckBox1Click);
    FormCreate();
}

TForm5::~TForm5() {
    exchange_.Finish();
}

void TForm5::done(int result) {
    exchange_.Finish();
    Timer1->stop();
    QDialog::done(result);
}

void TForm5::FormCreate() {
    setWindowTitle(T(kCaption));
    Button1->setText(T(kButton));
    CheckBox1->setText(T(kSaveCheck));
    CheckBox2->setText(T(kClipboardCheck));
    Label1->setText(T(kInkLabel));
    Label2->setText(T(kBackgroundLabel));
    OpenPictureDialog1->setWindowTitle(T(kSaveCheck));
}

void TForm5::Button1Click() {
    ExchangeControls controls;
    controls.gauge = CGauge1;
    controls.statusLabel = Label3;
    CGauge1->setValue(0);
    if (!exchange_.Start(Operation::ReadScreen, ListsFlag::Unchanged, controls, nullptr)) return;
    Timer1->start();
    CGauge1->show();
    Button1->setEnabled(false);
}

void TForm5::Timer1Timer() {
    // The gauge reaches 100 only once the whole screen block has arrived.
    if (CGauge1->value() != kDone) return;
    Timer1->stop();
    picture_ = ScreenImage(TheExchange().screen, ColorBox1->Selected(), ColorBox2->Selected());
    Image1->setPixmap(QPixmap::fromImage(picture_));
    CGauge1->hide();
    Button1->setEnabled(true);
    if (CheckBox2->isChecked()) QApplication::clipboard()->setImage(picture_);
    QString error;
    if (CheckBox1->isChecked() && !fileName_.isEmpty() &&
        !SaveScreenImage(picture_, fileName_, &error))
        LocalizedMessageBox(T(kSaveFailed).arg(fileName_, error), T(kErrorCaption), box::kError);
}

void TForm5::CheckBox1Click(bool checked) {
    if (!checked) return;
    if (!fileName_.isEmpty()) OpenPictureDialog1->selectFile(fileName_);
    if (OpenPictureDialog1->exec() == QDialog::Accepted &&
        !OpenPictureDialog1->selectedFiles().isEmpty())
        fileName_ = OpenPictureDialog1->selectedFiles().front();
}

}  // namespace porvel
