// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QScrollArea>

namespace kadmor {

// Shows one page of Notebook1. A page whose controls, enlarged by the zoom, need more room than
// the window has scrolls, so that no control is ever out of reach; the control that takes the
// keyboard focus is scrolled into view. The page's heading (a label across the whole top of its
// design) spans the visible width wherever the page is scrolled, so that it stays centred.
class PageView : public QScrollArea
{
    Q_OBJECT
  public:
    explicit PageView(QWidget* page, QWidget* parent = nullptr);

    // The view that shows the widget, if any.
    static PageView* of(const QWidget* widget);

    QWidget* page() const { return m_page; }
    QWidget* heading() const { return m_heading; }
    // Sizes the page to the room its controls take, at least the visible area; called after the
    // controls were scaled.
    void fitPage();
    // Scrolls (or, where scrolling cannot, shifts the page right and down) so that the control's
    // top left corner shows at where, in the visible area's coordinates: the button the pointer
    // rests on stays under it while the page grows or shrinks around it.
    void keepInPlace(const QWidget* control, QPoint where);
    // Scrolls the whole control into the visible area, as far as it fits.
    void showControl(const QWidget* control);
    // Where the control's top left corner shows in the visible area.
    QPoint shownAt(const QWidget* control) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QSize controlsExtent() const;
    void placeHeading();
    void showFocused(QWidget* focused);

    QWidget* m_page;
    QWidget* m_heading = nullptr;
    QPoint m_shift; // room left of and above the page, only while zoomed out around a control
};

} // namespace kadmor
