// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdint>

namespace kadmor {

// Converts a table's text between its code page, chosen by the header's language byte, and
// Unicode. Every code page we read has one byte per character.
class CodePage
{
  public:
    explicit CodePage(uint8_t languageByte = 0);

    static const char* nameFor(uint8_t languageByte);

    QString decode(QByteArrayView bytes) const;
    // Throws kadmor::Error when a character has no place in the code page.
    QByteArray encode(QStringView text) const;

  private:
    mutable QStringDecoder m_decoder;
    mutable QStringEncoder m_encoder;
};

} // namespace kadmor
