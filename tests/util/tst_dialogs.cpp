// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/unattended_dialogs.h"
#include "scripted_dialogs.h"
#include "shell/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <functional>

using namespace kadmor;

using Event = ScriptedDialogs::Event;

namespace {

QStringList buttonTexts(const QMessageBox& box)
{
    QStringList texts;
    for (QAbstractButton* button : box.buttons())
        texts.append(button->text());
    texts.sort();
    return texts;
}

// Clicks the button with this text; without one the dialog is closed, which the test then sees.
void clickOrClose(QWidget& dialog, const QString& text)
{
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->text() == text) {
            button->click();
            return;
        }
    }
    dialog.close();
}

// Runs handle on the modal dialog as soon as it is shown; the dialog must close itself from there.
void whenModalShown(std::function<void(QWidget&)> handle)
{
    QTimer::singleShot(0, qApp, [handle] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            whenModalShown(handle);
            return;
        }
        handle(*modal);
    });
}

// The boxes of the program's dialogs; the password dialog belongs to the main window's program.
class QtBoxes : public QtDialogs
{
  public:
    QString password() override { return {}; }
};

} // namespace

class DialogsTest : public QObject
{
    Q_OBJECT

  private slots:
    void scriptedRecordsAndAnswersInOrder();
    void scriptedFlagsWhatNobodyExpected();
    void scriptedInstallsItselfForItsLifetime();
    void unattendedAnswersAsIfClosedAndWritesEachBox();

    void qtMessageBox_data();
    void qtMessageBox();
    void qtMessageBoxEscapeAnswersNo();
    void qtInputBox_data();
    void qtInputBox();
};

void DialogsTest::scriptedRecordsAndAnswersInOrder()
{
    ScriptedDialogs scripted;
    scripted.queueAnswer(Answer::No);
    scripted.queueInput(QStringLiteral("7381"));
    scripted.queueAnswer(Answer::Ok);

    dialogs().beep();
    QCOMPARE(dialogs().message(BoxType::Warning, QStringLiteral("Smazat?"), Buttons::YesNo), Answer::No);
    QCOMPARE(dialogs().input(QStringLiteral("Mazání"), QStringLiteral("Opiš číslo 7381:"), QString()),
             QStringLiteral("7381"));
    QCOMPARE(dialogs().message(BoxType::Plain, QStringLiteral("Hotovo."), Buttons::Ok), Answer::Ok);

    QCOMPARE(scripted.takeEvents(),
             (QList<Event>{Event::beep(), Event::message(BoxType::Warning, QStringLiteral("Smazat?"), Buttons::YesNo),
                           Event::input(QStringLiteral("Mazání"), QStringLiteral("Opiš číslo 7381:"), QString()),
                           Event::message(BoxType::Plain, QStringLiteral("Hotovo."), Buttons::Ok)}));
    QCOMPARE(scripted.events(), QList<Event>());
    QCOMPARE(scripted.problems(), QString());
}

void DialogsTest::scriptedFlagsWhatNobodyExpected()
{
    ScriptedDialogs scripted;
    // Nothing queued: the harmless answers, each noted.
    QCOMPARE(dialogs().message(BoxType::Confirmation, QStringLiteral("Zapsat?"), Buttons::YesNo), Answer::No);
    QCOMPARE(dialogs().input(QStringLiteral("Heslo"), QStringLiteral("Nové:"), QStringLiteral("x")), QString());
    // An answer of another kind is not taken; it stays queued.
    scripted.queueInput(QStringLiteral("text"));
    QCOMPARE(dialogs().message(BoxType::Error, QStringLiteral("Chyba"), Buttons::Ok), Answer::Ok);
    scripted.queueAnswer(Answer::Yes);

    QCOMPARE(scripted.problems().split(u'\n'),
             (QStringList{QStringLiteral("unexpected confirmation box [Yes/No]: \"Zapsat?\""),
                          QStringLiteral("unexpected input box \"Heslo\", prompt \"Nové:\", proposal \"x\""),
                          QStringLiteral("unexpected error box [OK]: \"Chyba\""),
                          QStringLiteral("unused input \"text\""), QStringLiteral("unused answer Yes")}));

    ScriptedDialogs misfit;
    misfit.queueAnswer(Answer::Ok);
    QCOMPARE(dialogs().message(BoxType::Warning, QStringLiteral("Přepsat?"), Buttons::YesNo), Answer::No);
    QCOMPARE(misfit.problems(), QStringLiteral("answer OK given to warning box [Yes/No]: \"Přepsat?\""));
}

void DialogsTest::scriptedInstallsItselfForItsLifetime()
{
    QCOMPARE(installedDialogs(), nullptr);
    {
        ScriptedDialogs outer;
        QCOMPARE(&dialogs(), &outer);
        {
            ScriptedDialogs inner;
            QCOMPARE(&dialogs(), &inner);
        }
        QCOMPARE(&dialogs(), &outer);
    }
    QCOMPARE(installedDialogs(), nullptr);
}

void DialogsTest::qtMessageBox_data()
{
    QTest::addColumn<BoxType>("type");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<QString>("click");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<Answer>("answer");

    const QStringList yesNo{QStringLiteral("Ano"), QStringLiteral("Ne")};
    QTest::newRow("warning, Yes") << BoxType::Warning << Buttons::YesNo << "Ano" << QMessageBox::Warning << yesNo
                                  << Answer::Yes;
    QTest::newRow("confirmation, No") << BoxType::Confirmation << Buttons::YesNo << "Ne" << QMessageBox::Question
                                      << yesNo << Answer::No;
    QTest::newRow("error") << BoxType::Error << Buttons::Ok << "OK" << QMessageBox::Critical
                           << QStringList{QStringLiteral("OK")} << Answer::Ok;
    QTest::newRow("information") << BoxType::Information << Buttons::Ok << "OK" << QMessageBox::Information
                                 << QStringList{QStringLiteral("OK")} << Answer::Ok;
    QTest::newRow("plain") << BoxType::Plain << Buttons::Ok << "OK" << QMessageBox::NoIcon
                           << QStringList{QStringLiteral("OK")} << Answer::Ok;
}

void DialogsTest::qtMessageBox()
{
    QFETCH(BoxType, type);
    QFETCH(Buttons, buttons);
    QFETCH(QString, click);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QStringList, texts);
    QFETCH(Answer, answer);

    QMessageBox::Icon shownIcon{};
    QStringList shownTexts;
    QString shownText;
    whenModalShown([&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (!box) {
            modal.close();
            return;
        }
        shownIcon = box->icon();
        shownTexts = buttonTexts(*box);
        shownText = box->text();
        clickOrClose(*box, click);
    });

    QtBoxes qt;
    QCOMPARE(qt.message(type, QStringLiteral("Soubor \"<a:\\kadmor\\>\" již existuje.\rPřepsat?"), buttons), answer);
    QCOMPARE(shownIcon, icon);
    QCOMPARE(shownTexts, texts);
    // CR breaks the line; the text is shown as it is, not as markup.
    QCOMPARE(shownText, QStringLiteral("Soubor \"<a:\\kadmor\\>\" již existuje.\nPřepsat?"));
}

void DialogsTest::qtMessageBoxEscapeAnswersNo()
{
    whenModalShown([](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); });
    QtBoxes qt;
    QCOMPARE(qt.message(BoxType::Confirmation, QStringLiteral("Zapsat známku do deníčku?"), Buttons::YesNo),
             Answer::No);
}

void DialogsTest::qtInputBox_data()
{
    QTest::addColumn<QString>("click");
    QTest::addColumn<QString>("expected");
    QTest::newRow("OK gives the text") << "OK"
                                       << "nové heslo";
    QTest::newRow("Zrušit gives the empty text") << "Zrušit"
                                                 << "";
}

void DialogsTest::qtInputBox()
{
    QFETCH(QString, click);
    QFETCH(QString, expected);

    QString title;
    QString label;
    QString proposal;
    whenModalShown([&](QWidget& modal) {
        auto* box = qobject_cast<QInputDialog*>(&modal);
        if (!box) {
            modal.close();
            return;
        }
        title = box->windowTitle();
        label = box->labelText();
        proposal = box->textValue();
        box->setTextValue(QStringLiteral("nové heslo"));
        clickOrClose(*box, click);
    });

    QtBoxes qt;
    QCOMPARE(qt.input(QStringLiteral("Změna hesla"), QStringLiteral("Zadejte nové heslo:"), QStringLiteral("staré")),
             expected);
    QCOMPARE(title, QStringLiteral("Změna hesla"));
    QCOMPARE(label, QStringLiteral("Zadejte nové heslo:"));
    QCOMPARE(proposal, QStringLiteral("staré"));
}

// The screenshot tool's boxes: nobody answers, every one is written down in order.
void DialogsTest::unattendedAnswersAsIfClosedAndWritesEachBox()
{
    ScriptedDialogs before;
    QString written;
    QTextStream log(&written);
    {
        UnattendedDialogs dialogs(log);
        QCOMPARE(&kadmor::dialogs(), &dialogs);
        kadmor::dialogs().beep();
        QCOMPARE(kadmor::dialogs().message(BoxType::Warning, QStringLiteral("Pozor!\rDruhý řádek"), Buttons::YesNo),
                 Answer::No);
        QCOMPARE(kadmor::dialogs().message(BoxType::Error, QStringLiteral("Chyba"), Buttons::Ok), Answer::Ok);
        QCOMPARE(kadmor::dialogs().input(QStringLiteral("Změna"), QStringLiteral("Zadejte:"), QStringLiteral("x")),
                 QString());
        QCOMPARE(kadmor::dialogs().password(), QString());
    }
    QCOMPARE(&kadmor::dialogs(), &before);
    QCOMPARE(written, QStringLiteral("beep\n"
                                     "warning box [Yes/No]: \"Pozor!\rDruhý řádek\"\n"
                                     "error box [OK]: \"Chyba\"\n"
                                     "input box \"Změna\", prompt \"Zadejte:\", proposal \"x\"\n"
                                     "password dialog\n"));
    QVERIFY(before.events().isEmpty());
}

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
