// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace kadmor {

// One page of Notebook1 built from its Designer form; the page owns the form's Ui object,
// so TForm1 keeps only a pointer to it.
template <class Form> class Page : public QWidget
{
  public:
    Page() { ui.setupUi(this); }
    Form ui;
};

} // namespace kadmor
