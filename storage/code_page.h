// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <cstdint>

namespace kadmor {

// Converts a table's text between its code page, chosen by the header's language byte, and
// Unicode. Every code page we read has one byte per character, so decoding goes through a
// table of the 256 characters that the converter gives once: a table is read for every
// record, and the converter's cost per call would dominate.
class CodePage
{
  public:
    explicit CodePage(uint8_t languageByte = 0);

    static const char* nameFor(uint8_t languageByte); // nullptr for a byte we do not know

    QString decode(QByteArrayView bytes) const;
    // Throws kadmor::Error when a character has no place in the code page.
    QByteArray encode(QStringView text) const;

  private:
    std::array<char16_t, 256> m_characters{};
    mutable QStringEncoder m_encoder;
};

} // namespace kadmor
