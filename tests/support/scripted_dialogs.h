// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kadmor {

// Dialogs for tests: records every box, input box and beep in order and answers from a queue.
// A box or input box with no fitting queued answer is recorded as a problem (and gets the harmless
// answer: OK, No, or the empty text), so a test ends with
//     QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
// which also fails when a queued answer was never asked for.
// Installs itself for its lifetime and restores the implementation installed before it.
class ScriptedDialogs : public Dialogs
{
  public:
    struct Event
    {
        enum class Kind { Message, Input, Beep, Password };

        Kind kind = Kind::Beep;
        BoxType type = BoxType::Plain; // Message
        Buttons buttons = Buttons::Ok; // Message
        QString text;                  // Message
        QString caption;               // Input
        QString prompt;                // Input
        QString proposal;              // Input

        static Event message(BoxType type, const QString& text, Buttons buttons);
        static Event input(const QString& caption, const QString& prompt, const QString& proposal);
        static Event beep();
        static Event password();

        QString describe() const;
        friend bool operator==(const Event&, const Event&) = default;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Answers are taken in the order queued; a box takes an Answer, an input box a text
    // (the empty text stands for Cancel).
    void queueAnswer(Answer answer);
    void queueInput(const QString& text);
    // The text the password dialog gives when it is shown next.
    void queuePassword(const QString& text);

    Answer message(BoxType type, const QString& text, Buttons buttons) override;
    QString input(const QString& caption, const QString& prompt, const QString& proposal) override;
    void beep() override;
    QString password() override;

    const QList<Event>& events() const { return m_events; }
    QList<Event> takeEvents(); // the events so far; the record starts afresh

    // Empty when every box had a fitting answer and no queued answer is left over.
    QString problems() const;

  private:
    struct Reply
    {
        Event::Kind kind;
        Answer answer = Answer::Ok;
        QString text;
    };

    // Records the event and takes the queued reply for it; none fitting is recorded as a problem.
    std::optional<Reply> record(const Event& event);

    QList<Event> m_events;
    QList<Reply> m_replies;
    QStringList m_problems;
    Dialogs* m_previous;
};

// Readable values in failed QCOMPARE of events and event lists.
char* toString(const ScriptedDialogs::Event& event);

} // namespace kadmor
