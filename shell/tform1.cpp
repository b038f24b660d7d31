// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/tform1.h"

#include "shell/enter_key.h"
#include "shell/page_view.h"
#include "shell/shortcut_focus.h"
#include "storage/layouts.h"
#include "util/zoom_store.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>

#include <utility>

namespace {
constexpr int refreshIntervalMs = 1000;
constexpr int ticksPerRefresh = 10;
} // namespace

TForm1::TForm1(const QString& folder, QWidget* parent) : QMainWindow(parent), m_folder(folder)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("kadmor v 1.84"));
    setFont(QFont(QStringLiteral("Arial"), 8));

    createTables();
    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    setCentralWidget(Notebook1);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    setStatusBar(StatusBar1);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(refreshIntervalMs);

    createPages();
    kadmor::focusButtonsOnShortcut(this);
    kadmor::pressButtonsOnEnter(this);
    connect(Notebook1, &QStackedWidget::currentChanged, StatusBar1, &QStatusBar::clearMessage);
    handle(Timer1, &QTimer::timeout, &TForm1::Timer1Timer);
    for (kadmor::Table* table : {Table1, Table2, Table3})
        connect(table, &kadmor::Table::afterScroll, this, [this, table] { showRecordNumber(*table); });

    scaleToScreen();
}

// The controls' focus watchers go first: the controls lose their focus while they are destroyed,
// and no leave handler may run on a half-destroyed window.
TForm1::~TForm1()
{
    qDeleteAll(findChildren<kadmor::FocusWatcher*>());
}

void TForm1::createTables()
{
    namespace layouts = kadmor::layouts;
    const std::pair<kadmor::Table**, const kadmor::TableLayout*> tables[] = {
        {&Table1, &layouts::words()},      {&Table2, &layouts::grades()},       {&Table3, &layouts::phrases()},
        {&Table4, &layouts::config()},     {&Table5, &layouts::wrongAnswers()}, {&Table6, &layouts::newWords()},
        {&Table7, &layouts::newPhrases()},
    };
    int number = 1;
    for (const auto& [member, layout] : tables) {
        *member = new kadmor::Table(*layout, this); // named by its layout
        (*member)->setObjectName(QStringLiteral("Table%1").arg(number++));
    }
}

void TForm1::createPages()
{
    setupShell();
    setupSubsystems();
    for (QWidget* page : m_pages) {
        Q_ASSERT(page != nullptr);
        Notebook1->addWidget(new kadmor::PageView(page));
    }
    createFeatures();
}

int TForm1::addFeaturePage(QWidget* page)
{
    return Notebook1->addWidget(new kadmor::PageView(page));
}

// Window creation: the design is for 800 pixels at 96 pixels per inch; the window grows with the
// screen, with low resolutions and with the user's stored zoom.
void TForm1::scaleToScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    m_scale = kadmor::windowScale(screen->geometry().width(), qRound(screen->logicalDotsPerInch()), kadmor::readZoom());
    zoomPercent = m_scale.zoomPercent;
    m_layoutFactor = m_scale.layout();
    m_fontFactor = m_scale.font();
    kadmor::scaleWidgets(this, m_layoutFactor, m_fontFactor);
    fitPages();
    // Without a window manager a maximised window keeps its own size; make that the screen's.
    resize(screen->availableGeometry().size());
}

// The zoom button that was pressed stays where it was, under the pointer, however the page
// grows or shrinks around it.
void TForm1::zoomBy(double factor, const QWidget* button)
{
    kadmor::PageView* view = kadmor::PageView::of(button);
    const QPoint shown = view->shownAt(button);
    m_layoutFactor *= factor;
    m_fontFactor *= factor;
    kadmor::scaleWidgets(this, m_layoutFactor, m_fontFactor);
    if (startupDone)
        placeTitlePage();
    fitPages();
    view->keepInPlace(button, shown);
}

void TForm1::fitPages()
{
    for (auto* view : Notebook1->findChildren<kadmor::PageView*>(Qt::FindDirectChildrenOnly))
        view->fitPage();
}

void TForm1::showPage(int index)
{
    Notebook1->setCurrentIndex(index);
}

void TForm1::setStatus(const QString& text)
{
    StatusBar1->showMessage(text);
}

QString TForm1::status() const
{
    return StatusBar1->currentMessage();
}

void TForm1::showRecordNumber(const kadmor::Table& table)
{
    setStatus(QStringLiteral("Záznam číslo: %1").arg(table.recNo()));
}

void TForm1::placeAtRightEdge(QWidget* cancel) const
{
    cancel->move(frameGeometry().width() - (cancel->width() + 20), cancel->y());
}

// Every tenth tick re-reads the shared tables, so that other computers' changes appear.
void TForm1::Timer1Timer()
{
    ++refreshCounter;
    if (refreshCounter % ticksPerRefresh != 0)
        return;
    for (kadmor::Table* table : {Table1, Table2, Table3}) {
        if (table->isOpen())
            table->refresh();
    }
}

bool TForm1::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !startupDone)
        kadmor::runAction([this] { FormActivate(); });
    return QMainWindow::event(event);
}

// Closing stores the zoom; the window closes whatever happens.
void TForm1::closeEvent(QCloseEvent* event)
{
    if (kadmor::zoomStoreExists() && !kadmor::writeZoom(zoomPercent)) {
        kadmor::dialogs().beep();
        kadmor::dialogs().message(
            kadmor::BoxType::Error,
            QStringLiteral("Zvětšení okna (%1 %) nelze uložit do nastavení programu.").arg(zoomPercent),
            kadmor::Buttons::Ok);
    }
    Timer1->stop();
    waits.setShuttingDown(true);
    event->accept();
}
