// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/page_view.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QScrollBar>
#include <QVBoxLayout>

namespace kadmor {

PageView::PageView(QWidget* page, QWidget* parent) : QScrollArea(parent), m_page(page)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    // Found on the design, before the canvas's layout sizes the page.
    for (auto* label : page->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->pos() == QPoint(0, 0) && label->width() == page->width())
            m_heading = label;
    }
    // The page sits in a plain canvas whose margins make the shift; being placed by a layout,
    // the page itself is never taken for a designed control by the scaling.
    auto* canvas = new QWidget;
    auto* layout = new QVBoxLayout(canvas);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    setWidget(canvas);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &PageView::placeHeading);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { showFocused(now); });
}

PageView* PageView::of(const QWidget* widget)
{
    for (QWidget* parent = widget ? widget->parentWidget() : nullptr; parent; parent = parent->parentWidget()) {
        if (auto* view = qobject_cast<PageView*>(parent))
            return view;
    }
    return nullptr;
}

void PageView::fitPage()
{
    widget()->layout()->setContentsMargins(m_shift.x(), m_shift.y(), 0, 0);
    widget()->resize((QSize(m_shift.x(), m_shift.y()) + controlsExtent()).expandedTo(viewport()->size()));
    // At once, so that the page stands where it must before the next click.
    widget()->layout()->activate();
    placeHeading();
}

// The room from the page's top left corner to the right and bottom edges of its controls; a page
// laid out by its own layout needs what that layout needs. The heading takes whatever is visible.
QSize PageView::controlsExtent() const
{
    if (m_page->layout() != nullptr)
        return m_page->layout()->minimumSize();
    QSize extent;
    for (const QWidget* control : m_page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != m_heading && !control->isWindow() && !control->isHidden())
            extent = extent.expandedTo(QSize(control->geometry().right() + 1, control->geometry().bottom() + 1));
    }
    return extent;
}

// Where the page is shifted, the heading starts at the page's edge and keeps its text centred in
// the window with a margin on its right as wide as the shift.
void PageView::placeHeading()
{
    if (m_heading == nullptr)
        return;
    const int scrolled = horizontalScrollBar()->value() - m_shift.x();
    const int shiftShown = qMax(0, -scrolled);
    m_heading->setGeometry(qMax(0, scrolled), m_heading->y(), viewport()->width() - shiftShown, m_heading->height());
    m_heading->setContentsMargins(0, 0, shiftShown, 0);
}

QPoint PageView::shownAt(const QWidget* control) const
{
    return control->mapTo(viewport(), QPoint(0, 0));
}

void PageView::keepInPlace(const QWidget* control, QPoint where)
{
    // Where the page's top left corner must show; a negative part is scrolled, a positive one
    // becomes the shift.
    const QPoint origin = where - control->mapTo(m_page, QPoint(0, 0));
    m_shift = QPoint(qMax(0, origin.x()), qMax(0, origin.y()));
    fitPage();
    horizontalScrollBar()->setValue(qMax(0, -origin.x()));
    verticalScrollBar()->setValue(qMax(0, -origin.y()));
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    fitPage();
}

void PageView::showControl(const QWidget* control)
{
    const QRect area(control->mapTo(widget(), QPoint(0, 0)), control->size());
    // The left and top edges win where the control is larger than the visible area.
    ensureVisible(area.right(), area.bottom(), 1, 1);
    ensureVisible(area.left(), area.top(), 0, 0);
}

void PageView::showFocused(QWidget* focused)
{
    if (focused != nullptr && m_page->isAncestorOf(focused))
        showControl(focused);
}

} // namespace kadmor
