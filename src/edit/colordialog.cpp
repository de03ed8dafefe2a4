#include "edit/colordialog.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <cmath>

#include "edit/editrules.h"
#include "lists/listmodel.h"
#include "platform/dialogs.h"

Dialog::Dialog(std::int16_t red, std::int16_t green, std::int16_t blue, double twipsPerPixelX,
               double twipsPerPixelY, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      dlg_(dialogs),
      tppX_(twipsPerPixelX > 0 ? twipsPerPixelX : 15),
      tppY_(twipsPerPixelY > 0 ? twipsPerPixelY : 15),
      channels_{red, green, blue} {
    setObjectName(QStringLiteral("Dialog"));
    setModal(true);
    auto named = [](auto* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    Text1 = named(new QLineEdit(this), "Text1");
    Text2 = named(new QLineEdit(this), "Text2");
    Text3 = named(new QLineEdit(this), "Text3");
    Slider1 = named(new QSlider(Qt::Horizontal, this), "Slider1");
    Slider2 = named(new QSlider(Qt::Horizontal, this), "Slider2");
    Slider3 = named(new QSlider(Qt::Horizontal, this), "Slider3");
    Label1 = named(new QLabel(this), "Label1");
    OKButton = named(new QPushButton(QStringLiteral("OK"), this), "OKButton");
    CancelButton = named(new QPushButton(QStringLiteral("Cancel"), this), "CancelButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &Dialog::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &Dialog::CancelButton_Click);
    for (QSlider* s : {Slider1, Slider2, Slider3}) {
        // Moves without a button held count too.
        s->setMouseTracking(true);
        s->installEventFilter(this);
    }
    Dialog_Form_Load();
}

void Dialog::place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(int(std::lround(left / tppX_)), int(std::lround(top / tppY_)),
                   int(std::lround(width / tppX_)), int(std::lround(height / tppY_)));
}

void Dialog::Dialog_Form_Load() {
    setWindowTitle(QStringLiteral("Choose Color"));
    const int tops[3] = {120, 600, 1080};
    QLineEdit* boxes[3] = {Text1, Text2, Text3};
    QSlider* sliders[3] = {Slider1, Slider2, Slider3};
    for (int i = 0; i < 3; ++i) {
        place(boxes[i], 100, tops[i], 500, 375);
        place(sliders[i], 600, tops[i], 4000, 375);
        sliders[i]->setMaximum(255);
        sliders[i]->setTickInterval(10);
        sliders[i]->setTickPosition(QSlider::TicksBelow);
        boxes[i]->setText(QString::number(channels_[size_t(i)]));
    }
    place(OKButton, 4800, 120, 1100, 375);
    place(CancelButton, 4800, 600, 1100, 375);
    place(Label1, 100, 1620, 2000, 375);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setText(QStringLiteral("Sample"));
    setSampleColor(channels_[0], channels_[1], channels_[2]);
    for (int i = 0; i < 3; ++i) sliders[i]->setValue(channels_[size_t(i)]);
    setFixedSize(int(std::lround(6100 / tppX_)), int(std::lround(2200 / tppY_)));
}

void Dialog::setSampleColor(int red, int green, int blue) {
    QPalette pal = Label1->palette();
    pal.setColor(QPalette::WindowText, colorFromValue(editrules::colorValue(red, green, blue)));
    Label1->setPalette(pal);
}

void Dialog::Slider_MouseMove(QSlider* slider, QLineEdit* box) {
    box->setText(QString::number(slider->value()));
    setSampleColor(Text1->text().toInt(), Text2->text().toInt(), Text3->text().toInt());
}

bool Dialog::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseMove) {
        if (watched == Slider1) Slider_MouseMove(Slider1, Text1);
        if (watched == Slider2) Slider_MouseMove(Slider2, Text2);
        if (watched == Slider3) Slider_MouseMove(Slider3, Text3);
    }
    return QDialog::eventFilter(watched, e);
}

void Dialog::OKButton_Click() {
    const char* names[3] = {"red", "green", "blue"};
    QLineEdit* boxes[3] = {Text1, Text2, Text3};
    std::array<std::int16_t, 3> chosen{};
    for (int i = 0; i < 3; ++i) {
        const std::optional<std::int16_t> v = editrules::parseChannel(boxes[i]->text());
        if (!v) {
            // Nothing is stored from a box that holds no colour channel.
            dlg_.message(QStringLiteral("The %1 value \"%2\" is not a whole number from 0 to 255.")
                             .arg(QString::fromLatin1(names[i]), boxes[i]->text()));
            boxes[i]->setFocus();
            boxes[i]->selectAll();
            return;
        }
        chosen[size_t(i)] = *v;
    }
    channels_ = chosen;
    cancelled_ = false;
    accept();
}

void Dialog::CancelButton_Click() {
    reject();
}

void Dialog::reject() {
    cancelled_ = true;
    QDialog::reject();
}
