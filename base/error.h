// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

namespace kadmor {

// Every failure of the engine, the file routines, sound, printing or number conversion is
// thrown as an Error carrying a Czech text for the user; the general error display shows it.
class Error : public std::runtime_error
{
  public:
    explicit Error(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const noexcept { return m_text; }

  private:
    QString m_text;
};

} // namespace kadmor
