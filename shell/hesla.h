// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class Thesl;
}

// The password dialog: created at program entry and kept for the run. Whatever way it is
// closed, the text of its entry field is the password entered.
class Thesl : public QDialog
{
    Q_OBJECT
  public:
    explicit Thesl(QWidget* parent = nullptr);
    ~Thesl() override;

    // Shows the dialog modally and gives the text entered (upper case; empty after Zrušit).
    QString ask();

    void done(int result) override;

    std::unique_ptr<Ui::Thesl> ui;

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BitBtn2Click();

    QString m_entered;
};
