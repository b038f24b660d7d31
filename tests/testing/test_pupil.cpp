// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_pupil.h"

#include "typing.h"

#include "shell/tform1.h"
#include "storage/table.h"
#include "ui_test_page.h"

#include <QStackedWidget>
#include <QTest>

namespace testkit {

TestPupil::TestPupil(TForm1& form, std::function<QString(const QString&, const QString&)> answer)
    : m_form(form), m_answer(std::move(answer))
{
    m_poll.setInterval(10);
    connect(&m_poll, &QTimer::timeout, this, &TestPupil::look);
    m_poll.start();
}

void TestPupil::onQuestion(int number, std::function<void()> action)
{
    m_actionQuestion = number;
    m_action = std::move(action);
}

void TestPupil::look()
{
    Ui::TestPage& page = *m_form.p6zkouseni;
    if (m_form.Notebook1->currentIndex() != TForm1::p6zkouseniIndex)
        return;
    if (m_escapeOnWrong && !escapePressed && page.spatne->isVisible()) {
        escapePressed = true;
        QTest::keyClick(page.Edit6, Qt::Key_Escape);
        return;
    }
    const bool waiting =
        page.Edit6->palette().color(QPalette::Base) == QColor(192, 192, 192) && !m_form.answered && !m_form.testPlaying;
    if (!waiting)
        return;
    const int number = page.Edit9->text().toInt();
    if (number <= asked.size())
        return; // answered already; the box is on its way back to normal
    if (number == m_actionQuestion && m_action) {
        m_poll.stop(); // the action may start a nested wait of its own
        auto action = std::move(m_action);
        m_action = {};
        action();
        m_poll.start();
        return;
    }
    const QString word = m_form.Table1->fieldByName(QStringLiteral("ANGL")).asString();
    const QString czech = m_form.Table1->fieldByName(QStringLiteral("CES")).asString();
    asked.append(word);
    prompts.append(page.Edit5->text());
    page.Edit6->setFocus();
    type(page.Edit6, m_answer(word, czech));
    QTest::keyClick(page.Edit6, Qt::Key_Return);
}

QString rightAnswer(const QString& czech)
{
    return czech.section(QLatin1Char(','), 0, 0);
}

} // namespace testkit
