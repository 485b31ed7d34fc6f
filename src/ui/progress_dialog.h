// TForm2: the progress dialog of an archive read, with its gauge, status label and Cancel.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace porvel {

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    QProgressBar* CGauge1;
    QLabel* Label1;
    QPushButton* Button1;

private:
    void Button1Click();
};

}  // namespace porvel
