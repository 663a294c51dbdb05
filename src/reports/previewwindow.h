// "Quorvila :: Relatórios": the report on the screen, one page at a time. Only the page shown
// is painted, and only when it is shown or the zoom changes, so the first page of a long
// ledger appears at once however many pages follow. Its print button sends the whole report to
// the printer with the options chosen before the preview opened.
#pragma once

#include "outputoptions.h"

#include <QDialog>
#include <QImage>

class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace reports {

class Document;

// The page itself: a widget the size of the page at the current zoom, painting a cached image
// of the page it shows.
class PageView : public QWidget
{
    Q_OBJECT
public:
    PageView(const Document &doc, QWidget *parent = nullptr);

    // Shows page `index` (from 0) at `zoom` (1.0 = the paper's real size on the screen).
    void showPage(int index, qreal zoom);
    int page() const { return m_page; }
    // Screen pixels per point at zoom 1.
    qreal pixelsPerPoint() const;
    QSizeF pageSizePoints() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void render();

    const Document &m_doc;
    int m_page = 0;
    qreal m_zoom = 1.0;
    QImage m_image;
};

class PreviewWindow : public QDialog
{
    Q_OBJECT
public:
    // Zoom when the window opens.
    static constexpr int kInitialZoomPercent = 85;
    static constexpr QSize kWindowSize{750, 534};

    // `doc` and `printer` must outlive the window.
    PreviewWindow(const Document &doc, QPrinter &printer, const OutputOptions &options,
                  QWidget *parent = nullptr);

    int currentPage() const; // from 1
    int zoomPercent() const;

    void goToPage(int page); // from 1; out-of-range pages are brought into range
    void zoomIn();
    void zoomOut();
    void fitToWidth();
    void setZoomPercent(int percent);

private:
    QToolButton *addButton(const char *name, const QString &text, const QString &tip);
    void refresh();
    void print();

    const Document &m_doc;
    QPrinter &m_printer;
    OutputOptions m_options;
    int m_page = 1;
    int m_zoom = kInitialZoomPercent;
    PageView *m_view;
    QScrollArea *m_scroll;
    QSpinBox *m_pageEdit;
    QLabel *m_pageCount;
    QLabel *m_zoomLabel;
    QToolButton *m_first;
    QToolButton *m_prior;
    QToolButton *m_next;
    QToolButton *m_last;
};

} // namespace reports
