// SPDX-License-Identifier: GPL-3.0-or-later
#include "modal_answers.h"

#include "tool_run.h"
#include "typing.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>

namespace testkit {

namespace {

QString textOf(QWidget* window)
{
    if (auto* box = qobject_cast<QMessageBox*>(window))
        return box->text();
    if (auto* box = qobject_cast<QInputDialog*>(window))
        return box->labelText();
    return {};
}

} // namespace

ModalAnswers::ModalAnswers()
{
    m_poll.setInterval(20);
    connect(&m_poll, &QTimer::timeout, this, &ModalAnswers::answerShownWindow);
    m_poll.start();
}

void ModalAnswers::queue(const QString& text, Qt::Key key, std::function<void(QWidget*)> look)
{
    m_answers.enqueue({text, key, std::move(look)});
}

QStringList ModalAnswers::takeShown()
{
    return std::exchange(m_shown, {});
}

bool ModalAnswers::waitAnswered(int timeoutMs) const
{
    return QTest::qWaitFor([this] { return m_answers.isEmpty(); }, timeoutMs);
}

void ModalAnswers::answerShownWindow()
{
    QWidget* window = QApplication::activeModalWidget();
    QWidget* focus = QApplication::focusWidget();
    // Keys go where the user's keys would: to the focused control of the active modal window.
    if (window == nullptr || !window->isActiveWindow() || focus == nullptr || focus->window() != window)
        return;
    // The key of the last answer is still on its way through the X server.
    if (m_answered && m_answered->isVisible())
        return;
    m_answered = window;
    // A window nobody expected is closed with Escape, so that the test goes on to report it.
    const Answer answer = m_answers.isEmpty() ? Answer{{}, Qt::Key_Escape, {}} : m_answers.dequeue();
    m_shown << window->windowTitle() + u'\n' + textOf(window);
    if (answer.look)
        answer.look(window);
    type(focus, answer.text);
    // The closing key comes through the X server, as from the keyboard: the window manager then
    // gives the focus back to the main window after the box has closed, not at once.
    const QString key = answer.key == Qt::Key_Escape ? QStringLiteral("Escape") : QStringLiteral("Return");
    const ToolRun run = runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--window"),
                                                            QString::number(window->winId()), key});
    if (run.exitCode != 0)
        qWarning("xdotool: %s", qPrintable(run.err));
}

} // namespace testkit
