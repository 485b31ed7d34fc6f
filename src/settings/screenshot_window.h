// TForm5, the screenshot window: reads the instrument's display, shows it in the colours the
// user picked, and at every read saves it to a picture file and copies it to the clipboard as
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

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;

    QLabel* Image1;
    QPushButton* Button1;
    QProgressBar* CGauge1;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    ColorBox* ColorBox1;  // ink
    ColorBox* ColorBox2;  // background
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QTimer* Timer1;
    QFileDialog* OpenPictureDialog1;

    // The picture of the last read, 102 x 68; null before the first.
    QImage Picture() const { return picture_; }
    // The file every read is saved to while CheckBox1 is checked; empty until one is chosen.
    QString PictureFileName() const { return fileName_; }

    void done(int result) override;

private:
    void FormCreate();
    void Button1Click();
    void Timer1Timer();
    void CheckBox1Click(bool checked);

    QImage picture_;
    QString fileName_;
    WindowExchange exchange_;
};

}  // namespace porvel
