// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/hesla.h"

#include "base/dialogs.h"
#include "ui_hesla.h"

#include <QKeyEvent>
#include <QValidator>

namespace {

// Turns every letter into a capital while the user types.
class UpperCaseValidator : public QValidator
{
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

Thesl::Thesl(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::Thesl>())
{
    ui->setupUi(this);
    ui->Edit1->setValidator(new UpperCaseValidator(ui->Edit1));
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &Thesl::BitBtn2Click);
}

Thesl::~Thesl() = default;

QString Thesl::ask()
{
    exec();
    return m_entered;
}

void Thesl::done(int result)
{
    m_entered = ui->Edit1->text();
    QDialog::done(result);
}

bool Thesl::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        ui->Edit1->setFocus();
        kadmor::dialogs().beep();
    }
    return QDialog::event(event);
}

void Thesl::keyPressEvent(QKeyEvent* event)
{
    // Escape is the cancel button's key, so it empties the entry like the button.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ui->BitBtn2->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Thesl::BitBtn2Click()
{
    ui->Edit1->clear();
    reject();
}
