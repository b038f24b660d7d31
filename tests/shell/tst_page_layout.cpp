// SPDX-License-Identifier: GPL-3.0-or-later
// The pages on a real screen size (the run gives the screen): at any zoom every control can be
// reached, the zoom buttons stay under the pointer, headings stay centred and the grids show all
// their columns.
#include "installation.h"
#include "main_window_fixture.h"
#include "running_program.h"

#include "scripted_dialogs.h"
#include "shell/data_aware/db_grid.h"
#include "shell/data_aware/table_model.h"
#include "shell/page_view.h"
#include "shell/tform1.h"
#include "ui_config_page.h"
#include "ui_new_words_page.h"
#include "ui_title_page.h"
#include "ui_word_list_page.h"
#include "util/zoom_store.h"

#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>

#include <memory>

namespace {

kadmor::PageView* shownView(TForm1& form)
{
    return qobject_cast<kadmor::PageView*>(form.Notebook1->currentWidget());
}

// The controls the user works with: named, shown, not Qt's own parts.
QList<QWidget*> controlsOf(QWidget* page)
{
    QList<QWidget*> controls;
    for (QWidget* widget : page->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && widget->isVisibleTo(page))
            controls.append(widget);
    }
    return controls;
}

QRect shownRect(const kadmor::PageView& view, const QWidget* control)
{
    return QRect(view.shownAt(control), control->size());
}

// Clicks whatever lies under the pointer, as a user who does not move the mouse would.
QWidget* clickAt(TForm1& form, QPoint pointer)
{
    QWidget* target = form.childAt(form.mapFromGlobal(pointer));
    if (target != nullptr)
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFromGlobal(pointer));
    return target;
}

} // namespace

class TestPageLayout : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyControlCanBeReached_data();
    void everyControlCanBeReached();
    void zoomButtonsStayUnderThePointer_data();
    void zoomButtonsStayUnderThePointer();
    void titlesStayCentredWhenZoomed();
    void gridsShowEveryColumn_data();
    void gridsShowEveryColumn();

  private:
    std::unique_ptr<TForm1> startOnConfiguration();
    void zoom(TForm1& form, int presses);

    testkit::MainWindowFixture m_fixture;
};

void TestPageLayout::initTestCase()
{
    m_fixture.useOwnConfiguration();
    m_fixture.shareInstallation();
    qInfo() << "screen" << QGuiApplication::primaryScreen()->geometry();
}

void TestPageLayout::init()
{
    m_fixture.setUp();
}

void TestPageLayout::cleanup()
{
    m_fixture.tearDown();
}

std::unique_ptr<TForm1> TestPageLayout::startOnConfiguration()
{
    auto form = testkit::startProgram(*m_fixture.installation, *m_fixture.dialogs);
    form->enteredPassword = form->teacherPassword;
    form->showPage(TForm1::p9konfigIndex);
    return form;
}

// Presses "Zvětši" (or "Zmenši" for a negative count) that many times.
void TestPageLayout::zoom(TForm1& form, int presses)
{
    QWidget* button = presses > 0 ? static_cast<QWidget*>(form.p9konfig->SpeedButton14)
                                  : static_cast<QWidget*>(form.p9konfig->SpeedButton15);
    for (int i = 0; i < std::abs(presses); ++i)
        QTest::mouseClick(button, Qt::LeftButton);
}

void TestPageLayout::everyControlCanBeReached_data()
{
    QTest::addColumn<int>("presses");
    QTest::newRow("zoom 100") << 0;
    QTest::newRow("three zooms in") << 3;
    QTest::newRow("zoom 150") << 10;
    QTest::newRow("zoomed out to the bound") << -12;
}

// Every control of every page can be scrolled into the window, and the window is on the screen.
void TestPageLayout::everyControlCanBeReached()
{
    QFETCH(int, presses);
    auto form = startOnConfiguration();
    zoom(*form, presses);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (int index = 0; index < TForm1::pageCount; ++index) {
        form->showPage(index);
        kadmor::PageView* view = shownView(*form);
        QVERIFY(view != nullptr);
        const QRect shownArea(view->viewport()->mapToGlobal(QPoint(0, 0)), view->viewport()->size());
        QVERIFY2(screen.contains(shownArea), qPrintable(QStringLiteral("page %1").arg(index)));
        const QRect viewport = view->viewport()->rect();
        for (QWidget* control : controlsOf(view->page())) {
            view->showControl(control);
            const QRect shown = shownRect(*view, control);
            // A control larger than the window shows from its top left corner.
            const QRect needed(shown.topLeft(), shown.size().boundedTo(viewport.size()));
            QVERIFY2(viewport.contains(needed), qPrintable(QStringLiteral("page %1, %2 at %3,%4 %5x%6")
                                                               .arg(index)
                                                               .arg(control->objectName())
                                                               .arg(shown.x())
                                                               .arg(shown.y())
                                                               .arg(shown.width())
                                                               .arg(shown.height())));
        }
    }
}

void TestPageLayout::zoomButtonsStayUnderThePointer_data()
{
    QTest::addColumn<QList<int>>("runs"); // presses in turn: + for Zvětši, - for Zmenši
    QTest::newRow("three zooms in") << QList<int>{3};
    QTest::newRow("three zooms out") << QList<int>{-3};
    QTest::newRow("out to the bound, then in") << QList<int>{-12, 5};
    QTest::newRow("in, then out below 100") << QList<int>{4, -8};
}

// The pointer rests where the user first clicked each button; every click lands on that button
// (never on the password change or on OK beside it).
void TestPageLayout::zoomButtonsStayUnderThePointer()
{
    QFETCH(QList<int>, runs);
    auto form = startOnConfiguration();
    int expected = form->zoomPercent;
    for (const int presses : runs) {
        QWidget* button = presses > 0 ? static_cast<QWidget*>(form->p9konfig->SpeedButton14)
                                      : static_cast<QWidget*>(form->p9konfig->SpeedButton15);
        const QPoint pointer = button->mapToGlobal(button->rect().center());
        for (int i = 0; i < std::abs(presses); ++i) {
            QWidget* clicked = clickAt(*form, pointer);
            QVERIFY2(clicked == button, qPrintable(QStringLiteral("press %1 hit %2 at zoom %3")
                                                       .arg(i)
                                                       .arg(clicked ? clicked->objectName() : QString())
                                                       .arg(form->zoomPercent)));
            expected = presses > 0 ? expected + 5 : qMax(50, expected - 5);
            QCOMPARE(form->zoomPercent, expected);
        }
    }
    QCOMPARE(form->Notebook1->currentIndex(), int(TForm1::p9konfigIndex));
    QCOMPARE(m_fixture.dialogs->takeEvents(), QList<kadmor::ScriptedDialogs::Event>{});
}

void TestPageLayout::titlesStayCentredWhenZoomed()
{
    kadmor::createZoomStore(115);
    auto form = testkit::startProgram(*m_fixture.installation, *m_fixture.dialogs);
    // The title page at the stored zoom: the name, the version and OK centred in the window.
    const int middle = form->frameGeometry().width() / 2;
    for (const QWidget* control :
         {static_cast<QWidget*>(form->p1nadpis->Label2), static_cast<QWidget*>(form->p1nadpis->Label3),
          static_cast<QWidget*>(form->p1nadpis->Button1)}) {
        const QRect shown(control->mapTo(form.get(), QPoint(0, 0)), control->size());
        QVERIFY2(std::abs(shown.center().x() - middle) <= 2,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(control->objectName()).arg(shown.center().x()).arg(middle)));
    }
    QCOMPARE(shownView(*form)->horizontalScrollBar()->maximum(), 0);

    // A page heading's text stays centred in the window wherever the zoomed page is scrolled, and
    // when the page is zoomed out around the zoom button.
    form->enteredPassword = form->teacherPassword;
    form->showPage(TForm1::p9konfigIndex);
    kadmor::PageView* view = shownView(*form);
    QCOMPARE(view->heading(), form->p9konfig->Panel9);
    const auto textCentre = [view] {
        const QWidget* heading = view->heading();
        return heading->mapTo(view->viewport(), heading->contentsRect().center()).x();
    };
    const int centre = view->viewport()->rect().center().x();
    zoom(*form, 3);
    QVERIFY(view->horizontalScrollBar()->maximum() > 0);
    for (const int scrolled : {view->horizontalScrollBar()->value(), view->horizontalScrollBar()->maximum(), 0}) {
        view->horizontalScrollBar()->setValue(scrolled);
        QVERIFY(std::abs(textCentre() - centre) <= 1);
    }
    zoom(*form, -10);
    QVERIFY(std::abs(textCentre() - centre) <= 1);
}

void TestPageLayout::gridsShowEveryColumn_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("grid");
    QTest::newRow("words") << int(TForm1::p2zaktabulIndex) << QStringLiteral("DBGrid1");
    QTest::newRow("new words") << int(TForm1::p11novaslovaIndex) << QStringLiteral("DBGrid6");
    QTest::newRow("new phrases") << int(TForm1::p11novaslovaIndex) << QStringLiteral("DBGrid7");
}

// Each column shows whole, with its whole title, without scrolling the grid sideways.
void TestPageLayout::gridsShowEveryColumn()
{
    QFETCH(int, page);
    QFETCH(QString, grid);
    auto form = testkit::startProgram(*m_fixture.installation, *m_fixture.dialogs);
    form->showPage(page);
    auto* shown = form->findChild<kadmor::DbGrid*>(grid);
    QVERIFY(shown != nullptr);
    QTest::qWait(0);
    QCOMPARE(shown->horizontalScrollBar()->maximum(), 0);
    const QHeaderView* header = shown->horizontalHeader();
    QVERIFY(header->count() >= 4);
    for (int column = 0; column < header->count(); ++column) {
        const QString title = shown->model()->headerData(column, Qt::Horizontal).toString();
        QVERIFY2(header->sectionViewportPosition(column) + header->sectionSize(column) <= shown->viewport()->width(),
                 qPrintable(title));
        QVERIFY2(header->sectionSize(column) >= header->fontMetrics().horizontalAdvance(title), qPrintable(title));
    }
}

QTEST_MAIN(TestPageLayout)
#include "tst_page_layout.moc"
