// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/code_page.h"

#include "storage/dbf_format.h"
#include "base/error.h"

namespace kadmor {

const char* CodePage::nameFor(uint8_t languageByte)
{
    switch (languageByte) {
    case dbf::kLanguageDos852:
    case dbf::kLanguageDos852Czech:
        return "IBM852";
    case dbf::kLanguageWindows1252:
    case dbf::kLanguageWindows1252Ansi:
    case dbf::kLanguageWindows1252Western:
        return "windows-1252";
    case dbf::kLanguageNone:
    case dbf::kLanguageWindows1250:
        return "windows-1250";
    default:
        return nullptr;
    }
}

CodePage::CodePage(uint8_t languageByte)
{
    const char* name = nameFor(languageByte);
    if (!name)
        throw Error(QStringLiteral("Neznámá kódová stránka (jazykový bajt 0x%1).").arg(int(languageByte), 2, 16, QLatin1Char('0')));
    m_encoder = QStringEncoder(name, QStringEncoder::Flag::Stateless);
    QStringDecoder decoder(name, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid() || !m_encoder.isValid())
        throw Error(QStringLiteral("Kódová stránka %1 není k dispozici.").arg(QLatin1String(name)));
    for (int byte = 0; byte < 256; ++byte) {
        const char single = char(byte);
        const QString character = decoder.decode(QByteArrayView(&single, 1));
        m_characters[size_t(byte)] =
            character.size() == 1 ? character[0].unicode() : char16_t(QChar::ReplacementCharacter);
    }
}

QString CodePage::decode(QByteArrayView bytes) const
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(m_characters[uint8_t(byte)]);
    return text;
}

QByteArray CodePage::encode(QStringView text) const
{
    QByteArray bytes = m_encoder.encode(text);
    // The converter puts a substitute for what the code page lacks; reading back tells.
    if (m_encoder.hasError() || decode(bytes) != text) {
        m_encoder.resetState();
        throw Error(QStringLiteral("Text „%1“ obsahuje znak, který tabulka neumí uložit.").arg(text));
    }
    return bytes;
}

} // namespace kadmor
