// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_dialogs.h"

#include "base/unattended_dialogs.h"

#include <QByteArray>

#include <utility>

namespace kadmor {

namespace {

QString answerName(Answer answer)
{
    switch (answer) {
    case Answer::Yes:
        return QStringLiteral("Yes");
    case Answer::No:
        return QStringLiteral("No");
    case Answer::Ok:
        break;
    }
    return QStringLiteral("OK");
}

bool fits(Answer answer, Buttons buttons)
{
    return buttons == Buttons::YesNo ? answer != Answer::Ok : answer == Answer::Ok;
}

} // namespace

ScriptedDialogs::Event ScriptedDialogs::Event::message(BoxType type, const QString& text, Buttons buttons)
{
    Event event;
    event.kind = Kind::Message;
    event.type = type;
    event.buttons = buttons;
    event.text = text;
    return event;
}

ScriptedDialogs::Event ScriptedDialogs::Event::input(const QString& caption, const QString& prompt,
                                                     const QString& proposal)
{
    Event event;
    event.kind = Kind::Input;
    event.caption = caption;
    event.prompt = prompt;
    event.proposal = proposal;
    return event;
}

ScriptedDialogs::Event ScriptedDialogs::Event::beep()
{
    return Event{};
}

ScriptedDialogs::Event ScriptedDialogs::Event::password()
{
    Event event;
    event.kind = Kind::Password;
    return event;
}

QString ScriptedDialogs::Event::describe() const
{
    switch (kind) {
    case Kind::Message:
        return box_text::message(type, text, buttons);
    case Kind::Input:
        return box_text::input(caption, prompt, proposal);
    case Kind::Password:
        return box_text::password();
    case Kind::Beep:
        break;
    }
    return box_text::beep();
}

ScriptedDialogs::ScriptedDialogs() : m_previous(installedDialogs())
{
    installDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    if (installedDialogs() == this)
        installDialogs(m_previous);
}

void ScriptedDialogs::queueAnswer(Answer answer)
{
    m_replies.append({Event::Kind::Message, answer, {}});
}

void ScriptedDialogs::queueInput(const QString& text)
{
    m_replies.append({Event::Kind::Input, Answer::Ok, text});
}

void ScriptedDialogs::queuePassword(const QString& text)
{
    m_replies.append({Event::Kind::Password, Answer::Ok, text});
}

std::optional<ScriptedDialogs::Reply> ScriptedDialogs::record(const Event& event)
{
    m_events.append(event);
    if (m_replies.isEmpty() || m_replies.first().kind != event.kind) {
        m_problems.append(QStringLiteral("unexpected %1").arg(event.describe()));
        return std::nullopt;
    }
    return m_replies.takeFirst();
}

Answer ScriptedDialogs::message(BoxType type, const QString& text, Buttons buttons)
{
    const Answer harmless = buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    const Event event = Event::message(type, text, buttons);
    const auto reply = record(event);
    if (!reply)
        return harmless;
    if (!fits(reply->answer, buttons)) {
        m_problems.append(QStringLiteral("answer %1 given to %2").arg(answerName(reply->answer), event.describe()));
        return harmless;
    }
    return reply->answer;
}

QString ScriptedDialogs::input(const QString& caption, const QString& prompt, const QString& proposal)
{
    const auto reply = record(Event::input(caption, prompt, proposal));
    return reply ? reply->text : QString();
}

void ScriptedDialogs::beep()
{
    m_events.append(Event::beep());
}

QString ScriptedDialogs::password()
{
    const auto reply = record(Event::password());
    return reply ? reply->text : QString();
}

QList<ScriptedDialogs::Event> ScriptedDialogs::takeEvents()
{
    return std::exchange(m_events, {});
}

QString ScriptedDialogs::problems() const
{
    QStringList all = m_problems;
    for (const Reply& reply : m_replies) {
        if (reply.kind == Event::Kind::Message)
            all.append(QStringLiteral("unused answer %1").arg(answerName(reply.answer)));
        else
            all.append(QStringLiteral("unused %1 \"%2\"")
                           .arg(reply.kind == Event::Kind::Input ? QStringLiteral("input") : QStringLiteral("password"),
                                reply.text));
    }
    return all.join(u'\n');
}

char* toString(const ScriptedDialogs::Event& event)
{
    return qstrdup(event.describe().toUtf8().constData());
}

} // namespace kadmor
