// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/unattended_dialogs.h"

#include <QTextStream>

namespace kadmor {

namespace {

QString typeName(BoxType type)
{
    switch (type) {
    case BoxType::Warning:
        return QStringLiteral("warning");
    case BoxType::Error:
        return QStringLiteral("error");
    case BoxType::Information:
        return QStringLiteral("information");
    case BoxType::Confirmation:
        return QStringLiteral("confirmation");
    case BoxType::Plain:
        break;
    }
    return QStringLiteral("plain");
}

} // namespace

namespace box_text {

QString message(BoxType type, const QString& text, Buttons buttons)
{
    return QStringLiteral("%1 box [%2]: \"%3\"")
        .arg(typeName(type), buttons == Buttons::YesNo ? QStringLiteral("Yes/No") : QStringLiteral("OK"), text);
}

QString input(const QString& caption, const QString& prompt, const QString& proposal)
{
    return QStringLiteral("input box \"%1\", prompt \"%2\", proposal \"%3\"").arg(caption, prompt, proposal);
}

QString password()
{
    return QStringLiteral("password dialog");
}

QString beep()
{
    return QStringLiteral("beep");
}

} // namespace box_text

UnattendedDialogs::UnattendedDialogs(QTextStream& log) : m_log(log), m_previous(installedDialogs())
{
    installDialogs(this);
}

UnattendedDialogs::~UnattendedDialogs()
{
    if (installedDialogs() == this)
        installDialogs(m_previous);
}

Answer UnattendedDialogs::message(BoxType type, const QString& text, Buttons buttons)
{
    write(box_text::message(type, text, buttons));
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}

QString UnattendedDialogs::input(const QString& caption, const QString& prompt, const QString& proposal)
{
    write(box_text::input(caption, prompt, proposal));
    return {};
}

void UnattendedDialogs::beep()
{
    write(box_text::beep());
}

QString UnattendedDialogs::password()
{
    write(box_text::password());
    return {};
}

void UnattendedDialogs::write(const QString& line)
{
    m_log << line << '\n';
    m_log.flush();
}

} // namespace kadmor
