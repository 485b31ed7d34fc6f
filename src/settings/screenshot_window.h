// ScreenshotWindow, the screenshot window: reads the instrument's display, shows it in the colours
// the user picked, and at every read saves it to a picture file and copies it to the clipboard as
// the two check boxes say.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPushButton>

#include "window_exchange.h"

class QCheckBox;
class QFileDialog;
class QLabel;
class QProgressBar;
class QTimer;

namespace porvel {

// A colour picker: a small button filled with its colour that opens the colour dialog.
class ColorBox : public QPushButton {
    Q_OBJECT
public:
    ColorBox(const QColor& color, QWidget* parent);
    QColor Selected() const { return color_; }
    void Select(const QColor& color);

private:
    QColor color_;
};

class ScreenshotWindow : public QDialog {
    Q_OBJECT
public:
    ScreenshotWindow(ExchangeSession& session, Language language, QWidget* parent = nullptr);
    ~ScreenshotWindow() override;

    ExchangeSession& Session() { return exchange_.Session(); }

    QLabel* screenView;
    QPushButton* readButton;
    QProgressBar* progressGauge;
    QCheckBox* saveToFileBox;
    QCheckBox* copyToClipboardBox;
    ColorBox* inkColorBox;         // ink
    ColorBox* backgroundColorBox;  // background
    QLabel* inkLabel;
    QLabel* backgroundLabel;
    QLabel* statusLabel;
    QTimer* gaugeTimer;
    QFileDialog* savePictureDialog;

    // The picture of the last read, 102 x 68; null before the first.
    QImage Picture() const { return picture_; }
    // The file every read is saved to while saveToFileBox is checked; empty until one is chosen.
    QString PictureFileName() const { return fileName_; }

    void done(int result) override;

private:
    void ApplyTexts();
    void OnReadClicked();
    void OnGaugeTimer();
    void OnSaveToFileToggled(bool checked);

    QImage picture_;
    QString fileName_;
    const Language language_;
    WindowExchange exchange_;
};

}  // namespace porvel
