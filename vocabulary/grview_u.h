// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

// The picture window: created at program entry and kept for the run; shows one word's picture
// at its own size from the top left corner. Escape closes it.
class Tgrview : public QDialog
{
    Q_OBJECT
  public:
    explicit Tgrview(QWidget* parent = nullptr);

    QLabel* Image1;
    QString path; // the picture to show, set by the opener

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Loads the picture each time the window is shown; a picture that cannot be loaded is
    // reported and the window closes.
    void FormActivate();
};
