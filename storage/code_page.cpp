// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/code_page.h"

#include "storage/error.h"

namespace kadmor {

namespace {
constexpr uint8_t kLanguageNone = 0x00;
constexpr uint8_t kLanguageDos852 = 0x64;
constexpr uint8_t kLanguageDos852Czech = 0x1F;
constexpr uint8_t kLanguageWindows1252 = 0x03;
constexpr uint8_t kLanguageWindows1252Ansi = 0x57;
constexpr uint8_t kLanguageWindows1252Western = 0x58;
} // namespace

const char* CodePage::nameFor(uint8_t languageByte)
{
    switch (languageByte) {
    case kLanguageDos852:
    case kLanguageDos852Czech:
        return "IBM852";
    case kLanguageWindows1252:
    case kLanguageWindows1252Ansi:
    case kLanguageWindows1252Western:
        return "windows-1252";
    case kLanguageNone: // no code page given: our tables are Central European
    default:
        return "windows-1250";
    }
}

CodePage::CodePage(uint8_t languageByte) : m_encoder(nameFor(languageByte), QStringEncoder::Flag::Stateless)
{
    QStringDecoder decoder(nameFor(languageByte), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid() || !m_encoder.isValid())
        throw Error(QStringLiteral("Kódová stránka %1 není k dispozici.").arg(QLatin1String(nameFor(languageByte))));
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
