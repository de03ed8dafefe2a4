#include "formfixture.h"

#include <QFile>

void FormFixture::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile f(path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray FormFixture::readFile(const QString& name) const {
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

void FormFixture::writeList(const QString& stem, const QStringList& lines) const {
    QByteArray bytes;
    for (const QString& l : lines) bytes += l.toUtf8() + "\r\n";
    writeFile(stem + QStringLiteral(".ini"), bytes);
}

Form1& FormFixture::start(const QString& cmd, bool ready) {
    form = std::make_unique<Form1>(plat, dlg, dir.path(), cmd);
    form->Form_Load();
    if (!form->Ended()) form->show();
    if (ready && !form->Ended()) form->Timer1_Timer();
    return *form;
}

QStringList FormFixture::titles() const {
    QStringList out;
    const ListModel& m = control<ListView>(*form, "List1")->ListItems();
    for (int i = 1; i <= m.Count(); ++i) out << m.Text(i);
    return out;
}
