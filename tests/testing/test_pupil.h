// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class TForm1;

namespace testkit {

// A pupil at the test page: whenever the answer box waits (it turns silver), types the answer for
// the word being asked and presses Enter, as a pupil at the keyboard does. Keeps what was asked.
class TestPupil : public QObject
{
  public:
    // answer(word, czech): the text typed for the word of the current record.
    TestPupil(TForm1& form, std::function<QString(const QString& word, const QString& czech)> answer);

    // Presses Escape in the answer box the first time the bad sign is shown.
    void escapeDuringWrongFeedback() { m_escapeOnWrong = true; }
    // Called once when the n-th question (from 1) waits, instead of answering it.
    void onQuestion(int number, std::function<void()> action);

    QStringList asked;   // the words (ANGL) asked, in order
    QStringList prompts; // what the word box showed for each
    bool escapePressed = false;

  private:
    void look();

    TForm1& m_form;
    std::function<QString(const QString&, const QString&)> m_answer;
    bool m_escapeOnWrong = false;
    int m_actionQuestion = 0;
    std::function<void()> m_action;
    QTimer m_poll;
};

// The answer that the word's stored Czech text accepts: its first alternative.
QString rightAnswer(const QString& czech);

} // namespace testkit
