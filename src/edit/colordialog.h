#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// The colour chooser "Choose Color": a slider and a number box for each of
// red, green and blue, and a "Sample" label in the colour. The sliders
// update their box and the sample as the mouse moves over them; typed
// numbers count at OK. Cancel (and Escape) keeps the channels it opened on.
class Dialog : public QDialog {
    Q_OBJECT

public:
    // Opens on the channels `red`, `green`, `blue`; geometry is in twips,
    // converted with the given factors.
    Dialog(std::int16_t red, std::int16_t green, std::int16_t blue, double twipsPerPixelX,
           double twipsPerPixelY, Dialogs& dialogs, QWidget* parent = nullptr);

    // The channels after OK, or those it opened on.
    std::int16_t Red() const { return channels_[0]; }
    std::int16_t Green() const { return channels_[1]; }
    std::int16_t Blue() const { return channels_[2]; }
    bool Cancelled() const { return cancelled_; }

    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QSlider* Slider1;
    QSlider* Slider2;
    QSlider* Slider3;
    QLabel* Label1;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    void OKButton_Click();
    void CancelButton_Click();
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Dialog_Form_Load();
    void Slider_MouseMove(QSlider* slider, QLineEdit* box);
    void setSampleColor(int red, int green, int blue);
    void place(QWidget* w, int left, int top, int width, int height);

    Dialogs& dlg_;
    double tppX_, tppY_;
    std::array<std::int16_t, 3> channels_;
    bool cancelled_ = false;
};
