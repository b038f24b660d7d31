// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class QWidget;

namespace testkit {

// Answers the program's real modal windows (the password dialog, message and input boxes) with key
// events, each once it is shown and holds the focus, as a user at the keyboard does; keeps what
// each window showed. A window with no answer queued is closed with Escape and kept too.
class ModalAnswers : public QObject
{
  public:
    ModalAnswers();

    // The next modal window is answered by typing the text into its focused control and pressing
    // the key (Enter or Escape); look, when given, sees the window first.
    void queue(const QString& text, Qt::Key key = Qt::Key_Return, std::function<void(QWidget*)> look = {});
    // Every window shown so far: its caption, a line break and its text or prompt; then cleared.
    QStringList takeShown();
    // Waits until every queued answer was given; false when a window did not come.
    bool waitAnswered(int timeoutMs = 10'000) const;

  private:
    struct Answer
    {
        QString text;
        Qt::Key key;
        std::function<void(QWidget*)> look;
    };
    void answerShownWindow();

    QQueue<Answer> m_answers;
    QPointer<QWidget> m_answered;
    QStringList m_shown;
    QTimer m_poll;
};

} // namespace testkit
